// Takes played in the real window on the offscreen platform, on a virtual
// clock: the keyboard path, and closing the window while a take runs.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/module1.h"
#include "gui_support.h"
#include "sound_support.h"
#include "ui/drawn_items.h"
#include "ui/frmDovrel.h"
#include "ui/sound.h"
#include <QAction>
#include "ui/twips.h"
#include "virtual_clock.h"

using namespace dovrel;
using namespace dovrel::testing;

namespace {

// Calls back whenever the player frame moves.
class MoveWatcher final : public QObject {
public:
    MoveWatcher(QWidget* w, std::function<void(int)> onMove) : onMove_(std::move(onMove)) { w->installEventFilter(this); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Move)
            onMove_(static_cast<QWidget*>(o)->x());
        return false;
    }

private:
    std::function<void(int)> onMove_;
};

}  // namespace

class TakeWindowTest : public WindowTest {
    Q_OBJECT
private slots:
    void keyboardTakeHandsOver();
    void accessKeyOptionTakes();
    void closingBeforeATokenStopsTheReveal();
    void closingInTheScorePauseStopsTheTake();
    void closingDuringTheSlideStopsIt();
    void answeringNoDuringARevealLetsItFinish();
    void takeConfirmedDuringTheSlideWaitsForIt();
    void speedChangedDuringAPauseCountsAtOnce();
    void soundOnWithoutCueFilesPlaysSilently();
};

void TakeWindowTest::keyboardTakeHandsOver()
{
    frmDovrel& w = openNeutralGame();
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.txtPick));
    QTest::keyClick(w.txtPick, Qt::Key_4);
    QVERIFY(w.cmdOK->isEnabled());
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.cmdOK));
    QTest::keyClick(w.cmdOK, Qt::Key_Return);

    Game& g = w.game();
    QCOMPARE(g.NextToken, int16_t(4));
    QCOMPARE(w.lblScore[1]->text(), QStringLiteral("40"));
    QCOMPARE(g.CurrentPlayer, int16_t(2));
    QCOMPARE(w.fraPlayer->x(), px(RightSide));
    QCOMPARE(w.fraPlayer->title(), QStringLiteral("Bob"));
    QVERIFY(w.txtPick->text().isEmpty());
    QVERIFY(!w.cmdOK->isEnabled());
    QVERIFY(w.cmdQuit->isEnabled());
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.txtPick));
    for (int k = 0; k < 4; ++k)
        QVERIFY(w.imgImage[k]->picture().isNull());
    QVERIFY(!w.imgStart->isVisible());
    // The take took its pauses on the clock, not in real time: 4 + 2 of a second.
    QCOMPARE(clock().slept(), 4.0);
    QVERIFY(clock().waited() >= 2.0);
}

void TakeWindowTest::accessKeyOptionTakes()
{
    frmDovrel& w = openNeutralGame();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&w));
    QTest::keyClick(&w, Qt::Key_6, Qt::AltModifier);
    QTRY_VERIFY(w.optPick[6]->isChecked());  // an access key clicks after a short flash
    QCOMPARE(w.txtPick->text(), QStringLiteral("6"));
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.cmdOK));
    QTest::keyClick(w.cmdOK, Qt::Key_Space);
    QCOMPARE(w.game().NextToken, int16_t(6));
    QVERIFY(!w.optPick[6]->isChecked());
}

void TakeWindowTest::closingBeforeATokenStopsTheReveal()
{
    QPointer<frmDovrel> w = &openNeutralGame();
    w->txtPick->setText(QStringLiteral("6"));
    // The close arrives at the first point where the take handles events.
    QTimer::singleShot(0, w, [w] { w->close(); });
    auto answer = answerNextBox(QMessageBox::Yes);
    w->cmdOK->click();
    QVERIFY(answer->seen);
    QVERIFY(!forms::mainIfLoaded());
    QVERIFY(!w.isNull());
    QCOMPARE(w->tokenKind(0), Kind::Neutral);  // not one token was turned
    QCOMPARE(clock().slept(), 0.0);
    settle();
    QVERIFY(w.isNull());
}

void TakeWindowTest::closingInTheScorePauseStopsTheTake()
{
    QPointer<frmDovrel> w = &openNeutralGame();
    const int frameAt = w->fraPlayer->x();
    w->txtPick->setText(QStringLiteral("2"));
    std::shared_ptr<BoxAnswer> answer;
    clock().after(0.0, [w, &answer] {
        answer = answerNextBox(QMessageBox::Yes);
        w->close();
    });
    w->cmdOK->click();
    QVERIFY(answer && answer->seen);
    QVERIFY(!w.isNull());
    QCOMPARE(w->tokenKind(1), Kind::None);        // both tokens were turned
    QCOMPARE(w->lblScore[1]->text(), QStringLiteral("0"));  // but the score never came
    QCOMPARE(w->fraPlayer->x(), frameAt);  // no hand-over began
    settle();
    QVERIFY(w.isNull());
}

