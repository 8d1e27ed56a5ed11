// Palette calculation: coverage scores, the choice of each position with
// its ties, repeats and empty positions, and the failures.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "colors/ColorList.h"
#include "colors/StandardColors.h"
#include "separation/SeparatorFixture.h"

using namespace separation_test;

namespace {

constexpr int16_t kGray4 = 23;  // value 229
constexpr int16_t kGray8 = 27;  // value 182

class PaletteTest : public SeparatorTest {
 protected:
  // `count` pixels of grey `v`, laid row by row from the top left.
  void Add_Grey_Pixels(int32_t& at, int32_t count, int16_t v) {
    for (int32_t i = 0; i < count; ++i, ++at) Filtered().Set_Pixel(at % kWidth, at / kWidth, v, v, v);
  }

  int16_t palette[11] = {};
  int32_t scores[11] = {};
  int16_t chosen = -1;
  std::string err;
};

TEST_F(PaletteTest, CoverageScoreCountsPixelsAtLeastAsDarkWeightedByStrength) {
  Filtered().Fill(255);
  int32_t at = 0;
  Add_Grey_Pixels(at, 25, 222);  // exactly Gray 5: covered
  Add_Grey_Pixels(at, 9, 100);
  Add_Grey_Pixels(at, 40, 223);  // one step lighter: not covered
  Filtered().Set_Pixel(0, 20, 222, 222, 223);
  ASSERT_TRUE(app.Get_RenderMan().Initialize_SubtractMap_with_Source_Image_for_SeparationCreation(err))
      << err;
  // Gray 5 (222): (34 / 10) x 3 x 33.
  EXPECT_EQ(separator.Calc_StdColors_Coverage_Score(-1, 0, 222, err), 3 * 99);
  EXPECT_EQ(err, "");
  // White weighs nothing, black covers only the black.
  EXPECT_EQ(separator.Calc_StdColors_Coverage_Score(-1, 0, 255, err), 0);
  EXPECT_EQ(separator.Calc_StdColors_Coverage_Score(-1, 0, 0, err), 0);
  EXPECT_TRUE(ColorSeparator::Is_Covered_by_Color(222, 222, 222, 222, 222, 222));
  EXPECT_FALSE(ColorSeparator::Is_Covered_by_Color(222, 222, 223, 222, 222, 222));
  EXPECT_TRUE(ColorSeparator::Is_Covered_by_Color(255, 255, 255, 255, 255, 255));

  app.Get_RenderMan().Drop_Subtract_Map();
  err = "old";
  EXPECT_EQ(separator.Calc_StdColors_Coverage_Score(-1, 0, 222, err), 0);
  EXPECT_EQ(err,
            "ColorSeparator::Calc_StdColors_Coverage_Score  FAILED,  m_subtractionBitmapAddr has not been "
            "prepared.");
}

TEST_F(PaletteTest, TiesGoToTheLowerIndexRepeatsFollowTheTintAndEmptyPositionsAreZero) {
  // 260 pixels of grey 100 (under both greys) and 470 of grey 200 (under
  // Gray 4 only): (730 / 10) x 78 = (260 / 10) x 219 = 5694, a tie.
  Filtered().Fill(255);
  int32_t at = 0;
  Add_Grey_Pixels(at, 260, 100);
  Add_Grey_Pixels(at, 470, 200);
  ASSERT_TRUE(separator.Calc_Ideal_Palette_for_Stock_ColorSet(12, 5, palette, err)) << err;  // "2 Grays"
  // Each chosen grey tints what it covers: 100 -> 127 -> 154 -> 228 -> 255
  // and 200 -> 227 -> 254, which no grey covers any more.
  const int16_t expected[5] = {kGray4, kGray4, kGray8, kGray4, 0};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(palette[i], expected[i]) << i;

  ColorList grays;
  bool repeat = false;
  ASSERT_TRUE(Make_ColorSets_List_of_Colors(grays, 12, repeat, err));
  ASSERT_TRUE(separator.Calc_Ideal_Palette_for_Specific_Photo(grays, repeat, 5, palette, scores, chosen, err))
      << err;
  EXPECT_EQ(chosen, 4);
  const int32_t expectedScores[5] = {5694, 5694, 5694, 26 * 78, 0};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(scores[i], expectedScores[i]) << i;
  EXPECT_EQ(Pixel_At(*Subtract(), 0, 0), kWhite);
  EXPECT_EQ(Pixel_At(*Subtract(), 260 % kWidth, 260 / kWidth), (Rgb{254, 254, 254}));

  // Without repeats each grey is used once, and then nothing is left to choose.
  ASSERT_TRUE(separator.Calc_Ideal_Palette_for_Specific_Photo(grays, false, 4, palette, scores, chosen, err))
      << err;
  EXPECT_EQ(chosen, 2);
  const int16_t once[4] = {kGray4, kGray8, 0, 0};
  const int32_t onceScores[4] = {5694, 26 * 219, -1, -1};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(palette[i], once[i]) << i;
    EXPECT_EQ(scores[i], onceScores[i]) << i;
  }
}

