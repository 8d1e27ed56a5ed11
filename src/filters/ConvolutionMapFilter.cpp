#include "filters/ConvolutionMapFilter.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/PlatformServices.h"
#include "raster/ColorSpace.h"
#include "raster/OffMap.h"
#include "raster/RowBands.h"

// The filters read the undo map and write the target through row pointers;
// both maps have the same size and depth (checked before any pixel is
// touched), so every read and store below stays inside the rows.

const int8_t ConvolutionMapFilter::kNeighbourTable[kNeighbourCount][2] = {
    {0, -1},  {-1, 0}, {1, 0},   {0, 1},  {-1, -1}, {1, -1}, {-1, 1},  {1, 1},  {-1, -2},
    {0, -2},  {1, -2}, {-2, -1}, {2, -1}, {-2, 0},  {2, 0},  {-2, 1},  {2, 1},  {-1, 2},
    {0, 2},   {1, 2},  {-2, -2}, {2, -2}, {-2, 2},  {2, 2},  {-1, -3}, {0, -3}, {1, -3},
    {-3, -1}, {3, -1}, {-3, 0},  {3, 0},  {-3, 1},  {3, 1},  {-1, 3},  {0, 3},  {1, 3}};

namespace {

constexpr const char* kMissingCaseText =
    "ConvolutionMapFilter::Filter  FAILED,  missing case for m_filterCode.";

inline uint8_t Clamp_Byte(int v) {
  return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

struct Rgb {
  int16_t r = 0;
  int16_t g = 0;
  int16_t b = 0;
};

// Pixel of a 24-bit map; outside the map it is white, as Get_Pixel reads it.
inline Rgb Read_24(const OffMap& map, int32_t x, int32_t y) {
  if (!map.Is_Inside(x, y)) return Rgb{255, 255, 255};
  const uint8_t* p = map.Row(y) + 3 * static_cast<int64_t>(x);
  return Rgb{p[2], p[1], p[0]};
}

inline void Store_24(OffMap& map, int32_t x, int32_t y, int r, int g, int b) {
  uint8_t* p = map.Row(y) + 3 * static_cast<int64_t>(x);
  p[0] = Clamp_Byte(b);
  p[1] = Clamp_Byte(g);
  p[2] = Clamp_Byte(r);
}

// trunc((i / 255) ^ (exponentPercent / 100) x 255) for every level i,
// clamped to 0..255 (a negative exponent sends 0 to infinity).
std::array<uint8_t, 256> Gamma_Table(int16_t exponentPercent) {
  std::array<uint8_t, 256> table{};
  const double exponent = exponentPercent / 100.0;
  for (int i = 0; i < 256; ++i) {
    const double v = std::pow(i / 255.0, exponent) * 255.0;
    table[i] = v >= 255.0 ? 255 : (v > 0.0 ? static_cast<uint8_t>(v) : 0);
  }
  return table;
}

// The columns of one disc span around column x, clipped to the map.
struct Clipped {
  int32_t x0;
  int32_t x1;
};
inline Clipped Clip_Span(int32_t x, int32_t halfWidth, int32_t width) {
  return Clipped{std::max<int32_t>(0, x - halfWidth), std::min<int32_t>(width - 1, x + halfWidth)};
}

// ---- 24-bit codes -------------------------------------------------------------

void Mean_3x3(const OffMap& undo, OffMap& target, int32_t threads) {
  const int32_t w = undo.Get_Width(), h = undo.Get_Height();
  For_Row_Bands(h, threads, [&](int32_t y0, int32_t y1) {
    for (int32_t y = y0; y < y1; ++y) {
      for (int32_t x = 0; x < w; ++x) {
        int sr = 0, sg = 0, sb = 0;
        for (int32_t dy = -1; dy <= 1; ++dy) {
          for (int32_t dx = -1; dx <= 1; ++dx) {
            const Rgb c = Read_24(undo, x + dx, y + dy);
            sr += c.r;
            sg += c.g;
            sb += c.b;
          }
        }
        Store_24(target, x, y, sr / 9, sg / 9, sb / 9);
      }
    }
  });
}

// The nine pixels in reading order (row by row), converted to HSV and
// ordered by value; equal values keep their reading order.
void Median_By_Value(const OffMap& undo, OffMap& target, int32_t threads) {
  const int32_t w = undo.Get_Width(), h = undo.Get_Height();
  For_Row_Bands(h, threads, [&](int32_t y0, int32_t y1) {
    std::array<ColorHSV, 9> hsv;
    for (int32_t y = y0; y < y1; ++y) {
      for (int32_t x = 0; x < w; ++x) {
        int n = 0;
        for (int32_t dy = -1; dy <= 1; ++dy) {
          for (int32_t dx = -1; dx <= 1; ++dx) {
            const Rgb c = Read_24(undo, x + dx, y + dy);
            ColorHSV& e = hsv[n++];
            RGB_to_HSV(c.r, c.g, c.b, &e.hue, &e.sat, &e.val);
          }
        }
        std::stable_sort(hsv.begin(), hsv.end(),
                         [](const ColorHSV& a, const ColorHSV& b) { return a.val < b.val; });
        int16_t r = 0, g = 0, b = 0;
        HSV_to_RGB(hsv[4].hue, hsv[4].sat, hsv[4].val, &r, &g, &b);
        Store_24(target, x, y, r, g, b);
      }
    }
  });
}

// The majority of quantised colours over the disc.  Each pixel's cell index
// (red most significant) is worked out once.  For every output pixel the
// disc is walked twice: first to count, then to pick the largest count (the
// lowest index among equals) while clearing the counters, so that only what
// was counted is touched.
void Posterize_Majority(const OffMap& undo, OffMap& target,
                        const std::vector<ConvolutionMapFilter::DiscSpan>& disc, int level, int offset,
                        int32_t threads) {
  const int32_t w = undo.Get_Width(), h = undo.Get_Height();
  const int shift = 8 - level;
  const int step = 1 << shift;
  std::vector<uint16_t> cells(static_cast<size_t>(w) * h);
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* p = undo.Row(y);
    uint16_t* cell = &cells[static_cast<size_t>(y) * w];
    for (int32_t x = 0; x < w; ++x, p += 3) {
      cell[x] = static_cast<uint16_t>(((p[2] >> shift) << (2 * level)) | ((p[1] >> shift) << level) |
                                      (p[0] >> shift));
    }
  }
  const auto for_each_cell = [&](int32_t x, int32_t y, auto&& visit) {
    for (const auto& span : disc) {
      const int32_t yy = y + span.row;
      if (yy < 0 || yy >= h) continue;
      const Clipped c = Clip_Span(x, span.halfWidth, w);
      const uint16_t* row = &cells[static_cast<size_t>(yy) * w];
      for (int32_t xx = c.x0; xx <= c.x1; ++xx) visit(row[xx]);
    }
  };
  const int lift = offset > 0 ? offset * step : 0;
  const uint32_t mask = (1u << level) - 1;
  For_Row_Bands(h, threads, [&](int32_t y0, int32_t y1) {
    std::vector<uint16_t> counts(static_cast<size_t>(1) << (3 * level), 0);
    for (int32_t y = y0; y < y1; ++y) {
      for (int32_t x = 0; x < w; ++x) {
        for_each_cell(x, y, [&counts](uint16_t idx) { ++counts[idx]; });
        uint32_t best = 0;
        int bestCount = 0;
        for_each_cell(x, y, [&](uint16_t idx) {
          const int n = counts[idx];
          if (n == 0) return;  // already taken into account
          if (n > bestCount || (n == bestCount && idx < best)) {
            bestCount = n;
            best = idx;
          }
          counts[idx] = 0;
        });
        const int qr = static_cast<int>((best >> (2 * level)) & mask);
        const int qg = static_cast<int>((best >> level) & mask);
        const int qb = static_cast<int>(best & mask);
        Store_24(target, x, y, qr * step + lift, qg * step + lift, qb * step + lift);
      }
    }
  });
}

template <class PerPixel>
void Point_Operation(const OffMap& undo, OffMap& target, int32_t threads, PerPixel op) {
  const int32_t w = undo.Get_Width(), h = undo.Get_Height();
  For_Row_Bands(h, threads, [&](int32_t y0, int32_t y1) {
    for (int32_t y = y0; y < y1; ++y) {
      const uint8_t* in = undo.Row(y);
      uint8_t* out = target.Row(y);
      for (int32_t x = 0; x < w; ++x, in += 3, out += 3) {
        int r = in[2], g = in[1], b = in[0];
        op(r, g, b);
        out[0] = Clamp_Byte(b);
        out[1] = Clamp_Byte(g);
        out[2] = Clamp_Byte(r);
      }
    }
  });
}

// The extreme over the disc around every pixel of a map whose pixels are
// ranked by one value (r + g + b, or the grey level).  The disc is walked
// span by span in its own order, each span left to right, and only a
// strictly better value replaces the one found so far; so the winner is the
// first extreme pixel met in that walk.
//
// Rather than visiting every disc pixel of every output pixel, each source
// row is summarised once: for every column x and every half-width w of the
// disc, the winner of the row's window x - w .. x + w (clipped to the map).
// The window of w is the pixel x - w, then the window of w - 1, then the
// pixel x + w, which gives all widths in one sweep.  A pixel's winner is
// then the best of its spans' window winners, taken in disc order.  Rows
// are kept in a ring as long as some output row still needs them.
//
// Every pixel carries a payload (its colour) that travels with its value,
// so that a winner never has to be looked up again.  `Rank(y, values,
// payloads)` fills the ranking values and payloads of row y; `Emit(y,
// winners)` receives the winners' payloads for every pixel of output row y.
template <bool Largest, class Rank, class Emit>
void Disc_Extremes_Band(int32_t width, int32_t height, int32_t y0, int32_t y1,
                        const std::vector<ConvolutionMapFilter::DiscSpan>& disc, Rank rank, Emit emit) {
  int32_t reach = 0, maxHalfWidth = 0;
  for (const auto& span : disc) {
    reach = std::max<int32_t>(reach, std::abs(span.row));
    maxHalfWidth = std::max<int32_t>(maxHalfWidth, span.halfWidth);
  }
  std::vector<int32_t> widthSlot(static_cast<size_t>(maxHalfWidth) + 1, -1);
  int32_t slotCount = 0;
  for (const auto& span : disc) {
    if (widthSlot[span.halfWidth] < 0) widthSlot[span.halfWidth] = slotCount++;
  }
  const int32_t ringRows = 2 * reach + 1;
  const size_t cells = static_cast<size_t>(ringRows) * slotCount * width;
  std::vector<int16_t> ringValues(cells);
  std::vector<uint32_t> ringPayloads(cells);
  const auto window = [&](int32_t row, int32_t slot) {
    return (static_cast<size_t>(row % ringRows) * slotCount + slot) * width;
  };
  const auto better = [](int16_t a, int16_t b) { return Largest ? a > b : a < b; };

  std::vector<int16_t> values(width);
  std::vector<uint32_t> payloads(width);
  std::vector<int16_t*> slotValues(static_cast<size_t>(maxHalfWidth) + 1);
  std::vector<uint32_t*> slotPayloads(static_cast<size_t>(maxHalfWidth) + 1);
  const auto summarise = [&](int32_t yy) {
    rank(yy, values.data(), payloads.data());
    const int16_t* v = values.data();
    for (int32_t w = 0; w <= maxHalfWidth; ++w) {
      const bool kept = widthSlot[w] >= 0;
      slotValues[w] = kept ? &ringValues[window(yy, widthSlot[w])] : nullptr;
      slotPayloads[w] = kept ? &ringPayloads[window(yy, widthSlot[w])] : nullptr;
    }
    for (int32_t x = 0; x < width; ++x) {
      int16_t best = v[x];
      int32_t bestX = x;
      for (int32_t w = 0;; ++w) {
        if (slotValues[w] != nullptr) {
          slotValues[w][x] = best;
          slotPayloads[w][x] = payloads[bestX];
        }
        if (w == maxHalfWidth) break;
        const int32_t left = x - w - 1, right = x + w + 1;
        if (left >= 0 && !better(best, v[left])) {
          best = v[left];
          bestX = left;
        }
        if (right < width && better(v[right], best)) {
          best = v[right];
          bestX = right;
        }
      }
    }
  };

  std::vector<int16_t> bestValues(width);
  std::vector<uint32_t> bestPayloads(width);
  // The ring holds the rows y - reach .. y + reach of output row y.
  for (int32_t yy = std::max(0, y0 - reach); yy < std::min(height, y0 + reach); ++yy) summarise(yy);
  for (int32_t y = y0; y < y1; ++y) {
    if (y + reach < height) summarise(y + reach);
    bool first = true;
    for (const auto& span : disc) {
      const int32_t yy = y + span.row;
      if (yy < 0 || yy >= height) continue;
      const size_t at = window(yy, widthSlot[span.halfWidth]);
      const int16_t* v = &ringValues[at];
      const uint32_t* payload = &ringPayloads[at];
      if (first) {
        std::copy(v, v + width, bestValues.begin());
        std::copy(payload, payload + width, bestPayloads.begin());
        first = false;
        continue;
      }
      int16_t* bv = bestValues.data();
      uint32_t* bp = bestPayloads.data();
      // Blended through masks rather than branches, so that the compiler
      // can take several pixels at once.
      for (int32_t x = 0; x < width; ++x) {
        const int16_t candidate = v[x], held = bv[x];
        const uint32_t take = better(candidate, held) ? ~0u : 0u;
        bv[x] = Largest ? std::max(candidate, held) : std::min(candidate, held);
        bp[x] = (payload[x] & take) | (bp[x] & ~take);
      }
    }
    emit(y, bestPayloads.data());
  }
}

// Every output row, in bands of rows computed at the same time.
template <bool Largest, class Rank, class Emit>
void Disc_Extremes(int32_t width, int32_t height, int32_t threads,
                   const std::vector<ConvolutionMapFilter::DiscSpan>& disc, Rank rank, Emit emit) {
  For_Row_Bands(height, threads, [&](int32_t y0, int32_t y1) {
    Disc_Extremes_Band<Largest>(width, height, y0, y1, disc, rank, emit);
  });
}

// Colour maps: the extreme by r + g + b; the payload is the pixel's bytes.
template <bool Brightest>
void Disc_Extreme_24(const OffMap& undo, OffMap& target,
                     const std::vector<ConvolutionMapFilter::DiscSpan>& disc, int32_t threads) {
  const int32_t w = undo.Get_Width(), h = undo.Get_Height();
  Disc_Extremes<Brightest>(
      w, h, threads, disc,
      [&undo, w](int32_t y, int16_t* values, uint32_t* payloads) {
        const uint8_t* p = undo.Row(y);
        for (int32_t x = 0; x < w; ++x, p += 3) {
          values[x] = static_cast<int16_t>(p[0] + p[1] + p[2]);
          payloads[x] = p[0] | (p[1] << 8) | (static_cast<uint32_t>(p[2]) << 16);
        }
      },
      [&target, w](int32_t y, const uint32_t* winners) {
        uint8_t* out = target.Row(y);
        for (int32_t x = 0; x < w; ++x, out += 3) {
          out[0] = static_cast<uint8_t>(winners[x]);
          out[1] = static_cast<uint8_t>(winners[x] >> 8);
          out[2] = static_cast<uint8_t>(winners[x] >> 16);
        }
      });
}

// Grey planes: the largest or smallest level, which is its own payload.
template <bool Largest>
void Disc_Extreme_Grey(const std::vector<uint8_t>& in, std::vector<uint8_t>& out, int32_t w, int32_t h,
                       const std::vector<ConvolutionMapFilter::DiscSpan>& disc, int32_t threads) {
  Disc_Extremes<Largest>(
      w, h, threads, disc,
      [&in, w](int32_t y, int16_t* values, uint32_t* payloads) {
        const uint8_t* row = &in[static_cast<size_t>(y) * w];
        std::copy(row, row + w, values);
        std::copy(row, row + w, payloads);
      },
      [&out, w](int32_t y, const uint32_t* winners) {
        uint8_t* o = &out[static_cast<size_t>(y) * w];
        for (int32_t x = 0; x < w; ++x) o[x] = static_cast<uint8_t>(winners[x]);
      });
}

int32_t Isolated_Pixel_24(const OffMap& undo, OffMap& target) {
  const int32_t w = undo.Get_Width(), h = undo.Get_Height();
  const auto same = [](const Rgb& a, const Rgb& b) { return a.r == b.r && a.g == b.g && a.b == b.b; };
  int32_t changed = 0;
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      const Rgb p = Read_24(undo, x, y);
      const Rgb left = Read_24(undo, x - 1, y);
      Rgb out = p;
      if (same(Read_24(undo, x + 1, y), left) && same(Read_24(undo, x, y - 1), left) &&
          same(Read_24(undo, x, y + 1), left) && !same(p, left)) {
        out = left;
        ++changed;
      }
      Store_24(target, x, y, out.r, out.g, out.b);
    }
  }
  return changed;
}

