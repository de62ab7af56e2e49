#include "ui/names_file_loading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/name_list.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_form.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace zq {
namespace {

const char kTyped[] = "typed\r\nnames";
const std::string kCannotRead = "无法读取名字文件：";

// Binds the name list's handler and counts its runs.
struct NamesChangedCounter {
  int runs = 0;
  void Bind(TestForm& form) {
    InitGlobals();
    form.bindings.names_changed = [this, &form] {
      ++runs;
      OnNamesChanged(form);
    };
  }
};

// Counts the reads, so a test sees whether a file was read at all.
class CountingFileSystem : public FileSystem {
 public:
  std::unique_ptr<DirectorySearch> StartSearch(const Text& pattern) override {
    return SystemFileSystem().StartSearch(pattern);
  }
  bool RenameFile(const Text& old_path, const Text& new_path) override {
    return SystemFileSystem().RenameFile(old_path, new_path);
  }
  bool ReadWholeFile(const Text& path, ByteBuffer& bytes) override {
    ++reads;
    return SystemFileSystem().ReadWholeFile(path, bytes);
  }
  int reads = 0;
};

// A file of 2 GiB that takes no disk: only its length is set.
void MakeSparseFile(const std::string& path, long long size) {
#ifdef _WIN32
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  LARGE_INTEGER end;
  end.QuadPart = size;
  EXPECT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
  EXPECT_TRUE(SetEndOfFile(file));
  CloseHandle(file);
#else
  FILE* file = fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  fclose(file);
  ASSERT_EQ(truncate(path.c_str(), size), 0);
#endif
}

#ifdef _WIN32
// Another program's handle that is writing the file.
class WriterHandle {
 public:
  explicit WriterHandle(const std::string& path)
      : handle_(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~WriterHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  WriterHandle(const WriterHandle&) = delete;
  WriterHandle& operator=(const WriterHandle&) = delete;
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};
#endif

enum class Kind { File, Missing, Folder, HeldForWriting, Sparse2GiB };

struct Case {
  const char* label;
  Kind kind;
  std::string content;
  std::string names;  // the names text afterwards
  const char* count;  // the name count afterwards
  bool kept;          // the box kept the user's text and a message said why
};

TEST(NamesFileLoading, LoadsTheBytesBeforeTheFirstNulOrKeepsTheBoxAndSaysSo) {
  const std::vector<Case> cases = {
      {"CR LF lines", Kind::File, "Anna\r\nBert\r\nCarl", "Anna\r\nBert\r\nCarl", "3", false},
      {"last line ended by CR LF", Kind::File, "Anna\r\nBert\r\n", "Anna\r\nBert\r\n", "2", false},
      {"LF-only lines are one name", Kind::File, "Anna\nBert\nCarl", "Anna\nBert\nCarl", "1",
       false},
      {"UTF-8 byte order mark stays", Kind::File, "\xEF\xBB\xBF" "Anna\r\nBert",
       "\xEF\xBB\xBF" "Anna\r\nBert", "2", false},
      {"UTF-16 stops at the first NUL", Kind::File, std::string("\xFF\xFE" "A\0\r\0\n\0B\0", 10),
       "\xFF\xFE" "A", "1", false},
      {"NUL in the middle", Kind::File, std::string("Anna\r\nBe\0rt\r\nCarl", 17), "Anna\r\nBe",
       "2", false},
      {"GBK names", Kind::File, "张三\r\n李四", "张三\r\n李四", "2", false},
      {"empty file empties the box", Kind::File, "", "", "0", false},
      {"missing file", Kind::Missing, "", kTyped, "2", true},
      {"folder", Kind::Folder, "", kTyped, "2", true},
      {"sparse file of 2 GiB", Kind::Sparse2GiB, "", kTyped, "2", true},
#ifdef _WIN32
      {"held open for writing", Kind::HeldForWriting, "Anna", kTyped, "2", true},
#endif
  };
  for (const Case& c : cases) {
    for (const bool dropped : {true, false}) {
      SCOPED_TRACE(std::string(c.label) + (dropped ? ", dropped" : ", chosen in the dialog"));
      TempFolder folder;
      const std::string path = folder.PathOf("names.txt");
      switch (c.kind) {
        case Kind::File:
        case Kind::HeldForWriting:
          folder.WriteFile("names.txt", c.content);
          break;
        case Kind::Missing:
          break;
        case Kind::Folder:
          folder.MakeFolder("names.txt");
          break;
        case Kind::Sparse2GiB:
          MakeSparseFile(NativePath(path), 1LL << 31);
          break;
      }
#ifdef _WIN32
      WriterHandle writer(c.kind == Kind::HeldForWriting ? path : std::string());
      ASSERT_EQ(writer.IsOpen(), c.kind == Kind::HeldForWriting);
#endif
      TestForm form;
      NamesChangedCounter names_changed;
      names_changed.Bind(form);
      form.WriteBoxText(Box::NamesBox, kTyped);
      names_changed.runs = 0;

      if (dropped) {
        OnFileDropped(form, SystemFileSystem(), path.c_str());
      } else {
        form.file_dialog.answers.push_back(path.c_str());
        OnOpenNamesFileClicked(form, SystemFileSystem());
      }

      EXPECT_EQ(form.ReadBoxText(Box::NamesBox).ToStdString(), c.names);
      EXPECT_EQ(form.ReadBoxText(Box::NameCountBox).ToStdString(), c.count);
      EXPECT_EQ(TextFromNumber(static_cast<std::int32_t>(NameList.size())).ToStdString(), c.count);
      EXPECT_EQ(names_changed.runs, c.kept ? 0 : 1);
      ASSERT_EQ(form.shown_messages.size(), c.kept ? 1u : 0u);
      if (c.kept) {
        EXPECT_EQ(form.shown_messages[0].text, kCannotRead + path);
        EXPECT_EQ(form.shown_messages[0].buttons, kButtonsOk);
      }
    }
  }
}

class NamesFileLoadingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    names_changed.Bind(form);
    form.WriteBoxText(Box::NamesBox, kTyped);
    names_changed.runs = 0;
  }

