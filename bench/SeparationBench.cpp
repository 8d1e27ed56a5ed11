// The separation engine on the 400 x 300 working map of the sample photo:
// making all five separations of a series (with the rows a first opening of
// the dialog shows, and with the palette calculated from "Popular 15"), and
// the palette calculation itself.  The watercolour rendering is made once,
// outside the timed loops; redraw requests are only recorded.

#include <benchmark/benchmark.h>

#include <string>

#include "BenchSample.h"
#include "app/RegionEditorApp.h"
#include "framework/WindowsUpdater.h"
#include "render/ImageFiles.h"
#include "separation/ColorSeparator.h"
#include "separation/SettingsHelper.h"

namespace {

class SampleSeparations {
 public:
  SampleSeparations() : m_app(m_platform.Get()) {
    RenderMan& rm = m_app.Get_RenderMan();
    if (!Load_Bench_Sample(rm, m_error)) return;
    if (!rm.WatercolorFilter_For_Separations(m_app.Get_Settings().watercolorParms, m_error)) return;
    m_ready = true;
  }

  bool Ready() const { return m_ready; }
  const std::string& Error() const { return m_error; }
  RegionEditorApp& App() { return m_app; }

  // One "Preview All Seps" worth of engine work: the old regions deleted,
  // a new series started and every row with a colour made.
  bool Make_All_Rows(ColorSeparator& separator, SettingsHelper& helper, std::string& err) {
    RegionListSubject& list = m_app.Get_RegionList();
    if (!separator.Delete_All_Regions_and_Redraw(list, err)) return false;
    if (!separator.Generate_All_Separations_and_SubRegions_from_Bitmap(list, err)) return false;
    for (int16_t row = 0; row < kSeparationRowCount; ++row) {
      SeparationParms parms;
      bool isNone = false;
      if (!helper.Prepare_Parms_Structure_For_SeparationCreation(row, parms, isNone, true, err)) return false;
      if (isNone) continue;
      std::string name;
      if (!separator.Make_Next_Separation(parms, name, row, list, "DUMMyproject.rgl", err)) return false;
    }
    return true;
  }

 private:
  BenchPlatform m_platform;
  RegionEditorApp m_app;
  std::string m_error;
  bool m_ready = false;
};

SampleSeparations& Sample() {
  static SampleSeparations sample;
  return sample;
}

void Run_Series(benchmark::State& state, bool paletteRows) {
  SampleSeparations& sample = Sample();
  if (!sample.Ready()) {
    state.SkipWithError(sample.Error().c_str());
    return;
  }
  RegionEditorApp& app = sample.App();
  RecordingWindowsUpdater updater;
  ColorSeparator separator(app.Get_RenderMan(), updater, &app.Get_Document().regionCounter);
  SepRowsControlSettings rows = Default_SepRows_Control_Settings();
  std::string err;
  if (paletteRows) {
    int16_t palette[kSeparationRowCount] = {};
    if (!separator.Calc_Ideal_Palette_for_Stock_ColorSet(0, kSeparationRowCount, palette, err)) {
      state.SkipWithError(err.c_str());
      return;
    }
    for (int16_t row = 0; row < kSeparationRowCount; ++row) rows[row].colorsStdIndex = palette[row];
  }
  int16_t brush = app.Get_Settings().sepsDialogSettings.brushSize;
  SettingsHelper helper(&separator, &app.Get_Settings().watercolorParms, rows.data(), &brush,
                        app.Get_Platform().Messages());
  for (auto _ : state) {
    if (!sample.Make_All_Rows(separator, helper, err)) {
      state.SkipWithError(err.c_str());
      return;
    }
    updater.Clear();
  }
  state.counters["regions"] = app.Get_RegionList().Get_Region_Count();
  if (!separator.Delete_All_Regions_and_Redraw(app.Get_RegionList(), err)) state.SkipWithError(err.c_str());
}

void BM_Separations_FiveRows_StartRows(benchmark::State& state) {
  Run_Series(state, false);
}
BENCHMARK(BM_Separations_FiveRows_StartRows)->Unit(benchmark::kMillisecond);

void BM_Separations_FiveRows_PaletteOfSet0(benchmark::State& state) {
  Run_Series(state, true);
}
BENCHMARK(BM_Separations_FiveRows_PaletteOfSet0)->Unit(benchmark::kMillisecond);

void BM_Palette_Set0_FiveRows(benchmark::State& state) {
  SampleSeparations& sample = Sample();
  if (!sample.Ready()) {
    state.SkipWithError(sample.Error().c_str());
    return;
  }
  RecordingWindowsUpdater updater;
  ColorSeparator separator(sample.App().Get_RenderMan(), updater, nullptr);
  int16_t palette[kSeparationRowCount] = {};
  std::string err;
  for (auto _ : state) {
    if (!separator.Calc_Ideal_Palette_for_Stock_ColorSet(0, kSeparationRowCount, palette, err)) {
      state.SkipWithError(err.c_str());
      return;
    }
    benchmark::DoNotOptimize(palette);
  }
}
BENCHMARK(BM_Palette_Set0_FiveRows)->Unit(benchmark::kMillisecond);

}  // namespace
