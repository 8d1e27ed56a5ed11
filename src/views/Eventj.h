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
