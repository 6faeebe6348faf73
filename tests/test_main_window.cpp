// The main window on the offscreen platform: its life cycle, the activation
// rule, and closing it while it is busy.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "app/module1.h"
#include "gui_support.h"
#include "ui/drawn_items.h"
#include "ui/frmDovrel.h"

using namespace dovrel;
using namespace dovrel::testing;

class MainWindowTest : public WindowTest {
    Q_OBJECT
private slots:
    void opensWithTheLayoutsStartingState();
    void firstShowDealsOneRow();
    void tokensShareTheTemplatesPictures();
    void namesAreShownExactlyAsTyped();
    void optionsMenuActsOnTheWindow();

    void exitQuestionYesClosesTheWindow();
    void exitQuestionNoKeepsTheSameBoard();
    void closeReasonClosesWithoutAQuestion();
    void quitAndExitAskTheSameQuestion();

    void closingAMessageBoxDealsNoRow();
    void openingAndClosingAMenuDealsNoRow();
    void comingBackFromAnotherProgramDealsNoRow();
    void comingBackFromAnotherFormDealsOneRow();
    void comingBackFromAboutDealsNoRow();

    void closingDuringTheDealStopsIt();

private:
    // Empties token 0, so a new deal shows by filling it again.
    void markBoard(frmDovrel& w) { w.clearToken(0); }
    bool dealtSinceMark(frmDovrel& w) { return w.tokenKind(0) != Kind::None; }
    QList<Kind> rowOf(frmDovrel& w)
    {
        QList<Kind> row;
        for (int k = 0; k < RowLength; ++k)
            row << w.tokenKind(k);
        return row;
    }
};

void MainWindowTest::opensWithTheLayoutsStartingState()
{
    Module1::instance().PlayerName[1] = QStringLiteral("Player 1");
    Module1::instance().PlayerName[2] = QStringLiteral("Player 2");
    frmDovrel& w = forms::main();
    // Before the first deal nothing is drawn in the token cells.
    for (int k = 0; k <= 73; ++k)
        QVERIFY(w.imgImage[k]->picture().isNull());
    QVERIFY(w.imgStart->isVisible() && w.imgKey->isVisible() && w.imgLogo->isVisible());
    for (QWidget* hidden : {static_cast<QWidget*>(w.cmdImmed), static_cast<QWidget*>(w.lblImmed),
                            static_cast<QWidget*>(w.shpImmed), static_cast<QWidget*>(w.imgNeg),
                            static_cast<QWidget*>(w.imgNeutral), static_cast<QWidget*>(w.imgPos)})
        QVERIFY(!hidden->isVisible());
    QVERIFY(!w.cmdOK->isEnabled());
    for (int i : {2, 4, 6})
        QVERIFY(!w.optPick[i]->isChecked());
    // Form_Load's speed choice: Normal on the first start.
    QVERIFY(w.optNormal->isChecked());
    QCOMPARE(Module1::instance().StepDelay, 1.0f);
    QVERIFY(w.mnuViewKey->isChecked());
    QCOMPARE(w.mnuSound->text(), QStringLiteral("Turn &Sound On"));
    QCOMPARE(w.board->size(), QSize(619, 394));
    // Access-key labels lead somewhere.
    QCOMPARE(w.Label1->buddy(), static_cast<QWidget*>(w.txtPick));
    QVERIFY(w.lblSpeed->buddy() != nullptr);
}

void MainWindowTest::firstShowDealsOneRow()
{
    frmDovrel& w = openMainWindow();
    const QList<Kind> row = rowOf(w);
    QVERIFY(!row.contains(Kind::None));
    QCOMPARE(w.game().NextToken, int16_t(0));
    markBoard(w);
    QTest::qWait(20);
    QVERIFY(!dealtSinceMark(w));  // one deal, not two
    // The next program's window, seeded from the clock in turn, deals a row of its own.
    freshProgram();
    QVERIFY2(rowOf(openMainWindow()) != row, "two windows dealt the same row");
}

