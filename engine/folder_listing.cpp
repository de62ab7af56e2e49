#include "engine/folder_listing.h"

#include <utility>

namespace zq {

void OnOpenFolderClicked(Form& form, FileSystem& file_system) {
  form.WriteBoxText(Box::FolderPathBox, form.BrowseForFolder("请选择文件夹"));
  Text folder_path = form.ReadBoxText(Box::FolderPathBox);
  if (TextCompare(folder_path, Text()) != 0) {
    form.ClearFileList();
    ListFolderFiles(form, file_system, folder_path);
  }
  // Read again: events let through during the listing may have changed the box.
  form.WriteBoxText(Box::FolderNameBox, FolderNameOf(form.ReadBoxText(Box::FolderPathBox)));
}

Text FolderNameOf(const Text& folder_path) {
  const std::int32_t length = TextLength(folder_path);
  const std::int32_t last_backslash = TextFindLast(folder_path, "\\");
  return TextTail(folder_path, length - last_backslash);
}

void ListFolderFiles(Form& form, FileSystem& file_system, Text path) {
  // Only the last byte counts: a path ending in a two-byte character whose second byte is a
  // backslash gets no separator either.
  if (TextCompare(TextTail(path, 1), "\\") != 0) path = TextJoin(path, "\\");
  form.PumpPendingEvents();
  SearchHandle handle;
  for (Text name = FindFiles(file_system, TextJoin(path, "*.*"), handle); !name.IsEmpty();
       name = FindFiles(file_system, Text(), handle)) {
    form.AppendFileListItem(TextJoin(path, name));
  }
  CloseSearch(handle);
  form.WriteBoxText(Box::FileCountBox, TextFromNumber(form.FileListCount()));
}

Text FindFiles(FileSystem& file_system, const Text& pattern, SearchHandle& handle) {
  if (!pattern.IsEmpty()) {
    CloseSearch(handle);
    handle = file_system.StartSearch(pattern);
  }
  if (handle == nullptr) return Text();
  DirectoryEntry entry;
  while (handle->Next(entry)) {
    if (!entry.is_directory && !entry.name.IsEmpty()) return std::move(entry.name);
  }
  CloseSearch(handle);
  return Text();
}

void CloseSearch(SearchHandle& handle) { handle.reset(); }

}  // namespace zq
