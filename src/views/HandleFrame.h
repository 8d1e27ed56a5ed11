#pragma once
// The selection frame drawn around a selected view: a HandleFrame holding
// square handles (Handlej).  Both are cues (VuCue): drawn reversibly
// straight onto the window they belong to, never into a pane's bitmap, and
// erased by drawing the same shapes again.
//
// Drawing and erasing take the window's drawing surface for the call; a
// null surface stands for a window that cannot be drawn on, and then
// nothing is drawn.  Each cue records whether it is shown: drawing a shown
// cue or erasing a hidden one does nothing, so the window's pixels are
// never inverted an odd number of times by mistake.

#include <cstdint>

#include "framework/ListMemry.h"
#include "framework/Rects.h"

class DrawSurface;
class Viewj;

class VuCue {
 public:
  explicit VuCue(Viewj* window) : m_window(window) {}
  virtual ~VuCue() = default;
  VuCue(const VuCue&) = delete;
  VuCue& operator=(const VuCue&) = delete;

  virtual void Draw(DrawSurface* surface) = 0;
  virtual void Erase(DrawSurface* surface) = 0;

  // The window the cue is drawn in (not owned).
  Viewj* Get_Window() const { return m_window; }
  bool Is_Shown() const { return m_shown; }

 protected:
  void Set_Shown(bool shown) { m_shown = shown; }

 private:
  Viewj* m_window;
  bool m_shown = false;
};

// What dragging a handle does to the selected object.
constexpr int16_t kHandleMove = 2;    // the centre handle moves the object
constexpr int16_t kHandleResize = 4;  // the bottom-right handle resizes it

class Handlej : public VuCue {
 public:
  // Half size of every handle the framework makes: 11 x 11 pixels.
  static constexpr int16_t kHalfSize = 5;

  Handlej(Viewj* window, int16_t propertyCode, int16_t halfWidth = kHalfSize, int16_t halfHeight = kHalfSize)
      : VuCue(window), m_halfWidth(halfWidth), m_halfHeight(halfHeight), m_propertyCode(propertyCode) {}

  // A filled inverted square: centre +- half size.
  void Draw(DrawSurface* surface) override;
  // Inverts the square where it was drawn, even when the centre has been
  // placed elsewhere since.
  void Erase(DrawSurface* surface) override;

  const PointShrt& Get_Center() const { return m_center; }
  void Set_Center(int16_t x, int16_t y) {
    m_center.x = x;
    m_center.y = y;
  }
  int16_t Get_Half_Width() const { return m_halfWidth; }
  int16_t Get_Half_Height() const { return m_halfHeight; }
  int16_t Get_Property_Code() const { return m_propertyCode; }

  // centre +- half size, both edges included.
  void Get_Rect(RectLong& rect) const;
  bool Contains_Point(const PointShrt& point) const;
  // Erases the handle, moves its centre by (dx, dy) and draws it again.
  void Move(int16_t dx, int16_t dy, DrawSurface* surface);

 private:
  PointShrt m_center;
  RectLong m_drawnRect;  // where the handle was drawn, valid while shown
  int16_t m_halfWidth;
  int16_t m_halfHeight;
  int16_t m_propertyCode;
};

class HandleFrame : public VuCue {
 public:
  explicit HandleFrame(Viewj* window) : VuCue(window) {}

  // Draws every handle, then the frame rectangle (Get_Frame_Rect) as an
  // inverted outline.
  void Draw(DrawSurface* surface) override;
  // Draws the same shapes again: the handles as they are now and the
  // rectangle where it was drawn.
  void Erase(DrawSurface* surface) override;

  // The handles, owned, in frame order.
  ListMemry<Handlej>& Get_Handles() { return m_handles; }
  const ListMemry<Handlej>& Get_Handles() const { return m_handles; }

  // The rectangle the handles span: with minX, minY the smallest and maxX,
  // maxY the largest handle centre coordinates, (2 minX - maxX, 2 minY -
  // maxY) to (maxX, maxY).  With one handle at a rectangle's centre and one
  // at its bottom-right corner this is that rectangle.  False without handles.
  bool Get_Frame_Rect(RectLong& rect) const;
  // The first handle that contains the point; null when none does.
  Handlej* Find_Handle_at_Point(const PointShrt& point);
  // Erases the frame, moves every handle by (dx, dy) and draws the frame
  // again when it was shown.  This is how a drag follows the mouse.
  void Move_Frame(int16_t dx, int16_t dy, DrawSurface* surface);

 private:
  ListMemry<Handlej> m_handles;
  RectLong m_drawnRect;  // the rectangle drawn last, valid while shown
  bool m_rectDrawn = false;
};
