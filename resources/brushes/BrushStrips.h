#pragma once
// The brush strips compiled into the program.  Their pixels are generated
// at build time by quorlin_brushgen (BrushRecipes.h) into a C++ source that
// the resources library compiles, so the program needs no file at run time.

#include <cstdint>

struct BrushStrip {
  int32_t resourceId;
  int32_t width;
  int32_t height;
  const uint8_t* pixels;  // 8-bit greys, rows top to bottom, `width` bytes each
};

// Every strip, in the order of their line styles (generated).
extern const BrushStrip kBrushStrips[];
extern const int32_t kBrushStripCount;

// The strip of this resource id, or null when the program carries none.
const BrushStrip* Find_Brush_Strip(int32_t resourceId);
