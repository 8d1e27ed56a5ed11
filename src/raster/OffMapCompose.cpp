// Map compositing: subtracting separations, regions and colours, painting
// and clearing through masks.

#include <algorithm>
#include <memory>
#include <vector>

#include "raster/Blends.h"
#include "raster/OffMap.h"

namespace {

bool Is_Pure_White(int16_t r, int16_t g, int16_t b) {
  return r == 255 && g == 255 && b == 255;
}

}  // namespace

bool OffMap::Subtract_Separation(const OffMap& separationMap, std::string& err) {
  err.clear();
  if (separationMap.m_width != m_width || separationMap.m_height != m_height ||
      separationMap.m_depth != m_depth) {
    err = "OffMap::Subtract_Separation  failed,  bitmaps are NOT the same size";
    return false;
  }
  if (!m_bits || !separationMap.m_bits) return true;
  for (int32_t y = 0; y < m_height; ++y) {
    const uint8_t* sepRow = separationMap.Row(y);
    uint8_t* row = Row(y);
    for (int32_t x = 0; x < m_width; ++x) {
      int16_t sr = 0, sg = 0, sb = 0;
      Read_In_Row(sepRow, m_depth, x, sr, sg, sb);
      if (Is_Pure_White(sr, sg, sb)) continue;
      int16_t r = 0, g = 0, b = 0;
      Read_In_Row(row, m_depth, x, r, g, b);
      Store_In_Row(row, m_depth, x, Subtract_Blend(r, sr), Subtract_Blend(g, sg), Subtract_Blend(b, sb));
    }
  }
  return true;
}

void OffMap::Subtract_Scaled_Map(const OffMap& sourceMap, const RectLong& sourceRect,
                                 const RectLong& targetRect, int16_t dHue, int16_t dSat, int16_t dVal) {
  const int64_t targetW = static_cast<int64_t>(targetRect.right) - targetRect.left + 1;
  const int64_t targetH = static_cast<int64_t>(targetRect.bottom) - targetRect.top + 1;
  const int64_t sourceW = static_cast<int64_t>(sourceRect.right) - sourceRect.left + 1;
  if (!m_bits || targetW <= 0 || targetH <= 0) return;
  const double ratio = static_cast<double>(sourceW) / static_cast<double>(targetW);
  // Only the offsets whose target pixel lies inside this map can change it.
  const int64_t firstX = std::max<int64_t>(0, -static_cast<int64_t>(targetRect.left));
  const int64_t endX = std::min<int64_t>(targetW, static_cast<int64_t>(m_width) - targetRect.left);
  const int64_t firstY = std::max<int64_t>(0, -static_cast<int64_t>(targetRect.top));
  const int64_t endY = std::min<int64_t>(targetH, static_cast<int64_t>(m_height) - targetRect.top);
  if (firstX >= endX) return;
  // The source column of every target offset, worked out once for all rows.
  std::vector<int32_t> sourceX(static_cast<size_t>(endX - firstX));
  for (int64_t x = firstX; x < endX; ++x)
    sourceX[static_cast<size_t>(x - firstX)] = static_cast<int32_t>(ratio * static_cast<double>(x));
  // Unshifted colour pixels are read straight from the source row; outside
  // the source they read white and take nothing out.
  const bool direct = sourceMap.m_bits && sourceMap.m_depth == 24 && dHue == 0 && dSat == 0 && dVal == 0;
  for (int64_t y = firstY; y < endY; ++y) {
    const auto sy = static_cast<int32_t>(ratio * static_cast<double>(y));
    if (direct && (sy < 0 || sy >= sourceMap.m_height)) continue;
    const uint8_t* sourceRow = direct ? sourceMap.Row(sy) : nullptr;
    uint8_t* row = Row(static_cast<int32_t>(targetRect.top + y));
    for (int64_t x = firstX; x < endX; ++x) {
      const int32_t sx = sourceX[static_cast<size_t>(x - firstX)];
      int16_t sr = 0, sg = 0, sb = 0;
      if (!direct)
        sourceMap.Get_Pixel_ColorModified(sx, sy, dHue, dSat, dVal, sr, sg, sb);
      else if (sx < 0 || sx >= sourceMap.m_width)
        continue;
      else
        Read_In_Row(sourceRow, 24, sx, sr, sg, sb);
      if (Is_Pure_White(sr, sg, sb)) continue;
      const auto tx = static_cast<int32_t>(targetRect.left + x);
      int16_t r = 0, g = 0, b = 0;
      Read_In_Row(row, m_depth, tx, r, g, b);
      Store_In_Row(row, m_depth, tx, Subtract_Blend(r, sr), Subtract_Blend(g, sg), Subtract_Blend(b, sb));
    }
  }
}

