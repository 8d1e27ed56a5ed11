#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "filters/ConvolutionMapFilter.h"
#include "platform/headless/Headless.h"
#include "raster/RasterTestMaps.h"
#include "support/TestSupport.h"

namespace {

using Span = ConvolutionMapFilter::DiscSpan;

const char* const kMissingCase = "ConvolutionMapFilter::Filter  FAILED,  missing case for m_filterCode.";

// Runs one filter (with its own undo copy) over the map.
int32_t Apply(OffMap& map, int16_t code, int16_t value, HeadlessMessages& messages) {
  ConvolutionMapFilter filter(nullptr, value, &map, code, messages);
  filter.Filter();
  return filter.Get_Change_Count();
}

int32_t Apply(OffMap& map, int16_t code, int16_t value) {
  HeadlessMessages messages;
  const int32_t count = Apply(map, code, value, messages);
  EXPECT_TRUE(messages.Texts().empty());
  return count;
}

// A white colour map with the listed pixels black.
std::unique_ptr<OffMap> White_With_Black(int32_t w, int32_t h, int32_t x0, int32_t y0, int32_t x1,
                                         int32_t y1) {
  auto map = Solid_Map(w, h, 24, {255, 255, 255});
  for (int32_t y = y0; y <= y1; ++y)
    for (int32_t x = x0; x <= x1; ++x) Put(*map, x, y, {0, 0, 0});
  return map;
}

// ---- disc kernel --------------------------------------------------------------

std::vector<std::pair<int, int>> Spans(const std::vector<Span>& disc) {
  std::vector<std::pair<int, int>> out;
  for (const Span& s : disc) out.emplace_back(s.row, s.halfWidth);
  return out;
}

TEST(DiscKernel, RadiusTwoIsTheFiveByFiveSquareWithoutCorners) {
  const std::vector<Span> disc = ConvolutionMapFilter::Build_Disc_Kernel(2);
  EXPECT_EQ(Spans(disc), (std::vector<std::pair<int, int>>{{0, 2}, {1, 2}, {-1, 2}, {2, 1}, {-2, 1}}));
  EXPECT_EQ(ConvolutionMapFilter::Disc_Pixel_Count(disc), 21);
  std::set<std::pair<int, int>> pixels;
  for (const Span& s : disc)
    for (int dx = -s.halfWidth; dx <= s.halfWidth; ++dx) pixels.insert({dx, s.row});
  EXPECT_EQ(pixels.size(), 21u);
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx)
      EXPECT_EQ(pixels.count({dx, dy}), (std::abs(dx) == 2 && std::abs(dy) == 2) ? 0u : 1u);
}

TEST(DiscKernel, CapRowsFollowTheFirstOctant) {
  EXPECT_EQ(Spans(ConvolutionMapFilter::Build_Disc_Kernel(0)), (std::vector<std::pair<int, int>>{{0, 0}}));
  EXPECT_EQ(Spans(ConvolutionMapFilter::Build_Disc_Kernel(1)),
            (std::vector<std::pair<int, int>>{{0, 1}, {1, 0}, {-1, 0}}));
  const std::vector<Span> three = ConvolutionMapFilter::Build_Disc_Kernel(3);
  EXPECT_EQ(Spans(three),
            (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {-1, 3}, {2, 2}, {-2, 2}, {3, 1}, {-3, 1}}));
  EXPECT_EQ(ConvolutionMapFilter::Disc_Pixel_Count(three), 37);
  // Radius 5 gains two cap rows, one for each new half-width met walking
  // the first octant backwards.
  const std::vector<Span> five = ConvolutionMapFilter::Build_Disc_Kernel(5);
  EXPECT_EQ(
      Spans(five),
      (std::vector<std::pair<int, int>>{
          {0, 5}, {1, 5}, {-1, 5}, {2, 5}, {-2, 5}, {3, 4}, {-3, 4}, {4, 3}, {-4, 3}, {5, 2}, {-5, 2}}));
  EXPECT_EQ(ConvolutionMapFilter::Disc_Pixel_Count(five), 97);
  EXPECT_TRUE(ConvolutionMapFilter::Build_Disc_Kernel(-1).empty());
}

