#pragma once
// Fields of the binary files the program reads and writes (list files,
// bitmap headers): every multi-byte integer is stored low byte first,
// packed, at any byte offset; texts are zero-terminated in fields of a
// fixed size.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

inline void Put_LE16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

inline void Put_LE32(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
  p[3] = static_cast<uint8_t>(v >> 24);
}

inline uint16_t Get_LE_U16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t Get_LE_U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline int16_t Get_LE16(const uint8_t* p) {
  return static_cast<int16_t>(Get_LE_U16(p));
}

inline int32_t Get_LE32(const uint8_t* p) {
  return static_cast<int32_t>(Get_LE_U32(p));
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
