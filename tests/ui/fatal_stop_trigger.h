// The test build of the program with a way to force a fatal stop: a thread message that makes
// it ask for more memory than there is.
#pragma once

#include <windows.h>

namespace zq {

constexpr UINT kForceFatalStop = WM_APP + 0x2F;
constexpr char kFatalStopProgram[] = "zqrename_fatal_stop.exe";

}  // namespace zq
