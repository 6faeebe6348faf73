// The board for the accessibility tests. It says on its output what the tests
// cannot read off the accessibility bus by themselves:
//   dealt PNU...   the kind of each token's picture, P, N or U (neutral), after the deal;
//   took N S       once a take has handed over: the tokens taken so far and Ann's score.
// A line "quit" on its input, or the input's end, closes the program; "state"
// has it say how far the board has come.
//
// test_accessibility runs it as it is: a match of Ann against Bob on a virtual
// clock, so that a take waits for no real seconds. test_screen_reader runs it
// with --speech: Ann against the computer at the speed a new player has, on
// the real clock, since what is tested is that a screen reader is answered
// during the pauses. There, "short" on its input cuts the row to its last
// twelve tokens, none negative, so that a game ends after two takes (it
// answers "short").
#include <QApplication>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTimer>
#include <iostream>
#include <memory>
#include <string>
#include <unistd.h>

#include "app/module1.h"
#include "gui_support.h"
#include "ui/drawn_items.h"
#include "ui/frmDovrel.h"

using namespace dovrel;
using namespace dovrel::testing;

namespace {

char letter(Kind kind)
{
    switch (kind) {
    case Kind::Positive: return 'P';
    case Kind::Negative: return 'N';
    case Kind::Neutral: return 'U';
    case Kind::None: break;
    }
    return '-';
}

void say(const std::string& line)
{
    std::cout << line << std::endl;  // endl: the test waits for each whole line
}

void shortenRow(frmDovrel& w)
{
    constexpr int Left = 12;
    for (int k = 0; k < RowLength - Left; ++k)
        w.clearToken(k);
    for (int k = RowLength - Left; k < RowLength; ++k)
        w.showToken(k, k % 3 == 0 ? Kind::Positive : Kind::Neutral);
    w.game().NextToken = RowLength - Left;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dovrel"));
    const bool speech = argc > 1 && std::string(argv[1]) == "--speech";
    int status = 0;
    {
        std::unique_ptr<FreshProgram> program;
        if (speech)
            freshProgram();
        else
            program = std::make_unique<FreshProgram>();
        Module1& m = Module1::instance();
        m.PlayerName[1] = QStringLiteral("Ann");
        m.PlayerName[2] = speech ? QStringLiteral("Computer") : QStringLiteral("Bob");
        m.VsComputer = speech ? True : False;
        frmDovrel& w = forms::main();
        // With no window manager to hand it over, the window takes the
        // activation itself, and with it its first deal.
        while (!speech && !activate(w))
            std::cerr << "accessibility_probe: the board is not active yet" << std::endl;

        QTimer watch;
        bool dealt = false;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (w.busy())
                return;
            Game& g = w.game();
            if (!dealt && w.tokenKind(73) == Kind::Negative) {
                dealt = true;
                // A negative token can draw the ultimate penalty, which ends
                // the game in the middle of the take: the four tokens that
                // test_accessibility takes are none of them negative.
                for (int k = 0; !speech && k < 4; ++k) {
                    if (w.tokenKind(k) == Kind::Negative)
                        w.showToken(k, Kind::Neutral);
                }
                std::string kinds;
                for (int k = 0; k <= 73; ++k)
                    kinds += letter(w.tokenKind(k));
                say("dealt " + kinds);
            } else if (!speech && dealt && g.NextToken > 0) {
                watch.stop();
                say("took " + std::to_string(g.NextToken) + ' ' + w.caption(Ctl::lblScore, 1).toStdString());
            }
        });
        watch.start(10);

        QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
        QObject::connect(&input, &QSocketNotifier::activated, [&] {
            char buffer[256];
            const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
            const std::string command = n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
            if (command.find("short") != std::string::npos && !w.busy()) {
                shortenRow(w);
                say("short");
            }
            if (command.find("state") != std::string::npos) {
                // For a test that waited in vain: what the board has come to.
                say("state visible " + std::to_string(static_cast<QWidget&>(w).isVisible()) + " active "
                    + std::to_string(QApplication::activeWindow() == &w) + " busy " + std::to_string(w.busy())
                    + " dealt " + std::to_string(dealt) + " next " + std::to_string(w.game().NextToken) + " take '"
                    + w.txtPick->text().toStdString() + "' " + std::to_string(w.txtPick->isEnabled()) + " ok "
                    + std::to_string(w.cmdOK->isEnabled()));
            }
            if (n <= 0 || command.find("quit") != std::string::npos) {
                input.setEnabled(false);
                // Quitting closes the windows, and the board would ask first.
                m.CloseReason = QStringLiteral("Out for Good");
                QApplication::quit();
            }
        });
        status = QApplication::exec();
    }
    return status;
}
