// The game in every language it ships. Every caption fits its fixed-size
// control and keeps its access key to itself; a pseudo-language shows that
// every text the windows put on screen comes through translation; the
// desktop's language is picked up, and English stays the game's own.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "game/game.h"
#include "gui_support.h"
#include "ui/forms.h"
#include "ui/frmAbout.h"
#include "ui/frmDovrel.h"
#include "ui/frmSetup.h"
#include "ui/frmWinner.h"
#include "ui/help.h"
#include "ui/help_viewer.h"
#include "ui/language.h"
#include "ui/drawn_items.h"

using namespace dovrel;
using namespace dovrel::testing;

namespace {

// The caption as drawn: without its access-key marker.
QString shown(QString caption)
{
    caption.replace(QLatin1String("&&"), QLatin1String("\x01"));
    caption.remove(QLatin1Char('&'));
    return caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}


// Room the control leaves its caption, against what the caption takes.
QString misfit(QWidget* w)
{
    // The screen reader's notices take no room.
    if (w->width() == 0)
        return QString();
    const QFontMetrics fm(w->font());
    QString text;
    int needed = 0;
    int room = 0;
    if (auto* label = qobject_cast<QLabel*>(w)) {
        text = label->textFormat() == Qt::PlainText ? label->text() : shown(label->text());
        if (label->wordWrap()) {
            needed = label->heightForWidth(label->width());
            room = label->height();
            for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+"))))
                if (fm.horizontalAdvance(word) > label->contentsRect().width())
                    return QStringLiteral("the word \"%1\" is wider than its label").arg(word);
        } else {
            needed = fm.horizontalAdvance(text);
            room = label->contentsRect().width();
        }
    } else if (auto* option = qobject_cast<QRadioButton*>(w)) {
        text = shown(option->text());
        const QStyle* style = option->style();
        needed = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option)
                 + style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, option) + fm.horizontalAdvance(text);
        room = option->width();
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        text = shown(button->text());
        needed = fm.horizontalAdvance(text) + 6;  // the button's frame and its focus rectangle
        room = button->width();
    }
    if (needed <= room)
        return QString();
    return QStringLiteral("\"%1\" needs %2 of %3 pixels").arg(text).arg(needed).arg(room);
}

// The shipped languages: every translation built into the program.
QStringList shippedLanguages()
{
    QStringList codes;
    for (QString file : QDir(language::BuiltIn).entryList({QStringLiteral("dovrel_*.qm")})) {
        file.chop(3);
        codes << file.mid(7);
    }
    return codes;
}

}  // namespace

class TranslationsTest : public WindowTest {
    Q_OBJECT
private slots:
    void everyCaptionFitsAndKeepsItsKey_data();
    void everyCaptionFitsAndKeepsItsKey();
    void everyTextOnScreenIsTranslated();
    void theDesktopsLanguageIsSpokenAndEnglishStaysExact_data();
    void theDesktopsLanguageIsSpokenAndEnglishStaysExact();
    void anUnreadableTranslationLeavesEnglish();
    void cleanupTestCase() { language::install(QLocale(QLocale::English)); }
};

void TranslationsTest::everyCaptionFitsAndKeepsItsKey_data()
{
    QTest::addColumn<QString>("code");
    const QStringList codes = shippedLanguages();
    QVERIFY(codes.size() >= 9);
    for (const QString& code : codes)
        QTest::newRow(qPrintable(code)) << code;
}

