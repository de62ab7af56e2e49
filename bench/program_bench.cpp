// Times the real program under Wine, driven from outside like a person would use it, against
// plain loops of the same system calls in this process:
//   start-up: from starting the process to its window on screen (median of several starts);
//   listing:  from OK in the folder picker to the file count shown, against a bare
//             FindFirstFileA/FindNextFileA loop over the same folder;
//   renaming: from OK in the confirmation box to the end of the run, against a loop of
//             MoveFileA that renames the same files back, in the same folder.
// Usage: program_bench [files] [repetitions]
#include <windows.h>
#include <dlgs.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/ui/program_driver.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::string Numbered(const char* pattern, int i) {
  char name[64];
  std::snprintf(name, sizeof name, pattern, i);
  return name;
}

long BareListing(const std::string& folder) {
  long files = 0;
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) ++files;
  } while (FindNextFileA(search, &data));
  FindClose(search);
  return files;
}

// The baseline of the renaming: gives every file of the folder its original name again, in a
// plain loop of MoveFileA over the same folder and as many files. Gives its time.
double RestoreNames(const zq::DesktopFolder& folder) {
  std::vector<std::string> from, to;
  int i = 0;
  for (const std::string& name : folder.FileNames()) {
    from.push_back(folder.Path() + "\\" + name);
    to.push_back(folder.Path() + "\\" + Numbered("IMG_%05d.jpg", i++));
  }
  const Clock::time_point start = Clock::now();
  for (std::size_t k = 0; k < from.size(); ++k) MoveFileA(from[k].c_str(), to[k].c_str());
  return MillisecondsSince(start);
}

bool Fail(const char* what) {
  std::fprintf(stderr, "program_bench: %s\n", what);
  return false;
}

// Lists the folder in the program; the time from OK in the picker to the count shown.
bool TimeListing(zq::RunningProgram& program, const zq::DesktopFolder& folder, int files,
                 double& ms) {
  program.Click(program.Button("打开文件夹"));
  const HWND picker = program.WaitForFolderPicker();
  if (picker == nullptr) return Fail("no folder picker");
  program.ChooseInFolderPicker(picker, folder.Name());
  const std::string count = std::to_string(files);
  const HWND count_box = program.FileCountBox();
  // The box is editable: emptied here, it shows the count again only when this listing ends.
  zq::Send(count_box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  const Clock::time_point start = Clock::now();
  zq::RunningProgram::Answer(picker, IDOK);
  // Each read waits until the program's thread takes messages again.
  while (zq::WindowText(count_box) != count) {
    if (MillisecondsSince(start) > 120000) return Fail("the listing did not end");
  }
  ms = MillisecondsSince(start);
  return true;
}

bool LoadNamesFile(zq::RunningProgram& program, const std::string& path, int files) {
  program.Click(program.Button("打开名字文件"));
  HWND dialog = nullptr;
  zq::WaitUntil([&] {
    dialog = program.FindDialog("打开");
    return dialog != nullptr;
  });
  if (dialog == nullptr) return Fail("no open-file dialog");
  zq::Send(GetDlgItem(dialog, cmb13), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  const std::string count = std::to_string(files);
  if (!zq::WaitUntil([&] { return zq::WindowText(program.NameCountBox()) == count; })) {
    return Fail("the names file was not loaded");
  }
  return true;
}

// Starts the run and confirms it; the time from OK in the confirmation to the end of the run.
bool TimeRenaming(zq::RunningProgram& program, double& ms) {
  program.Click(program.Button("开始改名"));
  const HWND box = program.WaitForDialog("信息：");
  if (box == nullptr) return Fail("no confirmation box");
  const Clock::time_point start = Clock::now();
  zq::RunningProgram::Answer(box, IDOK);
  while (IsWindow(box)) {
  }
  // Answered once the run has ended and the thread takes messages again.
  SendMessageA(program.Window(), WM_NULL, 0, 0);
  ms = MillisecondsSince(start);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int files = argc > 1 ? std::atoi(argv[1]) : 5000;
  const int repetitions = argc > 2 ? std::atoi(argv[2]) : 3;
  if (files < 1 || repetitions < 1) {
    std::fprintf(stderr, "usage: program_bench [files] [repetitions]\n");
    return 2;
  }

  std::vector<double> startup_ms;
  for (int round = -1; round < repetitions; ++round) {
    const Clock::time_point start = Clock::now();
    zq::RunningProgram program;
    const double ms = MillisecondsSince(start);
    if (round >= 0) startup_ms.push_back(ms);
    PostMessageA(program.Window(), WM_CLOSE, 0, 0);
    program.WaitForExit();
  }
  std::printf("start-up to a shown window: %.0f ms (median of %d)\n", Median(startup_ms),
              repetitions);

  const std::string tag = std::to_string(GetCurrentProcessId());
  zq::DesktopFolder folder("zqbench" + tag);
  std::string names;
  for (int i = 0; i < files; ++i) {
    folder.WriteFile(Numbered("IMG_%05d.jpg", i), "");
    names += Numbered("n%05d\r\n", i);
  }
  folder.WriteFile("..\\zqnames" + tag + ".txt", names);
  const std::string names_file = folder.Path() + "\\..\\zqnames" + tag + ".txt";

  zq::RunningProgram program;
  std::vector<double> listing_ms, bare_listing_ms, rename_ms, bare_rename_ms;
  bool names_loaded = false;
  for (int round = -1; round < repetitions; ++round) {
    double listing = 0;
    if (!TimeListing(program, folder, files, listing)) return 1;
    Clock::time_point start = Clock::now();
    if (BareListing(folder.Path()) != files) return Fail("bare listing"), 1;
    const double bare_listing = MillisecondsSince(start);

    if (!names_loaded && !LoadNamesFile(program, names_file, files)) return 1;
    names_loaded = true;
    double renaming = 0;
    if (!TimeRenaming(program, renaming)) return 1;
    if (folder.FileNames().front() != "n00000.jpg") return Fail("files not renamed"), 1;

    const double bare_renaming = RestoreNames(folder);

    if (round < 0) continue;  // a first round warms the caches of both sides
    listing_ms.push_back(listing);
    bare_listing_ms.push_back(bare_listing);
    rename_ms.push_back(renaming);
    bare_rename_ms.push_back(bare_renaming);
  }
  PostMessageA(program.Window(), WM_CLOSE, 0, 0);
  program.WaitForExit();
  DeleteFileA(names_file.c_str());

  const double listing = Median(listing_ms), bare_listing = Median(bare_listing_ms);
  const double renaming = Median(rename_ms), bare_renaming = Median(bare_rename_ms);
  std::printf("files: %d, repetitions: %d (medians)\n", files, repetitions);
  std::printf("listing in the program:    %8.1f ms\n", listing);
  std::printf("bare FindFirstFileA loop:  %8.1f ms   ratio %.2f (at most 2)\n", bare_listing,
              listing / bare_listing);
  std::printf("renaming in the program:   %8.1f ms\n", renaming);
  std::printf("bare MoveFileA loop:       %8.1f ms   ratio %.2f (at most 1.3)\n", bare_renaming,
              renaming / bare_renaming);
  return 0;
}
