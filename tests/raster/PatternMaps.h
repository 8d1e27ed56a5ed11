#pragma once
// Maps drawn as rows of characters, for the fill and compositing tests.
//   '#' black   '.' white   'c' (10, 20, 30)   'g' (128, 128, 128)
//   'r' (200, 0, 0)   'R' (201, 0, 0)   'w' (252, 252, 252), light but not white
// Reading a map back gives '?' for any other colour.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "raster/OffMap.h"

using Pattern = std::vector<std::string>;

struct PatternColour {
  char code;
  int16_t r, g, b;
};

inline const std::vector<PatternColour>& Pattern_Colours() {
  static const std::vector<PatternColour> colours = {
      {'#', 0, 0, 0},   {'.', 255, 255, 255}, {'c', 10, 20, 30},   {'g', 128, 128, 128},
      {'r', 200, 0, 0}, {'R', 201, 0, 0},     {'w', 252, 252, 252}};
  return colours;
}

inline std::unique_ptr<OffMap> Pattern_Map(const Pattern& rows, int32_t depth = 24) {
  const auto h = static_cast<int32_t>(rows.size());
  const auto w = static_cast<int32_t>(rows.front().size());
  auto map = std::make_unique<OffMap>(w, h, depth);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      for (const PatternColour& c : Pattern_Colours())
        if (c.code == rows[y][x]) map->Set_Pixel(x, y, c.r, c.g, c.b);
  return map;
}

inline Pattern Pattern_Of(const OffMap& map) {
  Pattern rows;
  for (int32_t y = 0; y < map.Get_Height(); ++y) {
    std::string row;
    for (int32_t x = 0; x < map.Get_Width(); ++x) {
      int16_t r = 0, g = 0, b = 0;
      map.Get_Pixel(x, y, r, g, b);
      char code = '?';
      for (const PatternColour& c : Pattern_Colours())
        if (c.r == r && c.g == g && c.b == b) code = c.code;
      row += code;
    }
    rows.push_back(row);
  }
  return rows;
}

// A white 8-bit mask of the map's size, as the fills expect.
inline std::unique_ptr<OffMap> White_Mask(const OffMap& like) {
  auto mask = std::make_unique<OffMap>(like.Get_Width(), like.Get_Height(), 8);
  mask->Fill(255);
  return mask;
}

// "left,top,right,bottom", for comparing boxes.
inline std::string Box(const RectShrt& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}
