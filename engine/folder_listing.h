// Filling the file list from the folder the user picks.
#pragma once

#include <memory>

#include "core/file_system.h"
#include "core/form.h"
#include "core/text.h"

namespace zq {

// The state of one directory enumeration: none, or an open search.
using SearchHandle = std::unique_ptr<DirectorySearch>;

// Click on the open-folder button.
void OnOpenFolderClicked(Form& form, FileSystem& file_system);

// Appends the full path of every file directly in `path` to the file list, then writes the
// list's count into the file count box.
void ListFolderFiles(Form& form, FileSystem& file_system, Text path);

// With a pattern: starts a new search (closing the one `handle` holds) and yields its first
// file. With an empty pattern: the next file of the open search. Directories are passed
// over; "" when no file is left, and the search is then closed.
Text FindFiles(FileSystem& file_system, const Text& pattern, SearchHandle& handle);

// Ends a search that is still open; does nothing for none.
void CloseSearch(SearchHandle& handle);

// The folder's own name: what follows the last backslash character of the path.
Text FolderNameOf(const Text& folder_path);

}  // namespace zq
