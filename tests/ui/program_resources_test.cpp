// The real program gives back what it takes: after many rounds of the folder picker, the
// open-file dialog, renames and every message box, its kernel handles, windows and GDI/USER
// objects are back where they were after the first round. Wine keeps no GDI/USER counts
// (GetGuiResources gives 0 there), so under Wine the handles and windows are what is held.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>
#include <winternl.h>

#include <atomic>
#include <iostream>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "tests/ui/program_driver.h"

namespace zq {
namespace {

constexpr int kRounds = 8;
constexpr ULONG kSystemExtendedHandleInformation = 64;

struct HandleEntry {
  PVOID object;
  ULONG_PTR process_id;
  ULONG_PTR handle;
  ULONG granted_access;
  USHORT creator_back_trace_index;
  USHORT object_type_index;
  ULONG attributes;
  ULONG reserved;
};

struct HandleTable {
  ULONG_PTR count;
  ULONG_PTR reserved;
  HandleEntry entries[1];
};

using QuerySystemInformation = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);

// The process's kernel handles as the system's handle table lists them: Wine answers
// GetProcessHandleCount with 0.
int KernelHandles(DWORD process_id) {
  const auto query = reinterpret_cast<QuerySystemInformation>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (query == nullptr) return -1;
  std::vector<char> table(1 << 20);
  for (;;) {
    ULONG needed = 0;
    const NTSTATUS status = query(kSystemExtendedHandleInformation, table.data(), static_cast<ULONG>(table.size()), &needed);
    if (status == 0) break;
    if (table.size() >= (64u << 20)) return -1;
    table.resize(table.size() * 2);
  }
  const auto* handles = reinterpret_cast<const HandleTable*>(table.data());
  int count = 0;
  for (ULONG_PTR i = 0; i < handles->count; ++i) {
    if (handles->entries[i].process_id == process_id) ++count;
  }
  return count;
}

BOOL CALLBACK CountWindow(HWND, LPARAM count_address) {
  ++*reinterpret_cast<int*>(count_address);
  return TRUE;
}

BOOL CALLBACK CountWindowAndDescendants(HWND window, LPARAM count_address) {
  CountWindow(window, count_address);
  EnumChildWindows(window, &CountWindow, count_address);
  return TRUE;
}

// The windows of the thread: top-level ones and every window below them.
int Windows(DWORD thread_id) {
  int count = 0;
  EnumThreadWindows(thread_id, &CountWindowAndDescendants, reinterpret_cast<LPARAM>(&count));
  return count;
}

BOOL CALLBACK TakeVisibleDialog(HWND window, LPARAM found_address) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found_address) = window;
  return FALSE;
}

// Kernel handles that one use of the system's open-file dialog keeps for good in the calling
// process: Wine's keeps a registry key each time, Windows' none. Measured on one thread of
// this test with the program's flags, so the program is held to what the dialog itself keeps.
int OpenFileDialogHandlesPerUse(const std::string& path) {
  constexpr int kUses = 4;
  std::atomic<DWORD> dialog_thread_id{0};
  int after_first = 0;
  int after_last = 0;
  std::thread dialog_thread([&] {
    dialog_thread_id = GetCurrentThreadId();
    for (int use = 0; use <= kUses; ++use) {
      char file[MAX_PATH] = {};
      OPENFILENAMEA request = {};
      request.lStructSize = sizeof request;
      request.lpstrFile = file;
      request.nMaxFile = MAX_PATH;
      request.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST |
                      OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
      GetOpenFileNameA(&request);
      // The first use loads what stays anyway.
      (use == 0 ? after_first : after_last) = KernelHandles(GetCurrentProcessId());
    }
  });
  for (int use = 0; use <= kUses; ++use) {
    HWND dialog = nullptr;
    WaitUntil([&] {
      EnumThreadWindows(dialog_thread_id, &TakeVisibleDialog, reinterpret_cast<LPARAM>(&dialog));
      return dialog != nullptr;
    });
    SetDlgItemTextA(dialog, cmb13, path.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(dialog); });
  }
  dialog_thread.join();
  return (after_last - after_first + kUses - 1) / kUses;
}

struct Usage {
  int kernel_handles;
  int windows;
  DWORD gdi_objects;   // 0 where the system keeps no count (Wine)
  DWORD user_objects;  // likewise
};

std::ostream& operator<<(std::ostream& out, const Usage& usage) {
  return out << usage.kernel_handles << " handles, " << usage.windows << " windows, " << usage.gdi_objects
             << " GDI objects, " << usage.user_objects << " USER objects";
}

Usage UsageOf(const RunningProgram& program) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(program.Window(), &process_id);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, process_id);
  Usage usage{KernelHandles(process_id), Windows(program.ThreadId()), GetGuiResources(process, GR_GDIOBJECTS),
              GetGuiResources(process, GR_USEROBJECTS)};
  CloseHandle(process);
  return usage;
}

