#pragma once

#include "board.h"
#include "platform_services.h"

#include <cstdint>

namespace puzzle {

// Lays out a new game: the solved layout, then nine random exchanges of tile
// places and a random turn for every tile. Only ever exchanging and turning
// tiles of a solved board keeps every game solvable.
class BoardSetUp {
public:
    BoardSetUp(TimeOfDay &time, RandomSource &random) : time_(time), random_(random) {}

    void shuffle(Board &board);

    // A whole number in lower..upper: the remainder of round-half-even(d * x + zz)
    // by d, plus lower, where d = upper - lower + 1 and x is the next random value.
    // Callers keep upper >= lower, d in 1..32767 and zz >= 0.
    std::int16_t rand(std::int16_t upper, std::int16_t lower, std::int16_t zz);

    // Scratch of one exchange; kept between set-ups but never read across them.
    std::int16_t leftA = 0;
    std::int16_t topA = 0;
    std::int16_t leftB = 0;
    std::int16_t topB = 0;

private:
    TimeOfDay &time_;
    RandomSource &random_;
};

} // namespace puzzle