// ---- point operations on colour maps --------------------------------------------

TEST(ConvolutionPointCodes, LightenDarkenAndScaleClampEachComponent) {
  auto map = Solid_Map(2, 1, 24, {250, 10, 0});
  Apply(*map, ConvolutionMapFilter::kLighten, 30);
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{255, 40, 30}));
  EXPECT_EQ(Px(*map, 1, 0), (Rgb3{255, 40, 30}));

  map = Solid_Map(1, 1, 24, {20, 100, 255});
  Apply(*map, ConvolutionMapFilter::kDarken, 30);
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{0, 70, 225}));

  map = Solid_Map(1, 1, 24, {100, 3, 255});
  Apply(*map, ConvolutionMapFilter::kScalePercent, 50);
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{50, 1, 127}));
  map = Solid_Map(1, 1, 24, {100, 3, 255});
  Apply(*map, ConvolutionMapFilter::kScalePercent, 150);
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{150, 4, 255}));
  // Zero and below: half as much again.
  map = Solid_Map(1, 1, 24, {100, 3, 120});
  Apply(*map, ConvolutionMapFilter::kScalePercent, 0);
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{150, 4, 180}));
}

TEST(ConvolutionPointCodes, ValueAndSaturationGamma) {
  auto map = Solid_Map(3, 1, 24, {64, 64, 64});
  Put(*map, 1, 0, {200, 50, 50});
  Put(*map, 2, 0, {30, 60, 90});
  Apply(*map, ConvolutionMapFilter::kValueGamma, 20);
  // trunc(255 x (64 / 255)^0.2) = 193; the colours keep hue and saturation.
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{193, 193, 193}));
  EXPECT_EQ(Px(*map, 1, 0), (Rgb3{242, 60, 60}));
  EXPECT_EQ(Px(*map, 2, 0), (Rgb3{69, 138, 207}));

  map = Solid_Map(3, 1, 24, {120, 120, 120});
  Put(*map, 1, 0, {200, 50, 50});
  Put(*map, 2, 0, {30, 60, 90});
  Apply(*map, ConvolutionMapFilter::kSaturationGamma, 70);
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{120, 120, 120}));  // a grey has no hue to saturate
  EXPECT_EQ(Px(*map, 1, 0), (Rgb3{200, 36, 36}));
  EXPECT_EQ(Px(*map, 2, 0), (Rgb3{22, 56, 90}));

  // Exponent 0 lifts every value to 255, black included (0^0 = 1); a
  // negative exponent sends black to infinity, which clamps to 255.
  map = Solid_Map(2, 1, 24, {0, 0, 0});
  Put(*map, 1, 0, {51, 51, 51});
  Apply(*map, ConvolutionMapFilter::kValueGamma, 0);
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{255, 255, 255}));
  EXPECT_EQ(Px(*map, 1, 0), (Rgb3{255, 255, 255}));
  map = Solid_Map(2, 1, 24, {0, 0, 0});
  Put(*map, 1, 0, {255, 255, 255});
  Apply(*map, ConvolutionMapFilter::kValueGamma, -50);
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{255, 255, 255}));
  EXPECT_EQ(Px(*map, 1, 0), (Rgb3{255, 255, 255}));
}

TEST(ConvolutionPointCodes, GreyScalingTakesRedOnly) {
  auto map = Solid_Map(3, 1, 24, {200, 0, 0});
  Put(*map, 1, 0, {101, 255, 255});
  Put(*map, 2, 0, {0, 255, 255});
  Apply(*map, ConvolutionMapFilter::kGreyScale, 70);
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{175, 175, 175}));
  EXPECT_EQ(Px(*map, 1, 0), (Rgb3{88, 88, 88}));  // 0.875 x 101 = 88.375
  EXPECT_EQ(Px(*map, 2, 0), (Rgb3{0, 0, 0}));
  map = Solid_Map(1, 1, 24, {200, 0, 0});
  Apply(*map, ConvolutionMapFilter::kGreyScale, 160);
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{255, 255, 255}));
}

