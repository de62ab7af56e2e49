#include "core/text.h"

#include <cstdio>
#include <cstring>

namespace zq {
namespace {

// Bytes the character starting at `offset` occupies: 2 for a lead byte (0x80 or above) that
// has a byte after it, else 1. A lead byte that ends the text is a character of its own.
std::int32_t CharacterBytes(const Text& t, std::int32_t offset) {
  return t.ByteAt(offset) >= 0x80 && offset + 1 < t.Length() ? 2 : 1;
}

bool MatchesAt(const Text& t, std::int32_t offset, const Text& sought) {
  return std::memcmp(t.CStr() + offset, sought.CStr(), static_cast<std::size_t>(sought.Length())) == 0;
}

}  // namespace

Text::Text(const char* c_string) {
  if (c_string != nullptr) bytes_.assign(c_string);
}

Text::Text(const char* bytes, std::int32_t length) {
  if (bytes != nullptr && length > 0) bytes_.assign(bytes, static_cast<std::size_t>(length));
}

void TextBuilder::Reserve(std::int32_t bytes) {
  if (bytes > 0) text_.bytes_.reserve(static_cast<std::size_t>(bytes));
}

std::int32_t TextLength(const Text& t) { return t.Length(); }

std::int32_t TextCompare(const Text& a, const Text& b) {
  // strcmp's sign is that of the first differing bytes taken as unsigned char.
  int result = std::strcmp(a.CStr(), b.CStr());
  return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

Text TextJoin(const Text& a, const Text& b) {
  TextBuilder joined;
  joined.Reserve(a.Length() + b.Length());
  joined.Append(a);
  joined.Append(b);
  return joined.Take();
}

Text TextJoin(const Text& a, const Text& b, const Text& c) {
  TextBuilder joined;
  joined.Reserve(a.Length() + b.Length() + c.Length());
  joined.Append(a);
  joined.Append(b);
  joined.Append(c);
  return joined.Take();
}

std::int32_t TextFind(const Text& t, const Text& sought, std::int32_t start) {
  std::int32_t offset = start > 1 ? start - 1 : 0;
  const std::int32_t length = t.Length();
  if (offset >= length) return -1;
  if (sought.IsEmpty()) return 1;
  const std::int32_t sought_length = sought.Length();
  while (length - offset >= sought_length) {
    if (MatchesAt(t, offset, sought)) return offset + 1;
    offset += CharacterBytes(t, offset);
  }
  return -1;
}

std::int32_t TextFindLast(const Text& t, const Text& sought) {
  const std::int32_t length = t.Length();
  if (length == 0) return -1;
  if (sought.IsEmpty()) return 1;
  const std::int32_t sought_length = sought.Length();
  std::int32_t last = -1;
  for (std::int32_t offset = 0; length - offset >= sought_length;
       offset += CharacterBytes(t, offset)) {
    if (MatchesAt(t, offset, sought)) last = offset + 1;
  }
  return last;
}

Text TextTail(const Text& t, std::int32_t n) {
  if (n <= 0) return Text();
  if (n >= t.Length()) return t;
  return Text(t.CStr() + (t.Length() - n), n);
}

Text TextSlice(const Text& t, std::int32_t start, std::int32_t n) {
  // start - 1 computed in 64 bits: start may be INT32_MIN.
  const std::int64_t offset = static_cast<std::int64_t>(start) - 1;
  if (offset < 0 || offset >= t.Length() || n <= 0) return Text();
  const std::int64_t available = t.Length() - offset;
  const std::int32_t count = static_cast<std::int32_t>(n < available ? n : available);
  return Text(t.CStr() + offset, count);
}

Text TextReplace(const Text& t, const Text& sought, const Text& replacement) {
  if (t.IsEmpty()) return Text();
  if (sought.IsEmpty()) return t;
  const std::int32_t length = t.Length();
  const std::int32_t sought_length = sought.Length();
  TextBuilder result;
  result.Reserve(length);
  std::int32_t offset = 0;
  while (length - offset >= sought_length) {
    if (MatchesAt(t, offset, sought)) {
      result.Append(replacement);
      offset += sought_length;
    } else {
      const std::int32_t step = CharacterBytes(t, offset);
      result.Append(t.CStr() + offset, step);
      offset += step;
    }
  }
  // The bytes left are fewer than the sought text; a lone lead byte at the end is kept too.
  result.Append(t.CStr() + offset, length - offset);
  return result.Take();
}

TextList TextSplit(const Text& t, const Text& delimiter) {
  TextList pieces;
  if (t.IsEmpty()) return pieces;
  if (delimiter.IsEmpty()) {
    pieces.push_back(t);
    return pieces;
  }
  const std::int32_t length = t.Length();
  const std::int32_t delimiter_length = delimiter.Length();
  std::int32_t piece_start = 0;
  std::int32_t offset = 0;
  while (length - offset >= delimiter_length) {
    if (MatchesAt(t, offset, delimiter)) {
      pieces.push_back(Text(t.CStr() + piece_start, offset - piece_start));
      offset += delimiter_length;
      piece_start = offset;
    } else {
      offset += CharacterBytes(t, offset);
    }
  }
  if (piece_start < length) pieces.push_back(Text(t.CStr() + piece_start, length - piece_start));
  return pieces;
}

Text TextFromBytes(const char* bytes, std::int32_t length) {
  if (bytes == nullptr || length <= 0) return Text();
  const void* nul = std::memchr(bytes, '\0', static_cast<std::size_t>(length));
  const std::int32_t kept =
      nul == nullptr ? length : static_cast<std::int32_t>(static_cast<const char*>(nul) - bytes);
  return Text(bytes, kept);
}

Text TextFromBytes(const ByteBuffer& buffer) {
  // A buffer never holds 2 GiB or more: the names file is refused before that.
  return TextFromBytes(buffer.Data(), static_cast<std::int32_t>(buffer.Size()));
}

ByteBuffer::ByteBuffer(const char* bytes, std::size_t size) {
  if (size == 0) return;
  data_.reset(static_cast<char*>(AllocateOrStop(size)));
  std::memcpy(data_.get(), bytes, size);
  size_ = size;
}

bool ByteBuffer::TryResize(std::size_t size) {
  data_.reset();
  size_ = 0;
  if (size == 0) return true;
  data_.reset(static_cast<char*>(std::malloc(size)));
  if (data_ == nullptr) return false;
  size_ = size;
  return true;
}

Text TextFromNumber(std::int32_t n) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%ld", static_cast<long>(n));
  return Text(digits);
}

}  // namespace zq
