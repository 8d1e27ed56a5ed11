// Print-size rendering of a separated list: the coffee sample's list at
// 4000 x 2660 (ten times its 400 x 266 working size), plain and with a
// "Pencil Medium" outline redrawn from its chains, and the list of a 12 MP
// photo at the photo's full 4000 x 3000.  Only the drawing is timed; the
// separation runs once before.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchSample.h"
#include "LargePhoto.h"
#include "app/RegionEditorApp.h"
#include "cli/CliOutlineOptions.h"
#include "cli/CliPrint.h"
#include "export/ExportSource.h"
#include "export/PrintRender.h"
#include "render/ImageFiles.h"
#include "separation/SeparationDialogController.h"

namespace {

// `quorlin separate PHOTO [--outline "Pencil Medium"]` as the command runs it.
class SeparatedList {
 public:
  SeparatedList(const std::string& photo, bool outline) : m_app(m_platform.Get()), m_outline(outline) {
    bool fileProblem = false;
    if (!Load_Bitmap_File_as_SRC(m_error, m_app.Get_RenderMan(), photo, -1, -1, kWorkingMaxSide,
                                 fileProblem) ||
        !Adjust_Detection_Settings_for_Upcoming_DetectionDialog(m_app.Get_Settings(), m_app.Get_RegionList(),
                                                                0, m_error))
      return;
    m_app.Get_Document().sourcePhotoPath = photo;
    SeparationSession session(m_app.Separation_Context());
    SeparationDialogController& dialog = session.Controller();
    m_error = "the separation dialog failed";
    if (!dialog.OnInitDialog()) return;
    CliOutlineReport report;
    if (outline) {
      CliOutlineOptions options;
      options.wanted = true;
      Connect_Outline_Editor(dialog, m_app, options, 1, report);
      if (!dialog.On_Outline_Editor() || !report.saved) return;
    }
    if (!dialog.On_Preview_All_Seps() || !dialog.On_Close()) return;
    if (!Copy_Drawn_Chains(m_app, m_drawn, m_error)) return;
    m_error.clear();
  }

  const std::string& Error() const { return m_error; }
  ExportSource Source() {
    return ExportSource{m_app.Get_RegionList(), m_app.Get_RenderMan(), m_outline ? &m_drawn : nullptr,
                        m_app.Get_Document().sourcePhotoPath, m_platform.Get()};
  }

 private:
  BenchPlatform m_platform;
  RegionEditorApp m_app;
  bool m_outline;
  ListMemry<PixelChain> m_drawn;
  std::string m_error;
};

void Print(benchmark::State& state, SeparatedList& list, int32_t width, int32_t height) {
  if (!list.Error().empty()) {
    state.SkipWithError(list.Error().c_str());
    return;
  }
  const ExportSource source = list.Source();
  for (auto _ : state) {
    LayerStack stack;
    std::string err;
    if (!Build_Print_Layer_Stack(source, width, height, false, stack, err)) {
      state.SkipWithError(err.c_str());
      return;
    }
    benchmark::DoNotOptimize(stack.composite.data());
  }
  state.counters["print_pixels"] = static_cast<double>(width) * height;
}

void BM_Print_Coffee_4000x2660(benchmark::State& state) {
  static SeparatedList list(Bench_Sample_Photo(), false);
  Print(state, list, 4000, 2660);
}
BENCHMARK(BM_Print_Coffee_4000x2660)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Print_Coffee_Pencil_4000x2660(benchmark::State& state) {
  static SeparatedList list(Bench_Sample_Photo(), true);
  Print(state, list, 4000, 2660);
}
BENCHMARK(BM_Print_Coffee_Pencil_4000x2660)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Print_12MP_Photo_Full_4000x3000(benchmark::State& state) {
  static LargePhoto photo;
  if (photo.Path().empty()) {
    state.SkipWithError("the 4000 x 3000 test photo could not be made");
    return;
  }
  static SeparatedList list(photo.Path(), false);
  Print(state, list, LargePhoto::kWidth, LargePhoto::kHeight);
}
BENCHMARK(BM_Print_12MP_Photo_Full_4000x3000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
