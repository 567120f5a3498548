#pragma once

#include <stdexcept>
#include <string>

namespace puzzle {

// The one kind of failure the game knows: a failed platform call or a tested
// computation that went out of range. It abandons the event procedure that
// raised it; the platform layer reports it and keeps the window running.
class RuntimeError : public std::runtime_error {
public:
    enum class Code {
        Overflow = 6,
        SubscriptOutOfRange = 9,
        DivisionByZero = 11,
        InvalidProcedureCall = 5,
        InvalidFloatOperation = 1001,
    };

    RuntimeError(Code code, const std::string &description) : std::runtime_error(description), code_(code) {}

    Code code() const { return code_; }
    int number() const { return static_cast<int>(code_); }
    std::string description() const { return what(); }

    [[noreturn]] static void overflow() { throw RuntimeError(Code::Overflow, "Overflow"); }

private:
    Code code_;
};

} // namespace puzzle
