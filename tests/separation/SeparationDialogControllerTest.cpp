// The separation dialog's logic: opening with the kept settings, the
// sliders and check boxes, the brush size's data exchange, colour sets and
// palettes, "Preview All Seps", the row-by-row series with its messages,
// remaking rows after a colour change, the Outline Editor's checks, and the
// application's preparation of the settings after a photo or list load.
//
// Most flows run on a pre-processed image of five stripes, each painted in
// the paint colour of one row, so that every row takes exactly its own
// stripe and the outcome of each flow is known region by region.

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/RegionEditorApp.h"
#include "colors/StandardColors.h"
#include "raster/OffMap.h"
#include "render/ImageFiles.h"
#include "separation/ColorSeparator.h"
#include "separation/SeparationDialogController.h"
#include "support/TestSupport.h"

namespace {

using Rows = std::array<int16_t, 5>;

// Vermillion, Sap Green, Cobalt Blue, Yellow, Purple: no one of these is at
// least as dark as another in every channel, so each stripe is taken by its
// own row only.
constexpr Rows kStripeColors = {1, 5, 10, 4, 11};
constexpr int32_t kStripeWidth = 24;
constexpr int32_t kMapWidth = 5 * kStripeWidth;
constexpr int32_t kMapHeight = 60;

const char* const kPressStart = "Press the START SEQUENCE Button to start a new series of Separations.";
const char* const kBrushRange = "Enter a BRUSH SIZE between 2 and 32.";

// Pixels that are not pure white.
int32_t Non_White(const OffMap& map) {
  int32_t count = 0;
  for (int32_t y = 0; y < map.Get_Height(); ++y) {
    for (int32_t x = 0; x < map.Get_Width(); ++x) {
      int16_t r = 0, g = 0, b = 0;
      map.Get_Pixel(x, y, r, g, b);
      if (r != 255 || g != 255 || b != 255) ++count;
    }
  }
  return count;
}

class SeparationDialogTest : public ::testing::Test {
 protected:
  // A pre-processed image of the five stripes, the photo counted as
  // loaded, the rows set to `rows` with no adjustments and the palette
  // calculation off.
  void Use_Stripes(const Rows& rows) {
    RenderMan& rm = app.Get_RenderMan();
    std::string err;
    ASSERT_TRUE(rm.Alloc_Source_Bitmaps_for_Virtual_Project(kMapWidth, kMapHeight, err)) << err;
    ASSERT_TRUE(rm.Alloc_Support_Bitmaps_for_Image_Creation(kMapHeight, kMapWidth, err)) << err;
    for (int32_t stripe = 0; stripe < 5; ++stripe) {
      int16_t r = 0, g = 0, b = 0;
      ASSERT_TRUE(Get_StandardColors_RGB_from_Table(kStripeColors[stripe], r, g, b, err));
      for (int32_t y = 0; y < kMapHeight; ++y)
        for (int32_t x = stripe * kStripeWidth; x < (stripe + 1) * kStripeWidth; ++x)
          rm.Get_Filtered_Map()->Set_Pixel(x, y, r, g, b);
    }
    rm.Mark_Filtered_Image_Rendered();
    ASSERT_TRUE(rm.Copy_FilterMapHidden_to_Displayed_FilterMap(err)) << err;
    app.Get_Document().sourcePhotoPath = "stripes.png";
    Set_Rows(rows);
    app.Get_Settings().sepsDialogSettings.alwaysCalcPalette = 0;
  }

  void Set_Rows(const Rows& rows) {
    for (size_t row = 0; row < rows.size(); ++row)
      app.Get_Settings().lastSepRowsControlSettings[row] = {rows[row], 0};
  }

  // Opens the dialog, recording its status line.
  SeparationDialogController& Open() {
    session = std::make_unique<SeparationSession>(app.Separation_Context());
    SeparationDialogController& dialog = session->Controller();
    dialog.m_statusChanged = [this](const std::string& text) { statuses.push_back(text); };
    EXPECT_TRUE(dialog.OnInitDialog());
    return dialog;
  }

  RegionListSubject& List() { return app.Get_RegionList(); }

  // The number of regions each row made.
  std::vector<int32_t> Regions_per_Row() {
    std::vector<int32_t> counts(5, 0);
    for (ComponentSubject* child : List().Get_Children_List()) {
      const auto* region = dynamic_cast<const RegionSubject*>(child);
      if (region != nullptr && region->Get_Separation_ID() >= 0 && region->Get_Separation_ID() < 5)
        ++counts[region->Get_Separation_ID()];
    }
    return counts;
  }

  std::vector<std::string> Messages() { return platform.Messages().Texts(); }

