// The fatal stop: the one way the program ends after an error it cannot go on from.
// The process-wide handler is set by whoever owns the process (the Win32 program shows its
// message box; the tests catch the stop). It must not return.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zq {

class Text;

using FatalStopHandler = void (*)(const char* message, std::int32_t code);

// Installs the handler and returns the previous one.
FatalStopHandler SetFatalStopHandler(FatalStopHandler handler);

// Calls the installed handler; without one, prints to stderr and exits with -1.
[[noreturn]] void FatalStop(const char* message, std::int32_t code);
[[noreturn]] void FatalStop(const Text& message, std::int32_t code);

// The text of the fatal stop's box: "运行时出错!" with the optional code and message lines.
// Built into the caller's buffer without allocating, since memory may be what ran out.
// Returns the number of bytes written, the terminating NUL not counted.
std::size_t FormatFatalStopText(const char* message, std::int32_t code, char* out,
                                std::size_t out_size);

}  // namespace zq
