#pragma once
// Pane: a rectangle of a window with its own contents; the view of a whole
// list is a pane.  Its rectangle is the view's Graphic, in window pixels.
// A pane owns the frame artist that chooses its map and has a pane kind that
// tells the artist which map (16 until set).
//
// Layout: a pane's rectangle follows the window's drawing area.  Each edge
// is either fixed (an edge of 0 or more, in window pixels) or computed
// (-1): from a fraction of the drawing area in 1/256 units, or, for the top
// and bottom, from an offset above the area's bottom.  The map panes give
// fixed edges, so they keep their size whatever the window's.
//
// Zoom and sub-pixels: a pane maps its subject's units to window pixels
// through a horizontal zoom and a sub-pixel count; the map panes show their
// maps one to one whatever these say, so only the counts derived from them
// are observable.
//
// PaneMemory: a pane that draws into an off-screen bitmap of its size (an
// OffMap drawn through an OffMapDrawSurface) and copies it to the window in
// one block.  The artist is told the bitmap as its drawing target whenever
// either of them changes.

#include <cstdint>
#include <memory>
#include <string>

#include "views/ComponentView.h"

class OffMap;
class OffMapDrawSurface;

// Where a pane's edges lie in its window (see Pane::Update_Size_to_Window).
struct PaneLayout {
  static constexpr int32_t kWhole = 256;  // a fraction of 256/256: the whole area

  int16_t leftEdge = -1;
  int16_t topEdge = -1;
  int16_t rightEdge = -1;
  int16_t bottomEdge = -1;
  int16_t bottomEdgeOffset = -1;
  int16_t rightEdgeOffset = -1;  // kept for the layouts that name it; no rule reads it
  int32_t leftFraction = 0;
  int32_t rightFraction = kWhole;
  int32_t topFraction = 0;
  int32_t bottomFraction = kWhole;
};

class Pane : public ComponentView {
 public:
  static constexpr int32_t kInitialPaneKind = 16;

  Pane();
  ~Pane() override;

  const PaneLayout& Get_Layout() const { return m_layout; }
  void Set_Layout(const PaneLayout& layout) { m_layout = layout; }
  // The rectangle for a drawing area of width x height window pixels:
  //   left   = the left edge, or width x left fraction / 256 when negative;
  //   right  = the right edge, or width x right fraction / 256 when negative;
  //   top    = the top edge, or, when negative, height - bottom-edge offset - 1
  //            when that offset is not negative, else height x top fraction / 256;
  //   bottom = the bottom edge, or, when negative, height - bottom-edge offset - 1
  //            when that offset is not negative, else height x bottom fraction / 256.
  // The pane's graphic becomes (left, top) with width right - left + 1 and
  // height bottom - top + 1.  A memory pane then remakes its bitmap when
  // the size changed; its failure is the result.
  virtual bool Update_Size_to_Window(int32_t width, int32_t height, std::string& err);

  int32_t Get_Horizontal_Zoom() const { return m_horzZoom; }
  int32_t Get_Vertical_Zoom_Mode() const { return m_vertZoomMode; }
  void Set_Zoom(int32_t horizontal, int32_t verticalMode) {
    m_horzZoom = horizontal;
    m_vertZoomMode = verticalMode;
  }
  int32_t Get_SubPixels() const { return m_subPixelCount; }
  void Set_SubPixels(int32_t count) { m_subPixelCount = count; }
  // The pane's width in sub-pixels: width x sub-pixels / zoom for a
  // positive zoom, -(zoom x sub-pixels x width) for a negative one.  -1 with
  // "PaneMemory::Get_SubPixel_Count() failed,  has zero horz zoom value."
  // for a zoom of 0.
  int32_t Get_SubPixel_Count(std::string& err) const;

  FrameArtist* Get_FrameArtist() const override { return m_frameArtist.get(); }
  // Replaces the artist (the old one is destroyed).
  virtual void Set_FrameArtist(std::unique_ptr<FrameArtist> artist);
  int32_t Get_Pane_Kind() const { return m_paneKind; }
  void Set_Pane_Kind(int32_t kind) { m_paneKind = kind; }

 private:
  std::unique_ptr<FrameArtist> m_frameArtist;
  int32_t m_paneKind = kInitialPaneKind;
  PaneLayout m_layout;
  int32_t m_horzZoom = 1;
  int32_t m_vertZoomMode = 1;
  int32_t m_subPixelCount = 1;
};

class PaneMemory : public Pane {
 public:
  PaneMemory();
  ~PaneMemory() override;

  void Set_FrameArtist(std::unique_ptr<FrameArtist> artist) override;
  // Keeps a bitmap of this size; otherwise replaces it by a new white
  // 24-bit one.  Fails with "PaneMemory::Make_Bitmap failed,  bad size."
  // for a width or height below 1 and "PaneMemory::Make_Bitmap failed,  could not allocate the bitmap."
  // when the memory is not there; the pane then has no bitmap.
  bool Make_Bitmap(int32_t width, int32_t height, std::string& err);
  void Delete_Bitmap();
  // The memory bitmap and its surface; null until made.
  DrawSurface* Get_Memory_Surface() const;
  const OffMap* Get_Memory_Map() const { return m_memoryMap.get(); }
  // Copies the bitmap unchanged to the pane's rectangle of the window.
  void Blit_To_Window(DrawSurface& window) const;
  // The rectangle as Pane's, then a bitmap of the new size when it changed.
  bool Update_Size_to_Window(int32_t width, int32_t height, std::string& err) override;

 private:
  void Tell_Artist();

  std::unique_ptr<OffMap> m_memoryMap;
  std::unique_ptr<OffMapDrawSurface> m_memorySurface;
};
