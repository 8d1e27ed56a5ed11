#include "separation/Settings.h"

#include "colors/StandardColorTable.h"
#include "regions/RegionListSubject.h"

bool Adjust_Detection_Settings_for_Upcoming_DetectionDialog(Settings& settings, RegionListSubject& list,
                                                            int16_t filesLoadMode, std::string& err) {
  err.clear();
  switch (filesLoadMode) {
    case 0:
      settings.watercolorParms = WatercolorParms();
      settings.sepsDialogSettings.brushSize = SepsDialogSettings().brushSize;
      settings.lastSepRowsControlSettings = Default_SepRows_Control_Settings();
      return true;
    case 1: {
      int16_t colors[RegionListSubject::kPaletteSize];
      bool greyPalette = false;
      // The rows are only the dialog's presets: a list whose colours make
      // no palette of one kind (grey and chromatic rows together, as the
      // "6 Synthetics" set gives) or that has no regions keeps the rows it
      // had and still loads.
      if (!list.Make_List_of_Colors_In_Images_Palette(kSeparationRowCount, colors, greyPalette, err)) {
        err.clear();
        return true;
      }
      // A row without regions (-9), and a colour a damaged file may carry
      // that the table does not have, become "-NONE-".
      for (int16_t row = 0; row < kSeparationRowCount; ++row)
        settings.lastSepRowsControlSettings[row].colorsStdIndex =
            Is_Standard_Color_Index(colors[row]) ? colors[row] : 0;
      return true;
    }
    default:
      err =
          "RegionListSubject::Adjust_Detection_Settings_for_Upcoming_DetectionDialog  FAILED, filesLoadMode "
          "is out "
          "of bounds.";
      return false;
  }
}
