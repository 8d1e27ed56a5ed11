// `--set auto`: the sixteen trials on the sample photo (at 200 x 133, on one
// and on two threads), and the whole `quorlin separate --set auto` process,
// whose goal is at most one second on the two-core machine.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

#include "BenchSample.h"
#include "app/AutoColorSet.h"
#include "app/RegionEditorApp.h"

extern char** environ;

namespace {

void BM_Choose_Stock_ColorSet(benchmark::State& state) {
  BenchPlatform platform;
  RegionEditorApp app(platform.Get());
  std::string err;
  if (!Load_Bench_Sample(app.Get_RenderMan(), err)) {
    state.SkipWithError(err.c_str());
    return;
  }
  AutoColorSetResult result;
  for (auto _ : state) {
    if (!Choose_Stock_ColorSet(app.Get_RenderMan(), app.Get_Settings(), Bench_Sample_Photo(),
                               static_cast<int32_t>(state.range(0)), result, err)) {
      state.SkipWithError(err.c_str());
      return;
    }
  }
  state.counters["chosen"] = result.chosen;
}
BENCHMARK(BM_Choose_Stock_ColorSet)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_SeparateAutoSet_Process(benchmark::State& state) {
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
  const std::string quorlin = (self.parent_path() / "quorlin").string();
  char pattern[] = "/tmp/quorlin-bench-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const std::string out = std::string(pattern) + "/out.png";
  std::vector<std::string> args = {quorlin, "separate", Bench_Sample_Photo(), "-o", out, "--set", "auto"};
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
      state.SkipWithError("quorlin separate --set auto failed");
      break;
    }
  }
  posix_spawn_file_actions_destroy(&actions);
  std::error_code ec;
  std::filesystem::remove_all(pattern, ec);
}
BENCHMARK(BM_SeparateAutoSet_Process)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
