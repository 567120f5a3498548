#include "procedure_runner.h"

#include "puzzle/runtime_error.h"

#include <cstdio>
#include <exception>
#include <string>

namespace window {

bool runProcedure(Procedure procedure, const std::function<void()> &body)
{
    const std::string name(procedureName(procedure));
    try {
        body();
        return true;
    } catch (const puzzle::RuntimeError &error) {
        std::fprintf(stderr, "quillamon: run-time error %d in %s: %s\n", error.number(), name.c_str(), error.what());
    } catch (const std::exception &error) {
        std::fprintf(stderr, "quillamon: run-time error in %s: %s\n", name.c_str(), error.what());
    }
    std::fflush(stderr);
    return false;
}

} // namespace window
