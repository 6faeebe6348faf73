// The cues against a real sound server: a private PulseAudio daemon whose only
// sink is a null sink, recorded from its monitor. Runs on the real clock,
// because what it checks is what a player hears; it asserts no timing bound,
// only the order and spacing of what was recorded.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <unistd.h>

#include "app/module1.h"
#include "gui_support.h"
#include "sound_support.h"
#include "ui/drawn_items.h"
#include "ui/frmDovrel.h"
#include "ui/sound.h"

using namespace dovrel;
using namespace dovrel::testing;

namespace {

constexpr int Rate = 22050;   // recorded mono, 16-bit
constexpr double Window = 0.005;  // envelope resolution, seconds

// The pitch of each ding, by its place in the take.
constexpr double DingPitch[] = {523.25, 587.33, 659.26, 783.99, 880.0, 1046.5};

QVector<qint16> samples(const QByteArray& raw)
{
    QVector<qint16> s(raw.size() / 2);
    memcpy(s.data(), raw.constData(), static_cast<size_t>(s.size()) * 2);
    return s;
}

// Root-mean-square level in consecutive windows.
QVector<double> envelope(const QVector<qint16>& s)
{
    const int n = static_cast<int>(Rate * Window);
    QVector<double> env;
    for (qsizetype i = 0; i + n <= s.size(); i += n) {
        double sum = 0;
        for (int k = 0; k < n; ++k)
            sum += double(s[i + k]) * s[i + k];
        env << std::sqrt(sum / n);
    }
    return env;
}

// Where a sound starts: the level jumps well above what it was 30 ms before.
// A bell only dies away, so its own body never counts as a start.
QList<double> onsets(const QVector<double>& env)
{
    const double peak = *std::max_element(env.begin(), env.end());
    QList<double> at;
    qsizetype last = -1000;
    for (qsizetype i = 6; i < env.size(); ++i) {
        if (env[i] >= 0.2 * peak && env[i] > 2.5 * env[i - 6] && i - last >= 30) {
            at << i * Window;
            last = i;
        }
    }
    return at;
}

// Strength of one frequency over a stretch of the recording.
double power(const QVector<qint16>& s, qsizetype from, int n, double freq)
{
    const double w = 2 * M_PI * freq / Rate;
    double s1 = 0, s2 = 0;
    for (qsizetype i = from; i < from + n && i < s.size(); ++i) {
        const double s0 = s[i] + 2 * std::cos(w) * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return s1 * s1 + s2 * s2 - 2 * std::cos(w) * s1 * s2;
}

// Which ding sounds just after `start` seconds: the one whose pitch is strongest.
int dingAt(const QVector<qint16>& s, double start)
{
    const qsizetype from = static_cast<qsizetype>((start + 0.01) * Rate);
    int best = 0;
    for (int d = 1; d < 6; ++d) {
        if (power(s, from, Rate * 6 / 100, DingPitch[d]) > power(s, from, Rate * 6 / 100, DingPitch[best]))
            best = d;
    }
    return best + 1;
}

// What this test starts goes with it, even when it dies (killed, crashed, out
// of time): a sound server or a recorder left behind would run on for good.
void goesWithThisProcess(QProcess& p, int sig)
{
    const pid_t parent = ::getpid();
    p.setChildProcessModifier([parent, sig] {
        ::prctl(PR_SET_PDEATHSIG, sig);
        if (::getppid() != parent)  // it died before that
            ::_exit(1);
    });
}

// The audio module's engine, counting the cues handed to it.
class CountingEngine final : public CueEngine {
public:
    CountingEngine(std::unique_ptr<CueEngine> real, std::atomic<int>& played) : real_(std::move(real)), played_(played) {}
    void setStarted(Started started) override { real_->setStarted(std::move(started)); }
    void load(const QString& path) override { real_->load(path); }
    void play(const QString& path, Clock::time_point asked) override
    {
        real_->play(path, asked);
        ++played_;
    }

private:
    std::unique_ptr<CueEngine> real_;
    std::atomic<int>& played_;
};

// True when the process is stopped (SIGSTOP), as a hung server is.
bool serverStopped(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    // The state follows the command's name, which is in parentheses.
    return line.mid(line.lastIndexOf(')') + 2, 1) == "T";
}

}  // namespace

class SoundServerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    // These two come first, while the recorder warms up.
    void badCueFilesStaySilent_data();
    void badCueFilesStaySilent();
    void everyDingOfATakeIsHeard();
    void aCueCutsOffTheOneStillSounding();
    void cuesAreTheGamesEventSounds();
    // These hold the server up for a while; they come after the take.
    void aHungServerIsGivenOneCueAtMost();
    void programEndsWhileACuePlays_data();
    void programEndsWhileACuePlays();
    // Last: it stops the server and starts it again, without the recorder.
    void serverGoingAwayMidCueIsSilent();

private:
    qint64 recorded() const { return QFileInfo(recording_).size(); }
    QVector<qint16> recordingFrom(qint64 offset) const;
    bool startServer();
    void stop(QProcess& p);

