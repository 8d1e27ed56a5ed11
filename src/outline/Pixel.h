#pragma once
// Pixel: one point of an outline, in map coordinates (x to the right, y
// downwards).  (-9999, -9999) marks a pixel that has not been set.

#include <cstdint>

struct Pixel {
  static constexpr int16_t kUnset = -9999;

  int16_t x = 0;
  int16_t y = 0;
};
