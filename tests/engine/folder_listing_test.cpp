#include "engine/folder_listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"
#include "tests/support/test_form.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace zq {
namespace {

std::vector<std::string> ListItems(TestForm& form) {
  std::vector<std::string> items;
  for (std::int32_t i = 0; i < form.FileListCount(); ++i) items.push_back(form.FileListItem(i).ToStdString());
  return items;
}

std::vector<std::string> Sorted(std::vector<std::string> items) {
  std::sort(items.begin(), items.end());
  return items;
}

TEST(FolderName, IsWhatFollowsTheLastBackslashCharacter) {
  struct Case {
    const char* label;
    const char* path;
    const char* name;
  } cases[] = {
      {"ordinary folder", "D:\\Photos\\2019", "2019"},
      {"drive root", "D:\\", ""},
      {"network share", "\\\\server\\share", "share"},
      {"trailing backslash", "D:\\Photos\\", ""},
      {"picker cancelled", "", ""},
      {"no backslash", "Photos", "Photos"},
      // 0x81 0x5C is one two-byte character: its second byte is no separator.
      {"trail byte 0x5C", "D:\\ab\\c\x81\x5C" "d", "c\x81\x5C" "d"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(FolderNameOf(c.path).ToStdString(), c.name);
  }
}

class FolderListingTest : public ::testing::Test {
 protected:
  TestForm form;
  TempFolder folder;
  FileSystem& file_system = SystemFileSystem();
};

TEST_F(FolderListingTest, ListsFilesOnlyAndNothingFromSubfolders) {
  folder.WriteFile("a.jpg", "A");
  folder.WriteFile("b.jpg", "B");
  folder.WriteFile("README", "R");
  folder.MakeFolder("raw");
  folder.WriteFile("raw\\c.jpg", "C");
  form.folder_answers.push_back(folder.Path().c_str());

  OnOpenFolderClicked(form, file_system);

  EXPECT_EQ(Sorted(ListItems(form)),
            Sorted({folder.PathOf("a.jpg"), folder.PathOf("b.jpg"), folder.PathOf("README")}));
  EXPECT_EQ(form.ReadBoxText(Box::FileCountBox), Text("3"));
  EXPECT_EQ(form.ReadBoxText(Box::FolderPathBox).ToStdString(), folder.Path());
  EXPECT_EQ(form.ReadBoxText(Box::FolderNameBox), FolderNameOf(folder.Path().c_str()));
  EXPECT_EQ(form.browse_titles, std::vector<std::string>{"请选择文件夹"});
  EXPECT_EQ(form.pump_calls, 1);
}

TEST_F(FolderListingTest, HiddenSystemAndReadOnlyFilesAreListed) {
  folder.WriteFile("hidden.txt", "h");
  folder.WriteFile("system.txt", "s");
  folder.WriteFile("readonly.txt", "r");
#ifdef _WIN32
  SetFileAttributesA(folder.PathOf("hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA(folder.PathOf("system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);
  SetFileAttributesA(folder.PathOf("readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
#endif
  form.folder_answers.push_back(folder.Path().c_str());
  OnOpenFolderClicked(form, file_system);
  EXPECT_EQ(form.ReadBoxText(Box::FileCountBox), Text("3"));
}

TEST_F(FolderListingTest, EmptyFolderGivesZero) {
  form.folder_answers.push_back(folder.Path().c_str());
  OnOpenFolderClicked(form, file_system);
  EXPECT_EQ(form.FileListCount(), 0);
  EXPECT_EQ(form.ReadBoxText(Box::FileCountBox), Text("0"));
}

TEST_F(FolderListingTest, VanishedFolderGivesEmptyListAndZero) {
  form.AppendFileListItem("old item");
  form.folder_answers.push_back((folder.Path() + "\\gone").c_str());
  OnOpenFolderClicked(form, file_system);
  EXPECT_EQ(form.FileListCount(), 0);
  EXPECT_EQ(form.ReadBoxText(Box::FileCountBox), Text("0"));
  EXPECT_EQ(form.ReadBoxText(Box::FolderNameBox), Text("gone"));
}

TEST_F(FolderListingTest, SameFolderTwiceListsEachFileOnce) {
  folder.WriteFile("a.jpg", "A");
  folder.WriteFile("b.jpg", "B");
  form.folder_answers = {folder.Path().c_str(), folder.Path().c_str()};
  OnOpenFolderClicked(form, file_system);
  OnOpenFolderClicked(form, file_system);
  EXPECT_EQ(form.FileListCount(), 2);
  EXPECT_EQ(form.ReadBoxText(Box::FileCountBox), Text("2"));
}

TEST_F(FolderListingTest, CancelledPickerKeepsListAndCountButEmptiesPathAndName) {
  folder.WriteFile("a.jpg", "A");
  form.folder_answers = {folder.Path().c_str(), ""};
  OnOpenFolderClicked(form, file_system);
  OnOpenFolderClicked(form, file_system);
  EXPECT_EQ(ListItems(form), std::vector<std::string>{folder.PathOf("a.jpg")});
  EXPECT_EQ(form.ReadBoxText(Box::FileCountBox), Text("1"));
  EXPECT_EQ(form.ReadBoxText(Box::FolderPathBox), Text());
  EXPECT_EQ(form.ReadBoxText(Box::FolderNameBox), Text());
  EXPECT_EQ(form.pump_calls, 1);
}

TEST_F(FolderListingTest, PathEndingInSeparatorGetsNoSecondOne) {
  folder.WriteFile("a.jpg", "A");
  form.folder_answers.push_back((folder.Path() + "\\").c_str());
  OnOpenFolderClicked(form, file_system);
  EXPECT_EQ(ListItems(form), std::vector<std::string>{folder.PathOf("a.jpg")});
  EXPECT_EQ(form.ReadBoxText(Box::FolderNameBox), Text());
}

TEST_F(FolderListingTest, PathEndingInTrailByte0x5CGetsNoSeparator) {
  // Only the last byte is looked at: the path counts as ending in a separator, so the
  // pattern is the path plus "*.*" and the items are the path plus the name.
  folder.MakeFolder("x");
  ListFolderFiles(form, file_system, (folder.PathOf("x") + "\\\x81\x5C").c_str());
  EXPECT_EQ(form.FileListCount(), 0);
  EXPECT_EQ(form.ReadBoxText(Box::FileCountBox), Text("0"));
}

TEST_F(FolderListingTest, RefusedItemsAreSkippedAndTheCountIsTheListsOwn) {
  folder.WriteFile("a.jpg", "A");
  folder.WriteFile("b.jpg", "B");
  form.list_refuses = [](const Text& item) { return TextFind(item, "a.jpg", 1) != -1; };
  form.folder_answers.push_back(folder.Path().c_str());
  OnOpenFolderClicked(form, file_system);
  EXPECT_EQ(ListItems(form), std::vector<std::string>{folder.PathOf("b.jpg")});
  EXPECT_EQ(form.ReadBoxText(Box::FileCountBox), Text("1"));
}

TEST_F(FolderListingTest, EventsWaitingAtThePumpRunBeforeTheEnumeration) {
  folder.WriteFile("a.jpg", "A");
  form.folder_answers.push_back(folder.Path().c_str());
  // A user typing into the path box while the listing lets events through: the folder name
  // is taken from what the box holds afterwards.
  form.pending_events = [&] {
    form.AppendFileListItem("appended while pumping");
    form.WriteBoxText(Box::FolderPathBox, "D:\\typed");
  };
  OnOpenFolderClicked(form, file_system);
  EXPECT_EQ(ListItems(form),
            (std::vector<std::string>{"appended while pumping", folder.PathOf("a.jpg")}));
  EXPECT_EQ(form.ReadBoxText(Box::FileCountBox), Text("2"));
  EXPECT_EQ(form.ReadBoxText(Box::FolderNameBox), Text("typed"));
}

}  // namespace
}  // namespace zq
