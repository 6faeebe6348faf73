#pragma once
#include <QHash>
#include <QPointer>
#include <QString>

#include "game/game.h"

class QSoundEffect;

namespace dovrel {

// Plays cue files with Qt Multimedia. Starting a cue cuts off the one still
// playing. A missing or broken file, or a machine without an audio device,
// plays nothing and says nothing.
class SoundCues final : public CuePlayer {
public:
    ~SoundCues() override;
    void play(const QString& path) override;

    // The player the whole program shares.
    static SoundCues& instance();

private:
    QHash<QString, QSoundEffect*> effects_;
    QSoundEffect* playing_ = nullptr;
};

}  // namespace dovrel
