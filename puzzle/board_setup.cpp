#include "board_setup.h"

#include "numeric.h"

namespace puzzle {

std::int16_t BoardSetUp::rand(std::int16_t upper, std::int16_t lower, std::int16_t zz)
{
    // Drawn first: a call that fails later has still used up its value.
    const float x = random_.next();
    std::int16_t d = add16(sub16(upper, lower), 1);
    const double t = checkedFloat(static_cast<double>(static_cast<float>(d)) * static_cast<double>(x)
                                  + static_cast<double>(static_cast<float>(zz)));
    const std::int32_t v = toInt32(t);
    d = add16(sub16(upper, lower), 1);
    const std::int32_t m = rem32(v, d);
    return toInt16(add32(m, lower));
}

void BoardSetUp::shuffle(Board &board)
{
    std::int16_t c = 0;

    // Every tile upright.
    for (c = 0; c <= 8; c = add16(c, 1)) {
        board.setVisible(1, c, true);
        for (int layer = 2; layer <= kLayers; ++layer)
            board.setVisible(layer, c, false);
    }

    // Rows, then columns: the solved layout, whatever the board held before.
    for (c = 0; c <= 2; c = add16(c, 1)) {
        for (int layer = 1; layer <= kLayers; ++layer) {
            board.setTop(layer, c, 0.0f);
            board.setTop(layer, add16(c, 3), kCellPitch);
            board.setTop(layer, add16(c, 6), 2.0f * kCellPitch);
        }
    }
    for (c = 0; c <= 6; c = add16(c, 3)) {
        for (int layer = 1; layer <= kLayers; ++layer) {
            board.setLeft(layer, c, 0.0f);
            board.setLeft(layer, add16(c, 1), kCellPitch);
            board.setLeft(layer, add16(c, 2), 2.0f * kCellPitch);
        }
    }

    // Exchanges: tile c with a random partner n. Only layer 1 is read, since
    // all four layers of a tile share one place.
    for (c = 0; c <= 8; c = add16(c, 1)) {
        const std::int16_t s = time_.secondOfMinute();
        const std::int16_t n = rand(8, 0, s);
        if (n == c)
            continue;
        leftA = toInt16(static_cast<double>(board.left(1, c)));
        topA = toInt16(static_cast<double>(board.top(1, c)));
        leftB = toInt16(static_cast<double>(board.left(1, n)));
        topB = toInt16(static_cast<double>(board.top(1, n)));
        for (int layer = 1; layer <= kLayers; ++layer) {
            board.setLeft(layer, c, leftB);
            board.setTop(layer, c, topB);
            board.setLeft(layer, n, leftA);
            board.setTop(layer, n, topA);
        }
    }

    // Turns: layer r shows the tile r - 1 quarter turns counter-clockwise. The
    // upright picture goes before the turned one shows.
    for (c = 0; c <= 8; c = add16(c, 1)) {
        const std::int16_t s = time_.secondOfMinute();
        const std::int16_t r = rand(4, 1, s);
        if (r >= 2 && r <= 4) {
            board.setVisible(1, c, false);
            board.setVisible(r, c, true);
        }
    }
}

} // namespace puzzle
