#pragma once
// Pane: a rectangle of a window with its own contents; the view of a whole
// list is a pane.  Its rectangle is the view's Graphic, in window pixels.
// A pane owns the frame artist that chooses its map and has a pane kind that
// tells the artist which map (16 until set).
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

class Pane : public ComponentView {
 public:
  static constexpr int32_t kInitialPaneKind = 16;

  Pane();
  ~Pane() override;

  FrameArtist* Get_FrameArtist() const override { return m_frameArtist.get(); }
  // Replaces the artist (the old one is destroyed).
  virtual void Set_FrameArtist(std::unique_ptr<FrameArtist> artist);
  int32_t Get_Pane_Kind() const { return m_paneKind; }
  void Set_Pane_Kind(int32_t kind) { m_paneKind = kind; }

 private:
  std::unique_ptr<FrameArtist> m_frameArtist;
  int32_t m_paneKind = kInitialPaneKind;
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

 private:
  void Tell_Artist();

  std::unique_ptr<OffMap> m_memoryMap;
  std::unique_ptr<OffMapDrawSurface> m_memorySurface;
};
