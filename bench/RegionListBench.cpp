// The region list at work on the 400 x 300 sample, cut into separations
// and sub-regions until up to 200 regions are listed (the "regions" counter
// tells how many): painting every region with texture maps (goal: 100 ms),
// and recomposing the layered image of the painted regions with an outline
// merged over them, which happens on every change of the illustration
// (goal: 5 ms).

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "SampleRegions.h"

namespace {

using bench_regions::Sample;
using bench_regions::SampleRegions;

void BM_Paint_All_Regions_with_TextureMaps(benchmark::State& state) {
  SampleRegions& sample = Sample();
  if (!sample.Ready()) {
    state.SkipWithError(sample.Error().c_str());
    return;
  }
  RegionListSubject& list = sample.App().Get_RegionList();
  RegionRandom random(11);
  std::string err;
  for (auto _ : state) {
    state.PauseTiming();
    list.Restore_from_UndoList(err);
    state.ResumeTiming();
    if (!list.Paint_All_Regions_with_TextureMaps(0, 0, random, err)) {
      state.SkipWithError(err.c_str());
      return;
    }
  }
  state.counters["regions"] = list.Get_Region_Count();
}
BENCHMARK(BM_Paint_All_Regions_with_TextureMaps)->Unit(benchmark::kMillisecond);

void BM_Recompose_Layered_Image(benchmark::State& state) {
  SampleRegions& sample = Sample();
  if (!sample.Ready()) {
    state.SkipWithError(sample.Error().c_str());
    return;
  }
  RegionEditorApp& app = sample.App();
  RegionListSubject& list = app.Get_RegionList();
  std::string err;
  RegionRandom random(11);
  if (!list.Restore_from_UndoList(err) || !list.Paint_All_Regions_with_TextureMaps(0, 0, random, err)) {
    state.SkipWithError(err.c_str());
    return;
  }
  for (auto _ : state) {
    if (!app.Get_Composer().ReDraw_SummedFinalViews_OffMap()) {
      state.SkipWithError("the layered image could not be composed");
      return;
    }
    benchmark::DoNotOptimize(app.Get_RenderMan().Get_Layered_Map()->Get_Bits());
  }
  state.counters["regions"] = list.Get_Region_Count();
}
BENCHMARK(BM_Recompose_Layered_Image)->Unit(benchmark::kMillisecond);

}  // namespace
