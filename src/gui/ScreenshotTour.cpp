#include "gui/ScreenshotTour.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTextStream>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/RegionEditorApp.h"
#include "app/ShellCommands.h"
#include "app/WindowRegistry.h"
#include "framework/WindowCodes.h"
#include "gui/DesktopApp.h"
#include "gui/MainFrame.h"
#include "regions/ModifyColorsController.h"
#include "views/ListComponentView.h"

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

void ScreenshotTour::Select_Largest_Region() {
  WindowRegistry& registry = m_desktop.Registry();
  for (ListLink<Viewj>* link = registry.Get_Viewjs().Get_Head_Link(); link != nullptr;
       link = link->Get_Next()) {
    Viewj* record = link->Get_Object();
    Pane* pane = record->Get_First_Pane();
    ListComponentView* list = pane != nullptr ? pane->Get_ListComponentView() : nullptr;
    if (list == nullptr) continue;
    ComponentView* largest = nullptr;
    int64_t largestArea = -1;
    for (ListLink<ComponentView>* child = list->Get_Child_ComponentViews_List()->Get_Head_Link();
         child != nullptr; child = child->Get_Next()) {
      const Graphic& g = child->Get_Object()->Get_Graphic();
      const int64_t area = static_cast<int64_t>(g.Get_Width()) * g.Get_Height();
      if (area > largestArea) {
        largestArea = area;
        largest = child->Get_Object();
      }
    }
    if (largest == nullptr) continue;
    // Selected by the editor, as a click on it with the select tool does:
    // its handles show and the Edit menu works on it.
    Eventj event;
    event.view = record;
    std::unique_ptr<Manipulatorj> manipulator;
    std::string err;
    if (!m_desktop.App().Get_Editor().Select_ComponentView(largest, event, manipulator, list, err))
      QTextStream(stderr) << "could not select: " << QString::fromStdString(err) << Qt::endl;
    record->Redraw();
  }
}

void ScreenshotTour::Run() {
  QDir().mkpath(m_folder);
  bool ok = Snap("1-empty.png");

  m_desktop.Frame().Open_File(m_photo);
  ok = Snap("2-photo.png") && ok;

  RegionEditorApp& app = m_desktop.App();
  // "Create Separations": the dialog's "Preview All Seps", a picture with
  // the dialog open, then "Close".
  bool previewed = false;
  // Only the timers hold the answer, so it goes once it has run.
  auto answer = std::make_shared<std::function<void()>>();
  std::weak_ptr<std::function<void()>> self = answer;
  *answer = [this, self, &previewed, &ok] {
    QWidget* dialog = QApplication::activeModalWidget();
    auto* preview = dialog != nullptr ? dialog->findChild<QAbstractButton*>("previewAllSeps") : nullptr;
    auto* close = dialog != nullptr ? dialog->findChild<QAbstractButton*>("close") : nullptr;
    if (preview == nullptr || close == nullptr) {
      if (auto again = self.lock()) QTimer::singleShot(50, [again] { (*again)(); });
      return;
    }
    preview->click();
    previewed = true;
    ok = Snap("3-preview.png") && ok;
    close->click();
  };
  QTimer::singleShot(0, [answer] { (*answer)(); });
  m_desktop.Commands().Create_Separations();
  m_desktop.Frame().Place_New_Windows();
  ok = previewed && app.Has_Regions() && ok;
  // What the separations left, and the regions one by one with the largest
  // selected, as the View menu and a click show them.
  m_desktop.Commands().Open_Window_Forced(kWindowSubtracted);
  m_desktop.Commands().Open_Window_Forced(kWindowRegionObjects);
  m_desktop.Frame().Place_New_Windows();
  Select_Largest_Region();
  ok = Snap("4-separated.png") && ok;

  {
    ModifyColorsController colors(app.Modify_Colors_Context(), 7);
    ok = colors.Open() && colors.On_Scramble_Colors() && ok;
    colors.On_Save();
    m_desktop.Registry().Redraw_Viewjs_of_Code(kWindowRegionObjects);
  }
  ok = Snap("5-colors.png") && ok;

  // The tour's work is not the user's: no question on the way out.
  app.Get_Document().hasChanges = false;
  m_desktop.Frame().close();
  QCoreApplication::exit(ok ? 0 : 1);
}
