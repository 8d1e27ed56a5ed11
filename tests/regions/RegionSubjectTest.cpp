// The region object: separation regions, the sub-region cut, copies, move
// and resize, accessors and point mappings, file records, the mask rebuilt
// from the parent file, the kindred-file search, toggling and attaching
// bitmaps.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "RegionTestMaps.h"
#include "regions/RegionFileRecords.h"
#include "regions/RegionSubject.h"
#include "regions/RegionView.h"
#include "render/ImageFiles.h"
#include "support/TestSupport.h"
#include "views/Commands.h"
#include "views/ListComponentSubject.h"

using namespace region_test;

namespace {

const Color kInk{40, 80, 160};

class RegionSubjectTest : public ::testing::Test {
 protected:
  TestPlatform platform;
  std::string err;

  // The in-memory separation region of `map`, named "MEM-ASep_test.bmp".
  std::unique_ptr<RegionSubject> Separation(std::unique_ptr<OffMap> map, int16_t colorIndex = 7) {
    auto region = RegionSubject::Create_Region_from_Separation_Map(
        err, "/photos/dog.jpg", std::move(map), 1, true, 40, 80, 160, "MEM-ASep_test.bmp", platform.Get());
    if (region != nullptr) region->Set_Hunt_Color_Index(colorIndex);
    return region;
  }

  // Cuts `map` into sub-regions in memory; the regions in scan order.
  std::vector<RegionSubject*> Cut(std::unique_ptr<OffMap> map, int32_t minPixels = 1, bool fullSize = false) {
    separation = Separation(std::move(map));
    std::vector<RegionSubject*> regions;
    if (separation == nullptr) return regions;
    EXPECT_TRUE(separation->Generate_SubRegions(*separation->Get_Region_Map(), list, minPixels, fullSize, 3,
                                                0, true, counter, platform.Get(), err))
        << err;
    for (ComponentSubject* child : list.Get_Children_List())
      regions.push_back(dynamic_cast<RegionSubject*>(child));
    return regions;
  }

  std::unique_ptr<RegionSubject> separation;
  ListComponentSubject list;
  int16_t counter = 41;
};

// A command of another class carrying one of the drag codes.
class StrangeCommand : public Commandj {
 public:
  explicit StrangeCommand(int16_t code) : m_code(code) {}
  int16_t Get_Property_Code() const override { return m_code; }
  bool Is_Reversible() const override { return false; }
  bool Is_Graphic_Edit() const override { return true; }
  void Prepare_Properties(std::unique_ptr<ClipBoardj> clipboard) override {
    Take_ClipBoard(std::move(clipboard));
  }

 private:
  int16_t m_code;
};

bool Same_Fields(const RegionDescriptorFields& a, const RegionDescriptorFields& b) {
  return a.hueOffset == b.hueOffset && a.satOffset == b.satOffset && a.valOffset == b.valOffset &&
         a.pixelCount == b.pixelCount && a.seedX == b.seedX && a.seedY == b.seedY &&
         a.centroidX == b.centroidX && a.centroidY == b.centroidY && a.color == b.color &&
         a.hidden == b.hidden && a.frameX == b.frameX && a.frameY == b.frameY &&
         a.frameWidth == b.frameWidth && a.frameHeight == b.frameHeight;
}

// Exposes the framework frame kept beside the descriptors.
class ProbeRegion : public RegionSubject {
 public:
  Graphic& Framework_Frame() { return m_graphic; }
};

}  // namespace

// ---------------------------------------------------------------------------
// Separation regions

TEST_F(RegionSubjectTest, SeparationRegionTakesTheMapAndTheHuntColourAsBytes) {
  auto map = Pattern_Map(12, 9);
  const OffMap* raw = map.get();
  auto region = RegionSubject::Create_Region_from_Separation_Map(
      err, "/photos/dog.jpg", std::move(map), 2, true, -2, -1, 30, "MEM-ASep_x.bmp", platform.Get());
  ASSERT_NE(region, nullptr) << err;
  EXPECT_EQ(region->Get_Region_Map(), raw);
  ASSERT_NE(region->Get_Display_Map(), nullptr);
  EXPECT_TRUE(Same_Pixels(*region->Get_Display_Map(), *raw));
  EXPECT_EQ(region->Get_Substitution_Mode(), 1);
  EXPECT_EQ(region->Get_Header_Word(), 64);
  EXPECT_EQ(region->Get_Render_Style(), 2);
  EXPECT_EQ(region->Get_Generation_Code(), RegionSubject::kSeparationRegion);
  EXPECT_FALSE(region->Is_SubRegion());
  EXPECT_EQ(region->Get_Color(), Pack_RGB(254, 255, 30));
  EXPECT_EQ(region->Get_Bitmap_Path(), "MEM-ASep_x.bmp");
  EXPECT_EQ(region->Get_Parent_Path(), "");
  EXPECT_EQ(region->Get_Pixel_Count(), -1);
  RectLong r;
  region->Get_Graphic().Get_Rect(r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, 11);
  EXPECT_EQ(r.bottom, 8);
  EXPECT_EQ(region->Get_Separation_ID(), -1);
  EXPECT_EQ(region->Get_Serial_Number(), -1);

  auto other = RegionSubject::Create_Region_from_Separation_Map(err, "/photos/dog.jpg", White_Map(4, 4), 1,
                                                                true, 1, 2, 3, "s.bmp", platform.Get());
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(other->Get_Render_Style(), 0);
}

TEST_F(RegionSubjectTest, SeparationRegionOnDiskIsSavedBesideTheTarget) {
  TempDir dir;
  auto map = Pattern_Map(10, 6);
  auto region = RegionSubject::Create_Region_from_Separation_Map(
      err, dir.File("dog.jpg"), std::move(map), 1, false, 1, 2, 3, "ASep_x.bmp", platform.Get());
  ASSERT_NE(region, nullptr) << err;
  EXPECT_EQ(region->Get_Bitmap_Path(), dir.Path() + "/ASep_x.bmp");
  std::string path = region->Get_Bitmap_Path();
  bool fileProblem = false;
  auto back = Load_Bitmap_File_Dialog_STATIC(platform.Get(), path, fileProblem, err);
  ASSERT_NE(back, nullptr) << err;
  EXPECT_TRUE(Same_Pixels(*back, *region->Get_Region_Map()));

  // A folder that cannot be written to: no region.
  auto none = RegionSubject::Create_Region_from_Separation_Map(
      err, dir.File("missing/dog.jpg"), Pattern_Map(4, 4), 1, false, 1, 2, 3, "ASep_y.bmp", platform.Get());
  EXPECT_EQ(none, nullptr);
  EXPECT_FALSE(err.empty());
}

