#pragma once
// OutlineDetectParms: the outline settings.  One record lives in the
// application object for the whole run; the outline dialog reads and
// changes it and hands it to the detector, so the settings a user left in
// the dialog are there again the next time it opens.

#include <cstdint>

struct OutlineDetectParms {
  // 0 to 254: the more, the lower the Canny high threshold and the more lines.
  int16_t lineCount = 150;
  // Isolated black groups of up to this many pixels are removed ("Line
  // remove..."); 0 skips the stage.
  int16_t lineRemoveSize = 40;
  // Copied into the render manager's m_outlineOption before each detection.
  uint8_t outlineOption = 0;
  // Enclosed white holes of up to this many pixels are filled ("Patching...");
  // 0 skips the stage.
  int16_t patchSize = 2;
  // Branch length the pruning removes ("Cleaning..."); 0 skips the stage.
  int16_t pruneLength = 1;
  // Join the chains that end at the same junction.
  bool connectShortLines = true;
  // Index of the chosen line style in the brush table.
  int16_t lineStyle = 1;
  // 0 to 100: the higher, the finer the Canny smoothing.
  int16_t detail = 50;
  // Moving-average window of the drawn chains; 0 = no smoothing.
  int16_t smoothWindow = 0;
  // Chains shorter than this (in source pixels) are not painted.
  int16_t minLineLength = 6;
  // Size of the working map relative to the source, 0.1 to 5 (the dialog
  // offers 0.1 to 2.0).
  double scale = 1.0;
  // Range of the random shift of each drawn chain; 0 = none.
  int16_t randomNudge = 0;
};
