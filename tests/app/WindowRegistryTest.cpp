// The window registry without a toolkit: opening the six configurations,
// forced and unforced opening, the panes and their geometry, resizing,
// redrawing and closing.

#include <gtest/gtest.h>

#include "FakeWindows.h"
#include "regions/RegionListSubject.h"
#include "regions/RegionsListView.h"
#include "render/GrafixObjFrameArtist.h"
#include "render/RenderMan.h"
#include "support/TestSupport.h"
#include "views/OffmapPane.h"

namespace {

class WindowRegistryTest : public ::testing::Test {
 protected:
  WindowRegistryTest() { registry.Set_Factory(&factory); }

  // A black source map of this size, as a loaded photo leaves one.
  void Make_Source(int32_t width, int32_t height) {
    std::string err;
    ASSERT_TRUE(renderMan.Alloc_Source_Bitmaps_for_Virtual_Project(width, height, err)) << err;
    ASSERT_TRUE(renderMan.Alloc_Support_Bitmaps_for_Image_Creation(height, width, err)) << err;
  }
  Viewj* Open(int16_t code) {
    std::string err;
    EXPECT_TRUE(registry.Open_Editors_Window(code, 0, err)) << err;
    return registry.Get_Viewjs().Get_First();
  }
  FakeWindow& Window(const Viewj* record) { return *factory.Window_of(record); }
  std::vector<std::string> Messages() { return platform.Messages().Texts(); }

  TestPlatform platform;
  RenderMan renderMan{platform.Get()};
  RegionListSubject list{renderMan};
  WindowRegistry registry{renderMan, list, platform.Messages()};
  FakeFactory factory{registry};
};

TEST_F(WindowRegistryTest, EachConfigurationOpensWithItsTitlePaneAndRectangle) {
  struct Expected {
    int16_t code;
    const char* title;
    int32_t paneKind;
    RectLong rect;
  };
  const Expected expected[] = {
      {3, "Photo", 1, {{}, 30, 310, 390, 790}},
      {4, "Region OBJECTS", 2, {{}, 970, 500, 1330, 980}},
      {5, "Layered", 3, {{}, 10, 10, 370, 490}},
      {6, "SUBTRACTED Result", 4, {{}, 490, 500, 850, 980}},
      {7, "Cur Select REGION", 5, {{}, 970, 10, 1330, 490}},
      {8, "PreProcessing", 6, {{}, 490, 10, 850, 490}},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.title);
    Viewj* record = Open(e.code);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->Get_Title(), e.title);
    EXPECT_EQ(record->Get_Configuration_Code(), e.code);
    EXPECT_EQ(record->Get_View_Kind(), 4);
    EXPECT_TRUE(record->Is_Map_Window());
    EXPECT_EQ(factory.titles.back(), e.title);
    EXPECT_EQ(factory.styles.back(), MapWindowStyle::Plain);
    const FakeWindow& window = Window(record);
    EXPECT_EQ(window.code, e.code);
    EXPECT_EQ(window.rect.left, e.rect.left);
    EXPECT_EQ(window.rect.top, e.rect.top);
    EXPECT_EQ(window.outerW, 360);
    EXPECT_EQ(window.outerH, 480);
    // The drawing area measured at registration: the client area.
    EXPECT_EQ(record->Get_Drawing_Width(), 352);
    EXPECT_EQ(record->Get_Drawing_Height(), 450);
    Pane* pane = record->Get_First_Pane();
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->Get_Pane_Kind(), e.paneKind);
    EXPECT_EQ(dynamic_cast<RegionsListView*>(pane) != nullptr, e.code == 4);
    EXPECT_EQ(dynamic_cast<OffmapPane*>(pane) != nullptr, e.code != 4);
    EXPECT_NE(dynamic_cast<GrafixObjFrameArtist*>(pane->Get_FrameArtist()), nullptr);
    // The newest record is the only active one.
    EXPECT_EQ(registry.Get_Active_Viewj(), record);
  }
  int32_t active = 0;
  for (ListLink<Viewj>* link = registry.Get_Viewjs().Get_Head_Link(); link != nullptr;
       link = link->Get_Next())
    active += link->Get_Object()->Is_Active() ? 1 : 0;
  EXPECT_EQ(active, 1);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(WindowRegistryTest, CodesOutsideTheProgramOpenNothing) {
  std::string err;
  EXPECT_FALSE(registry.Open_Editors_Window(9, 0, err));
  EXPECT_EQ(err, "UniEditorApp::Open_Editors_Window  failed,  unknown configurationCode.");
  EXPECT_FALSE(registry.Open_Editors_Window(-1, 0, err));
  EXPECT_EQ(err, "UniEditorApp::Open_Editors_Window  failed,  unknown configurationCode.");
  // The framework's own configurations are known, but have no window here.
  EXPECT_FALSE(registry.Open_Editors_Window(1, 0, err));
  EXPECT_EQ(err, "Open_SPitchList_Window_GLB() is not implemented yet.");
  EXPECT_EQ(registry.Count_Viewjs(), 0);
  EXPECT_TRUE(factory.windows.empty());

  factory.failure = "Open_Grafix_Window_QvSep_GLB  FAILED :  Create_Mod.";
  EXPECT_FALSE(registry.Open_New_Window_of_Code(kWindowPhoto));
  EXPECT_EQ(Messages(), std::vector<std::string>{"Open_Grafix_Window_QvSep_GLB  FAILED :  Create_Mod."});
  EXPECT_EQ(registry.Count_Viewjs(), 0);
}

