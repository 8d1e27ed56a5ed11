#pragma once
// The blob scan of the seed fills: every area of fillable pixels of a map,
// one after the other, each read into a mask of its own.  Hole plugging and
// the pixel-chain search are built on it.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Rects.h"
#include "raster/OffMap.h"
#include "raster/SeedFillPixels.h"

namespace seedfill {

// A seed of the composite scans: a fillable pixel no earlier area has taken.
inline bool Is_New_Seed(const OffMap& map, const OffMap& totalMask, int32_t x, int32_t y, bool wantLight) {
  return !Is_Taken(totalMask, x, y) && Is_Fillable(map, x, y, 250, wantLight);
}

// The two masks of a blob scan: the total mask of every pixel taken so far
// and the mask of one blob, both white.  False with "<operation>  failed,
// could not alloc  totalMaskmap." or "...  MSKmap." in err.
inline bool New_Blob_Masks(const std::string& operation, int32_t width, int32_t height,
                           std::unique_ptr<OffMap>& totalMask, std::unique_ptr<OffMap>& blobMask,
                           std::string& err) {
  totalMask = New_White_Mask(width, height);
  if (!totalMask) {
    err = operation + "  failed,  could not alloc  totalMaskmap.";
    return false;
  }
  blobMask = New_White_Mask(width, height);
  if (!blobMask) {
    err = operation + "  failed,  could not alloc  MSKmap.";
    return false;
  }
  return true;
}

// The flood-read scan of the blobs of `map` on the wanted side: from the
// second row on, every new seed's blob is read into the cleared blob mask
// (and marked in the total mask) and handed to `visit(box, pixels)`, which
// answers whether the scan goes on.  False when a read fails, or when
// `visit` stops the scan with a text in err.
template <class Visit>
bool Scan_Flood_Blobs(OffMap& map, bool wantLight, OffMap& totalMask, OffMap& blobMask, std::string& err,
                      Visit visit) {
  RectShrt box = Make_RectShrt(-1, -1, -1, -1);
  const int32_t width = Fill_Width(map);
  const int32_t height = Fill_Height(map);
  for (int32_t y = 1; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      if (!Is_New_Seed(map, totalMask, x, y, wantLight)) continue;
      Clear_Box(blobMask, box);
      int32_t pixels = 0, maxStackHeight = 0;
      if (!map.Flood_Read(x, y, blobMask, &totalMask, wantLight, box, pixels, maxStackHeight, err))
        return false;
      if (!visit(static_cast<const RectShrt&>(box), pixels)) return err.empty();
    }
  }
  return true;
}

}  // namespace seedfill