// ---- grey maps ------------------------------------------------------------------

// The grey levels of a tonal or mask map, row by row from the top.
std::vector<uint8_t> Grey_Plane(const OffMap& map) {
  const int32_t w = map.Get_Width(), h = map.Get_Height();
  std::vector<uint8_t> plane(static_cast<size_t>(w) * h);
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* row = map.Row(y);
    uint8_t* out = &plane[static_cast<size_t>(y) * w];
    if (map.Get_Depth() == 8) {
      std::copy(row, row + w, out);
    } else {
      for (int32_t x = 0; x < w; ++x) out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
    }
  }
  return plane;
}

// Stores grey levels as Set_Pixel(g, g, g) would: a mask bit is cleared
// only for 0.
void Store_Grey_Plane(const std::vector<uint8_t>& plane, OffMap& map) {
  const int32_t w = map.Get_Width(), h = map.Get_Height();
  for (int32_t y = 0; y < h; ++y) {
    uint8_t* row = map.Row(y);
    const uint8_t* in = &plane[static_cast<size_t>(y) * w];
    if (map.Get_Depth() == 8) {
      std::copy(in, in + w, row);
    } else {
      for (int32_t x = 0; x < w; ++x) {
        const uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
        if (in[x] == 0)
          row[x >> 3] &= static_cast<uint8_t>(~bit);
        else
          row[x >> 3] |= bit;
      }
    }
  }
}

}  // namespace

