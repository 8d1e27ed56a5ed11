#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <vector>

#include "PatternMaps.h"
#include "framework/ListMemry.h"
#include "platform/headless/Headless.h"

namespace {

// One fill's results.
struct FillResult {
  bool ok = false;
  RectShrt rect;
  int32_t count = -7;
  int32_t maxStackHeight = -7;
  std::string err = "old";
};

// The variants that share the fill test and differ in their stacks.
enum class Variant { ArrayStack, ListStack, FloodRead };

FillResult Fill(Variant variant, OffMap& map, int32_t x, int32_t y, OffMap& fillMask, OffMap* totalMask,
                bool wantLight = true) {
  FillResult f;
  switch (variant) {
    case Variant::ArrayStack: {
      std::vector<LINESEGMENToffmap> stack(20000);
      f.ok = map.SeedFill_Create_MaskMap_from_Blobs_of_Pixels(x, y, false, 0, 0, 0, 250, fillMask, totalMask,
                                                              f.rect, f.count, stack.data(), 20000, wantLight,
                                                              f.maxStackHeight, f.err);
      break;
    }
    case Variant::ListStack: {
      HeadlessMessages messages;
      f.ok = map.SeedFill_Create_MaskMap_from_Blobs_of_Pixels_wSlow_Stack(
          x, y, false, 0, 0, 0, 250, wantLight, fillMask, totalMask, f.rect, f.count, f.maxStackHeight,
          messages, f.err);
      EXPECT_TRUE(messages.Texts().empty());
      break;
    }
    case Variant::FloodRead:
      f.ok = map.Flood_Read(x, y, fillMask, totalMask, wantLight, f.rect, f.count, f.maxStackHeight, f.err);
      break;
  }
  return f;
}

// The 4-connected area around a seed, found pixel by pixel: what every fill
// must take.
Pattern Connected_Area(const Pattern& rows, int32_t sx, int32_t sy, char inside) {
  Pattern area(rows.size(), std::string(rows[0].size(), '.'));
  if (rows[sy][sx] != inside) return area;
  std::deque<std::pair<int32_t, int32_t>> todo{{sx, sy}};
  area[sy][sx] = '#';
  while (!todo.empty()) {
    auto [x, y] = todo.front();
    todo.pop_front();
    const int32_t steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& s : steps) {
      const int32_t nx = x + s[0], ny = y + s[1];
      if (ny < 0 || nx < 0 || ny >= static_cast<int32_t>(rows.size()) ||
          nx >= static_cast<int32_t>(rows[0].size()))
        continue;
      if (rows[ny][nx] != inside || area[ny][nx] == '#') continue;
      area[ny][nx] = '#';
      todo.emplace_back(nx, ny);
    }
  }
  return area;
}

// A deterministic speckled pattern with many concave shapes.
Pattern Speckles(int32_t w, int32_t h, uint32_t seed) {
  Pattern rows(h, std::string(w, '.'));
  for (auto& row : rows)
    for (char& c : row) {
      seed = seed * 1103515245u + 12345u;
      if ((seed >> 16) % 100 < 55) c = '#';
    }
  return rows;
}

int32_t Marked(const Pattern& p) {
  int32_t n = 0;
  for (const auto& row : p)
    for (char c : row) n += c == '#';
  return n;
}

}  // namespace

TEST(SeedFill, SeedStackIsAllocatedReplacedAndFreed) {
  OffMap map(2, 2, 24);
  std::string err = "old";
  int32_t count = -1;
  EXPECT_EQ(map.Get_SeedFill_Stack(count), nullptr);
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(map.Alloc_Stack_for_SeedFill(20000, err));
  EXPECT_EQ(err, "");
  EXPECT_NE(map.Get_SeedFill_Stack(count), nullptr);
  EXPECT_EQ(count, 20000);
  EXPECT_TRUE(map.Alloc_Stack_for_SeedFill(70, err));
  map.Get_SeedFill_Stack(count);
  EXPECT_EQ(count, 70);
  EXPECT_FALSE(map.Alloc_Stack_for_SeedFill(0, err));
  EXPECT_EQ(err, "OffMap::Alloc_Stack_for_SeedFill( FAILED,  could NOT allocate memory.");
  EXPECT_EQ(map.Get_SeedFill_Stack(count), nullptr);
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(map.Alloc_Stack_for_SeedFill(5, err));
  map.Free_SeedFill_Stack();
  EXPECT_EQ(map.Get_SeedFill_Stack(count), nullptr);
  EXPECT_EQ(count, 0);
}

