// Region painting: the display map through the offsets, the hunt colour
// with offsets, texture painting and its refusals, the three colour fits,
// the remainder fit, and transparent painting into the layered image.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "RegionTestMaps.h"
#include "raster/Blends.h"
#include "regions/RegionPainting.h"
#include "regions/RegionSubject.h"
#include "render/ImageFiles.h"
#include "support/TestSupport.h"
#include "views/ListComponentSubject.h"

using namespace region_test;

namespace {

const Color kWhite{255, 255, 255};

class RegionPaintingTest : public ::testing::Test {
 protected:
  TestPlatform platform;
  std::string err;
  RegionRandom random{5};

  // The direction the next texture copy will take.
  int16_t Next_Direction() const {
    RegionRandom copy = random;
    return static_cast<int16_t>(copy() % 4);
  }
  std::string Save(const OffMap& map, const std::string& path) {
    std::string p = path;
    bool cancelled = false;
    EXPECT_TRUE(Save_Bitmap_File(platform.Get(), cancelled, &map, p, err)) << err;
    return p;
  }
};

// A texture whose pixel tells where it was taken from (and is never white).
std::unique_ptr<OffMap> Gradient_Texture(int32_t side) {
  auto map = std::make_unique<OffMap>(side, side, 24);
  for (int32_t y = 0; y < side; ++y)
    for (int32_t x = 0; x < side; ++x)
      map->Set_Pixel(x, y, static_cast<int16_t>(x / 4), static_cast<int16_t>(y / 4), 100);
  return map;
}

// The texture pixel Copy_TextureMap_to_OffMap puts at (x, y) of a w x h region.
Color Texture_Sample(const OffMap& texture, int32_t x, int32_t y, int32_t w, int32_t h, int16_t scale,
                     int16_t direction) {
  const int32_t tx = (direction == 0 || direction == 2) ? w - 1 - x : x;
  const int32_t ty = (direction == 1 || direction == 3) ? h - 1 - y : y;
  return Pixel(texture, scale * tx, scale * ty);
}

bool Within(int a, int b, int tolerance) {
  return std::abs(a - b) <= tolerance;
}

// A flat region with a white notch, the hunt colour (200, 100, 50).
std::unique_ptr<RegionSubject> Notched_Region(int32_t w, int32_t h) {
  auto map = White_Map(w, h);
  Paint_Rect(*map, 0, 0, w - 1, h - 1, Color{90, 90, 140});
  map->Set_Pixel(1, 1, 255, 255, 255);
  auto region = Region_With_Map(*map, 3, 4);
  region->Get_Auto_Descriptor().bitmapPath = "xSub_1-1_sep.bmp";
  region->Get_Auto_Descriptor().pixelCount = w * h - 1;
  return region;
}

}  // namespace

// ---------------------------------------------------------------------------
// The display map and the hunt colour

TEST_F(RegionPaintingTest, DisplayMapIsTheRegionMapThroughTheOffsets) {
  RegionSubject empty;
  EXPECT_FALSE(empty.Update_SmallBitmap_Bits_wColorModify(err));
  EXPECT_EQ(err, "RegionSubject::Update_SmallBitmap_Bits_wColorModify failed,  one of the OffMaps is NULL.");

  auto pattern = Pattern_Map(31, 17);
  pattern->Set_Pixel(3, 3, 255, 255, 255);
  auto region = Region_With_Map(*pattern, 0, 0);
  region->Get_Display_Map()->Fill(0);
  ASSERT_TRUE(region->Update_SmallBitmap_Bits_wColorModify(err));
  EXPECT_TRUE(Same_Pixels(*region->Get_Display_Map(), *pattern));

  region->Get_Hue_Offset() = 37;
  region->Get_Sat_Offset() = -20;
  region->Get_Val_Offset() = 15;
  ASSERT_TRUE(region->Update_SmallBitmap_Bits_wColorModify(err));
  OffMap expected(31, 17, 24);
  pattern->Copy_Subsampled_ColorModified(1, expected, 37, -20, 15);
  EXPECT_TRUE(Same_Pixels(*region->Get_Display_Map(), expected));
  EXPECT_EQ(Pixel(*region->Get_Display_Map(), 3, 3), kWhite);
  EXPECT_FALSE(Same_Pixels(expected, *pattern));
}

