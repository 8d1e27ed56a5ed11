#include "separation/SeparationDialogController.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "colors/ColorList.h"
#include "colors/StandardColorTable.h"
#include "colors/StandardColors.h"
#include "filters/WatercolorParms.h"
#include "framework/AppWindows.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "regions/DocumentState.h"
#include "regions/LayeredComposer.h"
#include "regions/RegionListSubject.h"
#include "render/RenderMan.h"
#include "separation/Settings.h"

namespace {

const char* const kInitNoWatercolor =
    "DetectTotalSepsDialog::OnInitDialog  FAILED,  m_lastWatercolorForSepsParms is NULL.";
const char* const kInitNoRows =
    "DetectTotalSepsDialog::OnInitDialog  FAILED,  m_lastSepRowsControlSettings is NULL.";
const char* const kInitNoLastSettings = "DetectTotalSepsDialog::OnInitDialog  FAILED,  lastSettings is NULL.";
const char* const kFillNotFound =
    "DetectTotalSepsDialog::Fill_SeparationRows_ComboBox_With_SPECIAL_ColorSET_Choices FAILED, "
    "Get_StandardColors_Index_to_Main_Colors_Array.";
const char* const kRenderNoWatercolor =
    "DetectTotalSepsDialog::Render_Watercolor_to_FilterMap_and_Display_inWindow FAILED, "
    "m_lastWatercolorForSepsParms is NULL.";
const char* const kStoreBadRow =
    "DetectTotalSepsDialog::Store_Dialogs_Control_Settings  FAILED,  "
    "ColorSeparator::Get_StandardColors_Index_by_Nickname.";
const char* const kColorSetNoSource =
    "DetectTotalSepsDialog::On_SelectChange_Palette_Choices_ComboBox  FAILED,  Watercolor Source has NOT "
    "been made.";
const char* const kAutoCalcNoSettings =
    "DetectTotalSepsDialog::Enable_AutoCalc_of_Palette  FAILED,  lastSettings is NULL.";
const char* const kPaletteNoSource =
    "DetectTotalSepsDialog::Load_ColorSet_and_Calculate_Palette_for_SRCphoto  FAILED,  Watercolor Source has "
    "NOT been "
    "made.";
const char* const kSupplementUpdateData =
    "DetectTotalSepsDialog::Supplement_RegionList_with_New_Separations  FAILED,  UpdateData";
const char* const kOutlineNoBackup =
    "etectTotalSepsDialog::On_BnClicked_Test_1_Button FAILED,  renderMan.m_sourceMapBackup is NULL.";

const char* const kNoFilterImage =
    "First create an Image in the Filter Window, as a source for the color separations.";
const char* const kNextNoImage =
    "Create an Image in the Pre-Processing Window, as a source for the color separations.";
const char* const kSelectFirstRow = "SELECT a COLOR in the first Separation's ComboBox.";
const char* const kDeleteQuestion =
    "If you continue, you will DELETE all the existing REGIONS ?  Want to continue ?";
const char* const kEndUseRedo = "Have reached the END of the Separation LIST. Use SELECTION and REDO Button.";
const char* const kPressStart = "Press the START SEQUENCE Button to start a new series of Separations.";
const char* const kEndOfList = "Have reached the END of the Separation LIST";
const char* const kNoRowLeft = "You have reached the END of the Separations LIST.";
const char* const kSelectValidColor = "Select a valid COLOR in the ComboBox.";
const char* const kLoadPhoto = "Load a SOURCE PHOTO from the File Menu.";
const char* const kBrushRange = "Enter a BRUSH SIZE between 2 and 32.";

const char* const kCalculatingPalette = "Calculating a Palette...";
const char* const kCreatingSeparations = "Creating Separations...";
const char* const kCreatingRow = "...creating Separation[ %d ] with %s ";

constexpr int16_t kLastStockColorSet = 15;
// "Contrast" shows checked for a stored outline darkness above this.
constexpr int16_t kContrastThreshold = 133;

int32_t Clamp_Position(int32_t position) {
  return std::clamp(position, 0, 100);
}

}  // namespace

