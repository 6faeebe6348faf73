#include "ui/cue_stream.h"

#include <algorithm>
#include <pulse/error.h>
#include <pulse/operation.h>
#include <pulse/rtclock.h>
#include <pulse/timeval.h>

namespace dovrel {

namespace {

// The sound server's buffer for the stream. Small, so that a cue is heard
// soon after it is asked for; the server sizes the device's own buffer to it.
constexpr pa_usec_t BufferUsec = 20 * PA_USEC_PER_MSEC;
// How much of a cue is handed to the server at once. The whole of any usual
// cue: a busy machine that leaves the client library's thread waiting then
// never cuts a hole into it.
constexpr pa_usec_t AheadUsec = 4 * PA_USEC_PER_SEC;
// How long after the game asks for a cue it may still start.
constexpr auto StaleAfter = std::chrono::milliseconds(500);
// How long after a cue's end the stream is corked: long enough for the last
// frames to leave the server, whatever its load.
constexpr pa_usec_t CorkAfterUsec = 500 * PA_USEC_PER_MSEC;

// Nothing here waits for the server's answer: a server that hangs must never
// hold up the cue thread. Only the answer to a flush is listened for.
void forget(pa_operation* operation)
{
    if (operation)
        pa_operation_unref(operation);
}

}  // namespace

CueStream::CueStream(pa_mainloop_api* api, pa_context* context, const pa_sample_spec& sampleSpec,
                     pa_proplist* properties, Announce announce)
    : api_(api), context_(context), spec_(sampleSpec), announce_(std::move(announce))
{
    // A wave file's channels come in the wave format's own order.
    pa_channel_map map;
    pa_channel_map_init_extend(&map, sampleSpec.channels, PA_CHANNEL_MAP_WAVEEX);
    stream_ = pa_stream_new_with_proplist(context, "cues", &sampleSpec, &map, properties);
    if (!stream_)
        return;
    pa_stream_set_state_callback(stream_, stateChanged, this);
    pa_stream_set_write_callback(stream_, wantsMore, this);
    pa_buffer_attr attr;
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.tlength = static_cast<uint32_t>(pa_usec_to_bytes(BufferUsec, &sampleSpec));
    // Plays whatever has arrived at once: a cue never waits for a full buffer.
    attr.prebuf = 0;
    attr.minreq = static_cast<uint32_t>(-1);
    attr.fragsize = static_cast<uint32_t>(-1);
    const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_START_CORKED | PA_STREAM_ADJUST_LATENCY);
    if (pa_stream_connect_playback(stream_, nullptr, &attr, flags, nullptr, nullptr) < 0) {
        // The context keeps the stream and tells it of its own end later.
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_set_write_callback(stream_, nullptr, nullptr);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
}

CueStream::~CueStream()
{
    if (cork_)
        api_->time_free(cork_);
    if (flush_) {
        pa_operation_cancel(flush_);
        pa_operation_unref(flush_);
    }
    if (!stream_)
        return;
    pa_stream_set_state_callback(stream_, nullptr, nullptr);
    pa_stream_set_write_callback(stream_, nullptr, nullptr);
    pa_stream_disconnect(stream_);
    pa_stream_unref(stream_);
}

bool CueStream::stale(Clock::time_point asked)
{
    return Clock::now() - asked > StaleAfter;
}

bool CueStream::usable() const
{
    return stream_ && PA_STREAM_IS_GOOD(pa_stream_get_state(stream_));
}

void CueStream::play(const QString& path, const QByteArray& frames, Clock::time_point asked)
{
    if (!usable())
        return;
    waiting_ = Cue{path, frames, asked};
    if (canStart())
        startWaiting();
}

bool CueStream::canStart() const
{
    return pa_stream_get_state(stream_) == PA_STREAM_READY && !flush_;
}

void CueStream::stop()
{
    waiting_.reset();
    cue_ = QByteArray();
    written_ = 0;
    if (!usable() || corked_)
        return;
    flush();
    forget(pa_stream_cork(stream_, 1, nullptr, nullptr));
    corked_ = true;
}

void CueStream::flush()
{
    // Answers come in order: the server that answers this one has answered
    // any before it.
    if (flush_) {
        pa_operation_cancel(flush_);
        pa_operation_unref(flush_);
    }
    flush_ = pa_stream_flush(stream_, flushed, this);
}

void CueStream::startWaiting()
{
    const Cue cue = std::move(*waiting_);
    waiting_.reset();
    if (stale(cue.asked))
        return;
    path_ = cue.path;
    cue_ = cue.frames;
    written_ = 0;
    // What the stream still holds is dropped, and the new cue's frames
    // take its place at the point the server is playing.
    flush();
    size_t ahead = pa_usec_to_bytes(AheadUsec, &spec_);
    if (const pa_buffer_attr* attr = pa_stream_get_buffer_attr(stream_))
        ahead = std::min<size_t>(ahead, attr->maxlength);
    write(ahead);
    if (corked_) {
        forget(pa_stream_cork(stream_, 0, nullptr, nullptr));
        corked_ = false;
    }
    if (written_ > 0 && announce_)
        announce_(path_);

    const pa_usec_t done = pa_rtclock_now() + pa_bytes_to_usec(static_cast<uint64_t>(cue_.size()), &spec_) + CorkAfterUsec;
    if (cork_)
        pa_context_rttime_restart(context_, cork_, done);
    else
        cork_ = pa_context_rttime_new(context_, done, corkNow, this);
}

void CueStream::write(size_t bytes)
{
    const size_t frame = pa_frame_size(&spec_);
    size_t n = std::min(bytes, static_cast<size_t>(cue_.size() - written_));
    n -= n % frame;
    if (n == 0)
        return;
    // The library copies the frames into its own memory before it returns.
    if (pa_stream_write(stream_, cue_.constData() + written_, n, nullptr, 0, PA_SEEK_RELATIVE) == 0)
        written_ += static_cast<qsizetype>(n);
}

void CueStream::stateChanged(pa_stream*, void* self)
{
    auto* me = static_cast<CueStream*>(self);
    if (me->waiting_ && me->canStart())
        me->startWaiting();
}

void CueStream::wantsMore(pa_stream*, size_t bytes, void* self)
{
    static_cast<CueStream*>(self)->write(bytes);
}

void CueStream::flushed(pa_stream*, int success, void* self)
{
    auto* me = static_cast<CueStream*>(self);
    pa_operation_unref(me->flush_);
    me->flush_ = nullptr;
    // The client library gives up waiting after half a minute: the server
    // still hangs, so the flush is asked again and the cues keep waiting.
    if (!success && pa_context_errno(me->context_) == PA_ERR_TIMEOUT && me->usable()) {
        me->flush();
        return;
    }
    if (me->waiting_ && me->canStart())
        me->startWaiting();
}

void CueStream::corkNow(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self)
{
    auto* me = static_cast<CueStream*>(self);
    if (!me->corked_ && me->usable()) {
        forget(pa_stream_cork(me->stream_, 1, nullptr, nullptr));
        me->corked_ = true;
    }
    me->cue_ = QByteArray();
    me->written_ = 0;
}

}  // namespace dovrel
