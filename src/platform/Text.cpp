#include "platform/Text.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <vector>

std::string Text_Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int needed = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string out;
  if (needed > 0) {
    std::vector<char> buf(static_cast<size_t>(needed) + 1);
    std::vsnprintf(buf.data(), buf.size(), format, args);
    out.assign(buf.data(), static_cast<size_t>(needed));
  }
  va_end(args);
  return out;
}

namespace {

// Decodes one UTF-8 code point at `i`, advancing it; malformed bytes come
// back as themselves so that they still compare exactly.
uint32_t Next_Code_Point(std::string_view s, size_t& i) {
  const auto byte = [&](size_t k) { return static_cast<uint8_t>(s[k]); };
  const uint8_t b0 = byte(i);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int extra = 0;
  uint32_t cp = b0;
  if (b0 >= 0xC0 && b0 < 0xE0) {
    extra = 1;
    cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 < 0xF0) {
    extra = 2;
    cp = b0 & 0x0F;
  } else if (b0 >= 0xF0 && b0 < 0xF8) {
    extra = 3;
    cp = b0 & 0x07;
  }
  if (extra == 0 || i + static_cast<size_t>(extra) >= s.size()) {
    ++i;
    return b0 | 0x80000000u;  // a lone byte, kept apart from real code points
  }
  for (int k = 1; k <= extra; ++k) {
    const uint8_t b = byte(i + k);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return b0 | 0x80000000u;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  i += static_cast<size_t>(extra) + 1;
  return cp;
}

uint32_t Fold_Case(uint32_t cp) {
  if (cp >= 'A' && cp <= 'Z') return cp + 32;
  if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 32;  // Latin-1 capitals
  if (cp >= 0x100 && cp <= 0x17F && cp != 0x130 && cp != 0x131 && cp != 0x138 && cp != 0x149 && cp != 0x17F) {
    // Latin Extended-A pairs capitals and small letters; the pairing shifts
    // parity in the ranges 0x139..0x148 and 0x179..0x17E.
    const bool oddIsCapital = (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E);
    const bool isCapital = oddIsCapital ? (cp & 1) != 0 : (cp & 1) == 0;
    return isCapital ? cp + 1 : cp;
  }
  return cp;
}

}  // namespace

bool Equal_NoCase(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (Fold_Case(Next_Code_Point(a, i)) != Fold_Case(Next_Code_Point(b, j))) return false;
  }
  return i == a.size() && j == b.size();
}
