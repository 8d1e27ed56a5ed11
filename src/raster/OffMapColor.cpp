// Colour-modified pixel reads, colour statistics and colour fitting.

#include <cmath>

#include "raster/ColorFit.h"
#include "raster/ColorSpace.h"
#include "raster/OffMap.h"

namespace {

inline bool Is_White(int16_t r, int16_t g, int16_t b) {
  return r == 255 && g == 255 && b == 255;
}

inline int Clamp(int v, int lo, int hi) {
  return v < lo ? lo : (v > hi ? hi : v);
}

// The HSV shift of a colour that is not white.  The hue wraps into 0..359
// (a grey keeps no hue and stays grey); saturation and value are clamped.
void Shift_HSV(int16_t& r, int16_t& g, int16_t& b, int dHue, int dSat, int dVal) {
  int16_t h = 0, s = 0, v = 0;
  RGB_to_HSV(r, g, b, &h, &s, &v);
  if (h != -1) h = Hue_In_Turn(h + dHue);
  s = static_cast<int16_t>(Clamp(s + dSat, 0, 255));
  v = static_cast<int16_t>(Clamp(v + dVal, 0, 255));
  HSV_to_RGB(h, s, v, &r, &g, &b);
}

void Shift_YIQ(int16_t& r, int16_t& g, int16_t& b, int dY, int dI, int dQ) {
  int16_t y = 0, i = 0, q = 0;
  RGB_to_YIQ(r, g, b, &y, &i, &q);
  YIQ_to_RGB(Saturate16(y + dY), Saturate16(i + dI), Saturate16(q + dQ), &r, &g, &b);
}

// The integer part of a real coordinate; one that no coordinate can hold
// reads as outside the map.
void Split_Coordinate(double v, int32_t& whole, double& frac) {
  const double t = std::trunc(v);
  if (!(t >= -1073741824.0 && t <= 1073741824.0)) {
    whole = -2;
    frac = 0.0;
    return;
  }
  whole = static_cast<int32_t>(t);
  frac = v - t;
}

}  // namespace

void OffMap::Get_Pixel_ColorModified(int32_t x, int32_t y, int16_t dHue, int16_t dSat, int16_t dVal,
                                     int16_t& r, int16_t& g, int16_t& b) const {
  Get_Pixel(x, y, r, g, b);
  if ((dHue == 0 && dSat == 0 && dVal == 0) || Is_White(r, g, b)) return;
  Shift_HSV(r, g, b, dHue, dSat, dVal);
}

void OffMap::Get_Pixel_YIQ_Modified(int32_t x, int32_t y, int16_t dY, int16_t dI, int16_t dQ, int16_t& r,
                                    int16_t& g, int16_t& b) const {
  Get_Pixel(x, y, r, g, b);
  if ((dY == 0 && dI == 0 && dQ == 0) || Is_White(r, g, b)) return;
  Shift_YIQ(r, g, b, dY, dI, dQ);
}

void OffMap::Get_Pixel_HSV_YIQ_Modified(int32_t x, int32_t y, int16_t dHue, int16_t dSat, int16_t dVal,
                                        int16_t dY, int16_t dI, int16_t dQ, int16_t& r, int16_t& g,
                                        int16_t& b) const {
  Get_Pixel(x, y, r, g, b);
  if (Is_White(r, g, b)) return;
  if (dHue != 0 || dSat != 0 || dVal != 0) Shift_HSV(r, g, b, dHue, dSat, dVal);
  if (dY != 0 || dI != 0 || dQ != 0) Shift_YIQ(r, g, b, dY, dI, dQ);
}

