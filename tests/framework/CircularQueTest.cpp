#include <gtest/gtest.h>

#include <string>

#include "framework/CircularQue.h"
#include "framework/Iterator.h"
#include "framework/ListIntegrity.h"
#include "outline/Pixel.h"

namespace {

TEST(CircularQue, InitQueueReplacesTheContentsWithUnwrittenPixels) {
  CircularQue<Pixel> queue;
  queue.Init_Queue(3);
  queue.Get_Position_Item()->x = 4;
  queue.Advance_Position();
  Pixel* kept = queue.Get_Position_Item();
  kept->y = 9;

  queue.Init_Queue(5);
  EXPECT_EQ(queue.Get_Count(), 5);
  EXPECT_EQ(queue.Get_Capacity(), 5);
  EXPECT_EQ(queue.Get_Position(), 0);
  EXPECT_FALSE(queue.Is_Wrapped());
  ListIterator<Pixel> it(queue);
  int n = 0;
  for (it.First(); !it.Is_Done(); it.Next(), ++n) {
    EXPECT_EQ(it.Current_Item()->x, -9999);
    EXPECT_EQ(it.Current_Item()->y, -9999);
  }
  EXPECT_EQ(n, 5);
  EXPECT_EQ(Pixel::kUnset, CircularQue<Pixel>::kUnwritten);
}

TEST(CircularQue, PositionWrapsAfterCapacitySteps) {
  CircularQue<Pixel> queue;
  queue.Init_Queue(5);
  for (int16_t i = 0; i < 5; ++i) {
    EXPECT_EQ(queue.Get_Position(), i);
    EXPECT_FALSE(queue.Is_Wrapped());
    Pixel* slot = queue.Get_Position_Item();
    slot->x = static_cast<int16_t>(10 + i);
    slot->y = static_cast<int16_t>(-i);
    queue.Advance_Position();
  }
  EXPECT_EQ(queue.Get_Position(), 0);
  EXPECT_TRUE(queue.Is_Wrapped());
  // The writes went into the slots in order and the links were reused.
  EXPECT_EQ(queue.Get_Count(), 5);
  for (int16_t i = 0; i < 5; ++i) {
    EXPECT_EQ(queue.Get_Nth(i)->x, 10 + i);
    EXPECT_EQ(queue.Get_Nth(i)->y, -i);
  }
  queue.Get_Position_Item()->x = 77;  // round two overwrites slot 0
  EXPECT_EQ(queue.Get_First()->x, 77);
  queue.Advance_Position();
  EXPECT_EQ(queue.Get_Position(), 1);
  EXPECT_TRUE(queue.Is_Wrapped());
}

TEST(CircularQue, AQueueOfNoSlotsStaysAtZero) {
  CircularQue<Pixel> queue;
  queue.Init_Queue(0);
  EXPECT_TRUE(queue.Is_Empty());
  EXPECT_EQ(queue.Get_Position_Item(), nullptr);
  queue.Advance_Position();
  EXPECT_EQ(queue.Get_Position(), 0);
  EXPECT_TRUE(queue.Is_Wrapped());
}

// A list that reports a count of its choosing, as a damaged list would.
class MiscountedList : public ListMemry<Pixel> {
 public:
  explicit MiscountedList(int links) {
    for (int i = 0; i < links; ++i) Add_To_Tail(new Pixel{static_cast<int16_t>(i), 0});
  }
  int32_t Get_Count() const override { return claimed; }
  int32_t claimed = 0;
};

TEST(ListIntegrity, SoundListsPassAndShortListsAreNotChecked) {
  std::string err = "old";
  ListMemry<Pixel> list;
  EXPECT_FALSE(Check_Lists_Intergity(list, err));
  EXPECT_EQ(err, "");
  list.Add_To_Tail(new Pixel);
  err = "old";
  EXPECT_FALSE(Check_Lists_Intergity(list, err));
  EXPECT_EQ(err, "");
  for (int i = 0; i < 3; ++i) list.Add_To_Tail(new Pixel);
  err = "old";
  EXPECT_TRUE(Check_Lists_Intergity(list, err));
  EXPECT_EQ(err, "");
}

TEST(ListIntegrity, ReportsAChainThatDisagreesWithTheCount) {
  std::string err;
  MiscountedList three(3);
  three.claimed = 5;
  EXPECT_FALSE(Check_Lists_Intergity(three, err));
  EXPECT_EQ(err, "Check_Lists_Intergity failed.  nextLink is  NULL  for i = 2 ");

  MiscountedList none(0);
  none.claimed = 2;
  EXPECT_FALSE(Check_Lists_Intergity(none, err));
  EXPECT_EQ(err, "Check_Lists_Intergity failed.   travLink is  NULL  for i = 0 ");

  MiscountedList four(4);
  four.claimed = 3;
  EXPECT_FALSE(Check_Lists_Intergity(four, err));
  EXPECT_EQ(err, "Check_Lists_Intergity failed.  Last link's  _next  is not NULL.");
}

TEST(ListIntegrity, ReportsTheIndexAsASixteenBitNumber) {
  std::string err;
  MiscountedList list(40000);
  list.claimed = 40005;
  EXPECT_FALSE(Check_Lists_Intergity(list, err));
  EXPECT_EQ(err, "Check_Lists_Intergity failed.  nextLink is  NULL  for i = -25537 ");
}

}  // namespace
