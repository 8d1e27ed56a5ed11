// Copying a texture map through a region's shape.

#include <algorithm>

#include "raster/OffMap.h"

bool OffMap::Copy_TextureMap_to_OffMap(std::string& err, const OffMap& textureMap, const OffMap& regionMap,
                                       OffMap& targetMap, int16_t scale, int16_t directionCode) {
  err.clear();
  const int32_t w = regionMap.m_width;
  const int32_t h = regionMap.m_height;
  if (textureMap.m_width < w || textureMap.m_height < h) {
    err = "OffMap::Copy_TextureMap_to_OffMap failed,  the file TEXTUREMAP is smaller than the RegionSubject.";
    return false;
  }
  if (directionCode < 0 || directionCode > 3) {
    err = "OffMap::Copy_TextureMap_to_OffMap failed,  directionCode is out of bounds.";
    return false;
  }
  const bool mirrored = directionCode == 0 || directionCode == 2;
  const bool flipped = directionCode == 1 || directionCode == 3;

  // The same reads and stores as Get_Pixel and Set_Pixel, on row pointers.
  // Pixels are visited row by row and read just before the store, so the
  // result is the same even when the maps are one and the same.
  const auto read = [](const OffMap& map, int64_t x, int64_t y, int16_t& r, int16_t& g, int16_t& b) {
    r = g = b = 255;
    if (map.m_bits != nullptr && x >= 0 && y >= 0 && x < map.m_width && y < map.m_height)
      Read_In_Row(map.Row(static_cast<int32_t>(y)), map.m_depth, static_cast<int32_t>(x), r, g, b);
    else
      map.Get_Pixel(-1, -1, r, g, b);  // the colour every read outside the map gives
  };

  for (int32_t y = 0; y < h; ++y) {
    if (targetMap.m_bits == nullptr || y >= targetMap.m_height) break;
    const int64_t textureY = static_cast<int64_t>(scale) * (flipped ? h - 1 - y : y);
    const int32_t columns = std::min(w, targetMap.m_width);
    for (int32_t x = 0; x < columns; ++x) {
      int16_t r, g, b;
      read(regionMap, x, y, r, g, b);
      if (r == 255 && g == 255 && b == 255) continue;
      const int64_t textureX = static_cast<int64_t>(scale) * (mirrored ? w - 1 - x : x);
      read(textureMap, textureX, textureY, r, g, b);
      Store_In_Row(targetMap.Row(y), targetMap.m_depth, x, r, g, b);
    }
  }
  return true;
}
