#include "tests/support/fault_injecting_file_system.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "tests/support/temp_folder.h"

namespace zq {

void FaultInjectingFileSystem::RefuseRenameOf(const Text& old_path) { refused_.push_back(old_path); }

void FaultInjectingFileSystem::MoveAwayBeforeRenameOf(const Text& old_path, const Text& moved_path,
                                                      const Text& hiding_path) {
  before_rename_.push_back({old_path, [this, moved_path, hiding_path](const Text&) {
                              if (!real_.RenameFile(moved_path, hiding_path)) {
                                throw std::runtime_error("cannot move away " + moved_path.ToStdString());
                              }
                            }});
}

void FaultInjectingFileSystem::CreateTargetBeforeRenameOf(const Text& old_path, const std::string& content) {
  before_rename_.push_back({old_path, [content](const Text& new_path) {
                              FILE* file = std::fopen(NativePath(new_path.ToStdString()).c_str(), "wb");
                              if (file == nullptr) {
                                throw std::runtime_error("cannot create " + new_path.ToStdString());
                              }
                              std::fwrite(content.data(), 1, content.size(), file);
                              std::fclose(file);
                            }});
}

std::unique_ptr<DirectorySearch> FaultInjectingFileSystem::StartSearch(const Text& pattern) {
  return real_.StartSearch(pattern);
}

bool FaultInjectingFileSystem::RenameFile(const Text& old_path, const Text& new_path) {
  for (const BeforeRename& before : before_rename_) {
    if (before.old_path == old_path) before.action(new_path);
  }
  bool done = false;
  const bool refused = std::find(refused_.begin(), refused_.end(), old_path) != refused_.end();
  const bool too_long = max_path_bytes_ > 0 && (TextLength(old_path) > max_path_bytes_ ||
                                                TextLength(new_path) > max_path_bytes_);
  if (!refused && !too_long) done = real_.RenameFile(old_path, new_path);
  renames.push_back({old_path.ToStdString(), new_path.ToStdString(), done});
  return done;
}

bool FaultInjectingFileSystem::ReadWholeFile(const Text& path, ByteBuffer& bytes) {
  return real_.ReadWholeFile(path, bytes);
}

}  // namespace zq
