#pragma once
// PixelChain: one line of the outline, the pixels of one connected group of
// line pixels.  The seed fill delivers them in scan order; ordering them
// along the line, joining, rescaling and smoothing chains come on top.
//
// A chain owns its pixels.  m_creationID is the number the seed fill gave
// the group (0, 1, 2, ... in the order found); copies carry it, and it is how
// a drawn copy is matched with the detected chain it came from.

#include <cstdint>

#include "framework/Graphic.h"
#include "framework/ListMemry.h"
#include "outline/Pixel.h"

class PixelChain : public ListMemry<Pixel> {
 public:
  PixelChain() = default;
  // Copies of all pixels, in order, and of every field.
  PixelChain(const PixelChain& other);
  PixelChain& operator=(const PixelChain&) = delete;

  // Set once the pixels have been ordered along the line.
  bool m_sorted = false;
  int16_t m_creationID = -1;
  // A chain that is not visible is not painted.
  bool m_visible = true;
  // Source pixels one step between neighbouring stored pixels stands for.
  int16_t m_spacing = 1;
  // Random shift applied when the chain is painted.
  int16_t m_dx = 0;
  int16_t m_dy = 0;
  // The bounding rectangle the seed fill found.
  Graphic m_graphic;
};
