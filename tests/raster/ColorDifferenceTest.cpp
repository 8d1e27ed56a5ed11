// CIELAB and the mean colour difference of two maps, against published
// sRGB (D65) values.

#include <gtest/gtest.h>

#include <string>

#include "raster/ColorDifference.h"
#include "raster/ColorSpace.h"
#include "raster/OffMap.h"

namespace {

TEST(ColorLab, KnownColorsMatchTheReferenceValues) {
  struct Case {
    int r, g, b;
    double L, a, bb;
  };
  const Case cases[] = {
      {255, 255, 255, 100.0, 0.0, 0.0},       {0, 0, 0, 0.0, 0.0, 0.0},
      {255, 0, 0, 53.2408, 80.0925, 67.2032}, {0, 0, 255, 32.2970, 79.1875, -107.8602},
      {128, 128, 128, 53.5850, 0.0, 0.0},
  };
  for (const Case& c : cases) {
    const ColorLab lab = RGB_to_Lab(c.r, c.g, c.b);
    EXPECT_NEAR(lab.L, c.L, 0.01) << c.r << "," << c.g << "," << c.b;
    EXPECT_NEAR(lab.a, c.a, 0.01) << c.r << "," << c.g << "," << c.b;
    EXPECT_NEAR(lab.b, c.bb, 0.01) << c.r << "," << c.g << "," << c.b;
  }
  EXPECT_NEAR(Delta_E_CIE76(RGB_to_Lab(255, 255, 255), RGB_to_Lab(0, 0, 0)), 100.0, 1e-4);
}

TEST(ColorDifference, MeanOverTheWholeMap) {
  OffMap a(4, 2, 24), b(4, 2, 24), grey(4, 2, 8);
  a.Fill(255);
  b.Fill(255);
  grey.Fill(255);
  double mean = -1;
  std::string err;
  ASSERT_TRUE(Mean_Delta_E_CIE76(a, grey, mean, err)) << err;
  EXPECT_EQ(mean, 0.0);
  // Two of eight pixels black: 2 x 100 / 8.
  b.Set_Pixel(0, 0, 0, 0, 0);
  b.Set_Pixel(3, 1, 0, 0, 0);
  ASSERT_TRUE(Mean_Delta_E_CIE76(a, b, mean, err)) << err;
  EXPECT_NEAR(mean, 25.0, 1e-4);
  ASSERT_TRUE(Mean_Delta_E_CIE76(b, a, mean, err)) << err;
  EXPECT_NEAR(mean, 25.0, 1e-4);

  OffMap wide(5, 2, 24), bits(4, 2, 1);
  EXPECT_FALSE(Mean_Delta_E_CIE76(a, wide, mean, err));
  EXPECT_EQ(err, "Mean_Delta_E_CIE76 FAILED, the maps differ in size.");
  EXPECT_FALSE(Mean_Delta_E_CIE76(a, bits, mean, err));
  EXPECT_EQ(err, "Mean_Delta_E_CIE76 FAILED, a map is not an 8- or 24-bit map in memory.");
}

}  // namespace
