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
#include "platform/PlatformServices.h"
#include "raster/LineSegment.h"

class MessageService;
class SolidArea;
template <class T>
class ListMemry;

class OffMap {
 public:
  // The most pixels a map may have: the largest picture the codec decodes.
  // Every working map is made from a photo at most that large, and the
  // others from those or from files the program writes; a larger size can
  // only come from a damaged file or a wrong sum, and must not exhaust memory.
  static constexpr int64_t kMaxPixels = kMaxPicturePixels;

  // The one way the engine makes a map: width x height at `depth` bits,
  // every pixel byte 0 (black, or all off), or null when the depth is not
  // 1, 8 or 24, a side is negative, width x height is above kMaxPixels, or
  // the object or its pixel block cannot be allocated.  A side of 0 gives a
  // valid map without pixels.
  static std::unique_ptr<OffMap> Make(int32_t width, int32_t height, int32_t depth);

  // The map without the pixel budget and without a way to fail: a map whose
  // block cannot be had is "not in memory" (Is_Not_In_Memory), and an
  // exhausted heap throws.  The engine uses Make; tests may build maps so.
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
  // Bytes of the information header and the colour table at `depth` bits.
  static int32_t Header_Bytes(int32_t depth);

  // ---- pixel access -----------------------------------------------------------
  bool Is_Inside(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
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
  void Get_Pixel_Filtered(int32_t x, int32_t y, int16_t mode, int16_t count, int16_t& r, int16_t& g,
                          int16_t& b) const;

  // ---- colour-modified reads ----------------------------------------------------
  // The pixel shifted in HSV by the offsets (hue wraps, saturation and value
  // are clamped to 0..255).  All offsets 0 returns the pixel as stored; white
  // stays white; a grey pixel stays grey at its new value.
  void Get_Pixel_ColorModified(int32_t x, int32_t y, int16_t dHue, int16_t dSat, int16_t dVal, int16_t& r,
                               int16_t& g, int16_t& b) const;
  // The same in YIQ: the offsets are added to Y, I and Q.
  void Get_Pixel_YIQ_Modified(int32_t x, int32_t y, int16_t dY, int16_t dI, int16_t dQ, int16_t& r,
                              int16_t& g, int16_t& b) const;
  // The HSV shift followed by the YIQ shift of the result (all offsets 0:
  // unchanged; white stays white).
  void Get_Pixel_HSV_YIQ_Modified(int32_t x, int32_t y, int16_t dHue, int16_t dSat, int16_t dVal, int16_t dY,
                                  int16_t dI, int16_t dQ, int16_t& r, int16_t& g, int16_t& b) const;
  // Bilinear interpolation of the four pixels around (x, y), read with
  // Get_Pixel.  With `grey` the luminance 0.299 r + 0.587 g + 0.114 b is
  // interpolated and returned in all three outputs.
  void Get_Pixel_Bilinear(double x, double y, int16_t& r, int16_t& g, int16_t& b, bool grey) const;

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
  bool Mask_Bits(const OffMap& source, int16_t threshold, int16_t newValue, bool atOrAbove, std::string& err);
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
  std::unique_ptr<OffMap> Make_ScaledDown_ColorModified_Copy(int16_t dHue, int16_t dSat, int16_t dVal,
                                                             std::string& err) const;

  // Depth conversions.
  // Off mask pixels become (r, g, b), on pixels white.
  static std::unique_ptr<OffMap> Alloc_A_24bit_OffMap_from_1bit_MaskMap(std::string& err,
                                                                        const OffMap& maskMap, int16_t r,
                                                                        int16_t g, int16_t b);
  // Tonal value v becomes grey (v, v, v).
  static std::unique_ptr<OffMap> Alloc_A_24bit_OffMap_from_8bit_TonalMap(const OffMap& map, std::string& err);
  // Grey pixels keep their value, coloured pixels become 0.
  static std::unique_ptr<OffMap> Alloc_A_8bit_TonalMap_from_24Bit_Greyscale_Bitmap(std::string& err,
                                                                                   const OffMap& srcMap);
  // Pure white pixels on, everything else off.
  static std::unique_ptr<OffMap> Alloc_A_1bit_MaskMap_from_24Bit_ColorMap(std::string& err,
                                                                          const OffMap& srcMap);
  // Each pixel becomes its HSV value (the largest of r, g, b).
  static std::unique_ptr<OffMap> Alloc_An_8bit_GreyScale_Copy(const OffMap& srcMap, std::string& err);

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
                                      const RectShrt& areaRect, const OffMap& maskMap, int32_t& percent,
                                      MessageService& messages) const;

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
  bool Fit_To_HSV_Color_OffMap(int16_t targetHue, int16_t targetSat, int16_t targetVal, bool& nearWhite,
                               int16_t& hueOffset, int16_t& satOffset, int16_t& valOffset, std::string& err);
  // Selects the YIQ variant: the same scheme on the YIQ means with
  // Get_Pixel_YIQ_Modified, up to 24 rounds, returning the net Y, I, Q
  // offsets.
  struct Fit_YIQ {};
  bool Fit_To_HSV_Color_OffMap(Fit_YIQ, int16_t targetY, int16_t targetI, int16_t targetQ, int16_t& yOffset,
                               int16_t& iOffset, int16_t& qOffset, std::string& err);
  // Selects the per-pixel variant: hue and saturation are driven by the
  // per-pixel HSV mean through HSV offsets, brightness by the YIQ luminance
  // mean through a Y offset (Get_Pixel_HSV_YIQ_Modified), up to 12 rounds.
  // The offsets returned are HSV: the net hue and saturation offsets and
  // the change of the mean value.  `nearWhite` as in the main variant.
  struct Fit_PerPixel {};
  bool Fit_To_HSV_Color_OffMap(Fit_PerPixel, int16_t targetHue, int16_t targetSat, int16_t targetVal,
                               bool& nearWhite, int16_t& hueOffset, int16_t& satOffset, int16_t& valOffset,
                               std::string& err);