    QTemporaryDir dir_;
    QString server_;
    QString recording_;
    QProcess daemon_;
    QProcess recorder_;
};

void SoundServerTest::initTestCase()
{
    const QString pulseaudio = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    const QString parec = QStandardPaths::findExecutable(QStringLiteral("parec"));
    QVERIFY2(!pulseaudio.isEmpty() && !parec.isEmpty(), "needs pulseaudio and parec: ./dev.sh installs them");
    QVERIFY(dir_.isValid());
    const QString socket = dir_.filePath(QStringLiteral("native"));
    server_ = QStringLiteral("unix:") + socket;

    QVERIFY(startServer());

    // This process and the programs it starts play to that daemon.
    qputenv("PULSE_SERVER", server_.toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", dir_.path().toLocal8Bit());

    // The recorder delivers its first data late (a second or two): the take
    // waits until it flows.
    recording_ = dir_.filePath(QStringLiteral("monitor.raw"));
    recorder_.setStandardOutputFile(recording_);
    goesWithThisProcess(recorder_, SIGTERM);
    recorder_.start(parec, {QStringLiteral("--server=") + server_, QStringLiteral("--device=rec.monitor"),
                            QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                            QStringLiteral("--rate=%1").arg(Rate), QStringLiteral("--channels=1"),
                            QStringLiteral("--latency-msec=20")});
    QVERIFY(recorder_.waitForStarted());
}

// A daemon of our own: its own runtime folder and home, no client needs a cookie.
bool SoundServerTest::startServer()
{
    const QString socket = server_.mid(5);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir_.path());
    env.insert(QStringLiteral("HOME"), dir_.path());
    env.remove(QStringLiteral("PULSE_SERVER"));
    daemon_.setProcessEnvironment(env);
    daemon_.setStandardOutputFile(dir_.filePath(QStringLiteral("daemon.log")), QIODevice::Append);
    daemon_.setStandardErrorFile(dir_.filePath(QStringLiteral("daemon.log")), QIODevice::Append);
    goesWithThisProcess(daemon_, SIGKILL);  // it may be stopped just then, deaf to anything else
    daemon_.start(QStandardPaths::findExecutable(QStringLiteral("pulseaudio")),
                  {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                   QStringLiteral("--load=module-null-sink sink_name=rec"),
                   QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") + socket});
    return daemon_.waitForStarted() && QTest::qWaitFor([&] { return QFileInfo::exists(socket); }, 10000);
}

void SoundServerTest::stop(QProcess& p)
{
    if (p.state() == QProcess::NotRunning)
        return;
    ::kill(static_cast<pid_t>(p.processId()), SIGTERM);
    if (!p.waitForFinished(5000))
        ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
    p.waitForFinished(1000);
}

void SoundServerTest::cleanupTestCase()
{
    freshProgram();
    SoundCues::instance().shutDown();
    stop(recorder_);
    stop(daemon_);
}

void SoundServerTest::everyDingOfATakeIsHeard()
{
    freshProgram();
    Module1& m = Module1::instance();
    m.SoundDir = QStringLiteral(DOVREL_FOLDER "/");
    SoundCues::instance().setEngineMaker(audioModule());

    frmDovrel& w = openMainWindow(QStringLiteral("Ann"), QStringLiteral("Bob"));
    for (int k = 0; k <= 72; ++k)
        w.showToken(k, Kind::Neutral);  // no draw, so no penalty cuts the take short
    w.optFastest->click();
    w.mnuSound->trigger();
    QCOMPARE(m.SoundOn, True);

    QTRY_VERIFY_WITH_TIMEOUT(recorded() > 0, 10000);
    const qint64 first = recorded();
    QTRY_VERIFY_WITH_TIMEOUT(recorded() > first, 10000);
    // What was recorded before the take (the other tests' cues) is left out.
    const qint64 before = recorded() / 2 * 2;
    w.txtPick->setText(QStringLiteral("6"));
    w.cmdOK->click();  // returns when the take and the hand-over are done
    QCOMPARE(w.game().NextToken, int16_t(6));
    // The recorder holds back its last data: wait for half a second more.
    const qint64 after = recorded();
    QTRY_VERIFY_WITH_TIMEOUT(recorded() > after + Rate, 10000);

    QFile raw(recording_);
    QVERIFY(raw.open(QIODevice::ReadOnly));
    raw.seek(before);
    const QVector<qint16> s = samples(raw.readAll());
    const QList<double> at = onsets(envelope(s));
    QVERIFY2(at.size() == 6, qPrintable(QStringLiteral("onsets at %1 s").arg(
                                 [&] { QStringList t; for (double a : at) t << QString::number(a, 'f', 3); return t.join(QStringLiteral(", ")); }())));
    // One ding per token, a step (half a second) apart, each in its place.
    for (int i = 0; i < 6; ++i) {
        if (i > 0) {
            const double gap = at[i] - at[i - 1];
            QVERIFY2(gap > 0.3 && gap < 0.8, qPrintable(QStringLiteral("ding %1 came %2 s after the one before").arg(i + 1).arg(gap)));
        }
        QCOMPARE(dingAt(s, at[i]), i + 1);
    }
}

QVector<qint16> SoundServerTest::recordingFrom(qint64 offset) const
{
    QFile raw(recording_);
    if (!raw.open(QIODevice::ReadOnly) || !raw.seek(offset))
        return {};
    return samples(raw.readAll());
}

void SoundServerTest::aCueCutsOffTheOneStillSounding()
{
    const QString loss = QStringLiteral(DOVREL_FOLDER "/loss.wav");
    const QString ding = QStringLiteral(DOVREL_FOLDER "/ding6.wav");
    QStringList started;
    SoundCues cues(audioModule());
    cues.onStarted([&started](const QString& path) { started << path; });
    cues.prepare({loss, ding});
    const qint64 before = recorded() / 2 * 2;
    cues.play(loss);
    QTRY_VERIFY(started.contains(loss));
    QTest::qWait(300);  // into the first of the loss cue's four notes, two seconds in all
    cues.play(ding);
    QTRY_VERIFY(started.contains(ding));
    const qint64 after = recorded();
    QTRY_VERIFY_WITH_TIMEOUT(recorded() > after + 2 * 2 * Rate, 10000);

    const QVector<qint16> s = recordingFrom(before);
    const QVector<double> env = envelope(s);
    const QList<double> at = onsets(env);
    QVERIFY2(at.size() == 2, qPrintable(QStringLiteral("%1 onsets").arg(at.size())));
    QCOMPARE(dingAt(s, at[1]), 6);
    // Once the ding has died away, nothing of the loss cue is left to hear.
    const double peak = *std::max_element(env.begin(), env.end());
    for (qsizetype i = qsizetype((at[1] + 0.55) / Window); i < qsizetype((at[1] + 1.5) / Window); ++i)
        QVERIFY2(env[i] < 0.02 * peak, qPrintable(QStringLiteral("sound at %1 s").arg(i * Window)));
}

void SoundServerTest::cuesAreTheGamesEventSounds()
{
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.CueTest"));
    const auto unnamed = qScopeGuard([] { QGuiApplication::setDesktopFileName(QString()); });
    const QString ding = QStringLiteral(DOVREL_FOLDER "/ding1.wav");
    QStringList started;
    SoundCues cues(audioModule());
    cues.onStarted([&started](const QString& path) { started << path; });
    cues.play(ding);
    QTRY_VERIFY(started.contains(ding));
    // The streams stay open between cues: the server lists them, each one
    // under the desktop's volume for alerts and events.
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("sink-inputs")});
    QVERIFY(pactl.waitForFinished(10000));
    const QString streams = QString::fromUtf8(pactl.readAllStandardOutput());
    QVERIFY(streams.count(QLatin1String("Sink Input #")) > 0);
    QCOMPARE(streams.count(QLatin1String("media.role = \"event\"")), streams.count(QLatin1String("Sink Input #")));
    QVERIFY(streams.contains(QLatin1String("application.icon_name = \"org.example.CueTest\"")));
    QVERIFY(streams.contains(QStringLiteral("application.name = \"%1\"").arg(QCoreApplication::applicationName())));
}

