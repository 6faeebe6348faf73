// The end of a match and the way into the next one, in the real windows on the
// offscreen platform: the winner dialog, New Game, and the exit question.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "app/module1.h"
#include "gui_support.h"
#include "ui/drawn_items.h"
#include "ui/frmAbout.h"
#include "ui/frmDovrel.h"
#include "ui/frmSetup.h"
#include "ui/frmWinner.h"
#include "ui/twips.h"
#include "virtual_clock.h"

using namespace dovrel;
using namespace dovrel::testing;

namespace {

// Ann's game against Bob or the computer, every token neutral.
frmDovrel& openMatch(bool vsComputer = false)
{
    Module1::instance().VsComputer = vsComputer ? True : False;
    return openNeutralGame(vsComputer ? QStringLiteral("Computer") : QStringLiteral("Bob"));
}

// Ann, with two wins, takes the last two tokens of the row and the match.
// Returns the winner dialog, null should none open: check it with QVERIFY.
frmWinner* winMatch(frmDovrel& w)
{
    w.game().Wins[1] = 2;
    w.game().NextToken = 72;
    w.txtPick->setText(QStringLiteral("2"));
    w.cmdOK->click();
    return forms::winnerIfLoaded();
}

// Answers every message box with OK the moment it shows, and counts them.
class OkToEveryBox final : public QObject {
public:
    OkToEveryBox() { qApp->installEventFilter(this); }
    int seen = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (auto* box = qobject_cast<QMessageBox*>(o); box && e->type() == QEvent::Show) {
            ++seen;
            QTimer::singleShot(0, box, [box] { box->button(QMessageBox::Ok)->click(); });
        }
        return false;
    }
};

// Opens the About box and closes it again as soon as it shows.
void glanceAtAbout(frmDovrel& w)
{
    QTimer::singleShot(0, &w, [] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* about = qobject_cast<frmAbout*>(window); about && about->isVisible())
                about->cmdOK->click();
        }
    });
    w.mnuAbout->trigger();
}

}  // namespace

class MatchWindowTest : public WindowTest {
    Q_OBJECT
private slots:
    void winnerDialogStandsOverTheMainWindowAndBlinks();
    void winnerNewGameLeadsToANewMatch_data();
    void winnerNewGameLeadsToANewMatch();
    void winnerExitEndsTheProgramWithoutAQuestion();
    void winnerDialogGoesWithItsMainWindow();

    void newGameAnsweredNoChangesNothing();
    void newGameDuringTheComputersPauseAbandonsIt();
    void newGameDuringTheSlideAbandonsIt();
    void menuOpenWhenTheComputersTakeBeginsCloses();
    void activationDuringATakeWaitsForItsEnd();
    void aboutDuringTheComputersLastTakeDecidesTheGameOnce();
};

void MatchWindowTest::winnerDialogStandsOverTheMainWindowAndBlinks()
{
    frmDovrel& w = openMatch();
    w.move(130, 70);
    frmWinner* dlg = winMatch(w);
    QVERIFY(dlg);
    QCOMPARE(w.lblWins[1]->text(), QStringLiteral("3 Wins"));

    const QRect main = w.frameGeometry();
    QCOMPARE(dlg->y(), main.y() + px(675));
    QVERIFY(qAbs(dlg->x() + dlg->width() / 2 - (main.x() + main.width() / 2)) <= 1);
    QVERIFY(dlg->isVisible());
    QCOMPARE(dlg->lblWinner->text(), QStringLiteral("Ann"));
    QCOMPARE(dlg->lblMessage->text(), QStringLiteral("takes the match\nwith 3 wins."));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dlg->cmdNew));
    // The main window waits behind it with its controls locked.
    QVERIFY(!w.fraPlayer->isEnabled() && !w.cmdQuit->isEnabled());

    QVERIFY(dlg->Timer1->isActive());
    QCOMPARE(dlg->Timer1->interval(), 500);
    // The name blinks: every other tick the dialog looks as it would with no
    // name on it at all, and the message stays.
    const QImage lit = dlg->grab().toImage();
    dlg->Timer1_Timer();
    const QImage unlit = dlg->grab().toImage();
    QVERIFY(unlit != lit);
    dlg->lblWinner->hide();
    QCOMPARE(dlg->grab().toImage(), unlit);
    dlg->lblWinner->show();
    dlg->Timer1_Timer();
    QCOMPARE(dlg->grab().toImage(), lit);
}

void MatchWindowTest::winnerNewGameLeadsToANewMatch_data()
{
    QTest::addColumn<bool>("vsComputer");
    QTest::newRow("two players") << false;
    QTest::newRow("against the computer") << true;
}

