#include <gtest/gtest.h>

#include <limits>

#include "RasterTestMaps.h"

namespace {

Rgb3 Modified(const OffMap& map, int32_t x, int32_t y, int16_t dh, int16_t ds, int16_t dv) {
  Rgb3 c{-99, -99, -99};
  map.Get_Pixel_ColorModified(x, y, dh, ds, dv, c[0], c[1], c[2]);
  return c;
}

Rgb3 Modified(Rgb3 pixel, int16_t dh, int16_t ds, int16_t dv) {
  OffMap map(1, 1, 24);
  Put(map, 0, 0, pixel);
  return Modified(map, 0, 0, dh, ds, dv);
}

Rgb3 Yiq_Modified(Rgb3 pixel, int16_t dy, int16_t di, int16_t dq) {
  OffMap map(1, 1, 24);
  Put(map, 0, 0, pixel);
  Rgb3 c{-99, -99, -99};
  map.Get_Pixel_YIQ_Modified(0, 0, dy, di, dq, c[0], c[1], c[2]);
  return c;
}

Rgb3 Both_Modified(Rgb3 pixel, int16_t dh, int16_t ds, int16_t dv, int16_t dy, int16_t di, int16_t dq) {
  OffMap map(1, 1, 24);
  Put(map, 0, 0, pixel);
  Rgb3 c{-99, -99, -99};
  map.Get_Pixel_HSV_YIQ_Modified(0, 0, dh, ds, dv, dy, di, dq, c[0], c[1], c[2]);
  return c;
}

Rgb3 Bilinear(const OffMap& map, double x, double y, bool grey) {
  Rgb3 c{-99, -99, -99};
  map.Get_Pixel_Bilinear(x, y, c[0], c[1], c[2], grey);
  return c;
}

}  // namespace

TEST(OffMapColourReads, HsvShift) {
  EXPECT_EQ(Modified({255, 255, 255}, 77, -100, -200), (Rgb3{255, 255, 255}));
  EXPECT_EQ(Modified({255, 0, 0}, 120, 0, 0), (Rgb3{0, 255, 0}));
  // (252, 42, 0) has hue 10; -30 gives hue 340 (q truncates to 83).
  EXPECT_EQ(Modified({252, 42, 0}, -30, 0, 0), (Rgb3{252, 0, 83}));
  // Hue 300 + 120 wraps to 60.
  EXPECT_EQ(Modified({255, 0, 255}, 120, 0, 0), (Rgb3{255, 255, 0}));
  // Offsets of more than a turn still wrap into 0..359.
  EXPECT_EQ(Modified({255, 0, 0}, 840, 0, 0), (Rgb3{0, 255, 0}));
  EXPECT_EQ(Modified({255, 0, 0}, -600, 0, 0), (Rgb3{0, 255, 0}));
  // Greys stay grey at their new value; saturation and value are clamped.
  EXPECT_EQ(Modified({100, 100, 100}, 90, 50, 20), (Rgb3{120, 120, 120}));
  EXPECT_EQ(Modified({255, 0, 0}, 0, 100, 0), (Rgb3{255, 0, 0}));
  EXPECT_EQ(Modified({255, 0, 0}, 0, 0, -300), (Rgb3{0, 0, 0}));
  EXPECT_EQ(Modified({255, 0, 0}, 0, -300, 0), (Rgb3{255, 255, 255}));
  // No offsets: the stored pixel, without a conversion round trip
  // ((10, 20, 30) would come back as (10, 20, 29)).
  EXPECT_EQ(Modified({10, 20, 30}, 0, 0, 0), (Rgb3{10, 20, 30}));
  EXPECT_EQ(Modified({10, 20, 30}, 0, 0, 1), (Rgb3{10, 20, 31}));
  // Reads outside follow the map's border colour.
  auto tonal = Grey_Map({{40}});
  EXPECT_EQ(Modified(*tonal, -1, 0, 0, 0, 30), (Rgb3{30, 30, 30}));
  EXPECT_EQ(Modified(*tonal, 0, 0, 0, 0, 30), (Rgb3{70, 70, 70}));
  OffMap colour(1, 1, 24);
  EXPECT_EQ(Modified(colour, 5, 5, 10, 10, -30), (Rgb3{255, 255, 255}));
}

