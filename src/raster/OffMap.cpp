#include "raster/OffMap.h"

#include <cstring>
#include <limits>
#include <new>

namespace {

inline uint8_t Clamp_Byte(int v) { return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

void Put_U32(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
  p[3] = static_cast<uint8_t>(v >> 24);
}

void Put_U16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

}  // namespace

int32_t OffMap::Row_Stride(int32_t width, int32_t depth) {
  int64_t data = 0;
  switch (depth) {
    case 24: data = 3 * static_cast<int64_t>(width); break;
    case 8: data = width; break;
    case 1: data = (static_cast<int64_t>(width) + 7) / 8; break;
    default: return 0;
  }
  const int64_t stride = (data + 3) / 4 * 4;
  return stride > std::numeric_limits<int32_t>::max() ? 0 : static_cast<int32_t>(stride);
}

int32_t OffMap::Header_Bytes(int32_t depth) {
  switch (depth) {
    case 24: return 40;
    case 8: return 40 + 256 * 4;
    case 1: return 40 + 2 * 4;
    default: return 0;
  }
}

OffMap::OffMap(int32_t width, int32_t height, int32_t depth)
    : m_width(width), m_height(height), m_depth(depth) {
  if (depth != 1 && depth != 8 && depth != 24) return;
  if (width < 0 || height < 0) return;
  m_bytesPerRow = Row_Stride(width, depth);
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

void OffMap::Write_Header_And_Colour_Table() {
  uint8_t* h = m_dib.get();
  std::memset(h, 0, 40);
  Put_U32(h + 0, 40);
  Put_U32(h + 4, static_cast<uint32_t>(m_width));
  Put_U32(h + 8, static_cast<uint32_t>(m_height));
  Put_U16(h + 12, 1);
  Put_U16(h + 14, static_cast<uint16_t>(m_depth));
  Put_U32(h + 32, m_depth == 8 ? 256 : (m_depth == 1 ? 2 : 0));
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
  if (other.m_allocBytes <= 0 || !other.m_dib) return;
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
  uint8_t* row = Row(y);
  switch (m_depth) {
    case 24: {
      uint8_t* p = row + 3 * static_cast<int64_t>(x);
      p[0] = Clamp_Byte(b);
      p[1] = Clamp_Byte(g);
      p[2] = Clamp_Byte(r);
      break;
    }
    case 8:
      row[x] = Clamp_Byte(r);
      break;
    case 1: {
      const uint8_t mask = static_cast<uint8_t>(0x80 >> (x & 7));
      if (r == 0 && g == 0 && b == 0)
        row[x >> 3] &= static_cast<uint8_t>(~mask);
      else
        row[x >> 3] |= mask;
      break;
    }
    default:
      break;
  }
}

void OffMap::Get_Pixel(int32_t x, int32_t y, int16_t& r, int16_t& g, int16_t& b) const {
  const bool inside = m_bits && x >= 0 && y >= 0 && x < m_width && y < m_height;
  switch (m_depth) {
    case 24:
      if (!inside) {
        r = g = b = 255;
      } else {
        const uint8_t* p = Row(y) + 3 * static_cast<int64_t>(x);
        b = p[0];
        g = p[1];
        r = p[2];
      }
      break;
    case 8:
      r = g = b = inside ? Row(y)[x] : 0;
      break;
    case 1:
      r = g = b = (inside && (Row(y)[x >> 3] & (0x80 >> (x & 7)))) ? 255 : 0;
      break;
    default:
      break;
  }
}

void OffMap::Fill(int16_t value) {
  if (!m_bits) return;
  uint8_t byte = 0;
  switch (m_depth) {
    case 8: byte = static_cast<uint8_t>(value); break;
    case 1: byte = value != 0 ? 0xFF : 0x00; break;
    case 24: byte = value == 255 ? 0xFF : 0x00; break;
    default: return;
  }
  std::memset(m_bits, byte, static_cast<size_t>(m_imageBytes));
}
