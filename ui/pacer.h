#pragma once
// The one place every timed pause and every "handle pending events" goes through.
#include <functional>

namespace dovrel {

class Clock;

namespace pacer {

// The clock in use; setClock(nullptr) puts the monotonic one back.
Clock& clock();
void setClock(Clock* clock);

// Handle the pending window events once.
void doEvents();

// Wait until seconds() has passed since the call. seconds() is read again at
// every check, at least every 15 ms, so a change of speed counts at once.
// Window events are handled meanwhile only when processEvents is set; a
// screen reader's questions are answered either way.
// Returns early as soon as stop() says so.
void pause(const std::function<double()>& seconds, bool processEvents, const std::function<bool()>& stop);

}  // namespace pacer
}  // namespace dovrel
