// The names file the loading benches read: a million lines of 50 bytes, 50 MB in all.
#pragma once

#include <cstdio>
#include <string>

namespace zq {

constexpr int kLargeNamesFileLines = 1000000;
constexpr int kLargeNamesFileLineBytes = 50;  // CR LF included

// Written line by line, so the file's bytes are never in memory before a bench reads them.
inline bool WriteLargeNamesFile(const std::string& native_path) {
  std::FILE* file = std::fopen(native_path.c_str(), "wb");
  if (file == nullptr) return false;
  char line[kLargeNamesFileLineBytes + 1];
  for (int i = 0; i < kLargeNamesFileLines; ++i) {
    std::snprintf(line, sizeof line, "name-%-43d\r\n", i);
    std::fwrite(line, 1, kLargeNamesFileLineBytes, file);
  }
  return std::fclose(file) == 0;
}

}  // namespace zq