std::string UniqueName(const char* what) { return "zq" + std::to_string(GetCurrentProcessId()) + what; }

void ListFolder(const RunningProgram& program, const DesktopFolder& folder) {
  // The count of the round before would read as done before this listing has run.
  SetWindowTextA(program.FileCountBox(), "");
  program.Click(program.Button("打开文件夹"));
  const HWND picker = program.WaitForFolderPicker();
  ASSERT_NE(picker, nullptr);
  program.ChooseInFolderPicker(picker, folder.Name());
  RunningProgram::Answer(picker, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return WindowText(program.FileCountBox()) == "3"; }));
  program.Sync();
}

void LoadNamesFile(const RunningProgram& program, const std::string& path) {
  program.Click(program.Button("打开名字文件"));
  const HWND dialog = program.WaitForDialog("打开");
  ASSERT_NE(dialog, nullptr);
  SetDlgItemTextA(dialog, cmb13, path.c_str());
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return program.FindDialog("打开") == nullptr; }));
  program.Sync();
}

// Clicks the start button and answers every box that comes up, in order, with `answers`;
// gives the texts of the boxes.
std::vector<std::string> StartRename(const RunningProgram& program, const std::vector<int>& answers) {
  std::vector<std::string> texts;
  program.Click(program.Button("开始改名"));
  for (int answer : answers) {
    const HWND box = program.WaitForDialog("信息：");
    if (box == nullptr) break;
    texts.push_back(RunningProgram::MessageText(box));
    RunningProgram::Answer(box, answer);
    WaitUntil([&] { return !IsWindow(box); });
  }
  program.Sync();
  return texts;
}

// One round: list the folder, load a names file, rename with OK, then the failure box, the
// count warning and a cancelled confirmation.
void Round(const RunningProgram& program, const DesktopFolder& folder, const std::string& names_file) {
  ListFolder(program, folder);
  LoadNamesFile(program, names_file);
  EXPECT_EQ(WindowText(program.NameCountBox()), "3");
  EXPECT_EQ(StartRename(program, {IDOK}), std::vector<std::string>{"确定？？"});
  // The list still shows the old paths, which are gone now: every rename fails.
  const std::vector<std::string> failed = StartRename(program, {IDOK, IDOK});
  ASSERT_EQ(failed.size(), 2u);
  EXPECT_EQ(failed[1].rfind("有 3 个文件未能改名：", 0), 0u) << failed[1];
  program.PasteNames("x");
  EXPECT_EQ(StartRename(program, {IDOK}), std::vector<std::string>{"文件数和命名名称数量不等！！"});
  program.PasteNames("x\r\ny\r\nz");
  EXPECT_EQ(StartRename(program, {IDCANCEL}), std::vector<std::string>{"确定？？"});
}

TEST(ProgramResources, RoundsOfDialogsAndRenamesGiveEverythingBack) {
  DesktopFolder folder(UniqueName("res"));
  for (const char* file : {"p1.txt", "p2.txt", "p3.txt"}) folder.WriteFile(file, file);
  DesktopFolder names(UniqueName("resnames"));
  names.WriteFile("q.txt", "q1\r\nq2\r\nq3");
  names.WriteFile("p.txt", "p1\r\np2\r\np3");
  const int dialog_keeps = OpenFileDialogHandlesPerUse(names.Path() + "\\q.txt");
  RunningProgram program;

  // The first round loads what stays for good: the dialogs' DLLs, shell caches, fonts.
  Round(program, folder, names.Path() + "\\q.txt");
  const Usage start = UsageOf(program);
  for (int round = 1; round <= kRounds && !::testing::Test::HasFailure(); ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    Round(program, folder, names.Path() + (round % 2 == 0 ? "\\q.txt" : "\\p.txt"));
  }
  const Usage end = UsageOf(program);

  std::cout << "after the first round: " << start << "; after " << kRounds << " more: " << end
            << "; the open-file dialog keeps " << dialog_keeps << " per use\n";
  EXPECT_GT(start.kernel_handles, 0) << "no handle count";
  EXPECT_LE(end.kernel_handles, start.kernel_handles + kRounds * dialog_keeps) << start << " -> " << end;
  EXPECT_EQ(end.windows, start.windows) << start << " -> " << end;
  EXPECT_LE(end.gdi_objects, start.gdi_objects) << start << " -> " << end;
  EXPECT_LE(end.user_objects, start.user_objects) << start << " -> " << end;
  EXPECT_EQ(folder.FileNames(), (std::vector<std::string>{"q1.txt", "q2.txt", "q3.txt"}));

  program.PressKey(VK_ESCAPE);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace zq
