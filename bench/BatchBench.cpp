// Many photos at once: `quorlin separate` of eight photos into a folder with
// two jobs, against the same eight photos run one after another.  On two
// free cores the batch should take at most 0.6 of the sequential time.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"

namespace {

constexpr int kPhotos = 8;

// Eight photos in a folder of their own: the two samples, four times each,
// under eight names.
class EightPhotos {
 public:
  EightPhotos() {
    char pattern[] = "/tmp/quorlin-batch-bench-XXXXXX";
    if (!::mkdtemp(pattern)) return;
    m_dir = pattern;
    const std::string samples = std::string(QUORLIN_SOURCE_DIR) + "/resources/samples/";
    std::error_code ec;
    for (int i = 0; i < kPhotos; ++i) {
      const std::string path = m_dir + "/photo" + std::to_string(i) + ".png";
      std::filesystem::copy_file(samples + (i % 2 ? "chelsea.png" : "coffee.png"), path, ec);
      if (ec) return;
      m_photos.push_back(path);
    }
  }
  ~EightPhotos() {
    std::error_code ec;
    if (!m_dir.empty()) std::filesystem::remove_all(m_dir, ec);
  }
  const std::string& Dir() const { return m_dir; }
  const std::vector<std::string>& Photos() const { return m_photos; }

 private:
  std::string m_dir;
  std::vector<std::string> m_photos;
};

bool Run(std::vector<std::string> words, benchmark::State& state) {
  words.insert(words.begin(), {"quorlin", "separate"});
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  std::ostringstream out, err;
  CliStreams io{out, err};
  if (Quorlin_Main(static_cast<int>(argv.size()), argv.data(), io, std::cin) == kExitOk) return true;
  state.SkipWithError(err.str().c_str());
  return false;
}

void BM_Separate_8_Photos_One_After_Another(benchmark::State& state) {
  static EightPhotos photos;
  if (photos.Photos().size() != kPhotos) {
    state.SkipWithError("the photos could not be copied");
    return;
  }
  for (auto _ : state) {
    for (int i = 0; i < kPhotos; ++i) {
      if (!Run({photos.Photos()[i], "-o", photos.Dir() + "/one" + std::to_string(i) + ".png"}, state)) return;
    }
  }
}
BENCHMARK(BM_Separate_8_Photos_One_After_Another)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Separate_8_Photos_Batch_2_Jobs(benchmark::State& state) {
  static EightPhotos photos;
  if (photos.Photos().size() != kPhotos) {
    state.SkipWithError("the photos could not be copied");
    return;
  }
  std::vector<std::string> words = photos.Photos();
  for (const char* word : {"-o", "", "--jobs", "2"}) words.emplace_back(word);
  words[kPhotos + 1] = photos.Dir() + "/out/";
  for (auto _ : state) {
    if (!Run(words, state)) return;
  }
}
BENCHMARK(BM_Separate_8_Photos_Batch_2_Jobs)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
