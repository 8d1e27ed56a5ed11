#include <gtest/gtest.h>

#include "ViewFixtures.h"
#include "platform/headless/Headless.h"

namespace {

// ---------------------------------------------------------------------------
// Graphic

TEST(GraphicTest, UnsetUntilFirstSetAndContainsNothing) {
  Graphic g;
  EXPECT_EQ(g.Get_Position().x, -18888);
  RectLong r;
  g.Get_Rect(r);
  EXPECT_EQ(r.left, -18888);
  EXPECT_EQ(r.right, -18889);
  PointLong p;
  p.x = -18888;
  p.y = 0;
  EXPECT_FALSE(g.Contains_Point(p));
}

TEST(GraphicTest, RectRoundTripsAndBoundsAreInside) {
  Graphic g;
  g.Set_Rect(Make_RectLong(10, 20, 31, 41));
  EXPECT_EQ(g.Get_Position().x, 10);
  EXPECT_EQ(g.Get_Position().y, 20);
  EXPECT_EQ(g.Get_Width(), 22);
  EXPECT_EQ(g.Get_Height(), 22);
  RectLong r;
  g.Get_Rect(r);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right, 31);
  EXPECT_EQ(r.bottom, 41);

  auto at = [&](int32_t x, int32_t y) {
    PointLong p;
    p.x = x;
    p.y = y;
    return g.Contains_Point(p);
  };
  EXPECT_TRUE(at(10, 20));
  EXPECT_TRUE(at(31, 41));
  EXPECT_TRUE(at(10, 41));
  EXPECT_FALSE(at(9, 30));
  EXPECT_FALSE(at(32, 30));
  EXPECT_FALSE(at(20, 19));
  EXPECT_FALSE(at(20, 42));
}

TEST(GraphicTest, ResetLeavesMinusOneAndNoExtent) {
  Graphic g;
  g.Set_Rect(Make_RectLong(1, 2, 3, 4));
  g.Reset();
  EXPECT_EQ(g.Get_Position().x, -1);
  EXPECT_EQ(g.Get_Position().y, -1);
  EXPECT_EQ(g.Get_Width(), 0);
  EXPECT_EQ(g.Get_Height(), 0);
  PointLong p;
  p.x = -1;
  p.y = -1;
  EXPECT_FALSE(g.Contains_Point(p));
}

// ---------------------------------------------------------------------------
// Statevar notices and the two-phase update of a view

class NotificationTest : public ::testing::Test {
 protected:
  // The table a fresh view has: entry i has id i, all up to date, no value.
  void Expect_Untouched(ComponentView& v) {
    for (int32_t i = 0; i < kStatevarCount; ++i) {
      EXPECT_EQ(v.Get_Statevar(i).Get_ID(), i);
      EXPECT_TRUE(v.Get_Statevar(i).Is_Up_To_Date()) << i;
      EXPECT_EQ(v.Get_Statevar(i).Get_Value(), nullptr) << i;
    }
  }

  EventLog log;
  LoggingView view{"v", &log};
  std::string err;
};

TEST_F(NotificationTest, NoticeMarksOnlyItsIdPendingWithTheSender) {
  Expect_Untouched(view);
  const int sender = 0;
  ASSERT_TRUE(view.Process_Notification(Statevar::Make_Notice(7, &sender), err));
  EXPECT_EQ(err, "");
  for (int32_t i = 0; i < kStatevarCount; ++i) {
    EXPECT_EQ(view.Get_Statevar(i).Is_Pending(), i == 7) << i;
    EXPECT_EQ(view.Get_Statevar(i).Get_Value(), i == 7 ? &sender : nullptr) << i;
  }
  EXPECT_TRUE(log.empty());  // nothing happens before Update
}

