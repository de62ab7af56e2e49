#include "ui/drop_target.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/ui/test_data_object.h"

namespace zq {
namespace {

const CLIPFORMAT kHtml = static_cast<CLIPFORMAT>(RegisterClipboardFormatA("HTML Format"));
const CLIPFORMAT kUrl =
    static_cast<CLIPFORMAT>(RegisterClipboardFormatA("UniformResourceLocator"));

// Every event of the target, in the order raised, as "kind:text".
class DropTargetTest : public ::testing::Test {
 protected:
  static DropEvents Recording(std::vector<std::string>& raised) {
    auto record = [&raised](const char* kind) {
      return [&raised, kind](const Text& text) {
        raised.push_back(kind + (":" + text.ToStdString()));
      };
    };
    return DropEvents{record("text"), record("html"), record("url"), record("files")};
  }

  std::vector<std::string> raised;
  DropTarget target{Recording(raised)};
  IDropTarget* ole = target.Interface();
  POINTL point = {10, 10};
};

TEST_F(DropTargetTest, EffectFollowsKeysAndAllowedEffectsOnceTheDragIsAccepted) {
  const DWORD all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  struct Case {
    const char* label;
    bool files_offered;
    DWORD keys;
    DWORD allowed;
    DWORD effect;
  } cases[] = {
      {"refused drag, no key", false, 0, all, DROPEFFECT_NONE},
      {"refused drag, Ctrl", false, MK_CONTROL, all, DROPEFFECT_NONE},
      {"Ctrl and Shift ask for a link: never", true, MK_CONTROL | MK_SHIFT, all, DROPEFFECT_NONE},
      {"Ctrl and Shift, only link allowed", true, MK_CONTROL | MK_SHIFT, DROPEFFECT_LINK,
       DROPEFFECT_NONE},
      {"Ctrl, copy allowed", true, MK_CONTROL, all, DROPEFFECT_COPY},
      {"Ctrl, copy not allowed", true, MK_CONTROL, DROPEFFECT_MOVE | DROPEFFECT_LINK,
       DROPEFFECT_NONE},
      {"Shift, move allowed", true, MK_SHIFT, all, DROPEFFECT_MOVE},
      {"Shift, move not allowed", true, MK_SHIFT, DROPEFFECT_COPY | DROPEFFECT_LINK,
       DROPEFFECT_NONE},
      {"no key, all allowed", true, 0, all, DROPEFFECT_COPY},
      {"no key, move and link", true, 0, DROPEFFECT_MOVE | DROPEFFECT_LINK, DROPEFFECT_MOVE},
      {"no key, link only", true, 0, DROPEFFECT_LINK, DROPEFFECT_LINK},
      {"no key, nothing allowed", true, 0, DROPEFFECT_NONE, DROPEFFECT_NONE},
      {"mouse buttons do not count", true, MK_LBUTTON | MK_RBUTTON, all, DROPEFFECT_COPY},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TestDataObject data;
    data.Offer(c.files_offered ? CF_HDROP : CF_UNICODETEXT, DropFilesOf({"C:\\a.txt"}));
    DWORD effect = c.allowed;
    EXPECT_EQ(ole->DragEnter(&data, c.keys, point, &effect), S_OK);
    EXPECT_EQ(effect, c.effect);
    effect = c.allowed;
    EXPECT_EQ(ole->DragOver(c.keys, point, &effect), S_OK);
    EXPECT_EQ(effect, c.effect) << "DragOver";
    effect = c.allowed;
    EXPECT_EQ(ole->Drop(&data, c.keys, point, &effect), E_FAIL);
    EXPECT_EQ(effect, c.effect) << "Drop";
    EXPECT_EQ(raised.size(), c.effect == DROPEFFECT_NONE ? 0u : 1u);
    raised.clear();
  }
}

TEST_F(DropTargetTest, AnyOfTheFourKindsIsAcceptedAndNothingElse) {
  struct Case {
    const char* label;
    CLIPFORMAT format;
    bool accepted;
  } cases[] = {
      {"text", CF_TEXT, true},
      {"files", CF_HDROP, true},
      {"URL", kUrl, true},
      {"HTML", kHtml, true},
      {"Unicode text", CF_UNICODETEXT, false},
      {"bitmap", CF_DIB, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TestDataObject data;
    data.Offer(c.format, "x");
    DWORD effect = DROPEFFECT_COPY;
    ole->DragEnter(&data, 0, point, &effect);
    EXPECT_EQ(effect, c.accepted ? DROPEFFECT_COPY : DROPEFFECT_NONE);
    ole->DragLeave();
  }
}

TEST_F(DropTargetTest, DragLeaveEndsTheAcceptance) {
  TestDataObject data;
  data.Offer(CF_HDROP, DropFilesOf({"C:\\a.txt"}));
  DWORD effect = DROPEFFECT_COPY;
  ole->DragEnter(&data, 0, point, &effect);
  ASSERT_EQ(effect, DROPEFFECT_COPY);
  ole->DragLeave();
  effect = DROPEFFECT_COPY;
  ole->DragOver(0, point, &effect);
  EXPECT_EQ(effect, DROPEFFECT_NONE);
  effect = DROPEFFECT_COPY;
  EXPECT_EQ(ole->Drop(&data, 0, point, &effect), E_FAIL);
  EXPECT_EQ(effect, DROPEFFECT_NONE);
  EXPECT_TRUE(raised.empty());
}

TEST_F(DropTargetTest, DeliversTextUnlessHtmlIsOfferedThenHtmlUrlAndFiles) {
  struct Case {
    const char* label;
    std::map<CLIPFORMAT, std::string> offered;
    std::vector<std::string> raised;
  } cases[] = {
      {"text alone, up to its NUL", {{CF_TEXT, std::string("abc\0def", 7)}}, {"text:abc"}},
      {"text without a NUL ends with its block", {{CF_TEXT, "abc"}}, {"text:abc"}},
      {"HTML suppresses the text", {{CF_TEXT, "plain"}, {kHtml, "<b>x</b>"}}, {"html:<b>x</b>"}},
      {"URL alone", {{kUrl, "http://example.org/"}}, {"url:http://example.org/"}},
      {"all four, in order",
       {{CF_HDROP, DropFilesOf({"C:\\n.txt"})}, {kUrl, "u"}, {kHtml, "h"}, {CF_TEXT, "t"}},
       {"html:h", "url:u", "files:C:\\n.txt"}},
      {"text and URL and files",
       {{CF_HDROP, DropFilesOf({"C:\\n.txt"})}, {kUrl, "u"}, {CF_TEXT, "t"}},
       {"text:t", "url:u", "files:C:\\n.txt"}},
      {"one file: its path alone", {{CF_HDROP, DropFilesOf({"C:\\names.txt"})}},
       {"files:C:\\names.txt"}},
      {"two files: each followed by CR LF", {{CF_HDROP, DropFilesOf({"D:\\a.txt", "D:\\b.txt"})}},
       {"files:D:\\a.txt\r\nD:\\b.txt\r\n"}},
      {"no file: empty, raised all the same", {{CF_HDROP, DropFilesOf({})}}, {"files:"}},
      {"file list without its closing NUL is not read",
       {{CF_HDROP, DropFilesWithList(std::string("C:\\a.txt\0C:\\b", 11))}}, {}},
      {"wide list without its closing NUL is not read",
       {{CF_HDROP, DropFilesWithList(std::string("C\0:\0\0\0", 6), true)}}, {}},
      {"wide list", {{CF_HDROP, DropFilesWithList(std::string("C\0:\0\\\0a\0\0\0\0\0", 12), true)}},
       {"files:C:\\a"}},
      {"GBK path", {{CF_HDROP, DropFilesOf({"C:\\名字.txt"})}}, {"files:C:\\名字.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TestDataObject data;
    for (const auto& [format, bytes] : c.offered) data.Offer(format, bytes);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ole->DragEnter(&data, 0, point, &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(ole->Drop(&data, 0, point, &effect), E_FAIL);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    EXPECT_EQ(raised, c.raised);
    raised.clear();
  }
}

TEST(DropTarget, AnEventWithoutHandlerDoesNothingAndTheDropGoesOn) {
  std::vector<std::string> files;
  DropTarget target([&files](const Text& paths) { files.push_back(paths.ToStdString()); });
  TestDataObject data;
  data.Offer(CF_TEXT, "t");
  data.Offer(kUrl, "u");
  data.Offer(CF_HDROP, DropFilesOf({"C:\\n.txt"}));
  POINTL point = {0, 0};
  DWORD effect = DROPEFFECT_COPY;
  target.Interface()->DragEnter(&data, 0, point, &effect);
  effect = DROPEFFECT_COPY;
  EXPECT_EQ(target.Interface()->Drop(&data, 0, point, &effect), E_FAIL);
  EXPECT_EQ(files, std::vector<std::string>{"C:\\n.txt"});
}

TEST_F(DropTargetTest, AnswersOnlyIUnknownAndIDropTarget) {
  struct Case {
    const char* label;
    const IID* iid;
    HRESULT result;
  } cases[] = {
      {"IUnknown", &IID_IUnknown, S_OK},
      {"IDropTarget", &IID_IDropTarget, S_OK},
      {"IDataObject", &IID_IDataObject, E_NOINTERFACE},
      {"IDropSource", &IID_IDropSource, E_NOINTERFACE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(ole->QueryInterface(*c.iid, &object), c.result);
    if (c.result == S_OK) {
      EXPECT_EQ(object, static_cast<void*>(ole));
      EXPECT_EQ(ole->Release(), 1u);
    } else {
      EXPECT_EQ(object, nullptr);
    }
  }
}

ULONG ReferencesOf(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

TEST_F(DropTargetTest, ReferencesAreBackAtTheirStartAfterADrag) {
  EXPECT_EQ(ReferencesOf(ole), 1u);
  TestDataObject data;
  data.Offer(CF_TEXT, "t");
  data.Offer(CF_HDROP, DropFilesOf({"C:\\a.txt", "C:\\b.txt"}));
  DWORD effect = DROPEFFECT_COPY;
  ole->DragEnter(&data, 0, point, &effect);
  ole->DragOver(0, point, &effect);
  ole->Drop(&data, 0, point, &effect);
  EXPECT_EQ(data.media_given, 2);
  EXPECT_EQ(data.references, 1u);
  EXPECT_EQ(ReferencesOf(ole), 1u);
}

class Window {
 public:
  Window()
      : handle_(CreateWindowExA(0, "STATIC", "drop", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}
  ~Window() { DestroyWindow(handle_); }
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  HWND get() const { return handle_; }

 private:
  HWND handle_;
};

TEST(DropTargetRegistration, RegistersOnceAndRevokesSafelyTwice) {
  OleSession ole;
  Window window;
  Window other;
  DropTarget target([](const Text&) {});
  ASSERT_TRUE(target.RegisterTarget(window.get()));
  EXPECT_GT(ReferencesOf(target.Interface()), 1u) << "OLE holds the target";
  EXPECT_FALSE(target.RegisterTarget(other.get()));
  // The first registration is still in force: registering the window again is refused.
  DropTarget second([](const Text&) {});
  EXPECT_FALSE(second.RegisterTarget(window.get()));

  target.Revoke();
  EXPECT_EQ(ReferencesOf(target.Interface()), 1u);
  target.Revoke();
  EXPECT_FALSE(target.RegisterTarget(window.get())) << "once only, also after a revoke";
}

TEST(DropTargetRegistration, AFailedRegistrationIsNotRetried) {
  OleSession ole;
  Window window;
  DropTarget target([](const Text&) {});
  EXPECT_FALSE(target.RegisterTarget(nullptr));
  EXPECT_FALSE(target.RegisterTarget(window.get()));
  EXPECT_EQ(ReferencesOf(target.Interface()), 1u);
}

TEST(DropTargetRegistration, DestroyingTheTargetEndsTheRegistration) {
  OleSession ole;
  Window window;
  {
    DropTarget target([](const Text&) {});
    ASSERT_TRUE(target.RegisterTarget(window.get()));
  }
  DropTarget next([](const Text&) {});
  EXPECT_TRUE(next.RegisterTarget(window.get()));
}

}  // namespace
}  // namespace zq
