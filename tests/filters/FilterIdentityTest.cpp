// The disc codes 35 and 36 find each pixel's extreme from per-row window
// summaries, and the posterize code 20 counts precomputed cells.  These
// tests hold them against the plain definitions, pixel by pixel through
// Get_Pixel: every disc pixel visited in disc order, neighbours outside the
// map skipped; for 35 and 36 the first strictly better pixel is kept, for
// 20 the most frequent cell with the lowest index among equals.  Bands of
// rows computed on several threads give the same maps as one thread.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "filters/ConvolutionMapFilter.h"
#include "platform/headless/Headless.h"
#include "raster/RasterTestMaps.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"
#include "support/TestSupport.h"

namespace {

// The plain filter: a fresh map holding the result of `code` over `source`.
std::unique_ptr<OffMap> Reference_Disc_Filter(const OffMap& source, int16_t code, int16_t radius) {
  const bool colour = source.Get_Depth() == 24;
  // On colour maps 35 is the darkest pixel, on grey maps the largest grey.
  const bool largest = colour ? code == 36 : code == 35;
  std::vector<ConvolutionMapFilter::DiscSpan> disc{{0, 0}};
  if (radius > 1) disc = ConvolutionMapFilter::Build_Disc_Kernel(radius);
  auto out = std::make_unique<OffMap>(source.Get_Width(), source.Get_Height(), source.Get_Depth());
  for (int32_t y = 0; y < source.Get_Height(); ++y) {
    for (int32_t x = 0; x < source.Get_Width(); ++x) {
      Rgb3 best{0, 0, 0};
      int bestKey = -1;
      for (const auto& span : disc) {
        for (int dx = -span.halfWidth; dx <= span.halfWidth; ++dx) {
          if (!source.Is_Inside(x + dx, y + span.row)) continue;
          const Rgb3 c = Px(source, x + dx, y + span.row);
          const int key = colour ? c[0] + c[1] + c[2] : c[0];
          if (bestKey < 0 || (largest ? key > bestKey : key < bestKey)) {
            bestKey = key;
            best = c;
          }
        }
      }
      Put(*out, x, y, best);
    }
  }
  return out;
}

std::unique_ptr<OffMap> Filtered_Copy(const OffMap& source, int16_t code, int16_t radius,
                                      int32_t threads = 1) {
  auto map = std::make_unique<OffMap>(source.Get_Width(), source.Get_Height(), source.Get_Depth());
  map->Assign_Copy(source);
  HeadlessMessages messages;
  ConvolutionMapFilter filter(nullptr, radius, map.get(), code, messages);
  filter.Set_Threads(threads);
  filter.Filter();
  return map;
}

// Index of the first differing pixel, or -1.
int32_t First_Difference(const OffMap& a, const OffMap& b) {
  for (int32_t y = 0; y < a.Get_Height(); ++y)
    for (int32_t x = 0; x < a.Get_Width(); ++x)
      if (Px(a, x, y) != Px(b, x, y)) return y * a.Get_Width() + x;
  return -1;
}

void Expect_Identity(const OffMap& source, std::initializer_list<int16_t> radii, const std::string& what,
                     int32_t threads = 1) {
  for (int16_t code : {35, 36}) {
    for (int16_t radius : radii) {
      const auto fast = Filtered_Copy(source, code, radius, threads);
      const auto plain = Reference_Disc_Filter(source, code, radius);
      EXPECT_EQ(First_Difference(*fast, *plain), -1) << what << " code " << code << " radius " << radius;
    }
  }
}

// Few colours with equal sums in different orders make ties everywhere.
std::unique_ptr<OffMap> Tie_Map(int32_t w, int32_t h, int32_t depth, uint32_t seed) {
  static const Rgb3 kPalette[] = {{10, 20, 30}, {30, 20, 10}, {20, 30, 10},    {0, 0, 60},
                                  {200, 0, 0},  {0, 200, 0},  {255, 255, 255}, {0, 0, 0}};
  auto map = std::make_unique<OffMap>(w, h, depth);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      seed = seed * 1103515245u + 12345u;
      Put(*map, x, y, kPalette[(seed >> 16) % 8]);
    }
  }
  return map;
}

// The plain posterize: cells counted in a map, the lowest index first.
std::unique_ptr<OffMap> Reference_Posterize(const OffMap& source, int16_t radius, int level, int offset) {
  const int shift = 8 - level, step = 1 << shift;
  const auto disc = ConvolutionMapFilter::Build_Disc_Kernel(radius);
  auto out = std::make_unique<OffMap>(source.Get_Width(), source.Get_Height(), 24);
  for (int32_t y = 0; y < source.Get_Height(); ++y) {
    for (int32_t x = 0; x < source.Get_Width(); ++x) {
      std::map<int, int> counts;
      for (const auto& span : disc)
        for (int dx = -span.halfWidth; dx <= span.halfWidth; ++dx) {
          if (!source.Is_Inside(x + dx, y + span.row)) continue;
          const Rgb3 c = Px(source, x + dx, y + span.row);
          ++counts[((c[0] >> shift) << (2 * level)) | ((c[1] >> shift) << level) | (c[2] >> shift)];
        }
      int best = 0, bestCount = 0;
      for (const auto& [cell, n] : counts)
        if (n > bestCount) {
          best = cell;
          bestCount = n;
        }
      const int lift = offset > 0 ? offset * step : 0, mask = (1 << level) - 1;
      Put(*out, x, y,
          {int16_t(((best >> (2 * level)) & mask) * step + lift),
           int16_t(((best >> level) & mask) * step + lift), int16_t((best & mask) * step + lift)});
    }
  }
  return out;
}

