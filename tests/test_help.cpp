// The help: F1 and View Game Rules open the right topic in the help window,
// the window stays outside the game's own windows, and the help file is shown
// as written, or its trouble reported in words.
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include "gui_support.h"
#include "sound_support.h"
#include "ui/frmDovrel.h"
#include "ui/frmSetup.h"
#include "ui/help.h"
#include "ui/help_viewer.h"

using namespace dovrel;
using namespace dovrel::testing;

namespace {

const QString RealFile = QStringLiteral(DOVREL_FOLDER "/Dovrel.hlp");

HelpViewer& viewer()
{
    return *help::viewerIfOpen();
}

// F1 as the player presses it: to whatever has the focus in that window.
void pressF1(QWidget& window)
{
    QVERIFY(activate(window));
    QTest::keyClick(window.focusWidget() ? window.focusWidget() : &window, Qt::Key_F1);
}

// The links of a page, or the names of the marks on it.
QStringList anchors(const QTextDocument& page, bool marks)
{
    QStringList found;
    for (QTextBlock b = page.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            found << (marks ? f.anchorNames() : QStringList(f.anchorHref()));
        }
    found.removeAll(QString());
    return found;
}

}  // namespace

class HelpTest : public WindowTest {
    Q_OBJECT
private slots:
    void init();

    void f1OpensTheTopicOfEachWindow();
    void comingBackFromTheViewerDealsNothing();
    void aWindowModalBoxDoesNotBlockTheViewer();
    void eachTopicLinksToTheOthers();
    void problemsAreReportedPlainly_data();
    void problemsAreReportedPlainly();
    void theFileIsReadAfreshEachTime();
    void nothingOutsideTheFileIsFollowedOrLoaded();
    void theViewerNeitherKeepsTheProgramNorOutlivesIt();

private:
    QTemporaryDir dir_;
};

void HelpTest::init()
{
    WindowTest::init();
    delete help::viewerIfOpen();
    help::setFile(RealFile);
}

void HelpTest::f1OpensTheTopicOfEachWindow()
{
    frmSetup& s = forms::setup();
    help::setFile(RealFile);  // the dialog named the one in the tests' folder
    s.show();
    pressF1(s);
    QCOMPARE(viewer().topic(), 2000);
    HelpViewer* first = &viewer();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(first));

    QVERIFY(activate(s));
    s.cmdInstructions->click();
    QCOMPARE(viewer().topic(), 3000);
    pressF1(s);
    QCOMPARE(viewer().topic(), 3000);  // the dialog keeps the rules topic

    s.cmdDone->click();
    pressF1(openMainWindow());
    QCOMPARE(viewer().topic(), 1000);
    QCOMPARE(&viewer(), first);  // one help window, moved to the topic
}

void HelpTest::comingBackFromTheViewerDealsNothing()
{
    frmDovrel& w = openMainWindow();
    w.clearToken(0);  // a new deal would fill it again
    pressF1(w);
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&viewer()));
    QVERIFY(activate(w));
    QTest::qWait(30);
    QCOMPARE(w.tokenKind(0), Kind::None);
}

void HelpTest::aWindowModalBoxDoesNotBlockTheViewer()
{
    frmDovrel& w = openMainWindow();
    QDialog box(&w);  // as the About box: modal to the main window only
    box.setWindowModality(Qt::WindowModal);
    box.show();
    help::show(1000);
    QVERIFY(QTest::qWaitForWindowExposed(&viewer()));
    QPushButton* rules = nullptr;
    for (auto* b : viewer().findChildren<QPushButton*>())
        if (b->text().contains(QStringLiteral("Rules")))
            rules = b;
    QVERIFY(rules);
    // Delivered as the platform delivers a click, which a blocked window drops.
    QTest::mouseClick(viewer().windowHandle(), Qt::LeftButton, {}, rules->mapTo(&viewer(), rules->rect().center()));
    QCOMPARE(viewer().topic(), 3000);
}

void HelpTest::eachTopicLinksToTheOthers()
{
    QSet<QString> titles;
    for (int topic : {1000, 2000, 3000}) {
        help::show(topic);
        titles << viewer().windowTitle();
        QSet<int> reached{topic};
        for (const QString& link : anchors(*viewer().browser()->document(), false)) {
            viewer().followLink(QUrl(link));
            QVERIFY2(viewer().topic() != 0, qPrintable(link + QStringLiteral(": ") + viewer().problem()));
            const QString mark = QUrl(link).fragment();
            if (mark.contains(QLatin1Char('-')))
                QVERIFY2(anchors(*viewer().browser()->document(), true).contains(mark), qPrintable(link));
            reached << viewer().topic();
            viewer().goBack();
            QCOMPARE(viewer().topic(), topic);
        }
        QCOMPARE(reached, (QSet<int>{1000, 2000, 3000}));
    }
    QCOMPARE(titles.size(), 3);  // each topic has a title of its own
}

