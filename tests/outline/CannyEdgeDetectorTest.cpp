#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "outline/CannyEdgeDetector.h"
#include "raster/OffMap.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"
#include "support/TestSupport.h"

namespace {

constexpr uint8_t C = CannyEdgeDetector::kCandidate;

std::unique_ptr<OffMap> Grey(int32_t w, int32_t h, int16_t v) {
  auto map = std::make_unique<OffMap>(w, h, 8);
  map->Fill(v);
  return map;
}

// Left of column `at` black, from it on white.
std::unique_ptr<OffMap> Vertical_Step(int32_t w, int32_t h, int32_t at, int32_t depth = 8) {
  auto map = std::make_unique<OffMap>(w, h, depth);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const int16_t v = x < at ? 0 : 255;
      map->Set_Pixel(x, y, v, v, v);
    }
  return map;
}

// A dark disc on a light, slightly noisy background: curved edges in every
// direction.
std::unique_ptr<OffMap> Disc_Picture(int32_t w, int32_t h, uint32_t seed) {
  auto map = std::make_unique<OffMap>(w, h, 8);
  std::mt19937 random(seed);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const int32_t dx = x - w / 2, dy = y - h / 2;
      const int16_t base = dx * dx + dy * dy < (w / 4) * (w / 4) ? 40 : 200;
      const int16_t v = static_cast<int16_t>(base + static_cast<int16_t>(random() % 21) - 10);
      map->Set_Pixel(x, y, v, v, v);
    }
  return map;
}

int16_t Red(const OffMap& map, int32_t x, int32_t y) {
  int16_t r = -1, g = -1, b = -1;
  map.Get_Pixel(x, y, r, g, b);
  return r;
}

std::vector<int16_t> Reds(const OffMap& map) {
  std::vector<int16_t> out;
  for (int32_t y = 0; y < map.Get_Height(); ++y)
    for (int32_t x = 0; x < map.Get_Width(); ++x) out.push_back(Red(map, x, y));
  return out;
}

bool All_White(const OffMap& map) {
  for (int16_t v : Reds(map))
    if (v != 255) return false;
  return true;
}

// The detection parameters of the outline pipeline at its start settings
// (detail 50, line count 150).
constexpr double kSigma = 0.6 + 5.7 * 50 / 100;
constexpr double kTlow = 0.42;
constexpr double kThigh = 0.6 + 0.38 * 150 / 255;

}  // namespace

// ---- Gaussian kernel and smoothing ------------------------------------------------------------

TEST(CannyKernel, WindowFollowsSigmaInSinglePrecision) {
  EXPECT_EQ(CannyEdgeDetector::Gaussian_Window_Size(0.6f), 5);
  EXPECT_EQ(CannyEdgeDetector::Gaussian_Window_Size(1.0f), 7);
  EXPECT_EQ(CannyEdgeDetector::Gaussian_Window_Size(2.0f), 11);
  EXPECT_EQ(CannyEdgeDetector::Gaussian_Window_Size(6.3f), 33);
  // 0.4 in single precision is a little above 0.4, so 2.5 x sigma passes 1.
  EXPECT_EQ(CannyEdgeDetector::Gaussian_Window_Size(0.4f), 5);
  // No usable kernel.
  EXPECT_EQ(CannyEdgeDetector::Gaussian_Window_Size(0.0f), 0);
  EXPECT_EQ(CannyEdgeDetector::Gaussian_Window_Size(-1.0f), 0);
  EXPECT_EQ(CannyEdgeDetector::Gaussian_Window_Size(std::nanf("")), 0);
  EXPECT_EQ(CannyEdgeDetector::Gaussian_Window_Size(std::numeric_limits<float>::infinity()), 0);
  EXPECT_EQ(CannyEdgeDetector::Gaussian_Window_Size(1e9f), 0);
}

