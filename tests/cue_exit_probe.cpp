// A run of the program that ends while cues sound. It lies in the program's
// folder and finds the audio module and the cue files there, as the game does.
// It opens the main window with the sound on and the row all neutral, and:
//   (no argument)        plays the win cue and closes the last window as soon
//                        as the cue is heard starting;
//   --close-at-once      plays the win cue and closes right after asking;
//   --stop-server PID    takes 6 at the Fastest speed, stops (SIGSTOP) the
//                        sound server PID as soon as the first ding is heard
//                        starting, and closes during the take's third token,
//                        its later dings asked of the stopped server;
//   --stuck-audio        plays the win cue through an audio stack that never
//                        comes back, and closes right after asking.
// It writes "event loop done" to its standard output once the event loop has
// ended, and "ended cleanly" once every thread of the program has ended; a
// cue thread left to itself ends the program in between, with nothing more
// said. Either way it ends with 0 and nothing on its standard error.
#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <unistd.h>

#include "app/module1.h"
#include "gui_support.h"
#include "ui/drawn_items.h"
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

void say(const char* line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
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
        const bool stuck = args.contains(QLatin1String("--stuck-audio"));
        const qsizetype stop = args.indexOf(QLatin1String("--stop-server"));
        const pid_t server = stop >= 0 ? static_cast<pid_t>(args.value(stop + 1).toInt()) : 0;

        Module1& m = Module1::instance();
        m.SoundDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
        m.SoundOn = True;
        if (stuck) {
            // An audio stack that hangs for good as it loads.
            SoundCues::instance().setEngineMaker([]() -> std::unique_ptr<CueEngine> {
                for (;;)
                    ::pause();
            });
        }
        SoundCues::instance().onStarted([server](const QString& path) {
            if (server > 0 && path.endsWith(QLatin1String("ding1.wav"))) {
                ::kill(server, SIGSTOP);
                QTimer::singleShot(1200, closeProgram);
            } else if (path.endsWith(QLatin1String("win.wav"))) {
                closeProgram();
            }
        });

        frmDovrel& w = testing::openNeutralGame();
        if (server > 0) {
            w.optFastest->click();
            QTimer::singleShot(0, &w, [&w] {
                w.txtPick->setText(QStringLiteral("6"));
                w.cmdOK->click();  // returns once the window has gone
            });
        } else {
            QTimer::singleShot(0, &w, [&w] { w.game().PlaySoundCue(QStringLiteral("win.wav")); });
            if (atOnce || stuck)
                QTimer::singleShot(0, &app, closeProgram);
        }
        // Never heard: fail rather than hang.
        QTimer::singleShot(20000, &app, [] { QCoreApplication::exit(3); });
        const int code = QApplication::exec();
        say("event loop done");
        exitCode = stopCuesForExit(code);
    }
    awaitQtThreads(exitCode);
    // Every thread of the program has ended, not merely finished its work:
    // what one half-gone still held would count as leaked at exit.
    const auto threads = std::distance(std::filesystem::directory_iterator("/proc/self/task"), {});
    if (threads != 1)
        std::fprintf(stderr, "threads left at the end of the program: %d\n", static_cast<int>(threads - 1));
    else
        say("ended cleanly");
    return exitCode;
}
