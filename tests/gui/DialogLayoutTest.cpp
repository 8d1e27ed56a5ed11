// Both dialogs as a person sees them: every caption, value and button fits
// in the room the layout gives it, inside the dialog, and no two controls
// overlap.  With QUORLIN_DIALOG_SHOTS set to a folder, each dialog is also
// saved there as a picture (separation.png, outline.png) to be looked at.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QSlider>
#include <QTest>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DialogTestSupport.h"
#include "app/RegionEditorApp.h"
#include "export/ExportController.h"
#include "gui/ExportDialog.h"
#include "gui/OutlineDialog.h"
#include "gui/SeparationDialog.h"
#include "support/TestSupport.h"

namespace {

// The leaf controls of a dialog that show text or take input.
std::vector<QWidget*> Controls_Of(const QWidget& dialog) {
  std::vector<QWidget*> controls;
  for (QWidget* widget : dialog.findChildren<QWidget*>()) {
    if (!widget->isVisible()) continue;
    if (qobject_cast<QLabel*>(widget) || qobject_cast<QAbstractButton*>(widget) ||
        qobject_cast<QComboBox*>(widget) || qobject_cast<QLineEdit*>(widget) ||
        qobject_cast<QSlider*>(widget))
      controls.push_back(widget);
  }
  return controls;
}

// What a person would notice: a text cut short, a control outside the
// dialog or on top of another.  One line per fault, naming the controls.
std::vector<std::string> Layout_Faults(QWidget& dialog) {
  std::vector<std::string> faults;
  const auto name = [](const QWidget* widget) {
    QString text;
    if (auto* label = qobject_cast<const QLabel*>(widget)) text = label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) text = button->text();
    return (widget->objectName() + QStringLiteral(" \"") + text + QStringLiteral("\"")).toStdString();
  };
  const std::vector<QWidget*> controls = Controls_Of(dialog);
  for (const QWidget* widget : controls) {
    const auto* label = qobject_cast<const QLabel*>(widget);
    // A wrapped label may trade width for height; its hint is one line.
    const bool wraps = label != nullptr && label->wordWrap();
    const QSize need = wraps ? QSize(label->minimumSizeHint().width(), label->heightForWidth(widget->width()))
                             : widget->minimumSizeHint();
    if (widget->width() < need.width() || widget->height() < need.height())
      faults.push_back(name(widget) + " is cut short");
    const QRect inDialog(widget->mapTo(&dialog, QPoint(0, 0)), widget->size());
    if (!dialog.rect().contains(inDialog)) faults.push_back(name(widget) + " reaches outside the dialog");
  }
  for (size_t i = 0; i < controls.size(); ++i) {
    for (size_t j = i + 1; j < controls.size(); ++j) {
      if (controls[i]->isAncestorOf(controls[j]) || controls[j]->isAncestorOf(controls[i])) continue;
      const QRect a(controls[i]->mapTo(&dialog, QPoint(0, 0)), controls[i]->size());
      const QRect b(controls[j]->mapTo(&dialog, QPoint(0, 0)), controls[j]->size());
      if (a.intersects(b)) faults.push_back(name(controls[i]) + " overlaps " + name(controls[j]));
    }
  }
  return faults;
}

void Save_Shot(QWidget& dialog, const char* file) {
  const QByteArray folder = qgetenv("QUORLIN_DIALOG_SHOTS");
  if (folder.isEmpty()) return;
  const QString path = QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromLatin1(file));
  EXPECT_TRUE(dialog.grab().save(path)) << path.toStdString();
}

class DialogLayout : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Ensure_QApplication(); }

  void SetUp() override {
    Load_Photo_At_Working_Size(app.Get_RenderMan(), Sample_Path("coffee.png"));
    app.Get_Document().sourcePhotoPath = Sample_Path("coffee.png");
    std::string err;
    ASSERT_TRUE(app.Get_RenderMan().Load_Pencil_Brushes(err)) << err;
  }

  TestPlatform platform;
  RegionEditorApp app{platform.Get()};
};

