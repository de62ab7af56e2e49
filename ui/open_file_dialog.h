// The open-file dialog the names file is chosen in: the system's common dialog, modal to the
// window that is active when it opens.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

#include "core/form.h"
#include "core/text.h"

namespace zq {

class OpenFileDialog : public NamesFileDialog {
 public:
  enum class Kind { OpenFile, SaveFile };

  // The main window places the dialog with these defaults and never changes them.
  struct Settings {
    Kind kind = Kind::OpenFile;
    Text title;             // "" shows the system's own title
    Text file_name;         // shown in the file-name field; the chosen path after OK
    Text filter;            // "description|pattern|..."; "" lists every file
    std::int32_t initial_filter = 0;  // counted from 0
    Text initial_directory;
    Text default_extension;
    bool create_prompt = false;
    bool file_must_exist = true;
    bool overwrite_prompt = true;
    bool path_must_exist = true;
    bool keep_current_directory = false;
  };

  // The size of the structure before the fields added in Windows 2000.
  static constexpr DWORD kStructSize = 76;
  static constexpr DWORD kFileBufferSize = 260;
  static constexpr DWORD kFileTitleBufferSize = 64;

  // One call's OPENFILENAMEA with the buffers it points into.
  class Request {
   public:
    Request(const Settings& settings, HWND owner);
    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;

    OPENFILENAMEA& Struct() { return ofn_; }
    // The filter as the dialog gets it: NUL-separated pairs ending in two NULs ("" for none).
    const std::string& Filter() const { return filter_; }

   private:
    std::string filter_;
    char file_[kFileBufferSize];
    char file_title_[kFileTitleBufferSize];
    OPENFILENAMEA ofn_;
  };

  OpenFileDialog() = default;
  explicit OpenFileDialog(Settings settings) : settings_(std::move(settings)) {}

  // Shows the dialog; true when the user chose a file with OK.
  bool Open() override;
  Text FileName() override { return settings_.file_name; }

 private:
  Settings settings_;
};

}  // namespace zq
