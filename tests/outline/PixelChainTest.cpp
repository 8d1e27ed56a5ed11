#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "outline/PixelChain.h"
#include "raster/OffMap.h"
#include "support/TestSupport.h"

namespace {

using Coords = std::vector<std::pair<int, int>>;

PixelChain* New_Chain(const Coords& coords, int16_t id = -1) {
  auto* chain = new PixelChain;
  for (const auto& [x, y] : coords)
    chain->Add_To_Tail(new Pixel{static_cast<int16_t>(x), static_cast<int16_t>(y)});
  chain->m_creationID = id;
  return chain;
}

Coords Coords_Of(const ListMemry<Pixel>& chain) {
  Coords out;
  for (const Pixel* pixel : chain) out.emplace_back(pixel->x, pixel->y);
  return out;
}

// n pixels in a row from (x, y) in steps of (dx, dy).
Coords Line_Of(int x, int y, int n, int dx = 1, int dy = 0) {
  Coords out;
  for (int i = 0; i < n; ++i) out.emplace_back(x + i * dx, y + i * dy);
  return out;
}

Coords Join(std::initializer_list<Coords> parts) {
  Coords out;
  for (const Coords& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

std::vector<PixelChain*> Chains_Of(ListMemry<PixelChain>& list) {
  std::vector<PixelChain*> out;
  for (PixelChain* chain : list) out.push_back(chain);
  return out;
}

void Set_Bounds(PixelChain& chain, int left, int top, int right, int bottom) {
  RectLong r;
  r.left = left;
  r.top = top;
  r.right = right;
  r.bottom = bottom;
  chain.m_graphic.Set_Rect(r);
}

}  // namespace

// ---- pixels -----------------------------------------------------------------------------------------

TEST(PixelChainPixels, ContainsAddAndRemove) {
  std::unique_ptr<PixelChain> chain(New_Chain({{1, 1}, {2, 2}, {1, 1}}));
  EXPECT_TRUE(chain->Contains_Pixel(2, 2));
  EXPECT_FALSE(chain->Contains_Pixel(2, 1));
  EXPECT_FALSE(chain->Add_Pixel_If_Absent(2, 2));
  EXPECT_TRUE(chain->Add_Pixel_If_Absent(3, 3));
  EXPECT_EQ(Coords_Of(*chain), (Coords{{1, 1}, {2, 2}, {1, 1}, {3, 3}}));
  // The last stored pixel with the coordinates goes.
  EXPECT_TRUE(chain->Remove_Pixel(1, 1));
  EXPECT_EQ(Coords_Of(*chain), (Coords{{1, 1}, {2, 2}, {3, 3}}));
  EXPECT_FALSE(chain->Remove_Pixel(9, 9));
  EXPECT_EQ(chain->Get_Count(), 3);
}

TEST(PixelChainPixels, FourNeighboursAndEndPixels) {
  std::unique_ptr<PixelChain> chain(New_Chain({{5, 4}, {6, 6}, {4, 5}, {5, 5}, {6, 5}, {5, 7}}));
  ListMemry<Pixel> out;
  out.Add_To_Tail(new Pixel{99, 99});
  // Only same-row or same-column neighbours at distance 1, in stored order;
  // the list is emptied first.
  EXPECT_EQ(chain->Count_4_Neighbours(Pixel{5, 5}, out), 3);
  EXPECT_EQ(Coords_Of(out), (Coords{{5, 4}, {4, 5}, {6, 5}}));

  // The first stored pixel with exactly one 4-neighbour is appended.
  ListMemry<Pixel> ends;
  ends.Add_To_Tail(new Pixel{99, 99});
  EXPECT_EQ(chain->Find_End_Pixel(ends), 1);
  EXPECT_EQ(Coords_Of(ends), (Coords{{99, 99}, {5, 4}}));

  // A closed ring has no end.
  std::unique_ptr<PixelChain> ring(New_Chain({{0, 0}, {1, 0}, {1, 1}, {0, 1}}));
  EXPECT_EQ(ring->Find_End_Pixel(ends), 0);
  EXPECT_EQ(ends.Get_Count(), 2);
}

TEST(PixelChainPixels, AppendCopiesTakesTheSpacing) {
  std::unique_ptr<PixelChain> source(New_Chain(Line_Of(0, 0, 3), 4));
  source->m_spacing = 5;
  std::unique_ptr<PixelChain> target(New_Chain({{9, 9}}, 8));
  EXPECT_EQ(target->Append_Copies(*source), 3);
  EXPECT_EQ(Coords_Of(*target), (Coords{{9, 9}, {0, 0}, {1, 0}, {2, 0}}));
  EXPECT_EQ(target->m_spacing, 5);
  EXPECT_EQ(target->m_creationID, 8);
  source->Get_First()->x = 77;
  EXPECT_EQ(target->Get_Nth(1)->x, 0);
  // A chain appended to itself doubles.
  EXPECT_EQ(source->Append_Copies(*source), 3);
  EXPECT_EQ(source->Get_Count(), 6);
}

// ---- sorting ---------------------------------------------------------------------------------------------

TEST(PixelChainSorting, LShapeInScanOrderIsWalkedFromItsFirstEnd) {
  // A J: a vertical bar at x = 4 and a bottom bar at y = 4, stored in scan
  // order as the seed fill delivers it.
  std::unique_ptr<PixelChain> chain(
      New_Chain({{4, 0}, {4, 1}, {4, 2}, {4, 3}, {0, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 4}}));
  PixelChain unsorted;
  unsorted.Add_To_Tail(new Pixel{99, 99});
  int32_t unsortedCount = -1;
  std::string err = "stale";
  ASSERT_TRUE(chain->Sort_Pixels_return_List_of_Unsorted_Pixels(unsortedCount, unsorted, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(Coords_Of(*chain),
            (Coords{{4, 0}, {4, 1}, {4, 2}, {4, 3}, {4, 4}, {3, 4}, {2, 4}, {1, 4}, {0, 4}}));
  EXPECT_TRUE(chain->m_sorted);
  EXPECT_EQ(unsortedCount, 0);
  EXPECT_EQ(unsorted.Get_Count(), 0);

  // An L turned over: the first stored pixel is the corner, so the walk
  // starts at the end of the top bar, the first end in stored order.
  std::unique_ptr<PixelChain> gamma(New_Chain({{0, 0}, {1, 0}, {2, 0}, {0, 1}, {0, 2}}));
  ASSERT_TRUE(gamma->Sort_Pixels_return_List_of_Unsorted_Pixels(unsortedCount, unsorted, err));
  EXPECT_EQ(Coords_Of(*gamma), (Coords{{2, 0}, {1, 0}, {0, 0}, {0, 1}, {0, 2}}));
  EXPECT_EQ(unsortedCount, 0);
}

TEST(PixelChainSorting, StaircasesAndRings) {
  PixelChain unsorted;
  int32_t unsortedCount = 0;
  std::string err;

  // Diagonal steps only: no end pixel, the walk starts at the first stored
  // pixel and cannot leave it.
  std::unique_ptr<PixelChain> diagonal(New_Chain(Line_Of(0, 0, 4, 1, 1)));
  ASSERT_TRUE(diagonal->Sort_Pixels_return_List_of_Unsorted_Pixels(unsortedCount, unsorted, err));
  EXPECT_EQ(Coords_Of(*diagonal), (Coords{{0, 0}}));
  EXPECT_EQ(unsortedCount, 3);
  EXPECT_EQ(Coords_Of(unsorted), (Coords{{1, 1}, {2, 2}, {3, 3}}));

  // A 4-connected staircase in scan order is walked completely from its
  // upper end.
  std::unique_ptr<PixelChain> stairs(New_Chain({{3, 0}, {2, 1}, {3, 1}, {1, 2}, {2, 2}, {0, 3}, {1, 3}}));
  ASSERT_TRUE(stairs->Sort_Pixels_return_List_of_Unsorted_Pixels(unsortedCount, unsorted, err));
  EXPECT_EQ(Coords_Of(*stairs), (Coords{{3, 0}, {3, 1}, {2, 1}, {2, 2}, {1, 2}, {1, 3}, {0, 3}}));
  EXPECT_EQ(unsortedCount, 0);
  EXPECT_EQ(unsorted.Get_Count(), 0);

  // A closed ring starts at its first stored pixel; of two remaining
  // neighbours the one stored first is taken.
  std::unique_ptr<PixelChain> ring(
      New_Chain({{0, 0}, {1, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}}));
  ASSERT_TRUE(ring->Sort_Pixels_return_List_of_Unsorted_Pixels(unsortedCount, unsorted, err));
  EXPECT_EQ(Coords_Of(*ring), (Coords{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}, {0, 1}}));
  EXPECT_EQ(unsortedCount, 0);

  // A line with a diagonal kink: the walk stops at the kink, the rest keeps
  // its stored order.
  std::unique_ptr<PixelChain> kinked(New_Chain({{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}));
  ASSERT_TRUE(kinked->Sort_Pixels_return_List_of_Unsorted_Pixels(unsortedCount, unsorted, err));
  EXPECT_EQ(Coords_Of(*kinked), (Coords{{0, 0}, {1, 0}}));
  EXPECT_EQ(unsortedCount, 3);
  EXPECT_EQ(Coords_Of(unsorted), (Coords{{2, 1}, {3, 1}, {4, 1}}));

  PixelChain empty;
  ASSERT_TRUE(empty.Sort_Pixels_return_List_of_Unsorted_Pixels(unsortedCount, unsorted, err));
  EXPECT_TRUE(empty.m_sorted);
  EXPECT_EQ(unsortedCount, 0);
}

TEST(PixelChainSorting, SortAllChainsReportsProgressAndKeepsLongRests) {
  TestPlatform platform;
  ListMemry<PixelChain> chains, leftovers;
  // A fully sortable line; a line of 3 with 4 stray pixels; a line of 2
  // with 3 stray pixels.
  chains.Add_To_Tail(New_Chain(Line_Of(0, 0, 5), 0));
  chains.Add_To_Tail(New_Chain(Join({Line_Of(0, 10, 3), Line_Of(10, 20, 4, 2, 2)}), 1));
  chains.Add_To_Tail(New_Chain(Join({Line_Of(0, 5, 2), Line_Of(20, 5, 3, 2, 2)}), 2));
  leftovers.Add_To_Tail(New_Chain({{1, 1}}));

  OffMap shown(30, 30, 24);
  shown.Fill(255);
  int redraws = 0;
  ChainSortDisplay display;
  display.map = &shown;
  display.redraw = [&redraws] { ++redraws; };
  std::string err;
  ASSERT_TRUE(PixelChain::Sort_All_Chains(chains, leftovers, err, platform.Get().Progress_Box(), display));

  ASSERT_EQ(leftovers.Get_Count(), 1);
  EXPECT_EQ(Coords_Of(*leftovers.Get_First()), Line_Of(10, 20, 4, 2, 2));
  const std::vector<PixelChain*> sorted = Chains_Of(chains);
  EXPECT_EQ(Coords_Of(*sorted[0]), Line_Of(0, 0, 5));
  EXPECT_EQ(Coords_Of(*sorted[1]), Line_Of(0, 10, 3));
  EXPECT_EQ(Coords_Of(*sorted[2]), Line_Of(0, 5, 2));

  // Lines of more than 2 pixels are drawn black and shown.
  EXPECT_EQ(redraws, 2);
  int16_t r = 0, g = 0, b = 0;
  shown.Get_Pixel(2, 10, r, g, b);
  EXPECT_EQ(r, 0);
  shown.Get_Pixel(1, 5, r, g, b);
  EXPECT_EQ(r, 255);
  shown.Get_Pixel(10, 20, r, g, b);
  EXPECT_EQ(r, 255);

  // 5 % at the start, then every chain (count / 10 rounds to a step of 1)
  // at 10 x index, the first of which shows as 1.
  EXPECT_EQ(platform.Headless().Progress_Events().Events(),
            (std::vector<std::string>{"open Sorting pixels...", "position 5", "position 1", "position 10",
                                      "position 20", "text ", "close"}));
}

TEST(PixelChainSorting, OrderingDetectedChainsSortsTheRestsAgain) {
  TestPlatform platform;
  ListMemry<PixelChain> detected, drawn;
  // A line of 5 with a separate line of 4: the rest sorts into a line of 4
  // of its own, which goes to the drawn chains.
  detected.Add_To_Tail(New_Chain(Join({Line_Of(0, 0, 5), Line_Of(10, 5, 4)}), 0));
  // A diagonal staircase sorts to 1 pixel and is dropped; its rests never
  // sort to more than 1 pixel either.
  detected.Add_To_Tail(New_Chain(Line_Of(20, 0, 6, 1, 1), 1));
  detected.Add_To_Tail(New_Chain(Line_Of(0, 20, 3), 2));
  std::string err;
  ASSERT_TRUE(PixelChain::Order_Detected_Chains(detected, drawn, err, platform.Get().Progress_Box()));
  const std::vector<PixelChain*> kept = Chains_Of(detected);
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(Coords_Of(*kept[0]), Line_Of(0, 0, 5));
  EXPECT_EQ(kept[0]->m_creationID, 0);
  EXPECT_EQ(kept[1]->m_creationID, 2);
  ASSERT_EQ(drawn.Get_Count(), 1);
  EXPECT_EQ(Coords_Of(*drawn.Get_First()), Line_Of(10, 5, 4));
  EXPECT_TRUE(drawn.Get_First()->m_sorted);
}

// ---- joining at junctions
// -----------------------------------------------------------------------------------

namespace {

ForkKernal* New_Fork(int x, int y, bool up, bool left, bool right, bool down) {
  auto* fork = new ForkKernal;
  fork->x = static_cast<int16_t>(x);
  fork->y = static_cast<int16_t>(y);
  fork->arms[ForkKernal::kUp] = up ? ForkKernal::kArmMark : 0;
  fork->arms[ForkKernal::kLeft] = left ? ForkKernal::kArmMark : 0;
  fork->arms[ForkKernal::kRight] = right ? ForkKernal::kArmMark : 0;
  fork->arms[ForkKernal::kDown] = down ? ForkKernal::kArmMark : 0;
  return fork;
}

}  // namespace

TEST(PixelChainForks, ChainsAtTheLeftAndLowerArmsBecomeOne) {
  TestPlatform platform;
  ListMemry<ForkKernal> forks;
  forks.Add_To_Tail(New_Fork(50, 10, false, true, false, true));

  // 40 pixels ending at the left arm, 25 starting at the lower arm; the
  // last of the 25 is already in the 40.
  ListMemry<PixelChain> chains;
  chains.Add_To_Tail(New_Chain(Line_Of(10, 10, 40), 0));
  chains.Add_To_Tail(New_Chain(Join({Line_Of(50, 11, 24, 0, 1), {{48, 10}}}), 1));
  int32_t joins = -1;
  std::string err;
  ASSERT_TRUE(PixelChain::Assemble_Forks(err, chains, forks, joins, platform.Get().Progress_Box()));
  EXPECT_EQ(joins, 1);
  ASSERT_EQ(chains.Get_Count(), 1);
  EXPECT_EQ(Coords_Of(*chains.Get_First()), Join({Line_Of(10, 10, 40), Line_Of(50, 11, 24, 0, 1)}));
  EXPECT_EQ(chains.Get_First()->m_creationID, 0);
  EXPECT_EQ(
      platform.Headless().Progress_Events().Events(),
      (std::vector<std::string>{"open Assemble forks...", "position 5", "position 1", "text ", "close"}));

  // The same with the longest touching at its start and the other at its
  // end: the other is added at the head, still in line order.
  ListMemry<PixelChain> reversed;
  reversed.Add_To_Tail(New_Chain(Line_Of(49, 10, 40, -1, 0), 0));
  reversed.Add_To_Tail(New_Chain(Join({{{48, 10}}, Line_Of(50, 34, 24, 0, -1)}), 1));
  ASSERT_TRUE(PixelChain::Assemble_Forks(err, reversed, forks, joins, platform.Get().Progress_Box()));
  EXPECT_EQ(joins, 1);
  ASSERT_EQ(reversed.Get_Count(), 1);
  EXPECT_EQ(Coords_Of(*reversed.Get_First()), Join({Line_Of(50, 34, 24, 0, -1), Line_Of(49, 10, 40, -1, 0)}));

  // Two touching chains of the same line (same m_creationID) stay apart.
  ListMemry<PixelChain> same;
  same.Add_To_Tail(New_Chain(Line_Of(10, 10, 40), 3));
  same.Add_To_Tail(New_Chain(Line_Of(50, 11, 25, 0, 1), 3));
  ASSERT_TRUE(PixelChain::Assemble_Forks(err, same, forks, joins, platform.Get().Progress_Box()));
  EXPECT_EQ(joins, 0);
  EXPECT_EQ(same.Get_Count(), 2);
  EXPECT_EQ(same.Get_First()->Get_Count(), 40);
}

TEST(PixelChainForks, TheLongestTakesTheSecondLongest) {
  TestPlatform platform;
  // Arms up, left and right at (50, 50): 10 pixels above, 30 to the left,
  // 20 to the right.  The 10 first become the longest, then the second
  // when the 30 arrive; the 20 then beat them as the second.
  ListMemry<ForkKernal> forks;
  forks.Add_To_Tail(New_Fork(50, 50, true, true, true, false));
  ListMemry<PixelChain> chains;
  chains.Add_To_Tail(New_Chain(Line_Of(50, 40, 10, 0, 1), 0));
  chains.Add_To_Tail(New_Chain(Line_Of(20, 50, 30), 1));
  chains.Add_To_Tail(New_Chain(Line_Of(51, 50, 20), 2));
  int32_t joins = 0;
  std::string err;
  ASSERT_TRUE(PixelChain::Assemble_Forks(err, chains, forks, joins, platform.Get().Progress_Box()));
  EXPECT_EQ(joins, 1);
  std::vector<PixelChain*> left = Chains_Of(chains);
  ASSERT_EQ(left.size(), 2u);
  EXPECT_EQ(left[0]->Get_Count(), 10);
  EXPECT_EQ(Coords_Of(*left[1]), Join({Line_Of(20, 50, 30), Line_Of(51, 50, 20)}));

  // 20 above, 10 to the left, 30 to the right: the 20 are the longest, the
  // 10 the second; the 30 push the 20 down to second, so the 10 stay.
  ListMemry<PixelChain> other;
  other.Add_To_Tail(New_Chain(Line_Of(50, 30, 20, 0, 1), 0));
  other.Add_To_Tail(New_Chain(Line_Of(40, 50, 10), 1));
  other.Add_To_Tail(New_Chain(Line_Of(51, 50, 30), 2));
  ASSERT_TRUE(PixelChain::Assemble_Forks(err, other, forks, joins, platform.Get().Progress_Box()));
  EXPECT_EQ(joins, 1);
  left = Chains_Of(other);
  ASSERT_EQ(left.size(), 2u);
  EXPECT_EQ(left[0]->m_creationID, 1);
  EXPECT_EQ(left[1]->m_creationID, 2);
  // The 30 start at the junction: the 20 come in at the head, walked from
  // their lower (touching) end upwards.
  EXPECT_EQ(Coords_Of(*left[1]), Join({Line_Of(50, 30, 20, 0, 1), Line_Of(51, 50, 30)}));

  // Without junctions nothing happens, not even a progress box.
  ListMemry<ForkKernal> none;
  platform.Headless().Progress_Events().Clear();
  ASSERT_TRUE(PixelChain::Assemble_Forks(err, other, none, joins, platform.Get().Progress_Box()));
  EXPECT_EQ(joins, 0);
  EXPECT_TRUE(platform.Headless().Progress_Events().Events().empty());
}

// ---- rescaling, thinning out, smoothing
// ------------------------------------------------------------------------

TEST(PixelChainLists, ScalingToSourceCoordinates) {
  TestPlatform platform;
  ListMemry<PixelChain> chains;
  chains.Add_To_Tail(New_Chain(Line_Of(0, 3, 10), 0));
  chains.Add_To_Tail(New_Chain({{5, 7}, {6, 7}}, 1));
  // Half-size working map: coordinates double, spacing too; the 10-pixel
  // chain is smoothed with a window of 4 (averages of 4 truncated).
  EXPECT_EQ(PixelChain::Scale_Coords_of_Pixels(0.5, chains, platform.Get().Messages()), 2);
  std::vector<PixelChain*> c = Chains_Of(chains);
  EXPECT_EQ(Coords_Of(*c[0]),
            (Coords{{0, 6}, {3, 6}, {5, 6}, {7, 6}, {9, 6}, {11, 6}, {13, 6}, {15, 6}, {18, 6}}));
  EXPECT_EQ(c[0]->m_spacing, 2);
  EXPECT_EQ(Coords_Of(*c[1]), (Coords{{10, 14}, {12, 14}}));

  // Double-size working map: coordinates halve (truncated), spacing 1;
  // the smoothing drops the duplicates.
  ListMemry<PixelChain> up;
  up.Add_To_Tail(New_Chain(Line_Of(0, 3, 10), 0));
  up.Get_First()->m_spacing = 5;
  EXPECT_EQ(PixelChain::Scale_Coords_of_Pixels(2.0, up, platform.Get().Messages()), 1);
  EXPECT_EQ(Coords_Of(*up.Get_First()), (Coords{{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}}));
  EXPECT_EQ(up.Get_First()->m_spacing, 1);
  EXPECT_TRUE(platform.Messages().Texts().empty());

  // A scale that is not positive is refused with a message.
  for (double scale : {0.0, -1.0, std::nan("")}) {
    EXPECT_EQ(PixelChain::Scale_Coords_of_Pixels(scale, up, platform.Get().Messages()), -1);
  }
  EXPECT_EQ(platform.Messages().Texts(),
            std::vector<std::string>(
                3, "PixelChain::Scale_Coords_of_Pixels FAILED,  scaleInPercent is out of bounds."));
  EXPECT_EQ(up.Get_First()->Get_Count(), 5);
}

TEST(PixelChainLists, DecimationKeepsAboutEveryStepthPixel) {
  ListMemry<PixelChain> chains;
  chains.Add_To_Tail(New_Chain(Line_Of(0, 0, 30), 0));
  chains.Add_To_Tail(New_Chain(Line_Of(0, 5, 14), 1));
  chains.Add_To_Tail(New_Chain(Line_Of(0, 9, 15), 2));
  PixelChain::Decimate_PixelChains(chains, 5);
  std::vector<PixelChain*> c = Chains_Of(chains);
  // Squared distance from the last kept pixel must exceed 25: every 6th.
  EXPECT_EQ(Coords_Of(*c[0]), (Coords{{0, 0}, {6, 0}, {12, 0}, {18, 0}, {24, 0}, {29, 0}}));
  EXPECT_EQ(c[0]->m_spacing, 5);
  // Fewer than 3 x step pixels: unchanged.
  EXPECT_EQ(Coords_Of(*c[1]), Line_Of(0, 5, 14));
  EXPECT_EQ(c[1]->m_spacing, 1);
  EXPECT_EQ(Coords_Of(*c[2]), (Coords{{0, 9}, {6, 9}, {12, 9}, {14, 9}}));
  // A step below 2 does nothing.
  PixelChain::Decimate_PixelChains(chains, 1);
  EXPECT_EQ(c[2]->Get_Count(), 4);
  EXPECT_EQ(c[2]->m_spacing, 5);
}

TEST(PixelChainLists, SmoothingByMovingAverage) {
  ListMemry<PixelChain> chains;
  chains.Add_To_Tail(New_Chain(Line_Of(0, 5, 10), 0));
  // A corner, window 3: it is cut.
  chains.Add_To_Tail(New_Chain({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}, {3, 3}}, 1));
  // 5 pixels are fewer than two windows of 4: the window shrinks to 2.
  chains.Add_To_Tail(New_Chain(Line_Of(0, 0, 5, 2, 0), 2));
  chains.Add_To_Tail(New_Chain({{7, 7}}, 3));
  PixelChain::Smooth_PixelChains(chains, 4);
  std::vector<PixelChain*> c = Chains_Of(chains);
  // A straight line stays straight, both ends kept.
  EXPECT_EQ(Coords_Of(*c[0]), Line_Of(0, 5, 10));
  EXPECT_EQ(Coords_Of(*c[2]), (Coords{{0, 0}, {1, 0}, {3, 0}, {5, 0}, {7, 0}, {8, 0}}));
  EXPECT_EQ(Coords_Of(*c[3]), (Coords{{7, 7}}));

  ListMemry<PixelChain> corner;
  corner.Add_To_Tail(New_Chain({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}, {3, 3}}, 1));
  PixelChain::Smooth_PixelChains(corner, 3);
  EXPECT_EQ(Coords_Of(*corner.Get_First()), (Coords{{0, 0}, {1, 0}, {2, 0}, {3, 1}, {3, 2}, {3, 3}}));

  // Windows below 3 change nothing.
  PixelChain::Smooth_PixelChains(corner, 2);
  EXPECT_EQ(corner.Get_First()->Get_Count(), 6);
}

// ---- what the outline dialog changes
// ---------------------------------------------------------------------------

TEST(PixelChainLists, VisibilityByLengthIn16Bits) {
  ListMemry<PixelChain> chains;
  chains.Add_To_Tail(New_Chain(Line_Of(0, 0, 4), 0));
  chains.Get_First()->m_spacing = 5;
  chains.Add_To_Tail(New_Chain(Line_Of(0, 1, 19), 1));
  chains.Add_To_Tail(New_Chain(Line_Of(0, 2, 20), 2));
  // 6554 x 5 = 32770 wraps to -32766 in 16 bits.
  chains.Add_To_Tail(New_Chain(Line_Of(0, 3, 6554), 3));
  chains.Get_Last()->m_spacing = 5;
  std::string err = "stale";
  ASSERT_TRUE(PixelChain::Set_Visible_by_Length(err, 20, chains));
  EXPECT_EQ(err, "");
  std::vector<PixelChain*> c = Chains_Of(chains);
  EXPECT_TRUE(c[0]->m_visible);
  EXPECT_FALSE(c[1]->m_visible);
  EXPECT_TRUE(c[2]->m_visible);
  EXPECT_FALSE(c[3]->m_visible);
  ASSERT_TRUE(PixelChain::Set_Visible_by_Length(err, 0, chains));
  EXPECT_TRUE(c[1]->m_visible);
}

TEST(PixelChainLists, NudgesStayInRangeAndFollowTheSeed) {
  ListMemry<PixelChain> chains;
  for (int i = 0; i < 500; ++i) chains.Add_To_Tail(New_Chain({{1, 1}}, static_cast<int16_t>(i)));
  std::mt19937 random(42);
  PixelChain::Nudge_PixelChains(chains, 10, random);
  std::vector<int> shifts;
  for (PixelChain* chain : Chains_Of(chains)) {
    shifts.push_back(chain->m_dx);
    shifts.push_back(chain->m_dy);
  }
  EXPECT_EQ(*std::min_element(shifts.begin(), shifts.end()), -4);
  EXPECT_EQ(*std::max_element(shifts.begin(), shifts.end()), 5);

  // The same seed gives the same shifts; the shifts are drawn dx, then dy.
  std::mt19937 again(42);
  PixelChain::Nudge_PixelChains(chains, 10, again);
  std::vector<int> repeated;
  for (PixelChain* chain : Chains_Of(chains)) {
    repeated.push_back(chain->m_dx);
    repeated.push_back(chain->m_dy);
  }
  EXPECT_EQ(repeated, shifts);
  std::mt19937 check(42);
  EXPECT_EQ(shifts[0], 5 - static_cast<int>(check() % 10));
  EXPECT_EQ(shifts[1], 5 - static_cast<int>(check() % 10));

  // Range 3 gives -1 .. 1; range 0 takes every shift away.
  PixelChain::Nudge_PixelChains(chains, 3, random);
  for (PixelChain* chain : Chains_Of(chains)) {
    EXPECT_GE(chain->m_dx, -1);
    EXPECT_LE(chain->m_dx, 1);
  }
  PixelChain::Nudge_PixelChains(chains, 0, random);
  for (PixelChain* chain : Chains_Of(chains)) {
    EXPECT_EQ(chain->m_dx, 0);
    EXPECT_EQ(chain->m_dy, 0);
  }
}

// ---- matching copies with originals
// -------------------------------------------------------------------------------

TEST(PixelChainMatching, FindByCreationId) {
  ListMemry<PixelChain> list;
  list.Add_To_Tail(New_Chain({{1, 1}}, 0));
  list.Add_To_Tail(New_Chain({{2, 2}}, 1));
  list.Add_To_Tail(New_Chain({{3, 3}}, 1));
  list.Add_To_Tail(New_Chain({{4, 4}}, 2));
  Set_Bounds(*list.Get_Last(), 4, 4, 4, 4);
  const std::vector<PixelChain*> c = Chains_Of(list);

  std::unique_ptr<PixelChain> probe(New_Chain({}, 0));
  std::string err = "stale";
  EXPECT_EQ(PixelChain::Find_Identical_PixelChain_in_List(*probe, list, err), c[0]);
  EXPECT_EQ(err, "");

  // Two with the same number: the last one, and the text says how many.
  probe->m_creationID = 1;
  EXPECT_EQ(PixelChain::Find_Identical_PixelChain_in_List(*probe, list, err), c[2]);
  EXPECT_EQ(
      err,
      "PixelChain::Find_Identical_PixelChain_in_List FAILED to find a UNIQUE PixelChain.  2  were found.");

  // A match with another rectangle still counts.
  probe->m_creationID = 2;
  EXPECT_EQ(PixelChain::Find_Identical_PixelChain_in_List(*probe, list, err), c[3]);
  EXPECT_EQ(err,
            "PixelChain::Find_Identical_PixelChain_in_List FAILED, found a match by m_creationID, but "
            "m_graphic does NOT match ");
  Set_Bounds(*probe, 4, 4, 4, 4);
  EXPECT_EQ(PixelChain::Find_Identical_PixelChain_in_List(*probe, list, err), c[3]);
  EXPECT_EQ(err, "");

  probe->m_creationID = 9;
  EXPECT_EQ(PixelChain::Find_Identical_PixelChain_in_List(*probe, list, err), nullptr);
  EXPECT_EQ(err, "PixelChain::Find_Identical_PixelChain_in_List FAILED to find a matching PixelChain.");
}

TEST(PixelChainMatching, RestoreCopyNudgesAndAppendCopies) {
  TestPlatform platform;
  ListMemry<PixelChain> detected, drawn;
  detected.Add_To_Tail(New_Chain(Line_Of(0, 0, 10), 0));
  detected.Add_To_Tail(New_Chain(Line_Of(0, 5, 8), 1));
  Set_Bounds(*detected.Get_Last(), 0, 5, 7, 5);
  EXPECT_EQ(PixelChain::Append_Chain_Copies(detected, drawn), 2);
  std::vector<PixelChain*> copies = Chains_Of(drawn);
  ASSERT_EQ(copies.size(), 2u);
  EXPECT_EQ(Coords_Of(*copies[1]), Line_Of(0, 5, 8));
  EXPECT_EQ(copies[1]->m_creationID, 1);
  EXPECT_NE(copies[1], detected.Get_Last());

  // The copies are thinned out and shifted; one of them changes its
  // rectangle; the detected list gains a chain that has no copy.
  PixelChain::Decimate_PixelChains(drawn, 3);
  EXPECT_EQ(copies[0]->m_spacing, 3);
  copies[0]->m_dx = 4;
  copies[1]->m_dy = -3;
  Set_Bounds(*copies[1], 0, 0, 1, 1);
  detected.Add_To_Tail(New_Chain({{9, 9}}, 2));

  PixelChain::Restore_from_Chains(detected, drawn, platform.Get().Messages());
  EXPECT_EQ(Coords_Of(*copies[0]), Line_Of(0, 0, 10));
  EXPECT_EQ(copies[0]->m_spacing, 1);
  EXPECT_EQ(copies[0]->m_dx, 4);
  EXPECT_EQ(Coords_Of(*copies[1]), Line_Of(0, 5, 8));
  EXPECT_EQ(platform.Messages().Texts(),
            (std::vector<std::string>{
                "PixelChain::Find_Identical_PixelChain_in_List FAILED, found a match by m_creationID, but "
                "m_graphic does NOT match ",
                "PixelChain::Find_Identical_PixelChain_in_List FAILED to find a matching PixelChain."}));

  platform.Messages().Clear();
  PixelChain::Copy_Nudges_to_Chains(drawn, detected, platform.Get().Messages());
  const std::vector<PixelChain*> originals = Chains_Of(detected);
  EXPECT_EQ(originals[0]->m_dx, 4);
  EXPECT_EQ(originals[0]->m_dy, 0);
  EXPECT_EQ(originals[1]->m_dy, -3);
  EXPECT_EQ(originals[2]->m_dx, 0);
  EXPECT_EQ(platform.Messages().Texts(),
            (std::vector<std::string>{
                "PixelChain::Find_Identical_PixelChain_in_List FAILED, found a match by m_creationID, but "
                "m_graphic does NOT match "}));
}
