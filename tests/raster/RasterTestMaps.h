#pragma once
// Small helpers of the raster tests: reading a pixel as one value and
// building maps from rows of values.

#include <array>
#include <initializer_list>
#include <memory>
#include <vector>

#include "raster/OffMap.h"

using Rgb3 = std::array<int16_t, 3>;

inline Rgb3 Px(const OffMap& map, int32_t x, int32_t y) {
  Rgb3 c{-99, -99, -99};
  map.Get_Pixel(x, y, c[0], c[1], c[2]);
  return c;
}

inline void Put(OffMap& map, int32_t x, int32_t y, Rgb3 c) {
  map.Set_Pixel(x, y, c[0], c[1], c[2]);
}

// A map whose pixels are all `c`.
inline std::unique_ptr<OffMap> Solid_Map(int32_t w, int32_t h, int32_t depth, Rgb3 c) {
  auto map = std::make_unique<OffMap>(w, h, depth);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) Put(*map, x, y, c);
  return map;
}

// A tonal (or mask) map from rows of grey values, top row first.
inline std::unique_ptr<OffMap> Grey_Map(std::initializer_list<std::vector<int16_t>> rows, int32_t depth = 8) {
  const int32_t h = static_cast<int32_t>(rows.size());
  const int32_t w = static_cast<int32_t>(rows.begin()->size());
  auto map = std::make_unique<OffMap>(w, h, depth);
  int32_t y = 0;
  for (const auto& row : rows) {
    for (int32_t x = 0; x < w; ++x) map->Set_Pixel(x, y, row[x], row[x], row[x]);
    ++y;
  }
  return map;
}

// The red components of one row.
inline std::vector<int16_t> Reds(const OffMap& map, int32_t y) {
  std::vector<int16_t> out;
  for (int32_t x = 0; x < map.Get_Width(); ++x) out.push_back(Px(map, x, y)[0]);
  return out;
}
