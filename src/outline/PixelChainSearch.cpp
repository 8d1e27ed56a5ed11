#include "outline/PixelChainSearch.h"

#include <algorithm>
#include <memory>
#include <new>

#include "raster/BlobScan.h"
#include "raster/SeedFillPixels.h"

bool Find_PixelChains_MultiAlgo_wSeedFill(OffMap& map, int32_t minPixels, ListMemry<PixelChain>& chainList,
                                          int32_t& count, std::string& err) {
  err.clear();
  count = 0;
  chainList.Delete_All();
  std::unique_ptr<OffMap> totalMask, blobMask;
  if (!seedfill::New_Blob_Masks("OffMap::Find_PixelChains_MultiAlgo_wSeedFill", map.Get_Width(),
                                map.Get_Height(), totalMask, blobMask, err))
    return false;
  if (map.Get_Bits() == nullptr) return true;
  return seedfill::Scan_Flood_Blobs(
      map, true, *totalMask, *blobMask, err, [&](const RectShrt& box, int32_t pixels) {
        if (pixels <= minPixels) return true;
        PixelChain* chain = new (std::nothrow) PixelChain;
        if (!chain) {
          err = "OffMap::Find_PixelChains_MultiAlgo_wSeedFill  FAILED,  could not alloc PixelChain.";
          return false;
        }
        Collect_Black_Pixels(*blobMask, nullptr, &box, static_cast<int16_t>(count), *chain);
        RectLong bounds;
        bounds.left = box.left;
        bounds.top = box.top;
        bounds.right = box.right;
        bounds.bottom = box.bottom;
        chain->m_graphic.Set_Rect(bounds);
        chainList.Add_To_Tail(chain);
        ++count;
        return true;
      });
}

int32_t Collect_Black_Pixels(const OffMap& maskMap, OffMap* clearMap, const RectShrt* rect, int16_t chainId,
                             PixelChain& pixelList) {
  pixelList.Delete_All();
  int32_t left = 0, top = 0;
  int32_t right = seedfill::Fill_Width(maskMap) - 1;
  int32_t bottom = seedfill::Fill_Height(maskMap) - 1;
  if (rect) {
    left = std::max<int32_t>(left, rect->left);
    top = std::max<int32_t>(top, rect->top);
    right = std::min<int32_t>(right, rect->right);
    bottom = std::min<int32_t>(bottom, rect->bottom);
  }
  int32_t found = 0;
  if (!maskMap.Is_Not_In_Memory()) {
    for (int32_t y = top; y <= bottom; ++y) {
      for (int32_t x = left; x <= right; ++x) {
        if (!seedfill::Is_Taken(maskMap, x, y)) continue;
        pixelList.Add_To_Tail(new Pixel{static_cast<int16_t>(x), static_cast<int16_t>(y)});
        if (clearMap) clearMap->Set_Pixel(x, y, 0, 0, 0);
        ++found;
      }
    }
  }
  pixelList.m_creationID = chainId;
  return found;
}
