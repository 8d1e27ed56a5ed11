#pragma once
// Map helpers shared by the region sources.

#include <cstdint>
#include <memory>
#include <string>

#include "raster/OffMap.h"
#include "render/ImageFiles.h"

// A byte copy of `map`; null when it cannot be allocated.
inline std::unique_ptr<OffMap> Copy_Of_Map(const OffMap& map) {
  std::unique_ptr<OffMap> copy = OffMap::Make(map.Get_Width(), map.Get_Height(), map.Get_Depth());
  std::string err;
  if (copy == nullptr || !copy->Copy_Bits(map, err)) return nullptr;
  return copy;
}

// White at threshold 250 (all components at least 250), as Is_Pixel_Light
// says inside the map, read straight from the row.
inline bool Is_Light_Pixel(const OffMap& map, int32_t x, int32_t y) {
  if (map.Get_Depth() == 24) {
    const uint8_t* p = map.Row(y) + 3 * static_cast<int64_t>(x);
    return p[0] >= 250 && p[1] >= 250 && p[2] >= 250;
  }
  return map.Is_Pixel_Light(x, y, 250, true);
}

// Copies one pixel between maps of the same depth, as Get_Pixel and
// Set_Pixel would; both points lie inside their maps.
inline void Copy_Map_Pixel(const OffMap& from, int32_t fx, int32_t fy, OffMap& to, int32_t tx, int32_t ty) {
  if (from.Get_Depth() == 24 && to.Get_Depth() == 24) {
    const uint8_t* s = from.Row(fy) + 3 * static_cast<int64_t>(fx);
    uint8_t* d = to.Row(ty) + 3 * static_cast<int64_t>(tx);
    d[0] = s[0];
    d[1] = s[1];
    d[2] = s[2];
    return;
  }
  int16_t r = 0, g = 0, b = 0;
  from.Get_Pixel(fx, fy, r, g, b);
  to.Set_Pixel(tx, ty, r, g, b);
}

// Reads a BMP file into a new map.  An empty path is refused (null, no
// text) rather than answered with an open dialog: the region operations
// read files they already know the names of.
inline std::unique_ptr<OffMap> Read_Bitmap_File(Platform& platform, const std::string& path,
                                                std::string& err) {
  err.clear();
  if (path.empty()) return nullptr;
  std::string used = path;
  bool fileProblem = false;
  return Load_Bitmap_File_Dialog_STATIC(platform, used, fileProblem, err);
}
