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
#include <functional>
#include <pulse/context.h>
#include <pulse/stream.h>

namespace dovrel {

class CueStream {
public:
    using Announce = std::function<void(const QString& path)>;

    // Starts corked; `announce` hears of every cue whose first frames reach the server.
    CueStream(pa_mainloop_api* api, pa_context* context, const pa_sample_spec& sampleSpec, Announce announce);
    ~CueStream();
    CueStream(const CueStream&) = delete;
    CueStream& operator=(const CueStream&) = delete;

    // False once the server has dropped the stream (or never made it).
    bool usable() const;
    // Starts `frames`, cutting off the cue still playing. Before the stream
    // is ready, the latest cue waits for it.
    void play(const QString& path, const QByteArray& frames);
    // Cuts off the cue still playing, if any.
    void stop();

private:
    static void stateChanged(pa_stream* stream, void* self);
    static void wantsMore(pa_stream* stream, size_t bytes, void* self);
    static void corkNow(pa_mainloop_api* api, pa_time_event* event, const struct timeval* tv, void* self);

    void start();
    void write(size_t bytes);

    pa_mainloop_api* api_;
    pa_context* context_;
    pa_stream* stream_ = nullptr;
    pa_sample_spec spec_;
    Announce announce_;
    pa_time_event* cork_ = nullptr;
    QString path_;
    QByteArray cue_;
    qsizetype written_ = 0;
    bool waiting_ = false;  // a cue asked for before the stream was ready
    bool corked_ = true;
};

}  // namespace dovrel
