// The automatic choice of a stock colour set: the trial size, the scores
// against a separation made by hand, independence of the thread count, and
// a grey set for a grey photo.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/AutoColorSet.h"
#include "app/RegionEditorApp.h"
#include "colors/StockColorSets.h"
#include "raster/ColorDifference.h"
#include "support/TestSupport.h"

namespace {

TEST(AutoColorSet, TrialSize) {
  struct Case {
    int32_t w, h, tw, th;
  };
  const Case cases[] = {{400, 266, 200, 133}, {266, 400, 133, 200}, {500, 500, 200, 200},
                        {200, 150, 200, 150}, {120, 110, 120, 110}, {500, 100, 200, 100},
                        {120, 500, 100, 200}, {300, 120, 200, 100}};
  for (const Case& c : cases) {
    int32_t tw = 0, th = 0;
    Auto_ColorSet_Trial_Size(c.w, c.h, tw, th);
    EXPECT_EQ(tw, c.tw) << c.w << "x" << c.h;
    EXPECT_EQ(th, c.th) << c.w << "x" << c.h;
  }
}

// Writes a grey copy (the luminance of each pixel) of a sample photo.
std::string Write_Grey_Photo(TestPlatform& platform, const std::string& sample, const TempDir& dir) {
  RenderMan renderMan(platform.Get());
  Load_Photo_At_Working_Size(renderMan, Sample_Path(sample));
  const PlatformImage& photo = *renderMan.Get_Photo_Original();
  std::unique_ptr<PlatformImage> grey = platform.Get().Codec().Create_Image();
  EXPECT_TRUE(grey->Create(photo.Get_Width(), photo.Get_Height(), 24));
  for (int y = 0; y < photo.Get_Height(); ++y) {
    for (int x = 0; x < photo.Get_Width(); ++x) {
      int r = 0, g = 0, b = 0;
      photo.Get_Pixel_RGB(x, y, r, g, b);
      const int v = (299 * r + 587 * g + 114 * b) / 1000;
      grey->Set_Pixel_RGB(x, y, v, v, v);
    }
  }
  const std::string path = dir.File("grey-" + sample);
  EXPECT_EQ(grey->Save(path), 0) << grey->Last_Error();
  return path;
}

int16_t Argmin(const AutoColorSetResult& result) {
  int16_t best = 0;
  for (const ColorSetScore& s : result.scores)
    if (s.meanDeltaE < result.scores[best].meanDeltaE) best = s.colorSet;
  return best;
}

TEST(AutoColorSet, ChoosesTheClosestSetWhateverTheThreads) {
  TestPlatform platform;
  RegionEditorApp app(platform.Get());
  Load_Photo_At_Working_Size(app.Get_RenderMan(), Sample_Path("coffee.png"));
  AutoColorSetResult one, two;
  std::string err;
  ASSERT_TRUE(Choose_Stock_ColorSet(app.Get_RenderMan(), app.Get_Settings(), "coffee.png", 1, one, err))
      << err;
  ASSERT_TRUE(Choose_Stock_ColorSet(app.Get_RenderMan(), app.Get_Settings(), "coffee.png", 2, two, err))
      << err;
  ASSERT_EQ(one.scores.size(), static_cast<size_t>(kStockColorSetCount));
  EXPECT_EQ(one.trialWidth, 200);
  EXPECT_EQ(one.trialHeight, 133);
  for (int16_t set = 0; set < kStockColorSetCount; ++set) {
    EXPECT_EQ(one.scores[set].colorSet, set);
    EXPECT_EQ(one.scores[set].meanDeltaE, two.scores[set].meanDeltaE) << set;
    EXPECT_GT(one.scores[set].meanDeltaE, 0.0) << set;
  }
  EXPECT_EQ(one.chosen, two.chosen);
  EXPECT_EQ(one.chosen, Argmin(one));
  EXPECT_LE(one.scores[one.chosen].meanDeltaE, one.scores[0].meanDeltaE);
  // The trials left the application as it was.
  EXPECT_FALSE(app.Has_Regions());
  EXPECT_EQ(app.Get_Settings().sepsDialogSettings.palettePrimaryIdx, 0);

  RenderMan empty(platform.Get());
  EXPECT_FALSE(Choose_Stock_ColorSet(empty, app.Get_Settings(), "", 2, one, err));
  EXPECT_EQ(err, "Choose_Stock_ColorSet FAILED, there is no photo to try the colour sets on.");
}

TEST(AutoColorSet, AtASmallWorkingSizeTheScoreIsThatOfTheRealSeparations) {
  // 180 x 120 is below the trial size: the trials run on the working source
  // map itself, so the winner's score is that of its separations made by hand.
  TestPlatform platform;
  RegionEditorApp app(platform.Get());
  Load_Photo_At_Working_Size(app.Get_RenderMan(), Sample_Path("chelsea.png"), 180, 120);
  AutoColorSetResult result;
  std::string err;
  ASSERT_TRUE(Choose_Stock_ColorSet(app.Get_RenderMan(), app.Get_Settings(), "chelsea.png", 2, result, err))
      << err;
  EXPECT_EQ(result.trialWidth, 180);
  app.Get_Settings().sepsDialogSettings.palettePrimaryIdx = result.chosen;
  {
    SeparationSession session(app.Separation_Context());
    ASSERT_TRUE(session.Controller().OnInitDialog());
    ASSERT_TRUE(session.Controller().On_Preview_All_Seps());
  }
  double mean = 0;
  ASSERT_TRUE(Mean_Delta_E_CIE76(*app.Get_RenderMan().Get_Layered_Map(),
                                 *app.Get_RenderMan().Get_Source_Map(), mean, err));
  EXPECT_EQ(mean, result.scores[result.chosen].meanDeltaE);
}

TEST(AutoColorSet, AGreyPhotoGetsAGreySet) {
  TestPlatform platform;
  TempDir dir;
  RegionEditorApp app(platform.Get());
  Load_Photo_At_Working_Size(app.Get_RenderMan(), Write_Grey_Photo(platform, "coffee.png", dir));
  ASSERT_TRUE(app.Get_RenderMan().Is_Greyscale_Photo());
  AutoColorSetResult result;
  std::string err;
  ASSERT_TRUE(Choose_Stock_ColorSet(app.Get_RenderMan(), app.Get_Settings(), "grey.png", 2, result, err))
      << err;
  EXPECT_GE(result.chosen, 9) << "not one of the grey sets 9 to 12";
  EXPECT_LE(result.chosen, 12) << "not one of the grey sets 9 to 12";
}

}  // namespace
