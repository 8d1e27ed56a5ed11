#pragma once
// The two colour blends of map compositing, one colour component at a time.
//
// Both treat 255 as 256: full white is the bare paper, one step lighter than
// any paint.  Results are clamped to 0..255.

#include <cstdint>

inline int16_t Blend_Lift(int16_t v) {
  return v == 255 ? 256 : v;
}

inline int16_t Blend_Clamp(int32_t v) {
  return static_cast<int16_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

// What is left of `a` once `b` has been taken out of it: white where b is
// at least as dark as a, otherwise the residue 256 - (b - a) that b does not
// account for.  Taking out white leaves a unchanged.
inline int16_t Subtract_Blend(int16_t a, int16_t b) {
  return Blend_Clamp(Blend_Lift(a) - Blend_Lift(b) + 256);
}

// Transparent paint laid over `under`: over white it is the paint itself,
// over a colour it darkens it, and white paint changes nothing.
inline int16_t Transparent_Blend(int16_t paint, int16_t under) {
  return Blend_Clamp(Blend_Lift(paint) + Blend_Lift(under) - 256);
}

// The colour is at least as light as the pixel in red and green and
// strictly lighter in blue.
inline bool Is_Lighter_Than(int16_t colorR, int16_t colorG, int16_t colorB, int16_t pixelR, int16_t pixelG,
                            int16_t pixelB) {
  return Blend_Lift(colorR) >= Blend_Lift(pixelR) && Blend_Lift(colorG) >= Blend_Lift(pixelG) &&
         Blend_Lift(colorB) > Blend_Lift(pixelB);
}
