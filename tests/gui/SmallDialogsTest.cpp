// The Image Size and Modify Colors dialogs, run from their menu items as a
// user runs them.

#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>

#include "app/ShellCommands.h"
#include "gui/GrafixWindowQvSep.h"
#include "gui/ImageSizeDialog.h"
#include "gui/ModifyColorsDialog.h"
#include "gui/ShellTestSupport.h"
#include "regions/RegionSubject.h"

namespace {

void Type(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

std::vector<int16_t> Hue_Offsets(RegionListSubject& list) {
  std::vector<int16_t> offsets;
  for (ListLink<ComponentSubject>* link = list.Get_Children_List().Get_Head_Link(); link != nullptr;
       link = link->Get_Next())
    offsets.push_back(static_cast<RegionSubject*>(link->Get_Object())->Get_Auto_Descriptor().hueOffset);
  return offsets;
}

// Counts the paint events of a widget.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

TEST_F(ShellTest, ImageSizeKeepsTheAspectRefusesOutOfRangeAndResizesTheWindows) {
  Open_Chelsea();
  Scripted_Messages().Clear();
  std::vector<QString> seen;
  bool keptOpen = false;
  On_Next_Dialog([&](QWidget* modal) {
    auto* dialog = qobject_cast<ImageSizeDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Image Size");
    seen.push_back(dialog->Width_Edit()->text() + "x" + dialog->Height_Edit()->text());
    // 400 x 266: typing a width sets the height, typing a height the width.
    Type(dialog->Width_Edit(), "200");
    seen.push_back(dialog->Height_Edit()->text());
    Type(dialog->Height_Edit(), "133");
    seen.push_back(dialog->Width_Edit()->text());
    Type(dialog->Width_Edit(), "90");
    QTest::mouseClick(dialog->findChild<QPushButton*>("ok"), Qt::LeftButton);
    keptOpen = dialog->isVisible();
    Type(dialog->Width_Edit(), "300");
    seen.push_back(dialog->Height_Edit()->text());
    QTest::mouseClick(dialog->findChild<QPushButton*>("ok"), Qt::LeftButton);
  });
  Trigger(313, kCmdImageSize);
  EXPECT_EQ(seen, (std::vector<QString>{"400x266", "133", "200", "199"}));
  EXPECT_TRUE(keptOpen);
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"Only enter DIMENSIONS that are between 100 and 500 pixels."});
  int32_t width = 0, height = 0;
  App().Get_RenderMan().Get_Source_Size(width, height);
  EXPECT_EQ(width, 300);
  EXPECT_EQ(height, 199);
  for (GrafixWindowQvSep* window : Frame().Map_Windows()) {
    window->Get_Client_Size(width, height);
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 219);
  }
}

TEST_F(ShellTest, ModifyColorsScramblesAndCancelBringsTheColoursBack) {
  Open_Chelsea();
  ASSERT_TRUE(Make_Separations());
  const std::vector<int16_t> before = Hue_Offsets(App().Get_RegionList());
  ASSERT_FALSE(before.empty());
  Scripted_Messages().Clear();
  QString range;
  std::vector<int16_t> scrambled;
  On_Next_Dialog([&](QWidget* modal) {
    auto* dialog = qobject_cast<ModifyColorsDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Modify Colors");
    range = dialog->Range_Edit()->text();
    Type(dialog->Range_Edit(), "179");
    QTest::mouseClick(dialog->findChild<QPushButton*>("scramble"), Qt::LeftButton);
    Type(dialog->Range_Edit(), "30");
    QTest::mouseClick(dialog->findChild<QPushButton*>("scramble"), Qt::LeftButton);
    QTest::mouseClick(dialog->findChild<QPushButton*>("scramble"), Qt::LeftButton);
    scrambled = Hue_Offsets(App().Get_RegionList());
    QTest::mouseClick(dialog->findChild<QPushButton*>("cancel"), Qt::LeftButton);
  });
  Trigger(313, kCmdModifyColors);
  EXPECT_EQ(range, "80");
  EXPECT_EQ(Messages(), std::vector<std::string>{"Enter a RANGE between 1 and 178."});
  EXPECT_NE(scrambled, before);
  // Within 30 degrees either way round the hue circle.
  for (const int16_t offset : scrambled) {
    const int turn = (offset + 360) % 360;
    EXPECT_TRUE(turn <= 30 || turn >= 330) << offset;
  }
  EXPECT_EQ(Hue_Offsets(App().Get_RegionList()), before);
  EXPECT_FALSE(App().Get_Document().hasChanges);
}

