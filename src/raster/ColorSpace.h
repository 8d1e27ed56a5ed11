#pragma once
// Colour records and the integer colour-space conversions of the program.
//
// HSV: hue in degrees 0..359 (360 accepted as input, meaning 0; -1 for a
// grey, black or white), saturation 0..255, value 0..255 (the largest of
// red, green and blue).  YIQ: luminance 0..255 and two signed chroma values.
// Packed colours are 0x00BBGGRR (red in the low byte).

#include <cstdint>
#include <string>

struct ColorHSV {
  int16_t hue = 0;
  int16_t sat = 0;
  int16_t val = 0;
};

// A colour with the nickname of the paint colour it came from.
struct kvColorRef {
  uint32_t color = 0;  // 0x00BBGGRR
  uint32_t word = 0;
  std::string name;
};

inline uint32_t Pack_RGB(int r, int g, int b) {
  return static_cast<uint32_t>(r & 0xFF) | (static_cast<uint32_t>(g & 0xFF) << 8) |
         (static_cast<uint32_t>(b & 0xFF) << 16);
}
inline int Packed_Red(uint32_t c) {
  return static_cast<int>(c & 0xFF);
}
inline int Packed_Green(uint32_t c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
inline int Packed_Blue(uint32_t c) {
  return static_cast<int>((c >> 16) & 0xFF);
}

void RGB_to_HSV(int16_t r, int16_t g, int16_t b, int16_t* h, int16_t* s, int16_t* v);
void HSV_to_RGB(int16_t h, int16_t s, int16_t v, int16_t* r, int16_t* g, int16_t* b);
void RGB_to_YIQ(int16_t r, int16_t g, int16_t b, int16_t* y, int16_t* i, int16_t* q);
void YIQ_to_RGB(int16_t y, int16_t i, int16_t q, int16_t* r, int16_t* g, int16_t* b);
// Signed shortest difference a - b in degrees, in -180..180.
int16_t Hue_Difference(int16_t a, int16_t b);
// A hue brought into 0..359 by whole turns.
inline int16_t Hue_In_Turn(int32_t hue) {
  hue %= 360;
  if (hue < 0) hue += 360;
  return static_cast<int16_t>(hue);
}

// CIELAB: lightness L* 0..100 and the chroma axes a* and b*, for 8-bit sRGB
// components taken as D65 (the sRGB curve undone, the sRGB matrix, the D65
// white point 0.95047, 1, 1.08883).
struct ColorLab {
  double L = 0;
  double a = 0;
  double b = 0;
};
ColorLab RGB_to_Lab(int r, int g, int b);
// The CIE 1976 colour difference: the distance of two colours in CIELAB.
double Delta_E_CIE76(const ColorLab& x, const ColorLab& y);
