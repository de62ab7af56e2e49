// Loading a names file into the real program from outside: through the open-file dialog and
// by dropping a file from another program.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "tests/support/temp_folder.h"
#include "tests/ui/program_driver.h"
#include "tests/ui/test_data_object.h"

#include <dlgs.h>

namespace zq {
namespace {

// The title the system gives an open-file dialog without one of its own.
constexpr char kOpenDialogTitle[] = "打开";

class NamesFileProgramTest : public ::testing::Test {
 protected:
  void TypeNames(const char* names) {
    program.PasteNames(names);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(program.NameCountBox()) == "2"; }));
  }

  TempFolder folder;
  RunningProgram program;
};

TEST_F(NamesFileProgramTest, AFileChosenInTheDialogFillsTheNamesBox) {
  folder.WriteFile("names.txt", "张三\r\n李四\r\n王五\r\n");
  program.Click(program.Button("打开名字文件"));
  const HWND dialog = program.WaitForDialog(kOpenDialogTitle);
  ASSERT_NE(dialog, nullptr);
  SendMessageA(GetDlgItem(dialog, cmb13), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(folder.PathOf("names.txt").c_str()));
  RunningProgram::Answer(dialog, IDOK);

  EXPECT_TRUE(WaitUntil([&] { return WindowText(program.NameCountBox()) == "3"; }));
  EXPECT_EQ(WindowText(program.NamesBox()), "张三\r\n李四\r\n王五\r\n");
}

TEST_F(NamesFileProgramTest, CancelKeepsTheTypedNames) {
  TypeNames("typed\r\nnames");
  program.Click(program.Button("打开名字文件"));
  const HWND dialog = program.WaitForDialog(kOpenDialogTitle);
  ASSERT_NE(dialog, nullptr);
  RunningProgram::Answer(dialog, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));

  EXPECT_EQ(WindowText(program.NamesBox()), "typed\r\nnames");
  EXPECT_EQ(WindowText(program.NameCountBox()), "2");
  EXPECT_FALSE(WaitUntil([&] { return program.FindDialog("信息：") != nullptr; }, 500));
}

TEST_F(NamesFileProgramTest, ADroppedFileFillsTheNamesBox) {
  OleSession ole;
  folder.WriteFile("names.txt", "Anna\r\nBert\r\nCarl\r\nDora");
  DropFiles(program.NamesBox(), {folder.PathOf("names.txt")});

  EXPECT_TRUE(WaitUntil([&] { return WindowText(program.NameCountBox()) == "4"; }));
  EXPECT_EQ(WindowText(program.NamesBox()), "Anna\r\nBert\r\nCarl\r\nDora");
}

TEST_F(NamesFileProgramTest, TwoDroppedFilesKeepTheTypedNamesAndSaySo) {
  OleSession ole;
  TypeNames("typed\r\nnames");
  folder.WriteFile("a.txt", "Anna");
  folder.WriteFile("b.txt", "Bert");
  // The box shows inside the drop, so the drag does not end until it is answered: a second
  // thread on the same desktop answers it.
  std::string message;
  bool ok_alone = false;
  std::thread user([&, desktop = GetThreadDesktop(GetCurrentThreadId())] {
    SetThreadDesktop(desktop);
    const HWND box = program.WaitForDialog("信息：");
    if (box == nullptr) return;
    message = RunningProgram::MessageText(box);
    ok_alone = GetDlgItem(box, IDOK) != nullptr && GetDlgItem(box, IDCANCEL) == nullptr;
    RunningProgram::Answer(box, IDOK);
  });
  DropFiles(program.NamesBox(), {folder.PathOf("a.txt"), folder.PathOf("b.txt")});
  user.join();

  EXPECT_EQ(message, "无法读取名字文件：" + folder.PathOf("a.txt") + "\r\n" +
                         folder.PathOf("b.txt") + "\r\n");
  EXPECT_TRUE(ok_alone);
  EXPECT_EQ(WindowText(program.NamesBox()), "typed\r\nnames");
  EXPECT_EQ(WindowText(program.NameCountBox()), "2");
}

}  // namespace
}  // namespace zq
