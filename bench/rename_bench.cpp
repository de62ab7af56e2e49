// Lists and renames many files through the engine and renames them again through a plain
// loop of the system call, in the same folder and the same process, and prints both times
// and their ratio. The engine's run should cost at most 1.10 times the plain loop.
//
//   rename_bench [files]      (100000 by default)

#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/folder_listing.h"
#include "engine/name_list.h"
#include "engine/rename_run.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_form.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <stdio.h>
#endif

namespace zq {
namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Processor time of the process (user and system) where std::clock measures it (POSIX);
// other developers' load on the machine then weighs less than in the wall-clock time.
double ProcessorMillisecondsSince(std::clock_t start) {
  return 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// The name of the file at list position k in a round: one letter per round, then k.
std::string NameOf(char round, int k) {
  char name[16];
  std::snprintf(name, sizeof name, "%c%07d", round, k);
  return name;
}

bool SystemRename(const std::string& from, const std::string& to) {
#ifdef _WIN32
  return MoveFileA(from.c_str(), to.c_str()) != 0;
#else
  return renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0;
#endif
}

struct Round {
  double listing_ms;
  double engine_ms;
  double plain_ms;
  double engine_cpu_ms;
  double plain_cpu_ms;
};

// Lists the folder, renames its files to round `engine_round` names through the engine,
// then to round `plain_round` names through the plain loop.
Round RunRound(TempFolder& folder, int files, char engine_round, char plain_round) {
  TestForm form;
  InitGlobals();
  form.bindings.names_changed = [&form] { OnNamesChanged(form); };
  form.folder_answers.push_back(folder.Path().c_str());

  Round round;
  Clock::time_point start = Clock::now();
  OnOpenFolderClicked(form, SystemFileSystem());
  round.listing_ms = MillisecondsSince(start);
  if (form.FileListCount() != files) {
    std::fprintf(stderr, "listed %d files, expected %d\n", form.FileListCount(), files);
    std::exit(1);
  }

  std::string names;
  for (int k = 0; k < files; ++k) names += NameOf(engine_round, k) + "\r\n";
  form.WriteBoxText(Box::NamesBox, names.c_str());

  start = Clock::now();
  std::clock_t cpu_start = std::clock();
  OnStartRenameClicked(form, SystemFileSystem());
  round.engine_cpu_ms = ProcessorMillisecondsSince(cpu_start);
  round.engine_ms = MillisecondsSince(start);
  if (form.shown_messages.size() != 1) {
    std::fprintf(stderr, "the engine reported: %s\n", form.shown_messages.back().text.c_str());
    std::exit(1);
  }
  ReleaseGlobals();

  std::vector<std::string> from;
  std::vector<std::string> to;
  for (int k = 0; k < files; ++k) {
    from.push_back(NativePath(folder.PathOf(NameOf(engine_round, k) + ".dat")));
    to.push_back(NativePath(folder.PathOf(NameOf(plain_round, k) + ".dat")));
  }
  start = Clock::now();
  cpu_start = std::clock();
  int failed = 0;
  for (int k = 0; k < files; ++k) failed += SystemRename(from[k], to[k]) ? 0 : 1;
  round.plain_cpu_ms = ProcessorMillisecondsSince(cpu_start);
  round.plain_ms = MillisecondsSince(start);
  if (failed != 0) {
    std::fprintf(stderr, "the plain loop failed %d renames\n", failed);
    std::exit(1);
  }
  return round;
}

int Main(int argc, char** argv) {
  const int files = argc > 1 ? std::atoi(argv[1]) : 100000;
  TempFolder folder;
  Clock::time_point start = Clock::now();
  for (int k = 0; k < files; ++k) folder.WriteFile(NameOf('a', k) + ".dat", "");
  std::printf("%d files created in %.0f ms\n", files, MillisecondsSince(start));

  // Alternating rounds, so neither side always meets the folder in the same state.
  Round total{};
  for (char engine_round = 'b'; engine_round < 'l'; engine_round += 2) {
    const Round round = RunRound(folder, files, engine_round, static_cast<char>(engine_round + 1));
    std::printf("listing %7.1f ms | engine run %8.1f ms (cpu %8.1f) | plain loop %8.1f ms "
                "(cpu %8.1f) | ratio %.3f (cpu %.3f)\n",
                round.listing_ms, round.engine_ms, round.engine_cpu_ms, round.plain_ms,
                round.plain_cpu_ms, round.engine_ms / round.plain_ms,
                round.engine_cpu_ms / round.plain_cpu_ms);
    total.engine_ms += round.engine_ms;
    total.plain_ms += round.plain_ms;
    total.engine_cpu_ms += round.engine_cpu_ms;
    total.plain_cpu_ms += round.plain_cpu_ms;
  }
  std::printf("total: engine run %.1f ms, plain loop %.1f ms, ratio %.3f; processor time ratio "
              "%.3f (target at most 1.10)\n",
              total.engine_ms, total.plain_ms, total.engine_ms / total.plain_ms,
              total.engine_cpu_ms / total.plain_cpu_ms);
  return 0;
}

}  // namespace
}  // namespace zq

int main(int argc, char** argv) { return zq::Main(argc, argv); }
