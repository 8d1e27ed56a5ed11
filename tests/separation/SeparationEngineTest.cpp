// The separation engine on small drawn pictures: separations cut into
// sub-regions with their names, numbers and clean-up, the subtract map
// between the rows, deleting regions, and starting a series.

#include <gtest/gtest.h>

#include <string>

#include "colors/StandardColors.h"
#include "raster/Blends.h"
#include "regions/RegionMaps.h"
#include "separation/SeparatorFixture.h"

using namespace separation_test;

namespace {

const Rgb kHunt{220, 220, 255};
const Rgb kBlockA{100, 100, 200};
const Rgb kBlockB{60, 60, 60};
constexpr int16_t kPurple = 11;
const char* const kPhoto = "/work/pics/DUMMyproject.rgl";

Rgb Standard_Rgb(int16_t index) {
  Rgb c;
  std::string err;
  EXPECT_TRUE(Get_StandardColors_RGB_from_Table(index, c.r, c.g, c.b, err)) << err;
  return c;
}

Rgb Subtracted(Rgb a, Rgb b) {
  return {Subtract_Blend(a.r, b.r), Subtract_Blend(a.g, b.g), Subtract_Blend(a.b, b.b)};
}

class SeparationEngine : public SeparatorTest {
 protected:
  // Block A (8 x 6 at 5, 5) with a one-pixel hole at (8, 7) and a 2 x 2
  // hole at (10, 8); block B (6 x 6 at 25, 15).
  void Draw_Blocks() {
    Filtered().Fill(255);
    Fill_Rect(Filtered(), 5, 5, 8, 6, kBlockA);
    Filtered().Set_Pixel(8, 7, 255, 255, 255);
    Fill_Rect(Filtered(), 10, 8, 2, 2, kWhite);
    Fill_Rect(Filtered(), 25, 15, 6, 6, kBlockB);
  }

  void Start_Series() {
    std::string startErr;
    ASSERT_TRUE(separator.Generate_All_Separations_and_SubRegions_from_Bitmap(List(), startErr)) << startErr;
    updater.Clear();
  }

  void Expect_Frame(const RegionSubject* region, int32_t x, int32_t y, int32_t w, int32_t h) {
    ASSERT_NE(region, nullptr);
    const Graphic& frame = region->Get_Auto_Descriptor().frame;
    EXPECT_EQ(frame.Get_Position().x, x);
    EXPECT_EQ(frame.Get_Position().y, y);
    EXPECT_EQ(frame.Get_Width(), w);
    EXPECT_EQ(frame.Get_Height(), h);
  }

  std::string err;
  std::string name;
};

TEST_F(SeparationEngine, ASeparationBecomesNumberedSubRegionsInScanOrder) {
  Draw_Blocks();
  Start_Series();
  app.Get_Document().regionCounter = 40;
  {
    ColorSeparator engine(app.Get_RenderMan(), updater, &app.Get_Document().regionCounter);
    ASSERT_TRUE(engine.Make_Next_Separation(Plain_Parms(kHunt, kPurple), name, 0, List(), kPhoto, err))
        << err;
    EXPECT_EQ(err, "");
    EXPECT_EQ(name, "MEM-ASep_Purple_DUMMyproject_Comps220_220_255_9999.bmp");
    EXPECT_EQ(engine.Get_Separation_Counter(), 10000);
    // The separation region took number 40 and is gone; its blobs follow.
    EXPECT_EQ(engine.Get_Next_Serial(), 43);
    EXPECT_EQ(app.Get_Document().regionCounter, 40);
  }
  EXPECT_EQ(app.Get_Document().regionCounter, 43);  // handed back when the engine goes

  const std::vector<RegionSubject*> regions = Regions();
  ASSERT_EQ(regions.size(), 2u);
  Expect_Frame(regions[0], 5, 5, 8, 6);
  Expect_Frame(regions[1], 25, 15, 6, 6);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(regions[i]->Get_Serial_Number(), 41 + static_cast<int16_t>(i));
    EXPECT_EQ(regions[i]->Get_Separation_ID(), 0);
    EXPECT_EQ(regions[i]->Get_Hunt_Color_Index(), kPurple);
    EXPECT_TRUE(regions[i]->Is_SubRegion());
    EXPECT_EQ(regions[i]->Get_Auto_Descriptor().parentPath, name);
  }
  EXPECT_EQ(Pixel_At(*regions[1]->Get_Region_Map(), 0, 0), kHunt);