void TranslationsTest::everyCaptionFitsAndKeepsItsKey()
{
    QFETCH(QString, code);
    QCOMPARE(language::install(QLocale(code)), code == QLatin1String("en") ? QString() : code);
    QStringList faults;
    const auto fits = [&](QWidget* w, const QString& where) {
        const QString fault = misfit(w);
        if (!fault.isEmpty())
            faults << where + QStringLiteral(": ") + fault;
    };
    // English keeps its own two clashes; a translation has none.
    const auto unique = [&](const QStringList& captions, const QString& where) {
        QMap<QKeySequence, QStringList> keys;
        for (const QString& caption : captions)
            keys[QKeySequence::mnemonic(caption)] << caption;
        for (auto it = keys.cbegin(); it != keys.cend(); ++it) {
            if (it.key().isEmpty())
                faults << where + QStringLiteral(": no access key in ") + it.value().join(QLatin1Char(','));
            else if (it.value().size() > 1 && code != QLatin1String("en"))
                faults << where + QStringLiteral(": ") + it.value().join(QStringLiteral(" and ")) + QStringLiteral(" share a key");
        }
    };
    const auto captions = [](QWidget* parent) {
        QStringList all;
        for (auto* b : parent->findChildren<QAbstractButton*>())
            all << b->text();
        for (auto* l : parent->findChildren<QLabel*>())
            if (l->buddy())
                all << l->text();
        return all;
    };

    frmDovrel& w = openMainWindow(frmSetup::defaultName(1), frmSetup::defaultName(2));
    for (QWidget* control : w.board->findChildren<QWidget*>())
        fits(control, QStringLiteral("main window"));
    // What the captions become during play.
    const QString pointCaptions[] = {Game::neutralCaption(), Game::tr("+ %n Points", nullptr, 50),
                                     Game::tr("+ %n Points", nullptr, 25), Game::tr("- %n Points", nullptr, 40),
                                     Game::tr("- %n Points", nullptr, 5)};
    for (const QString& caption : pointCaptions) {
        w.setCaption(Ctl::lblPoints, caption, 1);
        fits(w.lblPoints[1], QStringLiteral("point box"));
    }
    for (int wins = 0; wins <= 3; ++wins) {
        w.setCaption(Ctl::lblWins, Game::winsText(wins), 1);
        fits(w.lblWins[1], QStringLiteral("wins"));
    }
    w.setCaption(Ctl::lblImmed, w.game().PenaltyText + Game::tr("%1 wins the game. ").arg(frmSetup::defaultName(1))
                                    + Game::tr("%1 will start the next game.").arg(frmSetup::defaultName(2)));
    fits(w.lblImmed, QStringLiteral("penalty display"));
    QStringList menuBar;
    for (QAction* menu : w.menuBar->actions()) {
        menuBar << menu->text();
        QStringList items;
        for (QAction* item : menu->menu()->actions())
            if (!item->isSeparator())
                items << item->text();
        unique(items, menu->text());
    }
    QStringList speeds;
    for (QAction* item : w.mnuSpeed->actions())
        speeds << item->text();
    unique(speeds, w.mnuSpeed->title());
    unique(menuBar + captions(w.board), QStringLiteral("main window"));
    QVERIFY(w.mnuSound->text() != Game::soundOffCaption());
    QCOMPARE(QKeySequence::mnemonic(Game::soundOffCaption()), QKeySequence::mnemonic(Game::soundOnCaption()));

    frmSetup& setup = forms::setup();
    setup.Option2->click();
    for (QWidget* control : setup.findChildren<QWidget*>())
        fits(control, QStringLiteral("setup"));
    if (QFontMetrics(setup.txtPlayer2->font()).horizontalAdvance(setup.txtPlayer2->text()) > setup.txtPlayer2->width() - 6)
        faults << QStringLiteral("the computer's name is wider than its box");
    for (const QString& name : {setup.txtPlayer2->text(), frmSetup::defaultName(1), frmSetup::defaultName(2)})
        if (name.size() > 10)
            faults << name + QStringLiteral(" is longer than a name may be");
    unique(captions(&setup), QStringLiteral("setup"));

    frmWinner& winner = forms::winner();
    for (QWidget* control : winner.findChildren<QWidget*>())
        fits(control, QStringLiteral("winner"));
    unique(captions(&winner), QStringLiteral("winner"));

    frmAbout about;
    for (QWidget* control : about.findChildren<QWidget*>())
        fits(control, QStringLiteral("about"));

    help::show(1000);
    HelpViewer* viewer = help::viewerIfOpen();
    QVERIFY(viewer);
    if (viewer->minimumSizeHint().width() > viewer->width())
        faults << QStringLiteral("the help window's buttons need %1 pixels").arg(viewer->minimumSizeHint().width());
    unique(captions(viewer), QStringLiteral("help window"));
    delete viewer;

    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TranslationsTest::everyTextOnScreenIsTranslated()
{
    // The pseudo-language's texts keep no plain letter; these names have none either.
    QCOMPARE(language::install(QLocale(QStringLiteral("eo")), QStringLiteral(PSEUDO_FOLDER)), QStringLiteral("eo"));
    const QStringList names = {QStringLiteral("Åsø"), QStringLiteral("Ødé")};
    QStringList untranslated;
    const auto check = [&](QString text, const QString& where) {
        for (const QString& kept : names + QStringList{QStringLiteral("Dovrel"), QStringLiteral("Qelvani")})
            text.remove(kept);
        if (text.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))))
            untranslated << where + QStringLiteral(": ") + text;
    };
    const auto checkWindow = [&](QWidget* window) {
        const QString where = QString::fromLatin1(window->metaObject()->className());
        check(window->windowTitle(), where);
        check(window->accessibleName(), where);
        for (QWidget* w : window->findChildren<QWidget*>()) {
            // Qt's own buttons come from Qt's translations, the help's pages from the help file.
            if (qobject_cast<QDialogButtonBox*>(w->parentWidget()) || qobject_cast<QTextBrowser*>(w)
                || qobject_cast<QTextBrowser*>(w->parentWidget()))
                continue;
            check(w->accessibleName(), where);
            check(w->accessibleDescription(), where);
            if (auto* label = qobject_cast<QLabel*>(w))
                check(label->text(), where);
            else if (auto* button = qobject_cast<QAbstractButton*>(w))
                check(button->text(), where);
            else if (auto* frame = qobject_cast<QGroupBox*>(w))
                check(frame->title(), where);
            else if (auto* box = qobject_cast<TextBox*>(w))
                check(box->text(), where);
            else if (auto* menu = qobject_cast<QMenu*>(w))
                check(menu->title(), where);
            for (QAction* action : w->actions())
                check(action->text(), where);
        }
    };

    frmSetup& setup = forms::setup();
    setup.Option2->click();
    checkWindow(&setup);
    setup.Option1->click();

    frmDovrel& w = openMainWindow(names[0], names[1]);
    for (int k = 0; k <= 73; ++k)
        w.showToken(k, k % 3 == 0 ? Kind::Positive : Kind::Neutral);
    w.setCaption(Ctl::txtPick, QStringLiteral("2"));
    w.cmdOK->click();
    QTRY_VERIFY(w.game().CurrentPlayer == 2 && !w.busy());
    w.setCaption(Ctl::lblImmed, w.game().PenaltyText);
    w.game().mnuSound_Click();
    checkWindow(&w);
    for (QMenu* menu : w.findChildren<QMenu*>())
        for (QAction* action : menu->actions())
            check(action->text(), QStringLiteral("menu"));
    for (const QString& point : {Game::tr("+ %n Points", nullptr, 20), Game::tr("- %n Points", nullptr, 5)})
        check(point, QStringLiteral("point box"));

    // The message boxes: the score, a new game, leaving.
    auto score = answerNextBox(QMessageBox::Ok);
    w.game().EndGame();
    QTRY_VERIFY(score->seen);
    check(score->text + score->title, QStringLiteral("score message"));
    auto newGame = answerNextBox(QMessageBox::No);
    w.mnuNewGame->trigger();
    QTRY_VERIFY(newGame->seen);
    check(newGame->text + newGame->title, QStringLiteral("new game message"));
    auto leave = answerNextBox(QMessageBox::No);
    w.close();
    QTRY_VERIFY(leave->seen);
    check(leave->text + leave->title, QStringLiteral("exit message"));

    Module1::instance().WinnerName = names[0];
    checkWindow(&forms::winner());
    frmAbout about;
    checkWindow(&about);
    // The help's pages come from the help file; the window's own words say
    // that a topic the file lacks cannot be shown.
    help::setFile(QStringLiteral(DOVREL_FOLDER "/Dovrel.hlp"));
    help::show(4242);
    QVERIFY(help::viewerIfOpen());
    checkWindow(help::viewerIfOpen());
    delete help::viewerIfOpen();

    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QLatin1Char('\n'))));
}

