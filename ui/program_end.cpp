#include "ui/program_end.h"

#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace dovrel {

namespace {

// The names Qt gives those threads; the name of each lasts as long as it does.
// The accessibility bus's thread is not among them: it ends only after main().
constexpr std::array QtThreadNames{"Thread (pooled)", "QXcbEventQueue"};

bool qtThreadsLeft()
{
    std::error_code failed;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", failed)) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        if (!std::getline(comm, name))
            continue;  // ended meanwhile
        for (const char* qt : QtThreadNames)
            if (name == qt)
                return true;
    }
    return false;
}

}  // namespace

int awaitQtThreads(int exitCode)
{
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (qtThreadsLeft() && std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return exitCode;
}

}  // namespace dovrel