  // Two subtract-map rebuilds (before and after) and the layered image.
  using R = RecordingWindowsUpdater::Request;
  EXPECT_EQ(updater.Requests(), (std::vector<R>{R::Subtracted, R::Subtracted, R::SummedFinal}));
}

TEST_F(SeparationEngine, CleanUpFillsHolesWithTheStandardColourUnderThePluggingSize) {
  Draw_Blocks();
  Start_Series();
  ASSERT_TRUE(separator.Make_Next_Separation(Plain_Parms(kHunt, kPurple), name, 0, List(), kPhoto, err))
      << err;
  const std::vector<RegionSubject*> regions = Regions();
  ASSERT_EQ(regions.size(), 2u);
  const OffMap& a = *regions[0]->Get_Region_Map();
  // The one-pixel hole takes its neighbours' colour; the 2 x 2 hole is
  // plugged with the standard colour, not the hunt colour.
  EXPECT_EQ(Pixel_At(a, 3, 2), kHunt);
  for (int32_t y = 3; y < 5; ++y)
    for (int32_t x = 5; x < 7; ++x) EXPECT_EQ(Pixel_At(a, x, y), Standard_Rgb(kPurple)) << x << "," << y;
  EXPECT_EQ(Pixel_At(a, 0, 0), kHunt);

  // A hole of the plugging size stays open.
  ASSERT_TRUE(separator.Delete_All_Regions_and_Redraw(List(), err)) << err;
  SeparationParms small = Plain_Parms(kHunt, kPurple);
  small.holePlugSize = 4;
  ASSERT_TRUE(separator.Make_Next_Separation(small, name, 0, List(), kPhoto, err)) << err;
  EXPECT_EQ(Pixel_At(*Regions()[0]->Get_Region_Map(), 5, 3), kWhite);

  // With an adjustment the separation is recoloured with the standard
  // colour: every pixel, both holes included, ends up in it.
  ASSERT_TRUE(separator.Delete_All_Regions_and_Redraw(List(), err)) << err;
  SeparationParms adjusted = Plain_Parms(kHunt, kPurple);
  adjusted.adjustment = 4;
  ASSERT_TRUE(separator.Make_Next_Separation(adjusted, name, 0, List(), kPhoto, err)) << err;
  ASSERT_EQ(Regions().size(), 2u);
  const OffMap& a2 = *Regions()[0]->Get_Region_Map();
  for (int32_t y = 0; y < 6; ++y)
    for (int32_t x = 0; x < 8; ++x) EXPECT_EQ(Pixel_At(a2, x, y), Standard_Rgb(kPurple)) << x << "," << y;
}

