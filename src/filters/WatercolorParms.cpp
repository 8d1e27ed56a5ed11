#include "filters/WatercolorParms.h"

#include <algorithm>

namespace {

// The separation dialog's slider scales.
constexpr double kDarkScale = 0.7;
constexpr int kDarkOffset = 5;
constexpr int kLiteScale = 1;
constexpr int kSatScale = 2;

}  // namespace

int16_t Apply_Watercolor_Slider(WatercolorSlider slider, int32_t position, WatercolorParms& parms) {
  const int value = 100 - std::clamp(position, 0, 100);
  switch (slider) {
    case WatercolorSlider::Dark:
      parms.darkExponent = static_cast<int16_t>(static_cast<int>(value * kDarkScale) + kDarkOffset);
      break;
    case WatercolorSlider::Lite:
      parms.liteAmount = static_cast<int16_t>(value / kLiteScale);
      break;
    case WatercolorSlider::Sat:
      parms.satExponent = static_cast<int16_t>(200 - value * kSatScale);
      break;
  }
  return static_cast<int16_t>(value);
}

int16_t Watercolor_Slider_Position(WatercolorSlider slider, const WatercolorParms& parms) {
  switch (slider) {
    case WatercolorSlider::Dark: {
      const double position = 100 - (parms.darkExponent - kDarkOffset) / kDarkScale;
      if (!(position > 0)) return 0;
      return static_cast<int16_t>(std::min(position, 100.0));
    }
    case WatercolorSlider::Lite:
      if (parms.liteAmount < 0 || parms.liteAmount > 100) return 0;
      return static_cast<int16_t>(100 - parms.liteAmount);
    case WatercolorSlider::Sat:
      if (parms.skipSaturation != 0 || parms.satExponent > 200) return 0;
      return static_cast<int16_t>(std::max(0, parms.satExponent / kSatScale));
  }
  return 0;
}
