#pragma once
// A delay that keeps the user interface alive: the thread sleeps on a kernel waitable timer and
// dispatches its window messages whenever they arrive, until the time has passed.

namespace vantero {

// Returns after the given time; window messages of the calling thread are dispatched meanwhile,
// so handlers (even another wait) may run inside it. Each call owns its own timer, so nested
// waits do not disturb one another. Throws std::invalid_argument, with a description starting
// "[clsWaitableTimer.Wait]", for a negative or non-finite time.
void pumping_wait(double milliseconds);

}  // namespace vantero
