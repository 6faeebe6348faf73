#include "game/random.h"

#include <chrono>

namespace dovrel {

void Pcg32Random::seed(uint64_t value)
{
    state_ = 0;
    step();
    state_ += value;
    step();
}

uint32_t Pcg32Random::step()
{
    const uint64_t old = state_;
    state_ = old * 6364136223846793005ULL + increment_;
    const auto xorshifted = static_cast<uint32_t>(((old >> 18U) ^ old) >> 27U);
    const auto rot = static_cast<uint32_t>(old >> 59U);
    return (xorshifted >> rot) | (xorshifted << ((32U - rot) & 31U));
}

float Pcg32Random::next()
{
    // 24 bits fill a float's mantissa exactly, so the result never rounds up to 1.
    return static_cast<float>(step() >> 8U) * (1.0f / 16777216.0f);
}

namespace {
uint64_t (*seedSource)() = nullptr;
}  // namespace

void setSeedSource(uint64_t (*source)())
{
    seedSource = source;
}

uint64_t clockSeed()
{
    if (seedSource)
        return seedSource();
    const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    const auto mono = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<uint64_t>(wall) ^ (static_cast<uint64_t>(mono) << 32U);
}

}  // namespace dovrel
