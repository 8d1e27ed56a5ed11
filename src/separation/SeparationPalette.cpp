// ColorSeparator: the palette calculation.  Each palette position takes the
// colour of a stock set that covers the most of what the earlier positions
// left, weighted by the colour's strength; the subtract map is tinted with
// every colour chosen.

#include <algorithm>

#include "colors/ColorList.h"
#include "colors/StandardColorTable.h"
#include "colors/StandardColors.h"
#include "raster/ColorSpace.h"
#include "raster/OffMap.h"
#include "render/RenderMan.h"
#include "separation/ColorSeparator.h"

bool ColorSeparator::Is_Covered_by_Color(int16_t pixelRed, int16_t pixelGreen, int16_t pixelBlue, int16_t red,
                                         int16_t green, int16_t blue) {
  return pixelRed <= red && pixelGreen <= green && pixelBlue <= blue;
}

int32_t ColorSeparator::Calc_StdColors_Coverage_Score(int16_t hue, int16_t sat, int16_t val,
                                                      std::string& err) {
  err.clear();
  const OffMap* map = m_subtractionBitmapAddr->get();
  if (map == nullptr) {
    err =
        "ColorSeparator::Calc_StdColors_Coverage_Score  FAILED,  m_subtractionBitmapAddr has not been "
        "prepared.";
    return 0;
  }
  int16_t red = 0, green = 0, blue = 0;
  HSV_to_RGB(hue, sat, val, &red, &green, &blue);
  // Darker and more saturated colours weigh more; white weighs nothing.
  const int32_t weight = (255 - red) + (255 - green) + (255 - blue);

  const int32_t width = map->Get_Width();
  const int32_t height = map->Get_Height();
  int32_t count = 0;
  if (map->Get_Depth() == 24) {
    for (int32_t y = 0; y < height; ++y) {
      const uint8_t* p = map->Row(y);
      for (int32_t x = 0; x < width; ++x, p += 3)
        count += (p[2] <= red && p[1] <= green && p[0] <= blue) ? 1 : 0;
    }
  } else {
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < width; ++x) {
        int16_t r = 0, g = 0, b = 0;
        map->Get_Pixel(x, y, r, g, b);
        count += Is_Covered_by_Color(r, g, b, red, green, blue) ? 1 : 0;
      }
    }
  }
  return (count / 10) * weight;
}

bool ColorSeparator::Calc_Ideal_Palette_for_Specific_Photo(const ColorList& colors, bool repeatColorsAllowed,
                                                           int16_t colorCount, int16_t* retPaletteColorIndexs,
                                                           int32_t* retScores, int16_t& chosenCount,
                                                           std::string& err) {
  err.clear();
  chosenCount = 0;
  if (retPaletteColorIndexs == nullptr) {
    err = "ColorSeparator::Calc_Ideal_Palette_for_Specific_Photo FAILED, retPaletteColorIndexs is NULL.";
    return false;
  }
  if (*m_subtractionBitmapAddr == nullptr) {
    err =
        "ColorSeparator::Calc_Ideal_Palette_for_Specific_Photo FAILED, m_subtractionBitmapAddr has not been "
        "prepared.";
    return false;
  }
  if (!m_renderMan.Initialize_SubtractMap_with_Source_Image_for_SeparationCreation(err)) return false;

  for (int16_t position = 0; position < colorCount; ++position) {
    int32_t bestScore = -1;
    int16_t bestIndex = -1;
    for (int16_t index = 1; index < kStandardColorCount; ++index) {
      const StandardColorEntry& color = StandardColors[index];
      if (!colors.Contains_Color(color.hue, color.sat, color.val)) continue;
      if (!repeatColorsAllowed && std::find(retPaletteColorIndexs, retPaletteColorIndexs + chosenCount,
                                            index) != retPaletteColorIndexs + chosenCount)
        continue;
      const int32_t score = Calc_StdColors_Coverage_Score(color.hue, color.sat, color.val, err);
      if (score < 0) return false;
      // Strictly greater: of equal scores the lowest index stays.
      if (score > bestScore) {
        bestScore = score;
        bestIndex = index;
      }
    }
    if (bestScore <= 0) {
      retPaletteColorIndexs[position] = 0;
      if (retScores != nullptr) retScores[position] = bestScore;
      continue;
    }
    retPaletteColorIndexs[chosenCount] = bestIndex;
    if (retScores != nullptr) retScores[chosenCount] = bestScore;
    ++chosenCount;
    // What the chosen colour paints no longer counts for the next position.
    int16_t red = 0, green = 0, blue = 0;
    if (!Get_StandardColors_RGB_from_Table(bestIndex, red, green, blue, err)) return false;
    if (!(*m_subtractionBitmapAddr)->Subtract_Color(red, green, blue, err)) return false;
  }
  return true;
}

bool ColorSeparator::Calc_Ideal_Palette_for_Stock_ColorSet(int16_t palettePrimaryIdx, int16_t colorCount,
                                                           int16_t* retPaletteColorIndexs, std::string& err) {
  err.clear();
  if (colorCount < 1 || colorCount > kMaxPaletteColors || retPaletteColorIndexs == nullptr) {
    err = "ColorSeparator::Calc_Ideal_Palette_for_Stock_ColorSet  FAILED,  array is wrong.";
    return false;
  }
  int32_t scores[kMaxPaletteColors];
  std::fill(retPaletteColorIndexs, retPaletteColorIndexs + colorCount, static_cast<int16_t>(-1));
  std::fill(scores, scores + kMaxPaletteColors, -1);
  ColorList colors;
  bool repeatColorsAllowed = false;
  if (!Make_ColorSets_List_of_Colors(colors, palettePrimaryIdx, repeatColorsAllowed, err)) return false;
  int16_t chosenCount = 0;
  return Calc_Ideal_Palette_for_Specific_Photo(colors, repeatColorsAllowed, colorCount, retPaletteColorIndexs,
                                               scores, chosenCount, err);
}
