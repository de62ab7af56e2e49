// Holds the eleven text operations against the reference model on arbitrary bytes.
#include <cstdint>
#include <string>
#include <vector>

#include "core/text.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/reference_text.h"

namespace zq {
namespace {

namespace ref = reference;
using fuzz::Differs;

std::string Str(const Text& t) { return t.ToStdString(); }
Text Txt(const std::string& s) { return Text(s.data(), static_cast<std::int32_t>(s.size())); }

std::string Joined(const std::vector<std::string>& pieces) {
  std::string out;
  for (const std::string& piece : pieces) out += "[" + piece + "]";
  return out;
}

void Check(const char* operation, const std::vector<std::string>& arguments, const std::string& real,
           const std::string& expected) {
  if (real != expected) Differs(operation, arguments, real, expected);
}

void Check(const char* operation, const std::vector<std::string>& arguments, std::int64_t real,
           std::int64_t expected) {
  if (real != expected) Differs(operation, arguments, std::to_string(real), std::to_string(expected));
}

void CheckSplit(const std::string& t, const std::string& delimiter) {
  const TextList real = TextSplit(Txt(t), Txt(delimiter));
  std::vector<std::string> real_pieces;
  for (const Text& piece : real) real_pieces.push_back(Str(piece));
  if (real_pieces != ref::Split(t, delimiter)) {
    Differs("TextSplit", {t, delimiter}, Joined(real_pieces), Joined(ref::Split(t, delimiter)));
  }
}

// The searches the program itself makes: a backslash, a dot, CR LF.
void CheckFixedSearches(const std::string& t, std::int32_t start) {
  for (const std::string sought : {"\\", ".", "\r\n"}) {
    Check("TextFind", {t, sought, std::to_string(start)}, TextFind(Txt(t), Txt(sought), start),
          ref::Find(t, sought, start));
    Check("TextFindLast", {t, sought}, TextFindLast(Txt(t), Txt(sought)), ref::FindLast(t, sought));
  }
  CheckSplit(t, "\r\n");
}

}  // namespace
}  // namespace zq

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zq;
  fuzz::FuzzInput input(data, size);
  const std::int32_t start = input.Number();
  const std::int32_t n = input.Number();
  const std::string a = input.Piece();
  const std::string b = input.Piece();
  const std::string c = input.Piece();
  const std::string number = std::to_string(n);

  Check("TextLength", {a}, TextLength(Txt(a)), static_cast<std::int64_t>(a.size()));
  Check("TextCompare", {a, b}, TextCompare(Txt(a), Txt(b)), ref::Compare(a, b));
  Check("TextCompare", {b, a}, TextCompare(Txt(b), Txt(a)), ref::Compare(b, a));
  Check("TextJoin", {a, b}, Str(TextJoin(Txt(a), Txt(b))), a + b);
  Check("TextJoin", {a, b, c}, Str(TextJoin(Txt(a), Txt(b), Txt(c))), a + b + c);
  Check("TextFind", {a, b, std::to_string(start)}, TextFind(Txt(a), Txt(b), start), ref::Find(a, b, start));
  Check("TextFindLast", {a, b}, TextFindLast(Txt(a), Txt(b)), ref::FindLast(a, b));
  Check("TextTail", {a, number}, Str(TextTail(Txt(a), n)), ref::Tail(a, n));
  Check("TextSlice", {a, std::to_string(start), number}, Str(TextSlice(Txt(a), start, n)),
        ref::Slice(a, start, n));
  Check("TextReplace", {a, b, c}, Str(TextReplace(Txt(a), Txt(b), Txt(c))), ref::Replace(a, b, c));
  CheckSplit(a, b);
  CheckFixedSearches(a, start);

  const char* bytes = reinterpret_cast<const char*>(data);
  const std::string raw(bytes, size);
  const std::string from_bytes = ref::FromBytes(bytes, size);
  Check("TextFromBytes", {raw}, Str(TextFromBytes(bytes, static_cast<std::int32_t>(size))), from_bytes);
  Check("TextFromBytes(ByteBuffer)", {raw}, Str(TextFromBytes(ByteBuffer(bytes, size))), from_bytes);
  Check("TextFromNumber", {number}, Str(TextFromNumber(n)), ref::FromNumber(n));
  if (size >= 4) {
    std::int32_t whole;
    std::memcpy(&whole, data, 4);
    Check("TextFromNumber", {std::to_string(whole)}, Str(TextFromNumber(whole)), ref::FromNumber(whole));
  }
  return 0;
}
