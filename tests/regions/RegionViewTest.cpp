// The region view: drawing by drawing code into a map surface, the red
// ellipse of a region without display map, geometry and hit test, the move
// and resize handles, and the commands a drag becomes.

#include <gtest/gtest.h>

#include <string>

#include "RegionTestMaps.h"
#include "regions/RegionSubject.h"
#include "regions/RegionView.h"
#include "support/TestSupport.h"
#include "views/Commands.h"
#include "views/HandleFrame.h"
#include "views/ListComponentSubject.h"
#include "views/OffMapDrawSurface.h"
#include "views/Pane.h"

using namespace region_test;

namespace {

const Color kBackground{100, 100, 100};

class TestPane : public Pane {
 public:
  void Update_Appearance(Pane* /*pane*/) override {}
};

class RegionViewTest : public ::testing::Test {
 protected:
  RegionViewTest() : canvas(White_Map(100, 60)), surface(*canvas) {
    Paint_Rect(*canvas, 0, 0, 99, 59, kBackground);
    auto display = White_Map(4, 2);
    display->Set_Pixel(1, 0, 200, 0, 0);
    display->Set_Pixel(2, 0, 0, 200, 0);
    display->Set_Pixel(3, 1, 0, 0, 200);
    region = Region_With_Map(*display, 10, 5);
    region->Get_Auto_Descriptor().frame.Set_Size(8, 4);  // the display map stretched twice
    region->Get_Auto_Descriptor().color = Pack_RGB(10, 200, 30);
    view_ = region->Create_ComponentView();
    view = dynamic_cast<RegionView*>(view_.get());
  }

  bool Canvas_Unchanged_Outside(int32_t left, int32_t top, int32_t right, int32_t bottom) const {
    for (int32_t y = 0; y < 60; ++y)
      for (int32_t x = 0; x < 100; ++x)
        if ((x < left || x > right || y < top || y > bottom) && !(Pixel(*canvas, x, y) == kBackground))
          return false;
    return true;
  }

  std::unique_ptr<OffMap> canvas;
  OffMapDrawSurface surface;
  TestPlatform platform;
  std::unique_ptr<RegionSubject> region;
  std::unique_ptr<ComponentView> view_;
  RegionView* view = nullptr;
};

}  // namespace

TEST_F(RegionViewTest, CodeSevenStretchesTheDisplayMapWithWhiteLeftOut) {
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->Get_Region(), region.get());
  ASSERT_TRUE(view->Draw_MemBitmap(surface, RegionView::kDrawMaps, 0, platform.Messages()));
  EXPECT_EQ(Pixel(*canvas, 10, 5), kBackground);
  EXPECT_EQ(Pixel(*canvas, 11, 6), kBackground);
  EXPECT_EQ(Pixel(*canvas, 12, 5), (Color{200, 0, 0}));
  EXPECT_EQ(Pixel(*canvas, 13, 6), (Color{200, 0, 0}));
  EXPECT_EQ(Pixel(*canvas, 14, 5), (Color{0, 200, 0}));
  EXPECT_EQ(Pixel(*canvas, 17, 8), (Color{0, 0, 200}));
  EXPECT_TRUE(Canvas_Unchanged_Outside(10, 5, 17, 8));
  EXPECT_TRUE(platform.Messages().Texts().empty());

  // Code 4 with a pane parameter of 1 or more draws the same; a plain list
  // pane draws as code 7.
  auto again = White_Map(100, 60);
  OffMapDrawSurface second(*again);
  ASSERT_TRUE(view->Draw_MemBitmap(second, RegionView::kDrawCentroids, 2, platform.Messages()));
  EXPECT_EQ(Pixel(*again, 13, 6), (Color{200, 0, 0}));
  again->Fill(255);
  view->Draw_ComponentView(second, nullptr);
  EXPECT_EQ(Pixel(*again, 17, 8), (Color{0, 0, 200}));
}

TEST_F(RegionViewTest, CodeFourDrawsACentroidDotForSubRegionsOnly) {
  region->Get_Auto_Descriptor().frame.Set_Position(40, 20);
  region->Get_CentroidX() = 10;
  region->Get_CentroidY() = 10;  // the dot's square is (30, 10) - (69, 49)
  ASSERT_TRUE(view->Draw_MemBitmap(surface, RegionView::kDrawCentroids, 0, platform.Messages()));
  const Color dot{10, 200, 30};
  EXPECT_EQ(Pixel(*canvas, 50, 30), dot);
  EXPECT_EQ(Pixel(*canvas, 30, 30), dot);
  EXPECT_EQ(Pixel(*canvas, 69, 30), dot);
  EXPECT_EQ(Pixel(*canvas, 50, 10), dot);
  EXPECT_EQ(Pixel(*canvas, 50, 49), dot);
  EXPECT_EQ(Pixel(*canvas, 31, 11), kBackground);  // the square's corner
  EXPECT_TRUE(Canvas_Unchanged_Outside(30, 10, 69, 49));

  canvas->Fill(255);
  region->Set_Generation_Code(RegionSubject::kSeparationRegion);
  ASSERT_TRUE(view->Draw_MemBitmap(surface, RegionView::kDrawCentroids, 0, platform.Messages()));
  ASSERT_TRUE(view->Draw_MemBitmap(surface, 5, 0, platform.Messages()));
  ASSERT_TRUE(view->Draw_MemBitmap(surface, 3, 0, platform.Messages()));
  EXPECT_TRUE(Same_Pixels(*canvas, *White_Map(100, 60)));
}

