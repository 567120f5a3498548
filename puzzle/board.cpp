#include "board.h"

#include "runtime_error.h"

namespace puzzle {

std::size_t pictureSlot(int layer, std::int16_t index)
{
    if (layer < 1 || layer > kLayers || index < 0 || index >= kTiles)
        throw RuntimeError(RuntimeError::Code::SubscriptOutOfRange, "Subscript out of range");
    return static_cast<std::size_t>((layer - 1) * kTiles + index);
}

} // namespace puzzle
