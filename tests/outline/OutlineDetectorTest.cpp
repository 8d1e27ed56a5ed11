// The detection half of the outline detector on small maps: the grey
// working map, every stage with its progress and its copy into the subtract
// map, the refusals, the chains of a line map, whole detections at scale 1
// and 0.5, and publishing a painted outline.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "OutlineTestMaps.h"
#include "outline/OutlineDetector.h"
#include "support/TestSupport.h"

namespace {

using namespace outline_test;

const std::string kScaleOutOfBounds =
    "OutlineDetector::Make_Working_Bitmap_from_Canny_Detection failed,  m_srcBitmapScaleDownFactor is out of "
    "bounds.";
const std::string kNoChain =
    "OutlineDetector::Detect_PixelChains_from_OffMap FAILED,  could not detect one PixelChain.";

// A detector over maps of its own, as the render manager would hold them.
// Every stage shown is kept as a snapshot of the subtract map.
class DetectorRig {
 public:
  explicit DetectorRig(std::unique_ptr<OffMap> sourceMap)
      : source(std::move(sourceMap)),
        detector(&chains, source.get(), &outline, &subtract, brushes.rows, platform.Get(), Views()) {
    brushes.Set_Flat(1, "Pencil Medium", 300, 5, 0);
    std::string err;
    detector.Set_PencilPen_Line_Style("Pencil Medium", err);
  }

  const std::vector<std::string>& Progress() { return platform.Headless().Progress_Events().Events(); }

  TestPlatform platform;
  BrushTable brushes;
  ListMemry<PixelChain> chains;
  std::unique_ptr<OffMap> source;
  std::unique_ptr<OffMap> outline;
  std::unique_ptr<OffMap> subtract;
  std::vector<std::unique_ptr<OffMap>> shown;
  OutlineDetector detector;

 private:
  OutlineDetectorViews Views() {
    OutlineDetectorViews views;
    views.redrawSubtracted = [this] {
      auto copy = std::make_unique<OffMap>(1, 1, 8);
      copy->Assign_Copy(*subtract);
      shown.push_back(std::move(copy));
    };
    return views;
  }
};

// Largest distance (in x or y) of a point from the outline of a rectangle.
int Distance_From_Rect_Border(int x, int y, int left, int top, int right, int bottom) {
  const int dx = std::min(std::abs(x - left), std::abs(x - right));
  const int dy = std::min(std::abs(y - top), std::abs(y - bottom));
  const bool insideX = x >= left - 6 && x <= right + 6;
  const bool insideY = y >= top - 6 && y <= bottom + 6;
  if (!insideX || !insideY) return 1000;
  return std::min(dx, dy);
}

// ---- the working map ------------------------------------------------------------------------

TEST(OutlineWorkingMap, ScaleOneTakesTheLargestComponentOtherScalesTheLuminance) {
  auto blue = std::make_unique<OffMap>(40, 30, 24);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) blue->Set_Pixel(x, y, 0, 0, 255);
  blue->Set_Pixel(10, 10, 200, 100, 50);
  DetectorRig rig(std::move(blue));
  OutlineDetectParms parms;
  std::string err;
  // A plain map has no edges; the first stage shown is the grey map.
  ASSERT_NE(rig.detector.Make_Working_Bitmap_from_Canny_Detection(err, parms), nullptr) << err;
  ASSERT_FALSE(rig.shown.empty());
  const OffMap& grey = *rig.shown.front();
  EXPECT_EQ(grey.Get_Width(), 40);
  EXPECT_EQ(grey.Get_Height(), 30);
  EXPECT_EQ(grey.Get_Depth(), 8);
  EXPECT_EQ(Grey(grey, 0, 0), 255);
  EXPECT_EQ(Grey(grey, 39, 29), 255);
  EXPECT_EQ(Grey(grey, 10, 10), 200);

  rig.shown.clear();
  rig.source->Set_Pixel(10, 10, 0, 0, 255);
  parms.scale = 0.5;
  ASSERT_NE(rig.detector.Make_Working_Bitmap_from_Canny_Detection(err, parms), nullptr) << err;
  const OffMap& half = *rig.shown.front();
  EXPECT_EQ(half.Get_Width(), 20);
  EXPECT_EQ(half.Get_Height(), 15);
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 20; ++x) EXPECT_EQ(Grey(half, x, y), 29) << x << "," << y;
  EXPECT_EQ(rig.outline->Get_Width(), 20);
  EXPECT_EQ(rig.outline->Get_Depth(), 24);
}

