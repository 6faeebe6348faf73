// The audio module: cues go straight to the desktop's sound server through
// its client library, whose threaded main loop feeds them while the game's
// thread does anything at all. The cue files are read here, ahead of need,
// into memory; the server only ever sees sound that has been checked.
//
// Nothing here waits for the server: with no server, one that went away or
// one that hangs, requests go nowhere and the game stays silent. A hung
// server is given one cue at most, so that memory stays flat however long it
// hangs; the sound comes back once it answers again.
#include <map>
#include <memory>
#include <optional>
#include <pulse/context.h>
#include <pulse/thread-mainloop.h>
#include <tuple>

#include "ui/cue_engine.h"
#include "ui/cue_stream.h"
#include "ui/wave_file.h"

namespace {

using dovrel::CueStream;
using dovrel::WaveSound;

pa_sample_spec specOf(const WaveSound& sound)
{
    pa_sample_spec sampleSpec;
    switch (sound.sample) {
    case WaveSound::Sample::UInt8: sampleSpec.format = PA_SAMPLE_U8; break;
    case WaveSound::Sample::Int16: sampleSpec.format = PA_SAMPLE_S16LE; break;
    case WaveSound::Sample::Int32: sampleSpec.format = PA_SAMPLE_S32LE; break;
    case WaveSound::Sample::Float: sampleSpec.format = PA_SAMPLE_FLOAT32LE; break;
    }
    sampleSpec.rate = static_cast<uint32_t>(sound.rate);
    sampleSpec.channels = static_cast<uint8_t>(sound.channels);
    return sampleSpec;
}

using SpecKey = std::tuple<int, uint32_t, uint8_t>;
SpecKey keyOf(const pa_sample_spec& sampleSpec) { return {sampleSpec.format, sampleSpec.rate, sampleSpec.channels}; }

class Locked {
public:
    explicit Locked(pa_threaded_mainloop* loop) : loop_(loop) { pa_threaded_mainloop_lock(loop_); }
    ~Locked() { pa_threaded_mainloop_unlock(loop_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    pa_threaded_mainloop* loop_;
};

// What the desktop's sound settings go by: cues are event sounds, under the
// volume the desktop gives alerts and events, and they are the game's.
pa_proplist* propertiesOf(const dovrel::CueSource& source)
{
    pa_proplist* properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "event");
    if (!source.name.isEmpty())
        pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, source.name.toUtf8().constData());
    if (!source.iconName.isEmpty()) {
        pa_proplist_sets(properties, PA_PROP_APPLICATION_ICON_NAME, source.iconName.toUtf8().constData());
        pa_proplist_sets(properties, PA_PROP_APPLICATION_ID, source.iconName.toUtf8().constData());
    }
    return properties;
}

class PulseEngine final : public dovrel::CueEngine {
public:
    explicit PulseEngine(const dovrel::CueSource& source)
        : loop_(pa_threaded_mainloop_new()), properties_(propertiesOf(source))
    {
        if (loop_ && pa_threaded_mainloop_start(loop_) < 0) {
            pa_threaded_mainloop_free(loop_);
            loop_ = nullptr;
        }
    }

    ~PulseEngine() override
    {
        if (loop_) {
            {
                Locked hold(loop_);
                disconnect();
            }
            // Joins the main loop's thread, which only ever waits on its own
            // sockets: this returns at once whatever state the server is in.
            pa_threaded_mainloop_stop(loop_);
            pa_threaded_mainloop_free(loop_);
        }
        pa_proplist_free(properties_);
    }

    void setStarted(Started started) override { started_ = std::move(started); }

    void load(const QString& path) override
    {
        // Connects and opens the stream too, so that the first cue starts as
        // promptly as the rest.
        const WaveSound* read = sound(path);
        if (!read || !loop_)
            return;
        Locked hold(loop_);
        const pa_sample_spec sampleSpec = specOf(*read);
        wanted_[keyOf(sampleSpec)] = sampleSpec;
        if (connected())
            streamFor(sampleSpec);
    }

    void play(const QString& path, Clock::time_point asked) override
    {
        const WaveSound* read = sound(path);
        if (!read || !loop_)
            return;
        Locked hold(loop_);
        pending_ = Pending{path, read->frames, specOf(*read), asked};
        wanted_[keyOf(pending_->sampleSpec)] = pending_->sampleSpec;
        if (connected())
            playPending();
    }

private:
    struct Pending {
        QString path;
        QByteArray frames;
        pa_sample_spec sampleSpec;
        Clock::time_point asked;
    };

    // Read once; a file that cannot be played is looked at again at its next cue.
    const WaveSound* sound(const QString& path)
    {
        if (const auto found = sounds_.find(path); found != sounds_.end())
            return &found->second;
        std::optional<WaveSound> read = dovrel::readWave(path);
        if (!read)
            return nullptr;
        return &sounds_.emplace(path, std::move(*read)).first->second;
    }

    // True when the server is there to play to. A connection that failed -
    // no server, or one that went away - is tried afresh, so that a sound
    // server restarted by the desktop is found again at the next cue.
    bool connected()
    {
        if (context_ && PA_CONTEXT_IS_GOOD(pa_context_get_state(context_)))
            return pa_context_get_state(context_) == PA_CONTEXT_READY;
        disconnect();
        context_ = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(loop_), nullptr, properties_);
        if (!context_)
            return false;
        pa_context_set_state_callback(context_, contextChanged, this);
        // The game plays through the server the desktop runs, and never
        // starts one of its own.
        if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            disconnect();
        return false;
    }

    void disconnect()
    {
        streams_.clear();
        if (!context_)
            return;
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }

    static void contextChanged(pa_context* context, void* self)
    {
        if (pa_context_get_state(context) != PA_CONTEXT_READY)
            return;
        auto* me = static_cast<PulseEngine*>(self);
        for (const auto& [key, sampleSpec] : me->wanted_)
            me->streamFor(sampleSpec);
        me->playPending();
    }

    CueStream* streamFor(const pa_sample_spec& sampleSpec)
    {
        std::unique_ptr<CueStream>& stream = streams_[keyOf(sampleSpec)];
        if (stream && !stream->usable())
            stream.reset();
        if (!stream) {
            stream = std::make_unique<CueStream>(pa_threaded_mainloop_get_api(loop_), context_, sampleSpec,
                                                 properties_, [this](const QString& path) {
                                                     if (started_)
                                                         started_(path);
                                                 });
        }
        return stream.get();
    }

    void playPending()
    {
        if (!pending_)
            return;
        const Pending cue = std::move(*pending_);
        pending_.reset();
        if (CueStream::stale(cue.asked))
            return;
        // A cue in another sample format cuts this one off as well.
        CueStream* stream = streamFor(cue.sampleSpec);
        for (auto& [key, other] : streams_) {
            if (other.get() != stream)
                other->stop();
        }
        stream->play(cue.path, cue.frames, cue.asked);
    }

    pa_threaded_mainloop* loop_;
    pa_proplist* properties_;
    pa_context* context_ = nullptr;  // and all below: with the main loop's lock held
    std::map<SpecKey, std::unique_ptr<CueStream>> streams_;
    std::map<SpecKey, pa_sample_spec> wanted_;
    std::optional<Pending> pending_;
    std::map<QString, WaveSound> sounds_;  // the cue thread's alone
    Started started_;
};

}  // namespace

extern "C" Q_DECL_EXPORT dovrel::CueEngine* dovrel_new_cue_engine(const dovrel::CueSource& source)
{
    return new PulseEngine(source);
}
