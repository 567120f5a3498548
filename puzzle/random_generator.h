#pragma once

#include "platform_services.h"

#include <random>

namespace puzzle {

// The game's generator: the 32-bit Mersenne Twister from its standard default
// state, so every run draws the same sequence and nothing ever seeds it. It is
// well studied, part of the standard library and fixed by the standard in its
// output, so the sequence is the same with every compiler. The float is made
// from the top 24 bits as k / 2^24, which is exact in a float and at most
// 1 - 2^-24: unlike std::generate_canonical<float>, it can never round up to
// exactly 1.0.
class RandomGenerator : public RandomSource {
public:
    float next() override;

private:
    std::mt19937 engine_; // default-constructed: seed 5489
};

} // namespace puzzle