  TestPlatform platform;
  RegionEditorApp app{platform.Get()};
  std::unique_ptr<SeparationSession> session;
  std::vector<std::string> statuses;
};

// ---------------------------------------------------------------------------
// Opening

TEST_F(SeparationDialogTest, OpeningShowsTheKeptSettingsAndRendersThePreProcessing) {
  std::string err;
  bool fileProblem = false;
  ASSERT_TRUE(Load_Bitmap_File_as_SRC(err, app.Get_RenderMan(), Sample_Path("coffee.png"), -1, -1,
                                      kWorkingMaxSide, fileProblem))
      << err;
  SeparationDialogController& dialog = Open();
  const SeparationDialogControls& c = dialog.Controls();

  EXPECT_EQ(c.colorSets, (std::vector<std::string>{"Popular 15", "Pop 15 w/Browns", "Orange Alternates",
                                                   "Yellow Alternates", "Penta Cobalt Blue", "Penta Purple",
                                                   "Penta Cerulean", "Quad Vermillion", "Quad Orange"}));
  EXPECT_EQ(c.colorSetSelection, 0);
  const std::vector<std::string> popular = {"-NONE-",        "Vermillion",    "Juane",         "Orange",
                                            "Yellow",        "Sap Green",     "Hookers Green", "Pthalo Green",
                                            "Prussian Blue", "Cerulean Blue", "Cobalt Blue",   "Purple",
                                            "Violet",        "Magenta",       "Rose",          "Crimson"};
  for (const SeparationRowCombo& row : c.rows) EXPECT_EQ(row.items, popular);
  // The first opening's rows: Purple, Vermillion, Pthalo Green, Juane, Purple.
  EXPECT_EQ(c.rows[0].selection, 11);
  EXPECT_EQ(c.rows[1].selection, 1);
  EXPECT_EQ(c.rows[2].selection, 7);
  EXPECT_EQ(c.rows[3].selection, 2);
  EXPECT_EQ(c.rows[4].selection, 11);

  // Dark 20 sits at 100 - 15 / 0.7 = 78.6, shown as its value 22; Lite 0 at
  // the bottom; Sat 70 at 35; the outline's liteness 0 at the bottom.
  EXPECT_EQ(c.darkPosition, 78);
  EXPECT_EQ(c.darkValue, "22");
  EXPECT_EQ(c.litePosition, 100);
  EXPECT_EQ(c.liteValue, "0");
  EXPECT_EQ(c.satPosition, 35);
  EXPECT_EQ(c.satValue, "65");
  EXPECT_EQ(c.litenessPosition, 100);
  EXPECT_EQ(c.litenessValue, "0");
  EXPECT_EQ(c.brushSizeText, "6");
  EXPECT_TRUE(c.alwaysCalculatePalette);
  EXPECT_FALSE(c.hideOutline);
  EXPECT_FALSE(c.contrast);
  EXPECT_EQ(c.status, "");
  EXPECT_EQ(dialog.Current_Row(), 0);
  EXPECT_EQ(app.Get_Document().currentSeparationID, -1);

  // The pre-processed image is the watercolour of the photo with the kept
  // settings, and the PreProcessing windows were asked to show it.
  RenderMan reference(platform.Get());
  ASSERT_TRUE(Load_Bitmap_File_as_SRC(err, reference, Sample_Path("coffee.png"), -1, -1, kWorkingMaxSide,
                                      fileProblem));
  ASSERT_TRUE(reference.WatercolorFilter_For_Separations(WatercolorParms(), err)) << err;
  EXPECT_TRUE(app.Get_RenderMan().Has_Filtered_Image());
  EXPECT_TRUE(Same_Pixels(*app.Get_RenderMan().Get_Filtered_Map(), *reference.Get_Filtered_Map()));
  EXPECT_EQ(app.Recorded_Windows().Count("redraw 8"), 1);
  EXPECT_EQ(platform.Headless().Cursor().Depth(), 0);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SeparationDialogTest, OpeningTakesTheCheckBoxesFromTheLastSettings) {
  // Without a pre-processed image the outline cannot be hidden: the box is
  // forced off, and stored off.
  app.Get_Settings().sepsDialogSettings.hideOutline = 1;
  app.Get_Settings().sepsDialogSettings.outlineDarkness = 134;
  app.Get_Settings().sepsDialogSettings.alwaysCalcPalette = 0;
  app.Get_Settings().sepsDialogSettings.outlineLiteness = 30;
  app.Get_Settings().sepsDialogSettings.brushSize = 17;
  SeparationDialogController& dialog = Open();
  EXPECT_FALSE(dialog.Controls().hideOutline);
  EXPECT_EQ(app.Get_Settings().sepsDialogSettings.hideOutline, 0);
  EXPECT_TRUE(dialog.Controls().contrast);
  EXPECT_FALSE(dialog.Controls().alwaysCalculatePalette);
  EXPECT_EQ(dialog.Controls().litenessPosition, 70);
  EXPECT_EQ(dialog.Controls().litenessValue, "30");
  EXPECT_EQ(dialog.Controls().brushSizeText, "17");
  // There is no photo, so there was nothing to render.
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"WatercolorFilter_For_Separations failed,  m_sourceMap is NULL."});

  // Over an existing image the kept state stands; 133 is no contrast.
  Use_Stripes(kStripeColors);
  app.Get_Settings().sepsDialogSettings.hideOutline = 1;
  app.Get_Settings().sepsDialogSettings.outlineDarkness = 133;
  SeparationDialogController& again = Open();
  EXPECT_TRUE(again.Controls().hideOutline);
  EXPECT_FALSE(again.Controls().contrast);
}

TEST_F(SeparationDialogTest, OpeningRefusesMissingSettingsRecords) {
  ColorSeparator separator(app.Get_RenderMan(), app.Get_WindowsUpdater(), &app.Get_Document().regionCounter);
  const struct {
    bool watercolor, rows, last;
    const char* text;
  } cases[] = {
      {false, true, true,
       "DetectTotalSepsDialog::OnInitDialog  FAILED,  m_lastWatercolorForSepsParms is NULL."},
      {true, false, true,
       "DetectTotalSepsDialog::OnInitDialog  FAILED,  m_lastSepRowsControlSettings is NULL."},
      {true, true, false, "DetectTotalSepsDialog::OnInitDialog  FAILED,  lastSettings is NULL."},
  };
  for (const auto& c : cases) {
    platform.Messages().Clear();
    SettingsHelper helper(&separator, c.watercolor ? &app.Get_Settings().watercolorParms : nullptr,
                          c.rows ? app.Get_Settings().lastSepRowsControlSettings.data() : nullptr,
                          &app.Get_Settings().sepsDialogSettings.brushSize, platform.Get().Messages());
    SeparationDialogController dialog(app.Separation_Context(), separator, helper,
                                      c.last ? &app.Get_Settings().sepsDialogSettings : nullptr);
    EXPECT_FALSE(dialog.OnInitDialog());
    EXPECT_EQ(Messages(), std::vector<std::string>{c.text});
    // A dialog that did not start does nothing.
    EXPECT_FALSE(dialog.On_Preview_All_Seps());
    EXPECT_FALSE(dialog.On_Dark_Slider(0));
    EXPECT_FALSE(dialog.On_Close());
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_EQ(dialog.Controls().colorSets.size(), 0u);
  }
}

