#pragma once

// The pseudo-random source of the sentence draw and of the praise sounds:
// re-seeded from the clock, values uniform in [0, 1). Tests install their own.

#include <cstdint>
#include <random>

namespace platform {

class Random
{
public:
    virtual ~Random() = default;
    virtual void seed(float clockReading) = 0;
    // Uniform in [0, 1); never 1.
    virtual float next() = 0;
};

class SystemRandom final : public Random
{
public:
    void seed(float clockReading) override;
    float next() override;

private:
    std::mt19937 engine_{5489u};
};

// Integer part of next() * count: a value 0..count-1 (0 when count <= 0).
int drawBelow(Random &source, int count);

Random &random();
// Installs `replacement` (not owned); nullptr goes back to the system source.
void setRandom(Random *replacement);

}  // namespace platform