TEST(OffMapColourReads, YiqShiftAndCombinedShift) {
  // (255, 0, 0) is YIQ (76, 151, 53); Y + 10 gives (263.3, 10.6, 9.3).
  EXPECT_EQ(Yiq_Modified({255, 0, 0}, 10, 0, 0), (Rgb3{255, 10, 9}));
  EXPECT_EQ(Yiq_Modified({255, 255, 255}, -100, 5, 5), (Rgb3{255, 255, 255}));
  EXPECT_EQ(Yiq_Modified({10, 20, 30}, 0, 0, 0), (Rgb3{10, 20, 30}));
  // (10, 20, 30) is YIQ (18, -9, 1); Y 19 gives (11.0, 20.8, 30.7).
  EXPECT_EQ(Yiq_Modified({10, 20, 30}, 1, 0, 0), (Rgb3{11, 20, 30}));
  EXPECT_EQ(Yiq_Modified({10, 20, 30}, -100, 0, 0), (Rgb3{0, 0, 0}));

  // HSV first ((0, 255, 0), YIQ (149, -69, -133)), then Y + 10.
  EXPECT_EQ(Both_Modified({255, 0, 0}, 120, 0, 0, 10, 0, 0), (Rgb3{10, 255, 8}));
  EXPECT_EQ(Both_Modified({255, 0, 0}, 120, 0, 0, 0, 0, 0), (Rgb3{0, 255, 0}));
  EXPECT_EQ(Both_Modified({255, 0, 0}, 0, 0, 0, 10, 0, 0), (Rgb3{255, 10, 9}));
  EXPECT_EQ(Both_Modified({10, 20, 30}, 0, 0, 0, 0, 0, 0), (Rgb3{10, 20, 30}));
  EXPECT_EQ(Both_Modified({255, 255, 255}, 10, 10, -50, -50, 0, 0), (Rgb3{255, 255, 255}));
}

TEST(OffMapColourReads, BilinearInterpolation) {
  OffMap map(2, 2, 24);
  map.Set_Pixel(0, 0, 0, 0, 0);
  map.Set_Pixel(1, 0, 100, 50, 10);
  map.Set_Pixel(0, 1, 200, 100, 20);
  map.Set_Pixel(1, 1, 40, 40, 40);
  EXPECT_EQ(Bilinear(map, 0.5, 0.5, false), (Rgb3{85, 47, 17}));
  EXPECT_EQ(Bilinear(map, 0.25, 0.0, false), (Rgb3{25, 12, 2}));
  EXPECT_EQ(Bilinear(map, 1.0, 1.0, false), (Rgb3{40, 40, 40}));
  // Neighbours outside a colour map are white.
  EXPECT_EQ(Bilinear(map, 1.5, 0.0, false), (Rgb3{177, 152, 132}));
  // Luminances 0, 60.39, 120.78, 40 interpolate to 55.29.
  EXPECT_EQ(Bilinear(map, 0.5, 0.5, true), (Rgb3{55, 55, 55}));
  // Coordinates no map can reach read the border.
  EXPECT_EQ(Bilinear(map, 1e300, 0.0, false), (Rgb3{255, 255, 255}));
  EXPECT_EQ(Bilinear(map, std::numeric_limits<double>::quiet_NaN(), 0.0, true), (Rgb3{255, 255, 255}));
}

TEST(OffMapColourStats, NonWhiteAverages) {
  OffMap map(3, 1, 24);
  map.Set_Pixel(0, 0, 255, 0, 0);
  map.Set_Pixel(1, 0, 100, 100, 100);
  map.Set_Pixel(2, 0, 255, 255, 255);
  Rgb3 c{};
  // Mean RGB (177, 50, 50).
  EXPECT_EQ(map.Average_NonWhite_HSV(c[0], c[1], c[2]), 2);
  EXPECT_EQ(c, (Rgb3{0, 182, 177}));
  EXPECT_EQ(map.Average_NonWhite_YIQ(c[0], c[1], c[2]), 2);
  EXPECT_EQ(c, (Rgb3{87, 75, 26}));
  // Per pixel: hues 0 and -1 (grey) average to 0 (-1 / 2 truncated).
  EXPECT_EQ(map.Average_NonWhite_HSV_PerPixel(c[0], c[1], c[2]), 2);
  EXPECT_EQ(c, (Rgb3{0, 127, 177}));
  map.Set_Pixel(0, 0, 50, 50, 50);
  map.Set_Pixel(2, 0, 0, 0, 0);
  EXPECT_EQ(map.Average_NonWhite_HSV_PerPixel(c[0], c[1], c[2]), 3);
  EXPECT_EQ(c, (Rgb3{-1, 0, 50}));

  map.Fill(255);
  EXPECT_EQ(map.Average_NonWhite_HSV(c[0], c[1], c[2]), 0);
  EXPECT_EQ(c, (Rgb3{-1, 0, 255}));
  EXPECT_EQ(map.Average_NonWhite_HSV_PerPixel(c[0], c[1], c[2]), 0);
  EXPECT_EQ(c, (Rgb3{0, 0, 255}));
  EXPECT_EQ(map.Average_NonWhite_YIQ(c[0], c[1], c[2]), 0);
  EXPECT_EQ(c, (Rgb3{255, 0, 0}));
}