// ---------------------------------------------------------------------------

ConvolutionMapFilter::ConvolutionMapFilter(OffMap* undoMap, int16_t value, OffMap* targetMap,
                                           int16_t filterCode, MessageService& messages)
    : MapFilter(targetMap), m_messages(messages), m_filterCode(filterCode), m_filterValue(value) {
  if (targetMap == nullptr || filterCode == kNone) return;
  // The target itself cannot serve as its own undo map (the filter would
  // read what it has just written): the filter then makes its own copy.
  if (undoMap != nullptr && undoMap != targetMap) {
    m_UndoMap = undoMap;
    return;
  }
  if (targetMap->Is_Not_In_Memory()) return;
  std::unique_ptr<OffMap> copy =
      OffMap::Make(targetMap->Get_Width(), targetMap->Get_Height(), targetMap->Get_Depth());
  if (copy) copy->Assign_Copy(*targetMap);
  if (copy == nullptr || copy->Is_Not_In_Memory()) {
    m_messages.Message_Box("ConvolutionMapFilter::ConvolutionMapFilter failed,  could not create _UndoMap.",
                           MessageButtons::Ok);
    return;
  }
  m_ownedUndoMap = std::move(copy);
  m_UndoMap = m_ownedUndoMap.get();
}

ConvolutionMapFilter::~ConvolutionMapFilter() = default;