void Expect_Posterize_Identity(const OffMap& source, const std::string& what, int32_t threads = 1) {
  HeadlessMessages messages;
  for (int level : {2, 4, 5}) {
    for (int16_t radius : {2, 3, 5}) {
      auto map = std::make_unique<OffMap>(source.Get_Width(), source.Get_Height(), 24);
      map->Assign_Copy(source);
      ConvolutionMapFilter filter(nullptr, radius, map.get(), ConvolutionMapFilter::kPosterizeMajority,
                                  messages);
      filter.Set_Posterize_Level(static_cast<int16_t>(level), static_cast<int16_t>(level == 4 ? 0 : 1));
      filter.Set_Threads(threads);
      filter.Filter();
      EXPECT_EQ(First_Difference(*map, *Reference_Posterize(source, radius, level, level == 4 ? 0 : 1)), -1)
          << what << " level " << level << " radius " << radius;
    }
  }
}

TEST(FilterIdentity, TiesAndSmallMaps) {
  for (int32_t depth : {24, 8, 1}) {
    const std::string what = "depth " + std::to_string(depth);
    Expect_Identity(*Tie_Map(23, 17, depth, 7), {0, 1, 2, 3, 4, 5, 6, 9}, what);
    // Maps narrower and lower than the disc.
    Expect_Identity(*Tie_Map(3, 2, depth, 11), {2, 5}, what + " 3 x 2");
    Expect_Identity(*Tie_Map(1, 9, depth, 13), {2, 4}, what + " 1 x 9");
    Expect_Identity(*Tie_Map(9, 1, depth, 17), {3}, what + " 9 x 1");
  }
  Expect_Posterize_Identity(*Tie_Map(23, 17, 24, 23), "ties");
  // Discs with more half-widths than the window summary keeps at hand.
  Expect_Identity(*Tie_Map(50, 40, 24, 19), {40}, "large disc");
}

TEST(FilterIdentity, SamplePhotos) {
  TestPlatform platform;
  for (const char* sample : {"coffee.png", "chelsea.png"}) {
    RenderMan renderMan(platform.Get());
    std::string err;
    bool fileProblem = false;
    ASSERT_TRUE(Load_Bitmap_File_as_SRC(err, renderMan, Sample_Path(sample), 160, 120, 400, fileProblem))
        << err;
    Expect_Identity(*renderMan.Get_Source_Map(), {2, 3, 6}, sample);
    Expect_Posterize_Identity(*renderMan.Get_Source_Map(), sample);
    std::unique_ptr<OffMap> grey = OffMap::Alloc_An_8bit_GreyScale_Copy(*renderMan.Get_Source_Map(), err);
    ASSERT_TRUE(grey) << err;
    Expect_Identity(*grey, {2, 6}, std::string(sample) + " grey");
  }
}

TEST(FilterIdentity, BandsOfRowsOnThreads) {
  // 131 rows make bands of 32 and 33 rows whose edges fall inside the discs.
  for (int32_t threads : {2, 3, 4}) {
    const std::string what = std::to_string(threads) + " threads";
    for (int32_t depth : {24, 8, 1})
      Expect_Identity(*Tie_Map(41, 131, depth, 29), {0, 2, 6, 9}, what + " depth " + std::to_string(depth),
                      threads);
    Expect_Posterize_Identity(*Tie_Map(41, 131, 24, 31), what, threads);
  }
  // Every other code that splits its rows: the same bytes as one thread.
  auto source = std::make_unique<OffMap>(37, 101, 24);
  uint32_t seed = 5;
  for (int32_t y = 0; y < 101; ++y)
    for (int32_t x = 0; x < 37; ++x) {
      seed = seed * 1103515245u + 12345u;
      Put(*source, x, y, {int16_t(seed >> 24), int16_t((seed >> 16) & 255), int16_t((seed >> 8) & 255)});
    }
  for (int16_t code : {17, 18, 22, 24, 25, 32, 37, 38, 46}) {
    const auto one = Filtered_Copy(*source, code, 60);
    const auto three = Filtered_Copy(*source, code, 60, 3);
    EXPECT_EQ(First_Difference(*one, *three), -1) << "code " << code;
    EXPECT_NE(First_Difference(*one, *source), -1) << "code " << code << " changed nothing";
  }
}

}  // namespace