TEST_F(SeparationEngine, CleanUpRunsSinglePixelsThenHolesThenClosing) {
  // A 12 x 12 block with a 3 x 3 hole at (7, 7) whose centre pixel is dark.
  Filtered().Fill(255);
  Fill_Rect(Filtered(), 4, 4, 12, 12, kBlockA);
  Fill_Rect(Filtered(), 7, 7, 3, 3, kWhite);
  Filtered().Set_Pixel(8, 8, kBlockA.r, kBlockA.g, kBlockA.b);
  // The lone centre pixel goes first, leaving a hole of 9 pixels, which a
  // plugging size of 9 leaves open.  (Plugged first, the ring of 8 would
  // have been filled.)
  Start_Series();
  SeparationParms parms = Plain_Parms(kHunt, kPurple);
  parms.holePlugSize = 9;
  ASSERT_TRUE(separator.Make_Next_Separation(parms, name, 0, List(), kPhoto, err)) << err;
  ASSERT_EQ(Regions().size(), 1u);
  for (int32_t y = 3; y < 6; ++y)
    for (int32_t x = 3; x < 6; ++x)
      EXPECT_EQ(Pixel_At(*Regions()[0]->Get_Region_Map(), x, y), kWhite) << x << "," << y;

  // Plugged with the (darker) standard colour before the closing, the hole
  // keeps that colour; closed first it would have taken the hunt colour.
  ASSERT_TRUE(separator.Delete_All_Regions_and_Redraw(List(), err)) << err;
  parms.holePlugSize = 20;
  parms.morphMode = 2;
  parms.minFilterSize = parms.maxFilterSize = 2;
  ASSERT_TRUE(separator.Make_Next_Separation(parms, name, 0, List(), kPhoto, err)) << err;
  ASSERT_EQ(Regions().size(), 1u);
  EXPECT_EQ(Pixel_At(*Regions()[0]->Get_Region_Map(), 4, 4), Standard_Rgb(kPurple));
  EXPECT_EQ(Pixel_At(*Regions()[0]->Get_Region_Map(), 0, 11), kHunt);
}

TEST_F(SeparationEngine, OpeningClosingAndTheExtraShrink) {
  // A 10 x 10 block with a one-pixel line leaving its right side.
  Filtered().Fill(255);
  Fill_Rect(Filtered(), 10, 10, 10, 10, kBlockB);
  Fill_Rect(Filtered(), 20, 14, 8, 1, kBlockB);
  struct Case {
    int16_t morphMode, extraShrink;
    int32_t x, y, w, h;
  };
  // 1: minimum filter (the line goes), then maximum; 2: the other way round
  // (the line stays); the extra shrink grows the dark parts by its radius.
  for (const Case c : {Case{1, 0, 10, 10, 10, 10}, Case{2, 0, 10, 10, 18, 10}, Case{0, 2, 8, 8, 22, 14},
                       Case{0, 1, 10, 10, 18, 10}}) {
    Start_Series();
    SeparationParms parms = Plain_Parms(kHunt, kPurple);
    parms.morphMode = c.morphMode;
    parms.minFilterSize = parms.maxFilterSize = 2;
    parms.extraShrinkSize = c.extraShrink;
    ASSERT_TRUE(separator.Make_Next_Separation(parms, name, 0, List(), kPhoto, err)) << err;
    ASSERT_EQ(Regions().size(), 1u) << c.morphMode;
    Expect_Frame(Regions()[0], c.x, c.y, c.w, c.h);
    ASSERT_TRUE(separator.Delete_All_Regions_and_Redraw(List(), err)) << err;
  }
}