TEST(CannyKernel, NormalisedWeights) {
  // exp(-x^2 / (2 sigma^2)) normalised: for sigma 0.6 the weights of x = 0,
  // 1, 2 are 1, e^-1.3889, e^-5.5556 divided by their sum 1.506436.
  float k[5];
  ASSERT_TRUE(CannyEdgeDetector::Make_Gaussian_Kernel(0.6f, k, 5));
  EXPECT_NEAR(k[2], 0.6638181, 1e-6);
  EXPECT_NEAR(k[1], 0.1655247, 1e-6);
  EXPECT_NEAR(k[0], 0.0025663, 1e-6);
  EXPECT_EQ(k[0], k[4]);
  EXPECT_EQ(k[1], k[3]);

  float k7[7];
  ASSERT_TRUE(CannyEdgeDetector::Make_Gaussian_Kernel(1.0f, k7, 7));
  const double expected[4] = {0.3990501, 0.2420362, 0.0540056, 0.0044331};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(k7[3 + i], expected[i], 1e-6) << i;
    EXPECT_EQ(k7[3 + i], k7[3 - i]) << i;
  }
  // A sigma whose square vanishes in single precision gives no numbers.
  float tiny[3];
  EXPECT_FALSE(CannyEdgeDetector::Make_Gaussian_Kernel(1e-30f, tiny, 3));
}

TEST(CannySmoothing, ImpulseIsSpreadByTheKernelAndScaledBy90) {
  float k[5];
  ASSERT_TRUE(CannyEdgeDetector::Make_Gaussian_Kernel(0.6f, k, 5));
  // One row: the column pass changes nothing but the scale.  Away from the
  // ends the full kernel applies: 22950 x weight, rounded.
  const uint8_t middle[9] = {0, 0, 0, 0, 255, 0, 0, 0, 0};
  float buffer[9];
  int16_t smoothed[9];
  CannyEdgeDetector::Gaussian_Smooth(middle, 1, 9, k, 5, buffer, smoothed);
  const std::vector<int16_t> spread(smoothed, smoothed + 9);
  EXPECT_EQ(spread, (std::vector<int16_t>{0, 0, 59, 3799, 15235, 3799, 59, 0, 0}));

  // At the start of the row only the taps inside count, renormalised:
  // 22950 x 0.663818 / 0.831950 and 22950 x 0.165525 / 0.997439.
  const uint8_t first[9] = {255, 0, 0, 0, 0, 0, 0, 0, 0};
  CannyEdgeDetector::Gaussian_Smooth(first, 1, 9, k, 5, buffer, smoothed);
  const std::vector<int16_t> edge(smoothed, smoothed + 9);
  EXPECT_EQ(edge, (std::vector<int16_t>{18313, 3809, 59, 0, 0, 0, 0, 0, 0}));

  // The same impulse down a column gives the same values: the passes are
  // the same filter in the two directions.
  CannyEdgeDetector::Gaussian_Smooth(first, 9, 1, k, 5, buffer, smoothed);
  EXPECT_EQ(std::vector<int16_t>(smoothed, smoothed + 9), edge);

  // A uniform 5 x 4 image stays uniform (100 x 90) in spite of the
  // renormalisation at every border.
  std::vector<uint8_t> flat(20, 100);
  float flatBuffer[20];
  int16_t flatSmoothed[20];
  CannyEdgeDetector::Gaussian_Smooth(flat.data(), 4, 5, k, 5, flatBuffer, flatSmoothed);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(flatSmoothed[i], 9000) << i;
}

// ---- gradient and non-maximum suppression -------------------------------------------------------

