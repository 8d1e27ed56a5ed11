#include "raster/ColorSpace.h"

#include <array>
#include <cmath>

// The conversions run once or twice per pixel in every colour operation.
// Their rounding is part of the program's results (separations and fitted
// colours depend on it), so each one follows its formula step by step in
// double precision and truncates toward zero exactly where noted.

namespace {

inline int16_t Clamp_Component(int v) {
  if (v >= 256) return 255;
  if (v < 0) return 0;
  return static_cast<int16_t>(v);
}

// The quotients v / 255, s / 255 and h / 60 of HSV_to_RGB, computed once
// (the same divisions, so the same values) instead of per pixel.
template <int N>
constexpr std::array<double, N> Quotients(double divisor) {
  std::array<double, N> q{};
  for (int i = 0; i < N; ++i) q[i] = i / divisor;
  return q;
}
constexpr std::array<double, 256> kBy255 = Quotients<256>(255.0);
constexpr std::array<double, 360> kBy60 = Quotients<360>(60.0);

}  // namespace

void RGB_to_HSV(int16_t r, int16_t g, int16_t b, int16_t* h, int16_t* s, int16_t* v) {
  const int mx = r > g ? (r > b ? r : b) : (g > b ? g : b);
  const int mn = r < g ? (r < b ? r : b) : (g < b ? g : b);
  *v = static_cast<int16_t>(mx);
  if (mx == 0) {
    *s = 0;
    *h = -1;
    return;
  }
  const int sat = (mx - mn) * 255 / mx;
  *s = static_cast<int16_t>(sat);
  if (sat == 0) {
    *h = -1;
    return;
  }
  const double delta = mx - mn;
  double hue;
  if (r == mx)
    hue = (g - b) / delta;
  else if (g == mx)
    hue = 2.0 + (b - r) / delta;
  else
    hue = 4.0 + (r - g) / delta;
  hue *= 60.0;
  if (hue < 0.0) hue += 360.0;
  *h = static_cast<int16_t>(hue);
}

void HSV_to_RGB(int16_t h, int16_t s, int16_t v, int16_t* r, int16_t* g, int16_t* b) {
  if (s == 0 || h == -1) {
    *r = *g = *b = Clamp_Component(v);
    return;
  }
  const int hue = h == 360 ? 0 : h;
  const double hh = (hue >= 0 && hue < 360) ? kBy60[hue] : hue / 60.0;
  const int sector = static_cast<int>(hh);
  const double frac = hh - sector;
  const double V = (v >= 0 && v < 256) ? kBy255[v] : v / 255.0;
  const double S = (s >= 0 && s < 256) ? kBy255[s] : s / 255.0;
  const int p = static_cast<int>(V * (1.0 - S) * 255.0);
  const int q = static_cast<int>(V * (1.0 - frac * S) * 255.0);
  const int t = static_cast<int>(V * (1.0 - S * (1.0 - frac)) * 255.0);
  int rr = -9, gg = -9, bb = -9;
  switch (sector) {
    case 0:
      rr = v;
      gg = t;
      bb = p;
      break;
    case 1:
      rr = q;
      gg = v;
      bb = p;
      break;
    case 2:
      rr = p;
      gg = v;
      bb = t;
      break;
    case 3:
      rr = p;
      gg = q;
      bb = v;
      break;
    case 4:
      rr = t;
      gg = p;
      bb = v;
      break;
    case 5:
      rr = v;
      gg = p;
      bb = q;
      break;
    default:
      break;  // a hue above 360: left at -9, which the clamp turns into 0
  }
  *r = Clamp_Component(rr);
  *g = Clamp_Component(gg);
  *b = Clamp_Component(bb);
}

void RGB_to_YIQ(int16_t r, int16_t g, int16_t b, int16_t* y, int16_t* i, int16_t* q) {
  *y = static_cast<int16_t>(0.299 * r + 0.587 * g + 0.114 * b);
  *i = static_cast<int16_t>(0.596 * r - 0.274 * g - 0.322 * b);
  *q = static_cast<int16_t>(0.211 * r - 0.523 * g + 0.312 * b);
}

void YIQ_to_RGB(int16_t y, int16_t i, int16_t q, int16_t* r, int16_t* g, int16_t* b) {
  *r = Clamp_Component(static_cast<int>(y + 0.956 * i + 0.621 * q));
  *g = Clamp_Component(static_cast<int>(y - 0.272 * i - 0.647 * q));
  *b = Clamp_Component(static_cast<int>(y - 1.106 * i + 1.703 * q));
}

namespace {

int Normalise_Hue(int h) {
  for (int n = 0; n < 2 && h > 360; ++n) h -= 360;
  for (int n = 0; n < 2 && h < -360; ++n) h += 360;
  if (h < 0) h += 360;
  return h;
}

}  // namespace

int16_t Hue_Difference(int16_t a, int16_t b) {
  int d = Normalise_Hue(a) - Normalise_Hue(b);
  if (d < -180) d += 360;
  if (d > 180) d -= 360;
  return static_cast<int16_t>(d);
}

namespace {

// The sRGB curve undone for each 8-bit component.
const std::array<double, 256>& Linear_sRGB_Table() {
  static const std::array<double, 256> table = [] {
    std::array<double, 256> t{};
    for (int i = 0; i < 256; ++i) {
      const double c = i / 255.0;
      t[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    }
    return t;
  }();
  return table;
}

double Lab_Curve(double t) {
  constexpr double kDelta = 6.0 / 29.0;
  return t > kDelta * kDelta * kDelta ? std::cbrt(t) : t / (3 * kDelta * kDelta) + 4.0 / 29.0;
}

}  // namespace

ColorLab RGB_to_Lab(int r, int g, int b) {
  const std::array<double, 256>& linear = Linear_sRGB_Table();
  const double lr = linear[static_cast<uint8_t>(r)];
  const double lg = linear[static_cast<uint8_t>(g)];
  const double lb = linear[static_cast<uint8_t>(b)];
  const double x = (0.4124564 * lr + 0.3575761 * lg + 0.1804375 * lb) / 0.95047;
  const double y = 0.2126729 * lr + 0.7151522 * lg + 0.0721750 * lb;
  const double z = (0.0193339 * lr + 0.1191920 * lg + 0.9503041 * lb) / 1.08883;
  const double fx = Lab_Curve(x), fy = Lab_Curve(y), fz = Lab_Curve(z);
  return ColorLab{116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double Delta_E_CIE76(const ColorLab& x, const ColorLab& y) {
  const double dL = x.L - y.L, da = x.a - y.a, db = x.b - y.b;
  return std::sqrt(dL * dL + da * da + db * db);
}
