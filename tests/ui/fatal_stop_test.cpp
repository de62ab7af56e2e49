// The fatal stop of the real program, forced in its test build: the error box, then the end
// with exit code -1.
#include <gtest/gtest.h>

#include "tests/ui/fatal_stop_trigger.h"
#include "tests/ui/program_driver.h"

namespace zq {
namespace {

TEST(FatalStop, ShowsTheErrorBoxAndEndsWithMinusOne) {
  RunningProgram program(kFatalStopProgram);
  PostThreadMessageA(program.ThreadId(), kForceFatalStop, 0, 0);
  const HWND box = program.WaitForDialog("错误");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(RunningProgram::MessageText(box),
            "运行时出错!\r\n\r\n错误信息：分配 4294967295 字节内存失败!\r\n");
  EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr) << "OK alone";
  // No handler runs any more: a click waiting behind the box finds nothing.
  program.Click(program.Button("打开文件夹"));
  RunningProgram::Answer(box, IDOK);
  EXPECT_EQ(program.WaitForExit(), static_cast<DWORD>(-1));
}

}  // namespace
}  // namespace zq