TEST_F(SeparationEngine, TheSubtractMapAfterRowKLacksTheRegionsOfRowsUpToK) {
  Draw_Blocks();
  Start_Series();
  ASSERT_TRUE(separator.Make_Next_Separation(Plain_Parms(kHunt, kPurple), name, 0, List(), kPhoto, err))
      << err;
  const Rgb aAfter0 = Subtracted(kBlockA, kHunt);  // (136, 136, 200)
  const Rgb bAfter0 = Subtracted(kBlockB, kHunt);  // (96, 96, 60)
  EXPECT_EQ(aAfter0, (Rgb{136, 136, 200}));
  EXPECT_EQ(Pixel_At(*Subtract(), 6, 6), aAfter0);
  EXPECT_EQ(Pixel_At(*Subtract(), 27, 17), bAfter0);
  EXPECT_EQ(Pixel_At(*Subtract(), 8, 7), kWhite);  // under white paper nothing is left
  EXPECT_EQ(Pixel_At(*Subtract(), 0, 0), kWhite);

  // Row 1 is taken from what row 0 left: block A is now too light for it.
  const Rgb hunt1{130, 130, 255};
  ASSERT_TRUE(separator.Make_Next_Separation(Plain_Parms(hunt1, 29), name, 1, List(), kPhoto, err)) << err;
  EXPECT_EQ(name, "MEM-ASep_Gray 10_DUMMyproject_Comps130_130_255_10000.bmp");
  std::vector<RegionSubject*> regions = Regions();
  ASSERT_EQ(regions.size(), 3u);
  EXPECT_EQ(regions[2]->Get_Separation_ID(), 1);
  Expect_Frame(regions[2], 25, 15, 6, 6);
  EXPECT_EQ(Pixel_At(*regions[2]->Get_Region_Map(), 2, 2), hunt1);
  EXPECT_EQ(Pixel_At(*Subtract(), 6, 6), aAfter0);
  EXPECT_EQ(Pixel_At(*Subtract(), 27, 17), Subtracted(bAfter0, hunt1));

  // Rebuilt for row 1 only the regions of row 0 are out.
  ASSERT_TRUE(separator.ReDraw_Subtracted_BitMap(1, 1, List(), err)) << err;
  EXPECT_EQ(Pixel_At(*Subtract(), 27, 17), bAfter0);
  // Separation regions (mode 0): there are none, so nothing is out.
  ASSERT_TRUE(separator.ReDraw_Subtracted_BitMap(0, -1, List(), err)) << err;
  EXPECT_EQ(Pixel_At(*Subtract(), 27, 17), kBlockB);

  // Deleting row 0 leaves the source less row 1.
  updater.Clear();
  ASSERT_TRUE(separator.Delete_Separation_Regions(0, List(), err)) << err;
  regions = Regions();
  ASSERT_EQ(regions.size(), 1u);
  EXPECT_EQ(regions[0]->Get_Separation_ID(), 1);
  EXPECT_EQ(Pixel_At(*Subtract(), 6, 6), kBlockA);
  EXPECT_EQ(Pixel_At(*Subtract(), 27, 17), Subtracted(kBlockB, hunt1));
  EXPECT_EQ(updater.Count(RecordingWindowsUpdater::Request::Subtracted), 1);

  // A row without regions deletes nothing but still rebuilds.
  ASSERT_TRUE(separator.Delete_Separation_Regions(4, List(), err)) << err;
  EXPECT_EQ(Regions().size(), 1u);
  EXPECT_EQ(updater.Count(RecordingWindowsUpdater::Request::Subtracted), 2);
}

TEST_F(SeparationEngine, DeletingRegionsSortsTheRestAndKeepsSeparationRegions) {
  Draw_Blocks();
  Start_Series();
  // Row 2 first, then row 0 kept with its separation region.
  ASSERT_TRUE(separator.Make_Next_Separation(Plain_Parms({70, 70, 70}, 29), name, 2, List(), kPhoto, err))
      << err;
  ASSERT_TRUE(separator.Create_Separation_and_Generate_SubRegions(Plain_Parms(kHunt, kPurple), Filtered(),
                                                                  name, true, 0, List(), kPhoto, err))
      << err;
  std::vector<RegionSubject*> regions = Regions();
  ASSERT_EQ(regions.size(), 4u);
  EXPECT_EQ(regions[0]->Get_Separation_ID(), 2);
  EXPECT_FALSE(regions[3]->Is_SubRegion());
  EXPECT_EQ(regions[3]->Get_Separation_ID(), 0);
  EXPECT_EQ(regions[3]->Get_Serial_Number(), 2);  // row 2: 0 and 1; row 0's separation region 2
  EXPECT_EQ(name, "MEM-ASep_Purple_DUMMyproject_Comps220_220_255_10000.bmp");

  ASSERT_TRUE(separator.Delete_Separation_Regions(0, List(), err)) << err;
  regions = Regions();
  ASSERT_EQ(regions.size(), 2u);
  EXPECT_EQ(regions[0]->Get_Separation_ID(), 0);  // the separation region, sorted first
  EXPECT_FALSE(regions[0]->Is_SubRegion());
  EXPECT_EQ(regions[1]->Get_Separation_ID(), 2);
}

