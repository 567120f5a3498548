#include "turn.h"

namespace puzzle {

void turnTile(Board &board, int layer, std::int16_t index)
{
    board.setVisible(nextLayer(layer), index, true);
    board.setVisible(layer, index, false);
}

} // namespace puzzle
