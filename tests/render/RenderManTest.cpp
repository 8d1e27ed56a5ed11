#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "render/RenderMan.h"
#include "support/TestSupport.h"

namespace {

// A photo whose pixels are computed and whose reads are recorded.
class FakePhoto : public PlatformImage {
 public:
  FakePhoto(int w, int h) : m_w(w), m_h(h) {}
  int32_t Load(const std::string&) override { return -1; }
  bool Is_Null() const override { return false; }
  int Get_Width() const override { return m_w; }
  int Get_Height() const override { return m_h; }
  void Get_Pixel_RGB(int x, int y, int& r, int& g, int& b) const override {
    reads.emplace_back(x, y);
    r = x & 255;
    g = y & 255;
    b = (x + y) & 255;
  }
  bool Create(int, int, int) override { return false; }
  void Set_Pixel_RGB(int, int, int, int, int) override {}
  void Set_Pixel_RGBA(int, int, int, int, int, int) override {}
  int32_t Save(const std::string&) override { return 1; }
  std::string Last_Error() const override { return {}; }
  mutable std::vector<std::pair<int, int>> reads;

 private:
  int m_w, m_h;
};

std::unique_ptr<OffMap> Filled(int w, int h, int depth, int16_t r, int16_t g, int16_t b) {
  auto map = std::make_unique<OffMap>(w, h, depth);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) map->Set_Pixel(x, y, r, g, b);
  return map;
}

std::vector<int16_t> Pixel(const OffMap& map, int x, int y) {
  int16_t r = 0, g = 0, b = 0;
  map.Get_Pixel(x, y, r, g, b);
  return {r, g, b};
}

bool All_White(const OffMap& map) {
  for (int y = 0; y < map.Get_Height(); ++y)
    for (int x = 0; x < map.Get_Width(); ++x)
      if (Pixel(map, x, y) != std::vector<int16_t>{255, 255, 255}) return false;
  return true;
}

class RenderManTest : public ::testing::Test {
 protected:
  TestPlatform platform;
  RenderMan rm{platform.Get()};
  std::string err;
};

TEST_F(RenderManTest, StartsEmptyWithTheOutlineDefaults) {
  EXPECT_EQ(rm.Get_Outline_Liteness(), 0);
  EXPECT_EQ(rm.Get_Outline_Darkness(), 100);
  EXPECT_EQ(rm.Get_Outline_Style(), 0);
  EXPECT_EQ(rm.Get_Hide_Outline(), 0);
  EXPECT_FALSE(rm.Has_Filtered_Image());
  EXPECT_FALSE(rm.Get_Photo_Original() || rm.Get_Source_Map() || rm.Get_Layered_Map() ||
               rm.Get_Subtract_Map());
  int32_t w = 0, h = 0;
  rm.Get_Source_Size(w, h);
  EXPECT_EQ(std::make_pair(w, h), std::make_pair(-1, -1));
  ASSERT_TRUE(rm.Alloc_PhotoMap(err));
  EXPECT_TRUE(rm.Get_Photo_Original() && rm.Get_Photo_Original()->Is_Null());
}

