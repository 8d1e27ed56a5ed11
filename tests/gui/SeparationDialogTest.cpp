// The "Color Separation Creation" dialog driven through its widgets: the
// controls at opening, slider drags and keys, "Preview All Seps" against the
// controller run alone, the brush size's refusal, Enter and Escape, colour
// sets and rows, and the outline dialog run from "Outline Editor".

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "DialogTestSupport.h"
#include "app/RegionEditorApp.h"
#include "gui/OutlineDialog.h"
#include "gui/SeparationDialog.h"
#include "raster/OffMap.h"
#include "support/TestSupport.h"

namespace {

const char* const kBrushRange = "Enter a BRUSH SIZE between 2 and 32.";
const std::vector<std::string> kQuadOrange = {"-NONE-", "Orange", "Pthalo Green", "Purple", "Rose"};

void Load_Coffee(RegionEditorApp& app) {
  Load_Photo_At_Working_Size(app.Get_RenderMan(), Sample_Path("coffee.png"));
  app.Get_Document().sourcePhotoPath = Sample_Path("coffee.png");
}

std::vector<std::string> Items(const QComboBox* combo) {
  std::vector<std::string> items;
  for (int i = 0; i < combo->count(); ++i) items.push_back(combo->itemText(i).toStdString());
  return items;
}

class SeparationDialogGui : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Ensure_QApplication(); }

  void SetUp() override { Load_Coffee(app); }

  void Open() {
    dialog.reset();  // before the controller it is bound to
    session = std::make_unique<SeparationSession>(app.Separation_Context());
    dialog = std::make_unique<SeparationDialog>(session->Controller(), app.Outline_Context());
    dialog->show();
  }

  template <typename Widget>
  Widget* Find(const char* name) {
    auto* widget = dialog->findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  std::string Text_Of(const char* label) { return Find<QLabel>(label)->text().toStdString(); }
  void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
  int32_t Redraws(const char* request) { return app.Recorded_Windows().Count(request); }
  std::vector<std::string> Messages() { return platform.Messages().Texts(); }

  TestPlatform platform;
  RegionEditorApp app{platform.Get()};
  std::unique_ptr<SeparationSession> session;
  std::unique_ptr<SeparationDialog> dialog;
};

