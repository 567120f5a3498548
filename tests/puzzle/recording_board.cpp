#include "recording_board.h"

#include "puzzle/runtime_error.h"

namespace puzzle_test {

void RecordingBoard::log(const Write &w)
{
    if (static_cast<int>(writes.size()) == failAtWrite)
        throw puzzle::RuntimeError(puzzle::RuntimeError::Code::InvalidProcedureCall, "write refused");
    writes.push_back(w);
}

} // namespace puzzle_test
