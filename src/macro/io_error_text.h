#pragma once
// Input/output failures reach the user in the wording of the run-time library the program was
// first written with, whatever system error lies behind them.

#include <string>

namespace spindrel {

// "File not found", "File access denied", ... or "I/O error %d" for the rest.
std::string ioErrorText(int systemErrorCode);

// Throws an InOutError with that text and the code.
[[noreturn]] void throwInOutError(int systemErrorCode);

}  // namespace spindrel
