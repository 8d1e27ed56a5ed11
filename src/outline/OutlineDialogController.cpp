#include "outline/OutlineDialogController.h"

#include <algorithm>

#include "framework/AppWindows.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "raster/OffMap.h"
#include "regions/DocumentState.h"
#include "regions/LayeredComposer.h"
#include "render/RenderMan.h"

namespace {

const char* const kLoadSource = "First load a bitmap for a SOURCE.";
const char* const kDetectSomeLines = "Detect some lines.";
const char* const kBackupFailed = "DetectOutlineDialog::OnInitDialog FAILED,  RenderMan.Backup_Outline_Map";
const char* const kStyleIndexWrong =
    "DetectOutlineDialog::Fill_Line_Style_ComboBox FAILED,  selectionsIndex is wrong.";
const char* const kStyleNameEmpty =
    "OutlineFilterDialog::Fill_Line_Style_ComboBox  FAILED,  renderMan.m_lastBitmapUtilitiyArrayIndex has a "
    "bad value.";
const char* const kStyleSelectionBad =
    "DetectOutlineDialog::On_SelectionChange_Line_Style_ComboBox FAILED,  m_lastBitmapUtilitiyArrayIndex has "
    "a bad "
    "value. ";
const char* const kPreviewNoFilterMap =
    "DetectOutlineDialog::Detect_Early_Preview_Image_to_Bitmap FAILED,  renderMan.m_filteredMap is NULL; ";
const char* const kDetectNoFilterMap =
    "DetectOutlineDialog::Detect_New_Outline_and_Display_toViews FAILED,  renderMan.m_filteredMap is NULL; ";

// Rows and columns at each edge of the preview that are whitened.
constexpr int32_t kPreviewBorder = 4;

int32_t Clamp_Position(int32_t position) {
  return std::clamp(position, 0, 100);
}

// How strokes of a brush are merged into the layered image: pencil and
// charcoal (a lower-case "c" in the name) one way, ink another.
int16_t Merge_Style_of_Brush(const std::string& name) {
  return name.find('c') != std::string::npos ? 0 : 2;
}

std::string Number_Text(int32_t value) {
  return Text_Format("%d", value);
}

}  // namespace

OutlineDialogController::OutlineDialogController(const OutlineContext& context, OutlineDetector& detector,
                                                 std::mt19937& random)
    : m_context(context), m_detector(detector), m_parms(context.parms), m_random(random) {
  std::string err;
  if (m_detector.Set_PencilPen_Line_Style(kStartLineStyle, err) < 0) Show(err);
  Rebuild_Drawn_Chains();
  ListMemry<PixelChain>& drawn = m_detector.Get_Drawn_Chains();
  const ListMemry<PixelChain>* detected = m_detector.Get_Chains();
  if (detected != nullptr && !detected->Is_Empty() && m_parms.smoothWindow != 0)
    PixelChain::Smooth_PixelChains(drawn, m_parms.smoothWindow);
  if (!PixelChain::Set_Visible_by_Length(err, m_parms.minLineLength, drawn)) Show(err);
}

void OutlineDialogController::Show(const std::string& text) {
  m_context.platform.Message(text);
}

void OutlineDialogController::Show_If(const std::string& text) {
  if (!text.empty()) Show(text);
}

void OutlineDialogController::Rebuild_Drawn_Chains() {
  ListMemry<PixelChain>& drawn = m_detector.Get_Drawn_Chains();
  drawn.Delete_All();
  if (m_detector.Get_Chains() != nullptr) PixelChain::Append_Chain_Copies(*m_detector.Get_Chains(), drawn);
}

bool OutlineDialogController::Has_Drawn_Chains() {
  if (!m_detector.Get_Drawn_Chains().Is_Empty()) return true;
  Show(kDetectSomeLines);
  return false;
}

// ---- the dialog's life ------------------------------------------------------------------