void SoundServerTest::aHungServerIsGivenOneCueAtMost()
{
    QStringList dings;
    for (int d = 1; d <= 6; ++d)
        dings << QStringLiteral(DOVREL_FOLDER "/ding%1.wav").arg(d);
    std::atomic<int> played{0};
    QStringList started;
    SoundCues cues([&played, real = audioModule()] { return std::make_unique<CountingEngine>(real(), played); });
    cues.onStarted([&started](const QString& path) { started << path; });
    cues.play(dings[0]);
    QTRY_VERIFY(started.contains(dings[0]));

    const auto server = static_cast<pid_t>(daemon_.processId());
    const auto resume = qScopeGuard([server] { ::kill(server, SIGCONT); });
    ::kill(server, SIGSTOP);
    // Whatever is written to a hung server piles up in memory, to be played
    // all at once should it wake: it is told of one cue, the rest are dropped.
    for (int d = 1; d <= 4; ++d) {
        cues.play(dings[d]);
        QTRY_COMPARE(played.load(), d + 1);
    }
    QCoreApplication::processEvents();
    QVERIFY2(started.size() <= 2, qPrintable(started.join(QLatin1Char(' '))));

    // Once the server answers again, so does the sound.
    ::kill(server, SIGCONT);
    cues.play(dings[5]);
    QTRY_VERIFY(started.contains(dings[5]));
}

