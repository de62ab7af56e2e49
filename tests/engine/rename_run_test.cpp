#include "engine/rename_run.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "engine/folder_listing.h"
#include "engine/name_list.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_form.h"

namespace zq {

bool operator==(const ShownMessage& a, const ShownMessage& b) {
  return a.text == b.text && a.buttons == b.buttons;
}

void PrintTo(const ShownMessage& m, std::ostream* os) {
  *os << "{\"" << m.text << "\", " << m.buttons << "}";
}

namespace {

using Contents = std::map<std::string, std::string>;

const ShownMessage kConfirm{"确定？？", kButtonsOkCancel};
const ShownMessage kCountsDiffer{"文件数和命名名称数量不等！！", kButtonsOk};

// The system's file system, with every rename it is asked for recorded.
class RecordingFileSystem : public FileSystem {
 public:
  std::unique_ptr<DirectorySearch> StartSearch(const Text& pattern) override {
    return SystemFileSystem().StartSearch(pattern);
  }
  bool RenameFile(const Text& old_path, const Text& new_path) override {
    renames.emplace_back(old_path.ToStdString(), new_path.ToStdString());
    return SystemFileSystem().RenameFile(old_path, new_path);
  }
  bool ReadWholeFile(const Text& path, ByteBuffer& bytes) override {
    return SystemFileSystem().ReadWholeFile(path, bytes);
  }

  std::vector<std::pair<std::string, std::string>> renames;
};

// One program run on a fresh temporary folder.
class Scene {
 public:
  Scene() {
    InitGlobals();
    form.bindings.names_changed = [this] { OnNamesChanged(form); };
  }
  ~Scene() { ReleaseGlobals(); }
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  // Creates `files` (relative paths), each holding its own relative path, so that a lost or
  // replaced file shows in the folder's contents.
  void WriteFiles(const std::vector<std::string>& files) {
    for (const std::string& file : files) folder.WriteFile(file, file);
  }

  // Fills the form as a listing of the folder `listed` ("" for the temporary folder itself)
  // would, with `files` in this order.
  void List(const std::string& listed, const std::vector<std::string>& files) {
    const std::string folder_path = listed.empty() ? folder.Path() : folder.PathOf(listed);
    for (const std::string& file : files) form.AppendFileListItem(folder.PathOf(file).c_str());
    form.WriteBoxText(Box::FileCountBox, TextFromNumber(form.FileListCount()));
    form.WriteBoxText(Box::FolderPathBox, folder_path.c_str());
    form.WriteBoxText(Box::FolderNameBox, FolderNameOf(folder_path.c_str()));
  }

  ShownMessage FailureMessage(std::size_t failed, const std::vector<std::string>& listed,
                              bool more) const {
    std::string text = "有 " + std::to_string(failed) + " 个文件未能改名：";
    for (const std::string& file : listed) text += "\r\n" + folder.PathOf(file);
    if (more) text += "\r\n……";
    return {text, kButtonsOk};
  }

  void ExpectNoUnchangedPathPassedOn() const {
    for (const auto& [from, to] : file_system.renames) EXPECT_NE(from, to);
  }

