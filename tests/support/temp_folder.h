// A fresh folder on the real file system for one test, removed with everything in it at the
// end. Relative paths use the backslash as separator on every platform, like the program's
// own paths.
#pragma once

#include <map>
#include <string>

namespace zq {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path in the program's form, without a trailing separator.
  const std::string& Path() const { return path_; }
  // Path() + backslash + relative.
  std::string PathOf(const std::string& relative) const;

  void WriteFile(const std::string& relative, const std::string& content) const;
  void MakeFolder(const std::string& relative) const;
  bool Exists(const std::string& relative) const;

  // Every file below the folder, subfolders included: relative path -> content.
  std::map<std::string, std::string> Contents() const;

 private:
  std::string path_;
};

// The native form of a program path (backslash characters become '/' on POSIX).
std::string NativePath(const std::string& program_path);

}  // namespace zq
