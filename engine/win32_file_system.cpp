#include "engine/win32_file_system.h"

#include <windows.h>

namespace zq {
namespace {

class Win32DirectorySearch : public DirectorySearch {
 public:
  Win32DirectorySearch(HANDLE handle, const WIN32_FIND_DATAA& first)
      : handle_(handle), data_(first) {}
  ~Win32DirectorySearch() override { FindClose(handle_); }
  Win32DirectorySearch(const Win32DirectorySearch&) = delete;
  Win32DirectorySearch& operator=(const Win32DirectorySearch&) = delete;

  bool Next(DirectoryEntry& entry) override {
    if (!have_data_) {
      if (!FindNextFileA(handle_, &data_)) return false;
    }
    have_data_ = false;
    entry.name = Text(data_.cFileName);
    entry.is_directory = (data_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return true;
  }

 private:
  HANDLE handle_;
  WIN32_FIND_DATAA data_;
  bool have_data_ = true;  // FindFirstFileA already delivered the first entry
};

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

std::unique_ptr<DirectorySearch> Win32FileSystem::StartSearch(const Text& pattern) {
  WIN32_FIND_DATAA first;
  HANDLE handle = FindFirstFileA(pattern.CStr(), &first);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32DirectorySearch>(handle, first);
}

bool Win32FileSystem::RenameFile(const Text& old_path, const Text& new_path) {
  // MoveFileA never replaces an existing file.
  return MoveFileA(old_path.CStr(), new_path.CStr()) != 0;
}

bool Win32FileSystem::ReadWholeFile(const Text& path, ByteBuffer& bytes) {
  bytes.Clear();
  if (path.IsEmpty()) return false;
  FileHandle file(CreateFileA(path.CStr(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart >= (1LL << 31)) return false;
  if (!bytes.TryResize(static_cast<std::size_t>(size.QuadPart))) return false;
  if (size.QuadPart == 0) return true;
  DWORD got = 0;
  if (!ReadFile(file.get(), bytes.Data(), static_cast<DWORD>(size.QuadPart), &got, nullptr)) {
    bytes.Clear();
    return false;
  }
  bytes.Truncate(got);
  return true;
}

FileSystem& SystemFileSystem() {
  static Win32FileSystem file_system;
  return file_system;
}

}  // namespace zq
