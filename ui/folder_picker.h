// The shell's folder picker, modal to the program's windows.
#pragma once

#include "core/text.h"

namespace zq {

// The chosen folder's file-system path exactly as the shell gives it (a drive root keeps its
// backslash), or "" when the user cancels or picks an item without a file-system path.
Text BrowseForFolder(const Text& title);

}  // namespace zq
