#include <gtest/gtest.h>

#include "ViewFixtures.h"
#include "platform/headless/Headless.h"
#include "raster/OffMap.h"
#include "support/TestSupport.h"
#include "views/HandleFrame.h"
#include "views/OffMapDrawSurface.h"

namespace {

PointShrt Point(int16_t x, int16_t y) {
  PointShrt p;
  p.x = x;
  p.y = y;
  return p;
}

// A 24-bit window map with a different colour in every pixel, so that any
// pixel left inverted shows.
std::unique_ptr<OffMap> Make_Patterned_Window(int32_t width, int32_t height) {
  auto map = std::make_unique<OffMap>(width, height, 24);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x)
      map->Set_Pixel(x, y, static_cast<int16_t>(x * 3), static_cast<int16_t>(y * 5),
                     static_cast<int16_t>(x + y));
  return map;
}

bool Is_Inverted(const OffMap& now, const OffMap& before, int32_t x, int32_t y) {
  int16_t r0, g0, b0, r1, g1, b1;
  before.Get_Pixel(x, y, r0, g0, b0);
  now.Get_Pixel(x, y, r1, g1, b1);
  return r1 == 255 - r0 && g1 == 255 - g0 && b1 == 255 - b0;
}

class HandleFrameTest : public ::testing::Test {
 protected:
  HandleFrameTest()
      : window(Make_Patterned_Window(80, 70)), original(Make_Patterned_Window(80, 70)), surface(*window) {
    view.Get_Graphic().Set_Rect(Make_RectLong(10, 20, 31, 41));
    event.surface = &surface;
  }

  EventLog log;
  HeadlessMessages messages;
  std::string err;
  LoggingView view{"v", &log};
  std::unique_ptr<OffMap> window;
  std::unique_ptr<OffMap> original;
  OffMapDrawSurface surface;
  Eventj event;
  Manipulatorj* manipulator = reinterpret_cast<Manipulatorj*>(&log);  // must be cleared
};

