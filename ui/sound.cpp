#include "ui/sound.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace dovrel {

// The cue thread's side of the player: the engine, made on first use.
class CueDesk final : public QObject {
public:
    CueDesk(SoundCues::EngineMaker maker, std::function<void(const QString&)> started)
        : maker_(std::move(maker)), started_(std::move(started))
    {
    }

    CueEngine* engine()
    {
        if (!tried_) {
            tried_ = true;
            if (maker_)
                engine_ = maker_();
            if (engine_)
                engine_->setStarted(started_);
        }
        return engine_.get();
    }

    void close()
    {
        engine_.reset();
        QThread::currentThread()->quit();
    }

private:
    SoundCues::EngineMaker maker_;
    std::function<void(const QString&)> started_;
    std::unique_ptr<CueEngine> engine_;
    bool tried_ = false;
};

SoundCues::SoundCues(EngineMaker maker) : maker_(std::move(maker)) {}

SoundCues::~SoundCues()
{
    shutDown();
}

template <class F>
void SoundCues::post(F&& work)
{
    if (!thread_) {
        // News of a started cue comes back to the game's thread as a queued call.
        auto started = [home = &home_, this](const QString& path) {
            QMetaObject::invokeMethod(home, [this, path] {
                if (started_)
                    started_(path);
            }, Qt::QueuedConnection);
        };
        thread_ = new QThread;
        thread_->setObjectName(QStringLiteral("cues"));
        desk_ = new CueDesk(maker_, started);
        desk_->moveToThread(thread_);
        thread_->start();
    }
    QMetaObject::invokeMethod(desk_, [desk = desk_, work = std::forward<F>(work)] {
        // Nothing the audio stack throws may reach the event loop.
        try {
            if (CueEngine* engine = desk->engine())
                work(*engine);
        } catch (...) {
        }
    }, Qt::QueuedConnection);
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
    if (!thread_)
        return true;
    QMetaObject::invokeMethod(desk_, [desk = desk_] { desk->close(); }, Qt::QueuedConnection);
    // A sound system that hangs must not hang the game: after a while the
    // thread is left to itself, and what it holds is never freed.
    const bool ended = thread_->wait(deadline);
    if (ended) {
        delete desk_;
        delete thread_;
    }
    desk_ = nullptr;
    thread_ = nullptr;
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
