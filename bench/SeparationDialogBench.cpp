// The program's main job: the separation dialog's "Preview All Seps" with
// the start values on the 400 x 300 working map of the sample (palette
// calculation, deleting the previous regions, five separations, the
// recomposed layered image), and the whole `quorlin separate` process on
// the sample photo.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "BenchSample.h"
#include "app/RegionEditorApp.h"
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
