#include "ui/folder_picker.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "ui/win32_handles.h"

namespace zq {
namespace {

struct WindowState {
  HWND window;
  BOOL enabled;
};

BOOL CALLBACK CollectTopLevelWindow(HWND window, LPARAM states) {
  reinterpret_cast<std::vector<WindowState>*>(states)->push_back(
      {window, IsWindowEnabled(window)});
  return TRUE;
}

// The picker disables only its owner; every other top-level window of the program must not
// take input either while it is open.
class ProgramWindowsDisabled {
 public:
  ProgramWindowsDisabled() {
    EnumThreadWindows(GetCurrentThreadId(), &CollectTopLevelWindow,
                      reinterpret_cast<LPARAM>(&states_));
    for (const WindowState& state : states_) EnableWindow(state.window, FALSE);
  }
  ~ProgramWindowsDisabled() {
    for (const WindowState& state : states_) {
      if (IsWindow(state.window)) EnableWindow(state.window, state.enabled);
    }
  }
  ProgramWindowsDisabled(const ProgramWindowsDisabled&) = delete;
  ProgramWindowsDisabled& operator=(const ProgramWindowsDisabled&) = delete;

 private:
  std::vector<WindowState> states_;
};

void FreeWithShellAllocator(LPITEMIDLIST items) {
  ComRef<IMalloc> allocator;
  if (SUCCEEDED(SHGetMalloc(allocator.Receive()))) allocator->Free(items);
}

}  // namespace

Text BrowseForFolder(const Text& title) {
  Text result;
  HWND owner = GetActiveWindow();
  if (!IsWindow(owner)) owner = nullptr;
  const HWND active = owner;
  const HWND foreground = GetForegroundWindow();

  char display_name[MAX_PATH] = {};
  BROWSEINFOA info = {};
  info.hwndOwner = owner;
  info.pidlRoot = nullptr;
  info.pszDisplayName = display_name;
  info.lpszTitle = title.CStr();
  info.ulFlags = BIF_EDITBOX;

  LPITEMIDLIST items;
  {
    ProgramWindowsDisabled disabled;
    items = SHBrowseForFolderA(&info);
  }
  if (foreground != nullptr && IsWindow(foreground)) SetForegroundWindow(foreground);
  if (active != nullptr && IsWindow(active)) SetActiveWindow(active);

  if (items != nullptr) {
    char path[MAX_PATH] = {};
    if (SHGetPathFromIDListA(items, path) && path[0] != '\0') result = Text(path);
    FreeWithShellAllocator(items);
  }
  return result;
}

}  // namespace zq
