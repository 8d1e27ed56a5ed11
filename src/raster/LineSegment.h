#pragma once
// The records the seed fills keep on their stacks.

#include <cstdint>

// One horizontal run still to be explored by the scan-line fill: the run
// xLeft..xRight lies on row y, which has been filled already; the row to
// look at next is y + dy (dy is +1 or -1).  Eight bytes, so that a map's
// seed stack of 20000 entries stays small.
struct LINESEGMENToffmap {
  int16_t xLeft = 0;
  int16_t xRight = 0;
  int16_t y = 0;
  int16_t dy = 0;
};

// One run of the flood read: its right end x on row y.  `left` is a marker
// (-8888 for the seed's run, -1 for runs found on a neighbouring row) or a
// left end.
struct LineSegment {
  int16_t left = 0;
  int16_t x = 0;
  int16_t y = 0;
};
