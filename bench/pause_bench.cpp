// Measures the game's pauses on the real clock: how long they last against the
// asked duration, and how much processor time they use while they wait.
// Run: build/bench/pause_bench [RUNS]   (RUNS per case, 5 unless given; about
// 7 seconds per run)
#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
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

struct Case {
    const char* name;
    double delay;         // the speed when the pause begins
    bool events;
    double changeAt = -1;  // when the speed changes, seconds into the pause
    double changeTo = 0;
    // When the pause should end: the delay of the moment, or at the change if
    // the new delay has already passed by then.
    double expected() const { return changeAt < 0 ? delay : std::max(changeTo, changeAt); }
};

struct Totals {
    double cpu = 0, wall = 0;
    double worstEarly = 1e9, worstLate = -1e9;
};

void measure(const Case& c, int runs, Totals& totals)
{
    std::vector<double> late;
    double cpu = 0, wall = 0;
    for (int i = 0; i < runs; ++i) {
        double delay = c.delay;
        QTimer change;
        change.setSingleShot(true);
        change.setTimerType(Qt::PreciseTimer);
        QObject::connect(&change, &QTimer::timeout, [&delay, &c] { delay = c.changeTo; });
        if (c.changeAt >= 0)
            change.start(static_cast<int>(c.changeAt * 1000));
        const double w0 = wallSeconds(), c0 = cpuSeconds();
        dovrel::pacer::pause([&delay] { return delay; }, c.events, [] { return false; });
        const double w = wallSeconds() - w0;
        cpu += cpuSeconds() - c0;
        wall += w;
        late.push_back((w - c.expected()) * 1000.0);
    }
    std::sort(late.begin(), late.end());
    std::printf("%-34s %2d runs  late by ms: min %6.2f  median %6.2f  max %6.2f   cpu %5.2f %%\n", c.name, runs,
                late.front(), late[late.size() / 2], late.back(), 100.0 * cpu / wall);
    totals.cpu += cpu;
    totals.wall += wall;
    totals.worstEarly = std::min(totals.worstEarly, late.front());
    totals.worstLate = std::max(totals.worstLate, late.back());
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::printf("Pauses on the monotonic clock ('late' below zero would be a pause cut short)\n");

    // A token's pause handles no events; the computer's and the end of a take's do.
    Totals silent, events;
    for (double d : {0.5, 0.75, 1.0}) {
        char name[64];
        std::snprintf(name, sizeof name, "%.2f s, no events (a token)", d);
        measure({name, d, false}, runs, silent);
    }
    for (double d : {0.5, 0.75, 1.0}) {
        char name[64];
        std::snprintf(name, sizeof name, "%.2f s, events (the computer)", d);
        measure({name, d, true}, runs, events);
    }
    // A speed chosen during a pause counts at once.
    measure({"1.00 s, Fastest after 0.2 s", 1.0, true, 0.2, 0.5}, runs, events);
    measure({"0.50 s, Normal after 0.2 s", 0.5, true, 0.2, 1.0}, runs, events);
    measure({"1.00 s, Fastest after 0.7 s", 1.0, true, 0.7, 0.5}, runs, events);

    std::printf("\nno events: cpu %.2f %% of a core; events: cpu %.2f %% of a core\n",
                100.0 * silent.cpu / silent.wall, 100.0 * events.cpu / events.wall);
    std::printf("every pause against its time: earliest end %+.2f ms, latest end %+.2f ms\n",
                std::min(silent.worstEarly, events.worstEarly), std::max(silent.worstLate, events.worstLate));
    return 0;
}