// ---- neighbourhood codes on colour maps -----------------------------------------

TEST(ConvolutionNeighbourCodes, MeanReadsWhiteOutsideTheMap) {
  auto map = std::make_unique<OffMap>(3, 3, 24);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) Put(*map, x, y, {int16_t(10 * (3 * y + x)), 9, 0});
  Apply(*map, ConvolutionMapFilter::kMean3x3, 2);
  // Centre: reds 0, 10, ..., 80 sum to 360.
  EXPECT_EQ(Px(*map, 1, 1), (Rgb3{40, 9, 0}));
  // Corner (0, 0): reds 0 + 10 + 30 + 40 and five white pixels; greens 4 x 9
  // + 5 x 255; blues 5 x 255.
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{(80 + 5 * 255) / 9, (36 + 5 * 255) / 9, 5 * 255 / 9}));
}

TEST(ConvolutionNeighbourCodes, MedianByValueKeepsReadingOrderOnTies) {
  // Reading order around (1, 1): four dark pixels, then the centre (green,
  // value 100), then red (value 100), then three whites.  The fifth by value
  // is the first of the two 100s in reading order.
  auto map = Solid_Map(3, 3, 24, {255, 255, 255});
  Put(*map, 0, 0, {10, 10, 10});
  Put(*map, 1, 0, {10, 10, 10});
  Put(*map, 2, 0, {10, 10, 10});
  Put(*map, 0, 1, {10, 10, 10});
  Put(*map, 1, 1, {0, 100, 0});
  Put(*map, 2, 1, {100, 0, 0});
  auto copy = Solid_Map(3, 3, 24, {0, 0, 0});
  copy->Assign_Copy(*map);
  Apply(*map, ConvolutionMapFilter::kMedianByValue, 2);
  EXPECT_EQ(Px(*map, 1, 1), (Rgb3{0, 100, 0}));

  // Swapping the two makes red the first.
  Put(*copy, 1, 1, {100, 0, 0});
  Put(*copy, 2, 1, {0, 100, 0});
  Apply(*copy, ConvolutionMapFilter::kMedianByValue, 2);
  EXPECT_EQ(Px(*copy, 1, 1), (Rgb3{100, 0, 0}));
  // Corner (0, 0) sees five white pixels outside: the middle is white.
  EXPECT_EQ(Px(*copy, 0, 0), (Rgb3{255, 255, 255}));
}