// ---------------------------------------------------------------------------
// The sub-region cut

TEST_F(RegionSubjectTest, BlobsAreFourConnectedAndNumberedInScanOrder) {
  auto map = White_Map(12, 10);
  Paint_Rect(*map, 1, 1, 2, 2, kInk);  // touches the next block at a corner only
  Paint_Rect(*map, 3, 3, 4, 4, kInk);
  std::vector<RegionSubject*> regions = Cut(std::move(map));
  ASSERT_EQ(regions.size(), 2u);
  EXPECT_EQ(regions[0]->Get_Graphic().Get_Position().x, 1);
  EXPECT_EQ(regions[1]->Get_Graphic().Get_Position().x, 3);
  EXPECT_EQ(regions[0]->Get_Serial_Number(), 41);
  EXPECT_EQ(regions[1]->Get_Serial_Number(), 42);
  EXPECT_EQ(counter, 43);
  for (RegionSubject* r : regions) {
    EXPECT_EQ(r->Get_Separation_ID(), 3);
    EXPECT_EQ(r->Get_Hunt_Color_Index(), 7);
    EXPECT_EQ(r->Get_Header_Word(), 64);
    EXPECT_EQ(r->Get_Generation_Code(), RegionSubject::kSubRegion);
    EXPECT_EQ(r->Get_Substitution_Mode(), 1);
    EXPECT_EQ(r->Get_Pixel_Count(), 4);
    EXPECT_EQ(r->Get_Color(), Pack_RGB(kInk.r, kInk.g, kInk.b));
    EXPECT_EQ(r->Get_Parent_Path(), "MEM-ASep_test.bmp");
    EXPECT_EQ(r->Get_ComponentViews_List().Get_Count(), 0);
    EXPECT_EQ(r->Get_Parent_ScalepitchList(err), &list);
  }
  EXPECT_TRUE(platform.Messages().Texts().empty());
}

TEST_F(RegionSubjectTest, RowZeroSeedsNothingButABlobReachingItIsFoundWhole) {
  auto map = White_Map(8, 8);
  Paint_Rect(*map, 2, 0, 4, 3, kInk);
  std::vector<RegionSubject*> regions = Cut(std::move(map));
  ASSERT_EQ(regions.size(), 1u);
  RegionSubject& r = *regions[0];
  EXPECT_EQ(r.Get_Seed_Point().x, 2);
  EXPECT_EQ(r.Get_Seed_Point().y, 1);
  EXPECT_EQ(r.Get_Graphic().Get_Position().y, 0);
  EXPECT_EQ(r.Get_Graphic().Get_Height(), 4);
  EXPECT_EQ(r.Get_Pixel_Count(), 12);
}

TEST_F(RegionSubjectTest, MinimumPixelCountKeepsExactlyTheMinimum) {
  auto map = White_Map(14, 8);
  Paint_Rect(*map, 1, 1, 2, 3, kInk);  // 6 pixels
  Paint_Rect(*map, 6, 1, 7, 3, kInk);
  map->Set_Pixel(7, 3, 255, 255, 255);  // 5 pixels
  std::vector<RegionSubject*> regions = Cut(std::move(map), 6);
  ASSERT_EQ(regions.size(), 1u);
  EXPECT_EQ(regions[0]->Get_Graphic().Get_Position().x, 1);
  EXPECT_EQ(regions[0]->Get_Pixel_Count(), 6);
  EXPECT_EQ(counter, 42);
  EXPECT_TRUE(platform.Messages().Texts().empty());
}

TEST_F(RegionSubjectTest, LinesOneOrTwoPixelsWide) {
  auto thin = White_Map(10, 402);
  Paint_Rect(*thin, 4, 1, 4, 400, kInk);
  EXPECT_TRUE(Cut(std::move(thin)).empty());

  list.Get_Children_List().Delete_All();
  auto two = White_Map(10, 402);
  Paint_Rect(*two, 4, 1, 5, 400, kInk);
  std::vector<RegionSubject*> regions = Cut(std::move(two));
  ASSERT_EQ(regions.size(), 1u);
  EXPECT_EQ(regions[0]->Get_Graphic().Get_Width(), 2);
  EXPECT_EQ(regions[0]->Get_Graphic().Get_Height(), 400);

  list.Get_Children_List().Delete_All();
  auto twoFull = White_Map(10, 402);
  Paint_Rect(*twoFull, 4, 1, 5, 400, kInk);
  EXPECT_TRUE(Cut(std::move(twoFull), 1, true).empty());
}

TEST_F(RegionSubjectTest, FullSizeRegionsSpanTheSeparation) {
  auto map = White_Map(20, 12);
  Paint_Rect(*map, 5, 4, 7, 6, kInk);
  std::vector<RegionSubject*> regions = Cut(std::move(map), 1, true);
  ASSERT_EQ(regions.size(), 1u);
  RegionSubject& r = *regions[0];
  EXPECT_EQ(r.Get_Region_Map()->Get_Width(), 20);
  EXPECT_EQ(r.Get_Region_Map()->Get_Height(), 12);
  EXPECT_EQ(r.Get_Graphic().Get_Position().x, 0);
  EXPECT_EQ(r.Get_Graphic().Get_Width(), 20);
  EXPECT_EQ(Pixel(*r.Get_Region_Map(), 5, 4), kInk);
  EXPECT_EQ(Pixel(*r.Get_Region_Map(), 4, 4), (Color{255, 255, 255}));
  EXPECT_EQ(r.Get_CentroidX(), 6);
  EXPECT_EQ(r.Get_CentroidY(), 5);
  EXPECT_EQ(r.Get_Bitmap_Path(), "xSub_6-5_MEM-ASep_test.bmp");
}