void ConvolutionMapFilter::Delete_UndoMap() {
  if (!m_ownedUndoMap) return;
  m_ownedUndoMap.reset();
  m_UndoMap = nullptr;
}

std::vector<ConvolutionMapFilter::DiscSpan> ConvolutionMapFilter::Build_Disc_Kernel(int16_t radius) {
  std::vector<DiscSpan> spans;
  const auto add = [&spans](int row, int halfWidth) {
    spans.push_back(DiscSpan{static_cast<int16_t>(row), static_cast<int16_t>(halfWidth)});
  };
  // Midpoint circle: the rows of the first octant, mirrored above and below.
  int d = 3 - 2 * radius;
  int x = 0;
  int y = radius;
  int remembered = 0;
  while (x <= y) {
    add(x, y);
    if (x != 0) add(-x, y);
    remembered = x;
    if (d < 0) {
      d += 4 * x + 6;
    } else {
      d += 4 * (x - y) + 10;
      --y;
    }
    ++x;
  }
  // The second octant: each new half-width of the first octant is a row of
  // the cap, as wide as the first-octant row it came from.
  const size_t octant = spans.size();
  for (size_t i = octant; i-- > 0;) {
    const int w = spans[i].halfWidth;
    const int r = std::abs(static_cast<int>(spans[i].row));
    if (w != remembered && w != r) {
      add(w, r);
      add(-w, r);
      remembered = w;
    }
  }
  return spans;
}

