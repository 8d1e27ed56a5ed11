#pragma once
// What the exports read: the program's state after a separation (or after a
// region list was loaded).  Nothing here is changed by an export.

#include <string>

#include "framework/ListMemry.h"
#include "outline/PixelChain.h"

class Platform;
class RegionListSubject;
class RenderMan;

struct ExportSource {
  RegionListSubject& regions;
  // The outline map and how it is merged, the source map (the photo at the
  // working size) and the layered map.
  RenderMan& renderMan;
  // The pixel chains the outline was drawn from; null when the outline is a
  // picture (a loaded list keeps only the picture) or there is none.
  const ListMemry<PixelChain>* chains = nullptr;
  // The source photo's file; empty when there is none.
  std::string photoPath;
  Platform& platform;
  // The row of the render manager's brush table (Get_Bitmap_Utilities) the
  // chains were painted with; -1 when unknown.
  int16_t chainBrush = -1;
};