TEST(OffMapColourStats, ModifyColoursInPlace) {
  OffMap map(3, 1, 24);
  map.Set_Pixel(0, 0, 255, 0, 0);
  map.Set_Pixel(1, 0, 255, 255, 255);
  map.Set_Pixel(2, 0, 100, 100, 100);
  map.Modify_Colors_In_Place(120, 0, -55);
  EXPECT_EQ(Px(map, 0, 0), (Rgb3{0, 200, 0}));
  EXPECT_EQ(Px(map, 1, 0), (Rgb3{255, 255, 255}));
  EXPECT_EQ(Px(map, 2, 0), (Rgb3{45, 45, 45}));
  map.Modify_Colors_In_Place(0, 0, 0);
  EXPECT_EQ(Px(map, 0, 0), (Rgb3{0, 200, 0}));
}

namespace {

struct FitResult {
  bool ok = false;
  bool nearWhite = true;
  Rgb3 offsets{7, 7, 7};
  std::string err = "old";
};

FitResult Fit(OffMap& map, int16_t h, int16_t s, int16_t v) {
  FitResult f;
  f.ok = map.Fit_To_HSV_Color_OffMap(h, s, v, f.nearWhite, f.offsets[0], f.offsets[1], f.offsets[2], f.err);
  return f;
}

FitResult Fit_Yiq(OffMap& map, int16_t y, int16_t i, int16_t q) {
  FitResult f;
  f.nearWhite = false;
  f.ok = map.Fit_To_HSV_Color_OffMap(OffMap::Fit_YIQ{}, y, i, q, f.offsets[0], f.offsets[1], f.offsets[2],
                                     f.err);
  return f;
}

FitResult Fit_Per_Pixel(OffMap& map, int16_t h, int16_t s, int16_t v) {
  FitResult f;
  f.ok = map.Fit_To_HSV_Color_OffMap(OffMap::Fit_PerPixel{}, h, s, v, f.nearWhite, f.offsets[0], f.offsets[1],
                                     f.offsets[2], f.err);
  return f;
}

// Two (200, 0, 0) pixels and a white one.
std::unique_ptr<OffMap> Red_Map() {
  auto map = Solid_Map(3, 1, 24, {200, 0, 0});
  map->Set_Pixel(2, 0, 255, 255, 255);
  return map;
}

}  // namespace

TEST(OffMapFit, AlreadyCloseEnoughChangesNothing) {
  auto map = Red_Map();
  FitResult f = Fit(*map, 2, 253, 197);  // differences 2, -2, -3
  EXPECT_TRUE(f.ok);
  EXPECT_EQ(f.err, "");
  EXPECT_FALSE(f.nearWhite);
  EXPECT_EQ(f.offsets, (Rgb3{0, 0, 0}));
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{200, 0, 0}));
}

TEST(OffMapFit, ConvergesOnTheTargetColour) {
  auto map = Red_Map();
  FitResult f = Fit(*map, 120, 255, 150);
  EXPECT_TRUE(f.ok);
  EXPECT_FALSE(f.nearWhite);
  EXPECT_EQ(f.offsets, (Rgb3{120, 0, -50}));
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{0, 150, 0}));
  EXPECT_EQ(Px(*map, 1, 0), (Rgb3{0, 150, 0}));
  EXPECT_EQ(Px(*map, 2, 0), (Rgb3{255, 255, 255}));
}

TEST(OffMapFit, OscillatingNearWhiteFitSetsTheFlag) {
  // A grey 100 aimed at value 250 turns light (250, leaving the average),
  // then 245, then light again: twelve rounds without converging, ending
  // at 245, which is almost white.  A grey's hue is taken as 359, one short
  // of target hue 0 each round.
  auto map = Solid_Map(1, 1, 24, {100, 100, 100});
  FitResult f = Fit(*map, 0, 0, 250);
  EXPECT_TRUE(f.ok);
  EXPECT_TRUE(f.nearWhite);
  EXPECT_EQ(f.offsets, (Rgb3{12, 0, 145}));
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{245, 245, 245}));
}