TEST(ConvolutionNeighbourCodes, PosterizeTakesTheMajorityLowestIndexOnTies) {
  // One row: radius 2 sees the row only.  At x = 2 the quantised colours
  // (level 4) are (1,0,0) twice, (0,0,2) twice and (15,15,15) once: the tie
  // goes to the lower packed index, (0,0,2).
  auto make = [] {
    auto map = std::make_unique<OffMap>(5, 1, 24);
    Put(*map, 0, 0, {16, 0, 0});
    Put(*map, 1, 0, {17, 5, 3});
    Put(*map, 2, 0, {0, 0, 32});
    Put(*map, 3, 0, {0, 0, 40});
    Put(*map, 4, 0, {255, 255, 255});
    return map;
  };
  HeadlessMessages messages;
  auto map = make();
  {
    ConvolutionMapFilter filter(nullptr, 2, map.get(), ConvolutionMapFilter::kPosterizeMajority, messages);
    filter.Set_Posterize_Level(4, 0);
    filter.Filter();
  }
  EXPECT_EQ(Reds(*map, 0), (std::vector<int16_t>{16, 0, 0, 0, 0}));
  EXPECT_EQ(Px(*map, 2, 0), (Rgb3{0, 0, 32}));
  EXPECT_EQ(Px(*map, 4, 0), (Rgb3{0, 0, 32}));  // x = 2..4: (0,0,2) twice

  // After construction the level is 4 and the offset 1: one step (16) is
  // added to each channel.
  map = make();
  Apply(*map, ConvolutionMapFilter::kPosterizeMajority, 2, messages);
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{32, 16, 16}));
  EXPECT_EQ(Px(*map, 2, 0), (Rgb3{16, 16, 48}));

  // Level 2 (steps of 64) with offset 1, level 5 (steps of 8).
  map = make();
  {
    ConvolutionMapFilter filter(nullptr, 2, map.get(), ConvolutionMapFilter::kPosterizeMajority, messages);
    filter.Set_Posterize_Level(2, 1);
    filter.Filter();
  }
  EXPECT_EQ(Px(*map, 2, 0), (Rgb3{64, 64, 64}));  // (0,0,0) four times
  map = make();
  {
    ConvolutionMapFilter filter(nullptr, 2, map.get(), ConvolutionMapFilter::kPosterizeMajority, messages);
    filter.Set_Posterize_Level(5, 0);
    filter.Filter();
  }
  // x = 0 sees (2,0,0), (2,0,0), (0,0,4): red wins.
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{16, 0, 0}));
  EXPECT_TRUE(messages.Texts().empty());
}

TEST(ConvolutionNeighbourCodes, PosterizeRefusesWhatItCannotCount) {
  HeadlessMessages messages;
  auto source = std::make_unique<OffMap>(30, 30, 24);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) Put(*source, x, y, {int16_t(8 * x), int16_t(8 * y), 77});
  auto expect_unchanged = [&](int16_t radius, int16_t level) {
    auto map = std::make_unique<OffMap>(30, 30, 24);
    map->Assign_Copy(*source);
    ConvolutionMapFilter filter(nullptr, radius, map.get(), ConvolutionMapFilter::kPosterizeMajority,
                                messages);
    filter.Set_Posterize_Level(level, 0);
    filter.Filter();
    return Same_Pixels(*map, *source);
  };
  // Level 5 counts in bytes: a disc of 256 pixels or more is left alone.
  ASSERT_LT(ConvolutionMapFilter::Disc_Pixel_Count(ConvolutionMapFilter::Build_Disc_Kernel(8)), 256);
  ASSERT_GE(ConvolutionMapFilter::Disc_Pixel_Count(ConvolutionMapFilter::Build_Disc_Kernel(9)), 256);
  EXPECT_FALSE(expect_unchanged(8, 5));
  EXPECT_TRUE(expect_unchanged(9, 5));
  EXPECT_FALSE(expect_unchanged(9, 4));
  // Levels outside 2..5 have no quantisation.
  EXPECT_TRUE(expect_unchanged(2, 1));
  EXPECT_TRUE(expect_unchanged(2, 6));
  EXPECT_TRUE(messages.Texts().empty());
}

TEST(ConvolutionNeighbourCodes, OpeningRemovesADotAndRoundsASquare) {
  // 36 then 35 with radius 2: the 2 x 2 dot vanishes, the 10 x 10 square
  // keeps its shape except its four corner pixels.
  auto dot = White_With_Black(12, 12, 5, 5, 6, 6);
  Apply(*dot, ConvolutionMapFilter::kLightestInDisc, 2);
  Apply(*dot, ConvolutionMapFilter::kDarkestInDisc, 2);
  EXPECT_EQ(dot->Percent_Black_Pixels(), 0);

  auto square = White_With_Black(16, 16, 3, 3, 12, 12);
  Apply(*square, ConvolutionMapFilter::kLightestInDisc, 2);
  Apply(*square, ConvolutionMapFilter::kDarkestInDisc, 2);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const bool inside = x >= 3 && x <= 12 && y >= 3 && y <= 12;
      const bool corner = (x == 3 || x == 12) && (y == 3 || y == 12);
      const int16_t v = inside && !corner ? 0 : 255;
      EXPECT_EQ(Px(*square, x, y), (Rgb3{v, v, v})) << x << "," << y;
    }
  }
}