TEST_F(ShellTest, ModifyColorsSaveKeepsTheColoursAndMarksTheWorkChanged) {
  Open_Chelsea();
  ASSERT_TRUE(Make_Separations());
  const std::vector<int16_t> before = Hue_Offsets(App().Get_RegionList());
  std::vector<int16_t> scrambled;
  Trigger(313, kCmdOpenRegionObjectsWindow);
  GrafixWindowQvSep* objects = nullptr;
  for (GrafixWindowQvSep* window : Frame().Map_Windows())
    if (window->Get_Configuration_Code() == 4) objects = window;
  ASSERT_NE(objects, nullptr);
  // In sight on the small offscreen screen, so that it paints.
  objects->move(0, 0);
  objects->raise();
  QCoreApplication::processEvents();
  PaintCounter paints(objects->Canvas());
  On_Next_Dialog([&](QWidget* modal) {
    QTest::mouseClick(modal->findChild<QPushButton*>("scramble"), Qt::LeftButton);
    scrambled = Hue_Offsets(App().Get_RegionList());
    // The Region OBJECTS window repaints with the new colours while the
    // dialog is up.
    QCoreApplication::processEvents();
    EXPECT_GE(paints.count, 1);
    QTest::mouseClick(modal->findChild<QPushButton*>("save"), Qt::LeftButton);
  });
  Trigger(313, kCmdModifyColors);
  EXPECT_NE(scrambled, before);
  EXPECT_EQ(Hue_Offsets(App().Get_RegionList()), scrambled);
  EXPECT_TRUE(App().Get_Document().hasChanges);
  EXPECT_TRUE(Frame().isWindowModified());
}

TEST_F(ShellTest, CreateSeparationsRunsTheSeparationDialogAndMarksTheWorkChanged) {
  Open_Chelsea();
  Frame().Mdi_Area()->closeAllSubWindows();
  Frame().Open_File(QString::fromStdString(Sample_Path("chelsea.png")));
  // Without a PreProcessing window the command opens one first.
  for (GrafixWindowQvSep* window : Frame().Map_Windows())
    if (window->Get_Configuration_Code() == 8) window->close();
  ASSERT_EQ(Registry().Count_Viewjs_of_Code(8), 0);
  Scripted_Messages().Clear();
  QString title;
  On_Next_Dialog([&](QWidget* modal) {
    title = modal->windowTitle();
    QTest::mouseClick(modal->findChild<QPushButton*>("previewAllSeps"), Qt::LeftButton);
    QTest::mouseClick(modal->findChild<QPushButton*>("close"), Qt::LeftButton);
  });
  Trigger(313, kCmdCreateSeparations);
  EXPECT_EQ(title, "Color Separation Creation");
  EXPECT_EQ(Registry().Count_Viewjs_of_Code(8), 1);
  EXPECT_TRUE(App().Has_Regions());
  EXPECT_TRUE(App().Get_Document().hasChanges);
  EXPECT_TRUE(Frame().isWindowModified());
  EXPECT_TRUE(Frame().Commands().Open_Dialog().empty());
}

TEST_F(ShellTest, CreateOutlineCancelledChangesNothing) {
  Open_Chelsea();
  QString title;
  On_Next_Dialog([&](QWidget* modal) {
    title = modal->windowTitle();
    QTest::mouseClick(modal->findChild<QPushButton*>("cancel"), Qt::LeftButton);
  });
  Trigger(313, kCmdCreateOutline);
  EXPECT_EQ(title, "Outline Creation");
  EXPECT_FALSE(App().Get_Document().hasChanges);
}
