// Lookups on the standard colour table and the stock colour sets.

#include "colors/StandardColors.h"

#include <algorithm>
#include <cstdint>
#include <utility>

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

char Lower_Ascii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Lower_Text(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = Lower_Ascii(c);
  return lower;
}

// Insertions, deletions and substitutions that turn `a` into `b`.
size_t Edit_Distance(const std::string& a, const std::string& b) {
  std::vector<size_t> previous(b.size() + 1), current(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) previous[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    current[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t substitute = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitute});
    }
    std::swap(previous, current);
  }
  return previous[b.size()];
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

std::vector<int16_t> Stock_ColorSets_Holding_Color(int16_t index) {
  std::vector<int16_t> sets;
  if (index <= 0 || !Is_Standard_Color_Index(index)) return sets;
  for (int16_t set = 0; set < kStockColorSetCount; ++set) {
    for (const char* member : StockColorSets[set].members) {
      if (Get_StandardColors_Index_by_Nickname(member) == index) {
        sets.push_back(set);
        break;
      }
    }
  }
  return sets;
}

std::vector<int16_t> Closest_StandardColors_by_Nickname(std::string_view text, size_t count) {
  const std::string typed = Lower_Text(text);
  std::vector<std::pair<size_t, int16_t>> ranked;  // (distance, index)
  for (int16_t i = 1; i < kStandardColorCount; ++i) {
    const std::string name = Lower_Text(StandardColors[i].nickname);
    constexpr size_t kFar = SIZE_MAX;
    size_t distance = Edit_Distance(typed, name);
    if (distance > name.size() / 3 + 1) distance = kFar;
    if (typed.size() >= 3 && name.find(typed) != std::string::npos) distance = std::min<size_t>(distance, 1);
    // A misspelt word of the name ("umbr") is one edit further than the word.
    size_t start = 0;
    while (start < name.size()) {
      const size_t end = std::min(name.find(' ', start), name.size());
      const std::string word = name.substr(start, end - start);
      const size_t edits = Edit_Distance(typed, word);
      if (edits <= word.size() / 3) distance = std::min(distance, edits + 1);
      start = end + 1;
    }
    if (distance != kFar) ranked.emplace_back(distance, i);
  }
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<int16_t> closest;
  for (size_t i = 0; i < ranked.size() && i < count; ++i) closest.push_back(ranked[i].second);
  return closest;
}
