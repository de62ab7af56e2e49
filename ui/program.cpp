#include "ui/program.h"

#include <windows.h>

#include <memory>

#include "core/fatal_stop.h"
#include "core/file_system.h"
#include "core/text.h"
#include "engine/folder_listing.h"
#include "engine/name_list.h"
#include "engine/rename_run.h"
#include "ui/event_hold.h"
#include "ui/exit_routines.h"
#include "ui/message_loop.h"
#include "ui/names_file_loading.h"
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
  FileSystem& file_system = SystemFileSystem();
  EventBindings bindings;
  bindings.main_window_created = [&form] { OnMainWindowCreated(form); };
  bindings.open_folder_clicked = [&form, &file_system] { OnOpenFolderClicked(form, file_system); };
  bindings.start_rename_clicked = [&form, &file_system] {
    OnStartRenameClicked(form, file_system);
  };
  bindings.open_names_file_clicked = [&form, &file_system] {
    OnOpenNamesFileClicked(form, file_system);
  };
  bindings.names_changed = [&form] { OnNamesChanged(form); };
  bindings.file_dropped = [&form, &file_system](const Text& paths) {
    OnFileDropped(form, file_system, paths);
  };
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
  InitGlobals();
  RegisterExitRoutine(&ReleaseGlobals);
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