const char* const SeparationDialogController::kDummyProjectPath = "DUMMyproject/DUMMyproject.bmp";

std::string SeparationRowCombo::Selected_Text() const {
  if (selection < 0 || selection >= static_cast<int32_t>(items.size())) return std::string();
  return items[static_cast<size_t>(selection)];
}

SeparationDialogController::SeparationDialogController(const SeparationContext& context,
                                                       ColorSeparator& separator, SettingsHelper& helper,
                                                       SepsDialogSettings* lastSettings)
    : m_context(context), m_separator(separator), m_helper(helper), m_lastSettings(lastSettings) {}

// ---------------------------------------------------------------------------
// Small helpers

void SeparationDialogController::Show(const std::string& text) {
  m_context.platform.Message(text);
}

void SeparationDialogController::Set_Status(const std::string& text) {
  m_controls.status = text;
  if (m_statusChanged) m_statusChanged(text);
}

bool SeparationDialogController::Has_PreProcessed_Image() const {
  const RenderMan& renderMan = m_context.renderMan;
  return renderMan.Has_Filtered_Image();
}

int16_t SeparationDialogController::Current_Color_Set() const {
  return static_cast<int16_t>(m_controls.colorSetSelection);
}

void SeparationDialogController::Enable_AutoCalc_of_Palette(bool on) {
  m_controls.alwaysCalculatePalette = on;
  if (m_lastSettings == nullptr) {
    Show(kAutoCalcNoSettings);
    return;
  }
  m_lastSettings->alwaysCalcPalette = on ? 1 : 0;
}

void SeparationDialogController::Show_Watercolor_Sliders() {
  const WatercolorParms& parms = *m_helper.m_lastWatercolorForSepsParms;
  m_controls.darkPosition = Watercolor_Slider_Position(WatercolorSlider::Dark, parms);
  m_controls.litePosition = Watercolor_Slider_Position(WatercolorSlider::Lite, parms);
  m_controls.satPosition = Watercolor_Slider_Position(WatercolorSlider::Sat, parms);
  m_controls.darkValue = std::to_string(100 - m_controls.darkPosition);
  m_controls.liteValue = std::to_string(100 - m_controls.litePosition);
  m_controls.satValue = std::to_string(100 - m_controls.satPosition);
}

// ---------------------------------------------------------------------------
// Opening and closing

bool SeparationDialogController::OnInitDialog() {
  m_initialised = false;
  if (m_helper.m_lastWatercolorForSepsParms == nullptr) {
    Show(kInitNoWatercolor);
    return false;
  }
  if (m_helper.m_lastSepRowsControlSettings == nullptr) {
    Show(kInitNoRows);
    return false;
  }
  if (m_lastSettings == nullptr) {
    Show(kInitNoLastSettings);
    return false;
  }
  m_brushSize = m_lastSettings->brushSize;
  m_controls.brushSizeText = std::to_string(m_brushSize);
  Set_Status("");

  m_controls.colorSets.clear();
  for (int16_t set = 0; set < kOfferedColorSets; ++set) {
    std::string err, nickname;
    if (!Get_Nickname_of_Stock_ColorSet(set, err, nickname)) {
      Show(err);
      break;
    }
    m_controls.colorSets.push_back(nickname);
  }
  m_controls.colorSetSelection = m_lastSettings->palettePrimaryIdx;
  for (int32_t row = 0; row < kRowCount; ++row) {
    Fill_SeparationRows_ComboBox_With_SPECIAL_ColorSET_Choices(row, Current_Color_Set());
  }

  // The outline cannot be shown over an image that is not there yet.
  RenderMan& renderMan = m_context.renderMan;
  const bool hasImage = Has_PreProcessed_Image();
  if (!hasImage) {
    m_lastSettings->hideOutline = 0;
    renderMan.Set_Hide_Outline(0);
  }
  m_controls.hideOutline = m_lastSettings->hideOutline != 0;
  m_controls.alwaysCalculatePalette = m_lastSettings->alwaysCalcPalette != 0;
  m_controls.contrast = m_lastSettings->outlineDarkness > kContrastThreshold;

  Show_Watercolor_Sliders();
  m_controls.litenessPosition = Clamp_Position(100 - m_lastSettings->outlineLiteness);
  m_controls.litenessValue = std::to_string(100 - m_controls.litenessPosition);
  m_initialised = true;

  if (!hasImage) {
    std::string err;
    if (!Render_Watercolor_to_FilterMap_and_Display_inWindow(err)) Show(err);
  }

  int16_t palette[kRowCount];
  for (int16_t row = 0; row < kRowCount; ++row)
    palette[row] = m_helper.Get_SeparationRows_StandardColors_Index(row);
  Set_Row_Colors_from_Palette(palette);
  return true;
}