void OffMap::Get_Pixel_Bilinear(double x, double y, int16_t& r, int16_t& g, int16_t& b, bool grey) const {
  int32_t x0 = 0, y0 = 0;
  double fx = 0.0, fy = 0.0;
  Split_Coordinate(x, x0, fx);
  Split_Coordinate(y, y0, fy);
  int16_t p[4][3];
  Get_Pixel(x0, y0, p[0][0], p[0][1], p[0][2]);
  Get_Pixel(x0 + 1, y0, p[1][0], p[1][1], p[1][2]);
  Get_Pixel(x0, y0 + 1, p[2][0], p[2][1], p[2][2]);
  Get_Pixel(x0 + 1, y0 + 1, p[3][0], p[3][1], p[3][2]);
  auto blend = [fx, fy](double v00, double v10, double v01, double v11) {
    return (1.0 - fy) * ((1.0 - fx) * v00 + fx * v10) + fy * ((1.0 - fx) * v01 + fx * v11);
  };
  if (grey) {
    double lum[4];
    for (int k = 0; k < 4; ++k) lum[k] = 0.299 * p[k][0] + 0.587 * p[k][1] + 0.114 * p[k][2];
    r = g = b = static_cast<int16_t>(blend(lum[0], lum[1], lum[2], lum[3]));
    return;
  }
  int16_t* out[3] = {&r, &g, &b};
  for (int c = 0; c < 3; ++c) *out[c] = static_cast<int16_t>(blend(p[0][c], p[1][c], p[2][c], p[3][c]));
}

template <class Shift>
void OffMap::Rewrite_Pixels_From(const OffMap& source, Shift shift) {
  if (!m_bits || !source.m_bits || source.m_width < m_width || source.m_height < m_height) return;
  for (int32_t y = 0; y < m_height; ++y) {
    const uint8_t* src = source.Row(y);
    uint8_t* dst = Row(y);
    for (int32_t x = 0; x < m_width; ++x) {
      int16_t r = 0, g = 0, b = 0;
      Read_In_Row(src, source.m_depth, x, r, g, b);
      if (!Is_White(r, g, b)) shift(r, g, b);
      Store_In_Row(dst, m_depth, x, r, g, b);
    }
  }
}

void OffMap::Modify_Colors_In_Place(int16_t dHue, int16_t dSat, int16_t dVal) {
  if (dHue == 0 && dSat == 0 && dVal == 0) return;
  Rewrite_Pixels_From(*this,
                      [=](int16_t& r, int16_t& g, int16_t& b) { Shift_HSV(r, g, b, dHue, dSat, dVal); });
}

int32_t OffMap::Average_NonWhite_HSV(int16_t& h, int16_t& s, int16_t& v) const {
  int16_t r = 0, g = 0, b = 0;
  const int32_t count = Average_NonWhite_RGB(r, g, b);
  RGB_to_HSV(r, g, b, &h, &s, &v);
  return count;
}

int32_t OffMap::Average_NonWhite_YIQ(int16_t& y, int16_t& i, int16_t& q) const {
  int16_t r = 0, g = 0, b = 0;
  const int32_t count = Average_NonWhite_RGB(r, g, b);
  RGB_to_YIQ(r, g, b, &y, &i, &q);
  return count;
}

std::unique_ptr<OffMap> OffMap::Make_Fit_Original(std::string& err) const {
  // A map without pixels fails in the copy, with the copy's text.
  if (Is_Not_In_Memory()) {
    err = "OffMap::Copy_Bits() failed,  Bitmaps are NOT in MEMORY. ";
    return nullptr;
  }
  std::unique_ptr<OffMap> orig = Make(m_width, m_height, m_depth);
  if (!orig) {
    err = "OffMap::Fit_To_HSV_Color_OffMap  failed,  could not alloc  origMap.";
    return nullptr;
  }
  if (!orig->Copy_Bits(*this, err)) return nullptr;
  return orig;
}

