#pragma once
// OutlineDialogController: the logic of the "Outline Creation" dialog
// (DetectOutlineDialog) without any user interface.  The desktop dialog
// binds its widgets to the plain control state below and calls the
// handlers; the command line and the tests drive the same handlers.
//
// The upper group ("Detect Lines") sets the detection parameters and runs
// a quick preview of the line map or the full detection; the lower group
// ("Modify Lines") chooses the line style and changes the detected lines
// (minimum length, smoothing, random shift), repainting the outline after
// each change.  "Save" keeps the new outline, "Cancel" brings back the
// outline the dialog found when it opened.
//
// Sliders run from 0 to 100 and act when the thumb is released; most of
// them store 100 minus their position, so the top of a slider is the most.
// Every failure is shown in a message box and the dialog stays open.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "outline/OutlineDetectParms.h"
#include "outline/OutlineDetector.h"

class AppWindows;
class LayeredComposer;
class Platform;
class RenderMan;
struct DocumentState;

// What the dialog and its session work on: the maps and the brush table,
// the detected chains, the composer of the layered image, the windows it
// redraws, the document state (whether a photo is loaded) and the outline
// settings.  None of them is owned here.
struct OutlineContext {
  Platform& platform;
  RenderMan& renderMan;
  ListMemry<PixelChain>& pixelChains;
  LayeredComposer& composer;
  AppWindows& windows;
  const DocumentState& document;
  OutlineDetectParms& parms;
};

// Everything the dialog shows, as plain data (control ids in brackets).
struct OutlineDialogControls {
  bool connectShortLines = true;    // "Connect Short Lines" [1049]
  int32_t detailPosition = 0;       // "Detail" [1061], label [1068]
  int32_t lineCountPosition = 0;    // "Line Count" [1050], label [1051]
  int32_t lineLengthsPosition = 0;  // "   Line Lengths" [1058], label [1069]
  int32_t smoothPosition = 0;       // "Smooth   Lines" [1063], label [1070]
  int32_t nudgePosition = 0;        // "Random   Nudge" [1059], label [1071]
  std::string detailLabel, lineCountLabel, lineLengthsLabel, smoothLabel, nudgeLabel;
  std::string scaleLabel;               // the scale in percent [1053]
  std::vector<std::string> lineStyles;  // "Line Styles" [1057]
  int32_t lineStyleSelection = -1;
};

// How the dialog ended (Open while it has not).
enum class OutlineDialogOutcome { Open, Save, Cancel };

class OutlineDialogController {
 public:
  static constexpr int32_t kMinScaleSteps = 1;
  static constexpr int32_t kMaxScaleSteps = 20;
  static constexpr int16_t kMinLineLength = 4;
  static constexpr int16_t kMaxLineLength = 100;
  static constexpr int16_t kMaxLineCount = 254;
  static constexpr const char* kStartLineStyle = "Pencil Medium";

  // Selects the "Pencil Medium" brush and rebuilds the drawn chains from the
  // detected ones (smoothed and limited by length as the settings say).
  // `random` gives the random shifts of "Random Nudge".
  OutlineDialogController(const OutlineContext& context, OutlineDetector& detector, std::mt19937& random);
  OutlineDialogController(const OutlineDialogController&) = delete;
  OutlineDialogController& operator=(const OutlineDialogController&) = delete;

  const OutlineDialogControls& Controls() const { return m_controls; }
  OutlineDialogOutcome Outcome() const { return m_outcome; }
  bool Backup_Made() const { return m_backupMade; }
  int32_t Scale_Steps() const { return m_scaleSteps; }

  // ---- the dialog's life --------------------------------------------------------
  // Backs up the outline and sets every control from the settings.
  void OnInitDialog();
  // Fills "Line Styles" with the brush names and selects entry `index`,
  // which becomes the current brush.
  void Fill_Line_Style_ComboBox(int16_t index);
  // "Save" and "Cancel": true when the dialog closes.
  bool On_Save();
  bool On_Cancel();

