// The cue player: which files reach the audio stack, the thread the cues play
// on, and silence whenever sound cannot be had.
#include <QDir>
#include <QMutex>
#include <QScopeGuard>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QtEndian>
#include <atomic>
#include <thread>

#include "sound_support.h"
#include "ui/sound.h"
#include "ui/wave_file.h"

using namespace dovrel;
using namespace dovrel::testing;

namespace {

// What an engine was asked to do, and on which thread.
struct Call {
    QString what;
    QString path;
    QThread* thread;
    CueEngine::Clock::time_point asked;
};

struct CallLog {
    QSemaphore gate;
    QMutex lock;
    QList<Call> calls;
    std::atomic<int> made{0};
    std::atomic<int> ended{0};
    void add(const QString& what, const QString& path, CueEngine::Clock::time_point asked = {})
    {
        QMutexLocker hold(&lock);
        calls << Call{what, path, QThread::currentThread(), asked};
    }
    QStringList list()
    {
        QMutexLocker hold(&lock);
        QStringList out;
        for (const Call& c : calls)
            out << c.what + QLatin1Char(' ') + QFileInfo(c.path).fileName();
        return out;
    }
};

// With a gate, the first file it reads holds the cue thread until the test lets it go.
class LoggingEngine final : public CueEngine {
public:
    LoggingEngine(CallLog& log, QSemaphore* gate) : log_(log), gate_(gate) {}
    void setStarted(Started) override {}
    void load(const QString& path) override
    {
        if (QSemaphore* gate = std::exchange(gate_, nullptr))
            gate->tryAcquire(1, 10000);
        log_.add(QStringLiteral("load"), path);
    }
    void play(const QString& path, Clock::time_point asked) override { log_.add(QStringLiteral("play"), path, asked); }

private:
    CallLog& log_;
    QSemaphore* gate_;
};

SoundCues::EngineMaker loggingMaker(CallLog& log, bool gated = false)
{
    return [&log, gated] {
        ++log.made;
        return std::make_unique<LoggingEngine>(log, gated ? &log.gate : nullptr);
    };
}

// An engine whose loading hangs until the test lets it go, as a stuck sound
// system would. It tells of every cue it plays.
class StuckEngine final : public CueEngine {
public:
    StuckEngine(QSemaphore& release, std::atomic<bool>& stuck, CallLog& log)
        : release_(release), stuck_(stuck), log_(log)
    {
    }
    ~StuckEngine() override { ++log_.ended; }
    void setStarted(Started started) override { started_ = std::move(started); }
    void load(const QString& path) override
    {
        stuck_ = true;
        release_.tryAcquire(1, 10000);
        stuck_ = false;
        log_.add(QStringLiteral("load"), path);
    }
    void play(const QString& path, Clock::time_point asked) override
    {
        log_.add(QStringLiteral("play"), path, asked);
        started_(path);
    }

private:
    QSemaphore& release_;
    std::atomic<bool>& stuck_;
    CallLog& log_;
    Started started_;
};

// A wave file in the extensible format, whose sample tag lies in a sub-format
// block after the plain fields.
QByteArray extensibleWave(int channels, int bits, quint16 subTag, const QByteArray& data)
{
    QByteArray b = waveBytes(channels, 22050, bits, data, 0xFFFE);
    QByteArray ext(24, '\0');
    qToLittleEndian<quint16>(22, ext.data());  // size of what follows
    qToLittleEndian<quint16>(static_cast<quint16>(bits), ext.data() + 2);
    qToLittleEndian<quint16>(subTag, ext.data() + 8);
    ext.replace(12, 12, QByteArray("\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 12));
    b.insert(36, ext);
    qToLittleEndian<quint32>(40, b.data() + 16);
    qToLittleEndian<quint32>(qFromLittleEndian<quint32>(b.constData() + 4) + 24, b.data() + 4);
    return b;
}

}  // namespace

class SoundTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void filesTrustedToTheAudioStack_data();
    void filesTrustedToTheAudioStack();
    void pipesAreNotRead();

    void cuesPlayInOrderOnTheirOwnThread();
    void theGameNeverWaitsForTheAudioStack();
    void nothingIsLoadedBeforeTheFirstCue();
    void newsOfAThreadLeftToItselfGoesNowhere_data();
    void newsOfAThreadLeftToItselfGoesNowhere();

    void noAudioDeviceIsSilent();
    void missingOrBrokenAudioModuleIsSilent();

private:
    QTemporaryDir dir_;
    QString file(const QString& name) const { return dir_.filePath(name); }
};

void SoundTest::initTestCase()
{
    QVERIFY(dir_.isValid());
    // Whatever this machine has, the audio stack finds no sound server here.
    qputenv("PULSE_SERVER", QFile::encodeName(QStringLiteral("unix:") + file(QStringLiteral("no-server"))));
    writeFile(file(QStringLiteral("good.wav")), toneWave());
    writeFile(file(QStringLiteral("other.wav")), toneWave());
    writeFile(file(QStringLiteral("empty.wav")), QByteArray());
    writeFile(file(QStringLiteral("cut.wav")), toneWave().left(1000));
}

void SoundTest::filesTrustedToTheAudioStack_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("trusted");

