#include "ui/win32_form.h"

#include <vector>

#include "core/fatal_stop.h"
#include "core/memory.h"
#include "ui/event_hold.h"
#include "ui/folder_picker.h"
#include "ui/message_box.h"
#include "ui/message_loop.h"

namespace zq {
namespace {

using CharBuffer = std::vector<char, StopOnFailAllocator<char>>;

Control ControlOf(Box box) {
  switch (box) {
    case Box::FolderPathBox: return Control::FolderPathBox;
    case Box::FolderNameBox: return Control::FolderNameBox;
    case Box::NamesBox: return Control::NamesBox;
    case Box::NameCountBox: return Control::NameCountBox;
    case Box::FileCountBox: return Control::FileCountBox;
  }
  return Control::FolderPathBox;
}

bool BoxOf(Control control, Box& box) {
  for (Box candidate : {Box::FolderPathBox, Box::FolderNameBox, Box::NamesBox,
                        Box::NameCountBox, Box::FileCountBox}) {
    if (ControlOf(candidate) == control) {
      box = candidate;
      return true;
    }
  }
  return false;
}

void Raise(const std::function<void()>& handler) {
  if (!EventsHeld() && handler) handler();
}

}  // namespace

void Win32Form::RaiseCreated() { Raise(bindings_.main_window_created); }

Text Win32Form::ReadBoxText(Box box) {
  const HWND control = window_.ControlHandle(ControlOf(box));
  if (control == nullptr) return Text();
  const int length = GetWindowTextLengthA(control);
  if (length <= 0) return Text();
  CharBuffer buffer(static_cast<std::size_t>(length) + 1);
  const int got = GetWindowTextA(control, buffer.data(), length + 1);
  return Text(buffer.data(), got);
}

void Win32Form::WriteBoxText(Box box, const Text& text) {
  const HWND control = window_.ControlHandle(ControlOf(box));
  if (control == nullptr) return;
  bool& mark = being_written_[static_cast<int>(box)];
  mark = true;
  SetWindowTextA(control, text.CStr());
  mark = false;
  RaiseTextChanged(box);
}

void Win32Form::ClearFileList() {
  SendMessageA(window_.ControlHandle(Control::FileListBox), LB_RESETCONTENT, 0, 0);
}

void Win32Form::AppendFileListItem(const Text& item) {
  const HWND list = window_.ControlHandle(Control::FileListBox);
  if (list == nullptr) return;
  const LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.CStr()));
  if (index >= 0) SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), 0);
}

std::int32_t Win32Form::FileListCount() {
  const HWND list = window_.ControlHandle(Control::FileListBox);
  if (list == nullptr) return 0;
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  return count > 0 ? static_cast<std::int32_t>(count) : 0;
}

Text Win32Form::FileListItem(std::int32_t index) {
  const HWND list = window_.ControlHandle(Control::FileListBox);
  if (list == nullptr || index < 0 || index >= FileListCount()) return Text();
  const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length <= 0) return Text();
  CharBuffer buffer(static_cast<std::size_t>(length) + 1);
  const LRESULT got =
      SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
  if (got <= 0) return Text();
  return Text(buffer.data(), static_cast<std::int32_t>(got));
}

std::int32_t Win32Form::ShowMessage(const Text& message, std::int32_t buttons) {
  return zq::ShowMessage(message, buttons);
}

Text Win32Form::BrowseForFolder(const Text& title) { return zq::BrowseForFolder(title); }

void Win32Form::PumpPendingEvents() { PumpPendingMessages(window_); }

void Win32Form::FatalStop(const Text& message, std::int32_t code) { zq::FatalStop(message, code); }

NamesFileDialog& Win32Form::FileDialog() { return window_.FileDialogComponent(); }

NamesDropTarget& Win32Form::DropTarget() { return window_.DropTargetComponent(); }

void Win32Form::ButtonClicked(Control button) {
  switch (button) {
    case Control::OpenFolderButton: Raise(bindings_.open_folder_clicked); break;
    case Control::StartRenameButton: Raise(bindings_.start_rename_clicked); break;
    case Control::OpenNamesFileButton: Raise(bindings_.open_names_file_clicked); break;
    default: break;
  }
}

void Win32Form::TextChanged(Control control) {
  Box box;
  if (!BoxOf(control, box) || being_written_[static_cast<int>(box)]) return;
  RaiseTextChanged(box);
}

void Win32Form::FilesDropped(const Text& paths) {
  if (!EventsHeld() && bindings_.file_dropped) bindings_.file_dropped(paths);
}

void Win32Form::RaiseTextChanged(Box box) {
  // The other four boxes raise their event too; nothing is bound to it.
  if (box == Box::NamesBox) Raise(bindings_.names_changed);
}

}  // namespace zq