// ---------------------------------------------------------------------------
// Sliders, check boxes, brush size

TEST_F(SeparationDialogTest, SlidersSetThePreProcessingAtTheirExtremesAndRenderAgain) {
  std::string err;
  bool fileProblem = false;
  ASSERT_TRUE(Load_Bitmap_File_as_SRC(err, app.Get_RenderMan(), Sample_Path("chelsea.png"), 160, 120,
                                      kWorkingMaxSide, fileProblem));
  SeparationDialogController& dialog = Open();
  WatercolorParms& parms = app.Get_Settings().watercolorParms;

  EXPECT_TRUE(dialog.On_Dark_Slider(100));
  EXPECT_EQ(parms.darkExponent, 5);
  EXPECT_EQ(dialog.Controls().darkValue, "0");
  EXPECT_TRUE(dialog.On_Dark_Slider(0));
  EXPECT_EQ(parms.darkExponent, 75);
  EXPECT_EQ(dialog.Controls().darkValue, "100");
  EXPECT_EQ(dialog.Controls().darkPosition, 0);
  EXPECT_TRUE(dialog.On_Sat_Slider(100));
  EXPECT_EQ(parms.satExponent, 200);
  EXPECT_EQ(dialog.Controls().satValue, "0");
  EXPECT_TRUE(dialog.On_Sat_Slider(0));
  EXPECT_EQ(parms.satExponent, 0);
  EXPECT_EQ(dialog.Controls().satValue, "100");
  EXPECT_TRUE(dialog.On_Lite_Slider(30));
  EXPECT_EQ(parms.liteAmount, 70);
  EXPECT_EQ(dialog.Controls().liteValue, "70");
  // A position beyond the slider is taken as its end.
  EXPECT_TRUE(dialog.On_Lite_Slider(140));
  EXPECT_EQ(parms.liteAmount, 0);
  EXPECT_EQ(dialog.Controls().litePosition, 100);

  // Every release rendered the image again with the settings as they were.
  EXPECT_EQ(app.Recorded_Windows().Count("redraw 8"), 7);
  RenderMan reference(platform.Get());
  ASSERT_TRUE(Load_Bitmap_File_as_SRC(err, reference, Sample_Path("chelsea.png"), 160, 120, kWorkingMaxSide,
                                      fileProblem));
  ASSERT_TRUE(reference.WatercolorFilter_For_Separations(parms, err)) << err;
  EXPECT_TRUE(Same_Pixels(*app.Get_RenderMan().Get_Filtered_Map(), *reference.Get_Filtered_Map()));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SeparationDialogTest, GreyPhotosArePreProcessedWithTheGreyscaleVariant) {
  Use_Stripes(kStripeColors);
  RenderMan& rm = app.Get_RenderMan();
  for (int32_t y = 0; y < kMapHeight; ++y)
    for (int32_t x = 0; x < kMapWidth; ++x) rm.Get_Source_Map()->Set_Pixel(x, y, x * 2, x * 2, x * 2);
  rm.Set_Greyscale_Photo(true);
  SeparationDialogController& dialog = Open();
  ASSERT_TRUE(dialog.On_Sat_Slider(60));

  RenderMan reference(platform.Get());
  std::string err;
  ASSERT_TRUE(reference.Alloc_Source_Bitmaps_for_Virtual_Project(kMapWidth, kMapHeight, err));
  reference.Get_Source_Map()->Assign_Copy(*rm.Get_Source_Map());
  ASSERT_TRUE(reference.WatercolorFilter_For_Separations_Grey_24bit(app.Get_Settings().watercolorParms, err))
      << err;
  EXPECT_TRUE(Same_Pixels(*rm.Get_Filtered_Map(), *reference.Get_Filtered_Map()));
  ASSERT_TRUE(reference.WatercolorFilter_For_Separations(app.Get_Settings().watercolorParms, err)) << err;
  EXPECT_FALSE(Same_Pixels(*rm.Get_Filtered_Map(), *reference.Get_Filtered_Map()));
}

