// A run of the program that ends while a cue sounds. It lies in the program's
// folder and finds the audio module and the cue files there, as the game does.
// It opens the main window with the sound on, plays the win cue, and closes
// the last window:
//   (no argument)        as soon as the cue is heard starting;
//   --stop-server PID    as soon as the cue is heard starting, after stopping
//                        (SIGSTOP) the sound server PID and asking for the loss
//                        cue, which then waits on the server for good;
//   --close-at-once      right after asking for the cue.
// It then ends as the game does, with 0 and without a word when the program
// ends cleanly, its threads all gone.
#include <QApplication>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iterator>

#include "app/module1.h"
#include "gui_support.h"
#include "ui/forms.h"
#include "ui/frmDovrel.h"
#include "ui/program_end.h"
#include "ui/sound.h"

using namespace dovrel;

namespace {

void closeProgram()
{
    Module1::instance().CloseReason = QStringLiteral("Out for Good");
    if (frmDovrel* w = forms::mainIfLoaded())
        w->close();
}

}  // namespace

int main(int argc, char* argv[])
{
    int exitCode = 0;
    {
        QApplication app(argc, argv);
        testing::freshProgram();  // the fonts and the forms, the platform's chatter kept quiet
        const QStringList args = QCoreApplication::arguments().mid(1);
        const bool atOnce = args.contains(QLatin1String("--close-at-once"));
        const qsizetype stop = args.indexOf(QLatin1String("--stop-server"));
        const pid_t server = stop >= 0 ? static_cast<pid_t>(args.value(stop + 1).toInt()) : 0;

        Module1& m = Module1::instance();
        m.PlayerName[1] = QStringLiteral("Ann");
        m.PlayerName[2] = QStringLiteral("Bob");
        m.SoundDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
        m.SoundOn = True;
        SoundCues::instance().onStarted([server](const QString& path) {
            if (!path.endsWith(QLatin1String("win.wav")))
                return;
            if (server > 0) {
                ::kill(server, SIGSTOP);
                if (frmDovrel* w = forms::mainIfLoaded())
                    w->game().PlaySoundCue(QStringLiteral("loss.wav"));
            }
            closeProgram();
        });

        frmDovrel& w = forms::main();
        QTimer::singleShot(0, &w, [&w] { w.game().PlaySoundCue(QStringLiteral("win.wav")); });
        if (atOnce)
            QTimer::singleShot(0, &app, closeProgram);
        // Never heard: fail rather than hang.
        QTimer::singleShot(20000, &app, [] { QCoreApplication::exit(3); });
        exitCode = stopCuesForExit(QApplication::exec());
    }
    awaitQtThreads(exitCode);
    // Every thread of the program has ended, not merely finished its work:
    // what one half-gone still held would count as leaked at exit.
    const auto threads = std::distance(std::filesystem::directory_iterator("/proc/self/task"), {});
    if (threads != 1)
        std::fprintf(stderr, "threads left at the end of the program: %d\n", static_cast<int>(threads - 1));
    return exitCode;
}
