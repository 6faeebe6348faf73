// How soon a cue is heard: from the call that asks for it to its first sound
// at the null sink's monitor, recorded here with a short buffer. The time is
// taken when the recording that holds that sound arrives, so it includes the
// recorder's own delay (a few milliseconds) and is an upper bound.
//
//   cue_latency MODULE CUE [RUNS [FRAGMENT_MS]]
//
// plays CUE through the audio module MODULE RUNS times (20), recorded in
// fragments of FRAGMENT_MS (2): the recorder's latency is also the null sink's.
//
// Needs a sound server with a null sink named rec (PULSE_SERVER); bench/run.sh
// starts one. Prints one latency in ms a line; a cue never heard prints "-".
#include <QCoreApplication>
#include <QSemaphore>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <pulse/pulseaudio.h>
#include <thread>

#include "ui/sound.h"

namespace {

using Clock = std::chrono::steady_clock;

// Louder than anything a silent monitor carries.
constexpr int Threshold = 300;

struct Listener {
    pa_usec_t fragment = 2000;
    std::atomic<bool> armed{false};
    std::atomic<bool> flowing{false};
    Clock::time_point heard;
    QSemaphore found;
};

void onRead(pa_stream* stream, size_t, void* data)
{
    auto* listener = static_cast<Listener*>(data);
    const void* bytes = nullptr;
    size_t n = 0;
    while (pa_stream_readable_size(stream) > 0 && pa_stream_peek(stream, &bytes, &n) == 0) {
        const auto now = Clock::now();
        listener->flowing = true;
        if (bytes && listener->armed) {
            const auto* s = static_cast<const int16_t*>(bytes);
            for (size_t i = 0; i < n / 2; ++i) {
                if (std::abs(s[i]) > Threshold) {
                    listener->armed = false;
                    listener->heard = now;
                    listener->found.release();
                    break;
                }
            }
        }
        if (n > 0)
            pa_stream_drop(stream);
    }
}

void onContext(pa_context* context, void* data)
{
    if (pa_context_get_state(context) != PA_CONTEXT_READY)
        return;
    const pa_sample_spec sampleSpec{PA_SAMPLE_S16LE, 44100, 1};
    pa_stream* stream = pa_stream_new(context, "latency", &sampleSpec, nullptr);
    pa_buffer_attr attr;
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.fragsize = static_cast<uint32_t>(pa_usec_to_bytes(static_cast<Listener*>(data)->fragment, &sampleSpec));
    pa_stream_set_read_callback(stream, onRead, data);
    pa_stream_connect_record(stream, "rec.monitor", &attr, PA_STREAM_ADJUST_LATENCY);
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: cue_latency MODULE CUE [RUNS [FRAGMENT_MS]]\n");
        return 2;
    }
    const QString cue = QString::fromLocal8Bit(argv[2]);
    const int runs = argc > 3 ? std::atoi(argv[3]) : 20;

    Listener listener;
    if (argc > 4)
        listener.fragment = static_cast<pa_usec_t>(std::atof(argv[4]) * 1000);
    pa_threaded_mainloop* loop = pa_threaded_mainloop_new();
    pa_context* context = pa_context_new(pa_threaded_mainloop_get_api(loop), "cue_latency");
    pa_context_set_state_callback(context, onContext, &listener);
    pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr);
    pa_threaded_mainloop_start(loop);

    dovrel::SoundCues cues(dovrel::SoundCues::moduleEngine(QString::fromLocal8Bit(argv[1])));
    cues.prepare({cue});
    for (int i = 0; i < 100 && !listener.flowing; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::seconds(1));
    for (int i = 0; i < runs; ++i) {
        listener.armed = true;
        const auto asked = Clock::now();
        cues.play(cue);
        if (listener.found.tryAcquire(1, 2000))
            std::printf("%.1f\n", std::chrono::duration<double, std::milli>(listener.heard - asked).count());
        else
            std::printf("-\n");
        std::fflush(stdout);
        listener.armed = false;
        // The cue dies away before the next.
        std::this_thread::sleep_for(std::chrono::milliseconds(900));
    }
    cues.shutDown();
    pa_threaded_mainloop_stop(loop);
    pa_context_disconnect(context);
    pa_context_unref(context);
    pa_threaded_mainloop_free(loop);
    return 0;
}
