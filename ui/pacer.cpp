#include "ui/pacer.h"

#include <QCoreApplication>
#include <algorithm>

#include "ui/accessibility.h"
#include "ui/clock.h"

namespace dovrel::pacer {

namespace {
constexpr double Slice = 0.015;
// How long a screen reader may wait for an answer while a pause handles no
// events: it asks one question after another, and waits for each.
constexpr double AnswerSlice = 0.001;
Clock* current = nullptr;
}  // namespace

Clock& clock()
{
    if (!current) {
        static SteadyClock steady;
        return steady;
    }
    return *current;
}

void setClock(Clock* c)
{
    current = c;
}

void doEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void pause(const std::function<double()>& seconds, bool processEvents, const std::function<bool()>& stop)
{
    Clock& c = clock();
    const double t0 = c.now();
    while (!stop()) {
        const double remaining = t0 + seconds() - c.now();
        if (remaining <= 0)
            return;
        const double slice = std::min(remaining, Slice);
        if (processEvents)
            c.waitForEvents(slice);
        else
            c.sleep(accessibility::answerScreenReader() ? std::min(slice, AnswerSlice) : slice);
    }
}

}  // namespace dovrel::pacer
