#pragma once

#include "event_bindings.h"

#include <functional>

namespace window {

// Runs one event procedure. A run-time error raised inside it abandons the
// procedure and ends here: it is reported on standard error with the
// procedure's name and the error's description, and the window and its event
// loop carry on. Returns false when the procedure was abandoned.
bool runProcedure(Procedure procedure, const std::function<void()> &body);

} // namespace window
