// What every handler sees of the main window: five text fields, the file list and the user
// services. The Win32 window and the in-memory test form implement the same interface, so the
// handlers run unchanged on both.
#pragma once

#include <cstdint>
#include <functional>

#include "core/text.h"

namespace zq {

enum class Box { FolderPathBox, FolderNameBox, NamesBox, NameCountBox, FileCountBox };

// Buttons values of ShowMessage.
constexpr std::int32_t kButtonsOk = 0;
constexpr std::int32_t kButtonsOkCancel = 1;
// ShowMessage results.
constexpr std::int32_t kMessageOk = 0;
constexpr std::int32_t kMessageCancel = 1;

class NamesFileDialog {
 public:
  virtual ~NamesFileDialog() = default;
  // True when the user chose an existing file with OK; FileName is then that file's path.
  virtual bool Open() = 0;
  // "" until a file was chosen with OK; unchanged by any other end of Open.
  virtual Text FileName() = 0;
};

// An opaque native window handle (an HWND on Windows).
using NativeWindow = void*;

class NamesDropTarget {
 public:
  virtual ~NamesDropTarget() = default;
  // Registers the window once; a second call returns false and changes nothing.
  virtual bool RegisterTarget(NativeWindow window) = 0;
};

// The six event bindings. An unbound event finds no handler and does nothing.
struct EventBindings {
  std::function<void()> main_window_created;
  std::function<void()> open_folder_clicked;
  std::function<void()> start_rename_clicked;
  std::function<void()> open_names_file_clicked;
  std::function<void()> names_changed;
  std::function<void(const Text& paths)> file_dropped;
};

class Form {
 public:
  virtual ~Form() = default;

  // A fresh copy of the field's text. Raises nothing.
  virtual Text ReadBoxText(Box box) = 0;
  // Replaces the whole text, then raises the field's text-changed event once, synchronously,
  // also when the text did not change.
  virtual void WriteBoxText(Box box, const Text& text) = 0;

  // FileListBox: never sorted; an appended item is always the last one.
  virtual void ClearFileList() = 0;
  // Adds the item, or nothing when the list refuses it; nobody is told.
  virtual void AppendFileListItem(const Text& item) = 0;
  virtual std::int32_t FileListCount() = 0;
  // Item at `index` counted from 0; "" when out of range.
  virtual Text FileListItem(std::int32_t index) = 0;

  // Blocks until the user closes the box: 0 for OK, 1 for Cancel, Esc or the close box.
  virtual std::int32_t ShowMessage(const Text& message, std::int32_t buttons) = 0;
  // The chosen folder's path as the system gives it (a drive root keeps its backslash), or "".
  virtual Text BrowseForFolder(const Text& title) = 0;
  // Lets every event already waiting run to its end; a request to quit is left waiting.
  virtual void PumpPendingEvents() = 0;
  [[noreturn]] virtual void FatalStop(const Text& message, std::int32_t code) = 0;

  virtual NamesFileDialog& FileDialog() = 0;
  virtual NamesDropTarget& DropTarget() = 0;
  virtual NativeWindow WindowHandle() = 0;
};

}  // namespace zq
