#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QTimer>
#include <functional>

#include "platform/qt/QtPlatform.h"
#include "render/ImageFiles.h"
#include "support/TestSupport.h"

namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "test_qtplatform";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// Hands the next visible window of type T to `act` from inside the event
// loop that shows it (a modal box blocks the test until `act` closes it).
template <typename T>
void When_Shown(std::function<void(T*)> act) {
  auto* timer = new QTimer(&App());
  QObject::connect(timer, &QTimer::timeout, [timer, act, tries = 0]() mutable {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (auto* shown = qobject_cast<T*>(window); shown && shown->isVisible()) {
        timer->deleteLater();
        timer->stop();
        act(shown);
        return;
      }
    }
    if (++tries == 500) timer->deleteLater();
  });
  timer->start(10);
}

// The shape of Qt's override cursor, or -1 when there is none.
int Override_Shape() {
  const QCursor* cursor = QApplication::overrideCursor();
  return cursor ? cursor->shape() : -1;
}

}  // namespace

TEST(QtNameFilters, EveryFilterOfTheProgram) {
  EXPECT_EQ(Qt_Name_Filters(kPhotoOpenFilter),
            "All Formats (*.bmp *.tif *.png *.jpg *.gif);;BMP (*.bmp);;TIFF (*.tif);;PNG (*.png);;"
            "JPEG (*.jpg);;GIF (*.gif)");
  EXPECT_EQ(Qt_Name_Filters(kPictureSaveFilter),
            "BMP (*.bmp);;TIFF (*.tif);;PNG (*.png);;JPEG (*.jpg);;GIF (*.gif);;"
            "All Formats (*.bmp *.tif *.png *.jpg *.gif)");
  EXPECT_EQ(Qt_Name_Filters(kBitmapFilter), "Bitmap Files (*.bmp)");
  EXPECT_EQ(Qt_Name_Filters("Bitmap Files (*.*)|*.*||"), "Bitmap Files (*)");
  EXPECT_EQ(Qt_Name_Filters("Region List Files (*.rgl)|*.rgl||"), "Region List Files (*.rgl)");
  EXPECT_EQ(Qt_Name_Filters("Region Files (*.rgl)|*.rgl||"), "Region Files (*.rgl)");
  EXPECT_EQ(Qt_Name_Filters("Files:  (*.peg)|*.peg||"), "Files:  (*.peg)");
}

TEST(QtNameFilters, OddForms) {
  EXPECT_EQ(Qt_Name_Filters("PNG (*.png)|*.png"), "PNG (*.png)");  // no "||" at the end
  EXPECT_EQ(Qt_Name_Filters("Pictures|*.png; *.bmp||"), "Pictures (*.png *.bmp)");
  EXPECT_EQ(Qt_Name_Filters("(*.bmp)|*.bmp||Hidden|*.x"), "(*.bmp)");  // nothing after the end
  EXPECT_EQ(Qt_Name_Filters("None| ; |PNG (*.png)|*.png|Last"), "PNG (*.png)");
}

TEST(QtDefaultExtension, AddedOnlyToANameWithoutOne) {
  EXPECT_EQ(Apply_Default_Extension("/tmp/out", "bmp"), "/tmp/out.bmp");
  EXPECT_EQ(Apply_Default_Extension("/tmp/dir.v2/out", ".rgl"), "/tmp/dir.v2/out.rgl");
  EXPECT_EQ(Apply_Default_Extension("/tmp/out.png", "bmp"), "/tmp/out.png");
  EXPECT_EQ(Apply_Default_Extension("/tmp/out", "*"), "/tmp/out");
  EXPECT_EQ(Apply_Default_Extension("/tmp/out", ""), "/tmp/out");
  EXPECT_EQ(Apply_Default_Extension("/tmp/", "bmp"), "/tmp/");
  EXPECT_EQ(Qt_Default_Suffix("*") + Qt_Default_Suffix(".bmp"), "bmp");
}

TEST(QtFileDialogs, AsksAsToldAndRemembersTheFolder) {
  App();
  TempDir dir;
  Write_File_Bytes(dir.File("list.rgl"), "x");
  QtFileDialogs dialogs;

  const FileDialogSpec save{.filter = kPictureSaveFilter,
                            .defaultExt = "bmp",
                            .initialPath = dir.Path(),
                            .title = "Save Layered Bitmap",
                            .overwritePrompt = true};
  When_Shown<QFileDialog>([&](QFileDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Save Layered Bitmap");
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->nameFilters().join("|"),
              "BMP (*.bmp)|TIFF (*.tif)|PNG (*.png)|JPEG (*.jpg)|GIF (*.gif)|"
              "All Formats (*.bmp *.tif *.png *.jpg *.gif)");
    EXPECT_EQ(dialog->defaultSuffix(), "bmp");
    EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialog->directory().absolutePath().toStdString(), dir.Path());
    dialog->selectFile("picture");
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog's own, which checks the name
  });
  std::string path;
  ASSERT_TRUE(dialogs.Save_File_Dialog(save, path));
  EXPECT_EQ(path, dir.File("picture.bmp"));
  EXPECT_EQ(dialogs.Last_Folder().toStdString(), dir.Path());

  // Given a file name only, the dialog starts in the last folder with it.
  const FileDialogSpec open{.filter = "Region List Files (*.rgl)|*.rgl||",
                            .defaultExt = "*",
                            .initialPath = "list.rgl",
                            .title = ""};
  When_Shown<QFileDialog>([&](QFileDialog* dialog) {
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialog->defaultSuffix(), "");
    // Accepting a name that is not there would stop the test on Qt's own warning box.
    const bool inLastFolder = dialog->directory().absolutePath().toStdString() == dir.Path();
    EXPECT_TRUE(inLastFolder);
    inLastFolder ? static_cast<QDialog*>(dialog)->accept() : dialog->reject();
  });
  ASSERT_TRUE(dialogs.Open_File_Dialog(open, path));
  EXPECT_EQ(path, dir.File("list.rgl"));
}

