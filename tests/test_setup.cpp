// The setup dialog on the offscreen platform.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/module1.h"
#include "gui_support.h"
#include "ui/drawn_items.h"
#include "ui/frmDovrel.h"
#include "ui/frmSetup.h"
#include "ui/help.h"

using namespace dovrel;
using namespace dovrel::testing;

class SetupTest : public WindowTest {
    Q_OBJECT
private slots:
    void firstStartDoneGivesDefaultNames();
    void computerModeFillsAReadOnlyName();
    void typedNamesAreTakenAsTyped();
    void loadFixesTheProgramFolderAndHelpFile();
    void returnFromTwoPlayerMatchKeepsBothNames();
    void returnFromComputerMatchStillAsksBeforeClosing();
    void switchingBackToTwoPlayersEmptiesPlayerTwo();
    void enterPressesDoneAndEscapeDoesNothing();
    void accessKeysReachTheNameBoxes();
    void viewGameRulesSwitchesToTheRulesTopic();

private:
    frmSetup& openSetup();
    frmSetup& comeBackFromMatch(const QString& name1, const QString& name2, bool vsComputer);
};

frmSetup& SetupTest::openSetup()
{
    frmSetup& s = forms::setup();
    s.show();
    s.activateWindow();
    [&] { QTRY_VERIFY(s.Option1->isChecked() || s.Option2->isChecked()); }();
    return s;
}

void SetupTest::firstStartDoneGivesDefaultNames()
{
    frmSetup& s = openSetup();
    QVERIFY(s.Option1->isChecked());
    QVERIFY(s.txtPlayer2->text().isEmpty());
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(s.txtPlayer1));
    s.cmdDone->click();
    const Module1& m = Module1::instance();
    QCOMPARE(m.PlayerName[1], QStringLiteral("Player 1"));
    QCOMPARE(m.PlayerName[2], QStringLiteral("Player 2"));
    QCOMPARE(m.VsComputer, False);
    QVERIFY(!forms::setupIfLoaded());
    frmDovrel* main = forms::mainIfLoaded();
    QVERIFY(main);
    QCOMPARE(main->lblPlayer[2]->text(), QStringLiteral("Player 2"));
    QTRY_VERIFY(main->tokenKind(73) == Kind::Negative);  // the first game was dealt
}

void SetupTest::computerModeFillsAReadOnlyName()
{
    frmSetup& s = openSetup();
    QTest::keyClicks(s.txtPlayer1, QStringLiteral("Ann"));
    s.Option2->click();
    QCOMPARE(s.txtPlayer2->text(), QStringLiteral("Computer"));
    QVERIFY(s.txtPlayer2->isReadOnly());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(s.txtPlayer1));
    s.cmdDone->click();
    const Module1& m = Module1::instance();
    QCOMPARE(m.PlayerName[1], QStringLiteral("Ann"));
    QCOMPARE(m.PlayerName[2], QStringLiteral("Computer"));
    QCOMPARE(m.VsComputer, True);
    // The closed dialog, still there until deleted, takes no more orders.
    s.Option1->click();
    s.cmdDone->click();
    QCOMPARE(m.PlayerName[2], QStringLiteral("Computer"));
    QCOMPARE(m.VsComputer, True);
}

void SetupTest::typedNamesAreTakenAsTyped()
{
    frmSetup& s = openSetup();
    QTest::keyClicks(s.txtPlayer1, QStringLiteral(" <i>Al "));
    QTest::keyClicks(s.txtPlayer2, QStringLiteral(" <i>Al "));
    s.cmdDone->click();
    QCOMPARE(Module1::instance().PlayerName[1], QStringLiteral(" <i>Al "));
    QCOMPARE(Module1::instance().PlayerName[2], QStringLiteral(" <i>Al "));
}

void SetupTest::loadFixesTheProgramFolderAndHelpFile()
{
    openSetup();
    const QString dir = Module1::instance().SoundDir;
    QVERIFY(dir.endsWith(QDir::separator()));
    QVERIFY(!dir.endsWith(QString(QDir::separator()) + QDir::separator()));
    QCOMPARE(QDir(dir).canonicalPath(), QDir(QCoreApplication::applicationDirPath()).canonicalPath());
    QCOMPARE(help::file(), dir + QStringLiteral("Dovrel.hlp"));
    // A folder that already ends in the separator gets no second one.
    QCOMPARE(withTrailingSeparator(QStringLiteral("/")), QStringLiteral("/"));
}

