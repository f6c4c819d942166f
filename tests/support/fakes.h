#pragma once

// Stand-ins for the clock, the random source and the sound player, so that a
// test runs a whole lesson in milliseconds and can see every cue.

#include "platform/clock.h"
#include "platform/random.h"
#include "platform/sound_player.h"

#include <QStringList>

#include <deque>
#include <random>
#include <functional>

namespace test {

class FakeClock final : public platform::Clock
{
public:
    float secondsSinceMidnight() override { return seconds; }
    std::int64_t monotonicMs() override { return monotonic; }
    // Lets the time pass at once. `duringWait` runs first, while the waiter
    // is still waiting (e.g. to click during the feedback second).
    void wait(int ms) override
    {
        ++waits;
        if (duringWait)
            duringWait();
        advance(ms);
    }
    void advance(int ms)
    {
        monotonic += ms;
        seconds = seconds + static_cast<float>(ms) / 1000.0f;
        if (seconds >= platform::secondsPerDay)
            seconds -= platform::secondsPerDay;
    }

    float seconds = 36000.0f;  // 10:00
    std::int64_t monotonic = 0;
    int waits = 0;
    std::function<void()> duringWait;
};

class ScriptedRandom final : public platform::Random
{
public:
    void seed(float clockReading) override { seeds.push_back(clockReading); }
    float next() override
    {
        if (values.empty())
            return static_cast<float>(spread() % 1000000u) / 1000000.0f;
        const float value = values.front();
        values.pop_front();
        return value;
    }
    // Makes the next draw among `count` give `index`.
    void queueIndex(int index, int count)
    {
        values.push_back((static_cast<float>(index) + 0.5f) / static_cast<float>(count));
    }

    std::deque<float> values;
    std::vector<float> seeds;
    // Once the queue is empty: a fixed, evenly spread sequence.
    std::minstd_rand spread{1u};
};

class RecordingPlayer final : public platform::SoundPlayer
{
public:
    void play(const QString &cue) override { cues.append(cue); }
    QStringList cues;
};

}  // namespace test