TEST_F(SeparationDialogTest, OutlineSettingsAreStoredAndTheLayeredImageRecomposed) {
  Use_Stripes(kStripeColors);
  SeparationDialogController& dialog = Open();
  RenderMan& rm = app.Get_RenderMan();

  EXPECT_TRUE(dialog.On_Hide_Outline_Clicked(true));
  EXPECT_EQ(app.Get_Settings().sepsDialogSettings.hideOutline, 1);
  EXPECT_EQ(rm.Get_Hide_Outline(), 1);
  EXPECT_TRUE(dialog.On_Contrast_Clicked(true));
  EXPECT_EQ(app.Get_Settings().sepsDialogSettings.outlineDarkness, 150);
  EXPECT_EQ(rm.Get_Outline_Darkness(), 150);
  EXPECT_TRUE(dialog.On_Contrast_Clicked(false));
  EXPECT_EQ(app.Get_Settings().sepsDialogSettings.outlineDarkness, 100);
  EXPECT_EQ(rm.Get_Outline_Darkness(), 100);
  EXPECT_TRUE(dialog.On_Liteness_Slider(30));
  EXPECT_EQ(app.Get_Settings().sepsDialogSettings.outlineLiteness, 70);
  EXPECT_EQ(rm.Get_Outline_Liteness(), 70);
  EXPECT_EQ(dialog.Controls().litenessValue, "70");
  EXPECT_EQ(app.Recorded_Windows().Count("redraw 5"), 8);  // each recomposition redraws twice

  // The merge reads these settings: with the outline hidden the layered
  // image stays white over a black outline, shown it darkens.
  ASSERT_TRUE(rm.Create_Outline_Map(kMapHeight, kMapWidth));
  rm.Get_Outline_Map()->Fill(0);
  EXPECT_TRUE(dialog.On_Hide_Outline_Clicked(true));
  int16_t r = 0, g = 0, b = 0;
  rm.Get_Layered_Map()->Get_Pixel(5, 5, r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_TRUE(dialog.On_Hide_Outline_Clicked(false));
  rm.Get_Layered_Map()->Get_Pixel(5, 5, r, g, b);
  EXPECT_LT(r, 255);
}

TEST_F(SeparationDialogTest, BrushSizesOutside2To32AreRefusedByTheDataExchange) {
  Use_Stripes(kStripeColors);
  SeparationDialogController& dialog = Open();
  for (const char* bad : {"1", "33", "0", "-4", "", "6x", "abc"}) {
    platform.Messages().Clear();
    dialog.Set_Brush_Size_Text(bad);
    EXPECT_FALSE(dialog.On_Preview_All_Seps()) << bad;
    EXPECT_EQ(Messages(), std::vector<std::string>{kBrushRange}) << bad;
    EXPECT_FALSE(dialog.On_Close()) << bad;
  }
  EXPECT_FALSE(List().Has_Regions());
  EXPECT_EQ(app.Get_Settings().sepsDialogSettings.brushSize, 6);

  // A refused brush stops a row change as well, with the reason why.
  platform.Messages().Clear();
  EXPECT_FALSE(dialog.On_Row_Color_Selected(1, 3));
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{
                kBrushRange,
                "DetectTotalSepsDialog::Supplement_RegionList_with_New_Separations  FAILED,  UpdateData"}));
  EXPECT_FALSE(List().Has_Regions());

  platform.Messages().Clear();
  for (const char* good : {"2", "32"}) {
    dialog.Set_Brush_Size_Text(good);
    EXPECT_TRUE(dialog.On_Preview_All_Seps()) << good;
    EXPECT_EQ(app.Get_Settings().sepsDialogSettings.brushSize, std::stoi(good));
  }
  EXPECT_TRUE(dialog.On_Close());
  EXPECT_TRUE(Messages().empty());
}

// ---------------------------------------------------------------------------
// Colour sets and palettes

TEST_F(SeparationDialogTest, AColourSetNeedsThePreProcessedImage) {
  Use_Stripes(kStripeColors);
  SeparationDialogController& dialog = Open();
  const SeparationDialogControls before = dialog.Controls();
  std::string err;
  ASSERT_TRUE(app.Get_RenderMan().Erase_Support_Bitmaps(err));

  EXPECT_FALSE(dialog.On_Color_Set_Selected(3));
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"DetectTotalSepsDialog::On_SelectChange_Palette_Choices_ComboBox  "
                                     "FAILED,  Watercolor Source has NOT been made."});
  EXPECT_EQ(dialog.Controls().colorSetSelection, 0);
  EXPECT_EQ(dialog.Controls().rows[2].items, before.rows[2].items);
  EXPECT_EQ(dialog.Controls().rows[2].selection, before.rows[2].selection);
  EXPECT_EQ(app.Get_Settings().sepsDialogSettings.palettePrimaryIdx, 0);
  EXPECT_EQ(app.Get_Settings().lastSepRowsControlSettings[0].colorsStdIndex, 1);

  // The other buttons refuse too, each with its own words.
  platform.Messages().Clear();
  EXPECT_FALSE(dialog.On_Preview_All_Seps());
  EXPECT_FALSE(dialog.On_Start_Sequence());
  EXPECT_FALSE(dialog.On_Next_Separation());
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{
                "First create an Image in the Filter Window, as a source for the color separations.",
                "First create an Image in the Filter Window, as a source for the color separations.",
                "Create an Image in the Pre-Processing Window, as a source for the color separations."}));
  err.clear();
  EXPECT_FALSE(dialog.Load_ColorSet_and_Calculate_Palette_for_SRCphoto(0, 5, err));
  EXPECT_EQ(err,
            "DetectTotalSepsDialog::Load_ColorSet_and_Calculate_Palette_for_SRCphoto  FAILED,  Watercolor "
            "Source has "
            "NOT been made.");
  EXPECT_FALSE(List().Has_Regions());
}