int32_t ConvolutionMapFilter::Disc_Pixel_Count(const std::vector<DiscSpan>& disc) {
  int32_t count = 0;
  for (const DiscSpan& s : disc) count += 2 * s.halfWidth + 1;
  return count;
}

std::vector<ConvolutionMapFilter::DiscSpan> ConvolutionMapFilter::Working_Kernel() const {
  if (m_filterValue <= 1) return {DiscSpan{0, 0}};
  return Build_Disc_Kernel(std::min(m_filterValue, kMaxDiscRadius));
}

bool ConvolutionMapFilter::Undo_Matches_Target() const {
  return m_targetMap != nullptr && m_UndoMap != nullptr && !m_targetMap->Is_Not_In_Memory() &&
         !m_UndoMap->Is_Not_In_Memory() && m_UndoMap->Get_Width() == m_targetMap->Get_Width() &&
         m_UndoMap->Get_Height() == m_targetMap->Get_Height() &&
         m_UndoMap->Get_Depth() == m_targetMap->Get_Depth();
}

void ConvolutionMapFilter::Show_Missing_Case() {
  // Shown once per Filter() call; the map is left as it was.
  m_messages.Message_Box(kMissingCaseText, MessageButtons::Ok);
}

void ConvolutionMapFilter::Filter() {
  m_changeCount = 0;
  if (m_filterCode == kNone || !Undo_Matches_Target()) return;
  if (m_targetMap->Get_Depth() == 24)
    Filter_24bit();
  else
    Filter_Grey();
}

