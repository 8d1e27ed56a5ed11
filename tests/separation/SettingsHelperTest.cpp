// SettingsHelper: from the dialog's separation rows to the parms of one
// separation, and the settings records the application keeps.

#include <gtest/gtest.h>

#include <string>

#include "colors/StandardColors.h"
#include "raster/ColorSpace.h"
#include "separation/SeparatorFixture.h"
#include "separation/SettingsHelper.h"

using namespace separation_test;

namespace {

class SettingsHelperTest : public SeparatorTest {
 protected:
  SepRowsControlSettings rows = Default_SepRows_Control_Settings();
  int16_t brush = 9;
  SettingsHelper helper{&separator, &app.Get_Settings().watercolorParms, rows.data(), &brush,
                        platform.Messages()};
  SeparationParms parms;
  std::string err;
  bool isNone = true;
};

Rgb Hsv(int16_t h, int16_t s, int16_t v) {
  Rgb c;
  HSV_to_RGB(h, s, v, &c.r, &c.g, &c.b);
  return c;
}

TEST(SeparationSettings, DefaultsOfTheKeptRecords) {
  TestPlatform platform;
  RegionEditorApp app(platform.Get());
  const SepRowsControlSettings& rows = app.Get_Settings().lastSepRowsControlSettings;
  const int16_t expected[5][2] = {{11, 10}, {1, 4}, {7, 8}, {2, 5}, {11, 0}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(rows[i].colorsStdIndex, expected[i][0]) << i;
    EXPECT_EQ(rows[i].adjustment, expected[i][1]) << i;
  }
  const SepsDialogSettings& last = app.Get_Settings().sepsDialogSettings;
  EXPECT_EQ(last.brushSize, 6);
  EXPECT_EQ(last.palettePrimaryIdx, 0);
  EXPECT_EQ(last.alwaysCalcPalette, 1);
  EXPECT_EQ(last.hideOutline, 0);
  EXPECT_EQ(last.outlineLiteness, 0);
  EXPECT_EQ(last.outlineDarkness, 100);
  EXPECT_EQ(app.Get_Settings().watercolorParms.darkExponent, 20);
  EXPECT_EQ(app.Get_Settings().watercolorParms.satExponent, 70);
}

TEST_F(SettingsHelperTest, DefaultParms) {
  parms.algoCode = 3;
  parms.huntRed = 1;
  parms.holePlugSize = -5;
  parms.adjustment = 7;
  helper.Fill_Default_Parms(parms);
  EXPECT_EQ(parms.algoCode, 1);
  EXPECT_EQ(parms.hue, 0);
  EXPECT_EQ(parms.hueRange, 0);
  EXPECT_EQ(parms.minValue, 0);
  EXPECT_EQ((Rgb{parms.huntRed, parms.huntGreen, parms.huntBlue}), (Rgb{220, 220, 255}));
  EXPECT_EQ(parms.holePlugSize, 200);
  EXPECT_EQ(parms.minPixelCount, 300);
  EXPECT_EQ(parms.morphMode, 1);
  EXPECT_EQ(parms.minFilterSize, 6);
  EXPECT_EQ(parms.maxFilterSize, 6);
  EXPECT_EQ(parms.extraShrinkSize, 0);
  EXPECT_EQ(parms.huntColorIndex, 1);
  EXPECT_EQ(parms.subRegionSatOffset, 0);
  EXPECT_EQ(parms.adjustment, 0);
}

TEST_F(SettingsHelperTest, ARowGivesItsColourBrushAndAdjustment) {
  // Row 1: Purple (250, 45, 255) with adjustment 10 raises the saturation.
  ASSERT_TRUE(helper.Prepare_Parms_Structure_For_SeparationCreation(0, parms, isNone, true, err)) << err;
  EXPECT_FALSE(isNone);
  EXPECT_EQ(err, "");
  EXPECT_EQ(parms.algoCode, 1);
  EXPECT_EQ(parms.huntColorIndex, 11);
  EXPECT_EQ(parms.minFilterSize, 9);
  EXPECT_EQ(parms.maxFilterSize, 9);
  EXPECT_EQ(parms.adjustment, 10);
  EXPECT_EQ((Rgb{parms.huntRed, parms.huntGreen, parms.huntBlue}), Hsv(250, 55, 255));
  EXPECT_EQ(parms.holePlugSize, 200);
  EXPECT_EQ(parms.minPixelCount, 300);

  // Row 5: Purple without adjustment is the table's colour.
  ASSERT_TRUE(helper.Prepare_Parms_Structure_For_SeparationCreation(4, parms, isNone, false, err)) << err;
  EXPECT_EQ(parms.adjustment, 0);
  Rgb table;
  ASSERT_TRUE(Get_StandardColors_RGB_from_Table(11, table.r, table.g, table.b, err));
  EXPECT_EQ((Rgb{parms.huntRed, parms.huntGreen, parms.huntBlue}), table);

  // Without a brush size the filters keep their defaults.
  helper.m_brushSize = nullptr;
  ASSERT_TRUE(helper.Prepare_Parms_Structure_For_SeparationCreation(1, parms, isNone, true, err)) << err;
  EXPECT_EQ(parms.minFilterSize, 6);
  EXPECT_EQ(parms.huntColorIndex, 1);
}

TEST_F(SettingsHelperTest, AdjustmentsDarkenGreysAndAreClamped) {
  int16_t r = 0, g = 0, b = 0, adjustment = 0;
  rows[2] = {26, 9};  // Gray 7, value 199
  ASSERT_TRUE(helper.Calc_HuntColors_RGB_with_Adjustments(2, r, g, b, adjustment, err)) << err;
  EXPECT_EQ((Rgb{r, g, b}), (Rgb{190, 190, 190}));
  EXPECT_EQ(adjustment, 9);
  rows[2] = {26, 250};  // below 0: black
  ASSERT_TRUE(helper.Calc_HuntColors_RGB_with_Adjustments(2, r, g, b, adjustment, err)) << err;
  EXPECT_EQ((Rgb{r, g, b}), (Rgb{0, 0, 0}));
  rows[2] = {26, -100};  // above 255: white
  ASSERT_TRUE(helper.Calc_HuntColors_RGB_with_Adjustments(2, r, g, b, adjustment, err)) << err;
  EXPECT_EQ((Rgb{r, g, b}), (Rgb{255, 255, 255}));
  rows[2] = {1, 300};  // Vermillion at full saturation
  ASSERT_TRUE(helper.Calc_HuntColors_RGB_with_Adjustments(2, r, g, b, adjustment, err)) << err;
  EXPECT_EQ((Rgb{r, g, b}), (Rgb{255, 0, 0}));
  rows[2] = {1, -45};  // no saturation left: white
  ASSERT_TRUE(helper.Calc_HuntColors_RGB_with_Adjustments(2, r, g, b, adjustment, err)) << err;
  EXPECT_EQ((Rgb{r, g, b}), (Rgb{255, 255, 255}));
  EXPECT_EQ(adjustment, -45);
}

TEST_F(SettingsHelperTest, NoneRowsAndBadRows) {
  rows[1].colorsStdIndex = 0;
  parms.huntRed = 3;
  ASSERT_TRUE(helper.Prepare_Parms_Structure_For_SeparationCreation(1, parms, isNone, true, err)) << err;
  EXPECT_TRUE(isNone);
  EXPECT_EQ(parms.huntRed, 220);
  EXPECT_EQ(parms.huntColorIndex, 1);
  EXPECT_TRUE(helper.Is_Row_None(1));
  EXPECT_FALSE(helper.Is_Row_None(0));
  EXPECT_TRUE(helper.Is_Row_None(5));

  int16_t r = 7, g = 7, b = 7, adjustment = 0;
  EXPECT_FALSE(helper.Calc_HuntColors_RGB_with_Adjustments(1, r, g, b, adjustment, err));
  EXPECT_EQ(
      err, "SettingsHelper::Calc_HuntColors_RGB_with_Adjustments FAILED,  trying to calc RGB for NONE case.");
  EXPECT_EQ((Rgb{r, g, b}), (Rgb{0, 0, 0}));
  EXPECT_EQ(adjustment, 4);

  for (int16_t row : {int16_t{5}, int16_t{-1}}) {
    EXPECT_FALSE(helper.Prepare_Parms_Structure_For_SeparationCreation(row, parms, isNone, true, err));
    EXPECT_EQ(err,
              "SettingsHelper::Prepare_Parms_Structure_For_SeparationCreation FAILED,  separationID is out "
              "of bounds.");
    EXPECT_FALSE(isNone);
  }

  // An index past the table is shown when fetched, and the colour fails.
  rows[3].colorsStdIndex = 34;
  EXPECT_FALSE(helper.Prepare_Parms_Structure_For_SeparationCreation(3, parms, isNone, true, err));
  EXPECT_EQ(
      err,
      "SettingsHelper::Calc_HuntColors_RGB_with_Adjustments FAILED,  Get_StandardColors_HSV_Values failed.");
  EXPECT_EQ(platform.Messages().Texts(),
            (std::vector<std::string>{"SettingsHelper::Get_SeparationRows_StandardColors_Index  FAILED,  "
                                      "colorsStdIndex is out of bounds."}));
  platform.Messages().Clear();
  rows[3].colorsStdIndex = -2;
  EXPECT_EQ(helper.Get_SeparationRows_StandardColors_Index(3), -1);
  EXPECT_EQ(helper.Get_SeparationRows_StandardColors_Index(2), 7);
  EXPECT_EQ(helper.Get_SeparationRows_StandardColors_Index(5), -1);
  EXPECT_EQ(platform.Messages().Texts(),
            (std::vector<std::string>{
                "SettingsHelper::Get_SeparationRows_StandardColors_Index  FAILED,  colorsStdIndex is out of "
                "bounds.",
                "SettingsHelper::Get_SeparationRows_StandardColors_Index  FAILED,  row is out of bounds."}));
}

TEST_F(SettingsHelperTest, WithoutRowSettings) {
  SettingsHelper bare(&separator, nullptr, nullptr, &brush, platform.Messages());
  EXPECT_TRUE(bare.Is_Row_None(0));
  EXPECT_EQ(bare.Get_SeparationRows_StandardColors_Index(0), -1);
  EXPECT_EQ(platform.Messages().Texts(),
            (std::vector<std::string>{"SettingsHelper::Get_SeparationRows_StandardColors_Index  FAILED,  "
                                      "m_lastSepRowsControlSettings is NULL."}));
  int16_t r = 0, g = 0, b = 0, adjustment = 0;
  EXPECT_FALSE(bare.Calc_HuntColors_RGB_with_Adjustments(0, r, g, b, adjustment, err));
  EXPECT_EQ(
      err,
      "SettingsHelper::Calc_HuntColors_RGB_with_Adjustments FAILED,  m_lastSepRowsControlSettings is NULL.");
  EXPECT_EQ(bare.Get_BrushSize_Address(), &brush);
}

}  // namespace
