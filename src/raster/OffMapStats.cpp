// Whole-map tests, statistics (the non-white means among them) and the
// simple bulk recolourings.

#include <algorithm>
#include <cstdint>

#include "platform/PlatformServices.h"
#include "raster/ColorSpace.h"
#include "raster/OffMap.h"

namespace {

// A pixel takes part in the non-white statistics when any component is
// below 250.
inline bool Is_NonWhite(int16_t r, int16_t g, int16_t b) {
  return r < 250 || g < 250 || b < 250;
}

inline bool Is_Light(int16_t r, int16_t g, int16_t b, int16_t threshold) {
  return r >= threshold && g >= threshold && b >= threshold;
}

// A computed position as a pixel coordinate; one that no coordinate can
// hold reads as outside the map.
inline int32_t To_Coordinate(int64_t v) {
  return (v < INT32_MIN || v > INT32_MAX) ? -1 : static_cast<int32_t>(v);
}

}  // namespace

bool OffMap::Is_Greyscale_Sampled(int32_t samples) const {
  int64_t x = m_width / 4;
  int64_t y = m_height / 4;
  for (int32_t i = 0; i < samples; ++i) {
    int16_t r = 0, g = 0, b = 0;
    Get_Pixel(static_cast<int32_t>(x), static_cast<int32_t>(y), r, g, b);
    if (r != g || g != b) return false;
    x += 20;
    if (x >= m_width) x = m_width / 8;
    y += 20;
    if (y >= m_height) y = m_height / 8;
  }
  return true;
}

int32_t OffMap::Percent_Black_Pixels() const {
  const int64_t pixels = static_cast<int64_t>(m_width) * m_height;
  if (!m_bits || pixels <= 0) return -1;
  int64_t black = 0;
  for (int32_t y = 0; y < m_height; ++y) {
    const uint8_t* row = Row(y);
    for (int32_t x = 0; x < m_width; ++x) {
      int16_t r = 0, g = 0, b = 0;
      Read_In_Row(row, m_depth, x, r, g, b);
      if (r == 0) ++black;
    }
  }
  return static_cast<int32_t>(black * 100 / pixels);
}

int16_t OffMap::Max_Red_Value() const {
  if (!m_bits || m_width <= 0 || m_height <= 0) return -1;
  int16_t maxRed = 0;
  for (int32_t y = 0; y < m_height; ++y) {
    const uint8_t* row = Row(y);
    for (int32_t x = 0; x < m_width; ++x) {
      int16_t r = 0, g = 0, b = 0;
      Read_In_Row(row, m_depth, x, r, g, b);
      if (r > maxRed) maxRed = r;
    }
  }
  return maxRed;
}

template <class Convert>
int32_t OffMap::Mean_Of_NonWhite(int16_t& a, int16_t& b, int16_t& c, Convert convert) const {
  int64_t sumA = 0, sumB = 0, sumC = 0, count = 0;
  if (m_bits) {
    for (int32_t y = 0; y < m_height; ++y) {
      const uint8_t* row = Row(y);
      for (int32_t x = 0; x < m_width; ++x) {
        int16_t pr = 0, pg = 0, pb = 0;
        Read_In_Row(row, m_depth, x, pr, pg, pb);
        if (!Is_NonWhite(pr, pg, pb)) continue;
        int16_t ca = 0, cb = 0, cc = 0;
        convert(pr, pg, pb, ca, cb, cc);
        sumA += ca;
        sumB += cb;
        sumC += cc;
        ++count;
      }
    }
  }
  if (count == 0) return 0;
  a = static_cast<int16_t>(sumA / count);
  b = static_cast<int16_t>(sumB / count);
  c = static_cast<int16_t>(sumC / count);
  return static_cast<int32_t>(count);
}

int32_t OffMap::Average_NonWhite_RGB(int16_t& r, int16_t& g, int16_t& b) const {
  const int32_t count = Mean_Of_NonWhite(
      r, g, b, [](int16_t pr, int16_t pg, int16_t pb, int16_t& cr, int16_t& cg, int16_t& cb) {
        cr = pr;
        cg = pg;
        cb = pb;
      });
  if (count == 0) r = g = b = 255;
  return count;
}

int32_t OffMap::Average_NonWhite_HSV_PerPixel(int16_t& h, int16_t& s, int16_t& v) const {
  const int32_t count = Mean_Of_NonWhite(
      h, s, v, [](int16_t pr, int16_t pg, int16_t pb, int16_t& ph, int16_t& ps, int16_t& pv) {
        RGB_to_HSV(pr, pg, pb, &ph, &ps, &pv);
      });
  if (count == 0) {
    h = 0;
    s = 0;
    v = 255;
  }
  return count;
}

