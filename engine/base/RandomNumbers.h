#pragma once
// Pseudo-random numbers: a 15-bit generator (values 0 to 32767, a linear congruential
// sequence from a seed) and whole numbers drawn uniformly from a range of any width. The
// program shares one generator; tests and replays give their own. Not thread-safe: one
// generator per thread.
#include "engine/base/EngineTypes.h"

class Random15 {
public:
    static constexpr u16 kMax = 0x7FFF;

    explicit Random15(u32 seed = 1) : state_(seed) {}
    void seed(u32 seed) { state_ = seed; }
    virtual ~Random15() = default;
    virtual u16 next();

private:
    u32 state_;
};

// The program's generator.
Random15& sharedRandom();

// A number in [a, b], each equally likely; callers pass a <= b (a > b gives a).
i32 RandomInRange(i32 a, i32 b);
i32 RandomInRange(i32 a, i32 b, Random15& random);
