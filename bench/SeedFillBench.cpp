// The separation clean-up on the 400 x 300 working map of the sample photo:
// the morphological opening and the hole plugging of a separation.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchSample.h"
#include "filters/Morphology.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"

namespace {

// The sample photo at 400 x 300, and a separation of it: the pixels at least
// as dark as mid grey in every channel black, the rest white.
class SampleMaps {
 public:
  SampleMaps() : m_renderMan(m_platform.Get()) {
    m_loaded = Load_Bench_Sample(m_renderMan, m_err);
    if (!m_loaded) return;
    const OffMap& source = *m_renderMan.Get_Source_Map();
    m_separation = std::make_unique<OffMap>(source.Get_Width(), source.Get_Height(), 24);
    for (int32_t y = 0; y < source.Get_Height(); ++y) {
      for (int32_t x = 0; x < source.Get_Width(); ++x) {
        int16_t r = 0, g = 0, b = 0;
        source.Get_Pixel(x, y, r, g, b);
        const int16_t v = (r <= 128 && g <= 128 && b <= 128) ? 0 : 255;
        m_separation->Set_Pixel(x, y, v, v, v);
      }
    }
  }
  bool Loaded() const { return m_loaded; }
  const std::string& Error() const { return m_err; }
  const OffMap& Source() const { return *m_renderMan.Get_Source_Map(); }
  const OffMap& Separation() const { return *m_separation; }

 private:
  BenchPlatform m_platform;
  RenderMan m_renderMan;
  std::unique_ptr<OffMap> m_separation;
  std::string m_err;
  bool m_loaded = false;
};

SampleMaps& Samples() {
  static SampleMaps maps;
  return maps;
}

// Each iteration starts from a fresh copy (a byte copy of 360 KB, a few
// microseconds of the time measured).
void BM_Do_Open_Morphology_6_6(benchmark::State& state) {
  SampleMaps& samples = Samples();
  if (!samples.Loaded()) {
    state.SkipWithError(samples.Error().c_str());
    return;
  }
  OffMap map(samples.Source().Get_Width(), samples.Source().Get_Height(), 24);
  HeadlessMessages messages;
  for (auto _ : state) {
    std::string err;
    map.Copy_Bits(samples.Source(), err);
    if (!Do_Open_Morphology(map, 6, 6, messages, err)) {
      state.SkipWithError(err.c_str());
      return;
    }
    benchmark::DoNotOptimize(map.Get_Bits());
  }
}
BENCHMARK(BM_Do_Open_Morphology_6_6)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Hole_Plug_MultiAlgo_Separation_200(benchmark::State& state) {
  SampleMaps& samples = Samples();
  if (!samples.Loaded()) {
    state.SkipWithError(samples.Error().c_str());
    return;
  }
  OffMap map(samples.Separation().Get_Width(), samples.Separation().Get_Height(), 24);
  int32_t plugged = 0;
  for (auto _ : state) {
    std::string err;
    map.Copy_Bits(samples.Separation(), err);
    if (!map.Hole_Plug_MultiAlgo_SeedFill(200, false, 0, 0, 0, plugged, err)) {
      state.SkipWithError(err.c_str());
      return;
    }
    benchmark::DoNotOptimize(map.Get_Bits());
  }
  state.counters["holes_plugged"] = plugged;
}
BENCHMARK(BM_Hole_Plug_MultiAlgo_Separation_200)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
