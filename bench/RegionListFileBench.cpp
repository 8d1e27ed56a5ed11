// Saving and loading a region list file of 200 regions on a 400 x 300
// canvas: once with the masks a separation series leaves (run-length coded
// rows), once with painted regions (whole colour maps), each with an
// outline.  The goal is 30 ms or less for each save and each load.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchSample.h"
#include "app/RegionEditorApp.h"
#include "persistence/RegionListFileCommands.h"
#include "raster/ColorSpace.h"
#include "raster/OffMap.h"
#include "render/ImageFiles.h"

namespace {

constexpr int32_t kRegions = 200;
constexpr int32_t kCanvasWidth = 400;
constexpr int32_t kCanvasHeight = 300;

// An application holding 200 elliptic regions of 20 .. 119 x 15 .. 89
// pixels spread over the canvas; painted regions carry a grain of colours,
// masks one colour.
class ListOf200 {
 public:
  explicit ListOf200(bool painted) : m_app(m_platform.Get()) {
    RegionListSubject& list = m_app.Get_RegionList();
    list.Set_Canvas_Size(kCanvasWidth, kCanvasHeight, m_error);
    for (int32_t i = 0; i < kRegions; ++i) {
      const int32_t w = 20 + (i * 37) % 100, h = 15 + (i * 53) % 75;
      auto* region = new RegionSubject();
      region->Set_Generation_Code(RegionSubject::kSubRegion);
      region->Set_Substitution_Mode(painted ? 0 : 1);
      region->Set_Serial_Number(static_cast<int16_t>(i));
      region->Set_Separation_ID(static_cast<int16_t>(i % 5));
      const int16_t r = static_cast<int16_t>((i * 41) % 200), g = static_cast<int16_t>((i * 71) % 200),
                    b = 90;
      auto map = std::make_unique<OffMap>(w, h, 24);
      map->Fill(255);
      for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
          const double dx = (x - w / 2.0) / (w / 2.0), dy = (y - h / 2.0) / (h / 2.0);
          if (dx * dx + dy * dy > 1.0) continue;
          const int16_t grain = painted ? static_cast<int16_t>((x * 7 + y * 13) % 40) : 0;
          map->Set_Pixel(x, y, static_cast<int16_t>(r + grain), static_cast<int16_t>(g + grain), b);
        }
      auto display = std::make_unique<OffMap>(w, h, 24);
      display->Assign_Copy(*map);
      region->Set_Maps(std::move(map), std::move(display));
      RegionDescriptor& d = region->Get_Current_Descriptor();
      d.color = Pack_RGB(r, g, b);
      d.frame.Set_Position((i * 97) % (kCanvasWidth - w), (i * 61) % (kCanvasHeight - h));
      d.frame.Set_Size(w, h);
      list.Add_ChildSubject(region, m_error);
    }
    RenderMan& rm = m_app.Get_RenderMan();
    rm.Create_Outline_Map(kCanvasHeight, kCanvasWidth);
    for (int32_t i = 0; i < kCanvasWidth; ++i) rm.Get_Outline_Map()->Set_Pixel(i, i * 3 / 4, 60, 60, 60);
  }

  RegionEditorApp& App() { return m_app; }
  std::string& Error() { return m_error; }

 private:
  BenchPlatform m_platform;
  RegionEditorApp m_app;
  std::string m_error;
};

std::string Bench_Path(const char* name) {
  return (std::filesystem::temp_directory_path() / (std::string("quorlin-bench-") + name + ".rgl")).string();
}

void Save_List(benchmark::State& state, bool painted) {
  ListOf200 list(painted);
  const std::string path = Bench_Path(painted ? "painted" : "masks");
  RegionListFileCommands commands(list.App().List_File_Context());
  for (auto _ : state) {
    if (!commands.Save_RegionList_To(path, list.Error())) state.SkipWithError(list.Error().c_str());
  }
  std::remove(path.c_str());
}

void Load_List(benchmark::State& state, bool painted) {
  ListOf200 list(painted);
  const std::string path = Bench_Path(painted ? "painted-load" : "masks-load");
  RegionListFileCommands commands(list.App().List_File_Context());
  if (!commands.Save_RegionList_To(path, list.Error())) {
    state.SkipWithError(list.Error().c_str());
    return;
  }
  BenchPlatform platform;
  RegionEditorApp app(platform.Get());
  RegionListFileCommands loader(app.List_File_Context());
  for (auto _ : state) {
    platform.Dialogs().Queue_Path(path);
    bool same = false, photo = false, cancelled = false;
    std::string err;
    if (!loader.Load_RegionList(same, photo, cancelled, err) ||
        app.Get_RegionList().Get_Region_Count() != kRegions)
      state.SkipWithError(err.c_str());
  }
  std::remove(path.c_str());
}

void BM_Save_RegionList_200_Masks(benchmark::State& state) {
  Save_List(state, false);
}
void BM_Save_RegionList_200_Painted(benchmark::State& state) {
  Save_List(state, true);
}
void BM_Load_RegionList_200_Masks(benchmark::State& state) {
  Load_List(state, false);
}
void BM_Load_RegionList_200_Painted(benchmark::State& state) {
  Load_List(state, true);
}

}  // namespace

BENCHMARK(BM_Save_RegionList_200_Masks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save_RegionList_200_Painted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load_RegionList_200_Masks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load_RegionList_200_Painted)->Unit(benchmark::kMillisecond);
