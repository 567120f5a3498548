#pragma once

#include "board.h"

#include <array>

namespace puzzle {

// The board without a window: 36 records of left, top and visibility.
class BoardTable : public Board {
public:
    struct Record {
        float left = 0.0f;
        float top = 0.0f;
        bool visible = true;
    };

    float left(int layer, std::int16_t index) override { return at(layer, index).left; }
    float top(int layer, std::int16_t index) override { return at(layer, index).top; }
    void setLeft(int layer, std::int16_t index, float value) override { at(layer, index).left = value; }
    void setTop(int layer, std::int16_t index, float value) override { at(layer, index).top = value; }
    void setVisible(int layer, std::int16_t index, bool visible) override { at(layer, index).visible = visible; }
    void move(int layer, std::int16_t index, float left, float top) override;

    Record &at(int layer, std::int16_t index);
    const Record &at(int layer, std::int16_t index) const;

private:
    std::array<Record, kPictures> records_{};
};

} // namespace puzzle
