// The game installed as a desktop program: into a fresh prefix with
// `cmake --install`, in the places Debian gives games, then started from its
// menu entry's command.
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSettings>
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

// Set when this test runs itself through links; such a run names the one
// test function it runs.
const char* const LinkedRun = "DOVREL_TEST_REAL_FOLDER";

// Runs a program to its end, in `folder` when one is named; its output, or
// why it failed, goes to `output`.
int run(const QString& program, const QStringList& arguments, QString* output,
        const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(), const QString& folder = {})
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(folder);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    const bool ended = p.waitForFinished(-1);
    *output = program + QStringLiteral(": ") + (ended ? QString::fromLocal8Bit(p.readAll()) : p.errorString());
    return ended && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

QString readText(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// A key of a desktop entry's main group.
QString desktopKey(const QString& file, const QString& key)
{
    return QSettings(file, QSettings::IniFormat).value(QStringLiteral("Desktop Entry/") + key).toString();
}

}  // namespace

class InstallTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void programFolderAndLauncher();
    void menuEntryIconsAndMetainfo();
    void manualPageNamesTheFolderAndEveryFileInIt();
    void copyrightCarriesTheLicence();
    void menuCommandShowsTheSetupDialogFromAnotherFolder();
    void programFolderIsFoundThroughLinks();
    void programFolderAsSeenThroughALink();

private:
    // Installed under usr/ of a root of its own, as the package lays it out.
    QString path(const QString& relative) const { return root_.filePath(QStringLiteral("usr/") + relative); }

    QTemporaryDir root_;
    QString desktop_;  // the installed menu entry
    QString id_;       // its name, which the icon and the metainfo share
};

void InstallTest::initTestCase()
{
    if (qEnvironmentVariableIsSet(LinkedRun))
        return;
    QString output;
    QVERIFY2(run(QStringLiteral(DOVREL_CMAKE),
                 {QStringLiteral("--install"), QStringLiteral(DOVREL_BUILD_DIR), QStringLiteral("--prefix"), path(QString())},
                 &output) == 0,
             qPrintable(output));
    const QStringList entries = QDir(path(QStringLiteral("share/applications"))).entryList({QStringLiteral("*.desktop")});
    QCOMPARE(entries.size(), 1);
    desktop_ = path(QStringLiteral("share/applications/") + entries.first());
    id_ = QFileInfo(desktop_).completeBaseName();
}

void InstallTest::programFolderAndLauncher()
{
    const QFileInfo game(path(QStringLiteral("lib/games/dovrel/dovrel")));
    QVERIFY(game.isFile() && game.isExecutable());
    for (const QString& name : QStringLiteral(DOVREL_FOLDER_FILE_NAMES).split(QLatin1Char(','), Qt::SkipEmptyParts))
        QVERIFY2(QFileInfo::exists(path(QStringLiteral("lib/games/dovrel/") + name)), qPrintable(name));
    // A relative link, or the package would point into the folder it was made in.
    const QFileInfo launcher(path(QStringLiteral("games/dovrel")));
    QVERIFY(launcher.isSymLink());
    QVERIFY(std::filesystem::read_symlink(launcher.filePath().toStdString()).is_relative());
    QCOMPARE(launcher.canonicalFilePath(), game.canonicalFilePath());
}

void InstallTest::menuEntryIconsAndMetainfo()
{
    // The icon the entry names, at the sizes of the folders it lies in, from
    // the smallest a menu shows to the largest a software centre does.
    const QString icon = desktopKey(desktop_, QStringLiteral("Icon"));
    QCOMPARE(icon, id_);
    QList<int> sizes;
    const QDir hicolor(path(QStringLiteral("share/icons/hicolor")));
    for (const QString& folder : hicolor.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QImage picture(hicolor.filePath(folder + QStringLiteral("/apps/") + icon + QStringLiteral(".png")));
        QCOMPARE(QStringLiteral("%1x%2").arg(picture.width()).arg(picture.height()), folder);
        sizes << picture.width();
    }
    std::sort(sizes.begin(), sizes.end());
    QVERIFY(sizes.size() >= 5 && sizes.first() == 16 && sizes.last() == 256);

    // What the desktop's own tools make of the installed files: the software
    // centre's tool reads the whole tree, as lintian has it do.
    const QString metainfo = path(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(id_));
    const std::pair<const char*, QStringList> checks[] = {
        {"desktop-file-validate", {desktop_}},
        {"appstreamcli", {QStringLiteral("validate-tree"), QStringLiteral("--no-net"), root_.path()}}};
    for (const auto& [name, arguments] : checks) {
        const QString tool = QStandardPaths::findExecutable(QString::fromLatin1(name));
        QVERIFY2(!tool.isEmpty(), qPrintable(QStringLiteral("%1 is missing: ./dev.sh installs it").arg(name)));
        QString output;
        QVERIFY2(run(tool, arguments, &output) == 0, qPrintable(output));
        // Some releases' validators pass a tree with warnings that lintian on
        // others fails: only notes may stand (indented under each file's name).
        for (const QString& line : output.mid(tool.size() + 2).split(QLatin1Char('\n'))) {
            const QString hint = line.trimmed();
            QVERIFY2(!hint.startsWith(QLatin1String("W:")) && !hint.startsWith(QLatin1String("E:")), qPrintable(output));
        }
    }
    QFile xml(metainfo);
    QVERIFY(xml.open(QIODevice::ReadOnly));
    QVERIFY(xml.readAll().contains(QStringLiteral(">%1.desktop</launchable>").arg(id_).toUtf8()));
}

