// What a screen reader is given by the windows, read through Qt's accessibility
// interfaces on the offscreen platform: names, roles, states and the focus. The
// dealt row and the change events are read on a real accessibility bus, in
// test_accessibility.py.
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/module1.h"
#include "gui_support.h"
#include "ui/announcer.h"
#include "ui/drawn_items.h"
#include "ui/frmAbout.h"
#include "ui/frmDovrel.h"
#include "ui/frmWinner.h"

using namespace dovrel;
using namespace dovrel::testing;

namespace {

QAccessibleInterface* read(QObject* o)
{
    return QAccessible::queryAccessibleInterface(o);
}

// What a screen reader says of each kind of token, in the game's words.
const QMap<Kind, QString> KindSaid = {
    {Kind::Positive, "positive"}, {Kind::Negative, "negative"}, {Kind::Neutral, "neutral"}};

}  // namespace

class ReadingTest : public WindowTest {
    Q_OBJECT
private slots:
    void theNextDealBringsTheTakenTokensBack();
    void theNewsIsToldAsItHappens();
    void penaltyTakesTheFocusToContinueAndReadsOut();
    void picturesAndDialogsReadBriefly();
};

void ReadingTest::theNextDealBringsTheTakenTokensBack()
{
    frmDovrel& w = openNeutralGame();
    for (int k = 0; k <= 3; ++k)
        w.clearToken(k);
    QVERIFY(read(w.imgImage[0])->state().invisible);
    w.game().DealBoard();
    QStringList heard;
    for (int k = 0; k < RowLength; ++k) {
        QVERIFY(!read(w.imgImage[k])->state().invisible);
        heard << KindSaid.value(w.tokenKind(k), QStringLiteral("?"));
        QCOMPARE(read(w.imgImage[k])->text(QAccessible::Name), QStringLiteral("Token %1: ").arg(k + 1) + heard.last());
    }
    heard.removeDuplicates();
    QCOMPARE(heard.size(), qsizetype(3));  // every kind's word was read
}

void ReadingTest::theNewsIsToldAsItHappens()
{
    Module1& m = Module1::instance();
    m.VsComputer = True;
    m.PlayerName[1] = QStringLiteral("Ann");
    m.PlayerName[2] = QStringLiteral("Computer");
    frmDovrel& w = forms::main();
    QStringList heard;
    connect(w.news, &Announcer::told, this, [&](const QString& words) { heard << words; });
    openMainWindow(QStringLiteral("Ann"), QStringLiteral("Computer"));
    QCOMPARE(heard.size(), 1);
    QVERIFY(heard[0].startsWith(QStringLiteral("New match. Ann to move. Ann: 0 points, 0 Wins. "
                                                    "Computer: 0 points, 0 Wins. Next tokens: ")));
    QVERIFY(heard[0].endsWith(QStringLiteral(". 74 tokens left.")));

    // Ann takes two of the last six neutral tokens, and types the computer's
    // choice into the box as the frame slides; the computer takes the rest.
    w.game().NextToken = 68;
    for (int k = 0; k < 74; ++k)
        k < 68 ? w.clearToken(k) : w.showToken(k, Kind::Neutral);
    QTimer typist;
    connect(&typist, &QTimer::timeout, this, [&] {
        if (w.game().sliding() && w.game().CurrentPlayer == 2) {
            typist.stop();
            QTest::keyClick(w.txtPick, Qt::Key_6);
        }
    });
    typist.start(0);
    const auto box = answerNextBox(QMessageBox::Ok);
    QTest::keyClick(w.txtPick, Qt::Key_2);
    QTest::keyClick(w.cmdOK, Qt::Key_Return);
    QTRY_VERIFY(box->seen);
    QTRY_VERIFY(heard.size() >= 10);

    QCOMPARE(heard.mid(1, 8), (QStringList{
        QStringLiteral("10 Points"), QStringLiteral("10 Points"),
        QStringLiteral("Computer to move. Ann: 20 points, 0 Wins. Computer: 0 points, 0 Wins. "
                       "Next tokens: neutral, neutral, neutral, neutral. 4 tokens left."),
        QStringLiteral("Computer takes 4."),
        QStringLiteral("10 Points"), QStringLiteral("10 Points"), QStringLiteral("10 Points"),
        QStringLiteral("10 Points")}));
    QVERIFY(heard[9].startsWith(QStringLiteral("New game. Ann to move. Ann: 0 points, 0 Wins. "
                                                    "Computer: 0 points, 1 Win. ")));
    QCOMPARE(read(w.lblWins[2])->text(QAccessible::Name), QStringLiteral("Computer: 1 Win"));
}

void ReadingTest::penaltyTakesTheFocusToContinueAndReadsOut()
{
    frmDovrel& w = openNeutralGame();
    // The penalty display, as the rules put it up.
    w.setCaption(Ctl::lblImmed, QStringLiteral("ULTIMATE PENALTY\r\nImmediate Loss of Game.\r\nBob wins the game. "));
    for (Ctl c : {Ctl::shpImmed, Ctl::lblImmed, Ctl::cmdImmed})
        w.setVisible(c, true);
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.cmdImmed));
    QCOMPARE(read(w.cmdImmed)->text(QAccessible::Description),
             QStringLiteral("ULTIMATE PENALTY Immediate Loss of Game. Bob wins the game."));
}

void ReadingTest::picturesAndDialogsReadBriefly()
{
    Module1::instance().WinnerName = QStringLiteral("<b>Ann</b>");
    frmDovrel& w = openNeutralGame();
    QCOMPARE(read(&w)->role(), QAccessible::Window);
    // Pictures that only decorate read briefly, never as a filler with no name.
    for (QWidget* picture : {static_cast<QWidget*>(w.imgStart), static_cast<QWidget*>(w.imgLogo),
                             static_cast<QWidget*>(w.imgKey)}) {
        QCOMPARE(read(picture)->role(), QAccessible::Graphic);
        QVERIFY(!read(picture)->text(QAccessible::Name).isEmpty());
    }

    forms::winner().showOverMainWindow();
    frmWinner& dlg = *forms::winnerIfLoaded();
    const QString message = QStringLiteral("<b>Ann</b> takes the match with 3 wins.");
    QCOMPARE(read(&dlg)->role(), QAccessible::AlertMessage);
    QCOMPARE(read(&dlg)->text(QAccessible::Name), message);
    dlg.Timer1_Timer();  // the name blinks off for the eye; the review still finds it
    QVERIFY(!read(dlg.lblWinner)->state().invisible);
    QCOMPARE(read(&dlg)->text(QAccessible::Name), message);
    dlg.close();

    auto* about = new frmAbout;
    QCOMPARE(read(about)->role(), QAccessible::Dialog);
    QCOMPARE(read(about->Image1)->role(), QAccessible::Graphic);
    QVERIFY(!read(about->Image1)->text(QAccessible::Name).isEmpty());
    about->close();
}

QTEST_MAIN(ReadingTest)
#include "test_reading.moc"
