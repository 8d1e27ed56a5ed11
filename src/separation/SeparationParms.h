#pragma once
// SeparationParms: everything one separation is made with.  SettingsHelper
// fills it from a separation row of the dialog; the engine (ColorSeparator)
// reads it.  The member initialisers are the defaults that
// SettingsHelper::Fill_Default_Parms writes.

#include <cstdint>

struct SeparationParms {
  // Which pixels form the separation.
  static constexpr int16_t kAlgoHueRange = 0;
  static constexpr int16_t kAlgoComponentThreshold = 1;
  static constexpr int16_t kAlgoRemainder = 2;  // a copy of the whole source
  static constexpr int16_t kAlgoOpaque = 3;     // an empty (white) map
  int16_t algoCode = kAlgoComponentThreshold;

  // Hue range: the window hue - hueRange .. hue + hueRange (wrapping at
  // 360), and the least value every separation pixel is raised to.
  int16_t hue = 0;
  int16_t hueRange = 0;
  int16_t minValue = 0;

  // Component threshold: the upper bound per channel, and the colour the
  // separation pixels are written with.
  int16_t huntRed = 220;
  int16_t huntGreen = 220;
  int16_t huntBlue = 255;

  // Clean-up: white holes smaller than this are plugged with the paint
  // colour; blobs smaller than minPixelCount make no sub-region.
  int32_t holePlugSize = 200;
  int32_t minPixelCount = 300;

  // 0: no closing or opening; 1: minimum filter, then maximum filter;
  // 2: maximum, then minimum.  An extraShrinkSize of 2 or more adds one more
  // maximum filter of that size.
  int16_t morphMode = 1;
  int16_t minFilterSize = 6;
  int16_t maxFilterSize = 6;
  int16_t extraShrinkSize = 0;

  // The standard colour of the separation, the saturation offset every
  // sub-region gets, and the row's adjustment (not 0: the separation map is
  // recoloured with the unadjusted standard colour).
  int16_t huntColorIndex = 1;
  int16_t subRegionSatOffset = 0;
  int16_t adjustment = 0;
};