TEST(ConvolutionNeighbourCodes, DiscExtremesTakeTheFirstFoundInDiscOrder) {
  // A row: (10,20,30) left of the centre and (30,20,10) right of it have the
  // same sum; the disc is walked left to right.
  auto row = Solid_Map(5, 1, 24, {255, 255, 255});
  Put(*row, 1, 0, {10, 20, 30});
  Put(*row, 3, 0, {30, 20, 10});
  Apply(*row, ConvolutionMapFilter::kDarkestInDisc, 2);
  EXPECT_EQ(Px(*row, 2, 0), (Rgb3{10, 20, 30}));
  EXPECT_EQ(Px(*row, 4, 0), (Rgb3{30, 20, 10}));  // x = 1 is out of reach

  // A column: the row below the centre comes before the row above.
  auto column = Solid_Map(1, 5, 24, {255, 255, 255});
  Put(*column, 0, 1, {10, 20, 30});
  Put(*column, 0, 3, {30, 20, 10});
  Apply(*column, ConvolutionMapFilter::kDarkestInDisc, 2);
  EXPECT_EQ(Px(*column, 0, 2), (Rgb3{30, 20, 10}));

  // Brightest: 32 and 36 agree on colour maps.
  for (int16_t code : {ConvolutionMapFilter::kBrightestInDisc, ConvolutionMapFilter::kLightestInDisc}) {
    auto dark = Solid_Map(1, 5, 24, {0, 0, 0});
    Put(*dark, 0, 1, {200, 100, 0});
    Put(*dark, 0, 3, {0, 100, 200});
    Apply(*dark, code, 2);
    EXPECT_EQ(Px(*dark, 0, 2), (Rgb3{0, 100, 200})) << code;
    EXPECT_EQ(Px(*dark, 0, 0), (Rgb3{200, 100, 0})) << code;
  }
}

TEST(ConvolutionNeighbourCodes, SmallRadiiAndHugeRadii) {
  // Radius 1 and below: the disc is the pixel itself.
  auto dot = White_With_Black(6, 6, 2, 2, 2, 2);
  auto before = White_With_Black(6, 6, 2, 2, 2, 2);
  Apply(*dot, ConvolutionMapFilter::kLightestInDisc, 1);
  EXPECT_TRUE(Same_Pixels(*dot, *before));
  Apply(*dot, ConvolutionMapFilter::kDarkestInDisc, 0);
  EXPECT_TRUE(Same_Pixels(*dot, *before));

  // A radius beyond the largest disc acts as the largest disc.
  auto big = std::make_unique<OffMap>(9, 7, 24);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x) Put(*big, x, y, {int16_t(20 * x), int16_t(30 * y), int16_t(x * y)});
  auto capped = std::make_unique<OffMap>(9, 7, 24);
  capped->Assign_Copy(*big);
  Apply(*big, ConvolutionMapFilter::kDarkestInDisc, 30000);
  Apply(*capped, ConvolutionMapFilter::kDarkestInDisc, ConvolutionMapFilter::kMaxDiscRadius);
  EXPECT_TRUE(Same_Pixels(*big, *capped));
  EXPECT_EQ(Px(*big, 8, 6), (Rgb3{0, 0, 0}));
}

