#include "core/fatal_stop.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/memory.h"
#include "core/text.h"
#include "tests/support/test_form.h"

namespace zq {
namespace {

TEST(FatalStopText, LinesFollowCodeAndMessage) {
  struct Case {
    const char* label;
    const char* message;
    std::int32_t code;
    const char* expected;
  } cases[] = {
      {"no code, no message", "", 0, "运行时出错!\r\n\r\n"},
      {"absent message", nullptr, 0, "运行时出错!\r\n\r\n"},
      {"message only", "指定窗口尚未载入", 0, "运行时出错!\r\n\r\n错误信息：指定窗口尚未载入\r\n"},
      {"code and message", "数组成员引用下标超出定义范围", 1,
       "运行时出错!\r\n\r\n错误代码：1\r\n\r\n错误信息：数组成员引用下标超出定义范围\r\n"},
      {"negative code", "", -5, "运行时出错!\r\n\r\n错误代码：-5\r\n\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    char out[512];
    const std::size_t used = FormatFatalStopText(c.message, c.code, out, sizeof out);
    EXPECT_EQ(std::string(out), c.expected);
    EXPECT_EQ(used, std::string(c.expected).size());
  }
}

TEST(FatalStopText, NeverWritesPastTheBuffer) {
  char out[8];
  FormatFatalStopText("a long message that does not fit", 12345, out, sizeof out);
  EXPECT_EQ(std::string(out).size(), 7u);
}

TEST(OutOfMemory, StopsNamingTheBytesAskedFor) {
  ScopedFatalStopCatcher catcher;
  const std::size_t impossible = static_cast<std::size_t>(std::numeric_limits<std::ptrdiff_t>::max());
  try {
    AllocateOrStop(impossible);
    FAIL() << "an allocation of " << impossible << " bytes succeeded";
  } catch (const FatalStopped& stop) {
    EXPECT_EQ(stop.message, "分配 " + std::to_string(impossible) + " 字节内存失败!");
    EXPECT_EQ(stop.code, 0);
  }
}

}  // namespace
}  // namespace zq