void TakeWindowTest::closingDuringTheSlideStopsIt()
{
    QPointer<frmDovrel> w = &openNeutralGame();
    int stoppedAt = -1;
    bool closing = false;
    std::shared_ptr<BoxAnswer> answer;
    MoveWatcher watch(w->fraPlayer, [&](int x) {
        if (!closing && x > 200) {
            closing = true;
            answer = answerNextBox(QMessageBox::Yes);
            QTimer::singleShot(0, w, [w] { w->close(); });
        }
        stoppedAt = x;
    });
    w->txtPick->setText(QStringLiteral("2"));
    w->cmdOK->click();
    QVERIFY(answer && answer->seen);
    QVERIFY(stoppedAt > 200 && stoppedAt < px(RightSide));
    QVERIFY(!w.isNull());
    QVERIFY(w->cmdQuit->isEnabled() == false);  // the hand-over never finished
    settle();
    QVERIFY(w.isNull());
}

void TakeWindowTest::answeringNoDuringARevealLetsItFinish()
{
    frmDovrel& w = openNeutralGame();
    w.txtPick->setText(QStringLiteral("4"));
    QTimer::singleShot(0, &w, [&w] { w.close(); });
    auto answer = answerNextBox(QMessageBox::No);
    w.cmdOK->click();
    QVERIFY(answer->seen);
    QCOMPARE(forms::mainIfLoaded(), &w);
    QCOMPARE(w.game().NextToken, int16_t(4));
    QCOMPARE(w.game().CurrentPlayer, int16_t(2));
    QCOMPARE(w.fraPlayer->x(), px(RightSide));
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.txtPick));
}

void TakeWindowTest::takeConfirmedDuringTheSlideWaitsForIt()
{
    frmDovrel& w = openNeutralGame();
    bool typed = false;
    QList<int> positions;
    MoveWatcher watch(w.fraPlayer, [&](int x) {
        positions << x;
        if (!typed && x > 200) {
            typed = true;
            // Bob types 2 and presses Enter while the frame still moves.
            QTimer::singleShot(0, &w, [&w] {
                QTest::keyClick(w.txtPick, Qt::Key_2);
                QTest::keyClick(w.cmdOK, Qt::Key_Return);
            });
        }
    });
    w.txtPick->setText(QStringLiteral("2"));
    w.cmdOK->click();
    QVERIFY(typed);
    QCOMPARE(w.game().NextToken, int16_t(4));
    QCOMPARE(w.game().Score[2], int16_t(20));
    QCOMPARE(w.game().CurrentPlayer, int16_t(1));
    QCOMPARE(w.fraPlayer->x(), px(LeftSide));
    QCOMPARE(w.fraPlayer->title(), QStringLiteral("Ann"));
    // The frame went right all the way before it came back.
    const int turn = static_cast<int>(positions.indexOf(px(RightSide)));
    QVERIFY(turn > 0);
    for (int i = 1; i <= turn; ++i)
        QVERIFY(positions[i] >= positions[i - 1]);
}

void TakeWindowTest::speedChangedDuringAPauseCountsAtOnce()
{
    Module1::instance().VsComputer = True;
    frmDovrel& w = openNeutralGame(QStringLiteral("Computer"));
    w.txtPick->setText(QStringLiteral("2"));
    // Ann's take pauses for four seconds at normal speed; a quarter of a second
    // into the computer's first pause, the speed goes to the fastest.
    const double start = clock().now();
    clock().after(4.25, [&w] { w.optFastest->click(); });
    double computerWrote = -1;  // its take into the box, when its first pause ended
    connect(w.txtPick, &QLineEdit::textChanged, &w, [&](const QString& text) {
        if (!text.isEmpty() && computerWrote < 0)
            computerWrote = clock().now() - start;
    });
    w.cmdOK->click();
    QCOMPARE(qRound(computerWrote * 1000), 4500);  // half a second after it began, not a whole one
}

void TakeWindowTest::soundOnWithoutCueFilesPlaysSilently()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
    QTemporaryDir empty;
    SoundCues::instance().setEngineMaker(audioModule());
    Module1& m = Module1::instance();
    frmDovrel& w = openNeutralGame();
    m.SoundDir = empty.path() + QLatin1Char('/');
    StderrCapture err;
    w.mnuSound->trigger();
    QCOMPARE(m.SoundOn, True);
    w.txtPick->setText(QStringLiteral("6"));
    w.cmdOK->click();
    QCOMPARE(w.game().NextToken, int16_t(6));
    QCOMPARE(w.game().CurrentPlayer, int16_t(2));
    // Every cue was tried, and not one complained.
    QVERIFY(SoundCues::instance().shutDown(QDeadlineTimer::Forever));
    QCOMPARE(err.finish(), QByteArray());
}

QTEST_MAIN(TakeWindowTest)
#include "test_take_window.moc"
