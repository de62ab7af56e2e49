#include "core/text.h"

#include <gtest/gtest.h>

namespace zq {
namespace {

TEST(SourceCharset, ChineseLiteralsAreGbkBytes) {
  // 确定 in GBK; the sources are UTF-8, so this holds only with the charset flags of the build.
  EXPECT_EQ(std::string("确定"), std::string("\xC8\xB7\xB6\xA8"));
}

}  // namespace
}  // namespace zq
