#pragma once

// Ends the program at once: every window goes, the event loop returns.
// Tests install their own ending so that the test program lives on.

#include <functional>

namespace platform {

void endProgram();
// An empty function goes back to the real ending.
void setProgramEnd(std::function<void()> ending);

}  // namespace platform
