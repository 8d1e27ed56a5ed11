#pragma once
// The settings of the watercolour pre-processing, one record per
// application (held by the application object and the separation dialog),
// and the mapping between the separation dialog's "Dark", "Lite" and "Sat"
// sliders and the record.
//
// The greyscale variant of the rendering reads three fields differently: it
// darkens by darkExponent, scales the grey by satExponent / 80 and lightens
// by 3 x liteAmount.

#include <cstdint>

struct WatercolorParms {
  int16_t liteAmount = 0;      // added to every component before the gamma steps
  int16_t darkExponent = 20;   // value gamma x 100 (20 brightens strongly)
  int16_t skipSaturation = 0;  // non-zero: no saturation step
  int16_t satExponent = 70;    // saturation gamma x 100
  int16_t skipSpeckRemoval = 0;
  int16_t speckRadius = 2;
  int16_t skipPosterize = 1;
  int16_t posterizeLevel = 4;  // bits per channel
  int16_t posterizeRadius = 3;
  int16_t skipFinalLighten = 1;
  int16_t finalLighten = 30;
};

enum class WatercolorSlider { Dark, Lite, Sat };

// A slider released at `position` (0 at the top .. 100 at the bottom; other
// positions are clamped): the slider's value is 100 - position, and
//   Dark: darkExponent = trunc(value x 0.7) + 5   (5 .. 75)
//   Lite: liteAmount   = value                    (0 .. 100)
//   Sat:  satExponent  = 200 - value x 2          (0 .. 200)
// Returns the slider's value (what the dialog shows next to the slider).
int16_t Apply_Watercolor_Slider(WatercolorSlider slider, int32_t position, WatercolorParms& parms);

// The position a slider is set to when the dialog opens with `parms`:
//   Dark: 100 - (darkExponent - 5) / 0.7, truncated and clamped to 0..100;
//   Lite: 100 - liteAmount (0 when liteAmount is outside 0..100);
//   Sat:  satExponent / 2 (0 when skipSaturation is set or satExponent is
//         above 200).
int16_t Watercolor_Slider_Position(WatercolorSlider slider, const WatercolorParms& parms);
