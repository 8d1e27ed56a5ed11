#pragma once
// ForkKernal: a junction of outline lines found by the fork filter, with a
// flag for each direction in which a line leaves it.  The flags are kept in
// the order up, left, right, down; a non-zero flag marks an arm.

#include <cstdint>

struct ForkKernal {
  enum Arm { kUp = 0, kLeft = 1, kRight = 2, kDown = 3 };
  static constexpr int kArmCount = 4;
  // The value the fork filter marks an arm with.
  static constexpr int16_t kArmMark = 9;

  int16_t x = 0;
  int16_t y = 0;
  int16_t arms[kArmCount] = {0, 0, 0, 0};
};