TEST_F(RenderManTest, AllocatesTheWorkingMapsHeightFirst) {
  rm.Set_Outline_Map(Filled(5, 5, 24, 0, 0, 0));
  rm.Set_Outline_Map_Backup(Filled(5, 5, 24, 0, 0, 0));
  ASSERT_TRUE(rm.Alloc_Source_Bitmaps_for_Virtual_Project(40, 30, err)) << err;
  EXPECT_FALSE(rm.Get_Outline_Map() || rm.Get_Outline_Map_Backup() || rm.Get_Filtered_Map());
  ASSERT_TRUE(rm.Alloc_Support_Bitmaps_for_Image_Creation(30, 40, err)) << err;
  for (OffMap* map : {rm.Get_Source_Map(), rm.Get_Source_Map_Backup(), rm.Get_Filtered_Map(),
                      rm.Get_Displayed_Filtered_Map(), rm.Get_Layered_Map(), rm.Get_Subtract_Map()}) {
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->Get_Width(), 40);
    EXPECT_EQ(map->Get_Height(), 30);
    EXPECT_EQ(map->Get_Depth(), 24);
  }
  EXPECT_TRUE(All_White(*rm.Get_Layered_Map()) && All_White(*rm.Get_Subtract_Map()) &&
              All_White(*rm.Get_Filtered_Map()));

  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{0, 30}, {40, -1}, {20000, 10000}}) {
    EXPECT_FALSE(rm.Alloc_Source_Bitmaps_for_Virtual_Project(w, h, err));
    EXPECT_EQ(err,
              "RenderMan::Alloc_Source_Bitmaps_for_Virtual_Project failed,  could not allocate m_sourceMap.");
  }
  EXPECT_FALSE(rm.Alloc_Support_Bitmaps_for_Image_Creation(30, -1, err));
  EXPECT_EQ(err,
            "RenderMan::Alloc_Support_Bitmaps_for_Image_Creation failed,  could not create Destination Map.");
}

TEST_F(RenderManTest, MapsOfTheSameSizeAreKeptAndWhitened) {
  ASSERT_TRUE(rm.Create_FilterMap_Pair(24, 8, 6));
  OffMap* hidden = rm.Get_Filtered_Map();
  OffMap* shown = rm.Get_Displayed_Filtered_Map();
  hidden->Set_Pixel(1, 1, 0, 0, 0);
  shown->Set_Pixel(2, 2, 0, 0, 0);
  rm.Mark_Filtered_Image_Rendered();
  ASSERT_TRUE(rm.Create_FilterMap_Pair(24, 8, 6));
  EXPECT_EQ(rm.Get_Filtered_Map(), hidden);
  EXPECT_EQ(rm.Get_Displayed_Filtered_Map(), shown);
  EXPECT_TRUE(All_White(*hidden) && All_White(*shown));
  EXPECT_FALSE(rm.Has_Filtered_Image());
  ASSERT_TRUE(rm.Create_FilterMap_Pair(8, 8, 6));  // another depth: new maps
  EXPECT_EQ(rm.Get_Filtered_Map()->Get_Depth(), 8);
  EXPECT_EQ(rm.Get_Displayed_Filtered_Map()->Get_Depth(), 8);

  ASSERT_TRUE(rm.Create_Layered_Map(6, 8));
  OffMap* layered = rm.Get_Layered_Map();
  layered->Set_Pixel(0, 0, 1, 2, 3);
  ASSERT_TRUE(rm.Create_Layered_Map(6, 8));
  EXPECT_EQ(rm.Get_Layered_Map(), layered);
  EXPECT_TRUE(All_White(*layered));
  ASSERT_TRUE(rm.Create_Layered_Map(7, 8));
  EXPECT_EQ(rm.Get_Layered_Map()->Get_Height(), 7);

  ASSERT_TRUE(rm.Create_Outline_Map(3, 4));
  ASSERT_TRUE(rm.Create_Subtract_Map(6, 8));
  rm.Get_Outline_Map()->Set_Pixel(0, 0, 0, 0, 0);
  rm.Get_Subtract_Map()->Set_Pixel(0, 0, 0, 0, 0);
  rm.Mark_Filtered_Image_Rendered();
  EXPECT_TRUE(rm.Erase_Support_Bitmaps(err));
  EXPECT_TRUE(All_White(*rm.Get_Outline_Map()) && All_White(*rm.Get_Subtract_Map()));
  EXPECT_FALSE(rm.Has_Filtered_Image());
}

