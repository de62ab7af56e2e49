#include "engine/name_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/rename_run.h"
#include "tests/support/test_form.h"

namespace zq {
namespace {

std::vector<std::string> Names() {
  std::vector<std::string> names;
  for (const Text& name : NameList) names.push_back(name.ToStdString());
  return names;
}

class NameListTest : public ::testing::Test {
 protected:
  NameListTest() {
    InitGlobals();
    form.bindings.names_changed = [this] { OnNamesChanged(form); };
  }
  ~NameListTest() override { ReleaseGlobals(); }

  TestForm form;
};

TEST_F(NameListTest, EveryWriteOfTheNamesBoxRebuildsTheListOnce) {
  struct Case {
    const char* label;
    const char* text;
    std::vector<std::string> names;
  } cases[] = {
      {"empty text", "", {}},
      {"one line", "A", {"A"}},
      {"two lines", "A\r\nB", {"A", "B"}},
      {"final line break adds no name", "A\r\nB\r\n", {"A", "B"}},
      {"a further empty line does", "A\r\nB\r\n\r\n", {"A", "B", ""}},
      {"empty first line", "\r\nA", {"", "A"}},
      {"empty line between", "A\r\n\r\nB", {"A", "", "B"}},
      {"one line break", "\r\n", {""}},
      {"spaces and tabs stay", " A \t\r\n\tB ", {" A \t", "\tB "}},
      {"LF alone is no line break", "A\nB\nC", {"A\nB\nC"}},
      {"two-byte characters", "甲乙\r\n丙", {"甲乙", "丙"}},
      // A lone lead byte takes the CR along as its second byte: no line break there.
      {"lead byte before CR", "A\x81\r\nB\r\nC", {"A\x81\r\nB", "C"}},
      {"two lead bytes before CR", "A\x81\x82\r\nB", {"A\x81\x82", "B"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    form.text_changed_events.clear();
    form.WriteBoxText(Box::NamesBox, c.text);
    EXPECT_EQ(Names(), c.names);
    EXPECT_EQ(form.ReadBoxText(Box::NameCountBox).ToStdString(), std::to_string(c.names.size()));
    EXPECT_EQ(form.text_changed_events[Box::NamesBox], 1);
    EXPECT_EQ(form.text_changed_events[Box::NameCountBox], 1);
  }
}

TEST_F(NameListTest, WritingTheSameTextAgainRebuildsTheList) {
  form.WriteBoxText(Box::NamesBox, "A\r\nB");
  form.WriteBoxText(Box::NamesBox, "A\r\nB");
  EXPECT_EQ(form.text_changed_events[Box::NamesBox], 2);
  EXPECT_EQ(form.text_changed_events[Box::NameCountBox], 2);
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B"}));
}

TEST_F(NameListTest, StartsEmptyWithAnEmptyCountAndEndsReleased) {
  EXPECT_TRUE(NameList.empty());
  EXPECT_TRUE(form.ReadBoxText(Box::NameCountBox).IsEmpty());

  form.WriteBoxText(Box::NamesBox, "A\r\nB");
  MatchedName = "a";
  ReleaseGlobals();
  EXPECT_TRUE(NameList.empty());
  EXPECT_TRUE(MatchedName.IsEmpty());
}

}  // namespace
}  // namespace zq
