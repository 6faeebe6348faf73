// A run of the program that ends while a cue sounds: it opens the main window
// with the sound on, plays the win cue, and closes the last window as soon as
// the cue is heard starting. It exits with 0 and writes nothing when the
// program ends cleanly.
#include <QApplication>
#include <QTimer>

#include "app/module1.h"
#include "ui/forms.h"
#include "ui/frmDovrel.h"
#include "ui/sound.h"
#include "ui/style.h"

using namespace dovrel;

namespace {

QtMessageHandler passOn = nullptr;

// The offscreen platform says at every show that it cannot raise windows.
void quietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        passOn(type, context, message);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    passOn = qInstallMessageHandler(quietPlatform);
    installFonts();
    forms::install();

    Module1& m = Module1::instance();
    m.PlayerName[1] = QStringLiteral("Ann");
    m.PlayerName[2] = QStringLiteral("Bob");
    m.SoundDir = QStringLiteral(DOVREL_FOLDER "/");
    m.SoundOn = True;
    SoundCues& cues = SoundCues::instance();
    cues.setEngineMaker(SoundCues::moduleEngine(QStringLiteral(DOVREL_SOUND_MODULE_PATH)));
    cues.onStarted([](const QString& path) {
        if (!path.endsWith(QLatin1String("win.wav")))
            return;
        Module1::instance().CloseReason = QStringLiteral("Out for Good");
        if (frmDovrel* w = forms::mainIfLoaded())
            w->close();
    });

    frmDovrel& w = forms::main();
    QTimer::singleShot(0, &w, [&w] { w.game().PlaySoundCue(QStringLiteral("win.wav")); });
    // Never heard: fail rather than hang.
    QTimer::singleShot(20000, &app, [] { QCoreApplication::exit(3); });
    return QApplication::exec();
}
