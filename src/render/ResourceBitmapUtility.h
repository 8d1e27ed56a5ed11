#pragma once
// One row of the render manager's pencil-brush table: a line style's name
// and the strip of stroke texture its lines are stamped with.  The strip
// comes from one of the program's bitmap resources and is kept as an 8-bit
// map of grey values; the pencil-line painter reads it column by column.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/PlatformServices.h"
#include "raster/OffMap.h"

struct ResourceBitmapUtility {
  std::string name;        // the line style's name, "" for an empty row
  int32_t resourceId = 0;  // the bitmap resource of the strip, 0 for an empty row
  int16_t width = -1;      // size of the brush map, -1 for an empty row
  int16_t height = -1;
  // The resource the map was loaded from (its pixels belong to the program).
  ResourceBitmap bitmap;
  // The brush: 8-bit, width x height, null until loaded.
  std::unique_ptr<OffMap> m_pencilMapFromResource;
};
