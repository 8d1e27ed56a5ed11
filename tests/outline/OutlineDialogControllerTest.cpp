// The outline dialog's logic: the controls at opening, every slider's
// mapping, the scale steps, "Detect", "Preview", the line styles, the
// "Modify Lines" sliders, "Save" and "Cancel" with the outline backup.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "OutlineTestMaps.h"
#include "app/RegionEditorApp.h"
#include "outline/OutlineDialogController.h"
#include "support/TestSupport.h"

namespace {

using namespace outline_test;

const char* const kDetectSomeLines = "Detect some lines.";
const char* const kLoadSource = "First load a bitmap for a SOURCE.";
const char* const kFilterMapsMissing =
    "RenderMan::Copy_FilterMapHidden_to_Displayed_FilterMap failed,  m_filteredMapWithOutline or "
    "m_filteredMap is NULL.";
const char* const kStyleSelectionBad =
    "DetectOutlineDialog::On_SelectionChange_Line_Style_ComboBox FAILED,  m_lastBitmapUtilitiyArrayIndex has "
    "a bad "
    "value. ";

// An application with a 160 x 120 photo of a dark rectangle and a grey
// disc, its working maps, the brushes and a light grey pre-processed image.
class OutlineDialog : public ::testing::Test {
 protected:
  OutlineDialog() : app(platform.Get()), rm(app.Get_RenderMan()) {
    std::string err;
    EXPECT_TRUE(rm.Alloc_Source_Bitmaps_for_Virtual_Project(160, 120, err)) << err;
    EXPECT_TRUE(rm.Alloc_Support_Bitmaps_for_Image_Creation(120, 160, err)) << err;
    for (OffMap* map : {rm.Get_Source_Map(), rm.Get_Source_Map_Backup()}) {
      map->Fill(255);
      for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 160; ++x) {
          if (x >= 20 && x < 70 && y >= 20 && y < 90) map->Set_Pixel(x, y, 30, 30, 30);
          if ((x - 115) * (x - 115) + (y - 60) * (y - 60) < 25 * 25) map->Set_Pixel(x, y, 120, 140, 160);
        }
    }
    for (int y = 0; y < 120; ++y)
      for (int x = 0; x < 160; ++x) rm.Get_Filtered_Map()->Set_Pixel(x, y, 200, 210, 220);
    EXPECT_TRUE(rm.Load_Pencil_Brushes(err)) << err;
    app.Get_Document().sourcePhotoPath = "photo.png";
  }

  OutlineSession& Open(uint32_t seed = 1) {
    session.emplace(app.Outline_Context(), seed);
    session->Controller().OnInitDialog();
    return *session;
  }
  OutlineDialogController& Dialog() { return session->Controller(); }
  std::vector<std::string> Messages() { return platform.Messages().Texts(); }
  std::unique_ptr<OffMap> Copy_Of(const OffMap& map) {
    auto copy = std::make_unique<OffMap>(1, 1, 8);
    copy->Assign_Copy(map);
    return copy;
  }
  std::vector<std::vector<Point>> Points_Of_All(const ListMemry<PixelChain>& chains) {
    std::vector<std::vector<Point>> out;
    for (const PixelChain* chain : Chains_Of(chains)) out.push_back(Points_Of(*chain));
    return out;
  }

  TestPlatform platform;
  RegionEditorApp app;
  RenderMan& rm;
  OutlineDetectParms& parms = app.Get_Settings().outlineDetectParms;
  std::optional<OutlineSession> session;
};

// ---- opening --------------------------------------------------------------------------------

