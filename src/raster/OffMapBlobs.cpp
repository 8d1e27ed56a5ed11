// Operations built on the seed fills: exact-colour cut-outs, solid areas,
// hole plugging.

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "framework/ListMemry.h"
#include "raster/BlobScan.h"
#include "raster/OffMap.h"
#include "raster/SeedFillPixels.h"
#include "raster/SolidArea.h"

namespace {

// The composite fills work on a stack of this many entries.
constexpr int32_t kCompositeStackEntries = 20000;
// Hole plugging stops after painting more blobs than this.
constexpr int32_t kMaxPluggedBlobs = 30000;
constexpr int32_t kMaxSolidAreas = 500;

int32_t Box_Width(const RectShrt& box) {
  return box.right - box.left + 1;
}
int32_t Box_Height(const RectShrt& box) {
  return box.bottom - box.top + 1;
}

// A white map of the box's size and the source's depth receiving the source
// pixels that are black in the mask; null when it cannot be allocated.
std::unique_ptr<OffMap> Cut_Out_Box(const OffMap& source, const OffMap& mask, const RectShrt& box) {
  std::unique_ptr<OffMap> map = OffMap::Make(Box_Width(box), Box_Height(box), source.Get_Depth());
  if (!map) return nullptr;
  map->Fill(255);
  for (int32_t y = box.top; y <= box.bottom; ++y) {
    for (int32_t x = box.left; x <= box.right; ++x) {
      if (!seedfill::Is_Taken(mask, x, y)) continue;
      int16_t r = 0, g = 0, b = 0;
      source.Get_Pixel(x, y, r, g, b);
      map->Set_Pixel(x - box.left, y - box.top, r, g, b);
    }
  }
  return map;
}

// The solid area around (x, y) of `source`, filled into `fillMask` (white
// on entry).  `box` receives the pixels the fill took, so that the caller
// can whiten the mask again.
std::unique_ptr<SolidArea> Make_SolidArea(int32_t x, int32_t y, OffMap& source, OffMap& fillMask,
                                          OffMap* totalMask, int32_t minPixels, bool wantLight, RectShrt& box,
                                          MessageService& messages, std::string& err) {
  // No area may reach the top row: it becomes background.
  source.Fill_Row(0, wantLight ? 255 : 0);
  int32_t count = 0, maxStackHeight = 0;
  if (!source.SeedFill_Create_MaskMap_from_Blobs_of_Pixels_wSlow_Stack(x, y, false, 0, 0, 0, 250, wantLight,
                                                                       fillMask, totalMask, box, count,
                                                                       maxStackHeight, messages, err))
    return nullptr;
  if (count <= 0) return nullptr;
  // Dark areas must be large enough, holes small enough.
  if (wantLight ? count < minPixels : count > minPixels) return nullptr;
  if (Box_Width(box) < 2 || Box_Height(box) < 2) return nullptr;
  std::unique_ptr<OffMap> map = Cut_Out_Box(source, fillMask, box);
  if (!map) {
    err = "OffMap::SeedFill_Create_New_SolidArea  failed,  could not  alloc Offmap.";
    return nullptr;
  }
  PointLong origin;
  origin.x = box.left;
  origin.y = box.top;
  return std::make_unique<SolidArea>(std::move(map), origin);
}

}  // namespace