void MainWindowTest::tokensShareTheTemplatesPictures()
{
    frmDovrel& w = openMainWindow();
    w.showToken(3, Kind::Positive);
    QCOMPARE(w.imgImage[3]->picture().cacheKey(), w.imgPos->picture().cacheKey());
    QCOMPARE(w.tokenKind(3), Kind::Positive);
    // The same pixels in another picture object are not the same kind.
    w.imgImage[3]->setPicture(w.imgPos->picture().copy());
    QCOMPARE(w.tokenKind(3), Kind::None);
    w.clearToken(3);
    QCOMPARE(w.tokenKind(3), Kind::None);
}

void MainWindowTest::namesAreShownExactlyAsTyped()
{
    frmDovrel& w = openMainWindow(QStringLiteral("<b>Al</b>"), QStringLiteral("R&D"));
    QCOMPARE(w.lblPlayer[1]->text(), QStringLiteral("<b>Al</b>"));
    QCOMPARE(w.lblPlayer[1]->textFormat(), Qt::PlainText);
    QCOMPARE(w.lblPlayer[2]->text(), QStringLiteral("R&D"));
    // The frame names player 1; make it name "R&D" and check no access key appears.
    w.setCaption(Ctl::fraPlayer, QStringLiteral("R&D"));
    QCOMPARE(w.caption(Ctl::fraPlayer), QStringLiteral("R&D"));
    QVERIFY(QKeySequence::mnemonic(w.fraPlayer->title()).isEmpty());
}

void MainWindowTest::optionsMenuActsOnTheWindow()
{
    frmDovrel& w = openMainWindow();
    Module1& m = Module1::instance();

    w.mnuViewKey->trigger();
    QVERIFY(!w.mnuViewKey->isChecked());
    QVERIFY(!w.imgKey->isVisible());
    w.mnuViewKey->trigger();
    QVERIFY(w.imgKey->isVisible());

    // A desktop that moves access keys rewrites the shown text; the toggle
    // must still know which way it stands.
    w.mnuSound->setText(QStringLiteral("Turn Sound &On"));
    w.mnuSound->trigger();
    QCOMPARE(m.SoundOn, int16_t(True));
    QCOMPARE(w.mnuSound->text(), QStringLiteral("Turn &Sound Off"));
    w.mnuSound->trigger();
    QCOMPARE(m.SoundOn, int16_t(False));
    QCOMPARE(w.mnuSound->text(), QStringLiteral("Turn &Sound On"));
}

void MainWindowTest::exitQuestionYesClosesTheWindow()
{
    QPointer<frmDovrel> w = &openMainWindow();
    auto answer = answerNextBox(QMessageBox::Yes);
    w->close();
    QVERIFY(answer->seen);
    QCOMPARE(answer->text, QStringLiteral("Quit this game of ''Dovrel'' ?"));
    QCOMPARE(answer->title, QStringLiteral("Exit Check..."));
    QCOMPARE(answer->defaultButton, QMessageBox::No);
    QVERIFY(!forms::mainIfLoaded());
    settle();
    QVERIFY(w.isNull());
}

void MainWindowTest::exitQuestionNoKeepsTheSameBoard()
{
    frmDovrel& w = openMainWindow();
    const QList<Kind> before = rowOf(w);
    auto answer = answerNextBox(QMessageBox::No);
    w.close();
    QVERIFY(answer->seen);
    QTest::qWait(30);
    QCOMPARE(forms::mainIfLoaded(), &w);
    QVERIFY(w.QWidget::isVisible());
    QCOMPARE(rowOf(w), before);
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.txtPick));
}

void MainWindowTest::closeReasonClosesWithoutAQuestion()
{
    QPointer<frmDovrel> w = &openMainWindow();
    Module1::instance().CloseReason = QStringLiteral("NO CLICK");
    auto answer = answerNextBox(QMessageBox::No);
    w->close();
    QVERIFY(!forms::mainIfLoaded());
    QTest::qWait(10);
    QVERIFY(!answer->seen);
    QCOMPARE(Module1::instance().CloseReason, QStringLiteral("NO CLICK"));
}