TEST(CannyGradient, DifferencesAndRoundedMagnitude) {
  // 3 rows x 4 columns.
  const int16_t s[12] = {10, 20, 40, 80,  //
                         15, 25, 45, 85,  //
                         30, 30, 30, 30};
  int16_t dx[12], dy[12], mag[12];
  CannyEdgeDetector::Derivatives_X_Y(s, 3, 4, dx, dy);
  // One-sided at the first and last column, central in between.
  EXPECT_EQ(std::vector<int16_t>(dx, dx + 4), (std::vector<int16_t>{10, 30, 60, 40}));
  EXPECT_EQ(std::vector<int16_t>(dx + 8, dx + 12), (std::vector<int16_t>{0, 0, 0, 0}));
  // Row below minus row above; one-sided in the first and last row.
  EXPECT_EQ(std::vector<int16_t>(dy, dy + 4), (std::vector<int16_t>{5, 5, 5, 5}));
  EXPECT_EQ(std::vector<int16_t>(dy + 4, dy + 8), (std::vector<int16_t>{20, 10, -10, -50}));
  EXPECT_EQ(std::vector<int16_t>(dy + 8, dy + 12), (std::vector<int16_t>{15, 5, -15, -55}));

  const int16_t gx[6] = {3, 1, 1, 2, -22950, 0};
  const int16_t gy[6] = {4, 1, 2, 3, 22950, 0};
  CannyEdgeDetector::Magnitude_X_Y(gx, gy, 6, mag);
  // 5, sqrt 2, sqrt 5, sqrt 13 = 3.61, 22950 sqrt 2 = 32456.2, 0.
  EXPECT_EQ(std::vector<int16_t>(mag, mag + 6), (std::vector<int16_t>{5, 1, 2, 4, 32456, 0}));
}

TEST(CannyNonMaxSuppression, InterpolationTableCaseByCase) {
  // Neighbourhood (rows 3 apart): UL U UR / L M R / DL D DR with distinct
  // values, M = 16, so that xp = -gx / 16 and yp = gy / 16 are exact.
  const int16_t n[9] = {5, 3,  6,  //
                        1, 16, 2,  //
                        7, 4,  8};
  struct Case {
    int16_t gx, gy;
    float mag1, mag2;
  };
  const Case cases[] = {
      {4, 2, -3.25f, -2.75f},     // gx >= gy >= 0: (M-L, UL-L), (M-R, DR-R)
      {2, 4, -3.0f, -2.5f},       // 0 <= gx < gy: (U-UL, U-M), (D-DR, D-M)
      {4, -2, -3.0f, -3.0f},      // gx >= -gy > 0: (M-L, L-DL), (M-R, R-UR)
      {2, -4, -2.625f, -2.875f},  // gx < -gy: (D-DL, M-D), (U-UR, M-U)
      {-4, 2, -3.0f, -3.0f},      // -gx >= gy >= 0: (R-M, UR-R), (L-M, DL-L)
      {-2, 4, -2.875f, -2.625f},  // -gx < gy: (UR-U, U-M), (DL-D, D-M)
      {-4, -2, -2.75f, -3.25f},   // -gx > -gy: (R-M, R-DR), (L-M, L-UL)
      {-2, -4, -2.5f, -3.0f},     // -gx <= -gy: (DR-D, M-D), (UL-U, M-U)
  };
  for (const Case& c : cases) {
    float mag1 = 99.0f, mag2 = 99.0f;
    CannyEdgeDetector::Interpolated_Differences(n + 4, 3, c.gx, c.gy, mag1, mag2);
    EXPECT_EQ(mag1, c.mag1) << c.gx << ", " << c.gy;
    EXPECT_EQ(mag2, c.mag2) << c.gx << ", " << c.gy;
  }
}

