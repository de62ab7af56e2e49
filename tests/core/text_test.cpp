#include "core/text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zq {
namespace {

// Rows give texts as C strings; nullptr stands for the absent text. Bytes of 0x80 and above
// are written as escapes: 0x81 0x5C is a two-byte character whose second byte equals '\'.
constexpr std::int32_t kMin = INT32_MIN;
constexpr std::int32_t kMax = INT32_MAX;

std::string Bytes(const Text& t) { return t.ToStdString(); }

TEST(SourceCharset, ChineseLiteralsAreGbkBytes) {
  // 确定 in GBK; the sources are UTF-8, so this holds only with the charset flags of the build.
  EXPECT_EQ(std::string("确定"), std::string("\xC8\xB7\xB6\xA8"));
}

TEST(TextLength, CountsBytes) {
  struct Case {
    const char* label;
    const char* t;
    std::int32_t length;
  } cases[] = {
      {"absent", nullptr, 0},
      {"empty", "", 0},
      {"ascii", "abc", 3},
      {"two-byte characters count two each", "确定", 4},
      {"lead byte as last byte", "a\x81", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(TextLength(c.t), c.length);
  }
}

TEST(TextCompare, OrdersByUnsignedBytes) {
  struct Case {
    const char* label;
    const char* a;
    const char* b;
    std::int32_t result;
  } cases[] = {
      {"absent and empty", nullptr, "", 0},
      {"absent and absent", nullptr, nullptr, 0},
      {"empty before anything", "", "a", -1},
      {"absent before anything", nullptr, "\x01", -1},
      {"equal", "D:\\a.jpg", "D:\\a.jpg", 0},
      {"first difference decides", "abd", "abc", 1},
      {"proper beginning is smaller", "ab", "abc", -1},
      {"0x80 above 0x7F", "\x80", "\x7F", 1},
      {"0xFF above ascii", "a\xFF", "az", 1},
      {"two-byte text above ascii text", "确定", "zzz", 1},
      {"case is not ignored", "A", "a", -1},
      {"equal two-byte texts", "确定", "确定", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(TextCompare(c.a, c.b), c.result);
    EXPECT_EQ(TextCompare(c.b, c.a), -c.result);
  }
}

TEST(TextJoin, PutsPiecesOneAfterTheOther) {
  struct Case {
    const char* label;
    std::vector<const char*> pieces;
    std::string joined;
  } cases[] = {
      {"two", {"D:\\p", "\\"}, "D:\\p\\"},
      {"three", {"D:\\p\\", "a", ".jpg"}, "D:\\p\\a.jpg"},
      {"empty pieces add nothing", {"", "ab", nullptr}, "ab"},
      {"all empty", {nullptr, ""}, ""},
      {"bytes kept as they are", {"a\x81", "\\"}, "a\x81\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const Text joined = c.pieces.size() == 2 ? TextJoin(c.pieces[0], c.pieces[1])
                                             : TextJoin(c.pieces[0], c.pieces[1], c.pieces[2]);
    EXPECT_EQ(Bytes(joined), c.joined);
  }
}

TEST(TextFind, FindsTheFirstOccurrenceAtACharacterStart) {
  struct Case {
    const char* label;
    const char* t;
    const char* sought;
    std::int32_t start;
    std::int32_t position;
  } cases[] = {
      {"first occurrence", "abcabc", "bc", 1, 2},
      {"start on an occurrence", "abcabc", "bc", 2, 2},
      {"position counts from the first byte, not the start", "abcabc", "bc", 3, 5},
      {"start 0 searches from the first byte", "abcabc", "ab", 0, 1},
      {"negative start searches from the first byte", "abcabc", "ab", -7, 1},
      {"most negative start", "abcabc", "ab", kMin, 1},
      {"start at the last byte", "abc", "c", 3, 3},
      {"start beyond the last byte", "abc", "c", 4, -1},
      {"largest start", "abc", "c", kMax, -1},
      {"not found", "abc", "x", 1, -1},
      {"occurrence at the very end", "abc", "bc", 1, 2},
      {"sought longer than the text", "ab", "abc", 1, -1},
      {"sought is the whole text", "abc", "abc", 1, 1},
      {"absent text", nullptr, "a", 1, -1},
      {"empty sought", "abc", "", 1, 1},
      {"empty sought is 1 whatever the start", "abc", "", 3, 1},
      {"empty sought beyond the end", "abc", "", 4, -1},
      {"empty sought in empty text", "", "", 1, -1},
      {"case is not ignored", "ABC", "b", 1, -1},
      {"two-byte character", "确定.txt", "定", 1, 3},
      {"backslash as second byte is never found", "\x81\x5C", "\\", 1, -1},
      {"backslash after a two-byte character", "a\x81\x5C\\b", "\\", 1, 4},
      {"lead bytes pair up from the start", "\x81\x81\\", "\\", 1, 3},
      {"lead bytes pair up across a run", "\x81\x81\x81\\", "\\", 1, -1},
      {"walk starts where the start says, even on a second byte", "\x81\x5C", "\\", 2, 2},
      {"second byte equal to a lead byte", "\x81\x81", "\x81", 2, 2},
      {"lead byte as last byte is tested", "ab\x81", "\x81", 1, 3},
      {"sought that begins on a second byte", "\x81\x41\x42", "AB", 1, -1},
      {"sought bytes compared regardless of characters", "a\x81\x41", "a\x81", 1, 1},
      {"CR LF after a lead byte is inside a character", "a\x81\r\n", "\r\n", 1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(TextFind(c.t, c.sought, c.start), c.position);
  }
}

TEST(TextFindLast, FindsTheLastOccurrenceAtACharacterStart) {
  struct Case {
    const char* label;
    const char* t;
    const char* sought;
    std::int32_t position;
  } cases[] = {
      {"last of several", "D:\\Photos\\2019", "\\", 10},
      {"only one", "D:\\", "\\", 3},
      {"not found", "Photos", "\\", -1},
      {"empty text", "", "\\", -1},
      {"absent text", nullptr, "\\", -1},
      {"empty sought", "abc", "", 1},
      {"empty sought in empty text", "", nullptr, -1},
      {"overlapping occurrences", "aaa", "aa", 2},
      {"overlapping occurrences, longer run", "aaaa", "aa", 3},
      {"sought is the whole text", "abc", "abc", 1},
      {"sought longer than the text", "ab", "abc", -1},
      {"backslash as second byte is passed over", "D:\\ab\\c\x81\x5C", "\\", 6},
      {"only backslashes as second bytes", "\x81\x81\x81\x5C", "\\", -1},
      {"lead byte as last byte is tested", "\x81\x81\x81", "\x81", 3},
      {"two-byte sought", "确定确定", "定", 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(TextFindLast(c.t, c.sought), c.position);
  }
}

TEST(TextTail, KeepsTheLastBytes) {
  struct Case {
    const char* label;
    const char* t;
    std::int32_t n;
    std::string tail;
  } cases[] = {
      {"some bytes", "abcdef", 2, "ef"},
      {"count 0", "abc", 0, ""},
      {"negative count", "abc", -1, ""},
      {"most negative count", "abc", kMin, ""},
      {"count equal to the length", "abc", 3, "abc"},
      {"count larger than the text", "abc", 4, "abc"},
      {"largest count", "abc", kMax, "abc"},
      {"absent text", nullptr, 3, ""},
      {"cuts a two-byte character in two", "a确", 1, "\xB7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Bytes(TextTail(c.t, c.n)), c.tail);
  }
}

TEST(TextSlice, CutsBytesFromAStartPosition) {
  struct Case {
    const char* label;
    const char* t;
    std::int32_t start;
    std::int32_t n;
    std::string slice;
  } cases[] = {
      {"inside", "abcdef", 2, 3, "bcd"},
      {"whole text", "abcdef", 1, 6, "abcdef"},
      {"count running past the end", "abcdef", 5, 10, "ef"},
      {"largest count", "abcdef", 2, kMax, "bcdef"},
      {"start at the last byte", "abcdef", 6, 1, "f"},
      {"start just past the end", "abcdef", 7, 1, ""},
      {"largest start", "abcdef", kMax, 1, ""},
      {"start 0", "abcdef", 0, 2, ""},
      {"negative start", "abcdef", -1, 2, ""},
      {"most negative start", "abcdef", kMin, kMax, ""},
      {"count 0", "abcdef", 2, 0, ""},
      {"negative count", "abcdef", 2, -3, ""},
      {"most negative count", "abcdef", 2, kMin, ""},
      {"absent text", nullptr, 1, 1, ""},
      {"cuts two-byte characters", "确定", 2, 2, "\xB7\xB6"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Bytes(TextSlice(c.t, c.start, c.n)), c.slice);
  }
}

TEST(TextReplace, ReplacesEveryOccurrenceWithoutOverlap) {
  struct Case {
    const char* label;
    const char* t;
    const char* sought;
    const char* replacement;
    std::string result;
  } cases[] = {
      {"every occurrence", "a.b.c", ".", "\\", "a\\b\\c"},
      {"old name in a path", "D:\\p\\old.jpg", "old", "新", "D:\\p\\新.jpg"},
      {"empty text", "", "a", "b", ""},
      {"absent text", nullptr, "a", "b", ""},
      {"empty sought gives a copy", "abc", "", "x", "abc"},
      {"sought that does not occur gives a copy", "abc", "x", "y", "abc"},
      {"sought longer than the text", "ab", "abc", "x", "ab"},
      {"sought is the whole text", "abc", "abc", "xy", "xy"},
      {"empty replacement deletes", "a.b.c", ".", "", "abc"},
      {"absent replacement deletes", "a.b.c", ".", nullptr, "abc"},
      {"overlap: first pair only, third byte kept", "aaa", "aa", "b", "ba"},
      {"replacement is not scanned again", "aba", "a", "aa", "aabaa"},
      {"bytes after the last occurrence are kept", "abca", "ab", "X", "Xca"},
      {"backslash as second byte stays", "a\\\x81\x5C" "b\\", "\\", "/", "a/\x81\x5C" "b/"},
      {"lead bytes pair up", "\x81\x81\\", "\\", "/", "\x81\x81/"},
      {"lead byte as last byte is copied", "a\\\x81", "\\", "/", "a/\x81"},
      {"lead byte as last byte matches", "a\x81", "\x81", "x", "ax"},
      {"two-byte characters", "旧名.txt", "旧名", "新名", "新名.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Bytes(TextReplace(c.t, c.sought, c.replacement)), c.result);
  }
}

TEST(TextSplit, CutsAtDelimitersFoundAtCharacterStarts) {
  struct Case {
    const char* label;
    const char* t;
    const char* delimiter;
    std::vector<std::string> pieces;
  } cases[] = {
      {"empty", "", "\r\n", {}},
      {"absent", nullptr, "\r\n", {}},
      {"one piece", "A", "\r\n", {"A"}},
      {"two pieces", "A\r\nB", "\r\n", {"A", "B"}},
      {"delimiter at the end adds no piece", "A\r\nB\r\n", "\r\n", {"A", "B"}},
      {"delimiter at the start", "\r\nA", "\r\n", {"", "A"}},
      {"two delimiters in a row", "A\r\n\r\nB", "\r\n", {"A", "", "B"}},
      {"two delimiters at the end", "A\r\n\r\n", "\r\n", {"A", ""}},
      {"only a delimiter", "\r\n", "\r\n", {""}},
      {"only two delimiters", "\r\n\r\n", "\r\n", {"", ""}},
      {"LF alone is no delimiter", "A\nB", "\r\n", {"A\nB"}},
      {"CR alone is no delimiter", "A\rB", "\r\n", {"A\rB"}},
      {"CR before the delimiter stays", "A\r\r\nB", "\r\n", {"A\r", "B"}},
      {"empty delimiter", "A\r\nB", "", {"A\r\nB"}},
      {"delimiter longer than the text", "A", "ABC", {"A"}},
      {"other delimiter", "a,b,,c", ",", {"a", "b", "", "c"}},
      {"two-byte names", "张三\r\n李四", "\r\n", {"张三", "李四"}},
      {"lead byte before CR keeps CR LF inside", "A\x81\r\nB", "\r\n", {"A\x81\r\nB"}},
      {"lead byte before CR at the end", "A\r\nB\x81\r\n", "\r\n", {"A", "B\x81\r\n"}},
      {"full character before CR LF", "A\x81x\r\nB", "\r\n", {"A\x81x", "B"}},
      {"lead bytes pair up before CR LF", "\x81\x81\r\nB", "\r\n", {"\x81\x81", "B"}},
      {"lead byte as last byte", "A\r\n\x81", "\r\n", {"A", "\x81"}},
      {"lead byte as last byte of one piece", "A\x81", "\r\n", {"A\x81"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::vector<std::string> pieces;
    for (const Text& piece : TextSplit(c.t, c.delimiter)) pieces.push_back(Bytes(piece));
    EXPECT_EQ(pieces, c.pieces);
  }
}

TEST(TextFromBytes, TakesTheBytesBeforeTheFirstNul) {
  struct Case {
    const char* label;
    std::string bytes;
    std::string text;
  } cases[] = {
      {"empty buffer", std::string(), ""},
      {"no NUL", "ab\r\ncd", "ab\r\ncd"},
      {"NUL in the middle", std::string("ab\0cd", 5), "ab"},
      {"NUL first", std::string("\0ab", 3), ""},
      {"NUL last", std::string("ab\0", 3), "ab"},
      {"byte order mark kept", "\xEF\xBB\xBF" "a", "\xEF\xBB\xBF" "a"},
      {"GBK bytes kept", "确定\r\n", "确定\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const ByteBuffer buffer(c.bytes.data(), c.bytes.size());
    EXPECT_EQ(Bytes(TextFromBytes(buffer)), c.text);
    EXPECT_EQ(Bytes(TextFromBytes(c.bytes.data(), static_cast<std::int32_t>(c.bytes.size()))),
              c.text);
  }
}

TEST(TextFromBytes, AbsentOrNegativeLengthGivesEmpty) {
  EXPECT_EQ(TextFromBytes(ByteBuffer()), Text());
  EXPECT_EQ(TextFromBytes(nullptr, 4), Text());
  EXPECT_EQ(TextFromBytes("abc", -1), Text());
  EXPECT_EQ(TextFromBytes("abc", kMin), Text());
}

TEST(TextFromNumber, WritesPlainDecimal) {
  struct Case {
    const char* label;
    std::int32_t n;
    const char* text;
  } cases[] = {
      {"zero is one digit", 0, "0"},
      {"one digit", 7, "7"},
      {"no grouping", 100000, "100000"},
      {"negative", -42, "-42"},
      {"largest", kMax, "2147483647"},
      {"smallest", kMin, "-2147483648"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Bytes(TextFromNumber(c.n)), c.text);
  }
}

// Every operation over every short text of a few telling bytes (NUL-free ASCII, backslash,
// CR, LF, lead bytes, 0xFF) and the boundary positions: nothing crashes (the sanitizer build
// watches the reads) and the results keep the properties that hold for any input.
TEST(TextRobustness, AllOperationsOnShortTextsAndBoundaryPositions) {
  const std::string alphabet = "\x01\\\r\na\x7F\x80\x81\xFF";
  std::vector<std::string> texts = {""};
  for (std::size_t begin = 0, length = 1; length <= 3; ++length) {
    const std::size_t end = texts.size();
    for (std::size_t i = begin; i < end; ++i) {
      for (char byte : alphabet) texts.push_back(texts[i] + byte);
    }
    begin = end;
  }
  std::string every_byte;
  for (int byte = 1; byte <= 0xFF; ++byte) every_byte += static_cast<char>(byte);
  texts.push_back(every_byte);
  const std::vector<std::string> soughts(texts.begin(), texts.begin() + 1 + 9 + 81);

  for (const std::string& t_bytes : texts) {
    SCOPED_TRACE(::testing::PrintToString(t_bytes));
    const Text t(t_bytes.c_str());
    const std::int32_t length = TextLength(t);
    ASSERT_EQ(length, static_cast<std::int32_t>(t_bytes.size()));
    ASSERT_EQ(TextCompare(t, TextFromBytes(t_bytes.data(), length)), 0);

    const std::int32_t positions[] = {kMin, -1, 0, 1, 2, length, length + 1, length + 2, kMax};
    for (std::int32_t p : positions) {
      const std::string tail = Bytes(TextTail(t, p));
      ASSERT_EQ(tail, t_bytes.substr(t_bytes.size() - tail.size()));
      ASSERT_EQ(tail.size(), static_cast<std::size_t>(p < 0 ? 0 : (p < length ? p : length)));
      for (std::int32_t n : positions) {
        const std::string slice = Bytes(TextSlice(t, p, n));
        if (p >= 1 && p <= length && n > 0) {
          ASSERT_EQ(slice, t_bytes.substr(static_cast<std::size_t>(p - 1), static_cast<std::size_t>(n)));
        } else {
          ASSERT_EQ(slice, "");
        }
      }
    }

    for (const std::string& s_bytes : soughts) {
      SCOPED_TRACE(::testing::PrintToString(s_bytes));
      const Text s(s_bytes.c_str());
      const std::int32_t last = TextFindLast(t, s);
      const std::int32_t first = TextFind(t, s, 1);
      ASSERT_EQ(first == -1, last == -1);
      if (first != -1 && !s.IsEmpty()) {
        ASSERT_LE(first, last);
        ASSERT_EQ(t_bytes.compare(static_cast<std::size_t>(first - 1), s_bytes.size(), s_bytes), 0);
        ASSERT_EQ(t_bytes.compare(static_cast<std::size_t>(last - 1), s_bytes.size(), s_bytes), 0);
      }
      for (std::int32_t start : positions) {
        const std::int32_t found = TextFind(t, s, start);
        ASSERT_TRUE(found == -1 || (found >= 1 && found <= length));
        if (found != -1 && start > 1 && !s.IsEmpty()) {
          ASSERT_GE(found, start);
        }
      }

      // Replacing the sought text by itself, or splitting and joining again, restores the text.
      ASSERT_EQ(Bytes(TextReplace(t, s, s)), t_bytes);
      const TextList pieces = TextSplit(t, s);
      std::string joined;
      for (std::size_t i = 0; i < pieces.size(); ++i) {
        joined += (i == 0 ? "" : s_bytes) + Bytes(pieces[i]);
      }
      ASSERT_TRUE(joined == t_bytes || joined + s_bytes == t_bytes);
      ASSERT_EQ(pieces.empty(), t.IsEmpty());
      ASSERT_EQ(TextLength(TextJoin(t, s)), length + TextLength(s));
    }
  }
}

}  // namespace
}  // namespace zq
