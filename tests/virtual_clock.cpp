#include "virtual_clock.h"

#include <QCoreApplication>

#include "ui/pacer.h"

namespace dovrel::testing {

VirtualClock::VirtualClock()
{
    pacer::setClock(this);
}

VirtualClock::~VirtualClock()
{
    pacer::setClock(nullptr);
}

void VirtualClock::advance(double seconds)
{
    now_ += seconds;
}

void VirtualClock::runDueActions()
{
    while (!actions_.empty() && actions_.begin()->first <= now_) {
        auto action = std::move(actions_.begin()->second);
        actions_.erase(actions_.begin());
        action();
    }
}

void VirtualClock::sleep(double seconds)
{
    slept_ += seconds;
    advance(seconds);
}

void VirtualClock::waitForEvents(double seconds)
{
    waited_ += seconds;
    advance(seconds);
    // A user acts only where events are handled, never inside a silent pause.
    runDueActions();
    QCoreApplication::processEvents();
}

void VirtualClock::after(double delay, std::function<void()> action)
{
    actions_.emplace(now_ + delay, std::move(action));
}

}  // namespace dovrel::testing