  // ---- operations added by the other parts of the raster core ----------------
  // seed fill: seed stack, flood fills, blob and solid-area operations
  //
  // Every fill grows a 4-connected area (left, right, upper and lower
  // neighbours) from a seed pixel of this map.  A pixel is fillable when
  // Is_Pixel_Light(x, y, threshold, wantLight) is false: with wantLight set,
  // the area is made of pixels that are not light (the usual case, threshold
  // 250: anything but near-white), otherwise of light pixels.  Taken pixels
  // are set black in the fill mask, and in the total mask when one is given;
  // a pixel whose fill-mask red is 0 counts as taken already, and so does a
  // pixel outside the fill mask.  The masks are normally white 8-bit maps of
  // this map's size.  Coordinates are 16-bit: a fill sees at most the first
  // 32767 columns and rows.  Outputs start empty: `rect` all -1 (it becomes
  // the inclusive box of the taken pixels), `count` 0 (the number taken),
  // `maxStackHeight` 0 (the largest number of runs waiting on the stack).
  // A seed outside the map or not fillable fills nothing and succeeds.

  // The map's own stack for the array fill: any previous stack is freed and
  // `count` entries are allocated (no stack and false when that fails).
  bool Alloc_Stack_for_SeedFill(int32_t count, std::string& err);
  void Free_SeedFill_Stack();
  // The stack and its number of entries (null and 0 when there is none).
  LINESEGMENToffmap* Get_SeedFill_Stack(int32_t& count);