TEST_F(DialogLayout, ACaptionSqueezedOrOnTopOfAnotherIsFound) {
  QWidget window;
  window.resize(200, 60);
  auto* squeezed = new QLabel(QStringLiteral("Always Calculate New Palette"), &window);
  squeezed->setObjectName(QStringLiteral("squeezed"));
  squeezed->setGeometry(0, 0, 40, 30);
  auto* beside = new QLabel(QStringLiteral("Dark"), &window);
  beside->setObjectName(QStringLiteral("beside"));
  beside->setGeometry(20, 0, beside->minimumSizeHint().width(), 30);
  auto* outside = new QLabel(QStringLiteral("Sat"), &window);
  outside->setObjectName(QStringLiteral("outside"));
  outside->setGeometry(180, 40, outside->minimumSizeHint().width(), 30);
  window.show();
  Process_Events();
  EXPECT_EQ(Layout_Faults(window), (std::vector<std::string>{
                                       "squeezed \"Always Calculate New Palette\" is cut short",
                                       "outside \"Sat\" reaches outside the dialog",
                                       "squeezed \"Always Calculate New Palette\" overlaps beside \"Dark\"",
                                   }));
}

TEST_F(DialogLayout, TheSeparationDialogShowsEveryControlWhole) {
  SeparationSession session(app.Separation_Context());
  SeparationDialog dialog(session.Controller(), app.Outline_Context());
  dialog.show();
  // The set with the longest colour names.
  auto* sets = dialog.findChild<QComboBox*>(QStringLiteral("colorSets"));
  ASSERT_NE(sets, nullptr);
  emit sets->activated(1);  // "Pop 15 w/Browns"
  Process_Events();
  ASSERT_EQ(sets->currentText().toStdString(), "Pop 15 w/Browns");
  EXPECT_EQ(Layout_Faults(dialog), std::vector<std::string>{});
  const auto* rows = dialog.findChild<QComboBox*>(QStringLiteral("row0"));
  ASSERT_NE(rows, nullptr);
  for (int i = 0; i < rows->count(); ++i) {
    EXPECT_GE(rows->width(),
              rows->fontMetrics().horizontalAdvance(rows->itemText(i)) + rows->iconSize().width())
        << rows->itemText(i).toStdString();
  }
  Save_Shot(dialog, "separation.png");
  EXPECT_TRUE(platform.Messages().Texts().empty());
}

TEST_F(DialogLayout, TheOutlineDialogShowsEveryControlWhole) {
  OutlineSession session(app.Outline_Context(), 7);
  OutlineDialog dialog(session.Controller());
  dialog.show();
  Process_Events();
  EXPECT_EQ(Layout_Faults(dialog), std::vector<std::string>{});
  Save_Shot(dialog, "outline.png");
  EXPECT_TRUE(platform.Messages().Texts().empty());
}

TEST_F(DialogLayout, TheExportDialogShowsEveryControlWholeAndKeepsTheAspect) {
  const ExportSource source{app.Get_RegionList(), app.Get_RenderMan(), nullptr, Sample_Path("coffee.png"),
                            platform.Get()};
  ExportController controller(source);
  ExportDialog dialog(controller);
  dialog.show();
  Process_Events();
  EXPECT_EQ(Layout_Faults(dialog), std::vector<std::string>{});
  Save_Shot(dialog, "export.png");
  // The size edits follow the print choice, and a typed width sets the height.
  auto* width = dialog.findChild<QLineEdit*>("width");
  auto* height = dialog.findChild<QLineEdit*>("height");
  ASSERT_TRUE(width != nullptr && height != nullptr);
  EXPECT_FALSE(width->isEnabled());
  dialog.findChild<QAbstractButton*>("print")->click();
  EXPECT_TRUE(width->isEnabled());
  width->selectAll();
  QTest::keyClicks(width, "600");
  EXPECT_EQ(height->text(), "399");
  dialog.findChild<QAbstractButton*>("fullSize")->click();
  EXPECT_EQ(width->text().toStdString() + "x" + height->text().toStdString(), "600x399");
}

}  // namespace
