// The region list on real separations: the sample photo's watercolour
// rendering cut into regions and composed into the layered image; and the
// knock-out masks and colour fitting of regions whose bitmaps are files.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/RegionEditorApp.h"
#include "colors/StandardColors.h"
#include "raster/Blends.h"
#include "raster/OffMap.h"
#include "regions/RegionListFixtures.h"
#include "render/ImageFiles.h"
#include "separation/ColorSeparator.h"
#include "support/TestSupport.h"

using namespace regionlist_test;

namespace {

// The pixels of `source` at least as dark as (r, g, b) in every channel keep
// their colour; all others become white.
std::unique_ptr<OffMap> Separation_Map(const OffMap& source, int16_t r, int16_t g, int16_t b) {
  auto map = std::make_unique<OffMap>(source.Get_Width(), source.Get_Height(), 24);
  for (int32_t y = 0; y < source.Get_Height(); ++y) {
    for (int32_t x = 0; x < source.Get_Width(); ++x) {
      Rgb c = Pixel_At(source, x, y);
      if (c.r > r || c.g > g || c.b > b) c = Rgb{255, 255, 255};
      map->Set_Pixel(x, y, c.r, c.g, c.b);
    }
  }
  return map;
}

// Cuts the separation of standard colour `colorIndex` out of `source` into
// sub-regions of separation `separationID` appended to the list.
void Add_Separation(RegionEditorApp& app, const OffMap& source, int16_t colorIndex, int16_t separationID,
                    bool inMemory, const std::string& folder) {
  int16_t r = 0, g = 0, b = 0;
  std::string err;
  ASSERT_TRUE(Get_StandardColors_RGB_from_Table(colorIndex, r, g, b, err)) << err;
  std::unique_ptr<RegionSubject> separation = RegionSubject::Create_Region_from_Separation_Map(
      err, folder + "/list.rgl", Separation_Map(source, r, g, b), 0, inMemory, r, g, b,
      "sep" + std::to_string(separationID) + ".bmp", app.Get_Platform());
  ASSERT_NE(separation, nullptr) << err;
  separation->Set_Hunt_Color_Index(colorIndex);
  ASSERT_TRUE(separation->Generate_SubRegions(*separation->Get_Region_Map(), app.Get_RegionList(), 30, false,
                                              separationID, 0, inMemory, app.Get_Document().regionCounter,
                                              app.Get_Platform(), err))
      << err;
}

}  // namespace

