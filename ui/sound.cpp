#include "ui/sound.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibrary>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <pthread.h>
#include <system_error>
#include <utility>

namespace dovrel {

// One request from the game: files to read ahead of need, or a cue to start.
struct CueRequest {
    enum class Kind { Load, Play };
    Kind kind;
    QStringList paths;  // a cue: just its own
    CueEngine::Clock::time_point asked;
};

// News of started cues, on its way from the audio stack's thread to the
// game's. The cue thread and the audio stack's thread may outlive the player
// (a thread left to itself in a sound system that hangs): this is all they
// keep of it, and the player cuts it off before it leaves them.
struct CueNews {
    std::mutex lock;
    SoundCues* player = nullptr;  // null once cut off; written on the game's thread only

    static CueEngine::Started teller(const std::shared_ptr<CueNews>& news)
    {
        return [news](const QString& path) {
            std::lock_guard<std::mutex> hold(news->lock);
            if (!news->player)
                return;
            QMetaObject::invokeMethod(&news->player->home_, [news, path] {
                // On the game's thread, where the cut-off happens.
                if (SoundCues* player = news->player; player && player->started_)
                    player->started_(path);
            }, Qt::QueuedConnection);
        };
    }

    void cutOff()
    {
        std::lock_guard<std::mutex> hold(lock);
        player = nullptr;
    }
};

// The cue thread's side of the player: its queue of requests, and the engine,
// made on first use. Shared with the game's thread, and kept alive by a cue
// thread that is left to itself.
struct CueDesk {
    std::mutex lock;
    std::condition_variable wake;
    std::condition_variable ended;
    std::deque<CueRequest> work;
    bool closing = false;
    bool done = false;

    void add(CueRequest request)
    {
        std::lock_guard<std::mutex> hold(lock);
        // Only the newest cue may play: one still waiting behind a slow start
        // would only sound late and be cut off at once.
        if (request.kind == CueRequest::Kind::Play)
            std::erase_if(work, [](const CueRequest& r) { return r.kind == CueRequest::Kind::Play; });
        work.push_back(std::move(request));
        wake.notify_one();
    }

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
            CueRequest next;
            {
                std::unique_lock<std::mutex> hold(lock);
                wake.wait(hold, [this] { return closing || !work.empty(); });
                if (work.empty())
                    break;  // closing, with every request served
                next = std::move(work.front());
                work.pop_front();
            }
            try {
                if (!engine)
                    continue;
                if (next.kind == CueRequest::Kind::Play) {
                    engine->play(next.paths.constFirst(), next.asked);
                } else {
                    for (const QString& path : std::as_const(next.paths))
                        engine->load(path);
                }
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

void SoundCues::post(CueRequest request)
{
    if (!desk_) {
        auto desk = std::make_shared<CueDesk>();
        auto news = std::make_shared<CueNews>();
        news->player = this;
        try {
            thread_ = std::thread([desk, maker = maker_, started = CueNews::teller(news)] {
                desk->run(maker, started);
            });
        } catch (const std::system_error&) {
            return;  // the system has no thread to spare: this cue is silent, the next tries again
        }
        desk_ = std::move(desk);
        news_ = std::move(news);
    }
    desk_->add(std::move(request));
}

void SoundCues::prepare(const QStringList& paths)
{
    post(CueRequest{CueRequest::Kind::Load, paths, {}});
}

void SoundCues::play(const QString& path)
{
    // A cue belongs to the moment the game asks for it, however long the
    // cue thread takes to get to it.
    post(CueRequest{CueRequest::Kind::Play, {path}, CueEngine::Clock::now()});
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
    // what it holds is never freed; it no longer reaches this player, which
    // may be gone by the time the thread stirs again.
    if (ended) {
        thread_.join();
    } else {
        news_->cutOff();
        thread_.detach();
    }
    desk_.reset();
    news_.reset();
    return ended;
}

SoundCues::EngineMaker SoundCues::moduleEngine(const QString& path)
{
    // The desktop knows the program's icon by its desktop file's name.
    const CueSource source{QCoreApplication::applicationName(), QGuiApplication::desktopFileName()};
    return [path, source]() -> std::unique_ptr<CueEngine> {
        // Never unloaded: the audio stack's own threads run its code until exit.
        // Every symbol is bound at load, so that a module that does not fit the
        // installed libraries fails here, quietly, rather than at its first call.
        QLibrary module(path);
        module.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        auto* make = reinterpret_cast<NewCueEngine*>(module.resolve(NewCueEngineSymbol));
        if (!make)
            return nullptr;
        return std::unique_ptr<CueEngine>(make(source));
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
