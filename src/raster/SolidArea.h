#pragma once
// SolidArea: one connected area cut out of a map by Generate_SolidAreas.

#include <memory>

#include "framework/Rects.h"
#include "raster/OffMap.h"

class SolidArea {
 public:
  SolidArea(std::unique_ptr<OffMap> areaMap, PointLong areaOrigin)
      : map(std::move(areaMap)), origin(areaOrigin) {}
  virtual ~SolidArea() = default;
  SolidArea(const SolidArea&) = delete;
  SolidArea& operator=(const SolidArea&) = delete;

  // The area's pixels as they were in the source, white everywhere else; the
  // map is as large as the area's bounding box.
  std::unique_ptr<OffMap> map;
  // Top-left corner of that box in the source map.
  PointLong origin;
};
