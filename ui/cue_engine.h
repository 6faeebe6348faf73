#pragma once
// The part of the cue player that touches the audio stack. It is built as a
// module of its own and loaded only when the sound is first wanted, so that a
// game with the sound off never maps the audio libraries at start-up.
#include <QString>
#include <functional>

namespace dovrel {

// Made, used and destroyed on the cue thread only.
class CueEngine {
public:
    using Started = std::function<void(const QString& path)>;

    virtual ~CueEngine() = default;
    // Told each time a cue is heard starting.
    virtual void setStarted(Started started) = 0;
    // Reads a cue file ahead of need; a missing or broken file stays silent.
    virtual void load(const QString& path) = 0;
    // Starts a cue, cutting off the one still playing.
    virtual void play(const QString& path) = 0;
};

// The module's one entry point: a new engine, owned by the caller.
using NewCueEngine = CueEngine* ();
inline constexpr char NewCueEngineSymbol[] = "dovrel_new_cue_engine";

}  // namespace dovrel