TEST_F(RegionPaintingTest, HuntColourWithOffsetsKeepsANegativeHue) {
  auto region = Region_With_Map(*Pattern_Map(2, 2), 0, 0, Color{255, 43, 0});  // hue 10
  int16_t h = 0, s = 0, v = 0;
  ASSERT_TRUE(region->Calc_HuntColor_Plus_ColorOffsets(h, s, v, err));
  EXPECT_EQ(h, 10);
  EXPECT_EQ(s, 255);
  EXPECT_EQ(v, 255);

  // Only the auto descriptor's offsets count.
  region->Get_Scanned_Descriptor().hueOffset = 100;
  region->Get_Auto_Descriptor().hueOffset = -30;
  region->Get_Auto_Descriptor().satOffset = 10;
  region->Get_Auto_Descriptor().valOffset = -300;
  ASSERT_TRUE(region->Calc_HuntColor_Plus_ColorOffsets(h, s, v, err));
  EXPECT_EQ(h, -20);
  EXPECT_EQ(s, 255);
  EXPECT_EQ(v, 0);

  region->Get_Auto_Descriptor().hueOffset = 710;  // 720 past the hue: two corrections
  ASSERT_TRUE(region->Calc_HuntColor_Plus_ColorOffsets(h, s, v, err));
  EXPECT_EQ(h, 0);

  region->Get_Auto_Descriptor().hueOffset = 1200;
  EXPECT_FALSE(region->Calc_HuntColor_Plus_ColorOffsets(h, s, v, err));
  EXPECT_EQ(err, "RegionSubject::Calc_HuntColor_Plus_ColorOffsets FAILED,  can not UNWRAP Hue.");
  EXPECT_EQ(h, -1);
  EXPECT_EQ(s, -1);
  EXPECT_EQ(v, -1);
}

// ---------------------------------------------------------------------------
// Texture painting

TEST_F(RegionPaintingTest, TextureMustCoverTheRegionAndAFailureChangesNothing) {
  auto region = Notched_Region(20, 30);
  const OffMap* kept = region->Get_Region_Map();
  OffMap tooNarrow(19, 30, 24);
  EXPECT_FALSE(region->Create_PseudoPainted_Bitmap("", &tooNarrow, 0, 0, 0, 0, platform.Get(), random, err));
  EXPECT_EQ(err,
            "RegionSubject::Create_PseudoPainted_Bitmap  failed,  the file TEXTUREMAP is smaller than the "
            "RegionSubject.");
  EXPECT_EQ(region->Get_Region_Map(), kept);
  EXPECT_EQ(region->Get_Substitution_Mode(), 1);

  EXPECT_FALSE(
      region->Create_PseudoPainted_Bitmap("", nullptr, 1000, 1000, 0, 0, platform.Get(), random, err));
  EXPECT_FALSE(err.empty());
  EXPECT_EQ(region->Get_Substitution_Mode(), 1);

  // Exactly as large: painted pixel for pixel.
  OffMap fitting(20, 30, 24);
  for (int32_t y = 0; y < 30; ++y)
    for (int32_t x = 0; x < 20; ++x)
      fitting.Set_Pixel(x, y, static_cast<int16_t>(x * 9), static_cast<int16_t>(y * 7), 30);
  const int16_t direction = Next_Direction();
  ASSERT_TRUE(region->Create_PseudoPainted_Bitmap("", &fitting, 0, 0, 1, 1, platform.Get(), random, err))
      << err;
  EXPECT_EQ(Pixel(*region->Get_Region_Map(), 0, 0), Texture_Sample(fitting, 0, 0, 20, 30, 1, direction));
  EXPECT_EQ(Pixel(*region->Get_Region_Map(), 19, 29), Texture_Sample(fitting, 19, 29, 20, 30, 1, direction));
  EXPECT_EQ(Pixel(*region->Get_Region_Map(), 1, 1), kWhite);
}

