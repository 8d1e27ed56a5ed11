#pragma once
// Eventj: one mouse event of a map window, as the window hands it to the
// framework.

#include <cstdint>

#include "framework/Rects.h"

class DrawSurface;
class Viewj;

struct Eventj {
  PointShrt point;        // window pixels, x from the left, y from the top
  Viewj* view = nullptr;  // the record of the window the event happened in
  int16_t modifiers = 0;  // 8 Ctrl, 4 Shift, 2 Alt alone, else 0
  // The window's drawing surface for the duration of the event; null when
  // the window cannot be drawn on (not visible).  Selection frames created
  // for the event are drawn here.
  DrawSurface* surface = nullptr;
};

// The modifier code of a mouse event from the keys held: 8 for Ctrl alone
// (without Shift and Alt), 4 for Shift without Ctrl and Alt, 2 for Alt
// alone, 0 for no key and for every other combination.
inline int16_t Modifier_Code(bool ctrl, bool shift, bool alt) {
  if (ctrl && !shift && !alt) return 8;
  if (shift && !ctrl && !alt) return 4;
  if (alt && !ctrl && !shift) return 2;
  return 0;
}
