#pragma once
// Maps and regions built by hand for the region object, painting and view
// tests.

#include <cstdint>
#include <memory>

#include "raster/ColorSpace.h"
#include "raster/OffMap.h"
#include "regions/RegionMaps.h"
#include "regions/RegionSubject.h"
#include "support/TestSupport.h"

namespace region_test {

struct Color {
  int16_t r = 0, g = 0, b = 0;
  bool operator==(const Color&) const = default;
};

inline Color Pixel(const OffMap& map, int32_t x, int32_t y) {
  Color c;
  map.Get_Pixel(x, y, c.r, c.g, c.b);
  return c;
}

inline std::unique_ptr<OffMap> White_Map(int32_t width, int32_t height) {
  auto map = std::make_unique<OffMap>(width, height, 24);
  map->Fill(255);
  return map;
}

// Fills the inclusive rectangle with the colour.
inline void Paint_Rect(OffMap& map, int32_t left, int32_t top, int32_t right, int32_t bottom, Color c) {
  for (int32_t y = top; y <= bottom; ++y)
    for (int32_t x = left; x <= right; ++x) map.Set_Pixel(x, y, c.r, c.g, c.b);
}

// A map whose every pixel differs from its neighbours (and is never white).
inline std::unique_ptr<OffMap> Pattern_Map(int32_t width, int32_t height) {
  auto map = std::make_unique<OffMap>(width, height, 24);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x)
      map->Set_Pixel(x, y, static_cast<int16_t>((x * 7 + y * 3) % 240),
                     static_cast<int16_t>((x * 5 + y * 11) % 240), static_cast<int16_t>((x + y * 13) % 240));
  return map;
}

// Takes one of a region's maps away, keeping a copy of the other: the
// region a damaged list or a failed allocation leaves behind.
inline void Drop_Region_Map(RegionSubject& region) {
  const OffMap* display = region.Get_Display_Map();
  region.Set_Maps(nullptr, display != nullptr ? Copy_Of_Map(*display) : nullptr);
}
inline void Drop_Display_Map(RegionSubject& region) {
  const OffMap* map = region.Get_Region_Map();
  region.Set_Maps(map != nullptr ? Copy_Of_Map(*map) : nullptr, nullptr);
}

// A sub-region with the auto descriptor in force whose region map (and
// display map) is a copy of `map`, placed at (x, y) with the map's size.
inline std::unique_ptr<RegionSubject> Region_With_Map(const OffMap& map, int32_t x, int32_t y,
                                                      Color hunt = {200, 100, 50}) {
  auto region = std::make_unique<RegionSubject>();
  auto regionMap = std::make_unique<OffMap>(map.Get_Width(), map.Get_Height(), map.Get_Depth());
  regionMap->Assign_Copy(map);
  auto display = std::make_unique<OffMap>(map.Get_Width(), map.Get_Height(), map.Get_Depth());
  display->Assign_Copy(map);
  region->Set_Maps(std::move(regionMap), std::move(display));
  region->Set_Substitution_Mode(1);
  region->Set_Generation_Code(RegionSubject::kSubRegion);
  region->Get_Auto_Descriptor().color = Pack_RGB(hunt.r, hunt.g, hunt.b);
  region->Get_Auto_Descriptor().frame.Set_Position(x, y);
  region->Get_Auto_Descriptor().frame.Set_Size(map.Get_Width(), map.Get_Height());
  return region;
}

}  // namespace region_test