TEST_F(RegionPaintingTest, CoarseStyleSamplesTheSmallerQuotientUpToEight) {
  auto texture = Gradient_Texture(1000);
  auto region = Notched_Region(100, 120);
  int16_t direction = Next_Direction();
  ASSERT_TRUE(region->Create_PseudoPainted_Bitmap("", texture.get(), 0, 0, 0, 1, platform.Get(), random, err))
      << err;
  for (const auto& [x, y] : {std::pair{0, 0}, {57, 33}, {99, 119}})
    EXPECT_EQ(Pixel(*region->Get_Region_Map(), x, y), Texture_Sample(*texture, x, y, 100, 120, 8, direction));

  auto large = Notched_Region(250, 250);
  direction = Next_Direction();
  ASSERT_TRUE(large->Create_PseudoPainted_Bitmap("", texture.get(), 0, 0, 0, 1, platform.Get(), random, err));
  EXPECT_EQ(Pixel(*large->Get_Region_Map(), 249, 7),
            Texture_Sample(*texture, 249, 7, 250, 250, 4, direction));

  // Any other style samples pixel for pixel.
  auto plain = Notched_Region(100, 120);
  direction = Next_Direction();
  ASSERT_TRUE(plain->Create_PseudoPainted_Bitmap("", texture.get(), 0, 0, 0, 0, platform.Get(), random, err));
  EXPECT_EQ(Pixel(*plain->Get_Region_Map(), 50, 60),
            Texture_Sample(*texture, 50, 60, 100, 120, 1, direction));
}

TEST_F(RegionPaintingTest, PaintingSwitchesToTheScannedDescriptorAndFitsTheHuntColour) {
  TempDir dir;
  auto texture = std::make_unique<OffMap>(64, 64, 24);
  for (int32_t y = 0; y < 64; ++y)
    for (int32_t x = 0; x < 64; ++x)
      texture->Set_Pixel(x, y, static_cast<int16_t>(120 + x % 40), static_cast<int16_t>(140 + y % 30), 110);
  const std::string path = Save(*texture, dir.File("Wash_64.bmp"));

  auto region = Notched_Region(40, 30);
  region->Get_Auto_Descriptor().hueOffset = 0;
  ASSERT_TRUE(region->Create_PseudoPainted_Bitmap(path, nullptr, 64, 64, 1, 0, platform.Get(), random, err))
      << err;
  EXPECT_EQ(region->Get_Substitution_Mode(), 0);
  EXPECT_EQ(region->Get_Render_Style(), 0);
  const RegionDescriptor& scanned = region->Get_Scanned_Descriptor();
  EXPECT_EQ(scanned.bitmapPath, "xSub_1-1_sep.bmp");
  EXPECT_EQ(scanned.parentPath, "xSub_1-1_sep.bmp");
  EXPECT_EQ(scanned.pixelCount, 1199);
  EXPECT_EQ(scanned.color, Pack_RGB(200, 100, 50));
  EXPECT_EQ(scanned.frame.Get_Position().x, 3);
  EXPECT_EQ(scanned.frame.Get_Width(), 40);
  EXPECT_EQ(region->Get_Auto_Descriptor().hueOffset, 0);  // the auto descriptor keeps its values

  // The display map's mean lies within the fit's tolerance of the hunt colour.
  int16_t ty = 0, ti = 0, tq = 0, y = 0, i = 0, q = 0;
  RGB_to_YIQ(200, 100, 50, &ty, &ti, &tq);
  region->Get_Display_Map()->Average_NonWhite_YIQ(y, i, q);
  EXPECT_TRUE(Within(y, ty, 4) && Within(i, ti, 4) && Within(q, tq, 4)) << y << " " << i << " " << q;
  EXPECT_NE(scanned.hueOffset, 0);

  // Type 2 puts mode 2 in force; a missing texture file is reported.
  auto grey = Notched_Region(40, 30);
  ASSERT_TRUE(grey->Create_PseudoPainted_Bitmap(path, nullptr, 64, 64, 2, 0, platform.Get(), random, err));
  EXPECT_EQ(grey->Get_Substitution_Mode(), 2);
  auto missing = Notched_Region(40, 30);
  EXPECT_FALSE(missing->Create_PseudoPainted_Bitmap(dir.File("none.bmp"), nullptr, 64, 64, 0, 0,
                                                    platform.Get(), random, err));
  EXPECT_FALSE(err.empty());
  EXPECT_EQ(missing->Get_Substitution_Mode(), 1);
}