bool SeparationDialogController::On_Close() {
  if (!Read_Controls()) return false;
  Store_Dialogs_Control_Settings();
  return true;
}

// ---------------------------------------------------------------------------
// Data exchange

bool SeparationDialogController::Read_Controls() {
  if (!m_initialised) return false;
  const std::string& text = m_controls.brushSizeText;
  errno = 0;
  char* end = nullptr;
  const long size = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno != 0 || size < kMinBrushSize || size > kMaxBrushSize) {
    Show(kBrushRange);
    return false;
  }
  m_brushSize = static_cast<int16_t>(size);
  return true;
}

void SeparationDialogController::Store_Dialogs_Control_Settings() {
  if (!m_initialised) return;
  RenderMan& renderMan = m_context.renderMan;
  m_lastSettings->brushSize = m_brushSize;
  m_lastSettings->palettePrimaryIdx = Current_Color_Set();
  m_lastSettings->alwaysCalcPalette = m_controls.alwaysCalculatePalette ? 1 : 0;
  m_lastSettings->hideOutline = m_controls.hideOutline ? 1 : 0;
  renderMan.Set_Hide_Outline(m_lastSettings->hideOutline);
  m_lastSettings->outlineDarkness = m_controls.contrast ? kContrastDarkness : kNormalDarkness;
  renderMan.Set_Outline_Darkness(m_lastSettings->outlineDarkness);
  // Only the colours are the dialog's; the adjustments stay as they are.
  for (int32_t row = 0; row < kRowCount; ++row) {
    const int16_t index = Get_StandardColors_Index_by_Nickname(m_controls.rows[row].Selected_Text());
    if (index < 0) {
      Show(kStoreBadRow);
      break;
    }
    m_helper.m_lastSepRowsControlSettings[row].colorsStdIndex = index;
  }
}

// ---------------------------------------------------------------------------
// Rows and colour sets

bool SeparationDialogController::Fill_SeparationRows_ComboBox_With_SPECIAL_ColorSET_Choices(
    int32_t row, int16_t colorSet) {
  if (row < 0 || row >= kRowCount) return false;
  ColorList colors;
  bool repeatColorsAllowed = false;
  std::string err;
  if (!Make_ColorSets_List_of_Colors(colors, colorSet, repeatColorsAllowed, err)) {
    Show(err);
    return false;
  }
  SeparationRowCombo& combo = m_controls.rows[row];
  combo.items.assign(1, "-NONE-");
  for (const ColorHSV* entry : colors) {
    const ColorHSV& color = *entry;
    const int16_t index = Get_StandardColors_Index_to_Main_Colors_Array(color.hue, color.sat, color.val);
    std::string nickname;
    if (index < 0 || !Get_StandardColors_Nickname(index, nickname)) {
      Show(kFillNotFound);
      continue;
    }
    combo.items.push_back(nickname);
  }
  combo.selection = 0;
  return true;
}

