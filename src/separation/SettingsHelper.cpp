#include "separation/SettingsHelper.h"

#include <algorithm>

#include "colors/StandardColorTable.h"
#include "colors/StandardColors.h"
#include "platform/PlatformServices.h"
#include "raster/ColorSpace.h"
#include "separation/ColorSeparator.h"

SettingsHelper::SettingsHelper(ColorSeparator* separator, WatercolorParms* lastWatercolorForSepsParms,
                               SepRowControlSettings* rowSettings, int16_t* brushSize,
                               MessageService& messages, int16_t rowCount)
    : m_separator(separator),
      m_lastWatercolorForSepsParms(lastWatercolorForSepsParms),
      m_lastSepRowsControlSettings(rowSettings),
      m_brushSize(brushSize),
      m_rowCount(rowCount),
      m_messages(messages) {}

SettingsHelper::~SettingsHelper() = default;

const SepRowControlSettings* SettingsHelper::Row_Settings(int16_t row) const {
  if (m_lastSepRowsControlSettings == nullptr || row < 0 || row >= m_rowCount) return nullptr;
  return &m_lastSepRowsControlSettings[row];
}

void SettingsHelper::Fill_Default_Parms(SeparationParms& parms) {
  parms = SeparationParms{};
}

bool SettingsHelper::Is_Row_None(int16_t row) {
  const SepRowControlSettings* settings = Row_Settings(row);
  return settings == nullptr || settings->colorsStdIndex == 0;
}

int16_t SettingsHelper::Get_SeparationRows_StandardColors_Index(int16_t row) {
  if (m_lastSepRowsControlSettings == nullptr) {
    m_messages.Message_Box(
        "SettingsHelper::Get_SeparationRows_StandardColors_Index  FAILED,  m_lastSepRowsControlSettings is "
        "NULL.");
    return -1;
  }
  const SepRowControlSettings* settings = Row_Settings(row);
  if (settings == nullptr) {
    m_messages.Message_Box(
        "SettingsHelper::Get_SeparationRows_StandardColors_Index  FAILED,  row is out of bounds.");
    return -1;
  }
  // The index is taken as unsigned: a negative one is out of bounds too.
  if (!Is_Standard_Color_Index(settings->colorsStdIndex)) {
    m_messages.Message_Box(
        "SettingsHelper::Get_SeparationRows_StandardColors_Index  FAILED,  colorsStdIndex is out of bounds.");
    return -1;
  }
  return settings->colorsStdIndex;
}

bool SettingsHelper::Calc_HuntColors_RGB_with_Adjustments(int16_t row, int16_t& red, int16_t& green,
                                                          int16_t& blue, int16_t& adjustment,
                                                          std::string& err) {
  err.clear();
  red = green = blue = 0;
  adjustment = 0;
  const SepRowControlSettings* settings = Row_Settings(row);
  if (settings == nullptr) {
    err = m_lastSepRowsControlSettings == nullptr
              ? "SettingsHelper::Calc_HuntColors_RGB_with_Adjustments FAILED,  m_lastSepRowsControlSettings "
                "is NULL."
              : "SettingsHelper::Calc_HuntColors_RGB_with_Adjustments FAILED,  row is out of bounds.";
    return false;
  }
  adjustment = settings->adjustment;
  if (settings->colorsStdIndex == 0) {
    err = "SettingsHelper::Calc_HuntColors_RGB_with_Adjustments FAILED,  trying to calc RGB for NONE case.";
    return false;
  }
  int16_t hue = 0, sat = 0, val = 0;
  if (!Get_StandardColors_HSV_Values(settings->colorsStdIndex, hue, sat, val)) {
    err =
        "SettingsHelper::Calc_HuntColors_RGB_with_Adjustments FAILED,  Get_StandardColors_HSV_Values failed.";
    return false;
  }
  // A grey has no saturation to raise: its adjustment darkens it instead.
  if (hue < 0)
    val = static_cast<int16_t>(std::clamp(val - adjustment, 0, 255));
  else
    sat = static_cast<int16_t>(std::clamp(sat + adjustment, 0, 255));
  int16_t r = 0, g = 0, b = 0;
  HSV_to_RGB(hue, sat, val, &r, &g, &b);
  red = std::clamp<int16_t>(r, 0, 255);
  green = std::clamp<int16_t>(g, 0, 255);
  blue = std::clamp<int16_t>(b, 0, 255);
  return true;
}

bool SettingsHelper::Prepare_Parms_Structure_For_SeparationCreation(int16_t row, SeparationParms& parms,
                                                                    bool& isNone, bool /*inMemory*/,
                                                                    std::string& err) {
  err.clear();
  isNone = false;
  if (row < 0 || row >= m_rowCount) {
    err =
        "SettingsHelper::Prepare_Parms_Structure_For_SeparationCreation FAILED,  separationID is out of "
        "bounds.";
    return false;
  }
  Fill_Default_Parms(parms);
  const int16_t colorIndex = Get_SeparationRows_StandardColors_Index(row);
  if (colorIndex == 0) {
    isNone = true;
    return true;
  }
  parms.huntColorIndex = colorIndex;
  if (m_brushSize != nullptr) {
    parms.minFilterSize = *m_brushSize;
    parms.maxFilterSize = *m_brushSize;
  }
  int16_t adjustment = 0;
  if (!Calc_HuntColors_RGB_with_Adjustments(row, parms.huntRed, parms.huntGreen, parms.huntBlue, adjustment,
                                            err))
    return false;
  if (adjustment != 0) parms.adjustment = adjustment;
  // The dialog's separations are always component-threshold separations.
  parms.algoCode = SeparationParms::kAlgoComponentThreshold;
  return true;
}