TEST(SeedFill, OneDarkPixelFillsItselfWithItsBox) {
  for (Variant v : {Variant::ArrayStack, Variant::ListStack, Variant::FloodRead}) {
    auto map = Pattern_Map({".....", ".....", "..#..", ".....", "....."});
    auto fillMask = White_Mask(*map);
    auto totalMask = White_Mask(*map);
    FillResult f = Fill(v, *map, 2, 2, *fillMask, totalMask.get());
    EXPECT_TRUE(f.ok);
    EXPECT_EQ(f.err, "");
    EXPECT_EQ(f.count, 1);
    EXPECT_EQ(Box(f.rect), "2,2,2,2");
    EXPECT_EQ(f.maxStackHeight, v == Variant::FloodRead ? 1 : 2);
    EXPECT_EQ(Pattern_Of(*fillMask), Pattern_Of(*map));
    EXPECT_EQ(Pattern_Of(*totalMask), Pattern_Of(*map));
  }
}

TEST(SeedFill, DiagonalNeighboursAreSeparateAreas) {
  for (Variant v : {Variant::ArrayStack, Variant::ListStack, Variant::FloodRead}) {
    auto map = Pattern_Map({"#..", ".#.", "..#"});
    auto fillMask = White_Mask(*map);
    auto totalMask = White_Mask(*map);
    FillResult f = Fill(v, *map, 1, 1, *fillMask, totalMask.get());
    EXPECT_EQ(f.count, 1);
    EXPECT_EQ(Box(f.rect), "1,1,1,1");
    EXPECT_EQ(Pattern_Of(*fillMask), (Pattern{"...", ".#.", "..."}));
  }
}

TEST(SeedFill, LightOrUnusableSeedsFillNothingAndSucceed) {
  for (Variant v : {Variant::ArrayStack, Variant::ListStack, Variant::FloodRead}) {
    auto map = Pattern_Map({"w#", "##"});
    auto fillMask = White_Mask(*map);
    auto totalMask = White_Mask(*map);
    for (auto [x, y] :
         {std::pair{0, 0}, std::pair{-1, 0}, std::pair{0, -1}, std::pair{2, 0}, std::pair{0, 2}}) {
      FillResult f = Fill(v, *map, x, y, *fillMask, totalMask.get());
      EXPECT_TRUE(f.ok);
      EXPECT_EQ(f.err, "");
      EXPECT_EQ(f.count, 0);
      EXPECT_EQ(Box(f.rect), "-1,-1,-1,-1");
      EXPECT_EQ(f.maxStackHeight, 0);
    }
    EXPECT_EQ(Pattern_Of(*fillMask), (Pattern{"..", ".."}));
  }
}

TEST(SeedFill, EveryVariantTakesExactlyTheConnectedArea) {
  for (uint32_t seed : {1u, 2u, 3u, 4u}) {
    const Pattern rows = Speckles(37, 23, seed);
    for (auto [sx, sy] : {std::pair{0, 0}, std::pair{18, 11}, std::pair{36, 22}, std::pair{5, 17}}) {
      for (bool wantLight : {true, false}) {
        const Pattern expected = Connected_Area(rows, sx, sy, wantLight ? '#' : '.');
        for (Variant v : {Variant::ArrayStack, Variant::ListStack, Variant::FloodRead}) {
          auto map = Pattern_Map(rows);
          auto fillMask = White_Mask(*map);
          auto totalMask = White_Mask(*map);
          FillResult f = Fill(v, *map, sx, sy, *fillMask, totalMask.get(), wantLight);
          EXPECT_TRUE(f.ok) << f.err;
          EXPECT_EQ(Pattern_Of(*fillMask), expected) << "seed " << seed << " at " << sx << "," << sy;
          EXPECT_EQ(Pattern_Of(*totalMask), expected);
          EXPECT_EQ(f.count, Marked(expected));
          EXPECT_EQ(Pattern_Of(*map), Pattern_Of(*Pattern_Map(rows)));  // no paint asked
        }
      }
    }
  }
}

