// The pencil-line painter of the outline detector: blending, cross-sections
// per strip height and direction, the direction history, stamps, Bresenham
// walks, whole chains, brush selection and the failure texts.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "OutlineTestMaps.h"
#include "outline/OutlineDetector.h"
#include "support/TestSupport.h"

namespace {

using namespace outline_test;

const std::string kNoName =
    "OutlineDetector::Set_PencilPen_Line_Style FAILED,  no ResourceBitmapUtility has the name:   ";
const std::string kOutOfBounds =
    "OutlineDetector::Set_Current_ResourceBitmapUtility  FAILED,  newUtilityIndex is out of bounds.";
const std::string kNotInitialized =
    "OutlineDetector::Set_Current_ResourceBitmapUtility  FAILED,  that ResourceBitmapUtility has NOT been "
    "initialized.";

// A detector that only paints: it has a brush table and nothing else.
class Painter : public ::testing::Test {
 protected:
  Painter() : detector(nullptr, nullptr, nullptr, nullptr, brushes.rows, platform.Get()) {}

  // Selects row `index` as the current brush.
  void Use(int index) {
    std::string err;
    ASSERT_EQ(detector.Set_Current_ResourceBitmapUtility(static_cast<int16_t>(index), err), index) << err;
  }
  void Stamp(OffMap& map, int x, int y, int direction) {
    std::string err;
    ASSERT_TRUE(detector.Paint_Pencil_Kernal_8_Directions(static_cast<int16_t>(x), static_cast<int16_t>(y),
                                                          static_cast<int16_t>(direction), map, err))
        << err;
  }