void OutlineDialogController::OnInitDialog() {
  RenderMan& renderMan = m_context.renderMan;
  m_backupMade = false;
  m_hadOutline = renderMan.Get_Outline_Map() != nullptr;
  m_openingOutlineStyle = renderMan.Get_Outline_Style();
  if (m_hadOutline) {
    if (!renderMan.Backup_Outline_Map()) Show(kBackupFailed);
    m_backupMade = true;
  }
  Fill_Line_Style_ComboBox(m_parms.lineStyle);
  m_controls.connectShortLines = m_parms.connectShortLines;

  m_controls.detailPosition = Clamp_Position(100 - m_parms.detail);
  m_controls.detailLabel = Number_Text(m_controls.detailPosition);
  m_controls.lineCountPosition =
      Clamp_Position(100 - static_cast<int32_t>(m_parms.lineCount / m_lineCountFactor));
  m_controls.lineCountLabel = Number_Text(m_controls.lineCountPosition);

  // The "Modify Lines" sliders show the value they stand for (100 minus
  // their position).
  Set_Modify_Slider(m_controls.lineLengthsPosition, m_controls.lineLengthsLabel, 100 - m_parms.minLineLength);
  int32_t smooth = m_parms.smoothWindow * m_smoothDivisor;
  if (smooth <= 3) smooth = 0;
  Set_Modify_Slider(m_controls.smoothPosition, m_controls.smoothLabel, 100 - smooth);
  Set_Modify_Slider(m_controls.nudgePosition, m_controls.nudgeLabel,
                    100 - m_parms.randomNudge * m_nudgeDivisor);

  m_scaleSteps = static_cast<int16_t>(m_parms.scale * 10);
  m_controls.scaleLabel = Text_Format(" %d", m_scaleSteps * 10);
}

void OutlineDialogController::Set_Modify_Slider(int32_t& position, std::string& label, int32_t newPosition) {
  position = Clamp_Position(newPosition);
  label = Number_Text(100 - position);
}

void OutlineDialogController::Fill_Line_Style_ComboBox(int16_t index) {
  const RenderMan& renderMan = m_context.renderMan;
  const int16_t last = renderMan.Get_Last_Bitmap_Utility_Index();
  if (last < index) {
    Show(kStyleIndexWrong);
    return;
  }
  m_controls.lineStyles.clear();
  for (int16_t i = 0; i <= last; ++i) {
    const std::string& name = renderMan.Get_Bitmap_Utilities()[i].name;
    if (name.empty()) {
      Show(kStyleNameEmpty);
      return;
    }
    m_controls.lineStyles.push_back(name);
  }
  m_controls.lineStyleSelection = index;
  std::string err;
  m_detector.Set_Current_ResourceBitmapUtility(index, err);
  Show_If(err);
}

bool OutlineDialogController::Close_With(OutlineDialogOutcome outcome) {
  std::string err;
  if (!m_context.renderMan.Copy_FilterMapHidden_to_Displayed_FilterMap(err)) {
    Show(err);
    return false;
  }
  m_context.windows.Redraw_Viewjs_of_Code(kWindowPreProcessing);
  m_outcome = outcome;
  return true;
}

bool OutlineDialogController::On_Save() {
  if (m_detector.Get_Chains() != nullptr) {
    WaitCursor wait(m_context.platform.Cursor());
    PixelChain::Copy_Nudges_to_Chains(m_detector.Get_Drawn_Chains(), *m_detector.Get_Chains(),
                                      m_context.platform.Messages());
  }
  m_context.renderMan.Drop_Outline_Map_Backup();
  return Close_With(OutlineDialogOutcome::Save);
}

