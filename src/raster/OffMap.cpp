#include "raster/OffMap.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "platform/ByteOrder.h"
#include "platform/PlatformServices.h"

int32_t OffMap::Row_Stride(int32_t width, int32_t depth) {
  int64_t data = 0;
  switch (depth) {
    case 24:
      data = 3 * static_cast<int64_t>(width);
      break;
    case 8:
      data = width;
      break;
    case 1:
      data = (static_cast<int64_t>(width) + 7) / 8;
      break;
    default:
      return 0;
  }
  const int64_t stride = (data + 3) / 4 * 4;
  return stride > std::numeric_limits<int32_t>::max() ? 0 : static_cast<int32_t>(stride);
}

int32_t OffMap::Header_Bytes(int32_t depth) {
  switch (depth) {
    case 24:
      return 40;
    case 8:
      return 40 + 256 * 4;
    case 1:
      return 40 + 2 * 4;
    default:
      return 0;
  }
}

OffMap::OffMap(int32_t width, int32_t height, int32_t depth)
    : m_width(width), m_height(height), m_depth(depth) {
  if (depth != 1 && depth != 8 && depth != 24) return;
  if (width < 0 || height < 0) return;
  m_bytesPerRow = Row_Stride(width, depth);
  // A row too long for a 32-bit stride: the map is never allocated.
  if (m_bytesPerRow == 0 && width > 0) return;
  const int64_t image = static_cast<int64_t>(m_bytesPerRow) * height;
  const int64_t alloc = image + Header_Bytes(depth);
  // Sizes are 32-bit in the map's header and in files; a map that cannot be
  // described there is never allocated.
  if (alloc > std::numeric_limits<int32_t>::max()) {
    m_bytesPerRow = 0;
    return;
  }
  m_imageBytes = static_cast<int32_t>(image);
  m_allocBytes = static_cast<int32_t>(alloc);
  m_dib.reset(new (std::nothrow) uint8_t[static_cast<size_t>(m_allocBytes)]);
  if (!m_dib) return;
  m_bits = m_dib.get() + Header_Bytes(depth);
  Write_Header_And_Colour_Table();
  std::memset(m_bits, 0, static_cast<size_t>(m_imageBytes));
}

OffMap::~OffMap() = default;

std::unique_ptr<OffMap> OffMap::Make(int32_t width, int32_t height, int32_t depth) {
  if (width < 0 || height < 0 || static_cast<int64_t>(width) * height > kMaxPixels) return nullptr;
  std::unique_ptr<OffMap> map(new (std::nothrow) OffMap(width, height, depth));
  if (map == nullptr || map->Is_Not_In_Memory()) return nullptr;
  return map;
}

void OffMap::Write_Header_And_Colour_Table() {
  uint8_t* h = m_dib.get();
  std::memset(h, 0, 40);
  Put_LE32(h + 0, 40);
  Put_LE32(h + 4, static_cast<uint32_t>(m_width));
  Put_LE32(h + 8, static_cast<uint32_t>(m_height));
  Put_LE16(h + 12, 1);
  Put_LE16(h + 14, static_cast<uint16_t>(m_depth));
  Put_LE32(h + 32, m_depth == 8 ? 256 : (m_depth == 1 ? 2 : 0));
  uint8_t* table = h + 40;
  if (m_depth == 8) {
    for (int i = 0; i < 256; ++i) {
      table[4 * i + 0] = table[4 * i + 1] = table[4 * i + 2] = static_cast<uint8_t>(i);
      table[4 * i + 3] = 0;
    }
  } else if (m_depth == 1) {
    // Entry 1 is (1, 1, 1), not white: mask maps are only ever read through
    // the pixel operations.
    const uint8_t entries[8] = {0, 0, 0, 0, 1, 1, 1, 0};
    std::memcpy(table, entries, sizeof entries);
  }
}

