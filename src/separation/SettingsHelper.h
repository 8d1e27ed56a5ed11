#pragma once
// SettingsHelper: turns a separation row of the dialog (a standard colour
// and an adjustment) into the SeparationParms of one separation.  It points
// to the settings records the application keeps between openings of the
// dialog (SeparationSettings.h); it owns none of them.

#include <cstdint>
#include <string>

#include "separation/SeparationParms.h"
#include "separation/SeparationSettings.h"

class ColorSeparator;
class MessageService;
struct WatercolorParms;

class SettingsHelper {
 public:
  // Any of the pointers may be null; the operations that need one say so.
  // `rowSettings` points to `rowCount` rows.
  SettingsHelper(ColorSeparator* separator, WatercolorParms* lastWatercolorForSepsParms,
                 SepRowControlSettings* rowSettings, int16_t* brushSize, MessageService& messages,
                 int16_t rowCount = kSeparationRowCount);
  virtual ~SettingsHelper();
  SettingsHelper(const SettingsHelper&) = delete;
  SettingsHelper& operator=(const SettingsHelper&) = delete;

  // The defaults of SeparationParms.
  virtual void Fill_Default_Parms(SeparationParms& parms);
  // The parms of `row`: the defaults, then the row's colour, the brush size
  // as both filter sizes, the hunt colour with the row's adjustment, and
  // the adjustment itself.  A row of "-NONE-" sets `isNone` and keeps the
  // defaults.  The in-memory flag does not change the parms.
  virtual bool Prepare_Parms_Structure_For_SeparationCreation(int16_t row, SeparationParms& parms,
                                                              bool& isNone, bool inMemory, std::string& err);
  virtual int16_t* Get_BrushSize_Address() { return m_brushSize; }
  // True without row settings, for a row of "-NONE-" and for a row the
  // settings do not have.
  virtual bool Is_Row_None(int16_t row);
  // The row's standard colour index; -1, shown in a message box, without
  // row settings, for a row they do not have, or for an index of 34 or more.
  virtual int16_t Get_SeparationRows_StandardColors_Index(int16_t row);
  // The row's standard colour as RGB, its saturation raised (chromatic) or
  // its value lowered (grey) by the row's adjustment first.  `adjustment`
  // receives the row's adjustment.
  virtual bool Calc_HuntColors_RGB_with_Adjustments(int16_t row, int16_t& red, int16_t& green, int16_t& blue,
                                                    int16_t& adjustment, std::string& err);

  ColorSeparator* m_separator;
  WatercolorParms* m_lastWatercolorForSepsParms;
  SepRowControlSettings* m_lastSepRowsControlSettings;
  int16_t* m_brushSize;
  int16_t m_rowCount;

 private:
  // The settings of `row`; null without settings or for a row outside them.
  const SepRowControlSettings* Row_Settings(int16_t row) const;

  MessageService& m_messages;
};
