#pragma once
// The arithmetic the colour fits share (the map's own fits and the region
// fits): how close a round has come, how offsets accumulate from round to
// round, and the rounds of the per-pixel fit, which moves hue and saturation
// through HSV offsets and brightness through a luminance (Y) offset.

#include <cstdint>
#include <cstdlib>

#include "raster/ColorSpace.h"
#include "raster/OffMap.h"

// Rounds of the HSV and per-pixel fits.
constexpr int kColorFitRounds = 12;

// A fit has converged when all three differences are within 4.
inline bool Within_4(int a, int b, int c) {
  return std::abs(a) <= 4 && std::abs(b) <= 4 && std::abs(c) <= 4;
}

inline int16_t Saturate16(int v) {
  return static_cast<int16_t>(v < INT16_MIN ? INT16_MIN : (v > INT16_MAX ? INT16_MAX : v));
}

// Hue offsets are kept within -359..359 by up to two corrections of 360.
inline int Wrap_Hue_Offset(int offset) {
  for (int n = 0; n < 2 && offset > 359; ++n) offset -= 360;
  for (int n = 0; n < 2 && offset < -359; ++n) offset += 360;
  return offset;
}

// A fit that did not converge reports whether it ended near white: every
// component of the last mean above 239.
inline bool Is_Near_White_HSV(int16_t h, int16_t s, int16_t v) {
  int16_t r = 0, g = 0, b = 0;
  HSV_to_RGB(h, s, v, &r, &g, &b);
  return r > 239 && g > 239 && b > 239;
}

// Where a hue fit stands: hue and saturation, and a third component, the
// value of the HSV fit or the luminance of the per-pixel fit.
struct HueFitPoint {
  int16_t hue = 0, sat = 0, third = 0;
};

// The offsets a hue fit arrived at, and whether it came within 4 of its
// target.
struct HueFit {
  int hueOffset = 0, satOffset = 0, thirdOffset = 0;
  bool converged = false;
};

// The rounds of a hue fit from `at` towards `target`.  Each round that is
// not within 4 of the target adds the differences to the offsets (the hue
// offset wrapped, the others saturated), has `apply(fit)` rewrite the map
// through them and takes the new point from `measure()`; `at` ends as the
// last point measured.
template <class Apply, class Measure>
HueFit Run_Hue_Fit(const HueFitPoint& target, HueFitPoint& at, Apply apply, Measure measure) {
  HueFit fit;
  for (int round = 0; round < kColorFitRounds; ++round) {
    const int dh = Hue_Difference(target.hue, at.hue);
    const int ds = target.sat - at.sat;
    const int dt = target.third - at.third;
    if (Within_4(dh, ds, dt)) {
      fit.converged = true;
      break;
    }
    fit.hueOffset = Wrap_Hue_Offset(fit.hueOffset + dh);
    fit.satOffset = Saturate16(fit.satOffset + ds);
    fit.thirdOffset = Saturate16(fit.thirdOffset + dt);
    apply(static_cast<const HueFit&>(fit));
    at = measure();
  }
  return fit;
}

// The point of the per-pixel fit on `map`: the per-pixel HSV means of hue
// and saturation and the luminance of the mean colour; `value` gets the
// per-pixel value mean.
inline HueFitPoint PerPixel_Fit_Point(const OffMap& map, int16_t& value) {
  HueFitPoint point;
  map.Average_NonWhite_HSV_PerPixel(point.hue, point.sat, value);
  int16_t i = 0, q = 0;
  map.Average_NonWhite_YIQ(point.third, i, q);
  return point;
}
