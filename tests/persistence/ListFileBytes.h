#pragma once
// Helpers of the persistence tests: list-file pieces built byte by byte
// from the file layout, and files written through ListFile.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

#include "persistence/ListFile.h"
#include "support/TestSupport.h"

inline std::string Le16(int32_t v) {
  std::string s(2, '\0');
  s[0] = static_cast<char>(v & 0xFF);
  s[1] = static_cast<char>((v >> 8) & 0xFF);
  return s;
}

inline std::string Le32(int64_t v) {
  return Le16(static_cast<int32_t>(v & 0xFFFF)) + Le16(static_cast<int32_t>((v >> 16) & 0xFFFF));
}

// Signed code bytes as a string.
inline std::string Codes(std::initializer_list<int> codes) {
  std::string s;
  for (int c : codes) s += static_cast<char>(static_cast<int8_t>(c));
  return s;
}

// "VODIDIZI" and the version byte.
inline std::string Signature(int version = 3) {
  return std::string("VODIDIZI") + static_cast<char>(version);
}

// A chunk with its real body length (or `length` when given).
inline std::string Chunk(const std::string& tag, const std::string& body, int version = 3,
                         std::optional<int64_t> length = std::nullopt) {
  return tag + static_cast<char>(version) + Le32(length.value_or(static_cast<int64_t>(body.size()))) + body;
}

// The 88-byte inline bitmap header.
inline std::string Inline_Header(int32_t width, int32_t height, int32_t depth, int32_t rowBytes,
                                 int32_t bitsSize, int32_t blockSize, int32_t code, int32_t kind) {
  std::string s = Le16(width) + Le16(height) + Le16(depth) + Le16(0) + Le32(rowBytes) + Le32(bitsSize) +
                  Le32(blockSize) + Le16(code) + Le16(kind);
  return s + std::string(64, '\0');
}

// Writes a file through ListFile with `write` and returns its bytes.
inline std::string Written(const std::function<void(ListFile&)>& write) {
  TempDir dir;
  const std::string path = dir.File("written.rgl");
  ListFile file;
  file.Open_For_Writing(path);
  write(file);
  file.Close();
  return Read_File_Bytes(path);
}
