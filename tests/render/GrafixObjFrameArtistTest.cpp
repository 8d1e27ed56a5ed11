// The map panes' frame artist: which map each pane kind shows, the texts
// for maps that are missing, and the pane that draws it one to one.

#include <gtest/gtest.h>

#include "raster/OffMap.h"
#include "render/GrafixObjFrameArtist.h"
#include "render/RenderMan.h"
#include "support/TestSupport.h"
#include "views/OffMapDrawSurface.h"
#include "views/OffmapPane.h"

namespace {

using MapSlot = GrafixObjFrameArtist::MapSlot;

TEST(GrafixObjFrameArtist, EveryKindsTextsForAMissingMap) {
  struct Case {
    int32_t kind;
    const char* notAssigned;
    const char* noMap;
  };
  const Case cases[] = {
      {1, "GrafixObjFrameArtist::Get_OffMap failed,   m_sourceMapAddr was not assigned.",
       "GrafixObjFrameArtist::Get_OffMap failed,   m_sourceMapAddr is NULL."},
      {3, "GrafixObjFrameArtist::Get_OffMap failed,   m_layeredMapAddr was not assigned.",
       "GrafixObjFrameArtist::Get_OffMap failed,   m_layeredMapAddr is NULL."},
      {4, "GrafixObjFrameArtist::Get_OffMap failed,   m_subtractMapAddr was not assigned.",
       "GrafixObjFrameArtist::Get_OffMap failed,   m_subtractMapAddr is NULL."},
      {5, "GrafixObjFrameArtist::Get_OffMap failed,   m_currentSepartionMapAddr was not assigned.",
       "RegionDetectorApp::m_currentSepsOffmap has NOT been assigned yet. Nothing to show in the "
       "CurSeparationWindow. No real error."},
      {6, "GrafixObjFrameArtist::Get_OffMap failed,   m_filtersMapAddr was not assigned.",
       "GrafixObjFrameArtist::Get_OffMap failed,   m_filtersMapAddr is NULL."},
  };
  GrafixObjFrameArtist unassigned(nullptr, nullptr, nullptr, nullptr, nullptr);
  MapSlot source, subtract, layered, filters, separation;
  GrafixObjFrameArtist empty(&source, &subtract, &layered, &filters, &separation);
  std::string err;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    EXPECT_EQ(unassigned.Get_OffMap(c.kind, err), nullptr);
    EXPECT_EQ(err, c.notAssigned);
    EXPECT_EQ(empty.Get_OffMap(c.kind, err), nullptr);
    EXPECT_EQ(err, c.noMap);
  }
  for (const int32_t kind : {0, 7, -1}) {
    EXPECT_EQ(empty.Get_OffMap(kind, err), nullptr);
    EXPECT_EQ(err, "GrafixObjFrameArtist::Get_OffMap failed,   case was not assigned.");
  }
  // The region views draw themselves: no map, and nothing wrong.
  err = "left over";
  EXPECT_EQ(empty.Get_OffMap(2, err), nullptr);
  EXPECT_EQ(err, "");
}

TEST(GrafixObjFrameArtist, ReadsTheRenderManagersMapsAtEachCall) {
  TestPlatform platform;
  RenderMan renderMan(platform.Get());
  std::unique_ptr<GrafixObjFrameArtist> artist = GrafixObjFrameArtist::For_RenderMan(renderMan);
  std::string err;
  EXPECT_EQ(artist->Get_OffMap(1, err), nullptr);
  EXPECT_EQ(err, "GrafixObjFrameArtist::Get_OffMap failed,   m_sourceMapAddr is NULL.");
  ASSERT_TRUE(renderMan.Alloc_Source_Bitmaps_for_Virtual_Project(30, 20, err)) << err;
  ASSERT_TRUE(renderMan.Alloc_Support_Bitmaps_for_Image_Creation(20, 30, err)) << err;
  EXPECT_EQ(artist->Get_OffMap(1, err), renderMan.Get_Source_Map());
  EXPECT_EQ(artist->Get_OffMap(3, err), renderMan.Get_Layered_Map());
  EXPECT_EQ(artist->Get_OffMap(4, err), renderMan.Get_Subtract_Map());
  // The displayed filter map, not the hidden one.
  EXPECT_EQ(artist->Get_OffMap(6, err), renderMan.Get_Displayed_Filtered_Map());
  EXPECT_EQ(err, "");
  // A map made anew is the one handed out next.
  ASSERT_TRUE(renderMan.Alloc_Source_Bitmaps_for_Virtual_Project(40, 10, err)) << err;
  const OffMap* source = artist->Get_OffMap(1, err);
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->Get_Width(), 40);
  // No member is ever given for the current separation.
  EXPECT_EQ(artist->Get_OffMap(5, err), nullptr);
  EXPECT_EQ(err, "GrafixObjFrameArtist::Get_OffMap failed,   m_currentSepartionMapAddr was not assigned.");
}