TEST(SeedFill, ConcaveShapeReachesEveryArmAndReportsItsBox) {
  const Pattern rows = {"..........", ".#.#...#..", ".#.#####..", ".#.....#..",
                        ".#######..", "......#...", "..####.#.."};
  const Pattern expected = {"..........", ".#.#...#..", ".#.#####..", ".#.....#..",
                            ".#######..", "......#...", ".........."};
  for (Variant v : {Variant::ArrayStack, Variant::ListStack, Variant::FloodRead}) {
    auto map = Pattern_Map(rows);
    auto fillMask = White_Mask(*map);
    auto totalMask = White_Mask(*map);
    FillResult f = Fill(v, *map, 3, 1, *fillMask, totalMask.get());
    EXPECT_EQ(Pattern_Of(*fillMask), expected);
    EXPECT_EQ(f.count, 19);
    EXPECT_EQ(Box(f.rect), "1,1,7,5");
  }
}

TEST(SeedFill, TakenPixelsStopTheFillAndTheTotalMaskAccumulates) {
  auto map = Pattern_Map({"#####", "....#", "#####"});
  auto fillMask = White_Mask(*map);
  auto totalMask = White_Mask(*map);
  fillMask->Set_Pixel(2, 0, 0, 0, 0);  // taken before: the top row is cut there
  std::vector<LINESEGMENToffmap> stack(100);
  FillResult f;
  EXPECT_TRUE(map->SeedFill_Create_MaskMap_from_Blobs_of_Pixels(
      0, 0, false, 0, 0, 0, 250, *fillMask, totalMask.get(), f.rect, f.count, stack.data(), 100, true,
      f.maxStackHeight, f.err));
  EXPECT_EQ(f.count, 2);
  EXPECT_EQ(Pattern_Of(*totalMask), (Pattern{"##...", ".....", "....."}));

  auto second = White_Mask(*map);
  EXPECT_TRUE(map->SeedFill_Create_MaskMap_from_Blobs_of_Pixels(
      4, 1, false, 0, 0, 0, 250, *second, totalMask.get(), f.rect, f.count, stack.data(), 100, true,
      f.maxStackHeight, f.err));
  EXPECT_EQ(f.count, 11);
  EXPECT_EQ(Box(f.rect), "0,0,4,2");
  EXPECT_EQ(Pattern_Of(*totalMask), (Pattern{"#####", "....#", "#####"}));

  // The flood read also respects what the total mask holds already.
  auto third = White_Mask(*map);
  EXPECT_TRUE(map->Flood_Read(0, 2, *third, totalMask.get(), true, f.rect, f.count, f.maxStackHeight, f.err));
  EXPECT_EQ(f.count, 0);
  EXPECT_EQ(Box(f.rect), "-1,-1,-1,-1");
}

TEST(SeedFill, PaintRecoloursTheTakenPixels) {
  auto map = Pattern_Map({"##.#", "#..#"});
  auto fillMask = White_Mask(*map);
  FillResult f;
  HeadlessMessages messages;
  EXPECT_TRUE(map->SeedFill_Create_MaskMap_from_Blobs_of_Pixels_wSlow_Stack(
      0, 0, true, 10, 20, 30, 250, true, *fillMask, fillMask.get(), f.rect, f.count, f.maxStackHeight,
      messages, f.err));
  EXPECT_EQ(Pattern_Of(*map), (Pattern{"cc.#", "c..#"}));
  std::vector<LINESEGMENToffmap> stack(100);
  EXPECT_TRUE(map->SeedFill_Create_MaskMap_from_Blobs_of_Pixels(3, 1, true, 128, 128, 128, 250, *fillMask,
                                                                nullptr, f.rect, f.count, stack.data(), 100,
                                                                true, f.maxStackHeight, f.err));
  EXPECT_EQ(Pattern_Of(*map), (Pattern{"cc.g", "c..g"}));
  EXPECT_EQ(f.count, 2);
}

