#pragma once
// Fields of list files: every multi-byte integer of a list file is stored
// low byte first, packed, at any byte offset; texts are zero-terminated in
// fields of a fixed size.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

inline void Put_LE16(uint8_t* p, int16_t value) {
  const auto v = static_cast<uint16_t>(value);
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

inline void Put_LE32(uint8_t* p, int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
  p[3] = static_cast<uint8_t>(v >> 24);
}

inline int16_t Get_LE16(const uint8_t* p) {
  return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

inline int32_t Get_LE32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                              (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24));
}

// A zero-terminated text field of `size` bytes: at most size - 1
// characters, the rest zero.
inline void Put_Text(uint8_t* field, size_t size, const std::string& text) {
  std::memset(field, 0, size);
  std::memcpy(field, text.data(), std::min(text.size(), size - 1));
}

// The text of such a field: up to its first zero, at most size - 1
// characters.
inline std::string Get_Text(const uint8_t* field, size_t size) {
  const auto* begin = reinterpret_cast<const char*>(field);
  return std::string(begin, strnlen(begin, size - 1));
}