TEST_F(OutlineDialog, OpeningSetsEveryControlFromTheStartSettings) {
  Open();
  const OutlineDialogControls& c = Dialog().Controls();
  EXPECT_EQ(c.detailPosition, 50);
  EXPECT_EQ(c.detailLabel, "50");
  EXPECT_EQ(c.lineCountPosition, 41);
  EXPECT_EQ(c.lineCountLabel, "41");
  EXPECT_EQ(c.lineLengthsPosition, 94);
  EXPECT_EQ(c.lineLengthsLabel, "6");
  EXPECT_EQ(c.smoothPosition, 100);
  EXPECT_EQ(c.smoothLabel, "0");
  EXPECT_EQ(c.nudgePosition, 100);
  EXPECT_EQ(c.nudgeLabel, "0");
  EXPECT_EQ(c.scaleLabel, " 100");
  EXPECT_EQ(Dialog().Scale_Steps(), 10);
  EXPECT_TRUE(c.connectShortLines);
  EXPECT_EQ(c.lineStyles,
            (std::vector<std::string>{"Pencil Lite", "Pencil Medium", "Pencil Heavy", "Charcoal Lite",
                                      "Charcoal Medium", "Charcoal Heavy", "Ink Fine", "Ink Medium"}));
  EXPECT_EQ(c.lineStyleSelection, 1);
  EXPECT_EQ(session->Detector().Get_Current_Brush(), 1);
  EXPECT_FALSE(Dialog().Backup_Made());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(OutlineDialog, OpeningShowsOtherSettingsAsTheSlidersStandForThem) {
  parms.detail = 80;
  parms.lineCount = 0;
  parms.minLineLength = 20;
  parms.smoothWindow = 5;
  parms.randomNudge = 10;
  parms.scale = 0.7;
  parms.connectShortLines = false;
  parms.lineStyle = 6;
  Open();
  const OutlineDialogControls& c = Dialog().Controls();
  EXPECT_EQ(c.detailPosition, 20);
  EXPECT_EQ(c.lineCountPosition, 100);
  EXPECT_EQ(c.lineLengthsPosition, 80);
  EXPECT_EQ(c.lineLengthsLabel, "20");
  EXPECT_EQ(c.smoothPosition, 70);
  EXPECT_EQ(c.smoothLabel, "30");
  EXPECT_EQ(c.nudgePosition, 80);
  EXPECT_EQ(c.nudgeLabel, "20");
  EXPECT_EQ(c.scaleLabel, " 70");
  EXPECT_FALSE(c.connectShortLines);
  EXPECT_EQ(c.lineStyleSelection, 6);
  EXPECT_EQ(session->Detector().Get_Current_Brush(), 6);

  // Positions never leave the slider.
  parms.smoothWindow = 17;
  parms.minLineLength = 150;
  Open();
  EXPECT_EQ(Dialog().Controls().smoothPosition, 0);
  EXPECT_EQ(Dialog().Controls().smoothLabel, "100");
  EXPECT_EQ(Dialog().Controls().lineLengthsPosition, 0);
}

TEST_F(OutlineDialog, LineStyleListRefusals) {
  Open();
  Dialog().Fill_Line_Style_ComboBox(8);
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{
                "DetectOutlineDialog::Fill_Line_Style_ComboBox FAILED,  selectionsIndex is wrong."}));
  platform.Messages().Clear();
  rm.Get_Bitmap_Utilities()[3].name.clear();
  Dialog().Fill_Line_Style_ComboBox(1);
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{"OutlineFilterDialog::Fill_Line_Style_ComboBox  FAILED,  "
                                      "renderMan.m_lastBitmapUtilitiyArrayIndex has a bad value."}));
  EXPECT_EQ(Dialog().Controls().lineStyles.size(), 3u);
}

TEST_F(OutlineDialog, WithoutBrushesTheStartStyleIsNotFound) {
  TestPlatform bare;
  RegionEditorApp plain(bare.Get());
  OutlineSession s(plain.Outline_Context(), 1);
  EXPECT_EQ(bare.Messages().Texts(),
            (std::vector<std::string>{"OutlineDetector::Set_PencilPen_Line_Style FAILED,  no "
                                      "ResourceBitmapUtility has the name:   Pencil Medium  "}));
}

// ---- "Detect Lines" -------------------------------------------------------------------------------