  TestPlatform platform;
  BrushTable brushes;
  OutlineDetector detector;
};

// ---- blending -------------------------------------------------------------------------------

TEST(PencilBlend, TheBrushValueIsStretchedTowardsBlack) {
  const std::map<int, int> expected = {{255, 255}, {250, 246}, {200, 156}, {128, 27},
                                       {114, 2},   {113, 0},   {0, 0}};
  for (const auto& [value, grey] : expected)
    EXPECT_EQ(OutlineDetector::Blend_Value(static_cast<int16_t>(value)), grey) << value;
}

// ---- cross-sections ------------------------------------------------------------------------------

TEST(PencilCrossSection, OrthogonalLengthsAreChordsOfTheMidpointCircle) {
  const std::map<int, std::vector<int>> lengths = {{2, {0}},
                                                   {4, {3, 0}},
                                                   {5, {5, 5, 3, 0}},
                                                   {7, {7, 7, 5, 3, 0}},
                                                   {9, {9, 9, 7, 7, 3, 0}},
                                                   {12, {11, 11, 11, 9, 7, 5, 0, 0}}};
  for (const auto& [height, perLayer] : lengths)
    for (int direction : {0, 2, 4, 6})
      for (size_t layer = 0; layer < perLayer.size(); ++layer)
        EXPECT_EQ(
            OutlineDetector::Cross_Section_Length(static_cast<int16_t>(direction),
                                                  static_cast<int16_t>(height), static_cast<int16_t>(layer)),
            perLayer[layer])
            << "h " << height << " direction " << direction << " layer " << layer;
}

TEST(PencilCrossSection, DiagonalLengthsComeFromTheHeightTable) {
  const std::map<int, std::vector<int>> lengths = {
      {2, {0, 0, 0, 0, 0, 0, 0, 0}},  {3, {3, 2, 0, 0, 0, 0, 0, 0}},  {4, {3, 2, 0, 0, 0, 0, 0, 0}},
      {5, {3, 4, 3, 2, 0, 0, 0, 0}},  {6, {3, 4, 3, 2, 0, 0, 0, 0}},  {7, {5, 4, 5, 4, 3, 0, 0, 0}},
      {8, {5, 4, 5, 4, 3, 0, 0, 0}},  {9, {7, 6, 7, 6, 5, 4, 3, 0}},  {10, {7, 6, 7, 6, 5, 4, 3, 0}},
      {11, {7, 8, 7, 8, 7, 6, 5, 4}}, {12, {7, 8, 7, 8, 7, 6, 5, 4}}, {13, {0, 0, 0, 0, 0, 0, 0, 0}}};
  for (const auto& [height, perLayer] : lengths)
    for (int direction : {1, 3, 5, 7})
      for (int layer = 0; layer < 8; ++layer)
        EXPECT_EQ(
            OutlineDetector::Cross_Section_Length(static_cast<int16_t>(direction),
                                                  static_cast<int16_t>(height), static_cast<int16_t>(layer)),
            perLayer[layer])
            << "h " << height << " direction " << direction << " layer " << layer;
}

struct Section {
  std::vector<Point> side0, side1;
  bool hasCenter = false;
  Point center;
};

Section Section_At(int direction, int height, int layer, int x = 20, int y = 20) {
  OutlineDetector::CrossSection cs;
  OutlineDetector::Cross_Section(static_cast<int16_t>(x), static_cast<int16_t>(y),
                                 static_cast<int16_t>(direction), static_cast<int16_t>(height),
                                 static_cast<int16_t>(layer), cs);
  Section s;
  for (int k = 0; k < cs.count[0]; ++k) s.side0.emplace_back(cs.side[0][k].x, cs.side[0][k].y);
  for (int k = 0; k < cs.count[1]; ++k) s.side1.emplace_back(cs.side[1][k].x, cs.side[1][k].y);
  s.hasCenter = cs.hasCenter;
  s.center = {cs.center.x, cs.center.y};
  return s;
}

TEST(PencilCrossSection, OrthogonalSectionsLieAcrossTheStrokeBehindThePoint) {
  // Moving right: the run is vertical, side 0 upwards; layer m is m to the left.
  Section s = Section_At(0, 12, 0);
  EXPECT_EQ(s.side0, (std::vector<Point>{{20, 19}, {20, 18}, {20, 17}, {20, 16}, {20, 15}}));
  EXPECT_EQ(s.side1, (std::vector<Point>{{20, 21}, {20, 22}, {20, 23}, {20, 24}, {20, 25}}));
  EXPECT_TRUE(s.hasCenter);
  EXPECT_EQ(s.center, Point(20, 20));
  s = Section_At(0, 12, 3);
  EXPECT_EQ(s.center, Point(17, 20));
  EXPECT_EQ(s.side0, (std::vector<Point>{{17, 19}, {17, 18}, {17, 17}, {17, 16}}));

  // Moving up: layers lie below, side 0 to the left.
  s = Section_At(2, 7, 2);
  EXPECT_EQ(s.center, Point(20, 22));
  EXPECT_EQ(s.side0, (std::vector<Point>{{19, 22}, {18, 22}}));
  EXPECT_EQ(s.side1, (std::vector<Point>{{21, 22}, {22, 22}}));
  // Moving left: layers to the right, side 0 downwards.  Moving down:
  // layers above, side 0 to the right.
  s = Section_At(4, 5, 1);
  EXPECT_EQ(s.center, Point(21, 20));
  EXPECT_EQ(s.side0, (std::vector<Point>{{21, 21}, {21, 22}}));
  s = Section_At(6, 5, 2);
  EXPECT_EQ(s.center, Point(20, 18));
  EXPECT_EQ(s.side0, (std::vector<Point>{{21, 18}}));
  EXPECT_EQ(s.side1, (std::vector<Point>{{19, 18}}));
  // Past the circle there is nothing.
  s = Section_At(6, 5, 3);
  EXPECT_TRUE(s.side0.empty());
  EXPECT_TRUE(s.side1.empty());
}

TEST(PencilCrossSection, OddDiagonalLayersStartSideZeroAtTheirCentre) {
  // Up-right, height 12.  Layer 1 has no middle pixel: side 0 starts at the
  // centre one step to the left.
  Section s = Section_At(1, 12, 1);
  EXPECT_FALSE(s.hasCenter);
  EXPECT_EQ(s.side0, (std::vector<Point>{{19, 20}, {18, 19}, {17, 18}, {16, 17}}));
  EXPECT_EQ(s.side1, (std::vector<Point>{{20, 21}, {21, 22}, {22, 23}, {23, 24}}));
  // Layer 2 is centred one step down-left and has its own middle.
  s = Section_At(1, 12, 2);
  EXPECT_TRUE(s.hasCenter);
  EXPECT_EQ(s.center, Point(19, 21));
  EXPECT_EQ(s.side0, (std::vector<Point>{{18, 20}, {17, 19}, {16, 18}}));
  EXPECT_EQ(s.side1, (std::vector<Point>{{20, 22}, {21, 23}, {22, 24}}));
  s = Section_At(1, 12, 3);
  EXPECT_EQ(s.side0.front(), Point(18, 21));
  EXPECT_EQ(s.side0.size(), 4u);
  EXPECT_EQ(s.side1.size(), 4u);

  // The other diagonals' layer centres.
  EXPECT_EQ(Section_At(3, 12, 1).side0.front(), Point(20, 21));
  EXPECT_EQ(Section_At(5, 12, 1).side0.front(), Point(21, 20));
  EXPECT_EQ(Section_At(7, 12, 1).side0.front(), Point(20, 19));
  EXPECT_EQ(Section_At(3, 12, 2).center, Point(21, 21));
  EXPECT_EQ(Section_At(5, 12, 2).center, Point(21, 19));
  EXPECT_EQ(Section_At(7, 12, 2).center, Point(19, 19));

  // Height 4, down-right: layer 1 holds just its centre on side 0 and one
  // pixel on side 1; layer 2 is empty.
  s = Section_At(7, 4, 1);
  EXPECT_EQ(s.side0, (std::vector<Point>{{20, 19}}));
  EXPECT_EQ(s.side1, (std::vector<Point>{{19, 20}}));
  s = Section_At(7, 4, 2);
  EXPECT_TRUE(s.side0.empty());
}

TEST(PencilCrossSection, NoPixelIsHeldTwiceAndSidesHoldTheWholeRun) {
  for (int height = 2; height <= 13; ++height) {
    for (int direction = 0; direction < 8; ++direction) {
      for (int layer = 0; layer < 8; ++layer) {
        const Section s = Section_At(direction, height, layer);
        PointSet seen;
        size_t total = 0;
        for (const auto* side : {&s.side0, &s.side1})
          for (const Point& p : *side) {
            seen.insert(p);
            ++total;
          }
        const bool centreCounted = s.hasCenter && !s.side0.empty();
        if (centreCounted) {
          seen.insert(s.center);
          ++total;
        }
        EXPECT_EQ(seen.size(), total) << "h " << height << " d " << direction << " layer " << layer;
        const int length = OutlineDetector::Cross_Section_Length(
            static_cast<int16_t>(direction), static_cast<int16_t>(height), static_cast<int16_t>(layer));
        if (!s.side0.empty()) {
          EXPECT_EQ(static_cast<int>(total), length) << "h " << height << " d " << direction;
        }
      }
    }
  }
}

// ---- the direction history ---------------------------------------------------------------------

TEST_F(Painter, DirectionFollowsTheHistoryFromOldestToNewest) {
  EXPECT_EQ(detector.Direction_from_History(), 6);
  detector.Push_Direction_History(Pixel{5, 5});
  EXPECT_EQ(detector.Direction_from_History(), 6);  // one pixel says nothing

  const std::map<std::pair<int, int>, int> byStep = {{{5, 0}, 0},  {{5, -5}, 1}, {{0, -5}, 2}, {{-5, -5}, 3},
                                                     {{-5, 0}, 4}, {{-5, 5}, 5}, {{0, 5}, 6},  {{5, 5}, 7},
                                                     {{5, 2}, 0},  {{2, 1}, 7},  {{0, 0}, 0}};
  for (const auto& [step, direction] : byStep) {
    detector.Reset_Direction_History();
    detector.Push_Direction_History(Pixel{10, 10});
    detector.Push_Direction_History(
        Pixel{static_cast<int16_t>(10 + step.first), static_cast<int16_t>(10 + step.second)});
    EXPECT_EQ(detector.Direction_from_History(), direction) << step.first << "," << step.second;
  }
}

TEST_F(Painter, AFullHistoryMeasuresFromTheSlotAboutToBeOverwritten) {
  for (int x = 0; x < 5; ++x) detector.Push_Direction_History(Pixel{static_cast<int16_t>(x), 0});
  EXPECT_EQ(detector.Direction_from_History(), 0);
  // The sixth pixel overwrites slot 0: the oldest is now (1, 0), and from
  // there (2, 3) lies down (from (0, 0) it would be down-right).
  detector.Push_Direction_History(Pixel{2, 3});
  EXPECT_EQ(detector.Direction_from_History(), 6);
  detector.Reset_Direction_History();
  EXPECT_EQ(detector.Direction_from_History(), 6);
}

// ---- stamps ------------------------------------------------------------------------------------

TEST_F(Painter, PencilLiteStampCoversThreePixelsAcrossAndNothingBehind) {
  brushes.Set_Flat(0, "Pencil Lite", 1352, 4, 0);
  Use(0);
  auto map = White_Map(30, 30);
  Stamp(*map, 10, 10, 0);
  EXPECT_EQ(Pixels_Below(*map), (PointSet{{10, 9}, {10, 10}, {10, 11}}));
  map->Fill(255);
  Stamp(*map, 10, 10, 6);
  EXPECT_EQ(Pixels_Below(*map), (PointSet{{9, 10}, {10, 10}, {11, 10}}));
}

TEST_F(Painter, HeightTwelveStampDarkensItsPointAndWhitensInLayersBehind) {
  // Grey by strip row, the same in every column.
  const auto v = [](int row) { return 100 + 10 * row; };
  brushes.Set(4, "Charcoal Medium", 3390, 12, [&v](int, int y) { return v(y); });
  Use(4);
  auto map = White_Map(40, 40);
  Stamp(*map, 20, 20, 0);

  // Layer m lies at x = 20 - m with half-runs of 5, 5, 5, 4, 3, 2 pixels.
  const int halves[] = {5, 5, 5, 4, 3, 2};
  std::map<Point, int> expected;
  for (int m = 0; m < 6; ++m) {
    expected[{20 - m, 20}] = OutlineDetector::Blend_Value(static_cast<int16_t>(v(6)));
    for (int k = 0; k < halves[m]; ++k) {
      expected[{20 - m, 19 - k}] = OutlineDetector::Blend_Value(static_cast<int16_t>(v(5 - k)));
      expected[{20 - m, 21 + k}] = OutlineDetector::Blend_Value(static_cast<int16_t>(v(7 + k)));
    }
  }
  EXPECT_EQ(expected.size(), 54u);  // 11 + 11 + 11 + 9 + 7 + 5
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      const auto it = expected.find({x, y});
      EXPECT_EQ(Grey(*map, x, y), it == expected.end() ? 255 : it->second) << x << "," << y;
    }
}