void MatchWindowTest::winnerNewGameLeadsToANewMatch()
{
    QFETCH(bool, vsComputer);
    QPointer<frmDovrel> old = &openMatch(vsComputer);
    QPointer<frmWinner> dlg = winMatch(*old);
    QVERIFY(dlg);
    QPointer<QTimer> blink = dlg->Timer1;

    auto unasked = answerNextBox(QMessageBox::No);
    QTest::keyClick(dlg->cmdNew, Qt::Key_Return);
    QVERIFY(!forms::mainIfLoaded() && !forms::winnerIfLoaded());
    frmSetup* setup = forms::setupIfLoaded();
    QVERIFY(setup && setup->isVisible());
    QCOMPARE(setup->txtPlayer1->text(), QStringLiteral("Ann"));
    QTRY_VERIFY((vsComputer ? setup->Option2 : setup->Option1)->isChecked());
    QCOMPARE(setup->txtPlayer2->text(), vsComputer ? QStringLiteral("Computer") : QStringLiteral("Bob"));
    QCOMPARE(setup->txtPlayer2->isReadOnly(), vsComputer);
    settle();
    QVERIFY(old.isNull() && dlg.isNull() && blink.isNull());  // the blink went with its dialog
    QVERIFY(!unasked->seen);

    // The new match begins from nothing, and closing it asks first.
    setup->cmdDone->click();
    frmDovrel* fresh = forms::mainIfLoaded();
    QVERIFY(fresh);
    QCOMPARE(fresh->lblWins[1]->text(), QStringLiteral("0 Wins"));
    QCOMPARE(fresh->game().Wins[1], int16_t(0));
    auto asked = answerNextBox(QMessageBox::No);
    fresh->close();
    QVERIFY(asked->seen);
    QCOMPARE(forms::mainIfLoaded(), fresh);
}

void MatchWindowTest::winnerExitEndsTheProgramWithoutAQuestion()
{
    QPointer<frmDovrel> w = &openMatch();
    frmWinner* dlg = winMatch(*w);
    QVERIFY(dlg);
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(dlg));
    auto unasked = answerNextBox(QMessageBox::No);
    QTest::keyClick(dlg, Qt::Key_X, Qt::AltModifier);
    QTRY_VERIFY(!forms::winnerIfLoaded());
    QVERIFY(!forms::mainIfLoaded() && !forms::setupIfLoaded());
    QTest::qWait(10);
    QVERIFY(!unasked->seen);
}

void MatchWindowTest::winnerDialogGoesWithItsMainWindow()
{
    frmDovrel& w = openMatch();
    QPointer<frmWinner> dlg = winMatch(w);
    QVERIFY(dlg);
    // Back on the board a game is dealt; then the players ask for a new match.
    w.activateWindow();
    QTRY_VERIFY(w.fraPlayer->isEnabled());
    QTRY_VERIFY(!w.busy());
    auto answer = answerNextBox(QMessageBox::Yes);
    w.mnuNewGame->trigger();
    QVERIFY(answer->seen);
    QVERIFY(!forms::winnerIfLoaded());
    QVERIFY(forms::setupIfLoaded());
    settle();
    QVERIFY(dlg.isNull());
}

void MatchWindowTest::newGameAnsweredNoChangesNothing()
{
    frmDovrel& w = openMatch();
    w.game().Wins[2] = 1;
    w.txtPick->setText(QStringLiteral("4"));
    w.cmdOK->click();
    const QString score = w.lblScore[1]->text();

    auto answer = answerNextBox(QMessageBox::No);
    w.mnuNewGame->trigger();
    QVERIFY(answer->seen);
    QCOMPARE(answer->title, QStringLiteral("New Game: Notice"));
    QCOMPARE(answer->text, QStringLiteral("Starting a new game will clear all scores and accumulated wins.\n\n"
                                          "Proceed with a new game?"));
    QCOMPARE(answer->defaultButton, QMessageBox::Yes);
    QTest::qWait(10);
    QCOMPARE(forms::mainIfLoaded(), &w);
    QVERIFY(!forms::setupIfLoaded());
    QCOMPARE(w.game().NextToken, int16_t(4));
    QCOMPARE(w.lblScore[1]->text(), score);
    QCOMPARE(w.game().Wins[2], int16_t(1));
    QCOMPARE(w.game().CurrentPlayer, int16_t(2));
}

void MatchWindowTest::newGameDuringTheComputersPauseAbandonsIt()
{
    QPointer<frmDovrel> w = &openMatch(true);
    w->txtPick->setText(QStringLiteral("2"));
    std::shared_ptr<BoxAnswer> answer;
    bool inComputersPause = false;
    // Two steps for Ann's take, then the slide, then the computer thinks.
    clock().after(2.0 + 2.5, [&] {
        inComputersPause = !w->txtPick->isEnabled() && w->game().CurrentPlayer == 2 && w->txtPick->font().bold();
        answer = answerNextBox(QMessageBox::Yes);
        w->mnuNewGame->trigger();
    });
    w->cmdOK->click();
    QVERIFY(inComputersPause);
    QVERIFY(answer && answer->seen);
    QVERIFY(!forms::mainIfLoaded());
    QVERIFY(!w.isNull());
    QCOMPARE(w->game().NextToken, int16_t(2));  // the computer's take never began
    QCOMPARE(w->tokenKind(2), Kind::Neutral);
    frmSetup* setup = forms::setupIfLoaded();
    QVERIFY(setup);
    QTRY_VERIFY(setup->Option2->isChecked());
    settle();
    QVERIFY(w.isNull());

    setup->cmdDone->click();
    frmDovrel* fresh = forms::mainIfLoaded();
    QVERIFY(fresh);
    QTRY_VERIFY(fresh->tokenKind(73) == Kind::Negative && !fresh->busy());
    QCOMPARE(fresh->game().CurrentPlayer, int16_t(1));
}

