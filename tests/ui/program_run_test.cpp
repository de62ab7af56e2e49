// Whole runs of the real program, driven from outside: a folder chosen in the folder picker,
// names typed in, the start button and its boxes answered, the files looked at on disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/ui/program_driver.h"

namespace zq {
namespace {

const char kConfirm[] = "确定？？";
const char kCountsDiffer[] = "文件数和命名名称数量不等！！";

std::string UniqueName(const char* what) {
  return "zq" + std::to_string(GetCurrentProcessId()) + what;
}

// Opens the folder picker, chooses the desktop folder and waits for the listing.
void ListFolder(RunningProgram& program, const DesktopFolder& folder, const char* count) {
  program.Click(program.Button("打开文件夹"));
  const HWND picker = program.WaitForFolderPicker();
  ASSERT_NE(picker, nullptr);
  const std::vector<std::string> texts = RunningProgram::StaticTexts(picker);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "请选择文件夹"), texts.end()) << "title";
  EXPECT_EQ(GetWindow(picker, GW_OWNER), program.Window());
  EXPECT_FALSE(IsWindowEnabled(program.Window())) << "the window takes no input meanwhile";
  program.ChooseInFolderPicker(picker, folder.Name());
  RunningProgram::Answer(picker, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return WindowText(program.FileCountBox()) == count; }))
      << WindowText(program.FolderPathBox()) << " " << WindowText(program.FileCountBox());
  // The folder name is written after the count: let the handler end first.
  program.Sync();
  EXPECT_EQ(WindowText(program.FolderPathBox()), folder.Path());
  EXPECT_EQ(WindowText(program.FolderNameBox()), folder.Name());
  EXPECT_TRUE(IsWindowEnabled(program.Window()));
}

void TypeNames(RunningProgram& program, const char* names, const char* count) {
  program.PasteNames(names);
  EXPECT_EQ(WindowText(program.NameCountBox()), count);
}

// Clicks the start button and gives the text of the box that comes up.
HWND StartRename(RunningProgram& program) {
  program.Click(program.Button("开始改名"));
  return program.WaitForDialog("信息：");
}

TEST(ProgramRun, RenamesOnlyAfterOkAndWarnsWhenTheCountsDiffer) {
  DesktopFolder folder(UniqueName("run"));
  folder.WriteFile("a.txt", "A");
  folder.WriteFile("b.jpg", "B");
  folder.WriteFile("c", "C");
  RunningProgram program;
  ListFolder(program, folder, "3");
  const std::vector<std::string> listed = program.ListItems();
  ASSERT_EQ(listed.size(), 3u);
  for (const std::string& item : listed) {
    EXPECT_EQ(item.rfind(folder.Path() + "\\", 0), 0u) << item;
  }

  {
    SCOPED_TRACE("counts differ: the warning only");
    TypeNames(program, "x\r\ny", "2");
    const HWND box = StartRename(program);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(RunningProgram::MessageText(box), kCountsDiffer);
    EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr) << "OK alone";
    RunningProgram::Answer(box, IDOK);
    program.Sync();
    EXPECT_EQ(folder.FileNames(), (std::vector<std::string>{"a.txt", "b.jpg", "c"}));
  }
  {
    SCOPED_TRACE("Cancel renames nothing");
    TypeNames(program, "x\r\ny\r\nz", "3");
    const HWND box = StartRename(program);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(RunningProgram::MessageText(box), kConfirm);
    RunningProgram::Answer(box, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return program.FindDialog("信息：") == nullptr; }));
    program.Sync();
    EXPECT_EQ(program.FindDialog("信息："), nullptr);
    EXPECT_EQ(folder.FileNames(), (std::vector<std::string>{"a.txt", "b.jpg", "c"}));
  }
  {
    SCOPED_TRACE("OK renames file k to name k");
    const HWND box = StartRename(program);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(RunningProgram::MessageText(box), kConfirm);
    RunningProgram::Answer(box, IDOK);
    std::vector<std::string> expected;
    const char* names[] = {"x", "y", "z"};
    for (std::size_t k = 0; k < listed.size(); ++k) {
      const std::string file = listed[k].substr(folder.Path().size() + 1);
      const std::size_t dot = file.find('.');
      expected.push_back(names[k] + (dot == std::string::npos ? "" : file.substr(dot)));
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_TRUE(WaitUntil([&] { return folder.FileNames() == expected; }));
    program.Sync();
    EXPECT_EQ(program.FindDialog("信息："), nullptr) << "no box when the counts agree";
  }

  {
    SCOPED_TRACE("a cancelled picker empties the path and the name, keeps the list");
    program.Click(program.Button("打开文件夹"));
    const HWND picker = program.WaitForFolderPicker();
    ASSERT_NE(picker, nullptr);
    RunningProgram::Answer(picker, IDCANCEL);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(program.FolderPathBox()).empty(); }));
    program.Sync();
    EXPECT_EQ(WindowText(program.FolderNameBox()), "");
    EXPECT_EQ(program.ListItems(), listed);
    EXPECT_EQ(WindowText(program.FileCountBox()), "3");
  }

  program.PressKey(VK_ESCAPE);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

// A close request waiting when the listing lets events run destroys the window under the
// listing; the listing then ends without effect and the program exits normally.
TEST(ProgramRun, ClosingWhileTheListingLetsEventsRunEndsNormally) {
  DesktopFolder folder(UniqueName("close"));
  for (int i = 0; i < 50; ++i) folder.WriteFile("f" + std::to_string(i) + ".txt", "");
  RunningProgram program;
  program.Click(program.Button("打开文件夹"));
  const HWND picker = program.WaitForFolderPicker();
  ASSERT_NE(picker, nullptr);
  program.ChooseInFolderPicker(picker, folder.Name());
  // Both wait in the queue: the picker ends on the first, the listing's pump gets the second.
  RunningProgram::Answer(picker, IDOK);
  PostMessageA(program.Window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace zq
