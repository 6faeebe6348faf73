#pragma once
// The cue player: requests are served on a thread of their own, and the sound
// is fed by the audio stack's own thread, so a cue keeps playing whatever the
// game's thread does meanwhile - a pause that handles no events included. The
// game only posts requests and never waits on the audio stack.
#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <thread>

#include "game/game.h"
#include "ui/cue_engine.h"

namespace dovrel {

struct CueDesk;
struct CueNews;
struct CueRequest;

class SoundCues final : public CuePlayer {
public:
    using EngineMaker = std::function<std::unique_ptr<CueEngine>()>;

    // The maker runs on the cue thread, the first time a cue is wanted.
    explicit SoundCues(EngineMaker maker);
    ~SoundCues() override;
    SoundCues(const SoundCues&) = delete;
    SoundCues& operator=(const SoundCues&) = delete;

    void prepare(const QStringList& paths) override;
    void play(const QString& path) override;

    // Runs on the game's thread each time a cue is heard starting. A thread
    // left to itself (see shutDown) no longer tells.
    void onStarted(std::function<void(const QString&)> handler) { started_ = std::move(handler); }

    // How long the end of the program waits for the cue thread.
    static constexpr int ShutDownMs = 2000;

    // Ends the cue thread, cutting off a cue that still plays; a later cue
    // starts it afresh. False when the thread has not ended by the deadline,
    // stuck in a sound system that hangs: it is then left to itself, with all
    // it holds, and nothing it holds points back at this player, which may
    // then go.
    bool shutDown(QDeadlineTimer deadline = QDeadlineTimer(ShutDownMs));

    // An engine from the audio module at `path`; none when it cannot be loaded.
    // Its cues carry the application's name and desktop file name as they
    // are when this is called.
    static EngineMaker moduleEngine(const QString& path);
    // Where the program's player finds the audio module, unless told otherwise.
    static QString defaultModulePath();

    // The player the whole program shares: the audio module from the program's
    // folder. main() stops it once the event loop is done; failing that, it
    // stops when the application goes.
    static SoundCues& instance();
    // Points the shared player to another module; only before its first cue.
    void setEngineMaker(EngineMaker maker) { maker_ = std::move(maker); }

private:
    friend struct CueNews;
    void post(CueRequest request);

    EngineMaker maker_;
    std::shared_ptr<CueDesk> desk_;
    std::shared_ptr<CueNews> news_;  // the running cue thread's
    std::thread thread_;
    QObject home_;  // lives on the game's thread, receives news of started cues
    std::function<void(const QString&)> started_;
};

// main()'s last step, once the event loop is done: stops the shared player and
// returns `exitCode`. A cue thread stuck in a sound system that hangs holds
// locks that the audio stack's own clean-up at exit would wait on for ever, or
// abort over: the process then ends here, running no exit handler.
int stopCuesForExit(int exitCode);

}  // namespace dovrel
