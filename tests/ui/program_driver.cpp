#include "tests/ui/program_driver.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <stdexcept>

namespace zq {
namespace {

constexpr char kDesktop[] = "zqtest";
constexpr char kTitle[] = "ZQ文件批量改名    BY:vondle";

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

HWND FindDescendant(HWND parent, const std::string& window_class) {
  for (HWND child : Children(parent)) {
    if (ClassOf(child) == window_class) return child;
    if (HWND found = FindDescendant(child, window_class)) return found;
  }
  return nullptr;
}

struct WindowSearch {
  DWORD process_id;
  std::string window_class;
  std::string title;
  HWND found;
  const char* descendant_class;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM search_address) {
  auto* search = reinterpret_cast<WindowSearch*>(search_address);
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  if (process_id != search->process_id || !IsWindowVisible(window)) return TRUE;
  if (!search->window_class.empty() && ClassOf(window) != search->window_class) return TRUE;
  if (search->descendant_class != nullptr) {
    if (FindDescendant(window, search->descendant_class) == nullptr) return TRUE;
  } else if (WindowText(window) != search->title) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

HWND FindTopLevel(DWORD process_id, const std::string& window_class, const std::string& title,
                  const char* descendant_class = nullptr) {
  WindowSearch search{process_id, window_class, title, nullptr, descendant_class};
  EnumWindows(&MatchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string DesktopPath() {
  char path[MAX_PATH];
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY | CSIDL_FLAG_CREATE, nullptr, 0,
                              path))) {
    throw std::runtime_error("no desktop folder");
  }
  return path;
}

void JoinTestDesktop();

}  // namespace

std::string ProgramPath(const std::string& exe_name) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  // The nearest folder above this program that holds it: the build folder.
  for (std::size_t cut = folder.find_last_of('\\'); cut != std::string::npos;
       cut = folder.find_last_of('\\')) {
    folder.resize(cut);
    const std::string candidate = folder + "\\" + exe_name;
    if (GetFileAttributesA(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) return candidate;
  }
  return exe_name;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeout_ms) return false;
    Sleep(10);
  }
  return true;
}

LRESULT Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, message, wparam, lparam, SMTO_NORMAL, 5000, &result);
  return static_cast<LRESULT>(result);
}

