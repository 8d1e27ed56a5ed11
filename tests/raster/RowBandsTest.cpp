// Bands of rows: every row in exactly one band, bands of at least
// kMinBandRows rows, no more bands than threads.

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

#include "raster/RowBands.h"

namespace {

TEST(RowBands, EveryRowOnceInAtMostThreadsBands) {
  EXPECT_EQ(Row_Band_Count(1000, 1), 1);
  EXPECT_EQ(Row_Band_Count(1000, 0), 1);
  EXPECT_EQ(Row_Band_Count(1000, 4), 4);
  EXPECT_EQ(Row_Band_Count(63, 4), 1);  // two bands would be thinner than 32 rows
  EXPECT_EQ(Row_Band_Count(64, 4), 2);
  EXPECT_EQ(Row_Band_Count(100000, 1000), kMaxBands);
  for (int32_t height : {0, 1, 31, 64, 97, 300}) {
    for (int32_t threads : {1, 2, 3, 5}) {
      std::vector<std::atomic<int>> seen(static_cast<size_t>(height));
      std::mutex lock;
      std::vector<std::pair<int32_t, int32_t>> bands;
      For_Row_Bands(height, threads, [&](int32_t y0, int32_t y1) {
        for (int32_t y = y0; y < y1; ++y) ++seen[static_cast<size_t>(y)];
        std::lock_guard<std::mutex> hold(lock);
        bands.emplace_back(y0, y1);
      });
      for (int32_t y = 0; y < height; ++y)
        EXPECT_EQ(seen[static_cast<size_t>(y)], 1) << height << " row " << y;
      EXPECT_EQ(static_cast<int32_t>(bands.size()), height == 0 ? 0 : Row_Band_Count(height, threads));
      if (bands.size() > 1) {
        for (const auto& [y0, y1] : bands) EXPECT_GE(y1 - y0, kMinBandRows);
      }
    }
  }
}

}  // namespace