TEST_F(RegionPaintingTest, CachedTexturesPaintLikeTexturesReadFromTheirFile) {
  TempDir dir;
  const std::string path = Save(*Gradient_Texture(128), dir.File("Paper_128.bmp"));
  TextureCache cache;
  const OffMap* first = cache.Get_Texture(path, platform.Get(), err);
  ASSERT_NE(first, nullptr) << err;
  EXPECT_EQ(cache.Get_Texture(path, platform.Get(), err), first);
  EXPECT_EQ(cache.Get_Count(), 1);
  EXPECT_EQ(cache.Get_Texture(dir.File("none.bmp"), platform.Get(), err), nullptr);
  EXPECT_FALSE(err.empty());
  EXPECT_EQ(cache.Get_Count(), 1);

  auto fromFile = Notched_Region(50, 60);
  auto fromCache = Notched_Region(50, 60);
  RegionRandom twin = random;
  ASSERT_TRUE(
      fromFile->Create_PseudoPainted_Bitmap(path, nullptr, 128, 128, 0, 1, platform.Get(), random, err));
  ASSERT_TRUE(fromCache->Create_PseudoPainted_Bitmap(path, first, 128, 128, 0, 1, platform.Get(), twin, err));
  EXPECT_TRUE(Same_Pixels(*fromFile->Get_Region_Map(), *fromCache->Get_Region_Map()));
  EXPECT_TRUE(Same_Pixels(*fromFile->Get_Display_Map(), *fromCache->Get_Display_Map()));
  EXPECT_EQ(fromFile->Get_Scanned_Descriptor().hueOffset, fromCache->Get_Scanned_Descriptor().hueOffset);
}

TEST_F(RegionPaintingTest, RepaintingKeepsTheDescriptors) {
  TempDir dir;
  auto texture = Gradient_Texture(60);
  const std::string path = Save(*texture, dir.File("Brush_60.bmp"));
  auto region = Notched_Region(20, 20);
  region->Set_Substitution_Mode(3);
  region->Get_Scanned_Descriptor().bitmapPath = "kept.bmp";

  EXPECT_FALSE(region->Modify_Existing_PseudoPainted_Bitmap(path, 0, 4, platform.Get(), random, err));
  EXPECT_EQ(
      err,
      "RegionSubject::Modify_Existing_PseudoPainted_Bitmap  failed,  the file TEXTUREMAP is smaller than the "
      "RegionSubject.");
  EXPECT_FALSE(
      region->Modify_Existing_PseudoPainted_Bitmap(dir.File("none.bmp"), 0, 1, platform.Get(), random, err));
  EXPECT_FALSE(err.empty());

  const int16_t direction = Next_Direction();
  ASSERT_TRUE(region->Modify_Existing_PseudoPainted_Bitmap(path, 0, 3, platform.Get(), random, err)) << err;
  EXPECT_EQ(Pixel(*region->Get_Region_Map(), 19, 0), Texture_Sample(*texture, 19, 0, 20, 20, 3, direction));
  EXPECT_EQ(Pixel(*region->Get_Region_Map(), 1, 1), kWhite);
  EXPECT_EQ(region->Get_Substitution_Mode(), 3);
  EXPECT_EQ(region->Get_Scanned_Descriptor().bitmapPath, "kept.bmp");
}

// ---------------------------------------------------------------------------
// Colour fitting

