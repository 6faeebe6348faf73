#include "ui/sound.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace dovrel {

namespace {

QtMessageHandler previousHandler = nullptr;

// Without an audio device the game is simply silent; Qt Multimedia's own
// complaints about it would only worry the player.
void quietAudio(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg
        && (message.startsWith(QLatin1String("PulseAudioService:"))
            || message == QLatin1String("No audio device detected")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
    else
        qt_message_output(type, context, message);
}

}  // namespace

SoundCues& SoundCues::instance()
{
    static SoundCues cues;
    return cues;
}

void SoundCues::play(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return;
    QPointer<QSoundEffect>& effect = effects_[path];
    if (!effect) {
        // Made on first use, so a game with the sound off never loads the audio stack.
        if (effects_.size() == 1)
            previousHandler = qInstallMessageHandler(quietAudio);
        effect = new QSoundEffect(QCoreApplication::instance());
        effect->setSource(QUrl::fromLocalFile(path));
    }
    if (effect->status() == QSoundEffect::Error)
        return;
    if (playing_ && playing_ != effect)
        playing_->stop();
    playing_ = effect;
    effect->play();
}

}  // namespace dovrel
