// The file-system port on Windows: the ANSI calls of kernel32.
#pragma once

#include "core/file_system.h"

namespace zq {

class Win32FileSystem : public FileSystem {
 public:
  std::unique_ptr<DirectorySearch> StartSearch(const Text& pattern) override;
  bool RenameFile(const Text& old_path, const Text& new_path) override;
  bool ReadWholeFile(const Text& path, ByteBuffer& bytes) override;
};

}  // namespace zq
