#include "colors/ColorList.h"

#include "colors/StandardColorTable.h"
#include "colors/StandardColors.h"

namespace {

bool Same_Color(const ColorHSV& c, int16_t hue, int16_t sat, int16_t val) {
  return c.hue == hue && c.sat == sat && c.val == val;
}

}  // namespace

ColorList::~ColorList() {
  Delete_All();
}

bool ColorList::Contains_Color(int16_t hue, int16_t sat, int16_t val) const {
  for (const ColorHSV* color : *this)
    if (Same_Color(*color, hue, sat, val)) return true;
  return false;
}

int ColorList::Remove_Color(int16_t hue, int16_t sat, int16_t val) {
  ColorHSV* last = nullptr;
  for (ColorHSV* color : *this)
    if (Same_Color(*color, hue, sat, val)) last = color;
  if (last == nullptr) return 0;
  Remove_Object(last);  // each element is its own allocation, so the pointer is unique
  return 1;
}

bool ColorList::Add_Color_by_Nickname(const char* nickname) {
  if (nickname == nullptr) return false;
  const int16_t index = Get_StandardColors_Index_by_Nickname(nickname);
  if (index < 0) return true;
  const StandardColorEntry& row = StandardColors[index];
  Add_To_Tail(new ColorHSV{row.hue, row.sat, row.val});
  return true;
}

void ColorList::Add_Color(const ColorHSV& color) {
  Add_To_Tail(new ColorHSV(color));
}
