#pragma once
// Helpers of the outline detector and outline dialog tests: brush tables
// made in the test, chains from coordinates, and reading maps back.

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "outline/OutlineDetector.h"
#include "outline/PixelChain.h"
#include "raster/OffMap.h"
#include "render/ResourceBitmapUtility.h"

namespace outline_test {

using Point = std::pair<int, int>;
using PointSet = std::set<Point>;

// A brush table of 40 empty rows; Set fills one row with a strip whose
// grey at (x, y) is value(x, y).
struct BrushTable {
  ResourceBitmapUtility rows[OutlineDetector::kBrushCount];

  void Set(int index, const std::string& name, int width, int height,
           const std::function<int(int, int)>& value) {
    ResourceBitmapUtility& row = rows[index];
    row.name = name;
    row.width = static_cast<int16_t>(width);
    row.height = static_cast<int16_t>(height);
    row.m_pencilMapFromResource = std::make_unique<OffMap>(width, height, 8);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const int16_t v = static_cast<int16_t>(value(x, y));
        row.m_pencilMapFromResource->Set_Pixel(x, y, v, v, v);
      }
  }
  void Set_Flat(int index, const std::string& name, int width, int height, int value) {
    Set(index, name, width, height, [value](int, int) { return value; });
  }
};

inline PixelChain* New_Chain(const std::vector<Point>& points, int16_t id = -1) {
  auto* chain = new PixelChain;
  for (const auto& [x, y] : points)
    chain->Add_To_Tail(new Pixel{static_cast<int16_t>(x), static_cast<int16_t>(y)});
  chain->m_creationID = id;
  return chain;
}

inline std::vector<Point> Points_Of(const PixelChain& chain) {
  std::vector<Point> out;
  for (const Pixel* pixel : chain) out.emplace_back(pixel->x, pixel->y);
  return out;
}

inline std::vector<const PixelChain*> Chains_Of(const ListMemry<PixelChain>& list) {
  std::vector<const PixelChain*> out;
  for (const PixelChain* chain : list) out.push_back(chain);
  return out;
}

inline int Grey(const OffMap& map, int x, int y) {
  int16_t r = 0, g = 0, b = 0;
  map.Get_Pixel(x, y, r, g, b);
  return r;
}

inline std::unique_ptr<OffMap> White_Map(int width, int height, int depth = 8) {
  auto map = std::make_unique<OffMap>(width, height, depth);
  map->Fill(255);
  return map;
}

// The pixels whose first component is below `limit`.
inline PointSet Pixels_Below(const OffMap& map, int limit = 255) {
  PointSet out;
  for (int y = 0; y < map.Get_Height(); ++y)
    for (int x = 0; x < map.Get_Width(); ++x)
      if (Grey(map, x, y) < limit) out.insert({x, y});
  return out;
}

// A white 24-bit map with the rectangle (inclusive) filled with grey `fill`.
inline std::unique_ptr<OffMap> Photo_With_Rect(int width, int height, int left, int top, int right,
                                               int bottom, int16_t fill = 0) {
  auto map = std::make_unique<OffMap>(width, height, 24);
  map->Fill(255);
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) map->Set_Pixel(x, y, fill, fill, fill);
  return map;
}

}  // namespace outline_test
