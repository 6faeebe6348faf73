#pragma once
// The part of the cue player that touches the audio stack. It is built as a
// module of its own and loaded only when the sound is first wanted, so that a
// game with the sound off never maps the audio libraries at start-up.
#include <QString>
#include <chrono>
#include <functional>

namespace dovrel {

// Who plays the cues, as the desktop's sound settings show them.
struct CueSource {
    QString name;      // the application's name
    QString iconName;  // its icon, named as the desktop knows it; empty when unknown
};

// Made, used and destroyed on the cue thread only.
class CueEngine {
public:
    using Started = std::function<void(const QString& path)>;
    using Clock = std::chrono::steady_clock;

    virtual ~CueEngine() = default;
    // Told each time a cue is heard starting.
    virtual void setStarted(Started started) = 0;
    // Reads a cue file ahead of need; a missing or broken file stays silent.
    virtual void load(const QString& path) = 0;
    // Starts a cue the game asked for at `asked`, cutting off the one still
    // playing. A cue that cannot start soon after it was asked for is dropped.
    virtual void play(const QString& path, Clock::time_point asked) = 0;
};

// The module's one entry point: a new engine, owned by the caller.
using NewCueEngine = CueEngine* (const CueSource& source);
inline constexpr char NewCueEngineSymbol[] = "dovrel_new_cue_engine";

}  // namespace dovrel