    const QByteArray frames = QByteArray(400, '\x10');
    QByteArray listed = waveBytes(1, 22050, 16, frames);
    // An odd-sized chunk (padded to even) between the format and the sound.
    listed.insert(36, QByteArray("LIST\x03\x00\x00\x00" "abc\x00", 12));
    QByteArray soundFirst = waveBytes(1, 22050, 16, frames);
    soundFirst = soundFirst.left(12) + soundFirst.mid(36) + soundFirst.mid(12, 24);
    QByteArray hugeChunk = waveBytes(1, 22050, 16, frames);
    hugeChunk.insert(36, QByteArray("LIST\xFF\xFF\xFF\xFF" "abc\x00", 12));
    QByteArray hugeSound = waveBytes(1, 22050, 16, frames);
    qToLittleEndian<quint32>(0xFFFFFFFE, hugeSound.data() + 40);

    QTest::newRow("16-bit mono") << waveBytes(1, 22050, 16, frames) << true;
    QTest::newRow("8-bit stereo") << waveBytes(2, 8000, 8, frames) << true;
    QTest::newRow("float") << waveBytes(1, 44100, 32, frames, 3) << true;
    QTest::newRow("one frame") << waveBytes(1, 22050, 16, QByteArray(2, '\x10')) << true;
    QTest::newRow("chunk before the sound") << listed << true;
    QTest::newRow("extensible 16-bit") << extensibleWave(2, 16, 1, frames) << true;
    QTest::newRow("extensible float") << extensibleWave(1, 32, 3, frames) << true;

    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("not a wave file") << QByteArray(400, 'x') << false;
    QTest::newRow("riff but not wave") << waveBytes(1, 22050, 16, frames).replace(8, 4, "AVI ") << false;
    QTest::newRow("cut off in the header") << waveBytes(1, 22050, 16, frames).left(30) << false;
    QTest::newRow("cut off in the sound") << waveBytes(1, 22050, 16, frames).left(300) << false;
    QTest::newRow("part of a frame at the end") << waveBytes(1, 22050, 16, frames + 'x') << false;
    QTest::newRow("no frames") << waveBytes(1, 22050, 16, QByteArray()) << false;
    QTest::newRow("no sound chunk") << waveBytes(1, 22050, 16, frames).left(36) << false;
    QTest::newRow("sound before the format") << soundFirst << false;
    QTest::newRow("no channels") << waveBytes(0, 22050, 16, frames) << false;
    QTest::newRow("no sample rate") << waveBytes(1, 0, 16, frames) << false;
    QTest::newRow("7-bit samples") << waveBytes(1, 22050, 7, frames) << false;
    QTest::newRow("24-bit samples") << waveBytes(1, 22050, 24, QByteArray(300, '\x10')) << false;
    QTest::newRow("compressed") << waveBytes(1, 22050, 4, frames, 2) << false;
    QTest::newRow("extensible compressed") << extensibleWave(1, 4, 2, frames) << false;
    QTest::newRow("extensible without its sub-format") << waveBytes(1, 22050, 16, frames, 0xFFFE) << false;
    QTest::newRow("chunk claiming 4 GiB") << hugeChunk << false;
    QTest::newRow("sound claiming 4 GiB") << hugeSound << false;
    QTest::newRow("far longer than a cue") << waveBytes(1, 22050, 16, QByteArray(9 << 20, '\x10')) << false;
}