TEST(OffMapFit, UnreachableTargetKeepsHueOffsetsWithinATurn) {
  // Greys never take a hue or a saturation: each round adds -179 to the hue
  // offset (wrapped by 360 below -359) and 200 to the saturation offset.
  auto map = Solid_Map(2, 2, 24, {100, 100, 100});
  FitResult f = Fit(*map, 180, 200, 100);
  EXPECT_TRUE(f.ok);
  EXPECT_FALSE(f.nearWhite);
  EXPECT_EQ(f.offsets, (Rgb3{-348, 2400, 0}));
  EXPECT_EQ(Px(*map, 1, 1), (Rgb3{100, 100, 100}));
}

TEST(OffMapFit, MapWithoutPixelsFailsWithTheCopyText) {
  OffMap none(3, 3, 16);
  FitResult f = Fit(none, 0, 0, 0);
  EXPECT_FALSE(f.ok);
  EXPECT_EQ(f.err, "OffMap::Copy_Bits() failed,  Bitmaps are NOT in MEMORY. ");
  EXPECT_FALSE(f.nearWhite);
  EXPECT_EQ(f.offsets, (Rgb3{0, 0, 0}));
  f = Fit_Yiq(none, 0, 0, 0);
  EXPECT_FALSE(f.ok);
  EXPECT_EQ(f.err, "OffMap::Copy_Bits() failed,  Bitmaps are NOT in MEMORY. ");
  EXPECT_EQ(f.offsets, (Rgb3{0, 0, 0}));
  f = Fit_Per_Pixel(none, 0, 0, 0);
  EXPECT_FALSE(f.ok);
  EXPECT_EQ(f.err, "OffMap::Copy_Bits() failed,  Bitmaps are NOT in MEMORY. ");
  EXPECT_EQ(f.offsets, (Rgb3{0, 0, 0}));
}

TEST(OffMapFit, YiqVariant) {
  auto map = Solid_Map(2, 1, 24, {100, 100, 100});
  FitResult f = Fit_Yiq(*map, 120, 0, 0);
  EXPECT_TRUE(f.ok);
  EXPECT_EQ(f.err, "");
  EXPECT_EQ(f.offsets, (Rgb3{20, 0, 0}));
  EXPECT_EQ(Px(*map, 1, 0), (Rgb3{120, 120, 120}));
  // A luminance above white is never reached: the first round makes the
  // pixels white (mean Y 255), every later one adds 300 - 255 = 45, for
  // 24 rounds in all.
  map = Solid_Map(2, 1, 24, {100, 100, 100});
  f = Fit_Yiq(*map, 300, 0, 0);
  EXPECT_TRUE(f.ok);
  EXPECT_EQ(f.offsets, (Rgb3{200 + 23 * 45, 0, 0}));
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{255, 255, 255}));
}

TEST(OffMapFit, PerPixelVariant) {
  // Grey 100 to value 150: only the luminance moves (Y 100 -> 150).
  auto map = Solid_Map(2, 1, 24, {100, 100, 100});
  FitResult f = Fit_Per_Pixel(*map, -1, 0, 150);
  EXPECT_TRUE(f.ok);
  EXPECT_EQ(f.err, "");
  EXPECT_FALSE(f.nearWhite);
  EXPECT_EQ(f.offsets, (Rgb3{0, 0, 50}));
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{150, 150, 150}));
  // (200, 0, 0) to (120, 255, 200), target Y 117:
  //  round 1: hue +120, Y +58 -> (58, 255, 57), per-pixel HSV (119, 198, 255), Y 173;
  //  round 2: hue +1, saturation +57, Y -56 -> (2, 200, 4): HSV (120, 252, 200),
  //  Y 118, within 4 of the target.
  map = Red_Map();
  f = Fit_Per_Pixel(*map, 120, 255, 200);
  EXPECT_TRUE(f.ok);
  EXPECT_FALSE(f.nearWhite);
  EXPECT_EQ(f.offsets, (Rgb3{121, 57, 0}));
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{2, 200, 4}));
  EXPECT_EQ(Px(*map, 2, 0), (Rgb3{255, 255, 255}));
}