TEST_F(OutlineDialog, DetectLinesSlidersOnlyStoreTheirValues) {
  Open();
  Dialog().On_Line_Count_Slider(41);
  EXPECT_EQ(parms.lineCount, 149);
  EXPECT_EQ(Dialog().Controls().lineCountLabel, "41");
  const std::vector<std::pair<int, int>> lineCounts = {{0, 254}, {50, 127}, {100, 0}, {-20, 254}, {120, 0}};
  for (const auto& [position, count] : lineCounts) {
    Dialog().On_Line_Count_Slider(position);
    EXPECT_EQ(parms.lineCount, count) << position;
  }
  Dialog().On_Detail_Slider(30);
  EXPECT_EQ(parms.detail, 70);
  EXPECT_EQ(Dialog().Controls().detailLabel, "30");
  Dialog().On_Detail_Slider(100);
  EXPECT_EQ(parms.detail, 0);
  Dialog().On_Detail_Slider(-5);
  EXPECT_EQ(parms.detail, 100);

  // A delta below 1 is one tenth up, anything else one tenth down.
  Dialog().On_Scale_Arrows(-1);
  EXPECT_DOUBLE_EQ(parms.scale, 1.1);
  EXPECT_EQ(Dialog().Controls().scaleLabel, "110");
  Dialog().On_Scale_Arrows(1);
  EXPECT_EQ(Dialog().Controls().scaleLabel, "100");
  for (int i = 0; i < 25; ++i) Dialog().On_Scale_Arrows(3);
  EXPECT_EQ(Dialog().Scale_Steps(), 1);
  EXPECT_DOUBLE_EQ(parms.scale, 0.1);
  EXPECT_EQ(Dialog().Controls().scaleLabel, "10");
  Dialog().On_Scale_Arrows(0);
  EXPECT_EQ(Dialog().Controls().scaleLabel, "20");
  for (int i = 0; i < 25; ++i) Dialog().On_Scale_Arrows(0);
  EXPECT_EQ(Dialog().Scale_Steps(), 20);
  EXPECT_DOUBLE_EQ(parms.scale, 2.0);
  EXPECT_EQ(Dialog().Controls().scaleLabel, "200");

  // Nothing was detected or painted.
  EXPECT_EQ(rm.Get_Outline_Map(), nullptr);
  EXPECT_TRUE(app.Get_PixelChain_List().Is_Empty());
}

TEST_F(OutlineDialog, ModifyingBeforeAnyDetectionOnlySaysDetectSomeLines) {
  Open();
  const OutlineDetectParms before = parms;
  const OutlineDialogControls controls = Dialog().Controls();
  EXPECT_FALSE(Dialog().On_Line_Lengths_Slider(30));
  EXPECT_FALSE(Dialog().On_Smooth_Lines_Slider(30));
  EXPECT_FALSE(Dialog().On_Random_Nudge_Slider(30));
  EXPECT_FALSE(Dialog().On_Line_Style_Selected(6));
  EXPECT_EQ(Messages(), std::vector<std::string>(4, kDetectSomeLines));
  EXPECT_EQ(parms.minLineLength, before.minLineLength);
  EXPECT_EQ(parms.smoothWindow, before.smoothWindow);
  EXPECT_EQ(parms.randomNudge, before.randomNudge);
  EXPECT_EQ(parms.lineStyle, before.lineStyle);
  // The list goes back to the style the lines would be painted with.
  EXPECT_EQ(Dialog().Controls().lineStyleSelection, 1);
  EXPECT_EQ(session->Detector().Get_Current_Brush(), 1);
  EXPECT_EQ(Dialog().Controls().lineLengthsLabel, controls.lineLengthsLabel);
  EXPECT_EQ(rm.Get_Outline_Map(), nullptr);
}