TEST(QtMessages, ShowsTheButtonsAskedAndReturnsTheOneClicked) {
  App();
  QtMessages messages;
  const std::string text = "Line one\n  two  blanks <b>not bold</b>";
  struct Case {
    MessageButtons buttons;
    QMessageBox::StandardButtons shown;
    QMessageBox::StandardButton click;
    MessageAnswer answer;
  };
  const QMessageBox::StandardButtons yesNo = QMessageBox::Yes | QMessageBox::No;
  const Case cases[] = {
      {MessageButtons::Ok, QMessageBox::Ok, QMessageBox::Ok, MessageAnswer::Ok},
      {MessageButtons::OkCancel, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel,
       MessageAnswer::Cancel},
      {MessageButtons::YesNo, yesNo, QMessageBox::No, MessageAnswer::No},
      {MessageButtons::YesNoCancel, yesNo | QMessageBox::Cancel, QMessageBox::Yes, MessageAnswer::Yes},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.click));
    When_Shown<QMessageBox>([&](QMessageBox* box) {
      EXPECT_EQ(box->windowTitle(), "Quorlin Separator");
      EXPECT_EQ(box->text().toStdString(), text);
      EXPECT_EQ(box->textFormat(), Qt::PlainText);
      EXPECT_EQ(box->standardButtons(), c.shown);
      if (QAbstractButton* button = box->button(c.click))
        button->click();
      else
        box->done(-1);
    });
    EXPECT_EQ(messages.Message_Box(text, c.buttons), c.answer);
  }
}

TEST(QtProgressBox, ShowsWhatProgressTellsIt) {
  App();
  QWidget main;
  QtProgressBox box;
  box.Set_Parent(&main);
  Progress progress(box);
  progress.Open_Progress("Old box");
  progress.Open_Progress("Separating colors");
  const QList<QDialog*> shown = main.findChildren<QDialog*>();
  ASSERT_EQ(shown.size(), 1);
  QDialog* dialog = shown.front();
  EXPECT_EQ(dialog->windowTitle(), "Progress...");
  EXPECT_TRUE(dialog->isVisible() && !dialog->isModal());
  QLabel* line = dialog->findChild<QLabel*>();
  QProgressBar* bar = dialog->findChild<QProgressBar*>();
  ASSERT_TRUE(line && bar);
  EXPECT_EQ(line->text(), "Separating colors");
  EXPECT_EQ(QList<int>({bar->minimum(), bar->maximum(), bar->value()}), QList<int>({0, 100, 0}));

  progress.Set_Progress_Position(0);
  EXPECT_EQ(bar->value(), 1);
  progress.Set_Progress_Position(250);
  EXPECT_EQ(bar->value(), 100);
  // Pending events run even when the bar does not move.
  bool dispatched = false;
  QMetaObject::invokeMethod(
      &main, [&] { dispatched = true; }, Qt::QueuedConnection);
  progress.Set_Progress_Position(100);
  EXPECT_TRUE(dispatched);

  const std::string hundred = std::string(90, '-') + "0123456789";
  progress.Set_Progress_Text(hundred + "cut");
  EXPECT_EQ(line->text().toStdString(), hundred);
  std::string faces;
  for (int i = 0; i < 101; ++i) faces += "\xF0\x9F\x99\x82";  // a character of two UTF-16 units
  progress.Set_Progress_Text(faces);
  EXPECT_EQ(line->text().toStdString(), faces.substr(0, 400));

  progress.Close_Progress();
  EXPECT_TRUE(main.findChildren<QDialog*>().isEmpty());
}

TEST(QtCursor, WaitsNest) {
  App();
  {
    QtCursor cursor;
    WaitCursor outer(cursor);
    EXPECT_EQ(Override_Shape(), Qt::WaitCursor);
    {
      WaitCursor inner(cursor);
      cursor.Begin_Wait_Cursor();  // left open: ends with the cursor service
    }
    EXPECT_EQ(Override_Shape(), Qt::WaitCursor);
  }
  EXPECT_EQ(Override_Shape(), -1);
  // An end without a begin leaves someone else's cursor alone.
  QtCursor cursor;
  QApplication::setOverrideCursor(Qt::CrossCursor);
  cursor.End_Wait_Cursor();
  EXPECT_EQ(Override_Shape(), Qt::CrossCursor);
  QApplication::restoreOverrideCursor();
}

TEST(QtPlatform, ServicesShowOnTheMainWindow) {
  App();
  QWidget main;
  QtPlatform qt;
  qt.Set_Main_Window(&main);
  Platform& platform = qt.Get();
  When_Shown<QMessageBox>([&](QMessageBox* box) {
    EXPECT_EQ(box->parentWidget(), &main);
    box->button(QMessageBox::Ok)->click();
  });
  platform.Message("Done.");
  When_Shown<QFileDialog>([&](QFileDialog* dialog) {
    EXPECT_EQ(dialog->parentWidget(), &main);
    dialog->reject();
  });
  std::string path = "kept";
  EXPECT_FALSE(platform.Dialogs().Open_File_Dialog(FileDialogSpec(), path));  // cancelled
  EXPECT_EQ(path, "kept");
  platform.Progress_Box().Open_Progress("Working");
  EXPECT_EQ(main.findChildren<QDialog*>().size(), 1);
  platform.Progress_Box().Close_Progress();
}
