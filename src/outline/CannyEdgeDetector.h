#pragma once
// CannyEdgeDetector: turns a grey working map into a monochrome edge map,
// black (0, 0, 0) on the detected edges and white everywhere else.
//
// The classic single-scale method: Gaussian smoothing, central differences,
// gradient magnitude, non-maximum suppression along the gradient with
// interpolated neighbours, and hysteresis whose high threshold is a quantile
// of the candidate magnitudes.  Lines are traced from their strong pixels on
// an explicit stack of pending steps, never by recursion: a long line would
// otherwise cost one call frame per pixel.
//
// All work images are flat, row-major arrays (row 0 = top line of the map),
// allocated per detection and freed before it returns.  Their live size is
// held to a budget, so an absurd map is refused instead of being allowed to
// exhaust memory; every refusal is reported as the failed allocation it
// stands for, and the destination map is never touched by a failed run.

#include <cstdint>
#include <string>

#include "framework/ListMemry.h"

class OffMap;

// One pending step of the edge tracing: a pixel of the edge image and the
// same pixel of the magnitude image.
struct FollowEdgesFunctCALL {
  uint8_t* edge = nullptr;
  const int16_t* magnitude = nullptr;
};

class CannyEdgeDetector {
 public:
  // Values of the nms and edge images.
  static constexpr uint8_t kEdge = 0;
  static constexpr uint8_t kCandidate = 128;
  static constexpr uint8_t kNoEdge = 255;
  // Smoothed values are the smoothed grey scaled by this factor.
  static constexpr double kBoostFactor = 90.0;
  static constexpr int32_t kHistogramSize = 32768;
  static constexpr int32_t kStartLowValue = 11800;
  // The budget for the work images alive at one time during a detection
  // (a 2000 x 1500 working map needs about 27 MB).
  static constexpr int64_t kDefaultWorkMemoryLimit = int64_t{2} << 30;

  // The map is read, not owned; cols and rows are taken from it now.
  explicit CannyEdgeDetector(const OffMap* sourceMap);
  ~CannyEdgeDetector();
  CannyEdgeDetector(const CannyEdgeDetector&) = delete;
  CannyEdgeDetector& operator=(const CannyEdgeDetector&) = delete;

  // Detects the edges of the source map and writes them as black and white
  // pixels into `destination`, which may be the source map itself: the whole
  // source is read before anything is written.  The parameters are used as
  // single-precision values.  On failure `destination` is untouched.
  bool Detect_Monochrome_Outline_toOffMap(OffMap* destination, std::string& err, double sigma, double tlow,
                                          double thigh);

  // The detector proper over an input image of rows x cols grey bytes; the
  // edge image (same size) receives 0 on edges and 255 elsewhere.
  bool Make_Monochrome_Image(const uint8_t* input, float sigma, float tlow, float thigh, uint8_t* edge,
                             std::string& err);

  // ---- the steps, each usable on its own ---------------------------------------
  // Entries of the Gaussian kernel for sigma: 1 + 2 * ceil(2.5 * sigma);
  // 0 when sigma gives no usable kernel (not positive, not finite, or a
  // window too wide to allocate).
  static int32_t Gaussian_Window_Size(float sigma);
  // Fills `window` entries with the normalised Gaussian weights; false when
  // they are not finite numbers (a sigma too close to 0).
  static bool Make_Gaussian_Kernel(float sigma, float* kernel, int32_t window);
  // Smooths rows x cols input bytes separably (rows into `buffer`, then
  // columns into `smoothed`), renormalising where the kernel reaches past
  // the map; the result is scaled by 90 and rounded.
  static void Gaussian_Smooth(const uint8_t* input, int32_t rows, int32_t cols, const float* kernel,
                              int32_t window, float* buffer, int16_t* smoothed);
  // Central differences (one-sided in the first and last column / row).
  // Needs at least 2 rows and 2 columns.
  static void Derivatives_X_Y(const int16_t* smoothed, int32_t rows, int32_t cols, int16_t* deltaX,
                              int16_t* deltaY);
  // Rounded length of the gradient.
  static void Magnitude_X_Y(const int16_t* deltaX, const int16_t* deltaY, int32_t count, int16_t* magnitude);
  // The interpolated magnitude differences on both sides of the pixel at
  // `magnitude` (whose rows are `cols` apart) along its gradient (gx, gy).
  // The pixel's own magnitude m must be positive.
  static void Interpolated_Differences(const int16_t* magnitude, int32_t cols, int16_t gx, int16_t gy,
                                       float& mag1, float& mag2);
  // Marks the local maxima along the gradient as candidates (128), other
  // examined pixels 255; the outermost rows and columns and row rows - 2 and
  // column cols - 2 are not examined and stay 0.
  static void Non_Max_Suppression(const int16_t* magnitude, const int16_t* deltaX, const int16_t* deltaY,
                                  int32_t rows, int32_t cols, uint8_t* nms);
  // Chooses the thresholds from the candidate magnitudes and traces the
  // lines into the edge image (0 edge, 255 no edge).
  void Apply_Hysteresis(const int16_t* magnitude, const uint8_t* nms, float tlow, float thigh, uint8_t* edge);

  // ---- state ----------------------------------------------------------------------
  int32_t Get_Low_Value() const { return m_lowValue; }
  // The high threshold chosen by the latest hysteresis (0 before one).
  int32_t Get_High_Threshold() const { return m_highThreshold; }
  int32_t Get_Follow_Stack_Count() const { return m_followStack.Get_Count(); }
  // Bytes of work images allowed to be alive at once.
  void Set_Work_Memory_Limit(int64_t bytes) { m_budget.limit = bytes; }

 private:
  // A work image of T elements counted against the budget below.
  template <class T>
  class WorkImage;
  struct WorkBudget {
    int64_t limit = kDefaultWorkMemoryLimit;
    int64_t inUse = 0;
  };

  // Marks every candidate 8-neighbour of the step's pixel whose magnitude
  // exceeds the low value as an edge and pushes it as a new step.  When a
  // step record cannot be allocated the step ends there; the edges marked
  // so far stay.
  void Follow_Neighbours(const FollowEdgesFunctCALL& step);
  // The high threshold from a histogram of candidate magnitudes
  // (kHistogramSize counters) and the low value from it.
  void Choose_Thresholds(const int32_t* hist, float tlow, float thigh);
  // Pops and follows steps until the stack is empty.
  void Drain_Follow_Stack();
  // rows x cols; -1 when the map is too large for the 16-bit size.
  int64_t Pixel_Count() const;

  const OffMap* m_sourceMap = nullptr;
  int16_t m_cols = 0;
  int16_t m_rows = 0;
  ListMemry<FollowEdgesFunctCALL> m_followStack;
  int32_t m_lowValue = kStartLowValue;
  int32_t m_highThreshold = 0;
  WorkBudget m_budget;
};