TEST_F(RegionPaintingTest, FitsReachTheTargetFromTheRegionMap) {
  auto pattern = std::make_unique<OffMap>(30, 20, 24);
  for (int32_t y = 0; y < 20; ++y)
    for (int32_t x = 0; x < 30; ++x)
      pattern->Set_Pixel(x, y, static_cast<int16_t>(100 + x % 20), static_cast<int16_t>(80 + y % 15), 60);
  pattern->Set_Pixel(2, 2, 255, 255, 255);
  auto region = Region_With_Map(*pattern, 0, 0);
  region->Set_Substitution_Mode(0);

  bool nearWhite = true;
  ASSERT_TRUE(region->Fit_Color_to_Target(30, 150, 180, nearWhite, err)) << err;
  EXPECT_FALSE(nearWhite);
  int16_t h = 0, s = 0, v = 0;
  region->Get_Display_Map()->Average_NonWhite_HSV(h, s, v);
  EXPECT_LE(std::abs(Hue_Difference(30, h)), 4);
  EXPECT_TRUE(Within(s, 150, 4) && Within(v, 180, 4)) << s << " " << v;
  EXPECT_TRUE(Same_Pixels(*region->Get_Region_Map(), *pattern));
  EXPECT_EQ(region->Get_Auto_Descriptor().hueOffset, 0);  // offsets go to the descriptor in force
  OffMap shown(30, 20, 24);
  shown.Assign_Copy(*region->Get_Display_Map());
  ASSERT_TRUE(region->Update_SmallBitmap_Bits_wColorModify(err));
  EXPECT_TRUE(Same_Pixels(shown, *region->Get_Display_Map()));

  ASSERT_TRUE(region->Fit_Color_HSV_YIQ(200, 120, 150, nearWhite, err)) << err;
  int16_t y = 0, i = 0, q = 0, tr = 0, tg = 0, tb = 0, ty = 0, ti = 0, tq = 0;
  region->Get_Display_Map()->Average_NonWhite_HSV_PerPixel(h, s, v);
  region->Get_Display_Map()->Average_NonWhite_YIQ(y, i, q);
  HSV_to_RGB(200, 120, 150, &tr, &tg, &tb);
  RGB_to_YIQ(tr, tg, tb, &ty, &ti, &tq);
  EXPECT_LE(std::abs(Hue_Difference(200, h)), 4);
  EXPECT_TRUE(Within(s, 120, 4) && Within(y, ty, 4)) << s << " " << y;
  EXPECT_TRUE(Same_Pixels(*region->Get_Region_Map(), *pattern));

  ASSERT_TRUE(region->Fit_Color_YIQ(100, 90, 200, nearWhite, err)) << err;
  HSV_to_RGB(100, 90, 200, &tr, &tg, &tb);
  RGB_to_YIQ(tr, tg, tb, &ty, &ti, &tq);
  region->Get_Display_Map()->Average_NonWhite_YIQ(y, i, q);
  EXPECT_TRUE(Within(y, ty, 4) && Within(i, ti, 4) && Within(q, tq, 4)) << y << " " << i << " " << q;
  EXPECT_TRUE(Same_Pixels(*region->Get_Region_Map(), *pattern));
}