TEST_F(RenderManTest, FilteredImageFlagAndOutlineBackupFollowTheirMaps) {
  rm.Mark_Filtered_Image_Rendered();  // no hidden map: nothing rendered
  EXPECT_FALSE(rm.Has_Filtered_Image());
  ASSERT_TRUE(rm.Create_FilterMap_Pair(24, 4, 3));
  rm.Mark_Filtered_Image_Rendered();
  EXPECT_TRUE(rm.Has_Filtered_Image());
  rm.Set_Filtered_Map(Filled(4, 3, 24, 9, 9, 9));  // a new map holds no result yet
  EXPECT_FALSE(rm.Has_Filtered_Image());
  rm.Mark_Filtered_Image_Rendered();
  rm.Forget_Filtered_Image();
  EXPECT_FALSE(rm.Has_Filtered_Image());
  rm.Mark_Filtered_Image_Rendered();
  rm.Set_Filtered_Map(nullptr);
  EXPECT_FALSE(rm.Has_Filtered_Image());
  EXPECT_EQ(rm.Get_Filtered_Map(), nullptr);
  EXPECT_NE(rm.Get_Displayed_Filtered_Map(), nullptr);

  rm.Set_Outline_Map(Filled(2, 2, 8, 0, 0, 0));
  rm.Set_Outline_Map_Backup(Filled(2, 2, 8, 0, 0, 0));
  rm.Set_Outline_Style(2);
  rm.Drop_Outline_Map_Backup();
  EXPECT_NE(rm.Get_Outline_Map(), nullptr);
  EXPECT_EQ(rm.Get_Outline_Map_Backup(), nullptr);
  rm.Set_Outline_Map_Backup(Filled(2, 2, 8, 0, 0, 0));
  rm.Drop_Outline_Map();
  EXPECT_EQ(rm.Get_Outline_Map(), nullptr);
  EXPECT_EQ(rm.Get_Outline_Map_Backup(), nullptr);
  EXPECT_EQ(rm.Get_Outline_Style(), 2);  // the style is the caller's to change
}

TEST_F(RenderManTest, SubtractMapStartsFromTheRenderedFilterMap) {
  EXPECT_FALSE(rm.Initialize_SubtractMap_with_Source_Image_for_SeparationCreation(err));
  EXPECT_EQ(err, "Load a SOURCE bitmap.");
  ASSERT_TRUE(rm.Alloc_Source_Bitmaps_for_Virtual_Project(6, 4, err));
  EXPECT_FALSE(rm.Initialize_SubtractMap_with_Source_Image_for_SeparationCreation(err));
  EXPECT_EQ(err,
            "RenderMan::Initialize_SubtractMap_with_Source_Image_for_SeparationCreation FAILED,  "
            "m_filteredMap is NULL.");
  ASSERT_TRUE(rm.Alloc_Support_Bitmaps_for_Image_Creation(4, 6, err));
  EXPECT_FALSE(rm.Initialize_SubtractMap_with_Source_Image_for_SeparationCreation(err));
  EXPECT_EQ(err,
            "RenderMan::Initialize_SubtractMap_with_Source_Image_for_SeparationCreation FAILED,  "
            "m_filteredMap does NOT have an Image.");

  rm.Get_Filtered_Map()->Set_Pixel(5, 3, 10, 20, 30);
  rm.Mark_Filtered_Image_Rendered();
  ASSERT_TRUE(rm.Initialize_SubtractMap_with_Source_Image_for_SeparationCreation(err)) << err;
  EXPECT_EQ(0, std::memcmp(rm.Get_Subtract_Map()->Get_DIB(), rm.Get_Filtered_Map()->Get_DIB(),
                           rm.Get_Filtered_Map()->Get_Alloc_Bytes()));

  ASSERT_TRUE(rm.Copy_FilterMapHidden_to_Displayed_FilterMap(err));
  EXPECT_EQ(Pixel(*rm.Get_Displayed_Filtered_Map(), 5, 3), (std::vector<int16_t>{10, 20, 30}));
  rm.Drop_Displayed_Filtered_Map();
  EXPECT_FALSE(rm.Copy_FilterMapHidden_to_Displayed_FilterMap(err));
  EXPECT_EQ(err,
            "RenderMan::Copy_FilterMapHidden_to_Displayed_FilterMap failed,  m_filteredMapWithOutline or "
            "m_filteredMap is NULL.");
}