TEST(CannyNonMaxSuppression, CandidatesBordersAndUnexaminedPixels) {
  // 6 x 6; examined are rows 1..3 and columns 1..3.  A horizontal gradient
  // everywhere: the maximum across the columns wins.
  const int32_t rows = 6, cols = 6;
  std::vector<int16_t> mag(36), gx(36, 8), gy(36, 0);
  const int16_t rowValues[6] = {5, 5, 10, 5, 5, 5};
  for (int32_t r = 0; r < rows; ++r)
    for (int32_t c = 0; c < cols; ++c) mag[r * cols + c] = rowValues[c];
  // Row 2: a step, flat on the left (M = L) and falling on the right: still
  // a candidate (mag1 = 0 is allowed, mag2 must be below 0).
  const int16_t stepValues[6] = {10, 10, 10, 4, 4, 4};
  for (int32_t c = 0; c < cols; ++c) mag[2 * cols + c] = stepValues[c];
  // Row 3: a magnitude of 0 is never a candidate.
  mag[3 * cols + 2] = 0;
  std::vector<uint8_t> nms(36, 77);
  CannyEdgeDetector::Non_Max_Suppression(mag.data(), gx.data(), gy.data(), rows, cols, nms.data());

  const std::vector<uint8_t> expected = {
      0, 0,   0,   0,   0, 0,  //
      0, 255, C,   255, 0, 0,  // the ridge at column 2
      0, 255, C,   255, 0, 0,  // column 1 is a plateau (mag2 = 0), column 2 the step
      0, C,   255, 255, 0, 0,  // the zero magnitude; column 1 now stands above it
      0, 0,   0,   0,   0, 0,  // row rows - 2 is not examined
      0, 0,   0,   0,   0, 0,
  };
  EXPECT_EQ(nms, expected);
}

// ---- hysteresis ---------------------------------------------------------------------------------------

TEST(CannyHysteresis, ThresholdsFromTheCandidateHistogram) {
  // Ten candidates with magnitudes 1..10 spread over a 12 x 12 image, none
  // touching another.
  auto map = Grey(12, 12, 0);
  CannyEdgeDetector detector(map.get());
  EXPECT_EQ(detector.Get_Low_Value(), 11800);
  std::vector<int16_t> mag(144, 0);
  std::vector<uint8_t> nms(144, 255), edge(144);
  for (int i = 0; i < 10; ++i) {
    const int pos = (1 + 2 * (i / 5)) * 12 + 1 + 2 * (i % 5);
    mag[pos] = static_cast<int16_t>(i + 1);
    nms[pos] = C;
  }
  // highcount = (int)(10 x 0.6 + 0.5) = 6: the running count reaches 6 at
  // magnitude 6; low = (int)(6 x 0.42 + 0.5) = 3.
  detector.Apply_Hysteresis(mag.data(), nms.data(), 0.42f, 0.6f, edge.data());
  EXPECT_EQ(detector.Get_High_Threshold(), 6);
  EXPECT_EQ(detector.Get_Low_Value(), 3);
  int edges = 0;
  for (int pos = 0; pos < 144; ++pos) {
    if (edge[pos] == 0) {
      ++edges;
      EXPECT_GE(mag[pos], 6);
    } else {
      EXPECT_EQ(edge[pos], 255);
    }
  }
  EXPECT_EQ(edges, 5);

  // thigh 1: the count can never reach 10 before the walk stops one below
  // the largest magnitude, so the two strongest seed.
  detector.Apply_Hysteresis(mag.data(), nms.data(), 0.42f, 1.0f, edge.data());
  EXPECT_EQ(detector.Get_High_Threshold(), 9);
  EXPECT_EQ(detector.Get_Low_Value(), 4);

  // No candidate at all: high 1, low (int)(0.42 + 0.5) = 0.
  std::vector<uint8_t> none(144, 255);
  detector.Apply_Hysteresis(mag.data(), none.data(), 0.42f, 0.6f, edge.data());
  EXPECT_EQ(detector.Get_High_Threshold(), 1);
  EXPECT_EQ(detector.Get_Low_Value(), 0);
}

