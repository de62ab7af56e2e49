// Loading a names file of 50 MB and one million lines through OnFileDropped: the time from
// the start of the handler to the name count shown, and the memory the process holds at the
// peak, both against a bare read of the same file in the same run.
#include <chrono>
#include <cstdio>
#include <string>

#include "core/file_system.h"
#include "engine/name_list.h"
#include "bench/large_names_file.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_form.h"
#include "ui/names_file_loading.h"

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <fstream>
#endif

namespace zq {
namespace {


// Peak memory of the process since the last reset. Linux can reset the peak; Windows cannot,
// so the phases run from the least to the most memory, each starting from the same usage.
#ifdef _WIN32
void ResetPeak() {}
double PeakBytes() {
  PROCESS_MEMORY_COUNTERS counters = {};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PeakWorkingSetSize);
}
double CurrentBytes() {
  PROCESS_MEMORY_COUNTERS counters = {};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.WorkingSetSize);
}
#else
double StatusKiB(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) return std::stod(line.substr(std::string(field).size()));
  }
  return 0;
}
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }
double PeakBytes() { return StatusKiB("VmHWM:") * 1024; }
double CurrentBytes() { return StatusKiB("VmRSS:") * 1024; }
#endif

struct Figures {
  double seconds;
  double peak_bytes;  // above what the process held before
};

template <class Run>
Figures Measure(Run run) {
  ResetPeak();
  const double before = CurrentBytes();
  const auto start = std::chrono::steady_clock::now();
  run();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  return {took.count(), PeakBytes() - before};
}

int Run() {
  InitGlobals();
  TempFolder folder;
  const Text path = folder.PathOf("names.txt").c_str();
  if (!WriteLargeNamesFile(NativePath(path.CStr()))) return 1;
  const double file_bytes = static_cast<double>(kLargeNamesFileLines) * kLargeNamesFileLineBytes;
  FileSystem& file_system = SystemFileSystem();

  const Figures read = Measure([&] {
    ByteBuffer bytes;
    file_system.ReadWholeFile(path, bytes);
  });

  const Figures load = Measure([&] {
    TestForm form;
    OnFileDropped(form, file_system, path);
  });

  Text count;
  const Figures counted = Measure([&] {
    TestForm form;
    form.bindings.names_changed = [&form] { OnNamesChanged(form); };
    OnFileDropped(form, file_system, path);
    count = form.ReadBoxText(Box::NameCountBox);
    ReleaseGlobals();
  });

  std::printf("names file: %.0f bytes, %d lines; name count shown: %s\n", file_bytes, kLargeNamesFileLines,
              count.CStr());
  std::printf("%-40s %8.3f s  x%5.2f   peak %7.1f MB = %4.2f copies of the file\n",
              "read alone (baseline)", read.seconds, 1.0, read.peak_bytes / 1e6,
              read.peak_bytes / file_bytes);
  std::printf("%-40s %8.3f s  x%5.2f   peak %7.1f MB = %4.2f copies of the file\n",
              "OnFileDropped, no name list", load.seconds, load.seconds / read.seconds,
              load.peak_bytes / 1e6, load.peak_bytes / file_bytes);
  std::printf("%-40s %8.3f s  x%5.2f   peak %7.1f MB = %4.2f copies of the file\n",
              "OnFileDropped to the name count shown", counted.seconds,
              counted.seconds / read.seconds, counted.peak_bytes / 1e6,
              counted.peak_bytes / file_bytes);
  return 0;
}

}  // namespace
}  // namespace zq

int main() { return zq::Run(); }
