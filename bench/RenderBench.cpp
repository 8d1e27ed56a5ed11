// Loading a photo: decoding a 4000 x 3000 JPEG and resampling it into the
// 400 x 300 working maps, as "Load Source Photo" does; and the whole job of
// `quorlin separate` on that photo, from the JPEG to the written PNG.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "BenchSample.h"
#include "LargePhoto.h"
#include "cli/Cli.h"
#include "platform/qt/QtPictureCodec.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"

namespace {

void BM_Load_Photo_4000x3000_Jpeg(benchmark::State& state) {
  static LargePhoto photo;
  if (photo.Path().empty()) {
    state.SkipWithError("the 4000 x 3000 test photo could not be made");
    return;
  }
  BenchPlatform platform;
  RenderMan renderMan(platform.Get());
  for (auto _ : state) {
    std::string err;
    bool fileProblem = false;
    if (!Load_Bitmap_File_as_SRC(err, renderMan, photo.Path(), -1, -1, kWorkingMaxSide, fileProblem)) {
      state.SkipWithError(err.c_str());
      return;
    }
    benchmark::DoNotOptimize(renderMan.Get_Source_Map()->Get_Bits());
  }
  int32_t w = 0, h = 0;
  renderMan.Get_Source_Size(w, h);
  state.counters["working_pixels"] = static_cast<double>(w) * h;
}
BENCHMARK(BM_Load_Photo_4000x3000_Jpeg)->Unit(benchmark::kMillisecond)->UseRealTime();

// `quorlin separate large.jpg -o out.png` in this process: decoding, the
// working maps, pre-processing, the five separations, the written PNG.
void BM_Separate_Whole_Job_12MP_Jpeg(benchmark::State& state) {
  static LargePhoto photo;
  if (photo.Path().empty()) {
    state.SkipWithError("the 4000 x 3000 test photo could not be made");
    return;
  }
  const std::string out = photo.Path() + ".out.png";
  std::vector<std::string> words = {"quorlin", "separate", photo.Path(), "-o", out};
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  for (auto _ : state) {
    std::ostringstream stdOut, stdErr;
    CliStreams io{stdOut, stdErr};
    if (Quorlin_Main(static_cast<int>(argv.size()), argv.data(), io, std::cin) != kExitOk) {
      state.SkipWithError(stdErr.str().c_str());
      return;
    }
  }
}
BENCHMARK(BM_Separate_Whole_Job_12MP_Jpeg)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
