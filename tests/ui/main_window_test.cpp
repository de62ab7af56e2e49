// The real program's window, looked at and typed into from outside.
#include <gtest/gtest.h>

#include <string>

#include "tests/ui/program_driver.h"

namespace zq {
namespace {

struct ExpectedControl {
  const char* label;
  const char* window_class;
  const char* text;
  int left, top, width, height;
  DWORD styles;      // each of these bits set
  DWORD no_styles;   // none of these set
  bool client_edge;
  bool visible;
};

constexpr DWORD kButton = WS_TABSTOP | BS_CENTER | BS_VCENTER | BS_MULTILINE;
constexpr DWORD kNotButton = BS_DEFPUSHBUTTON | BS_GROUPBOX;
constexpr DWORD kLabel = SS_LEFTNOWORDWRAP | SS_CENTERIMAGE;
constexpr DWORD kLineBox = WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kNotLineBox = ES_MULTILINE | ES_PASSWORD | ES_UPPERCASE | ES_LOWERCASE |
                              ES_CENTER | ES_RIGHT;

// In stacking order, top first.
const ExpectedControl kControls[] = {
    {"OpenNamesFileButton", "Button", "打开名字文件", 512, 0, 88, 32, kButton, kNotButton, false, true},
    {"NameCountLabel", "Static", "名称数：", 472, 304, 48, 32, kLabel, WS_TABSTOP | WS_BORDER, false, true},
    {"FileCountLabel", "Static", "文件数：", 240, 304, 48, 32, kLabel, WS_TABSTOP | WS_BORDER, false, true},
    {"FileCountBox", "Edit", "", 320, 304, 48, 32, kLineBox, kNotLineBox | ES_READONLY, true, true},
    {"NameCountBox", "Edit", "", 536, 304, 48, 32, kLineBox | ES_READONLY, kNotLineBox, true, true},
    {"NamesLabel", "Static", "要替换的文件名：", 416, 5, 88, 24, kLabel, WS_TABSTOP | WS_BORDER, false, true},
    {"NamesBox", "Edit", "", 408, 40, 192, 248,
     WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL,
     ES_AUTOHSCROLL | WS_HSCROLL | ES_READONLY | ES_PASSWORD | ES_CENTER | ES_RIGHT, true, true},
    {"FolderNameBox", "Edit", "", 8, 304, 40, 24, kLineBox, kNotLineBox | ES_READONLY, true, false},
    {"FileListBox", "ListBox", "", 18, 48, 374, 240,
     // Its scroll bar (WS_VSCROLL) comes and goes with the items.
     WS_TABSTOP | LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT,
     LBS_SORT | LBS_EXTENDEDSEL | LBS_MULTIPLESEL | WS_HSCROLL, true, true},
    {"FileListGroup", "Button", "目录文件", 14, 36, 386, 252, BS_GROUPBOX, WS_TABSTOP, false, true},
    {"FolderLabel", "Static", "目录：", 12, 3, 32, 24, kLabel, WS_TABSTOP | WS_BORDER, false, true},
    {"OpenFolderButton", "Button", "打开文件夹", 320, 4, 80, 24, kButton, kNotButton, false, true},
    {"StartRenameButton", "Button", "开始改名", 93, 304, 67, 32, kButton, kNotButton, false, true},
    {"FolderPathBox", "Edit", "", 48, 4, 256, 24, kLineBox, kNotLineBox | ES_READONLY, true, true},
};

TEST(MainWindow, IsPlacedAndBuiltAsLaidOut) {
  RunningProgram program;
  const HWND window = program.Window();

  RECT outer;
  GetWindowRect(window, &outer);
  EXPECT_EQ(outer.left, 206);
  EXPECT_EQ(outer.top, 197);
  EXPECT_EQ(outer.right, 817);
  EXPECT_EQ(outer.bottom, 571);
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN),
            WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD), 0);
  EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), 0);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
  EXPECT_FALSE(IsIconic(window) || IsZoomed(window));
  HWND child = GetWindow(window, GW_CHILD);
  for (const ExpectedControl& expected : kControls) {
    SCOPED_TRACE(expected.label);
    ASSERT_NE(child, nullptr) << "fewer controls than laid out";
    EXPECT_EQ(ClassOf(child), expected.window_class);
    EXPECT_EQ(WindowText(child), expected.text);
    const RECT rect = RectInParent(child);
    EXPECT_EQ(rect.left, expected.left);
    EXPECT_EQ(rect.top, expected.top);
    EXPECT_EQ(rect.right - rect.left, expected.width);
    EXPECT_EQ(rect.bottom - rect.top, expected.height);
    const DWORD child_style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
    EXPECT_EQ(child_style & expected.styles, expected.styles);
    EXPECT_EQ(child_style & expected.no_styles, 0u);
    EXPECT_EQ((GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0, expected.client_edge);
    EXPECT_EQ(IsWindowVisible(child) != FALSE, expected.visible);
    EXPECT_TRUE(IsWindowEnabled(child));
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr) << "more controls than laid out";
  EXPECT_EQ(Send(program.NamesBox(), EM_GETLIMITTEXT, 0, 0), 11110);
  EXPECT_EQ(Send(program.FileListBox(), LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(Send(program.FileListBox(), LB_GETCURSEL, 0, 0), LB_ERR);
}

// The resources the program file carries: the icon group, the manifest and the version.
TEST(MainWindow, ProgramFileCarriesItsResources) {
  const HMODULE program = LoadLibraryExA(ProgramPath("zqrename.exe").c_str(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr);

  const HRSRC group = FindResourceA(program, "DEFAULT_ICON", RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  const BYTE* directory = static_cast<const BYTE*>(LockResource(LoadResource(program, group)));
  const WORD count = *reinterpret_cast<const WORD*>(directory + 4);
  ASSERT_EQ(count, 3);
  for (WORD i = 0; i < count; ++i) {
    const BYTE* entry = directory + 6 + 14 * i;  // GRPICONDIRENTRY
    SCOPED_TRACE("icon image " + std::to_string(i));
    EXPECT_EQ(entry[0], entry[1]) << "square";
    EXPECT_EQ(entry[0], 16 * (i + 1));
    EXPECT_EQ(entry[2], 16) << "colours";
  }

  const HRSRC manifest_resource = FindResourceA(program, MAKEINTRESOURCEA(1), RT_MANIFEST);
  ASSERT_NE(manifest_resource, nullptr);
  const std::string manifest(
      static_cast<const char*>(LockResource(LoadResource(program, manifest_resource))),
      SizeofResource(program, manifest_resource));
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
  EXPECT_NE(manifest.find("processorArchitecture=\"x86\" publicKeyToken"), std::string::npos);
  FreeLibrary(program);

  char path[MAX_PATH];
  lstrcpyA(path, ProgramPath("zqrename.exe").c_str());
  std::string version(GetFileVersionInfoSizeA(path, nullptr), '\0');
  ASSERT_FALSE(version.empty());
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, static_cast<DWORD>(version.size()), &version[0]));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueA(&version[0], "\\", reinterpret_cast<void**>(&fixed), &size));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010006u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
}

TEST(MainWindow, KeysMoveTheFocusEditAndClose) {
  RunningProgram program;
  const HWND cycle[] = {program.FolderPathBox(), program.Button("开始改名"),
                        program.Button("打开文件夹"), program.FileListBox(),
                        program.NamesBox(), program.NameCountBox(),
                        program.FileCountBox(), program.Button("打开名字文件")};
  ASSERT_TRUE(WaitUntil([&] { return program.Focus() == cycle[0]; })) << "focus at start";
  for (int step = 1; step <= 8; ++step) {
    SCOPED_TRACE("Tab number " + std::to_string(step));
    program.PressKey(VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return program.Focus() == cycle[step % 8]; }));
  }
  program.PressKey(VK_TAB, true);
  EXPECT_TRUE(WaitUntil([&] { return program.Focus() == cycle[7]; })) << "Shift+Tab wraps";

  // In the names box Tab moves on too, and Enter starts a new line.
  const HWND names = program.NamesBox();
  Send(names, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("a"));
  for (int step = 0; step < 3; ++step) program.PressKey(VK_TAB, true);
  ASSERT_TRUE(WaitUntil([&] { return program.Focus() == names; }));
  Send(names, EM_SETSEL, 1, 1);
  program.PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(names) == "a\r\n"; })) << WindowText(names);
  program.PressKey(VK_TAB);
  EXPECT_TRUE(WaitUntil([&] { return program.Focus() == cycle[5]; }));
  EXPECT_EQ(WindowText(names), "a\r\n") << "Tab inserted nothing";

  // A text written into the box is taken whole; typing stops at 11110 bytes.
  const std::string longer(12000, 'x');
  Send(names, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(longer.c_str()));
  EXPECT_EQ(Send(names, WM_GETTEXTLENGTH), 12000);
  const std::string at_limit(11110, 'y');
  Send(names, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(at_limit.c_str()));
  program.PressKey(VK_TAB, true);
  ASSERT_TRUE(WaitUntil([&] { return program.Focus() == names; }));
  Send(names, EM_SETSEL, 11110, 11110);
  program.PressKey('Z');
  // Once the focus has moved on, the key before it has been handled.
  program.PressKey(VK_TAB, true);
  EXPECT_TRUE(WaitUntil([&] { return program.Focus() == cycle[3]; }));
  EXPECT_EQ(Send(names, WM_GETTEXTLENGTH), 11110);

  program.PressKey(VK_ESCAPE);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace zq