TEST_F(RenderManTest, SourceIsCopiedIntoTheFilterMapAcrossDepths) {
  EXPECT_FALSE(rm.Copy_SRCmap_to_DSTmap(err));
  EXPECT_EQ(err, "Copy_SRCmap_to_DSTmap failed,  NULL maps.");
  ASSERT_TRUE(rm.Alloc_Source_Bitmaps_for_Virtual_Project(4, 3, err));
  rm.Get_Source_Map()->Set_Pixel(1, 2, 90, 80, 70);
  ASSERT_TRUE(rm.Create_FilterMap_Pair(8, 4, 3));
  ASSERT_TRUE(rm.Copy_SRCmap_to_DSTmap(err)) << err;
  EXPECT_EQ(rm.Get_Filtered_Map()->Get_Depth(), 8);
  EXPECT_EQ(Pixel(*rm.Get_Filtered_Map(), 1, 2), (std::vector<int16_t>{90, 90, 90}));
  ASSERT_TRUE(rm.Create_FilterMap_Pair(24, 4, 3));
  ASSERT_TRUE(rm.Copy_SRCmap_to_DSTmap(err));
  EXPECT_EQ(Pixel(*rm.Get_Filtered_Map(), 1, 2), (std::vector<int16_t>{90, 80, 70}));
}

TEST_F(RenderManTest, BilinearSampleBlendsNeighboursAndWhiteBeyondTheEdge) {
  TestPlatform tp;
  std::unique_ptr<PlatformImage> photo = tp.Get().Codec().Create_Image();
  ASSERT_TRUE(photo->Create(4, 2, 24));
  photo->Set_Pixel_RGB(0, 0, 100, 0, 0);
  photo->Set_Pixel_RGB(1, 0, 200, 0, 0);
  photo->Set_Pixel_RGB(0, 1, 0, 0, 0);
  photo->Set_Pixel_RGB(1, 1, 40, 0, 0);
  int16_t r = 0, g = 0, b = 0;
  // 0.25 * (0.75 * 100 + 0.25 * 200) + 0.75 * (0.75 * 0 + 0.25 * 40) = 38.75
  RenderMan::Sample_Photo_Bilinear(*photo, 0.25, 0.75, r, g, b);
  EXPECT_EQ(r, 38);
  EXPECT_EQ(g, 0);
  // Last column, top row: half black, half the white beyond the edge.
  RenderMan::Sample_Photo_Bilinear(*photo, 3.5, 0.0, r, g, b);
  EXPECT_EQ(std::vector<int16_t>({r, g, b}), (std::vector<int16_t>{127, 127, 127}));
  // Bottom right corner: three of the four neighbours are outside.
  RenderMan::Sample_Photo_Bilinear(*photo, 3.5, 1.5, r, g, b);
  EXPECT_EQ(r, 191);  // 0.5 * 127.5 + 0.5 * 255
}

TEST_F(RenderManTest, ChangeImageSizeSamplesThePhotoOnAGrid) {
  EXPECT_FALSE(rm.Change_Image_Size(100, 100, err));
  EXPECT_EQ(err, " RenderMan::Change_Image_Size  FAILED,  m_photoOriginal is NULL.");
  ASSERT_TRUE(rm.Alloc_PhotoMap(err));  // an empty photo has nothing to resample
  EXPECT_FALSE(rm.Change_Image_Size(100, 100, err));
  EXPECT_EQ(err, " RenderMan::Change_Image_Size  FAILED,  m_photoOriginal is NULL.");

  auto photo = std::make_unique<FakePhoto>(1000, 500);
  FakePhoto* fake = photo.get();
  rm.Set_Photo_Original(std::move(photo));
  rm.Set_Outline_Map(Filled(2, 2, 24, 0, 0, 0));
  ASSERT_TRUE(rm.Change_Image_Size(100, 100, err)) << err;
  // Every tenth column and every fifth row; the last column samples x = 990
  // and reads its right neighbour 991.
  EXPECT_EQ(Pixel(*rm.Get_Source_Map(), 99, 99),
            (std::vector<int16_t>{990 & 255, 495 & 255, (990 + 495) & 255}));
  EXPECT_EQ(Pixel(*rm.Get_Source_Map(), 3, 7), (std::vector<int16_t>{30, 35, 65}));
  EXPECT_EQ(0, std::memcmp(rm.Get_Source_Map()->Get_DIB(), rm.Get_Source_Map_Backup()->Get_DIB(),
                           rm.Get_Source_Map()->Get_Alloc_Bytes()));
  const std::vector<std::pair<int, int>> last(fake->reads.end() - 4, fake->reads.end());
  EXPECT_EQ(last, (std::vector<std::pair<int, int>>{{990, 495}, {991, 495}, {990, 496}, {991, 496}}));
  EXPECT_FALSE(rm.Get_Outline_Map());
  EXPECT_EQ(rm.Get_Subtract_Map()->Get_Width(), 100);
  EXPECT_TRUE(All_White(*rm.Get_Layered_Map()));
}

