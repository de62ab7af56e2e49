// The text value every part of the program passes around: bytes of the ANSI code page (GBK
// here), never holding a NUL. Positions count from 1, lengths are bytes, a failed search is -1.
// The scanning operations (TextFind, TextFindLast, TextReplace, TextSplit) walk characters:
// every byte of 0x80 or above starts a two-byte character, whatever the code page says, so a
// match never starts on a trail byte.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/memory.h"

namespace zq {

using TextBytes = std::basic_string<char, std::char_traits<char>, StopOnFailAllocator<char>>;

class Text {
 public:
  Text() = default;
  // From a NUL-terminated string; nullptr is the absent text, which is the empty text.
  Text(const char* c_string);  // NOLINT(google-explicit-constructor): literals read as texts
  // From `length` bytes that hold no NUL (the caller makes sure; TextFromBytes cuts at one).
  Text(const char* bytes, std::int32_t length);

  std::int32_t Length() const { return static_cast<std::int32_t>(bytes_.size()); }
  bool IsEmpty() const { return bytes_.empty(); }
  const char* CStr() const { return bytes_.c_str(); }
  unsigned char ByteAt(std::int32_t offset) const {
    return static_cast<unsigned char>(bytes_[static_cast<std::size_t>(offset)]);
  }
  std::string ToStdString() const { return std::string(bytes_.data(), bytes_.size()); }

  friend bool operator==(const Text& a, const Text& b) { return a.bytes_ == b.bytes_; }
  friend bool operator!=(const Text& a, const Text& b) { return a.bytes_ != b.bytes_; }

 private:
  friend class TextBuilder;
  TextBytes bytes_;
};

// Collects bytes for a new text; used by the operations that assemble their result.
class TextBuilder {
 public:
  void Reserve(std::int32_t bytes);
  void Append(const Text& text) { text_.bytes_.append(text.bytes_); }
  void Append(const char* bytes, std::int32_t length) {
    text_.bytes_.append(bytes, static_cast<std::size_t>(length));
  }
  Text Take() { return static_cast<Text&&>(text_); }

 private:
  Text text_;
};

// The result of TextSplit: element k counted from 1 (k-1 as a vector index).
using TextList = std::vector<Text, StopOnFailAllocator<Text>>;

// Input of TextFromBytes: any bytes, NUL included; empty stands for absent too. Its memory
// is asked for without the fatal stop, so a file too large for memory is a file that cannot
// be read rather than the end of the program.
class ByteBuffer {
 public:
  ByteBuffer() = default;
  ByteBuffer(const char* bytes, std::size_t size);  // stops the program when memory runs out
  // Makes room for `size` bytes (contents undefined); false, and empty, when there is no room.
  bool TryResize(std::size_t size);
  // Keeps the first `size` bytes (no more than it holds).
  void Truncate(std::size_t size) { size_ = size < size_ ? size : size_; }
  void Clear() { TryResize(0); }

  char* Data() { return data_.get(); }
  const char* Data() const { return data_.get(); }
  std::size_t Size() const { return size_; }

 private:
  struct Free {
    void operator()(char* p) const { std::free(p); }
  };
  std::unique_ptr<char[], Free> data_;
  std::size_t size_ = 0;
};

std::int32_t TextLength(const Text& t);
std::int32_t TextCompare(const Text& a, const Text& b);
Text TextJoin(const Text& a, const Text& b);
Text TextJoin(const Text& a, const Text& b, const Text& c);
std::int32_t TextFind(const Text& t, const Text& sought, std::int32_t start);
std::int32_t TextFindLast(const Text& t, const Text& sought);
Text TextTail(const Text& t, std::int32_t n);
Text TextSlice(const Text& t, std::int32_t start, std::int32_t n);
Text TextReplace(const Text& t, const Text& sought, const Text& replacement);
TextList TextSplit(const Text& t, const Text& delimiter);
Text TextFromBytes(const char* bytes, std::int32_t length);
Text TextFromBytes(const ByteBuffer& buffer);
Text TextFromNumber(std::int32_t n);

}  // namespace zq