TEST_F(RegionSubjectTest, CentroidNameAndMapOfAnLShapedBlob) {
  auto map = White_Map(10, 8);
  Paint_Rect(*map, 3, 2, 3, 5, kInk);
  Paint_Rect(*map, 4, 5, 6, 5, Color{90, 20, 20});
  std::vector<RegionSubject*> regions = Cut(std::move(map));
  ASSERT_EQ(regions.size(), 1u);
  RegionSubject& r = *regions[0];
  // Relative x sum 6 and y sum 15 over 7 pixels.
  EXPECT_EQ(r.Get_CentroidX(), 0);
  EXPECT_EQ(r.Get_CentroidY(), 2);
  int32_t cx = 0, cy = 0;
  r.Get_Centroid_Point(cx, cy);
  EXPECT_EQ(cx, 3);
  EXPECT_EQ(cy, 4);
  EXPECT_EQ(r.Get_Bitmap_Path(), "xSub_3-4_MEM-ASep_test.bmp");
  EXPECT_EQ(r.Get_Region_Map()->Get_Width(), 4);
  EXPECT_EQ(r.Get_Region_Map()->Get_Height(), 4);
  EXPECT_EQ(Pixel(*r.Get_Region_Map(), 0, 0), kInk);
  EXPECT_EQ(Pixel(*r.Get_Region_Map(), 3, 3), (Color{90, 20, 20}));
  EXPECT_EQ(Pixel(*r.Get_Region_Map(), 1, 0), (Color{255, 255, 255}));
  // The seed colour is the region's colour.
  EXPECT_EQ(r.Get_Color(), Pack_RGB(kInk.r, kInk.g, kInk.b));
  EXPECT_TRUE(Same_Pixels(*r.Get_Display_Map(), *r.Get_Region_Map()));
}

TEST_F(RegionSubjectTest, SaturationOffsetIsShownAtOnce) {
  separation = Separation(White_Map(8, 8));
  Paint_Rect(*separation->Get_Region_Map(), 2, 2, 4, 4, kInk);
  ASSERT_TRUE(separation->Generate_SubRegions(*separation->Get_Region_Map(), list, 1, false, 0, -60, true,
                                              counter, platform.Get(), err));
  auto* r = dynamic_cast<RegionSubject*>(list.Get_Children_List().Get_First());
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->Get_Auto_Descriptor().satOffset, -60);
  Color expected;
  r->Get_Region_Map()->Get_Pixel_ColorModified(0, 0, 0, -60, 0, expected.r, expected.g, expected.b);
  EXPECT_NE(expected, kInk);
  EXPECT_EQ(Pixel(*r->Get_Display_Map(), 0, 0), expected);
}

TEST_F(RegionSubjectTest, SubRegionsOnDiskGoToTheSubsFolderAndRebuildTheirMask) {
  TempDir dir;
  auto map = White_Map(12, 10);
  Paint_Rect(*map, 3, 2, 3, 5, kInk);
  Paint_Rect(*map, 4, 5, 6, 5, kInk);
  separation = RegionSubject::Create_Region_from_Separation_Map(
      err, dir.File("dog.jpg"), std::move(map), 1, false, 40, 80, 160, "ASep_t.bmp", platform.Get());
  ASSERT_NE(separation, nullptr) << err;
  ASSERT_TRUE(separation->Generate_SubRegions(*separation->Get_Region_Map(), list, 1, false, 0, 0, false,
                                              counter, platform.Get(), err));
  auto* r = dynamic_cast<RegionSubject*>(list.Get_Children_List().Get_First());
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->Get_Bitmap_Path(), dir.Path() + "/Subs/xSub_3-4_ASep_t.bmp");
  EXPECT_EQ(r->Get_Parent_Path(), dir.Path() + "/ASep_t.bmp");
  std::string path = r->Get_Bitmap_Path();
  bool fileProblem = false;
  auto saved = Load_Bitmap_File_Dialog_STATIC(platform.Get(), path, fileProblem, err);
  ASSERT_NE(saved, nullptr) << err;
  EXPECT_TRUE(Same_Pixels(*saved, *r->Get_Region_Map()));

  RectShrt rect;
  auto mask = r->Make_Maskmap_From_SUBregion(rect, platform.Get(), err);
  ASSERT_NE(mask, nullptr) << err;
  EXPECT_EQ(mask->Get_Depth(), 1);
  EXPECT_EQ(rect.left, 3);
  EXPECT_EQ(rect.top, 2);
  EXPECT_EQ(rect.right, 6);
  EXPECT_EQ(rect.bottom, 5);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 4; ++x)
      EXPECT_EQ(mask->Is_Pixel_Red_Value(x, y, 0),
                !(Pixel(*r->Get_Region_Map(), x, y) == Color{255, 255, 255}))
          << x << "," << y;
}

TEST_F(RegionSubjectTest, ParentNamesWithBackslashesAndFailingBlobs) {
  separation = Separation(White_Map(8, 8));
  separation->Get_Auto_Descriptor().bitmapPath = "C:\\work\\sep.bmp";
  Paint_Rect(*separation->Get_Region_Map(), 2, 2, 3, 3, kInk);
  ASSERT_TRUE(separation->Generate_SubRegions(*separation->Get_Region_Map(), list, 1, false, 0, 0, true,
                                              counter, platform.Get(), err));
  auto* r = dynamic_cast<RegionSubject*>(list.Get_Children_List().Get_First());
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->Get_Bitmap_Path(), "xSub_2-2_sep.bmp");

  // Sub-regions that cannot be saved are reported one by one and the scan
  // goes on.
  list.Get_Children_List().Delete_All();
  Paint_Rect(*separation->Get_Region_Map(), 5, 5, 6, 6, kInk);
  separation->Get_Auto_Descriptor().bitmapPath = "/proc/no-such-folder/sep.bmp";
  EXPECT_TRUE(separation->Generate_SubRegions(*separation->Get_Region_Map(), list, 1, false, 0, 0, false,
                                              counter, platform.Get(), err));
  EXPECT_EQ(list.Get_Children_List().Get_Count(), 0);
  EXPECT_EQ(platform.Messages().Texts().size(), 2u);

  // Without a bitmap path the parent path is reported as empty.
  platform.Messages().Clear();
  separation->Get_Auto_Descriptor().bitmapPath.clear();
  EXPECT_TRUE(separation->Generate_SubRegions(*separation->Get_Region_Map(), list, 1, false, 0, 0, true,
                                              counter, platform.Get(), err));
  ASSERT_FALSE(platform.Messages().Texts().empty());
  EXPECT_EQ(platform.Messages().Texts()[0],
            "RegionSubject::Get_Current_Bitmaps_Path  failed,  file path is empty.");
}