int32_t SeparationDialogController::Find_Color_in_Set(int16_t colorIndex, int16_t colorSet) {
  int16_t hue = 0, sat = 0, val = 0;
  if (!Get_StandardColors_HSV_Values(colorIndex, hue, sat, val)) return -1;
  ColorList colors;
  bool repeatColorsAllowed = false;
  std::string err;
  if (!Make_ColorSets_List_of_Colors(colors, colorSet, repeatColorsAllowed, err)) return -1;
  int32_t position = 1;
  for (const ColorHSV* color : colors) {
    if (color->hue == hue && color->sat == sat && color->val == val) return position;
    ++position;
  }
  return -1;
}

void SeparationDialogController::Set_Row_Colors_from_Palette(const int16_t (&palette)[kRowCount]) {
  for (int32_t row = 0; row < kRowCount; ++row) {
    const int16_t index = palette[row];
    if (index == 0) {
      m_controls.rows[row].selection = 0;
    } else if (index >= 1 && index < kStandardColorCount) {
      const int32_t position = Find_Color_in_Set(index, Current_Color_Set());
      if (position >= 1) m_controls.rows[row].selection = position;
    }
  }
}

bool SeparationDialogController::Load_ColorSet_and_Calculate_Palette_for_SRCphoto(int16_t colorSet,
                                                                                  int16_t rowCount,
                                                                                  std::string& err) {
  err.clear();
  if (!Has_PreProcessed_Image()) {
    err = kPaletteNoSource;
    return false;
  }
  WaitCursor wait(m_context.platform.Cursor());
  Set_Status(kCalculatingPalette);
  int16_t palette[ColorSeparator::kMaxPaletteColors];
  const bool ok = m_separator.Calc_Ideal_Palette_for_Stock_ColorSet(colorSet, rowCount, palette, err);
  if (ok) {
    int16_t rows[kRowCount];
    for (int32_t row = 0; row < kRowCount; ++row) {
      rows[row] = row < rowCount ? palette[row] : -1;  // -1 leaves a row as it is
      if (row < rowCount) m_helper.m_lastSepRowsControlSettings[row].colorsStdIndex = palette[row];
    }
    Set_Row_Colors_from_Palette(rows);
  }
  Set_Status("");
  return ok;
}

bool SeparationDialogController::On_Color_Set_Selected(int32_t selection) {
  if (!m_initialised) return false;
  if (!Has_PreProcessed_Image()) {
    Show(kColorSetNoSource);
    return false;
  }
  if (selection < 0 || selection > kLastStockColorSet) return false;
  m_controls.colorSetSelection = selection;
  const int16_t colorSet = static_cast<int16_t>(selection);
  for (int32_t row = 0; row < kRowCount; ++row)
    Fill_SeparationRows_ComboBox_With_SPECIAL_ColorSET_Choices(row, colorSet);
  std::string err;
  if (!Load_ColorSet_and_Calculate_Palette_for_SRCphoto(colorSet, kRowCount, err)) {
    Show(err);
    return false;
  }
  m_lastSettings->palettePrimaryIdx = colorSet;
  Enable_AutoCalc_of_Palette(true);
  return true;
}

bool SeparationDialogController::On_Row_Color_Selected(int32_t row, int32_t item) {
  if (!m_initialised || row < 0 || row >= kRowCount) return false;
  SeparationRowCombo& combo = m_controls.rows[row];
  if (item < 0 || item >= static_cast<int32_t>(combo.items.size())) return false;
  combo.selection = item;
  std::string err;
  const bool ok = Supplement_RegionList_with_New_Separations(static_cast<int16_t>(row), err);
  if (!ok) Show(err);
  // The user has chosen a colour by hand: a new palette would overwrite it.
  Enable_AutoCalc_of_Palette(false);
  return ok;
}

