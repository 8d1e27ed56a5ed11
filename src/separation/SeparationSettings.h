#pragma once
// The settings the separation dialog keeps between its openings.  The
// application object holds one of each (beside its watercolour record,
// WatercolorParms, which is the dialog's pre-processing setting); the
// dialog and the SettingsHelper of the separation engine point to them.
// Loading a new photo puts them back to the defaults given here.

#include <array>
#include <cstdint>

// The number of separation rows of the dialog.
inline constexpr int16_t kSeparationRowCount = 5;

// One separation row: the standard colour of the row (0 for "-NONE-") and
// its adjustment (a saturation step for a chromatic colour, a darkening step
// for a grey; 0 leaves the colour as the table has it).
struct SepRowControlSettings {
  int16_t colorsStdIndex = 0;
  int16_t adjustment = 0;
};

using SepRowsControlSettings = std::array<SepRowControlSettings, kSeparationRowCount>;

// The rows a first opening of the dialog shows: Purple, Vermillion, Pthalo
// Green, Juane and Purple again, with their adjustments.
inline constexpr SepRowsControlSettings Default_SepRows_Control_Settings() {
  return SepRowsControlSettings{{{11, 10}, {1, 4}, {7, 8}, {2, 5}, {11, 0}}};
}

// The dialog's other controls.
struct SepsDialogSettings {
  int16_t brushSize = 6;          // size of the clean-up filters, 2..32
  int16_t palettePrimaryIdx = 0;  // stock colour set of the "Color Sets:" box
  uint8_t alwaysCalcPalette = 1;  // recalculate the palette before making separations
  uint8_t hideOutline = 0;        // leave the outline out of the layered image
  int16_t outlineLiteness = 0;
  int16_t outlineDarkness = 100;  // percent; 150 with "Contrast"
};
