#include <gtest/gtest.h>

#include <array>

#include "raster/ColorSpace.h"

namespace {

using Triple = std::array<int16_t, 3>;

Triple Hsv(int16_t r, int16_t g, int16_t b) {
  Triple t{-99, -99, -99};
  RGB_to_HSV(r, g, b, &t[0], &t[1], &t[2]);
  return t;
}

Triple Rgb(int16_t h, int16_t s, int16_t v) {
  Triple t{-99, -99, -99};
  HSV_to_RGB(h, s, v, &t[0], &t[1], &t[2]);
  return t;
}

Triple Yiq(int16_t r, int16_t g, int16_t b) {
  Triple t{-99, -99, -99};
  RGB_to_YIQ(r, g, b, &t[0], &t[1], &t[2]);
  return t;
}

Triple Rgb_From_Yiq(int16_t y, int16_t i, int16_t q) {
  Triple t{-99, -99, -99};
  YIQ_to_RGB(y, i, q, &t[0], &t[1], &t[2]);
  return t;
}

}  // namespace

TEST(ColorSpace, RgbToHsvPrimariesGreysAndTruncation) {
  EXPECT_EQ(Hsv(255, 0, 0), (Triple{0, 255, 255}));
  EXPECT_EQ(Hsv(0, 0, 255), (Triple{240, 255, 255}));
  EXPECT_EQ(Hsv(128, 128, 128), (Triple{-1, 0, 128}));
  EXPECT_EQ(Hsv(0, 0, 0), (Triple{-1, 0, 0}));
  // 128 / 255 * 60 = 30.1: the hue is truncated.
  EXPECT_EQ(Hsv(255, 128, 0), (Triple{30, 255, 255}));
  // Red largest and blue above green: a negative hue wraps, 359.76 -> 359.
  EXPECT_EQ(Hsv(255, 0, 1), (Triple{359, 255, 255}));
  // Saturation 75 * 255 / 100 = 191.25 is truncated; hue 25 / 75 * 60 = 20.
  EXPECT_EQ(Hsv(100, 50, 25), (Triple{20, 191, 100}));
  // Green largest: 2 + 50 / 150 -> 140; saturation 150 * 255 / 200 = 191.
  EXPECT_EQ(Hsv(50, 200, 100), (Triple{140, 191, 200}));
  // The smallest spread still gives a hue and saturation 1.
  EXPECT_EQ(Hsv(255, 254, 254), (Triple{0, 1, 255}));
  EXPECT_EQ(Hsv(199, 200, 199), (Triple{120, 1, 200}));
}

TEST(ColorSpace, HsvToRgbSectorsGreysAndWrap) {
  EXPECT_EQ(Rgb(-1, 200, 90), (Triple{90, 90, 90}));
  EXPECT_EQ(Rgb(45, 0, 77), (Triple{77, 77, 77}));
  EXPECT_EQ(Rgb(360, 255, 255), (Triple{255, 0, 0}));
  EXPECT_EQ(Rgb(360, 255, 255), Rgb(0, 255, 255));
  EXPECT_EQ(Rgb(120, 255, 255), (Triple{0, 255, 0}));
  EXPECT_EQ(Rgb(240, 255, 255), (Triple{0, 0, 255}));
  // Sector 0 with frac 0.5: t = 127.5 -> 127.
  EXPECT_EQ(Rgb(30, 255, 255), (Triple{255, 127, 0}));
  // Sector 3: p = 91.18 -> 91, q = 130.39 -> 130.
  EXPECT_EQ(Rgb(200, 100, 150), (Triple{91, 130, 150}));
  // Sector 5 of hue 340 at value 252: q is 84 in exact arithmetic but the
  // real evaluation gives 83.99999..., truncated to 83.
  EXPECT_EQ(Rgb(340, 255, 252), (Triple{252, 0, 83}));
  // The same effect on p and t: 5 * (255 - 204) / 255 is exactly 1, the
  // real formula yields 0.99999...
  EXPECT_EQ(Rgb(0, 204, 5), (Triple{5, 0, 0}));
  // Hues above 360 fall outside every sector: the -9 placeholders clamp to 0.
  EXPECT_EQ(Rgb(400, 255, 255), (Triple{0, 0, 0}));
  // Out-of-range inputs are clamped on the way out.
  EXPECT_EQ(Rgb(0, 255, 300), (Triple{255, 0, 0}));
}

TEST(ColorSpace, HsvRoundTripOfPureHues) {
  for (int16_t h : {0, 60, 120, 180, 240, 300}) {
    const Triple rgb = Rgb(h, 255, 255);
    EXPECT_EQ(Hsv(rgb[0], rgb[1], rgb[2]), (Triple{h, 255, 255})) << h;
  }
}

TEST(ColorSpace, YiqBothWaysTruncatesAndClamps) {
  EXPECT_EQ(Yiq(255, 255, 255), (Triple{255, 0, 0}));
  EXPECT_EQ(Yiq(255, 0, 0), (Triple{76, 151, 53}));
  // -82.11 truncates toward zero.
  EXPECT_EQ(Yiq(0, 0, 255), (Triple{29, -82, 79}));
  EXPECT_EQ(Yiq(0, 0, 0), (Triple{0, 0, 0}));
  // r = 253.27, g = 0.64, b = -0.75 (truncates to 0).
  EXPECT_EQ(Rgb_From_Yiq(76, 151, 53), (Triple{253, 0, 0}));
  EXPECT_EQ(Rgb_From_Yiq(200, 100, 100), (Triple{255, 108, 255}));
  EXPECT_EQ(Rgb_From_Yiq(10, 50, 0), (Triple{57, 0, 0}));
  EXPECT_EQ(Rgb_From_Yiq(128, 0, 0), (Triple{128, 128, 128}));
}

TEST(ColorSpace, HueDifferenceTakesTheShortWay) {
  EXPECT_EQ(Hue_Difference(10, 350), 20);
  EXPECT_EQ(Hue_Difference(350, 10), -20);
  EXPECT_EQ(Hue_Difference(190, 10), 180);
  EXPECT_EQ(Hue_Difference(10, 190), -180);
  EXPECT_EQ(Hue_Difference(0, 359), 1);
  EXPECT_EQ(Hue_Difference(359, 0), -1);
  EXPECT_EQ(Hue_Difference(100, 100), 0);
  // Normalisation: 370 is 10, -10 is 350, -370 is 350, a grey's -1 is 359.
  EXPECT_EQ(Hue_Difference(370, 10), 0);
  EXPECT_EQ(Hue_Difference(-10, 10), -20);
  EXPECT_EQ(Hue_Difference(-370, 0), -10);
  EXPECT_EQ(Hue_Difference(0, -1), 1);
  // 360 is kept as 360 (only hues above it are reduced).
  EXPECT_EQ(Hue_Difference(360, 0), 0);
  EXPECT_EQ(Hue_Difference(360, 350), 10);
}

TEST(ColorSpace, PackedColours) {
  const uint32_t c = Pack_RGB(0x12, 0x34, 0x56);
  EXPECT_EQ(c, 0x00563412u);
  EXPECT_EQ(Packed_Red(c), 0x12);
  EXPECT_EQ(Packed_Green(c), 0x34);
  EXPECT_EQ(Packed_Blue(c), 0x56);
}
