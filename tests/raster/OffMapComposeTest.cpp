#include <gtest/gtest.h>

#include "PatternMaps.h"
#include "RasterTestMaps.h"
#include "filters/Morphology.h"
#include "platform/headless/Headless.h"
#include "raster/Blends.h"

TEST(Blends, SubtractBlendCountsWhiteAsOneStepLighter) {
  EXPECT_EQ(Subtract_Blend(100, 100), 255);
  EXPECT_EQ(Subtract_Blend(100, 150), 206);
  EXPECT_EQ(Subtract_Blend(255, 0), 255);
  EXPECT_EQ(Subtract_Blend(0, 255), 0);
  EXPECT_EQ(Subtract_Blend(40, 255), 40);    // taking out white changes nothing
  EXPECT_EQ(Subtract_Blend(255, 254), 255);  // 256 - 254 + 256, clamped
  EXPECT_EQ(Subtract_Blend(10, 250), 16);
}

TEST(Blends, TransparentBlendDarkensLikeLayeredPaint) {
  EXPECT_EQ(Transparent_Blend(100, 255), 100);
  EXPECT_EQ(Transparent_Blend(100, 100), 0);
  EXPECT_EQ(Transparent_Blend(255, 40), 40);
  EXPECT_EQ(Transparent_Blend(200, 180), 124);
  EXPECT_EQ(Transparent_Blend(255, 255), 255);
}

TEST(Blends, LighterThanNeedsStrictlyMoreBlue) {
  EXPECT_TRUE(Is_Lighter_Than(200, 200, 200, 200, 200, 199));
  EXPECT_FALSE(Is_Lighter_Than(200, 200, 200, 200, 200, 200));
  EXPECT_FALSE(Is_Lighter_Than(200, 200, 200, 201, 0, 0));
  EXPECT_FALSE(Is_Lighter_Than(200, 200, 200, 0, 201, 0));
  EXPECT_TRUE(Is_Lighter_Than(255, 255, 255, 255, 255, 254));
}

TEST(OffMapCompose, SubtractSeparationNeedsTheSameSizeAndDepth) {
  std::string err;
  OffMap map(3, 2, 24), narrow(2, 2, 24), grey(3, 2, 8);
  EXPECT_FALSE(map.Subtract_Separation(narrow, err));
  EXPECT_EQ(err, "OffMap::Subtract_Separation  failed,  bitmaps are NOT the same size");
  err.clear();
  EXPECT_FALSE(map.Subtract_Separation(grey, err));
  EXPECT_EQ(err, "OffMap::Subtract_Separation  failed,  bitmaps are NOT the same size");
}

TEST(OffMapCompose, SubtractSeparationTakesOutTheNonWhitePixels) {
  std::string err = "old";
  auto map = Pattern_Map({"gg#", "r.c"});
  auto white = Pattern_Map({"...", "..."});
  EXPECT_TRUE(map->Subtract_Separation(*white, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(Pattern_Of(*map), (Pattern{"gg#", "r.c"}));

  auto separation = Pattern_Map({".#.", "w.."});
  Put(*separation, 0, 0, {150, 100, 255});
  EXPECT_TRUE(map->Subtract_Separation(*separation, err));
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{234, 255, 128}));  // 128-150+256, 128-100+256, 128-256+256
  EXPECT_EQ(Px(*map, 1, 0), (Rgb3{255, 255, 255}));
  EXPECT_EQ(Px(*map, 2, 0), (Rgb3{0, 0, 0}));
  EXPECT_EQ(Px(*map, 0, 1), (Rgb3{204, 4, 4}));  // near-white still counts
  EXPECT_EQ(Px(*map, 2, 1), (Rgb3{10, 20, 30}));

  auto tonal = Grey_Map({{100, 200}});
  auto tonalSep = Grey_Map({{150, 255}});
  EXPECT_TRUE(tonal->Subtract_Separation(*tonalSep, err));
  EXPECT_EQ(Reds(*tonal, 0), (std::vector<int16_t>{206, 200}));
}

