// The entry point of the Windows program.
#include <windows.h>

#include "core/fatal_stop.h"
#include "ui/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // No critical-error or open-file error boxes from the system; keep the bits already set.
  const UINT mode = SetErrorMode(0);
  SetErrorMode(mode | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  zq::SetFatalStopHandler(&zq::ShowFatalStopBox);
  zq::ProgramStart();
  return zq::ExitProgram();
}
