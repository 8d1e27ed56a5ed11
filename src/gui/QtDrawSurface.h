#pragma once
// QtDrawSurface: a drawing surface over a QImage of 32-bit pixels, the
// picture of a map window's client area.  Panes copy their bitmaps into it
// one to one; selection frames are inverted on it.  The window then shows
// the image unscaled (or, zoomed, pixel for pixel enlarged).

#include <QImage>

#include "views/DrawSurface.h"

class QtDrawSurface : public DrawSurface {
 public:
  // `image` must be Format_RGB32 and outlive the surface.
  explicit QtDrawSurface(QImage& image) : m_image(image) {}

  int32_t Get_Width() const override { return m_image.width(); }
  int32_t Get_Height() const override { return m_image.height(); }
  void Fill_Rect(const RectLong& rect, uint8_t red, uint8_t green, uint8_t blue) override;
  void Fill_Ellipse(const RectLong& bounds, uint8_t red, uint8_t green, uint8_t blue) override;
  void Invert_Rect(const RectLong& rect) override;
  void Invert_Rect_Outline(const RectLong& rect) override;
  bool Blit_Map(const OffMap& map, const RectShrt& src, const RectShrt& dst) override;
  bool Blit_Map_Transparent(const OffMap& map, const RectShrt& src, const RectShrt& dst) override;

 private:
  bool Clip(const RectLong& rect, RectLong& clipped) const;
  bool Blit(const OffMap& map, const RectShrt& src, const RectShrt& dst, bool whiteIsTransparent);

  QImage& m_image;
};
