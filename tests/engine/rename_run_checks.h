// What the fault tests and the property test of the rename run share: one whole run through
// the real handlers (list the folder, write the names, confirm, run), the failure message
// read back into paths, and the target path a file ought to get.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/file_system.h"
#include "tests/support/test_form.h"

namespace zq {

struct RunOutcome {
  std::vector<std::string> listed;      // the file list, in its order
  std::vector<ShownMessage> messages;   // every box shown, in order
};

// Lists `folder`, writes `names_text` into the names box, lets `before_click` do what the user
// may do next (type over the file count), answers the confirmation with OK and runs. The
// form's handlers are bound as in the program.
RunOutcome RunRename(TestForm& form, FileSystem& file_system, const std::string& folder,
                     const std::string& names_text,
                     const std::function<void(TestForm&)>& before_click = nullptr);

// The failure message of the run read back; `shown` is false when there was none.
struct FailureReport {
  bool shown = false;
  int count = -1;                  // N of the heading
  std::vector<std::string> paths;  // the old paths listed, in order
  bool more = false;               // ended in "……"
};
FailureReport ReadFailureReport(const std::vector<ShownMessage>& messages);

// The folder part of `old_path` (up to its last backslash character), then `name`, then the
// file name from its first dot on.
std::string ExpectedNewPath(const std::string& old_path, const std::string& name);

// Offset of the last backslash character of `path` (a trail byte 0x5C is none), or npos.
std::size_t LastBackslash(const std::string& path);

// `path` relative to `folder` (which it must lie in), or "" when it lies elsewhere.
std::string RelativeTo(const std::string& folder, const std::string& path);

}  // namespace zq