TEST(ConvolutionNeighbourCodes, IsolatedPixelRemovalCountsChanges) {
  auto map = Solid_Map(5, 5, 24, {0, 0, 255});
  Put(*map, 2, 2, {255, 0, 0});
  EXPECT_EQ(Apply(*map, ConvolutionMapFilter::kIsolatedPixel, 1), 1);
  EXPECT_EQ(Px(*map, 2, 2), (Rgb3{0, 0, 255}));

  map = Solid_Map(5, 5, 24, {0, 0, 255});
  Put(*map, 2, 2, {255, 0, 0});
  Put(*map, 3, 2, {255, 0, 0});
  EXPECT_EQ(Apply(*map, ConvolutionMapFilter::kIsolatedPixel, 1), 0);
  EXPECT_EQ(Px(*map, 2, 2), (Rgb3{255, 0, 0}));
  EXPECT_EQ(Px(*map, 3, 2), (Rgb3{255, 0, 0}));

  // Outside reads white: a black corner pixel in white is cleaned, a blue
  // area's edge is not touched.
  map = Solid_Map(3, 3, 24, {255, 255, 255});
  Put(*map, 0, 0, {0, 0, 0});
  EXPECT_EQ(Apply(*map, ConvolutionMapFilter::kIsolatedPixel, 1), 1);
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{255, 255, 255}));
}

// ---- grey maps ----------------------------------------------------------------------