TEST(RegionListIntegration, SeparationsOfTheSamplePhotoComposeIntoTheLayeredImage) {
  TestPlatform platform;
  RegionEditorApp app(platform.Get());
  RenderMan& rm = app.Get_RenderMan();
  std::string err;
  bool fileProblem = false;
  ASSERT_TRUE(
      Load_Bitmap_File_as_SRC(err, rm, Sample_Path("coffee.png"), 400, 300, kWorkingMaxSide, fileProblem))
      << err;
  ASSERT_TRUE(rm.WatercolorFilter_For_Separations(app.Get_Settings().watercolorParms, err)) << err;
  const OffMap& filtered = *rm.Get_Filtered_Map();

  // Burnt Umber first, then the paler Gray 5, whose regions include most
  // of the Burnt Umber areas and so lie over them.
  Add_Separation(app, filtered, 17, 0, true, "");
  const int32_t firstCount = app.Get_RegionList().Get_Region_Count();
  Add_Separation(app, filtered, 24, 1, true, "");
  RegionListSubject& list = app.Get_RegionList();
  ASSERT_GE(firstCount, 5);
  ASSERT_GE(list.Get_Region_Count() - firstCount, 5);
  EXPECT_EQ(list.Sort_Regions_by_SeparationID(err), 0);
  EXPECT_EQ(app.Get_Document().regionCounter, list.Get_Region_Count());

  ASSERT_TRUE(app.Get_Composer().ReDraw_SummedFinalViews_OffMap());
  const OffMap& layered = *rm.Get_Layered_Map();

  // Every region glazed over what lies under it, in list order: worked out
  // here pixel by pixel from the region maps themselves.
  OffMap expected(400, 300, 24);
  expected.Fill(255);
  std::vector<int32_t> layers(400 * 300, 0);
  for (RegionSubject* region : Regions_Of(list)) {
    const Graphic& frame = region->Get_Current_Descriptor().frame;
    const OffMap& map = *region->Get_Region_Map();
    ASSERT_EQ(map.Get_Width(), frame.Get_Width());
    for (int32_t y = 0; y < map.Get_Height(); ++y) {
      for (int32_t x = 0; x < map.Get_Width(); ++x) {
        const Rgb paint = Pixel_At(map, x, y);
        if (paint == (Rgb{255, 255, 255})) continue;
        const int32_t cx = frame.Get_Position().x + x, cy = frame.Get_Position().y + y;
        const Rgb under = Pixel_At(expected, cx, cy);
        expected.Set_Pixel(cx, cy, Transparent_Blend(paint.r, under.r), Transparent_Blend(paint.g, under.g),
                           Transparent_Blend(paint.b, under.b));
        ++layers[static_cast<size_t>(cy * 400 + cx)];
      }
    }
  }
  int32_t covered = 0, glazed = 0, mismatches = 0;
  for (int32_t y = 0; y < 300; ++y) {
    for (int32_t x = 0; x < 400; ++x) {
      const int32_t n = layers[static_cast<size_t>(y * 400 + x)];
      covered += n > 0 ? 1 : 0;
      glazed += n > 1 ? 1 : 0;
      mismatches += Pixel_At(layered, x, y) == Pixel_At(expected, x, y) ? 0 : 1;
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(covered, 400 * 300 / 10);
  EXPECT_GT(glazed, 1000);

  // An outline: merged over the finished painting, exactly as merging it
  // into the outline-free image would.
  ASSERT_TRUE(rm.Create_Outline_Map(300, 400));
  for (int32_t i = 0; i < 300; ++i) {
    rm.Get_Outline_Map()->Set_Pixel(i + 50, i, 0, 0, 0);
    rm.Get_Outline_Map()->Set_Pixel(i + 51, i, 90, 90, 90);
  }
  OffMap merged(400, 300, 24);
  merged.Assign_Copy(layered);
  ASSERT_TRUE(RenderMan::Merge_OutlineMap_with_Source(rm, false, rm.Get_Outline_Style(), rm.Get_Outline_Map(),
                                                      &merged, &merged, err, Make_RectShrt(0, 0, 400, 300)))
      << err;
  ASSERT_TRUE(app.Get_Composer().Redraw_Summed_Final_Window());
  int32_t outlineMismatches = 0, darkened = 0;
  for (int32_t y = 0; y < 300; ++y) {
    for (int32_t x = 0; x < 400; ++x) {
      outlineMismatches += Pixel_At(layered, x, y) == Pixel_At(merged, x, y) ? 0 : 1;
      darkened += Pixel_At(layered, x, y) == Pixel_At(expected, x, y) ? 0 : 1;
    }
  }
  EXPECT_EQ(outlineMismatches, 0);
  EXPECT_GT(darkened, 300);
}

TEST(RegionListIntegration, KnockOutMasksAndDeepColourFitOfRegionsKeptInFiles) {
  TestPlatform platform;
  RegionEditorApp app(platform.Get());
  TempDir dir;
  std::filesystem::create_directories(dir.File("Subs"));
  // Separation 0: one dark block at 10..29 x 10..29.  Separation 1: a block
  // at 20..39 x 10..29 that covers the right half of it.
  OffMap source(50, 40, 24);
  source.Fill(255);
  for (int32_t y = 10; y < 30; ++y)
    for (int32_t x = 10; x < 40; ++x) source.Set_Pixel(x, y, x < 20 ? 60 : 200, x < 20 ? 90 : 150, 120);
  OffMap first(50, 40, 24), second(50, 40, 24);
  first.Fill(255);
  second.Fill(255);
  for (int32_t y = 10; y < 30; ++y) {
    for (int32_t x = 10; x < 30; ++x) first.Set_Pixel(x, y, 150, 100, 60);
    for (int32_t x = 20; x < 40; ++x) second.Set_Pixel(x, y, 90, 140, 180);
  }
  Add_Separation(app, first, 16, 0, false, dir.Path());
  Add_Separation(app, second, 9, 1, false, dir.Path());
  RegionListSubject& list = app.Get_RegionList();
  ASSERT_EQ(list.Get_Region_Count(), 2);
  RegionSubject& a = *Regions_Of(list)[0];
  RegionSubject& b = *Regions_Of(list)[1];

  // a's uncovered half lies over the source's (60, 90, 120) part.
  int32_t knocked = 0, pixels = 0, failures = 0;
  int16_t r = 0, g = 0, bl = 0;
  bool noMask = true;
  std::string err;
  ASSERT_TRUE(
      list.Make_KnockoutMask_of_Latter_Regions(a, source, knocked, r, g, bl, pixels, noMask, failures, err))
      << err;
  EXPECT_EQ(knocked, 1);
  EXPECT_FALSE(noMask);
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(pixels, 200);
  EXPECT_EQ((Rgb{r, g, bl}), (Rgb{60, 90, 120}));
  // Nothing comes after b: its whole area is averaged.
  ASSERT_TRUE(
      list.Make_KnockoutMask_of_Latter_Regions(b, source, knocked, r, g, bl, pixels, noMask, failures, err));
  EXPECT_EQ(knocked, 0);
  EXPECT_EQ(pixels, 400);
  EXPECT_EQ((Rgb{r, g, bl}), (Rgb{200, 150, 120}));

  // A later region covering all of a leaves no colour to fit.
  RegionListSubject covering(app.Get_RenderMan());
  std::unique_ptr<ComponentSubject> cloneA = a.Clone(), cloneB = a.Clone();
  ASSERT_TRUE(covering.Add_ChildSubject(cloneA.release(), err));
  ASSERT_TRUE(covering.Add_ChildSubject(cloneB.release(), err));
  RegionSubject& coveredA = *Regions_Of(covering)[0];
  ASSERT_TRUE(covering.Make_KnockoutMask_of_Latter_Regions(coveredA, source, knocked, r, g, bl, pixels,
                                                           noMask, failures, err));
  EXPECT_EQ(knocked, 1);
  EXPECT_TRUE(noMask);
  EXPECT_EQ(failures, 1);

  // Fitting the whole list to the source: both regions fitted, with progress.
  ASSERT_TRUE(list.Create_UndoList(err));
  int32_t fitted = 0, nearWhite = 0;
  ASSERT_TRUE(list.ColorFit_All_Regions_to_SrcMap(source, true, 0, fitted, nearWhite, err)) << err;
  EXPECT_EQ(fitted, 2);
  EXPECT_EQ(nearWhite, 0);
  const std::vector<std::string>& progress = platform.Headless().Progress_Events().Events();
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.front(), "open Color-Fitting the regions...");
  EXPECT_EQ(progress.back(), "close");
  // a's display now averages near the colour left for it.
  int16_t ar = 0, ag = 0, ab = 0;
  a.Get_Display_Map()->Average_NonWhite_RGB(ar, ag, ab);
  EXPECT_NEAR(ar, 60, 12);
  EXPECT_NEAR(ag, 90, 12);
  EXPECT_NEAR(ab, 120, 12);

  // Without deep masking each region is fitted to what the earlier ones
  // left of the source; a pixel-count limit below the regions' leaves them.
  ASSERT_TRUE(list.Restore_from_UndoList(err));
  ASSERT_TRUE(list.ColorFit_All_Regions_to_SrcMap(source, false, 400, fitted, nearWhite, err)) << err;
  EXPECT_EQ(fitted, 2);
  ASSERT_TRUE(list.ColorFit_All_Regions_to_SrcMap(source, false, 399, fitted, nearWhite, err)) << err;
  EXPECT_EQ(fitted, 0);
}
