#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ListElements.h"
#include "framework/Iterator.h"
#include "framework/ListMemry.h"

namespace {

// Runs the program's walking pattern and collects the ids seen.
std::vector<int> Walk(Iterator<Tracked>& it) {
  std::vector<int> ids;
  for (it.First(); !it.Is_Done(); it.Next()) ids.push_back(it.Current_Item()->id);
  return ids;
}

class IteratorTest : public ::testing::Test {
 protected:
  void Fill(ListMemry<Tracked>& list, int n) {
    for (int i = 1; i <= n; ++i) list.Add_To_Tail(new Tracked(i, &destroyed));
  }
  std::vector<int> destroyed;
};

TEST_F(IteratorTest, ListIteratorWalksForwardAndRestarts) {
  ListMemry<Tracked> list;
  Fill(list, 4);
  ListIterator<Tracked> it(list);
  EXPECT_EQ(Walk(it), (std::vector<int>{1, 2, 3, 4}));
  // Past the end the current item is the first element.
  EXPECT_TRUE(it.Is_Done());
  EXPECT_EQ(it.Current_Item()->id, 1);
  EXPECT_EQ(Walk(it), (std::vector<int>{1, 2, 3, 4}));

  ListMemry<Tracked> empty;
  ListIterator<Tracked> none(empty);
  none.First();
  EXPECT_TRUE(none.Is_Done());
  EXPECT_EQ(none.Current_Item(), nullptr);
}

TEST_F(IteratorTest, ListIteratorSeesElementsAppendedDuringTheWalk) {
  ListMemry<Tracked> list;
  Fill(list, 2);
  ListIterator<Tracked> it(list);
  std::vector<int> ids;
  for (it.First(); !it.Is_Done(); it.Next()) {
    ids.push_back(it.Current_Item()->id);
    if (it.Current_Item()->id < 3) list.Add_To_Tail(new Tracked(it.Current_Item()->id + 10, &destroyed));
  }
  EXPECT_EQ(ids, (std::vector<int>{1, 2, 11, 12}));
}

TEST_F(IteratorTest, ReverseIteratorWalksBackwardOverAnyLength) {
  ListMemry<Tracked> list;
  ReverseIterator<Tracked> none(list);
  EXPECT_TRUE(none.Is_Done());
  EXPECT_TRUE(Walk(none).empty());

  Fill(list, 1);
  ReverseIterator<Tracked> one(list);
  EXPECT_EQ(Walk(one), (std::vector<int>{1}));

  Fill(list, 3);  // 1, 1, 2, 3
  ReverseIterator<Tracked> it(list);
  EXPECT_FALSE(it.Is_Done());  // the constructor already starts at the last element
  EXPECT_EQ(it.Current_Item()->id, 3);
  EXPECT_EQ(Walk(it), (std::vector<int>{3, 2, 1, 1}));
  EXPECT_EQ(it.Current_Item()->id, 1);  // done: the first element
}

TEST_F(IteratorTest, SpeedIndexIteratorIsOnePassFromConstruction) {
  ListMemry<Tracked> list;
  Fill(list, 3);
  SpeedIndexIterator<Tracked> it(list);
  EXPECT_EQ(it.Get_Previous_Link(), nullptr);
  EXPECT_EQ(it.Get_Current_Link(), list.Get_Head_Link());
  it.Next();
  EXPECT_EQ(it.Get_Previous_Link(), list.Get_Head_Link());
  it.First();  // does not rewind
  EXPECT_EQ(it.Current_Item()->id, 2);
  it.Next();
  it.Next();
  EXPECT_TRUE(it.Is_Done());
  EXPECT_EQ(it.Current_Item(), nullptr);
  it.Next();  // stays done
  EXPECT_TRUE(it.Is_Done());

  SpeedIndexIterator<Tracked> again(list);
  EXPECT_EQ(Walk(again), (std::vector<int>{1, 2, 3}));

  ListMemry<Tracked> empty;
  SpeedIndexIterator<Tracked> none(empty);
  EXPECT_TRUE(none.Is_Done());
  EXPECT_EQ(none.Current_Item(), nullptr);
}

TEST_F(IteratorTest, SpeedIndexIteratorSurvivesRemovalOfEachCurrentElement) {
  ListMemry<Tracked> list;
  Fill(list, 5);
  SpeedIndexIterator<Tracked> it(list);
  std::vector<int> seen;
  for (it.First(); !it.Is_Done(); it.Next()) {
    Tracked* current = it.Current_Item();
    seen.push_back(current->id);
    list.Remove_Object(current);
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(destroyed, (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_TRUE(list.Is_Empty());
  EXPECT_EQ(list.Get_Last(), nullptr);
}

TEST_F(IteratorTest, HeapIteratorsAreDeletedThroughTheBase) {
  ListMemry<Tracked> list;
  Fill(list, 2);
  std::vector<std::unique_ptr<Iterator<Tracked>>> made;
  made.emplace_back(new ListIterator<Tracked>(list));
  made.emplace_back(new ReverseIterator<Tracked>(list));
  made.emplace_back(new SpeedIndexIterator<Tracked>(list));
  EXPECT_EQ(Walk(*made[0]), (std::vector<int>{1, 2}));
  EXPECT_EQ(Walk(*made[1]), (std::vector<int>{2, 1}));
  EXPECT_EQ(Walk(*made[2]), (std::vector<int>{1, 2}));
}

}  // namespace