TEST_F(RenderManTest, OutlineIsBackedUpAndRestored) {
  EXPECT_FALSE(rm.Backup_Outline_Map());
  EXPECT_FALSE(rm.Restore_Outline_Map_from_Backup(err));
  EXPECT_EQ(err, "RenderMan::Restore_Outline_Map_from_Backup FAILED, m_outlineMapBackup is NULL.");

  rm.Set_Outline_Map(Filled(6, 4, 8, 255, 255, 255));
  rm.Get_Outline_Map()->Set_Pixel(2, 1, 17, 17, 17);
  ASSERT_TRUE(rm.Backup_Outline_Map());
  EXPECT_EQ(rm.Get_Outline_Map_Backup()->Get_Depth(), 8);
  rm.Get_Outline_Map()->Set_Pixel(2, 1, 200, 0, 0);
  ASSERT_TRUE(rm.Restore_Outline_Map_from_Backup(err)) << err;
  EXPECT_EQ(Pixel(*rm.Get_Outline_Map(), 2, 1)[0], 17);

  // An outline of another size is replaced by a 24-bit one of the backup's size.
  rm.Set_Outline_Map(Filled(3, 3, 24, 0, 0, 0));
  ASSERT_TRUE(rm.Restore_Outline_Map_from_Backup(err)) << err;
  EXPECT_EQ(rm.Get_Outline_Map()->Get_Width(), 6);
  EXPECT_EQ(rm.Get_Outline_Map()->Get_Depth(), 24);
  EXPECT_EQ(Pixel(*rm.Get_Outline_Map(), 2, 1), (std::vector<int16_t>{17, 17, 17}));
  EXPECT_TRUE(platform.Messages().Texts().empty());
}

// One merged pixel: outline value m over a source pixel, with the settings given.
std::vector<int16_t> Merge_One(RenderMan& rm, int16_t m, std::vector<int16_t> src, int16_t style,
                               int16_t darkness = 100, int16_t liteness = 0, bool whiteOut = false) {
  rm.Set_Outline_Darkness(darkness);
  rm.Set_Outline_Liteness(liteness);
  auto outline = Filled(1, 1, 8, m, m, m);
  auto map = Filled(1, 1, 24, src[0], src[1], src[2]);
  std::string err;
  EXPECT_TRUE(RenderMan::Merge_OutlineMap_with_Source(rm, whiteOut, style, outline.get(), map.get(),
                                                      map.get(), err, Make_RectShrt(0, 0, 0, 0)))
      << err;
  return Pixel(*map, 0, 0);
}

