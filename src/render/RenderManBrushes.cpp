// The pencil-brush table of the render manager: the eight line styles and
// the loading of their strips from the program's bitmap resources.

#include <algorithm>
#include <iterator>

#include "render/RenderMan.h"

namespace {

struct BrushRow {
  const char* name;
  int32_t resourceId;
  int16_t width;
  int16_t height;
};

// Note that the two heavier charcoal strips have their resource ids the
// other way round from their order.
constexpr BrushRow kBrushRows[] = {
    {"Pencil Lite", 329, 1352, 4},   {"Pencil Medium", 330, 1137, 5},   {"Pencil Heavy", 331, 1591, 7},
    {"Charcoal Lite", 332, 2086, 7}, {"Charcoal Medium", 334, 2608, 9}, {"Charcoal Heavy", 333, 3390, 12},
    {"Ink Fine", 335, 600, 4},       {"Ink Medium", 336, 977, 5},
};

// Whether the resource's description can be read as a bitmap at all.
bool Is_Readable(const ResourceBitmap& bitmap) {
  if (!bitmap.pixels || bitmap.width <= 0 || bitmap.height <= 0) return false;
  if (bitmap.depth != 8 && bitmap.depth != 24) return false;
  return static_cast<int64_t>(bitmap.stride) >= static_cast<int64_t>(bitmap.width) * (bitmap.depth / 8);
}

}  // namespace

bool RenderMan::Load_Pencil_Brushes(std::string& err) {
  err.clear();
  for (int16_t i = 0; i < static_cast<int16_t>(std::size(kBrushRows)); ++i) {
    ResourceBitmapUtility& row = m_bitmapUtilityArray[i];
    row.name = kBrushRows[i].name;
    row.resourceId = kBrushRows[i].resourceId;
    row.width = kBrushRows[i].width;
    row.height = kBrushRows[i].height;
    m_lastBitmapUtilitiyArrayIndex = i;
    if (!row.m_pencilMapFromResource && !Alloc_Load_ResourceBitmapUtility_for_PencilLine_Algo(i, *this, err))
      return false;
  }
  return true;
}

bool RenderMan::Alloc_Load_ResourceBitmapUtility_for_PencilLine_Algo(int32_t utilityIndex,
                                                                     RenderMan& renderMan, std::string& err) {
  err.clear();
  if (utilityIndex < 0 || utilityIndex >= kBitmapUtilityCount) {
    err =
        "RenderMan::Alloc_Load_ResourceBitmapUtility_for_PencilLine_Algo  FAILED, utilityIndex is out of "
        "bounds. ";
    return false;
  }
  ResourceBitmapUtility& row = renderMan.Get_Bitmap_Utilities()[utilityIndex];
  if (row.m_pencilMapFromResource) {
    err =
        "RenderMan::Alloc_Load_ResourceBitmapUtility_for_PencilLine_Algo  FAILED,  utility has already been "
        "allocated. ";
    return false;
  }

  ResourceBitmap bitmap;
  if (!renderMan.m_platform.Resources().Find_Bitmap_Resource(row.resourceId, bitmap) ||
      !Is_Readable(bitmap)) {
    err = "RenderMan::Alloc_ResourceBitmapUtility_for_Pencil_Line_Alg FAILED,   LoadBitmap.";
    return false;
  }

  std::unique_ptr<OffMap> map = Alloc_a_ResourceBitmapUtility_OffMap(err, row.width, row.height);
  if (!map) return false;
  const int32_t width = std::min<int32_t>(row.width, bitmap.width);
  const int32_t height = std::min<int32_t>(row.height, bitmap.height);
  const int32_t step = bitmap.depth / 8;
  const int32_t red = step - 1;  // colour pixels are stored blue, green, red
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* in = bitmap.pixels + static_cast<int64_t>(y) * bitmap.stride;
    uint8_t* out = map->Row(y);
    for (int32_t x = 0; x < width; ++x) out[x] = in[x * step + red];
  }
  row.bitmap = bitmap;
  row.m_pencilMapFromResource = std::move(map);
  return true;
}

std::unique_ptr<OffMap> RenderMan::Alloc_a_ResourceBitmapUtility_OffMap(std::string& err, int32_t width,
                                                                        int32_t height) {
  std::unique_ptr<OffMap> map;
  if (width > 0 && height > 0) map = OffMap::Make(width, height, 8);
  if (!map) {
    err =
        "RenderMan::Alloc_a_ResourceBitmapUtility_OffMap  failed,  could not create m_pencilMapFromResource.";
    return nullptr;
  }
  map->Fill(255);
  return map;
}