TEST_F(RegionPaintingTest, YiqFitStoresTheShiftOfTheMeanInHsv) {
  auto map = White_Map(10, 10);
  Paint_Rect(*map, 0, 0, 9, 9, Color{100, 60, 40});
  auto region = Region_With_Map(*map, 0, 0);
  bool nearWhite = true;
  // Already there: no shift, also when the display shows something else;
  // the offsets are what the mean colour's trip through YIQ makes of it.
  region->Get_Auto_Descriptor().hueOffset = 33;
  region->Get_Display_Map()->Fill(0);
  int16_t h = 0, s = 0, v = 0, y = 0, i = 0, q = 0, r = 0, g = 0, b = 0, th = 0, ts = 0, tv = 0;
  RGB_to_HSV(100, 60, 40, &h, &s, &v);
  RGB_to_YIQ(100, 60, 40, &y, &i, &q);
  YIQ_to_RGB(y, i, q, &r, &g, &b);
  RGB_to_HSV(r, g, b, &th, &ts, &tv);
  ASSERT_TRUE(region->Fit_Color_YIQ(h, s, v, nearWhite, err));
  EXPECT_FALSE(nearWhite);
  EXPECT_EQ(region->Get_Auto_Descriptor().hueOffset, th - h);
  EXPECT_EQ(region->Get_Auto_Descriptor().satOffset, ts - s);
  EXPECT_EQ(region->Get_Auto_Descriptor().valOffset, tv - v);
  EXPECT_LE(std::abs(region->Get_Auto_Descriptor().valOffset), 3);

  // A flat region fitted to another colour: the stored offsets carry its
  // colour to the fitted mean.
  ASSERT_TRUE(region->Fit_Color_YIQ(200, 150, 200, nearWhite, err));
  const Color fitted = Pixel(*region->Get_Display_Map(), 4, 4);
  int16_t fh = 0, fs = 0, fv = 0;
  RGB_to_HSV(fitted.r, fitted.g, fitted.b, &fh, &fs, &fv);
  EXPECT_EQ(region->Get_Auto_Descriptor().hueOffset, fh - h);
  EXPECT_EQ(region->Get_Auto_Descriptor().satOffset, fs - s);
  EXPECT_EQ(region->Get_Auto_Descriptor().valOffset, fv - v);

  RegionSubject empty;
  EXPECT_FALSE(empty.Fit_Color_YIQ(1, 2, 3, nearWhite, err));
  EXPECT_EQ(err, "RegionSubject::Fit_Color_YIQ failed,  one of the OffMaps is NULL.");
}

TEST_F(RegionPaintingTest, RemainderFitTakesTheColourUnderTheRegionsMask) {
  TempDir dir;
  auto separationMap = White_Map(16, 12);
  Paint_Rect(*separationMap, 4, 3, 9, 7, Color{40, 80, 160});
  auto separation =
      RegionSubject::Create_Region_from_Separation_Map(err, dir.File("dog.jpg"), std::move(separationMap), 1,
                                                       false, 40, 80, 160, "ASep_r.bmp", platform.Get());
  ASSERT_NE(separation, nullptr) << err;
  ListComponentSubject list;
  int16_t serial = 0;
  ASSERT_TRUE(separation->Generate_SubRegions(*separation->Get_Region_Map(), list, 1, false, 0, 0, false,
                                              serial, platform.Get(), err));
  auto* region = dynamic_cast<RegionSubject*>(list.Get_Children_List().Get_First());
  ASSERT_NE(region, nullptr);

  auto remainder = White_Map(16, 12);
  Paint_Rect(*remainder, 4, 3, 9, 7, Color{150, 60, 90});
  Paint_Rect(*remainder, 0, 0, 3, 11, Color{0, 0, 0});  // outside the region: not counted
  bool nearWhite = true;
  ASSERT_TRUE(region->On_Fit_Color_To_RemainderMap(*remainder, nearWhite, platform.Get(), err)) << err;
  EXPECT_FALSE(nearWhite);
  int16_t ty = 0, ti = 0, tq = 0, y = 0, i = 0, q = 0;
  RGB_to_YIQ(150, 60, 90, &ty, &ti, &tq);
  region->Get_Display_Map()->Average_NonWhite_YIQ(y, i, q);
  EXPECT_TRUE(Within(y, ty, 4) && Within(i, ti, 4) && Within(q, tq, 4)) << y << " " << i << " " << q;

  EXPECT_FALSE(separation->On_Fit_Color_To_RemainderMap(*remainder, nearWhite, platform.Get(), err));
  EXPECT_EQ(err, "RegionSubject::Make_Maskmap_From_SUBregion failed, this is not a SUBregion.");
}

// ---------------------------------------------------------------------------
// Painting into the layered image

