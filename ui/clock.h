#pragma once
// The time base of every timed pause. The game runs on a monotonic clock, so a
// pause over midnight or a change of the wall clock lasts what it should; the
// tests put a virtual clock in its place.

class QTimer;

namespace dovrel {

class Clock {
public:
    virtual ~Clock() = default;
    virtual double now() const = 0;                   // seconds
    virtual void sleep(double seconds) = 0;           // handles no events
    virtual void waitForEvents(double seconds) = 0;   // handles events, returns within `seconds`
};

class SteadyClock final : public Clock {
public:
    SteadyClock();
    ~SteadyClock() override;
    double now() const override;
    void sleep(double seconds) override;
    void waitForEvents(double seconds) override;

private:
    QTimer* wake_;  // a persistent wake-up, so waiting never spins
};

}  // namespace dovrel