TEST(OffMapCompose, SubtractScaledMapReadsOneToOneOrScaled) {
  auto map = Pattern_Map({"gggg", "gggg", "gggg"});
  auto region = Pattern_Map({"r.", ".#"});
  map->Subtract_Scaled_Map(*region, RectLong{{}, 0, 0, 1, 1}, RectLong{{}, 1, 1, 2, 2}, 0, 0, 0);
  EXPECT_EQ(Px(*map, 1, 1), (Rgb3{184, 255, 255}));
  EXPECT_EQ(Pattern_Of(*map), (Pattern{"gggg", "g?gg", "gg.g"}));

  // Twice as large: target (x, y) reads source (2x, 2y).
  auto scaled = Pattern_Map({"gg", "gg"});
  auto large = Pattern_Map({"....", ".#..", "..#.", "...."});
  scaled->Subtract_Scaled_Map(*large, RectLong{{}, 0, 0, 3, 3}, RectLong{{}, 0, 0, 1, 1}, 0, 0, 0);
  EXPECT_EQ(Pattern_Of(*scaled), (Pattern{"gg", "g."}));

  // A frame hanging over the map's edge changes only what lies inside.
  auto edge = Pattern_Map({"gg", "gg"});
  auto black = Pattern_Map({"##", "##"});
  edge->Subtract_Scaled_Map(*black, RectLong{{}, 0, 0, 1, 1}, RectLong{{}, -1, -1, 0, 0}, 0, 0, 0);
  EXPECT_EQ(Pattern_Of(*edge), (Pattern{".g", "gg"}));
}

TEST(OffMapCompose, SubtractScaledMapReadsPastTheSourceAsGetPixelDoes) {
  // A source rectangle larger than the source map: past its right and
  // bottom edges a colour map reads white and takes nothing out.
  auto map = Pattern_Map({"gggg", "gggg"});
  auto black = Pattern_Map({"##"});
  map->Subtract_Scaled_Map(*black, RectLong{{}, 0, 0, 3, 0}, RectLong{{}, 0, 0, 3, 1}, 0, 0, 0);
  EXPECT_EQ(Pattern_Of(*map), (Pattern{"..gg", "gggg"}));

  // A tonal map reads black there, which takes out everything.
  auto all = Pattern_Map({"gggg", "gggg"});
  auto tonal = Grey_Map({{0, 255}});
  all->Subtract_Scaled_Map(*tonal, RectLong{{}, 0, 0, 3, 0}, RectLong{{}, 0, 0, 3, 1}, 0, 0, 0);
  EXPECT_EQ(Pattern_Of(*all), (Pattern{".g..", "...."}));

  // Shifted colours go through the colour-modified read; white stays white.
  auto shifted = Pattern_Map({"ggg"});
  auto source = Pattern_Map({"r.#"});
  shifted->Subtract_Scaled_Map(*source, RectLong{{}, 0, 0, 2, 0}, RectLong{{}, 0, 0, 2, 0}, 0, 0, 55);
  EXPECT_EQ(Px(*shifted, 0, 0), (Rgb3{128, 255, 255}));  // (255, 0, 0) taken out
  EXPECT_EQ(Px(*shifted, 1, 0), (Rgb3{128, 128, 128}));
  EXPECT_EQ(Px(*shifted, 2, 0), (Rgb3{255, 255, 255}));  // (55, 55, 55) taken out
}