TEST_F(RegionPaintingTest, HalfScalePaintsHalfTheFrameSamplingEverySecondPixel) {
  auto pattern = Pattern_Map(40, 30);
  auto region = Region_With_Map(*pattern, 10, 20);
  auto dest = White_Map(100, 100);
  ASSERT_TRUE(region->Paint_Transparent_To_DestMap(*dest, 50, err)) << err;
  for (int32_t i = 0; i < 15; ++i)
    for (int32_t j = 0; j < 20; ++j) ASSERT_EQ(Pixel(*dest, 5 + j, 10 + i), Pixel(*pattern, 2 * j, 2 * i));
  EXPECT_EQ(Pixel(*dest, 4, 10), kWhite);
  EXPECT_EQ(Pixel(*dest, 25, 10), kWhite);
  EXPECT_EQ(Pixel(*dest, 5, 9), kWhite);
  EXPECT_EQ(Pixel(*dest, 5, 25), kWhite);
}

TEST_F(RegionPaintingTest, GlazingDarkensWhatIsUnderneathAndWhiteLeavesIt) {
  auto map = White_Map(2, 1);
  map->Set_Pixel(0, 0, 200, 100, 50);
  auto region = Region_With_Map(*map, 1, 1);
  auto dest = White_Map(4, 3);
  Paint_Rect(*dest, 0, 0, 3, 2, Color{180, 220, 240});
  dest->Set_Pixel(3, 1, 255, 255, 255);
  region->Get_Auto_Descriptor().frame.Set_Position(1, 1);
  ASSERT_TRUE(region->Paint_Transparent_To_DestMap(*dest, 100, err));
  EXPECT_EQ(Pixel(*dest, 1, 1), (Color{124, 64, 34}));
  EXPECT_EQ(Pixel(*dest, 2, 1), (Color{180, 220, 240}));

  // Over white paper the paint is itself; a second coat darkens it.
  region->Get_Auto_Descriptor().frame.Set_Position(3, 1);
  ASSERT_TRUE(region->Paint_Transparent_To_DestMap(*dest, 100, err));
  EXPECT_EQ(Pixel(*dest, 3, 1), (Color{200, 100, 50}));
  ASSERT_TRUE(region->Paint_Transparent_To_DestMap(*dest, 100, err));
  EXPECT_EQ(Pixel(*dest, 3, 1), (Color{Transparent_Blend(200, 200), Transparent_Blend(100, 100), 0}));
}

TEST_F(RegionPaintingTest, OffsetsArePaintedExactlyAsTheColourModifiedRead) {
  auto pattern = Pattern_Map(33, 21);
  pattern->Set_Pixel(5, 5, 255, 255, 255);
  auto region = Region_With_Map(*pattern, 0, 0);
  region->Get_Auto_Descriptor().hueOffset = 25;
  region->Get_Auto_Descriptor().satOffset = -30;
  region->Get_Auto_Descriptor().valOffset = 10;
  auto dest = White_Map(33, 21);
  ASSERT_TRUE(region->Paint_Transparent_To_DestMap(*dest, 100, err));
  for (int32_t y = 0; y < 21; ++y)
    for (int32_t x = 0; x < 33; ++x) {
      Color expected;
      pattern->Get_Pixel_ColorModified(x, y, 25, -30, 10, expected.r, expected.g, expected.b);
      ASSERT_EQ(Pixel(*dest, x, y), expected) << x << "," << y;
    }
}

