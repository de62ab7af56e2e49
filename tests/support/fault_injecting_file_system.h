// A file-system port for tests that wraps the real one and makes things go wrong on cue:
// renames the system refuses, a limit on path length, and other programs changing the folder
// in the middle of a run (a file or the whole folder moved away, a file appearing under the
// target name of a rename). Every rename asked for is recorded with its outcome.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/file_system.h"

namespace zq {

class FaultInjectingFileSystem : public FileSystem {
 public:
  explicit FaultInjectingFileSystem(FileSystem& real) : real_(real) {}

  // The rename of `old_path` fails as for a file another program holds open (access
  // denied); the file is not touched.
  void RefuseRenameOf(const Text& old_path);
  // Every rename whose old or new path is longer than `bytes` fails, as on Windows without
  // long-path support (MAX_PATH is 260 with the NUL).
  void LimitPathLength(std::int32_t bytes) { max_path_bytes_ = bytes; }
  // Just before the rename of `old_path`, `moved_path` (a file or a whole folder) is moved to
  // `hiding_path` by "another program".
  void MoveAwayBeforeRenameOf(const Text& old_path, const Text& moved_path, const Text& hiding_path);
  // Just before the rename of `old_path`, a file holding `content` appears under the target
  // path of that very rename.
  void CreateTargetBeforeRenameOf(const Text& old_path, const std::string& content);

  std::unique_ptr<DirectorySearch> StartSearch(const Text& pattern) override;
  bool RenameFile(const Text& old_path, const Text& new_path) override;
  bool ReadWholeFile(const Text& path, ByteBuffer& bytes) override;

  struct RenameCall {
    std::string old_path;
    std::string new_path;
    bool done;
  };
  // Every rename the code under test asked for, in order.
  std::vector<RenameCall> renames;

 private:
  struct BeforeRename {
    Text old_path;
    std::function<void(const Text& new_path)> action;
  };

  FileSystem& real_;
  std::vector<Text> refused_;
  std::int32_t max_path_bytes_ = 0;
  std::vector<BeforeRename> before_rename_;
};

}  // namespace zq
