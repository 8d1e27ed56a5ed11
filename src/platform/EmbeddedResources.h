#pragma once
// The bitmaps compiled into the program (generated at build time), served
// through the platform's resource interface.  Both front ends use this one.

#include "platform/PlatformServices.h"

class EmbeddedResources : public ResourceService {
 public:
  bool Find_Bitmap_Resource(int id, ResourceBitmap& out) const override;
};
