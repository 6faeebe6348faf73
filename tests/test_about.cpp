// The About box over a game in progress: it holds the main window's input
// while it is up, the keys close it, and the game is as it was after it.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/module1.h"
#include "gui_support.h"
#include "ui/drawn_items.h"
#include "ui/frmAbout.h"
#include "ui/frmDovrel.h"

using namespace dovrel;
using namespace dovrel::testing;

namespace {

// Everything of a game that a stray new deal or a lost take would change.
QStringList gameState(frmDovrel& w)
{
    const Game& g = w.game();
    QStringList state;
    for (int k = 0; k <= 73; ++k)
        state << QString::number(int(w.tokenKind(k)));
    for (int n : {g.NextToken, g.CurrentPlayer, g.Score[1], g.Score[2], g.Wins[1], g.Wins[2]})
        state << QString::number(n);
    return state << w.lblScore[1]->text() << w.lblScore[2]->text() << w.fraPlayer->title();
}

// A mouse click that comes the way a user's does, through the window.
void clickThroughWindow(QWidget* target)
{
    QWidget* window = target->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      target->mapTo(window, target->rect().center()));
}

frmAbout* shownAbout()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* about = qobject_cast<frmAbout*>(window); about && about->isVisible())
            return about;
    }
    return nullptr;
}

// Ann's game against Bob, every token neutral, the main window active.
frmDovrel& openGame()
{
    frmDovrel& w = openNeutralGame();
    [&] { QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&w)); }();
    return w;
}

// Runs whileOpen once the box is up, inside the About command's wait; the
// box is closed afterwards should whileOpen not have closed it.
void runAbout(frmDovrel& w, std::function<void(frmAbout&)> whileOpen, QPointer<frmAbout>* seen = nullptr)
{
    bool ran = false;
    QTimer::singleShot(0, &w, [&] {
        QPointer<frmAbout> box = shownAbout();
        if (seen)
            *seen = box;
        if (!box)
            return;
        ran = true;
        // A user acts in the box once it has become the active window.
        [&] { QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(box.data())); }();
        whileOpen(*box);
        if (box && box->loaded())
            box->cmdOK->click();
    });
    w.mnuAbout->trigger();
    QVERIFY2(ran, "the About command showed no box");
}

}  // namespace

class AboutTest : public WindowTest {
    Q_OBJECT
private slots:
    void aboutMidGameLeavesTheGameAsItWas();
    void keysCloseTheBox_data();
    void keysCloseTheBox();
    void mainWindowTakesNoInputWhileTheBoxIsUp();
    void noticeFitsItsLabel();
    void boxClosedBeforeItWasActiveLeavesNoFlag();
    void boardClosedUnderTheBoxLeavesNoFlag();
};

void AboutTest::aboutMidGameLeavesTheGameAsItWas()
{
    frmDovrel& w = openGame();
    w.txtPick->setText(QStringLiteral("4"));
    w.cmdOK->click();
    w.game().Wins[2] = 2;
    const QStringList before = gameState(w);
    QCOMPARE(w.game().CurrentPlayer, int16_t(2));

    QPointer<frmAbout> box;
    runAbout(w, [&](frmAbout& about) {
        QCOMPARE(Module1::instance().AboutFlag, QStringLiteral("ABOUT"));
        QVERIFY(!about.Label1->text().isEmpty());
        QTest::keyClick(about.windowHandle(), Qt::Key_Return);
    }, &box);

    // The main window becomes active again and takes the flag.
    QTRY_VERIFY(Module1::instance().AboutFlag.isEmpty());
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&w));
    QTest::qWait(30);
    QCOMPARE(gameState(w), before);
    QCOMPARE(forms::mainIfLoaded(), &w);
    settle();
    QVERIFY(box.isNull());
}

void AboutTest::keysCloseTheBox_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void AboutTest::keysCloseTheBox()
{
    QFETCH(int, key);
    frmDovrel& w = openGame();
    QPointer<frmAbout> box;
    bool closedByKey = false;
    runAbout(w, [&](frmAbout& about) {
        QTest::keyClick(about.windowHandle(), Qt::Key(key));
        closedByKey = box.isNull() || !box->loaded();  // it may be deleted already
    }, &box);
    QVERIFY(closedByKey);
    settle();
    QVERIFY(box.isNull());
    QCOMPARE(forms::mainIfLoaded(), &w);
}

void AboutTest::mainWindowTakesNoInputWhileTheBoxIsUp()
{
    frmDovrel& w = openGame();
    const QStringList before = gameState(w);
    bool exitAsked = false;
    runAbout(w, [&](frmAbout& about) {
        auto answer = answerNextBox(QMessageBox::No);
        clickThroughWindow(w.optPick[4]);
        QTest::keyClick(w.windowHandle(), Qt::Key_6);
        QTest::keyClick(w.windowHandle(), Qt::Key_Q, Qt::AltModifier);
        QTest::qWait(20);
        exitAsked = answer->seen;
        // A window manager hands the activation to a clicked main window for
        // a moment before the box takes it back: no return from the box.
        QApplication::setActiveWindow(&w);
        QTest::qWait(20);
        QVERIFY(activate(about));
        clickThroughWindow(about.cmdOK);
    });
    QVERIFY(!exitAsked);
    QVERIFY(!w.optPick[4]->isChecked());
    QVERIFY(w.txtPick->text().isEmpty());
    QTRY_VERIFY(Module1::instance().AboutFlag.isEmpty());
    QTest::qWait(30);
    QCOMPARE(gameState(w), before);

    // Once the box has gone the same click counts.
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&w));
    clickThroughWindow(w.optPick[4]);
    QVERIFY(w.optPick[4]->isChecked());
}

void AboutTest::noticeFitsItsLabel()
{
    frmAbout box;
    QLabel* notice = box.Label1;
    QVERIFY(!notice->text().contains(QLatin1Char('\r')));
    QVERIFY(notice->text().count(QLatin1Char('\n')) >= 8);
    // Wrapped at the label's width, all of it shows, down to the date.
    QVERIFY(notice->heightForWidth(notice->width()) <= notice->height());
}

void AboutTest::boxClosedBeforeItWasActiveLeavesNoFlag()
{
    frmDovrel& w = openGame();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&w));
    // Closed at once, before the box's activation has come round.
    QTimer::singleShot(0, &w, [] {
        if (frmAbout* box = shownAbout())
            box->cmdOK->click();
    });
    w.mnuAbout->trigger();
    QTRY_VERIFY(Module1::instance().AboutFlag.isEmpty());
}

void AboutTest::boardClosedUnderTheBoxLeavesNoFlag()
{
    // The winner dialog's New Game can close the board under the box; the
    // next board's first game is dealt all the same.
    frmDovrel& w = openGame();
    runAbout(w, [&](frmAbout&) {
        Module1::instance().CloseReason = QStringLiteral("NO CLICK");
        w.close();
    });
    settle();
    QVERIFY(!forms::mainIfLoaded());
    QVERIFY(Module1::instance().AboutFlag.isEmpty());
    openMainWindow();  // fails unless the first deal is done
}

QTEST_MAIN(AboutTest)
#include "test_about.moc"
