// The audio module: plays cue files with Qt Multimedia on the thread that made
// the engine, whose event loop feeds the sound to the device. The player hands
// it only files that passed its check.
#include <QSoundEffect>
#include <QUrl>
#include <map>
#include <memory>

#include "ui/cue_engine.h"

namespace {

class EffectEngine final : public dovrel::CueEngine {
public:
    ~EffectEngine() override
    {
        // Cut off what still plays before the effects go.
        if (playing_)
            playing_->stop();
    }

    void setStarted(Started started) override { started_ = std::move(started); }

    void load(const QString& path) override { effect(path); }

    void play(const QString& path) override
    {
        QSoundEffect* next = effect(path);
        if (playing_ && playing_ != next)
            playing_->stop();
        playing_ = next;
        next->play();
    }

private:
    QSoundEffect* effect(const QString& path)
    {
        if (const auto found = effects_.find(path); found != effects_.end())
            return found->second.get();
        auto made = std::make_unique<QSoundEffect>();
        QSoundEffect* e = made.get();
        QObject::connect(e, &QSoundEffect::playingChanged, e, [this, e, path] {
            if (e->isPlaying() && started_)
                started_(path);
        });
        e->setSource(QUrl::fromLocalFile(path));
        effects_.emplace(path, std::move(made));
        return e;
    }

    std::map<QString, std::unique_ptr<QSoundEffect>> effects_;
    QSoundEffect* playing_ = nullptr;
    Started started_;
};

}  // namespace

extern "C" Q_DECL_EXPORT dovrel::CueEngine* dovrel_new_cue_engine()
{
    return new EffectEngine;
}
