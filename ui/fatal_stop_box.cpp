#include <windows.h>

#include "core/fatal_stop.h"
#include "ui/event_hold.h"
#include "ui/exit_routines.h"
#include "ui/program.h"

namespace zq {

void ShowFatalStopBox(const char* message, std::int32_t code) {
  RaiseEventHold();
  // A fixed buffer: running out of memory is one way to get here.
  char text[2048];
  FormatFatalStopText(message, code, text, sizeof text);
  MessageBoxA(nullptr, text, "错误", MB_ICONERROR);
  ClearExitRoutines();
  ReleaseWindowLayer();
  ExitProcess(static_cast<UINT>(-1));
}

}  // namespace zq