frmSetup& SetupTest::comeBackFromMatch(const QString& name1, const QString& name2, bool vsComputer)
{
    Module1& m = Module1::instance();
    m.VsComputer = vsComputer ? True : False;
    m.PlayerName[1] = name1;
    m.PlayerName[2] = name2;
    // What New Game does: fill the names, mark the way back, show the dialog.
    frmSetup& s = forms::setup();
    s.txtPlayer1->setText(m.PlayerName[1]);
    s.txtPlayer2->setText(m.PlayerName[2]);
    m.CloseReason = QStringLiteral("NO CLICK");
    s.show();
    s.activateWindow();
    [&] { QTRY_VERIFY((vsComputer ? s.Option2 : s.Option1)->isChecked()); }();
    return s;
}

void SetupTest::returnFromTwoPlayerMatchKeepsBothNames()
{
    frmSetup& s = comeBackFromMatch(QStringLiteral("Ann"), QStringLiteral("Bob"), false);
    const Module1& m = Module1::instance();
    QCOMPARE(s.txtPlayer2->text(), QStringLiteral("Bob"));
    QVERIFY(m.CloseReason.isEmpty());
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(s.txtPlayer1));
    QCOMPARE(s.txtPlayer1->selectedText(), QStringLiteral("Ann"));
}

void SetupTest::returnFromComputerMatchStillAsksBeforeClosing()
{
    frmSetup& s = comeBackFromMatch(QStringLiteral("Ann"), QStringLiteral("Computer"), true);
    Module1& m = Module1::instance();
    QVERIFY(s.txtPlayer2->isReadOnly());
    QCOMPARE(s.txtPlayer2->text(), QStringLiteral("Computer"));
    // The dialog keeps the way back marked while it is open...
    QCOMPARE(m.CloseReason, QStringLiteral("NO CLICK"));
    s.cmdDone->click();
    // ...but the new match is worth a question before it is thrown away.
    frmDovrel* main = forms::mainIfLoaded();
    QVERIFY(main);
    QVERIFY(m.CloseReason.isEmpty());
    auto answer = answerNextBox(QMessageBox::No);
    main->close();
    QVERIFY(answer->seen);
    QCOMPARE(forms::mainIfLoaded(), main);
}

void SetupTest::switchingBackToTwoPlayersEmptiesPlayerTwo()
{
    frmSetup& s = openSetup();
    s.Option2->click();
    s.Option1->click();
    QVERIFY(s.txtPlayer2->text().isEmpty());
    QVERIFY(!s.txtPlayer2->isReadOnly());
}

void SetupTest::enterPressesDoneAndEscapeDoesNothing()
{
    frmSetup& s = openSetup();
    QTest::keyClick(s.txtPlayer1, Qt::Key_Escape);
    QCOMPARE(forms::setupIfLoaded(), &s);
    QVERIFY(s.isVisible());
    QTest::keyClicks(s.txtPlayer1, QStringLiteral("Zed"));
    QTest::keyClick(s.txtPlayer1, Qt::Key_Return);
    QVERIFY(!forms::setupIfLoaded());
    QCOMPARE(Module1::instance().PlayerName[1], QStringLiteral("Zed"));
}

void SetupTest::accessKeysReachTheNameBoxes()
{
    frmSetup& s = openSetup();
    QTest::keyClick(&s, Qt::Key_2, Qt::AltModifier);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(s.txtPlayer2));
    QTest::keyClick(&s, Qt::Key_1, Qt::AltModifier);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(s.txtPlayer1));
}

void SetupTest::viewGameRulesSwitchesToTheRulesTopic()
{
    frmSetup& s = openSetup();
    QCOMPARE(s.helpContext(), 2000);
    s.cmdInstructions->click();
    QCOMPARE(s.helpContext(), 3000);
    QCOMPARE(forms::setupIfLoaded(), &s);
}

QTEST_MAIN(SetupTest)
#include "test_setup.moc"