TEST_F(RegionSubjectTest, SeedFillRefusesNegativeSeedsAndAveragesWithoutTheAutoFlag) {
  auto map = White_Map(8, 8);
  Paint_Rect(*map, 2, 2, 3, 3, Color{100, 100, 100});
  map->Set_Pixel(3, 3, 20, 40, 60);
  OffMap visited(8, 8, 8);
  visited.Fill(255);
  auto none = RegionSubject::SeedFill_Create_New_Region(*map, -1, 3, nullptr, 0, 0, 0, 1, visited, "p.bmp",
                                                        true, false, true, platform.Get(), err);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(err, "RegionSubject::SeedFill_Create_New_Region  failed, x or y coord is off the bitmap.");

  RegionSubject parent;
  parent.Set_Substitution_Mode(1);
  parent.Get_Auto_Descriptor().hueOffset = 12;
  parent.Get_Auto_Descriptor().valOffset = -5;
  auto r = RegionSubject::SeedFill_Create_New_Region(*map, 2, 2, &parent, 1, 2, 3, 1, visited, "p.bmp", false,
                                                     false, true, platform.Get(), err);
  ASSERT_NE(r, nullptr) << err;
  EXPECT_EQ(r->Get_Substitution_Mode(), 0);
  EXPECT_EQ(&r->Get_Current_Descriptor(), &r->Get_Scanned_Descriptor());
  EXPECT_EQ(r->Get_Color(), Pack_RGB(80, 85, 90));  // (300 + 20) / 4, ...
  EXPECT_EQ(r->Get_Pixel_Count(), 4);
  EXPECT_EQ(r->Get_Hue_Offset(), 12);
  EXPECT_EQ(r->Get_Val_Offset(), -5);
  EXPECT_EQ(r->Get_Auto_Descriptor().bitmapPath, "");
  // The pixels are taken in the visited map: a second fill finds nothing.
  auto again = RegionSubject::SeedFill_Create_New_Region(*map, 2, 2, nullptr, 1, 2, 3, 1, visited, "p.bmp",
                                                         true, false, true, platform.Get(), err);
  EXPECT_EQ(again, nullptr);
  EXPECT_EQ(err, "");
}

// ---------------------------------------------------------------------------
// Copies

TEST_F(RegionSubjectTest, AssignCopiesEverythingDeeplyAndDropsTheViews) {
  auto source = Region_With_Map(*Pattern_Map(6, 5), 11, 12);
  source->Get_Scanned_Descriptor().bitmapPath = "scan.bmp";
  source->Get_Auto_Descriptor().parentPath = "parent.bmp";
  source->Set_Render_Style(3);
  source->Set_Header_Word(64);
  source->Set_Separation_ID(4);
  source->Set_Hunt_Color_Index(9);
  source->Set_Serial_Number(300);

  ProbeRegion target;
  std::unique_ptr<ComponentView> view = target.Create_ComponentView();
  target.Attach_ComponentView(view.get());
  ASSERT_TRUE(target.Assign_From(*source, err)) << err;
  EXPECT_EQ(target.Get_ComponentViews_List().Get_Count(), 0);
  EXPECT_EQ(view->Get_Subject(), nullptr);
  EXPECT_TRUE(Same_Pixels(*target.Get_Region_Map(), *source->Get_Region_Map()));
  EXPECT_NE(target.Get_Region_Map(), source->Get_Region_Map());
  EXPECT_NE(target.Get_Display_Map(), source->Get_Display_Map());
  EXPECT_EQ(target.Get_Scanned_Descriptor().bitmapPath, "scan.bmp");
  EXPECT_EQ(target.Get_Auto_Descriptor().parentPath, "parent.bmp");
  EXPECT_EQ(target.Get_Graphic().Get_Position().x, 11);
  EXPECT_EQ(target.Get_Render_Style(), 3);
  EXPECT_EQ(target.Get_Substitution_Mode(), 1);
  EXPECT_EQ(target.Get_Generation_Code(), 1);
  EXPECT_EQ(target.Get_Header_Word(), 64);
  EXPECT_EQ(target.Get_Serial_Number(), 300);

  // A clone keeps the separation id and colour index, so the regions of a
  // separation are still found after an undo.
  std::unique_ptr<ComponentSubject> clone = source->Clone();
  auto* copy = dynamic_cast<RegionSubject*>(clone.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Get_Separation_ID(), 4);
  EXPECT_EQ(copy->Get_Hunt_Color_Index(), 9);
  copy->Get_Region_Map()->Set_Pixel(0, 0, 1, 1, 1);
  EXPECT_NE(Pixel(*source->Get_Region_Map(), 0, 0), (Color{1, 1, 1}));
}

TEST_F(RegionSubjectTest, AssignFromARegionWithoutMapsChangesNothing) {
  auto target = Region_With_Map(*Pattern_Map(3, 3), 1, 1);
  const OffMap* kept = target->Get_Region_Map();

  RegionSubject noDisplay;
  noDisplay.Set_Maps(White_Map(2, 2), nullptr);
  EXPECT_FALSE(target->Assign_From(noDisplay, err));
  EXPECT_EQ(err, "RegionSubject::operator=  failed,  other.m_refreshOffMap  is NULL. ");

  RegionSubject noSource;
  noSource.Set_Maps(nullptr, White_Map(2, 2));
  noSource.Set_Separation_ID(8);
  EXPECT_FALSE(target->Assign_From(noSource, err));
  EXPECT_EQ(err, "RegionSubject::operator=  failed,  other.m_SRCoffMap  is NULL. ");
  EXPECT_EQ(target->Get_Region_Map(), kept);
  EXPECT_EQ(target->Get_Separation_ID(), -1);
  EXPECT_EQ(noSource.Clone(), nullptr);
}

// ---------------------------------------------------------------------------
// Move and resize