bool OutlineDialogController::On_Cancel() {
  RenderMan& renderMan = m_context.renderMan;
  if (m_backupMade) {
    std::string err;
    if (!renderMan.Restore_Outline_Map_from_Backup(err)) Show(err);
    renderMan.Set_Outline_Style(m_openingOutlineStyle);
    m_context.composer.ReDraw_SummedFinalViews_OffMap();
  } else if (!m_hadOutline && renderMan.Get_Outline_Map()) {
    // There was no outline when the dialog opened: cancelling takes away
    // the one it made.
    renderMan.Drop_Outline_Map();
    renderMan.Set_Outline_Style(m_openingOutlineStyle);
    m_context.composer.ReDraw_SummedFinalViews_OffMap();
  }
  renderMan.Drop_Outline_Map_Backup();
  return Close_With(OutlineDialogOutcome::Cancel);
}

// ---- "Detect Lines" ---------------------------------------------------------------------------

void OutlineDialogController::On_Detail_Slider(int32_t position) {
  m_parms.detail = static_cast<int16_t>(std::clamp(100 - position, 0, 100));
  m_controls.detailPosition = position;
  m_controls.detailLabel = Number_Text(position);
}

void OutlineDialogController::On_Line_Count_Slider(int32_t position) {
  const int32_t count = static_cast<int32_t>((100 - position) * m_lineCountFactor) + m_lineCountOffset;
  m_parms.lineCount = static_cast<int16_t>(std::clamp<int32_t>(count, 0, kMaxLineCount));
  m_controls.lineCountPosition = position;
  m_controls.lineCountLabel = Number_Text(position);
}

void OutlineDialogController::On_Scale_Arrows(int32_t delta) {
  m_scaleSteps = static_cast<int16_t>(
      std::clamp<int32_t>(m_scaleSteps + (delta < 1 ? 1 : -1), kMinScaleSteps, kMaxScaleSteps));
  m_parms.scale = m_scaleSteps * 0.1;
  m_controls.scaleLabel = Number_Text(static_cast<int32_t>(m_parms.scale * 100));
}

bool OutlineDialogController::Ready_to_Detect() {
  if (!m_context.document.Has_Source_Photo()) {
    Show(kLoadSource);
    return false;
  }
  m_parms.connectShortLines = m_controls.connectShortLines;
  return true;
}

bool OutlineDialogController::On_Preview() {
  if (!Ready_to_Detect()) return false;
  std::string err;
  if (Detect_Early_Preview_Image_to_Bitmap(err, m_parms)) return true;
  Show_If(err);
  return false;
}

bool OutlineDialogController::On_Detect() {
  if (!Ready_to_Detect()) return false;
  std::string err;
  if (Detect_New_Outline_and_Display_toViews(err, m_parms)) return true;
  Show_If(err);
  return false;
}

bool OutlineDialogController::Begin_Detection(const char* noFilterMapText, const OutlineDetectParms& parms,
                                              std::string& err) {
  RenderMan& renderMan = m_context.renderMan;
  if (m_detector.Get_Source_Map() == nullptr) {
    Show(kLoadSource);
    return false;
  }
  if (!renderMan.Get_Filtered_Map()) {
    err = noFilterMapText;
    return false;
  }
  m_context.composer.Erase_Filtered_Window();
  renderMan.Set_Outline_Option(parms.outlineOption);
  return true;
}

bool OutlineDialogController::Detect_Early_Preview_Image_to_Bitmap(std::string& err,
                                                                   OutlineDetectParms& parms) {
  err.clear();
  if (!Begin_Detection(kPreviewNoFilterMap, parms, err)) return false;
  RenderMan& renderMan = m_context.renderMan;
  WaitCursor wait(m_context.platform.Cursor());
  if (m_detector.Make_Working_Bitmap_from_Canny_Detection(err, parms) == nullptr) return false;

  OffMap* displayed = renderMan.Get_Displayed_Filtered_Map();
  if (displayed != nullptr && renderMan.Get_Subtract_Map() && parms.scale != 0) {
    // The subtract map holds the final line map at the working size.
    renderMan.Get_Subtract_Map()->Copy_Scaled_by_Factor(parms.scale, *displayed);
    for (int32_t i = 0; i < kPreviewBorder; ++i) {
      displayed->Fill_Row(i, 255);
      displayed->Fill_Row(displayed->Get_Height() - 1 - i, 255);
      displayed->Fill_Column(i, 255);
      displayed->Fill_Column(displayed->Get_Width() - 1 - i, 255);
    }
    m_context.windows.Redraw_Viewjs_of_Code(kWindowPreProcessing);
  }
  return true;
}