// ---------------------------------------------------------------------------
// Making separations

bool SeparationDialogController::Make_Row(int16_t row, bool& made, std::string& err) {
  made = false;
  SeparationParms parms;
  bool isNone = false;
  if (!m_helper.Prepare_Parms_Structure_For_SeparationCreation(row, parms, isNone, true, err)) return false;
  if (isNone) return true;
  std::string nickname;
  Get_StandardColors_Nickname(parms.huntColorIndex, nickname);
  Set_Status(Text_Format(kCreatingRow, row + 1, nickname.c_str()));
  m_controls.checkedRadio = row;
  RegionListSubject& list = m_context.regionList;
  std::string fileName;
  if (!m_separator.Make_Next_Separation(parms, fileName, row, list, kDummyProjectPath, err)) return false;
  list.Set_Separation_Name(row, fileName);
  made = true;
  return true;
}

bool SeparationDialogController::Make_Separation_for_Row(int16_t row, std::string& err) {
  err.clear();
  if (m_helper.Is_Row_None(row)) {
    Show(kSelectValidColor);
    return true;
  }
  bool made = false;
  const bool ok = Make_Row(row, made, err);
  Set_Status("");
  if (!ok) return false;
  if (row == kRowCount - 1) m_reachedEnd = true;
  m_controls.checkedRadio = m_currentRow;
  return true;
}

bool SeparationDialogController::Supplement_RegionList_with_New_Separations(int16_t startRow,
                                                                            std::string& err) {
  err.clear();
  if (!Read_Controls()) {
    err = kSupplementUpdateData;
    return false;
  }
  Store_Dialogs_Control_Settings();
  if (startRow < 0 || startRow >= kRowCount) return true;
  WaitCursor wait(m_context.platform.Cursor());
  m_context.windows.Clear_Selection();
  RegionListSubject& list = m_context.regionList;
  // A later row is made again only when it had regions: what it takes
  // depends on what the rows before it took.
  bool remake[kRowCount] = {};
  for (int16_t row = startRow; row < kRowCount; ++row) {
    remake[row] = row == startRow || list.Has_Separation_Regions(row);
    // Making a row over regions that could not be deleted would list its
    // regions twice: the first failure ends the operation.
    if (remake[row] && !m_separator.Delete_Separation_Regions(row, list, err)) return false;
  }
  for (int16_t row = startRow; row < kRowCount; ++row) {
    if (!remake[row]) continue;
    bool made = false;
    if (!Make_Row(row, made, err)) {
      Set_Status("");
      return false;
    }
  }
  Set_Status("");
  return m_context.composer.Refresh_Views_After_Separations(err);
}

bool SeparationDialogController::On_Preview_All_Seps() {
  if (!Read_Controls()) return false;
  Store_Dialogs_Control_Settings();
  if (!Has_PreProcessed_Image()) {
    Show(kNoFilterImage);
    return false;
  }
  std::string err;
  const auto fail = [&]() {
    Set_Status("");
    Show(err);
    return false;
  };
  if (m_lastSettings->alwaysCalcPalette != 0 &&
      !Load_ColorSet_and_Calculate_Palette_for_SRCphoto(m_lastSettings->palettePrimaryIdx, kRowCount, err))
    return fail();
  m_context.windows.Clear_Selection();
  RegionListSubject& list = m_context.regionList;
  if (list.Has_Regions() && !m_separator.Delete_All_Regions_and_Redraw(list, err)) return fail();
  if (!m_separator.Generate_All_Separations_and_SubRegions_from_Bitmap(list, err)) return fail();

  Set_Status(kCreatingSeparations);
  WaitCursor wait(m_context.platform.Cursor());
  m_currentRow = 0;
  m_context.document.currentSeparationID = -1;
  for (int16_t row = 0; row < kRowCount; ++row) {
    bool made = false;
    if (!Make_Row(row, made, err)) return fail();
    if (made) m_context.document.currentSeparationID = row;
    if (m_currentRow < kRowCount - 1) ++m_currentRow;
  }
  if (m_context.document.currentSeparationID >= 0)
    m_controls.checkedRadio = m_context.document.currentSeparationID;
  Set_Status("");
  if (!m_context.composer.Refresh_Views_After_Separations(err)) return fail();
  return true;
}