TEST_F(RegionViewTest, RegionWithoutDisplayMapIsARedEllipse) {
  Drop_Display_Map(*region);
  ASSERT_TRUE(view->Draw_MemBitmap(surface, RegionView::kDrawMaps, 0, platform.Messages()));
  EXPECT_EQ(Pixel(*canvas, 13, 6), (Color{255, 0, 0}));
  EXPECT_EQ(Pixel(*canvas, 10, 5), kBackground);
  EXPECT_TRUE(Canvas_Unchanged_Outside(10, 5, 17, 8));
}

TEST_F(RegionViewTest, AViewOfAnotherSubjectDrawsNothingAndSaysSo) {
  ListComponentSubject notARegion;
  RegionView stray;
  notARegion.Attach_ComponentView(&stray);
  EXPECT_EQ(stray.Get_Region(), nullptr);
  EXPECT_FALSE(stray.Draw_MemBitmap(surface, RegionView::kDrawMaps, 0, platform.Messages()));
  ASSERT_EQ(platform.Messages().Texts().size(), 1u);
  EXPECT_EQ(platform.Messages().Texts()[0],
            "RegionView::Draw_MemBitmap,  bad dynamic cast for RegionSubject.");
  stray.Draw_ComponentView(surface, nullptr);
  EXPECT_TRUE(Canvas_Unchanged_Outside(0, 0, -1, -1));
  notARegion.Detach_ComponentView(&stray);
}

TEST_F(RegionViewTest, GeometryFollowsTheFrameAndThePane) {
  view->Update_Size(nullptr);
  RectLong r;
  view->Get_Graphic().Get_Rect(r);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 5);
  EXPECT_EQ(r.right, 17);
  EXPECT_EQ(r.bottom, 8);

  TestPane pane;
  pane.Get_Graphic().Set_Position(10, 10);
  pane.Get_Graphic().Set_Size(640, 480);
  view->Update_Size(&pane);
  view->Get_Graphic().Get_Rect(r);
  EXPECT_EQ(r.left, 20);
  EXPECT_EQ(r.bottom, 18);

  Eventj event;
  event.point.x = 27;
  event.point.y = 18;
  EXPECT_EQ(view->Find_ComponentView_at_Point(event), view);
  event.point.x = 28;
  EXPECT_EQ(view->Find_ComponentView_at_Point(event), nullptr);
}

TEST_F(RegionViewTest, HandlesArePlacedByTheirPropertyCodes) {
  RectLong rect;
  rect.left = 10;
  rect.top = 20;
  rect.right = 31;
  rect.bottom = 41;
  view->Get_Graphic().Set_Rect(rect);

  HandleFrame frame(nullptr);
  frame.Get_Handles().Add_To_Tail(new Handlej(nullptr, kHandleResize));
  frame.Get_Handles().Add_To_Tail(new Handlej(nullptr, kHandleMove));
  std::string err;
  ASSERT_TRUE(view->Update_HandleFrame_Coords(&frame, err)) << err;
  EXPECT_EQ(frame.Get_Handles().Get_First()->Get_Center().x, 31);
  EXPECT_EQ(frame.Get_Handles().Get_First()->Get_Center().y, 41);
  EXPECT_EQ(frame.Get_Handles().Get_Last()->Get_Center().x, 20);
  EXPECT_EQ(frame.Get_Handles().Get_Last()->Get_Center().y, 30);

  frame.Get_Handles().Add_To_Tail(new Handlej(nullptr, 9));
  EXPECT_FALSE(view->Update_HandleFrame_Coords(&frame, err));
  EXPECT_EQ(err, "RegionView::Update_HandleFrame_Coords()  failed,  unknown handle.");
  EXPECT_TRUE(view->Update_HandleFrame_Coords(nullptr, err));

  // Selecting the view places both handles without a message.
  Eventj event;
  Manipulatorj* manipulator = nullptr;
  ASSERT_TRUE(view->Create_HandleFrame(event, manipulator, platform.Messages(), err));
  ASSERT_NE(view->Get_HandleFrame(), nullptr);
  RectLong spanned;
  ASSERT_TRUE(view->Get_HandleFrame()->Get_Frame_Rect(spanned));
  EXPECT_EQ(spanned.left, 9);
  EXPECT_EQ(spanned.right, 31);
  EXPECT_TRUE(platform.Messages().Texts().empty());
}

TEST_F(RegionViewTest, DragsBecomeMoveAndSizeCommands) {
  PointShrt delta;
  delta.x = 6;
  delta.y = -3;
  std::unique_ptr<Commandj> move = RegionView::Create_Drag_Command(2, delta);
  ASSERT_NE(dynamic_cast<OffsetGlyphCmnd*>(move.get()), nullptr);
  EXPECT_EQ(move->Get_Property_Code(), 2);
  std::unique_ptr<Commandj> size = RegionView::Create_Drag_Command(3, delta);
  ASSERT_NE(dynamic_cast<SizeCmnd*>(size.get()), nullptr);
  EXPECT_EQ(size->Get_Property_Code(), 4);
  EXPECT_EQ(RegionView::Create_Drag_Command(1, delta), nullptr);
  EXPECT_EQ(RegionView::Create_Drag_Command(4, delta), nullptr);

  ASSERT_TRUE(view->Change_Subject_Property(move.get(), platform.Messages()));
  ASSERT_TRUE(view->Change_Subject_Property(size.get(), platform.Messages()));
  EXPECT_EQ(region->Get_Graphic().Get_Position().x, 16);
  EXPECT_EQ(region->Get_Graphic().Get_Position().y, 2);
  EXPECT_EQ(region->Get_Graphic().Get_Width(), 14);
  EXPECT_EQ(region->Get_Graphic().Get_Height(), 5);
}
