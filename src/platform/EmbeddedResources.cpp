#include "platform/EmbeddedResources.h"

// No bitmap is compiled in yet; the brush strips arrive with the outline work.
bool EmbeddedResources::Find_Bitmap_Resource(int /*id*/, ResourceBitmap& /*out*/) const {
  return false;
}