void OffMap::Assign_Copy(const OffMap& other) {
  if (other.m_allocBytes <= 0 || !other.m_dib || &other == this) return;
  // A block of the same size is overwritten in place rather than replaced.
  if (!m_dib || m_allocBytes != other.m_allocBytes)
    m_dib.reset(new (std::nothrow) uint8_t[static_cast<size_t>(other.m_allocBytes)]);
  m_width = other.m_width;
  m_height = other.m_height;
  m_depth = other.m_depth;
  m_bytesPerRow = other.m_bytesPerRow;
  m_imageBytes = other.m_imageBytes;
  if (!m_dib) {
    m_allocBytes = 0;
    m_bits = nullptr;
    return;
  }
  m_allocBytes = other.m_allocBytes;
  std::memcpy(m_dib.get(), other.m_dib.get(), static_cast<size_t>(m_allocBytes));
  m_bits = m_dib.get() + Header_Bytes(m_depth);
}

void OffMap::Set_Pixel(int32_t x, int32_t y, int16_t r, int16_t g, int16_t b) {
  if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height) return;
  Store_In_Row(Row(y), m_depth, x, r, g, b);
}

void OffMap::Get_Pixel(int32_t x, int32_t y, int16_t& r, int16_t& g, int16_t& b) const {
  if (m_bits && x >= 0 && y >= 0 && x < m_width && y < m_height) {
    Read_In_Row(Row(y), m_depth, x, r, g, b);
    return;
  }
  // Outside: white around a colour map, black around a tonal or mask map.
  if (m_depth == 24)
    r = g = b = 255;
  else if (m_depth == 8 || m_depth == 1)
    r = g = b = 0;
}

void OffMap::Fill(int16_t value) {
  if (!m_bits) return;
  uint8_t byte = 0;
  switch (m_depth) {
    case 8:
      byte = static_cast<uint8_t>(value);
      break;
    case 1:
      byte = value != 0 ? 0xFF : 0x00;
      break;
    case 24:
      byte = value == 255 ? 0xFF : 0x00;
      break;
    default:
      return;
  }
  std::memset(m_bits, byte, static_cast<size_t>(m_imageBytes));
}

bool OffMap::Is_Pixel_Light(int32_t x, int32_t y, int16_t threshold, bool wantLight) const {
  int16_t r = 0, g = 0, b = 0;
  Get_Pixel(x, y, r, g, b);
  const bool light = r >= threshold && g >= threshold && b >= threshold;
  return light == wantLight;
}

bool OffMap::Is_Pixel_Color(int32_t x, int32_t y, int16_t r, int16_t g, int16_t b) const {
  int16_t pr = 0, pg = 0, pb = 0;
  Get_Pixel(x, y, pr, pg, pb);
  return pr == r && pg == g && pb == b;
}

bool OffMap::Is_Pixel_Red_Value(int32_t x, int32_t y, int16_t value) const {
  int16_t r = 0, g = 0, b = 0;
  Get_Pixel(x, y, r, g, b);
  return r == value;
}

void OffMap::Get_Pixel_Filtered(int32_t x, int32_t y, int16_t mode, int16_t count, int16_t& r, int16_t& g,
                                int16_t& b) const {
  Get_Pixel(x, y, r, g, b);
  if (mode != kFilterMean && mode != kFilterMedian && mode != kFilterMax && mode != kFilterMin) return;
  // The pixel itself, then the neighbours +1, -1, +2, -2, ... +16, -16.
  constexpr int kMaxSamples = 33;
  int16_t reds[kMaxSamples];
  int n = 0;
  reds[n++] = r;
  for (int k = 1; n < count && n < kMaxSamples; ++k) {
    int16_t nr = 0, ng = 0, nb = 0;
    Get_Pixel(x + k, y, nr, ng, nb);
    reds[n++] = nr;
    if (n >= count) break;
    Get_Pixel(x - k, y, nr, ng, nb);
    reds[n++] = nr;
  }
  int result = reds[0];
  switch (mode) {
    case kFilterMean: {
      int sum = 0;
      for (int i = 0; i < n; ++i) sum += reds[i];
      result = sum / n;
      break;
    }
    case kFilterMedian:
      std::sort(reds, reds + n);
      result = reds[n / 2];
      break;
    case kFilterMax:
      for (int i = 0; i < n; ++i) result = std::max<int>(result, reds[i]);
      break;
    case kFilterMin:
      for (int i = 0; i < n; ++i) result = std::min<int>(result, reds[i]);
      break;
    default:
      break;
  }
  r = g = b = static_cast<int16_t>(result);
}

