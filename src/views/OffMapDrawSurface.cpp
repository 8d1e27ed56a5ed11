#include "views/OffMapDrawSurface.h"

#include <algorithm>

#include "raster/OffMap.h"

int32_t OffMapDrawSurface::Get_Width() const {
  return m_map.Get_Width();
}
int32_t OffMapDrawSurface::Get_Height() const {
  return m_map.Get_Height();
}

namespace {

bool Has_Pixels(const OffMap& map) {
  return map.Get_Bits() != nullptr && map.Get_Width() > 0 && map.Get_Height() > 0;
}

}  // namespace

bool OffMapDrawSurface::Clip(const RectLong& rect, RectLong& clipped) const {
  return Has_Pixels(m_map) && Clip_To_Surface(rect, m_map.Get_Width(), m_map.Get_Height(), clipped);
}

void OffMapDrawSurface::Fill_Rect(const RectLong& rect, uint8_t red, uint8_t green, uint8_t blue) {
  RectLong c;
  if (!Clip(rect, c)) return;
  for (int32_t y = c.top; y <= c.bottom; ++y)
    for (int32_t x = c.left; x <= c.right; ++x) m_map.Set_Pixel(x, y, red, green, blue);
}

void OffMapDrawSurface::Fill_Ellipse(const RectLong& bounds, uint8_t red, uint8_t green, uint8_t blue) {
  RectLong c;
  if (bounds.left > bounds.right || bounds.top > bounds.bottom || !Clip(bounds, c)) return;
  For_Ellipse_Pixels(bounds, c, [&](int32_t x, int32_t y) { m_map.Set_Pixel(x, y, red, green, blue); });
}

void OffMapDrawSurface::Invert_Pixel(int32_t x, int32_t y) {
  int16_t r = 0;
  int16_t g = 0;
  int16_t b = 0;
  m_map.Get_Pixel(x, y, r, g, b);
  m_map.Set_Pixel(x, y, static_cast<int16_t>(255 - r), static_cast<int16_t>(255 - g),
                  static_cast<int16_t>(255 - b));
}

void OffMapDrawSurface::Invert_Rect(const RectLong& rect) {
  RectLong c;
  if (!Clip(rect, c)) return;
  for (int32_t y = c.top; y <= c.bottom; ++y)
    for (int32_t x = c.left; x <= c.right; ++x) Invert_Pixel(x, y);
}

void OffMapDrawSurface::Invert_Rect_Outline(const RectLong& rect) {
  RectLong c;
  if (rect.left > rect.right || rect.top > rect.bottom || !Clip(rect, c)) return;
  // Each border pixel is inverted exactly once, corners included, or the
  // shape would not undo itself.
  auto row = [&](int32_t y) {
    if (y < c.top || y > c.bottom) return;
    for (int32_t x = c.left; x <= c.right; ++x) Invert_Pixel(x, y);
  };
  auto column = [&](int32_t x) {
    if (x < c.left || x > c.right) return;
    for (int32_t y = std::max(c.top, rect.top + 1); y <= std::min(c.bottom, rect.bottom - 1); ++y)
      Invert_Pixel(x, y);
  };
  row(rect.top);
  if (rect.bottom != rect.top) row(rect.bottom);
  column(rect.left);
  if (rect.right != rect.left) column(rect.right);
}

bool OffMapDrawSurface::Blit(const OffMap& map, const RectShrt& src, const RectShrt& dst,
                             bool whiteIsTransparent) {
  const int32_t srcW = static_cast<int32_t>(src.right) - src.left + 1;
  const int32_t srcH = static_cast<int32_t>(src.bottom) - src.top + 1;
  const int32_t dstW = static_cast<int32_t>(dst.right) - dst.left + 1;
  const int32_t dstH = static_cast<int32_t>(dst.bottom) - dst.top + 1;
  if (srcW <= 0 || srcH <= 0 || dstW <= 0 || dstH <= 0) return false;
  if (!Has_Pixels(map) || !Has_Pixels(m_map)) return false;
  RectLong target;
  target.left = dst.left;
  target.top = dst.top;
  target.right = dst.right;
  target.bottom = dst.bottom;
  RectLong c;
  if (!Clip(target, c)) return true;
  for (int32_t y = c.top; y <= c.bottom; ++y) {
    const int32_t sy = src.top + static_cast<int32_t>(static_cast<int64_t>(y - dst.top) * srcH / dstH);
    for (int32_t x = c.left; x <= c.right; ++x) {
      const int32_t sx = src.left + static_cast<int32_t>(static_cast<int64_t>(x - dst.left) * srcW / dstW);
      if (!map.Is_Inside(sx, sy)) continue;
      int16_t r = 0;
      int16_t g = 0;
      int16_t b = 0;
      map.Get_Pixel(sx, sy, r, g, b);
      if (whiteIsTransparent && r == 255 && g == 255 && b == 255) continue;
      m_map.Set_Pixel(x, y, r, g, b);
    }
  }
  return true;
}

bool OffMapDrawSurface::Blit_Map(const OffMap& map, const RectShrt& src, const RectShrt& dst) {
  return Blit(map, src, dst, false);
}

bool OffMapDrawSurface::Blit_Map_Transparent(const OffMap& map, const RectShrt& src, const RectShrt& dst) {
  return Blit(map, src, dst, true);
}