TEST_F(SeparationEngine, SeparationsThatMakeNoRegion) {
  Draw_Blocks();
  Filtered().Set_Pixel(35, 3, 0, 0, 0);
  Start_Series();
  // A white hunt colour: nothing at all.
  ASSERT_TRUE(separator.Make_Next_Separation(Plain_Parms(kWhite, kPurple), name, 0, List(), kPhoto, err))
      << err;
  EXPECT_EQ(name, "");
  EXPECT_EQ(separator.Get_Separation_Counter(), 9999);
  EXPECT_TRUE(updater.Requests().empty());

  // Only the black speck qualifies, and it is too small: the separation is
  // still made and counted, and the maps are redrawn.
  ASSERT_TRUE(separator.Make_Next_Separation(Plain_Parms({10, 10, 10}, 29), name, 0, List(), kPhoto, err))
      << err;
  EXPECT_EQ(name, "MEM-ASep_Gray 10_DUMMyproject_Comps10_10_10_9999.bmp");
  EXPECT_EQ(separator.Get_Separation_Counter(), 10000);
  EXPECT_EQ(separator.Get_Next_Serial(), 1);
  EXPECT_FALSE(List().Has_Regions());
  EXPECT_EQ(updater.Requests().size(), 3u);
}

TEST_F(SeparationEngine, BitmapsAreWrittenBesideThePhotoUnlessInMemory) {
  TempDir dir;
  Draw_Blocks();
  Start_Series();
  separator.Set_In_Memory_Only(0);
  ASSERT_TRUE(
      separator.Make_Next_Separation(Plain_Parms(kHunt, kPurple), name, 0, List(), dir.File("dog.jpg"), err))
      << err;
  EXPECT_EQ(name, dir.File("ASep_Purple_dog_Comps220_220_255_9999.bmp"));
  // The file holds the cleaned separation: the one-pixel hole is filled.
  std::unique_ptr<OffMap> saved = Read_Bitmap_File(platform.Get(), name, err);
  ASSERT_NE(saved, nullptr) << err;
  EXPECT_EQ(Pixel_At(*saved, 8, 7), kHunt);
  EXPECT_EQ(Pixel_At(*saved, 10, 8), Standard_Rgb(kPurple));
  const std::vector<RegionSubject*> regions = Regions();
  ASSERT_EQ(regions.size(), 2u);
  for (RegionSubject* region : regions) EXPECT_TRUE(File_Exists(region->Get_Auto_Descriptor().bitmapPath));
  EXPECT_EQ(regions[0]->Get_Auto_Descriptor().bitmapPath.rfind(dir.File("Subs/"), 0), 0u);
}

TEST_F(SeparationEngine, StartingASeriesResetsTheMapsAndSizesAnEmptyCanvas) {
  Draw_Blocks();
  Fill_Rect(*app.Get_RenderMan().Get_Layered_Map(), 0, 0, 5, 5, {1, 2, 3});
  Subtract()->Fill(0);
  int32_t w = 0, h = 0;
  List().Get_Canvas_Size(w, h);
  EXPECT_EQ(w, 300);
  ASSERT_TRUE(separator.Generate_All_Separations_and_SubRegions_from_Bitmap(List(), err)) << err;
  EXPECT_EQ(Pixel_At(*app.Get_RenderMan().Get_Layered_Map(), 2, 2), kWhite);
  EXPECT_EQ(Pixel_At(*Subtract(), 6, 6), kBlockA);
  EXPECT_EQ(Pixel_At(*Subtract(), 0, 0), kWhite);
  EXPECT_EQ(updater.Requests(), (std::vector{RecordingWindowsUpdater::Request::SummedFinal}));
  // The canvas is the working size, and list operations that need the
  // canvas see it.
  List().Get_Canvas_Size(w, h);
  EXPECT_EQ(w, kWidth);
  EXPECT_EQ(h, kHeight);
  ASSERT_TRUE(app.Get_Composer().Maybe_Alloc_Layers_Bitmap_for_RegionList(err)) << err;
  EXPECT_EQ(app.Get_RenderMan().Get_Layered_Map()->Get_Width(), kWidth);

  // A list that has regions keeps its canvas.
  ASSERT_TRUE(separator.Make_Next_Separation(Plain_Parms(kHunt, kPurple), name, 0, List(), kPhoto, err))
      << err;
  std::string sizeErr;
  EXPECT_FALSE(List().Set_Canvas_Size(300, 300, sizeErr));
  ASSERT_TRUE(separator.Generate_All_Separations_and_SubRegions_from_Bitmap(List(), err)) << err;
  List().Get_Canvas_Size(w, h);
  EXPECT_EQ(w, kWidth);
  EXPECT_EQ(Regions().size(), 2u);
}

