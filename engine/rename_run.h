// The rename run: file k of the list gets name k of NameList; only the file's own name
// changes, its folder and what follows the first dot of its name stay.
#pragma once

#include "core/file_system.h"
#include "core/form.h"
#include "core/text.h"

namespace zq {

// The old name of the file being renamed: its file name up to the first dot. Kept after the
// run.
extern Text MatchedName;

// Click on the start button.
void OnStartRenameClicked(Form& form, FileSystem& file_system);

// The part of `text` between the first occurrence of `start_marker` and the first occurrence
// of `end_marker` after it; "" when either is missing. "#引号" in a marker stands for a double
// quote.
Text TextBetween(const Text& text, Text start_marker, Text end_marker);

// Renames one file, never replacing another. A path that does not change is done at once,
// without asking the system.
bool RenameFile(FileSystem& file_system, const Text& old_path, const Text& new_path);

}  // namespace zq
