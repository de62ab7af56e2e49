// Drives the real program from outside, as a person would: starts it on a virtual desktop of
// 1024x768, finds its windows and controls, clicks, types and answers its dialogs through
// window messages and keyboard input.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace zq {

// The program's path: in the nearest folder above the running test program that holds it.
std::string ProgramPath(const std::string& exe_name);

// Polls `done` every few milliseconds; false when it is still false after `timeout_ms`.
bool WaitUntil(const std::function<bool()>& done, DWORD timeout_ms = 10000);

// SendMessageA that gives up after a few seconds instead of hanging the test.
LRESULT Send(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0);
std::string WindowText(HWND window);
std::string ClassOf(HWND window);
// The window's outer rectangle in its parent's client coordinates (screen ones for a
// top-level window).
RECT RectInParent(HWND window);

// A folder on the desktop of the Wine user, which the folder picker shows right under its
// selected root. Removed with its files at the end.
class DesktopFolder {
 public:
  explicit DesktopFolder(const std::string& name);
  ~DesktopFolder();
  DesktopFolder(const DesktopFolder&) = delete;
  DesktopFolder& operator=(const DesktopFolder&) = delete;

  const std::string& Name() const { return name_; }
  const std::string& Path() const { return path_; }
  void WriteFile(const std::string& name, const std::string& content) const;
  // The names of the folder's files, sorted.
  std::vector<std::string> FileNames() const;

 private:
  std::string name_;
  std::string path_;
};

class RunningProgram {
 public:
  // Starts the program on a virtual desktop of 1024x768, which the test program's thread
  // joins too, and waits for its main window.
  explicit RunningProgram(const std::string& exe_name = "zqrename.exe");
  // Kills the program if it still runs.
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  HWND Window() const { return window_; }
  DWORD ThreadId() const { return thread_id_; }
  // The control whose outer rectangle starts at (left, top) of the window's client area.
  HWND ControlAt(int left, int top) const;
  HWND Button(const std::string& text) const;
  HWND FolderPathBox() const { return ControlAt(48, 4); }
  HWND NamesBox() const { return ControlAt(408, 40); }
  HWND NameCountBox() const { return ControlAt(536, 304); }
  HWND FileCountBox() const { return ControlAt(320, 304); }
  HWND FileListBox() const { return ControlAt(18, 48); }
  HWND FolderNameBox() const { return ControlAt(8, 304); }
  HWND Focus() const;

  // Posts a click: the program's handler may open a modal dialog, which must not block us.
  void Click(HWND button) const;
  // A key pressed and released, with Shift held when asked, on the control with the focus.
  void PressKey(WORD virtual_key, bool shift = false) const;
  std::vector<std::string> ListItems() const;
  // Replaces the names box's text by pasting `text` over all of it, as a person would: a
  // paste is a change the box reports, unlike WM_SETTEXT on a multi-line edit box.
  void PasteNames(const std::string& text) const;

  // The first visible dialog (class #32770) of the program with this caption, or null.
  HWND FindDialog(const std::string& caption) const;
  HWND WaitForDialog(const std::string& caption) const;
  // The text of a message box.
  static std::string MessageText(HWND box);
  // Presses a dialog's button by its id (IDOK, IDCANCEL).
  static void Answer(HWND dialog, int button_id);
  // The open folder picker: the program's dialog that holds a folder tree.
  HWND WaitForFolderPicker() const;
  // The texts of a dialog's static controls, in order.
  static std::vector<std::string> StaticTexts(HWND dialog);
  // In an open folder picker, selects the desktop's folder `name`.
  void ChooseInFolderPicker(HWND picker, const std::string& name) const;

  // Returns once the program's thread has handled everything sent before: the handler of a
  // click that was already dispatched has run to its end (or opened a modal dialog).
  void Sync() const;
  // Waits for the process to end; its exit code, or STILL_ACTIVE after the timeout.
  DWORD WaitForExit(DWORD timeout_ms = 10000);

 private:
  std::string TreeItemText(HWND tree, LPARAM item) const;

  PROCESS_INFORMATION process_ = {};
  HWND window_ = nullptr;
  DWORD thread_id_ = 0;
};

}  // namespace zq
