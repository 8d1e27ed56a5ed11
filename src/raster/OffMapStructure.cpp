// Structure matching: the hit-or-miss tests of the line-cleaning filters.

#include "raster/OffMap.h"

const int8_t OffMap::kStructureOffsets[kStructureCells][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0},
                                                              {1, 0},   {-1, 1}, {0, 1},  {1, 1}};

bool OffMap::Matches_Structure_Cell(int32_t x, int32_t y, int16_t code, int16_t threshold) const {
  switch (code) {
    case 0:
      return !Is_Inside(x, y) || Is_Pixel_Light(x, y, threshold, true);
    case 1:
      return Is_Inside(x, y) && Is_Pixel_Light(x, y, threshold, false);
    case 2:
      return true;
    default:
      return false;
  }
}

bool OffMap::Matches_Structure_Element(int32_t x, int32_t y, int16_t cellCount, const int16_t* element,
                                       int16_t threshold) const {
  if (element == nullptr) return false;
  const int count = cellCount < kStructureCells ? cellCount : kStructureCells;
  for (int i = 0; i < count; ++i) {
    if (!Matches_Structure_Cell(x + kStructureOffsets[i][0], y + kStructureOffsets[i][1], element[i],
                                threshold))
      return false;
  }
  return true;
}
