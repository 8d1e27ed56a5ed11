#pragma once
// The stock colour sets: fixed, named selections of standard colours from
// which the palette calculation picks colours and which fill the colour
// choices of the separation rows.  A set is stored by its index.

#include <cstdint>
#include <span>

struct StockColorSet {
  const char* nickname;
  std::span<const char* const> members;  // standard colour nicknames, in set order
  bool repeatColorsAllowed;              // the palette may use one colour for several positions
};

inline constexpr int16_t kStockColorSetCount = 16;

extern const StockColorSet StockColorSets[kStockColorSetCount];
