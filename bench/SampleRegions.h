#pragma once
// The application with the sample photo's regions, shared by the benchmarks
// that work on a region list: the 400 x 300 sample's watercolour rendering
// cut into separations until about 200 sub-regions are listed, with an
// outline and an undo list of the regions.

#include <memory>
#include <string>

#include "BenchSample.h"
#include "app/RegionEditorApp.h"
#include "colors/StandardColors.h"
#include "raster/OffMap.h"
#include "render/ImageFiles.h"
#include "render/TextureMaps.h"
#include "separation/ColorSeparator.h"

namespace bench_regions {

constexpr int32_t kWantedRegions = 200;

// The application with the sample photo's watercolour rendering cut into
// separations until about 200 sub-regions are listed.  As in a separation
// series, each separation is taken from what the earlier ones left (the
// subtract map): its pixels at least as dark as a paint colour in every
// channel.
class SampleRegions {
 public:
  SampleRegions() : m_app(m_platform.Get(), Default_Texture_Folder()) {
    RenderMan& rm = m_app.Get_RenderMan();
    if (!Load_Bench_Sample(rm, m_error)) return;
    if (!rm.WatercolorFilter_For_Separations(m_app.Get_Settings().watercolorParms, m_error)) return;
    if (!rm.Initialize_SubtractMap_with_Source_Image_for_SeparationCreation(m_error)) return;
    // Darker paints first, as a palette's rows come.
    const int16_t colors[] = {29, 28, 16, 17, 18, 19, 27, 26, 25, 24, 15, 10, 8,  6,  1,  2, 3,
                              4,  5,  7,  9,  11, 12, 13, 14, 23, 22, 21, 20, 30, 31, 32, 33};
    int16_t id = 0;
    for (int16_t color : colors) {
      if (m_app.Get_RegionList().Get_Region_Count() >= kWantedRegions) break;
      if (!Add_Separation(color, id++)) return;
    }
    Trim_To(kWantedRegions);
    if (!rm.Create_Outline_Map(300, 400)) return;
    for (int32_t i = 0; i < 300; ++i) rm.Get_Outline_Map()->Set_Pixel(i + 50, i, 0, 0, 0);
    if (!m_app.Get_RegionList().Create_UndoList(m_error)) return;
    m_ready = true;
  }

  bool Ready() const { return m_ready; }
  const std::string& Error() const { return m_error; }
  RegionEditorApp& App() { return m_app; }

 private:
  bool Add_Separation(int16_t colorIndex, int16_t separationID) {
    RenderMan& rm = m_app.Get_RenderMan();
    int16_t r = 0, g = 0, b = 0;
    if (!Get_StandardColors_RGB_from_Table(colorIndex, r, g, b, m_error)) return false;
    const OffMap& filtered = *rm.Get_Subtract_Map();
    auto map = std::make_unique<OffMap>(filtered.Get_Width(), filtered.Get_Height(), 24);
    for (int32_t y = 0; y < filtered.Get_Height(); ++y) {
      for (int32_t x = 0; x < filtered.Get_Width(); ++x) {
        int16_t pr = 0, pg = 0, pb = 0;
        filtered.Get_Pixel(x, y, pr, pg, pb);
        if (pr > r || pg > g || pb > b) pr = pg = pb = 255;
        map->Set_Pixel(x, y, pr, pg, pb);
      }
    }
    std::unique_ptr<RegionSubject> separation = RegionSubject::Create_Region_from_Separation_Map(
        m_error, "list.rgl", std::move(map), 0, true, r, g, b, "sep" + std::to_string(separationID) + ".bmp",
        m_app.Get_Platform());
    if (separation == nullptr) return false;
    separation->Set_Hunt_Color_Index(colorIndex);
    RegionListSubject& list = m_app.Get_RegionList();
    if (!separation->Generate_SubRegions(*separation->Get_Region_Map(), list, 4, false, separationID, 0, true,
                                         m_app.Get_Document().regionCounter, m_app.Get_Platform(), m_error))
      return false;
    rm.Get_Subtract_Map()->Assign_Copy(*rm.Get_Filtered_Map());
    RectLong all;
    all.left = -1;
    int32_t count = 0;
    return list.Subtract_Regions_from_Offmap(*rm.Get_Subtract_Map(), true, nullptr, -1, all, count, m_error);
  }

  void Trim_To(int32_t count) {
    ListMemry<ComponentSubject>& regions = m_app.Get_RegionList().Get_Children_List();
    while (regions.Get_Count() > count) regions.Remove_Object(regions.Get_Last());
  }

  BenchPlatform m_platform;
  RegionEditorApp m_app;
  std::string m_error;
  bool m_ready = false;
};

inline SampleRegions& Sample() {
  static SampleRegions sample;
  return sample;
}

}  // namespace bench_regions