TEST(OutlineWorkingMap, EveryStageIsShownWithItsProgress) {
  DetectorRig rig(Photo_With_Rect(120, 90, 40, 30, 79, 59));
  OutlineDetectParms parms;
  std::string err;
  OffMap* working = rig.detector.Make_Working_Bitmap_from_Canny_Detection(err, parms);
  ASSERT_NE(working, nullptr) << err;
  // Maps, edges, three refinements, patching and its thinning, line
  // removal, pruning, the border, the junctions.
  EXPECT_EQ(rig.shown.size(), 11u);
  EXPECT_EQ(rig.Progress(), (std::vector<std::string>{
                                "open Creating maps...", "position 10", "text Edge detection...",
                                "position 30", "text Refining...", "position 50", "text Patching...",
                                "position 70", "text Line remove...", "position 80", "text Cleaning...",
                                "position 90", "text Intersection detect...", "text ", "text ", "close"}));
  // The subtract map ends as a copy of the line map.
  ASSERT_EQ(rig.subtract->Get_Depth(), 8);
  EXPECT_EQ(Pixels_Below(*rig.subtract), Pixels_Below(*working));
  EXPECT_FALSE(Pixels_Below(*working).empty());
  EXPECT_EQ(rig.detector.Get_Working_Map(), working);

  // Without patching, line removal and pruning those stages are skipped.
  rig.shown.clear();
  rig.platform.Headless().Progress_Events().Clear();
  parms.patchSize = parms.lineRemoveSize = parms.pruneLength = 0;
  ASSERT_EQ(rig.detector.Make_Working_Bitmap_from_Canny_Detection(err, parms), working) << err;
  EXPECT_EQ(rig.shown.size(), 7u);
  EXPECT_EQ(rig.Progress(),
            (std::vector<std::string>{"open Creating maps...", "position 10", "text Edge detection...",
                                      "position 30", "text Refining...", "position 90",
                                      "text Intersection detect...", "text ", "text ", "close"}));
}

TEST(OutlineWorkingMap, TheBorderIsWhitened) {
  // A rectangle reaching past the left edge.
  DetectorRig rig(Photo_With_Rect(120, 90, 0, 10, 39, 49));
  std::string err;
  OffMap* working = rig.detector.Make_Working_Bitmap_from_Canny_Detection(err, OutlineDetectParms());
  ASSERT_NE(working, nullptr) << err;
  const PointSet lines = Pixels_Below(*working);
  ASSERT_FALSE(lines.empty());
  for (const Point& p : lines) {
    EXPECT_GE(p.first, 4);
    EXPECT_LT(p.first, 116);
    EXPECT_GE(p.second, 4);
    EXPECT_LT(p.second, 86);
  }
  // The rectangle's top edge runs into the border and stops four pixels short.
  EXPECT_TRUE(lines.count({4, 9}) || lines.count({4, 10}) || lines.count({4, 11}));
}

TEST(OutlineWorkingMap, JunctionsAreCutAndRecorded) {
  // Three tones meeting in a T: dark left, grey upper right, white lower right.
  auto photo = White_Map(120, 90, 24);
  for (int y = 0; y < 90; ++y)
    for (int x = 0; x < 120; ++x) {
      if (x < 60)
        photo->Set_Pixel(x, y, 0, 0, 0);
      else if (y < 45)
        photo->Set_Pixel(x, y, 128, 128, 128);
    }
  DetectorRig rig(std::move(photo));
  OutlineDetectParms parms;
  parms.lineCount = 0;  // the most lines: the weaker edge is kept too
  std::string err;
  OffMap* working = rig.detector.Make_Working_Bitmap_from_Canny_Detection(err, parms);
  ASSERT_NE(working, nullptr) << err;
  const ListMemry<ForkKernal>& forks = rig.detector.Get_Forks();
  ASSERT_GT(forks.Get_Count(), 0);
  for (const ForkKernal* each : forks) {
    const ForkKernal& fork = *each;
    EXPECT_EQ(Grey(*working, fork.x, fork.y), 255);
    EXPECT_NEAR(fork.x, 60, 4);
    EXPECT_NEAR(fork.y, 45, 4);
    int arms = 0;
    for (int16_t arm : fork.arms) arms += arm != 0;
    EXPECT_GE(arms, 3);
  }
}