TEST_F(SeparationDialogTest, AColourSetFillsTheRowsWithItsPalette) {
  std::string err;
  bool fileProblem = false;
  ASSERT_TRUE(Load_Bitmap_File_as_SRC(err, app.Get_RenderMan(), Sample_Path("coffee.png"), -1, -1,
                                      kWorkingMaxSide, fileProblem));
  app.Get_Settings().sepsDialogSettings.alwaysCalcPalette = 0;
  SeparationDialogController& dialog = Open();

  // "Quad Orange" has four colours and no repeats: the fifth row stays empty.
  ASSERT_TRUE(dialog.On_Color_Set_Selected(8));
  const SeparationDialogControls& c = dialog.Controls();
  EXPECT_EQ(c.colorSetSelection, 8);
  EXPECT_EQ(c.rows[4].items,
            (std::vector<std::string>{"-NONE-", "Orange", "Pthalo Green", "Purple", "Rose"}));
  int16_t expected[ColorSeparator::kMaxPaletteColors];
  ColorSeparator separator(app.Get_RenderMan(), app.Get_WindowsUpdater(), nullptr);
  ASSERT_TRUE(separator.Calc_Ideal_Palette_for_Stock_ColorSet(8, 5, expected, err)) << err;
  EXPECT_EQ(expected[4], 0);
  for (int32_t row = 0; row < 5; ++row) {
    EXPECT_EQ(app.Get_Settings().lastSepRowsControlSettings[row].colorsStdIndex, expected[row]) << row;
    EXPECT_EQ(c.rows[row].selection, SeparationDialogController::Find_Color_in_Set(expected[row], 8) < 0
                                         ? 0
                                         : SeparationDialogController::Find_Color_in_Set(expected[row], 8));
  }
  EXPECT_EQ(c.rows[4].Selected_Text(), "-NONE-");
  EXPECT_EQ(app.Get_Settings().sepsDialogSettings.palettePrimaryIdx, 8);
  EXPECT_EQ(app.Get_Settings().sepsDialogSettings.alwaysCalcPalette, 1);
  EXPECT_TRUE(c.alwaysCalculatePalette);
  EXPECT_EQ(statuses, (std::vector<std::string>{"", "Calculating a Palette...", ""}));
  EXPECT_EQ(platform.Headless().Cursor().Depth(), 0);

  // Sets beyond the stock sets are no choice at all.
  EXPECT_FALSE(dialog.On_Color_Set_Selected(16));
  EXPECT_EQ(c.colorSetSelection, 8);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SeparationDialogTest, RowsShowOnlyColoursOfTheSet) {
  EXPECT_EQ(SeparationDialogController::Find_Color_in_Set(11, 0), 11);
  EXPECT_EQ(SeparationDialogController::Find_Color_in_Set(1, 8), -1);
  EXPECT_EQ(SeparationDialogController::Find_Color_in_Set(14, 8), 4);
  EXPECT_EQ(SeparationDialogController::Find_Color_in_Set(26, 9), 7);
  EXPECT_EQ(SeparationDialogController::Find_Color_in_Set(0, 0), -1);
  EXPECT_EQ(SeparationDialogController::Find_Color_in_Set(11, 16), -1);

  Use_Stripes(kStripeColors);
  SeparationDialogController& dialog = Open();
  // 0 empties a row, a member selects its item, a colour outside the set and
  // an index outside the table leave the row as it was.
  const int16_t palette[5] = {0, 26, 34, -1, 15};
  dialog.Set_Row_Colors_from_Palette(palette);
  const SeparationDialogControls& c = dialog.Controls();
  EXPECT_EQ(c.rows[0].Selected_Text(), "-NONE-");
  EXPECT_EQ(c.rows[1].Selected_Text(), "Sap Green");
  EXPECT_EQ(c.rows[2].Selected_Text(), "Cobalt Blue");
  EXPECT_EQ(c.rows[3].Selected_Text(), "Yellow");
  EXPECT_EQ(c.rows[4].Selected_Text(), "Crimson");
  // Storing reads the rows back by name.
  EXPECT_TRUE(dialog.On_Close());
  EXPECT_EQ(app.Get_Settings().lastSepRowsControlSettings[0].colorsStdIndex, 0);
  EXPECT_EQ(app.Get_Settings().lastSepRowsControlSettings[4].colorsStdIndex, 15);
}

// ---------------------------------------------------------------------------
// Preview All Seps

TEST_F(SeparationDialogTest, PreviewAllSepsMakesEveryRow) {
  Use_Stripes(kStripeColors);
  SeparationDialogController& dialog = Open();
  statuses.clear();
  ASSERT_TRUE(dialog.On_Preview_All_Seps());

  EXPECT_EQ(Regions_per_Row(), (std::vector<int32_t>{1, 1, 1, 1, 1}));
  EXPECT_EQ(List().Get_Separation_Name(0), "MEM-ASep_Vermillion_DUMMyproject_Comps255_210_210_9999.bmp");
  EXPECT_EQ(List().Get_Separation_Name(4).rfind("MEM-ASep_Purple_DUMMyproject_Comps", 0), 0u);
  EXPECT_NE(List().Get_Separation_Name(4).find("_10003.bmp"), std::string::npos);
  EXPECT_EQ(app.Get_Document().currentSeparationID, 4);
  EXPECT_EQ(dialog.Current_Row(), 4);
  EXPECT_EQ(dialog.Controls().checkedRadio, 4);
  EXPECT_FALSE(dialog.Reached_End());
  EXPECT_EQ(
      statuses,
      (std::vector<std::string>{
          "Creating Separations...", "...creating Separation[ 1 ] with Vermillion ",
          "...creating Separation[ 2 ] with Sap Green ", "...creating Separation[ 3 ] with Cobalt Blue ",
          "...creating Separation[ 4 ] with Yellow ", "...creating Separation[ 5 ] with Purple ", ""}));
  // Every stripe went into its region: nothing is left to subtract, and
  // the layered image was composed and the views rebuilt.
  EXPECT_EQ(Non_White(*app.Get_RenderMan().Get_Subtract_Map()), 0);
  EXPECT_GT(Non_White(*app.Get_RenderMan().Get_Layered_Map()), 0);
  EXPECT_GE(app.Recorded_Windows().Count("recreate views"), 1);
  EXPECT_EQ(platform.Headless().Cursor().Depth(), 0);
  EXPECT_TRUE(Messages().empty());

  // Again: the old regions go first.
  ASSERT_TRUE(dialog.On_Preview_All_Seps());
  EXPECT_EQ(Regions_per_Row(), (std::vector<int32_t>{1, 1, 1, 1, 1}));
  EXPECT_NE(List().Get_Separation_Name(0).find("_10004.bmp"), std::string::npos);
}

