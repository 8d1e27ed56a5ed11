#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <type_traits>
#include <utility>
#include <vector>

#include "ListElements.h"
#include "framework/ListMemry.h"

namespace {

// The elements of a list, read through its links.
std::vector<int> Ids(const ListMemry<Tracked>& list) {
  std::vector<int> ids;
  for (const ListLink<Tracked>* link = list.Get_Head_Link(); link != nullptr; link = link->Get_Next())
    ids.push_back(link->Get_Object()->id);
  return ids;
}

class ListMemryTest : public ::testing::Test {
 protected:
  // Three elements 1, 2, 3 appended in order; the test keeps the objects alive.
  void Fill(ListMemry<Tracked>& list, int n = 3) {
    for (int i = 1; i <= n; ++i) {
      objects.push_back(std::make_unique<Tracked>(i, &destroyed));
      list.Add_To_Tail(objects.back().get());
    }
  }
  Tracked* Make(int id) { return new Tracked(id, &destroyed); }

  std::vector<int> destroyed;
  std::vector<std::unique_ptr<Tracked>> objects;
};

TEST_F(ListMemryTest, EmptyListGivesNullAndIgnoresRemovals) {
  ListMemry<Tracked> list;
  EXPECT_EQ(list.Get_Count(), 0);
  EXPECT_TRUE(list.Is_Empty());
  EXPECT_TRUE(list.Get_Owns_Objects());
  EXPECT_EQ(list.Get_Head_Link(), nullptr);
  EXPECT_EQ(list.Get_Last_Added_Link(), nullptr);
  EXPECT_EQ(list.Get_First(), nullptr);
  EXPECT_EQ(list.Get_Last(), nullptr);
  EXPECT_EQ(list.Top(), nullptr);
  EXPECT_EQ(list.Get_Nth(0), nullptr);
  EXPECT_EQ(list.Get_Nth(5), nullptr);
  EXPECT_EQ(list.Pop(), nullptr);
  list.Delete_Head();
  list.Remove_Head();
  list.Remove_All();
  list.Delete_All();
  EXPECT_EQ(list.Get_Count(), 0);
}

TEST_F(ListMemryTest, HeadAndTailInsertionKeepOrderAndLastAddedLink) {
  ListMemry<Tracked> list;
  Tracked* a = Make(1);
  Tracked* b = Make(2);
  Tracked* c = Make(3);
  Tracked* d = Make(4);
  list.Add_To_Tail(b);  // on an empty list this is a head insertion
  ListLink<Tracked>* first = list.Add_To_Head(a);
  EXPECT_EQ(first, list.Get_Head_Link());
  EXPECT_EQ(first->Get_Object(), a);
  EXPECT_EQ(list.Get_Last_Added_Link(), first);
  list.Add_To_Tail(c);
  EXPECT_EQ(list.Get_Last_Added_Link()->Get_Object(), c);
  EXPECT_EQ(list.Get_Last_Added_Link()->Get_Next(), nullptr);
  ListLink<Tracked>* pushed = list.Push(d);
  EXPECT_EQ(list.Get_Last_Added_Link(), pushed);
  EXPECT_EQ(Ids(list), (std::vector<int>{4, 1, 2, 3}));
  EXPECT_EQ(list.Get_Count(), 4);
  EXPECT_FALSE(list.Is_Empty());
  EXPECT_EQ(list.Get_First(), d);
  EXPECT_EQ(list.Top(), d);
  EXPECT_EQ(list.Get_Last(), c);
}

TEST_F(ListMemryTest, GetNthGivesTheFirstElementForAnyIndexOutOfRange) {
  ListMemry<Tracked> list;
  list.Set_Owns_Objects(false);
  Fill(list);
  EXPECT_EQ(list.Get_Nth(0)->id, 1);
  EXPECT_EQ(list.Get_Nth(1)->id, 2);
  EXPECT_EQ(list.Get_Nth(2)->id, 3);
  EXPECT_EQ(list.Get_Nth(-1)->id, 1);
  EXPECT_EQ(list.Get_Nth(3)->id, 1);
  EXPECT_EQ(list.Get_Nth(INT32_MIN)->id, 1);
  EXPECT_EQ(list.Get_Nth(INT32_MAX)->id, 1);
}

// Get_Nth remembers where its last walk stopped; any change to the links in
// between must never let it answer from a stale position.
TEST_F(ListMemryTest, GetNthStaysExactAcrossEveryKindOfChange) {
  ListMemry<Tracked> list;
  list.Set_Owns_Objects(false);
  std::vector<Tracked*> model;
  std::mt19937 random(7);
  int nextId = 1;
  for (int step = 0; step < 4000; ++step) {
    const int op = static_cast<int>(random() % 8);
    if (op == 0 || model.empty()) {
      objects.push_back(std::make_unique<Tracked>(nextId++, &destroyed));
      list.Add_To_Head(objects.back().get());
      model.insert(model.begin(), objects.back().get());
    } else if (op == 1) {
      objects.push_back(std::make_unique<Tracked>(nextId++, &destroyed));
      list.Add_To_Tail(objects.back().get());
      model.push_back(objects.back().get());
    } else if (op == 2) {
      EXPECT_EQ(list.Pop(), model.front());
      model.erase(model.begin());
    } else if (op == 3) {
      const size_t at = random() % model.size();
      list.Remove_Object(model[at]);
      model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
    } else {
      const int32_t index = static_cast<int32_t>(random() % (model.size() + 2)) - 1;
      const bool inRange = index > 0 && index < static_cast<int32_t>(model.size());
      ASSERT_EQ(list.Get_Nth(index), model[inRange ? static_cast<size_t>(index) : 0]) << "step " << step;
    }
    ASSERT_EQ(list.Get_Count(), static_cast<int32_t>(model.size()));
    ASSERT_EQ(list.Get_Last(), model.empty() ? nullptr : model.back());
  }
}

TEST_F(ListMemryTest, TakingTheHeadDestroysOnlyThroughDeleteOnAnOwningList) {
  ListMemry<Tracked> list;
  Tracked* second = Make(2);
  list.Add_To_Tail(Make(1));
  list.Add_To_Tail(second);
  list.Add_To_Tail(Make(3));
  list.Add_To_Tail(Make(4));

  Tracked* popped = list.Pop();
  EXPECT_EQ(popped->id, 1);
  list.Remove_Head();  // element 2 is left to whoever holds it
  EXPECT_TRUE(destroyed.empty());
  list.Delete_Head();
  EXPECT_EQ(destroyed, (std::vector<int>{3}));
  EXPECT_EQ(Ids(list), (std::vector<int>{4}));
  EXPECT_EQ(list.Get_Last()->id, 4);

  list.Set_Owns_Objects(false);
  Tracked* last = list.Get_First();
  list.Delete_Head();
  EXPECT_EQ(destroyed, (std::vector<int>{3}));
  EXPECT_TRUE(list.Is_Empty());
  EXPECT_EQ(list.Get_Last(), nullptr);
  delete popped;
  delete second;
  delete last;
}

TEST_F(ListMemryTest, RemoveObjectMatchesTheVeryPointerOnly) {
  ListMemry<Tracked> list;
  Tracked* a = Make(1);
  Tracked* b = Make(2);
  Tracked* c = Make(3);
  list.Add_To_Tail(a);
  list.Add_To_Tail(b);
  list.Add_To_Tail(c);

  Tracked lookAlike(2, &destroyed);  // equal contents, another object
  list.Remove_Object(&lookAlike);
  list.Remove_Object(nullptr);
  EXPECT_EQ(Ids(list), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(list.Get_Count(), 3);
  EXPECT_TRUE(destroyed.empty());

  list.Remove_Object(a);  // the head: as Delete_Head, destroying it
  EXPECT_EQ(destroyed, (std::vector<int>{1}));
  EXPECT_EQ(Ids(list), (std::vector<int>{2, 3}));

  list.Remove_Object(c);  // the tail: later appends must follow the new last link
  EXPECT_EQ(destroyed, (std::vector<int>{1, 3}));
  EXPECT_EQ(list.Get_Last(), b);
  list.Add_To_Tail(Make(4));
  EXPECT_EQ(Ids(list), (std::vector<int>{2, 4}));
  EXPECT_EQ(list.Get_Count(), 2);
}

TEST_F(ListMemryTest, RemoveObjectTakesTheFirstOfRepeatedPointersAndKeepsThemOnANonOwningList) {
  ListMemry<Tracked> list;
  list.Set_Owns_Objects(false);
  Fill(list, 3);
  list.Add_To_Tail(objects[1].get());
  list.Remove_Object(objects[1].get());
  EXPECT_EQ(Ids(list), (std::vector<int>{1, 3, 2}));
  EXPECT_TRUE(destroyed.empty());
}

TEST_F(ListMemryTest, RemoveAllNeverDestroysAndDeleteAllDestroysOnlyWhenOwning) {
  {
    ListMemry<Tracked> owning;
    Fill(owning);
    owning.Remove_All();
    EXPECT_TRUE(owning.Is_Empty());
    EXPECT_EQ(owning.Get_Head_Link(), nullptr);
    EXPECT_TRUE(destroyed.empty());

    ListMemry<Tracked> notOwning;
    notOwning.Set_Owns_Objects(false);
    Fill(notOwning);
    notOwning.Delete_All();
    EXPECT_TRUE(notOwning.Is_Empty());
    EXPECT_TRUE(destroyed.empty());
  }
  EXPECT_TRUE(destroyed.empty());  // destroying the emptied lists frees nothing more

  ListMemry<Tracked> owning;
  owning.Add_To_Tail(Make(7));
  owning.Add_To_Tail(Make(8));
  owning.Add_To_Head(Make(6));
  owning.Delete_All();
  EXPECT_EQ(destroyed, (std::vector<int>{6, 7, 8}));  // head to tail
  EXPECT_EQ(owning.Get_Count(), 0);
  EXPECT_EQ(owning.Get_Last(), nullptr);
  owning.Add_To_Tail(Make(9));  // usable again after emptying
  EXPECT_EQ(owning.Get_First()->id, 9);
  EXPECT_EQ(owning.Get_Last()->id, 9);
}

TEST_F(ListMemryTest, DestructorDestroysElementsOnlyWhenOwning) {
  {
    ListMemry<Tracked> owning;
    owning.Add_To_Tail(Make(1));
    owning.Add_To_Tail(Make(2));
  }
  EXPECT_EQ(destroyed, (std::vector<int>{1, 2}));
  {
    ListMemry<Tracked> notOwning;
    notOwning.Set_Owns_Objects(false);
    Fill(notOwning);
  }
  EXPECT_EQ(destroyed, (std::vector<int>{1, 2}));
  // Ownership switched after filling applies to the destruction.
  {
    ListMemry<Tracked> switched;
    switched.Set_Owns_Objects(false);
    switched.Add_To_Tail(Make(5));
    switched.Set_Owns_Objects(true);
  }
  EXPECT_EQ(destroyed, (std::vector<int>{1, 2, 5}));
}

TEST_F(ListMemryTest, LastAddedLinkIsForgottenOnlyWhenItsOwnLinkGoes) {
  ListMemry<Tracked> list;
  list.Set_Owns_Objects(false);
  Fill(list, 3);
  ListLink<Tracked>* last = list.Get_Last_Added_Link();
  ASSERT_EQ(last->Get_Object()->id, 3);
  list.Remove_Head();
  list.Remove_Object(objects[1].get());
  EXPECT_EQ(list.Get_Last_Added_Link(), last);
  list.Remove_Object(objects[2].get());
  EXPECT_EQ(list.Get_Last_Added_Link(), nullptr);

  list.Add_To_Head(objects[0].get());
  list.Pop();
  EXPECT_EQ(list.Get_Last_Added_Link(), nullptr);
}

// An element whose destructor takes another element out of the same list:
// emptying the list must cope, since each link is gone before its element dies.
struct Unhooking {
  Unhooking(ListMemry<Unhooking>* owner, Unhooking* other) : list(owner), partner(other) {}
  ~Unhooking() {
    if (partner != nullptr) list->Remove_Object(partner);
  }
  ListMemry<Unhooking>* list;
  Unhooking* partner;
};

TEST_F(ListMemryTest, AnElementMayChangeTheListWhileItIsDestroyed) {
  auto* list = new ListMemry<Unhooking>;
  auto* second = new Unhooking(list, nullptr);
  auto* first = new Unhooking(list, second);
  list->Add_To_Tail(first);
  list->Add_To_Tail(second);
  list->Add_To_Tail(new Unhooking(list, nullptr));
  list->Delete_All();
  EXPECT_EQ(list->Get_Count(), 0);
  EXPECT_EQ(list->Get_Head_Link(), nullptr);
  delete list;
}

TEST_F(ListMemryTest, LinksMayExchangeTheirElements) {
  ListMemry<Tracked> list;
  list.Set_Owns_Objects(false);
  Fill(list, 3);
  ListLink<Tracked>* head = list.Get_Head_Link();
  ListLink<Tracked>* next = head->Get_Next();
  Tracked* held = head->Get_Object();
  head->Set_Object(next->Get_Object());
  next->Set_Object(held);
  EXPECT_EQ(Ids(list), (std::vector<int>{2, 1, 3}));
  EXPECT_EQ(list.Get_Nth(1)->id, 1);
  EXPECT_EQ(list.Get_First()->id, 2);
}

}  // namespace

TEST_F(ListMemryTest, RangeForWalksHeadToTailAndAConstListGivesConstElements) {
  static_assert(std::is_same_v<decltype(*std::declval<ListMemry<Tracked>&>().begin()), Tracked*>);
  static_assert(std::is_same_v<decltype(*std::declval<const ListMemry<Tracked>&>().begin()), const Tracked*>);

  ListMemry<Tracked> list;
  list.Set_Owns_Objects(false);
  int visits = 0;
  for (const Tracked* item : std::as_const(list)) visits += item != nullptr ? 1 : 100;
  EXPECT_EQ(visits, 0);
  EXPECT_TRUE(list.begin() == list.end());

  Fill(list, 1);
  std::vector<int> ids;
  for (Tracked* item : list) ids.push_back(item->id);
  EXPECT_EQ(ids, (std::vector<int>{1}));

  // Head insertions come first; the walk sees changes made to elements.
  list.Add_To_Tail(objects.emplace_back(std::make_unique<Tracked>(2, &destroyed)).get());
  list.Add_To_Head(objects.emplace_back(std::make_unique<Tracked>(7, &destroyed)).get());
  for (Tracked* item : list) item->id *= 10;
  ids.clear();
  for (const Tracked* item : std::as_const(list)) ids.push_back(item->id);
  EXPECT_EQ(ids, (std::vector<int>{70, 10, 20}));
  EXPECT_EQ(ids, Ids(list));
  EXPECT_EQ(std::distance(list.begin(), list.end()), list.Get_Count());
  EXPECT_TRUE(destroyed.empty());
}