TEST(OutlineWorkingMap, BadScalesAndMissingMapsAreRefused) {
  DetectorRig rig(Photo_With_Rect(100, 60, 20, 20, 40, 40));
  OutlineDetectParms parms;
  std::string err;
  // Too small: refused after the working map was made at the tiny size.
  parms.scale = 0.05;
  EXPECT_EQ(rig.detector.Make_Working_Bitmap_from_Canny_Detection(err, parms), nullptr);
  EXPECT_EQ(err, kScaleOutOfBounds);
  ASSERT_NE(rig.detector.Get_Working_Map(), nullptr);
  EXPECT_EQ(rig.detector.Get_Working_Map()->Get_Width(), 5);
  EXPECT_EQ(rig.detector.Get_Working_Map()->Get_Height(), 3);
  EXPECT_EQ(rig.subtract, nullptr);
  // Too large, nothing, or not a number: refused before any map is asked for.
  for (double scale : {5.5, 1e12, 0.0, -1.0, std::nan("")}) {
    parms.scale = scale;
    EXPECT_EQ(rig.detector.Make_Working_Bitmap_from_Canny_Detection(err, parms), nullptr);
    EXPECT_EQ(err, kScaleOutOfBounds);
    EXPECT_EQ(rig.detector.Get_Working_Map()->Get_Width(), 5);
  }
  EXPECT_TRUE(rig.Progress().empty());

  parms.scale = 1;
  OutlineDetector noOutline(&rig.chains, rig.source.get(), nullptr, &rig.subtract, nullptr,
                            rig.platform.Get());
  EXPECT_EQ(noOutline.Make_Working_Bitmap_from_Canny_Detection(err, parms), nullptr);
  EXPECT_EQ(err, "Make_Working_Bitmap_from_Canny_Detection failed,  m_outlineMapAddr is NULL");
  OutlineDetector noSubtract(&rig.chains, rig.source.get(), &rig.outline, nullptr, nullptr,
                             rig.platform.Get());
  EXPECT_EQ(noSubtract.Make_Working_Bitmap_from_Canny_Detection(err, parms), nullptr);
  EXPECT_EQ(err, "OutlineDetector::Alloc_a_New_Subtract_Map FAILED,  m_subtractBitmapAddr is NULL.");
  OutlineDetector noSource(&rig.chains, nullptr, &rig.outline, &rig.subtract, nullptr, rig.platform.Get());
  EXPECT_EQ(noSource.Make_Working_Bitmap_from_Canny_Detection(err, parms), nullptr);
  EXPECT_EQ(err,
            "OutlineDetector::Make_Working_Bitmap_from_Canny_Detection failed,  there is no source map.");
}

TEST(OutlineWorkingMap, TheOutlineAndSubtractMapsAreMadeAtTheWorkingSize) {
  DetectorRig rig(Photo_With_Rect(60, 40, 10, 10, 20, 20));
  // A 24-bit outline of the size asked for is kept and whitened.
  rig.outline = Photo_With_Rect(60, 40, 0, 0, 5, 5);
  const OffMap* kept = rig.outline.get();
  EXPECT_TRUE(rig.detector.Alloc_Outline_Map_in_RenderMan(40, 60));
  EXPECT_EQ(rig.outline.get(), kept);
  EXPECT_TRUE(Pixels_Below(*rig.outline).empty());
  // One of another depth is replaced.
  rig.outline = White_Map(60, 40, 8);
  EXPECT_TRUE(rig.detector.Alloc_Outline_Map_in_RenderMan(20, 30));
  EXPECT_EQ(rig.outline->Get_Depth(), 24);
  EXPECT_EQ(rig.outline->Get_Width(), 30);
  EXPECT_EQ(rig.outline->Get_Height(), 20);

  std::string err;
  rig.subtract = Photo_With_Rect(60, 40, 0, 0, 5, 5);
  EXPECT_TRUE(rig.detector.Alloc_a_New_Subtract_Map(err, 30, 20));
  EXPECT_EQ(rig.subtract->Get_Depth(), 8);
  EXPECT_EQ(rig.subtract->Get_Width(), 30);
  EXPECT_TRUE(Pixels_Below(*rig.subtract).empty());

  OutlineDetector noOutline(&rig.chains, rig.source.get(), nullptr, nullptr, nullptr, rig.platform.Get());
  EXPECT_FALSE(noOutline.Alloc_Outline_Map_in_RenderMan(10, 10));
  EXPECT_EQ(rig.platform.Messages().Texts(),
            (std::vector<std::string>{
                "OutlineDetector::Alloc_Outline_Map_in_RenderMan  FAILED,   m_outlineMapAddr is  NULL."}));
}

// ---- chains ---------------------------------------------------------------------------------------

