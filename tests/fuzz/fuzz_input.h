// Cutting a fuzz input into the arguments of the operations, and reporting a difference from
// the reference model so that libFuzzer keeps the input.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace zq::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : p_(reinterpret_cast<const char*>(data)), end_(p_ + size) {}

  // Mostly small numbers, where the edges are; the byte 0x7F brings in a whole int32.
  std::int32_t Number() {
    if (p_ == end_) return 0;
    const auto first = static_cast<std::uint8_t>(*p_++);
    if (first != 0x7F || end_ - p_ < 4) return static_cast<std::int8_t>(first);
    std::uint32_t raw;
    std::memcpy(&raw, p_, 4);
    p_ += 4;
    return static_cast<std::int32_t>(raw);
  }

  // The bytes up to the next NUL (texts never hold one), or up to the end.
  std::string Piece() {
    const char* nul = static_cast<const char*>(std::memchr(p_, '\0', static_cast<std::size_t>(end_ - p_)));
    const char* stop = nul == nullptr ? end_ : nul;
    std::string piece(p_, stop);
    p_ = nul == nullptr ? end_ : nul + 1;
    return piece;
  }

 private:
  const char* p_;
  const char* end_;
};

inline std::string Hex(const std::string& bytes) {
  std::string out;
  char two[4];
  for (unsigned char c : bytes) {
    std::snprintf(two, sizeof two, "%02X ", c);
    out += two;
  }
  return out;
}

// Prints what differed and aborts: libFuzzer saves the input as a crash.
[[noreturn]] inline void Differs(const char* operation, const std::vector<std::string>& arguments,
                                 const std::string& real, const std::string& expected) {
  std::fprintf(stderr, "%s differs from the reference\n", operation);
  for (const std::string& argument : arguments) std::fprintf(stderr, "  argument: %s\n", Hex(argument).c_str());
  std::fprintf(stderr, "  real:     %s\n  expected: %s\n", Hex(real).c_str(), Hex(expected).c_str());
  std::abort();
}

}  // namespace zq::fuzz
