// Lookups on the standard colour table and the stock colour sets.

#include "colors/StandardColors.h"

#include <algorithm>

#include "colors/ColorList.h"
#include "colors/StandardColorTable.h"
#include "colors/StockColorSets.h"
#include "platform/Text.h"
#include "raster/ColorSpace.h"

namespace {

bool Is_Stock_Set_Index(int16_t index) {
  return static_cast<uint16_t>(index) < static_cast<uint16_t>(kStockColorSetCount);
}

int16_t Clamp_Component(int16_t c) {
  return std::clamp<int16_t>(c, 0, 255);
}

}  // namespace

bool Get_StandardColors_Nickname(int16_t index, std::string& nickname) {
  nickname.clear();
  if (!Is_Standard_Color_Index(index)) return false;
  nickname = StandardColors[index].nickname;
  return true;
}

bool Get_StandardColors_HSV_Values(int16_t index, int16_t& hue, int16_t& sat, int16_t& val) {
  if (!Is_Standard_Color_Index(index)) return false;
  const StandardColorEntry& row = StandardColors[index];
  hue = row.hue;
  sat = row.sat;
  val = row.val;
  return true;
}

bool Get_StandardColors_RGB_from_Table(int16_t index, int16_t& red, int16_t& green, int16_t& blue,
                                       std::string& err) {
  err.clear();
  if (!Is_Standard_Color_Index(index)) {
    err =
        "ColorSeparator::Get_StandardColors_RGB_from_Table  FAILED,  huntColorIndex is out of bounds for the "
        "array.";
    return false;
  }
  const StandardColorEntry& row = StandardColors[index];
  int16_t r = 0, g = 0, b = 0;
  HSV_to_RGB(row.hue, row.sat, row.val, &r, &g, &b);
  red = Clamp_Component(r);
  green = Clamp_Component(g);
  blue = Clamp_Component(b);
  return true;
}

int16_t Get_StandardColors_Index_by_Nickname(std::string_view nickname) {
  for (int16_t i = 0; i < kStandardColorCount; ++i)
    if (Equal_NoCase(nickname, StandardColors[i].nickname)) return i;
  return -1;
}

int16_t Get_StandardColors_Index_to_Main_Colors_Array(int16_t hue, int16_t sat, int16_t val) {
  for (int16_t i = 0; i < kStandardColorCount; ++i) {
    const StandardColorEntry& row = StandardColors[i];
    if (row.hue == hue && row.sat == sat && row.val == val) return i;
  }
  return -1;
}

bool Get_Nickname_of_Stock_ColorSet(int16_t setIndex, std::string& err, std::string& nickname) {
  err.clear();
  nickname.clear();
  if (!Is_Stock_Set_Index(setIndex)) {
    err = " ColorSeparator::Get_Nickname_of_Stock_ColorSet  FAILED,  unknown case.";
    return false;
  }
  nickname = StockColorSets[setIndex].nickname;
  return true;
}

bool Make_ColorSets_List_of_Colors(ColorList& list, int16_t palettePrimaryIdx, bool& repeatColorsAllowed,
                                   std::string& err) {
  err.clear();
  repeatColorsAllowed = false;
  list.Delete_All();
  if (!Is_Stock_Set_Index(palettePrimaryIdx)) {
    err = "ColorSeparator::Make_ColorSets_List_of_Colors  FAILED,  palettePrimaryIdx is out of range.";
    return false;
  }
  const StockColorSet& set = StockColorSets[palettePrimaryIdx];
  for (const char* member : set.members) list.Add_Color_by_Nickname(member);
  repeatColorsAllowed = set.repeatColorsAllowed;
  return true;
}
