// Whole-map copies, resampled copies, new maps and depth conversions.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "raster/OffMap.h"

namespace {

// x * factor truncated to a pixel coordinate; a product that no coordinate
// can hold reads as outside the map.
int32_t Scaled_Coordinate(int32_t x, double factor) {
  const double v = std::trunc(x * factor);
  if (!(v >= -2147483648.0 && v <= 2147483647.0)) return -1;
  return static_cast<int32_t>(v);
}

// The coordinate one further on; a shrinking scale never yields a negative
// coordinate except the "outside" mark, which stays outside.
int32_t Next_Coordinate(int32_t v) {
  return (v < 0 || v == INT32_MAX) ? -1 : v + 1;
}

int32_t Stepped_Coordinate(int32_t x, int32_t step) {
  const int64_t v = static_cast<int64_t>(x) * step;
  if (v < INT32_MIN || v > INT32_MAX) return -1;
  return static_cast<int32_t>(v);
}

const char* const kTonalMapNotCreated =
    "OffMap::Alloc_A_8bit_TonalMap_from_24Bit_Greyscale_Bitmap  failed,  could not create "
    "destMap.";

// The new map of a depth conversion: `depth` bits, the size of `source`.
// A source not `sourceDepth` bits deep gives `wrongDepth`, a map that
// cannot be allocated `noMemory`, in err.
std::unique_ptr<OffMap> New_Conversion_Map(const OffMap& source, int32_t sourceDepth, const char* wrongDepth,
                                           int32_t depth, const char* noMemory, std::string& err) {
  if (source.Get_Depth() != sourceDepth) {
    err = wrongDepth;
    return nullptr;
  }
  std::unique_ptr<OffMap> dest = OffMap::Make(source.Get_Width(), source.Get_Height(), depth);
  if (!dest) err = noMemory;
  return dest;
}

// `store(row, x, r, g, b)` puts what it makes of source pixel (x, y) into
// row y of `dest` (a map the size of `source`).
template <class Store>
void Convert_Pixels(const OffMap& source, OffMap& dest, Store store) {
  for (int32_t y = 0; y < dest.Get_Height(); ++y) {
    uint8_t* row = dest.Row(y);
    for (int32_t x = 0; x < dest.Get_Width(); ++x) {
      int16_t r = 0, g = 0, b = 0;
      source.Get_Pixel(x, y, r, g, b);
      store(row, x, r, g, b);
    }
  }
}

// Copies the pixel bytes of one row of `width` pixels, leaving the padding
// (and the spare bits of a mask row's last byte) as they were.
void Copy_Row_Pixels(uint8_t* dst, const uint8_t* src, int32_t width, int32_t depth) {
  switch (depth) {
    case 24:
      std::memcpy(dst, src, 3 * static_cast<size_t>(width));
      break;
    case 8:
      std::memcpy(dst, src, static_cast<size_t>(width));
      break;
    case 1: {
      const int32_t whole = width / 8;
      std::memcpy(dst, src, static_cast<size_t>(whole));
      if (width % 8 != 0) {
        const uint8_t keep = static_cast<uint8_t>(0xFF >> (width % 8));
        dst[whole] = static_cast<uint8_t>((dst[whole] & keep) | (src[whole] & ~keep));
      }
      break;
    }
    default:
      break;
  }
}

}  // namespace

bool OffMap::Copy_Bits(const OffMap& source, std::string& err) {
  err.clear();
  if (Is_Not_In_Memory() || source.Is_Not_In_Memory()) {
    err = "OffMap::Copy_Bits() failed,  Bitmaps are NOT in MEMORY. ";
    return false;
  }
  if (m_width != source.m_width || m_height != source.m_height || m_depth != source.m_depth) {
    err = "OffMap::Copy_Bits() failed,  Bitmaps are NOT same SIZE. ";
    return false;
  }
  std::memcpy(m_bits, source.m_bits, static_cast<size_t>(m_imageBytes));
  return true;
}