bool SeparationDialogController::On_Start_Sequence() {
  if (!Read_Controls()) return false;
  Store_Dialogs_Control_Settings();
  if (!Has_PreProcessed_Image()) {
    Show(kNoFilterImage);
    return false;
  }
  if (m_helper.Is_Row_None(0)) {
    Show(kSelectFirstRow);
    return false;
  }
  RegionListSubject& list = m_context.regionList;
  std::string err;
  if (list.Has_Regions()) {
    if (m_context.platform.Messages().Message_Box(kDeleteQuestion, MessageButtons::OkCancel) !=
        MessageAnswer::Ok)
      return false;
    m_context.windows.Clear_Selection();
    if (!m_separator.Delete_All_Regions_and_Redraw(list, err)) {
      Show(err);
      return false;
    }
  }
  if (m_lastSettings->alwaysCalcPalette != 0 &&
      !Load_ColorSet_and_Calculate_Palette_for_SRCphoto(m_lastSettings->palettePrimaryIdx, kRowCount, err)) {
    Show(err);
    return false;
  }
  if (!m_separator.Generate_All_Separations_and_SubRegions_from_Bitmap(list, err)) {
    Show(err);
    return false;
  }
  m_reachedEnd = false;
  list.Clear_Texts();
  m_currentRow = 0;
  m_controls.checkedRadio = 0;
  m_context.document.currentSeparationID = -1;
  if (!Make_Separation_for_Row(0, err)) {
    Show(err);
    return false;
  }
  m_context.document.currentSeparationID = 0;
  if (!m_context.composer.Refresh_Views_After_Separations(err)) {
    Show(err);
    return false;
  }
  return true;
}

