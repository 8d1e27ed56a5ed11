// Region painting on a 400 x 300 canvas covered by 200 overlapping
// sub-regions: painting every region with a colour texture (texture copy
// and colour fit), and recomposing the layered image from the painted
// regions, which happens on every change of the illustration.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/headless/Headless.h"
#include "platform/qt/QtPictureCodec.h"
#include "raster/ColorSpace.h"
#include "regions/RegionPainting.h"
#include "regions/RegionSubject.h"
#include "render/RenderMan.h"
#include "render/TextureMaps.h"

namespace {

constexpr int32_t kCanvasW = 400;
constexpr int32_t kCanvasH = 300;

// 20 x 10 regions, each an elliptic blob of 40 x 45 pixels in shaded
// colours, placed every 20 pixels across and 30 down.
std::vector<std::unique_ptr<RegionSubject>> Make_Regions() {
  std::vector<std::unique_ptr<RegionSubject>> regions;
  for (int32_t row = 0; row < 10; ++row) {
    for (int32_t col = 0; col < 20; ++col) {
      const int32_t w = 40, h = 45;
      auto region = std::make_unique<RegionSubject>();
      region->m_SRCoffMap = std::make_unique<OffMap>(w, h, 24);
      region->m_SRCoffMap->Fill(255);
      const int16_t hueBase = static_cast<int16_t>((row * 20 + col) * 7 % 200);
      for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
          const double dx = (x - w / 2.0) / (w / 2.0), dy = (y - h / 2.0) / (h / 2.0);
          if (dx * dx + dy * dy <= 1.0)
            region->m_SRCoffMap->Set_Pixel(x, y, static_cast<int16_t>(hueBase + x),
                                           static_cast<int16_t>(60 + y),
                                           static_cast<int16_t>(200 - hueBase / 2));
        }
      std::string err;
      region->m_refreshOffMap = region->m_SRCoffMap->Make_ScaledDown_Copy(err);
      region->substitutionMode = 1;
      region->generationCode = RegionSubject::kSubRegion;
      region->m_autoDescriptor.color = Pack_RGB(hueBase, 120, 90);
      region->m_autoDescriptor.frame.Set_Position(col * 20, row * 30);
      region->m_autoDescriptor.frame.Set_Size(w, h);
      region->m_autoDescriptor.bitmapPath = "xSub_bench.bmp";
      regions.push_back(std::move(region));
    }
  }
  return regions;
}

class Bench_Setting {
 public:
  Bench_Setting() : m_platform(m_codec), m_renderMan(m_platform.Get(), Default_Texture_Folder()) {}
  Platform& Get_Platform() { return m_platform.Get(); }
  RenderMan& Render_Man() { return m_renderMan; }

 private:
  QtPictureCodec m_codec;
  HeadlessPlatform m_platform;
  RenderMan m_renderMan;
};

// Paints every region with the smallest colour texture that covers it, as
// painting the whole list does; false with `err` on the first failure.
bool Paint_All(std::vector<std::unique_ptr<RegionSubject>>& regions, Bench_Setting& setting,
               TextureCache& cache, RegionRandom& random, std::string& err) {
  const std::string folder = setting.Render_Man().Get_TextureMap_Folder(1);
  for (auto& region : regions) {
    int16_t scale = 1;
    const int32_t index =
        RenderMan::Pick_A_TextureMap(err, 0, setting.Render_Man(), region->m_SRCoffMap->Get_Width(),
                                     region->m_SRCoffMap->Get_Height(), 1, scale);
    TextureMapSpec textureEntry;
    if (index < 0 || !setting.Render_Man().Get_TextureMapSpec(index, 1, textureEntry)) return false;
    const std::string path = folder + textureEntry.fileName;
    const OffMap* texture = cache.Get_Texture(path, setting.Get_Platform(), err);
    if (!region->Create_PseudoPainted_Bitmap(path, texture, textureEntry.size, textureEntry.size, 1, 1,
                                             setting.Get_Platform(), random, err))
      return false;
  }
  return true;
}

void BM_Paint_200_Regions_With_Textures(benchmark::State& state) {
  Bench_Setting setting;
  std::string err;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::unique_ptr<RegionSubject>> regions = Make_Regions();
    RegionRandom random(1);
    state.ResumeTiming();
    // The cache lives for one painting pass, as it does in the program.
    TextureCache cache;
    if (!Paint_All(regions, setting, cache, random, err)) {
      state.SkipWithError(err.c_str());
      return;
    }
    benchmark::DoNotOptimize(regions.back()->m_refreshOffMap->Get_Bits());
  }
}
BENCHMARK(BM_Paint_200_Regions_With_Textures)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Recompose_200_Painted_Regions(benchmark::State& state) {
  Bench_Setting setting;
  std::vector<std::unique_ptr<RegionSubject>> regions = Make_Regions();
  RegionRandom random(1);
  TextureCache cache;
  std::string err;
  if (!Paint_All(regions, setting, cache, random, err)) {
    state.SkipWithError(err.c_str());
    return;
  }
  OffMap layered(kCanvasW, kCanvasH, 24);
  for (auto _ : state) {
    layered.Fill(255);
    for (const auto& region : regions) region->Paint_Transparent_To_DestMap(layered, 100, err);
    benchmark::DoNotOptimize(layered.Get_Bits());
  }
}
BENCHMARK(BM_Recompose_200_Painted_Regions)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
