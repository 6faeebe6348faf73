#pragma once
// A clock that only moves when the game waits, so the window tests never wait
// for real seconds. Actions can be set for a moment on it, to act in the middle
// of a pause as a user would.
#include <functional>
#include <map>

#include "ui/clock.h"

namespace dovrel::testing {

class VirtualClock final : public Clock {
public:
    VirtualClock();
    ~VirtualClock() override;

    double now() const override { return now_; }
    void sleep(double seconds) override;
    void waitForEvents(double seconds) override;

    // Runs action at the first wait for events once `delay` seconds have passed.
    void after(double delay, std::function<void()> action);
    double slept() const { return slept_; }
    double waited() const { return waited_; }

private:
    void advance(double seconds);
    void runDueActions();
    double now_ = 1000.0;
    double slept_ = 0;
    double waited_ = 0;
    std::multimap<double, std::function<void()>> actions_;
};

}  // namespace dovrel::testing
