#include "gui/QtDrawSurface.h"

#include <algorithm>

#include "raster/OffMap.h"

namespace {

QRgb* Scan_Line(QImage& image, int32_t y) {
  return reinterpret_cast<QRgb*>(image.scanLine(y));
}

}  // namespace

bool QtDrawSurface::Clip(const RectLong& rect, RectLong& clipped) const {
  return !m_image.isNull() && Clip_To_Surface(rect, m_image.width(), m_image.height(), clipped);
}

void QtDrawSurface::Fill_Rect(const RectLong& rect, uint8_t red, uint8_t green, uint8_t blue) {
  RectLong c;
  if (!Clip(rect, c)) return;
  const QRgb colour = qRgb(red, green, blue);
  for (int32_t y = c.top; y <= c.bottom; ++y)
    std::fill(Scan_Line(m_image, y) + c.left, Scan_Line(m_image, y) + c.right + 1, colour);
}

void QtDrawSurface::Fill_Ellipse(const RectLong& bounds, uint8_t red, uint8_t green, uint8_t blue) {
  RectLong c;
  if (bounds.left > bounds.right || bounds.top > bounds.bottom || !Clip(bounds, c)) return;
  const QRgb colour = qRgb(red, green, blue);
  For_Ellipse_Pixels(bounds, c, [&](int32_t x, int32_t y) { Scan_Line(m_image, y)[x] = colour; });
}

void QtDrawSurface::Invert_Rect(const RectLong& rect) {
  RectLong c;
  if (!Clip(rect, c)) return;
  for (int32_t y = c.top; y <= c.bottom; ++y) {
    QRgb* line = Scan_Line(m_image, y);
    for (int32_t x = c.left; x <= c.right; ++x) line[x] = line[x] ^ 0x00FFFFFFu;
  }
}

void QtDrawSurface::Invert_Rect_Outline(const RectLong& rect) {
  if (rect.left > rect.right || rect.top > rect.bottom) return;
  // Each border pixel exactly once, corners included, so that drawing the
  // outline twice restores the picture.
  auto invert = [this](int32_t x, int32_t y) {
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height()) return;
    QRgb* line = Scan_Line(m_image, y);
    line[x] = line[x] ^ 0x00FFFFFFu;
  };
  for (int32_t x = rect.left; x <= rect.right; ++x) {
    invert(x, rect.top);
    if (rect.bottom != rect.top) invert(x, rect.bottom);
  }
  for (int32_t y = rect.top + 1; y < rect.bottom; ++y) {
    invert(rect.left, y);
    if (rect.right != rect.left) invert(rect.right, y);
  }
}

bool QtDrawSurface::Blit(const OffMap& map, const RectShrt& src, const RectShrt& dst,
                         bool whiteIsTransparent) {
  if (m_image.isNull() || map.Get_Bits() == nullptr || map.Get_Width() <= 0 || map.Get_Height() <= 0)
    return false;
  const int32_t srcW = src.right - src.left + 1;
  const int32_t srcH = src.bottom - src.top + 1;
  const int32_t dstW = dst.right - dst.left + 1;
  const int32_t dstH = dst.bottom - dst.top + 1;
  if (srcW <= 0 || srcH <= 0 || dstW <= 0 || dstH <= 0) return false;
  const bool oneToOne = srcW == dstW && srcH == dstH && map.Get_Depth() == 24;
  for (int32_t dy = 0; dy < dstH; ++dy) {
    const int32_t y = dst.top + dy;
    if (y < 0 || y >= m_image.height()) continue;
    const int32_t sy = src.top + static_cast<int32_t>(static_cast<int64_t>(dy) * srcH / dstH);
    if (sy < 0 || sy >= map.Get_Height()) continue;
    QRgb* line = Scan_Line(m_image, y);
    const uint8_t* row = oneToOne ? map.Row(sy) : nullptr;
    for (int32_t dx = 0; dx < dstW; ++dx) {
      const int32_t x = dst.left + dx;
      if (x < 0 || x >= m_image.width()) continue;
      const int32_t sx = src.left + static_cast<int32_t>(static_cast<int64_t>(dx) * srcW / dstW);
      if (sx < 0 || sx >= map.Get_Width()) continue;
      int16_t r, g, b;
      if (row != nullptr) {
        // Rows hold blue, green, red.
        b = row[3 * sx];
        g = row[3 * sx + 1];
        r = row[3 * sx + 2];
      } else {
        map.Get_Pixel(sx, sy, r, g, b);
      }
      if (whiteIsTransparent && r == 255 && g == 255 && b == 255) continue;
      line[x] = qRgb(r, g, b);
    }
  }
  return true;
}

bool QtDrawSurface::Blit_Map(const OffMap& map, const RectShrt& src, const RectShrt& dst) {
  return Blit(map, src, dst, false);
}

bool QtDrawSurface::Blit_Map_Transparent(const OffMap& map, const RectShrt& src, const RectShrt& dst) {
  return Blit(map, src, dst, true);
}
