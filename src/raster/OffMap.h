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

#include "framework/Rects.h"

class MessageService;

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

  // True when the pixel is light (r, g and b all >= threshold) and
  // `wantLight` is set, or when it is not light and `wantLight` is clear.
  // Threshold 250 means "white".
  bool Is_Pixel_Light(int32_t x, int32_t y, int16_t threshold, bool wantLight) const;
  bool Is_Pixel_Color(int32_t x, int32_t y, int16_t r, int16_t g, int16_t b) const;
  // Red component equals `value` (value 0 on a mask map: the pixel is off).
  bool Is_Pixel_Red_Value(int32_t x, int32_t y, int16_t value) const;

  // Combines the red components of the pixel and up to count - 1 neighbours
  // on its row, taken at +1, -1, +2, -2, ... +16, -16, and returns the result
  // in all three outputs.  Modes: 0 plain read, 1 mean, 2 median, 3 maximum,
  // 10 minimum; any other mode is a plain read.
  enum FilterMode : int16_t {
    kFilterPlain = 0,
    kFilterMean = 1,
    kFilterMedian = 2,
    kFilterMax = 3,
    kFilterMin = 10
  };
  void Get_Pixel_Filtered(int32_t x, int32_t y, int16_t mode, int16_t count, int16_t& r,
                          int16_t& g, int16_t& b) const;

  // ---- colour-modified reads ----------------------------------------------------
  // The pixel shifted in HSV by the offsets (hue wraps, saturation and value
  // are clamped to 0..255).  All offsets 0 returns the pixel as stored; white
  // stays white; a grey pixel stays grey at its new value.
  void Get_Pixel_ColorModified(int32_t x, int32_t y, int16_t dHue, int16_t dSat, int16_t dVal,
                               int16_t& r, int16_t& g, int16_t& b) const;
  // The same in YIQ: the offsets are added to Y, I and Q.
  void Get_Pixel_YIQ_Modified(int32_t x, int32_t y, int16_t dY, int16_t dI, int16_t dQ,
                              int16_t& r, int16_t& g, int16_t& b) const;
  // The HSV shift followed by the YIQ shift of the result (all offsets 0:
  // unchanged; white stays white).
  void Get_Pixel_HSV_YIQ_Modified(int32_t x, int32_t y, int16_t dHue, int16_t dSat,
                                  int16_t dVal, int16_t dY, int16_t dI, int16_t dQ, int16_t& r,
                                  int16_t& g, int16_t& b) const;
  // Bilinear interpolation of the four pixels around (x, y), read with
  // Get_Pixel.  With `grey` the luminance 0.299 r + 0.587 g + 0.114 b is
  // interpolated and returned in all three outputs.
  void Get_Pixel_Bilinear(double x, double y, int16_t& r, int16_t& g, int16_t& b,
                          bool grey) const;

  // ---- rows and columns ---------------------------------------------------------
  // Whole row / column to grey v; ignored when out of range.
  void Fill_Row(int32_t y, int16_t v);
  void Fill_Column(int32_t x, int16_t v);
  // Copies one row / column onto another and returns the largest red value
  // copied; -1 (nothing copied) when the two are equal or out of range.
  int16_t Copy_Row(int32_t fromY, int32_t toY);
  int16_t Copy_Column(int32_t fromX, int32_t toX);
  // Shifts the picture by `pixels` columns (rows) towards column (row) 0 when
  // `towardsZero` is set, otherwise away from it.  Vacated columns (rows)
  // keep their old content.  pixels <= 0 shows a message and does nothing
  // (returns false).
  bool Scroll_Horizontally(bool towardsZero, int32_t pixels, MessageService& messages);
  bool Scroll_Vertically(bool towardsZero, int32_t pixels, MessageService& messages);

  // ---- whole-map copies -----------------------------------------------------------
  // Byte copy of the pixel rows; both maps in memory, same size and depth.
  bool Copy_Bits(const OffMap& source, std::string& err);
  // Pixel-by-pixel copy of a map of the same width and height and any depth
  // (converts between depths the way Set_Pixel stores).
  bool Copy_Pixels(const OffMap& source, std::string& err);
  // Columns srcStartX .. srcStartX + count - 1 of every source row to the
  // columns from dstStartX; both in memory, same height and depth.
  bool Copy_xSegment(int32_t srcStartX, int32_t dstStartX, int32_t count, const OffMap& source,
                     std::string& err);
  // 8-bit maps of one size: every byte of this map whose source byte is
  // <= threshold (or >= threshold with `atOrAbove`) becomes newValue.
  bool Mask_Bits(const OffMap& source, int16_t threshold, int16_t newValue, bool atOrAbove,
                 std::string& err);
  // Every byte becomes source / 2 + own / 2.
  bool Merge_Bits(const OffMap& source, std::string& err);

  // ---- resampled copies into an existing target (its size decides) --------
  // Target (x, y) = own (x * step, y * step).
  void Copy_Subsampled(int32_t step, OffMap& target) const;
  void Copy_Subsampled_ColorModified(int32_t step, OffMap& target, int16_t dHue, int16_t dSat,
                                     int16_t dVal) const;
  // Target (x, y) = own (trunc(x * factor), trunc(y * factor)).  When
  // shrinking (factor > 1) a sampled pixel with red above 210 is replaced by
  // its diagonal neighbour below right, so thin dark lines survive.
  void Copy_Scaled_by_Factor(double factor, OffMap& target) const;

  // ---- new maps (the caller owns the result; null and `err` on failure) ----
  std::unique_ptr<OffMap> Make_ScaledDown_Copy(std::string& err) const;
  std::unique_ptr<OffMap> Make_ScaledDown_ColorModified_Copy(int16_t dHue, int16_t dSat,
                                                             int16_t dVal,
                                                             std::string& err) const;

  // Depth conversions.
  // Off mask pixels become (r, g, b), on pixels white.
  static std::unique_ptr<OffMap> Alloc_A_24bit_OffMap_from_1bit_MaskMap(std::string& err,
                                                                        const OffMap& maskMap,
                                                                        int16_t r, int16_t g,
                                                                        int16_t b);
  // Tonal value v becomes grey (v, v, v).
  static std::unique_ptr<OffMap> Alloc_A_24bit_OffMap_from_8bit_TonalMap(const OffMap& map,
                                                                         std::string& err);
  // Grey pixels keep their value, coloured pixels become 0.
  static std::unique_ptr<OffMap> Alloc_A_8bit_TonalMap_from_24Bit_Greyscale_Bitmap(
      std::string& err, const OffMap& srcMap);
  // Pure white pixels on, everything else off.
  static std::unique_ptr<OffMap> Alloc_A_1bit_MaskMap_from_24Bit_ColorMap(std::string& err,
                                                                         const OffMap& srcMap);
  // Each pixel becomes its HSV value (the largest of r, g, b).
  static std::unique_ptr<OffMap> Alloc_An_8bit_GreyScale_Copy(const OffMap& srcMap,
                                                              std::string& err);

  // ---- whole-map tests and statistics ----------------------------------------
  // Samples from (width / 4, height / 4) in steps of +20 on both axes; an
  // axis that reaches the edge restarts at width / 8 (height / 8).  False at
  // the first sample whose r, g, b differ.
  bool Is_Greyscale_Sampled(int32_t samples) const;
  // Truncated percentage of pixels with red 0; -1 for an empty map.
  int32_t Percent_Black_Pixels() const;
  // Largest red component; -1 for an empty map.
  int16_t Max_Red_Value() const;
  // Mean colour of the pixels with any component below 250; returns their
  // number.  None: white and 0.
  int32_t Average_NonWhite_RGB(int16_t& r, int16_t& g, int16_t& b) const;
  // Mean RGB of the non-light pixels, converted to HSV (none: (-1, 0, 255)).
  int32_t Average_NonWhite_HSV(int16_t& h, int16_t& s, int16_t& v) const;
  // Each non-light pixel converted on its own, then the hues (a grey's -1
  // included), saturations and values averaged (none: (0, 0, 255)).
  int32_t Average_NonWhite_HSV_PerPixel(int16_t& h, int16_t& s, int16_t& v) const;
  // Mean RGB of the non-light pixels, converted to YIQ.
  int32_t Average_NonWhite_YIQ(int16_t& y, int16_t& i, int16_t& q) const;
  // Mean colour of the pixels of `areaRect` that lie on black (red 0) pixels
  // of `maskMap`, which is stretched over the area: area pixel (x, y) looks
  // at mask pixel ((x - left) * maskWidth / areaWidth, (y - top) * maskHeight
  // / areaHeight), the extents being inclusive and maskWidth, maskHeight
  // those of `maskRect`.  A negative coordinate in `maskRect` scans the
  // whole map, with the mask stretched over it.  Returns the number of
  // pixels counted; `percent` is that number per cent of the mask map's
  // pixels.  An empty or inverted area shows a message and returns -1.
  int32_t Calc_Average_RGB_Components(int16_t& r, int16_t& g, int16_t& b, const RectShrt& maskRect,
                                      const RectShrt& areaRect, const OffMap& maskMap,
                                      int32_t& percent, MessageService& messages) const;

  // ---- bulk recolouring ---------------------------------------------------------
  void Modify_Colors_In_Place(int16_t dHue, int16_t dSat, int16_t dVal);
  // Pixels that are not light at `threshold` become (r, g, b).
  void Colorize_Dark_Pixels(int16_t r, int16_t g, int16_t b, int16_t threshold);
  // Pixels that are light at `threshold` become (r, g, b), all others white.
  void Two_Tone_by_Threshold(int16_t r, int16_t g, int16_t b, int16_t threshold);
  // Black, with row 1 white.
  void Draw_Test_Pattern();

  // ---- colour fitting -------------------------------------------------------------
  // Shifts the map's colours in HSV, from a copy of the original pixels, in
  // up to 12 rounds until its non-white mean lies within 4 of the target in
  // hue, saturation and value.  The offsets receive the net shift;
  // `nearWhite` is set when the fit did not converge and the final mean is
  // almost white (all components above 239).
  bool Fit_To_HSV_Color_OffMap(int16_t targetHue, int16_t targetSat, int16_t targetVal,
                               bool& nearWhite, int16_t& hueOffset, int16_t& satOffset,
                               int16_t& valOffset, std::string& err);
  // Selects the YIQ variant: the same scheme on the YIQ means with
  // Get_Pixel_YIQ_Modified, up to 24 rounds, returning the net Y, I, Q
  // offsets.
  struct Fit_YIQ {};
  bool Fit_To_HSV_Color_OffMap(Fit_YIQ, int16_t targetY, int16_t targetI, int16_t targetQ,
                               int16_t& yOffset, int16_t& iOffset, int16_t& qOffset,
                               std::string& err);
  // Selects the per-pixel variant: hue and saturation are driven by the
  // per-pixel HSV mean through HSV offsets, brightness by the YIQ luminance
  // mean through a Y offset (Get_Pixel_HSV_YIQ_Modified), up to 12 rounds.
  // The offsets returned are HSV: the net hue and saturation offsets and
  // the change of the mean value.  `nearWhite` as in the main variant.
  struct Fit_PerPixel {};
  bool Fit_To_HSV_Color_OffMap(Fit_PerPixel, int16_t targetHue, int16_t targetSat,
                               int16_t targetVal, bool& nearWhite, int16_t& hueOffset,
                               int16_t& satOffset, int16_t& valOffset, std::string& err);

  // ---- operations added by the other parts of the raster core ----------------
  // seed fill: seed stack, flood fills, blob and solid-area operations
  // compositing and morphology: masked painting, subtraction, opening
  // structure matching for line cleaning
  // A structure element is a list of cell codes for the 8 neighbours of a
  // pixel, in the order (-1, -1), (0, -1), (1, -1), (-1, 0), (1, 0), (-1, 1),
  // (0, 1), (1, 1): 0 the neighbour is background (outside the map counts as
  // background), 1 it is foreground and inside the map, 2 either.  A pixel
  // is foreground when it is not light at `threshold`.
  static constexpr int kStructureCells = 8;
  static const int8_t kStructureOffsets[kStructureCells][2];
  // Tests the pixel (x, y) against one cell code; unknown codes never match.
  bool Matches_Structure_Cell(int32_t x, int32_t y, int16_t code, int16_t threshold) const;
  // Tests the first `cellCount` cells (at most 8) of `element` around the
  // pixel (x, y), in order, and fails at the first mismatch.
  bool Matches_Structure_Element(int32_t x, int32_t y, int16_t cellCount, const int16_t* element,
                                 int16_t threshold) const;
  // texture copy
  // Paints a texture into `targetMap` through the shape of `regionMap`: each
  // region pixel that is not pure white (any component below 255) takes the
  // texture pixel at (scale * tx, scale * ty), read with Get_Pixel and
  // stored with Set_Pixel at the same (x, y) of the target.  For a region of
  // width w and height h, tx is w - 1 - x for directionCode 0 and 2 (mirrored
  // left to right) and x otherwise; ty is h - 1 - y for 1 and 3 (flipped top
  // to bottom) and y otherwise.  White region pixels leave the target as it
  // is.  Fails when the texture is narrower or lower than the region, or the
  // code is outside 0..3.
  static bool Copy_TextureMap_to_OffMap(std::string& err, const OffMap& textureMap,
                                        const OffMap& regionMap, OffMap& targetMap, int16_t scale,
                                        int16_t directionCode);
  // inline list-file storage: run-length coded rows
  // The map as an inline bitmap of a list file (persistence/InlineBitmaps.h)
  // at the file's position.  `class ListFile` names the file class of the
  // persistence layer without this header depending on it.  Failures of the
  // file itself arrive as its exception.
  // Writes the header, then the raw block (code 0) or the coded rows of a
  // 1- or 8-bit map (code 1).  Refuses an unknown depth or code, a map not
  // in memory and a map too large to be read back, before writing anything.
  bool Save_OffMap_to_Inside_ListFile(class ListFile& file, int16_t compressionCode,
                                      int16_t bitmapKind, std::string& err) const;
  // Reads an inline bitmap into a new map; null and `err` when the header
  // is refused or the data runs out.
  static std::unique_ptr<OffMap> Load_Bitmap_from_Inside_ListFile(class ListFile& file,
                                                                  std::string& err);
  // One coded row y (pixels read and stored as Get_Pixel and Set_Pixel do).
  // The writers always succeed; a reader fails when the file ends before
  // the row's zero byte.
  bool Write_Files_Next_yRow_wRunLength_Encoding_1bit(class ListFile& file, int32_t y,
                                                      std::string& err) const;
  bool Read_Files_Next_yRow_wRunLength_Encoding_1bit(class ListFile& file, int32_t y,
                                                     std::string& err);
  bool Write_Files_Next_yRow_wRunLength_Encoding_8bit_forOutline(class ListFile& file, int32_t y,
                                                                 std::string& err) const;
  bool Read_Files_Next_yRow_wRunLength_Encoding_8bit_forOutline(class ListFile& file, int32_t y,
                                                                std::string& err);

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

  // In-range pixel read and store on a row pointer, exactly as Get_Pixel and
  // Set_Pixel do; for the whole-map loops.
  static void Read_In_Row(const uint8_t* row, int32_t depth, int32_t x, int16_t& r, int16_t& g,
                          int16_t& b) {
    switch (depth) {
      case 24: {
        const uint8_t* p = row + 3 * static_cast<int64_t>(x);
        b = p[0];
        g = p[1];
        r = p[2];
        break;
      }
      case 8: r = g = b = row[x]; break;
      case 1: r = g = b = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0; break;
      default: break;
    }
  }
  static uint8_t Clamp_Byte(int v) {
    return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
  }
  static void Store_In_Row(uint8_t* row, int32_t depth, int32_t x, int16_t r, int16_t g,
                           int16_t b) {
    switch (depth) {
      case 24: {
        uint8_t* p = row + 3 * static_cast<int64_t>(x);
        p[0] = Clamp_Byte(b);
        p[1] = Clamp_Byte(g);
        p[2] = Clamp_Byte(r);
        break;
      }
      case 8: row[x] = Clamp_Byte(r); break;
      case 1: {
        const uint8_t mask = static_cast<uint8_t>(0x80 >> (x & 7));
        if (r == 0 && g == 0 && b == 0)
          row[x >> 3] &= static_cast<uint8_t>(~mask);
        else
          row[x >> 3] |= mask;
        break;
      }
      default: break;
    }
  }
  // Shared by the three fitting variants: a copy of this map's pixels.
  std::unique_ptr<OffMap> Make_Fit_Original(std::string& err) const;
  // Every pixel of this map becomes the pixel of `source` (same size and
  // depth) passed through `shift`; white pixels are copied unchanged.
  template <class Shift>
  void Rewrite_Pixels_From(const OffMap& source, Shift shift);
};