TEST_F(RegionSubjectTest, MoveAndResizeCommands) {
  auto region = Region_With_Map(*Pattern_Map(30, 40), 10, 20);
  OffsetGlyphCmnd move(3, -2);
  ASSERT_TRUE(region->Change_My_Property(&move, err)) << err;
  EXPECT_EQ(region->Get_Graphic().Get_Position().x, 13);
  EXPECT_EQ(region->Get_Graphic().Get_Position().y, 18);

  SizeCmnd size(-28, 5);
  ASSERT_TRUE(region->Change_My_Property(&size, err));
  EXPECT_EQ(region->Get_Graphic().Get_Width(), 5);
  EXPECT_EQ(region->Get_Graphic().Get_Height(), 45);
  SizeCmnd grow(-1, -40);
  ASSERT_TRUE(region->Change_My_Property(&grow, err));
  EXPECT_EQ(region->Get_Graphic().Get_Width(), 5);
  EXPECT_EQ(region->Get_Graphic().Get_Height(), 5);

  StrangeCommand other(7);
  EXPECT_FALSE(region->Change_My_Property(&other, err));
  EXPECT_EQ(err, "RegionSubject::Change_My_Property() failed,  bad PropertyCode.");
  StrangeCommand fakeMove(2);
  EXPECT_FALSE(region->Change_My_Property(&fakeMove, err));
  EXPECT_EQ(err, "RegionSubject::Change_My_Property() failed,  bad dynamic cast for OffsetGlyphCmnd left.");
  StrangeCommand fakeSize(4);
  EXPECT_FALSE(region->Change_My_Property(&fakeSize, err));
  EXPECT_EQ(err, "RegionSubject::Change_My_Property() failed,  bad dynamic cast for SizeCommand.");
  EXPECT_EQ(region->Get_Graphic().Get_Position().x, 13);

  // Through the framework the text is shown.
  EXPECT_FALSE(region->Change_Property(&other, platform.Messages()));
  EXPECT_EQ(platform.Messages().Texts().back(),
            "RegionSubject::Change_My_Property() failed,  bad PropertyCode.");
}

// ---------------------------------------------------------------------------
// Accessors, places and mappings

TEST_F(RegionSubjectTest, ConstructorStateAndDescriptorInForce) {
  RegionSubject region;
  EXPECT_EQ(region.Get_Substitution_Mode(), 0);
  EXPECT_EQ(region.Get_Header_Word(), 0);
  EXPECT_EQ(region.Get_Hunt_Color_Index(), -1);
  EXPECT_EQ(region.Get_Auto_Descriptor().centroidX, -1);
  EXPECT_EQ(region.Get_Auto_Descriptor().pixelCount, -1);
  EXPECT_EQ(region.Get_Scanned_Descriptor().frame.Get_Position().x, Graphic::kUnsetX);
  EXPECT_EQ(region.Get_Region_Map(), nullptr);

  region.Get_Scanned_Descriptor().hidden = 1;
  EXPECT_TRUE(region.Is_Region_Hidden());
  region.Set_Substitution_Mode(1);
  EXPECT_TRUE(region.Is_Auto_Descriptor_Active());
  EXPECT_FALSE(region.Is_Region_Hidden());
  region.Show_Region(false);
  EXPECT_EQ(region.Get_Auto_Descriptor().hidden, 1);
  region.Show_Region(true);
  EXPECT_EQ(region.Get_Auto_Descriptor().hidden, 0);
  region.Set_Substitution_Mode(4);
  EXPECT_EQ(&region.Get_Graphic(), &region.Get_Scanned_Descriptor().frame);
}

TEST_F(RegionSubjectTest, PathsRectanglesCentroidsAndPointMappings) {
  auto region = Region_With_Map(*Pattern_Map(15, 20), 10, 20);
  region->Get_Auto_Descriptor().frame.Set_Size(30, 40);

  std::string path = "x";
  EXPECT_FALSE(region->Get_Current_Bitmaps_Path(path, platform.Messages()));
  EXPECT_EQ(path, "");
  EXPECT_EQ(platform.Messages().Texts().back(),
            "RegionSubject::Get_Current_Bitmaps_Path  failed,  file path is empty.");
  EXPECT_EQ(region->Get_Current_Bitmaps_FileName(), "");
  region->Get_Bitmap_Path() = "C:\\maps\\Subs\\xSub_1-2_a.bmp";
  EXPECT_EQ(region->Get_Current_Bitmaps_FileName(), "xSub_1-2_a.bmp");
  region->Get_Bitmap_Path() = "maps/b.bmp";
  EXPECT_TRUE(region->Get_Current_Bitmaps_Path(path, platform.Messages()));
  EXPECT_EQ(path, "maps/b.bmp");
  EXPECT_EQ(region->Get_Current_Bitmaps_FileName(), "b.bmp");

  RectLong rect;
  region->Get_Bounding_Rect(rect);
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 20);
  EXPECT_EQ(rect.right, 40);
  EXPECT_EQ(rect.bottom, 60);

  region->Get_CentroidX() = 4;
  region->Get_CentroidY() = 6;
  int32_t cx = 0, cy = 0;
  region->Get_Centroid_Point(cx, cy);
  EXPECT_EQ(cx, 14);
  EXPECT_EQ(cy, 26);

  // The 15 x 20 map stretched over the 30 x 40 frame.
  PointLong p;
  p.x = 3;
  p.y = 5;
  region->Map_Bitmap_Point_to_Frame(p);
  EXPECT_EQ(p.x, 16);
  EXPECT_EQ(p.y, 30);
  region->Map_Frame_Point_to_Bitmap(p);
  EXPECT_EQ(p.x, 3);
  EXPECT_EQ(p.y, 5);
  region->Get_Auto_Descriptor().frame.Set_Size(0, 40);
  p.x = 17;
  p.y = 30;
  region->Map_Frame_Point_to_Bitmap(p);
  EXPECT_EQ(p.x, 17);
  EXPECT_EQ(p.y, 5);
}