TEST(CannyHysteresis, StrongPixelsSeedAndWeakerConnectedOnesJoin) {
  // 99 candidates with magnitudes 1..99 spaced apart in the lower part of a
  // 40 x 40 image, and a short line of 7 more.  Of the 106 candidates
  // highcount = (int)(106 x 0.98 + 0.5) = 104 are reached at magnitude 98,
  // the high threshold: only the three strongest (about 2 %) seed lines.
  const int32_t size = 40;
  auto map = Grey(size, size, 0);
  CannyEdgeDetector detector(map.get());
  std::vector<int16_t> mag(size * size, 0);
  std::vector<uint8_t> nms(size * size, 255), edge(size * size);
  const auto put = [&](int x, int y, int m) {
    mag[y * size + x] = static_cast<int16_t>(m);
    nms[y * size + x] = C;
  };
  for (int i = 0; i < 99; ++i) put(1 + 2 * (i % 19), 20 + 2 * (i / 19), i + 1);
  // The strongest, 100, starts a line at (2, 2) that goes on through weaker
  // candidates, diagonally too, as long as they are above the low value
  // (int)(98 x 0.42 + 0.5) = 41.
  put(2, 2, 100);
  put(3, 2, 60);
  put(4, 3, 42);
  put(5, 3, 41);  // at the low value: the line stops
  put(6, 3, 90);  // beyond the stop: not reached, and below the high threshold
  put(2, 3, 45);
  put(2, 4, 45);
  detector.Apply_Hysteresis(mag.data(), nms.data(), 0.42f, 0.98f, edge.data());
  EXPECT_EQ(detector.Get_High_Threshold(), 98);
  EXPECT_EQ(detector.Get_Low_Value(), 41);
  const auto at = [&](int x, int y) { return edge[y * size + x]; };
  EXPECT_EQ(at(2, 2), 0);
  EXPECT_EQ(at(3, 2), 0);
  EXPECT_EQ(at(4, 3), 0);
  EXPECT_EQ(at(2, 3), 0);
  EXPECT_EQ(at(2, 4), 0);
  EXPECT_EQ(at(5, 3), 255);
  EXPECT_EQ(at(6, 3), 255);
  // In the spaced-out block only the magnitudes 98 and 99 seed.
  int blockEdges = 0;
  for (int pos = 20 * size; pos < size * size; ++pos) {
    blockEdges += edge[pos] == 0;
    if (edge[pos] == 0) {
      EXPECT_GE(mag[pos], 98);
    }
  }
  EXPECT_EQ(blockEdges, 2);
  EXPECT_EQ(detector.Get_Follow_Stack_Count(), 0);
}

// ---- whole detection ----------------------------------------------------------------------------------

TEST(CannyDetection, UniformAndTooSmallMapsGiveWhite) {
  struct Size {
    int32_t w, h;
    bool small;
  };
  const Size sizes[] = {{20, 20, false}, {3, 3, true}, {3, 20, true},
                        {20, 3, true},   {1, 9, true}, {9, 1, true}};
  for (const Size& size : sizes) {
    // Uniform grey, and for the small maps columns of black that a larger
    // map would have edges at.
    for (bool pattern : {false, true}) {
      if (pattern && !size.small) continue;
      auto map = Grey(size.w, size.h, 128);
      if (pattern)
        for (int32_t x = 0; x < size.w; x += 2) map->Fill_Column(x, 0);
      auto out = Grey(size.w, size.h, 7);
      CannyEdgeDetector detector(map.get());
      std::string err = "stale";
      ASSERT_TRUE(detector.Detect_Monochrome_Outline_toOffMap(out.get(), err, kSigma, kTlow, kThigh))
          << size.w << " x " << size.h;
      EXPECT_EQ(err, "");
      EXPECT_TRUE(All_White(*out)) << size.w << " x " << size.h << (pattern ? " pattern" : "");
      if (!pattern) {
        EXPECT_EQ(detector.Get_High_Threshold(), 1);
        EXPECT_EQ(detector.Get_Low_Value(), 0);
      }
    }
  }
}

TEST(CannyDetection, StepEdgeBecomesOneLineOnItsBrightSide) {
  // Black up to column 9, white from column 10.  The gradient is equally
  // strong at columns 9 and 10; column 10 has the flat side on its left and
  // is the candidate.  Every candidate has the largest magnitude, so all
  // seed.  Rows 0, 18 and 19 are never examined.
  for (int32_t depth : {8, 24}) {
    auto map = Vertical_Step(20, 20, 10, depth);
    auto out = Grey(20, 20, 7);
    CannyEdgeDetector detector(map.get());
    std::string err;
    ASSERT_TRUE(detector.Detect_Monochrome_Outline_toOffMap(out.get(), err, 1.0, kTlow, kThigh));
    for (int32_t y = 0; y < 20; ++y)
      for (int32_t x = 0; x < 20; ++x)
        EXPECT_EQ(Red(*out, x, y), (x == 10 && y >= 1 && y <= 17) ? 0 : 255) << x << ", " << y;
  }
}