std::unique_ptr<OffMap> OffMap::SeedFill_24ColorMap_Create_from_Colored_Pixels(
    int32_t x, int32_t y, int16_t r, int16_t g, int16_t b, OffMap* totalMask, int32_t minPixels,
    int32_t minSide, RectShrt& rect, int32_t& count, std::string& err) {
  err.clear();
  rect = Make_RectShrt(-1, -1, -1, -1);
  count = 0;
  if (x < 0 || y < 0) {
    err =
        "OffMap::SeedFill_24ColorMap_Create_from_Colored_Pixels failed, x or y coord is off the "
        "bitmap.";
    return nullptr;
  }
  const std::unique_ptr<OffMap> mask = seedfill::New_White_Mask(m_width, m_height);
  if (!mask) {
    err =
        "OffMap::SeedFill_24ColorMap_Create_from_Colored_Pixels  failed,  could not alloc "
        "maskMap.";
    return nullptr;
  }
  if (!SeedFill_Colored_Area(x, y, r, g, b, *mask, totalMask, rect, count, err)) return nullptr;
  if (rect.left < 0 || count < minPixels || Box_Width(rect) < minSide || Box_Height(rect) < minSide)
    return nullptr;
  std::unique_ptr<OffMap> map = Cut_Out_Box(*this, *mask, rect);
  if (!map)
    err =
        "OffMap::SeedFill_24ColorMap_Create_from_Colored_Pixels  failed,  could not  alloc "
        "Offmap.";
  return map;
}

std::unique_ptr<SolidArea> OffMap::SeedFill_Create_New_SolidArea(int32_t x, int32_t y, OffMap& srcMap,
                                                                 OffMap* totalMask, int32_t minPixels,
                                                                 bool wantLight, MessageService& messages,
                                                                 std::string& err) {
  err.clear();
  if (x < 0 || y < 0) {
    err = "OffMap::SeedFill_Create_New_SolidArea  failed, x or y coord is off the bitmap.";
    return nullptr;
  }
  const std::unique_ptr<OffMap> mask = seedfill::New_White_Mask(srcMap.Get_Width(), srcMap.Get_Height());
  if (!mask) {
    err = "OffMap::SeedFill_Create_New_SolidArea  failed,  could not alloc maskMap.";
    return nullptr;
  }
  RectShrt box;
  return Make_SolidArea(x, y, srcMap, *mask, totalMask, minPixels, wantLight, box, messages, err);
}

bool OffMap::Generate_SolidAreas(OffMap& srcMap, ListMemry<SolidArea>& list, int32_t minPixels,
                                 bool wantLight, MessageService& messages, std::string& err) {
  err.clear();
  const std::unique_ptr<OffMap> totalMask = seedfill::New_White_Mask(srcMap.Get_Width(), srcMap.Get_Height());
  if (!totalMask) {
    err = "OffMap::Generate_SolidAreas  failed,  could not alloc totalMaskMap.";
    return false;
  }
  if (srcMap.Is_Not_In_Memory()) return true;
  // One fill mask serves every seed; only the box of the last fill is
  // whitened again.
  std::unique_ptr<OffMap> fillMask;
  RectShrt lastBox = Make_RectShrt(-1, -1, -1, -1);
  int32_t found = 0;
  const int32_t width = seedfill::Fill_Width(srcMap);
  const int32_t height = seedfill::Fill_Height(srcMap);
  for (int32_t y = 1; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      if (!seedfill::Is_New_Seed(srcMap, *totalMask, x, y, wantLight)) continue;
      if (!fillMask) {
        fillMask = seedfill::New_White_Mask(srcMap.Get_Width(), srcMap.Get_Height());
        if (!fillMask) {
          err = "OffMap::SeedFill_Create_New_SolidArea  failed,  could not alloc maskMap.";
          return false;
        }
      } else {
        seedfill::Clear_Box(*fillMask, lastBox);
      }
      std::unique_ptr<SolidArea> area = Make_SolidArea(x, y, srcMap, *fillMask, totalMask.get(), minPixels,
                                                       wantLight, lastBox, messages, err);
      if (!area) {
        if (!err.empty()) return false;
        continue;
      }
      list.Add_To_Tail(area.release());
      if (++found >= kMaxSolidAreas) return true;
    }
  }
  return true;
}