TEST_F(SeparationEngine, StartingASeriesNeedsAPreProcessedImage) {
  RenderMan& rm = app.Get_RenderMan();
  rm.Forget_Filtered_Image();
  EXPECT_FALSE(separator.Generate_All_Separations_and_SubRegions_from_Bitmap(List(), err));
  EXPECT_EQ(err,
            "RenderMan::Initialize_SubtractMap_with_Source_Image_for_SeparationCreation FAILED,  "
            "m_filteredMap does NOT "
            "have an Image.");
  int32_t w = 0, h = 0;
  List().Get_Canvas_Size(w, h);
  EXPECT_EQ(w, 300);
  rm.Set_Filtered_Map(nullptr);
  EXPECT_FALSE(separator.Generate_All_Separations_and_SubRegions_from_Bitmap(List(), err));
  EXPECT_EQ(
      err,
      "ColorSeparator::Generate_All_Separations_and_SubRegions_from_Bitmap  failed,   m_sourceMap is NULL.");
  EXPECT_FALSE(separator.ReDraw_Subtracted_BitMap(1, -1, List(), err));
  EXPECT_EQ(err, "Load a SOURCE bitmap.");
  EXPECT_FALSE(separator.Make_Next_Separation(Plain_Parms(kHunt, kPurple), name, 0, List(), kPhoto, err));
  EXPECT_EQ(err, "Load a SOURCE bitmap.");
  EXPECT_TRUE(updater.Requests().empty());
}

TEST_F(SeparationEngine, DeletingAllRegionsRestoresTheSubtractMap) {
  // Nothing to do for an empty list: no redraw either.
  ASSERT_TRUE(separator.Delete_All_Regions_and_Redraw(List(), err)) << err;
  ASSERT_TRUE(separator.Delete_Separation_Regions(0, List(), err)) << err;
  EXPECT_TRUE(updater.Requests().empty());

  Draw_Blocks();
  Start_Series();
  ASSERT_TRUE(separator.Make_Next_Separation(Plain_Parms(kHunt, kPurple), name, 0, List(), kPhoto, err))
      << err;
  List().Set_Separation_Name(0, name);
  updater.Clear();
  ASSERT_TRUE(separator.Delete_All_Regions_and_Redraw(List(), err)) << err;
  EXPECT_FALSE(List().Has_Regions());
  EXPECT_EQ(List().Get_Separation_Name(0), "");
  EXPECT_EQ(Pixel_At(*Subtract(), 6, 6), kBlockA);
  EXPECT_EQ(Pixel_At(*Subtract(), 27, 17), kBlockB);
  EXPECT_EQ(updater.Requests(), (std::vector{RecordingWindowsUpdater::Request::Subtracted}));
}

TEST_F(SeparationEngine, FullSizeSubRegionsAndTheCallback) {
  Draw_Blocks();
  Start_Series();
  separator.Set_FullSize_SubRegions(true);
  ASSERT_TRUE(separator.Make_Next_Separation(Plain_Parms(kHunt, kPurple), name, 0, List(), kPhoto, err))
      << err;
  ASSERT_EQ(Regions().size(), 2u);
  Expect_Frame(Regions()[0], 0, 0, kWidth, kHeight);

  int calls = 0;
  auto bump = [](void* p) { ++*static_cast<int*>(p); };
  separator.Invoke_Callback(&calls, bump);
  separator.Invoke_Callback(nullptr, bump);
  separator.Invoke_Callback(&calls, nullptr);
  EXPECT_EQ(calls, 1);
}

}  // namespace
