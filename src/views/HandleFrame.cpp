#include "views/HandleFrame.h"

#include <algorithm>
#include <limits>

#include "views/DrawSurface.h"

// ---------------------------------------------------------------------------
// Handlej

void Handlej::Get_Rect(RectLong& rect) const {
  rect.left = m_center.x - m_halfWidth;
  rect.top = m_center.y - m_halfHeight;
  rect.right = m_center.x + m_halfWidth;
  rect.bottom = m_center.y + m_halfHeight;
}

bool Handlej::Contains_Point(const PointShrt& point) const {
  RectLong r;
  Get_Rect(r);
  return r.left <= point.x && point.x <= r.right && r.top <= point.y && point.y <= r.bottom;
}

void Handlej::Draw(DrawSurface* surface) {
  if (surface == nullptr || Is_Shown()) return;
  Get_Rect(m_drawnRect);
  surface->Invert_Rect(m_drawnRect);
  Set_Shown(true);
}

void Handlej::Erase(DrawSurface* surface) {
  if (!Is_Shown()) return;
  if (surface != nullptr) surface->Invert_Rect(m_drawnRect);
  Set_Shown(false);
}

void Handlej::Move(int16_t dx, int16_t dy, DrawSurface* surface) {
  Erase(surface);
  Set_Center(static_cast<int16_t>(m_center.x + dx), static_cast<int16_t>(m_center.y + dy));
  Draw(surface);
}

// ---------------------------------------------------------------------------
// HandleFrame

bool HandleFrame::Get_Frame_Rect(RectLong& rect) const {
  if (m_handles.Is_Empty()) return false;
  int32_t minX = std::numeric_limits<int32_t>::max();
  int32_t minY = std::numeric_limits<int32_t>::max();
  int32_t maxX = std::numeric_limits<int32_t>::min();
  int32_t maxY = std::numeric_limits<int32_t>::min();
  for (const Handlej* handle : m_handles) {
    const PointShrt& c = handle->Get_Center();
    minX = std::min<int32_t>(minX, c.x);
    minY = std::min<int32_t>(minY, c.y);
    maxX = std::max<int32_t>(maxX, c.x);
    maxY = std::max<int32_t>(maxY, c.y);
  }
  rect.left = 2 * minX - maxX;
  rect.top = 2 * minY - maxY;
  rect.right = maxX;
  rect.bottom = maxY;
  return true;
}

Handlej* HandleFrame::Find_Handle_at_Point(const PointShrt& point) {
  for (Handlej* handle : m_handles)
    if (handle->Contains_Point(point)) return handle;
  return nullptr;
}

void HandleFrame::Draw(DrawSurface* surface) {
  if (surface == nullptr || Is_Shown()) return;
  for (Handlej* handle : m_handles) handle->Draw(surface);
  m_rectDrawn = Get_Frame_Rect(m_drawnRect);
  if (m_rectDrawn) surface->Invert_Rect_Outline(m_drawnRect);
  Set_Shown(true);
}

void HandleFrame::Erase(DrawSurface* surface) {
  if (!Is_Shown()) return;
  for (Handlej* handle : m_handles) handle->Erase(surface);
  if (surface != nullptr && m_rectDrawn) surface->Invert_Rect_Outline(m_drawnRect);
  m_rectDrawn = false;
  Set_Shown(false);
}

void HandleFrame::Move_Frame(int16_t dx, int16_t dy, DrawSurface* surface) {
  const bool wasShown = Is_Shown();
  Erase(surface);
  for (Handlej* h : m_handles) {
    h->Set_Center(static_cast<int16_t>(h->Get_Center().x + dx), static_cast<int16_t>(h->Get_Center().y + dy));
  }
  if (wasShown) Draw(surface);
}
