// The life of the process: start-up, the normal exit and what the fatal stop shares with it.
#pragma once

#include <cstdint>

namespace zq {

// Prepares the process, loads the window and runs the message loop; 0 once the loop ended.
int ProgramStart();
// The program's own start-up step, run just before the window is loaded.
void StartupHook();
// The normal exit after ProgramStart: runs the exit routines, releases the window layer and
// shuts OLE down. Gives the code of the quit request.
int ExitProgram();
// Destroys what is left of the window, releases the window layer and shuts OLE down.
void ReleaseWindowLayer();

// The process-wide fatal-stop handler: shows the error box and ends the process with -1,
// without the exit routines.
[[noreturn]] void ShowFatalStopBox(const char* message, std::int32_t code);

}  // namespace zq