void HelpTest::problemsAreReportedPlainly_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("topic");
    QTest::addColumn<QString>("words");
    const QString missing = dir_.filePath(QStringLiteral("no <b>such</b> folder/Dovrel.hlp"));
    QTest::newRow("missing file")
        << missing << 1000
        << QStringLiteral("The help file %1 could not be opened: No such file or directory").arg(missing);
    QTest::newRow("a folder instead") << dir_.path() << 1000 << dir_.path();
    QTest::newRow("topic not in the file") << RealFile << 4000 << QStringLiteral("no topic 4000");
    QTest::newRow("no file named") << QString() << 1000 << QStringLiteral("No help file");
}

void HelpTest::problemsAreReportedPlainly()
{
    QFETCH(QString, file);
    QFETCH(int, topic);
    QFETCH(QString, words);
    help::setFile(file);
    help::show(topic);
    QVERIFY(viewer().isVisible());
    QCOMPARE(viewer().topic(), 0);
    QVERIFY2(viewer().problem().contains(words), qPrintable(viewer().problem()));
    // On the page as written, markup in a path included.
    QVERIFY(viewer().browser()->toPlainText().contains(viewer().problem()));
}

void HelpTest::theFileIsReadAfreshEachTime()
{
    const QString path = dir_.filePath(QStringLiteral("fresh.hlp"));
    help::setFile(path);
    writeFile(path, "<!-- topic 2000 --><h1>Other</h1>");
    help::show(1000);
    QCOMPARE(viewer().topic(), 0);
    writeFile(path, "<!-- topic 1000 --><h1>First words</h1>");
    help::show(1000);
    QCOMPARE(viewer().topic(), 1000);
    writeFile(path, "<!-- topic 1000 --><h1>Second words</h1>");
    help::show(1000);
    QVERIFY(viewer().browser()->toPlainText().contains(QStringLiteral("Second words")));
}

void HelpTest::nothingOutsideTheFileIsFollowedOrLoaded()
{
    const QString picture = dir_.filePath(QStringLiteral("outside.png"));
    const QSize outsideSize(5, 7);
    QImage(outsideSize, QImage::Format_RGB32).save(picture);
    const QString path = dir_.filePath(QStringLiteral("links.hlp"));
    writeFile(path, QStringLiteral("<!-- topic 1000 --><h1>Links</h1><img src=\"%1\"><img src=\"%2\">"
                                   "<!-- topic 2000 --><h1>Two</h1>")
                        .arg(QUrl::fromLocalFile(picture).toString(), picture)
                        .toUtf8());
    help::setFile(path);
    help::show(1000);
    for (const char* link : {"https://example.com/#2000", "file:///etc/hostname", "other.hlp#2000", "#2000x"}) {
        viewer().followLink(QUrl(QString::fromLatin1(link)));
        QCOMPARE(viewer().topic(), 1000);
    }
    QTextDocument& page = *viewer().browser()->document();
    page.documentLayout()->documentSize();  // laid out: every picture looked up
    for (const QUrl& src : {QUrl::fromLocalFile(picture), QUrl(picture)}) {
        const QVariant found = page.resource(QTextDocument::ImageResource, src);
        QVERIFY(qvariant_cast<QImage>(found).size() != outsideSize);
        QVERIFY(qvariant_cast<QPixmap>(found).size() != outsideSize);
    }
    // The game's own pictures are the one exception.
    const QUrl own(QStringLiteral("qrc:/pictures/neutral.gif"));
    QVERIFY(!qvariant_cast<QImage>(page.resource(QTextDocument::ImageResource, own)).isNull());
}

void HelpTest::theViewerNeitherKeepsTheProgramNorOutlivesIt()
{
    frmSetup& s = forms::setup();
    s.show();
    QTimer::singleShot(0, &s, [&s] {
        help::show(2000);
        s.close();  // the last form goes: the program ends, help open or not
    });
    QApplication::exec();
    QVERIFY(!help::viewerIfOpen());
}

QTEST_MAIN(HelpTest)
#include "test_help.moc"