bool OffMap::Count_SolidAreas(int32_t minPixels, int32_t& count, int32_t level, MessageService& messages,
                              std::string& err) {
  err.clear();
  count = 0;
  if (level > 7) return true;
  // Generating the areas whitens the top row; a count leaves the map as it
  // found it.
  std::vector<uint8_t> topRow;
  if (m_bits && m_height > 0) topRow.assign(Row(0), Row(0) + m_bytesPerRow);
  ListMemry<SolidArea> areas;
  const bool ok = Generate_SolidAreas(*this, areas, minPixels, true, messages, err);
  if (!topRow.empty()) std::memcpy(Row(0), topRow.data(), topRow.size());
  count = areas.Get_Count();
  return ok;
}

bool OffMap::Hole_Plug_TwoTone(int32_t maxHolePixels, bool twoTone, std::string& err) {
  err.clear();
  std::unique_ptr<OffMap> totalMask, blobMask;
  if (!seedfill::New_Blob_Masks("OffMap::Hole_Plug_TwoTone", m_width, m_height, totalMask, blobMask, err))
    return false;
  std::unique_ptr<OffMap> srcMap = Make(m_width, m_height, m_depth);
  if (!srcMap || !srcMap->Copy_Bits(*this, err)) {
    err = "OffMap::Hole_Plug_TwoTone  failed,  could not alloc  SRCmap.";
    return false;
  }
  if (!Alloc_Stack_for_SeedFill(kCompositeStackEntries, err)) {
    err = "OffMap::Hole_Plug_TwoTone  FAILED,  could not alloc memory for SeedStack.";
    return false;
  }

  // Without two tones small dark blobs are wiped out; with them small light
  // holes are closed in the first dark colour of the picture.
  const bool wantLight = !twoTone;
  bool havePaint = !twoTone;
  int16_t paintR = 255, paintG = 255, paintB = 255;
  int32_t plugged = 0;
  RectShrt box = Make_RectShrt(-1, -1, -1, -1);
  const int32_t width = seedfill::Fill_Width(*this);
  const int32_t height = seedfill::Fill_Height(*this);
  for (int32_t y = 0; y < height && plugged <= kMaxPluggedBlobs; ++y) {
    for (int32_t x = 0; x < width && plugged <= kMaxPluggedBlobs; ++x) {
      if (!havePaint && seedfill::Is_Fillable(*srcMap, x, y, 250, true)) {
        srcMap->Get_Pixel(x, y, paintR, paintG, paintB);
        havePaint = true;
      }
      if (!seedfill::Is_New_Seed(*this, *totalMask, x, y, wantLight)) continue;
      seedfill::Clear_Box(*blobMask, box);
      int32_t count = 0, maxStackHeight = 0;
      if (!SeedFill_Create_MaskMap_from_Blobs_of_Pixels(x, y, false, 0, 0, 0, 250, *blobMask, totalMask.get(),
                                                        box, count, m_seedStack.get(), m_seedStackMaxDepth,
                                                        wantLight, maxStackHeight, err)) {
        Free_SeedFill_Stack();
        return false;
      }
      if (count > 0 && count < maxHolePixels && havePaint) {
        Paint_Masked_Pixels(*blobMask, totalMask.get(), &box, paintR, paintG, paintB);
        ++plugged;
      }
    }
  }
  Free_SeedFill_Stack();
  return true;
}

bool OffMap::Hole_Plug_MultiAlgo_SeedFill(int32_t maxHolePixels, bool wantLight, int16_t r, int16_t g,
                                          int16_t b, int32_t& count, std::string& err) {
  err.clear();
  count = 0;
  std::unique_ptr<OffMap> totalMask, blobMask;
  if (!seedfill::New_Blob_Masks("OffMap::Hole_Plug_MultiAlgo_SeedFill", m_width, m_height, totalMask,
                                blobMask, err))
    return false;
  if (!m_bits) return true;
  return seedfill::Scan_Flood_Blobs(*this, wantLight, *totalMask, *blobMask, err,
                                    [&](const RectShrt& box, int32_t pixels) {
                                      if (pixels > 0 && pixels < maxHolePixels) {
                                        Paint_Masked_Pixels(*blobMask, nullptr, &box, r, g, b);
                                        ++count;
                                      }
                                      return count <= kMaxPluggedBlobs;
                                    });
}
