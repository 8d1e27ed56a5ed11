#include "brushes/BrushStrips.h"

const BrushStrip* Find_Brush_Strip(int32_t resourceId) {
  for (int32_t i = 0; i < kBrushStripCount; ++i)
    if (kBrushStrips[i].resourceId == resourceId) return &kBrushStrips[i];
  return nullptr;
}