bool OffMap::Copy_Pixels(const OffMap& source, std::string& err) {
  err.clear();
  if (m_width != source.m_width || m_height != source.m_height) {
    err = "OffMap::Copy_Pixels FAILED,  bitmaps are NOT the same size.";
    return false;
  }
  if (!m_bits) return true;  // every store would be ignored
  if (!source.m_bits) {
    // Every read lies outside the source.
    int16_t r = 0, g = 0, b = 0;
    source.Get_Pixel(-1, -1, r, g, b);
    for (int32_t y = 0; y < m_height; ++y)
      for (int32_t x = 0; x < m_width; ++x) Store_In_Row(Row(y), m_depth, x, r, g, b);
    return true;
  }
  for (int32_t y = 0; y < m_height; ++y) {
    const uint8_t* src = source.Row(y);
    uint8_t* dst = Row(y);
    if (m_depth == source.m_depth) {
      Copy_Row_Pixels(dst, src, m_width, m_depth);
      continue;
    }
    for (int32_t x = 0; x < m_width; ++x) {
      int16_t r = 0, g = 0, b = 0;
      Read_In_Row(src, source.m_depth, x, r, g, b);
      Store_In_Row(dst, m_depth, x, r, g, b);
    }
  }
  return true;
}

bool OffMap::Copy_xSegment(int32_t srcStartX, int32_t dstStartX, int32_t count, const OffMap& source,
                           std::string& err) {
  err.clear();
  if (Is_Not_In_Memory() || source.Is_Not_In_Memory()) {
    err = "OffMap::Copy_xSegment failed,  Bitmaps are NOT in MEMORY. ";
    return false;
  }
  if (m_height != source.m_height || m_depth != source.m_depth) {
    err = "OffMap::Copy_xSegment failed,  Bitmaps are NOT same SIZE. ";
    return false;
  }
  // Only the target columns inside this map are visited; source columns
  // beyond the source read its border colour.
  const int64_t first = std::max<int64_t>(0, -static_cast<int64_t>(dstStartX));
  const int64_t last = std::min<int64_t>(count, static_cast<int64_t>(m_width) - dstStartX);
  for (int64_t k = first; k < last; ++k) {
    const int64_t sx = static_cast<int64_t>(srcStartX) + k;
    const int64_t dx = static_cast<int64_t>(dstStartX) + k;
    int16_t r = 0, g = 0, b = 0;
    for (int32_t y = 0; y < m_height; ++y) {
      if (sx >= 0 && sx < source.m_width)
        Read_In_Row(source.Row(y), m_depth, static_cast<int32_t>(sx), r, g, b);
      else
        source.Get_Pixel(-1, y, r, g, b);
      Store_In_Row(Row(y), m_depth, static_cast<int32_t>(dx), r, g, b);
    }
  }
  return true;
}

bool OffMap::Mask_Bits(const OffMap& source, int16_t threshold, int16_t newValue, bool atOrAbove,
                       std::string& err) {
  err.clear();
  if (Is_Not_In_Memory() || source.Is_Not_In_Memory()) {
    err = "OffMap::Mask_Bits() failed,  Bitmaps are NOT in MEMORY. ";
    return false;
  }
  if (m_width != source.m_width || m_height != source.m_height || m_depth != source.m_depth) {
    err = "OffMap::Mask_Bits() failed,  Bitmaps are NOT same SIZE. ";
    return false;
  }
  if (m_depth != 8) {
    err = "OffMap::Mask_Bits() failed,  Bitmaps are NOT 8 deep. ";
    return false;
  }
  const uint8_t value = Clamp_Byte(newValue);
  const uint8_t* src = source.m_bits;
  for (int32_t i = 0; i < m_imageBytes; ++i) {
    const bool hit = atOrAbove ? src[i] >= threshold : src[i] <= threshold;
    if (hit) m_bits[i] = value;
  }
  return true;
}

bool OffMap::Merge_Bits(const OffMap& source, std::string& err) {
  err.clear();
  if (Is_Not_In_Memory() || source.Is_Not_In_Memory()) {
    err = "OffMap::Merge_Bits() failed,  Bitmaps are NOT in MEMORY. ";
    return false;
  }
  if (m_width != source.m_width || m_height != source.m_height || m_depth != source.m_depth) {
    err = "OffMap::Merge_Bits() failed,  Bitmaps are NOT same SIZE. ";
    return false;
  }
  const uint8_t* src = source.m_bits;
  for (int32_t i = 0; i < m_imageBytes; ++i) m_bits[i] = static_cast<uint8_t>(src[i] / 2 + m_bits[i] / 2);
  return true;
}