TEST(OutlineChains, EveryGroupOfMoreThanThreeLinePixelsBecomesAnOrderedChain) {
  DetectorRig rig(Photo_With_Rect(60, 40, 0, 0, 1, 1));
  auto lines = White_Map(60, 40);
  for (int x = 5; x < 15; ++x) lines->Set_Pixel(x, 5, 0, 0, 0);
  for (int y = 5; y <= 10; ++y) lines->Set_Pixel(20, y, 0, 0, 0);
  lines->Set_Pixel(21, 10, 0, 0, 0);
  lines->Set_Pixel(22, 10, 0, 0, 0);
  for (int x = 30; x < 33; ++x) lines->Set_Pixel(x, 30, 0, 0, 0);  // three pixels: no chain
  std::string err;
  ASSERT_TRUE(rig.detector.Detect_PixelChains_from_OffMap(rig.chains, *lines, err)) << err;
  EXPECT_EQ(rig.detector.Get_Chain_Count(), 2);
  const auto chains = Chains_Of(rig.chains);
  ASSERT_EQ(chains.size(), 2u);
  EXPECT_EQ(chains[0]->m_creationID, 0);
  EXPECT_EQ(chains[1]->m_creationID, 1);
  EXPECT_TRUE(chains[0]->m_sorted);
  EXPECT_EQ(Points_Of(*chains[0]),
            (std::vector<Point>{
                {5, 5}, {6, 5}, {7, 5}, {8, 5}, {9, 5}, {10, 5}, {11, 5}, {12, 5}, {13, 5}, {14, 5}}));
  EXPECT_EQ(Points_Of(*chains[1]),
            (std::vector<Point>{{20, 5}, {20, 6}, {20, 7}, {20, 8}, {20, 9}, {20, 10}, {21, 10}, {22, 10}}));
  const std::vector<std::string>& progress = rig.Progress();
  ASSERT_GE(progress.size(), 6u);
  EXPECT_EQ(std::vector<std::string>(progress.begin(), progress.begin() + 6),
            (std::vector<std::string>{"open Make chains...", "position 40", "text Detecting lines...",
                                      "text ", "text ", "close"}));
  EXPECT_EQ(progress[6], "open Sorting pixels...");

  lines->Fill(255);
  EXPECT_FALSE(rig.detector.Detect_PixelChains_from_OffMap(rig.chains, *lines, err));
  EXPECT_EQ(err, kNoChain);
  EXPECT_TRUE(rig.chains.Is_Empty());
}

TEST(OutlineDetection, AWhitePhotoHasNoChains) {
  DetectorRig rig(White_Map(80, 60, 24));
  std::string err;
  EXPECT_FALSE(rig.detector.Detect_Outline(err, OutlineDetectParms()));
  EXPECT_EQ(err, kNoChain);
  EXPECT_TRUE(rig.chains.Is_Empty());
  EXPECT_TRUE(rig.detector.Get_Drawn_Chains().Is_Empty());
  EXPECT_EQ(rig.Progress().back(), "close");

  OutlineDetector listless(nullptr, rig.source.get(), &rig.outline, &rig.subtract, nullptr,
                           rig.platform.Get());
  EXPECT_FALSE(listless.Detect_Outline(err, OutlineDetectParms()));
  EXPECT_EQ(err, "OutlineDetector::Detect_Outline FAILED,  there is no list for the chains.");
}

TEST(OutlineDetection, AtScaleOneChainsFollowTheEdgesAndLongOnesAreThinnedOut) {
  DetectorRig rig(Photo_With_Rect(120, 90, 40, 30, 79, 59));
  std::string err;
  ASSERT_TRUE(rig.detector.Detect_Outline(err, OutlineDetectParms())) << err;
  const auto chains = Chains_Of(rig.chains);
  ASSERT_FALSE(chains.empty());
  for (const PixelChain* chain : chains) {
    EXPECT_GE(chain->Get_Count(), 3);
    EXPECT_TRUE(chain->m_spacing == 1 || chain->m_spacing == 5) << chain->m_spacing;
    const std::vector<Point> points = Points_Of(*chain);
    for (const Point& p : points) EXPECT_LE(Distance_From_Rect_Border(p.first, p.second, 40, 30, 79, 59), 3);
    if (chain->m_spacing == 5) {
      // Thinned out: consecutive kept pixels are more than 5 apart, but for
      // the last one.
      for (size_t i = 1; i + 1 < points.size(); ++i) {
        const int dx = points[i].first - points[i - 1].first, dy = points[i].second - points[i - 1].second;
        EXPECT_GT(dx * dx + dy * dy, 25);
      }
    }
  }
  EXPECT_TRUE(
      std::any_of(chains.begin(), chains.end(), [](const PixelChain* c) { return c->m_spacing == 5; }));
  // The drawn chains end with copies of the detected ones.
  const auto drawn = Chains_Of(rig.detector.Get_Drawn_Chains());
  ASSERT_GE(drawn.size(), chains.size());
  for (size_t i = 0; i < chains.size(); ++i) {
    const PixelChain* copy = drawn[drawn.size() - chains.size() + i];
    EXPECT_EQ(Points_Of(*copy), Points_Of(*chains[i]));
    EXPECT_EQ(copy->m_creationID, chains[i]->m_creationID);
    EXPECT_EQ(copy->m_spacing, chains[i]->m_spacing);
  }
}