TEST(SeedFill, ArrayStackLimitsAndTheirTexts) {
  auto map = Pattern_Map({"...", ".#.", "..."});
  auto fillMask = White_Mask(*map);
  std::vector<LINESEGMENToffmap> stack(100);
  FillResult f;
  EXPECT_FALSE(map->SeedFill_Create_MaskMap_from_Blobs_of_Pixels(1, 1, false, 0, 0, 0, 250, *fillMask,
                                                                 nullptr, f.rect, f.count, nullptr, 100, true,
                                                                 f.maxStackHeight, f.err));
  EXPECT_EQ(f.err, "OffMap::SeedFill_Create_MaskMap_from_Blobs_of_Pixels  FAILED, stack is NULL");
  EXPECT_FALSE(map->SeedFill_Create_MaskMap_from_Blobs_of_Pixels(1, 1, false, 0, 0, 0, 250, *fillMask,
                                                                 nullptr, f.rect, f.count, stack.data(), 0,
                                                                 true, f.maxStackHeight, f.err));
  EXPECT_EQ(f.err,
            "OffMap::SeedFill_Create_MaskMap_from_Blobs_of_Pixels  FAILED,  lineCountInSeedStack "
            "is less than 1");

  // The last 64 entries are never used: up to 64 entries nothing is pushed.
  for (int32_t entries : {1, 64}) {
    EXPECT_TRUE(map->SeedFill_Create_MaskMap_from_Blobs_of_Pixels(1, 1, false, 0, 0, 0, 250, *fillMask,
                                                                  nullptr, f.rect, f.count, stack.data(),
                                                                  entries, true, f.maxStackHeight, f.err));
    EXPECT_EQ(f.err, "");
    EXPECT_EQ(f.count, 0);
    EXPECT_EQ(Pattern_Of(*fillMask), (Pattern{"...", "...", "..."}));
  }

  // The two seed runs fill a usable size of 2: the fill reports the full
  // stack.  With room for 3 the dot is filled.
  EXPECT_FALSE(map->SeedFill_Create_MaskMap_from_Blobs_of_Pixels(1, 1, false, 0, 0, 0, 250, *fillMask,
                                                                 nullptr, f.rect, f.count, stack.data(), 66,
                                                                 true, f.maxStackHeight, f.err));
  EXPECT_EQ(f.err,
            "OffMap::SeedFill_Create_MaskMap_from_Blobs_of_Pixels  FAILED,  curStackHeight  >=   "
            "( maxDepth - 8).");
  EXPECT_EQ(f.maxStackHeight, 2);
  EXPECT_TRUE(map->SeedFill_Create_MaskMap_from_Blobs_of_Pixels(1, 1, false, 0, 0, 0, 250, *fillMask, nullptr,
                                                                f.rect, f.count, stack.data(), 67, true,
                                                                f.maxStackHeight, f.err));
  EXPECT_EQ(f.err, "");
  EXPECT_EQ(f.count, 1);
}