void OffMap::Copy_Subsampled(int32_t step, OffMap& target) const {
  if (!target.m_bits) return;
  if (step == 1 && m_bits && target.m_depth == m_depth && target.m_width <= m_width &&
      target.m_height <= m_height) {
    for (int32_t y = 0; y < target.m_height; ++y)
      Copy_Row_Pixels(target.Row(y), Row(y), target.m_width, m_depth);
    return;
  }
  for (int32_t y = 0; y < target.m_height; ++y) {
    const int32_t sy = Stepped_Coordinate(y, step);
    uint8_t* dst = target.Row(y);
    for (int32_t x = 0; x < target.m_width; ++x) {
      int16_t r = 0, g = 0, b = 0;
      Get_Pixel(Stepped_Coordinate(x, step), sy, r, g, b);
      Store_In_Row(dst, target.m_depth, x, r, g, b);
    }
  }
}

void OffMap::Copy_Subsampled_ColorModified(int32_t step, OffMap& target, int16_t dHue, int16_t dSat,
                                           int16_t dVal) const {
  if (dHue == 0 && dSat == 0 && dVal == 0) {
    Copy_Subsampled(step, target);
    return;
  }
  if (!target.m_bits) return;
  for (int32_t y = 0; y < target.m_height; ++y) {
    const int32_t sy = Stepped_Coordinate(y, step);
    uint8_t* dst = target.Row(y);
    for (int32_t x = 0; x < target.m_width; ++x) {
      int16_t r = 0, g = 0, b = 0;
      Get_Pixel_ColorModified(Stepped_Coordinate(x, step), sy, dHue, dSat, dVal, r, g, b);
      Store_In_Row(dst, target.m_depth, x, r, g, b);
    }
  }
}

void OffMap::Copy_Scaled_by_Factor(double factor, OffMap& target) const {
  if (!target.m_bits) return;
  const bool shrinking = factor > 1.0;
  for (int32_t y = 0; y < target.m_height; ++y) {
    const int32_t sy = Scaled_Coordinate(y, factor);
    uint8_t* dst = target.Row(y);
    for (int32_t x = 0; x < target.m_width; ++x) {
      const int32_t sx = Scaled_Coordinate(x, factor);
      int16_t r = 0, g = 0, b = 0;
      Get_Pixel(sx, sy, r, g, b);
      if (shrinking && r > 210) Get_Pixel(Next_Coordinate(sx), Next_Coordinate(sy), r, g, b);
      Store_In_Row(dst, target.m_depth, x, r, g, b);
    }
  }
}

std::unique_ptr<OffMap> OffMap::Make_ScaledDown_Copy(std::string& err) const {
  err.clear();
  if (m_allocBytes <= 0) {
    err = "OffMap::Make_ScaledDown_Copy  failed, source map has no bytes.";
    return nullptr;
  }
  std::unique_ptr<OffMap> nu = OffMap::Make(m_width, m_height, m_depth);
  if (!nu) {
    err = "OffMap::Make_ScaledDown_Copy  failed,  nuOffMap is NULL.";
    return nullptr;
  }
  Copy_Subsampled(1, *nu);
  return nu;
}

std::unique_ptr<OffMap> OffMap::Make_ScaledDown_ColorModified_Copy(int16_t dHue, int16_t dSat, int16_t dVal,
                                                                   std::string& err) const {
  err.clear();
  if (m_allocBytes <= 0) {
    err = "OffMap::Make_ScaledDown_ColorModified_Copy  failed, source map has no bytes.";
    return nullptr;
  }
  if (m_depth != 1 && m_depth != 8 && m_depth != 24) {
    err = "OffMap::Make_ScaledDown_ColorModified_Copy  failed,  m_depth has unknown value.";
    return nullptr;
  }
  std::unique_ptr<OffMap> nu =
      OffMap::Make(m_width == 0 ? 1 : m_width, m_height == 0 ? 1 : m_height, m_depth);
  if (!nu) {
    err = "OffMap::Make_ScaledDown_ColorModified_Copy  failed,  nuOffMap is NULL.";
    return nullptr;
  }
  Copy_Subsampled_ColorModified(1, *nu, dHue, dSat, dVal);
  return nu;
}

