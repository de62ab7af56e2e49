#include "ui/open_file_dialog.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace zq
