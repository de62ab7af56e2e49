#include "ui/open_file_dialog.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "tests/support/temp_folder.h"

namespace zq {
namespace {

using Settings = OpenFileDialog::Settings;
using Request = OpenFileDialog::Request;

TEST(OpenFileDialogRequest, DefaultsListEveryFileAndAcceptOnlyAnExistingOne) {
  HWND owner = reinterpret_cast<HWND>(0x1234);
  Request request(Settings{}, owner);
  const OPENFILENAMEA& ofn = request.Struct();
  EXPECT_EQ(ofn.lStructSize, 76u);
  EXPECT_EQ(ofn.hwndOwner, owner);
  EXPECT_EQ(ofn.hInstance, GetModuleHandleA(nullptr));
  EXPECT_EQ(ofn.lpstrFilter, nullptr);
  EXPECT_EQ(ofn.nFilterIndex, 0u);
  EXPECT_EQ(ofn.lpstrCustomFilter, nullptr);
  ASSERT_NE(ofn.lpstrFile, nullptr);
  EXPECT_EQ(std::string(ofn.lpstrFile, 260), std::string(260, '\0'));
  EXPECT_EQ(ofn.nMaxFile, 260u);
  ASSERT_NE(ofn.lpstrFileTitle, nullptr);
  EXPECT_EQ(ofn.nMaxFileTitle, 64u);
  EXPECT_EQ(ofn.lpstrInitialDir, nullptr);
  EXPECT_EQ(ofn.lpstrTitle, nullptr);
  EXPECT_EQ(ofn.lpstrDefExt, nullptr);
  EXPECT_EQ(ofn.Flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_FILEMUSTEXIST |
                                          OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST |
                                          OFN_EXPLORER | OFN_ENABLESIZING));
  EXPECT_EQ(ofn.lpfnHook, nullptr);
  EXPECT_EQ(ofn.lpTemplateName, nullptr);
}

TEST(OpenFileDialogRequest, FlagsFollowTheSettings) {
  const DWORD always = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING;
  struct Case {
    const char* label;
    void (*change)(Settings&);
    DWORD flags;
  } cases[] = {
      {"all off",
       [](Settings& s) { s.file_must_exist = s.overwrite_prompt = s.path_must_exist = false; },
       always},
      {"create prompt",
       [](Settings& s) {
         s.file_must_exist = s.overwrite_prompt = s.path_must_exist = false;
         s.create_prompt = true;
       },
       always | OFN_CREATEPROMPT},
      {"keep current directory",
       [](Settings& s) {
         s.file_must_exist = s.overwrite_prompt = s.path_must_exist = false;
         s.keep_current_directory = true;
       },
       always | OFN_NOCHANGEDIR},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Settings settings;
    c.change(settings);
    Request request(settings, nullptr);
    EXPECT_EQ(request.Struct().Flags, c.flags);
  }
}

TEST(OpenFileDialogRequest, FilterBecomesNulSeparatedPairs) {
  struct Case {
    const char* label;
    const char* filter;
    std::int32_t initial;
    std::string given;
    DWORD index;
  } cases[] = {
      {"none", "", 3, "", 0},
      {"one pair gets its end", "Text|*.txt", 0, std::string("Text\0*.txt\0\0", 12), 1},
      {"already ended", "Text|*.txt||", 0, std::string("Text\0*.txt\0\0", 12), 1},
      {"two pairs, second chosen", "Text|*.txt|All|*.*", 1,
       std::string("Text\0*.txt\0All\0*.*\0\0", 20), 2},
      {"negative initial filter counts as the first", "Text|*.txt", -5,
       std::string("Text\0*.txt\0\0", 12), 1},
      {"a single bar", "|", 0, std::string("\0\0\0", 3), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Settings settings;
    settings.filter = c.filter;
    settings.initial_filter = c.initial;
    Request request(settings, nullptr);
    EXPECT_EQ(request.Filter(), c.given);
    EXPECT_EQ(request.Struct().lpstrFilter, c.given.empty() ? nullptr : request.Filter().c_str());
    EXPECT_EQ(request.Struct().nFilterIndex, c.index);
  }
}

TEST(OpenFileDialogRequest, FileNameFillsTheBufferCutTo259Bytes) {
  struct Case {
    const char* label;
    std::string name;
    std::string in_buffer;
  } cases[] = {
      {"short path", "D:\\names.txt", "D:\\names.txt"},
      {"259 bytes", std::string(259, 'a'), std::string(259, 'a')},
      {"300 bytes", std::string(300, 'b'), std::string(259, 'b')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Settings settings;
    settings.file_name = c.name.c_str();
    Request request(settings, nullptr);
    const std::string buffer(request.Struct().lpstrFile, 260);
    EXPECT_EQ(buffer, c.in_buffer + std::string(260 - c.in_buffer.size(), '\0'));
  }
}

TEST(OpenFileDialogRequest, TextSettingsPassNullOnlyWhenEmpty) {
  Settings settings;
  settings.title = "选择名字文件";
  settings.initial_directory = "C:\\";
  settings.default_extension = "txt";
  Request request(settings, nullptr);
  EXPECT_STREQ(request.Struct().lpstrTitle, "选择名字文件");
  EXPECT_STREQ(request.Struct().lpstrInitialDir, "C:\\");
  EXPECT_STREQ(request.Struct().lpstrDefExt, "txt");
}

struct DialogSearch {
  HWND except;
  HWND found = nullptr;
};

BOOL CALLBACK TakeDialog(HWND window, LPARAM param) {
  DialogSearch& search = *reinterpret_cast<DialogSearch*>(param);
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (window == search.except || std::string(name) != "#32770" || !IsWindowVisible(window))
    return TRUE;
  search.found = window;
  return FALSE;
}

// The first visible dialog box of `thread` other than `except`, or nullptr.
HWND FindDialog(DWORD thread, HWND except) {
  DialogSearch search{except};
  EnumThreadWindows(thread, &TakeDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForDialog(DWORD thread, HWND except = nullptr) {
  for (int tries = 0; tries < 200; ++tries) {
    if (HWND dialog = FindDialog(thread, except)) return dialog;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return nullptr;
}

// Plays the user of the dialog that the test's thread opens next, from a second thread.
class DialogUser {
 public:
  explicit DialogUser(std::function<void(HWND dialog)> act)
      : thread_([act, owner_thread = GetCurrentThreadId()] {
          if (HWND dialog = WaitForDialog(owner_thread)) act(dialog);
        }) {}
  ~DialogUser() { thread_.join(); }
  DialogUser(const DialogUser&) = delete;
  DialogUser& operator=(const DialogUser&) = delete;

 private:
  std::thread thread_;
};

std::string FileNameField(HWND dialog) {
  char text[MAX_PATH] = {};
  GetDlgItemTextA(dialog, cmb13, text, sizeof text);
  return text;
}

void Choose(HWND dialog, const std::string& path) {
  SetDlgItemTextA(dialog, cmb13, path.c_str());
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

void Cancel(HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }

// The main window stand-in: active, with the focus in an edit box.
class OwnerWindow {
 public:
  OwnerWindow()
      : window_(CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)),
        edit_(CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, window_,
                              nullptr, GetModuleHandleA(nullptr), nullptr)) {
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
    SetFocus(edit_);
  }
  ~OwnerWindow() { DestroyWindow(window_); }
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  HWND window() const { return window_; }
  HWND edit() const { return edit_; }

 private:
  HWND window_;
  HWND edit_;
};

class OpenFileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.WriteFile("names.txt", "Anna\r\nBert");
    ASSERT_EQ(GetActiveWindow(), owner.window());
  }

  TempFolder folder;
  OwnerWindow owner;
  OpenFileDialog dialog;
};

TEST_F(OpenFileDialogTest, OkGivesTheChosenFileAndCancelKeepsIt) {
  std::atomic<bool> owner_enabled{true};
  std::atomic<HWND> dialog_owner{nullptr};
  std::string shown_first;
  {
    DialogUser user([&](HWND box) {
      owner_enabled = IsWindowEnabled(owner.window()) != 0;
      dialog_owner = GetWindow(box, GW_OWNER);
      shown_first = FileNameField(box);
      Choose(box, folder.PathOf("names.txt"));
    });
    EXPECT_TRUE(dialog.Open());
  }
  EXPECT_EQ(dialog.FileName().ToStdString(), folder.PathOf("names.txt"));
  EXPECT_EQ(shown_first, "");
  EXPECT_EQ(dialog_owner.load(), owner.window());
  EXPECT_FALSE(owner_enabled) << "the owner takes no input while the dialog is open";
  EXPECT_TRUE(IsWindowEnabled(owner.window()));
  EXPECT_EQ(GetFocus(), owner.edit()) << "the focus is back where it was";

  std::string shown_next;
  {
    DialogUser user([&](HWND box) {
      shown_next = FileNameField(box);
      Cancel(box);
    });
    EXPECT_FALSE(dialog.Open());
  }
  // The dialog opens in the folder of the file chosen last, with its name in the field.
  EXPECT_EQ(shown_next, "names.txt");
  EXPECT_EQ(dialog.FileName().ToStdString(), folder.PathOf("names.txt"));
}

TEST_F(OpenFileDialogTest, CancelBeforeAnyChoiceLeavesTheFileNameEmpty) {
  DialogUser user(&Cancel);
  EXPECT_FALSE(dialog.Open());
  EXPECT_EQ(dialog.FileName(), Text());
  EXPECT_TRUE(IsWindowEnabled(owner.window()));
}

TEST_F(OpenFileDialogTest, AFileThatDoesNotExistIsRefusedByTheDialog) {
  std::atomic<bool> stayed_open{false};
  {
    DialogUser user([&](HWND box) {
      Choose(box, folder.PathOf("missing.txt"));
      // The system says so in a box of its own and the dialog stays.
      if (HWND warning = WaitForDialog(GetWindowThreadProcessId(box, nullptr), box)) {
        PostMessageA(warning, WM_COMMAND, IDOK, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
      }
      stayed_open = IsWindow(box) && IsWindowVisible(box);
      Cancel(box);
    });
    EXPECT_FALSE(dialog.Open());
  }
  EXPECT_TRUE(stayed_open);
  EXPECT_EQ(dialog.FileName(), Text());
}

}  // namespace
}  // namespace zq
