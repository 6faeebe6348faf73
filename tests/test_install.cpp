// The game installed as a desktop program: into a fresh prefix with
// `cmake --install`, then started from its menu entry's command.
#include <QApplication>
#include <QHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>

#include "app/module1.h"
#include "gui_support.h"
#include "ui/drawn_items.h"
#include "ui/frmSetup.h"

using namespace dovrel;
using namespace dovrel::testing;

namespace {

// Set when this test runs itself through links to look at the program folder;
// such a run names the one test function it runs.
const char* const LinkedRun = "DOVREL_TEST_REAL_FOLDER";

struct Result {
    int exitCode = -1;
    QString output;
};

Result run(const QString& program, const QStringList& arguments,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setProcessEnvironment(environment);
    p.start(program, arguments);
    if (!p.waitForFinished(-1))
        return {-1, program + QStringLiteral(": ") + p.errorString()};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromLocal8Bit(p.readAll())};
}

// The keys of a desktop entry's main group.
QHash<QString, QString> readDesktopEntry(const QString& path)
{
    QHash<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    bool inMainGroup = false;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('[')))
            inMainGroup = line == QLatin1String("[Desktop Entry]");
        const int eq = line.indexOf(QLatin1Char('='));
        if (inMainGroup && eq > 0)
            keys.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return keys;
}

// True when `frame` shows the setup dialog: the dialog's size, with its logo
// where the dialog has it (every opaque pixel of it).
bool showsSetupDialog(const QImage& frame, QSize dialogSize, QPoint logoAt, const QImage& logo)
{
    if (frame.size() != dialogSize)
        return false;
    int opaque = 0;
    for (int y = 0; y < logo.height(); ++y) {
        for (int x = 0; x < logo.width(); ++x) {
            const QRgb p = logo.pixel(x, y);
            if (qAlpha(p) != 255)
                continue;
            ++opaque;
            if ((frame.pixel(logoAt + QPoint(x, y)) & 0xFFFFFF) != (p & 0xFFFFFF))
                return false;
        }
    }
    return opaque > 0;
}

}  // namespace

class InstallTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void programFolderHoldsTheGameAndItsFiles();
    void launcherIsARelativeLinkToTheGame();
    void menuEntryIconsAndMetainfoBelongTogether();
    void desktopToolsAcceptWhatWasInstalled();
    void menuCommandShowsTheSetupDialogFromAnotherFolder();
    void programFolderIsFoundThroughLinks();
    void programFolderAsSeenThroughALink();

private:
    QString path(const QString& relative) const { return prefix_.filePath(relative); }
    QString desktopFile() const;

    QTemporaryDir prefix_;
};

void InstallTest::initTestCase()
{
    if (qEnvironmentVariableIsSet(LinkedRun))
        return;
    QVERIFY(prefix_.isValid());
    const Result r = run(QStringLiteral(DOVREL_CMAKE),
                         {QStringLiteral("--install"), QStringLiteral(DOVREL_BUILD_DIR), QStringLiteral("--prefix"),
                          prefix_.path()});
    QVERIFY2(r.exitCode == 0, qPrintable(r.output));
}

QString InstallTest::desktopFile() const
{
    const QStringList entries = QDir(path(QStringLiteral("share/applications")))
                                    .entryList({QStringLiteral("*.desktop")}, QDir::Files);
    return entries.size() == 1 ? path(QStringLiteral("share/applications/") + entries.first()) : QString();
}

void InstallTest::programFolderHoldsTheGameAndItsFiles()
{
    const QFileInfo game(path(QStringLiteral("lib/dovrel/dovrel")));
    QVERIFY(game.isFile() && game.isExecutable());
    for (const QString& name : QStringLiteral(DOVREL_FOLDER_FILE_NAMES).split(QLatin1Char(','), Qt::SkipEmptyParts))
        QVERIFY2(QFileInfo(path(QStringLiteral("lib/dovrel/") + name)).isFile(), qPrintable(name));
}

void InstallTest::launcherIsARelativeLinkToTheGame()
{
    const QFileInfo launcher(path(QStringLiteral("bin/dovrel")));
    QVERIFY(launcher.isSymLink());
    // Relative, or the package would point into the folder it was made in.
    const std::filesystem::path target = std::filesystem::read_symlink(launcher.filePath().toStdString());
    QVERIFY2(target.is_relative(), target.c_str());
    QCOMPARE(launcher.canonicalFilePath(), QFileInfo(path(QStringLiteral("lib/dovrel/dovrel"))).canonicalFilePath());
}

