#pragma once
// A small illustration for the separation engine tests: an application
// object whose pre-processed map is drawn by the test, and an engine that
// numbers regions from the application's region counter and records its
// redraw requests.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/RegionEditorApp.h"
#include "framework/WindowsUpdater.h"
#include "raster/OffMap.h"
#include "regions/RegionSubject.h"
#include "separation/ColorSeparator.h"
#include "support/TestSupport.h"

namespace separation_test {

struct Rgb {
  int16_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

inline Rgb Pixel_At(const OffMap& map, int32_t x, int32_t y) {
  Rgb c;
  map.Get_Pixel(x, y, c.r, c.g, c.b);
  return c;
}

inline void Fill_Rect(OffMap& map, int32_t left, int32_t top, int32_t width, int32_t height, Rgb c) {
  for (int32_t y = top; y < top + height; ++y)
    for (int32_t x = left; x < left + width; ++x) map.Set_Pixel(x, y, c.r, c.g, c.b);
}

inline const Rgb kWhite{255, 255, 255};

class SeparatorTest : public ::testing::Test {
 protected:
  static constexpr int32_t kWidth = 40;
  static constexpr int32_t kHeight = 30;

  SeparatorTest() {
    std::string err;
    RenderMan& rm = app.Get_RenderMan();
    EXPECT_TRUE(rm.Alloc_Source_Bitmaps_for_Virtual_Project(kWidth, kHeight, err)) << err;
    EXPECT_TRUE(rm.Alloc_Support_Bitmaps_for_Image_Creation(kHeight, kWidth, err)) << err;
    rm.Mark_Filtered_Image_Rendered();
  }

  OffMap& Filtered() { return *app.Get_RenderMan().Get_Filtered_Map(); }
  OffMap* Subtract() { return app.Get_RenderMan().Get_Subtract_Map(); }
  RegionListSubject& List() { return app.Get_RegionList(); }

  // The regions of the list, in list order.
  std::vector<RegionSubject*> Regions() {
    std::vector<RegionSubject*> out;
    for (ComponentSubject* child : List().Get_Children_List())
      out.push_back(dynamic_cast<RegionSubject*>(child));
    return out;
  }

  // Component-threshold parms without closing or opening, so that the
  // regions keep the shapes drawn.
  static SeparationParms Plain_Parms(Rgb hunt, int16_t colorIndex) {
    SeparationParms p;
    p.huntRed = hunt.r;
    p.huntGreen = hunt.g;
    p.huntBlue = hunt.b;
    p.huntColorIndex = colorIndex;
    p.morphMode = 0;
    p.minPixelCount = 10;
    p.holePlugSize = 20;
    return p;
  }

  TestPlatform platform;
  RegionEditorApp app{platform.Get()};
  RecordingWindowsUpdater updater;
  ColorSeparator separator{app.Get_RenderMan(), updater, &app.Get_Document().regionCounter};
};

}  // namespace separation_test