  // ---- "Detect Lines" ---------------------------------------------------------------
  void Set_Connect_Short_Lines(bool checked) { m_controls.connectShortLines = checked; }
  // These only store the value; it counts at the next "Preview" or "Detect".
  void On_Detail_Slider(int32_t position);
  void On_Line_Count_Slider(int32_t position);
  // An up-down notification: a delta below 1 adds a tenth, any other
  // takes one away (10 % to 200 %).
  void On_Scale_Arrows(int32_t delta);
  bool On_Preview();
  // The lines found start unmodified, painted with the brush in use.
  bool On_Detect();

  // ---- "Modify Lines" ------------------------------------------------------------------
  // "Line Styles" changed: the lines are painted with that brush and merge
  // as its strokes do.  Refused (before any detection, or for an index
  // past the list), the list keeps showing the style in use.
  bool On_Line_Style_Selected(int32_t index);
  bool On_Line_Lengths_Slider(int32_t position);
  bool On_Smooth_Lines_Slider(int32_t position);
  bool On_Random_Nudge_Slider(int32_t position);

  // ---- the dialog's operations -----------------------------------------------------------
  bool Detect_Early_Preview_Image_to_Bitmap(std::string& err, OutlineDetectParms& parms);
  bool Detect_New_Outline_and_Display_toViews(std::string& err, OutlineDetectParms& parms);
  // Paints the drawn chains into the outline map and shows it: bare in the
  // "PreProcessing" windows and merged into the layered image.
  bool Redisplay_Outline(std::string& err);

 private:
  void Show(const std::string& text);
  void Show_If(const std::string& text);
  // The check box read into the settings and the photo's presence checked
  // before "Preview" and "Detect".
  bool Ready_to_Detect();
  // What both detections check and do first: without a source map the
  // load-source box is shown, without the filtered map `noFilterMapText`
  // goes to err; otherwise the filtered windows are erased and the
  // detection's outline option is taken.
  bool Begin_Detection(const char* noFilterMapText, const OutlineDetectParms& parms, std::string& err);
  // The drawn chains exist; otherwise "Detect some lines.".
  bool Has_Drawn_Chains();
  // After a "Modify Lines" slider: the lines shorter than the minimum
  // length hidden, then Show_Changed_Outline.
  bool Show_Lines_of_Length(ListMemry<PixelChain>& chains);
  // Redisplay_Outline, its failure shown.
  bool Show_Changed_Outline();
  // The drawn chains as copies of the detected ones.
  void Rebuild_Drawn_Chains();
  // The displayed pre-processed image back and the dialog closed.
  bool Close_With(OutlineDialogOutcome outcome);
  void Set_Modify_Slider(int32_t& position, std::string& label, int32_t newPosition);

  OutlineContext m_context;
  OutlineDetector& m_detector;
  OutlineDetectParms& m_parms;
  std::mt19937& m_random;
  OutlineDialogControls m_controls;
  OutlineDialogOutcome m_outcome = OutlineDialogOutcome::Open;
  bool m_backupMade = false;
  // What Cancel puts back besides the outline map: whether there was an
  // outline at all, and how it was merged.
  bool m_hadOutline = false;
  int16_t m_openingOutlineStyle = 0;
  double m_lineCountFactor = 2.54;
  int16_t m_lineCountOffset = 0;
  int16_t m_nudgeDivisor = 2;
  int16_t m_lengthDivisor = 1;
  int16_t m_smoothDivisor = 6;
  int16_t m_scaleSteps = 10;
};

// What the "Create Outline" command sets up for the dialog: a detector over
// the context's source backup, outline and subtract maps, brush table and
// detected chains, whose stages are shown in the context's windows, and the
// dialog's controller over it and the context's outline settings.  The
// random shifts come from a generator started at `seed`.
class OutlineSession {
 public:
  OutlineSession(const OutlineContext& context, uint32_t seed);
  OutlineSession(const OutlineSession&) = delete;
  OutlineSession& operator=(const OutlineSession&) = delete;

  OutlineDetector& Detector() { return m_detector; }
  OutlineDialogController& Controller() { return m_controller; }

 private:
  std::mt19937 m_random;
  OutlineDetector m_detector;
  OutlineDialogController m_controller;
};
