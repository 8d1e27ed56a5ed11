// The "Outline Creation" dialog driven through its widgets: the controls at
// opening, Detect with a line style and a nudge saved against the controller
// run alone, Cancel bringing the earlier outline back, and refusals that
// leave the controls as they were.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DialogTestSupport.h"
#include "app/RegionEditorApp.h"
#include "gui/OutlineDialog.h"
#include "raster/OffMap.h"
#include "support/TestSupport.h"

namespace {

class OutlineDialogGui : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Ensure_QApplication(); }

  void SetUp() override { Prepare(app); }

  // The sample photo at its working size, with the brushes loaded.
  static void Prepare(RegionEditorApp& target) {
    Load_Photo_At_Working_Size(target.Get_RenderMan(), Sample_Path("coffee.png"));
    target.Get_Document().sourcePhotoPath = Sample_Path("coffee.png");
    std::string err;
    ASSERT_TRUE(target.Get_RenderMan().Load_Pencil_Brushes(err)) << err;
  }

  void Open(uint32_t seed = 7) {
    dialog.reset();  // before the controller it is bound to
    session.emplace(app.Outline_Context(), seed);
    dialog = std::make_unique<OutlineDialog>(session->Controller());
    dialog->show();
  }

  template <typename Widget>
  Widget* Find(const char* name) {
    auto* widget = dialog->findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  std::string Text_Of(const char* label) { return Find<QLabel>(label)->text().toStdString(); }
  void Click(const char* button) { QTest::mouseClick(Find<QAbstractButton>(button), Qt::LeftButton); }
  std::vector<std::string> Messages() { return platform.Messages().Texts(); }
  std::unique_ptr<OffMap> Copy_Of(const OffMap& map) {
    auto copy = std::make_unique<OffMap>(1, 1, 8);
    copy->Assign_Copy(map);
    return copy;
  }

  TestPlatform platform;
  RegionEditorApp app{platform.Get()};
  RenderMan& rm = app.Get_RenderMan();
  std::optional<OutlineSession> session;
  std::unique_ptr<OutlineDialog> dialog;
};