  // Scan-line fill on the caller's stack of lineCountInSeedStack entries,
  // of which the last 64 are never used.  When `paint` is set every taken
  // pixel of this map becomes (r, g, b).  Fails when the stack is missing or
  // has no entries, and when the runs waiting on it reach its usable size
  // (the area could come out incomplete); the pixels taken until then stay
  // marked.
  bool SeedFill_Create_MaskMap_from_Blobs_of_Pixels(int32_t x, int32_t y, bool paint, int16_t r, int16_t g,
                                                    int16_t b, int16_t threshold, OffMap& fillMask,
                                                    OffMap* totalMask, RectShrt& rect, int32_t& count,
                                                    LINESEGMENToffmap* stack, int32_t lineCountInSeedStack,
                                                    bool wantLight, int32_t& maxStackHeight,
                                                    std::string& err);
  // The same fill on an unbounded list stack (Push_LineSegment and
  // Pop_From_LineSegment_Stack); the total mask is required here.
  bool SeedFill_Create_MaskMap_from_Blobs_of_Pixels_wSlow_Stack(int32_t x, int32_t y, bool paint, int16_t r,
                                                                int16_t g, int16_t b, int16_t threshold,
                                                                bool wantLight, OffMap& fillMask,
                                                                OffMap* totalMask, RectShrt& rect,
                                                                int32_t& count, int32_t& maxStackHeight,
                                                                MessageService& messages, std::string& err);
  // The list stack of that fill.  A push allocates one record and is made
  // only when the row to explore, y + dy, lies inside the map.  A pop hands
  // back the run, the row to explore and dy; popping an empty stack shows a
  // message and gives false, and a row outside the map is reported and
  // clamped to the nearest edge row.
  void Push_LineSegment(ListMemry<LINESEGMENToffmap>& stack, int16_t xLeft, int16_t xRight, int16_t y,
                        int16_t dy) const;
  bool Pop_From_LineSegment_Stack(ListMemry<LINESEGMENToffmap>& stack, int16_t& x1, int16_t& x2,
                                  int16_t& rowToExplore, int16_t& dy, MessageService& messages) const;
  // Flood fill with its own order: each run is searched for the runs it
  // touches above and below before it is taken.  Fillable at threshold 250
  // and unclaimed in both masks; both masks are required and both marked.
  bool Flood_Read(int32_t x, int32_t y, OffMap& fillMask, OffMap* totalMask, bool wantLight, RectShrt& rect,
                  int32_t& count, int32_t& maxStackHeight, std::string& err);
  // Fills the area of pixels exactly (r, g, b) without changing this map.
  // Runs that do not fit the fill's stack of 20000 entries are dropped.
  bool SeedFill_Colored_Area(int32_t x, int32_t y, int16_t r, int16_t g, int16_t b, OffMap& fillMask,
                             OffMap* totalMask, RectShrt& rect, int32_t& count, std::string& err);
  // Paints the area of pixels that are not light (threshold 250) with
  // (r, g, b) and returns the number of painted pixels; each pixel is
  // painted once, whatever the colour.  -1 when the fill's mask cannot be
  // allocated.
  int32_t Seed_Fill_Color(int32_t x, int32_t y, int16_t r, int16_t g, int16_t b, std::string& err);

  // Cuts the area of exact colour (r, g, b) around (x, y) out into a new
  // white map of this map's depth and the area's box size.  Null without a
  // text when the area has fewer than minPixels pixels or its box is
  // narrower or lower than minSide.
  std::unique_ptr<OffMap> SeedFill_24ColorMap_Create_from_Colored_Pixels(int32_t x, int32_t y, int16_t r,
                                                                         int16_t g, int16_t b,
                                                                         OffMap* totalMask, int32_t minPixels,
                                                                         int32_t minSide, RectShrt& rect,
                                                                         int32_t& count, std::string& err);
  // Cuts the area around (x, y) of `srcMap` out as a SolidArea.  Row 0 of
  // the source is overwritten first (white for dark areas, black for light
  // ones), so that no area reaches the top row.  Dark areas (wantLight) need
  // at least minPixels pixels, light areas (holes) at most minPixels; boxes
  // narrower or lower than 2 pixels are refused.  Null without a text when
  // nothing suitable was found.
  static std::unique_ptr<SolidArea> SeedFill_Create_New_SolidArea(int32_t x, int32_t y, OffMap& srcMap,
                                                                  OffMap* totalMask, int32_t minPixels,
                                                                  bool wantLight, MessageService& messages,
                                                                  std::string& err);
  // Appends every solid area of `srcMap` (seeds from row 1 on, row 0 is
  // overwritten as above) to `list`, at most 500.
  static bool Generate_SolidAreas(OffMap& srcMap, ListMemry<SolidArea>& list, int32_t minPixels,
                                  bool wantLight, MessageService& messages, std::string& err);
  // The number of dark solid areas of this map when level <= 7, else 0.
  // The map itself is left as it was.
  bool Count_SolidAreas(int32_t minPixels, int32_t& count, int32_t level, MessageService& messages,
                        std::string& err);