TEST(OutlineDetection, AtHalfScaleChainsAreInSourceCoordinatesAndPaintedAtSourceSize) {
  DetectorRig rig(Photo_With_Rect(400, 300, 100, 75, 299, 224));
  OutlineDetectParms parms;
  parms.scale = 0.5;
  std::string err;
  ASSERT_TRUE(rig.detector.Detect_Outline(err, parms)) << err;
  EXPECT_EQ(rig.detector.Get_Working_Map()->Get_Width(), 200);
  EXPECT_EQ(rig.detector.Get_Working_Map()->Get_Height(), 150);
  EXPECT_EQ(rig.outline->Get_Width(), 200);

  bool sides[4] = {false, false, false, false};
  for (const PixelChain* chain : Chains_Of(rig.chains)) {
    EXPECT_EQ(chain->m_spacing, 2);
    for (const Point& p : Points_Of(*chain)) {
      EXPECT_LE(Distance_From_Rect_Border(p.first, p.second, 100, 75, 299, 224), 6)
          << p.first << "," << p.second;
      sides[0] |= std::abs(p.first - 100) <= 6 && p.second > 100 && p.second < 200;
      sides[1] |= std::abs(p.first - 299) <= 6 && p.second > 100 && p.second < 200;
      sides[2] |= std::abs(p.second - 75) <= 6 && p.first > 130 && p.first < 270;
      sides[3] |= std::abs(p.second - 224) <= 6 && p.first > 130 && p.first < 270;
    }
  }
  for (bool side : sides) EXPECT_TRUE(side);

  ASSERT_TRUE(rig.detector.Render_PixelChains_to_OutlineMap(rig.detector.Get_Drawn_Chains(), err)) << err;
  EXPECT_EQ(rig.outline->Get_Width(), 400);
  EXPECT_EQ(rig.outline->Get_Height(), 300);
  EXPECT_EQ(rig.outline->Get_Depth(), 24);
  const PointSet painted = Pixels_Below(*rig.outline);
  ASSERT_FALSE(painted.empty());
  for (const Point& p : painted)
    EXPECT_LE(Distance_From_Rect_Border(p.first, p.second, 100, 75, 299, 224), 9);
}

// ---- publishing ----------------------------------------------------------------------------------

TEST(OutlinePublishing, ThePaintedMapBecomesTheOutlineAtItsOwnSize) {
  DetectorRig rig(Photo_With_Rect(60, 40, 10, 10, 20, 20));
  auto painted = White_Map(60, 40);
  painted->Set_Pixel(3, 4, 77, 77, 77);
  std::string err;
  EXPECT_FALSE(rig.detector.Copy_OffMap_to_Rendermans_OutlineMap(*painted, err));
  EXPECT_EQ(err,
            "Copy_OffMap_to_Rendermans_OutlineMap failed,  could not get a pointer to  "
            "RenderMan.m_outlineMapOversize");

  rig.outline = White_Map(30, 20, 24);
  ASSERT_TRUE(rig.detector.Copy_OffMap_to_Rendermans_OutlineMap(*painted, err)) << err;
  EXPECT_EQ(rig.outline->Get_Width(), 60);
  EXPECT_EQ(rig.outline->Get_Height(), 40);
  EXPECT_EQ(rig.outline->Get_Depth(), 24);
  int16_t r = 0, g = 0, b = 0;
  rig.outline->Get_Pixel(3, 4, r, g, b);
  EXPECT_EQ(r, 77);
  EXPECT_EQ(g, 77);
  EXPECT_EQ(b, 77);
  EXPECT_EQ(Pixels_Below(*rig.outline).size(), 1u);

  // Painting stops at the first failing chain and leaves the outline alone.
  rig.chains.Add_To_Tail(New_Chain({{5, 5}, {6, 5}}));
  rig.brushes.rows[1].m_pencilMapFromResource.reset();
  EXPECT_FALSE(rig.detector.Render_PixelChains_to_OutlineMap(rig.chains, err));
  EXPECT_EQ(err,
            "OutlineDetector::Paint_Pencil_Kernal_8_Directions  FAILED,  bitmapUtility->offMap is NULL.");
  EXPECT_EQ(Pixels_Below(*rig.outline).size(), 1u);
}

}  // namespace
