#pragma once
// DrawSurface: what the framework draws on.  A window, a pane's off-screen
// bitmap and, in tests, an OffMap are all drawing surfaces; the desktop
// shell implements this over its own painter, OffMapDrawSurface over a map.
//
// Coordinates are pixels, x from the left and y from the top; rectangles
// include both edges.  Everything is clipped to the surface, and a
// rectangle whose right edge lies left of its left edge (or bottom above
// top) draws nothing.

#include <algorithm>
#include <cstdint>

#include "framework/Rects.h"

class OffMap;

class DrawSurface {
 public:
  virtual ~DrawSurface() = default;

  virtual int32_t Get_Width() const = 0;
  virtual int32_t Get_Height() const = 0;

  // Solid rectangle of the colour.
  virtual void Fill_Rect(const RectLong& rect, uint8_t red, uint8_t green, uint8_t blue) = 0;
  void Fill_Rect_Grey(const RectLong& rect, uint8_t grey) { Fill_Rect(rect, grey, grey, grey); }
  // Solid ellipse (a circle for a square) inscribed in the rectangle.
  virtual void Fill_Ellipse(const RectLong& bounds, uint8_t red, uint8_t green, uint8_t blue) = 0;

  // Reversible drawing: every pixel of the shape is inverted, so drawing
  // the same shape a second time gives back what was there.  Selection
  // frames are drawn and erased this way.
  virtual void Invert_Rect(const RectLong& rect) = 0;          // the whole rectangle
  virtual void Invert_Rect_Outline(const RectLong& rect) = 0;  // its one-pixel border

  // Scaled copy of the source rectangle of the map (map coordinates, y
  // from the top) into the destination rectangle, each destination pixel
  // taking the source pixel it falls on.  Source pixels outside the map are
  // not drawn.  False (nothing drawn) for an empty rectangle or when the
  // map or the surface has no pixels.
  virtual bool Blit_Map(const OffMap& map, const RectShrt& src, const RectShrt& dst) = 0;
  // The same, with pure white (255, 255, 255) source pixels left out.
  virtual bool Blit_Map_Transparent(const OffMap& map, const RectShrt& src, const RectShrt& dst) = 0;
};

// `rect` clipped to a surface of `width` x `height` pixels; false when
// nothing of it is left.
inline bool Clip_To_Surface(const RectLong& rect, int32_t width, int32_t height, RectLong& clipped) {
  clipped.left = std::max(rect.left, 0);
  clipped.top = std::max(rect.top, 0);
  clipped.right = std::min(rect.right, width - 1);
  clipped.bottom = std::min(rect.bottom, height - 1);
  return clipped.left <= clipped.right && clipped.top <= clipped.bottom;
}

// Calls `plot(x, y)` for every pixel of `clipped` (a part of `bounds`) whose
// centre lies inside the ellipse inscribed in the outer edges of `bounds`.
template <class Plot>
void For_Ellipse_Pixels(const RectLong& bounds, const RectLong& clipped, Plot plot) {
  const double cx = (static_cast<double>(bounds.left) + bounds.right + 1) / 2.0;
  const double cy = (static_cast<double>(bounds.top) + bounds.bottom + 1) / 2.0;
  const double rx = (static_cast<double>(bounds.right) - bounds.left + 1) / 2.0;
  const double ry = (static_cast<double>(bounds.bottom) - bounds.top + 1) / 2.0;
  for (int32_t y = clipped.top; y <= clipped.bottom; ++y) {
    const double dy = (y + 0.5 - cy) / ry;
    for (int32_t x = clipped.left; x <= clipped.right; ++x) {
      const double dx = (x + 0.5 - cx) / rx;
      if (dx * dx + dy * dy <= 1.0) plot(x, y);
    }
  }
}