TEST_F(RegionPaintingTest, MonochromeModesUseTheGreyAsSaturationOrValue) {
  auto map = White_Map(3, 1);
  map->Set_Pixel(0, 0, 0, 0, 0);
  map->Set_Pixel(1, 0, 128, 128, 128);
  auto region = Region_With_Map(*map, 0, 0);  // hunt (200, 100, 50): hue 20, sat 191, value 200
  region->Set_Substitution_Mode(3);
  region->Get_Scanned_Descriptor().frame.Set_Position(0, 0);
  region->Get_Scanned_Descriptor().frame.Set_Size(3, 1);
  auto dest = White_Map(3, 1);
  ASSERT_TRUE(region->Paint_Transparent_To_DestMap(*dest, 100, err));
  EXPECT_EQ(Pixel(*dest, 0, 0), (Color{200, 200, 200}));  // saturation 0: a grey of the hunt value
  Color half;
  HSV_to_RGB(20, 128, 200, &half.r, &half.g, &half.b);
  EXPECT_EQ(Pixel(*dest, 1, 0), half);
  EXPECT_EQ(Pixel(*dest, 2, 0), kWhite);  // grey 255 is paper

  region->Set_Substitution_Mode(4);
  dest->Fill(255);
  ASSERT_TRUE(region->Paint_Transparent_To_DestMap(*dest, 100, err));
  EXPECT_EQ(Pixel(*dest, 0, 0), (Color{0, 0, 0}));
  HSV_to_RGB(20, 191, 128, &half.r, &half.g, &half.b);
  EXPECT_EQ(Pixel(*dest, 1, 0), half);

  // A hue shifted below 0 paints the hue it stands for.
  region->Get_Auto_Descriptor().color = Pack_RGB(255, 43, 0);  // hue 10
  region->Get_Auto_Descriptor().hueOffset = -30;
  region->Set_Substitution_Mode(3);
  dest->Fill(255);
  region->Get_Region_Map()->Set_Pixel(0, 0, 254, 254, 254);
  ASSERT_TRUE(region->Paint_Transparent_To_DestMap(*dest, 100, err));
  Color shifted;
  HSV_to_RGB(340, 254, 255, &shifted.r, &shifted.g, &shifted.b);
  EXPECT_EQ(Pixel(*dest, 0, 0), shifted);

  region->Get_Auto_Descriptor().hueOffset = 1200;
  EXPECT_FALSE(region->Paint_Transparent_To_DestMap(*dest, 100, err));
  EXPECT_EQ(err, "RegionSubject::Calc_HuntColor_Plus_ColorOffsets FAILED,  can not UNWRAP Hue.");
}

TEST_F(RegionPaintingTest, PaintingIsClippedToTheDestinationAndNeedsAMap) {
  auto pattern = Pattern_Map(20, 10);
  auto region = Region_With_Map(*pattern, -5, 95);
  auto dest = White_Map(100, 100);
  ASSERT_TRUE(region->Paint_Transparent_To_DestMap(*dest, 100, err));
  EXPECT_EQ(Pixel(*dest, 0, 95), Pixel(*pattern, 5, 0));
  EXPECT_EQ(Pixel(*dest, 14, 99), Pixel(*pattern, 19, 4));
  EXPECT_EQ(Pixel(*dest, 15, 99), kWhite);

  // A frame larger than the map stretches it.
  region->Get_Auto_Descriptor().frame.Set_Position(0, 0);
  region->Get_Auto_Descriptor().frame.Set_Size(40, 20);
  dest->Fill(255);
  ASSERT_TRUE(region->Paint_Transparent_To_DestMap(*dest, 100, err));
  EXPECT_EQ(Pixel(*dest, 7, 3), Pixel(*pattern, 3, 1));

  // Frames at the ends of the 32-bit range paint nothing and overflow
  // nothing, at any scale.
  const int32_t extremes[] = {INT32_MIN, INT32_MIN + 1, -1, INT32_MAX};
  for (const int32_t at : extremes) {
    for (const int16_t percent : {int16_t{100}, int16_t{32767}}) {
      dest->Fill(255);
      region->Get_Auto_Descriptor().frame.Set_Position(at, at == -1 ? INT32_MIN : 0);
      region->Get_Auto_Descriptor().frame.Set_Size(INT32_MAX, 20);
      ASSERT_TRUE(region->Paint_Transparent_To_DestMap(*dest, percent, err)) << at;
      EXPECT_EQ(Pixel(*dest, 0, 0), kWhite) << at;
      EXPECT_EQ(Pixel(*dest, 99, 0), kWhite) << at;
    }
  }

  RegionSubject empty;
  EXPECT_FALSE(empty.Paint_Transparent_To_DestMap(*dest, 100, err));
  EXPECT_EQ(err, "RegionSubject::Paint_Transparent_To_DestMap FAILED,  regionsOffMap is NULL.");
}