  TestForm form;
  NamesChangedCounter names_changed;
  CountingFileSystem file_system;
  TempFolder folder;
};

TEST_F(NamesFileLoadingTest, CancelBeforeAnyChoiceKeepsTheTypedNames) {
  OnOpenNamesFileClicked(form, file_system);
  EXPECT_EQ(form.file_dialog.open_calls, 1);
  EXPECT_EQ(form.ReadBoxText(Box::NamesBox), Text(kTyped));
  EXPECT_EQ(names_changed.runs, 0);
  EXPECT_EQ(file_system.reads, 0);
  EXPECT_TRUE(form.shown_messages.empty());
}

TEST_F(NamesFileLoadingTest, CancelAfterAChoiceDoesNotReadTheEarlierFileAgain) {
  folder.WriteFile("names.txt", "Anna\r\nBert");
  form.file_dialog.answers.push_back(folder.PathOf("names.txt").c_str());
  OnOpenNamesFileClicked(form, file_system);
  ASSERT_EQ(form.ReadBoxText(Box::NamesBox), Text("Anna\r\nBert"));
  folder.WriteFile("names.txt", "changed on disk");
  form.WriteBoxText(Box::NamesBox, kTyped);
  names_changed.runs = 0;

  OnOpenNamesFileClicked(form, file_system);

  EXPECT_EQ(form.ReadBoxText(Box::NamesBox), Text(kTyped));
  EXPECT_EQ(names_changed.runs, 0);
  EXPECT_EQ(file_system.reads, 1);
}

TEST_F(NamesFileLoadingTest, SeveralDroppedFilesNameNoFile) {
  folder.WriteFile("a.txt", "Anna");
  folder.WriteFile("b.txt", "Bert");
  const std::string paths = folder.PathOf("a.txt") + "\r\n" + folder.PathOf("b.txt") + "\r\n";

  OnFileDropped(form, file_system, paths.c_str());

  EXPECT_EQ(form.ReadBoxText(Box::NamesBox), Text(kTyped));
  ASSERT_EQ(form.shown_messages.size(), 1u);
  EXPECT_EQ(form.shown_messages[0].text, kCannotRead + paths);
}

TEST_F(NamesFileLoadingTest, ALoadWritesTheBoxOnceEvenWithTheSameText) {
  folder.WriteFile("names.txt", kTyped);
  OnFileDropped(form, file_system, folder.PathOf("names.txt").c_str());
  EXPECT_EQ(form.ReadBoxText(Box::NamesBox), Text(kTyped));
  EXPECT_EQ(names_changed.runs, 1);
  EXPECT_EQ(form.text_changed_events[Box::NamesBox], 2) << "the typed text, then the load";
}

TEST(MainWindowCreated, RegistersTheWindowItselfAsDropTarget) {
  TestForm form;
  OnMainWindowCreated(form);
  EXPECT_TRUE(form.drop_target.has_window);
  EXPECT_EQ(form.drop_target.registered, form.WindowHandle());
}

}  // namespace
}  // namespace zq