TEST_F(OutlineDialog, DetectPaintsEveryLineAndStartsTheModifySlidersAgain) {
  parms.minLineLength = 50;
  parms.smoothWindow = 5;
  parms.randomNudge = 10;
  rm.Set_Outline_Style(2);
  Open();
  Dialog().Set_Connect_Short_Lines(false);
  ASSERT_TRUE(Dialog().On_Detect()) << (Messages().empty() ? "" : Messages().front());
  EXPECT_FALSE(parms.connectShortLines);
  EXPECT_EQ(parms.minLineLength, 0);
  EXPECT_EQ(parms.smoothWindow, 0);
  EXPECT_EQ(parms.randomNudge, 0);
  const OutlineDialogControls& c = Dialog().Controls();
  EXPECT_EQ(c.lineLengthsPosition, 100);
  EXPECT_EQ(c.smoothPosition, 100);
  EXPECT_EQ(c.nudgePosition, 100);
  EXPECT_EQ(c.lineLengthsLabel, "0");
  EXPECT_EQ(c.smoothLabel, "0");
  EXPECT_EQ(c.nudgeLabel, "0");
  EXPECT_EQ(rm.Get_Outline_Style(), 0);

  // The drawn chains are copies of the detected ones, all painted.
  const ListMemry<PixelChain>& detected = app.Get_PixelChain_List();
  ASSERT_FALSE(detected.Is_Empty());
  EXPECT_EQ(Points_Of_All(session->Detector().Get_Drawn_Chains()), Points_Of_All(detected));
  for (const PixelChain* chain : Chains_Of(session->Detector().Get_Drawn_Chains()))
    EXPECT_TRUE(chain->m_visible);

  // The outline at the photo's size, bare in the pre-processing window and
  // merged into the layered image (white with no regions).
  ASSERT_NE(rm.Get_Outline_Map(), nullptr);
  const OffMap& outline = *rm.Get_Outline_Map();
  EXPECT_EQ(outline.Get_Width(), 160);
  EXPECT_EQ(outline.Get_Height(), 120);
  EXPECT_EQ(outline.Get_Depth(), 24);
  EXPECT_FALSE(Pixels_Below(outline).empty());
  EXPECT_TRUE(Same_Pixels(*rm.Get_Displayed_Filtered_Map(), outline));
  // The merge stretches the outline over the canvas taken one pixel wider
  // and higher (inclusive edges).
  PointSet merged;
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 160; ++x)
      if (Grey(outline, x * 160 / 161, y * 120 / 121) < 230) merged.insert({x, y});
  EXPECT_EQ(Pixels_Below(*rm.Get_Layered_Map()), merged);
  const RecordingAppWindows& windows = app.Recorded_Windows();
  EXPECT_GE(windows.Count("redraw 6"), 11);
  EXPECT_GE(windows.Count("redraw 8"), 2);
  EXPECT_GE(windows.Count("redraw 5"), 1);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(OutlineDialog, DetectAndPreviewNeedAPhotoAndAPreProcessedMap) {
  Open();
  app.Get_Document().sourcePhotoPath.clear();
  EXPECT_FALSE(Dialog().On_Detect());
  EXPECT_FALSE(Dialog().On_Preview());
  EXPECT_EQ(Messages(), std::vector<std::string>(2, kLoadSource));
  platform.Messages().Clear();

  app.Get_Document().sourcePhotoPath = "photo.png";
  rm.Set_Filtered_Map(nullptr);
  EXPECT_FALSE(Dialog().On_Detect());
  EXPECT_FALSE(Dialog().On_Preview());
  EXPECT_EQ(
      Messages(),
      (std::vector<std::string>{
          "DetectOutlineDialog::Detect_New_Outline_and_Display_toViews FAILED,  renderMan.m_filteredMap "
          "is NULL; ",
          "DetectOutlineDialog::Detect_Early_Preview_Image_to_Bitmap FAILED,  renderMan.m_filteredMap "
          "is NULL; "}));
  platform.Messages().Clear();

  // A detector without a source map says so in a box of its own.
  OutlineDetector sourceless(&app.Get_PixelChain_List(), nullptr, rm.Outline_Map_Slot(),
                             rm.Subtract_Map_Slot(), rm.Get_Bitmap_Utilities().data(), platform.Get());
  std::mt19937 random(1);
  OutlineDialogController dialog(app.Outline_Context(), sourceless, random);
  std::string err;
  EXPECT_FALSE(dialog.Detect_New_Outline_and_Display_toViews(err, parms));
  EXPECT_EQ(err, "");
  EXPECT_EQ(Messages(), (std::vector<std::string>{kLoadSource}));
}

TEST_F(OutlineDialog, PreviewShowsTheLineMapInThePreProcessingWindow) {
  Open();
  Dialog().Set_Connect_Short_Lines(false);
  ASSERT_TRUE(Dialog().On_Preview());
  EXPECT_FALSE(parms.connectShortLines);
  EXPECT_TRUE(app.Get_PixelChain_List().Is_Empty());
  const OffMap& shown = *rm.Get_Displayed_Filtered_Map();
  PointSet lines = Pixels_Below(*rm.Get_Subtract_Map());
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(Pixels_Below(shown), lines);

  // At half scale every line pixel of the small map covers two by two.
  Dialog().On_Scale_Arrows(1);
  for (int i = 0; i < 4; ++i) Dialog().On_Scale_Arrows(1);
  ASSERT_DOUBLE_EQ(parms.scale, 0.5);
  ASSERT_TRUE(Dialog().On_Preview());
  EXPECT_EQ(rm.Get_Subtract_Map()->Get_Width(), 80);
  PointSet expected;
  for (int y = 4; y < 116; ++y)
    for (int x = 4; x < 156; ++x)
      if (Grey(*rm.Get_Subtract_Map(), x / 2, y / 2) < 255) expected.insert({x, y});
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(Pixels_Below(shown), expected);
  EXPECT_EQ(app.Recorded_Windows().Requests().back(), "redraw 8");
}