bool OffMap::Fit_To_HSV_Color_OffMap(int16_t targetHue, int16_t targetSat, int16_t targetVal, bool& nearWhite,
                                     int16_t& hueOffset, int16_t& satOffset, int16_t& valOffset,
                                     std::string& err) {
  err.clear();
  nearWhite = false;
  hueOffset = satOffset = valOffset = 0;
  const std::unique_ptr<OffMap> orig = Make_Fit_Original(err);
  if (!orig) return false;

  const auto measure = [this] {
    HueFitPoint point;
    Average_NonWhite_HSV(point.hue, point.sat, point.third);
    return point;
  };
  HueFitPoint at = measure();
  const HueFit fit = Run_Hue_Fit(
      HueFitPoint{targetHue, targetSat, targetVal}, at,
      [&](const HueFit& offsets) {
        Rewrite_Pixels_From(*orig, [=](int16_t& r, int16_t& g, int16_t& b) {
          if (offsets.hueOffset != 0 || offsets.satOffset != 0 || offsets.thirdOffset != 0)
            Shift_HSV(r, g, b, offsets.hueOffset, offsets.satOffset, offsets.thirdOffset);
        });
      },
      measure);
  hueOffset = static_cast<int16_t>(fit.hueOffset);
  satOffset = static_cast<int16_t>(fit.satOffset);
  valOffset = static_cast<int16_t>(fit.thirdOffset);
  if (!fit.converged) nearWhite = Is_Near_White_HSV(at.hue, at.sat, at.third);
  return true;
}

bool OffMap::Fit_To_HSV_Color_OffMap(Fit_YIQ, int16_t targetY, int16_t targetI, int16_t targetQ,
                                     int16_t& yOffset, int16_t& iOffset, int16_t& qOffset, std::string& err) {
  err.clear();
  yOffset = iOffset = qOffset = 0;
  const std::unique_ptr<OffMap> orig = Make_Fit_Original(err);
  if (!orig) return false;

  int16_t y = 0, i = 0, q = 0;
  Average_NonWhite_YIQ(y, i, q);
  int yOff = 0, iOff = 0, qOff = 0;
  for (int round = 0; round < 24; ++round) {
    const int dy = targetY - y;
    const int di = targetI - i;
    const int dq = targetQ - q;
    if (Within_4(dy, di, dq)) break;
    yOff = Saturate16(yOff + dy);
    iOff = Saturate16(iOff + di);
    qOff = Saturate16(qOff + dq);
    Rewrite_Pixels_From(*orig, [=](int16_t& r, int16_t& g, int16_t& b) {
      if (yOff != 0 || iOff != 0 || qOff != 0) Shift_YIQ(r, g, b, yOff, iOff, qOff);
    });
    Average_NonWhite_YIQ(y, i, q);
  }
  yOffset = static_cast<int16_t>(yOff);
  iOffset = static_cast<int16_t>(iOff);
  qOffset = static_cast<int16_t>(qOff);
  return true;
}

bool OffMap::Fit_To_HSV_Color_OffMap(Fit_PerPixel, int16_t targetHue, int16_t targetSat, int16_t targetVal,
                                     bool& nearWhite, int16_t& hueOffset, int16_t& satOffset,
                                     int16_t& valOffset, std::string& err) {
  err.clear();
  nearWhite = false;
  hueOffset = satOffset = valOffset = 0;
  const std::unique_ptr<OffMap> orig = Make_Fit_Original(err);
  if (!orig) return false;

  int16_t tr = 0, tg = 0, tb = 0, targetY = 0, ti = 0, tq = 0;
  HSV_to_RGB(targetHue, targetSat, targetVal, &tr, &tg, &tb);
  RGB_to_YIQ(tr, tg, tb, &targetY, &ti, &tq);

  int16_t value = 0;
  HueFitPoint at = PerPixel_Fit_Point(*this, value);
  const int16_t startVal = value;
  const HueFit fit = Run_Hue_Fit(
      HueFitPoint{targetHue, targetSat, targetY}, at,
      [&](const HueFit& offsets) {
        Rewrite_Pixels_From(*orig, [=](int16_t& r, int16_t& g, int16_t& b) {
          if (offsets.hueOffset != 0 || offsets.satOffset != 0)
            Shift_HSV(r, g, b, offsets.hueOffset, offsets.satOffset, 0);
          if (offsets.thirdOffset != 0) Shift_YIQ(r, g, b, offsets.thirdOffset, 0, 0);
        });
      },
      [&] { return PerPixel_Fit_Point(*this, value); });
  hueOffset = static_cast<int16_t>(fit.hueOffset);
  satOffset = static_cast<int16_t>(fit.satOffset);
  valOffset = static_cast<int16_t>(value - startVal);
  if (!fit.converged) nearWhite = Is_Near_White_HSV(at.hue, at.sat, value);
  return true;
}