void ConvolutionMapFilter::Filter_24bit() {
  const OffMap& undo = *m_UndoMap;
  OffMap& target = *m_targetMap;
  std::vector<DiscSpan> disc;
  switch (m_filterCode) {
    case kMean3x3:
    case kMedianByValue:
    case kScalePercent:
    case kLighten:
    case kDarken:
    case kValueGamma:
    case kSaturationGamma:
    case kIsolatedPixel:
    case kGreyScale:
      break;
    case kPosterizeMajority:
      // Levels 2 to 5 bits per channel are defined; at level 5 the counters
      // are bytes, so a disc of 256 pixels or more is refused.
      if (m_filterLevel < 2 || m_filterLevel > 5) return;
      disc = Working_Kernel();
      if (m_filterLevel == 5 && Disc_Pixel_Count(disc) >= 256) return;
      break;
    case kBrightestInDisc:
    case kDarkestInDisc:
    case kLightestInDisc:
      disc = Working_Kernel();
      break;
    default:
      Show_Missing_Case();
      return;
  }
  // Every pixel is rewritten; the black fill leaves the row padding zeroed.
  target.Fill(0);

  const int value = m_filterValue;
  switch (m_filterCode) {
    case kMean3x3:
      Mean_3x3(undo, target, m_threads);
      break;
    case kMedianByValue:
      Median_By_Value(undo, target, m_threads);
      break;
    case kPosterizeMajority:
      Posterize_Majority(undo, target, disc, m_filterLevel, m_filterOffset, m_threads);
      break;
    case kScalePercent:
      Point_Operation(undo, target, m_threads, [value](int& r, int& g, int& b) {
        if (value <= 0) {
          r = r * 3 / 2;
          g = g * 3 / 2;
          b = b * 3 / 2;
        } else {
          r = r * value / 100;
          g = g * value / 100;
          b = b * value / 100;
        }
      });
      break;
    case kLighten:
      Point_Operation(undo, target, m_threads, [value](int& r, int& g, int& b) {
        r += value;
        g += value;
        b += value;
      });
      break;
    case kDarken:
      Point_Operation(undo, target, m_threads, [value](int& r, int& g, int& b) {
        r -= value;
        g -= value;
        b -= value;
      });
      break;
    case kBrightestInDisc:
    case kLightestInDisc:
      Disc_Extreme_24<true>(undo, target, disc, m_threads);
      break;
    case kDarkestInDisc:
      Disc_Extreme_24<false>(undo, target, disc, m_threads);
      break;
    case kValueGamma: {
      const std::array<uint8_t, 256> gamma = Gamma_Table(m_filterValue);
      Point_Operation(undo, target, m_threads, [&gamma](int& r, int& g, int& b) {
        int16_t h = 0, s = 0, v = 0, r2 = 0, g2 = 0, b2 = 0;
        RGB_to_HSV(static_cast<int16_t>(r), static_cast<int16_t>(g), static_cast<int16_t>(b), &h, &s, &v);
        HSV_to_RGB(h, s, gamma[v], &r2, &g2, &b2);
        r = r2;
        g = g2;
        b = b2;
      });
      break;
    }
    case kSaturationGamma: {
      const std::array<uint8_t, 256> gamma = Gamma_Table(m_filterValue);
      Point_Operation(undo, target, m_threads, [&gamma](int& r, int& g, int& b) {
        int16_t h = 0, s = 0, v = 0, r2 = 0, g2 = 0, b2 = 0;
        RGB_to_HSV(static_cast<int16_t>(r), static_cast<int16_t>(g), static_cast<int16_t>(b), &h, &s, &v);
        HSV_to_RGB(h, gamma[s], v, &r2, &g2, &b2);
        r = r2;
        g = g2;
        b = b2;
      });
      break;
    }
    case kIsolatedPixel:
      m_changeCount = Isolated_Pixel_24(undo, target);
      break;
    case kGreyScale: {
      const double factor = value / 80.0;
      Point_Operation(undo, target, m_threads, [factor](int& r, int& g, int& b) {
        const double grey = factor * r;
        r = g = b = grey >= 255.0 ? 255 : (grey > 0.0 ? static_cast<int>(grey) : 0);
      });
      break;
    }
    default:
      break;
  }
}