// A pane of the map's kind, drawn into a window surface.
class OffmapPaneTest : public ::testing::Test {
 protected:
  void Build(int32_t kind, int32_t width, int32_t height) {
    pane.Set_Pane_Kind(kind);
    PaneLayout layout;
    layout.leftEdge = 10;
    layout.topEdge = 10;
    layout.rightEdge = static_cast<int16_t>(width + 9);
    layout.bottomEdge = static_cast<int16_t>(height + 9);
    pane.Set_Layout(layout);
    std::string err;
    ASSERT_TRUE(pane.Update_Size_to_Window(width + 20, height + 20, err)) << err;
    pane.Set_FrameArtist(std::make_unique<GrafixObjFrameArtist>(&source, nullptr, &layered, nullptr));
  }
  // The window: grey, so that what the pane leaves white shows.
  OffMap window{80, 60, 24};
  OffMapDrawSurface windowSurface{window};
  OffmapPane pane;
  MapSlot source, layered;
  TestPlatform platform;
};

TEST_F(OffmapPaneTest, ShowsTheMapOneToOneAtTheMargin) {
  Build(3, 50, 30);
  layered = std::make_unique<OffMap>(70, 40, 24);  // larger than the pane
  for (int32_t y = 0; y < 40; ++y)
    for (int32_t x = 0; x < 70; ++x)
      layered->Set_Pixel(x, y, static_cast<int16_t>(x * 3), static_cast<int16_t>(y * 5), 7);
  window.Fill(0);
  pane.Render_Animation_Frame(&windowSurface, platform.Messages());
  int32_t wrong = 0;
  for (int32_t y = 0; y < 60; ++y) {
    for (int32_t x = 0; x < 80; ++x) {
      int16_t r, g, b;
      window.Get_Pixel(x, y, r, g, b);
      const bool inside = x >= 10 && x < 60 && y >= 10 && y < 40;
      // Only the top-left 50 x 30 of the map, unscaled, and nothing around it.
      const bool right =
          inside ? (r == (x - 10) * 3 && g == (y - 10) * 5 && b == 7) : (r == 0 && g == 0 && b == 0);
      wrong += right ? 0 : 1;
    }
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_TRUE(platform.Messages().Texts().empty());
}

TEST_F(OffmapPaneTest, MissingOrUndrawableMapsLeaveTheGroundWhite) {
  Build(1, 20, 20);
  window.Fill(0);
  pane.Render_Animation_Frame(&windowSurface, platform.Messages());
  int16_t r, g, b;
  window.Get_Pixel(15, 15, r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);
  // A map of a depth the program does not draw is skipped.
  source = std::make_unique<OffMap>(20, 20, 16);
  window.Fill(0);
  pane.Render_Animation_Frame(&windowSurface, platform.Messages());
  window.Get_Pixel(15, 15, r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);
  // Other kinds of the artist's (here one whose address was never given)
  // are white too; none of this is worth a message.
  Build(4, 20, 20);
  pane.Render_Animation_Frame(&windowSurface, platform.Messages());
  EXPECT_TRUE(platform.Messages().Texts().empty());
}

TEST_F(OffmapPaneTest, WithoutAnArtistSaysSo) {
  pane.Render_Animation_Frame(&windowSurface, platform.Messages());
  EXPECT_EQ(platform.Messages().Texts(),
            std::vector<std::string>{"OffmapPane::Render_Animation_Frame  failed,  frameArtist is NULL."});
}

TEST(PaneLayout, ComputedEdges) {
  OffmapPane pane;
  PaneLayout layout;  // fractions 0 .. 256 of the whole area
  layout.leftFraction = 64;
  layout.rightFraction = 192;
  pane.Set_Layout(layout);
  std::string err;
  ASSERT_TRUE(pane.Update_Size_to_Window(400, 300, err)) << err;
  EXPECT_EQ(pane.Get_Graphic().Get_Position().x, 100);
  EXPECT_EQ(pane.Get_Graphic().Get_Width(), 201);  // 100 .. 300, both included
  EXPECT_EQ(pane.Get_Graphic().Get_Position().y, 0);
  EXPECT_EQ(pane.Get_Graphic().Get_Height(), 301);
  layout.bottomEdgeOffset = 9;  // top and bottom both 300 - 9 - 1
  pane.Set_Layout(layout);
  ASSERT_TRUE(pane.Update_Size_to_Window(400, 300, err)) << err;
  EXPECT_EQ(pane.Get_Graphic().Get_Position().y, 290);
  EXPECT_EQ(pane.Get_Graphic().Get_Height(), 1);
  // The memory bitmap follows the pane's size.
  ASSERT_NE(pane.Get_Memory_Map(), nullptr);
  EXPECT_EQ(pane.Get_Memory_Map()->Get_Width(), 201);
}

TEST(PaneLayout, SubPixelCount) {
  OffmapPane pane;
  pane.Get_Graphic().Set_Size(640, 480);
  pane.Set_SubPixels(25);
  std::string err;
  pane.Set_Zoom(4, 4);
  EXPECT_EQ(pane.Get_SubPixel_Count(err), 4000);
  pane.Set_Zoom(-2, 4);
  EXPECT_EQ(pane.Get_SubPixel_Count(err), 32000);
  pane.Set_Zoom(0, 4);
  EXPECT_EQ(pane.Get_SubPixel_Count(err), -1);
  EXPECT_EQ(err, "PaneMemory::Get_SubPixel_Count() failed,  has zero horz zoom value.");
}

}  // namespace
