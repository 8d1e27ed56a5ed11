#pragma once
// SeparationDialogController: the logic of the "Color Separation Creation"
// dialog (DetectTotalSepsDialog) without any user interface.  The desktop
// dialog binds its widgets to the plain control state below and calls the
// handlers; the command line and the tests drive the same handlers.
//
// The dialog works on three settings records that outlive it (the
// watercolour pre-processing, the five separation rows and the dialog's
// last settings, held by its owner) and on a separation engine and
// its settings helper that the "Create Separations" command builds for the
// dialog's lifetime.  None of them is owned here.
//
// Rows.  Every row has a combo box of colours: "-NONE-" first, then the
// members of the chosen colour set in set order, so item k (k >= 1) is the
// k-th member of the set.  The row settings hold standard colour indices;
// the combos are read back by nickname when the settings are stored.
//
// Row by row.  "Start Sequence" makes the first row's separation, each
// "Next Separation" the next row that has a colour, until the last row;
// "Preview All Seps" makes all rows at once.  Changing a row's colour
// remakes that row and every later row that already had regions.
// Separations are kept in memory only and named after a dummy project.
//
// Data exchange.  Every handler that works with the settings first reads
// the controls: a brush size that is not a whole number from 2 to 32 is
// refused with a message and the handler does nothing more.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "filters/WatercolorParms.h"
#include "separation/ColorSeparator.h"
#include "separation/SeparationSettings.h"
#include "separation/SettingsHelper.h"

class AppWindows;
class LayeredComposer;
class Platform;
class RegionListSubject;
class RenderMan;
struct DocumentState;
struct Settings;

// What the dialog and its session work on: the maps, the regions the
// separations add to, the composer of the layered image, the windows it
// redraws, the document state (the region counter, the current separation,
// the source photo) and the settings records.  None of them is owned here.
struct SeparationContext {
  Platform& platform;
  RenderMan& renderMan;
  RegionListSubject& regionList;
  LayeredComposer& composer;
  AppWindows& windows;
  DocumentState& document;
  Settings& settings;
};

// One row's combo box: its items and the selected item (-1 for none).
struct SeparationRowCombo {
  std::vector<std::string> items;
  int32_t selection = -1;

  // The selected item's text, or "" when nothing is selected.
  std::string Selected_Text() const;
};

// Everything the dialog shows, as plain data (control ids in brackets).
struct SeparationDialogControls {
  static constexpr int32_t kRowCount = 5;

  std::vector<std::string> colorSets;  // "Color Sets:" [1014]
  int32_t colorSetSelection = -1;
  std::array<SeparationRowCombo, kRowCount> rows;  // [1024 .. 1028]
  int32_t checkedRadio = 0;                        // radio buttons "1" .. "5" [1016 .. 1020], as a row 0..4
  std::string brushSizeText;                       // "Brush Size:" edit [1013], as typed
  bool alwaysCalculatePalette = false;             // "Always Calculate New Palette" [1032]
  bool hideOutline = false;                        // "Hide Outline" [1055]
  bool contrast = false;                           // "Contrast" [1073]
  // Slider positions, 0 at the top .. 100 at the bottom, and the values
  // shown beside them (100 - position).
  int32_t darkPosition = 0;      // [1004], value [1045]
  int32_t litePosition = 0;      // [1006], value [1046]
  int32_t satPosition = 0;       // [1007], value [1047]
  int32_t litenessPosition = 0;  // [1056], value [1072]
  std::string darkValue, liteValue, satValue, litenessValue;
  std::string status;  // "Status Message" [1015]
};

class SeparationDialogController {
 public:
  static constexpr int32_t kRowCount = SeparationDialogControls::kRowCount;
  static constexpr int32_t kMinBrushSize = 2;
  static constexpr int32_t kMaxBrushSize = 32;
  // The "Color Sets:" combo offers the stock sets 0 .. 8.
  static constexpr int32_t kOfferedColorSets = 9;
  // The outline darkness with "Contrast" checked, and without.
  static constexpr int16_t kContrastDarkness = 150;
  static constexpr int16_t kNormalDarkness = 100;
  // The project path the engine names in-memory separations after.
  static const char* const kDummyProjectPath;

  // The watercolour and row settings are those the helper points to; any
  // settings record may be missing (the dialog then refuses to start).
  SeparationDialogController(const SeparationContext& context, ColorSeparator& separator,
                             SettingsHelper& helper, SepsDialogSettings* lastSettings);
  SeparationDialogController(const SeparationDialogController&) = delete;
  SeparationDialogController& operator=(const SeparationDialogController&) = delete;

  const SeparationDialogControls& Controls() const { return m_controls; }
  // The row being worked on (0 .. 4) and whether the last row was made by
  // the row-by-row series.
  int16_t Current_Row() const { return m_currentRow; }
  bool Reached_End() const { return m_reachedEnd; }

