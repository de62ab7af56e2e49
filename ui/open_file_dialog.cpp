#include "ui/open_file_dialog.h"

#include <cstring>

namespace zq {
namespace {

DWORD FlagsOf(const OpenFileDialog::Settings& settings) {
  DWORD flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING;
  if (settings.create_prompt) flags |= OFN_CREATEPROMPT;
  if (settings.file_must_exist) flags |= OFN_FILEMUSTEXIST;
  if (settings.overwrite_prompt) flags |= OFN_OVERWRITEPROMPT;
  if (settings.path_must_exist) flags |= OFN_PATHMUSTEXIST;
  if (settings.keep_current_directory) flags |= OFN_NOCHANGEDIR;
  return flags;
}

std::string DialogFilter(const Text& filter) {
  std::string pairs = filter.ToStdString();
  if (pairs.empty()) return pairs;
  if (pairs.size() < 2 || pairs.compare(pairs.size() - 2, 2, "||") != 0) pairs += "||";
  for (char& c : pairs) {
    if (c == '|') c = '\0';
  }
  return pairs;
}

const char* NullWhenEmpty(const Text& text) { return text.IsEmpty() ? nullptr : text.CStr(); }

}  // namespace

OpenFileDialog::Request::Request(const Settings& settings, HWND owner)
    : filter_(DialogFilter(settings.filter)) {
  std::memset(file_, 0, sizeof file_);
  std::memset(file_title_, 0, sizeof file_title_);
  // The last byte stays NUL: a longer name is cut.
  const std::size_t kept = static_cast<std::size_t>(settings.file_name.Length());
  std::memcpy(file_, settings.file_name.CStr(), kept < sizeof file_ - 1 ? kept : sizeof file_ - 1);

  std::memset(&ofn_, 0, sizeof ofn_);
  ofn_.lStructSize = kStructSize;
  ofn_.hwndOwner = owner;
  ofn_.hInstance = GetModuleHandleA(nullptr);
  if (!filter_.empty()) {
    ofn_.lpstrFilter = filter_.c_str();
    const std::int32_t initial = settings.initial_filter < 0 ? 0 : settings.initial_filter;
    ofn_.nFilterIndex = static_cast<DWORD>(initial) + 1;
  }
  ofn_.lpstrFile = file_;
  ofn_.nMaxFile = kFileBufferSize;
  ofn_.lpstrFileTitle = file_title_;
  ofn_.nMaxFileTitle = kFileTitleBufferSize;
  ofn_.lpstrInitialDir = NullWhenEmpty(settings.initial_directory);
  ofn_.lpstrTitle = NullWhenEmpty(settings.title);
  ofn_.lpstrDefExt = NullWhenEmpty(settings.default_extension);
  ofn_.Flags = FlagsOf(settings);
}

bool OpenFileDialog::Open() {
  HWND active = GetActiveWindow();
  HWND owner = active == nullptr ? nullptr : GetLastActivePopup(active);
  Request request(settings_, owner);

  HWND focus = GetFocus();
  // The dialog is modal: its owner takes no input until it closes.
  const bool disabled_here = owner != nullptr && IsWindowEnabled(owner);
  if (disabled_here) EnableWindow(owner, FALSE);
  const BOOL chosen = settings_.kind == Kind::OpenFile ? GetOpenFileNameA(&request.Struct())
                                                       : GetSaveFileNameA(&request.Struct());
  if (disabled_here) EnableWindow(owner, TRUE);
  if (focus != nullptr && IsWindow(focus)) SetFocus(focus);

  if (!chosen) return false;
  const OPENFILENAMEA& result = request.Struct();
  const std::size_t length = strnlen(result.lpstrFile, result.nMaxFile);
  settings_.file_name = Text(result.lpstrFile, static_cast<std::int32_t>(length));
  return true;
}

}  // namespace zq
