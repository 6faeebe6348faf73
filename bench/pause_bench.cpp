// Measures the game's pauses on the real clock: how long they last against the
// asked duration, and how much processor time they use while they wait.
// Run: build/bench/pause_bench   (takes about 12 seconds)
#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

#include "ui/pacer.h"

namespace {

double wallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

void measure(double duration, bool events, int runs)
{
    std::vector<double> late;
    double cpu = 0, wall = 0;
    for (int i = 0; i < runs; ++i) {
        const double w0 = wallSeconds(), c0 = cpuSeconds();
        dovrel::pacer::pause([duration] { return duration; }, events, [] { return false; });
        const double w = wallSeconds() - w0;
        cpu += cpuSeconds() - c0;
        wall += w;
        late.push_back((w - duration) * 1000.0);
    }
    std::printf("%5.2f s  %-9s  runs %d  late by min %6.2f ms  max %6.2f ms  cpu %5.2f %%\n", duration,
                events ? "events" : "silent", runs, *std::min_element(late.begin(), late.end()),
                *std::max_element(late.begin(), late.end()), 100.0 * cpu / wall);
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    std::printf("Pauses on the monotonic clock (negative 'late' would be a pause cut short)\n");
    for (double d : {0.5, 0.75, 1.0}) {
        measure(d, true, 3);
        measure(d, false, 3);
    }

    // A speed change in the middle of a pause counts at once: Normal to Fastest
    // after 0.2 s ends the pause at 0.5 s, not 1.0 s.
    double delay = 1.0;
    QTimer::singleShot(200, [&delay] { delay = 0.5; });
    const double w0 = wallSeconds();
    dovrel::pacer::pause([&delay] { return delay; }, true, [] { return false; });
    std::printf("speed change 1.0 -> 0.5 after 0.2 s: pause lasted %.1f ms\n", (wallSeconds() - w0) * 1000.0);
    return 0;
}
