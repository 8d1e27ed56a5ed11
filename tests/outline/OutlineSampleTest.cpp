// The outline of the sample photo, end to end through the outline dialog:
// the detected chains, the painted outline with the program's own brush
// strips, and the layered image it is merged into.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "OutlineTestMaps.h"
#include "app/RegionEditorApp.h"
#include "outline/OutlineDialogController.h"
#include "render/ImageFiles.h"
#include "support/TestSupport.h"

namespace {

using namespace outline_test;

struct SampleOutline {
  explicit SampleOutline(bool connect = true) : app(platform.Get()) {
    RenderMan& rm = app.Get_RenderMan();
    std::string err;
    bool fileProblem = false;
    EXPECT_TRUE(
        Load_Bitmap_File_as_SRC(err, rm, Sample_Path("coffee.png"), -1, -1, kWorkingMaxSide, fileProblem))
        << err;
    EXPECT_TRUE(rm.Load_Pencil_Brushes(err)) << err;
    app.Get_Document().sourcePhotoPath = Sample_Path("coffee.png");
    session = std::make_unique<OutlineSession>(app.Outline_Context(), 1);
    session->Controller().OnInitDialog();
    session->Controller().Set_Connect_Short_Lines(connect);
    detected = session->Controller().On_Detect();
  }

  TestPlatform platform;
  RegionEditorApp app;
  std::unique_ptr<OutlineSession> session;
  bool detected = false;
};

TEST(OutlineSample, TheSamplesChainsLieOnThePhotoAndAreThinnedOut) {
  SampleOutline sample;
  ASSERT_TRUE(sample.detected) << sample.platform.Messages().Texts().front();
  const RenderMan& rm = sample.app.Get_RenderMan();
  const int width = rm.Get_Source_Map()->Get_Width(), height = rm.Get_Source_Map()->Get_Height();
  EXPECT_EQ(width, 400);
  EXPECT_EQ(height, 266);

  const auto chains = Chains_Of(sample.app.Get_PixelChain_List());
  ASSERT_GT(chains.size(), 5u);
  std::set<int> ids;
  for (const PixelChain* chain : chains) {
    EXPECT_TRUE(ids.insert(chain->m_creationID).second) << chain->m_creationID;
    EXPECT_GE(chain->Get_Count(), 3);
    const std::vector<Point> points = Points_Of(*chain);
    for (const Point& p : points) {
      // The white border of the line map keeps every line 4 pixels inside.
      EXPECT_GE(p.first, 4);
      EXPECT_LT(p.first, width - 4);
      EXPECT_GE(p.second, 4);
      EXPECT_LT(p.second, height - 4);
    }
    ASSERT_TRUE(chain->m_spacing == 1 || chain->m_spacing == 5);
    if (chain->m_spacing == 5) {
      for (size_t i = 1; i + 1 < points.size(); ++i) {
        const int dx = points[i].first - points[i - 1].first, dy = points[i].second - points[i - 1].second;
        EXPECT_GT(dx * dx + dy * dy, 25);
      }
    } else {
      EXPECT_LT(chain->Get_Count(), 15);  // longer ones are thinned out
    }
  }
  // Every junction found was cut out of the line map.
  const OutlineDetector& detector = sample.session->Detector();
  ASSERT_GT(detector.Get_Forks().Get_Count(), 0);
  for (const ForkKernal* fork : detector.Get_Forks())
    EXPECT_EQ(Grey(*sample.session->Detector().Get_Working_Map(), fork->x, fork->y), 255);

  // Joining at junctions leaves fewer, longer chains.
  SampleOutline unjoined(false);
  ASSERT_TRUE(unjoined.detected);
  EXPECT_LT(sample.app.Get_PixelChain_List().Get_Count(), unjoined.app.Get_PixelChain_List().Get_Count());
}

TEST(OutlineSample, TheStrokesFollowTheChainsAndDarkenTheLayeredImage) {
  SampleOutline sample;
  ASSERT_TRUE(sample.detected);
  const RenderMan& rm = sample.app.Get_RenderMan();
  const OffMap& outline = *rm.Get_Outline_Map();
  ASSERT_EQ(outline.Get_Width(), 400);
  ASSERT_EQ(outline.Get_Height(), 266);

  // Mark a band of 4 pixels (Pencil Medium's half width and the layers
  // behind it) around every segment between consecutive chain points.
  std::vector<std::vector<bool>> band(266, std::vector<bool>(400, false));
  for (const PixelChain* chain : Chains_Of(sample.session->Detector().Get_Drawn_Chains())) {
    const std::vector<Point> points = Points_Of(*chain);
    for (size_t i = 0; i < points.size(); ++i) {
      const Point a = points[i], b = points[i + 1 < points.size() ? i + 1 : i];
      for (int t = 0; t <= 20; ++t) {
        const int cx = a.first + (b.first - a.first) * t / 20, cy = a.second + (b.second - a.second) * t / 20;
        for (int dy = -4; dy <= 4; ++dy)
          for (int dx = -4; dx <= 4; ++dx)
            if (cx + dx >= 0 && cx + dx < 400 && cy + dy >= 0 && cy + dy < 266) band[cy + dy][cx + dx] = true;
      }
    }
  }
  const PointSet strokes = Pixels_Below(outline);
  ASSERT_GT(strokes.size(), 1000u);
  for (const Point& p : strokes) EXPECT_TRUE(band[p.second][p.first]) << p.first << "," << p.second;

  // With no regions the layered image is white but for the merged strokes.
  const OffMap& layered = *rm.Get_Layered_Map();
  for (int y = 0; y < 266; ++y)
    for (int x = 0; x < 400; ++x)
      EXPECT_EQ(Grey(layered, x, y) < 255, Grey(outline, x * 400 / 401, y * 266 / 267) < 230)
          << x << "," << y;

  // A second detection in a new dialog paints the very same outline.
  const auto first = std::make_unique<OffMap>(1, 1, 8);
  first->Assign_Copy(outline);
  SampleOutline again;
  ASSERT_TRUE(again.detected);
  const OffMap& second = *again.app.Get_RenderMan().Get_Outline_Map();
  EXPECT_EQ(Pixels_Below(second), strokes);
  bool same = true;
  for (int y = 0; y < 266 && same; ++y)
    for (int x = 0; x < 400 && same; ++x) same = Grey(second, x, y) == Grey(*first, x, y);
  EXPECT_TRUE(same);
}

}  // namespace