TEST_F(Painter, DarkenNeverLightensAndLayersBehindPaintOnlyWhite) {
  brushes.Set_Flat(4, "Charcoal Medium", 3390, 12, 200);  // blends to 156
  Use(4);
  auto map = White_Map(40, 40);
  map->Set_Pixel(20, 20, 50, 50, 50);     // darker than the brush: kept
  map->Set_Pixel(20, 18, 200, 200, 200);  // lighter: darkened
  map->Set_Pixel(19, 20, 200, 200, 200);  // behind, not white: kept
  map->Set_Pixel(19, 21, 252, 252, 252);  // behind, light enough: painted
  map->Set_Pixel(18, 20, 249, 249, 249);  // behind, just too dark: kept
  Stamp(*map, 20, 20, 0);
  EXPECT_EQ(Grey(*map, 20, 20), 50);
  EXPECT_EQ(Grey(*map, 20, 18), 156);
  EXPECT_EQ(Grey(*map, 19, 20), 200);
  EXPECT_EQ(Grey(*map, 19, 21), 156);
  EXPECT_EQ(Grey(*map, 18, 20), 249);
  EXPECT_EQ(Grey(*map, 17, 20), 156);
}

TEST_F(Painter, BrushValuesWhiteNothingBlackAndGrey) {
  brushes.Set_Flat(0, "Blank", 100, 5, 255);
  brushes.Set_Flat(1, "Black", 100, 5, 0);
  brushes.Set_Flat(2, "Grey", 100, 5, 200);
  auto map = White_Map(20, 20);
  map->Set_Pixel(10, 10, 100, 100, 100);
  Use(0);
  Stamp(*map, 10, 10, 0);
  EXPECT_EQ(Pixels_Below(*map), (PointSet{{10, 10}}));
  EXPECT_EQ(Grey(*map, 10, 10), 100);
  Use(1);
  Stamp(*map, 10, 10, 0);
  EXPECT_EQ(Grey(*map, 10, 10), 0);
  EXPECT_EQ(Grey(*map, 10, 8), 0);
  Use(2);
  Stamp(*map, 5, 5, 0);
  EXPECT_EQ(Grey(*map, 5, 5), 156);
}

