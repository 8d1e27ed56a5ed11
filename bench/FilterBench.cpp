// The watercolour pre-processing of the separation dialog on the 400 x 300
// working map of the sample photo, as a whole and filter by filter.

#include <benchmark/benchmark.h>

#include <string>

#include "BenchSample.h"
#include "filters/ConvolutionMapFilter.h"
#include "filters/WatercolorParms.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"

namespace {

// The sample photo loaded at 400 x 300 into a render manager.
class WorkingMap {
 public:
  WorkingMap() : m_renderMan(m_platform.Get()) { m_loaded = Load_Bench_Sample(m_renderMan, m_err); }
  bool Loaded() const { return m_loaded; }
  const std::string& Error() const { return m_err; }
  RenderMan& Render_Man() { return m_renderMan; }

 private:
  BenchPlatform m_platform;
  RenderMan m_renderMan;
  std::string m_err;
  bool m_loaded = false;
};

WorkingMap& Coffee() {
  static WorkingMap map;
  return map;
}

void BM_Watercolor_Start_Values(benchmark::State& state) {
  WorkingMap& coffee = Coffee();
  if (!coffee.Loaded()) {
    state.SkipWithError(coffee.Error().c_str());
    return;
  }
  const WatercolorParms parms;
  for (auto _ : state) {
    std::string err;
    if (!coffee.Render_Man().WatercolorFilter_For_Separations(parms, err)) {
      state.SkipWithError(err.c_str());
      return;
    }
    benchmark::DoNotOptimize(coffee.Render_Man().Get_Filtered_Map()->Get_Bits());
  }
}
BENCHMARK(BM_Watercolor_Start_Values)->Unit(benchmark::kMillisecond)->UseRealTime();

// One filter code with its watercolour value over a fresh copy of the source.
void BM_Filter_Code(benchmark::State& state) {
  WorkingMap& coffee = Coffee();
  if (!coffee.Loaded()) {
    state.SkipWithError(coffee.Error().c_str());
    return;
  }
  const OffMap& source = *coffee.Render_Man().Get_Source_Map();
  OffMap map(source.Get_Width(), source.Get_Height(), 24);
  HeadlessMessages messages;
  const auto code = static_cast<int16_t>(state.range(0));
  const auto value = static_cast<int16_t>(state.range(1));
  for (auto _ : state) {
    map.Assign_Copy(source);
    ConvolutionMapFilter filter(nullptr, value, &map, code, messages);
    filter.Set_Posterize_Level(4, 0);
    filter.Filter();
    benchmark::DoNotOptimize(map.Get_Bits());
  }
}
BENCHMARK(BM_Filter_Code)
    ->ArgNames({"code", "value"})
    ->Args({37, 20})
    ->Args({38, 70})
    ->Args({36, 2})
    ->Args({35, 2})
    ->Args({20, 3})
    ->Args({36, 6})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
