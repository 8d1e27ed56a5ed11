#pragma once
// OffmapPane: the memory pane of a map window.  At every frame it asks its
// frame artist for the map of its pane kind and copies it one to one into
// its memory bitmap (white where there is no map), then copies the bitmap
// to the window.  The artist reads its maps afresh each time, so a map
// replaced since the last frame shows at the next one.

#include "views/Pane.h"

class OffmapPane : public PaneMemory {
 public:
  OffmapPane();
  ~OffmapPane() override;

  // Without a frame artist shows
  // "OffmapPane::Render_Animation_Frame  failed,  frameArtist is NULL.".
  // Otherwise: the artist's target white, the artist's map of the pane kind
  // drawn with Render_Frame from (0, 0, artist width - 1, artist height - 1)
  // to (0, 0, pane width - 1, pane height - 1) when the artist gives one
  // without an error text, then the bitmap copied to `window` (when given).
  void Render_Animation_Frame(DrawSurface* window, MessageService& messages) override;
  // The pane is drawn at the window's next paint; nothing to prepare.
  void Update_Appearance(Pane* pane) override;
};
