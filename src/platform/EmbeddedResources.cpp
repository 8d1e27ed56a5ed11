#include "platform/EmbeddedResources.h"

#include "brushes/BrushStrips.h"

// The program's bitmap resources are the brush strips (ids 329 to 336),
// 8-bit greys generated at build time.
bool EmbeddedResources::Find_Bitmap_Resource(int id, ResourceBitmap& out) const {
  const BrushStrip* strip = Find_Brush_Strip(id);
  if (!strip) return false;
  out.id = strip->resourceId;
  out.width = strip->width;
  out.height = strip->height;
  out.depth = 8;
  out.pixels = strip->pixels;
  out.stride = strip->width;
  return true;
}