TEST_F(WindowRegistryTest, StyleSelectors) {
  std::string err;
  ASSERT_TRUE(registry.Open_Editors_Window(3, 1, err)) << err;
  ASSERT_TRUE(registry.Open_Editors_Window(3, 7, err)) << err;
  EXPECT_EQ(factory.styles,
            (std::vector<MapWindowStyle>{MapWindowStyle::Scrolling, MapWindowStyle::PlatformDefault}));
}

TEST_F(WindowRegistryTest, ForcedOpeningAddsAWindowUnforcedReusesOne) {
  EXPECT_EQ(registry.Count_Viewjs_of_Code(kWindowLayered), 0);
  EXPECT_TRUE(registry.Open_Window_of_Code(kWindowPhoto, true));
  EXPECT_TRUE(registry.Open_Window_of_Code(kWindowPhoto, true));
  EXPECT_EQ(registry.Count_Viewjs_of_Code(kWindowPhoto), 2);
  EXPECT_TRUE(registry.Open_Window_of_Code(kWindowLayered, false));
  EXPECT_TRUE(registry.Open_Window_of_Code(kWindowLayered, false));
  EXPECT_EQ(registry.Count_Viewjs_of_Code(kWindowLayered), 1);
  EXPECT_EQ(registry.Count_Viewjs(), 3);
  // Without a source map nothing is resized.
  for (const auto& window : factory.windows) EXPECT_EQ(window->outerW, 360);
}

TEST_F(WindowRegistryTest, WithASourceMapEveryWindowOfTheCodeTakesItsSize) {
  Make_Source(800, 600);
  ASSERT_TRUE(registry.Open_Window_of_Code(kWindowPhoto, false));
  ASSERT_TRUE(registry.Open_Window_of_Code(kWindowSubtracted, false));
  for (const auto& window : factory.windows) {
    int32_t w = 0, h = 0;
    window->Get_Client_Size(w, h);
    EXPECT_EQ(w, 820);  // the picture and a 10-pixel margin on each side
    EXPECT_EQ(h, 620);
  }
}

TEST_F(WindowRegistryTest, ReSizeAndRedrawAddsBordersAndMargins) {
  Viewj* record = Open(kWindowLayered);
  std::string err;
  ASSERT_TRUE(record->ReSize_and_Redraw(400, 300, err)) << err;
  EXPECT_EQ(Window(record).outerW, 428);  // 400 + 8 + 20
  EXPECT_EQ(Window(record).outerH, 350);  // 300 + 30 + 20

  // Measured borders below 0 (a client area larger than the window) count
  // as 12 x 32.
  Window(record).borderW = -5;
  Window(record).borderH = -1;
  int32_t bw = 0, bh = 0;
  ASSERT_TRUE(record->Get_Control_Borders_Size(bw, bh, err));
  EXPECT_EQ(bw, 12);
  EXPECT_EQ(bh, 32);
  ASSERT_TRUE(record->ReSize_and_Redraw(400, 300, err)) << err;
  EXPECT_EQ(Window(record).outerW, 432);
  EXPECT_EQ(Window(record).outerH, 352);

  Window(record).hasHandle = false;
  EXPECT_FALSE(record->ReSize_and_Redraw(400, 300, err));
  EXPECT_EQ(err, "Viewj::ReSize_and_Redraw  FAILED,   m_hWnd is 0.");

  Viewj lone;
  EXPECT_FALSE(lone.ReSize_and_Redraw(400, 300, err));
  EXPECT_EQ(err, "Viewj::ReSize_and_Redraw  FAILED,  m_pWindow is NULL.");
  EXPECT_FALSE(lone.Get_Control_Borders_Size(bw, bh, err));
  EXPECT_EQ(err, " Viewj::Get_Control_Borders_Size  failed,  m_pWindow is null.");
  int32_t w = 0, h = 0;
  EXPECT_FALSE(lone.Get_Drawing_Area_Size(w, h, err));
  EXPECT_EQ(err, " Viewj::Get_Drawing_Area_Size  failed,  m_pWindow is null.");
}

