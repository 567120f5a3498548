#pragma once

#include "puzzle/board_table.h"

#include <string>
#include <vector>

namespace puzzle_test {

// A table board that logs every write, so tests can check what a procedure
// wrote and in which order, and can make one chosen write fail.
class RecordingBoard : public puzzle::BoardTable {
public:
    struct Write {
        std::string what; // "left", "top", "visible", "move"
        int layer;
        int index;
        float a;
        float b;
        bool operator==(const Write &) const = default;
    };

    std::vector<Write> writes;
    int reads = 0;
    int failAtWrite = -1; // index into `writes` at which a write raises

    float left(int layer, std::int16_t index) override
    {
        ++reads;
        return BoardTable::left(layer, index);
    }
    float top(int layer, std::int16_t index) override
    {
        ++reads;
        return BoardTable::top(layer, index);
    }
    void setLeft(int layer, std::int16_t index, float v) override
    {
        log({"left", layer, index, v, 0});
        BoardTable::setLeft(layer, index, v);
    }
    void setTop(int layer, std::int16_t index, float v) override
    {
        log({"top", layer, index, v, 0});
        BoardTable::setTop(layer, index, v);
    }
    void setVisible(int layer, std::int16_t index, bool v) override
    {
        log({"visible", layer, index, v ? 1.0f : 0.0f, 0});
        BoardTable::setVisible(layer, index, v);
    }
    void move(int layer, std::int16_t index, float l, float t) override
    {
        log({"move", layer, index, l, t});
        BoardTable::move(layer, index, l, t);
    }

private:
    void log(const Write &w);
};

} // namespace puzzle_test
