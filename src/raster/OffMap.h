#pragma once
// OffMap: the program's one raster map.  Photos, pre-processed images,
// separations, region masks, outlines, textures, brushes and the layered
// result are all OffMaps of depth 1 (mask), 8 (tonal) or 24 (colour).
//
// The pixels live in one block laid out as a device-independent bitmap: a
// 40-byte information header, the colour table (256 greys for depth 8, two
// entries for depth 1), then the rows, bottom row first, each padded to a
// multiple of 4 bytes; 24-bit pixels are stored blue, green, red.  Callers
// address pixels with x from the left and y from the top.
//
// Reading outside a colour map gives white, outside a tonal or mask map
// black; the seed fills and filters rely on that asymmetry.

#include <cstdint>
#include <memory>
#include <string>

class OffMap {
 public:
  OffMap(int32_t width, int32_t height, int32_t depth);
  virtual ~OffMap();
  OffMap(const OffMap&) = delete;
  OffMap& operator=(const OffMap&) = delete;

  // Becomes a byte-for-byte copy of `other` (size and depth included).
  void Assign_Copy(const OffMap& other);

  // ---- fields ---------------------------------------------------------------
  int32_t Get_Width() const { return m_width; }
  int32_t Get_Height() const { return m_height; }
  int32_t Get_Depth() const { return m_depth; }
  int32_t Get_Bytes_Per_Row() const { return m_bytesPerRow; }
  int32_t Get_Image_Bytes() const { return m_imageBytes; }
  int32_t Get_Alloc_Bytes() const { return m_allocBytes; }
  uint8_t* Get_Bits() { return m_bits; }
  const uint8_t* Get_Bits() const { return m_bits; }
  // The information header followed by the colour table and the rows.
  uint8_t* Get_DIB() { return m_dib.get(); }
  const uint8_t* Get_DIB() const { return m_dib.get(); }
  bool Is_Not_In_Memory() const { return !m_dib; }
  // Hooks around long scans; nothing to do for maps held in memory.
  void Begin_Access() {}
  void End_Access() {}

  // Row y (0 = top) as stored; the caller keeps y inside the map.  For hot
  // loops that would otherwise call Get_Pixel per pixel.
  uint8_t* Row(int32_t y) { return m_bits + static_cast<int64_t>(m_height - 1 - y) * m_bytesPerRow; }
  const uint8_t* Row(int32_t y) const {
    return m_bits + static_cast<int64_t>(m_height - 1 - y) * m_bytesPerRow;
  }

  // Stride of a row of `width` pixels at `depth` bits, padded to 4 bytes.
  static int32_t Row_Stride(int32_t width, int32_t depth);

  // ---- pixel access -----------------------------------------------------------
  bool Is_Inside(int32_t x, int32_t y) const {
    return x >= 0 && y >= 0 && x < m_width && y < m_height;
  }
  // Stores the colour, each component clamped to 0..255.  Depth 8 keeps the
  // red component; depth 1 clears the bit only for (0, 0, 0).
  void Set_Pixel(int32_t x, int32_t y, int16_t r, int16_t g, int16_t b);
  // Reads the colour; outside the map a colour map reads white, a tonal or
  // mask map black.  A set mask bit reads 255.
  void Get_Pixel(int32_t x, int32_t y, int16_t& r, int16_t& g, int16_t& b) const;
  // Depth 8: every byte = value.  Depth 1: all bits on unless value is 0.
  // Depth 24: white when value is 255, black otherwise.
  void Fill(int16_t value);

  // ---- operations of the raster core ----------------------------------------
  // (the further operations of this class follow here)

 protected:
  // Seed-fill line-segment stack (8-byte entries), owned by the map.
  std::unique_ptr<uint64_t[]> m_seedStack;
  int32_t m_seedStackMaxDepth = 0;

  int32_t m_width = 0;
  int32_t m_height = 0;
  int32_t m_depth = 0;
  int32_t m_bytesPerRow = 0;
  int32_t m_imageBytes = 0;
  int32_t m_allocBytes = 0;
  std::unique_ptr<uint8_t[]> m_dib;
  uint8_t* m_bits = nullptr;

 private:
  static int32_t Header_Bytes(int32_t depth);
  void Write_Header_And_Colour_Table();
};
