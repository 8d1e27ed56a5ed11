// Separation maps: which pixels each algorithm takes and how it writes
// them, the separation's colour, and the separation file names.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "raster/ColorSpace.h"
#include "separation/SeparatorFixture.h"

using namespace separation_test;

namespace {

// A saturated pixel whose hue reads back exactly as `hue` (0..359).
Rgb Pixel_With_Hue(int16_t hue) {
  for (int16_t a = 0; a <= 240; ++a) {
    for (Rgb c :
         {Rgb{240, a, 0}, Rgb{240, 0, a}, Rgb{a, 240, 0}, Rgb{0, 240, a}, Rgb{a, 0, 240}, Rgb{0, a, 240}}) {
      int16_t h = 0, s = 0, v = 0;
      RGB_to_HSV(c.r, c.g, c.b, &h, &s, &v);
      if (h == hue) return c;
    }
  }
  ADD_FAILURE() << "no pixel of hue " << hue;
  return kWhite;
}

// A one-row map with one pixel per column.
struct RowMap : OffMap {
  explicit RowMap(const std::vector<Rgb>& pixels) : OffMap(static_cast<int32_t>(pixels.size()), 1, 24) {
    for (size_t x = 0; x < pixels.size(); ++x)
      Set_Pixel(static_cast<int32_t>(x), 0, pixels[x].r, pixels[x].g, pixels[x].b);
  }
};

// A white map of the size and depth of `map`.
struct WhiteLike : OffMap {
  explicit WhiteLike(const OffMap& map) : OffMap(map.Get_Width(), map.Get_Height(), map.Get_Depth()) {
    Fill(255);
  }
};

}  // namespace

