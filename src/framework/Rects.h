#pragma once
// Point and rectangle records.  A rectangle is left, top, right, bottom with
// both edges included.

#include <cstdint>

struct Dataj {};

struct PointShrt : Dataj {
  int16_t x = 0;
  int16_t y = 0;
};

struct PointLong : Dataj {
  int32_t x = 0;
  int32_t y = 0;
};

struct RectShrt : Dataj {
  int16_t left = 0;
  int16_t top = 0;
  int16_t right = 0;
  int16_t bottom = 0;
};

struct RectLong : Dataj {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

inline RectShrt Make_RectShrt(int16_t left, int16_t top, int16_t right, int16_t bottom) {
  RectShrt r;
  r.left = left;
  r.top = top;
  r.right = right;
  r.bottom = bottom;
  return r;
}
