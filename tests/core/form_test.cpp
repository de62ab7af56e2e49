#include <gtest/gtest.h>

#include "tests/support/test_form.h"

namespace zq {
namespace {

TEST(TestFormContract, EveryWriteRaisesOneSynchronousChange) {
  TestForm form;
  int names_changed = 0;
  Text seen_inside;
  form.bindings.names_changed = [&] {
    ++names_changed;
    seen_inside = form.ReadBoxText(Box::NamesBox);
  };
  form.WriteBoxText(Box::NamesBox, "a\r\nb");
  EXPECT_EQ(names_changed, 1);
  EXPECT_EQ(seen_inside, Text("a\r\nb"));
  form.WriteBoxText(Box::NamesBox, "a\r\nb");  // the same text again
  EXPECT_EQ(names_changed, 2);
  form.WriteBoxText(Box::FolderNameBox, "x");
  EXPECT_EQ(names_changed, 2);
  EXPECT_EQ(form.text_changed_events[Box::FolderNameBox], 1);
}

TEST(TestFormContract, FieldsStartEmptyAndCountsCompareEqual) {
  TestForm form;
  EXPECT_EQ(TextCompare(form.ReadBoxText(Box::FileCountBox), form.ReadBoxText(Box::NameCountBox)), 0);
  EXPECT_EQ(form.FileListCount(), 0);
  EXPECT_EQ(form.FileListItem(0), Text());
  EXPECT_EQ(form.FileListItem(-1), Text());
}

}  // namespace
}  // namespace zq