TEST(CannyDetection, OnlyTheRedComponentIsRead) {
  auto map = std::make_unique<OffMap>(20, 20, 24);
  for (int32_t y = 0; y < 20; ++y)
    for (int32_t x = 0; x < 20; ++x) map->Set_Pixel(x, y, 90, x < 10 ? 0 : 255, x < 10 ? 255 : 0);
  auto out = Grey(20, 20, 7);
  CannyEdgeDetector detector(map.get());
  std::string err;
  ASSERT_TRUE(detector.Detect_Monochrome_Outline_toOffMap(out.get(), err, 1.0, kTlow, kThigh));
  EXPECT_TRUE(All_White(*out));
}

TEST(CannyDetection, SourceMayBeTheDestination) {
  auto source = Disc_Picture(48, 40, 11);
  auto separate = Grey(48, 40, 7);
  CannyEdgeDetector detector(source.get());
  std::string err;
  ASSERT_TRUE(detector.Detect_Monochrome_Outline_toOffMap(separate.get(), err, kSigma, kTlow, kThigh));
  const std::vector<int16_t> expected = Reds(*separate);
  int black = 0;
  for (int16_t v : expected) {
    EXPECT_TRUE(v == 0 || v == 255);
    black += v == 0;
  }
  EXPECT_GT(black, 20);

  CannyEdgeDetector inPlace(source.get());
  ASSERT_TRUE(inPlace.Detect_Monochrome_Outline_toOffMap(source.get(), err, kSigma, kTlow, kThigh));
  EXPECT_EQ(Reds(*source), expected);
}

TEST(CannyDetection, SamplePhotoAtThePipelineSettings) {
  // The 400 x 300 working map of the sample photo, as the outline pipeline
  // prepares it (the largest of r, g, b per pixel).
  TestPlatform platform;
  RenderMan renderMan(platform.Get());
  std::string err;
  bool fileProblem = false;
  ASSERT_TRUE(Load_Bitmap_File_as_SRC(err, renderMan, Sample_Path("coffee.png"), 400, 300, kWorkingMaxSide,
                                      fileProblem))
      << err;
  auto working = OffMap::Alloc_An_8bit_GreyScale_Copy(*renderMan.Get_Source_Map(), err);
  ASSERT_TRUE(working) << err;
  const int32_t w = working->Get_Width(), h = working->Get_Height();

  auto out = Grey(w, h, 7);
  CannyEdgeDetector detector(working.get());
  ASSERT_TRUE(detector.Detect_Monochrome_Outline_toOffMap(out.get(), err, kSigma, kTlow, kThigh));
  int black = 0;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const int16_t v = Red(*out, x, y);
      ASSERT_TRUE(v == 0 || v == 255);
      black += v == 0;
      if (x == 0 || y == 0 || x >= w - 2 || y >= h - 2) {
        ASSERT_EQ(v, 255) << x << ", " << y;
      }
    }
  EXPECT_GT(black, 1000);
  EXPECT_LT(black, w * h / 5);
  // The low value follows from the high threshold.
  EXPECT_EQ(detector.Get_Low_Value(),
            static_cast<int32_t>(static_cast<float>(detector.Get_High_Threshold()) * 0.42f + 0.5));

  // A second detection over the same working map in place gives the same.
  const std::vector<int16_t> first = Reds(*out);
  ASSERT_TRUE(detector.Detect_Monochrome_Outline_toOffMap(working.get(), err, kSigma, kTlow, kThigh));
  EXPECT_EQ(Reds(*working), first);
  EXPECT_EQ(detector.Get_Follow_Stack_Count(), 0);
}

// ---- failures
// ------------------------------------------------------------------------------------------------