TEST_F(PaletteTest, APixelEqualToTheColourIsCoveredButNotTinted) {
  // The coverage test takes "at least as dark" in every channel; the tint
  // only takes pixels the colour is strictly lighter than in blue.  A
  // pixel exactly in the colour therefore keeps scoring for it.
  Filtered().Fill(255);
  int32_t at = 0;
  Add_Grey_Pixels(at, 100, 229);
  ASSERT_TRUE(separator.Calc_Ideal_Palette_for_Stock_ColorSet(12, 3, palette, err)) << err;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(palette[i], kGray4) << i;
  EXPECT_EQ(Pixel_At(*Subtract(), 0, 0), (Rgb{229, 229, 229}));
}

TEST_F(PaletteTest, AWhiteImageGivesNoColours) {
  Filtered().Fill(255);
  ColorList colors;
  bool repeat = false;
  ASSERT_TRUE(Make_ColorSets_List_of_Colors(colors, 0, repeat, err));
  ASSERT_TRUE(
      separator.Calc_Ideal_Palette_for_Specific_Photo(colors, repeat, 5, palette, scores, chosen, err))
      << err;
  EXPECT_EQ(chosen, 0);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(palette[i], 0) << i;
    EXPECT_EQ(scores[i], 0) << i;
  }
}

TEST_F(PaletteTest, AFourColourSetFillsFourOfFivePositions) {
  Filtered().Fill(0);
  ASSERT_TRUE(separator.Calc_Ideal_Palette_for_Stock_ColorSet(8, 5, palette, err)) << err;  // "Quad Orange"
  // On black every colour covers everything: the strongest comes first.
  std::vector<int16_t> members = {3, 7, 11, 14};  // Orange, Pthalo Green, Purple, Rose
  int32_t bestWeight = -1;
  int16_t strongest = -1;
  for (int16_t index : members) {
    Rgb c;
    ASSERT_TRUE(Get_StandardColors_RGB_from_Table(index, c.r, c.g, c.b, err));
    const int32_t weight = 765 - c.r - c.g - c.b;
    if (weight > bestWeight) {
      bestWeight = weight;
      strongest = index;
    }
  }
  EXPECT_EQ(palette[0], strongest);
  std::vector<int16_t> firstFour(palette, palette + 4);
  std::sort(firstFour.begin(), firstFour.end());
  EXPECT_EQ(firstFour, members);
  EXPECT_EQ(palette[4], 0);
}

TEST_F(PaletteTest, RefusedCountsAndMissingMaps) {
  Filtered().Fill(0);
  for (int16_t count : {int16_t{12}, int16_t{0}, int16_t{-1}}) {
    palette[0] = 77;
    EXPECT_FALSE(separator.Calc_Ideal_Palette_for_Stock_ColorSet(0, count, palette, err));
    EXPECT_EQ(err, "ColorSeparator::Calc_Ideal_Palette_for_Stock_ColorSet  FAILED,  array is wrong.");
    EXPECT_EQ(palette[0], 77);
  }
  EXPECT_FALSE(separator.Calc_Ideal_Palette_for_Stock_ColorSet(0, 3, nullptr, err));
  EXPECT_EQ(err, "ColorSeparator::Calc_Ideal_Palette_for_Stock_ColorSet  FAILED,  array is wrong.");
  ASSERT_TRUE(separator.Calc_Ideal_Palette_for_Stock_ColorSet(1, 11, palette, err)) << err;
  EXPECT_GT(palette[0], 0);
  for (int i = 0; i < 11; ++i) EXPECT_TRUE(palette[i] >= 0 && palette[i] <= 19) << i;

  // An unknown set: the palette keeps the -1 it was cleared to.
  EXPECT_FALSE(separator.Calc_Ideal_Palette_for_Stock_ColorSet(16, 4, palette, err));
  EXPECT_EQ(err,
            "ColorSeparator::Make_ColorSets_List_of_Colors  FAILED,  palettePrimaryIdx is out of range.");
  for (int i = 0; i < 4; ++i) EXPECT_EQ(palette[i], -1) << i;

  ColorList colors;
  EXPECT_FALSE(
      separator.Calc_Ideal_Palette_for_Specific_Photo(colors, false, 3, nullptr, scores, chosen, err));
  EXPECT_EQ(err,
            "ColorSeparator::Calc_Ideal_Palette_for_Specific_Photo FAILED, retPaletteColorIndexs is NULL.");
  EXPECT_EQ(chosen, 0);

  // Without a pre-processed image the subtract map cannot be reset.
  app.Get_RenderMan().Forget_Filtered_Image();
  EXPECT_FALSE(separator.Calc_Ideal_Palette_for_Stock_ColorSet(0, 3, palette, err));
  EXPECT_EQ(err,
            "RenderMan::Initialize_SubtractMap_with_Source_Image_for_SeparationCreation FAILED,  "
            "m_filteredMap does NOT "
            "have an Image.");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(palette[i], -1) << i;

  app.Get_RenderMan().Drop_Subtract_Map();
  EXPECT_FALSE(separator.Calc_Ideal_Palette_for_Stock_ColorSet(0, 3, palette, err));
  EXPECT_EQ(err,
            "ColorSeparator::Calc_Ideal_Palette_for_Specific_Photo FAILED, m_subtractionBitmapAddr has not "
            "been prepared.");
}

}  // namespace
