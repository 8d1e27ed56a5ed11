#include "gui/ScreenshotTour.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTextStream>
#include <QTimer>

#include "app/RegionEditorApp.h"
#include "gui/DesktopApp.h"
#include "gui/MainFrame.h"
#include "regions/ModifyColorsController.h"
#include "separation/SeparationDialogController.h"

ScreenshotTour::ScreenshotTour(DesktopApp& desktop, const QString& photo, const QString& folder)
    : m_desktop(desktop), m_photo(photo), m_folder(folder) {}

void ScreenshotTour::Start() {
  QTimer::singleShot(0, this, &ScreenshotTour::Run);
}

void ScreenshotTour::Settle(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::sendPostedEvents();
  }
}

bool ScreenshotTour::Snap(const QString& name) {
  MainFrame& frame = m_desktop.Frame();
  Settle(600);
  QPixmap picture;
  // On a real display the screen's own pixels, with the window manager's
  // frame where there is one; elsewhere the window draws itself.
  if (QGuiApplication::platformName() == "xcb" && frame.screen() != nullptr) {
    const QRect outer = frame.frameGeometry();
    picture = frame.screen()->grabWindow(0, outer.x(), outer.y(), outer.width(), outer.height());
  }
  if (picture.isNull()) picture = frame.grab();
  const QString path = QDir(m_folder).filePath(name);
  const bool ok = picture.save(path, "PNG");
  QTextStream(stdout) << (ok ? "wrote " : "could not write ") << path << Qt::endl;
  return ok;
}

void ScreenshotTour::Run() {
  QDir().mkpath(m_folder);
  bool ok = Snap("1-empty.png");

  m_desktop.Frame().Open_File(m_photo);
  ok = Snap("2-photo.png") && ok;

  RegionEditorApp& app = m_desktop.App();
  {
    SeparationSession session(app.Separation_Context());
    SeparationDialogController& dialog = session.Controller();
    ok = dialog.OnInitDialog() && dialog.On_Preview_All_Seps() && dialog.On_Close() && ok;
  }
  app.m_document.hasChanges = true;
  ok = Snap("3-separated.png") && ok;

  {
    ModifyColorsController colors(app.Modify_Colors_Context(), 7);
    ok = colors.Open() && colors.On_Scramble_Colors() && ok;
    colors.On_Save();
  }
  ok = Snap("4-colors.png") && ok;

  // The tour's work is not the user's: no question on the way out.
  app.m_document.hasChanges = false;
  m_desktop.Frame().close();
  QCoreApplication::exit(ok ? 0 : 1);
}