TEST_F(SeparationDialogTest, PreviewAllSepsPassesOverRowsWithoutColour) {
  Use_Stripes({1, 5, 10, 4, 0});
  SeparationDialogController& dialog = Open();
  statuses.clear();
  ASSERT_TRUE(dialog.On_Preview_All_Seps());
  EXPECT_EQ(Regions_per_Row(), (std::vector<int32_t>{1, 1, 1, 1, 0}));
  EXPECT_EQ(List().Get_Separation_Name(4), "");
  EXPECT_EQ(app.Get_Document().currentSeparationID, 3);
  EXPECT_EQ(dialog.Current_Row(), 4);
  EXPECT_EQ(dialog.Controls().checkedRadio, 3);
  EXPECT_EQ(statuses.size(), 6u);
  EXPECT_EQ(statuses[4], "...creating Separation[ 4 ] with Yellow ");
  // The Purple stripe was left over.
  EXPECT_EQ(Non_White(*app.Get_RenderMan().Get_Subtract_Map()), kStripeWidth * kMapHeight);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SeparationDialogTest, PreviewAllSepsOnThePhotoUsesTheProposedPalette) {
  std::string err;
  bool fileProblem = false;
  ASSERT_TRUE(Load_Bitmap_File_as_SRC(err, app.Get_RenderMan(), Sample_Path("coffee.png"), -1, -1,
                                      kWorkingMaxSide, fileProblem));
  SeparationDialogController& dialog = Open();
  ASSERT_TRUE(dialog.On_Preview_All_Seps());

  int16_t expected[ColorSeparator::kMaxPaletteColors];
  ColorSeparator separator(app.Get_RenderMan(), app.Get_WindowsUpdater(), nullptr);
  ASSERT_TRUE(separator.Calc_Ideal_Palette_for_Stock_ColorSet(0, 5, expected, err)) << err;
  const std::vector<int32_t> counts = Regions_per_Row();
  for (int32_t row = 0; row < 5; ++row) {
    EXPECT_EQ(app.Get_Settings().lastSepRowsControlSettings[row].colorsStdIndex, expected[row]);
    if (expected[row] > 0) {
      EXPECT_GT(counts[row], 0) << row;
    }
  }
  // Every region carries the colour of the row that made it.
  for (ComponentSubject* child : List().Get_Children_List()) {
    const auto* region = dynamic_cast<const RegionSubject*>(child);
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(region->Get_Hunt_Color_Index(), expected[region->Get_Separation_ID()]);
  }
  // Regions are numbered from the application's counter, each separation
  // region (not kept) and each sub-region; the counter gets the next number
  // back when the dialog's engine goes.
  int32_t separations = 0;
  for (int32_t row = 0; row < 5; ++row) separations += expected[row] > 0 ? 1 : 0;
  session.reset();
  EXPECT_EQ(app.Get_Document().regionCounter, List().Get_Region_Count() + separations);
  EXPECT_TRUE(Messages().empty());
}

// ---------------------------------------------------------------------------
// The row-by-row series

TEST_F(SeparationDialogTest, NextBeforeStartAsksForTheStart) {
  Use_Stripes(kStripeColors);
  SeparationDialogController& dialog = Open();
  EXPECT_FALSE(dialog.On_Next_Separation());
  EXPECT_EQ(Messages(), std::vector<std::string>{kPressStart});
  EXPECT_FALSE(List().Has_Regions());
  EXPECT_EQ(app.Get_Document().currentSeparationID, -1);
  EXPECT_EQ(dialog.Current_Row(), 0);
}

TEST_F(SeparationDialogTest, TheSeriesSkipsRowsWithoutColourAndStopsAtTheEnd) {
  Use_Stripes({1, 5, 0, 0, 11});
  SeparationDialogController& dialog = Open();
  ASSERT_TRUE(dialog.On_Start_Sequence());
  EXPECT_EQ(Regions_per_Row(), (std::vector<int32_t>{1, 0, 0, 0, 0}));
  EXPECT_EQ(app.Get_Document().currentSeparationID, 0);
  EXPECT_EQ(dialog.Controls().checkedRadio, 0);

  ASSERT_TRUE(dialog.On_Next_Separation());
  EXPECT_EQ(app.Get_Document().currentSeparationID, 1);
  // Rows 3 and 4 have no colour: the next one is row 5.
  ASSERT_TRUE(dialog.On_Next_Separation());
  EXPECT_EQ(app.Get_Document().currentSeparationID, 4);
  EXPECT_EQ(dialog.Current_Row(), 4);
  EXPECT_EQ(dialog.Controls().checkedRadio, 4);
  EXPECT_TRUE(dialog.Reached_End());
  EXPECT_EQ(Regions_per_Row(), (std::vector<int32_t>{1, 1, 0, 0, 1}));
  EXPECT_TRUE(Messages().empty());

  EXPECT_FALSE(dialog.On_Next_Separation());
  EXPECT_EQ(Messages(), std::vector<std::string>{
                            "Have reached the END of the Separation LIST. Use SELECTION and REDO Button."});
  EXPECT_EQ(Regions_per_Row(), (std::vector<int32_t>{1, 1, 0, 0, 1}));
}

TEST_F(SeparationDialogTest, TheSeriesEndsWhenNoLaterRowHasAColour) {
  Use_Stripes({1, 5, 10, 0, 0});
  SeparationDialogController& dialog = Open();
  ASSERT_TRUE(dialog.On_Start_Sequence());
  ASSERT_TRUE(dialog.On_Next_Separation());
  ASSERT_TRUE(dialog.On_Next_Separation());
  EXPECT_EQ(app.Get_Document().currentSeparationID, 2);
  EXPECT_FALSE(dialog.On_Next_Separation());
  EXPECT_EQ(Messages(), std::vector<std::string>{"You have reached the END of the Separations LIST."});
  EXPECT_EQ(dialog.Current_Row(), 2);
  EXPECT_FALSE(dialog.Reached_End());
  EXPECT_EQ(Regions_per_Row(), (std::vector<int32_t>{1, 1, 1, 0, 0}));

  // After "Preview All Seps" the series stands at the last row.
  platform.Messages().Clear();
  Set_Rows(kStripeColors);
  ASSERT_TRUE(dialog.On_Preview_All_Seps());
  EXPECT_FALSE(dialog.On_Next_Separation());
  EXPECT_EQ(Messages(), std::vector<std::string>{"Have reached the END of the Separation LIST"});
}

