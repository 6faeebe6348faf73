#include "ui/clock.h"

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <thread>

namespace dovrel {

SteadyClock::SteadyClock() : wake_(new QTimer)
{
    wake_->setSingleShot(true);
    wake_->setTimerType(Qt::PreciseTimer);
}

SteadyClock::~SteadyClock()
{
    delete wake_;
}

double SteadyClock::now() const
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void SteadyClock::sleep(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

void SteadyClock::waitForEvents(double seconds)
{
    // Round up: waking a little early would only cost another turn.
    wake_->start(static_cast<int>(std::ceil(seconds * 1000.0)));
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace dovrel
