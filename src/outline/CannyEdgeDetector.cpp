#include "outline/CannyEdgeDetector.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <new>
#include <vector>

#include "raster/OffMap.h"

namespace {

// The widest kernel accepted; wider ones stand for a sigma no outline needs.
constexpr int32_t kMaxWindow = 1'000'001;

// (int) of a double as the arithmetic of the thresholds does it: truncation
// toward zero; a value that is no number counts as 0 and values beyond the
// 32-bit range stop at its ends.
int32_t Truncate_Int(double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(std::numeric_limits<int32_t>::max()))
    return std::numeric_limits<int32_t>::max();
  if (v <= static_cast<double>(std::numeric_limits<int32_t>::min()))
    return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

// Neighbour offsets of the tracing, (column, row), in the order examined.
constexpr int32_t kFollowDx[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int32_t kFollowDy[8] = {0, -1, -1, -1, 0, 1, 1, 1};

}  // namespace

// A zero-filled work image of `count` elements, counted against the
// detector's budget while it is alive.  A negative count or one beyond the
// budget is refused before anything is allocated.
template <class T>
class CannyEdgeDetector::WorkImage {
 public:
  WorkImage(WorkBudget& budget, int64_t count) : m_budget(budget) {
    if (count < 0) return;
    const int64_t bytes = count * static_cast<int64_t>(sizeof(T));
    if (bytes > m_budget.limit - m_budget.inUse) return;
    m_data.reset(new (std::nothrow) T[static_cast<size_t>(std::max<int64_t>(count, 1))]());
    if (!m_data) return;
    m_bytes = bytes;
    m_budget.inUse += bytes;
  }
  ~WorkImage() { Free(); }
  WorkImage(const WorkImage&) = delete;
  WorkImage& operator=(const WorkImage&) = delete;

  void Free() {
    if (!m_data) return;
    m_data.reset();
    m_budget.inUse -= m_bytes;
    m_bytes = 0;
  }
  explicit operator bool() const { return m_data != nullptr; }
  T* Get() const { return m_data.get(); }

