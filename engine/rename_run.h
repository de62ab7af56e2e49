// The rename run: file k of the list gets name k of NameList; only the file's own name
// changes, its folder and extension stay.
#pragma once

#include "core/file_system.h"
#include "core/form.h"
#include "core/text.h"

namespace zq {

// The old name cut out of the path of the file being renamed; kept after the run.
extern Text MatchedName;

// Click on the start button.
void OnStartRenameClicked(Form& form, FileSystem& file_system);

}  // namespace zq