  // Called after every change of the status line, so that a desktop dialog
  // can repaint it at once while the work goes on.
  std::function<void(const std::string&)> m_statusChanged;
  // "Outline Editor" once its checks pass: opens the missing windows, runs
  // the outline dialog and returns true when that dialog ended with OK.
  // Unset, the button only checks.
  std::function<bool()> m_runOutlineEditor;

  // ---- the dialog's life ------------------------------------------------------
  // Fills and sets every control from the settings; renders the
  // pre-processed image when there is none yet.  False (after a message)
  // when a settings record is missing.
  bool OnInitDialog();
  // "Close": stores the settings; true when the dialog ends (with OK).
  bool On_Close();

  // ---- plain controls ------------------------------------------------------------
  void Set_Brush_Size_Text(const std::string& text) { m_controls.brushSizeText = text; }
  void Set_Always_Calculate_Palette(bool checked) { m_controls.alwaysCalculatePalette = checked; }

  // ---- buttons ---------------------------------------------------------------------
  bool On_Preview_All_Seps();
  bool On_Start_Sequence();
  bool On_Next_Separation();
  // True when the checks passed (and the outline editor ran, when there is one).
  bool On_Outline_Editor();

  // ---- combos, check boxes, sliders --------------------------------------------------
  // A row's combo changed to `item`: that row and every later row with
  // regions are made again, and the palette is no longer calculated.
  bool On_Row_Color_Selected(int32_t row, int32_t item);
  // "Color Sets:" changed: the rows offer the set's colours and show the
  // palette calculated from it.
  bool On_Color_Set_Selected(int32_t selection);
  bool On_Hide_Outline_Clicked(bool checked);
  bool On_Contrast_Clicked(bool checked);
  // A slider's thumb released at `position`.
  bool On_Dark_Slider(int32_t position);
  bool On_Lite_Slider(int32_t position);
  bool On_Sat_Slider(int32_t position);
  bool On_Liteness_Slider(int32_t position);

  // ---- the dialog's operations -------------------------------------------------------
  // The data exchange: false (after the refusal message) for a bad brush size.
  bool Read_Controls();
  // The controls into the last settings, the render manager and the row
  // settings; a row whose text names no colour stops the rows (after a message).
  void Store_Dialogs_Control_Settings();
  bool Render_Watercolor_to_FilterMap_and_Display_inWindow(std::string& err);
  bool Fill_SeparationRows_ComboBox_With_SPECIAL_ColorSET_Choices(int32_t row, int16_t colorSet);
  bool Load_ColorSet_and_Calculate_Palette_for_SRCphoto(int16_t colorSet, int16_t rowCount, std::string& err);
  bool Supplement_RegionList_with_New_Separations(int16_t startRow, std::string& err);
  bool Make_Separation_for_Row(int16_t row, std::string& err);
  // Selects each row's colour: 0 "-NONE-", 1 .. 33 its item when it is a
  // member of the current set (else the row stays as it is); other values
  // are ignored.
  void Set_Row_Colors_from_Palette(const int16_t (&palette)[kRowCount]);
  // The 1-based position of a standard colour in a stock set, or -1.
  static int32_t Find_Color_in_Set(int16_t colorIndex, int16_t colorSet);

 private:
  void Set_Status(const std::string& text);
  bool Has_PreProcessed_Image() const;
  // "Always Calculate New Palette" checked or unchecked and stored.
  void Enable_AutoCalc_of_Palette(bool on);
  // The watercolour slider values shown from the settings.
  void Show_Watercolor_Sliders();
  // Prepares a row's parameters and makes its separation, keeping the
  // status line and the row's separation name up to date; `made` is false
  // for a row without colour.
  bool Make_Row(int16_t row, bool& made, std::string& err);
  bool On_Watercolor_Slider(WatercolorSlider slider, int32_t position);
  int16_t Current_Color_Set() const;
  void Show(const std::string& text);

  SeparationContext m_context;
  ColorSeparator& m_separator;
  SettingsHelper& m_helper;
  SepsDialogSettings* m_lastSettings;
  SeparationDialogControls m_controls;
  // OnInitDialog found every settings record; the handlers need them.
  bool m_initialised = false;
  // The brush size the controls held when they were last read.
  int16_t m_brushSize = 6;
  int16_t m_currentRow = 0;
  bool m_reachedEnd = false;
};

// What the "Create Separations" command sets up for the dialog: an engine
// over the context's maps that numbers new regions from the document's
// region counter (and hands the next number back when the session ends), a
// settings helper over the context's settings records, and the dialog's
// controller over both.  No sequence has started.
class SeparationSession {
 public:
  explicit SeparationSession(const SeparationContext& context);
  SeparationSession(const SeparationSession&) = delete;
  SeparationSession& operator=(const SeparationSession&) = delete;

  ColorSeparator& Separator() { return m_separator; }
  SettingsHelper& Helper() { return m_helper; }
  SeparationDialogController& Controller() { return m_controller; }

 private:
  ColorSeparator m_separator;
  SettingsHelper m_helper;
  SeparationDialogController m_controller;
};