void OffMap::Fill_Row(int32_t y, int16_t v) {
  if (!m_bits || y < 0 || y >= m_height) return;
  uint8_t* row = Row(y);
  for (int32_t x = 0; x < m_width; ++x) Store_In_Row(row, m_depth, x, v, v, v);
}

void OffMap::Fill_Column(int32_t x, int16_t v) {
  if (!m_bits || x < 0 || x >= m_width) return;
  for (int32_t y = 0; y < m_height; ++y) Store_In_Row(Row(y), m_depth, x, v, v, v);
}

int16_t OffMap::Copy_Row(int32_t fromY, int32_t toY) {
  if (!m_bits || fromY == toY || fromY < 0 || toY < 0 || fromY >= m_height || toY >= m_height) return -1;
  const uint8_t* from = Row(fromY);
  uint8_t* to = Row(toY);
  int16_t maxRed = 0;
  for (int32_t x = 0; x < m_width; ++x) {
    int16_t r = 0, g = 0, b = 0;
    Read_In_Row(from, m_depth, x, r, g, b);
    Store_In_Row(to, m_depth, x, r, g, b);
    maxRed = std::max(maxRed, r);
  }
  return maxRed;
}

int16_t OffMap::Copy_Column(int32_t fromX, int32_t toX) {
  if (!m_bits || fromX == toX || fromX < 0 || toX < 0 || fromX >= m_width || toX >= m_width) return -1;
  int16_t maxRed = 0;
  for (int32_t y = 0; y < m_height; ++y) {
    uint8_t* row = Row(y);
    int16_t r = 0, g = 0, b = 0;
    Read_In_Row(row, m_depth, fromX, r, g, b);
    Store_In_Row(row, m_depth, toX, r, g, b);
    maxRed = std::max(maxRed, r);
  }
  return maxRed;
}

// Towards 0 the copies run from the near side, away from 0 from the far
// side, so no column (row) is overwritten before it has been read.
bool OffMap::Scroll_Horizontally(bool towardsZero, int32_t pixels, MessageService& messages) {
  if (pixels <= 0) {
    messages.Message_Box("OffMap::Scroll_Horizontally FAILED,  pixelsToScroll is too small.");
    return false;
  }
  if (towardsZero) {
    for (int64_t x = pixels; x < m_width; ++x)
      Copy_Column(static_cast<int32_t>(x), static_cast<int32_t>(x - pixels));
  } else {
    for (int64_t x = static_cast<int64_t>(m_width) - 1 - pixels; x >= 0; --x)
      Copy_Column(static_cast<int32_t>(x), static_cast<int32_t>(x + pixels));
  }
  return true;
}

bool OffMap::Scroll_Vertically(bool towardsZero, int32_t pixels, MessageService& messages) {
  if (pixels <= 0) {
    messages.Message_Box("OffMap::Scroll_Vertically FAILED,  pixelsToScroll is too small.");
    return false;
  }
  if (towardsZero) {
    for (int64_t y = pixels; y < m_height; ++y)
      Copy_Row(static_cast<int32_t>(y), static_cast<int32_t>(y - pixels));
  } else {
    for (int64_t y = static_cast<int64_t>(m_height) - 1 - pixels; y >= 0; --y)
      Copy_Row(static_cast<int32_t>(y), static_cast<int32_t>(y + pixels));
  }
  return true;
}

void OffMap::Draw_Test_Pattern() {
  Fill(0);
  Fill_Row(1, 255);
}
