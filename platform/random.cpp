#include "platform/random.h"

#include <bit>

namespace platform {

void SystemRandom::seed(float clockReading)
{
    engine_.seed(std::bit_cast<std::uint32_t>(clockReading));
}

float SystemRandom::next()
{
    // 24 random bits fill a float's mantissa exactly: 0 <= value < 1.
    return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f);
}

int drawBelow(Random &source, int count)
{
    if (count <= 0)
        return 0;
    const int drawn = static_cast<int>(source.next() * static_cast<float>(count));
    // A source that misbehaves must still not lead outside the range.
    return drawn < 0 ? 0 : (drawn >= count ? count - 1 : drawn);
}

namespace {
Random *installed = nullptr;
}

Random &random()
{
    static SystemRandom system;
    if (installed)
        return *installed;
    return system;
}

void setRandom(Random *replacement)
{
    installed = replacement;
}

}  // namespace platform
