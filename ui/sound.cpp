#include "ui/sound.h"

#include <QCoreApplication>
#include <QLibrary>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <pthread.h>
#include <system_error>

namespace dovrel {

// The cue thread's side of the player: its queue of requests, and the engine,
// made on first use. Shared with the game's thread, and kept alive by a cue
// thread that is left to itself.
struct CueDesk {
    std::mutex lock;
    std::condition_variable wake;
    std::condition_variable ended;
    std::deque<std::function<void(CueEngine&)>> work;
    bool closing = false;
    bool done = false;

    void run(const SoundCues::EngineMaker& maker, const CueEngine::Started& started)
    {
        pthread_setname_np(pthread_self(), "cues");
        // The thread starts with the first request, so the engine is made first.
        // Nothing the audio stack throws may end the thread.
        std::unique_ptr<CueEngine> engine;
        try {
            if (maker)
                engine = maker();
            if (engine)
                engine->setStarted(started);
        } catch (...) {
        }
        for (;;) {
            std::function<void(CueEngine&)> next;
            {
                std::unique_lock<std::mutex> hold(lock);
                wake.wait(hold, [this] { return closing || !work.empty(); });
                if (work.empty())
                    break;  // closing, with every request served
                next = std::move(work.front());
                work.pop_front();
            }
            try {
                if (engine)
                    next(*engine);
            } catch (...) {
            }
        }
        engine.reset();
        std::lock_guard<std::mutex> hold(lock);
        done = true;
        ended.notify_all();
    }
};

SoundCues::SoundCues(EngineMaker maker) : maker_(std::move(maker)) {}

SoundCues::~SoundCues()
{
    shutDown();
}

void SoundCues::post(std::function<void(CueEngine&)> work)
{
    if (!desk_) {
        // News of a started cue comes back to the game's thread as a queued call.
        CueEngine::Started started = [home = &home_, this](const QString& path) {
            QMetaObject::invokeMethod(home, [this, path] {
                if (started_)
                    started_(path);
            }, Qt::QueuedConnection);
        };
        auto desk = std::make_shared<CueDesk>();
        try {
            thread_ = std::thread([desk, maker = maker_, started] { desk->run(maker, started); });
        } catch (const std::system_error&) {
            return;  // the system has no thread to spare: this cue is silent, the next tries again
        }
        desk_ = std::move(desk);
    }
    {
        std::lock_guard<std::mutex> hold(desk_->lock);
        desk_->work.push_back(std::move(work));
    }
    desk_->wake.notify_one();
}

void SoundCues::prepare(const QStringList& paths)
{
    post([paths](CueEngine& engine) {
        for (const QString& path : paths)
            engine.load(path);
    });
}

void SoundCues::play(const QString& path)
{
    post([path](CueEngine& engine) { engine.play(path); });
}

bool SoundCues::shutDown(QDeadlineTimer deadline)
{
    if (!desk_)
        return true;
    bool ended;
    {
        std::unique_lock<std::mutex> hold(desk_->lock);
        desk_->closing = true;
        desk_->wake.notify_one();
        const auto done = [this] { return desk_->done; };
        if (deadline.isForever()) {
            desk_->ended.wait(hold, done);
            ended = true;
        } else {
            ended = desk_->ended.wait_for(hold, std::chrono::nanoseconds(deadline.remainingTimeNSecs()), done);
        }
    }
    // The thread is joined, so that it is gone, with everything it held,
    // before the program goes on to its end. A sound system that hangs must
    // not hang the game: after a while the thread is left to itself, and
    // what it holds is never freed.
    if (ended)
        thread_.join();
    else
        thread_.detach();
    desk_.reset();
    return ended;
}

SoundCues::EngineMaker SoundCues::moduleEngine(const QString& path)
{
    return [path]() -> std::unique_ptr<CueEngine> {
        // Never unloaded: the audio stack's own threads run its code until exit.
        // Every symbol is bound at load, so that a module that does not fit the
        // installed libraries fails here, quietly, rather than at its first call.
        QLibrary module(path);
        module.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        auto* make = reinterpret_cast<NewCueEngine*>(module.resolve(NewCueEngineSymbol));
        if (!make)
            return nullptr;
        return std::unique_ptr<CueEngine>(make());
    };
}

QString SoundCues::defaultModulePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/" DOVREL_SOUND_MODULE);
}

SoundCues& SoundCues::instance()
{
    static SoundCues cues(moduleEngine(defaultModulePath()));
    static std::once_flag once;
    // Should main() not have stopped them, cues stop before the application
    // and the audio stack go.
    std::call_once(once, [] { qAddPostRoutine([] { cues.shutDown(); }); });
    return cues;
}

int stopCuesForExit(int exitCode)
{
    if (!SoundCues::instance().shutDown()) {
        std::fflush(nullptr);
        std::_Exit(exitCode);
    }
    return exitCode;
}

}  // namespace dovrel