TEST_F(RegionSubjectTest, HuntColourComesFromTheAutoDescriptor) {
  auto region = Region_With_Map(*Pattern_Map(3, 3), 0, 0, Color{255, 128, 0});
  region->Set_Substitution_Mode(0);
  region->Get_Scanned_Descriptor().color = Pack_RGB(0, 0, 255);
  int16_t r = 0, g = 0, b = 0;
  ASSERT_TRUE(region->Get_Original_HuntColor_from_SeparationCreation(r, g, b));
  EXPECT_EQ((Color{r, g, b}), (Color{255, 128, 0}));
  EXPECT_EQ(region->Get_Original_HuntColor_Hue(), 30);
  region->Get_Auto_Descriptor().color = Pack_RGB(90, 90, 90);
  EXPECT_EQ(region->Get_Original_HuntColor_Hue(), -1);
}

TEST_F(RegionSubjectTest, SameRegionIsFoundBySeparationAndAutoFrame) {
  auto mine = Region_With_Map(*Pattern_Map(4, 4), 5, 6);
  mine->Set_Separation_ID(2);
  mine->Get_Auto_Descriptor().pixelCount = 10;
  ListMemry<ComponentSubject> others;
  auto otherSeparation = Region_With_Map(*Pattern_Map(4, 4), 5, 6);
  otherSeparation->Set_Separation_ID(1);
  auto moved = Region_With_Map(*Pattern_Map(4, 4), 6, 6);
  moved->Set_Separation_ID(2);
  auto same = Region_With_Map(*Pattern_Map(4, 4), 5, 6);
  same->Set_Separation_ID(2);
  same->Get_Auto_Descriptor().pixelCount = 13;
  others.Add_To_Tail(otherSeparation.release());
  others.Add_To_Tail(moved.release());
  int32_t difference = -99;
  EXPECT_FALSE(mine->Find_Same_Region_in_List(others, difference));
  EXPECT_EQ(difference, 0);
  others.Add_To_Tail(same.release());
  EXPECT_TRUE(mine->Find_Same_Region_in_List(others, difference));
  EXPECT_EQ(difference, 3);
}

// ---------------------------------------------------------------------------
// File records

TEST_F(RegionSubjectTest, SmallRecordRoundTrip) {
  auto region = Region_With_Map(*Pattern_Map(4, 4), 7, 8);
  region->Set_Render_Style(3);
  region->Set_Header_Word(64);
  region->Set_Separation_ID(2);
  region->Set_Hunt_Color_Index(21);
  region->Set_Serial_Number(8999);
  RegionDescriptor& a = region->Get_Auto_Descriptor();
  a.hueOffset = -30;
  a.satOffset = 12;
  a.valOffset = -4;
  a.pixelCount = 77;
  a.seedPoint.x = 9;
  a.seedPoint.y = 10;
  a.centroidX = 1;
  a.centroidY = 2;
  a.hidden = 1;
  region->Get_Scanned_Descriptor().color = 0x00123456;
  region->Get_Scanned_Descriptor().frame.Set_Position(-3, 4);
  region->Get_Scanned_Descriptor().frame.Set_Size(100, 200);
  region->Get_Auto_Descriptor().bitmapPath = "kept.bmp";

  RegionRecordSmall record;
  region->Emit_to_FileObject_Small(record);
  EXPECT_EQ(record.headerWord, 64);
  EXPECT_EQ(record.renderStyle, 3);
  EXPECT_EQ(record.substitutionMode, 1);
  EXPECT_EQ(record.generationCode, 1);
  EXPECT_EQ(record.autoDescriptor.hueOffset, -30);
  EXPECT_EQ(record.autoDescriptor.seedY, 10);
  EXPECT_EQ(record.autoDescriptor.frameX, 7);
  EXPECT_EQ(record.autoDescriptor.frameWidth, 4);
  EXPECT_EQ(record.autoDescriptor.color, Pack_RGB(200, 100, 50));
  EXPECT_EQ(record.scannedDescriptor.color, 0x00123456u);
  EXPECT_EQ(record.scannedDescriptor.frameHeight, 200);
  EXPECT_EQ(record.serialNumber, 8999);
  EXPECT_EQ(record.huntColorIndex, 21);

  RegionSubject back;
  back.Get_Auto_Descriptor().bitmapPath = "untouched.bmp";
  ASSERT_TRUE(back.AssignMe_from_FileObject_Small(record, err)) << err;
  RegionRecordSmall again;
  back.Emit_to_FileObject_Small(again);
  EXPECT_TRUE(Same_Fields(again.autoDescriptor, record.autoDescriptor));
  EXPECT_TRUE(Same_Fields(again.scannedDescriptor, record.scannedDescriptor));
  EXPECT_EQ(back.Get_Separation_ID(), 2);
  EXPECT_EQ(back.Get_Serial_Number(), 8999);
  EXPECT_EQ(back.Get_Header_Word(), 64);
  EXPECT_EQ(back.Get_Auto_Descriptor().bitmapPath, "untouched.bmp");
}

TEST_F(RegionSubjectTest, OldRecordCarriesTheTextsWithinTheirFields) {
  auto region = Region_With_Map(*Pattern_Map(4, 4), 1, 2);
  region->Get_Auto_Descriptor().bitmapPath = std::string(300, 'a');
  region->Get_Auto_Descriptor().parentPath = "C:\\sep.bmp";
  region->Get_Scanned_Descriptor().bitmapPath = "scan.bmp";
  region->Set_Extra_Text("note");
  region->Set_Serial_Number(5);
  RegionRecordOld record;
  region->Emit_to_FileObject_Old(record);
  EXPECT_EQ(record.autoDescriptor.bitmapPath, std::string(254, 'a'));
  EXPECT_EQ(record.autoDescriptor.parentPath, "C:\\sep.bmp");
  EXPECT_EQ(record.scannedDescriptor.bitmapPath, "scan.bmp");
  EXPECT_EQ(record.extraText, "note");

  RegionSubject back;
  ASSERT_TRUE(back.AssignMe_from_FileObject_Old(record, err)) << err;
  EXPECT_EQ(back.Get_Auto_Descriptor().bitmapPath, std::string(254, 'a'));
  EXPECT_EQ(back.Get_Auto_Descriptor().parentPath, "C:\\sep.bmp");
  EXPECT_EQ(back.Get_Scanned_Descriptor().bitmapPath, "scan.bmp");
  EXPECT_EQ(back.Get_Extra_Text(), "note");
  EXPECT_EQ(back.Get_Serial_Number(), 5);
  EXPECT_EQ(back.Get_Graphic().Get_Position().y, 2);
}