TEST_F(RenderManTest, MergeDarkensByTheStyleFormulas) {
  const std::vector<int16_t> white{255, 255, 255}, warm{250, 240, 230};
  EXPECT_EQ(Merge_One(rm, 230, white, 0), white);                                     // too light to count
  EXPECT_EQ(Merge_One(rm, 229, white, 0), (std::vector<int16_t>{229, 229, 229}));     // k 27, E 26
  EXPECT_EQ(Merge_One(rm, 0, white, 0), (std::vector<int16_t>{55, 55, 55}));          // E 254 capped at 200
  EXPECT_EQ(Merge_One(rm, 100, warm, 0, 50), (std::vector<int16_t>{177, 167, 157}));  // k 78, D 16, E 73
  EXPECT_EQ(Merge_One(rm, 0, warm, 1), (std::vector<int16_t>{20, 10, 0}));            // E 250 capped at 230
  EXPECT_EQ(Merge_One(rm, 0, warm, 1, 100, 40), (std::vector<int16_t>{30, 20, 10}));  // E 220
  EXPECT_EQ(Merge_One(rm, 100, warm, 2, 150, 40), (std::vector<int16_t>{137, 127, 117}));  // E 113
  EXPECT_EQ(Merge_One(rm, 0, warm, 2, 300), (std::vector<int16_t>{80, 70, 60}));        // k capped 255, E 170
  EXPECT_EQ(Merge_One(rm, 0, white, 2), (std::vector<int16_t>{77, 77, 77}));            // E 178
  EXPECT_EQ(Merge_One(rm, 0, white, 2, 100, -20), (std::vector<int16_t>{75, 75, 75}));  // E 199 capped at 180
  EXPECT_EQ(Merge_One(rm, 200, warm, 0, 100, 200), warm);                               // negative E is 0
  EXPECT_EQ(Merge_One(rm, 0, warm, 7), warm);                                           // unknown style
  EXPECT_EQ(Merge_One(rm, 0, warm, 0, 100, 0, true), white);                            // white-out
}

TEST_F(RenderManTest, MergeScalesTheOutlineOntoTheAreaAtTheOrigin) {
  auto outline = Filled(2, 2, 24, 255, 255, 255);
  outline->Set_Pixel(1, 0, 0, 0, 0);
  auto source = Filled(5, 5, 24, 255, 255, 255);
  auto dest = Filled(5, 5, 24, 1, 1, 1);
  // The rectangle's extent (4 x 4) is what counts, not its position.
  ASSERT_TRUE(RenderMan::Merge_OutlineMap_with_Source(rm, false, 0, outline.get(), source.get(), dest.get(),
                                                      err, Make_RectShrt(10, 20, 13, 23)));
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 5; ++x) {
      const int16_t expected = (x == 4 || y == 4) ? 1 : ((x >= 2 && y < 2) ? 55 : 255);
      EXPECT_EQ(Pixel(*dest, x, y)[0], expected) << x << "," << y;
    }
  }

  rm.Set_Hide_Outline(1);
  auto untouched = Filled(2, 2, 24, 9, 9, 9);
  EXPECT_TRUE(RenderMan::Merge_OutlineMap_with_Source(rm, false, 0, outline.get(), source.get(),
                                                      untouched.get(), err, Make_RectShrt(0, 0, 1, 1)));
  EXPECT_EQ(Pixel(*untouched, 1, 0)[0], 9);
  rm.Set_Hide_Outline(0);
  EXPECT_TRUE(RenderMan::Merge_OutlineMap_with_Source(rm, false, 0, nullptr, nullptr, nullptr, err,
                                                      Make_RectShrt(0, 0, 1, 1)));
  EXPECT_FALSE(RenderMan::Merge_OutlineMap_with_Source(rm, false, 0, outline.get(), nullptr, dest.get(), err,
                                                       Make_RectShrt(0, 0, 1, 1)));
  EXPECT_EQ(err, "RenderMan::Merge_OutlineMap_with_Source FAILED, destinationMap or sourceMap is NULL");
  EXPECT_FALSE(RenderMan::Merge_OutlineMap_with_Source(rm, false, 0, outline.get(), source.get(), dest.get(),
                                                       err, Make_RectShrt(5, 0, 4, 3)));
  EXPECT_EQ(err, "RenderMan::Merge_OutlineMap_with_Source FAILED, ratioRct has no assignment.");
}

}  // namespace