TEST(SeedFill, ArrayStackOverflowsOnALargeAreaWithATinyStack) {
  const Pattern rows = Speckles(60, 40, 9);
  auto map = Pattern_Map(rows);
  std::vector<LINESEGMENToffmap> stack(20000);
  FillResult big;
  auto mask = White_Mask(*map);
  // The seed with the largest area of the speckles.
  int32_t bestX = 0, bestY = 0, bestCount = 0;
  for (int32_t y = 0; y < 40; ++y)
    for (int32_t x = 0; x < 60; ++x) {
      const int32_t n = Marked(Connected_Area(rows, x, y, '#'));
      if (n > bestCount) bestCount = n, bestX = x, bestY = y;
    }
  EXPECT_TRUE(map->SeedFill_Create_MaskMap_from_Blobs_of_Pixels(bestX, bestY, false, 0, 0, 0, 250, *mask,
                                                                nullptr, big.rect, big.count, stack.data(),
                                                                20000, true, big.maxStackHeight, big.err));
  EXPECT_EQ(big.count, bestCount);
  ASSERT_GT(big.maxStackHeight, 3);

  FillResult small;
  auto smallMask = White_Mask(*map);
  EXPECT_FALSE(map->SeedFill_Create_MaskMap_from_Blobs_of_Pixels(
      bestX, bestY, false, 0, 0, 0, 250, *smallMask, nullptr, small.rect, small.count, stack.data(),
      64 + big.maxStackHeight - 1, true, small.maxStackHeight, small.err));
  EXPECT_EQ(small.err,
            "OffMap::SeedFill_Create_MaskMap_from_Blobs_of_Pixels  FAILED,  curStackHeight  >=   "
            "( maxDepth - 8).");
  EXPECT_EQ(small.maxStackHeight, big.maxStackHeight - 1);
  EXPECT_LT(small.count, big.count);
  // One more entry and the same fill fits.
  auto fitMask = White_Mask(*map);
  EXPECT_TRUE(map->SeedFill_Create_MaskMap_from_Blobs_of_Pixels(
      bestX, bestY, false, 0, 0, 0, 250, *fitMask, nullptr, small.rect, small.count, stack.data(),
      64 + big.maxStackHeight + 1, true, small.maxStackHeight, small.err));
  EXPECT_EQ(small.count, big.count);
}

TEST(SeedFill, SlowStackNeedsATotalMaskAndItsPushAndPopReport) {
  auto map = Pattern_Map({"#.", "..", ".."});
  auto fillMask = White_Mask(*map);
  HeadlessMessages messages;
  FillResult f;
  EXPECT_FALSE(map->SeedFill_Create_MaskMap_from_Blobs_of_Pixels_wSlow_Stack(
      0, 0, false, 0, 0, 0, 250, true, *fillMask, nullptr, f.rect, f.count, f.maxStackHeight, messages,
      f.err));
  EXPECT_EQ(f.err,
            "SeedFill_Create_MaskMap_from_Blobs_of_Pixels_wSlow_Stack FAILED,  totalMaskMap is "
            "NULL.");

  ListMemry<LINESEGMENToffmap> stack;
  map->Push_LineSegment(stack, 0, 1, 2, 1);   // row 3 does not exist
  map->Push_LineSegment(stack, 0, 1, 0, -1);  // nor row -1
  EXPECT_EQ(stack.Get_Count(), 0);
  map->Push_LineSegment(stack, 0, 1, 1, 1);
  map->Push_LineSegment(stack, 1, 1, 1, -1);
  EXPECT_EQ(stack.Get_Count(), 2);

  int16_t x1 = 0, x2 = 0, row = 0, dy = 0;
  EXPECT_TRUE(map->Pop_From_LineSegment_Stack(stack, x1, x2, row, dy, messages));
  EXPECT_EQ((std::vector<int16_t>{x1, x2, row, dy}), (std::vector<int16_t>{1, 1, 0, -1}));
  EXPECT_TRUE(map->Pop_From_LineSegment_Stack(stack, x1, x2, row, dy, messages));
  EXPECT_EQ((std::vector<int16_t>{x1, x2, row, dy}), (std::vector<int16_t>{0, 1, 2, 1}));
  EXPECT_TRUE(messages.Texts().empty());
  EXPECT_FALSE(map->Pop_From_LineSegment_Stack(stack, x1, x2, row, dy, messages));
  EXPECT_EQ(
      messages.Texts(),
      (std::vector<std::string>{"OffMap::Pop_From_LineSegment_Stack FAIL, noting left in the pixelStack."}));

  // A run whose row lies outside the map (only a foreign push makes one) is
  // reported and its row clamped.
  messages.Clear();
  auto* bad = new LINESEGMENToffmap;
  bad->xLeft = 0;
  bad->xRight = 1;
  bad->y = 2;
  bad->dy = 1;
  stack.Push(bad);
  EXPECT_TRUE(map->Pop_From_LineSegment_Stack(stack, x1, x2, row, dy, messages));
  EXPECT_EQ(row, 2);
  EXPECT_EQ(
      messages.Texts(),
      (std::vector<std::string>{"OffMap::Pop_From_LineSegment_Stack FAIL, trying to assign a bad y value"}));
}

