#pragma once
// Splitting the rows of a map among threads.
//
// An operation whose output rows depend only on its input (never on other
// output rows) may compute them in bands of consecutive rows at the same
// time; every row is computed exactly as one thread would, so the result is
// the same for any number of threads.  The threads are started and joined
// inside the call: nothing outlives it and nothing is shared between calls.

#include <algorithm>
#include <cstdint>
#include <thread>
#include <vector>

// The fewest rows a band gets: a thread is worth starting only for so much
// work.
constexpr int32_t kMinBandRows = 32;
// The most bands one call makes.
constexpr int32_t kMaxBands = 64;

// The number of bands For_Row_Bands makes of `height` rows for `threads`.
inline int32_t Row_Band_Count(int32_t height, int32_t threads) {
  return std::clamp<int32_t>(std::min(threads, height / kMinBandRows), 1, kMaxBands);
}

// Calls body(y0, y1) for bands [y0, y1) that together cover rows 0 ..
// height - 1, at most `threads` at a time: the first band on the calling
// thread, each other one on a thread of its own.  A `threads` of 1 or less
// (or a map too small to split) makes one band on the calling thread.
template <class Body>
void For_Row_Bands(int32_t height, int32_t threads, const Body& body) {
  if (height <= 0) return;
  const int32_t bands = Row_Band_Count(height, threads);
  const auto edge = [height, bands](int32_t band) {
    return static_cast<int32_t>(static_cast<int64_t>(height) * band / bands);
  };
  std::vector<std::jthread> helpers;
  helpers.reserve(static_cast<size_t>(bands - 1));
  for (int32_t band = 1; band < bands; ++band)
    helpers.emplace_back([&body, y0 = edge(band), y1 = edge(band + 1)] { body(y0, y1); });
  body(0, edge(1));
}