TEST_F(OutlineDialogGui, OpeningShowsTheOutlineSettings) {
  Open();
  EXPECT_EQ(dialog->windowTitle().toStdString(), "Outline Creation");
  std::vector<std::string> groups, captions;
  for (const QGroupBox* group : dialog->findChildren<QGroupBox*>())
    groups.push_back(group->title().toStdString());
  for (const QLabel* label : dialog->findChildren<QLabel*>()) captions.push_back(label->text().toStdString());
  EXPECT_EQ(groups, (std::vector<std::string>{"Detect Lines", "Modify Lines"}));
  for (const char* caption : {"Detail", "Line Count", "Scale Bitmap:", "Line Styles", "   Line Lengths",
                              "Smooth   Lines", "Random   Nudge"})
    EXPECT_NE(std::find(captions.begin(), captions.end(), caption), captions.end()) << caption;

  EXPECT_TRUE(Find<QCheckBox>("connectShortLines")->isChecked());
  // The vertical sliders stand at the value beside them.
  const struct {
    const char* slider;
    const char* label;
    int value;
    const char* text;
  } sliders[] = {{"detailSlider", "detailLabel", 50, "50"},
                 {"lineCountSlider", "lineCountLabel", 41, "41"},
                 {"lineLengthsSlider", "lineLengthsLabel", 6, "6"},
                 {"smoothSlider", "smoothLabel", 0, "0"},
                 {"nudgeSlider", "nudgeLabel", 0, "0"}};
  for (const auto& s : sliders) {
    EXPECT_EQ(Find<QSlider>(s.slider)->value(), s.value) << s.slider;
    EXPECT_EQ(Text_Of(s.label), s.text) << s.slider;
  }
  EXPECT_EQ(Text_Of("scaleLabel"), " 100");
  const auto* styles = Find<QComboBox>("lineStyles");
  EXPECT_EQ(styles->count(), 8);
  EXPECT_EQ(styles->currentText().toStdString(), "Pencil Medium");
  EXPECT_EQ(styles->itemText(6).toStdString(), "Ink Fine");
  EXPECT_TRUE(Find<QPushButton>("save")->isDefault());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(OutlineDialogGui, DetectStyleNudgeAndSaveMakeWhatTheControllerMakesAlone) {
  Open(7);
  Click("detect");
  QTest::keyClicks(Find<QComboBox>("lineStyles"), "I");  // "Ink Fine"
  QTest::keyClick(Find<QSlider>("nudgeSlider"), Qt::Key_PageUp);
  EXPECT_EQ(Find<QComboBox>("lineStyles")->currentText().toStdString(), "Ink Fine");
  EXPECT_EQ(Find<QSlider>("nudgeSlider")->value(), 10);
  EXPECT_EQ(Text_Of("nudgeLabel"), "10");
  QTest::keyClick(dialog.get(), Qt::Key_Return);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_FALSE(dialog->isVisible());

  TestPlatform referencePlatform;
  RegionEditorApp reference(referencePlatform.Get());
  Prepare(reference);
  OutlineSession alone(reference.Outline_Context(), 7);
  OutlineDialogController& controller = alone.Controller();
  controller.OnInitDialog();
  ASSERT_TRUE(controller.On_Detect());
  ASSERT_TRUE(controller.On_Line_Style_Selected(6));
  ASSERT_TRUE(controller.On_Random_Nudge_Slider(90));
  ASSERT_TRUE(controller.On_Save());

  const RenderMan& expected = reference.Get_RenderMan();
  ASSERT_NE(rm.Get_Outline_Map(), nullptr);
  EXPECT_TRUE(Same_Pixels(*rm.Get_Outline_Map(), *expected.Get_Outline_Map()));
  EXPECT_TRUE(Same_Pixels(*rm.Get_Layered_Map(), *expected.Get_Layered_Map()));
  EXPECT_EQ(rm.Get_Outline_Style(), 2);
  EXPECT_EQ(app.Get_Settings().outlineDetectParms.lineStyle, 6);
  EXPECT_EQ(app.Get_Settings().outlineDetectParms.randomNudge, 5);
  EXPECT_EQ(app.Get_PixelChain_List().Get_Count(), reference.Get_PixelChain_List().Get_Count());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(OutlineDialogGui, EscapeBringsBackTheOutlineTheDialogFound) {
  const int32_t width = rm.Get_Source_Map()->Get_Width(), height = rm.Get_Source_Map()->Get_Height();
  rm.Set_Outline_Map(OffMap::Make(width, height, 8));
  rm.Get_Outline_Map()->Fill(255);
  for (int32_t x = 10; x < width - 10; ++x) rm.Get_Outline_Map()->Set_Pixel(x, height / 2, 0, 0, 0);
  rm.Set_Outline_Style(1);
  ASSERT_TRUE(app.Get_Composer().ReDraw_SummedFinalViews_OffMap());
  const auto outline = Copy_Of(*rm.Get_Outline_Map());
  const auto layered = Copy_Of(*rm.Get_Layered_Map());

  Open();
  Click("detect");
  EXPECT_FALSE(Same_Pixels(*rm.Get_Layered_Map(), *layered));
  QTest::keyClick(dialog.get(), Qt::Key_Escape);
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_TRUE(Same_Pixels(*rm.Get_Outline_Map(), *outline));
  EXPECT_TRUE(Same_Pixels(*rm.Get_Layered_Map(), *layered));
  EXPECT_EQ(rm.Get_Outline_Style(), 1);
  EXPECT_TRUE(Same_Pixels(*rm.Get_Displayed_Filtered_Map(), *rm.Get_Filtered_Map()));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(OutlineDialogGui, RefusalsLeaveTheControlsAsTheyWereAndTheScaleStaysIn10To200) {
  Open();
  auto* styles = Find<QComboBox>("lineStyles");
  auto* nudge = Find<QSlider>("nudgeSlider");
  QTest::keyClicks(styles, "I");
  QTest::keyClick(nudge, Qt::Key_PageUp);
  EXPECT_EQ(Messages(), std::vector<std::string>(2, "Detect some lines."));
  EXPECT_EQ(styles->currentText().toStdString(), "Pencil Medium");
  EXPECT_EQ(nudge->value(), 0);
  EXPECT_EQ(Text_Of("nudgeLabel"), "0");

  Click("scaleUp");
  Click("scaleUp");
  EXPECT_EQ(Text_Of("scaleLabel"), "120");
  EXPECT_DOUBLE_EQ(app.Get_Settings().outlineDetectParms.scale, 1.2);
  for (int i = 0; i < 25; ++i) Click("scaleDown");
  EXPECT_EQ(Text_Of("scaleLabel"), "10");
  EXPECT_DOUBLE_EQ(app.Get_Settings().outlineDetectParms.scale, 0.1);

  // "Detail" and "Line Count" only store their values.
  QTest::keyClick(Find<QSlider>("lineCountSlider"), Qt::Key_End);
  EXPECT_EQ(Text_Of("lineCountLabel"), "100");
  EXPECT_EQ(app.Get_Settings().outlineDetectParms.lineCount, 0);
  EXPECT_EQ(rm.Get_Outline_Map(), nullptr);
}

}  // namespace
