#pragma once
// Settings: the settings records that outlive the dialogs that edit them,
// as one plain record.  The application object owns it; the separation
// dialog works on the watercolour, row and dialog records, the outline
// dialog on the detection record, and a region list file stores and
// restores part of them.

#include <cstdint>
#include <string>

#include "filters/WatercolorParms.h"
#include "outline/OutlineDetectParms.h"
#include "separation/SeparationSettings.h"

class RegionListSubject;

struct Settings {
  // The watercolour pre-processing settings of the separation dialog.
  WatercolorParms watercolorParms;
  // The separation dialog's rows and its other controls, kept between
  // openings of the dialog.
  SepRowsControlSettings lastSepRowsControlSettings = Default_SepRows_Control_Settings();
  SepsDialogSettings sepsDialogSettings;
  // The outline dialog's detection and line settings.
  OutlineDetectParms outlineDetectParms;
};

// Prepares the separation dialog's settings for what was just loaded.
// Mode 0, a new photo: the pre-processing settings, the brush size and the
// rows go back to their defaults (the colour set and the check boxes stay
// as the user left them).  Mode 1, a region list: each row takes the colour
// of the regions that row made in `list` ("-NONE-" for a row without
// regions; the adjustments stay); when the colours make no palette the rows
// are left alone.  Any other mode fails.
bool Adjust_Detection_Settings_for_Upcoming_DetectionDialog(Settings& settings, RegionListSubject& list,
                                                            int16_t filesLoadMode, std::string& err);
