#pragma once
// Regions made by hand for the region list and composition tests: a solid
// block of one colour on its own map, placed at a frame on the canvas, with
// the auto descriptor in force.

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "raster/ColorSpace.h"
#include "raster/OffMap.h"
#include "regions/RegionListSubject.h"
#include "regions/RegionSubject.h"

// Kept apart from the region object tests that share the test program.
namespace regionlist_test {

struct BlockSpec {
  int32_t x = 0, y = 0, width = 4, height = 4;
  int16_t r = 200, g = 100, b = 50;
  int16_t separationID = 0;
  int16_t huntColorIndex = 1;
  bool subRegion = true;
};

// A region whose map is `shape`'s colour all over; its hunt colour is that
// colour too, its pixel count the map's pixels.
inline std::unique_ptr<RegionSubject> Make_Block_Region(const BlockSpec& shape) {
  auto region = std::make_unique<RegionSubject>();
  region->Set_Maps(std::make_unique<OffMap>(shape.width, shape.height, 24),
                   std::make_unique<OffMap>(shape.width, shape.height, 24));
  for (int32_t y = 0; y < shape.height; ++y) {
    for (int32_t x = 0; x < shape.width; ++x) {
      region->Get_Region_Map()->Set_Pixel(x, y, shape.r, shape.g, shape.b);
      region->Get_Display_Map()->Set_Pixel(x, y, shape.r, shape.g, shape.b);
    }
  }
  region->Set_Substitution_Mode(1);
  region->Set_Generation_Code(shape.subRegion ? RegionSubject::kSubRegion : RegionSubject::kSeparationRegion);
  region->Set_Separation_ID(shape.separationID);
  region->Set_Hunt_Color_Index(shape.huntColorIndex);
  RegionDescriptor& d = region->Get_Auto_Descriptor();
  d.color = Pack_RGB(shape.r, shape.g, shape.b);
  d.pixelCount = shape.subRegion ? shape.width * shape.height : -1;
  d.centroidX = static_cast<int16_t>(shape.width / 2);
  d.centroidY = static_cast<int16_t>(shape.height / 2);
  d.frame.Set_Position(shape.x, shape.y);
  d.frame.Set_Size(shape.width, shape.height);
  return region;
}

// Appends a block region to the list and hands back its address.
inline RegionSubject* Add_Block(RegionListSubject& list, const BlockSpec& shape) {
  std::unique_ptr<RegionSubject> region = Make_Block_Region(shape);
  RegionSubject* raw = region.get();
  std::string err;
  if (!list.Add_ChildSubject(region.release(), err)) return nullptr;
  return raw;
}

// The regions of the list in list order.
inline std::vector<RegionSubject*> Regions_Of(RegionListSubject& list) {
  std::vector<RegionSubject*> regions;
  for (ComponentSubject* child : list.Get_Children_List())
    regions.push_back(dynamic_cast<RegionSubject*>(child));
  return regions;
}

struct Rgb {
  int16_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

inline Rgb Pixel_At(const OffMap& map, int32_t x, int32_t y) {
  Rgb c{0, 0, 0};
  map.Get_Pixel(x, y, c.r, c.g, c.b);
  return c;
}

inline void PrintTo(const Rgb& c, std::ostream* os) {
  *os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

}  // namespace regionlist_test
