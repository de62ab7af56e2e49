// The file-system port: the few calls the folder listing, the rename run and the names-file
// loading make. Paths are Windows paths in the ANSI code page on every platform; the POSIX
// implementation maps them. One implementation per platform, and test wrappers that inject
// faults.
#pragma once

#include <cstdint>
#include <memory>

#include "core/text.h"

namespace zq {

struct DirectoryEntry {
  Text name;  // the long name, exactly as the enumeration reports it
  bool is_directory = false;
};

// One open directory enumeration. Destroying it ends the search.
class DirectorySearch {
 public:
  virtual ~DirectorySearch() = default;
  // Fills `entry` with the next entry ("." and ".." included where the system reports them),
  // or returns false when there is none.
  virtual bool Next(DirectoryEntry& entry) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Starts enumerating the entries matching `pattern` (a folder path, a backslash, then
  // "*.*"), in the file system's own order. nullptr when the system refuses the search.
  virtual std::unique_ptr<DirectorySearch> StartSearch(const Text& pattern) = 0;

  // Renames or moves one file. Never replaces an existing file: fails instead and leaves the
  // file as it was.
  virtual bool RenameFile(const Text& old_path, const Text& new_path) = 0;

  // Reads a whole existing file of less than 2 GiB, opened so that nobody may write it
  // meanwhile. False, with `bytes` empty, when it cannot be opened or read (missing, a
  // folder, access denied, held open for writing by another program, too large).
  virtual bool ReadWholeFile(const Text& path, ByteBuffer& bytes) = 0;
};

// The port of the platform the program was built for.
FileSystem& SystemFileSystem();

}  // namespace zq
