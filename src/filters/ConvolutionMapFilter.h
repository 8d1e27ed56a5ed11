#pragma once
// ConvolutionMapFilter: the neighbourhood filters of the pre-processing, of
// the separation clean-up and of the outline detector.
//
// A filter is built on the stack for one Filter() call.  It reads every
// output pixel's neighbourhood from its undo map (a copy of the target) and
// writes the result into the target.  The undo map is either made here (and
// owned) or supplied by a caller that chains filters and re-copies the
// target into it before each one (then it is never deleted here).
//
// Filter codes (24-bit maps; each output component is clamped to 0..255):
//   17  mean of the 3 x 3 neighbourhood (outside the map reads white)
//   18  the 3 x 3 pixel of middle HSV value
//   20  majority colour over the disc after quantising each channel to
//       `level` bits (2..5); the lower bound of the winning cell is written,
//       raised by `offset` steps when the offset is positive
//   22  each component x value / 100 (value <= 0: x 3 / 2)
//   24  each component + value          25  each component - value
//   32  brightest pixel of the disc (largest r + g + b, first found wins)
//   35  darkest pixel of the disc      36  brightest pixel of the disc
//   37  HSV value raised to the power value / 100
//   38  HSV saturation raised to the power value / 100
//   44  a pixel whose four neighbours share one other colour takes it
//   46  grey of value / 80 x red
// Grey maps (depth 8 and 1) know 32 (smallest grey of the pixel and the
// first `value` entries of a fixed table of near neighbours), 35 (largest
// grey of the disc), 36 (smallest grey of the disc), 37 and 44.  On grey
// maps 35 and 36 therefore take the opposite extremes from colour maps.
//
// The disc of radius value (value > 1) is laid out by the midpoint circle
// algorithm; radius 2 is a 5 x 5 square without its corners.  Disc pixels
// outside the map are skipped.  With value <= 1 the disc is the pixel itself.

#include <cstdint>
#include <memory>
#include <vector>

#include "filters/MapFilter.h"

class MessageService;

class ConvolutionMapFilter : public MapFilter {
 public:
  enum Code : int16_t {
    kNone = 0,
    kMean3x3 = 17,
    kMedianByValue = 18,
    kPosterizeMajority = 20,
    kScalePercent = 22,
    kLighten = 24,
    kDarken = 25,
    kBrightestInDisc = 32,
    kDarkestInDisc = 35,
    kLightestInDisc = 36,
    kValueGamma = 37,
    kSaturationGamma = 38,
    kIsolatedPixel = 44,
    kGreyScale = 46,
  };

  // One row of the disc kernel: the pixels (dx, row) for dx = -halfWidth ..
  // +halfWidth.
  struct DiscSpan {
    int16_t row = 0;
    int16_t halfWidth = 0;
  };

  // The largest disc radius the filter builds; larger values act as this
  // one (the program uses radii up to 32).
  static constexpr int16_t kMaxDiscRadius = 64;

  // With a null target or code 0 the filter is inert.  With `undoMap` the
  // filter reads it (the caller has copied the target into it) and never
  // deletes it; otherwise (or when `undoMap` is the target itself) the
  // filter copies the target into a map of its own and, when that fails,
  // shows a message and stays inert.
  ConvolutionMapFilter(OffMap* undoMap, int16_t value, OffMap* targetMap, int16_t filterCode,
                       MessageService& messages);
  ~ConvolutionMapFilter() override;

  void Filter() override;

  // Deletes an undo map made by the filter and forgets it (Filter then does
  // nothing); a caller's undo map is left alone.
  void Delete_UndoMap();
  void Set_Filter_Value(int16_t value) { m_filterValue = value; }
  // Quantisation level and brightness offset of the posterize code 20 (4 and
  // 1 after construction).
  void Set_Posterize_Level(int16_t level, int16_t offset) {
    m_filterLevel = level;
    m_filterOffset = offset;
  }

  // Threads the filter may compute bands of rows on (1 after
  // construction).  The codes whose output rows depend on the undo map
  // alone (17, 18, 20, 22 to 25, 32, 35 to 38, 46 and the grey disc codes)
  // use them; the result is the same for any number.
  void Set_Threads(int32_t threads) { m_threads = threads < 1 ? 1 : threads; }

  int16_t Get_Filter_Code() const { return m_filterCode; }
  int16_t Get_Filter_Value() const { return m_filterValue; }
  // Pixels changed by code 44 in the last Filter() call.
  int32_t Get_Change_Count() const { return m_changeCount; }

  // The disc of `radius` in the order its pixels are visited: spans in the
  // order the midpoint circle algorithm lays them down, each left to right.
  static std::vector<DiscSpan> Build_Disc_Kernel(int16_t radius);
  static int32_t Disc_Pixel_Count(const std::vector<DiscSpan>& disc);

  // The near-neighbour table of the grey code 32: 36 offsets, nearest first.
  static constexpr int kNeighbourCount = 36;
  static const int8_t kNeighbourTable[kNeighbourCount][2];

 private:
  void Filter_24bit();
  void Filter_Grey();
  bool Undo_Matches_Target() const;
  // The kernel the disc codes use: the disc for value > 1, else the pixel.
  std::vector<DiscSpan> Working_Kernel() const;
  void Show_Missing_Case();

  MessageService& m_messages;
  std::unique_ptr<OffMap> m_ownedUndoMap;  // set when the filter made its undo map
  int16_t m_filterCode = kNone;
  int16_t m_filterValue = 0;
  int16_t m_filterLevel = 4;
  int16_t m_filterOffset = 1;
  int32_t m_changeCount = 0;
  int32_t m_threads = 1;
};
