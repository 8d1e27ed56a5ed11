// Loading a photo: decoding a 4000 x 3000 JPEG and resampling it into the
// 400 x 300 working maps, as "Load Source Photo" does; and the whole job of
// `quorlin separate` on that photo, from the JPEG to the written PNG.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "BenchSample.h"
#include "cli/Cli.h"
#include "platform/qt/QtPictureCodec.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"

namespace {

// A 4000 x 3000 JPEG made once per run from the sample photo: the sample is
// enlarged bilinearly and given a fine deterministic grain, so that the file
// compresses like a real photo rather than like smooth blocks.
class LargePhoto {
 public:
  LargePhoto() {
    char pattern[] = "/tmp/quorlin-bench-XXXXXX";
    if (!::mkdtemp(pattern)) return;
    m_dir = pattern;
    QtPictureCodec codec;
    std::unique_ptr<PlatformImage> sample = codec.Create_Image();
    if (sample->Load(Bench_Sample_Photo()) < 0) return;
    std::unique_ptr<PlatformImage> large = codec.Create_Image();
    if (!large->Create(kWidth, kHeight, 24)) return;
    const double sx = static_cast<double>(sample->Get_Width() - 1) / kWidth;
    const double sy = static_cast<double>(sample->Get_Height() - 1) / kHeight;
    uint32_t seed = 12345;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        int16_t r = 0, g = 0, b = 0;
        RenderMan::Sample_Photo_Bilinear(*sample, x * sx, y * sy, r, g, b);
        seed = seed * 1664525u + 1013904223u;
        const int grain = static_cast<int>(seed >> 28) - 8;
        large->Set_Pixel_RGB(x, y, Clamp(r + grain), Clamp(g + grain), Clamp(b + grain));
      }
    }
    const std::string path = m_dir + "/large.jpg";
    if (large->Save(path) == 0) m_path = path;
  }
  ~LargePhoto() {
    std::error_code ec;
    if (!m_dir.empty()) std::filesystem::remove_all(m_dir, ec);
  }
  const std::string& Path() const { return m_path; }

  static constexpr int kWidth = 4000;
  static constexpr int kHeight = 3000;

 private:
  static int Clamp(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }
  std::string m_dir;
  std::string m_path;
};

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
    if (Quorlin_Main(static_cast<int>(argv.size()), argv.data(), io) != kExitOk) {
      state.SkipWithError(stdErr.str().c_str());
      return;
    }
  }
}
BENCHMARK(BM_Separate_Whole_Job_12MP_Jpeg)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
