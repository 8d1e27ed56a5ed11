// The program's main job: the separation dialog's "Preview All Seps" with
// the start values on the 400 x 300 working map of the sample (palette
// calculation, deleting the previous regions, five separations, the
// recomposed layered image), and the whole `quorlin separate` process on
// the sample photo; one step of a pre-processing slider and "Preview All
// Seps" on the sample at 500 x 333.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BenchSample.h"
#include "app/RegionEditorApp.h"
#include "raster/OffMap.h"
#include "separation/SeparationDialogController.h"

extern char** environ;

namespace {

const std::string kSample = Bench_Sample_Photo();

void BM_PreviewAllSeps_StartValues(benchmark::State& state) {
  BenchPlatform platform;
  RegionEditorApp app(platform.Get());
  std::string err;
  if (!Load_Bench_Sample(app.Get_RenderMan(), err)) {
    state.SkipWithError(err.c_str());
    return;
  }
  app.Get_Document().sourcePhotoPath = kSample;
  SeparationSession session(app.Separation_Context());
  SeparationDialogController& dialog = session.Controller();
  if (!dialog.OnInitDialog()) {
    state.SkipWithError("the dialog did not open");
    return;
  }
  for (auto _ : state) {
    if (!dialog.On_Preview_All_Seps()) {
      state.SkipWithError("Preview All Seps failed");
      return;
    }
  }
  state.counters["regions"] = app.Get_RegionList().Get_Region_Count();
}
BENCHMARK(BM_PreviewAllSeps_StartValues)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The separation dialog opened on the sample at 500 x 333, as the benchmarks
// below start from it.
class Dialog500 {
 public:
  Dialog500() : m_app(m_platform.Get()) {}

  // False with the reason in `err` when the sample or the dialog failed.
  bool Open(std::string& err) {
    if (!Load_Bench_Sample_At(m_app.Get_RenderMan(), 500, err)) return false;
    m_app.Get_Document().sourcePhotoPath = kSample;
    m_session = std::make_unique<SeparationSession>(m_app.Separation_Context());
    if (!Controller().OnInitDialog()) {
      err = "the dialog did not open";
      return false;
    }
    return true;
  }
  SeparationDialogController& Controller() { return m_session->Controller(); }
  RegionEditorApp& App() { return m_app; }

 private:
  BenchPlatform m_platform;
  RegionEditorApp m_app;
  std::unique_ptr<SeparationSession> m_session;
};

// One step of the Dark (0), Lite (1) or Sat (2) slider: the pre-processed
// map rendered again from the photo at 500 x 333.  Each step moves the
// thumb by one, back and forth, so every step renders new settings.
void BM_WatercolorSliderStep_500(benchmark::State& state) {
  Dialog500 dialog;
  std::string err;
  if (!dialog.Open(err)) {
    state.SkipWithError(err.c_str());
    return;
  }
  SeparationDialogController& controller = dialog.Controller();
  int32_t position = 40;
  int32_t direction = 1;
  for (auto _ : state) {
    position += direction;
    if (position == 60 || position == 40) direction = -direction;
    bool ok = false;
    switch (state.range(0)) {
      case 0:
        ok = controller.On_Dark_Slider(position);
        break;
      case 1:
        ok = controller.On_Lite_Slider(position);
        break;
      default:
        ok = controller.On_Sat_Slider(position);
        break;
    }
    if (!ok) {
      state.SkipWithError("the slider step failed");
      return;
    }
  }
  const OffMap& map = *dialog.App().Get_RenderMan().Get_Filtered_Map();
  state.counters["width"] = map.Get_Width();
  state.counters["height"] = map.Get_Height();
}
BENCHMARK(BM_WatercolorSliderStep_500)
    ->ArgName("slider")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// "Preview All Seps" with the start values at 500 x 333.
void BM_PreviewAllSeps_500(benchmark::State& state) {
  Dialog500 dialog;
  std::string err;
  if (!dialog.Open(err)) {
    state.SkipWithError(err.c_str());
    return;
  }
  for (auto _ : state) {
    if (!dialog.Controller().On_Preview_All_Seps()) {
      state.SkipWithError("Preview All Seps failed");
      return;
    }
  }
  state.counters["regions"] = dialog.App().Get_RegionList().Get_Region_Count();
}
BENCHMARK(BM_PreviewAllSeps_500)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The `quorlin` beside this benchmark program, run as a process.
void BM_SeparateCommand_Process(benchmark::State& state) {
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
  const std::string quorlin = (self.parent_path() / "quorlin").string();
  char pattern[] = "/tmp/quorlin-bench-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const std::string out = std::string(pattern) + "/out.png";
  std::vector<std::string> args = {quorlin, "separate", kSample, "-o", out};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  for (auto _ : state) {
    pid_t pid = 0;
    int status = 0;
    if (posix_spawn(&pid, quorlin.c_str(), &actions, nullptr, argv.data(), environ) != 0 ||
        ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("quorlin separate failed");
      break;
    }
  }
  posix_spawn_file_actions_destroy(&actions);
  std::error_code ec;
  std::filesystem::remove_all(pattern, ec);
}
BENCHMARK(BM_SeparateCommand_Process)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
