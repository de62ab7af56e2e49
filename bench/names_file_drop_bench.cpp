// The real program under a drop of a names file of 50 MB and one million lines: the time from
// the drop to the name count shown, and the program's peak memory, against a bare read of the
// same file in this process and a drop of a one-line file.
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/large_names_file.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/program_driver.h"
#include "tests/ui/test_data_object.h"

namespace zq {
namespace {


double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

PROCESS_MEMORY_COUNTERS MemoryOf(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters = {};
  GetProcessMemoryInfo(process, &counters, sizeof counters);
  return counters;
}

// Drops `path` on the program and waits for `count` in its name count box.
double DropAndWait(const RunningProgram& program, const std::string& path, const char* count) {
  const auto start = std::chrono::steady_clock::now();
  DropFiles(program.NamesBox(), {path});
  if (!WaitUntil([&] { return WindowText(program.NameCountBox()) == count; }, 600000)) return -1;
  return Seconds(start);
}

int Run() {
  TempFolder folder;
  const std::string path = folder.PathOf("names.txt");
  if (!WriteLargeNamesFile(path)) return 1;
  folder.WriteFile("one.txt", "name");
  const double file_bytes = static_cast<double>(kLargeNamesFileLines) * kLargeNamesFileLineBytes;

  auto start = std::chrono::steady_clock::now();
  {
    std::vector<char> bytes(static_cast<std::size_t>(file_bytes));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
  }
  const double read_seconds = Seconds(start);

  // The thread joins the program's desktop before OLE gives it a window.
  RunningProgram program;
  OleSession ole;
  DWORD process_id = 0;
  GetWindowThreadProcessId(program.Window(), &process_id);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process_id);

  const double small_seconds = DropAndWait(program, folder.PathOf("one.txt"), "1");
  const PROCESS_MEMORY_COUNTERS before = MemoryOf(process);
  const double large_seconds = DropAndWait(program, path, "1000000");
  const PROCESS_MEMORY_COUNTERS after = MemoryOf(process);
  CloseHandle(process);

  const double peak = static_cast<double>(after.PeakWorkingSetSize) -
                      static_cast<double>(before.WorkingSetSize);
  const double held = static_cast<double>(after.WorkingSetSize) -
                      static_cast<double>(before.WorkingSetSize);
  std::printf("names file: %.0f bytes, %d lines\n", file_bytes, kLargeNamesFileLines);
  std::printf("%-44s %8.3f s  x%6.2f\n", "bare read in this process (baseline)", read_seconds,
              1.0);
  std::printf("%-44s %8.3f s  x%6.2f\n", "drop of a one-line file to count shown", small_seconds,
              small_seconds / read_seconds);
  std::printf("%-44s %8.3f s  x%6.2f\n", "drop of the names file to count shown", large_seconds,
              large_seconds / read_seconds);
  std::printf("program's peak working set above its start: %7.1f MB = %4.2f copies of the file\n",
              peak / 1e6, peak / file_bytes);
  std::printf("held after the load:                        %7.1f MB = %4.2f copies of the file\n",
              held / 1e6, held / file_bytes);
  return large_seconds < 0 ? 1 : 0;
}

}  // namespace
}  // namespace zq

int main() { return zq::Run(); }