TEST(SeedFill, FloodReadNeedsATotalMask) {
  auto map = Pattern_Map({"#"});
  auto fillMask = White_Mask(*map);
  FillResult f;
  EXPECT_FALSE(map->Flood_Read(0, 0, *fillMask, nullptr, true, f.rect, f.count, f.maxStackHeight, f.err));
  EXPECT_EQ(f.err, "OffMap::Flood_Read  FAILED,  totalMaskMap is NULL.");
  EXPECT_EQ(Pattern_Of(*fillMask), (Pattern{"."}));
}

TEST(SeedFill, FloodReadWorksOnTonalMaps) {
  auto map = Pattern_Map({"#.#", "#.#", "###"}, 8);
  auto fillMask = White_Mask(*map);
  auto totalMask = White_Mask(*map);
  FillResult f;
  EXPECT_TRUE(
      map->Flood_Read(2, 0, *fillMask, totalMask.get(), true, f.rect, f.count, f.maxStackHeight, f.err));
  EXPECT_EQ(f.count, 7);
  EXPECT_EQ(Box(f.rect), "0,0,2,2");
  EXPECT_EQ(Pattern_Of(*fillMask), (Pattern{"#.#", "#.#", "###"}));
}

TEST(SeedFill, ColoredAreaTakesTheExactColourOnly) {
  auto map = Pattern_Map({"rrR", "r#r", "rrr"});
  auto fillMask = White_Mask(*map);
  auto totalMask = White_Mask(*map);
  RectShrt rect;
  int32_t count = 0;
  std::string err = "old";
  EXPECT_TRUE(map->SeedFill_Colored_Area(0, 0, 200, 0, 0, *fillMask, totalMask.get(), rect, count, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(count, 7);
  EXPECT_EQ(Box(rect), "0,0,2,2");
  EXPECT_EQ(Pattern_Of(*fillMask), (Pattern{"##.", "#.#", "###"}));
  EXPECT_EQ(Pattern_Of(*totalMask), Pattern_Of(*fillMask));
  EXPECT_EQ(Pattern_Of(*map), (Pattern{"rrR", "r#r", "rrr"}));

  auto other = White_Mask(*map);
  EXPECT_TRUE(map->SeedFill_Colored_Area(2, 0, 200, 0, 0, *other, nullptr, rect, count, err));
  EXPECT_EQ(count, 0);
  EXPECT_EQ(Box(rect), "-1,-1,-1,-1");
}

TEST(SeedFill, SeedFillColorPaintsEachPixelOnceWhateverTheColour) {
  std::string err = "old";
  auto map = Pattern_Map({"##.#", ".#..", "###."});
  EXPECT_EQ(map->Seed_Fill_Color(0, 0, 252, 252, 252, err), 6);
  EXPECT_EQ(err, "");
  EXPECT_EQ(Pattern_Of(*map), (Pattern{"ww.#", ".w..", "www."}));

  // A fill colour that is not light leaves the pixels fillable; the fill
  // still ends, having painted the area once.
  auto dark = Pattern_Map({"##.#", ".#..", "###."});
  EXPECT_EQ(dark->Seed_Fill_Color(1, 1, 10, 20, 30, err), 6);
  EXPECT_EQ(Pattern_Of(*dark), (Pattern{"cc.#", ".c..", "ccc."}));
  EXPECT_EQ(dark->Seed_Fill_Color(1, 1, 0, 0, 0, err), 6);
  EXPECT_EQ(Pattern_Of(*dark), (Pattern{"##.#", ".#..", "###."}));

  EXPECT_EQ(dark->Seed_Fill_Color(2, 0, 0, 0, 0, err), 0);  // a white seed
  EXPECT_EQ(dark->Seed_Fill_Color(9, 0, 0, 0, 0, err), 0);

  auto tonal = Pattern_Map({"g#.", "..g"}, 8);
  EXPECT_EQ(tonal->Seed_Fill_Color(0, 0, 255, 255, 255, err), 2);
  EXPECT_EQ(Pattern_Of(*tonal), (Pattern{"...", "..g"}));
}