void TranslationsTest::theDesktopsLanguageIsSpokenAndEnglishStaysExact_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QString>("code");
    const auto row = [](const char* name, QStringList environment, const char* code) {
        QTest::newRow(name) << environment << QString::fromLatin1(code);
    };
    row("LANG", {"LANG=de_DE.UTF-8"}, "de");
    row("LANG with region of its own", {"LANG=pt_BR.UTF-8"}, "pt_BR");
    row("LC_MESSAGES over LANG", {"LANG=en_US.UTF-8", "LC_MESSAGES=es_ES.UTF-8"}, "es");
    row("LC_ALL over all", {"LANG=de_DE.UTF-8", "LC_MESSAGES=de_DE.UTF-8", "LC_ALL=fr_FR.UTF-8"}, "fr");
    row("LANGUAGE first", {"LANG=ru_RU.UTF-8", "LANGUAGE=pl"}, "pl");
    row("LANGUAGE's first known", {"LANG=nl_NL.UTF-8", "LANGUAGE=sv:it:nl"}, "it");
    row("English first in LANGUAGE", {"LANG=de_DE.UTF-8", "LANGUAGE=en_GB:de"}, "");
    row("a language the game lacks", {"LANG=sv_SE.UTF-8"}, "");
    row("malformed", {"LANG=@@de:;!"}, "");
    row("C", {"LANG=C", "LC_ALL=C"}, "");
    row("nothing", {}, "");
}