TEST(ConvolutionGreyCodes, SmallestOfTheNeighbourTable) {
  auto map = Grey_Map({{200, 200, 200, 200, 200, 200, 200},
                       {200, 200, 200, 200, 200, 200, 200},
                       {200, 200, 200, 200, 200, 200, 200},
                       {200, 200, 200, 50, 200, 200, 200},
                       {200, 200, 200, 200, 200, 200, 200},
                       {200, 200, 200, 200, 200, 200, 200},
                       {200, 200, 200, 200, 200, 200, 200}});
  auto eight = Grey_Map({{0}});
  eight->Assign_Copy(*map);
  // The first four entries are the 4-neighbours; outside a grey map is black.
  Apply(*map, ConvolutionMapFilter::kBrightestInDisc, 4);
  EXPECT_EQ(Reds(*map, 0), (std::vector<int16_t>{0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Reds(*map, 2), (std::vector<int16_t>{0, 200, 200, 50, 200, 200, 0}));
  EXPECT_EQ(Reds(*map, 3), (std::vector<int16_t>{0, 200, 50, 50, 50, 200, 0}));
  EXPECT_EQ(Reds(*map, 4), (std::vector<int16_t>{0, 200, 200, 50, 200, 200, 0}));
  // Eight entries add the diagonals.
  Apply(*eight, ConvolutionMapFilter::kBrightestInDisc, 8);
  EXPECT_EQ(Reds(*eight, 2), (std::vector<int16_t>{0, 200, 50, 50, 50, 200, 0}));
  EXPECT_EQ(Reds(*eight, 5), (std::vector<int16_t>{0, 200, 200, 200, 200, 200, 0}));

  // Entry 9 is (0, -2): only counts above 9 reach two rows up.
  auto far = Grey_Map({{200, 50, 200}, {200, 200, 200}, {200, 200, 200}, {200, 200, 200}, {200, 200, 200}});
  auto far10 = Grey_Map({{0}});
  far10->Assign_Copy(*far);
  Apply(*far, ConvolutionMapFilter::kBrightestInDisc, 9);
  Apply(*far10, ConvolutionMapFilter::kBrightestInDisc, 10);
  EXPECT_EQ(Px(*far, 1, 2)[0], 200);
  EXPECT_EQ(Px(*far10, 1, 2)[0], 50);
  EXPECT_EQ(ConvolutionMapFilter::kNeighbourTable[9][0], 0);
  EXPECT_EQ(ConvolutionMapFilter::kNeighbourTable[9][1], -2);
}

TEST(ConvolutionGreyCodes, DiscCodesTakeTheOppositeExtremes) {
  // 35 spreads the largest grey, 36 the smallest.
  auto bright = Grey_Map({{10, 10, 10, 10, 10, 10, 10},
                          {10, 10, 10, 10, 10, 10, 10},
                          {10, 10, 10, 10, 10, 10, 10},
                          {10, 10, 10, 200, 10, 10, 10},
                          {10, 10, 10, 10, 10, 10, 10},
                          {10, 10, 10, 10, 10, 10, 10},
                          {10, 10, 10, 10, 10, 10, 10}});
  Apply(*bright, ConvolutionMapFilter::kDarkestInDisc, 2);
  EXPECT_EQ(Reds(*bright, 0), (std::vector<int16_t>{10, 10, 10, 10, 10, 10, 10}));
  EXPECT_EQ(Reds(*bright, 1), (std::vector<int16_t>{10, 10, 200, 200, 200, 10, 10}));
  EXPECT_EQ(Reds(*bright, 3), (std::vector<int16_t>{10, 200, 200, 200, 200, 200, 10}));

  auto dark = Grey_Map({{90, 90, 90, 90, 90}, {90, 90, 90, 90, 90}, {90, 90, 3, 90, 90}});
  Apply(*dark, ConvolutionMapFilter::kLightestInDisc, 2);
  EXPECT_EQ(Reds(*dark, 0), (std::vector<int16_t>{90, 3, 3, 3, 90}));
  EXPECT_EQ(Reds(*dark, 1), (std::vector<int16_t>{3, 3, 3, 3, 3}));
  EXPECT_EQ(Reds(*dark, 2), (std::vector<int16_t>{3, 3, 3, 3, 3}));

  // The same on a mask map: on bits (255) spread with 35.
  auto mask = Grey_Map({{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 255}}, 1);
  Apply(*mask, ConvolutionMapFilter::kDarkestInDisc, 2);
  EXPECT_EQ(Reds(*mask, 0), (std::vector<int16_t>{0, 0, 0, 255, 255}));
  EXPECT_EQ(Reds(*mask, 1), (std::vector<int16_t>{0, 0, 255, 255, 255}));
  EXPECT_EQ(Reds(*mask, 2), (std::vector<int16_t>{0, 0, 255, 255, 255}));
}

TEST(ConvolutionGreyCodes, GammaAndIsolatedPixels) {
  auto map = Grey_Map({{64, 0, 255}});
  Apply(*map, ConvolutionMapFilter::kValueGamma, 20);
  EXPECT_EQ(Reds(*map, 0), (std::vector<int16_t>{193, 0, 255}));

  auto spot = Grey_Map({{255, 255, 255, 255}, {255, 0, 255, 255}, {255, 255, 255, 255}});
  EXPECT_EQ(Apply(*spot, ConvolutionMapFilter::kIsolatedPixel, 1), 1);
  EXPECT_EQ(Reds(*spot, 1), (std::vector<int16_t>{255, 255, 255, 255}));
  auto pair = Grey_Map({{255, 255, 255, 255}, {255, 0, 0, 255}, {255, 255, 255, 255}});
  EXPECT_EQ(Apply(*pair, ConvolutionMapFilter::kIsolatedPixel, 1), 0);
  EXPECT_EQ(Reds(*pair, 1), (std::vector<int16_t>{255, 0, 0, 255}));
  // Outside a grey map is black: a white pixel in a black corner goes.
  auto corner = Grey_Map({{255, 0}, {0, 0}});
  EXPECT_EQ(Apply(*corner, ConvolutionMapFilter::kIsolatedPixel, 1), 1);
  EXPECT_EQ(Reds(*corner, 0), (std::vector<int16_t>{0, 0}));
}

// ---- codes without an operation, inert filters, undo maps -------------------------

TEST(ConvolutionFilterSetup, UnknownCodesSayOnceAndChangeNothing) {
  HeadlessMessages messages;
  auto grey = Grey_Map({{10, 20, 30}, {40, 50, 60}});
  Apply(*grey, ConvolutionMapFilter::kLighten, 30, messages);  // colour-only code
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{kMissingCase}));
  EXPECT_EQ(Reds(*grey, 0), (std::vector<int16_t>{10, 20, 30}));
  EXPECT_EQ(Reds(*grey, 1), (std::vector<int16_t>{40, 50, 60}));

  messages.Clear();
  auto colour = Solid_Map(4, 3, 24, {1, 2, 3});
  Apply(*colour, 16, 2, messages);  // a library code the program does not use
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{kMissingCase}));
  EXPECT_EQ(Px(*colour, 3, 2), (Rgb3{1, 2, 3}));
}