bool SeparationDialogController::On_Next_Separation() {
  if (!Read_Controls()) return false;
  Store_Dialogs_Control_Settings();
  if (!Has_PreProcessed_Image()) {
    Show(kNextNoImage);
    return false;
  }
  if (m_reachedEnd) {
    Show(kEndUseRedo);
    return false;
  }
  if (m_context.document.currentSeparationID < 0) {
    Show(kPressStart);
    return false;
  }
  if (m_currentRow >= kRowCount - 1) {
    Show(kEndOfList);
    return false;
  }
  int16_t next = -1;
  for (int16_t row = static_cast<int16_t>(m_currentRow + 1); row < kRowCount; ++row) {
    if (!m_helper.Is_Row_None(row)) {
      next = row;
      break;
    }
  }
  if (next < 0) {
    m_currentRow = m_context.document.currentSeparationID;
    Show(kNoRowLeft);
    return false;
  }
  m_currentRow = next;
  m_context.windows.Clear_Selection();
  RegionListSubject& list = m_context.regionList;
  std::string err;
  if (!m_separator.Delete_Separation_Regions(next, list, err)) {
    Show(err);
    return false;
  }
  m_controls.checkedRadio = next;
  if (!Make_Separation_for_Row(next, err)) {
    Show(err);
    return false;
  }
  m_context.document.currentSeparationID = next;
  if (!m_context.composer.Refresh_Views_After_Separations(err)) {
    Show(err);
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------
// Pre-processing, outline settings and the outline editor

bool SeparationDialogController::Render_Watercolor_to_FilterMap_and_Display_inWindow(std::string& err) {
  err.clear();
  const WatercolorParms* parms = m_helper.m_lastWatercolorForSepsParms;
  if (parms == nullptr) {
    err = kRenderNoWatercolor;
    return false;
  }
  RenderMan& renderMan = m_context.renderMan;
  WaitCursor wait(m_context.platform.Cursor());
  const bool ok = renderMan.Is_Greyscale_Photo()
                      ? renderMan.WatercolorFilter_For_Separations_Grey_24bit(*parms, err)
                      : renderMan.WatercolorFilter_For_Separations(*parms, err);
  if (ok) m_context.windows.Redraw_Viewjs_of_Code(kWindowPreProcessing);
  return ok;
}

bool SeparationDialogController::On_Watercolor_Slider(WatercolorSlider slider, int32_t position) {
  if (!m_initialised) return false;
  const int32_t clamped = Clamp_Position(position);
  const std::string value =
      std::to_string(Apply_Watercolor_Slider(slider, clamped, *m_helper.m_lastWatercolorForSepsParms));
  switch (slider) {
    case WatercolorSlider::Dark:
      m_controls.darkPosition = clamped;
      m_controls.darkValue = value;
      break;
    case WatercolorSlider::Lite:
      m_controls.litePosition = clamped;
      m_controls.liteValue = value;
      break;
    case WatercolorSlider::Sat:
      m_controls.satPosition = clamped;
      m_controls.satValue = value;
      break;
  }
  std::string err;
  if (!Render_Watercolor_to_FilterMap_and_Display_inWindow(err)) {
    Show(err);
    return false;
  }
  return true;
}

bool SeparationDialogController::On_Dark_Slider(int32_t position) {
  return On_Watercolor_Slider(WatercolorSlider::Dark, position);
}

bool SeparationDialogController::On_Lite_Slider(int32_t position) {
  return On_Watercolor_Slider(WatercolorSlider::Lite, position);
}

bool SeparationDialogController::On_Sat_Slider(int32_t position) {
  return On_Watercolor_Slider(WatercolorSlider::Sat, position);
}

bool SeparationDialogController::On_Liteness_Slider(int32_t position) {
  if (!m_initialised) return false;
  m_controls.litenessPosition = Clamp_Position(position);
  const int16_t liteness = static_cast<int16_t>(100 - m_controls.litenessPosition);
  m_controls.litenessValue = std::to_string(liteness);
  m_lastSettings->outlineLiteness = liteness;
  m_context.renderMan.Set_Outline_Liteness(liteness);
  return m_context.composer.ReDraw_SummedFinalViews_OffMap();
}

bool SeparationDialogController::On_Hide_Outline_Clicked(bool checked) {
  m_controls.hideOutline = checked;
  if (!Read_Controls()) return false;
  Store_Dialogs_Control_Settings();
  return m_context.composer.ReDraw_SummedFinalViews_OffMap();
}

bool SeparationDialogController::On_Contrast_Clicked(bool checked) {
  m_controls.contrast = checked;
  if (!Read_Controls()) return false;
  Store_Dialogs_Control_Settings();
  return m_context.composer.ReDraw_SummedFinalViews_OffMap();
}

bool SeparationDialogController::On_Outline_Editor() {
  if (!m_context.document.Has_Source_Photo()) {
    Show(kLoadPhoto);
    return false;
  }
  if (m_context.renderMan.Get_Source_Map_Backup() == nullptr) {
    Show(kOutlineNoBackup);
    return false;
  }
  if (m_runOutlineEditor && !m_runOutlineEditor()) m_context.windows.Redraw_All_Viewjs();
  return true;
}

// ---------------------------------------------------------------------------

SeparationSession::SeparationSession(const SeparationContext& context)
    : m_separator(context.renderMan, context.composer.Get_WindowsUpdater(), &context.document.regionCounter),
      m_helper(&m_separator, &context.settings.watercolorParms,
               context.settings.lastSepRowsControlSettings.data(),
               &context.settings.sepsDialogSettings.brushSize, context.platform.Messages()),
      m_controller(context, m_separator, m_helper, &context.settings.sepsDialogSettings) {
  context.document.currentSeparationID = -1;
}