TEST_F(HandleFrameTest, HandlesArePlacedAtCentreAndBottomRight) {
  HandleFrame frame(nullptr);
  frame.Get_Handles().Add_To_Tail(new Handlej(nullptr, kHandleMove));
  frame.Get_Handles().Add_To_Tail(new Handlej(nullptr, kHandleResize));
  ASSERT_TRUE(view.Update_HandleFrame_Coords(&frame, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(frame.Get_Handles().Get_Nth(0)->Get_Center().x, 20);
  EXPECT_EQ(frame.Get_Handles().Get_Nth(0)->Get_Center().y, 30);
  EXPECT_EQ(frame.Get_Handles().Get_Nth(1)->Get_Center().x, 31);
  EXPECT_EQ(frame.Get_Handles().Get_Nth(1)->Get_Center().y, 41);

  // The frame spanned by the handles is the view's rectangle again (the
  // centre rounds down, so an odd extent loses one pixel on the left).
  RectLong r;
  ASSERT_TRUE(frame.Get_Frame_Rect(r));
  EXPECT_EQ(r.left, 9);
  EXPECT_EQ(r.top, 19);
  EXPECT_EQ(r.right, 31);
  EXPECT_EQ(r.bottom, 41);

  view.Get_Graphic().Set_Rect(Make_RectLong(10, 20, 30, 40));
  ASSERT_TRUE(view.Update_HandleFrame_Coords(&frame, err));
  ASSERT_TRUE(frame.Get_Frame_Rect(r));
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right, 30);
  EXPECT_EQ(r.bottom, 40);

  EXPECT_TRUE(view.Update_HandleFrame_Coords(nullptr, err));
}

TEST_F(HandleFrameTest, ExtraHandlesFailButAllAreVisited) {
  HandleFrame frame(nullptr);
  for (int i = 0; i < 4; ++i) frame.Get_Handles().Add_To_Tail(new Handlej(nullptr, kHandleMove));
  frame.Get_Handles().Get_Nth(3)->Set_Center(-7, -7);
  EXPECT_FALSE(view.Update_HandleFrame_Coords(&frame, err));
  EXPECT_EQ(err, "ComponentView::Update_HandleFrame_Coords()  failed,  unknown handle.");
  EXPECT_EQ(frame.Get_Handles().Get_Nth(1)->Get_Center().x, 31);
  EXPECT_EQ(frame.Get_Handles().Get_Nth(3)->Get_Center().x, -7);
  HandleFrame empty(nullptr);
  EXPECT_TRUE(view.Update_HandleFrame_Coords(&empty, err));
  RectLong r;
  EXPECT_FALSE(empty.Get_Frame_Rect(r));
}

TEST_F(HandleFrameTest, HitTestsIncludeTheBounds) {
  Handlej handle(nullptr, kHandleResize);
  handle.Set_Center(100, 200);
  EXPECT_EQ(handle.Get_Half_Width(), 5);
  EXPECT_EQ(handle.Get_Half_Height(), 5);
  EXPECT_TRUE(handle.Contains_Point(Point(95, 195)));
  EXPECT_TRUE(handle.Contains_Point(Point(105, 205)));
  EXPECT_TRUE(handle.Contains_Point(Point(95, 205)));
  EXPECT_FALSE(handle.Contains_Point(Point(94, 200)));
  EXPECT_FALSE(handle.Contains_Point(Point(106, 200)));
  EXPECT_FALSE(handle.Contains_Point(Point(100, 194)));
  EXPECT_FALSE(handle.Contains_Point(Point(100, 206)));

  // Overlapping handles: the first in the frame wins.
  HandleFrame frame(nullptr);
  frame.Get_Handles().Add_To_Tail(new Handlej(nullptr, kHandleMove));
  frame.Get_Handles().Add_To_Tail(new Handlej(nullptr, kHandleResize));
  frame.Get_Handles().Get_Nth(0)->Set_Center(20, 20);
  frame.Get_Handles().Get_Nth(1)->Set_Center(28, 28);
  EXPECT_EQ(frame.Find_Handle_at_Point(Point(24, 24)), frame.Get_Handles().Get_Nth(0));
  EXPECT_EQ(frame.Find_Handle_at_Point(Point(33, 33)), frame.Get_Handles().Get_Nth(1));
  EXPECT_EQ(frame.Find_Handle_at_Point(Point(34, 33)), nullptr);
}

TEST_F(HandleFrameTest, CreatingAFrameSelectsAndDrawsIt) {
  Viewj* windowRecord = reinterpret_cast<Viewj*>(&surface);  // only compared, never used
  event.view = windowRecord;
  ASSERT_TRUE(view.Create_HandleFrame(event, manipulator, messages, err));
  EXPECT_EQ(manipulator, nullptr);
  HandleFrame* frame = view.Get_HandleFrame();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->Get_Window(), windowRecord);
  ASSERT_EQ(frame->Get_Handles().Get_Count(), 2);
  Handlej* move = frame->Get_Handles().Get_Nth(0);
  Handlej* resize = frame->Get_Handles().Get_Nth(1);
  EXPECT_EQ(move->Get_Property_Code(), kHandleMove);
  EXPECT_EQ(resize->Get_Property_Code(), kHandleResize);
  EXPECT_EQ(move->Get_Center().x, 20);
  EXPECT_EQ(resize->Get_Center().y, 41);
  EXPECT_TRUE(frame->Is_Shown());
  EXPECT_TRUE(move->Is_Shown());
  EXPECT_TRUE(resize->Is_Shown());
  // The move handle's square is inverted; the frame's top edge too.
  EXPECT_TRUE(Is_Inverted(*window, *original, 15, 25));
  EXPECT_TRUE(Is_Inverted(*window, *original, 25, 35));
  EXPECT_TRUE(Is_Inverted(*window, *original, 9, 19));
  EXPECT_FALSE(Is_Inverted(*window, *original, 14, 24));
  EXPECT_TRUE(messages.Texts().empty());

  // Selecting again replaces the frame; deleting it restores the window.
  ASSERT_TRUE(view.Create_HandleFrame(event, manipulator, messages, err));
  EXPECT_NE(view.Get_HandleFrame(), nullptr);
  view.Delete_HandleFrame(&surface);
  EXPECT_EQ(view.Get_HandleFrame(), nullptr);
  EXPECT_TRUE(Same_Bits(*window, *original));
}