void MatchWindowTest::newGameDuringTheSlideAbandonsIt()
{
    QPointer<frmDovrel> w = &openMatch();
    std::shared_ptr<BoxAnswer> answer;
    QTimer* tick = new QTimer(w);
    // At a point where the slide handles events, pick New Game from the menu.
    connect(tick, &QTimer::timeout, w, [&] {
        if (w->fraPlayer->x() > 100 && !answer) {
            answer = answerNextBox(QMessageBox::Yes);
            w->mnuNewGame->trigger();
        }
    });
    tick->start(0);
    w->txtPick->setText(QStringLiteral("2"));
    w->cmdOK->click();
    QVERIFY(answer && answer->seen);
    QVERIFY(!w.isNull());
    QVERIFY(w->fraPlayer->x() < px(RightSide));  // the slide stopped half-way
    QVERIFY(!w->cmdQuit->isEnabled());
    QVERIFY(forms::setupIfLoaded());
    settle();
    QVERIFY(w.isNull());
}

void MatchWindowTest::menuOpenWhenTheComputersTakeBeginsCloses()
{
    frmDovrel& w = openMatch(true);
    w.txtPick->setText(QStringLiteral("2"));
    bool openInThePause = false;
    bool openInTheReveal = true;
    // The Help menu is opened while the computer thinks and left open.
    clock().after(2.0 + 2.5, [&] {
        w.mnuHelp->popup(w.mapToGlobal(QPoint(40, 0)));
        openInThePause = w.mnuHelp->isVisible();
        clock().after(3.0, [&] { openInTheReveal = w.mnuHelp->isVisible(); });
    });
    w.cmdOK->click();
    QVERIFY(openInThePause);
    QVERIFY(!openInTheReveal);
    QCOMPARE(w.game().NextToken, int16_t(8));
}

void MatchWindowTest::activationDuringATakeWaitsForItsEnd()
{
    // With the winner dialog open, the players can come back to the board in
    // the middle of a take; the take must end on the row it began on.
    frmDovrel& w = openMatch();
    w.txtPick->setText(QStringLiteral("2"));
    clock().after(0.5, [&] { w.Form_Activate(); });
    w.cmdOK->click();
    QCOMPARE(w.game().NextToken, int16_t(2));
    QCOMPARE(w.game().Score[1], int16_t(20));
    QCOMPARE(w.game().CurrentPlayer, int16_t(2));
    // Then the new game begins.
    QTRY_COMPARE(w.game().Score[1], int16_t(0));
    QTRY_VERIFY(!w.busy());
    QCOMPARE(w.game().NextToken, int16_t(0));
    QVERIFY(w.tokenKind(0) != Kind::None);
}

void MatchWindowTest::aboutDuringTheComputersLastTakeDecidesTheGameOnce()
{
    // Ann's take leaves the last two tokens to the computer, and she looks at
    // the About box while it thinks. She wins that game once, and the
    // computer, its loser, makes the first take of the next game, which stands.
    frmDovrel& w = openMatch(true);
    w.game().NextToken = 70;
    w.game().Score[1] = 100;
    OkToEveryBox boxes;
    bool aboutInThePause = false;
    clock().after(4.5, [&] {
        aboutInThePause = w.game().CurrentPlayer == 2 && !w.txtPick->isEnabled();
        glanceAtAbout(w);
    });
    w.txtPick->setText(QStringLiteral("2"));
    w.cmdOK->click();
    QTRY_VERIFY(!w.busy());
    settle();

    QVERIFY(aboutInThePause);
    QCOMPARE(boxes.seen, 1);
    QCOMPARE(w.lblWins[1]->text(), QStringLiteral("1 Win"));
    QCOMPARE(w.game().Wins[2], int16_t(0));
    QVERIFY(Module1::instance().AboutFlag.isEmpty());
    // The computer's take of the new row took tokens, or struck the penalty
    // and gave Ann that game too.
    const bool penalty = w.cmdImmed->isVisible();
    QCOMPARE(w.game().Wins[1], int16_t(penalty ? 2 : 1));
    QVERIFY(penalty || w.game().NextToken > 0);
    QCOMPARE(w.game().CurrentPlayer, int16_t(1));
}

QTEST_MAIN(MatchWindowTest)
#include "test_match_window.moc"
