#pragma once
#include <cstdint>

namespace dovrel {

// Uniform single-precision numbers in [0, 1). The main window seeds it from the
// clock each time it loads; tests script the numbers instead.
class Random {
public:
    virtual ~Random() = default;
    virtual void seed(uint64_t value) = 0;
    virtual float next() = 0;
};

// PCG32 (O'Neill): small, fast, and statistically sound for a game.
class Pcg32Random final : public Random {
public:
    void seed(uint64_t value) override;
    float next() override;

private:
    uint32_t step();
    uint64_t state_ = 0x853c49e6748fea9bULL;
    static constexpr uint64_t increment_ = 0xda3e39cb94b95bdbULL;
};

// A seed that differs from run to run and from load to load.
uint64_t clockSeed();
// Where clockSeed() takes its seeds from instead of the clock, so that a test
// can replay a whole session; nullptr gives the clock back.
void setSeedSource(uint64_t (*source)());

}  // namespace dovrel
