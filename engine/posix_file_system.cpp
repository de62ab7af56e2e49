#include "engine/posix_file_system.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <utility>

namespace zq {
namespace {

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Matches the name part of a search pattern the way the one pattern the listing uses
// ("*.*") matches on Windows: everything. Any other pattern matches the names that begin
// with what stands before its first '*'.
bool NameMatches(const Text& name, const Text& name_pattern) {
  const char* star = std::strchr(name_pattern.CStr(), '*');
  const std::size_t prefix = star == nullptr ? std::strlen(name_pattern.CStr())
                                             : static_cast<std::size_t>(star - name_pattern.CStr());
  if (star == nullptr) return std::strcmp(name.CStr(), name_pattern.CStr()) == 0;
  return std::strncmp(name.CStr(), name_pattern.CStr(), prefix) == 0;
}

class PosixDirectorySearch : public DirectorySearch {
 public:
  PosixDirectorySearch(DIR* dir, Text folder, Text name_pattern)
      : dir_(dir), folder_(std::move(folder)), name_pattern_(std::move(name_pattern)) {}

  bool Next(DirectoryEntry& entry) override {
    while (const dirent* found = readdir(dir_.get())) {
      Text name(found->d_name);
      if (!NameMatches(name, name_pattern_)) continue;
      entry.name = std::move(name);
      entry.is_directory = IsDirectory(*found);
      return true;
    }
    return false;
  }

 private:
  bool IsDirectory(const dirent& found) const {
    if (found.d_type != DT_UNKNOWN) return found.d_type == DT_DIR;
    struct stat status;
    const Text path = TextJoin(folder_, "/", Text(found.d_name));
    return lstat(path.CStr(), &status) == 0 && S_ISDIR(status.st_mode);
  }

  std::unique_ptr<DIR, DirCloser> dir_;
  Text folder_;
  Text name_pattern_;
};

}  // namespace

Text PosixPath(const Text& windows_path) { return TextReplace(windows_path, "\\", "/"); }

std::unique_ptr<DirectorySearch> PosixFileSystem::StartSearch(const Text& pattern) {
  const Text path = PosixPath(pattern);
  const std::int32_t slash = TextFindLast(path, "/");
  Text folder = slash > 1 ? TextSlice(path, 1, slash - 1) : (slash == 1 ? Text("/") : Text("."));
  Text name_pattern = TextTail(path, TextLength(path) - (slash > 0 ? slash : 0));
  DIR* dir = opendir(folder.CStr());
  if (dir == nullptr) return nullptr;
  return std::make_unique<PosixDirectorySearch>(dir, std::move(folder), std::move(name_pattern));
}

bool PosixFileSystem::RenameFile(const Text& old_path, const Text& new_path) {
  const Text from = PosixPath(old_path);
  const Text to = PosixPath(new_path);
  if (renameat2(AT_FDCWD, from.CStr(), AT_FDCWD, to.CStr(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // File systems without RENAME_NOREPLACE: link refuses an existing target just the same.
  if (link(from.CStr(), to.CStr()) != 0) return false;
  if (unlink(from.CStr()) == 0) return true;
  unlink(to.CStr());
  return false;
}

bool PosixFileSystem::ReadWholeFile(const Text& path, ByteBuffer& bytes) {
  bytes.Clear();
  if (path.IsEmpty()) return false;
  FileDescriptor file(open(PosixPath(path).CStr(), O_RDONLY | O_CLOEXEC));
  struct stat status;
  if (file.get() < 0 || fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
  if (status.st_size >= (static_cast<off_t>(1) << 31)) return false;
  const std::size_t size = static_cast<std::size_t>(status.st_size);
  if (!bytes.TryResize(size)) return false;
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = read(file.get(), bytes.Data() + done, size - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      bytes.Clear();
      return false;
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.Truncate(done);
  return true;
}

FileSystem& SystemFileSystem() {
  static PosixFileSystem file_system;
  return file_system;
}

}  // namespace zq