TEST(CannyFailures, RefusedAllocationsLeaveTheDestinationUntouched) {
  // 10 x 10: every image of bytes is 100 bytes, the kernel of sigma 0.6 has
  // 5 entries (20 bytes).  Alive at once: input and edge (200), then the
  // kernel (220), the buffer (620) and the smoothed image (820); after the
  // smoothing the differences, the magnitude (800) and the nms image (900).
  auto map = Disc_Picture(10, 10, 3);
  struct Case {
    int64_t limit;
    const char* text;
  };
  const Case cases[] = {
      {99,
       "CannyEdgeDetector::Detect_Monochrome_Outline_toOffMap  failed,  Memory allocation failure "
       "for image."},
      {199,
       "CannyEdgeDetector::Detect_Monochrome_Outline_toOffMap  failed,  Memory allocation "
       "failure for dstImage."},
      {219, "Error callocing the gaussian kernel array.\n"},
      {619, "Error allocating the buffer image.\n"},
      {819, "Error allocating the smoothed image.\n"},
      {899, "CannyEdgeDetector::Make_Monochrome_Image FAILED,  Error allocating the nms image."},
  };
  for (const Case& c : cases) {
    auto out = Grey(10, 10, 7);
    CannyEdgeDetector detector(map.get());
    detector.Set_Work_Memory_Limit(c.limit);
    std::string err;
    EXPECT_FALSE(detector.Detect_Monochrome_Outline_toOffMap(out.get(), err, 0.6, kTlow, kThigh));
    EXPECT_EQ(err, c.text) << c.limit;
    EXPECT_EQ(Reds(*out), std::vector<int16_t>(100, 7)) << c.limit;
    // Everything given back: with the budget raised the same detector works.
    detector.Set_Work_Memory_Limit(900);
    EXPECT_TRUE(detector.Detect_Monochrome_Outline_toOffMap(out.get(), err, 0.6, kTlow, kThigh)) << err;
    EXPECT_EQ(err, "");
  }
}

TEST(CannyFailures, AbsurdSizesAndSigmasAreRefused) {
  // A map too wide for the detector's 16-bit size is refused before any
  // allocation, like a failed one.
  auto wide = Grey(40000, 4, 100);
  auto out = Grey(40000, 4, 7);
  CannyEdgeDetector detector(wide.get());
  std::string err;
  EXPECT_FALSE(detector.Detect_Monochrome_Outline_toOffMap(out.get(), err, kSigma, kTlow, kThigh));
  EXPECT_EQ(err,
            "CannyEdgeDetector::Detect_Monochrome_Outline_toOffMap  failed,  Memory allocation "
            "failure for image.");
  EXPECT_EQ(Red(*out, 0, 0), 7);

  // A sigma that gives no kernel.
  auto map = Disc_Picture(12, 12, 5);
  for (double sigma : {0.0, -2.0, std::nan(""), 1e12}) {
    auto dst = Grey(12, 12, 7);
    CannyEdgeDetector small(map.get());
    EXPECT_FALSE(small.Detect_Monochrome_Outline_toOffMap(dst.get(), err, sigma, kTlow, kThigh));
    EXPECT_EQ(err, "Error callocing the gaussian kernel array.\n") << sigma;
    EXPECT_EQ(Red(*dst, 5, 5), 7);
  }

  // No map to read or to write.
  CannyEdgeDetector none(nullptr);
  auto dst = Grey(4, 4, 7);
  EXPECT_FALSE(none.Detect_Monochrome_Outline_toOffMap(dst.get(), err, kSigma, kTlow, kThigh));
  EXPECT_EQ(err,
            "CannyEdgeDetector::Detect_Monochrome_Outline_toOffMap  failed,  no source or "
            "destination map.");
  CannyEdgeDetector noDestination(map.get());
  EXPECT_FALSE(noDestination.Detect_Monochrome_Outline_toOffMap(nullptr, err, kSigma, kTlow, kThigh));
  EXPECT_EQ(err,
            "CannyEdgeDetector::Detect_Monochrome_Outline_toOffMap  failed,  no source or "
            "destination map.");
}
