#pragma once
// FrameArtist: the object a pane asks which map to show.  The pane owns its
// artist and tells it its drawing target (the pane's off-screen bitmap) and
// that target's size whenever it makes the bitmap.  The base artist can
// clear and fill its target but knows no map; the render manager's artist
// derives from it and hands out the map of each pane kind.

#include <cstdint>
#include <string>

#include "framework/Rects.h"

class DrawSurface;
class OffMap;

class FrameArtist {
 public:
  FrameArtist() = default;
  virtual ~FrameArtist() = default;
  FrameArtist(const FrameArtist&) = delete;
  FrameArtist& operator=(const FrameArtist&) = delete;

  // The surface the artist draws on (not owned) and its size; a null
  // target makes every drawing operation do nothing.
  void Set_Drawing_Target(DrawSurface* target, int32_t width, int32_t height) {
    m_target = target;
    m_width = width;
    m_height = height;
  }
  DrawSurface* Get_Drawing_Target() const { return m_target; }
  int32_t Get_Width() const { return m_width; }
  int32_t Get_Height() const { return m_height; }

  // The inclusive rectangle of the target in the grey (grey, grey, grey) or
  // in the colour.
  virtual void Fill_Rect_Grey(uint8_t grey, const RectLong& rect);
  virtual void Fill_Rect_Color(uint8_t red, uint8_t green, uint8_t blue, const RectLong& rect);
  // Clears the whole target: level 0 black, 255 and above white, any other
  // level the grey of its low eight bits (so -1 is white as well).
  virtual void Erase_Background(int16_t level);
  // Draws a map handed out by Get_OffMap; the base artist draws nothing.
  virtual void Render_Frame(const RectShrt& src, const RectShrt& dst, const OffMap* map);
  // The map to show in a pane of this kind (not owned by the caller).  The
  // base artist has none: null with "FrameArtist::Get_OffMap is NOT defined.".
  virtual OffMap* Get_OffMap(int32_t kind, std::string& err);

 private:
  DrawSurface* m_target = nullptr;
  int32_t m_width = 0;
  int32_t m_height = 0;
};