// A view with three handles in its frame: the extra one is refused.
class ThreeHandleView : public LoggingView {
 public:
  using LoggingView::LoggingView;
  bool Update_HandleFrame_Coords(HandleFrame* frame, std::string& err) override {
    frame->Get_Handles().Add_To_Tail(new Handlej(nullptr, kHandleMove));
    return LoggingView::Update_HandleFrame_Coords(frame, err);
  }
};

TEST_F(HandleFrameTest, APlacementFailureIsShownAndTheFrameStays) {
  ThreeHandleView odd("odd", &log);
  odd.Get_Graphic().Set_Rect(Make_RectLong(10, 20, 31, 41));
  ASSERT_TRUE(odd.Create_HandleFrame(event, manipulator, messages, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(
      messages.Texts(),
      (std::vector<std::string>{"ComponentView::Update_HandleFrame_Coords()  failed,  unknown handle."}));
  ASSERT_NE(odd.Get_HandleFrame(), nullptr);
  odd.Erase_HandleFrame(&surface);
  EXPECT_TRUE(Same_Bits(*window, *original));
  EXPECT_FALSE(odd.Get_HandleFrame()->Is_Shown());
}

TEST_F(HandleFrameTest, DrawingIsReversibleAndGuardedByTheShownFlags) {
  ASSERT_TRUE(view.Create_HandleFrame(event, manipulator, messages, err));
  HandleFrame* frame = view.Get_HandleFrame();
  frame->Draw(&surface);  // already shown: no second inversion
  EXPECT_TRUE(Is_Inverted(*window, *original, 20, 30));
  view.Erase_HandleFrame(&surface);
  EXPECT_TRUE(Same_Bits(*window, *original));
  EXPECT_FALSE(frame->Is_Shown());
  EXPECT_FALSE(frame->Get_Handles().Get_Nth(0)->Is_Shown());
  view.Erase_HandleFrame(&surface);  // hidden: nothing to undo
  EXPECT_TRUE(Same_Bits(*window, *original));

  // Handles placed anew while shown are erased where they were drawn.
  frame->Draw(&surface);
  view.Get_Graphic().Set_Rect(Make_RectLong(40, 30, 60, 50));
  ASSERT_TRUE(view.Update_HandleFrame_Coords(frame, err));
  frame->Erase(&surface);
  EXPECT_TRUE(Same_Bits(*window, *original));

  // A window that cannot be drawn on gets nothing.
  frame->Draw(nullptr);
  EXPECT_FALSE(frame->Is_Shown());
  EXPECT_TRUE(Same_Bits(*window, *original));
}

TEST_F(HandleFrameTest, MovingHandlesAndFrames) {
  ASSERT_TRUE(view.Create_HandleFrame(event, manipulator, messages, err));
  HandleFrame* frame = view.Get_HandleFrame();
  Handlej* resize = frame->Get_Handles().Get_Nth(1);

  resize->Move(4, -3, &surface);
  EXPECT_EQ(resize->Get_Center().x, 35);
  EXPECT_EQ(resize->Get_Center().y, 38);
  EXPECT_TRUE(resize->Is_Shown());
  EXPECT_TRUE(Is_Inverted(*window, *original, 40, 43));   // new square
  EXPECT_FALSE(Is_Inverted(*window, *original, 26, 46));  // old square corner, outside the new one

  frame->Move_Frame(-5, 6, &surface);
  EXPECT_EQ(frame->Get_Handles().Get_Nth(0)->Get_Center().x, 15);
  EXPECT_EQ(frame->Get_Handles().Get_Nth(0)->Get_Center().y, 36);
  EXPECT_EQ(resize->Get_Center().x, 30);
  EXPECT_EQ(resize->Get_Center().y, 44);
  EXPECT_TRUE(frame->Is_Shown());
  EXPECT_TRUE(Is_Inverted(*window, *original, 15, 36));

  view.Delete_HandleFrame(&surface);
  EXPECT_TRUE(Same_Bits(*window, *original));

  // A hidden frame moves without being drawn.
  HandleFrame hidden(nullptr);
  hidden.Get_Handles().Add_To_Tail(new Handlej(nullptr, kHandleMove));
  hidden.Move_Frame(3, 3, &surface);
  EXPECT_EQ(hidden.Get_Handles().Get_First()->Get_Center().x, 3);
  EXPECT_FALSE(hidden.Is_Shown());
  EXPECT_TRUE(Same_Bits(*window, *original));
}

}  // namespace