bool OutlineDialogController::Detect_New_Outline_and_Display_toViews(std::string& err,
                                                                     OutlineDetectParms& parms) {
  err.clear();
  if (!Begin_Detection(kDetectNoFilterMap, parms, err)) return false;
  WaitCursor wait(m_context.platform.Cursor());
  if (!m_detector.Detect_Outline(err, parms)) return false;

  // A new detection starts with every line painted, unsmoothed and in place.
  Set_Modify_Slider(m_controls.lineLengthsPosition, m_controls.lineLengthsLabel, 100);
  Set_Modify_Slider(m_controls.smoothPosition, m_controls.smoothLabel, 100);
  Set_Modify_Slider(m_controls.nudgePosition, m_controls.nudgeLabel, 100);
  parms.randomNudge = 0;
  parms.smoothWindow = 0;
  parms.minLineLength = 0;

  Rebuild_Drawn_Chains();
  // The new lines are painted with the brush in use, so they merge as its
  // strokes do (0 for the pencil the dialog starts with).
  RenderMan& renderMan = m_context.renderMan;
  const int16_t brush = m_detector.Get_Current_Brush();
  renderMan.Set_Outline_Style(brush >= 0 && brush < RenderMan::kBitmapUtilityCount
                                  ? Merge_Style_of_Brush(renderMan.Get_Bitmap_Utilities()[brush].name)
                                  : 0);
  return Redisplay_Outline(err);
}

bool OutlineDialogController::Redisplay_Outline(std::string& err) {
  err.clear();
  RenderMan& renderMan = m_context.renderMan;
  m_context.composer.Erase_Filtered_Window();
  if (!m_detector.Render_PixelChains_to_OutlineMap(m_detector.Get_Drawn_Chains(), err)) return false;
  const int16_t brush = m_detector.Get_Current_Brush();
  renderMan.Set_Outline_Line_Style(brush >= 0 && brush < RenderMan::kBitmapUtilityCount
                                       ? renderMan.Get_Bitmap_Utilities()[brush].name
                                       : std::string());
  if (renderMan.Get_Displayed_Filtered_Map() && renderMan.Get_Outline_Map()) {
    if (!renderMan.Get_Displayed_Filtered_Map()->Copy_Pixels(*renderMan.Get_Outline_Map(), err)) return false;
    m_context.windows.Redraw_Viewjs_of_Code(kWindowPreProcessing);
  }
  m_context.composer.ReDraw_SummedFinalViews_OffMap();
  return true;
}

// ---- "Modify Lines" ------------------------------------------------------------------------------

bool OutlineDialogController::On_Line_Style_Selected(int32_t index) {
  RenderMan& renderMan = m_context.renderMan;
  // A refused choice leaves the list showing the style the lines are
  // painted with.  Nothing selected (-1) is refused like an index past the
  // table's end.
  if (index < 0 || index > renderMan.Get_Last_Bitmap_Utility_Index()) {
    Show(kStyleSelectionBad);
    return false;
  }
  if (!Has_Drawn_Chains()) return false;
  const std::string name = renderMan.Get_Bitmap_Utilities()[index].name;
  std::string err;
  const int16_t style = m_detector.Set_PencilPen_Line_Style(name, err);
  if (style < 0) {
    Show(err);
    return false;
  }
  renderMan.Set_Outline_Style(Merge_Style_of_Brush(name));
  m_controls.lineStyleSelection = style;
  m_parms.lineStyle = style;
  WaitCursor wait(m_context.platform.Cursor());
  if (Redisplay_Outline(err)) return true;
  Show_If(err);
  return false;
}