// ---- "Modify Lines" -------------------------------------------------------------------------------

class DetectedOutline : public OutlineDialog {
 protected:
  void SetUp() override {
    Open();
    ASSERT_TRUE(Dialog().On_Detect());
  }
};

TEST_F(DetectedOutline, LineStylesChooseTheBrushAndTheMergeFormula) {
  const auto pencil = Copy_Of(*rm.Get_Outline_Map());
  ASSERT_TRUE(Dialog().On_Line_Style_Selected(6));  // "Ink Fine"
  EXPECT_EQ(rm.Get_Outline_Style(), 2);
  EXPECT_EQ(parms.lineStyle, 6);
  EXPECT_EQ(session->Detector().Get_Current_Brush(), 6);
  EXPECT_FALSE(Same_Pixels(*pencil, *rm.Get_Outline_Map()));
  ASSERT_TRUE(Dialog().On_Line_Style_Selected(3));  // "Charcoal Lite"
  EXPECT_EQ(rm.Get_Outline_Style(), 0);
  EXPECT_EQ(parms.lineStyle, 3);
  ASSERT_TRUE(Dialog().On_Line_Style_Selected(7));  // "Ink Medium"
  EXPECT_EQ(rm.Get_Outline_Style(), 2);
  EXPECT_TRUE(Messages().empty());

  EXPECT_FALSE(Dialog().On_Line_Style_Selected(8));
  EXPECT_FALSE(Dialog().On_Line_Style_Selected(-1));
  EXPECT_EQ(Messages(), std::vector<std::string>(2, kStyleSelectionBad));
  EXPECT_EQ(parms.lineStyle, 7);
  EXPECT_EQ(Dialog().Controls().lineStyleSelection, 7);
}

