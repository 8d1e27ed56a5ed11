// Outline detection on the 400 x 300 working map of the sample photo: the
// Canny edge detector, and the ordering of the edge chains it leaves.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchSample.h"
#include "outline/CannyEdgeDetector.h"
#include "outline/PixelChain.h"
#include "outline/PixelChainSearch.h"
#include "raster/OffMap.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"

namespace {

// The outline pipeline's grey working map of the sample photo (the largest
// of r, g, b per pixel), and the edge chains of its Canny detection at the
// finest detail and the most lines.
class OutlineSample {
 public:
  OutlineSample() : m_renderMan(m_platform.Get()) {
    if (!Load_Bench_Sample(m_renderMan, m_err)) return;
    m_working = OffMap::Alloc_An_8bit_GreyScale_Copy(*m_renderMan.Get_Source_Map(), m_err);
    if (!m_working) return;
    OffMap edges(m_working->Get_Width(), m_working->Get_Height(), 8);
    CannyEdgeDetector detector(m_working.get());
    if (!detector.Detect_Monochrome_Outline_toOffMap(&edges, m_err, 0.6, 0.42, 0.6)) return;
    int32_t count = 0;
    m_loaded = Find_PixelChains_MultiAlgo_wSeedFill(edges, 3, m_chains, count, m_err);
  }
  bool Loaded() const { return m_loaded; }
  const std::string& Error() const { return m_err; }
  const OffMap& Working() const { return *m_working; }
  const ListMemry<PixelChain>& Chains() const { return m_chains; }
  Progress& Progress_Box() { return m_platform.Get().Progress_Box(); }

 private:
  BenchPlatform m_platform;
  RenderMan m_renderMan;
  std::unique_ptr<OffMap> m_working;
  ListMemry<PixelChain> m_chains;
  std::string m_err;
  bool m_loaded = false;
};

OutlineSample& Sample() {
  static OutlineSample sample;
  return sample;
}

// Detail 50 and line count 150, the outline settings at program start.
void BM_Canny_Start_Settings(benchmark::State& state) {
  OutlineSample& sample = Sample();
  if (!sample.Loaded()) {
    state.SkipWithError(sample.Error().c_str());
    return;
  }
  OffMap edges(sample.Working().Get_Width(), sample.Working().Get_Height(), 8);
  for (auto _ : state) {
    CannyEdgeDetector detector(&sample.Working());
    std::string err;
    if (!detector.Detect_Monochrome_Outline_toOffMap(&edges, err, 0.6 + 5.7 * 50 / 100, 0.42,
                                                     0.6 + 0.38 * 150 / 255)) {
      state.SkipWithError(err.c_str());
      return;
    }
    benchmark::DoNotOptimize(edges.Get_Bits());
  }
}
BENCHMARK(BM_Canny_Start_Settings)->Unit(benchmark::kMillisecond)->UseRealTime();

// Ordering every detected chain, the rests included, as the end of chain
// detection does.
void BM_Order_Detected_Chains(benchmark::State& state) {
  OutlineSample& sample = Sample();
  if (!sample.Loaded()) {
    state.SkipWithError(sample.Error().c_str());
    return;
  }
  int64_t pixels = 0;
  for (const PixelChain* chain : sample.Chains()) pixels += chain->Get_Count();
  for (auto _ : state) {
    state.PauseTiming();
    ListMemry<PixelChain> detected, drawn;
    PixelChain::Append_Chain_Copies(sample.Chains(), detected);
    state.ResumeTiming();
    std::string err;
    if (!PixelChain::Order_Detected_Chains(detected, drawn, err, sample.Progress_Box())) {
      state.SkipWithError(err.c_str());
      return;
    }
    benchmark::DoNotOptimize(detected.Get_Count());
  }
  state.counters["chains"] = static_cast<double>(sample.Chains().Get_Count());
  state.counters["pixels"] = static_cast<double>(pixels);
}
BENCHMARK(BM_Order_Detected_Chains)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
