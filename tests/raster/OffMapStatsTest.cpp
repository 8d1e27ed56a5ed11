#include <gtest/gtest.h>

#include "RasterTestMaps.h"
#include "platform/headless/Headless.h"

TEST(OffMapStats, GreyscaleSamplingWalk) {
  // 10 x 10: samples (2, 2), then (1, 1) for ever (22 wraps to 10 / 8).
  OffMap small(10, 10, 24);
  small.Fill(255);
  EXPECT_TRUE(small.Is_Greyscale_Sampled(20));
  small.Set_Pixel(1, 1, 1, 2, 3);
  EXPECT_TRUE(small.Is_Greyscale_Sampled(1));
  EXPECT_FALSE(small.Is_Greyscale_Sampled(2));
  small.Set_Pixel(1, 1, 9, 9, 9);
  small.Set_Pixel(3, 3, 1, 2, 3);  // never sampled
  EXPECT_TRUE(small.Is_Greyscale_Sampled(20));
  small.Set_Pixel(2, 2, 1, 2, 3);
  EXPECT_FALSE(small.Is_Greyscale_Sampled(1));
  EXPECT_TRUE(small.Is_Greyscale_Sampled(0));
  EXPECT_TRUE(small.Is_Greyscale_Sampled(-5));

  // 50 x 50: (12, 12), (32, 32), (6, 6), (26, 26), (46, 46), (6, 6), ...
  OffMap big(50, 50, 24);
  big.Set_Pixel(46, 46, 0, 0, 1);
  EXPECT_TRUE(big.Is_Greyscale_Sampled(4));
  EXPECT_FALSE(big.Is_Greyscale_Sampled(5));
  big.Set_Pixel(46, 46, 0, 0, 0);
  big.Set_Pixel(26, 26, 0, 0, 1);
  EXPECT_TRUE(big.Is_Greyscale_Sampled(3));
  EXPECT_FALSE(big.Is_Greyscale_Sampled(4));
  // Non-square: the axes wrap independently.  30 x 90 walks (7, 22), (27, 42),
  // (3, 62), (23, 82), (3, 11), ...
  OffMap tall(30, 90, 24);
  tall.Set_Pixel(3, 11, 5, 0, 0);
  EXPECT_TRUE(tall.Is_Greyscale_Sampled(4));
  EXPECT_FALSE(tall.Is_Greyscale_Sampled(5));
}

TEST(OffMapStats, PercentBlackAndMaxRed) {
  auto tonal = Grey_Map({{0, 0, 5}, {0, 7, 9}, {0, 200, 3}});
  EXPECT_EQ(tonal->Percent_Black_Pixels(), 44);  // 4 of 9
  EXPECT_EQ(tonal->Max_Red_Value(), 200);
  OffMap colour(2, 1, 24);
  colour.Set_Pixel(0, 0, 0, 255, 255);  // red 0 counts as black
  colour.Set_Pixel(1, 0, 30, 250, 250);
  EXPECT_EQ(colour.Percent_Black_Pixels(), 50);
  EXPECT_EQ(colour.Max_Red_Value(), 30);
  OffMap mask(9, 1, 1);
  mask.Set_Pixel(8, 0, 1, 1, 1);
  EXPECT_EQ(mask.Percent_Black_Pixels(), 88);
  EXPECT_EQ(mask.Max_Red_Value(), 255);
  OffMap empty(0, 0, 8), none(3, 3, 16);
  EXPECT_EQ(empty.Percent_Black_Pixels(), -1);
  EXPECT_EQ(empty.Max_Red_Value(), -1);
  EXPECT_EQ(none.Percent_Black_Pixels(), -1);
  EXPECT_EQ(none.Max_Red_Value(), -1);
}