TEST_F(SeparationDialogTest, StartSequenceNeedsAFirstColourAndAsksBeforeDeleting) {
  Use_Stripes({0, 5, 10, 4, 11});
  SeparationDialogController& dialog = Open();
  EXPECT_FALSE(dialog.On_Start_Sequence());
  EXPECT_EQ(Messages(), std::vector<std::string>{"SELECT a COLOR in the first Separation's ComboBox."});
  EXPECT_FALSE(List().Has_Regions());

  // The dialog reads the row from its combo, not from the settings.
  platform.Messages().Clear();
  ASSERT_TRUE(dialog.On_Row_Color_Selected(0, 1));
  ASSERT_TRUE(dialog.On_Preview_All_Seps());
  EXPECT_EQ(app.Get_Document().currentSeparationID, 4);
  const int32_t regions = List().Get_Region_Count();
  EXPECT_EQ(regions, 5);

  // Cancel keeps the regions and the series as they were.
  platform.Messages().Queue_Answer(MessageAnswer::Cancel);
  EXPECT_FALSE(dialog.On_Start_Sequence());
  ASSERT_EQ(platform.Messages().Shown_Messages().size(), 1u);
  EXPECT_EQ(platform.Messages().Shown_Messages()[0].text,
            "If you continue, you will DELETE all the existing REGIONS ?  Want to continue ?");
  EXPECT_EQ(platform.Messages().Shown_Messages()[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(List().Get_Region_Count(), regions);
  EXPECT_EQ(app.Get_Document().currentSeparationID, 4);
  EXPECT_EQ(dialog.Current_Row(), 4);

  // OK starts afresh with the first row alone.
  ASSERT_TRUE(dialog.On_Start_Sequence());
  EXPECT_EQ(Regions_per_Row(), (std::vector<int32_t>{1, 0, 0, 0, 0}));
  EXPECT_EQ(app.Get_Document().currentSeparationID, 0);
  EXPECT_EQ(dialog.Current_Row(), 0);
  EXPECT_EQ(List().Get_Separation_Name(4), "");
}

// ---------------------------------------------------------------------------
// Changing a row's colour

TEST_F(SeparationDialogTest, ARowChangeRemakesThatRowAndTheLaterRowsWithRegions) {
  Use_Stripes(kStripeColors);
  app.Get_Settings().sepsDialogSettings.alwaysCalcPalette = 1;
  SeparationDialogController& dialog = Open();
  dialog.Set_Always_Calculate_Palette(false);
  ASSERT_TRUE(dialog.On_Preview_All_Seps());
  statuses.clear();

  // Row 3 becomes Purple: it takes the Purple stripe, so row 5 (Purple as
  // well, made again because it had regions) finds nothing left; the
  // Cobalt Blue stripe is no row's any more.
  const int32_t purple = SeparationDialogController::Find_Color_in_Set(11, 0);
  ASSERT_TRUE(dialog.On_Row_Color_Selected(2, purple));
  EXPECT_EQ(app.Get_Settings().lastSepRowsControlSettings[2].colorsStdIndex, 11);
  EXPECT_EQ(Regions_per_Row(), (std::vector<int32_t>{1, 1, 1, 1, 0}));
  EXPECT_EQ(Non_White(*app.Get_RenderMan().Get_Subtract_Map()), kStripeWidth * kMapHeight);
  EXPECT_EQ(statuses, (std::vector<std::string>{"...creating Separation[ 3 ] with Purple ",
                                                "...creating Separation[ 4 ] with Yellow ",
                                                "...creating Separation[ 5 ] with Purple ", ""}));
  // The colours are the user's now: no palette replaces them.
  EXPECT_FALSE(dialog.Controls().alwaysCalculatePalette);
  EXPECT_EQ(app.Get_Settings().sepsDialogSettings.alwaysCalcPalette, 0);

  // "-NONE-" only takes the row's regions away.
  ASSERT_TRUE(dialog.On_Row_Color_Selected(3, 0));
  EXPECT_EQ(Regions_per_Row(), (std::vector<int32_t>{1, 1, 1, 0, 0}));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SeparationDialogTest, ARowChangeLeavesLaterRowsWithoutRegionsUnmade) {
  Use_Stripes(kStripeColors);
  SeparationDialogController& dialog = Open();
  ASSERT_TRUE(dialog.On_Start_Sequence());
  ASSERT_TRUE(dialog.On_Next_Separation());
  EXPECT_EQ(Regions_per_Row(), (std::vector<int32_t>{1, 1, 0, 0, 0}));

  // Row 1 becomes Crimson, which covers Vermillion: the first stripe stays
  // row 1's, and row 2 is made again after it.
  ASSERT_TRUE(dialog.On_Row_Color_Selected(0, SeparationDialogController::Find_Color_in_Set(15, 0)));
  EXPECT_EQ(Regions_per_Row(), (std::vector<int32_t>{1, 1, 0, 0, 0}));
  EXPECT_EQ(List().Get_Separation_Name(0).rfind("MEM-ASep_Crimson_DUMMyproject_", 0), 0u);
  EXPECT_EQ(List().Get_Separation_Name(1).rfind("MEM-ASep_Sap Green_DUMMyproject_", 0), 0u);
  // The series goes on where it was.
  ASSERT_TRUE(dialog.On_Next_Separation());
  EXPECT_EQ(Regions_per_Row(), (std::vector<int32_t>{1, 1, 1, 0, 0}));
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(dialog.On_Row_Color_Selected(5, 1));
  EXPECT_FALSE(dialog.On_Row_Color_Selected(0, 16));
}

// ---------------------------------------------------------------------------
// Outline Editor

TEST_F(SeparationDialogTest, TheOutlineEditorChecksThePhotoAndTheSourceBackup) {
  SeparationDialogController& dialog = Open();
  platform.Messages().Clear();
  int calls = 0;
  bool endsWithOk = true;
  dialog.m_runOutlineEditor = [&]() {
    ++calls;
    return endsWithOk;
  };
  EXPECT_FALSE(dialog.On_Outline_Editor());
  app.Get_Document().sourcePhotoPath = "photo.png";
  EXPECT_FALSE(dialog.On_Outline_Editor());
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Load a SOURCE PHOTO from the File Menu.",
                                                  "etectTotalSepsDialog::On_BnClicked_Test_1_Button FAILED,  "
                                                  "renderMan.m_sourceMapBackup is NULL."}));
  EXPECT_EQ(calls, 0);

  std::string err;
  ASSERT_TRUE(app.Get_RenderMan().Alloc_Source_Bitmaps_for_Virtual_Project(100, 100, err));
  EXPECT_TRUE(dialog.On_Outline_Editor());
  EXPECT_EQ(app.Recorded_Windows().Count("redraw all"), 0);
  endsWithOk = false;
  EXPECT_TRUE(dialog.On_Outline_Editor());
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(app.Recorded_Windows().Count("redraw all"), 1);
}

