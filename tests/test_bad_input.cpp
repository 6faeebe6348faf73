// Whatever a player types or pastes into the boxes: names are kept as typed,
// never cut inside a character and never read as markup; the take box holds a
// take or nothing.
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/module1.h"
#include "gui_support.h"
#include "ui/drawn_items.h"
#include "ui/frmDovrel.h"
#include "ui/frmSetup.h"

using namespace dovrel;
using namespace dovrel::testing;

namespace {

bool hasLoneSurrogate(const QString& s)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i].isHighSurrogate() && (i + 1 == s.size() || !s[i + 1].isLowSurrogate()))
            return true;
        if (s[i].isLowSurrogate() && (i == 0 || !s[i - 1].isHighSurrogate()))
            return true;
    }
    return false;
}

}  // namespace

class BadInputTest : public WindowTest {
    Q_OBJECT
private slots:
    void namesAreKeptAsTyped_data();
    void namesAreKeptAsTyped();
    void takeBoxHoldsATakeOrNothing();
};

void BadInputTest::namesAreKeptAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<QString>("name");

    const QString smile = QStringLiteral("\U0001F600");
    const QString accented = QStringLiteral("e\u0301");
    QTest::newRow("empty") << QString() << false << QStringLiteral("Player 1");
    QTest::newRow("all blanks") << QStringLiteral("   ") << false << QStringLiteral("   ");
    QTest::newRow("exactly ten") << QStringLiteral("Abcdefghij") << false << QStringLiteral("Abcdefghij");
    QTest::newRow("eleventh refused") << QStringLiteral("Abcdefghijk") << false << QStringLiteral("Abcdefghij");
    QTest::newRow("typed on past ten") << QStringLiteral("Maximilian the Great") << false << QStringLiteral("Maximilian");
    QTest::newRow("long paste cut") << QStringLiteral("A very long name indeed") << true << QStringLiteral("A very lon");
    QTest::newRow("markup") << QStringLiteral("<b>x</b>") << false << QStringLiteral("<b>x</b>");
    QTest::newRow("picture markup") << QStringLiteral("<img src=x>") << true << QStringLiteral("<img src=x");
    QTest::newRow("ampersand") << QStringLiteral("R&D") << false << QStringLiteral("R&D");
    QTest::newRow("right to left") << QStringLiteral("\u05e9\u05dc\u05d5\u05dd") << false
                                   << QStringLiteral("\u05e9\u05dc\u05d5\u05dd");
    QTest::newRow("combining accents pasted") << accented.repeated(11) << true << accented.repeated(10);
    QTest::newRow("emoji") << smile.repeated(11) << false << smile.repeated(10);
    QTest::newRow("emoji pasted at the limit") << QStringLiteral("123456789") + smile + smile << true
                                               << QStringLiteral("123456789") + smile;
}

void BadInputTest::namesAreKeptAsTyped()
{
    QFETCH(QString, typed);
    QFETCH(bool, pasted);
    QFETCH(QString, name);

    frmSetup& s = forms::setup();
    s.showModeless();
    QTRY_VERIFY(s.Option1->isChecked());
    s.txtPlayer1->setFocus();
    if (pasted)
        s.txtPlayer1->insert(typed);
    else
        typeText(s.txtPlayer1, typed);
    QVERIFY(!hasLoneSurrogate(s.txtPlayer1->text()));
    s.cmdDone->click();

    QCOMPARE(Module1::instance().PlayerName[1], name);
    frmDovrel* w = forms::mainIfLoaded();
    QVERIFY(w);
    QCOMPARE(w->lblPlayer[1]->text(), name);
    QCOMPARE(w->lblPlayer[1]->textFormat(), Qt::PlainText);
    QTRY_VERIFY(!w->busy() && w->tokenKind(73) == Kind::Negative);
    QCOMPARE(w->caption(Ctl::fraPlayer), name);
}

void BadInputTest::takeBoxHoldsATakeOrNothing()
{
    frmDovrel& w = openMainWindow(QStringLiteral("Ann"), QStringLiteral("Bob"));

    QStringList inputs;
    for (char c = ' '; c <= '~'; ++c)
        inputs << QString(QLatin1Char(c));
    inputs << QStringLiteral("\u0664") << QStringLiteral("\U0001F600") << QStringLiteral("\u00bd");
    for (const QString& input : inputs) {
        w.txtPick->clear();
        w.txtPick->setFocus();
        typeText(w.txtPick, input);
        const bool take = input == QLatin1String("2") || input == QLatin1String("4") || input == QLatin1String("6");
        QCOMPARE(w.txtPick->text(), take ? input : QString());
        QCOMPARE(w.cmdOK->isEnabled(), take);
    }
    // A pasted text keeps what fits; a take at its front still counts.
    const QList<QPair<QString, QString>> pastes = {{"6 tokens, please", "6"}, {"64", "6"}, {"3 or 4", ""}, {"\U0001F600", ""}};
    for (const auto& [text, kept] : pastes) {
        w.txtPick->clear();
        w.txtPick->insert(text);
        QCOMPARE(w.txtPick->text(), kept);
        QCOMPARE(w.cmdOK->isEnabled(), !kept.isEmpty());
    }
    QCOMPARE(w.game().NextToken, int16_t(0));  // nothing was taken meanwhile
}

QTEST_MAIN(BadInputTest)
#include "test_bad_input.moc"