TEST_F(RegionSubjectTest, RecordCodesAreMappedOrRefused) {
  RegionRecordSmall record;
  record.substitutionMode = 7;
  record.generationCode = 3;
  record.renderStyle = 5;
  record.serialNumber = 9000;
  RegionSubject region;
  ASSERT_TRUE(region.AssignMe_from_FileObject_Small(record, err));
  EXPECT_EQ(region.Get_Substitution_Mode(), 1);
  EXPECT_EQ(region.Get_Generation_Code(), 1);
  EXPECT_EQ(region.Get_Render_Style(), 0);
  EXPECT_EQ(region.Get_Serial_Number(), 0);
  record.substitutionMode = 4;
  record.generationCode = 1;
  record.renderStyle = 3;
  record.serialNumber = -1;
  ASSERT_TRUE(region.AssignMe_from_FileObject_Small(record, err));
  EXPECT_EQ(region.Get_Substitution_Mode(), 4);
  EXPECT_EQ(region.Get_Render_Style(), 3);
  EXPECT_EQ(region.Get_Serial_Number(), 0);

  record.renderStyle = 16;
  record.substitutionMode = 0;
  EXPECT_FALSE(region.AssignMe_from_FileObject_Small(record, err));
  EXPECT_EQ(
      err,
      "RegionSubject::AssignMe_from_FileObject_Small FAILED, renderStyle has a bogus value. \n File may be "
      "corrupt or out-dated.");
  EXPECT_EQ(region.Get_Substitution_Mode(), 4);  // a refused record changes nothing
  record.renderStyle = 0;
  record.generationCode = -1;
  EXPECT_FALSE(region.AssignMe_from_FileObject_Small(record, err));
  EXPECT_EQ(err,
            "RegionSubject::AssignMe_from_FileObject_Small FAILED, generationCode has a bogus value. \n File "
            "may be "
            "corrupt or out-dated.");

  RegionRecordOld old;
  old.substitutionMode = 16;
  EXPECT_FALSE(region.AssignMe_from_FileObject_Old(old, err));
  EXPECT_EQ(err,
            "RegionSubject::AssignMe_from_FileObject_Old FAILED, substitutionMode has a bogus value. \n File "
            "may be "
            "corrupt or out-dated.");
  old.substitutionMode = 15;
  old.renderStyle = 9;
  old.generationCode = 0;
  ASSERT_TRUE(region.AssignMe_from_FileObject_Old(old, err));
  EXPECT_EQ(region.Get_Substitution_Mode(), 1);
  EXPECT_EQ(region.Get_Render_Style(), 0);
  EXPECT_EQ(region.Get_Generation_Code(), 0);
}

// ---------------------------------------------------------------------------
// Bitmaps from files

TEST_F(RegionSubjectTest, MaskRebuildRefusesWhatItCannotRebuild) {
  RegionSubject region;
  RectShrt rect = Make_RectShrt(1, 2, 3, 4);
  EXPECT_EQ(region.Make_Maskmap_From_SUBregion(rect, platform.Get(), err), nullptr);
  EXPECT_EQ(err, "RegionSubject::Make_Maskmap_From_SUBregion failed, this is not a SUBregion.");
  EXPECT_EQ(rect.left, -1);
  EXPECT_EQ(rect.bottom, -1);

  region.Set_Generation_Code(RegionSubject::kSubRegion);
  region.Set_Substitution_Mode(1);
  region.Get_Auto_Descriptor().seedPoint.x = -1;
  region.Get_Auto_Descriptor().seedPoint.y = 5;
  EXPECT_EQ(region.Make_Maskmap_From_SUBregion(rect, platform.Get(), err), nullptr);
  EXPECT_EQ(err,
            "RegionSubject::Make_Maskmap_From_SUBregion failed, this SUBregion was NOT created with a Seed "
            "Fillpoint.");

  region.Get_Auto_Descriptor().seedPoint.x = 2;
  EXPECT_EQ(region.Make_Maskmap_From_SUBregion(rect, platform.Get(), err), nullptr);
  EXPECT_EQ(err, "RegionSubject::Make_Maskmap_From_SUBregion failed, parent files path is empty.");

  TempDir dir;
  Write_File_Bytes(dir.File("empty.bmp"), "");
  region.Get_Auto_Descriptor().parentPath = dir.File("empty.bmp");
  EXPECT_EQ(region.Make_Maskmap_From_SUBregion(rect, platform.Get(), err), nullptr);
  EXPECT_EQ(err, "Load_Bitmap_File_Dialog_STATIC failed,  could not read header.");

  // A seed on white paper finds no blob.
  std::string parent = dir.File("white.bmp");
  bool cancelled = false;
  auto white = White_Map(8, 8);
  ASSERT_TRUE(Save_Bitmap_File(platform.Get(), cancelled, white.get(), parent, err)) << err;
  region.Get_Auto_Descriptor().parentPath = parent;
  EXPECT_EQ(region.Make_Maskmap_From_SUBregion(rect, platform.Get(), err), nullptr);
  EXPECT_EQ(err,
            "RegionSubject::Make_Maskmap_From_SUBregion  failed,  could not find a non-white EntryPoint.");
}

