#include "board_table.h"

#include "runtime_error.h"

namespace puzzle {

namespace {

std::size_t slot(int layer, std::int16_t index)
{
    if (layer < 1 || layer > kLayers || index < 0 || index >= kTiles)
        throw RuntimeError(RuntimeError::Code::SubscriptOutOfRange, "Subscript out of range");
    return static_cast<std::size_t>((layer - 1) * kTiles + index);
}

} // namespace

void BoardTable::move(int layer, std::int16_t index, float left, float top)
{
    Record &r = at(layer, index);
    r.left = left;
    r.top = top;
}

BoardTable::Record &BoardTable::at(int layer, std::int16_t index) { return records_[slot(layer, index)]; }
const BoardTable::Record &BoardTable::at(int layer, std::int16_t index) const { return records_[slot(layer, index)]; }

} // namespace puzzle