  // Removes small blobs.  Without twoTone, areas of dark pixels smaller
  // than maxHolePixels become white; with twoTone, areas of light pixels
  // (holes) smaller than that take the colour of the first dark pixel of
  // the map in scan order.
  bool Hole_Plug_TwoTone(int32_t maxHolePixels, bool twoTone, std::string& err);
  // Areas of more than 0 and fewer than maxHolePixels pixels (dark ones
  // with wantLight, light ones without) become (r, g, b); `count` receives
  // their number.  Seeds are taken from row 1 on.
  bool Hole_Plug_MultiAlgo_SeedFill(int32_t maxHolePixels, bool wantLight, int16_t r, int16_t g, int16_t b,
                                    int32_t& count, std::string& err);
  // compositing: masked painting, subtraction
  //
  // A pixel counts as white here only when all three components are 255.

  // Every pixel where the separation is not white becomes
  // Subtract_Blend(own, separation), per component.  The separation must
  // have this map's width, height and depth.
  bool Subtract_Separation(const OffMap& separationMap, std::string& err);
  // Takes sourceMap out of the targetRect part of this map.  Target offset
  // (x, y) reads source pixel (trunc(ratio * x), trunc(ratio * y)), ratio =
  // source width / target width on both axes (widths inclusive), through
  // Get_Pixel_ColorModified(dHue, dSat, dVal); non-white source pixels are
  // subtracted as above.
  void Subtract_Scaled_Map(const OffMap& sourceMap, const RectLong& sourceRect, const RectLong& targetRect,
                           int16_t dHue, int16_t dSat, int16_t dVal);
  // Takes the colour out of every non-white pixel it is lighter than
  // (Is_Lighter_Than).
  bool Subtract_Color(int16_t r, int16_t g, int16_t b, std::string& err);
  // Pixels of `rect` (inclusive; the whole mask when null) that are black
  // (red 0) in the mask become (r, g, b) here and black in `markMap` when
  // one is given.  Returns the number of painted pixels.
  int32_t Paint_Masked_Pixels(const OffMap& maskMap, OffMap* markMap, const RectShrt* rect, int16_t r,
                              int16_t g, int16_t b);
  // Pixels whose mask red is not 0 become (r, g, b).  The mask must have
  // this map's width and height.
  bool ZeroOut_Masked_Pixels(const OffMap& maskMap, int16_t r, int16_t g, int16_t b, std::string& err);
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
  static bool Copy_TextureMap_to_OffMap(std::string& err, const OffMap& textureMap, const OffMap& regionMap,
                                        OffMap& targetMap, int16_t scale, int16_t directionCode);

 protected:
  // The seed stack of the array fill, owned by the map; null when none.
  std::unique_ptr<LINESEGMENToffmap[]> m_seedStack;
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
  void Write_Header_And_Colour_Table();

  // In-range pixel read and store on a row pointer, exactly as Get_Pixel and
  // Set_Pixel do; for the whole-map loops.
  static void Read_In_Row(const uint8_t* row, int32_t depth, int32_t x, int16_t& r, int16_t& g, int16_t& b) {
    switch (depth) {
      case 24: {
        const uint8_t* p = row + 3 * static_cast<int64_t>(x);
        b = p[0];
        g = p[1];
        r = p[2];
        break;
      }
      case 8:
        r = g = b = row[x];
        break;
      case 1:
        r = g = b = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
        break;
      default:
        break;
    }
  }
  static uint8_t Clamp_Byte(int v) { return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }
  static void Store_In_Row(uint8_t* row, int32_t depth, int32_t x, int16_t r, int16_t g, int16_t b) {
    switch (depth) {
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
  // The means of the components `convert`(r, g, b, a, b, c) makes of the
  // pixels with any component below 250 go to a, b, c; returns their number
  // (none: a, b, c stay as they were).
  template <class Convert>
  int32_t Mean_Of_NonWhite(int16_t& a, int16_t& b, int16_t& c, Convert convert) const;
  // Shared by the three fitting variants: a copy of this map's pixels.
  std::unique_ptr<OffMap> Make_Fit_Original(std::string& err) const;
  // Every pixel of this map becomes the pixel of `source` (same size and
  // depth) passed through `shift`; white pixels are copied unchanged.
  template <class Shift>
  void Rewrite_Pixels_From(const OffMap& source, Shift shift);
};