TEST_F(Painter, TheBrushColumnRunsOnAndRestartsAtTheStripHeight) {
  // Grey by column: every stamp shows which column it used.
  brushes.Set(0, "Ruler", 40, 12, [](int x, int) { return 150 + x; });
  Use(0);
  EXPECT_EQ(detector.Get_Brush_Column(), 10);
  auto map = White_Map(400, 40);
  std::vector<int> columns;
  for (int i = 0; i < 19; ++i) {
    Stamp(*map, 10 + 20 * i, 20, 0);
    columns.push_back(detector.Get_Brush_Column());
  }
  EXPECT_EQ(columns,
            (std::vector<int>{11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 12, 13}));
  EXPECT_EQ(Grey(*map, 10, 20), OutlineDetector::Blend_Value(161));
  // The 18th stamp restarted at column 12; its first layer behind read 11.
  EXPECT_EQ(Grey(*map, 350, 20), OutlineDetector::Blend_Value(162));
  EXPECT_EQ(Grey(*map, 349, 20), OutlineDetector::Blend_Value(161));
}

// ---- lines and chains -------------------------------------------------------------------------

// A strip of height 2 paints its centre only: the stamps show the walk.
class DotPainter : public Painter {
 protected:
  DotPainter() {
    brushes.Set_Flat(0, "Dot", 200, 2, 0);
    Use(0);
  }
  PointSet Walk(Point from, Point to, int expectedStamps) {
    auto map = White_Map(20, 20);
    std::string err;
    int32_t stamps = -1;
    EXPECT_TRUE(detector.Paint_Pencil_Line_wKernal(
        Pixel{static_cast<int16_t>(from.first), static_cast<int16_t>(from.second)},
        Pixel{static_cast<int16_t>(to.first), static_cast<int16_t>(to.second)}, 0, *map, stamps, err))
        << err;
    EXPECT_EQ(stamps, expectedStamps);
    return Pixels_Below(*map);
  }
  PointSet Paint(PixelChain* chain, int& stamps) {
    std::unique_ptr<PixelChain> owned(chain);
    auto map = White_Map(20, 20);
    std::string err;
    const int before = detector.Get_Brush_Column();
    EXPECT_TRUE(detector.Paint_PixelChain(*map, *chain, err)) << err;
    stamps = detector.Get_Brush_Column() - before;
    return Pixels_Below(*map);
  }
};