TEST(OffMapStats, AverageNonWhiteRgb) {
  OffMap map(2, 2, 24);
  map.Set_Pixel(0, 0, 249, 255, 255);  // one component below 250: counted
  map.Set_Pixel(1, 0, 250, 250, 250);  // light: not counted
  map.Set_Pixel(0, 1, 10, 20, 30);
  map.Set_Pixel(1, 1, 255, 255, 255);
  Rgb3 c{};
  EXPECT_EQ(map.Average_NonWhite_RGB(c[0], c[1], c[2]), 2);
  EXPECT_EQ(c, (Rgb3{129, 137, 142}));  // 259 / 2, 275 / 2, 285 / 2 truncated
  map.Fill(255);
  EXPECT_EQ(map.Average_NonWhite_RGB(c[0], c[1], c[2]), 0);
  EXPECT_EQ(c, (Rgb3{255, 255, 255}));
}

namespace {

// 4 x 4 colour map, pixel (x, y) = (10x, 10y, 7).
std::unique_ptr<OffMap> Ramp_Map() {
  auto map = std::make_unique<OffMap>(4, 4, 24);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      map->Set_Pixel(x, y, static_cast<int16_t>(10 * x), static_cast<int16_t>(10 * y), 7);
  return map;
}

struct AverageResult {
  int32_t count;
  Rgb3 colour;
  int32_t percent;
};

AverageResult Average(const OffMap& map, RectShrt maskRect, RectShrt areaRect, const OffMap& mask,
                      MessageService& messages) {
  AverageResult res{};
  res.count = map.Calc_Average_RGB_Components(res.colour[0], res.colour[1], res.colour[2], maskRect, areaRect,
                                              mask, res.percent, messages);
  return res;
}

}  // namespace

TEST(OffMapStats, AverageUnderAStretchedMask) {
  HeadlessMessages messages;
  auto map = Ramp_Map();
  OffMap mask(2, 2, 1);  // all black (off) except (1, 0)
  mask.Set_Pixel(1, 0, 255, 255, 255);
  // The 2 x 2 mask covers the 4 x 4 area: x 2..3, y 0..1 fall on (1, 0).
  AverageResult all = Average(*map, Make_RectShrt(0, 0, 1, 1), Make_RectShrt(0, 0, 3, 3), mask, messages);
  EXPECT_EQ(all.count, 12);
  EXPECT_EQ(all.colour, (Rgb3{11, 18, 7}));  // 140 / 12, 220 / 12
  EXPECT_EQ(all.percent, 300);               // counted pixels per mask pixels
  // A 2 x 2 area at (2, 2) with the mask 1 : 1: (3, 2) is excluded.
  AverageResult part = Average(*map, Make_RectShrt(0, 0, 1, 1), Make_RectShrt(2, 2, 3, 3), mask, messages);
  EXPECT_EQ(part.count, 3);
  EXPECT_EQ(part.colour, (Rgb3{23, 26, 7}));  // (20 + 20 + 30) / 3, (20 + 30 + 30) / 3
  EXPECT_EQ(part.percent, 75);
  // A negative mask rectangle: the whole map under the whole mask.
  AverageResult whole = Average(*map, Make_RectShrt(-1, 0, 5, 5), Make_RectShrt(2, 2, 3, 3), mask, messages);
  EXPECT_EQ(whole.count, 12);
  EXPECT_EQ(whole.colour, (Rgb3{11, 18, 7}));
  // Only the part of the area on the map is scanned.
  OffMap black(4, 4, 1);
  AverageResult edge = Average(*map, Make_RectShrt(0, 0, 3, 3), Make_RectShrt(2, 2, 5, 5), black, messages);
  EXPECT_EQ(edge.count, 4);
  EXPECT_EQ(edge.colour, (Rgb3{25, 25, 7}));
  EXPECT_EQ(edge.percent, 25);
  EXPECT_TRUE(messages.Texts().empty());
}

