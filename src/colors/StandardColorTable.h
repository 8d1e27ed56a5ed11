#pragma once
// The standard paint colours.  Every separation row, region and palette
// position refers to a colour by its index in this table; row 0 stands for
// "no colour".

#include <cstdint>

struct StandardColorEntry {
  const char* nickname;
  int16_t hue;  // degrees 0..359; -1 for a grey
  int16_t sat;  // 0..255
  int16_t val;  // 0..255
};

inline constexpr int16_t kStandardColorCount = 34;

extern const StandardColorEntry StandardColors[kStandardColorCount];

// True for 0..33.  The bound is taken on the index as unsigned, so negative
// indices fall outside as well.
inline bool Is_Standard_Color_Index(int16_t index) {
  return static_cast<uint16_t>(index) < static_cast<uint16_t>(kStandardColorCount);
}
