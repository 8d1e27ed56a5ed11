#include "raster/ColorDifference.h"

#include <cstdint>

#include "raster/ColorSpace.h"
#include "raster/OffMap.h"

namespace {

// The last colour converted and its CIELAB value: flat areas (the layered
// image is made of them) convert once per run of one colour.
class LabMemo {
 public:
  const ColorLab& Of(int16_t r, int16_t g, int16_t b) {
    const uint32_t packed = Pack_RGB(r, g, b);
    if (!m_valid || packed != m_packed) {
      m_lab = RGB_to_Lab(r, g, b);
      m_packed = packed;
      m_valid = true;
    }
    return m_lab;
  }

 private:
  bool m_valid = false;
  uint32_t m_packed = 0;
  ColorLab m_lab;
};

// Pixel x of a row of an 8- or 24-bit map (blue, green, red in a 24-bit row).
void Read_Pixel(const uint8_t* row, int32_t depth, int32_t x, int16_t& r, int16_t& g, int16_t& b) {
  if (depth == 8) {
    r = g = b = row[x];
    return;
  }
  const uint8_t* p = row + 3 * static_cast<int64_t>(x);
  b = p[0];
  g = p[1];
  r = p[2];
}

bool Readable(const OffMap& map) {
  return !map.Is_Not_In_Memory() && (map.Get_Depth() == 8 || map.Get_Depth() == 24);
}

}  // namespace

bool Mean_Delta_E_CIE76(const OffMap& a, const OffMap& b, double& mean, std::string& err) {
  err.clear();
  mean = 0;
  if (a.Get_Width() != b.Get_Width() || a.Get_Height() != b.Get_Height()) {
    err = "Mean_Delta_E_CIE76 FAILED, the maps differ in size.";
    return false;
  }
  const int64_t pixels = static_cast<int64_t>(a.Get_Width()) * a.Get_Height();
  if (pixels == 0) return true;
  if (!Readable(a) || !Readable(b)) {
    err = "Mean_Delta_E_CIE76 FAILED, a map is not an 8- or 24-bit map in memory.";
    return false;
  }
  LabMemo memoA, memoB;
  double sum = 0;
  for (int32_t y = 0; y < a.Get_Height(); ++y) {
    const uint8_t* rowA = a.Row(y);
    const uint8_t* rowB = b.Row(y);
    double rowSum = 0;  // summed by rows: fewer large-small additions
    for (int32_t x = 0; x < a.Get_Width(); ++x) {
      int16_t ra = 0, ga = 0, ba = 0, rb = 0, gb = 0, bb = 0;
      Read_Pixel(rowA, a.Get_Depth(), x, ra, ga, ba);
      Read_Pixel(rowB, b.Get_Depth(), x, rb, gb, bb);
      rowSum += Delta_E_CIE76(memoA.Of(ra, ga, ba), memoB.Of(rb, gb, bb));
    }
    sum += rowSum;
  }
  mean = sum / static_cast<double>(pixels);
  return true;
}
