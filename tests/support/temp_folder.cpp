#include "tests/support/temp_folder.h"

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "core/text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#endif

namespace zq {
namespace {

// Names of the entries of a folder, without "." and "..": (name, is_folder).
std::vector<std::pair<std::string, bool>> Entries(const std::string& native_folder) {
  std::vector<std::pair<std::string, bool>> entries;
#ifdef _WIN32
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((native_folder + "\\*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    std::string name = data.cFileName;
    if (name != "." && name != "..")
      entries.emplace_back(name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
  } while (FindNextFileA(search, &data));
  FindClose(search);
#else
  DIR* dir = opendir(native_folder.c_str());
  if (dir == nullptr) return entries;
  while (const dirent* found = readdir(dir)) {
    std::string name = found->d_name;
    if (name == "." || name == "..") continue;
    struct stat status;
    const bool is_folder =
        lstat((native_folder + "/" + name).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
    entries.emplace_back(name, is_folder);
  }
  closedir(dir);
#endif
  return entries;
}

std::string NativeJoin(const std::string& folder, const std::string& name) {
#ifdef _WIN32
  return folder + "\\" + name;
#else
  return folder + "/" + name;
#endif
}

void RemoveTree(const std::string& native_folder) {
  for (const auto& [name, is_folder] : Entries(native_folder)) {
    const std::string path = NativeJoin(native_folder, name);
#ifdef _WIN32
    if (is_folder) {
      RemoveTree(path);
    } else {
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
    }
#else
    if (is_folder) {
      RemoveTree(path);
    } else {
      unlink(path.c_str());
    }
#endif
  }
#ifdef _WIN32
  RemoveDirectoryA(native_folder.c_str());
#else
  rmdir(native_folder.c_str());
#endif
}

void Collect(const std::string& native_folder, const std::string& relative,
             std::map<std::string, std::string>& out) {
  for (const auto& [name, is_folder] : Entries(native_folder)) {
    const std::string child_relative = relative.empty() ? name : relative + "\\" + name;
    const std::string path = NativeJoin(native_folder, name);
    if (is_folder) {
      Collect(path, child_relative, out);
      continue;
    }
    std::string content;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
      char chunk[4096];
      std::size_t got;
      while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) content.append(chunk, got);
      std::fclose(file);
    }
    out[child_relative] = content;
  }
}

}  // namespace

std::string NativePath(const std::string& program_path) {
#ifdef _WIN32
  return program_path;
#else
  return TextReplace(Text(program_path.c_str()), "\\", "/").ToStdString();
#endif
}

TempFolder::TempFolder() {
#ifdef _WIN32
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  static unsigned counter = 0;
  for (;;) {
    char name[MAX_PATH + 64];
    std::snprintf(name, sizeof name, "%szq%lu_%u", base, GetCurrentProcessId(), counter++);
    if (CreateDirectoryA(name, nullptr)) {
      path_ = name;
      break;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("no temp folder");
  }
#else
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/zqXXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temp folder");
  path_ = pattern;
#endif
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::string TempFolder::PathOf(const std::string& relative) const { return path_ + "\\" + relative; }

void TempFolder::WriteFile(const std::string& relative, const std::string& content) const {
  FILE* file = std::fopen(NativePath(PathOf(relative)).c_str(), "wb");
  if (file == nullptr) throw std::runtime_error("cannot create " + relative);
  std::fwrite(content.data(), 1, content.size(), file);
  std::fclose(file);
}

void TempFolder::MakeFolder(const std::string& relative) const {
  const std::string path = NativePath(PathOf(relative));
#ifdef _WIN32
  CreateDirectoryA(path.c_str(), nullptr);
#else
  mkdir(path.c_str(), 0755);
#endif
}

bool TempFolder::Exists(const std::string& relative) const {
  const std::string path = NativePath(PathOf(relative));
#ifdef _WIN32
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
#else
  struct stat status;
  return lstat(path.c_str(), &status) == 0;
#endif
}

std::map<std::string, std::string> TempFolder::Contents() const {
  std::map<std::string, std::string> out;
  Collect(path_, "", out);
  return out;
}

}  // namespace zq
