// The board for test_accessibility.py: a match of Ann against Bob on the
// platform the environment names, on a virtual clock so that a take waits for
// no real seconds. It says on its output what the test cannot read off the
// accessibility bus by itself:
//   dealt PNU...   the kind of each token's picture, P, N or U (neutral), after the deal;
//   took N S       once a take has handed over: the tokens taken so far and Ann's score.
// A line "quit" on its input, or the input's end, closes the program.
#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <iostream>
#include <string>
#include <unistd.h>

#include "app/module1.h"
#include "gui_support.h"
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

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dovrel"));
    int status = 0;
    {
        FreshProgram program;
        Module1& m = Module1::instance();
        m.PlayerName[1] = QStringLiteral("Ann");
        m.PlayerName[2] = QStringLiteral("Bob");
        frmDovrel& w = forms::main();
        // With no window manager to hand it over, the window takes the
        // activation itself, and with it its first deal.
        while (!activate(w))
            std::cerr << "accessibility_probe: the board is not active yet" << std::endl;

        QTimer watch;
        bool dealt = false;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (w.busy())
                return;
            Game& g = w.game();
            if (!dealt && w.tokenKind(73) == Kind::Negative) {
                dealt = true;
                std::string kinds;
                for (int k = 0; k <= 73; ++k)
                    kinds += letter(w.tokenKind(k));
                say("dealt " + kinds);
            } else if (dealt && g.NextToken > 0) {
                watch.stop();
                say("took " + std::to_string(g.NextToken) + ' ' + w.caption(Ctl::lblScore, 1).toStdString());
            }
        });
        watch.start(10);

        QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
        QObject::connect(&input, &QSocketNotifier::activated, [&] {
            char buffer[256];
            const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0 || std::string(buffer, static_cast<size_t>(n)).find("quit") != std::string::npos) {
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
