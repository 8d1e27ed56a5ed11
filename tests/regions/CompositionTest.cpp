// Composing the layered image: the regions glazed in list order, the
// outline merged last (or first, when animating or when there are no
// regions), scaled composition, regions that cannot be painted, and the
// composer's redraw, erase and allocation operations with the window
// requests they make; the composer and the windows the application hands out.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RegionTestMaps.h"
#include "app/RegionEditorApp.h"
#include "raster/OffMap.h"
#include "regions/LayeredComposer.h"
#include "regions/ModifyColorsController.h"
#include "regions/RegionListFixtures.h"
#include "render/ImageFiles.h"
#include "support/TestSupport.h"

using namespace regionlist_test;

namespace {

constexpr int32_t kWidth = 60;
constexpr int32_t kHeight = 40;
const Rgb kWhite{255, 255, 255};

// The headers of a 24-bit BMP file of 20000 x 10000 pixels, without its rows.
std::string Huge_Bmp_Header() {
  std::string s(54, '\0');
  auto put = [&s](size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) s[at + static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  s[0] = 'B';
  s[1] = 'M';
  put(2, 54, 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, 20000, 4);
  put(22, 10000, 4);
  put(26, 1, 2);
  put(28, 24, 2);
  return s;
}

class CompositionTest : public ::testing::Test {
 protected:
  CompositionTest() {
    std::string err;
    EXPECT_TRUE(app.Get_RenderMan().Create_Layered_Map(kHeight, kWidth));
  }

  OffMap& Layered() { return *app.Get_RenderMan().Get_Layered_Map(); }
  RegionListSubject& List() { return app.Get_RegionList(); }
  const std::vector<std::string>& Requests() { return app.Recorded_Windows().Requests(); }

  // An outline as the outline dialog leaves it: 24-bit, white with a dark
  // block over columns 0..29 and rows 0..19.
  void Add_Outline() {
    RenderMan& rm = app.Get_RenderMan();
    ASSERT_TRUE(rm.Create_Outline_Map(kHeight, kWidth));
    for (int32_t y = 0; y < 20; ++y)
      for (int32_t x = 0; x < 30; ++x) rm.Get_Outline_Map()->Set_Pixel(x, y, 0, 0, 0);
  }

  static BlockSpec Block(int32_t x, int32_t y, int32_t w, int32_t h, int16_t r, int16_t g, int16_t b) {
    BlockSpec shape;
    shape.x = x;
    shape.y = y;
    shape.width = w;
    shape.height = h;
    shape.r = r;
    shape.g = g;
    shape.b = b;
    return shape;
  }

  TestPlatform platform;
  RegionEditorApp app{platform.Get()};
};

}  // namespace

TEST_F(CompositionTest, LaterRegionsAreGlazedOverEarlierOnes) {
  Add_Block(List(), Block(0, 0, 30, 20, 200, 180, 160));    // A
  Add_Block(List(), Block(20, 10, 30, 20, 100, 220, 250));  // B, overlapping A at 20..29 x 10..19
  Layered().Fill(0);
  ASSERT_TRUE(app.Get_Composer().Redraw_Summed_Final_Window());
  EXPECT_EQ(Pixel_At(Layered(), 5, 5), (Rgb{200, 180, 160}));
  EXPECT_EQ(Pixel_At(Layered(), 45, 25), (Rgb{100, 220, 250}));
  // Each channel: paint + what lies under it - 256 (white counting as 256).
  EXPECT_EQ(Pixel_At(Layered(), 25, 15), (Rgb{44, 144, 154}));
  EXPECT_EQ(Pixel_At(Layered(), 55, 35), kWhite);
  EXPECT_EQ(Requests(), (std::vector<std::string>{"redraw 5", "redraw 5"}));
}

TEST_F(CompositionTest, OutlineLiesOverTheRegionsUnlessAnimated) {
  Add_Outline();
  Add_Block(List(), Block(0, 0, 10, 10, 250, 240, 230));
  std::string err;
  // At once: the region, then the outline darkens it by its capped 200.
  ASSERT_TRUE(
      app.Get_Composer().ReDraw_FinalImage_Incrementally(kWindowLayered, 0, List(), Layered(), 100, err))
      << err;
  EXPECT_EQ(Pixel_At(Layered(), 5, 5), (Rgb{50, 40, 30}));
  EXPECT_EQ(Pixel_At(Layered(), 15, 5), (Rgb{55, 55, 55}));
  EXPECT_EQ(Pixel_At(Layered(), 45, 5), kWhite);

  // Animated: the outline first, each region glazed over it as it comes,
  // with the windows redrawn after the outline and after every region.
  Add_Block(List(), Block(40, 30, 5, 5, 10, 10, 10));
  app.Recorded_Windows().Clear();
  ASSERT_TRUE(app.Get_Composer().ReDraw_FinalImage_Incrementally(kWindowRegionObjects, 1, List(), Layered(),
                                                                 100, err))
      << err;
  EXPECT_EQ(Pixel_At(Layered(), 5, 5), (Rgb{49, 39, 29}));
  EXPECT_EQ(Pixel_At(Layered(), 15, 5), (Rgb{55, 55, 55}));
  EXPECT_EQ(Pixel_At(Layered(), 42, 32), (Rgb{10, 10, 10}));
  EXPECT_EQ(Requests(), (std::vector<std::string>{"redraw 4", "redraw 4", "redraw 4"}));
}

TEST_F(CompositionTest, AnEmptyListShowsTheOutlineAloneOrWhite) {
  std::string err;
  Layered().Fill(0);
  ASSERT_TRUE(
      app.Get_Composer().ReDraw_FinalImage_Incrementally(kWindowLayered, 0, List(), Layered(), 100, err));
  EXPECT_EQ(Pixel_At(Layered(), 5, 5), kWhite);
  EXPECT_EQ(Requests(), (std::vector<std::string>{"redraw 5"}));

  Add_Outline();
  ASSERT_TRUE(
      app.Get_Composer().ReDraw_FinalImage_Incrementally(kWindowLayered, 0, List(), Layered(), 100, err));
  EXPECT_EQ(Pixel_At(Layered(), 5, 5), (Rgb{55, 55, 55}));
  EXPECT_EQ(Pixel_At(Layered(), 45, 30), kWhite);

  // A hidden outline is not merged.
  app.Get_RenderMan().Set_Hide_Outline(1);
  ASSERT_TRUE(
      app.Get_Composer().ReDraw_FinalImage_Incrementally(kWindowLayered, 0, List(), Layered(), 100, err));
  EXPECT_EQ(Pixel_At(Layered(), 5, 5), kWhite);
}

TEST_F(CompositionTest, HalfScaleComposesIntoTheTopLeftQuarter) {
  Add_Outline();
  BlockSpec shape = Block(10, 20, 40, 30, 100, 100, 100);
  // A region map of alternating columns: at half size only the even
  // columns are sampled.
  RegionSubject* region = Add_Block(List(), shape);
  for (int32_t y = 0; y < 30; ++y)
    for (int32_t x = 1; x < 40; x += 2) region->Get_Region_Map()->Set_Pixel(x, y, 0, 0, 0);
  std::string err;
  ASSERT_TRUE(
      app.Get_Composer().ReDraw_FinalImage_Incrementally(kWindowLayered, 0, List(), Layered(), 50, err))
      << err;
  // Painted at (5, 10), 20 x 15, from the even columns only.
  EXPECT_EQ(Pixel_At(Layered(), 24, 24), (Rgb{100, 100, 100}));
  EXPECT_EQ(Pixel_At(Layered(), 20, 24), (Rgb{100, 100, 100}));
  EXPECT_EQ(Pixel_At(Layered(), 25, 24), kWhite);
  EXPECT_EQ(Pixel_At(Layered(), 24, 25), kWhite);
  EXPECT_EQ(Pixel_At(Layered(), 4, 12), kWhite);
  // The outline is squeezed into (0, 0, 30, 20): its dark block now ends at
  // column 15 and row 10, over white and over the region.
  EXPECT_EQ(Pixel_At(Layered(), 4, 9), (Rgb{55, 55, 55}));
  EXPECT_EQ(Pixel_At(Layered(), 15, 9), (Rgb{55, 55, 55}));
  EXPECT_EQ(Pixel_At(Layered(), 16, 9), kWhite);
  EXPECT_EQ(Pixel_At(Layered(), 14, 10), (Rgb{0, 0, 0}));
  EXPECT_EQ(Pixel_At(Layered(), 14, 11), (Rgb{100, 100, 100}));
}

TEST_F(CompositionTest, ARegionThatCannotBePaintedIsLeftOut) {
  Add_Block(List(), Block(0, 0, 10, 10, 100, 100, 100));
  RegionSubject* broken = Add_Block(List(), Block(20, 0, 10, 10, 50, 50, 50));
  region_test::Drop_Region_Map(*broken);
  Add_Block(List(), Block(40, 0, 10, 10, 150, 150, 150));
  ASSERT_TRUE(app.Get_Composer().ReDraw_SummedFinalViews_OffMap());
  EXPECT_EQ(Pixel_At(Layered(), 5, 5), (Rgb{100, 100, 100}));
  EXPECT_EQ(Pixel_At(Layered(), 25, 5), kWhite);
  EXPECT_EQ(Pixel_At(Layered(), 45, 5), (Rgb{150, 150, 150}));
  EXPECT_TRUE(platform.Messages().Texts().empty());
}

TEST_F(CompositionTest, RedrawsWithoutALayeredMapShowTheirTexts) {
  app.Get_RenderMan().Drop_Layered_Map();
  EXPECT_FALSE(app.Get_Composer().Redraw_Summed_Final_Window());
  EXPECT_FALSE(app.Get_Composer().ReDraw_SummedFinalViews_OffMap());
  EXPECT_FALSE(app.Get_Composer().Erase_Summed_Final_Window());
  EXPECT_FALSE(app.Get_Composer().Erase_Filtered_Window());
  EXPECT_EQ(platform.Messages().Texts(),
            (std::vector<std::string>{
                "RegionEditorApp::Redraw_Summed_Final_Window FAILED,  destOffMap is NULL.",
                "RegionDetectorApp::ReDraw_SummedFinalViews_OffMap FAILED,  destOffMap is NULL.",
                "RegionEditorApp::Erase_Summed_Final_Window FAILED,  destOffMap is NULL.",
                "RegionEditorApp::Erase_Filtered_Window FAILED,  destOffMap is NULL."}));
  EXPECT_TRUE(Requests().empty());

  // The separation engine's requests arrive through the windows updater.
  ASSERT_TRUE(app.Get_RenderMan().Create_Layered_Map(kHeight, kWidth));
  WindowsUpdater& updater = app.Get_WindowsUpdater();
  updater.Redraw_Subtracted_Window();
  updater.Redraw_Summed_Final_Window();
  EXPECT_EQ(Requests(), (std::vector<std::string>{"redraw 6", "redraw 5", "redraw 5"}));
}

TEST_F(CompositionTest, ErasingWhitensAMapAndRedrawsItsWindows) {
  std::string err;
  ASSERT_TRUE(app.Get_RenderMan().Create_FilterMap_Pair(24, kWidth, kHeight));
  Layered().Fill(0);
  app.Get_RenderMan().Get_Displayed_Filtered_Map()->Fill(0);
  ASSERT_TRUE(app.Get_Composer().Erase_Summed_Final_Window());
  ASSERT_TRUE(app.Get_Composer().Erase_Filtered_Window());
  EXPECT_EQ(Pixel_At(Layered(), 59, 39), kWhite);
  EXPECT_EQ(Pixel_At(*app.Get_RenderMan().Get_Displayed_Filtered_Map(), 0, 0), kWhite);
  EXPECT_EQ(Requests(), (std::vector<std::string>{"redraw 5", "redraw 8"}));
}

TEST_F(CompositionTest, RefreshAfterSeparationsRebuildsViewsThenRecomposes) {
  Add_Block(List(), Block(0, 0, 10, 10, 100, 100, 100));
  Layered().Fill(0);
  std::string err;
  ASSERT_TRUE(app.Get_Composer().Refresh_Views_After_Separations(err)) << err;
  EXPECT_EQ(Pixel_At(Layered(), 5, 5), (Rgb{100, 100, 100}));
  EXPECT_EQ(Requests(), (std::vector<std::string>{"recreate views", "redraw 5", "redraw 5", "redraw 4"}));

  app.Recorded_Windows().Clear();
  app.Recorded_Windows().Set_ReCreate_Failure("views could not be made");
  EXPECT_FALSE(app.Get_Composer().Refresh_Views_After_Separations(err));
  EXPECT_EQ(err, "views could not be made");
  EXPECT_EQ(Requests(), (std::vector<std::string>{"recreate views", "redraw all"}));
}

TEST_F(CompositionTest, LayeredMapTakesTheCanvasSizeOfTheList) {
  std::string err;
  ASSERT_TRUE(List().Set_Canvas_Size(120, 90, err));
  ASSERT_TRUE(app.Get_Composer().Maybe_Alloc_Layers_Bitmap_for_RegionList(err)) << err;
  EXPECT_EQ(Layered().Get_Width(), 120);
  EXPECT_EQ(Layered().Get_Height(), 90);
  EXPECT_EQ(Layered().Get_Depth(), 24);
  EXPECT_EQ(Pixel_At(Layered(), 119, 89), kWhite);
}

TEST_F(CompositionTest, LoadingAnOutlinePictureRecomposesWithIt) {
  TempDir dir;
  std::string err;
  // Cancelled: nothing happens.
  ASSERT_TRUE(app.Get_Composer().Load_Outline_Bitmap(err));
  EXPECT_TRUE(Requests().empty());
  ASSERT_EQ(platform.Dialogs().Asked_Dialogs().size(), 1u);
  EXPECT_EQ(platform.Dialogs().Asked_Dialogs()[0].dialogRequest.filter, "Bitmap Files (*.*)|*.*||");
  EXPECT_EQ(platform.Dialogs().Asked_Dialogs()[0].dialogRequest.defaultExt, "*");

  platform.Dialogs().Queue_Path(std::string());
  EXPECT_FALSE(app.Get_Composer().Load_Outline_Bitmap(err));
  EXPECT_EQ(err, "RegionEditorApp::Load_Outline_Bitmap FAILED,  retSrcFilesPath is empty.");

  // A file the codec cannot read keeps the reader's text; a picture too
  // large to load is explained.
  Write_File_Bytes(dir.File("broken.png"), "not a picture");
  platform.Dialogs().Queue_Path(dir.File("broken.png"));
  EXPECT_FALSE(app.Get_Composer().Load_Outline_Bitmap(err));
  EXPECT_EQ(err, "RenderMan::Load_Outline_File failed,  could not LOAD to the CImage.");
  Write_File_Bytes(dir.File("huge.bmp"), Huge_Bmp_Header());
  platform.Dialogs().Queue_Path(dir.File("huge.bmp"));
  EXPECT_FALSE(app.Get_Composer().Load_Outline_Bitmap(err));
  EXPECT_EQ(err,
            "RegionEditorApp::Load_Outline_Bitmap,  Bitmap file could not be loaded because:  huge.bmp could "
            "not be "
            "loaded:  the picture is 20000 x 10000 pixels; pictures above 100 megapixels are not loaded..");
  EXPECT_TRUE(Requests().empty());

  OffMap outline(kWidth, kHeight, 24);
  outline.Fill(255);
  for (int32_t y = 18; y <= 22; ++y)
    for (int32_t x = 0; x < kWidth; ++x) outline.Set_Pixel(x, y, 0, 0, 0);
  bool cancelled = false;
  std::string path = dir.File("outline.bmp");
  ASSERT_TRUE(Save_Bitmap_File(platform.Get(), cancelled, &outline, path, err)) << err;
  platform.Dialogs().Queue_Path(path);
  ASSERT_TRUE(app.Get_Composer().Load_Outline_Bitmap(err)) << err;
  EXPECT_EQ(Requests(), (std::vector<std::string>{"redraw 5", "redraw 5", "redraw all"}));
  // Style 1 (a loaded picture) over white: min(255 - 0.3, 230) = 230 dark.
  EXPECT_EQ(Pixel_At(Layered(), 30, 20), (Rgb{25, 25, 25}));
  EXPECT_EQ(Pixel_At(Layered(), 30, 10), kWhite);
}

TEST(RegionEditorAppTest, StartsWithNoPhotoNoRegionsAndItsOwnWindowRecord) {
  TestPlatform platform;
  RegionEditorApp app(platform.Get());
  EXPECT_FALSE(app.Has_Source_Photo());
  EXPECT_FALSE(app.Has_Regions());
  EXPECT_EQ(app.Get_Document().regionCounter, 0);
  EXPECT_EQ(app.Get_Document().currentSeparationID, -1);
  EXPECT_EQ(RegionEditorApp::kListFileVersion, 7);
  EXPECT_EQ(app.Count_Viewjs_of_Code(kWindowLayered), 0);
  int32_t w = 0, h = 0;
  app.Get_RegionList().Get_Canvas_Size(w, h);
  EXPECT_EQ(w, 300);
  EXPECT_EQ(h, 300);

  // The shell's windows replace the recording ones.
  RecordingAppWindows shell;
  shell.Set_Open_Count(kWindowLayered, 2);
  app.Set_Windows(shell);
  EXPECT_EQ(app.Count_Viewjs_of_Code(kWindowLayered), 2);
  app.Get_Document().sourcePhotoPath = "/photos/cat.jpg";
  EXPECT_TRUE(app.Has_Source_Photo());
}

TEST(RegionEditorAppTest, PiecesHandedOutEarlyFollowTheWindowsSetLater) {
  struct ShellWindows : RecordingAppWindows {
    int32_t cleared = 0;
    void Clear_Selection() override { ++cleared; }
  };
  TestPlatform platform;
  RegionEditorApp app(platform.Get());
  ASSERT_TRUE(app.Get_RenderMan().Create_Layered_Map(kHeight, kWidth));
  const ListFileContext context = app.List_File_Context();
  WindowsUpdater& updater = app.Get_WindowsUpdater();

  ShellWindows shell;
  app.Set_Windows(shell);
  context.windows.Clear_Selection();
  context.windows.Redraw_All_Viewjs();
  EXPECT_TRUE(context.composer.Erase_Summed_Final_Window());
  updater.Redraw_Subtracted_Window();
  EXPECT_EQ(shell.cleared, 1);
  EXPECT_EQ(shell.Requests(), (std::vector<std::string>{"redraw all", "redraw 5", "redraw 6"}));
  // Clearing the selection is not a request the recording windows keep.
  app.Recorded_Windows().Clear_Selection();
  EXPECT_TRUE(app.Recorded_Windows().Requests().empty());
}

TEST(LayeredComposerTest, ComposesAndScramblesWithoutAnApplication) {
  TestPlatform platform;
  RenderMan renderMan(platform.Get());
  RegionListSubject list(renderMan);
  RecordingAppWindows windows;
  LayeredComposer composer(renderMan, list, windows, platform.Get());
  std::string err;
  list.Replace_Canvas_Size(kWidth, kHeight);
  ASSERT_TRUE(composer.Maybe_Alloc_Layers_Bitmap_for_RegionList(err)) << err;
  ASSERT_EQ(renderMan.Get_Layered_Map()->Get_Width(), kWidth);
  BlockSpec red;
  red.r = 200, red.g = 0, red.b = 0;
  Add_Block(list, red);
  ASSERT_TRUE(composer.Redraw_Summed_Final_Window());
  EXPECT_EQ(Pixel_At(*renderMan.Get_Layered_Map(), 1, 1), (Rgb{200, 0, 0}));
  EXPECT_EQ(Pixel_At(*renderMan.Get_Layered_Map(), 5, 5), kWhite);

  ModifyColorsController dialog({platform.Get(), list, composer, windows}, 1);
  ASSERT_TRUE(dialog.Open());
  ASSERT_TRUE(dialog.On_Scramble_Colors());
  EXPECT_NE(Pixel_At(*renderMan.Get_Layered_Map(), 1, 1), (Rgb{200, 0, 0}));
  ASSERT_TRUE(dialog.On_Cancel());
  EXPECT_EQ(Pixel_At(*renderMan.Get_Layered_Map(), 1, 1), (Rgb{200, 0, 0}));
  EXPECT_EQ(windows.Requests(), (std::vector<std::string>{"redraw 5", "redraw 5", "redraw 5", "redraw 5",
                                                          "redraw 5", "redraw 5", "redraw all"}));
  EXPECT_TRUE(platform.Messages().Texts().empty());
}
