#pragma once
// Pixel tests of the seed fills, read straight from the rows.  They give
// what Is_Pixel_Light and Is_Pixel_Red_Value give inside a map, without a
// call per pixel.  For the seed fills and the scans built on them
// (raster/BlobScan.h).

#include <cstdint>
#include <cstring>
#include <memory>

#include "framework/Rects.h"
#include "raster/OffMap.h"

namespace seedfill {

// Coordinates on the fill stacks and in the boxes are 16-bit.
constexpr int32_t kMaxSide = 32767;

inline int32_t Fill_Width(const OffMap& map) {
  return map.Get_Width() < kMaxSide ? map.Get_Width() : kMaxSide;
}
inline int32_t Fill_Height(const OffMap& map) {
  return map.Get_Height() < kMaxSide ? map.Get_Height() : kMaxSide;
}

// All three components at least `threshold`.  (x, y) must lie inside the
// map, which must hold pixels.
inline bool Is_Light_At(const OffMap& map, int32_t x, int32_t y, int16_t threshold) {
  const uint8_t* row = map.Row(y);
  switch (map.Get_Depth()) {
    case 24: {
      const uint8_t* p = row + 3 * static_cast<int64_t>(x);
      return p[0] >= threshold && p[1] >= threshold && p[2] >= threshold;
    }
    case 8:
      return row[x] >= threshold;
    case 1:
      return ((row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0) >= threshold;
    default:
      return false;
  }
}

// The fill test: a light pixel belongs to the area when light pixels are
// wanted, a pixel that is not light otherwise.
inline bool Is_Fillable(const OffMap& map, int32_t x, int32_t y, int16_t threshold, bool wantLight) {
  return Is_Light_At(map, x, y, threshold) != wantLight;
}

// Red component 0.  A pixel outside the mask can never be marked, so it
// counts as taken, as it reads for tonal and bit masks.
inline bool Is_Taken(const OffMap& mask, int32_t x, int32_t y) {
  if (!mask.Is_Inside(x, y) || mask.Is_Not_In_Memory()) return true;
  const uint8_t* row = mask.Row(y);
  switch (mask.Get_Depth()) {
    case 24:
      return row[3 * static_cast<int64_t>(x) + 2] == 0;
    case 8:
      return row[x] == 0;
    case 1:
      return (row[x >> 3] & (0x80 >> (x & 7))) == 0;
    default:
      return true;
  }
}

// Sets the pixel black, as Set_Pixel(x, y, 0, 0, 0) does.
inline void Mark_Taken(OffMap& mask, int32_t x, int32_t y) {
  if (!mask.Is_Inside(x, y) || mask.Is_Not_In_Memory()) return;
  uint8_t* row = mask.Row(y);
  switch (mask.Get_Depth()) {
    case 24:
      std::memset(row + 3 * static_cast<int64_t>(x), 0, 3);
      break;
    case 8:
      row[x] = 0;
      break;
    case 1:
      row[x >> 3] &= static_cast<uint8_t>(~(0x80 >> (x & 7)));
      break;
    default:
      break;
  }
}

// A white 8-bit mask of the given size; null when it cannot be allocated.
inline std::unique_ptr<OffMap> New_White_Mask(int32_t width, int32_t height) {
  std::unique_ptr<OffMap> mask = OffMap::Make(width, height, 8);
  if (!mask) return nullptr;
  mask->Fill(255);
  return mask;
}

// Whitens the box of a mask again (all -1: nothing to do), so that one mask
// can serve many fills without being cleared as a whole.
inline void Clear_Box(OffMap& mask, const RectShrt& box) {
  if (box.left < 0 || mask.Is_Not_In_Memory()) return;
  for (int32_t y = box.top; y <= box.bottom; ++y) {
    if (y < 0 || y >= mask.Get_Height()) continue;
    if (mask.Get_Depth() == 8) {
      const int32_t left = box.left;
      const int32_t right = box.right < mask.Get_Width() ? box.right : mask.Get_Width() - 1;
      if (right >= left) std::memset(mask.Row(y) + left, 255, static_cast<size_t>(right - left + 1));
    } else {
      for (int32_t x = box.left; x <= box.right; ++x) mask.Set_Pixel(x, y, 255, 255, 255);
    }
  }
}

// The inclusive box of the pixels taken so far.
struct FillBox {
  int32_t minX = 30000;
  int32_t minY = 30000;
  int32_t maxX = -1;
  int32_t maxY = -1;
  int32_t count = 0;

  void Add(int32_t x, int32_t y) {
    if (x < minX) minX = x;
    if (x > maxX) maxX = x;
    if (y < minY) minY = y;
    if (y > maxY) maxY = y;
    ++count;
  }
  // All -1 when nothing was taken.
  RectShrt Rect() const {
    if (count == 0) return Make_RectShrt(-1, -1, -1, -1);
    return Make_RectShrt(static_cast<int16_t>(minX), static_cast<int16_t>(minY), static_cast<int16_t>(maxX),
                         static_cast<int16_t>(maxY));
  }
};

}  // namespace seedfill
