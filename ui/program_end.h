#pragma once
// The program's very last step, once the application object has gone.

namespace dovrel {

// Waits, a second at most, until the threads Qt started for the application
// and stopped with it (its pooled workers, the display's event reader) have
// ended, then returns `exitCode`. Qt waits only for their work to be done:
// each thread still ends on its own just after, and a program that left
// main() meanwhile would end with one half-gone, whose memory a leak check at
// exit counts as lost.
int awaitQtThreads(int exitCode);

}  // namespace dovrel