TEST(ConvolutionFilterSetup, InertFiltersAndCallerUndoMaps) {
  HeadlessMessages messages;
  ConvolutionMapFilter noTarget(nullptr, 30, nullptr, ConvolutionMapFilter::kLighten, messages);
  noTarget.Filter();
  EXPECT_EQ(noTarget.Get_Undo_Map(), nullptr);

  auto map = Solid_Map(2, 2, 24, {100, 100, 100});
  {
    ConvolutionMapFilter codeZero(nullptr, 30, map.get(), ConvolutionMapFilter::kNone, messages);
    codeZero.Filter();
    EXPECT_EQ(codeZero.Get_Undo_Map(), nullptr);
  }
  EXPECT_EQ(Px(*map, 1, 1), (Rgb3{100, 100, 100}));

  // A caller's undo map is what the filter reads, and it survives the filter.
  auto undo = Solid_Map(2, 2, 24, {7, 8, 9});
  {
    ConvolutionMapFilter filter(undo.get(), 30, map.get(), ConvolutionMapFilter::kLighten, messages);
    EXPECT_EQ(filter.Get_Undo_Map(), undo.get());
    filter.Delete_UndoMap();  // not the filter's to delete
    EXPECT_EQ(filter.Get_Undo_Map(), undo.get());
    filter.Filter();
  }
  EXPECT_EQ(Px(*map, 0, 1), (Rgb3{37, 38, 39}));
  EXPECT_EQ(Px(*undo, 0, 1), (Rgb3{7, 8, 9}));

  // The target as its own undo map: the filter reads a copy instead.
  auto row = Solid_Map(3, 1, 24, {90, 90, 90});
  Put(*row, 0, 0, {0, 0, 0});
  {
    ConvolutionMapFilter self(row.get(), 2, row.get(), ConvolutionMapFilter::kMean3x3, messages);
    EXPECT_NE(self.Get_Undo_Map(), row.get());
    self.Filter();
  }
  EXPECT_EQ(Px(*row, 1, 0)[0], (180 + 6 * 255) / 9);

  // An undo map of another size is not a copy of the target: nothing happens.
  auto small = Solid_Map(1, 2, 24, {7, 8, 9});
  ConvolutionMapFilter mismatched(small.get(), 30, map.get(), ConvolutionMapFilter::kLighten, messages);
  mismatched.Filter();
  EXPECT_EQ(Px(*map, 0, 1), (Rgb3{37, 38, 39}));

  // Deleting the filter's own undo map leaves it inert.
  ConvolutionMapFilter own(nullptr, 30, map.get(), ConvolutionMapFilter::kLighten, messages);
  ASSERT_NE(own.Get_Undo_Map(), nullptr);
  own.Delete_UndoMap();
  EXPECT_EQ(own.Get_Undo_Map(), nullptr);
  own.Filter();
  EXPECT_EQ(Px(*map, 0, 1), (Rgb3{37, 38, 39}));
  own.Set_Filter_Value(5);
  EXPECT_EQ(own.Get_Filter_Value(), 5);
  EXPECT_TRUE(messages.Texts().empty());
}

TEST(ConvolutionFilterSetup, EachPixelReadsTheOriginalNeighbourhood) {
  // Mean over a row written left to right: without the undo copy the second
  // pixel would see the first one's new value.
  auto map = Solid_Map(3, 1, 24, {90, 90, 90});
  Put(*map, 0, 0, {0, 0, 0});
  Apply(*map, ConvolutionMapFilter::kMean3x3, 2);
  // x = 1: 0 + 90 + 90 in the row, six white pixels above and below.
  EXPECT_EQ(Px(*map, 1, 0)[0], (180 + 6 * 255) / 9);
}

}  // namespace