TEST_F(RegionSubjectTest, KindredFileIsTheNearestOtherSubRegionOfTheParent) {
  TempDir dir;
  std::filesystem::create_directories(dir.File("Subs/xSub_10-10_dir"));
  for (const char* name :
       {"xSub_10-10_SEP.bmp", "xSub_7-6_sep.bmp", "xSub_13-14_sep.bmp", "xSub_40-40_sep.bmp",
        "xSub_10-11x_sep.bmp", "xSub_10_sep.bmp", "xSub_11-10.bmp", "notes.txt"})
    Write_File_Bytes(dir.File(std::string("Subs/") + name), "x");

  RegionSubject region;
  region.Set_Substitution_Mode(1);
  bool found = true;
  std::string name = "old";
  EXPECT_FALSE(region.Find_A_Kindred_BitmapFile_in_Folder(name, found, err));
  EXPECT_EQ(
      err,
      "RegionSubject::Find_A_Kindred_BitmapFile_in_Folder  FAILED,  Get_ParentFile_ForMask_Path is not same "
      "as parentRegionsPath.");

  RegionDescriptor& d = region.Get_Auto_Descriptor();
  d.parentPath = dir.File("sep.bmp");
  d.bitmapPath = dir.File("Subs/xSub_10-10_sep.bmp");
  d.frame.Set_Position(8, 7);
  d.centroidX = 2;
  d.centroidY = 3;
  // 13-14 and 7-6 both lie 5 away; the first in name order stays.
  ASSERT_TRUE(region.Find_A_Kindred_BitmapFile_in_Folder(name, found, err)) << err;
  EXPECT_TRUE(found);
  EXPECT_EQ(name, "xSub_13-14_sep.bmp");

  d.parentPath = dir.File("elsewhere/sep.bmp");
  ASSERT_TRUE(region.Find_A_Kindred_BitmapFile_in_Folder(name, found, err));
  EXPECT_FALSE(found);
  EXPECT_EQ(name, "");
}

TEST_F(RegionSubjectTest, ToggleReloadsTheBitmapInForceThenSwitches) {
  TempDir dir;
  auto first = Pattern_Map(5, 4);
  auto second = White_Map(6, 3);
  Paint_Rect(*second, 0, 0, 2, 2, kInk);
  std::string firstPath = dir.File("auto.bmp"), secondPath = dir.File("scan.bmp");
  bool cancelled = false;
  ASSERT_TRUE(Save_Bitmap_File(platform.Get(), cancelled, first.get(), firstPath, err));
  ASSERT_TRUE(Save_Bitmap_File(platform.Get(), cancelled, second.get(), secondPath, err));

  auto region = Region_With_Map(*White_Map(2, 2), 0, 0);
  region->Get_Auto_Descriptor().bitmapPath = firstPath;
  EXPECT_FALSE(region->Toggle_RegionDescriptors_ScannedOrAuto(0, platform.Get(), err));
  EXPECT_EQ(
      err,
      "Toggle_RegionDescriptors_ScannedOrAuto failed,  this Region does NOT have 2 bitmaps ASSOCIATED with "
      "it.");

  region->Get_Scanned_Descriptor().bitmapPath = secondPath;
  ASSERT_TRUE(region->Toggle_RegionDescriptors_ScannedOrAuto(0, platform.Get(), err)) << err;
  EXPECT_EQ(region->Get_Substitution_Mode(), 0);
  EXPECT_TRUE(Same_Pixels(*region->Get_Region_Map(), *first));
  EXPECT_TRUE(Same_Pixels(*region->Get_Display_Map(), *first));
  ASSERT_TRUE(region->Toggle_RegionDescriptors_ScannedOrAuto(1, platform.Get(), err)) << err;
  EXPECT_EQ(region->Get_Substitution_Mode(), 1);
  EXPECT_TRUE(Same_Pixels(*region->Get_Region_Map(), *second));

  region->Get_Auto_Descriptor().bitmapPath = dir.File("gone.bmp");
  const OffMap* kept = region->Get_Region_Map();
  EXPECT_FALSE(region->Toggle_RegionDescriptors_ScannedOrAuto(0, platform.Get(), err));
  EXPECT_EQ(err, "Toggle_RegionDescriptors_ScannedOrAuto failed, offMap is NULL.");
  EXPECT_EQ(region->Get_Region_Map(), kept);
  EXPECT_EQ(region->Get_Substitution_Mode(), 1);
}

TEST_F(RegionSubjectTest, AttachingABitmapFromTheSameFolder) {
  TempDir dir;
  auto picture = Pattern_Map(7, 3);
  std::string path = dir.File("other.bmp");
  bool cancelled = false;
  ASSERT_TRUE(Save_Bitmap_File(platform.Get(), cancelled, picture.get(), path, err));

  ProbeRegion region;
  region.Set_Substitution_Mode(1);
  region.Get_Auto_Descriptor().bitmapPath = dir.File("mine.bmp");
  EXPECT_FALSE(region.Attach_Different_File_Bitmap("missing.bmp", nullptr, platform.Get(), err));
  EXPECT_EQ(err, "Attach_Different_File_Bitmap  failed, offMap is NULL.");
  EXPECT_EQ(region.Get_Region_Map(), nullptr);

  RegionDescriptor values;
  values.bitmapPath = "other.bmp";
  values.frame.Set_Position(4, 5);
  values.frame.Set_Size(7, 3);
  ASSERT_TRUE(region.Attach_Different_File_Bitmap("other.bmp", &values, platform.Get(), err)) << err;
  EXPECT_TRUE(Same_Pixels(*region.Get_Region_Map(), *picture));
  EXPECT_TRUE(Same_Pixels(*region.Get_Display_Map(), *picture));
  EXPECT_EQ(region.Get_Scanned_Descriptor().bitmapPath, "other.bmp");
  EXPECT_EQ(region.Framework_Frame().Get_Position().x, 4);
  EXPECT_EQ(region.Framework_Frame().Get_Width(), 7);
  EXPECT_EQ(region.Get_Substitution_Mode(), 1);
}

TEST_F(RegionSubjectTest, KnockOutWhitensTheCoveredPartOnly) {
  RegionSubject region;
  OffMap mask(4, 4, 1);
  mask.Fill(0);  // all black: the region everywhere
  OffMap later(4, 4, 1);
  later.Fill(255);
  later.Set_Pixel(0, 0, 0, 0, 0);
  later.Set_Pixel(1, 1, 0, 0, 0);
  later.Set_Pixel(3, 3, 0, 0, 0);
  // The later mask lies two pixels right and one down of this one.
  const int32_t knocked = region.Knock_Out_Covered_Pixels(mask, Make_RectShrt(10, 10, 13, 13), later,
                                                          Make_RectShrt(12, 11, 15, 14));
  EXPECT_EQ(knocked, 2);
  EXPECT_FALSE(mask.Is_Pixel_Red_Value(2, 1, 0));
  EXPECT_FALSE(mask.Is_Pixel_Red_Value(3, 2, 0));
  EXPECT_TRUE(mask.Is_Pixel_Red_Value(0, 0, 0));
  EXPECT_EQ(mask.Percent_Black_Pixels(), 87);
}