std::string WindowText(HWND window) {
  char text[4096] = {};
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

RECT RectInParent(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  if (HWND parent = GetParent(window)) {
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  }
  return rect;
}

namespace {

void JoinTestDesktop() {
  static bool joined = false;
  if (joined) return;
  joined = true;
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Explorer\\Desktops", 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
    RegSetValueExA(key, kDesktop, 0, REG_SZ, reinterpret_cast<const BYTE*>("1024x768"), 9);
    RegCloseKey(key);
  }
  HDESK desktop = CreateDesktopA(kDesktop, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  if (desktop == nullptr || !SetThreadDesktop(desktop)) {
    throw std::runtime_error("cannot join the test desktop");
  }
}

}  // namespace

DesktopFolder::DesktopFolder(const std::string& name)
    : name_(name), path_(DesktopPath() + "\\" + name) {
  CreateDirectoryA(path_.c_str(), nullptr);
}

DesktopFolder::~DesktopFolder() {
  for (const std::string& file : FileNames()) DeleteFileA((path_ + "\\" + file).c_str());
  RemoveDirectoryA(path_.c_str());
}

void DesktopFolder::WriteFile(const std::string& name, const std::string& content) const {
  HANDLE file = CreateFileA((path_ + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
}

std::vector<std::string> DesktopFolder::FileNames() const {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(data.cFileName);
  } while (FindNextFileA(search, &data));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

RunningProgram::RunningProgram(const std::string& exe_name) {
  JoinTestDesktop();
  const std::string path = ProgramPath(exe_name);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::string desktop = kDesktop;
  startup.lpDesktop = &desktop[0];
  std::string command_line = "\"" + path + "\"";
  if (!CreateProcessA(path.c_str(), &command_line[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process_)) {
    throw std::runtime_error("cannot start " + path);
  }
  WaitUntil([this] {
    window_ = FindTopLevel(process_.dwProcessId, "", kTitle);
    return window_ != nullptr;
  });
  if (window_ == nullptr) throw std::runtime_error("the window did not show");
  thread_id_ = GetWindowThreadProcessId(window_, nullptr);
}

RunningProgram::~RunningProgram() {
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND RunningProgram::ControlAt(int left, int top) const {
  for (HWND child : Children(window_)) {
    const RECT rect = RectInParent(child);
    if (rect.left == left && rect.top == top) return child;
  }
  return nullptr;
}

HWND RunningProgram::Button(const std::string& text) const {
  for (HWND child : Children(window_)) {
    if (ClassOf(child) == "Button" && WindowText(child) == text) return child;
  }
  return nullptr;
}

HWND RunningProgram::Focus() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(thread_id_, &info);
  return info.hwndFocus;
}

void RunningProgram::Click(HWND button) const { PostMessageA(button, BM_CLICK, 0, 0); }

void RunningProgram::PressKey(WORD virtual_key, bool shift) const {
  std::vector<INPUT> inputs;
  auto key = [&inputs](WORD code, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = code;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(code, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  if (shift) key(VK_SHIFT, false);
  key(virtual_key, false);
  key(virtual_key, true);
  if (shift) key(VK_SHIFT, true);
  // Keys go to the active window; after a dialog has closed the window may not be active.
  if (GetForegroundWindow() != window_) {
    SetForegroundWindow(window_);
    WaitUntil([this] { return GetForegroundWindow() == window_ && Focus() != nullptr; });
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::vector<std::string> RunningProgram::ListItems() const {
  // Asked for in UTF-16 and turned into the ANSI code page here: Wine hands the A form of
  // LB_GETTEXT across processes without converting it.
  std::vector<std::string> items;
  const HWND list = FileListBox();
  const LRESULT count = Send(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t wide[1024] = {};
    DWORD_PTR result = 0;
    SendMessageTimeoutW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide),
                        SMTO_NORMAL, 5000, &result);
    char text[2048] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    items.push_back(text);
  }
  return items;
}

void RunningProgram::PasteNames(const std::string& text) const {
  if (!OpenClipboard(nullptr)) throw std::runtime_error("cannot open the clipboard");
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
  Send(NamesBox(), EM_SETSEL, 0, -1);
  Send(NamesBox(), WM_PASTE);
}

HWND RunningProgram::FindDialog(const std::string& caption) const {
  return FindTopLevel(process_.dwProcessId, "#32770", caption);
}

HWND RunningProgram::WaitForDialog(const std::string& caption) const {
  HWND dialog = nullptr;
  WaitUntil([&] {
    dialog = FindDialog(caption);
    return dialog != nullptr;
  });
  return dialog;
}

std::string RunningProgram::MessageText(HWND box) {
  for (HWND child : Children(box)) {
    if (ClassOf(child) != "Static") continue;
    std::string text = WindowText(child);
    if (!text.empty()) return text;
  }
  return std::string();
}

void RunningProgram::Answer(HWND dialog, int button_id) {
  PostMessageA(GetDlgItem(dialog, button_id), BM_CLICK, 0, 0);
}

HWND RunningProgram::WaitForFolderPicker() const {
  HWND picker = nullptr;
  WaitUntil([&] {
    picker = FindTopLevel(process_.dwProcessId, "#32770", "", "SysTreeView32");
    return picker != nullptr;
  });
  return picker;
}

std::vector<std::string> RunningProgram::StaticTexts(HWND dialog) {
  std::vector<std::string> texts;
  for (HWND child : Children(dialog)) {
    if (ClassOf(child) == "Static") texts.push_back(WindowText(child));
  }
  return texts;
}

void RunningProgram::Sync() const { Send(window_, WM_NULL); }

std::string RunningProgram::TreeItemText(HWND tree, LPARAM item) const {
  // TVM_GETITEMA points into the program's memory: the item and its text buffer live there.
  constexpr SIZE_T kTextSize = 260;
  void* remote = VirtualAllocEx(process_.hProcess, nullptr, sizeof(TVITEMA) + kTextSize,
                                MEM_COMMIT, PAGE_READWRITE);
  if (remote == nullptr) return std::string();
  TVITEMA request = {};
  request.mask = TVIF_TEXT;
  request.hItem = reinterpret_cast<HTREEITEM>(item);
  request.pszText = static_cast<char*>(remote) + sizeof(TVITEMA);
  request.cchTextMax = kTextSize;
  char text[kTextSize] = {};
  if (WriteProcessMemory(process_.hProcess, remote, &request, sizeof request, nullptr) &&
      Send(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote))) {
    ReadProcessMemory(process_.hProcess, request.pszText, text, kTextSize - 1, nullptr);
  }
  VirtualFreeEx(process_.hProcess, remote, 0, MEM_RELEASE);
  return text;
}

void RunningProgram::ChooseInFolderPicker(HWND picker, const std::string& name) const {
  const HWND tree = FindDescendant(picker, "SysTreeView32");
  if (tree == nullptr) throw std::runtime_error("the folder picker has no tree");
  const LPARAM root = Send(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
  Send(tree, TVM_EXPAND, TVE_EXPAND, root);
  for (LPARAM item = Send(tree, TVM_GETNEXTITEM, TVGN_CHILD, root); item != 0;
       item = Send(tree, TVM_GETNEXTITEM, TVGN_NEXT, item)) {
    if (TreeItemText(tree, item) == name) {
      Send(tree, TVM_SELECTITEM, TVGN_CARET, item);
      return;
    }
  }
  throw std::runtime_error("the folder picker does not show " + name);
}

DWORD RunningProgram::WaitForExit(DWORD timeout_ms) {
  WaitForSingleObject(process_.hProcess, timeout_ms);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

}  // namespace zq