TEST_F(SeparationDialogGui, OpeningShowsTheKeptSettings) {
  SepsDialogSettings& last = app.Get_Settings().sepsDialogSettings;
  last.palettePrimaryIdx = 8;  // "Quad Orange"
  last.brushSize = 17;
  last.alwaysCalcPalette = 0;
  last.outlineDarkness = 150;
  last.outlineLiteness = 30;
  app.Get_Settings().watercolorParms.liteAmount = 30;
  const int16_t rows[] = {3, 11, 14, 0, 7};  // Orange, Purple, Rose, none, Pthalo Green
  for (int row = 0; row < 5; ++row)
    app.Get_Settings().lastSepRowsControlSettings[row].colorsStdIndex = rows[row];
  Open();

  EXPECT_TRUE(dialog->Initialised());
  EXPECT_EQ(dialog->windowTitle().toStdString(), "Color Separation Creation");
  const auto* sets = Find<QComboBox>("colorSets");
  EXPECT_EQ(Items(sets), (std::vector<std::string>{"Popular 15", "Pop 15 w/Browns", "Orange Alternates",
                                                   "Yellow Alternates", "Penta Cobalt Blue", "Penta Purple",
                                                   "Penta Cerulean", "Quad Vermillion", "Quad Orange"}));
  EXPECT_EQ(sets->currentIndex(), 8);
  const int selected[] = {1, 3, 4, 0, 2};
  for (int row = 0; row < 5; ++row) {
    const auto* combo = Find<QComboBox>(("row" + std::to_string(row)).c_str());
    EXPECT_EQ(Items(combo), kQuadOrange) << row;
    EXPECT_EQ(combo->currentIndex(), selected[row]) << row;
    EXPECT_TRUE(combo->itemIcon(0).isNull());
    EXPECT_FALSE(combo->itemIcon(1).isNull());
  }
  EXPECT_TRUE(Find<QRadioButton>("radio0")->isChecked());
  EXPECT_EQ(Find<QLineEdit>("brushSize")->text().toStdString(), "17");
  EXPECT_FALSE(Find<QCheckBox>("alwaysCalculatePalette")->isChecked());
  EXPECT_FALSE(Find<QCheckBox>("hideOutline")->isChecked());
  EXPECT_TRUE(Find<QCheckBox>("contrast")->isChecked());
  // Each slider stands at the value beside it (dark 20 is the value 22).
  const struct {
    const char* slider;
    const char* value;
    int shown;
  } sliders[] = {{"darkSlider", "darkValue", 22},
                 {"liteSlider", "liteValue", 30},
                 {"satSlider", "satValue", 65},
                 {"litenessSlider", "litenessValue", 30}};
  for (const auto& s : sliders) {
    EXPECT_EQ(Find<QSlider>(s.slider)->value(), s.shown) << s.slider;
    EXPECT_EQ(Text_Of(s.value), std::to_string(s.shown)) << s.slider;
  }
  EXPECT_EQ(Text_Of("status"), "");
  // The pre-processed image was made and shown.
  EXPECT_EQ(app.Get_RenderMan().Has_Filtered_Image(), 1);
  EXPECT_EQ(Redraws("redraw 8"), 1);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SeparationDialogGui, ADragRendersOnceAtTheLatestPositionAndKeysMoveTheThumbUp) {
  Open();
  auto* dark = Find<QSlider>("darkSlider");
  dark->setSliderDown(true);
  for (int value : {30, 40, 45, 50}) dark->setSliderPosition(value);
  EXPECT_EQ(Redraws("redraw 8"), 1);  // only the opening's, so far
  Process_Events();
  EXPECT_EQ(Redraws("redraw 8"), 2);
  EXPECT_EQ(dark->value(), 50);
  EXPECT_EQ(Text_Of("darkValue"), "50");
  EXPECT_EQ(app.Get_Settings().watercolorParms.darkExponent, 40);  // 50 x 0.7 + 5
  dark->setSliderDown(false);

  RenderMan reference(platform.Get());
  Load_Photo_At_Working_Size(reference, Sample_Path("coffee.png"));
  std::string err;
  ASSERT_TRUE(reference.WatercolorFilter_For_Separations(app.Get_Settings().watercolorParms, err)) << err;
  EXPECT_TRUE(Same_Pixels(*app.Get_RenderMan().Get_Filtered_Map(), *reference.Get_Filtered_Map()));

  // Up and Page Up raise the value, as the thumb rises.
  QTest::keyClick(dark, Qt::Key_Up);
  Process_Events();
  EXPECT_EQ(dark->value(), 51);
  EXPECT_EQ(Text_Of("darkValue"), "51");
  QTest::keyClick(Find<QSlider>("litenessSlider"), Qt::Key_PageUp);
  Process_Events();
  EXPECT_EQ(Text_Of("litenessValue"), "10");
  EXPECT_EQ(app.Get_RenderMan().Get_Outline_Liteness(), 10);
  EXPECT_EQ(Redraws("redraw 8"), 3);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SeparationDialogGui, PreviewAllSepsMakesWhatTheControllerMakesAlone) {
  Open();
  Click("previewAllSeps");

  TestPlatform referencePlatform;
  RegionEditorApp reference(referencePlatform.Get());
  Load_Coffee(reference);
  SeparationSession alone(reference.Separation_Context());
  ASSERT_TRUE(alone.Controller().OnInitDialog());
  ASSERT_TRUE(alone.Controller().On_Preview_All_Seps());

  ASSERT_TRUE(app.Has_Regions());
  EXPECT_EQ(app.Get_RegionList().Get_Region_Count(), reference.Get_RegionList().Get_Region_Count());
  EXPECT_TRUE(
      Same_Pixels(*app.Get_RenderMan().Get_Layered_Map(), *reference.Get_RenderMan().Get_Layered_Map()));
  // The rows show the palette that was calculated, the radio the last row made.
  const SeparationDialogControls& expected = alone.Controller().Controls();
  for (int row = 0; row < 5; ++row) {
    EXPECT_EQ(Find<QComboBox>(("row" + std::to_string(row)).c_str())->currentIndex(),
              expected.rows[row].selection);
    EXPECT_EQ(Find<QRadioButton>(("radio" + std::to_string(row)).c_str())->isChecked(),
              row == expected.checkedRadio);
  }
  EXPECT_EQ(Text_Of("status"), "");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SeparationDialogGui, EnterClosesOnlyWithABrushSizeFrom2To32AndEscapeStoresNothing) {
  Open();
  auto* brush = Find<QLineEdit>("brushSize");
  brush->selectAll();
  QTest::keyClicks(brush, "1");
  Click("close");
  EXPECT_EQ(Messages(), std::vector<std::string>{kBrushRange});
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(app.Get_Settings().sepsDialogSettings.brushSize, 6);

  brush->selectAll();
  QTest::keyClicks(brush, "32");
  QTest::keyClick(brush, Qt::Key_Return);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(app.Get_Settings().sepsDialogSettings.brushSize, 32);

  Open();
  brush = Find<QLineEdit>("brushSize");
  brush->selectAll();
  QTest::keyClicks(brush, "9");
  QTest::keyClick(brush, Qt::Key_Escape);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(app.Get_Settings().sepsDialogSettings.brushSize, 32);
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(SeparationDialogGui, ColourSetsAndRowColoursFollowTheController) {
  Open();
  auto* sets = Find<QComboBox>("colorSets");
  auto* always = Find<QCheckBox>("alwaysCalculatePalette");
  QTest::keyClick(sets, Qt::Key_End);  // "Quad Orange"
  EXPECT_EQ(app.Get_Settings().sepsDialogSettings.palettePrimaryIdx, 8);
  for (int row = 0; row < 5; ++row)
    EXPECT_EQ(Items(Find<QComboBox>(("row" + std::to_string(row)).c_str())), kQuadOrange);
  EXPECT_TRUE(always->isChecked());

  // A colour chosen by hand makes its row and ends the automatic palette.
  auto* last = Find<QComboBox>("row4");
  const int before = last->currentIndex();
  QTest::keyClick(last, before < 4 ? Qt::Key_Down : Qt::Key_Up);
  EXPECT_NE(last->currentIndex(), before);
  EXPECT_EQ(last->currentIndex(), session->Controller().Controls().rows[4].selection);
  EXPECT_FALSE(always->isChecked());
  EXPECT_TRUE(Messages().empty());

  // Refused without a pre-processed image, the list keeps the set in use.
  std::string err;
  ASSERT_TRUE(app.Get_RenderMan().Erase_Support_Bitmaps(err)) << err;
  QTest::keyClick(sets, Qt::Key_Home);
  EXPECT_EQ(Messages(), std::vector<std::string>{"DetectTotalSepsDialog::On_SelectChange_Palette_Choices_"
                                                 "ComboBox  FAILED,  Watercolor Source has NOT been made."});
  EXPECT_EQ(sets->currentIndex(), 8);
}

TEST_F(SeparationDialogGui, OutlineEditorRunsTheOutlineDialogAndIgnoresClicksMeanwhile) {
  std::string err;
  ASSERT_TRUE(app.Get_RenderMan().Load_Pencil_Brushes(err)) << err;
  Open();
  int opened = 0;
  dialog->m_openOutlineWindows = [&] {
    ++opened;
    // The dialog is busy with "Outline Editor": this click does nothing.
    Click("previewAllSeps");
    return true;
  };
  std::vector<bool> closed;
  dialog->m_outlineEditorClosed = [&](bool saved) { closed.push_back(saved); };
  std::string title;
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* outline = qobject_cast<OutlineDialog*>(modal)) {
      title = outline->windowTitle().toStdString();
      QTest::keyClick(outline, Qt::Key_Escape);
    } else if (modal != nullptr) {
      modal->close();
    }
  });
  Click("outlineEditor");

  EXPECT_EQ(opened, 1);
  EXPECT_EQ(title, "Outline Creation");
  EXPECT_EQ(closed, std::vector<bool>{false});
  EXPECT_FALSE(app.Has_Regions());
  // Cancelled: every window is asked to redraw.
  EXPECT_EQ(Redraws("redraw all"), 1);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SeparationDialogGui, AMissingSettingsRecordKeepsTheDialogFromOpening) {
  ColorSeparator separator(app.Get_RenderMan(), app.Get_WindowsUpdater(), &app.Get_Document().regionCounter);
  SettingsHelper helper(&separator, &app.Get_Settings().watercolorParms,
                        app.Get_Settings().lastSepRowsControlSettings.data(),
                        &app.Get_Settings().sepsDialogSettings.brushSize, platform.Get().Messages());
  SeparationDialogController controller(app.Separation_Context(), separator, helper, nullptr);
  SeparationDialog bare(controller, app.Outline_Context());
  EXPECT_FALSE(bare.Initialised());
  EXPECT_EQ(bare.exec(), QDialog::Rejected);
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"DetectTotalSepsDialog::OnInitDialog  FAILED,  lastSettings is NULL."});
}

}  // namespace