void SoundTest::filesTrustedToTheAudioStack()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, trusted);
    const QString path = file(QStringLiteral("probe.wav"));
    writeFile(path, bytes);
    const std::optional<WaveSound> sound = readWave(path);
    QCOMPARE(sound.has_value(), trusted);
    if (!sound)
        return;
    // What is played is the sound chunk, as the format chunk describes it.
    const qsizetype at = bytes.indexOf("data") + 8;
    QCOMPARE(sound->frames, bytes.mid(at));
    QCOMPARE(sound->channels, int(qFromLittleEndian<quint16>(bytes.constData() + 22)));
    QCOMPARE(sound->rate, int(qFromLittleEndian<quint32>(bytes.constData() + 24)));
}

void SoundTest::pipesAreNotRead()
{
    // A pipe named like a cue file, that nothing writes to: opening it, or
    // reading it, would hold the cue thread for good.
    const QString pipe = file(QStringLiteral("pipe.wav"));
    QVERIFY(makePipe(pipe));
    std::atomic<bool> done{false};
    std::optional<WaveSound> sound;
    std::thread reader([&] {
        sound = readWave(pipe);
        done = true;
    });
    // A reader stuck on the pipe is let go by a writer that comes and goes.
    const auto letGo = qScopeGuard([&] {
        releasePipe(pipe);
        reader.join();
    });
    QTRY_VERIFY(done);
    QVERIFY(!sound);
}

void SoundTest::cuesPlayInOrderOnTheirOwnThread()
{
    using Clock = CueEngine::Clock;
    CallLog log;
    Clock::time_point lastAsked, taken;
    {
        SoundCues cues(loggingMaker(log, true));
        const QString good = file(QStringLiteral("good.wav")), other = file(QStringLiteral("other.wav"));
        const QString cut = file(QStringLiteral("cut.wav")), missing = file(QStringLiteral("missing.wav"));
        cues.prepare({good, missing, file(QStringLiteral("empty.wav")), other});
        // Cues asked for while the thread reads: only the newest may play,
        // and it belongs to the moment it was asked for.
        cues.play(other);
        cues.play(cut);
        cues.play(good);
        cues.play(missing);
        lastAsked = Clock::now();
        cues.play(other);
        taken = Clock::now();
        log.gate.release();
        QTRY_COMPARE(log.list().size(), 5);
        // Asked for one at a time, every cue plays.
        cues.play(cut);
        QTRY_COMPARE(log.list().size(), 6);
        cues.play(good);
    }  // the player's end waits for what was asked
    QCOMPARE(log.made.load(), 1);
    QCOMPARE(log.list(), (QStringList{"load good.wav", "load missing.wav", "load empty.wav", "load other.wav",
                                      "play other.wav", "play cut.wav", "play good.wav"}));
    QVERIFY(log.calls[4].asked >= lastAsked && log.calls[4].asked <= taken);
    QThread* cueThread = log.calls.first().thread;
    QVERIFY(cueThread != QThread::currentThread());
    for (const Call& c : log.calls)
        QCOMPARE(c.thread, cueThread);
}