TEST_F(NotificationTest, SizeIsHandledBeforeAppearanceOnceEach) {
  // Sent as 0 then 1 so that the order cannot come from the arrival order.
  ASSERT_TRUE(view.Process_Notification(Statevar::Make_Notice(0, nullptr), err));
  ASSERT_TRUE(view.Process_Notification(Statevar::Make_Notice(1, nullptr), err));
  ASSERT_TRUE(view.Update(nullptr, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(log, (EventLog{"size v", "appearance v"}));
  EXPECT_TRUE(view.Get_Statevar(0).Is_Up_To_Date());
  EXPECT_TRUE(view.Get_Statevar(1).Is_Up_To_Date());

  log.clear();
  ASSERT_TRUE(view.Update(nullptr, err));
  EXPECT_TRUE(log.empty());
}

TEST_F(NotificationTest, IdsOutsideTheTableAreRefusedAndChangeNothing) {
  EXPECT_FALSE(view.Process_Notification(Statevar::Make_Notice(20, this), err));
  EXPECT_EQ(err, "ComponentView::Process_Notification() failed,  Statevar ID has eroneous value.");
  Expect_Untouched(view);
  EXPECT_FALSE(view.Process_Notification(Statevar::Make_Notice(-1, this), err));
  EXPECT_EQ(err, "ComponentView::Process_Notification() failed,  Statevar ID not assigned.");
  Expect_Untouched(view);
  EXPECT_TRUE(view.Process_Notification(Statevar::Make_Notice(19, this), err));
  EXPECT_EQ(err, "");
}

TEST_F(NotificationTest, UnknownPendingIdStopsUpdateAfterTheSizePass) {
  ASSERT_TRUE(view.Process_Notification(Statevar::Make_Notice(0, nullptr), err));
  ASSERT_TRUE(view.Process_Notification(Statevar::Make_Notice(1, nullptr), err));
  ASSERT_TRUE(view.Process_Notification(Statevar::Make_Notice(2, nullptr), err));
  EXPECT_FALSE(view.Update(nullptr, err));
  EXPECT_EQ(err, "ComponentView::Update() failed,  Unknown Statevar ID.");
  EXPECT_EQ(log, (EventLog{"size v"}));
  EXPECT_TRUE(view.Get_Statevar(1).Is_Up_To_Date());
  EXPECT_TRUE(view.Get_Statevar(0).Is_Pending());
  EXPECT_TRUE(view.Get_Statevar(2).Is_Pending());
}

TEST_F(NotificationTest, SubjectUpdateOnlyValidates) {
  LoggingSubject subject("s", &log);
  EXPECT_TRUE(subject.Update(nullptr, err));
  subject.Get_Statevar(0).Set_Up_To_Date(false);
  subject.Get_Statevar(1).Set_Up_To_Date(false);
  EXPECT_TRUE(subject.Update(nullptr, err));
  EXPECT_EQ(err, "");
  subject.Get_Statevar(5).Set_Up_To_Date(false);
  EXPECT_FALSE(subject.Update(nullptr, err));
  EXPECT_EQ(err, "ComponentSubject::Update() failed,  Unknown Statevar ID.");
  EXPECT_TRUE(subject.Get_Statevar(0).Is_Pending());  // nothing was handled
  EXPECT_TRUE(subject.Get_Statevar(5).Is_Pending());
}

TEST_F(NotificationTest, SubjectAndListViewWalksReportEachFailureAndGoOn) {
  HeadlessMessages messages;
  LoggingSubject subject("s", &log);
  LoggingView second("w", &log);
  subject.Attach_ComponentView(&view);
  subject.Attach_ComponentView(&second);

  subject.Notify_ComponentViews(Statevar::Make_Notice(0, &subject), messages);
  EXPECT_TRUE(view.Get_Statevar(0).Is_Pending());
  EXPECT_TRUE(second.Get_Statevar(0).Is_Pending());
  EXPECT_EQ(view.Get_Statevar(0).Get_Value(), &subject);
  EXPECT_TRUE(messages.Texts().empty());

  subject.Notify_ComponentViews(Statevar::Make_Notice(25, &subject), messages);
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{
                "ComponentView::Process_Notification() failed,  Statevar ID has eroneous value.",
                "ComponentView::Process_Notification() failed,  Statevar ID has eroneous value."}));

  messages.Clear();
  LoggingListView pane("pane", &log);
  pane.Add_Child_ComponentView(new LoggingView("a", &log));
  pane.Add_Child_ComponentView(new LoggingView("b", &log));
  pane.Notify_Child_ComponentViews(Statevar::Make_Notice(-3, nullptr), messages);
  EXPECT_EQ(
      messages.Texts(),
      (std::vector<std::string>{"ComponentView::Process_Notification() failed,  Statevar ID not assigned.",
                                "ComponentView::Process_Notification() failed,  Statevar ID not assigned."}));
  pane.Notify_Child_ComponentViews(Statevar::Make_Notice(1, nullptr), messages);
  for (ComponentView* child : *pane.Get_Child_ComponentViews_List())
    EXPECT_TRUE(child->Get_Statevar(1).Is_Pending());
}

}  // namespace
