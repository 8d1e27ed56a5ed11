#pragma once
// Graphic: the bounding rectangle every subject and view carries (as a
// member, not a base).  It is kept as a position and a size; the inclusive
// rectangle (left, top, right, bottom) is derived from them.

#include <cstdint>

#include "framework/Rects.h"

class Graphic {
 public:
  // The x a graphic has until its rectangle is first set.  A graphic in
  // that state has no extent and contains no point.
  static constexpr int32_t kUnsetX = -18888;

  Graphic() = default;
  virtual ~Graphic() = default;

  // left = x, top = y, right = x + width - 1, bottom = y + height - 1.
  virtual void Get_Rect(RectLong& rect) const;
  // Both edges count as inside.
  virtual bool Contains_Point(const PointLong& point) const;
  // Inverse of Get_Rect: the rectangle's edges are both included.
  virtual void Set_Rect(const RectLong& rect);
  // x = y = -1, no extent.
  virtual void Reset();

  const PointLong& Get_Position() const { return m_position; }
  void Set_Position(int32_t x, int32_t y) {
    m_position.x = x;
    m_position.y = y;
  }
  int32_t Get_Width() const { return m_width; }
  int32_t Get_Height() const { return m_height; }
  void Set_Size(int32_t width, int32_t height) {
    m_width = width;
    m_height = height;
  }

 private:
  PointLong m_position = Make_Unset_Position();
  int32_t m_width = 0;
  int32_t m_height = 0;

  static PointLong Make_Unset_Position() {
    PointLong p;
    p.x = kUnsetX;
    return p;
  }
};