void SoundTest::theGameNeverWaitsForTheAudioStack()
{
    QSemaphore release;
    std::atomic<bool> stuck{false};
    CallLog log;
    SoundCues cues([&] { return std::make_unique<StuckEngine>(release, stuck, log); });
    const QString good = file(QStringLiteral("good.wav"));
    cues.prepare({good});
    QTRY_VERIFY(stuck);
    // Every request returns while the cue thread hangs in the audio stack.
    cues.play(good);
    cues.prepare({good});
    cues.play(good);
    const bool stillStuck = stuck;
    release.release(2);
    QVERIFY(stillStuck);
    cues.shutDown();
    // The first cue, still waiting, gave way to the second.
    QCOMPARE(log.list(), (QStringList{"load good.wav", "load good.wav", "play good.wav"}));
}

void SoundTest::nothingIsLoadedBeforeTheFirstCue()
{
    CallLog log;
    SoundCues cues(loggingMaker(log));
    cues.shutDown();
    QCOMPARE(log.made.load(), 0);
    // After a shut-down the next cue starts the player afresh.
    cues.play(file(QStringLiteral("good.wav")));
    cues.shutDown();
    QCOMPARE(log.list(), QStringList{"play good.wav"});
}

void SoundTest::newsOfAThreadLeftToItselfGoesNowhere_data()
{
    QTest::addColumn<bool>("playerEnds");
    QTest::newRow("the player ends") << true;
    QTest::newRow("the player goes on") << false;
}

// A cue thread stuck in the audio stack is left to itself, and the player may
// go, as at the end of the program; the thread may still stir later.
void SoundTest::newsOfAThreadLeftToItselfGoesNowhere()
{
    QFETCH(bool, playerEnds);
    QSemaphore release;
    std::atomic<bool> stuck{false};
    CallLog log;
    QStringList started;
    auto cues = std::make_unique<SoundCues>([&] { return std::make_unique<StuckEngine>(release, stuck, log); });
    cues->onStarted([&started](const QString& path) { started << QFileInfo(path).fileName(); });
    cues->prepare({file(QStringLiteral("good.wav"))});
    cues->play(file(QStringLiteral("good.wav")));
    QTRY_VERIFY(stuck);
    QVERIFY(!cues->shutDown(QDeadlineTimer(0)));
    if (playerEnds) {
        cues.reset();
    } else {
        // The next cue starts a thread of its own, which is heard from.
        cues->play(file(QStringLiteral("other.wav")));
        QTRY_COMPARE(started, QStringList{"other.wav"});
    }
    release.release();
    QTRY_COMPARE(log.ended.load(), 1);  // it played its cue and ended
    QCoreApplication::processEvents();
    QCOMPARE(started, playerEnds ? QStringList() : QStringList{"other.wav"});
}

void SoundTest::noAudioDeviceIsSilent()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
    StderrCapture err;
    SoundCues cues(audioModule());
    QStringList started;
    cues.onStarted([&started](const QString& path) { started << path; });
    QStringList all;
    for (const QString& name : QDir(QStringLiteral(DOVREL_FOLDER)).entryList({QStringLiteral("*.wav")}))
        all << QStringLiteral(DOVREL_FOLDER "/") + name;
    QVERIFY(all.size() >= 8);
    cues.prepare(all);
    for (const QString& path : all)
        cues.play(path);
    QVERIFY(cues.shutDown());  // with no server, nothing holds the thread up
    QCOMPARE(err.finish(), QByteArray());
    QCoreApplication::processEvents();
    QVERIFY(started.isEmpty());
}

void SoundTest::missingOrBrokenAudioModuleIsSilent()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
    const QString broken = file(QStringLiteral("broken.so"));
    writeFile(broken, "not a library");
    StderrCapture err;
    for (const QString& module : {file(QStringLiteral("absent.so")), broken}) {
        SoundCues cues(SoundCues::moduleEngine(module));
        cues.prepare({file(QStringLiteral("good.wav"))});
        cues.play(file(QStringLiteral("good.wav")));
    }
    QCOMPARE(err.finish(), QByteArray());
}

QTEST_GUILESS_MAIN(SoundTest)
#include "test_sound.moc"