  TempFolder folder;
  TestForm form;
  RecordingFileSystem file_system;
};

TEST(RenameRun, OnlyTheFilesOwnNameUpToItsFirstDotChanges) {
  struct Case {
    const char* label;
    std::vector<std::string> folders;
    std::string listed;              // relative; "" for the temporary folder itself
    std::vector<std::string> files;  // relative, in list order
    const char* names;
    const char* folder_name;  // what FolderNameBox holds instead of the listed folder's name
    Contents after;
    std::vector<std::string> failed;
  } cases[] = {
      {"extension stays", {}, "", {"a.jpg"}, "N", nullptr, {{"N.jpg", "a.jpg"}}, {}},
      {"several dots", {}, "", {"a.b.c"}, "N", nullptr, {{"N.b.c", "a.b.c"}}, {}},
      {"old name repeated in the file name", {}, "", {"ab.ab"}, "N", nullptr,
       {{"N.ab", "ab.ab"}}, {}},
      {"no dot", {}, "", {"README"}, "N", nullptr, {{"N", "README"}}, {}},
      {"leading dot", {}, "", {".gitignore"}, "N", nullptr, {{"N.gitignore", ".gitignore"}}, {}},
      {"two-byte names", {}, "", {"照片.jpg"}, "海边", nullptr, {{"海边.jpg", "照片.jpg"}}, {}},
      // 0x81 0x5C is one character: its second byte does not end the folder part.
      {"trail byte 0x5C in the file name", {}, "", {"\x81\x5C" "b.txt"}, "N", nullptr,
       {{"N.txt", "\x81\x5C" "b.txt"}}, {}},
      {"name equal to the old name is done", {}, "", {"a.txt", "b.txt"}, "a\r\nc", nullptr,
       {{"a.txt", "a.txt"}, {"c.txt", "b.txt"}}, {}},
      {"empty names: the first deletes the old name, the second collides", {}, "",
       {"IMG.jpg", "DSC.jpg"}, "\r\n\r\n", nullptr,
       {{".jpg", "IMG.jpg"}, {"DSC.jpg", "DSC.jpg"}}, {"DSC.jpg"}},
      {"two equal names: the second fails, the first file is intact", {}, "",
       {"a.txt", "b.txt"}, "N\r\nN", nullptr, {{"N.txt", "a.txt"}, {"b.txt", "b.txt"}},
       {"b.txt"}},
      {"name of a later file's current name fails", {}, "", {"a.txt", "b.txt"}, "b\r\nc",
       nullptr, {{"a.txt", "a.txt"}, {"c.txt", "b.txt"}}, {"a.txt"}},
      {"name of an earlier file's old name succeeds", {}, "", {"a.txt", "b.txt"}, "c\r\na",
       nullptr, {{"c.txt", "a.txt"}, {"a.txt", "b.txt"}}, {}},
      {"names keep their spaces", {}, "", {"a.txt", "b.txt"}, "  N  \r\n M", nullptr,
       {{"  N  .txt", "a.txt"}, {" M.txt", "b.txt"}}, {}},
      {"name with a backslash into an existing subfolder", {"sub"}, "", {"a.txt"}, "sub\\x",
       nullptr, {{"sub\\x.txt", "a.txt"}}, {}},
      {"name with a backslash into a missing subfolder fails", {}, "", {"a.txt"},
       "missing\\x", nullptr, {{"a.txt", "a.txt"}}, {"a.txt"}},
      {"old name equal to the listed folder's name", {"x", "N"}, "x", {"x\\x.txt"}, "N",
       nullptr, {{"x\\N.txt", "x\\x.txt"}}, {}},
      {"old name equal to an earlier folder of the path",
       {"photos", "photos\\trip", "N", "N\\trip"}, "photos\\trip", {"photos\\trip\\photos.jpg"},
       "N", nullptr, {{"photos\\trip\\N.jpg", "photos\\trip\\photos.jpg"}}, {}},
      {"folder name that also ends an earlier folder", {"x", "x\\a", "x\\a\\x"}, "x\\a\\x",
       {"x\\a\\x\\f.txt"}, "N", nullptr, {{"x\\a\\x\\N.txt", "x\\a\\x\\f.txt"}}, {}},
      {"drive root or cancelled picker: empty folder name", {"trip"}, "trip",
       {"trip\\a.jpg"}, "N", "", {{"trip\\N.jpg", "trip\\a.jpg"}}, {}},
      {"folder name of another folder", {"trip"}, "trip", {"trip\\a.jpg"}, "N", "elsewhere",
       {{"trip\\N.jpg", "trip\\a.jpg"}}, {}},
      {"folder name holding the placeholder", {"trip"}, "trip", {"trip\\a.jpg"}, "N",
       "x#引号", {{"trip\\N.jpg", "trip\\a.jpg"}}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Scene scene;
    for (const std::string& sub : c.folders) scene.folder.MakeFolder(sub);
    scene.WriteFiles(c.files);
    scene.List(c.listed, c.files);
    if (c.folder_name != nullptr) scene.form.WriteBoxText(Box::FolderNameBox, c.folder_name);
    scene.form.WriteBoxText(Box::NamesBox, c.names);

    OnStartRenameClicked(scene.form, scene.file_system);

    EXPECT_EQ(scene.folder.Contents(), c.after);
    std::vector<ShownMessage> messages{kConfirm};
    if (!c.failed.empty()) messages.push_back(scene.FailureMessage(c.failed.size(), c.failed, false));
    EXPECT_EQ(scene.form.shown_messages, messages);
    scene.ExpectNoUnchangedPathPassedOn();
  }
}

TEST(RenameRun, RunsOnlyWhenTheCountTextsAgreeAndTheUserConfirms) {
  const std::vector<std::string> two_files{"a.txt", "b.txt"};
  const Contents untouched{{"a.txt", "a.txt"}, {"b.txt", "b.txt"}};
  struct Case {
    const char* label;
    std::vector<std::string> files;
    const char* names;       // nullptr: the names text never changed
    const char* file_count;  // nullptr: the count the listing wrote; else typed by the user
    std::vector<std::int32_t> answers;
    std::vector<ShownMessage> messages;
    Contents after;
  } cases[] = {
      {"counts agree, OK", two_files, "N\r\nM", nullptr, {kMessageOk}, {kConfirm},
       {{"N.txt", "a.txt"}, {"M.txt", "b.txt"}}},
      {"counts agree, Cancel", two_files, "N\r\nM", nullptr, {kMessageCancel}, {kConfirm},
       untouched},
      {"counts differ", two_files, "N", nullptr, {}, {kCountsDiffer}, untouched},
      {"names never changed", two_files, nullptr, nullptr, {}, {kCountsDiffer}, untouched},
      {"same number written differently", two_files, "N\r\nM", "02", {}, {kCountsDiffer},
       untouched},
      {"count typed over, too few names", two_files, "N", "1", {kMessageOk},
       {kConfirm, kCountsDiffer}, untouched},
      {"count typed over, too few names, Cancel", two_files, "N", "1", {kMessageCancel},
       {kConfirm}, untouched},
      {"empty folder and emptied names", {}, "", nullptr, {kMessageOk}, {kConfirm}, {}},
  };
  ScopedFatalStopCatcher fatal_stop;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Scene scene;
    scene.WriteFiles(c.files);
    scene.List("", c.files);
    if (c.names != nullptr) scene.form.WriteBoxText(Box::NamesBox, c.names);
    if (c.file_count != nullptr) scene.form.WriteBoxText(Box::FileCountBox, c.file_count);
    scene.form.message_answers.assign(c.answers.begin(), c.answers.end());

    EXPECT_NO_THROW(OnStartRenameClicked(scene.form, scene.file_system));

    EXPECT_EQ(scene.folder.Contents(), c.after);
    EXPECT_EQ(scene.form.shown_messages, c.messages);
    if (c.after == untouched) {
      EXPECT_TRUE(scene.file_system.renames.empty());
    }
  }
}

TEST(RenameRun, AtStartUpAsksAndRenamesNothing) {
  Scene scene;
  OnStartRenameClicked(scene.form, scene.file_system);
  EXPECT_EQ(scene.form.shown_messages, std::vector<ShownMessage>{kConfirm});
  EXPECT_TRUE(scene.file_system.renames.empty());
  EXPECT_TRUE(scene.form.ReadBoxText(Box::NameCountBox).IsEmpty());
}

TEST(RenameRun, ReportsTheFirstTwentyFailedFiles) {
  struct Case {
    const char* label;
    int files;  // all get the same name: the first is renamed, every other fails
    bool more;
  } cases[] = {
      {"twenty failures are all listed", 21, false},
      {"more than twenty end with a line of dots", 23, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Scene scene;
    std::vector<std::string> files;
    std::string names;
    for (int i = 0; i < c.files; ++i) {
      files.push_back("f" + std::to_string(100 + i) + ".txt");
      names += "x\r\n";
    }
    scene.WriteFiles(files);
    scene.List("", files);
    scene.form.WriteBoxText(Box::NamesBox, names.c_str());

    OnStartRenameClicked(scene.form, scene.file_system);

    Contents after;
    for (const std::string& file : files) after[file] = file;
    after.erase(files[0]);
    after["x.txt"] = files[0];
    EXPECT_EQ(scene.folder.Contents(), after);
    const std::vector<std::string> listed(files.begin() + 1, files.begin() + 21);
    EXPECT_EQ(scene.form.shown_messages,
              (std::vector<ShownMessage>{
                  kConfirm, scene.FailureMessage(files.size() - 1, listed, c.more)}));
  }
}

TEST(RenameRun, ASecondClickRepeatsTheRunOverTheOldPaths) {
  Scene scene;
  const std::vector<std::string> files{"a.txt", "b.txt"};
  scene.WriteFiles(files);
  scene.List("", files);
  scene.form.WriteBoxText(Box::NamesBox, "b\r\nc");

  OnStartRenameClicked(scene.form, scene.file_system);
  // a.txt could not take b.txt's name; b.txt became c.txt.
  EXPECT_EQ(scene.folder.Contents(), (Contents{{"a.txt", "a.txt"}, {"c.txt", "b.txt"}}));

  OnStartRenameClicked(scene.form, scene.file_system);
  // Now a.txt becomes b.txt, and the new b.txt cannot become c.txt.
  EXPECT_EQ(scene.folder.Contents(), (Contents{{"b.txt", "a.txt"}, {"c.txt", "b.txt"}}));
  EXPECT_EQ(scene.form.shown_messages,
            (std::vector<ShownMessage>{kConfirm, scene.FailureMessage(1, {"a.txt"}, false),
                                       kConfirm, scene.FailureMessage(1, {"b.txt"}, false)}));
  EXPECT_EQ(scene.form.FileListItem(0).ToStdString(), scene.folder.PathOf("a.txt"));
}

TEST(RenameRun, PairsNamesWithTheListedOrder) {
  Scene scene;
  const std::vector<std::string> files{"a.jpg", "b.png", "c"};
  scene.WriteFiles(files);
  scene.form.folder_answers.push_back(scene.folder.Path().c_str());
  OnOpenFolderClicked(scene.form, scene.file_system);
  ASSERT_EQ(scene.form.FileListCount(), 3);
  std::string names;
  Contents after;
  for (std::int32_t i = 0; i < 3; ++i) {
    const std::string path = scene.form.FileListItem(i).ToStdString();
    const std::string file = path.substr(scene.folder.Path().size() + 1);
    const std::size_t dot = file.find('.');
    const std::string name = "n" + std::to_string(i);
    names += name + "\r\n";
    after[name + (dot == std::string::npos ? "" : file.substr(dot))] = file;
  }
  scene.form.WriteBoxText(Box::NamesBox, names.c_str());

  OnStartRenameClicked(scene.form, scene.file_system);

  EXPECT_EQ(scene.folder.Contents(), after);
  EXPECT_EQ(scene.form.shown_messages, std::vector<ShownMessage>{kConfirm});
}

TEST(RenameRun, MatchedNameKeepsTheLastFilesOldName) {
  Scene scene;
  const std::vector<std::string> files{"a.jpg", "b.c.d"};
  scene.WriteFiles(files);
  scene.List("", files);
  scene.form.WriteBoxText(Box::NamesBox, "N\r\nM");

  OnStartRenameClicked(scene.form, scene.file_system);
  EXPECT_EQ(MatchedName, Text("b"));

  scene.form.message_answers.push_back(kMessageCancel);
  OnStartRenameClicked(scene.form, scene.file_system);
  EXPECT_EQ(MatchedName, Text("b"));
  EXPECT_EQ(scene.folder.Contents(), (Contents{{"N.jpg", "a.jpg"}, {"M.c.d", "b.c.d"}}));
}

TEST(TextBetween, CutsBetweenTheStartMarkerAndTheNextEndMarker) {
  struct Case {
    const char* label;
    const char* text;
    const char* start;
    const char* end;
    const char* result;
  } cases[] = {
      {"folder and dot", "D:\\photos\\trip\\beach.jpg", "trip\\", ".", "beach"},
      {"first occurrences", "a[b]c[d]", "[", "]", "b"},
      {"end marker only before the start", "x.y\\z", "\\", ".", ""},
      {"end marker right after the start", "ab.c", "b", ".", ""},
      {"start marker missing", "abc.d", "x", ".", ""},
      {"end marker missing", "a\\bcd", "\\", ".", ""},
      {"empty text", "", "\\", ".", ""},
      {"placeholder in the start marker", "say \"hi\" now", "#引号", "#引号", "hi"},
      {"placeholder inside a marker", "k=\"v\";", "=#引号", "#引号;", "v"},
      {"placeholder in the text stays literal", "a#引号b.c", "#引号", ".", ""},
      {"start marker is never a trail byte", "\x81\x5C" "a\\b.c", "\\", ".", "b"},
      {"two-byte characters", "照片\\海边.jpg", "照片\\", ".", "海边"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(TextBetween(c.text, c.start, c.end).ToStdString(), c.result);
  }
}

}  // namespace
}  // namespace zq
