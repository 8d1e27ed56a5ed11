// The region list: taking regions, canvas and texts, sorting, undo copies,
// deleting, finding, subtraction, knock-out masks, the palette behind the
// regions, colour scrambling and frame enlarging; and the region list pane.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "RegionTestMaps.h"
#include "colors/StandardColors.h"
#include "framework/ViewFixtures.h"
#include "raster/OffMap.h"
#include "regions/RegionListFixtures.h"
#include "regions/RegionListSubject.h"
#include "regions/RegionView.h"
#include "regions/RegionsListView.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"
#include "separation/ColorSeparator.h"
#include "support/TestSupport.h"
#include "views/ListComponentView.h"

using namespace regionlist_test;

namespace {

class RegionListTest : public ::testing::Test {
 protected:
  TestPlatform platform;
  RenderMan renderMan{platform.Get()};
  RegionListSubject list{renderMan};

  std::vector<int32_t> Pixel_Counts() {
    std::vector<int32_t> counts;
    for (RegionSubject* r : Regions_Of(list)) counts.push_back(r->Get_Pixel_Count());
    return counts;
  }
};

// A plain subject that is not a region.
class OtherSubject : public ComponentSubject {
 public:
  bool Change_My_Property(Commandj*, std::string&) override { return false; }
};

BlockSpec Block(int16_t separationID, int32_t x, int32_t y, int32_t w, int32_t h) {
  BlockSpec block;
  block.separationID = separationID;
  block.x = x;
  block.y = y;
  block.width = w;
  block.height = h;
  return block;
}

}  // namespace