void InstallTest::menuEntryIconsAndMetainfoBelongTogether()
{
    const QString desktop = desktopFile();
    QVERIFY2(!desktop.isEmpty(), "one menu entry in share/applications");
    const QString id = QFileInfo(desktop).completeBaseName();
    const QHash<QString, QString> entry = readDesktopEntry(desktop);

    // Every size of the icon the entry names is a picture of that size, from
    // the smallest a menu shows to the largest a software centre does.
    const QString icon = entry.value(QStringLiteral("Icon"));
    QVERIFY(!icon.isEmpty());
    QList<int> sizes;
    QDirIterator it(path(QStringLiteral("share/icons/hicolor")), {icon + QStringLiteral(".png")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString folder = QFileInfo(file).dir().dirName() == QLatin1String("apps")
                                   ? QFileInfo(QFileInfo(file).path()).dir().dirName()
                                   : QString();
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^(\\d+)x\\1$")).match(folder);
        QVERIFY2(m.hasMatch(), qPrintable(file));
        const int n = m.captured(1).toInt();
        QCOMPARE(QImage(file).size(), QSize(n, n));
        sizes << n;
    }
    std::sort(sizes.begin(), sizes.end());
    QVERIFY(!sizes.isEmpty());
    QCOMPARE(sizes.first(), 16);
    QCOMPARE(sizes.last(), 256);

    // The software centre's entry launches this menu entry.
    QFile metainfo(path(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(id)));
    QVERIFY(metainfo.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(metainfo.readAll());
    QVERIFY(xml.contains(QStringLiteral("<id>%1</id>").arg(id)));
    QVERIFY(xml.contains(QStringLiteral("<launchable type=\"desktop-id\">%1.desktop</launchable>").arg(id)));
}

void InstallTest::desktopToolsAcceptWhatWasInstalled()
{
    const QString desktop = desktopFile();
    QVERIFY(!desktop.isEmpty());
    const QString id = QFileInfo(desktop).completeBaseName();
    const struct {
        const char* tool;
        QStringList arguments;
    } checks[] = {
        {"desktop-file-validate", {desktop}},
        {"appstreamcli", {QStringLiteral("validate"), QStringLiteral("--no-net"),
                          path(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(id))}},
    };
    for (const auto& check : checks) {
        const QString tool = QStandardPaths::findExecutable(QString::fromLatin1(check.tool));
        QVERIFY2(!tool.isEmpty(), qPrintable(QStringLiteral("%1 is missing: ./dev.sh installs it").arg(check.tool)));
        const Result r = run(tool, check.arguments);
        QVERIFY2(r.exitCode == 0, qPrintable(r.output));
    }
}

void InstallTest::menuCommandShowsTheSetupDialogFromAnotherFolder()
{
    // What the dialog looks like, from the dialog itself.
    FreshProgram program;
    const frmSetup& dialog = forms::setup();
    const QSize dialogSize = dialog.size();
    const QPoint logoAt = dialog.Image1->geometry().topLeft();
    const QImage logo = dialog.Image1->picture().toImage().convertToFormat(QImage::Format_ARGB32);

    // The menu entry's command, found on the PATH as a desktop finds it.
    const QString command = readDesktopEntry(desktopFile()).value(QStringLiteral("Exec"));
    const QStringList words = command.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QVERIFY2(words.size() == 1, qPrintable(command));  // no arguments: the game has no command line
    const QString launcher = QStandardPaths::findExecutable(words.first(), {path(QStringLiteral("bin"))});
    QVERIFY2(!launcher.isEmpty(), qPrintable(command));

    // Qt's minimal platform is as headless as the offscreen one and, asked to,
    // writes every frame it shows into the working folder: the test sees the
    // very window the game put up.
    QTemporaryDir elsewhere;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("minimal"));
    env.insert(QStringLiteral("QT_DEBUG_BACKINGSTORE"), QStringLiteral("1"));
    env.remove(QStringLiteral("QT_SCALE_FACTOR"));
    QProcess game;
    game.setProcessEnvironment(env);
    game.setWorkingDirectory(elsewhere.path());
    game.setProcessChannelMode(QProcess::MergedChannels);
    game.start(launcher, {});
    QVERIFY2(game.waitForStarted(-1), qPrintable(game.errorString()));

    // The game's first frame is the setup dialog: nothing comes before it.
    const QString firstFrame = elsewhere.filePath(QStringLiteral("output0000.png"));
    QImage frame;
    QEventLoop loop;
    QTimer look;
    connect(&look, &QTimer::timeout, &loop, [&] {
        frame.load(firstFrame);  // null while it does not exist or is still being written
        if (!frame.isNull())
            loop.quit();
    });
    connect(&game, &QProcess::finished, &loop, &QEventLoop::quit);
    look.start(20);
    loop.exec();
    look.stop();

    const bool stillRunning = game.state() == QProcess::Running;
    game.kill();
    game.waitForFinished(-1);
    QVERIFY2(stillRunning, qPrintable(QStringLiteral("the game ended: ") + QString::fromLocal8Bit(game.readAll())));
    QVERIFY2(showsSetupDialog(frame, dialogSize, logoAt, logo),
             qPrintable(QStringLiteral("the first frame, %1 x %2, is not the setup dialog")
                            .arg(frame.width()).arg(frame.height())));
}

void InstallTest::programFolderIsFoundThroughLinks()
{
    // This test program, reached through a link to a link from a third folder,
    // stands in for the game started by its launcher.
    QTemporaryDir links;
    const QString self = QCoreApplication::applicationFilePath();
    QVERIFY(QFile::link(self, links.filePath(QStringLiteral("inner"))));
    QVERIFY(QFile::link(QStringLiteral("inner"), links.filePath(QStringLiteral("outer"))));
    QTemporaryDir elsewhere;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(LinkedRun), QFileInfo(self).canonicalPath());
    QProcess child;
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(elsewhere.path());
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(links.filePath(QStringLiteral("outer")), {QStringLiteral("programFolderAsSeenThroughALink")});
    QVERIFY(child.waitForFinished(-1));
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
             qPrintable(QString::fromLocal8Bit(child.readAll())));
}

void InstallTest::programFolderAsSeenThroughALink()
{
    if (!qEnvironmentVariableIsSet(LinkedRun))
        QSKIP("runs when programFolderIsFoundThroughLinks starts it");
    FreshProgram program;
    forms::setup();  // its load fixes the program folder
    QCOMPARE(Module1::instance().SoundDir, withTrailingSeparator(qEnvironmentVariable(LinkedRun)));
}

QTEST_MAIN(InstallTest)
#include "test_install.moc"
