#pragma once
// A 4000 x 3000 (12 MP) JPEG made from the sample photo, for the benchmarks
// that load or print a large photo.

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchSample.h"
#include "platform/qt/QtPictureCodec.h"
#include "render/RenderMan.h"

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
