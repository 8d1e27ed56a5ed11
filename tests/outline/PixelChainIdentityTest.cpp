// The chain sorting indexes pixels by coordinates instead of searching the
// list for every step.  These tests hold it to the plain list walk, step by
// step as the ordering is defined, on the edge chains of the sample photos
// and on random clumps with repeated pixels.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "outline/CannyEdgeDetector.h"
#include "outline/PixelChain.h"
#include "outline/PixelChainSearch.h"
#include "raster/OffMap.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"
#include "support/TestSupport.h"

namespace {

struct Sorted {
  std::vector<std::pair<int, int>> pixels;
  std::vector<std::pair<int, int>> unsorted;
};

std::vector<std::pair<int, int>> Coords_Of(const ListMemry<Pixel>& list) {
  std::vector<std::pair<int, int>> out;
  for (const Pixel* pixel : list) out.emplace_back(pixel->x, pixel->y);
  return out;
}

bool Is_4_Neighbour(const Pixel& a, const Pixel& b) {
  return (a.x == b.x && (a.y - b.y == 1 || b.y - a.y == 1)) ||
         (a.y == b.y && (a.x - b.x == 1 || b.x - a.x == 1));
}

// The ordering as the list operations define it: the first stored pixel
// with one 4-neighbour (else the first), then again and again the first
// remaining 4-neighbour in stored order, each taken out of a copy with
// Remove_Pixel.
Sorted Reference_Sort(const PixelChain& chain) {
  ListMemry<Pixel> scratch;
  const Pixel* start = chain.Get_First();
  for (const Pixel* pixel : chain) {
    if (chain.Count_4_Neighbours(*pixel, scratch) == 1) {
      start = pixel;
      break;
    }
  }
  Sorted result;
  PixelChain remaining(chain);
  Pixel current = *start;
  result.pixels.emplace_back(current.x, current.y);
  remaining.Remove_Pixel(current.x, current.y);
  for (;;) {
    const Pixel* next = nullptr;
    for (const Pixel* pixel : remaining) {
      if (Is_4_Neighbour(*pixel, current)) {
        next = pixel;
        break;
      }
    }
    if (next == nullptr) break;
    current = *next;
    result.pixels.emplace_back(current.x, current.y);
    remaining.Remove_Pixel(current.x, current.y);
  }
  if (result.pixels.size() < static_cast<size_t>(chain.Get_Count())) result.unsorted = Coords_Of(remaining);
  return result;
}

void Expect_Same_Sorting(const PixelChain& original, const std::string& what) {
  const Sorted expected = Reference_Sort(original);
  PixelChain chain(original);
  PixelChain unsorted;
  int32_t unsortedCount = -1;
  std::string err;
  ASSERT_TRUE(chain.Sort_Pixels_return_List_of_Unsorted_Pixels(unsortedCount, unsorted, err));
  EXPECT_EQ(Coords_Of(chain), expected.pixels) << what;
  EXPECT_EQ(Coords_Of(unsorted), expected.unsorted) << what;
  EXPECT_EQ(unsortedCount, static_cast<int32_t>(expected.unsorted.size())) << what;
}

}  // namespace

TEST(PixelChainIdentity, EdgeChainsOfTheSamplePhotos) {
  for (const char* sample : {"coffee.png", "chelsea.png"}) {
    TestPlatform platform;
    RenderMan renderMan(platform.Get());
    std::string err;
    bool fileProblem = false;
    ASSERT_TRUE(
        Load_Bitmap_File_as_SRC(err, renderMan, Sample_Path(sample), 400, 300, kWorkingMaxSide, fileProblem))
        << err;
    auto working = OffMap::Alloc_An_8bit_GreyScale_Copy(*renderMan.Get_Source_Map(), err);
    ASSERT_TRUE(working) << err;
    CannyEdgeDetector detector(working.get());
    ASSERT_TRUE(detector.Detect_Monochrome_Outline_toOffMap(working.get(), err, 0.6 + 5.7 * 30 / 100, 0.42,
                                                            0.6 + 0.38 * 200 / 255))
        << err;
    ListMemry<PixelChain> chains;
    int32_t count = 0;
    ASSERT_TRUE(Find_PixelChains_MultiAlgo_wSeedFill(*working, 3, chains, count, err)) << err;
    ASSERT_GT(count, 20) << sample;
    int64_t withRests = 0;
    for (const PixelChain* chain : chains) {
      Expect_Same_Sorting(*chain, std::string(sample) + " chain " + std::to_string(chain->m_creationID));
      withRests += Reference_Sort(*chain).unsorted.empty() ? 0 : 1;
    }
    // Raw edges step diagonally often: the rests are exercised too.
    EXPECT_GT(withRests, 0) << sample;
  }
}

TEST(PixelChainIdentity, RandomClumpsWithRepeatedPixels) {
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    PixelChain chain;
    const int n = 1 + static_cast<int>(random() % 40);
    for (int i = 0; i < n; ++i)
      chain.Add_To_Tail(new Pixel{static_cast<int16_t>(random() % 6), static_cast<int16_t>(random() % 6)});
    Expect_Same_Sorting(chain, "round " + std::to_string(round));
  }
}