void TranslationsTest::theDesktopsLanguageIsSpokenAndEnglishStaysExact()
{
    QFETCH(QStringList, environment);
    QFETCH(QString, code);
    // The game as it starts: on its own, in the environment the desktop gave it.
    QTemporaryDir home;
    QTemporaryDir runtime;
    QProcess game;
    QStringList env = {QStringLiteral("HOME=") + home.path(), QStringLiteral("XDG_CONFIG_HOME=") + home.path(),
                       QStringLiteral("XDG_RUNTIME_DIR=") + runtime.path(), QStringLiteral("QT_QPA_PLATFORM=offscreen"),
                       QStringLiteral("PATH=/usr/bin:/bin")};
    game.setEnvironment(env + environment);
    game.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--speak")});
    QVERIFY(game.waitForFinished());
    QCOMPARE(game.exitCode(), 0);
    QCOMPARE(game.readAllStandardError(), QByteArray());  // nothing printed
    QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    const QStringList said = QString::fromUtf8(game.readAllStandardOutput()).split(QLatin1Char('\n'));
    QCOMPARE(said.value(0), code);
    if (code.isEmpty()) {
        // English, as the game has always spoken it.
        QCOMPARE(said.mid(1, 7), (QStringList{QStringLiteral("&Quit"), QStringLiteral("0 Wins"), QStringLiteral("1 Win"),
                                              QStringLiteral("2 Wins"), QStringLiteral("+ 25 Points"),
                                              QStringLiteral("Ann: -5 points this round. "), QStringLiteral("Dovrel.hlp")}));
    } else {
        QVERIFY(said.value(1) != QLatin1String("&Quit"));
        QVERIFY(said.value(3) != QLatin1String("1 Win"));
        QCOMPARE(said.value(7), QStringLiteral("Dovrel_%1.hlp").arg(code));
        QVERIFY2(said.value(8) != QLatin1String("&Yes"), "Qt's own texts stay English");
    }
}

void TranslationsTest::anUnreadableTranslationLeavesEnglish()
{
    QTemporaryDir broken;
    QFile bad(broken.filePath(QStringLiteral("dovrel_de.qm")));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("not a translation");
    bad.close();
    QCOMPARE(language::install(QLocale(QLocale::German), broken.path()), QString());
    QCOMPARE(Game::winsText(1), QStringLiteral("1 Win"));
    language::install(QLocale(QLocale::English));
}

// Run with --speak, the program sets its language as the game does at start-up
// and says what it speaks.
int main(int argc, char* argv[])
{
    if (argc == 2 && qstrcmp(argv[1], "--speak") == 0) {
        const language::QuietLocaleSwitch quiet;
        QApplication app(argc, argv);
        const QString code = language::install();
        const QStringList said = {
            code,
            QCoreApplication::translate("dovrel::frmDovrel", "&Quit"),
            Game::winsText(0),
            Game::winsText(1),
            Game::winsText(2),
            Game::tr("+ %n Points", nullptr, 25),
            Game::tr("%1: %2 points this round. ", nullptr, pluralCount(QStringLiteral("-5")))
                .arg(QStringLiteral("Ann"), QStringLiteral("-5")),
            language::helpFileName(QStringLiteral(DOVREL_FOLDER)),
            QCoreApplication::translate("QPlatformTheme", "&Yes"),
        };
        std::fputs(qPrintable(said.join(QLatin1Char('\n'))), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    TranslationsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_translations.moc"