TEST_F(WindowRegistryTest, ResizingAllStopsAtTheFirstFailure) {
  Viewj* photo = Open(kWindowPhoto);
  Viewj* layered = Open(kWindowLayered);  // newest: resized first
  Window(layered).hasHandle = false;
  std::string err;
  EXPECT_FALSE(registry.ReSize_All_Viewjs(400, 300, err));
  EXPECT_EQ(err, "Viewj::ReSize_and_Redraw  FAILED,   m_hWnd is 0.");
  EXPECT_EQ(Window(photo).outerW, 360);
  ASSERT_TRUE(registry.ReSize_Viewjs_of_Code(400, 300, kWindowPhoto, err)) << err;
  EXPECT_EQ(Window(photo).outerW, 428);
}

TEST_F(WindowRegistryTest, MapPaneGeometry) {
  Make_Source(640, 480);
  Viewj* record = Open(kWindowPhoto);
  Pane* pane = record->Get_First_Pane();
  const Graphic& g = pane->Get_Graphic();
  EXPECT_EQ(g.Get_Position().x, 10);
  EXPECT_EQ(g.Get_Position().y, 10);
  EXPECT_EQ(g.Get_Width(), 640);
  EXPECT_EQ(g.Get_Height(), 480);
  EXPECT_EQ(pane->Get_Horizontal_Zoom(), 4);
  EXPECT_EQ(pane->Get_Vertical_Zoom_Mode(), 4);
  EXPECT_EQ(pane->Get_SubPixels(), 25);
  std::string err;
  EXPECT_EQ(pane->Get_SubPixel_Count(err), 640 * 25 / 4);
  // The bitmap, and with it the artist's target, has the picture's size.
  auto* memory = dynamic_cast<PaneMemory*>(pane);
  ASSERT_NE(memory->Get_Memory_Map(), nullptr);
  EXPECT_EQ(memory->Get_Memory_Map()->Get_Width(), 640);
  EXPECT_EQ(pane->Get_FrameArtist()->Get_Width(), 640);
  EXPECT_EQ(pane->Get_FrameArtist()->Get_Height(), 480);
  // Fixed edges: a window of another size keeps the pane as it is.
  record->Size_Changed(100, 90, platform.Messages());
  EXPECT_EQ(g.Get_Width(), 640);
  EXPECT_EQ(g.Get_Height(), 480);
}

TEST_F(WindowRegistryTest, WithoutAPhotoThePaneIs50By50) {
  Viewj* record = Open(kWindowLayered);
  const Graphic& g = record->Get_First_Pane()->Get_Graphic();
  EXPECT_EQ(g.Get_Width(), 50);
  EXPECT_EQ(g.Get_Height(), 50);
}

TEST_F(WindowRegistryTest, PaneFailures) {
  std::string err;
  EXPECT_FALSE(registry.ReBuild_Viewjs_Panes(nullptr, err));
  EXPECT_EQ(err, "GrafixWindowQvSep::ReBuild_Viewjs_Panes  failed,  Viewj is null.");
  Viewj* record = Open(kWindowPhoto);
  record->Set_View_Kind(2);
  EXPECT_FALSE(registry.ReBuild_Viewjs_Panes(record, err));
  EXPECT_EQ(err, "GrafixWindowQvSep::ReBuild_Viewjs_Panes  failed,  unknown Viewj type.");
  EXPECT_FALSE(registry.Add_Pane_ObjectDraw(record, 7, err));
  EXPECT_EQ(err, "GrafixWindowQvSep::Add_Pane_ObjectDraw  failed,   attachment to Subject.");
  EXPECT_FALSE(registry.Add_Pane_ObjectDraw(nullptr, 1, err));
  EXPECT_EQ(err, "GrafixWindowQvSep::Add_Pane_ObjectDraw  failed,  Viewj is null.");
  EXPECT_FALSE(registry.Register_Viewj_Simple(nullptr, record, err));
  EXPECT_EQ(err, "UniEditorApp::Register_Viewj_Simple() failed,  NULL  windAddress.");
  EXPECT_FALSE(registry.Register_Viewj_Simple(record->Get_Window(), nullptr, err));
  EXPECT_EQ(err, "UniEditorApp::Register_Viewj_Simple() failed,  NULL  Viewj.");
}