TEST_F(DotPainter, LinesAreWalkedWithTheBresenhamErrorTerm) {
  EXPECT_EQ(Walk({0, 0}, {5, 2}, 5), (PointSet{{1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}));
  EXPECT_EQ(Walk({5, 2}, {0, 0}, 5), (PointSet{{4, 2}, {3, 1}, {2, 1}, {1, 0}, {0, 0}}));
  EXPECT_EQ(Walk({2, 1}, {3, 6}, 5), (PointSet{{2, 2}, {2, 3}, {3, 4}, {3, 5}, {3, 6}}));
  EXPECT_EQ(Walk({4, 4}, {4, 4}, 0), PointSet{});
  // Far off the map the stamps still count but paint nothing.
  EXPECT_EQ(Walk({-1000, 0}, {-998, 0}, 2), PointSet{});

  auto map = White_Map(20, 20);
  std::string err;
  int32_t stamps = 7;
  EXPECT_FALSE(detector.Paint_Pencil_Line_wKernal(Pixel{-1001, 0}, Pixel{0, 0}, 0, *map, stamps, err));
  EXPECT_EQ(err, "OutlineDetector::Paint_Pencil_Line_wKernal FAILED, input parms are out of bounds.");
  EXPECT_FALSE(detector.Paint_Pencil_Line_wKernal(Pixel{0, 0}, Pixel{3, -1001}, 0, *map, stamps, err));
  EXPECT_EQ(stamps, 0);
}

TEST_F(DotPainter, ChainsAreStampedOnceAtTheStartAndAlongEveryStep) {
  int stamps = 0;
  EXPECT_EQ(Paint(New_Chain({{5, 5}}), stamps), (PointSet{{5, 5}}));
  EXPECT_EQ(stamps, 1);
  EXPECT_EQ(Paint(New_Chain({{5, 5}, {10, 5}}), stamps),
            (PointSet{{5, 5}, {6, 5}, {7, 5}, {8, 5}, {9, 5}, {10, 5}}));
  EXPECT_EQ(stamps, 6);

  // Shifted to the left, the points at negative x are left out.
  PixelChain* shifted =
      New_Chain({{0, 5}, {1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 5}, {6, 5}, {7, 5}, {8, 5}, {9, 5}});
  shifted->m_dx = -5;
  shifted->m_dy = 2;
  EXPECT_EQ(Paint(shifted, stamps), (PointSet{{0, 7}, {1, 7}, {2, 7}, {3, 7}, {4, 7}}));
  EXPECT_EQ(stamps, 5);

  PixelChain* hidden = New_Chain({{5, 5}, {6, 5}});
  hidden->m_visible = false;
  EXPECT_EQ(Paint(hidden, stamps), PointSet{});
  EXPECT_EQ(stamps, 0);
  EXPECT_EQ(Paint(New_Chain({}), stamps), PointSet{});
  EXPECT_EQ(stamps, 0);
}

TEST_F(Painter, ChainsAreStampedAcrossTheirDirectionOfTravel) {
  brushes.Set_Flat(0, "Pencil Lite", 1352, 4, 0);
  Use(0);
  auto paint = [this](const std::vector<Point>& points) {
    std::unique_ptr<PixelChain> chain(New_Chain(points));
    auto map = White_Map(20, 20);
    std::string err;
    EXPECT_TRUE(detector.Paint_PixelChain(*map, *chain, err)) << err;
    return Pixels_Below(*map);
  };
  std::vector<Point> down, right;
  PointSet downBlock, rightBlock;
  for (int i = 2; i < 12; ++i) {
    down.emplace_back(8, i);
    right.emplace_back(i, 8);
    for (int across = 7; across <= 9; ++across) {
      downBlock.insert({across, i});
      rightBlock.insert({i, across});
    }
  }
  EXPECT_EQ(paint(down), downBlock);
  EXPECT_EQ(paint(right), rightBlock);
}

// ---- brushes and failures ------------------------------------------------------------------------

TEST_F(Painter, LineStylesAreFoundByNameWithoutRegardToCase) {
  brushes.Set_Flat(0, "Pencil Lite", 50, 4, 0);
  brushes.Set_Flat(1, "Pencil Medium", 50, 5, 0);
  brushes.Set_Flat(5, "Ink Fine", 50, 4, 0);
  brushes.Set_Flat(9, "Ink Fine", 50, 4, 0);
  brushes.rows[7].name = "Ink Medium";  // named, never loaded
  std::string err;
  EXPECT_EQ(detector.Set_PencilPen_Line_Style("pencil medium", err), 1);
  EXPECT_EQ(err, "");
  EXPECT_EQ(detector.Get_Current_Brush(), 1);
  EXPECT_EQ(detector.Set_PencilPen_Line_Style("PENCIL LITE", err), 0);
  EXPECT_EQ(detector.Set_PencilPen_Line_Style("Ink Fine", err), 9);  // the last match wins
  EXPECT_EQ(detector.Get_Current_Brush(), 9);

  EXPECT_LT(detector.Set_PencilPen_Line_Style("Crayon", err), 0);
  EXPECT_EQ(err, kNoName + "Crayon  ");
  EXPECT_LT(detector.Set_PencilPen_Line_Style("Ink Medium", err), 0);
  EXPECT_EQ(err, kNotInitialized);
  EXPECT_EQ(detector.Get_Current_Brush(), 9);
}

TEST_F(Painter, BrushIndexesOutsideTheTableAreRefused) {
  brushes.Set_Flat(3, "Charcoal Lite", 50, 7, 0);
  std::string err;
  EXPECT_EQ(detector.Set_Current_ResourceBitmapUtility(3, err), 3);
  EXPECT_EQ(err, "");
  for (int16_t index : {40, -1, 100}) {
    EXPECT_EQ(detector.Set_Current_ResourceBitmapUtility(index, err), 0);
    EXPECT_EQ(err, kOutOfBounds);
  }
  EXPECT_EQ(detector.Set_Current_ResourceBitmapUtility(39, err), 0);
  EXPECT_EQ(err, kNotInitialized);
  EXPECT_EQ(detector.Get_Current_Brush(), 3);
}

TEST_F(Painter, StampsFailWithoutABrush) {
  brushes.Set_Flat(0, "Pencil Lite", 50, 4, 0);
  Use(0);
  brushes.rows[0].m_pencilMapFromResource.reset();
  auto map = White_Map(10, 10);
  std::string err;
  EXPECT_FALSE(detector.Paint_Pencil_Kernal_8_Directions(5, 5, 0, *map, err));
  EXPECT_EQ(err,
            "OutlineDetector::Paint_Pencil_Kernal_8_Directions  FAILED,  bitmapUtility->offMap is NULL.");

  ListMemry<PixelChain> chains;
  chains.Add_To_Tail(New_Chain({{2, 2}, {3, 2}}));
  EXPECT_FALSE(detector.Paint_PixelChains(chains, *map, err));
  EXPECT_EQ(err,
            "OutlineDetector::Paint_Pencil_Kernal_8_Directions  FAILED,  bitmapUtility->offMap is NULL.");
  EXPECT_TRUE(Pixels_Below(*map).empty());

  OutlineDetector tableless(nullptr, nullptr, nullptr, nullptr, nullptr, platform.Get());
  EXPECT_EQ(tableless.Get_Current_ResourceBitmapUtility(), nullptr);
  EXPECT_FALSE(tableless.Paint_Pencil_Kernal_8_Directions(5, 5, 0, *map, err));
  EXPECT_EQ(err,
            "OutlineDetector::Paint_Pencil_Kernal_8_Directions  FAILED,  Get_Current_ResourceBitmapUtility.");
  EXPECT_EQ(platform.Messages().Texts(),
            (std::vector<std::string>(2, "OutlineDetector::Get_Current_ResourceBitmapUtility  FAILED.")));
}

}  // namespace
