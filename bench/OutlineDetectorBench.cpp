// The whole outline detection at the start settings on the 400 x 300
// working map of the sample photo, and painting the drawn chains it leaves
// with the "Pencil Medium" brush.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchSample.h"
#include "outline/OutlineDetector.h"
#include "raster/OffMap.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"

namespace {

class DetectorSample {
 public:
  DetectorSample() : m_renderMan(m_platform.Get()) {
    if (!Load_Bench_Sample(m_renderMan, m_err)) return;
    if (!m_renderMan.Load_Pencil_Brushes(m_err)) return;
    m_detector = std::make_unique<OutlineDetector>(
        &m_chains, m_renderMan.Get_Source_Map(), m_renderMan.Outline_Map_Slot(),
        m_renderMan.Subtract_Map_Slot(), m_renderMan.Get_Bitmap_Utilities().data(), m_platform.Get());
    if (m_detector->Set_PencilPen_Line_Style("Pencil Medium", m_err) < 0) return;
    m_loaded = m_detector->Detect_Outline(m_err, OutlineDetectParms());
  }
  bool Loaded() const { return m_loaded; }
  const std::string& Error() const { return m_err; }
  OutlineDetector& Detector() { return *m_detector; }
  const OffMap& Source() const { return *m_renderMan.Get_Source_Map(); }

 private:
  BenchPlatform m_platform;
  RenderMan m_renderMan;
  ListMemry<PixelChain> m_chains;
  std::unique_ptr<OutlineDetector> m_detector;
  std::string m_err;
  bool m_loaded = false;
};

DetectorSample& Sample() {
  static DetectorSample sample;
  return sample;
}

void BM_Detect_Outline_Start_Settings(benchmark::State& state) {
  DetectorSample& sample = Sample();
  if (!sample.Loaded()) {
    state.SkipWithError(sample.Error().c_str());
    return;
  }
  const OutlineDetectParms parms;
  std::string err;
  for (auto _ : state) {
    if (!sample.Detector().Detect_Outline(err, parms)) {
      state.SkipWithError(err.c_str());
      break;
    }
  }
}
BENCHMARK(BM_Detect_Outline_Start_Settings)->Unit(benchmark::kMillisecond);

void BM_Paint_Drawn_Chains_Pencil_Medium(benchmark::State& state) {
  DetectorSample& sample = Sample();
  if (!sample.Loaded()) {
    state.SkipWithError(sample.Error().c_str());
    return;
  }
  OffMap map(sample.Source().Get_Width(), sample.Source().Get_Height(), 8);
  std::string err;
  for (auto _ : state) {
    map.Fill(255);
    if (!sample.Detector().Paint_PixelChains(sample.Detector().Get_Drawn_Chains(), map, err)) {
      state.SkipWithError(err.c_str());
      break;
    }
    benchmark::DoNotOptimize(map.Get_Bits());
  }
}
BENCHMARK(BM_Paint_Drawn_Chains_Pencil_Medium)->Unit(benchmark::kMillisecond);

}  // namespace
