#pragma once
// Where a new map window goes in the frame.
//
// Each configuration has its first rectangle (app/WindowRegistry.h): the
// "Layered", "PreProcessing" and "Cur Select REGION" windows along the top,
// the "Photo", "SUBTRACTED Result" and "Region OBJECTS" windows in a second
// row below them.  Those rectangles are 360 x 480; once a window has been
// fitted to its picture it is larger or smaller, and a window put at its
// first corner could then lie over the title bar of one already open.  So a
// new window keeps its first corner where that is free, and otherwise moves
// just far enough: down below the top row for a second-row window, right of
// a window of another configuration in its way, and, for a second window of
// the same configuration, one cascade step down and right of the first.

#include <cstdint>
#include <vector>

#include "framework/Rects.h"

struct PlacedWindow {
  int16_t code;
  RectLong rect;  // outer rectangle in the frame's client area, both edges included
};

class WindowLayout {
 public:
  // Room left between windows.
  static constexpr int32_t kGap = 6;
  // The step between windows of one configuration.
  static constexpr int32_t kCascade = 28;

  // True for the configurations of the top row (5, 8, 7).
  static bool Is_Top_Row(int16_t code);
  // The order in which windows opened together are placed: the top row
  // first, each row from the left.
  static bool Places_Before(int16_t a, int16_t b);

  // The top-left corner for a new window of `code` that is `width` x
  // `height` with the windows `placed` already open.  A code without a
  // configuration goes to the frame's corner (0, 0) or cascades from it.
  static PointLong Place(int16_t code, int32_t width, int32_t height,
                         const std::vector<PlacedWindow>& placed);
};