void MainWindowTest::quitAndExitAskTheSameQuestion()
{
    frmDovrel& w = openMainWindow();
    auto viaQuit = answerNextBox(QMessageBox::No);
    w.cmdQuit->click();
    QVERIFY(viaQuit->seen);
    auto viaExit = answerNextBox(QMessageBox::No);
    w.mnuExit->trigger();
    QVERIFY(viaExit->seen);
    QCOMPARE(viaExit->text, viaQuit->text);
    QCOMPARE(forms::mainIfLoaded(), &w);
}

void MainWindowTest::closingAMessageBoxDealsNoRow()
{
    frmDovrel& w = openMainWindow();
    markBoard(w);
    auto answer = answerNextBox(QMessageBox::Ok);
    w.msgBox(QStringLiteral("A message"), MsgStyle::OkOnly, QStringLiteral("Title"));
    QVERIFY(answer->seen);
    QVERIFY(activate(w));  // what the window manager does when the box has gone
    QTest::qWait(30);
    QVERIFY(!dealtSinceMark(w));
}

void MainWindowTest::openingAndClosingAMenuDealsNoRow()
{
    frmDovrel& w = openMainWindow();
    markBoard(w);
    w.mnuOptions->popup(w.mapToGlobal(QPoint(10, 10)));
    QTRY_VERIFY(w.mnuOptions->isVisible());
    QTest::qWait(10);
    w.mnuOptions->close();
    QApplication::setActiveWindow(&w);
    QTest::qWait(30);
    QVERIFY(!dealtSinceMark(w));
}

void MainWindowTest::comingBackFromAnotherProgramDealsNoRow()
{
    frmDovrel& w = openMainWindow();
    markBoard(w);
    QApplication::setActiveWindow(nullptr);
    QTest::qWait(10);
    QApplication::setActiveWindow(&w);
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&w));
    QTest::qWait(30);
    QVERIFY(!dealtSinceMark(w));
}

void MainWindowTest::comingBackFromAnotherFormDealsOneRow()
{
    frmDovrel& w = openMainWindow();
    OtherForm other;
    other.show();
    QVERIFY(activate(other));
    QTRY_COMPARE(other.activations, 1);
    markBoard(w);
    w.game().Score[1] = 40;
    QVERIFY(activate(w));
    QTRY_VERIFY(dealtSinceMark(w));
    QCOMPARE(w.game().Score[1], int16_t(0));
    // Exactly one deal.
    QTRY_VERIFY(!w.busy());
    markBoard(w);
    QTest::qWait(30);
    QVERIFY(!dealtSinceMark(w));
    other.unload();
}

void MainWindowTest::comingBackFromAboutDealsNoRow()
{
    frmDovrel& w = openMainWindow();
    {
        // A box of the program's own that sets the About flag as it loads.
        OtherForm about;
        Module1::instance().AboutFlag = QStringLiteral("ABOUT");
        about.show();
        QVERIFY(activate(about));
        markBoard(w);
        about.unload();
    }
    QVERIFY(activate(w));
    QTRY_VERIFY(Module1::instance().AboutFlag.isEmpty());
    QTest::qWait(30);
    QVERIFY(!dealtSinceMark(w));
}

void MainWindowTest::closingDuringTheDealStopsIt()
{
    QPointer<frmDovrel> w = &openMainWindow();
    for (int k = 0; k <= 73; ++k)
        w->clearToken(k);
    // The close arrives while the deal handles events, and the user answers Yes.
    QTimer::singleShot(0, w, [w] { w->close(); });
    auto answer = answerNextBox(QMessageBox::Yes);
    w->Form_Activate();
    QVERIFY(answer->seen);
    QVERIFY(!forms::mainIfLoaded());
    QVERIFY(!w.isNull());  // still there for the stack to unwind through
    QVERIFY(w->imgImage[72]->picture().isNull());  // the deal stopped short
    QVERIFY(w->imgImage[73]->picture().isNull());
    settle();
    QVERIFY(w.isNull());
}

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