bool OutlineDialogController::On_Line_Lengths_Slider(int32_t position) {
  if (!Has_Drawn_Chains()) return false;
  const int32_t a = std::clamp(100 - position, 0, 100);
  const int32_t length = std::clamp<int32_t>(a / m_lengthDivisor, kMinLineLength, kMaxLineLength);
  m_parms.minLineLength = static_cast<int16_t>(length);
  m_controls.lineLengthsPosition = position;
  m_controls.lineLengthsLabel = Number_Text(a);
  return Show_Lines_of_Length(m_detector.Get_Drawn_Chains());
}

bool OutlineDialogController::On_Smooth_Lines_Slider(int32_t position) {
  if (!Has_Drawn_Chains()) return false;
  const int32_t a = std::clamp(100 - position, 0, 100);
  const int32_t window = a / m_smoothDivisor;
  m_parms.smoothWindow = static_cast<int16_t>(window > 3 ? window : 0);
  m_controls.smoothPosition = position;
  m_controls.smoothLabel = Number_Text(a);

  // Smoothing always starts again from the detected lines, so it never
  // accumulates.
  ListMemry<PixelChain>& drawn = m_detector.Get_Drawn_Chains();
  const ListMemry<PixelChain>* detected = m_detector.Get_Chains();
  if (detected != nullptr) {
    PixelChain::Restore_from_Chains(*detected, drawn, m_context.platform.Messages());
    if (!detected->Is_Empty() && m_parms.smoothWindow != 0)
      PixelChain::Smooth_PixelChains(drawn, m_parms.smoothWindow);
  }
  return Show_Lines_of_Length(drawn);
}

bool OutlineDialogController::On_Random_Nudge_Slider(int32_t position) {
  if (!Has_Drawn_Chains()) return false;
  int32_t a = std::min(100 - position, 100);
  if (a < 2) a = 0;
  m_parms.randomNudge = static_cast<int16_t>(a / m_nudgeDivisor);
  m_controls.nudgePosition = position;
  m_controls.nudgeLabel = Number_Text(a);
  PixelChain::Nudge_PixelChains(m_detector.Get_Drawn_Chains(), m_parms.randomNudge, m_random);
  return Show_Changed_Outline();
}

bool OutlineDialogController::Show_Lines_of_Length(ListMemry<PixelChain>& chains) {
  std::string err;
  if (!PixelChain::Set_Visible_by_Length(err, m_parms.minLineLength, chains)) {
    Show(err);
    return false;
  }
  return Show_Changed_Outline();
}

bool OutlineDialogController::Show_Changed_Outline() {
  std::string err;
  if (Redisplay_Outline(err)) return true;
  Show_If(err);
  return false;
}

// ---------------------------------------------------------------------------

static_assert(OutlineDetector::kBrushCount == RenderMan::kBitmapUtilityCount,
              "the painter walks the render manager's whole brush table");

namespace {

OutlineDetectorViews Context_Views(const OutlineContext& context) {
  OutlineDetectorViews views;
  AppWindows* windows = &context.windows;
  views.redrawSubtracted = [windows] { windows->Redraw_Viewjs_of_Code(kWindowSubtracted); };
  views.displayedFilterMapAddr = context.renderMan.Displayed_Filtered_Map_Slot();
  views.redrawPreProcessing = [windows] { windows->Redraw_Viewjs_of_Code(kWindowPreProcessing); };
  return views;
}

}  // namespace

OutlineSession::OutlineSession(const OutlineContext& context, uint32_t seed)
    : m_random(seed),
      m_detector(&context.pixelChains, context.renderMan.Get_Source_Map_Backup(),
                 context.renderMan.Outline_Map_Slot(), context.renderMan.Subtract_Map_Slot(),
                 context.renderMan.Get_Bitmap_Utilities().data(), context.platform, Context_Views(context)),
      m_controller(context, m_detector, m_random) {}