TEST_F(WindowRegistryTest, LayeredWindowsRedrawInMode118) {
  Viewj* layered = Open(kWindowLayered);
  Viewj* photo = Open(kWindowPhoto);
  registry.Redraw_Viewjs_of_Code(kWindowLayered);
  registry.Redraw_Viewjs_of_Code(kWindowPhoto);
  EXPECT_EQ(Window(layered).redrawModes, std::vector<int32_t>{118});
  EXPECT_EQ(Window(photo).redrawModes, std::vector<int32_t>{0});
  EXPECT_EQ(layered->Get_Redraw_Mode(), 0);
  registry.Redraw_All_Viewjs();
  EXPECT_EQ(Window(layered).redrawModes, (std::vector<int32_t>{118, 0}));
}

TEST_F(WindowRegistryTest, Closing) {
  std::string err;
  EXPECT_FALSE(registry.Close_Window(nullptr, err));
  EXPECT_EQ(err, "UniEditorApp::Close_Window  failed,  window was null.");
  Viewj* photo = Open(kWindowPhoto);
  Open(kWindowPhoto);
  Viewj* layered = Open(kWindowLayered);
  Window(layered).refuseDestroy = true;
  EXPECT_FALSE(registry.Close_Window(layered->Get_Window(), err));
  EXPECT_EQ(err, "UniEditorApp::Close_Window  failed,  DestroyWindow().");

  ASSERT_TRUE(registry.Close_Special_Viewjs(kWindowPhoto, err)) << err;
  EXPECT_EQ(registry.Count_Viewjs_of_Code(kWindowPhoto), 0);
  EXPECT_EQ(registry.Count_Viewjs(), 1);
  (void)photo;

  layered->Set_Window(nullptr);
  EXPECT_FALSE(registry.Close_Special_Viewjs(kWindowLayered, err));
  EXPECT_EQ(err, "UniEditorApp::Close_Special_Viewjs  failed,  Viewj had null pWindow.");

  // A window that will not go is reported and dropped; the rest close.
  Open(kWindowPreProcessing);
  registry.Close_All_Windows();
  EXPECT_EQ(registry.Count_Viewjs(), 0);
  EXPECT_EQ(Messages(), std::vector<std::string>{"UniEditorApp::Close_Window  failed,  window was null."});
}

TEST_F(WindowRegistryTest, RegionObjectsPaneListensToTheRegionList) {
  Viewj* record = Open(kWindowRegionObjects);
  auto* pane = dynamic_cast<RegionsListView*>(record->Get_First_Pane());
  ASSERT_NE(pane, nullptr);
  // The pane listens to the region list.
  EXPECT_EQ(list.Get_ComponentViews_List().Get_First(), pane);
  EXPECT_EQ(pane->Get_Child_ComponentViews_List()->Get_Count(), 0);
  std::string err;
  ASSERT_TRUE(registry.ReCreate_Child_ComponentViews_AllViewjs(err)) << err;
  EXPECT_EQ(Window(record).invalidations, 1);
  // Closing the window detaches its pane from the list.
  ASSERT_TRUE(registry.Close_Window(record->Get_Window(), err));
  EXPECT_EQ(list.Get_ComponentViews_List().Get_Count(), 0);
}

TEST(ModifierCode, OnlyLoneKeysCount) {
  EXPECT_EQ(Modifier_Code(false, false, false), 0);
  EXPECT_EQ(Modifier_Code(true, false, false), 8);
  EXPECT_EQ(Modifier_Code(false, true, false), 4);
  EXPECT_EQ(Modifier_Code(false, false, true), 2);
  EXPECT_EQ(Modifier_Code(true, true, false), 0);
  EXPECT_EQ(Modifier_Code(true, false, true), 0);
  EXPECT_EQ(Modifier_Code(false, true, true), 0);
}

}  // namespace
