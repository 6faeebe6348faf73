// The share of one core a running process uses over a stretch of time, from
// the run time the kernel keeps for each of its threads (nanoseconds).
//
//   cpu_share PID MS                 measures for MS ms from now
//   cpu_share PID MS --after-burst   first waits for a burst of work (a 20 ms
//                                    stretch above 30 %) to end (a 50 ms stretch
//                                    under 5 %), then measures for MS ms
//
// Prints: share of one core in %, processor ms used, wall ms measured.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <string>
#include <thread>

namespace {

double wallMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// Run time of all the process's threads in ms; threads that already ended are
// not counted, so this stays honest only over stretches without thread exits.
double runMs(const std::string& pid)
{
    const std::string dir = "/proc/" + pid + "/task";
    DIR* d = opendir(dir.c_str());
    if (!d) {
        std::fprintf(stderr, "cpu_share: process %s is gone\n", pid.c_str());
        std::exit(1);
    }
    double ns = 0;
    while (const dirent* e = readdir(d)) {
        if (e->d_name[0] == '.')
            continue;
        std::ifstream f(dir + "/" + e->d_name + "/schedstat");
        double run = 0;
        if (f >> run)
            ns += run;
    }
    closedir(d);
    return ns / 1e6;
}

double shareOver(const std::string& pid, double ms)
{
    const double c0 = runMs(pid), w0 = wallMs();
    std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(ms));
    return (runMs(pid) - c0) / (wallMs() - w0);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: cpu_share PID MS [--after-burst]\n");
        return 2;
    }
    const std::string pid = argv[1];
    const double ms = std::atof(argv[2]);
    if (argc > 3 && std::strcmp(argv[3], "--after-burst") == 0) {
        const double deadline = wallMs() + 30000;
        while (shareOver(pid, 20) < 0.30)
            if (wallMs() > deadline)
                return 1;
        while (shareOver(pid, 50) >= 0.05)
            if (wallMs() > deadline)
                return 1;
    }
    const double c0 = runMs(pid), w0 = wallMs();
    std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(ms));
    const double cpu = runMs(pid) - c0, wall = wallMs() - w0;
    std::printf("%.2f %.1f %.0f\n", 100.0 * cpu / wall, cpu, wall);
    return 0;
}
