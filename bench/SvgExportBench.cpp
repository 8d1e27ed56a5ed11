// The SVG export of the 400 x 300 sample cut into 200 regions, with
// its outline picture traced, written to a file at the working size
// (goal: 500 ms).

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "SampleRegions.h"
#include "export/ExportSource.h"
#include "export/SvgWriter.h"
#include "regions/RegionSubject.h"

namespace {

using bench_regions::Sample;
using bench_regions::SampleRegions;

void BM_Write_Vector_Svg(benchmark::State& state) {
  SampleRegions& sample = Sample();
  if (!sample.Ready()) {
    state.SkipWithError(sample.Error().c_str());
    return;
  }
  RegionEditorApp& app = sample.App();
  std::string err;
  // The regions as the separations cut them (other cases paint them).
  if (!app.Get_RegionList().Restore_from_UndoList(err)) {
    state.SkipWithError(err.c_str());
    return;
  }
  // The sample reaches fewer than 200 regions: copies of its regions,
  // moved a little, make up the rest (they are dropped again at the end).
  RegionListSubject& list = app.Get_RegionList();
  for (int32_t i = 0; list.Get_Region_Count() < bench_regions::kWantedRegions; ++i) {
    std::unique_ptr<ComponentSubject> copy = list.Get_Children_List().Get_Nth(i)->Clone();
    auto* region = dynamic_cast<RegionSubject*>(copy.get());
    if (region == nullptr) {
      state.SkipWithError("a region could not be copied");
      return;
    }
    Graphic& frame = region->Get_Current_Descriptor().frame;
    frame.Set_Position(frame.Get_Position().x + 3, frame.Get_Position().y + 2);
    if (!list.Add_ChildSubject(copy.get(), err)) {
      state.SkipWithError(err.c_str());
      return;
    }
    copy.release();
  }
  const ExportSource source{app.Get_RegionList(), app.Get_RenderMan(), nullptr, "", app.Get_Platform()};
  const std::string path = "/tmp/quorlin-bench-" + std::to_string(::getpid()) + ".svg";
  SvgCounts counts;
  for (auto _ : state) {
    if (!Write_Vector_Svg(source, SvgOptions{}, path, err, &counts)) {
      state.SkipWithError(err.c_str());
      break;
    }
  }
  std::remove(path.c_str());
  state.counters["regions"] = list.Get_Region_Count();
  list.Restore_from_UndoList(err);
  state.counters["paths"] = counts.regionPaths + counts.outlinePaths;
}
BENCHMARK(BM_Write_Vector_Svg)->Unit(benchmark::kMillisecond);

}  // namespace
