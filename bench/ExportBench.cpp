// The layered exports of a 200-region list at the working size (the
// 400 x 300 sample with an outline): the layered PSD, from the region list
// to the file on disk (goal: 200 ms), and the separation PNGs of --layers.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "SampleRegions.h"
#include "export/ExportSource.h"
#include "export/PsdWriter.h"
#include "export/SeparationPngs.h"
#include "export/WorkingLayerStack.h"

namespace {

using bench_regions::Sample;
using bench_regions::SampleRegions;

// The sample's regions painted with textures and composed; false with the
// reason in `err`.
bool Prepare(SampleRegions& sample, std::string& err) {
  if (!sample.Ready()) {
    err = sample.Error();
    return false;
  }
  RegionEditorApp& app = sample.App();
  RegionRandom random(11);
  return app.Get_RegionList().Restore_from_UndoList(err) &&
         app.Get_RegionList().Paint_All_Regions_with_TextureMaps(0, 0, random, err) &&
         app.Get_Composer().ReDraw_SummedFinalViews_OffMap();
}

std::string Bench_File(const char* name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

void BM_Export_Layered_Psd_200_Regions(benchmark::State& state) {
  SampleRegions& sample = Sample();
  std::string err;
  if (!Prepare(sample, err)) {
    state.SkipWithError(err.c_str());
    return;
  }
  RegionEditorApp& app = sample.App();
  const ExportSource source{app.Get_RegionList(), app.Get_RenderMan(), nullptr, std::string(),
                            app.Get_Platform()};
  const std::string path = Bench_File("quorlin-bench-export.psd");
  int32_t layers = 0;
  for (auto _ : state) {
    LayerStack stack;
    if (!Build_Working_Layer_Stack(source, stack, err) || !Write_Layered_Psd(stack, path, err)) {
      state.SkipWithError(err.c_str());
      return;
    }
    layers = Psd_Layer_Count(stack);
  }
  state.counters["layers"] = layers;
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::filesystem::remove(path);
}
BENCHMARK(BM_Export_Layered_Psd_200_Regions)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Export_Separation_Pngs_200_Regions(benchmark::State& state) {
  SampleRegions& sample = Sample();
  std::string err;
  if (!Prepare(sample, err)) {
    state.SkipWithError(err.c_str());
    return;
  }
  RegionEditorApp& app = sample.App();
  const ExportSource source{app.Get_RegionList(), app.Get_RenderMan(), nullptr, std::string(),
                            app.Get_Platform()};
  const std::string folder = Bench_File("quorlin-bench-layers");
  std::vector<std::string> written;
  for (auto _ : state) {
    LayerStack stack;
    if (!Build_Working_Layer_Stack(source, stack, err) ||
        !Write_Separation_Pngs(stack, folder, app.Get_Platform().Codec(), written, err)) {
      state.SkipWithError(err.c_str());
      return;
    }
  }
  state.counters["files"] = static_cast<double>(written.size());
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_Export_Separation_Pngs_200_Regions)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
