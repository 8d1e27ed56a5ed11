#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filters/ForkFilter.h"
#include "filters/PruneMapFilter.h"
#include "filters/ThinningMapFilter.h"
#include "platform/headless/Headless.h"
#include "raster/RasterTestMaps.h"

namespace {

using Picture = std::vector<std::string>;

// An 8-bit map from a picture: '#' is a line pixel (0), '.' background (255).
std::unique_ptr<OffMap> Map_Of(const Picture& rows, int32_t depth = 8) {
  auto map = std::make_unique<OffMap>(static_cast<int32_t>(rows[0].size()), static_cast<int32_t>(rows.size()),
                                      depth);
  for (size_t y = 0; y < rows.size(); ++y)
    for (size_t x = 0; x < rows[y].size(); ++x) {
      const int16_t v = rows[y][x] == '#' ? 0 : 255;
      map->Set_Pixel(static_cast<int32_t>(x), static_cast<int32_t>(y), v, v, v);
    }
  return map;
}

// The picture of a map: '#' where red is below 90, '.' elsewhere.
Picture Picture_Of(const OffMap& map) {
  Picture rows;
  for (int32_t y = 0; y < map.Get_Height(); ++y) {
    std::string row;
    for (int32_t x = 0; x < map.Get_Width(); ++x) row += Px(map, x, y)[0] < 90 ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

// ---- structure matching ------------------------------------------------------------

TEST(StructureMatching, CellCodes) {
  auto map = Grey_Map({{0, 89, 90}, {255, 0, 0}});
  // 0: background, or outside the map.
  EXPECT_FALSE(map->Matches_Structure_Cell(0, 0, 0, 90));
  EXPECT_FALSE(map->Matches_Structure_Cell(1, 0, 0, 90));
  EXPECT_TRUE(map->Matches_Structure_Cell(2, 0, 0, 90));
  EXPECT_TRUE(map->Matches_Structure_Cell(-1, 0, 0, 90));
  EXPECT_TRUE(map->Matches_Structure_Cell(0, 2, 0, 90));
  // 1: foreground inside the map (outside a grey map reads black, which
  // still does not count).
  EXPECT_TRUE(map->Matches_Structure_Cell(1, 0, 1, 90));
  EXPECT_FALSE(map->Matches_Structure_Cell(2, 0, 1, 90));
  EXPECT_FALSE(map->Matches_Structure_Cell(3, 0, 1, 90));
  EXPECT_TRUE(map->Matches_Structure_Cell(2, 0, 1, 91));
  // 2: anything; other codes: nothing.
  EXPECT_TRUE(map->Matches_Structure_Cell(0, 1, 2, 90));
  EXPECT_TRUE(map->Matches_Structure_Cell(-5, -5, 2, 90));
  EXPECT_FALSE(map->Matches_Structure_Cell(0, 0, 3, 90));
  EXPECT_FALSE(map->Matches_Structure_Cell(0, 1, -1, 90));

  // On a colour map "foreground" means not light: any component below the
  // threshold.
  auto colour = Solid_Map(1, 1, 24, {200, 50, 200});
  EXPECT_TRUE(colour->Matches_Structure_Cell(0, 0, 1, 90));
}

TEST(StructureMatching, ElementsStopAtTheFirstMismatch) {
  // Around (1, 1): line pixels above left and below right.
  auto map = Map_Of({"#..", ".#.", "..#"});
  const int16_t diagonal[8] = {1, 0, 0, 0, 0, 0, 0, 1};
  const int16_t wrong[8] = {1, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_TRUE(map->Matches_Structure_Element(1, 1, 8, diagonal, 90));
  EXPECT_FALSE(map->Matches_Structure_Element(1, 1, 8, wrong, 90));
  // Only the cells counted are tested.
  EXPECT_TRUE(map->Matches_Structure_Element(1, 1, 7, wrong, 90));
  EXPECT_TRUE(map->Matches_Structure_Element(1, 1, 0, wrong, 90));
  // More than 8 cells are not read.
  EXPECT_TRUE(map->Matches_Structure_Element(1, 1, 200, diagonal, 90));
  EXPECT_FALSE(map->Matches_Structure_Element(1, 1, 8, nullptr, 90));
  // At the corner (0, 0) the upper and left cells are outside: background.
  const int16_t corner[8] = {0, 0, 0, 0, 0, 0, 0, 1};
  EXPECT_TRUE(map->Matches_Structure_Element(0, 0, 8, corner, 90));
}

// ---- thinning ---------------------------------------------------------------------------

TEST(Thinning, ABarThreeWideBecomesOnePixelWide) {
  HeadlessMessages messages;
  auto map = Map_Of({"............", "............", "..########..", "..########..", "..########..",
                     "............", "............"});
  ThinningMapFilter thinning(map.get(), messages);
  EXPECT_EQ(thinning.Get_Parm1(), 150);
  thinning.Filter();
  // The top rim goes with element 0, the bottom rim with element 4; each
  // element sees what the previous ones removed, so the corner pixels that
  // lost their neighbour first stay as one-pixel hooks.
  EXPECT_EQ(Picture_Of(*map), (Picture{"............", "............", "..#......#..", "..########..",
                                       "..#.........", "............", "............"}));
  const int32_t expected[8] = {6, 0, 0, 1, 6, 0, 0, 0};
  for (int16_t e = 0; e < 8; ++e) EXPECT_EQ(thinning.Get_Removed_Count(e), expected[e]) << e;
  EXPECT_EQ(thinning.Get_Pass_Count(), 2);  // the second pass removes nothing
  EXPECT_TRUE(messages.Texts().empty());
}

TEST(Thinning, KeepsThinLinesIsolatedPixelsAndTwoWideBars) {
  HeadlessMessages messages;
  const Picture line{"..........", ".#######..", "....#.....", "....#....#"};
  auto map = Map_Of(line);
  ThinningMapFilter thin(map.get(), messages);
  thin.Filter();
  EXPECT_EQ(Picture_Of(*map), line);
  EXPECT_EQ(thin.Get_Pass_Count(), 1);

  // Removing both rims of a two-wide bar at once would erase it; element by
  // element one row stays.
  auto bar = Map_Of({"..........", ".########.", ".########.", ".........."});
  ThinningMapFilter(bar.get(), messages).Filter();
  EXPECT_EQ(Picture_Of(*bar), (Picture{"..........", ".#......#.", ".########.", ".........."}));
  EXPECT_TRUE(messages.Texts().empty());
}

TEST(Thinning, GreyLevelsAboveTheThresholdAreBackground) {
  HeadlessMessages messages;
  auto map = Grey_Map({{255, 255, 255, 255},
                       {255, 90, 90, 255},
                       {255, 89, 89, 255},
                       {255, 89, 89, 255},
                       {255, 255, 255, 255}});
  ThinningMapFilter(map.get(), messages).Filter();
  // Rows 2 and 3 hold a 2 x 2 block of line pixels under a row of 90, which
  // is background: the block loses its top right corner, and the pixels
  // kept keep their grey.
  EXPECT_EQ(Reds(*map, 1), (std::vector<int16_t>{255, 90, 90, 255}));
  EXPECT_EQ(Reds(*map, 2), (std::vector<int16_t>{255, 89, 255, 255}));
  EXPECT_EQ(Reds(*map, 3), (std::vector<int16_t>{255, 89, 89, 255}));
}

TEST(Thinning, ProcessingOneElementChecksItsInputs) {
  HeadlessMessages messages;
  auto map = Map_Of({"...", ".#.", "###"});
  OffMap work(3, 3, 8);
  std::string err;
  int32_t changed = -1;

  ThinningMapFilter noMap(nullptr, messages);
  EXPECT_FALSE(noMap.Process_Bitmap_with_One_StructureElement(0, work, 90, changed, err));
  EXPECT_EQ(err, "PruneMapFilter::Process_Bitmap_with_One_StructureElement  failed,   m_UndoMap is  NULL.");
  EXPECT_EQ(changed, 0);
  noMap.Filter();  // nothing to filter, nothing shown

  ThinningMapFilter thinning(map.get(), messages);
  for (int16_t bad : {8, -1}) {
    EXPECT_FALSE(thinning.Process_Bitmap_with_One_StructureElement(bad, work, 90, changed, err));
    EXPECT_EQ(err,
              "PruneMapFilter::Process_Bitmap_with_One_StructureElement  failed,   'structElementIndex' is "
              "out of range.");
  }
  // A pruning filter without passes has no pass limit to work to.
  PruneMapFilter noPasses(map.get(), 0, messages);
  EXPECT_FALSE(noPasses.Process_Bitmap_with_One_StructureElement(0, work, 90, changed, err));
  EXPECT_EQ(
      err,
      "PruneMapFilter::Process_Bitmap_with_One_StructureElement  failed,   m_Parm1 is bad ( maxIters ).");

  // Element 0 takes the centre pixel: background above, lines below.
  work.Fill(200);
  EXPECT_TRUE(thinning.Process_Bitmap_with_One_StructureElement(0, work, 90, changed, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(Reds(work, 1), (std::vector<int16_t>{200, 255, 200}));
  // The undo map is read, not the work map: the same call finds it again.
  EXPECT_TRUE(thinning.Process_Bitmap_with_One_StructureElement(0, work, 90, changed, err));
  EXPECT_EQ(changed, 1);
  // A threshold of 0 makes no pixel a line.
  EXPECT_TRUE(thinning.Process_Bitmap_with_One_StructureElement(0, work, 0, changed, err));
  EXPECT_EQ(changed, 0);
  EXPECT_TRUE(messages.Texts().empty());
}

// ---- pruning -----------------------------------------------------------------------------

TEST(Pruning, RemovesAThreePixelSpurAndShortensTheEnds) {
  HeadlessMessages messages;
  auto map = Map_Of({"..............", "..............", "..##########..", "......#.......", "......#.......",
                     "......#.......", ".............."});
  PruneMapFilter prune(map.get(), 3, messages);
  prune.Filter();
  EXPECT_EQ(Picture_Of(*map), (Picture{"..............", "..............", ".....####.....", "..............",
                                       "..............", "..............", ".............."}));
  EXPECT_EQ(prune.Get_Pass_Count(), 3);
  EXPECT_EQ(prune.Get_Removed_Count(), 9);
  EXPECT_TRUE(messages.Texts().empty());
}

TEST(Pruning, StopsWhenNothingIsLeftToPeel) {
  HeadlessMessages messages;
  // A 7-pixel line shrinks by one pixel at each end per pass: 5, 3, 1; the
  // fourth pass finds the single pixel without a neighbour and stops.
  auto map = Map_Of({"..........", ".#######..", ".........."});
  PruneMapFilter prune(map.get(), 100, messages);
  prune.Filter();
  EXPECT_EQ(Picture_Of(*map), (Picture{"..........", "....#.....", ".........."}));
  EXPECT_EQ(prune.Get_Pass_Count(), 4);

  // Both pixels of a pair are ends in the same pass.
  auto pair = Map_Of({"....", ".##.", "...."});
  PruneMapFilter(pair.get(), 5, messages).Filter();
  EXPECT_EQ(pair->Percent_Black_Pixels(), 0);

  // Diagonal ends are ends too; an isolated pixel stays.
  auto diagonal = Map_Of({"#....", ".#...", "..#..", ".....", "....#"});
  PruneMapFilter(diagonal.get(), 1, messages).Filter();
  EXPECT_EQ(Picture_Of(*diagonal), (Picture{".....", ".#...", ".....", ".....", "....#"}));

  // No passes: the map is unchanged.
  auto same = Map_Of({"....", ".##.", "...."});
  PruneMapFilter(same.get(), 0, messages).Filter();
  EXPECT_EQ(Picture_Of(*same), (Picture{"....", ".##.", "...."}));
  EXPECT_TRUE(messages.Texts().empty());
}

TEST(Pruning, AnIsolatedPixelSurvivesThinningAndPruning) {
  HeadlessMessages messages;
  const Picture dot{".....", ".....", "..#..", ".....", "....."};
  auto map = Map_Of(dot);
  ThinningMapFilter(map.get(), messages).Filter();
  PruneMapFilter(map.get(), 10, messages).Filter();
  EXPECT_EQ(Picture_Of(*map), dot);
}

// ---- fork detection -------------------------------------------------------------------------

TEST(Forks, ATJunctionIsCutAndRecordedWithThreeArms) {
  HeadlessMessages messages;
  auto map = Map_Of({".........", ".#######.", "....#....", "....#....", "........."});
  ListMemry<ForkKernal> forks;
  ForkFilter filter(map.get(), messages, &forks);
  EXPECT_EQ(filter.Get_Parm1(), -1);
  filter.Filter();
  EXPECT_EQ(Picture_Of(*map), (Picture{".........", ".###.###.", "....#....", "....#....", "........."}));
  EXPECT_EQ(filter.Get_Fork_Count(), 1);
  ASSERT_EQ(forks.Get_Count(), 1);
  const ForkKernal* fork = forks.Get_First();
  EXPECT_EQ(fork->x, 4);
  EXPECT_EQ(fork->y, 1);
  EXPECT_EQ(fork->arms[ForkKernal::kUp], 0);
  EXPECT_EQ(fork->arms[ForkKernal::kLeft], 9);
  EXPECT_EQ(fork->arms[ForkKernal::kRight], 9);
  EXPECT_EQ(fork->arms[ForkKernal::kDown], 9);
}

TEST(Forks, VerticalBranchesAndCrossings) {
  HeadlessMessages messages;
  // A vertical line with a branch to the right at (1, 2), and a crossing at
  // (5, 2); the list keeps what it held and is appended to in scan order.
  auto map = Map_Of({".#...#..", ".#...#..", ".#######", ".#...#..", ".....#.."});
  ListMemry<ForkKernal> forks;
  forks.Add_To_Tail(new ForkKernal);
  ForkFilter filter(map.get(), messages, &forks);
  filter.Filter();
  EXPECT_EQ(filter.Get_Fork_Count(), 2);
  ASSERT_EQ(forks.Get_Count(), 3);
  const ForkKernal* branch = forks.Get_Nth(1);
  EXPECT_EQ(branch->x, 1);
  EXPECT_EQ(branch->y, 2);
  EXPECT_EQ((std::vector<int16_t>(branch->arms, branch->arms + 4)), (std::vector<int16_t>{9, 0, 9, 9}));
  const ForkKernal* cross = forks.Get_Nth(2);
  EXPECT_EQ(cross->x, 5);
  EXPECT_EQ((std::vector<int16_t>(cross->arms, cross->arms + 4)), (std::vector<int16_t>{9, 9, 9, 9}));
  EXPECT_EQ(Picture_Of(*map), (Picture{".#...#..", ".#...#..", "..###.##", ".#...#..", ".....#.."}));
}

TEST(Forks, WritesGreysOfRedAndCountsWithoutAList) {
  HeadlessMessages messages;
  // Dark means red below 80 here; pixels that are not forks become the
  // grey of their red component.
  auto map = Solid_Map(3, 3, 24, {255, 255, 255});
  Put(*map, 1, 0, {79, 200, 10});
  Put(*map, 0, 1, {79, 0, 0});
  Put(*map, 1, 1, {0, 0, 0});
  Put(*map, 2, 1, {80, 0, 0});
  Put(*map, 1, 2, {60, 1, 2});
  Put(*map, 2, 2, {120, 7, 7});
  ForkFilter filter(map.get(), messages);
  filter.Filter();
  // (1, 1): left, up and down dark, right (red 80) light: a fork.
  EXPECT_EQ(filter.Get_Fork_Count(), 1);
  EXPECT_EQ(Px(*map, 1, 1), (Rgb3{255, 255, 255}));
  EXPECT_EQ(Px(*map, 1, 0), (Rgb3{79, 79, 79}));
  EXPECT_EQ(Px(*map, 2, 1), (Rgb3{80, 80, 80}));
  EXPECT_EQ(Px(*map, 2, 2), (Rgb3{120, 120, 120}));

  // Outside the map is white, also around a grey map (which reads black
  // there): a pixel at the edge with two dark neighbours is no fork.
  auto edge = Map_Of({"##", "#."});
  ForkFilter edgeFilter(edge.get(), messages);
  edgeFilter.Filter();
  EXPECT_EQ(edgeFilter.Get_Fork_Count(), 0);
  EXPECT_EQ(Picture_Of(*edge), (Picture{"##", "#."}));
  EXPECT_TRUE(messages.Texts().empty());
}

}  // namespace
