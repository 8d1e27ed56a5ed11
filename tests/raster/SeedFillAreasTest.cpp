#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "PatternMaps.h"
#include "framework/ListMemry.h"
#include "outline/PixelChain.h"
#include "outline/PixelChainSearch.h"
#include "platform/headless/Headless.h"
#include "raster/SolidArea.h"

namespace {

std::vector<std::pair<int16_t, int16_t>> Pixels_Of(const PixelChain& chain) {
  std::vector<std::pair<int16_t, int16_t>> out;
  for (const Pixel* pixel : chain) out.emplace_back(pixel->x, pixel->y);
  return out;
}

std::string Graphic_Box(const PixelChain& chain) {
  RectLong r;
  chain.m_graphic.Get_Rect(r);
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

using Pixels = std::vector<std::pair<int16_t, int16_t>>;

}  // namespace

TEST(ColourCutOut, CutsTheExactColourAreaIntoABoxSizedMap) {
  auto map = Pattern_Map({".....", ".rr..", "..rR.", ".rr.."});
  auto totalMask = White_Mask(*map);
  RectShrt rect;
  int32_t count = 0;
  std::string err = "old";
  auto cut = map->SeedFill_24ColorMap_Create_from_Colored_Pixels(2, 2, 200, 0, 0, totalMask.get(), 5, 2, rect,
                                                                 count, err);
  ASSERT_NE(cut, nullptr);
  EXPECT_EQ(err, "");
  EXPECT_EQ(count, 5);
  EXPECT_EQ(Box(rect), "1,1,2,3");
  EXPECT_EQ(cut->Get_Depth(), 24);
  EXPECT_EQ(Pattern_Of(*cut), (Pattern{"rr", ".r", "rr"}));
  EXPECT_EQ(Pattern_Of(*totalMask), (Pattern{".....", ".##..", "..#..", ".##.."}));
}

TEST(ColourCutOut, SmallAreasAndOtherColoursGiveNullWithoutText) {
  auto map = Pattern_Map({".....", ".rr..", "..rR.", ".rr.."});
  RectShrt rect;
  int32_t count = 0;
  std::string err;
  EXPECT_EQ(
      map->SeedFill_24ColorMap_Create_from_Colored_Pixels(2, 2, 200, 0, 0, nullptr, 6, 2, rect, count, err),
      nullptr);
  EXPECT_EQ(err, "");
  EXPECT_EQ(count, 5);
  EXPECT_EQ(
      map->SeedFill_24ColorMap_Create_from_Colored_Pixels(2, 2, 200, 0, 0, nullptr, 1, 3, rect, count, err),
      nullptr);
  EXPECT_EQ(err, "");
  EXPECT_EQ(
      map->SeedFill_24ColorMap_Create_from_Colored_Pixels(3, 2, 200, 0, 0, nullptr, 0, 0, rect, count, err),
      nullptr);
  EXPECT_EQ(err, "");
  EXPECT_EQ(count, 0);
  EXPECT_EQ(Box(rect), "-1,-1,-1,-1");
  EXPECT_EQ(
      map->SeedFill_24ColorMap_Create_from_Colored_Pixels(-1, 2, 200, 0, 0, nullptr, 0, 0, rect, count, err),
      nullptr);
  EXPECT_EQ(err,
            "OffMap::SeedFill_24ColorMap_Create_from_Colored_Pixels failed, x or y coord is off the "
            "bitmap.");
}

TEST(SolidAreas, NewSolidAreaWipesTheTopRowAndCutsTheArea) {
  HeadlessMessages messages;
  std::string err = "old";
  auto map = Pattern_Map({"####", "#..#", "####"});
  auto totalMask = White_Mask(*map);
  auto area = OffMap::SeedFill_Create_New_SolidArea(0, 1, *map, totalMask.get(), 6, true, messages, err);
  ASSERT_NE(area, nullptr);
  EXPECT_EQ(err, "");
  EXPECT_EQ(area->origin.x, 0);
  EXPECT_EQ(area->origin.y, 1);
  EXPECT_EQ(Pattern_Of(*area->map), (Pattern{"#..#", "####"}));
  EXPECT_EQ(Pattern_Of(*map), (Pattern{"....", "#..#", "####"}));
  EXPECT_EQ(Pattern_Of(*totalMask), (Pattern{"....", "#..#", "####"}));

  auto again = Pattern_Map({"####", "#..#", "####"});
  EXPECT_EQ(OffMap::SeedFill_Create_New_SolidArea(0, 1, *again, totalMask.get(), 7, true, messages, err),
            nullptr);
  EXPECT_EQ(err, "");
  EXPECT_TRUE(messages.Texts().empty());
}

TEST(SolidAreas, NewSolidAreaRefusesThinAreasAndBadInput) {
  HeadlessMessages messages;
  std::string err;
  auto line = Pattern_Map({"...", ".#.", ".#.", ".#."});
  auto totalMask = White_Mask(*line);
  EXPECT_EQ(OffMap::SeedFill_Create_New_SolidArea(1, 1, *line, totalMask.get(), 1, true, messages, err),
            nullptr);
  EXPECT_EQ(err, "");
  EXPECT_EQ(OffMap::SeedFill_Create_New_SolidArea(1, -1, *line, totalMask.get(), 1, true, messages, err),
            nullptr);
  EXPECT_EQ(err, "OffMap::SeedFill_Create_New_SolidArea  failed, x or y coord is off the bitmap.");
  EXPECT_EQ(OffMap::SeedFill_Create_New_SolidArea(1, 1, *line, nullptr, 1, true, messages, err), nullptr);
  EXPECT_EQ(err,
            "SeedFill_Create_MaskMap_from_Blobs_of_Pixels_wSlow_Stack FAILED,  totalMaskMap is "
            "NULL.");
}

TEST(SolidAreas, LightAreasMustBeSmallEnough) {
  HeadlessMessages messages;
  std::string err;
  auto map = Pattern_Map({"....", "#..#", "#..#", "####"});
  auto totalMask = White_Mask(*map);
  auto hole = OffMap::SeedFill_Create_New_SolidArea(1, 1, *map, totalMask.get(), 4, false, messages, err);
  ASSERT_NE(hole, nullptr);
  EXPECT_EQ(Pattern_Of(*map)[0], "####");  // the top row becomes black for holes
  EXPECT_EQ(hole->origin.x, 1);
  EXPECT_EQ(hole->origin.y, 1);
  EXPECT_EQ(Pattern_Of(*hole->map), (Pattern{"..", ".."}));

  auto fresh = White_Mask(*map);
  EXPECT_EQ(OffMap::SeedFill_Create_New_SolidArea(1, 1, *map, fresh.get(), 3, false, messages, err), nullptr);
  EXPECT_EQ(err, "");
}

TEST(SolidAreas, GenerateKeepsAreasOfTwoByTwoAndMoreBelowTheTopRow) {
  HeadlessMessages messages;
  std::string err = "old";
  const Pattern rows = {"##........", "##..#.....", "....#..##.", ".......##.", ".###......", ".###......"};
  auto map = Pattern_Map(rows);
  ListMemry<SolidArea> areas;
  EXPECT_TRUE(OffMap::Generate_SolidAreas(*map, areas, 4, true, messages, err));
  EXPECT_EQ(err, "");
  ASSERT_EQ(areas.Get_Count(), 2);
  const SolidArea* first = areas.Get_Nth(0);
  EXPECT_EQ(first->origin.x, 7);
  EXPECT_EQ(first->origin.y, 2);
  EXPECT_EQ(Pattern_Of(*first->map), (Pattern{"##", "##"}));
  const SolidArea* second = areas.Get_Nth(1);
  EXPECT_EQ(second->origin.x, 1);
  EXPECT_EQ(second->origin.y, 4);
  EXPECT_EQ(Pattern_Of(*second->map), (Pattern{"###", "###"}));
  EXPECT_EQ(Pattern_Of(*map)[0], "..........");

  ListMemry<SolidArea> large;
  auto again = Pattern_Map(rows);
  EXPECT_TRUE(OffMap::Generate_SolidAreas(*again, large, 5, true, messages, err));
  ASSERT_EQ(large.Get_Count(), 1);
  EXPECT_EQ(large.Get_First()->origin.x, 1);
  EXPECT_TRUE(messages.Texts().empty());
}

TEST(SolidAreas, GenerateStopsAfterFiveHundredAreas) {
  HeadlessMessages messages;
  std::string err;
  // 40 x 15 blocks of 2 x 2, three pixels apart, from row 1 on.
  Pattern rows(46, std::string(120, '.'));
  for (int j = 0; j < 15; ++j)
    for (int i = 0; i < 40; ++i)
      for (int d = 0; d < 4; ++d) rows[1 + 3 * j + d / 2][3 * i + d % 2] = '#';
  auto map = Pattern_Map(rows);
  ListMemry<SolidArea> areas;
  EXPECT_TRUE(OffMap::Generate_SolidAreas(*map, areas, 1, true, messages, err));
  ASSERT_EQ(areas.Get_Count(), 500);
  EXPECT_EQ(areas.Get_Last()->origin.x, 57);  // block 19 of row 12: 12 * 40 + 20 = 500
  EXPECT_EQ(areas.Get_Last()->origin.y, 37);
}

TEST(SolidAreas, CountLeavesTheMapAsItWas) {
  HeadlessMessages messages;
  std::string err;
  const Pattern rows = {"##........", "##..#.....", "....#..##.", ".......##.", ".###......", ".###......"};
  auto map = Pattern_Map(rows);
  int32_t count = -1;
  EXPECT_TRUE(map->Count_SolidAreas(4, count, 7, messages, err));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(Pattern_Of(*map), rows);
  EXPECT_TRUE(map->Count_SolidAreas(4, count, 8, messages, err));
  EXPECT_EQ(count, 0);
}

TEST(HolePlug, WithoutTwoToneSmallDarkBlobsBecomeWhite) {
  const Pattern rows = {".........", ".#...###.", ".....###.", ".##..###.", "........."};
  std::string err = "old";
  auto map = Pattern_Map(rows);
  EXPECT_TRUE(map->Hole_Plug_TwoTone(3, false, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(Pattern_Of(*map), (Pattern{".........", ".....###.", ".....###.", ".....###.", "........."}));
  int32_t entries = -1;
  EXPECT_EQ(map->Get_SeedFill_Stack(entries), nullptr);

  auto strict = Pattern_Map(rows);
  EXPECT_TRUE(strict->Hole_Plug_TwoTone(2, false, err));
  EXPECT_EQ(Pattern_Of(*strict), (Pattern{".........", ".....###.", ".....###.", ".##..###.", "........."}));
}

TEST(HolePlug, TwoToneClosesHolesInTheFirstDarkColourMet) {
  std::string err;
  // The top-left blob is met before any dark pixel and stays open.
  auto map = Pattern_Map({"..c.", "cccc", "c..c", "cccc"});
  EXPECT_TRUE(map->Hole_Plug_TwoTone(10, true, err));
  EXPECT_EQ(Pattern_Of(*map), (Pattern{"..cc", "cccc", "cccc", "cccc"}));

  auto mixed = Pattern_Map({"#.r.", "....", "rrrr", "r.rr"});
  EXPECT_TRUE(mixed->Hole_Plug_TwoTone(3, true, err));
  EXPECT_EQ(Pattern_Of(*mixed), (Pattern{"#.r.", "....", "rrrr", "r#rr"}));

  // Without any dark pixel no hole is painted.
  auto white = Pattern_Map({"...", "...", "..."});
  EXPECT_TRUE(white->Hole_Plug_TwoTone(100, true, err));
  EXPECT_EQ(Pattern_Of(*white), (Pattern{"...", "...", "..."}));
}

TEST(HolePlug, MultiAlgoFillsLightHolesAndNeverSeedsTheTopRow) {
  const Pattern rows = {"..#..", ".###.", "##.##", ".###.", "....."};
  std::string err = "old";
  int32_t count = -1;
  auto map = Pattern_Map(rows);
  EXPECT_TRUE(map->Hole_Plug_MultiAlgo_SeedFill(3, false, 0, 0, 0, count, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(count, 1);
  EXPECT_EQ(Pattern_Of(*map), (Pattern{"..#..", ".###.", "#####", ".###.", "....."}));

  auto wider = Pattern_Map(rows);
  EXPECT_TRUE(wider->Hole_Plug_MultiAlgo_SeedFill(4, false, 10, 20, 30, count, err));
  EXPECT_EQ(count, 3);
  EXPECT_EQ(Pattern_Of(*wider), (Pattern{"cc#cc", "c###c", "##c##", ".###.", "....."}));

  // White pixels reachable from row 0 only are never seeded.
  auto top = Pattern_Map({".#.", "###", "..."});
  EXPECT_TRUE(top->Hole_Plug_MultiAlgo_SeedFill(10, false, 0, 0, 0, count, err));
  EXPECT_EQ(count, 1);
  EXPECT_EQ(Pattern_Of(*top), (Pattern{".#.", "###", "###"}));
}

TEST(HolePlug, MultiAlgoRemovesDarkBlobsSmallerThanTheLimit) {
  int32_t count = -1;
  std::string err;
  auto map = Pattern_Map({".....", ".#.##", ".....", "###..", "....."});
  EXPECT_TRUE(map->Hole_Plug_MultiAlgo_SeedFill(3, true, 255, 255, 255, count, err));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(Pattern_Of(*map), (Pattern{".....", ".....", ".....", "###..", "....."}));
}

TEST(PixelChains, BlobsBecomeChainsNumberedInTheOrderFound) {
  const Pattern rows = {"......#.####", ".##...#.....", ".#....##....",
                        ".#..........", "....###.....", "##.........."};
  auto map = Pattern_Map(rows, 8);
  ListMemry<PixelChain> chains;
  chains.Add_To_Tail(new PixelChain);
  int32_t count = -1;
  std::string err = "old";
  EXPECT_TRUE(Find_PixelChains_MultiAlgo_wSeedFill(*map, 3, chains, count, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(count, 2);
  ASSERT_EQ(chains.Get_Count(), 2);
  const PixelChain* first = chains.Get_Nth(0);
  EXPECT_EQ(first->m_creationID, 0);
  EXPECT_EQ(Pixels_Of(*first), (Pixels{{1, 1}, {2, 1}, {1, 2}, {1, 3}}));
  EXPECT_EQ(Graphic_Box(*first), "1,1,2,3");
  const PixelChain* second = chains.Get_Nth(1);
  EXPECT_EQ(second->m_creationID, 1);
  EXPECT_EQ(Pixels_Of(*second), (Pixels{{6, 0}, {6, 1}, {6, 2}, {7, 2}}));
  EXPECT_EQ(Graphic_Box(*second), "6,0,7,2");
  EXPECT_EQ(Pattern_Of(*map), Pattern_Of(*Pattern_Map(rows, 8)));

  EXPECT_TRUE(Find_PixelChains_MultiAlgo_wSeedFill(*map, 2, chains, count, err));
  EXPECT_EQ(count, 3);
  ASSERT_EQ(chains.Get_Count(), 3);
  EXPECT_EQ(chains.Get_Nth(2)->m_creationID, 2);
  EXPECT_EQ(Pixels_Of(*chains.Get_Nth(2)), (Pixels{{4, 4}, {5, 4}, {6, 4}}));
}

TEST(PixelChains, CollectBlackPixelsScansRowsFromTheTop) {
  auto mask = Pattern_Map({"#..#", ".#.."}, 8);
  auto clear = Pattern_Map({"....", "...."});
  PixelChain chain;
  chain.Add_To_Tail(new Pixel{9, 9});
  EXPECT_EQ(Collect_Black_Pixels(*mask, clear.get(), nullptr, 7, chain), 3);
  EXPECT_EQ(Pixels_Of(chain), (Pixels{{0, 0}, {3, 0}, {1, 1}}));
  EXPECT_EQ(chain.m_creationID, 7);
  EXPECT_EQ(Pattern_Of(*clear), (Pattern{"#..#", ".#.."}));

  const RectShrt right = Make_RectShrt(1, 0, 3, 1);
  EXPECT_EQ(Collect_Black_Pixels(*mask, nullptr, &right, 2, chain), 2);
  EXPECT_EQ(Pixels_Of(chain), (Pixels{{3, 0}, {1, 1}}));
  const RectShrt beyond = Make_RectShrt(3, 0, 30, 30);
  EXPECT_EQ(Collect_Black_Pixels(*mask, nullptr, &beyond, 2, chain), 1);
}

TEST(PixelChains, CopiesCarryPixelsAndFields) {
  PixelChain chain;
  chain.Add_To_Tail(new Pixel{1, 2});
  chain.Add_To_Tail(new Pixel{3, 4});
  chain.m_sorted = true;
  chain.m_creationID = 12;
  chain.m_visible = false;
  chain.m_spacing = 5;
  chain.m_dx = -3;
  chain.m_dy = 4;
  chain.m_graphic.Set_Rect(RectLong{{}, 1, 2, 3, 4});
  PixelChain copy(chain);
  chain.Get_First()->x = 99;
  EXPECT_EQ(Pixels_Of(copy), (Pixels{{1, 2}, {3, 4}}));
  EXPECT_TRUE(copy.m_sorted);
  EXPECT_EQ(copy.m_creationID, 12);
  EXPECT_FALSE(copy.m_visible);
  EXPECT_EQ(copy.m_spacing, 5);
  EXPECT_EQ(copy.m_dx, -3);
  EXPECT_EQ(copy.m_dy, 4);
  EXPECT_EQ(Graphic_Box(copy), "1,2,3,4");

  const PixelChain fresh;
  EXPECT_EQ(fresh.m_creationID, -1);
  EXPECT_TRUE(fresh.m_visible);
  EXPECT_EQ(fresh.m_spacing, 1);
  EXPECT_EQ(fresh.m_graphic.Get_Position().x, Graphic::kUnsetX);
}