TEST_F(OutlineDialog, DetectMergesTheNewLinesAsTheStrokesOfTheBrushInUse) {
  // The dialog opens with the ink brush of an earlier session: the lines it
  // detects are ink strokes and merge as ink, not as pencil.
  parms.lineStyle = 6;
  Open();
  ASSERT_TRUE(Dialog().On_Detect());
  EXPECT_EQ(session->Detector().Get_Current_Brush(), 6);
  EXPECT_EQ(rm.Get_Outline_Style(), 2);
  ASSERT_TRUE(Dialog().On_Line_Style_Selected(4));  // "Charcoal Medium"
  rm.Set_Outline_Style(2);
  ASSERT_TRUE(Dialog().On_Detect());
  EXPECT_EQ(rm.Get_Outline_Style(), 0);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(DetectedOutline, LineLengthsHideTheShortLines) {
  const std::vector<std::tuple<int, int, std::string>> cases = {
      {100, 4, "0"}, {96, 4, "4"}, {50, 50, "50"}, {0, 100, "100"}, {-10, 100, "100"}};
  for (const auto& [position, length, label] : cases) {
    ASSERT_TRUE(Dialog().On_Line_Lengths_Slider(position));
    EXPECT_EQ(parms.minLineLength, length) << position;
    EXPECT_EQ(Dialog().Controls().lineLengthsLabel, label);
    // Only the lines long enough are painted: every stroke pixel lies near one.
    PointSet near;
    for (const PixelChain* chain : Chains_Of(session->Detector().Get_Drawn_Chains())) {
      EXPECT_EQ(chain->m_visible, chain->Get_Count() * chain->m_spacing >= length);
      if (!chain->m_visible) continue;
      for (const Point& p : Points_Of(*chain))
        for (int dy = -8; dy <= 8; ++dy)
          for (int dx = -8; dx <= 8; ++dx) near.insert({p.first + dx, p.second + dy});
    }
    for (const Point& p : Pixels_Below(*rm.Get_Outline_Map()))
      EXPECT_TRUE(near.count(p)) << p.first << "," << p.second;
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(DetectedOutline, SmoothingStartsFromTheDetectedLinesEveryTime) {
  const auto detected = Points_Of_All(app.Get_PixelChain_List());
  ASSERT_TRUE(Dialog().On_Smooth_Lines_Slider(80));  // a = 20: 20 / 6 is not above 3
  EXPECT_EQ(parms.smoothWindow, 0);
  EXPECT_EQ(Dialog().Controls().smoothLabel, "20");
  EXPECT_EQ(Points_Of_All(session->Detector().Get_Drawn_Chains()), detected);

  ASSERT_TRUE(Dialog().On_Smooth_Lines_Slider(70));
  EXPECT_EQ(parms.smoothWindow, 5);
  EXPECT_EQ(Dialog().Controls().smoothLabel, "30");
  const auto smoothed = Points_Of_All(session->Detector().Get_Drawn_Chains());
  EXPECT_NE(smoothed, detected);
  ASSERT_TRUE(Dialog().On_Smooth_Lines_Slider(70));
  EXPECT_EQ(Points_Of_All(session->Detector().Get_Drawn_Chains()), smoothed);
  ASSERT_TRUE(Dialog().On_Smooth_Lines_Slider(100));
  EXPECT_EQ(Points_Of_All(session->Detector().Get_Drawn_Chains()), detected);
  EXPECT_EQ(Points_Of_All(app.Get_PixelChain_List()), detected);
}

TEST_F(DetectedOutline, RandomNudgeShiftsEveryLineWithinItsRange) {
  ASSERT_TRUE(Dialog().On_Random_Nudge_Slider(99));  // a = 1 counts as 0
  EXPECT_EQ(parms.randomNudge, 0);
  EXPECT_EQ(Dialog().Controls().nudgeLabel, "0");
  for (const PixelChain* chain : Chains_Of(session->Detector().Get_Drawn_Chains())) {
    EXPECT_EQ(chain->m_dx, 0);
    EXPECT_EQ(chain->m_dy, 0);
  }
  ASSERT_TRUE(Dialog().On_Random_Nudge_Slider(80));
  EXPECT_EQ(parms.randomNudge, 10);
  EXPECT_EQ(Dialog().Controls().nudgeLabel, "20");
  bool moved = false;
  std::vector<std::pair<int, int>> shifts;
  for (const PixelChain* chain : Chains_Of(session->Detector().Get_Drawn_Chains())) {
    EXPECT_GE(chain->m_dx, -4);
    EXPECT_LE(chain->m_dx, 5);
    EXPECT_GE(chain->m_dy, -4);
    EXPECT_LE(chain->m_dy, 5);
    moved |= chain->m_dx != 0 || chain->m_dy != 0;
    shifts.emplace_back(chain->m_dx, chain->m_dy);
  }
  EXPECT_TRUE(moved);
  ASSERT_TRUE(Dialog().On_Random_Nudge_Slider(0));
  EXPECT_EQ(parms.randomNudge, 50);

  // The same seed gives the same shifts.
  Open(1);
  ASSERT_TRUE(Dialog().On_Detect());
  ASSERT_TRUE(Dialog().On_Random_Nudge_Slider(80));
  std::vector<std::pair<int, int>> again;
  for (const PixelChain* chain : Chains_Of(session->Detector().Get_Drawn_Chains()))
    again.emplace_back(chain->m_dx, chain->m_dy);
  EXPECT_EQ(again, shifts);
}

// ---- "Save" and "Cancel" ----------------------------------------------------------------------------

TEST_F(DetectedOutline, SaveKeepsTheOutlineAndTheShifts) {
  ASSERT_TRUE(Dialog().On_Random_Nudge_Slider(80));
  const auto outline = Copy_Of(*rm.Get_Outline_Map());
  ASSERT_TRUE(Dialog().On_Save());
  EXPECT_EQ(Dialog().Outcome(), OutlineDialogOutcome::Save);
  const auto drawn = Chains_Of(session->Detector().Get_Drawn_Chains());
  const auto detected = Chains_Of(app.Get_PixelChain_List());
  ASSERT_EQ(drawn.size(), detected.size());
  for (size_t i = 0; i < drawn.size(); ++i) {
    EXPECT_EQ(detected[i]->m_dx, drawn[i]->m_dx);
    EXPECT_EQ(detected[i]->m_dy, drawn[i]->m_dy);
  }
  EXPECT_TRUE(Same_Pixels(*rm.Get_Outline_Map(), *outline));
  EXPECT_EQ(rm.Get_Outline_Map_Backup(), nullptr);
  EXPECT_TRUE(Same_Pixels(*rm.Get_Displayed_Filtered_Map(), *rm.Get_Filtered_Map()));
  EXPECT_EQ(app.Recorded_Windows().Requests().back(), "redraw 8");
}

TEST_F(DetectedOutline, WithoutThePreProcessedMapsTheDialogStaysOpen) {
  rm.Set_Filtered_Map(nullptr);
  EXPECT_FALSE(Dialog().On_Save());
  EXPECT_FALSE(Dialog().On_Cancel());
  EXPECT_EQ(Dialog().Outcome(), OutlineDialogOutcome::Open);
  EXPECT_EQ(Messages(), std::vector<std::string>(2, kFilterMapsMissing));
}

TEST_F(OutlineDialog, CancelBringsBackTheOutlineTheDialogFound) {
  // An outline picture loaded earlier, merged into the layered image.
  rm.Set_Outline_Map(White_Map(160, 120, 8));
  for (int x = 10; x < 150; ++x) rm.Get_Outline_Map()->Set_Pixel(x, 100, 0, 0, 0);
  rm.Set_Outline_Style(1);
  ASSERT_TRUE(app.Get_Composer().ReDraw_SummedFinalViews_OffMap());
  const auto previousOutline = Copy_Of(*rm.Get_Outline_Map());
  const auto previousLayered = Copy_Of(*rm.Get_Layered_Map());

  Open();
  EXPECT_TRUE(Dialog().Backup_Made());
  ASSERT_NE(rm.Get_Outline_Map_Backup(), nullptr);
  EXPECT_TRUE(Same_Pixels(*rm.Get_Outline_Map_Backup(), *previousOutline));
  ASSERT_TRUE(Dialog().On_Detect());
  ASSERT_TRUE(Dialog().On_Line_Style_Selected(6));
  EXPECT_FALSE(Same_Pixels(*rm.Get_Layered_Map(), *previousLayered));

  ASSERT_TRUE(Dialog().On_Cancel());
  EXPECT_EQ(Dialog().Outcome(), OutlineDialogOutcome::Cancel);
  EXPECT_TRUE(Same_Pixels(*rm.Get_Outline_Map(), *previousOutline));
  EXPECT_EQ(rm.Get_Outline_Style(), 1);
  EXPECT_TRUE(Same_Pixels(*rm.Get_Layered_Map(), *previousLayered));
  EXPECT_EQ(rm.Get_Outline_Map_Backup(), nullptr);
  EXPECT_TRUE(Same_Pixels(*rm.Get_Displayed_Filtered_Map(), *rm.Get_Filtered_Map()));
  // The detected chains stay for the next opening.
  EXPECT_FALSE(app.Get_PixelChain_List().Is_Empty());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(DetectedOutline, CancelWithoutAnEarlierOutlineTakesTheNewOneAway) {
  EXPECT_FALSE(Dialog().Backup_Made());
  ASSERT_TRUE(Dialog().On_Cancel());
  EXPECT_EQ(rm.Get_Outline_Map(), nullptr);
  EXPECT_TRUE(Pixels_Below(*rm.Get_Layered_Map()).empty());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(DetectedOutline, ANewDialogStartsFromTheLatestDetection) {
  ASSERT_TRUE(Dialog().On_Save());
  const auto detected = Points_Of_All(app.Get_PixelChain_List());
  parms.smoothWindow = 5;
  parms.minLineLength = 60;
  OutlineSession next(app.Outline_Context(), 1);
  const ListMemry<PixelChain>& drawn = next.Detector().Get_Drawn_Chains();
  EXPECT_EQ(drawn.Get_Count(), app.Get_PixelChain_List().Get_Count());
  EXPECT_NE(Points_Of_All(drawn), detected);  // smoothed
  for (const PixelChain* chain : Chains_Of(drawn))
    EXPECT_EQ(chain->m_visible, chain->Get_Count() * chain->m_spacing >= 60);
  EXPECT_EQ(Points_Of_All(app.Get_PixelChain_List()), detected);
}

}  // namespace