void InstallTest::manualPageNamesTheFolderAndEveryFileInIt()
{
    // The page a player reads must keep up with what the program's folder holds.
    QString page;
    QVERIFY2(run(QStringLiteral("gzip"), {QStringLiteral("-dc"), path(QStringLiteral("share/man/man6/dovrel.6.gz"))},
                 &page) == 0,
             qPrintable(page));
    QVERIFY(page.contains(QStringLiteral(".TH DOVREL 6 ")));
    QVERIFY(page.contains(QStringLiteral("/usr/games/dovrel\n")));
    QVERIFY(page.contains(QStringLiteral("/usr/lib/games/dovrel/\n")));
    for (const QString& name : QStringLiteral(DOVREL_FOLDER_FILE_NAMES).split(QLatin1Char(','), Qt::SkipEmptyParts))
        QVERIFY2(page.contains(name), qPrintable(name));
}

void InstallTest::copyrightCarriesTheLicence()
{
    // Debian's machine-readable form indents the licence under its name and
    // writes blank lines as " ."; read back, it must be LICENSE word for word.
    const QString licence = readText(QStringLiteral(DOVREL_SOURCE_DIR "/LICENSE"));
    const QString copyright = readText(path(QStringLiteral("share/doc/dovrel/copyright")));
    QVERIFY(copyright.startsWith(QStringLiteral("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n")));
    const QString holder = licence.section(QLatin1Char('\n'), 2, 2).remove(QStringLiteral("Copyright (c) "));
    QVERIFY(copyright.contains(QStringLiteral("\nFiles: *\nCopyright: %1\nLicense: Expat\n").arg(holder)));

    const QString name = QStringLiteral("\nLicense: Expat\n");
    QString terms;
    for (const QString& line : copyright.mid(copyright.lastIndexOf(name) + name.size()).split(QLatin1Char('\n'))) {
        if (!line.startsWith(QLatin1Char(' ')))
            break;
        terms += (line == QStringLiteral(" .") ? QString() : line.mid(1)) + QLatin1Char('\n');
    }
    QVERIFY(terms.count(QLatin1Char('\n')) > 10);
    QCOMPARE(licence.right(terms.size()), terms);
}

void InstallTest::menuCommandShowsTheSetupDialogFromAnotherFolder()
{
    // The dialog as the game draws it.
    FreshProgram program;
    const frmSetup& dialog = forms::setup();
    const QImage logo = dialog.Image1->picture().toImage().convertToFormat(QImage::Format_ARGB32);

    // The entry's command, found on the PATH as a desktop finds it.
    const QStringList command = desktopKey(desktop_, QStringLiteral("Exec")).split(QLatin1Char(' '));
    QCOMPARE(command.size(), 1);  // the game takes no arguments
    const QString launcher = QStandardPaths::findExecutable(command.first(), {path(QStringLiteral("games"))});
    QVERIFY(!launcher.isEmpty());

    // Qt's minimal platform is as headless as the offscreen one and, asked to,
    // writes each frame it shows into the working folder: the test sees the
    // very window the game put up, and its first frame must be the dialog.
    QTemporaryDir elsewhere;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("minimal"));
    env.insert(QStringLiteral("QT_DEBUG_BACKINGSTORE"), QStringLiteral("1"));
    QProcess game;
    game.setProcessEnvironment(env);
    game.setWorkingDirectory(elsewhere.path());
    game.setProcessChannelMode(QProcess::MergedChannels);
    game.start(launcher, {});
    QVERIFY2(game.waitForStarted(-1), qPrintable(game.errorString()));
    QImage frame;
    QEventLoop loop;
    QTimer look;
    connect(&look, &QTimer::timeout, &loop, [&] {
        if (frame.load(elsewhere.filePath(QStringLiteral("output0000.png"))))  // fails until written whole
            loop.quit();
    });
    connect(&game, &QProcess::finished, &loop, &QEventLoop::quit);
    look.start(20);
    loop.exec();
    const bool running = game.state() == QProcess::Running;
    game.kill();
    game.waitForFinished(-1);
    QVERIFY2(running, qPrintable(QString::fromLocal8Bit(game.readAll())));

    QCOMPARE(frame.size(), dialog.size());
    const QPoint at = dialog.Image1->geometry().topLeft();
    for (int y = 0; y < logo.height(); ++y) {
        for (int x = 0; x < logo.width(); ++x) {
            if (qAlpha(logo.pixel(x, y)) == 255)
                QCOMPARE(frame.pixel(at + QPoint(x, y)) | 0xFF000000, logo.pixel(x, y));
        }
    }
}

void InstallTest::programFolderIsFoundThroughLinks()
{
    // This test program, reached through a link to a link from a third folder,
    // stands in for the game started by its launcher.
    QTemporaryDir links;
    QTemporaryDir elsewhere;
    const QString self = QCoreApplication::applicationFilePath();
    QVERIFY(QFile::link(self, links.filePath(QStringLiteral("inner"))));
    QVERIFY(QFile::link(QStringLiteral("inner"), links.filePath(QStringLiteral("outer"))));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(LinkedRun), QFileInfo(self).canonicalPath());
    QString output;
    QVERIFY2(run(links.filePath(QStringLiteral("outer")), {QStringLiteral("programFolderAsSeenThroughALink")}, &output,
                 env, elsewhere.path()) == 0,
             qPrintable(output));
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
