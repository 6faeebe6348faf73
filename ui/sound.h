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
    void play(const QString& path) override;

    // The player the whole program shares.
    static SoundCues& instance();

private:
    // Owned by the application, so they go before the audio stack does.
    QHash<QString, QPointer<QSoundEffect>> effects_;
    QPointer<QSoundEffect> playing_;
};

}  // namespace dovrel