void ConvolutionMapFilter::Filter_Grey() {
  const int32_t w = m_targetMap->Get_Width(), h = m_targetMap->Get_Height();
  const std::vector<uint8_t> in = Grey_Plane(*m_UndoMap);
  std::vector<uint8_t> out(in.size());
  const auto at = [&in, w](int32_t x, int32_t y) { return in[static_cast<size_t>(y) * w + x]; };
  // Outside a grey map every read is black.
  const auto read = [&](int32_t x, int32_t y) -> uint8_t {
    return (x >= 0 && y >= 0 && x < w && y < h) ? at(x, y) : 0;
  };

  switch (m_filterCode) {
    case kBrightestInDisc: {
      const int n = std::clamp<int>(m_filterValue, 0, kNeighbourCount);
      for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
          uint8_t least = at(x, y);
          for (int i = 0; i < n; ++i)
            least = std::min(least, read(x + kNeighbourTable[i][0], y + kNeighbourTable[i][1]));
          out[static_cast<size_t>(y) * w + x] = least;
        }
      }
      break;
    }
    case kDarkestInDisc:
    case kLightestInDisc: {
      const std::vector<DiscSpan> disc = Working_Kernel();
      if (m_filterCode == kDarkestInDisc)
        Disc_Extreme_Grey<true>(in, out, w, h, disc, m_threads);
      else
        Disc_Extreme_Grey<false>(in, out, w, h, disc, m_threads);
      break;
    }
    case kValueGamma: {
      const std::array<uint8_t, 256> gamma = Gamma_Table(m_filterValue);
      for (size_t i = 0; i < in.size(); ++i) out[i] = gamma[in[i]];
      break;
    }
    case kIsolatedPixel:
      for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
          const uint8_t p = at(x, y), left = read(x - 1, y);
          uint8_t result = p;
          if (read(x + 1, y) == left && read(x, y - 1) == left && read(x, y + 1) == left && p != left) {
            result = left;
            ++m_changeCount;
          }
          out[static_cast<size_t>(y) * w + x] = result;
        }
      }
      break;
    default:
      Show_Missing_Case();
      return;
  }
  Store_Grey_Plane(out, *m_targetMap);
}