int32_t OffMap::Calc_Average_RGB_Components(int16_t& r, int16_t& g, int16_t& b, const RectShrt& maskRect,
                                            const RectShrt& areaRect, const OffMap& maskMap, int32_t& percent,
                                            MessageService& messages) const {
  r = g = b = -1;
  percent = -1;
  int64_t left = areaRect.left, top = areaRect.top;
  int64_t right = areaRect.right, bottom = areaRect.bottom;
  int64_t maskWidth = static_cast<int64_t>(maskRect.right) - maskRect.left + 1;
  int64_t maskHeight = static_cast<int64_t>(maskRect.bottom) - maskRect.top + 1;
  if (maskRect.left < 0 || maskRect.top < 0 || maskRect.right < 0 || maskRect.bottom < 0) {
    // No usable mask rectangle: the whole map, with the whole mask over it.
    left = 0;
    top = 0;
    right = static_cast<int64_t>(m_width) - 1;
    bottom = static_cast<int64_t>(m_height) - 1;
    maskWidth = maskMap.Get_Width();
    maskHeight = maskMap.Get_Height();
  }
  const int64_t widthCurrent = right - left + 1;
  const int64_t heightCurrent = bottom - top + 1;
  if (widthCurrent == 0 || heightCurrent == 0) {
    messages.Message_Box(
        "OffMap::Calc_Average_RGB_Components  failed,  widthCurrent or  heightCurrent equals "
        "zero.");
    return -1;
  }
  if (widthCurrent < 0 || heightCurrent < 0) {
    messages.Message_Box(
        "OffMap::Calc_Average_RGB_Components  failed,  widthCurrent or  heightCurrent is LESS "
        "than ZERO.");
    return -1;
  }

  int64_t sumR = 0, sumG = 0, sumB = 0, count = 0;
  // Only the part of the area that lies on this map is scanned.
  const int64_t x0 = std::max<int64_t>(left, 0), x1 = std::min<int64_t>(right, m_width - 1);
  const int64_t y0 = std::max<int64_t>(top, 0), y1 = std::min<int64_t>(bottom, m_height - 1);
  if (m_bits) {
    for (int64_t y = y0; y <= y1; ++y) {
      const int64_t my = (y - top) * maskHeight / heightCurrent;
      const uint8_t* row = Row(static_cast<int32_t>(y));
      for (int64_t x = x0; x <= x1; ++x) {
        const int64_t mx = (x - left) * maskWidth / widthCurrent;
        if (!maskMap.Is_Pixel_Red_Value(To_Coordinate(mx), To_Coordinate(my), 0)) continue;
        int16_t pr = 0, pg = 0, pb = 0;
        Read_In_Row(row, m_depth, static_cast<int32_t>(x), pr, pg, pb);
        sumR += pr;
        sumG += pg;
        sumB += pb;
        ++count;
      }
    }
  }
  const int64_t maskPixels = static_cast<int64_t>(maskMap.Get_Width()) * maskMap.Get_Height();
  percent = maskPixels > 0 ? static_cast<int32_t>(count * 100 / maskPixels) : 0;
  if (count == 0) return 0;
  r = static_cast<int16_t>(sumR / count);
  g = static_cast<int16_t>(sumG / count);
  b = static_cast<int16_t>(sumB / count);
  return static_cast<int32_t>(count);
}

void OffMap::Colorize_Dark_Pixels(int16_t r, int16_t g, int16_t b, int16_t threshold) {
  if (!m_bits) return;
  for (int32_t y = 0; y < m_height; ++y) {
    uint8_t* row = Row(y);
    for (int32_t x = 0; x < m_width; ++x) {
      int16_t pr = 0, pg = 0, pb = 0;
      Read_In_Row(row, m_depth, x, pr, pg, pb);
      if (!Is_Light(pr, pg, pb, threshold)) Store_In_Row(row, m_depth, x, r, g, b);
    }
  }
}

void OffMap::Two_Tone_by_Threshold(int16_t r, int16_t g, int16_t b, int16_t threshold) {
  if (!m_bits) return;
  for (int32_t y = 0; y < m_height; ++y) {
    uint8_t* row = Row(y);
    for (int32_t x = 0; x < m_width; ++x) {
      int16_t pr = 0, pg = 0, pb = 0;
      Read_In_Row(row, m_depth, x, pr, pg, pb);
      if (Is_Light(pr, pg, pb, threshold))
        Store_In_Row(row, m_depth, x, r, g, b);
      else
        Store_In_Row(row, m_depth, x, 255, 255, 255);
    }
  }
}
