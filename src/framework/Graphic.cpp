#include "framework/Graphic.h"

namespace {

// Edges are computed in 64 bits and stored back in the record's 32 bits, so
// an extreme position wraps instead of overflowing.
int32_t Edge(int32_t origin, int32_t extent) {
  return static_cast<int32_t>(static_cast<int64_t>(origin) + extent - 1);
}

int32_t Extent(int32_t from, int32_t to) {
  return static_cast<int32_t>(static_cast<int64_t>(to) - from + 1);
}

}  // namespace

void Graphic::Get_Rect(RectLong& rect) const {
  rect.left = m_position.x;
  rect.top = m_position.y;
  rect.right = Edge(m_position.x, m_width);
  rect.bottom = Edge(m_position.y, m_height);
}

bool Graphic::Contains_Point(const PointLong& point) const {
  RectLong r;
  Get_Rect(r);
  return r.left <= point.x && point.x <= r.right && r.top <= point.y && point.y <= r.bottom;
}

void Graphic::Set_Rect(const RectLong& rect) {
  m_position.x = rect.left;
  m_position.y = rect.top;
  m_width = Extent(rect.left, rect.right);
  m_height = Extent(rect.top, rect.bottom);
}

void Graphic::Reset() {
  m_position.x = -1;
  m_position.y = -1;
  m_width = 0;
  m_height = 0;
}