TEST_F(RegionListTest, StartsEmptyWithA300CanvasAndTakesOnlyRegions) {
  int32_t w = 0, h = 0;
  list.Get_Canvas_Size(w, h);
  EXPECT_EQ(w, 300);
  EXPECT_EQ(h, 300);
  EXPECT_EQ(list.filesBitmapMode, 1);
  EXPECT_EQ(list.m_fileFormatVersion, -1);
  EXPECT_FALSE(list.Has_Regions());

  std::string err;
  OtherSubject other;
  EXPECT_FALSE(list.Add_ChildSubject(&other, err));
  EXPECT_EQ(err, "RegionListSubject::Add_ChildSubject failed, bad cast.");
  EXPECT_FALSE(list.Has_Regions());

  for (int16_t style = 0; style <= 3; ++style) {
    std::unique_ptr<RegionSubject> region = Make_Block_Region(BlockSpec{});
    region->Set_Render_Style(style);
    RegionSubject* raw = region.get();
    ASSERT_TRUE(list.Add_ChildSubject(region.release(), err));
    std::string parentErr;
    EXPECT_EQ(raw->Get_Parent_ScalepitchList(parentErr), &list);
  }
  // A region of an unknown style is taken (true) but not listed.
  std::unique_ptr<RegionSubject> odd = Make_Block_Region(BlockSpec{});
  odd->Set_Render_Style(5);
  EXPECT_TRUE(list.Add_ChildSubject(odd.release(), err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(list.Get_Region_Count(), 4);
  EXPECT_TRUE(list.Has_Separation_Regions(0));
  EXPECT_FALSE(list.Has_Separation_Regions(1));
}

TEST_F(RegionListTest, CanvasSizeOnlyWhileEmptyAndWithinBounds) {
  std::string err;
  EXPECT_TRUE(list.Set_Canvas_Size(7000, 7000, err)) << err;
  EXPECT_FALSE(list.Set_Canvas_Size(7001, 10, err));
  EXPECT_EQ(err, "RegionListSubject::Set_Canvas_Size  FAILED, incorrect parms.");
  EXPECT_FALSE(list.Set_Canvas_Size(10, 0, err));
  EXPECT_EQ(err, "RegionListSubject::Set_Canvas_Size  FAILED, incorrect parms.");
  EXPECT_TRUE(list.Set_Canvas_Size(400, 300, err));

  Add_Block(list, BlockSpec{});
  EXPECT_FALSE(list.Set_Canvas_Size(400, 300, err));
  EXPECT_EQ(err, "RegionListSubject::Set_Canvas_Size  FAILED, RegionList must be empty.");
  int32_t w = 0, h = 0;
  ASSERT_TRUE(list.Get_Original_Canvas_Size(w, h, err));
  EXPECT_EQ(w, 400);
  EXPECT_EQ(h, 300);
}

TEST_F(RegionListTest, TextsAndSourcePhotoPath) {
  for (int32_t i = 0; i < RegionListSubject::kSeparationNameCount; ++i)
    list.Set_Separation_Name(i, "sep" + std::to_string(i) + ".bmp");
  list.Clear_Texts();
  EXPECT_EQ(list.Get_Separation_Name(7), "");
  EXPECT_EQ(list.Get_Separation_Name(8), "sep8.bmp");
  EXPECT_EQ(list.Get_Separation_Name(16), "sep16.bmp");
  EXPECT_EQ(list.Get_Separation_Name(17), "");

  std::string path;
  list.Set_Source_Photo_Path("C:\\photos\\cat.jpg");
  list.Get_Source_Photo_Path(path);
  EXPECT_EQ(path, "C:\\photos\\cat.jpg");
  list.Set_Source_Photo_Path("/home/me/cat.jpg");
  list.Get_Source_Photo_Path(path);
  EXPECT_EQ(path, "/home/me/cat.jpg");
  // A bare name, or one whose only separator leads a stored name, is dropped.
  list.Set_Source_Photo_Path("\\cat.jpg");
  list.Get_Source_Photo_Path(path);
  EXPECT_EQ(path, "");
  list.Set_Source_Photo_Path("cat.jpg");
  list.Get_Source_Photo_Path(path);
  EXPECT_EQ(path, "");
  list.Get_Source_Photo_Path(path);
  EXPECT_EQ(path, "");
}

TEST_F(RegionListTest, SortBySeparationIsStable) {
  std::string err;
  EXPECT_EQ(list.Sort_Regions_by_SeparationID(err), 0);
  RegionSubject* a = Add_Block(list, Block(2, 0, 0, 4, 4));
  EXPECT_EQ(list.Sort_Regions_by_SeparationID(err), 0);
  RegionSubject* b = Add_Block(list, Block(0, 0, 0, 4, 4));
  RegionSubject* c = Add_Block(list, Block(1, 0, 0, 4, 4));
  RegionSubject* d = Add_Block(list, Block(0, 0, 0, 4, 4));
  EXPECT_TRUE(list.Check_Lists_Intergity(list.Get_Children_List(), err));
  EXPECT_EQ(list.Sort_Regions_by_SeparationID(err), 4);
  EXPECT_EQ(Regions_Of(list), (std::vector<RegionSubject*>{b, d, c, a}));
  EXPECT_EQ(list.Sort_Regions_by_SeparationID(err), 0);
}

TEST_F(RegionListTest, SortByPixelCountComparesOnlySubRegionPairs) {
  std::string err;
  Add_Block(list, Block(0, 0, 0, 5, 6));  // 30
  Add_Block(list, Block(0, 0, 0, 2, 5));  // 10
  Add_Block(list, Block(0, 0, 0, 4, 5));  // 20
  EXPECT_EQ(list.Sort_SubRegions_by_PixelCount(false, err), 2);
  EXPECT_EQ(Pixel_Counts(), (std::vector<int32_t>{10, 20, 30}));
  EXPECT_EQ(list.Sort_SubRegions_by_PixelCount(true, err), 3);
  EXPECT_EQ(Pixel_Counts(), (std::vector<int32_t>{30, 20, 10}));

  // A separation region between two sub-regions keeps them apart.
  RegionListSubject mixed(renderMan);
  Add_Block(mixed, Block(0, 0, 0, 2, 5));
  BlockSpec separation = Block(0, 0, 0, 5, 6);
  separation.subRegion = false;
  Add_Block(mixed, separation);
  Add_Block(mixed, Block(0, 0, 0, 5, 6));
  EXPECT_EQ(mixed.Sort_SubRegions_by_PixelCount(true, err), 0);
}

TEST_F(RegionListTest, UndoListRestoresTheSameListTwice) {
  std::string err;
  EXPECT_FALSE(list.Restore_from_UndoList(err));
  EXPECT_EQ(err, "RegionListSubject::Restore_from_UndoList failed,  the UndoList was empty.");

  BlockSpec red = Block(0, 10, 20, 6, 5);
  red.huntColorIndex = 3;
  Add_Block(list, red);
  BlockSpec blue = Block(1, 30, 5, 7, 8);
  blue.r = 20;
  blue.g = 40;
  blue.b = 220;
  Add_Block(list, blue);
  ASSERT_TRUE(list.Create_UndoList(err)) << err;
  EXPECT_EQ(list.Get_UndoList().Get_Count(), 2);

  // A list pane shows the regions; restoring drops its views with the regions.
  RegionsListView pane(platform.Messages());
  list.Attach_ComponentView(&pane);
  ASSERT_TRUE(pane.Create_Child_ComponentViews(nullptr, err)) << err;
  EXPECT_EQ(pane.Get_Child_ComponentViews_List()->Get_Count(), 2);

  Add_Block(list, Block(2, 0, 0, 3, 3));
  std::vector<RegionSubject*> previous;
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(list.Restore_from_UndoList(err)) << err;
    EXPECT_EQ(pane.Get_Child_ComponentViews_List()->Get_Count(), 0);
    std::vector<RegionSubject*> regions = Regions_Of(list);
    ASSERT_EQ(regions.size(), 2u);
    EXPECT_EQ(regions[0]->Get_Separation_ID(), 0);
    EXPECT_EQ(regions[0]->Get_Hunt_Color_Index(), 3);
    EXPECT_EQ(regions[0]->Get_Current_Descriptor().frame.Get_Position().x, 10);
    EXPECT_EQ(Pixel_At(*regions[0]->Get_Region_Map(), 5, 4), (Rgb{200, 100, 50}));
    EXPECT_EQ(regions[1]->Get_Separation_ID(), 1);
    EXPECT_EQ(regions[1]->Get_Current_Descriptor().frame.Get_Width(), 7);
    EXPECT_EQ(Pixel_At(*regions[1]->Get_Region_Map(), 6, 7), (Rgb{20, 40, 220}));
    // Fresh copies each time: the undo clones stay in the undo list.
    EXPECT_EQ(list.Get_UndoList().Get_Count(), 2);
    EXPECT_NE(regions[0], list.Get_UndoList().Get_First());
    if (!previous.empty()) {
      EXPECT_NE(regions[0], previous[0]);
    }
    previous = regions;
    ASSERT_TRUE(pane.Create_Child_ComponentViews(nullptr, err));
  }
  list.Detach_ComponentView(&pane);
  pane.Detach_All_Child_ComponentViews();
}

TEST_F(RegionListTest, DeletingAllRegionsDeletesTheirFilesAndWhitensTheMaps) {
  TempDir dir;
  std::string err;
  ASSERT_TRUE(renderMan.Alloc_Support_Bitmaps_for_Image_Creation(20, 30, err)) << err;
  renderMan.Get_Subtract_Map()->Fill(0);
  renderMan.Get_Layered_Map()->Fill(0);

  list.filesBitmapMode = 0;
  RegionSubject* a = Add_Block(list, Block(0, 0, 0, 4, 4));
  RegionSubject* b = Add_Block(list, Block(1, 0, 0, 4, 4));
  a->Get_Auto_Descriptor().bitmapPath = dir.File("a.bmp");
  b->Get_Auto_Descriptor().bitmapPath = dir.File("b.bmp");
  b->Get_Scanned_Descriptor().bitmapPath = dir.File("b_scan.bmp");
  for (const char* name : {"a.bmp", "b.bmp", "b_scan.bmp"}) Write_File_Bytes(dir.File(name), "BM");
  for (int32_t i = 0; i < RegionListSubject::kSeparationNameCount; ++i) list.Set_Separation_Name(i, "s");

  RegionsListView pane(platform.Messages());
  list.Attach_ComponentView(&pane);
  ASSERT_TRUE(pane.Create_Child_ComponentViews(nullptr, err));

  ASSERT_TRUE(list.Delete_All_Regions_and_Bitmap_Files(err)) << err;
  EXPECT_FALSE(list.Has_Regions());
  EXPECT_EQ(pane.Get_Child_ComponentViews_List()->Get_Count(), 0);
  for (const char* name : {"a.bmp", "b.bmp", "b_scan.bmp"}) EXPECT_FALSE(File_Exists(dir.File(name))) << name;
  EXPECT_EQ(list.Get_Separation_Name(0), "");
  EXPECT_EQ(list.Get_Separation_Name(8), "s");
  EXPECT_EQ(Pixel_At(*renderMan.Get_Subtract_Map(), 29, 19), (Rgb{255, 255, 255}));
  EXPECT_EQ(Pixel_At(*renderMan.Get_Layered_Map(), 0, 0), (Rgb{255, 255, 255}));
  list.Detach_ComponentView(&pane);

  // A bitmap file that is gone stops the deletion with its text.
  RegionSubject* c = Add_Block(list, Block(0, 0, 0, 4, 4));
  c->Get_Auto_Descriptor().bitmapPath = dir.File("missing.bmp");
  EXPECT_FALSE(list.Delete_All_Regions_and_Bitmap_Files(err));
  EXPECT_EQ(err,
            "RegionListSubject::Delete_All_Regions_and_Bitmap_Files  failed, could not delete AutoSep Source "
            "BMP file.");
  c->Get_Auto_Descriptor().bitmapPath = dir.File("c.bmp");
  Write_File_Bytes(dir.File("c.bmp"), "BM");
  c->Get_Scanned_Descriptor().bitmapPath = dir.File("missing.bmp");
  EXPECT_FALSE(list.Delete_All_Regions_and_Bitmap_Files(err));
  EXPECT_EQ(err,
            "RegionListSubject::Delete_All_Regions_and_Bitmap_Files  failed, could not delete SCANNED24bit "
            "Source BMP file.");

  // Regions carried inline in the list file have no files of their own.
  list.filesBitmapMode = 1;
  Write_File_Bytes(dir.File("c.bmp"), "BM");
  ASSERT_TRUE(list.Delete_All_Regions_and_Bitmap_Files(err)) << err;
  EXPECT_TRUE(File_Exists(dir.File("c.bmp")));
}

TEST_F(RegionListTest, FindsRegionsByNameParentAndOverlap) {
  RegionSubject* a = Add_Block(list, Block(0, 0, 0, 10, 10));   // centroid (5, 5)
  RegionSubject* b = Add_Block(list, Block(0, 40, 0, 10, 10));  // centroid (45, 5)
  RegionSubject* c = Add_Block(list, Block(0, 9, 9, 10, 10));   // overlaps a at (9, 9)
  RegionSubject* d = Add_Block(list, Block(0, 50, 50, 4, 4));   // centroid (52, 52)
  a->Get_Auto_Descriptor().bitmapPath = "C:\\work\\Subs\\xSub_5-5_sep0.bmp";
  b->Get_Auto_Descriptor().bitmapPath = "xSub_45-5_sep0.bmp";
  for (RegionSubject* r : {a, b, c}) r->Get_Auto_Descriptor().parentPath = "C:\\work\\SEP0.BMP";
  d->Get_Auto_Descriptor().parentPath = "/other/sep1.bmp";

  EXPECT_EQ(list.Find_Region_by_Bitmap_FileName("XSUB_5-5_SEP0.bmp"), a);
  EXPECT_EQ(list.Find_Region_by_Bitmap_FileName("xSub_45-5_sep0.bmp"), b);
  EXPECT_EQ(list.Find_Region_by_Bitmap_FileName("xSub_1-1_sep0.bmp"), nullptr);

  std::string err;
  // Nearest by centroid among the children of sep0.bmp (d is of another parent).
  EXPECT_EQ(list.Find_Nearest_SubRegion_of_Parent(*d, "/elsewhere/sep0.bmp", err), b);
  EXPECT_EQ(list.Find_Nearest_SubRegion_of_Parent(*b, "sep0.bmp", err), b);
  EXPECT_EQ(list.Find_Nearest_SubRegion_of_Parent(*a, "sep9.bmp", err), nullptr);

  // a is overlapped by the later c; c and b are not overlapped later on.
  EXPECT_FALSE(list.Is_Free_of_Latter_Overlaps(*a));
  EXPECT_TRUE(list.Is_Free_of_Latter_Overlaps(*b));
  EXPECT_TRUE(list.Is_Free_of_Latter_Overlaps(*c));
  // Touching edges are no overlap: e ends where f begins.
  RegionListSubject touching(renderMan);
  RegionSubject* e = Add_Block(touching, Block(0, 0, 0, 10, 10));
  Add_Block(touching, Block(0, 10, 0, 10, 10));
  EXPECT_TRUE(touching.Is_Free_of_Latter_Overlaps(*e));
}

TEST_F(RegionListTest, SubtractionStopsAtTheStopSeparationOrRegion) {
  // The target holds the regions' own colour everywhere: a region taken out
  // leaves white where it lies.
  OffMap target(40, 10, 24);
  auto reset = [&] {
    for (int32_t y = 0; y < 10; ++y)
      for (int32_t x = 0; x < 40; ++x) target.Set_Pixel(x, y, 200, 100, 50);
  };
  const Rgb white{255, 255, 255}, untouched{200, 100, 50};
  RectLong all;
  all.left = all.top = all.right = all.bottom = -1;

  RegionSubject* a = Add_Block(list, Block(0, 0, 0, 10, 10));
  Add_Block(list, Block(0, 10, 0, 10, 10));
  RegionSubject* c = Add_Block(list, Block(1, 20, 0, 10, 10));
  Add_Block(list, Block(2, 30, 0, 10, 10));

  std::string err;
  int32_t count = -1;
  reset();
  ASSERT_TRUE(list.Subtract_Regions_from_Offmap(target, true, nullptr, 1, all, count, err)) << err;
  EXPECT_EQ(count, 2);
  EXPECT_EQ(Pixel_At(target, 0, 0), white);
  EXPECT_EQ(Pixel_At(target, 19, 9), white);
  EXPECT_EQ(Pixel_At(target, 20, 0), untouched);

  reset();
  ASSERT_TRUE(list.Subtract_Regions_from_Offmap(target, true, c, -1, all, count, err));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(Pixel_At(target, 25, 5), untouched);

  // Without a stop: every sub-region but the one of render style 2; with a
  // rectangle only those that overlap it.
  c->Set_Render_Style(2);
  reset();
  ASSERT_TRUE(list.Subtract_Regions_from_Offmap(target, true, nullptr, -1, all, count, err));
  EXPECT_EQ(count, 3);
  EXPECT_EQ(Pixel_At(target, 25, 5), untouched);
  EXPECT_EQ(Pixel_At(target, 39, 9), white);
  RectLong middle;
  middle.left = 15;
  middle.top = 0;
  middle.right = 31;
  middle.bottom = 10;
  reset();
  ASSERT_TRUE(list.Subtract_Regions_from_Offmap(target, true, nullptr, -1, middle, count, err));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(Pixel_At(target, 5, 5), untouched);

  // Separation regions only when asked for.
  reset();
  ASSERT_TRUE(list.Subtract_Regions_from_Offmap(target, false, nullptr, -1, all, count, err));
  EXPECT_EQ(count, 0);

  // On an unsorted list that starts with a later separation nothing is taken out.
  RegionListSubject unsorted(renderMan);
  Add_Block(unsorted, Block(3, 0, 0, 10, 10));
  Add_Block(unsorted, Block(0, 10, 0, 10, 10));
  reset();
  ASSERT_TRUE(unsorted.Subtract_Regions_from_Offmap(target, true, nullptr, 1, all, count, err));
  EXPECT_EQ(count, 0);
  EXPECT_EQ(Pixel_At(target, 15, 5), untouched);

  // A region the walk never reaches needs no map; one it reaches does.
  region_test::Drop_Region_Map(*Regions_Of(list)[3]);
  ASSERT_TRUE(list.Subtract_Regions_from_Offmap(target, true, nullptr, 2, all, count, err)) << err;
  region_test::Drop_Region_Map(*a);
  EXPECT_FALSE(list.Subtract_Regions_from_Offmap(target, true, nullptr, -1, all, count, err));
  EXPECT_EQ(err, "RegionListSubject::Subtract_Regions_from_Offmap failed,  regionsBitMap is NULL.");
}

TEST_F(RegionListTest, OneSeparationTakenOutAfterTheEarlierOnesEqualsTheWalkUpToTheNext) {
  // Overlapping blocks of different colours, sorted by separation; of
  // separation 1 a separation region and one of render style 2 are left out.
  const auto block = [](int16_t separation, int32_t x, int16_t r, int16_t g, int16_t b) {
    BlockSpec shape = Block(separation, x, 1, 12, 6);
    shape.r = r;
    shape.g = g;
    shape.b = b;
    return shape;
  };
  Add_Block(list, block(0, 0, 250, 120, 40));
  Add_Block(list, block(1, 5, 90, 200, 230));
  Add_Block(list, block(1, 9, 240, 30, 160));
  BlockSpec separation = block(1, 2, 10, 10, 10);
  separation.subRegion = false;
  Add_Block(list, separation);
  Add_Block(list, block(1, 14, 10, 10, 10))->Set_Render_Style(2);
  region_test::Drop_Region_Map(*Add_Block(list, block(2, 3, 100, 100, 100)));  // never reached
  const auto source = [] {
    auto map = std::make_unique<OffMap>(30, 8, 24);
    for (int32_t y = 0; y < 8; ++y)
      for (int32_t x = 0; x < 30; ++x)
        map->Set_Pixel(x, y, static_cast<int16_t>(8 * x), static_cast<int16_t>(30 * y), 180);
    return map;
  };
  RectLong all;
  all.left = all.top = all.right = all.bottom = -1;
  std::string err;
  int32_t count = -1;
  std::unique_ptr<OffMap> stepwise = source();
  ASSERT_TRUE(list.Subtract_Regions_from_Offmap(*stepwise, true, nullptr, 1, all, count, err)) << err;
  ASSERT_TRUE(list.Subtract_Separation_SubRegions_from_Offmap(*stepwise, 1, count, err)) << err;
  EXPECT_EQ(count, 2);
  std::unique_ptr<OffMap> whole = source();
  ASSERT_TRUE(list.Subtract_Regions_from_Offmap(*whole, true, nullptr, 2, all, count, err)) << err;
  EXPECT_EQ(count, 3);
  EXPECT_EQ(
      std::memcmp(stepwise->Get_Bits(), whole->Get_Bits(), static_cast<size_t>(whole->Get_Image_Bytes())), 0);
  EXPECT_EQ(Pixel_At(*whole, 10, 3), (Rgb{255, 255, 255}));

  // A separation region of the separation needs its map too; a child that
  // is not a region is refused.
  region_test::Drop_Region_Map(*Regions_Of(list)[3]);
  EXPECT_FALSE(list.Subtract_Separation_SubRegions_from_Offmap(*stepwise, 1, count, err));
  EXPECT_EQ(err, "RegionListSubject::Subtract_Regions_from_Offmap failed,  regionsBitMap is NULL.");
  RegionListSubject mixed(renderMan);
  mixed.Get_Children_List().Add_To_Tail(new OtherSubject);
  EXPECT_FALSE(mixed.Subtract_Separation_SubRegions_from_Offmap(*stepwise, 1, count, err));
  EXPECT_EQ(
      err, "RegionListSubject::Subtract_Regions_from_Offmap failed,  can not dynamic_cast to RegionSubject.");
}

TEST_F(RegionListTest, SubtractionTakesAWholeSeparationAndScalesSubRegionsIntoTheirFrames) {
  OffMap target(8, 6, 24);
  target.Fill(0);
  // A separation region of the target's size at the origin: only its
  // non-white pixels are taken out.
  BlockSpec separation = Block(0, 0, 0, 8, 6);
  separation.subRegion = false;
  separation.r = separation.g = separation.b = 0;
  RegionSubject* whole = Add_Block(list, separation);
  whole->Get_Region_Map()->Set_Pixel(7, 5, 255, 255, 255);
  std::string err;
  int32_t count = 0;
  RectLong all;
  all.left = -1;
  ASSERT_TRUE(list.Subtract_Regions_from_Offmap(target, false, nullptr, -1, all, count, err)) << err;
  EXPECT_EQ(count, 1);
  EXPECT_EQ(Pixel_At(target, 0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(Pixel_At(target, 7, 5), (Rgb{0, 0, 0}));

  // A 2 x 2 map stretched over a 4 x 4 frame at (2, 1).
  RegionListSubject scaled(renderMan);
  BlockSpec small = Block(0, 2, 1, 2, 2);
  small.r = small.g = small.b = 0;
  RegionSubject* region = Add_Block(scaled, small);
  region->Get_Auto_Descriptor().frame.Set_Size(4, 4);
  target.Fill(0);
  ASSERT_TRUE(scaled.Subtract_Regions_from_Offmap(target, true, nullptr, -1, all, count, err));
  EXPECT_EQ(Pixel_At(target, 2, 1), (Rgb{255, 255, 255}));
  EXPECT_EQ(Pixel_At(target, 5, 4), (Rgb{255, 255, 255}));
  EXPECT_EQ(Pixel_At(target, 6, 4), (Rgb{0, 0, 0}));
  EXPECT_EQ(Pixel_At(target, 1, 1), (Rgb{0, 0, 0}));
}

TEST_F(RegionListTest, PaletteOfTheSeparationRows) {
  int16_t palette[RegionListSubject::kPaletteSize];
  bool grey = true;
  std::string err;
  EXPECT_FALSE(list.Make_List_of_Colors_In_Images_Palette(3, palette, grey, err));
  EXPECT_EQ(
      err,
      "RegionListSubject::Make_List_of_Colors_In_Images_Palette  FAILED,  RegionList contains no regions.");

  const int16_t indexes[3] = {4, 11, 2};
  for (int16_t id = 0; id < 3; ++id) {
    BlockSpec block = Block(id, 0, 0, 4, 4);
    block.huntColorIndex = indexes[id];
    Add_Block(list, block);
    Add_Block(list, block);
  }
  EXPECT_FALSE(list.Make_List_of_Colors_In_Images_Palette(9, palette, grey, err));
  EXPECT_EQ(
      err, "RegionListSubject::Make_List_of_Colors_In_Images_Palette  FAILED,  colorCount is out of bounds.");
  ASSERT_TRUE(list.Make_List_of_Colors_In_Images_Palette(3, palette, grey, err)) << err;
  EXPECT_EQ(std::vector<int16_t>(palette, palette + 8), (std::vector<int16_t>{4, 11, 2, -9, -9, -9, -9, -9}));
  EXPECT_FALSE(grey);
  EXPECT_TRUE(platform.Messages().Texts().empty());

  // A stray id and a row whose regions disagree are reported once; a grey
  // row among chromatic ones makes the palette fail.
  BlockSpec stray = Block(9, 0, 0, 4, 4);
  Add_Block(list, stray);
  BlockSpec conflict = Block(1, 0, 0, 4, 4);
  conflict.huntColorIndex = 12;
  Add_Block(list, conflict);
  BlockSpec greyRow = Block(3, 0, 0, 4, 4);
  greyRow.huntColorIndex = 25;
  Add_Block(list, greyRow);
  EXPECT_FALSE(list.Make_List_of_Colors_In_Images_Palette(3, palette, grey, err));
  EXPECT_EQ(
      err,
      "RegionListSubject::Make_List_of_Colors_In_Images_Palette  FAILED,  has BOTH Grey and RGB colors.");
  EXPECT_EQ(platform.Messages().Texts(),
            (std::vector<std::string>{
                "RegionListSubject::Make_List_of_Colors_In_Images_Palette  Had a minor error"}));

  RegionListSubject greys(renderMan);
  greyRow.separationID = 0;
  Add_Block(greys, greyRow);
  grey = false;
  ASSERT_TRUE(greys.Make_List_of_Colors_In_Images_Palette(1, palette, grey, err));
  EXPECT_TRUE(grey);
  EXPECT_EQ(palette[0], 25);
}

TEST_F(RegionListTest, SeparationColoursAreListedOnceInTheOrderMet) {
  BlockSpec red = Block(0, 0, 0, 4, 4);
  red.r = 255, red.g = 0, red.b = 0, red.huntColorIndex = 1;
  BlockSpec green = Block(1, 0, 0, 4, 4);
  green.r = 0, green.g = 128, green.b = 0, green.huntColorIndex = 9;
  Add_Block(list, green);
  Add_Block(list, red);
  Add_Block(list, green);
  BlockSpec skipped = red;
  skipped.r = 1;
  Add_Block(list, skipped)->Set_Render_Style(2);
  skipped.r = 2;
  skipped.subRegion = false;
  Add_Block(list, skipped);

  ListMemry<kvColorRef> colors;
  ASSERT_EQ(list.Create_List_of_Original_Separations_Colors(colors), 2);
  std::string greenName, redName;
  Get_StandardColors_Nickname(9, greenName);
  Get_StandardColors_Nickname(1, redName);
  EXPECT_EQ(colors.Get_Nth(0)->color, 0x008000u);
  EXPECT_EQ(colors.Get_Nth(0)->word, 0u);
  EXPECT_EQ(colors.Get_Nth(0)->name, greenName);
  EXPECT_EQ(colors.Get_Nth(1)->color, 0x0000FFu);
  EXPECT_EQ(colors.Get_Nth(1)->name, redName);
  EXPECT_FALSE(redName.empty());
}

TEST_F(RegionListTest, EnlargingFramesKeepsThemCentred) {
  std::string err;
  EXPECT_FALSE(list.Enlarge_All_Region_Frames(err));
  EXPECT_EQ(err, "The region list is empty.");
  RegionSubject* region = Add_Block(list, Block(0, 100, 50, 40, 21));
  ASSERT_TRUE(list.Enlarge_All_Region_Frames(err)) << err;
  const Graphic& frame = region->Get_Current_Descriptor().frame;
  EXPECT_EQ(frame.Get_Position().x, 98);
  EXPECT_EQ(frame.Get_Position().y, 49);
  EXPECT_EQ(frame.Get_Width(), 44);
  EXPECT_EQ(frame.Get_Height(), 23);
}

TEST_F(RegionListTest, ListPaneMakesViewsForTheRegionsOfItsDrawCode) {
  std::string err;
  RegionsListView pane(platform.Messages());
  EXPECT_FALSE(pane.Create_Child_ComponentViews(nullptr, err));
  EXPECT_EQ(err, "RegionsListView::Create_Child_ComponentViews(),   no Subject.");

  Add_Block(list, Block(0, 0, 0, 4, 4));
  BlockSpec separation = Block(0, 0, 0, 4, 4);
  separation.subRegion = false;
  Add_Block(list, separation);
  list.Attach_ComponentView(&pane);
  // The "Region OBJECTS" pane shows sub-regions only.
  ASSERT_TRUE(pane.Create_Child_ComponentViews(nullptr, err)) << err;
  EXPECT_EQ(pane.Get_Child_ComponentViews_List()->Get_Count(), 1);

  RegionsListView all(platform.Messages());
  all.Set_Draw_Code(RegionView::kDrawMaps);
  list.Attach_ComponentView(&all);
  ASSERT_TRUE(all.Create_Child_ComponentViews(nullptr, err));
  EXPECT_EQ(all.Get_Child_ComponentViews_List()->Get_Count(), 2);
  for (RegionSubject* region : Regions_Of(list))
    EXPECT_EQ(region->Get_ComponentViews_List().Get_Count(), region->Is_SubRegion() ? 2 : 1);

  // A leaf subject has no children to show.
  RegionsListView onRegion(platform.Messages());
  Regions_Of(list)[0]->Attach_ComponentView(&onRegion);
  EXPECT_FALSE(onRegion.Create_Child_ComponentViews(nullptr, err));
  EXPECT_EQ(err, "RegionsListView::Create_Child_ComponentViews(),   this is NOT a Composite(multi ) view.");
  Regions_Of(list)[0]->Detach_ComponentView(&onRegion);
  list.Detach_ComponentView(&pane);
  list.Detach_ComponentView(&all);

  // Rendering needs a frame artist.
  pane.Render_Animation_Frame(nullptr, platform.Messages());
  EXPECT_EQ(
      platform.Messages().Texts(),
      (std::vector<std::string>{"RegionsListView::Render_Animation_Frame  failed,  frameArtist is NULL."}));
}

TEST_F(RegionListTest, ListPaneRendersTheRegionsOfItsDrawCode) {
  std::string err;
  Add_Block(list, Block(0, 2, 2, 4, 4));
  BlockSpec second = Block(1, 10, 2, 4, 4);
  second.r = 10, second.g = 20, second.b = 30;
  Add_Block(list, second);
  RegionsListView pane(platform.Messages());
  pane.Set_Draw_Code(RegionView::kDrawMaps);
  list.Attach_ComponentView(&pane);
  ASSERT_TRUE(pane.Create_Child_ComponentViews(nullptr, err)) << err;
  pane.Get_Graphic().Set_Rect(Make_RectLong(0, 0, 19, 9));
  ASSERT_TRUE(pane.Make_Bitmap(20, 10, err)) << err;
  OffMap ground(20, 10, 24);
  for (int32_t y = 0; y < 10; ++y)
    for (int32_t x = 0; x < 20; ++x) ground.Set_Pixel(x, y, 1, 2, 3);
  pane.Set_FrameArtist(std::make_unique<MapArtist>(&ground));
  const OffMap& memory = *pane.Get_Memory_Map();
  const Rgb white{255, 255, 255}, first{200, 100, 50}, other{10, 20, 30}, map{1, 2, 3};

  // Code 7: every region's map on white.
  pane.Render_Animation_Frame(nullptr, platform.Messages());
  EXPECT_EQ(Pixel_At(memory, 3, 3), first);
  EXPECT_EQ(Pixel_At(memory, 11, 3), other);
  EXPECT_EQ(Pixel_At(memory, 0, 0), white);
  EXPECT_EQ(Pixel_At(memory, 19, 9), white);

  // Code 3: the artist's map under the regions, which draw nothing by it.
  pane.Set_Draw_Code(RegionsListView::kDrawCodeWithMap);
  pane.Render_Animation_Frame(nullptr, platform.Messages());
  EXPECT_EQ(Pixel_At(memory, 3, 3), map);
  EXPECT_EQ(Pixel_At(memory, 11, 3), map);
  EXPECT_EQ(Pixel_At(memory, 19, 9), map);

  // Code 4 with pane parameter 2: the maps of separation 1 only.
  pane.Set_Draw_Code(RegionView::kDrawCentroids);
  pane.Set_Pane_Parameter(2);
  pane.Render_Animation_Frame(nullptr, platform.Messages());
  EXPECT_EQ(Pixel_At(memory, 3, 3), white);
  EXPECT_EQ(Pixel_At(memory, 11, 3), other);
  EXPECT_TRUE(platform.Messages().Texts().empty());
  list.Detach_ComponentView(&pane);
}
