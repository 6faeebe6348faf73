#include "ui/sound.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace dovrel {

SoundCues::~SoundCues()
{
    qDeleteAll(effects_);
}

SoundCues& SoundCues::instance()
{
    static SoundCues cues;
    return cues;
}

void SoundCues::play(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return;
    QSoundEffect*& effect = effects_[path];
    if (!effect) {
        // Made on first use, so a game with the sound off never loads the audio stack.
        effect = new QSoundEffect;
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
