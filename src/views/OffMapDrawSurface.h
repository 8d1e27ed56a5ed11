#pragma once
// OffMapDrawSurface: a drawing surface over an OffMap of any depth.  Pane
// memory bitmaps are OffMaps drawn through it, and tests draw into maps
// with it.  Colours are stored the way OffMap::Set_Pixel stores them (an
// 8-bit map keeps red, a mask map clears a pixel only for black).  The map
// is not owned and must outlive the surface.

#include "views/DrawSurface.h"

class OffMapDrawSurface : public DrawSurface {
 public:
  explicit OffMapDrawSurface(OffMap& map) : m_map(map) {}

  int32_t Get_Width() const override;
  int32_t Get_Height() const override;
  void Fill_Rect(const RectLong& rect, uint8_t red, uint8_t green, uint8_t blue) override;
  void Fill_Ellipse(const RectLong& bounds, uint8_t red, uint8_t green, uint8_t blue) override;
  // Inversion is 255 minus each component: exact on all three depths, so
  // inverting twice restores every pixel.
  void Invert_Rect(const RectLong& rect) override;
  void Invert_Rect_Outline(const RectLong& rect) override;
  bool Blit_Map(const OffMap& map, const RectShrt& src, const RectShrt& dst) override;
  bool Blit_Map_Transparent(const OffMap& map, const RectShrt& src, const RectShrt& dst) override;

  OffMap& Get_Map() { return m_map; }

 private:
  // The part of the rectangle inside the map; false when nothing is left.
  bool Clip(const RectLong& rect, RectLong& clipped) const;
  void Invert_Pixel(int32_t x, int32_t y);
  bool Blit(const OffMap& map, const RectShrt& src, const RectShrt& dst, bool whiteIsTransparent);

  OffMap& m_map;
};
