#pragma once

// The clock the program reads: seconds since midnight as the lesson shows
// them, a monotonic reading for waits, and the one-second wait of the answer
// feedback. Tests install a clock of their own so that no test waits.

#include <cstdint>

namespace platform {

class Clock
{
public:
    virtual ~Clock() = default;
    // Seconds since midnight with their fraction, single precision.
    virtual float secondsSinceMidnight() = 0;
    // Milliseconds on a clock that never goes back.
    virtual std::int64_t monotonicMs() = 0;
    // Returns once `ms` milliseconds of monotonic time have passed; the event
    // loop keeps running meanwhile, so windows repaint.
    virtual void wait(int ms) = 0;
};

class SystemClock final : public Clock
{
public:
    float secondsSinceMidnight() override;
    std::int64_t monotonicMs() override;
    void wait(int ms) override;
};

inline constexpr float secondsPerDay = 86400.0f;

// Seconds from `start` to `now`, two readings of secondsSinceMidnight(); a
// span that crosses midnight still counts forwards (never negative).
float secondsBetween(float start, float now);

Clock &clock();
// Installs `replacement` (not owned); nullptr goes back to the system clock.
void setClock(Clock *replacement);

}  // namespace platform
