// A deliberately plain model of the text operations, on std::string, for the fuzz targets to
// hold the real ones against. Every loop walks bytes one by one; nothing is clever here, so
// a difference from the real operations is a fault of theirs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zq::reference {

using Bytes = std::string;

inline bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// True when `sought` stands in `t` at byte offset p (and fits there).
inline bool StandsAt(const Bytes& t, std::size_t p, const Bytes& sought) {
  if (t.size() - p < sought.size()) return false;
  for (std::size_t i = 0; i < sought.size(); ++i) {
    if (t[p + i] != sought[i]) return false;
  }
  return true;
}

inline int Compare(const Bytes& a, const Bytes& b) {
  for (std::size_t i = 0;; ++i) {
    if (i == a.size() && i == b.size()) return 0;
    if (i == a.size()) return -1;
    if (i == b.size()) return 1;
    const unsigned x = static_cast<unsigned char>(a[i]);
    const unsigned y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
}

inline std::int32_t Find(const Bytes& t, const Bytes& sought, std::int32_t start) {
  const std::int64_t from = start < 1 ? 0 : static_cast<std::int64_t>(start) - 1;
  if (from >= static_cast<std::int64_t>(t.size())) return -1;
  if (sought.empty()) return 1;
  for (std::size_t p = static_cast<std::size_t>(from); p < t.size(); p += IsLeadByte(t[p]) ? 2 : 1) {
    if (StandsAt(t, p, sought)) return static_cast<std::int32_t>(p + 1);
  }
  return -1;
}

inline std::int32_t FindLast(const Bytes& t, const Bytes& sought) {
  if (t.empty()) return -1;
  if (sought.empty()) return 1;
  std::int32_t last = -1;
  for (std::size_t p = 0; p < t.size(); p += IsLeadByte(t[p]) ? 2 : 1) {
    if (StandsAt(t, p, sought)) last = static_cast<std::int32_t>(p + 1);
  }
  return last;
}

inline Bytes Tail(const Bytes& t, std::int32_t n) {
  if (n <= 0) return Bytes();
  if (static_cast<std::size_t>(n) >= t.size()) return t;
  return t.substr(t.size() - static_cast<std::size_t>(n));
}

inline Bytes Slice(const Bytes& t, std::int32_t start, std::int32_t n) {
  const std::int64_t p = static_cast<std::int64_t>(start) - 1;
  if (p < 0 || p >= static_cast<std::int64_t>(t.size()) || n <= 0) return Bytes();
  return t.substr(static_cast<std::size_t>(p), static_cast<std::size_t>(n));
}

// A lone lead byte at the very end, reached without a match, is copied: nothing is dropped.
inline Bytes Replace(const Bytes& t, const Bytes& sought, const Bytes& replacement) {
  if (t.empty()) return Bytes();
  if (sought.empty()) return t;
  Bytes out;
  std::size_t p = 0;
  while (p < t.size()) {
    if (StandsAt(t, p, sought)) {
      out += replacement;
      p += sought.size();
    } else {
      out += t[p];
      if (IsLeadByte(t[p]) && p + 1 < t.size()) out += t[p + 1];
      p += IsLeadByte(t[p]) ? 2 : 1;
    }
  }
  return out;
}

inline std::vector<Bytes> Split(const Bytes& t, const Bytes& delimiter) {
  std::vector<Bytes> pieces;
  if (t.empty()) return pieces;
  if (delimiter.empty()) return {t};
  std::size_t piece = 0;
  std::size_t p = 0;
  while (p < t.size()) {
    if (StandsAt(t, p, delimiter)) {
      pieces.push_back(t.substr(piece, p - piece));
      p += delimiter.size();
      piece = p;
    } else {
      p += IsLeadByte(t[p]) ? 2 : 1;
    }
  }
  if (piece < t.size()) pieces.push_back(t.substr(piece));
  return pieces;
}

inline Bytes FromBytes(const char* bytes, std::size_t size) {
  Bytes out;
  for (std::size_t i = 0; i < size && bytes[i] != '\0'; ++i) out += bytes[i];
  return out;
}

inline Bytes FromNumber(std::int32_t n) { return std::to_string(n); }

}  // namespace zq::reference
