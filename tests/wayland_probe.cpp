// The game for test_wayland.py: started on the Wayland compositor that the
// environment names, it plays a match's way through from inside, since no
// input can be sent to a compositor from outside: the setup dialog, the deal,
// a take, a game's end and the next game, the About box, the winner dialog
// with New Game, and Exit with its question. A virtual clock keeps the takes
// from waiting real seconds; every window must still come up as a surface of
// the compositor. It says on its output what happened:
//   active             the compositor has activated the main window;
//   box TITLE          a message box came up over the main window, answered;
//   end N              the program's exit code, after its last window closed;
//   FAIL: WHY          and it ends with 1.
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <iostream>
#include <string>

#include "app/module1.h"
#include "ui/drawn_items.h"
#include "ui/forms.h"
#include "ui/frmAbout.h"
#include "ui/frmDovrel.h"
#include "ui/frmSetup.h"
#include "ui/frmWinner.h"
#include "ui/style.h"
#include "virtual_clock.h"

using namespace dovrel;
using namespace dovrel::testing;

namespace {

// Generous: only a hung program or a compositor that never answers waits this long.
constexpr int Patience = 30000;

struct Failed {
    std::string why;
};

bool failed = false;

void say(const std::string& line)
{
    std::cout << line << std::endl;  // endl: the test reads each whole line
}

// Inside handlers Qt calls, where nothing may be thrown: noted, and the
// program ends with 1 once its loops have unwound.
bool expect(bool ok, const std::string& why)
{
    if (!ok && !failed) {
        failed = true;
        say("FAIL: " + why);
        QApplication::exit(1);
    }
    return ok;
}

// In the play itself, which stops at the first fault.
void check(bool ok, const std::string& why)
{
    if (!ok)
        throw Failed{why};
}

bool waitFor(const std::function<bool()>& done)
{
    return QTest::qWaitFor(done, Patience);
}

void waitFor(const std::function<bool()>& done, const std::string& what)
{
    check(waitFor(done), "waited in vain for " + what);
}

// Shown by the compositor: it has configured the surface and the window is
// on screen, not merely shown inside the program.
bool exposed(QWidget* w)
{
    return waitFor([w] { return w->windowHandle() && w->windowHandle()->isExposed(); });
}

void waitExposed(QWidget* w, const std::string& what)
{
    check(exposed(w), what + " never came on screen");
}

bool transientFor(const QWidget* child, const QWidget* owner)
{
    const QWindow* handle = child->windowHandle();
    return handle && owner->windowHandle() && handle->transientParent() == owner->windowHandle();
}

// The row as dealt: a second deal shows as another row.
std::string row(const frmDovrel& w)
{
    std::string kinds;
    for (int k = 0; k <= 73; ++k)
        kinds += static_cast<char>('0' + static_cast<int>(w.tokenKind(k)));
    return kinds;
}

void waitForDeal(frmDovrel& w, const std::string& what)
{
    waitFor([&w] { return !w.busy() && w.game().NextToken == 0 && w.tokenKind(73) == Kind::Negative; }, what);
}

// Answers every message box once the compositor shows it: Yes where it asks,
// OK where it tells; it must stand over the main window.
class BoxAnswerer final : public QObject {
public:
    BoxAnswerer() { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        auto* box = qobject_cast<QMessageBox*>(o);
        if (!box || e->type() != QEvent::Show)
            return false;
        QTimer::singleShot(0, box, [box] {
            const frmDovrel* main = forms::mainIfLoaded();
            expect(exposed(box), "the message box never came on screen");
            expect(main && transientFor(box, main), "the message box stands over no main window");
            say("box " + box->windowTitle().toStdString());
            QAbstractButton* answer = box->button(QMessageBox::Yes);
            box->button(answer ? QMessageBox::Yes : QMessageBox::Ok)->click();
        });
        return false;
    }
};

frmDovrel& startMatch(frmSetup& setup)
{
    waitExposed(&setup, "the setup dialog");
    setup.Option1->setChecked(true);  // two players
    setup.txtPlayer1->setText(QStringLiteral("Ann"));
    setup.txtPlayer2->setText(QStringLiteral("Bob"));
    setup.cmdDone->click();
    frmDovrel* main = forms::mainIfLoaded();
    check(main, "Done opened no main window");
    waitExposed(main, "the main window");
    // Whether or not the compositor activates it, the board gets its row.
    waitForDeal(*main, "the first deal");
    return *main;
}

// The player to move takes the last two tokens of the row, made positive:
// no penalty can strike, and they win the game over a neutral take.
void endGame(frmDovrel& w)
{
    w.game().NextToken = 72;
    w.showToken(72, Kind::Positive);
    w.showToken(73, Kind::Positive);
    w.txtPick->setText(QStringLiteral("2"));
    w.cmdOK->click();
}

void play(bool expectActivation)
{
    forms::setup().showModeless();
    frmDovrel* w = &startMatch(forms::setup());
    const std::string dealt = row(*w);

    // A take, of tokens that cannot be the penalty.
    w->showToken(0, Kind::Neutral);
    w->showToken(1, Kind::Neutral);
    w->txtPick->setText(QStringLiteral("2"));
    w->cmdOK->click();
    check(w->game().NextToken == 2 && !w->busy(), "the take did not play");

    // The activation that the compositor gives the new window, however late,
    // deals no second row.
    if (expectActivation) {
        waitFor([w] { return QApplication::activeWindow() == w; }, "the compositor to activate the main window");
        say("active");
        QTest::qWait(0);
        check(w->game().NextToken == 2 && row(*w).substr(2) == dealt.substr(2), "the activation dealt again");
    }

    // A game's end, its message, and the next game.
    endGame(*w);
    waitForDeal(*w, "the next game's deal");
    check(w->game().Wins[1] + w->game().Wins[2] == 1, "the decided game was not counted");

    // The About box, over the board, and back to the same game.
    const std::string before = row(*w);
    QTimer::singleShot(0, w, [w] {
        frmAbout* about = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* a = qobject_cast<frmAbout*>(window); a && a->isVisible())
                about = a;
        }
        if (!expect(about, "the About box did not open"))
            return;
        expect(exposed(about), "the About box never came on screen");
        expect(transientFor(about, w), "the About box stands over no main window");
        about->cmdOK->click();
    });
    w->mnuAbout->trigger();
    if (expectActivation)
        waitFor([w] { return QApplication::activeWindow() == w; }, "the board's activation after the About box");
    QTest::qWait(0);
    check(row(*w) == before && Module1::instance().AboutFlag.isEmpty(), "coming back from the About box changed the game");

    // The match's end: the winner dialog, and New Game.
    w->game().Wins[1] = 2;
    w->game().Wins[2] = 2;
    endGame(*w);
    frmWinner* winner = forms::winnerIfLoaded();
    check(winner, "the third win opened no winner dialog");
    waitExposed(winner, "the winner dialog");
    // It has no owner: a click on the board brings the board in front of it.
    check(!transientFor(winner, w), "the winner dialog is held over the board");
    winner->cmdNew->click();
    frmSetup* setup = forms::setupIfLoaded();
    check(setup && !forms::mainIfLoaded(), "New Game did not go back to the setup dialog");

    // The next match, left through Exit and its question.
    w = &startMatch(*setup);
    w->mnuExit->trigger();
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dovrel"));
    const bool expectActivation = app.arguments().contains(QStringLiteral("--activated"));
    if (QGuiApplication::platformName() != QLatin1String("wayland")) {
        say("FAIL: running on " + QGuiApplication::platformName().toStdString() + ", not on Wayland");
        return 1;
    }
    VirtualClock clock;
    installFonts();
    forms::install();
    BoxAnswerer answerer;

    QTimer::singleShot(0, qApp, [&] {
        try {
            play(expectActivation);
        } catch (const Failed& f) {
            expect(false, f.why);
        }
    });
    const int status = QApplication::exec();
    say("end " + std::to_string(status));
    return failed ? 1 : status;
}