std::unique_ptr<OffMap> OffMap::Alloc_A_24bit_OffMap_from_1bit_MaskMap(std::string& err,
                                                                       const OffMap& maskMap, int16_t r,
                                                                       int16_t g, int16_t b) {
  err.clear();
  std::unique_ptr<OffMap> dest = New_Conversion_Map(
      maskMap, 1, "OffMap::Alloc_A_24bit_OffMap_from_1bit_MaskMap   failed,  maskMap is not 1 bits deep.", 24,
      "OffMap::Alloc_A_24bit_OffMap_from_1bit_MaskMap  failed,  could not create destMap.", err);
  if (!dest) return nullptr;
  dest->Fill(255);
  Convert_Pixels(maskMap, *dest, [&](uint8_t* row, int32_t x, int16_t mr, int16_t, int16_t) {
    if (mr != 255) Store_In_Row(row, 24, x, r, g, b);
  });
  return dest;
}

std::unique_ptr<OffMap> OffMap::Alloc_A_24bit_OffMap_from_8bit_TonalMap(const OffMap& map, std::string& err) {
  err.clear();
  std::unique_ptr<OffMap> dest = New_Conversion_Map(
      map, 8,
      "RegionExternal::Alloc_A_24bit_OffMap_from_8bit_TonalMap   failed,  maskMap is not 8 "
      "bits deep.",
      24,
      "RegionExternal::Alloc_A_24bit_OffMap_from_8bit_TonalMap  failed,  could not create "
      "destMap.",
      err);
  if (!dest) return nullptr;
  std::string ignored;
  dest->Copy_Pixels(map, ignored);
  return dest;
}

std::unique_ptr<OffMap> OffMap::Alloc_A_8bit_TonalMap_from_24Bit_Greyscale_Bitmap(std::string& err,
                                                                                  const OffMap& srcMap) {
  err.clear();
  std::unique_ptr<OffMap> dest =
      New_Conversion_Map(srcMap, 24,
                         "OffMap::Alloc_A_8bit_TonalMap_from_24Bit_Greyscale_Bitmap   failed,  srcMap is not "
                         "24 bits deep.",
                         8, kTonalMapNotCreated, err);
  if (!dest) return nullptr;
  Convert_Pixels(srcMap, *dest, [](uint8_t* row, int32_t x, int16_t r, int16_t g, int16_t b) {
    row[x] = (r == g && g == b) ? static_cast<uint8_t>(r) : 0;
  });
  return dest;
}

std::unique_ptr<OffMap> OffMap::Alloc_A_1bit_MaskMap_from_24Bit_ColorMap(std::string& err,
                                                                         const OffMap& srcMap) {
  err.clear();
  // The program has always reported a failed allocation with the tonal
  // map's text.
  std::unique_ptr<OffMap> dest =
      New_Conversion_Map(srcMap, 24,
                         "OffMap::Alloc_A_1bit_MaskMap_from_24Bit_ColorMap   failed,  srcMap is not 24 bits "
                         "deep.",
                         1, kTonalMapNotCreated, err);
  if (!dest) return nullptr;
  Convert_Pixels(srcMap, *dest, [](uint8_t* row, int32_t x, int16_t r, int16_t g, int16_t b) {
    const int16_t on = (r == 255 && g == 255 && b == 255) ? 255 : 0;
    Store_In_Row(row, 1, x, on, on, on);
  });
  return dest;
}

std::unique_ptr<OffMap> OffMap::Alloc_An_8bit_GreyScale_Copy(const OffMap& srcMap, std::string& err) {
  err.clear();
  std::unique_ptr<OffMap> dest = New_Conversion_Map(
      srcMap, 24, "OffMap::Alloc_An_8bit_GreyScale_Copy   failed,  srcMap is not 24 deep.", 8,
      "OffMap::Alloc_An_8bit_GreyScale_Copy  failed,  could not create sourceMapGreyTemp.", err);
  if (!dest) return nullptr;
  dest->Fill(255);
  // The HSV value: the largest component.
  Convert_Pixels(srcMap, *dest, [](uint8_t* row, int32_t x, int16_t r, int16_t g, int16_t b) {
    row[x] = static_cast<uint8_t>(std::max(r, std::max(g, b)));
  });
  return dest;
}
