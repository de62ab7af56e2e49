// Lists a folder of many empty files with the program's own listing and with a bare
// enumeration loop, in the same run, and prints both medians and their ratio.
// Usage: listing_bench [files] [repetitions]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/folder_listing.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_form.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

// The loop the listing is measured against: every entry of the folder, directories skipped,
// nothing kept.
long BareListing(const std::string& native_folder) {
  long files = 0;
#ifdef _WIN32
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((native_folder + "\\*.*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) ++files;
  } while (FindNextFileA(search, &data));
  FindClose(search);
#else
  DIR* dir = opendir(native_folder.c_str());
  if (dir == nullptr) return 0;
  while (const dirent* found = readdir(dir)) {
    if (found->d_type != DT_DIR) ++files;
  }
  closedir(dir);
#endif
  return files;
}

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int files = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int repetitions = argc > 2 ? std::atoi(argv[2]) : 7;
  if (files < 0 || repetitions < 1) {
    std::fprintf(stderr, "usage: listing_bench [files] [repetitions]\n");
    return 2;
  }

  zq::TempFolder folder;
  for (int i = 0; i < files; ++i) {
    char name[40];
    std::snprintf(name, sizeof name, "IMG_20190612_%06d.jpg", i);
    folder.WriteFile(name, "");
  }
  const zq::Text path(folder.Path().c_str());
  const std::string native_folder = zq::NativePath(folder.Path());
  zq::FileSystem& file_system = zq::SystemFileSystem();

  std::vector<double> listing_ms;
  std::vector<double> bare_ms;
  // One round of each first, untimed, so both start from a warm cache.
  for (int round = -1; round < repetitions; ++round) {
    zq::TestForm form;
    Clock::time_point begin = Clock::now();
    zq::ListFolderFiles(form, file_system, path);
    const double listing = Milliseconds(Clock::now() - begin);

    begin = Clock::now();
    const long bare_files = BareListing(native_folder);
    const double bare = Milliseconds(Clock::now() - begin);

    if (form.FileListCount() != files || bare_files != files) {
      std::fprintf(stderr, "listed %d and %ld files, expected %d\n", form.FileListCount(),
                   bare_files, files);
      return 1;
    }
    if (round < 0) continue;
    listing_ms.push_back(listing);
    bare_ms.push_back(bare);
  }

  const double listing = Median(listing_ms);
  const double bare = Median(bare_ms);
  std::printf("files: %d, repetitions: %d (medians)\n", files, repetitions);
  std::printf("ListFolderFiles into the test form: %.2f ms\n", listing);
  std::printf("bare enumeration loop:              %.2f ms\n", bare);
  std::printf("ratio listing / bare:               %.2f\n", listing / bare);
  return 0;
}