void SoundServerTest::badCueFilesStaySilent_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("pipe");
    const QByteArray tone = toneWave();
    QTest::newRow("missing") << QByteArray() << false;  // no file is written
    QTest::newRow("empty") << QByteArray("") << false;
    QTest::newRow("not a wave file") << QByteArray(3000, 'x') << false;
    QTest::newRow("cut off in the header") << tone.left(30) << false;
    QTest::newRow("cut off in the sound") << tone.left(tone.size() / 2) << false;
    QTest::newRow("part of a frame at the end") << waveBytes(1, 22050, 16, tone.mid(44) + 'x') << false;
    // Nothing ever writes to it: reading it would wait for good.
    QTest::newRow("a pipe") << QByteArray() << true;
}

void SoundServerTest::badCueFilesStaySilent()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, pipe);
    const QString bad = dir_.filePath(QStringLiteral("bad.wav"));
    const QString good = dir_.filePath(QStringLiteral("good.wav"));
    const QString next = dir_.filePath(QStringLiteral("next.wav"));
    QFile::remove(bad);
    if (pipe) {
        QVERIFY(makePipe(bad));
    } else if (!bytes.isNull()) {
        writeFile(bad, bytes);
    }
    // Should the cue thread be stuck reading the pipe, it is let go at the end.
    const auto unblock = qScopeGuard([&] {
        if (pipe)
            releasePipe(bad);
    });
    writeFile(good, toneWave());
    writeFile(next, toneWave());

    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
    StderrCapture err;
    QStringList started;
    {
        SoundCues cues(audioModule());
        cues.onStarted([&started](const QString& path) { started << path; });
        cues.prepare({bad, good, next});
        cues.play(bad);
        cues.play(good);
        cues.play(bad);
        cues.play(next);
        // The player lives on after the bad file, and plays the next good one.
        QTRY_VERIFY(started.contains(next));
    }
    QVERIFY(!started.contains(bad));
    QCOMPARE(err.finish(), QByteArray());
}