TEST(MakeColorSeparation, ComponentThresholdTakesPixelsAtLeastAsDarkInEveryChannel) {
  const std::vector<Rgb> pixels = {{220, 220, 255}, {221, 0, 0},     {0, 221, 0},     {0, 0, 0},
                                   {100, 200, 250}, {220, 220, 254}, {255, 255, 255}, {219, 219, 200}};
  RowMap source(pixels);
  WhiteLike sep(source);
  SeparationParms parms;  // component threshold, hunt colour (220, 220, 255)
  int16_t r = 0, g = 0, b = 0;
  std::string err = "old";
  ASSERT_TRUE(ColorSeparator::Make_Color_Separation(parms, source, sep, r, g, b, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ((Rgb{r, g, b}), (Rgb{220, 220, 255}));
  const Rgb hunt{220, 220, 255};
  const std::vector<Rgb> expected = {hunt, kWhite, kWhite, hunt, hunt, hunt, kWhite, hunt};
  for (int32_t x = 0; x < static_cast<int32_t>(pixels.size()); ++x)
    EXPECT_EQ(Pixel_At(sep, x, 0), expected[x]) << x;

  // A black hunt colour takes pure black only.
  parms.huntRed = parms.huntGreen = parms.huntBlue = 0;
  RowMap source2({{0, 0, 0}, {1, 0, 0}, {0, 0, 1}, {0, 1, 0}});
  WhiteLike sep2(source2);
  ASSERT_TRUE(ColorSeparator::Make_Color_Separation(parms, source2, sep2, r, g, b, err));
  EXPECT_EQ(Pixel_At(sep2, 0, 0), (Rgb{0, 0, 0}));
  for (int32_t x = 1; x < 4; ++x) EXPECT_EQ(Pixel_At(sep2, x, 0), kWhite) << x;
  EXPECT_EQ((Rgb{r, g, b}), (Rgb{0, 0, 0}));
}

TEST(MakeColorSeparation, ComponentThresholdOnAGreyMap) {
  OffMap source(3, 1, 8);
  source.Set_Pixel(0, 0, 100, 100, 100);
  source.Set_Pixel(1, 0, 200, 200, 200);
  source.Set_Pixel(2, 0, 150, 150, 150);
  WhiteLike sep(source);
  SeparationParms parms;
  parms.huntRed = parms.huntGreen = parms.huntBlue = 150;
  int16_t r = 0, g = 0, b = 0;
  std::string err;
  ASSERT_TRUE(ColorSeparator::Make_Color_Separation(parms, source, sep, r, g, b, err)) << err;
  EXPECT_EQ(Pixel_At(sep, 0, 0), (Rgb{150, 150, 150}));
  EXPECT_EQ(Pixel_At(sep, 1, 0), kWhite);
  EXPECT_EQ(Pixel_At(sep, 2, 0), (Rgb{150, 150, 150}));
}

TEST(MakeColorSeparation, HueWindowWrapsAroundZeroAndNeverTakesGreys) {
  // hue 350 +- 20: 330 .. 359 and 0 .. 9.
  const std::vector<int16_t> hues = {329, 330, 359, 0, 9, 10, 200};
  std::vector<Rgb> pixels;
  for (int16_t h : hues) pixels.push_back(Pixel_With_Hue(h));
  pixels.push_back({128, 128, 128});
  pixels.push_back({0, 0, 0});
  pixels.push_back(kWhite);
  RowMap source(pixels);
  WhiteLike sep(source);
  SeparationParms parms;
  parms.algoCode = SeparationParms::kAlgoHueRange;
  parms.hue = 350;
  parms.hueRange = 20;
  int16_t r = 0, g = 0, b = 0;
  std::string err;
  ASSERT_TRUE(ColorSeparator::Make_Color_Separation(parms, source, sep, r, g, b, err)) << err;
  const std::vector<bool> taken = {false, true, true, true, true, false, false, false, false, false};
  int32_t sumR = 0, sumG = 0, sumB = 0, n = 0;
  for (size_t x = 0; x < pixels.size(); ++x) {
    const Rgb got = Pixel_At(sep, static_cast<int32_t>(x), 0);
    if (!taken[x]) {
      EXPECT_EQ(got, kWhite) << x;
      continue;
    }
    // Taken pixels are written back through HSV with their own hue,
    // saturation and value.
    int16_t h = 0, s = 0, v = 0;
    RGB_to_HSV(pixels[x].r, pixels[x].g, pixels[x].b, &h, &s, &v);
    Rgb want;
    HSV_to_RGB(h, s, v, &want.r, &want.g, &want.b);
    EXPECT_EQ(got, want) << x;
    sumR += want.r;
    sumG += want.g;
    sumB += want.b;
    ++n;
  }
  EXPECT_EQ((Rgb{r, g, b}), (Rgb{static_cast<int16_t>(sumR / n), static_cast<int16_t>(sumG / n),
                                 static_cast<int16_t>(sumB / n)}));
}

TEST(MakeColorSeparation, HueWindowRaisesTheValueToTheFloor) {
  RowMap source({{240, 0, 0}, {120, 0, 0}, {0, 0, 200}});
  WhiteLike sep(source);
  SeparationParms parms;
  parms.algoCode = SeparationParms::kAlgoHueRange;
  parms.hue = 0;
  parms.hueRange = 30;  // 330 .. 359 and 0 .. 29
  parms.minValue = 250;
  int16_t r = 0, g = 0, b = 0;
  std::string err;
  ASSERT_TRUE(ColorSeparator::Make_Color_Separation(parms, source, sep, r, g, b, err)) << err;
  EXPECT_EQ(Pixel_At(sep, 0, 0), (Rgb{250, 0, 0}));
  EXPECT_EQ(Pixel_At(sep, 1, 0), (Rgb{250, 0, 0}));
  EXPECT_EQ(Pixel_At(sep, 2, 0), kWhite);
  EXPECT_EQ((Rgb{r, g, b}), (Rgb{250, 0, 0}));
}

TEST(MakeColorSeparation, EmptyWindowsAndOpaqueSeparationsWriteNothing) {
  RowMap source({Pixel_With_Hue(100), Pixel_With_Hue(99), {0, 0, 0}});
  int16_t r = 0, g = 0, b = 0;
  std::string err;
  SeparationParms parms;
  parms.algoCode = SeparationParms::kAlgoHueRange;
  parms.hue = 100;
  parms.hueRange = 0;  // lower equals upper: nothing fits
  WhiteLike sep(source);
  ASSERT_TRUE(ColorSeparator::Make_Color_Separation(parms, source, sep, r, g, b, err)) << err;
  for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(Pixel_At(sep, x, 0), kWhite);
  EXPECT_EQ((Rgb{r, g, b}), (Rgb{-3, -3, -3}));

  parms.algoCode = SeparationParms::kAlgoOpaque;
  ASSERT_TRUE(ColorSeparator::Make_Color_Separation(parms, source, sep, r, g, b, err)) << err;
  for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(Pixel_At(sep, x, 0), kWhite);
  EXPECT_EQ((Rgb{r, g, b}), (Rgb{-3, -3, -3}));
}

TEST(MakeColorSeparation, RefusesMapsOfAnotherSizeOrDepthAndUnknownAlgorithms) {
  OffMap source(4, 3, 24);
  source.Fill(0);
  SeparationParms parms;
  int16_t r = 0, g = 0, b = 0;
  std::string err;
  for (OffMap* other : {new OffMap(4, 4, 24), new OffMap(5, 3, 24), new OffMap(4, 3, 8)}) {
    std::unique_ptr<OffMap> owned(other);
    owned->Fill(255);
    EXPECT_FALSE(ColorSeparator::Make_Color_Separation(parms, source, *owned, r, g, b, err));
    EXPECT_EQ(err, "ColorSeparator::Make_Color_Separation  failed,  bitmaps are NOT the same size");
    EXPECT_EQ((Rgb{r, g, b}), (Rgb{-3, -3, -3}));
    EXPECT_EQ(Pixel_At(*owned, 0, 0), kWhite);
  }
  WhiteLike sep(source);
  for (int16_t code : {int16_t{2}, int16_t{4}, int16_t{-1}}) {
    parms.algoCode = code;
    EXPECT_FALSE(ColorSeparator::Make_Color_Separation(parms, source, sep, r, g, b, err)) << code;
    EXPECT_EQ(err, "ColorSeparator::Make_Color_Separation  failed,  unknown algoCode");
  }
}

TEST(SeparationOffMap, NamesCarryPrefixNicknamePhotoStemAndTheAlgorithmsValues) {
  OffMap source(6, 4, 24);
  source.Fill(0);
  SeparationParms parms;
  parms.huntColorIndex = 10;  // Cobalt Blue
  parms.huntRed = 230;
  parms.huntGreen = 235;
  parms.huntBlue = 255;
  std::string name, err;
  int16_t r = 0, g = 0, b = 0;
  auto map = ColorSeparator::Create_Separation_OffMap_for_RegionSubject(source, parms, "C:\\pets\\dog.jpg",
                                                                        9999, true, name, r, g, b, err);
  ASSERT_NE(map, nullptr) << err;
  EXPECT_EQ(name, "MEM-ASep_Cobalt Blue_dog_Comps230_235_255_9999.bmp");
  EXPECT_EQ((Rgb{r, g, b}), (Rgb{230, 235, 255}));
  EXPECT_EQ(Pixel_At(*map, 5, 3), (Rgb{230, 235, 255}));

  // The stem is cut at the last "." of the file name only.
  map = ColorSeparator::Create_Separation_OffMap_for_RegionSubject(source, parms, "/home/a.b/my.dog.png",
                                                                   10003, false, name, r, g, b, err);
  EXPECT_EQ(name, "ASep_Cobalt Blue_my.dog_Comps230_235_255_10003.bmp");
  map = ColorSeparator::Create_Separation_OffMap_for_RegionSubject(source, parms, "photo", 1, false, name, r,
                                                                   g, b, err);
  EXPECT_EQ(name, "ASep_Cobalt Blue_photo_Comps230_235_255_1.bmp");

  parms.algoCode = SeparationParms::kAlgoHueRange;
  parms.hue = 350;
  parms.hueRange = 20;
  parms.minValue = 40;
  parms.huntColorIndex = 0;  // no nickname
  map = ColorSeparator::Create_Separation_OffMap_for_RegionSubject(source, parms, "x/dog.jpg", 9999, true,
                                                                   name, r, g, b, err);
  ASSERT_NE(map, nullptr) << err;
  EXPECT_EQ(name, "MEM-ASep_nickName_dog_Hue350_20_40_9999.bmp");
  EXPECT_EQ((Rgb{r, g, b}), (Rgb{-3, -3, -3}));  // the black source has no hue

  parms.algoCode = SeparationParms::kAlgoOpaque;
  parms.huntColorIndex = 29;
  map = ColorSeparator::Create_Separation_OffMap_for_RegionSubject(source, parms, "x/dog.jpg", 12, true, name,
                                                                   r, g, b, err);
  ASSERT_NE(map, nullptr) << err;
  EXPECT_EQ(name, "MEM-ASep_Gray 10_dog_Opaque350_20_40_12.bmp");
  EXPECT_EQ((Rgb{r, g, b}), (Rgb{-1, -1, -1}));
  EXPECT_EQ(Pixel_At(*map, 0, 0), kWhite);

  parms.algoCode = SeparationParms::kAlgoRemainder;
  source.Set_Pixel(2, 1, 10, 20, 30);
  map = ColorSeparator::Create_Separation_OffMap_for_RegionSubject(source, parms, "x/dog.jpg", 12, true, name,
                                                                   r, g, b, err);
  ASSERT_NE(map, nullptr) << err;
  EXPECT_EQ(name, "MEM-ASep_Gray 10_dog_RemainderSep.bmp");
  EXPECT_EQ((Rgb{r, g, b}), (Rgb{-2, -2, -2}));
  EXPECT_EQ(Pixel_At(*map, 2, 1), (Rgb{10, 20, 30}));
  EXPECT_EQ(Pixel_At(*map, 0, 0), (Rgb{0, 0, 0}));

  parms.algoCode = 7;
  map = ColorSeparator::Create_Separation_OffMap_for_RegionSubject(source, parms, "x/dog.jpg", 12, true, name,
                                                                   r, g, b, err);
  EXPECT_EQ(map, nullptr);
  EXPECT_EQ(err, "ColorSeparator::Make_Color_Separation  failed,  unknown algoCode");
  EXPECT_EQ(name, "");
}