// ---------------------------------------------------------------------------
// The application prepares the settings for the next opening

TEST_F(SeparationDialogTest, ANewPhotoPutsTheSettingsBackToTheirDefaults) {
  app.Get_Settings().watercolorParms.darkExponent = 60;
  app.Get_Settings().watercolorParms.satExponent = 10;
  app.Get_Settings().watercolorParms.liteAmount = 40;
  app.Get_Settings().watercolorParms.skipSaturation = 1;
  app.Get_Settings().sepsDialogSettings.brushSize = 20;
  app.Get_Settings().sepsDialogSettings.palettePrimaryIdx = 5;
  app.Get_Settings().sepsDialogSettings.alwaysCalcPalette = 0;
  Set_Rows({3, 3, 3, 3, 3});
  app.Get_Settings().lastSepRowsControlSettings[0].adjustment = -7;
  std::string err = "stale";
  ASSERT_TRUE(Adjust_Detection_Settings_for_Upcoming_DetectionDialog(app.Get_Settings(), app.Get_RegionList(),
                                                                     0, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(app.Get_Settings().watercolorParms.darkExponent, 20);
  EXPECT_EQ(app.Get_Settings().watercolorParms.satExponent, 70);
  EXPECT_EQ(app.Get_Settings().watercolorParms.liteAmount, 0);
  EXPECT_EQ(app.Get_Settings().watercolorParms.skipSaturation, 0);
  EXPECT_EQ(app.Get_Settings().sepsDialogSettings.brushSize, 6);
  const Rows colors = {11, 1, 7, 2, 11}, adjustments = {10, 4, 8, 5, 0};
  for (int32_t row = 0; row < 5; ++row) {
    EXPECT_EQ(app.Get_Settings().lastSepRowsControlSettings[row].colorsStdIndex, colors[row]);
    EXPECT_EQ(app.Get_Settings().lastSepRowsControlSettings[row].adjustment, adjustments[row]);
  }
  // The user's choice of set and check boxes stands.
  EXPECT_EQ(app.Get_Settings().sepsDialogSettings.palettePrimaryIdx, 5);
  EXPECT_EQ(app.Get_Settings().sepsDialogSettings.alwaysCalcPalette, 0);
}

TEST_F(SeparationDialogTest, ALoadedListGivesTheRowsTheColoursOfItsRegions) {
  // An empty list has no colours to give.
  std::string err = "stale";
  EXPECT_TRUE(Adjust_Detection_Settings_for_Upcoming_DetectionDialog(app.Get_Settings(), app.Get_RegionList(),
                                                                     1, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(app.Get_Settings().lastSepRowsControlSettings[0].colorsStdIndex, 11);

  Use_Stripes({1, 0, 10, 4, 11});
  SeparationDialogController& dialog = Open();
  ASSERT_TRUE(dialog.On_Preview_All_Seps());
  session.reset();
  Set_Rows({3, 3, 3, 3, 3});
  app.Get_Settings().lastSepRowsControlSettings[2].adjustment = 9;
  ASSERT_TRUE(Adjust_Detection_Settings_for_Upcoming_DetectionDialog(app.Get_Settings(), app.Get_RegionList(),
                                                                     1, err))
      << err;
  const Rows expected = {1, 0, 10, 4, 11};
  for (int32_t row = 0; row < 5; ++row)
    EXPECT_EQ(app.Get_Settings().lastSepRowsControlSettings[row].colorsStdIndex, expected[row]) << row;
  EXPECT_EQ(app.Get_Settings().lastSepRowsControlSettings[2].adjustment, 9);

  // Grey and chromatic rows together make no palette of one kind: such a
  // list (the "6 Synthetics" set makes them) keeps the rows and still loads.
  Set_Rows({3, 3, 3, 3, 3});
  auto* region = dynamic_cast<RegionSubject*>(List().Get_Children_List().Get_Head_Link()->Get_Object());
  ASSERT_NE(region, nullptr);
  region->Set_Hunt_Color_Index(30);
  EXPECT_TRUE(Adjust_Detection_Settings_for_Upcoming_DetectionDialog(app.Get_Settings(), app.Get_RegionList(),
                                                                     1, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(app.Get_Settings().lastSepRowsControlSettings[0].colorsStdIndex, 3);
  EXPECT_TRUE(Messages().empty());

  for (const int16_t mode : {2, -1}) {
    EXPECT_FALSE(Adjust_Detection_Settings_for_Upcoming_DetectionDialog(app.Get_Settings(),
                                                                        app.Get_RegionList(), mode, err));
    EXPECT_EQ(err,
              "RegionListSubject::Adjust_Detection_Settings_for_Upcoming_DetectionDialog  FAILED, "
              "filesLoadMode is out "
              "of bounds.");
  }
  EXPECT_EQ(app.Get_Settings().lastSepRowsControlSettings[0].colorsStdIndex, 3);
}

}  // namespace
