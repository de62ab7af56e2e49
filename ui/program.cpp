#include "ui/program.h"

#include <windows.h>

#include <memory>

#include "core/fatal_stop.h"
#include "core/file_system.h"
#include "core/text.h"
#include "engine/folder_listing.h"
#include "ui/event_hold.h"
#include "ui/exit_routines.h"
#include "ui/message_loop.h"
#include "ui/win32_form.h"
#include "ui/win32_handles.h"

namespace zq {
namespace {

OleSession g_ole;
std::unique_ptr<Win32Form> g_form;
int g_quit_code = 0;

void SetCurrentDirectoryToProgramFolder() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  const Text program_path(path, static_cast<std::int32_t>(length));
  const std::int32_t last_backslash = TextFindLast(program_path, "\\");
  if (last_backslash < 1) return;
  SetCurrentDirectoryA(TextSlice(program_path, 1, last_backslash - 1).CStr());
}

EventBindings Bindings(Win32Form& form) {
  EventBindings bindings;
  bindings.open_folder_clicked = [&form] { OnOpenFolderClicked(form, SystemFileSystem()); };
  return bindings;
}

void LoadMainWindow(Win32Form& form) {
  MainWindow& window = form.Window();
  PumpPendingMessages(window);
  RaiseEventHold();
  if (!window.Create(GetModuleHandleA(nullptr))) FatalStop("载入启动窗口失败", 0);
  // Whatever the creation raised is dropped here, still under the hold.
  PumpPendingMessages(window);
  LowerEventHold();
  form.RaiseCreated();
  if (window.IsOpen()) window.Show();
}

}  // namespace

int ProgramStart() {
  g_ole.Begin();
  SetCurrentDirectoryToProgramFolder();
  g_form = std::make_unique<Win32Form>();
  g_form->Bind(Bindings(*g_form));
  StartupHook();
  LoadMainWindow(*g_form);
  g_quit_code = RunMessageLoop(g_form->Window());
  return 0;
}

int ExitProgram() {
  RaiseEventHold();
  RunExitRoutines();
  ReleaseWindowLayer();
  return g_quit_code;
}

void ReleaseWindowLayer() {
  g_form.reset();
  g_ole.End();
}

}  // namespace zq