TEST(OffMapCompose, SubtractColorTakesOutWhatTheColourCovers) {
  std::string err = "old";
  auto map = Pattern_Map({"...."});
  Put(*map, 0, 0, {200, 200, 199});
  Put(*map, 1, 0, {200, 200, 200});
  Put(*map, 2, 0, {100, 120, 50});
  EXPECT_TRUE(map->Subtract_Color(200, 200, 200, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(Px(*map, 0, 0), (Rgb3{255, 255, 255}));
  EXPECT_EQ(Px(*map, 1, 0), (Rgb3{200, 200, 200}));
  EXPECT_EQ(Px(*map, 2, 0), (Rgb3{156, 176, 106}));
  EXPECT_EQ(Px(*map, 3, 0), (Rgb3{255, 255, 255}));
}

TEST(OffMapCompose, PaintMaskedPixelsPaintsAndMarksInsideTheRectangle) {
  auto mask = Pattern_Map({"#...", "..#.", "...#"}, 8);
  auto map = Pattern_Map({"gggg", "gggg", "gggg"});
  auto mark = White_Mask(*map);
  EXPECT_EQ(map->Paint_Masked_Pixels(*mask, mark.get(), nullptr, 10, 20, 30), 3);
  EXPECT_EQ(Pattern_Of(*map), (Pattern{"cggg", "ggcg", "gggc"}));
  EXPECT_EQ(Pattern_Of(*mark), (Pattern{"#...", "..#.", "...#"}));

  auto part = Pattern_Map({"gggg", "gggg", "gggg"});
  const RectShrt middle = Make_RectShrt(1, 0, 3, 1);
  EXPECT_EQ(part->Paint_Masked_Pixels(*mask, nullptr, &middle, 0, 0, 0), 1);
  EXPECT_EQ(Pattern_Of(*part), (Pattern{"gggg", "gg#g", "gggg"}));

  // A rectangle reaching beyond the mask stops at its edge.
  const RectShrt beyond = Make_RectShrt(2, 1, 40, 40);
  EXPECT_EQ(part->Paint_Masked_Pixels(*mask, nullptr, &beyond, 255, 255, 255), 2);
  EXPECT_EQ(Pattern_Of(*part), (Pattern{"gggg", "gg.g", "ggg."}));
}

TEST(OffMapCompose, ZeroOutPaintsWhereTheMaskIsNotBlack) {
  std::string err = "old";
  auto map = Pattern_Map({"ggg"});
  auto mask = Grey_Map({{0, 255, 7}});
  EXPECT_TRUE(map->ZeroOut_Masked_Pixels(*mask, 0, 0, 0, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(Pattern_Of(*map), (Pattern{"g##"}));

  auto tall = Grey_Map({{0, 0, 0}, {0, 0, 0}});
  EXPECT_FALSE(map->ZeroOut_Masked_Pixels(*tall, 255, 255, 255, err));
  EXPECT_EQ(err, "OffMap::ZeroOut_Masked_Pixels  FAILED,  bitmaps are NOT the same size.");
  EXPECT_EQ(Pattern_Of(*map), (Pattern{"g##"}));
}

TEST(OffMapCompose, OpenMorphologyRefusesRadiiBelowOne) {
  HeadlessMessages messages;
  std::string err;
  auto map = Pattern_Map({"#.", ".."});
  EXPECT_FALSE(Do_Open_Morphology(*map, 0, 2, messages, err));
  EXPECT_EQ(err, "Do_Open_Morphology  failed,  improper input diameters ( <0 ).");
  err.clear();
  EXPECT_FALSE(Do_Open_Morphology(*map, 2, 0, messages, err));
  EXPECT_EQ(err, "Do_Open_Morphology  failed,  improper input diameters ( <0 ).");
  EXPECT_EQ(Pattern_Of(*map), (Pattern{"#.", ".."}));
  EXPECT_TRUE(messages.Texts().empty());
}

TEST(OffMapCompose, OpenMorphologyRemovesSmallDotsAndKeepsLargeShapes) {
  HeadlessMessages messages;
  std::string err = "old";
  Pattern rows(16, std::string(16, '.'));
  rows[2][2] = rows[2][3] = rows[3][2] = rows[3][3] = '#';  // a 2 x 2 dot
  for (int y = 5; y < 15; ++y)
    for (int x = 4; x < 14; ++x) rows[y][x] = '#';  // a 10 x 10 block
  auto map = Pattern_Map(rows);
  EXPECT_TRUE(Do_Open_Morphology(*map, 2, 2, messages, err));
  EXPECT_EQ(err, "");
  // The dot is gone; the block comes back without the corners the disc of
  // radius 2 (a 5 x 5 square without corners) cannot reach.
  Pattern expected(16, std::string(16, '.'));
  for (int y = 5; y < 15; ++y)
    for (int x = 4; x < 14; ++x) expected[y][x] = '#';
  expected[5][4] = expected[5][13] = expected[14][4] = expected[14][13] = '.';
  EXPECT_EQ(Pattern_Of(*map), expected);
  EXPECT_TRUE(messages.Texts().empty());
}