bool OffMap::Subtract_Color(int16_t r, int16_t g, int16_t b, std::string& err) {
  err.clear();
  if (!m_bits) return true;
  for (int32_t y = 0; y < m_height; ++y) {
    uint8_t* row = Row(y);
    for (int32_t x = 0; x < m_width; ++x) {
      int16_t pr = 0, pg = 0, pb = 0;
      Read_In_Row(row, m_depth, x, pr, pg, pb);
      if (Is_Pure_White(pr, pg, pb) || !Is_Lighter_Than(r, g, b, pr, pg, pb)) continue;
      Store_In_Row(row, m_depth, x, Subtract_Blend(pr, r), Subtract_Blend(pg, g), Subtract_Blend(pb, b));
    }
  }
  return true;
}

int32_t OffMap::Paint_Masked_Pixels(const OffMap& maskMap, OffMap* markMap, const RectShrt* rect, int16_t r,
                                    int16_t g, int16_t b) {
  if (!m_bits || !maskMap.m_bits) return 0;
  // Pixels outside the mask have no mask value and pixels outside this map
  // cannot be painted: the rectangle is cut to both.
  int32_t left = 0, top = 0;
  int32_t right = std::min(maskMap.m_width, m_width) - 1;
  int32_t bottom = std::min(maskMap.m_height, m_height) - 1;
  if (rect) {
    left = std::max<int32_t>(left, rect->left);
    top = std::max<int32_t>(top, rect->top);
    right = std::min<int32_t>(right, rect->right);
    bottom = std::min<int32_t>(bottom, rect->bottom);
  }
  int32_t painted = 0;
  for (int32_t y = top; y <= bottom; ++y) {
    const uint8_t* maskRow = maskMap.Row(y);
    uint8_t* row = Row(y);
    for (int32_t x = left; x <= right; ++x) {
      int16_t mr = 0, mg = 0, mb = 0;
      Read_In_Row(maskRow, maskMap.m_depth, x, mr, mg, mb);
      if (mr != 0) continue;
      Store_In_Row(row, m_depth, x, r, g, b);
      if (markMap) markMap->Set_Pixel(x, y, 0, 0, 0);
      ++painted;
    }
  }
  return painted;
}

bool OffMap::ZeroOut_Masked_Pixels(const OffMap& maskMap, int16_t r, int16_t g, int16_t b, std::string& err) {
  err.clear();
  if (maskMap.m_width != m_width || maskMap.m_height != m_height) {
    err = "OffMap::ZeroOut_Masked_Pixels  FAILED,  bitmaps are NOT the same size.";
    return false;
  }
  if (!m_bits || !maskMap.m_bits) return true;
  for (int32_t y = 0; y < m_height; ++y) {
    const uint8_t* maskRow = maskMap.Row(y);
    uint8_t* row = Row(y);
    for (int32_t x = 0; x < m_width; ++x) {
      int16_t mr = 0, mg = 0, mb = 0;
      Read_In_Row(maskRow, maskMap.m_depth, x, mr, mg, mb);
      if (mr != 0) Store_In_Row(row, m_depth, x, r, g, b);
    }
  }
  return true;
}
