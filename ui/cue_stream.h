#pragma once
// One playback stream on the sound server for one sample format, kept open
// for the whole run: a cue starts by flushing what the stream still holds and
// writing its own first frames, which is much quicker than opening a stream
// for every cue. Between cues the stream is corked, so that the desktop may
// let the sound card sleep.
//
// Every member is used with the threaded main loop's lock held: from the cue
// thread, or from the main loop's own callbacks.
#include <QByteArray>
#include <QString>
#include <chrono>
#include <functional>
#include <optional>
#include <pulse/context.h>
#include <pulse/proplist.h>
#include <pulse/stream.h>

namespace dovrel {

class CueStream {
public:
    using Announce = std::function<void(const QString& path)>;
    using Clock = std::chrono::steady_clock;

    // True for a cue that can no longer start: the moment it belonged to has passed.
    static bool stale(Clock::time_point asked);

    // Starts corked; `announce` hears of every cue whose first frames reach the server.
    CueStream(pa_mainloop_api* api, pa_context* context, const pa_sample_spec& sampleSpec, pa_proplist* properties,
              Announce announce);
    ~CueStream();
    CueStream(const CueStream&) = delete;
    CueStream& operator=(const CueStream&) = delete;

    // False once the server has dropped the stream (or never made it).
    bool usable() const;
    // Starts `frames`, asked for at `asked`, cutting off the cue still
    // playing. Until the stream is ready, and while the server has not
    // answered the flush that started the cue before, the latest cue waits.
    void play(const QString& path, const QByteArray& frames, Clock::time_point asked);
    // Cuts off the cue still playing, if any, and drops one still waiting.
    void stop();

private:
    struct Cue {
        QString path;
        QByteArray frames;
        Clock::time_point asked;
    };

    static void stateChanged(pa_stream* stream, void* self);
    static void wantsMore(pa_stream* stream, size_t bytes, void* self);
    static void flushed(pa_stream* stream, int success, void* self);
    static void corkNow(pa_mainloop_api* api, pa_time_event* event, const struct timeval* tv, void* self);

    bool canStart() const;
    void startWaiting();
    void flush();
    void write(size_t bytes);

    pa_mainloop_api* api_;
    pa_context* context_;
    pa_stream* stream_ = nullptr;
    pa_sample_spec spec_;
    Announce announce_;
    pa_time_event* cork_ = nullptr;
    // The last flush, until the server answers it. A server that leaves it
    // unanswered hangs: everything written meanwhile would pile up in the
    // client library's memory, to be played all at once, late, should the
    // server wake.
    pa_operation* flush_ = nullptr;
    std::optional<Cue> waiting_;  // the latest cue that could not start yet
    QString path_;                // the cue started last
    QByteArray cue_;
    qsizetype written_ = 0;
    bool corked_ = true;
};

}  // namespace dovrel