void SoundServerTest::programEndsWhileACuePlays_data()
{
    QTest::addColumn<QString>("hang");
    QTest::addColumn<QByteArray>("said");
    const QByteArray clean = "event loop done\nended cleanly\n";
    QTest::newRow("answering server") << QString() << clean;
    // Nothing waits for the server: a hung one never holds up the end.
    QTest::newRow("server hung before the first cue") << QStringLiteral("before") << clean;
    QTest::newRow("server hung during a take") << QStringLiteral("during") << clean;
    // A cue thread that never comes back is left to itself, and the program
    // ends at once, before the audio stack's clean-up could wait on it.
    QTest::newRow("audio stack hung") << QStringLiteral("audio") << QByteArray("event loop done\n");
}

// The program ends at once, with 0 and without a word, whatever hangs.
void SoundServerTest::programEndsWhileACuePlays()
{
    QFETCH(QString, hang);
    QFETCH(QByteArray, said);
    const auto server = static_cast<pid_t>(daemon_.processId());
    const auto resume = qScopeGuard([server] { ::kill(server, SIGCONT); });
    QStringList args;
    if (hang == QLatin1String("before")) {
        ::kill(server, SIGSTOP);
        args << QStringLiteral("--close-at-once");
    } else if (hang == QLatin1String("during")) {
        args << QStringLiteral("--stop-server") << QString::number(server);
    } else if (hang == QLatin1String("audio")) {
        args << QStringLiteral("--stuck-audio");
    }
    QProcess program;
    goesWithThisProcess(program, SIGKILL);
    program.start(QStringLiteral(CUE_EXIT_PROBE), args);
    QVERIFY(program.waitForFinished(30000));
    if (hang == QLatin1String("during"))
        QVERIFY2(serverStopped(server), "the server was not hung when the program ended");
    // A sanitizer's report is long, and a failed comparison would show only
    // its first line: it is passed on whole.
    const QByteArray errors = program.readAllStandardError();
    if (!errors.isEmpty()) {
        std::fwrite(errors.constData(), 1, static_cast<size_t>(errors.size()), stderr);
        std::fflush(stderr);
    }
    QVERIFY2(errors.isEmpty(), "the program wrote the above on its standard error");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    // Which way it ended: cleanly, or leaving the cue thread to itself.
    QCOMPARE(program.readAllStandardOutput(), said);
}

void SoundServerTest::serverGoingAwayMidCueIsSilent()
{
    const QString folder = QStringLiteral(DOVREL_FOLDER "/");
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
    StderrCapture err;
    QStringList started;
    SoundCues cues(audioModule());
    cues.onStarted([&started](const QString& path) { started << path; });
    cues.play(folder + QStringLiteral("loss.wav"));
    QTRY_VERIFY(!started.isEmpty());
    stop(daemon_);
    cues.play(folder + QStringLiteral("ding1.wav"));

    // The desktop starts its server again: the next cues find it.
    QVERIFY(startServer());
    const QString ding = folder + QStringLiteral("ding2.wav");
    bool heard = false;
    for (int tries = 0; tries < 5 && !heard; ++tries) {
        cues.play(ding);
        heard = QTest::qWaitFor([&] { return started.contains(ding); }, 2000);
    }
    QVERIFY(heard);
    QVERIFY(!started.contains(folder + QStringLiteral("ding1.wav")));
    cues.shutDown();
    QCOMPARE(err.finish(), QByteArray());
}

QTEST_MAIN(SoundServerTest)
#include "test_sound_server.moc"
