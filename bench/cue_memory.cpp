// What the cue player costs in memory while the sound server hangs (stopped,
// as a debugger, a frozen session or a suspended container leaves it), and
// whether the sound comes back once it answers again.
//
//   cue_memory MODULE FOLDER SERVER_PID [CUES [SPACING_MS]]
//
// plays FOLDER/ding1.wav once through the audio module MODULE with the server
// answering, then stops the server (SIGSTOP), plays CUES cues (60), ding1 to
// ding6 in turn, SPACING_MS apart (500, a step at the Fastest speed), and
// prints the process's resident memory before and after them, and how many
// of them the player handed to the stopped server. It then lets
// the server go on (SIGCONT), waits a second, and plays one more cue: it
// prints how long after the call that cue was heard starting, or "-".
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "ui/sound.h"

namespace {

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Handles the news of started cues for `ms`.
void spin(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: cue_memory MODULE FOLDER SERVER_PID [CUES [SPACING_MS]]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]) + QLatin1Char('/');
    const auto server = static_cast<pid_t>(std::atoi(argv[3]));
    const int cues = argc > 4 ? std::atoi(argv[4]) : 60;
    const int spacing = argc > 5 ? std::atoi(argv[5]) : 500;

    dovrel::SoundCues player(dovrel::SoundCues::moduleEngine(QString::fromLocal8Bit(argv[1])));
    QStringList all;
    for (int d = 1; d <= 6; ++d)
        all << folder + QStringLiteral("ding%1.wav").arg(d);
    QElapsedTimer clock;
    qint64 heardAt = -1;
    qint64 askedAt = 0;
    int heard = 0;
    player.onStarted([&](const QString&) {
        heardAt = clock.elapsed();
        ++heard;
    });
    clock.start();
    player.prepare(all);
    spin(1000);
    player.play(all[0]);
    spin(1500);
    const long before = residentKiB();

    ::kill(server, SIGSTOP);
    heard = 0;
    for (int i = 0; i < cues; ++i) {
        player.play(all[i % 6]);
        spin(spacing);
    }
    spin(1000);
    const long after = residentKiB();
    const int heardStopped = heard;
    ::kill(server, SIGCONT);

    spin(1000);
    heardAt = -1;
    askedAt = clock.elapsed();
    player.play(all[0]);
    spin(2000);
    std::printf("%d cues: %ld KiB before, %ld KiB after, %+ld KiB; %d given to the stopped server; ", cues, before,
                after, after - before, heardStopped);
    if (heardAt >= 0)
        std::printf("after the server came back, a cue started %lld ms after its call\n",
                    static_cast<long long>(heardAt - askedAt));
    else
        std::printf("after the server came back, no cue was heard\n");
    player.shutDown();
    return 0;
}