TEST(OffMapStats, AverageWithNothingCountedOrAnEmptyMask) {
  HeadlessMessages messages;
  auto map = Ramp_Map();
  OffMap white(2, 2, 1);
  white.Fill(255);
  AverageResult none = Average(*map, Make_RectShrt(0, 0, 1, 1), Make_RectShrt(0, 0, 3, 3), white, messages);
  EXPECT_EQ(none.count, 0);
  EXPECT_EQ(none.colour, (Rgb3{-1, -1, -1}));
  EXPECT_EQ(none.percent, 0);
  // A mask without pixels reads black everywhere; the percentage is 0.
  OffMap empty(0, 0, 1);
  AverageResult all = Average(*map, Make_RectShrt(0, 0, 1, 1), Make_RectShrt(0, 0, 1, 0), empty, messages);
  EXPECT_EQ(all.count, 2);
  EXPECT_EQ(all.colour, (Rgb3{5, 0, 7}));
  EXPECT_EQ(all.percent, 0);
  EXPECT_TRUE(messages.Texts().empty());
}

TEST(OffMapStats, AverageOverAnEmptyOrInvertedAreaShowsTheMessage) {
  HeadlessMessages messages;
  auto map = Ramp_Map();
  OffMap mask(2, 2, 1);
  AverageResult zero = Average(*map, Make_RectShrt(0, 0, 1, 1), Make_RectShrt(5, 0, 4, 3), mask, messages);
  EXPECT_EQ(zero.count, -1);
  EXPECT_EQ(zero.colour, (Rgb3{-1, -1, -1}));
  EXPECT_EQ(zero.percent, -1);
  AverageResult negative =
      Average(*map, Make_RectShrt(0, 0, 1, 1), Make_RectShrt(0, 5, 3, 3), mask, messages);
  EXPECT_EQ(negative.count, -1);
  OffMap nothing(0, 4, 24);
  AverageResult emptyMap =
      Average(nothing, Make_RectShrt(-1, -1, -1, -1), Make_RectShrt(0, 0, 3, 3), mask, messages);
  EXPECT_EQ(emptyMap.count, -1);
  EXPECT_EQ(
      messages.Texts(),
      (std::vector<std::string>{
          "OffMap::Calc_Average_RGB_Components  failed,  widthCurrent or  heightCurrent equals zero.",
          "OffMap::Calc_Average_RGB_Components  failed,  widthCurrent or  heightCurrent is LESS than "
          "ZERO.",
          "OffMap::Calc_Average_RGB_Components  failed,  widthCurrent or  heightCurrent equals zero."}));
}

TEST(OffMapRecolour, ColorizeDarkAndTwoTone) {
  OffMap map(3, 1, 24);
  map.Set_Pixel(0, 0, 249, 255, 255);
  map.Set_Pixel(1, 0, 250, 250, 250);
  map.Set_Pixel(2, 0, 0, 0, 0);
  map.Colorize_Dark_Pixels(1, 2, 3, 250);
  EXPECT_EQ(Px(map, 0, 0), (Rgb3{1, 2, 3}));
  EXPECT_EQ(Px(map, 1, 0), (Rgb3{250, 250, 250}));
  EXPECT_EQ(Px(map, 2, 0), (Rgb3{1, 2, 3}));

  map.Set_Pixel(0, 0, 200, 200, 200);
  map.Set_Pixel(2, 0, 199, 255, 255);
  map.Two_Tone_by_Threshold(9, 8, 7, 200);
  EXPECT_EQ(Px(map, 0, 0), (Rgb3{9, 8, 7}));
  EXPECT_EQ(Px(map, 1, 0), (Rgb3{9, 8, 7}));
  EXPECT_EQ(Px(map, 2, 0), (Rgb3{255, 255, 255}));

  auto tonal = Grey_Map({{10, 251}});
  tonal->Colorize_Dark_Pixels(99, 0, 0, 250);
  EXPECT_EQ(Reds(*tonal, 0), (std::vector<int16_t>{99, 251}));
}