 private:
  WorkBudget& m_budget;
  std::unique_ptr<T[]> m_data;
  int64_t m_bytes = 0;
};

CannyEdgeDetector::CannyEdgeDetector(const OffMap* sourceMap) : m_sourceMap(sourceMap) {
  if (m_sourceMap != nullptr) {
    // Kept in 16 bits: a map wider or higher than that gives a negative
    // size, which every allocation refuses.
    m_cols = static_cast<int16_t>(m_sourceMap->Get_Width());
    m_rows = static_cast<int16_t>(m_sourceMap->Get_Height());
  }
  m_followStack.Delete_All();
}

CannyEdgeDetector::~CannyEdgeDetector() {
  m_followStack.Delete_All();
}

int64_t CannyEdgeDetector::Pixel_Count() const {
  if (m_rows < 0 || m_cols < 0) return -1;
  return static_cast<int64_t>(m_rows) * m_cols;
}

bool CannyEdgeDetector::Detect_Monochrome_Outline_toOffMap(OffMap* destination, std::string& err,
                                                           double sigma, double tlow, double thigh) {
  err.clear();
  if (m_sourceMap == nullptr || destination == nullptr) {
    err =
        "CannyEdgeDetector::Detect_Monochrome_Outline_toOffMap  failed,  no source or "
        "destination map.";
    return false;
  }
  const int64_t count = Pixel_Count();
  WorkImage<uint8_t> input(m_budget, count);
  if (!input) {
    err =
        "CannyEdgeDetector::Detect_Monochrome_Outline_toOffMap  failed,  Memory allocation "
        "failure for image.";
    return false;
  }
  WorkImage<uint8_t> edge(m_budget, count);
  if (!edge) {
    err =
        "CannyEdgeDetector::Detect_Monochrome_Outline_toOffMap  failed,  Memory allocation "
        "failure for dstImage.";
    return false;
  }
  const int32_t rows = m_rows, cols = m_cols;
  uint8_t* in = input.Get();
  for (int32_t y = 0; y < rows; ++y) {
    for (int32_t x = 0; x < cols; ++x) {
      int16_t r = 0, g = 0, b = 0;
      m_sourceMap->Get_Pixel(x, y, r, g, b);
      *in++ = static_cast<uint8_t>(std::clamp<int16_t>(r, 0, 255));
    }
  }
  if (!Make_Monochrome_Image(input.Get(), static_cast<float>(sigma), static_cast<float>(tlow),
                             static_cast<float>(thigh), edge.Get(), err))
    return false;
  const uint8_t* out = edge.Get();
  for (int32_t y = 0; y < rows; ++y) {
    for (int32_t x = 0; x < cols; ++x) {
      const int16_t v = *out++;
      destination->Set_Pixel(x, y, v, v, v);
    }
  }
  return true;
}

bool CannyEdgeDetector::Make_Monochrome_Image(const uint8_t* input, float sigma, float tlow, float thigh,
                                              uint8_t* edge, std::string& err) {
  const int32_t rows = m_rows, cols = m_cols;
  const int64_t count = Pixel_Count();

  const int32_t window = Gaussian_Window_Size(sigma);
  WorkImage<float> kernel(m_budget, window);
  if (window == 0 || !kernel || !Make_Gaussian_Kernel(sigma, kernel.Get(), window)) {
    err = "Error callocing the gaussian kernel array.\n";
    return false;
  }
  WorkImage<float> buffer(m_budget, count);
  if (!buffer) {
    err = "Error allocating the buffer image.\n";
    return false;
  }
  WorkImage<int16_t> smoothed(m_budget, count);
  if (!smoothed) {
    err = "Error allocating the smoothed image.\n";
    return false;
  }
  Gaussian_Smooth(input, rows, cols, kernel.Get(), window, buffer.Get(), smoothed.Get());
  buffer.Free();
  kernel.Free();

  if (rows < 2 || cols < 2) {
    // No differences can be formed and no pixel is examined: no candidate,
    // so the thresholds are those of an empty histogram.
    const std::vector<int32_t> empty(kHistogramSize, 0);
    Choose_Thresholds(empty.data(), tlow, thigh);
    std::fill(edge, edge + count, kNoEdge);
    return true;
  }

  WorkImage<int16_t> deltaX(m_budget, count);
  WorkImage<int16_t> deltaY(m_budget, count);
  if (!deltaX || !deltaY) {
    err = "Error allocating the delta_x image.\n";
    return false;
  }
  Derivatives_X_Y(smoothed.Get(), rows, cols, deltaX.Get(), deltaY.Get());
  smoothed.Free();

  WorkImage<int16_t> magnitude(m_budget, count);
  if (!magnitude) {
    err = "Error allocating the magnitude image.\n";
    return false;
  }
  Magnitude_X_Y(deltaX.Get(), deltaY.Get(), static_cast<int32_t>(count), magnitude.Get());

  WorkImage<uint8_t> nms(m_budget, count);
  if (!nms) {
    err = "CannyEdgeDetector::Make_Monochrome_Image FAILED,  Error allocating the nms image.";
    return false;
  }
  Non_Max_Suppression(magnitude.Get(), deltaX.Get(), deltaY.Get(), rows, cols, nms.Get());
  deltaX.Free();
  deltaY.Free();

  Apply_Hysteresis(magnitude.Get(), nms.Get(), tlow, thigh, edge);
  return true;
}

// ---- Gaussian smoothing -------------------------------------------------------------

int32_t CannyEdgeDetector::Gaussian_Window_Size(float sigma) {
  if (!std::isfinite(sigma) || !(sigma > 0.0f)) return 0;
  const double window = 1.0 + 2.0 * std::ceil(2.5 * static_cast<double>(sigma));
  if (window > kMaxWindow) return 0;
  return static_cast<int32_t>(window);
}

bool CannyEdgeDetector::Make_Gaussian_Kernel(float sigma, float* kernel, int32_t window) {
  // The weights are computed in double and kept in single precision; their
  // sum is a single-precision sum, as the smoothing's sums are.
  const int32_t center = window / 2;
  const double sigmaSquared = static_cast<double>(sigma * sigma);
  const double scale = static_cast<double>(sigma) * std::sqrt(6.2831853);
  float sum = 0.0f;
  for (int32_t i = 0; i < window; ++i) {
    const double x = static_cast<float>(i - center);
    const float fx = static_cast<float>(std::pow(2.71828, -0.5 * x * x / sigmaSquared) / scale);
    kernel[i] = fx;
    sum += fx;
  }
  bool finite = std::isfinite(sum) && sum > 0.0f;
  for (int32_t i = 0; i < window; ++i) {
    kernel[i] /= sum;
    finite = finite && std::isfinite(kernel[i]);
  }
  return finite;
}

void CannyEdgeDetector::Gaussian_Smooth(const uint8_t* input, int32_t rows, int32_t cols, const float* kernel,
                                        int32_t window, float* buffer, int16_t* smoothed) {
  if (rows <= 0 || cols <= 0) return;
  const int32_t center = window / 2;
  // Along the rows.  Taps past either end of the row are left out and the
  // remaining weights renormalised; sums run from the leftmost tap.
  for (int32_t r = 0; r < rows; ++r) {
    const uint8_t* row = input + static_cast<int64_t>(r) * cols;
    float* out = buffer + static_cast<int64_t>(r) * cols;
    for (int32_t c = 0; c < cols; ++c) {
      const int32_t first = std::max(-center, -c);
      const int32_t last = std::min(center, cols - 1 - c);
      float dot = 0.0f, sum = 0.0f;
      for (int32_t k = first; k <= last; ++k) {
        dot += static_cast<float>(row[c + k]) * kernel[center + k];
        sum += kernel[center + k];
      }
      out[c] = dot / sum;
    }
  }
  // Along the columns, a whole row of columns at a time: each column's sums
  // still run from the topmost tap down, so the results are the same as
  // summing one column after the other.
  std::vector<float> dots(static_cast<size_t>(cols));
  for (int32_t r = 0; r < rows; ++r) {
    const int32_t first = std::max(-center, -r);
    const int32_t last = std::min(center, rows - 1 - r);
    std::fill(dots.begin(), dots.end(), 0.0f);
    float sum = 0.0f;
    for (int32_t k = first; k <= last; ++k) {
      const float weight = kernel[center + k];
      const float* row = buffer + static_cast<int64_t>(r + k) * cols;
      for (int32_t c = 0; c < cols; ++c) dots[c] += row[c] * weight;
      sum += weight;
    }
    int16_t* out = smoothed + static_cast<int64_t>(r) * cols;
    for (int32_t c = 0; c < cols; ++c)
      out[c] =
          static_cast<int16_t>(static_cast<double>(dots[c]) * kBoostFactor / static_cast<double>(sum) + 0.5);
  }
}

// ---- gradient --------------------------------------------------------------------------

void CannyEdgeDetector::Derivatives_X_Y(const int16_t* smoothed, int32_t rows, int32_t cols, int16_t* deltaX,
                                        int16_t* deltaY) {
  for (int32_t r = 0; r < rows; ++r) {
    const int16_t* s = smoothed + static_cast<int64_t>(r) * cols;
    int16_t* d = deltaX + static_cast<int64_t>(r) * cols;
    d[0] = static_cast<int16_t>(s[1] - s[0]);
    for (int32_t c = 1; c < cols - 1; ++c) d[c] = static_cast<int16_t>(s[c + 1] - s[c - 1]);
    d[cols - 1] = static_cast<int16_t>(s[cols - 1] - s[cols - 2]);
  }
  const int64_t stride = cols;
  for (int32_t c = 0; c < cols; ++c) {
    const int16_t* s = smoothed + c;
    int16_t* d = deltaY + c;
    d[0] = static_cast<int16_t>(s[stride] - s[0]);
    for (int32_t r = 1; r < rows - 1; ++r)
      d[r * stride] = static_cast<int16_t>(s[(r + 1) * stride] - s[(r - 1) * stride]);
    const int64_t last = (rows - 1) * stride;
    d[last] = static_cast<int16_t>(s[last] - s[last - stride]);
  }
}

void CannyEdgeDetector::Magnitude_X_Y(const int16_t* deltaX, const int16_t* deltaY, int32_t count,
                                      int16_t* magnitude) {
  // floor(sqrt(dx^2 + dy^2) + 0.5) exactly: the square root of a sum below
  // 2^31 is never closer to a half than double precision can tell.
  for (int32_t i = 0; i < count; ++i) {
    const int64_t sq =
        static_cast<int64_t>(deltaX[i]) * deltaX[i] + static_cast<int64_t>(deltaY[i]) * deltaY[i];
    magnitude[i] = static_cast<int16_t>(static_cast<int32_t>(0.5 + std::sqrt(static_cast<double>(sq))));
  }
}

// ---- non-maximum suppression ---------------------------------------------------------------

void CannyEdgeDetector::Interpolated_Differences(const int16_t* magnitude, int32_t cols, int16_t gx,
                                                 int16_t gy, float& mag1, float& mag2) {
  const int32_t m = magnitude[0];
  const float xp = static_cast<float>(-gx) / static_cast<float>(m);
  const float yp = static_cast<float>(gy) / static_cast<float>(m);
  const int32_t L = magnitude[-1], R = magnitude[1];
  const int32_t U = magnitude[-cols], D = magnitude[cols];
  const int32_t UL = magnitude[-cols - 1], UR = magnitude[-cols + 1];
  const int32_t DL = magnitude[cols - 1], DR = magnitude[cols + 1];
  // Each difference is a product pair summed in single precision.
  const auto combine = [xp, yp](int32_t a, int32_t b) {
    const float px = static_cast<float>(a) * xp;
    const float py = static_cast<float>(b) * yp;
    return px + py;
  };
  if (gx >= 0) {
    if (gy >= 0) {
      if (gx >= gy) {
        mag1 = combine(m - L, UL - L);
        mag2 = combine(m - R, DR - R);
      } else {
        mag1 = combine(U - UL, U - m);
        mag2 = combine(D - DR, D - m);
      }
    } else {
      if (gx >= -gy) {
        mag1 = combine(m - L, L - DL);
        mag2 = combine(m - R, R - UR);
      } else {
        mag1 = combine(D - DL, m - D);
        mag2 = combine(U - UR, m - U);
      }
    }
  } else {
    if (gy >= 0) {
      if (-gx >= gy) {
        mag1 = combine(R - m, UR - R);
        mag2 = combine(L - m, DL - L);
      } else {
        mag1 = combine(UR - U, U - m);
        mag2 = combine(DL - D, D - m);
      }
    } else {
      if (-gx > -gy) {
        mag1 = combine(R - m, R - DR);
        mag2 = combine(L - m, L - UL);
      } else {
        mag1 = combine(DR - D, m - D);
        mag2 = combine(UL - U, m - U);
      }
    }
  }
}

void CannyEdgeDetector::Non_Max_Suppression(const int16_t* magnitude, const int16_t* deltaX,
                                            const int16_t* deltaY, int32_t rows, int32_t cols, uint8_t* nms) {
  std::fill(nms, nms + static_cast<int64_t>(rows) * cols, uint8_t{0});
  for (int32_t r = 1; r < rows - 2; ++r) {
    const int64_t rowStart = static_cast<int64_t>(r) * cols;
    for (int32_t c = 1; c < cols - 2; ++c) {
      const int64_t pos = rowStart + c;
      if (magnitude[pos] <= 0) {
        nms[pos] = kNoEdge;
        continue;
      }
      float mag1 = 0.0f, mag2 = 0.0f;
      Interpolated_Differences(magnitude + pos, cols, deltaX[pos], deltaY[pos], mag1, mag2);
      nms[pos] = (mag1 <= 0.0f && mag2 < 0.0f) ? kCandidate : kNoEdge;
    }
  }
}

// ---- hysteresis ------------------------------------------------------------------------------

void CannyEdgeDetector::Choose_Thresholds(const int32_t* hist, float tlow, float thigh) {
  int32_t numedges = 0, maximum = 0;
  for (int32_t r = 1; r < kHistogramSize; ++r) {
    if (hist[r] != 0) maximum = r;
    numedges += hist[r];
  }
  // The products are single-precision, the rounding half added in double.
  const int32_t highcount = Truncate_Int(static_cast<double>(static_cast<float>(numedges) * thigh) + 0.5);
  int32_t r = 1;
  int32_t running = hist[1];
  while (r < maximum - 1 && running < highcount) {
    ++r;
    running += hist[r];
  }
  m_highThreshold = r;
  m_lowValue = Truncate_Int(static_cast<double>(static_cast<float>(r) * tlow) + 0.5);
}

void CannyEdgeDetector::Apply_Hysteresis(const int16_t* magnitude, const uint8_t* nms, float tlow,
                                         float thigh, uint8_t* edge) {
  const int32_t rows = m_rows, cols = m_cols;
  if (rows <= 0 || cols <= 0) return;
  const int64_t count = static_cast<int64_t>(rows) * cols;
  for (int64_t pos = 0; pos < count; ++pos) edge[pos] = nms[pos] == kCandidate ? kCandidate : kNoEdge;
  for (int32_t r = 0; r < rows; ++r) {
    edge[static_cast<int64_t>(r) * cols] = kNoEdge;
    edge[static_cast<int64_t>(r) * cols + cols - 1] = kNoEdge;
  }
  for (int32_t c = 0; c < cols; ++c) {
    edge[c] = kNoEdge;
    edge[(rows - 1) * static_cast<int64_t>(cols) + c] = kNoEdge;
  }

  std::vector<int32_t> hist(kHistogramSize, 0);
  for (int64_t pos = 0; pos < count; ++pos)
    if (edge[pos] == kCandidate && magnitude[pos] >= 0) ++hist[magnitude[pos]];
  Choose_Thresholds(hist.data(), tlow, thigh);

  // Candidates sit at least one pixel inside the border, so every neighbour
  // the tracing looks at lies inside the image.
  for (int32_t r = 0; r < rows; ++r) {
    const int64_t rowStart = static_cast<int64_t>(r) * cols;
    for (int32_t c = 0; c < cols; ++c) {
      const int64_t pos = rowStart + c;
      if (edge[pos] != kCandidate || magnitude[pos] < m_highThreshold) continue;
      edge[pos] = kEdge;
      Follow_Neighbours(FollowEdgesFunctCALL{edge + pos, magnitude + pos});
    }
    Drain_Follow_Stack();
  }
  Drain_Follow_Stack();

  for (int64_t pos = 0; pos < count; ++pos)
    if (edge[pos] != kEdge) edge[pos] = kNoEdge;
}

void CannyEdgeDetector::Follow_Neighbours(const FollowEdgesFunctCALL& step) {
  const int64_t cols = m_cols;
  for (int32_t i = 0; i < 8; ++i) {
    const int64_t offset = kFollowDy[i] * cols + kFollowDx[i];
    uint8_t* neighbour = step.edge + offset;
    const int16_t* neighbourMagnitude = step.magnitude + offset;
    if (*neighbour != kCandidate || *neighbourMagnitude <= m_lowValue) continue;
    *neighbour = kEdge;
    auto* next = new (std::nothrow) FollowEdgesFunctCALL{neighbour, neighbourMagnitude};
    if (next == nullptr) return;
    m_followStack.Push(next);
  }
}

void CannyEdgeDetector::Drain_Follow_Stack() {
  while (!m_followStack.Is_Empty()) {
    const std::unique_ptr<FollowEdgesFunctCALL> step(m_followStack.Pop());
    Follow_Neighbours(*step);
  }
}
