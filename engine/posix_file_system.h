// The file-system port on POSIX systems. Paths come in Windows form: every backslash
// character (found by the character walk, so a trail byte 0x5C stays) is a separator.
#pragma once

#include "core/file_system.h"

namespace zq {

class PosixFileSystem : public FileSystem {
 public:
  std::unique_ptr<DirectorySearch> StartSearch(const Text& pattern) override;
  bool RenameFile(const Text& old_path, const Text& new_path) override;
  bool ReadWholeFile(const Text& path, ByteBuffer& bytes) override;
};

// The POSIX path for a Windows-form path.
Text PosixPath(const Text& windows_path);

}  // namespace zq
