// quorlin-separator: the desktop program.
//   quorlin-separator [FILE]           FILE, a photo or a region list (.rgl), is opened at start
//   quorlin-separator --write-icons DIR
//   quorlin-separator --screenshots DIR PHOTO

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>
#include <QTimer>

#include "gui/AppIcon.h"
#include "gui/DesktopApp.h"
#include "gui/MainFrame.h"
#include "gui/ScreenshotTour.h"

namespace {

// Quits the program once `window` has painted for the first time.
class FirstPaintWatch : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !m_seen) {
      m_seen = true;
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool m_seen = false;
};

void Quit_After_First_Paint(QWidget& window) {
  window.installEventFilter(new FirstPaintWatch(&window));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // The settings live under the program's settings key.
  QCoreApplication::setOrganizationName("Local AppWizard-Generated Applications");
  QCoreApplication::setApplicationName("Quorlin Separator");
  QCoreApplication::setApplicationVersion("1.0");
  QGuiApplication::setDesktopFileName("quorlin-separator");

  QCommandLineParser parser;
  parser.setApplicationDescription("Turns a photo into a layered, painted colour illustration.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument("file", "A photo (BMP, TIFF, PNG, JPEG, GIF) or a region list (.rgl) to open.",
                               "[file]");
  const QCommandLineOption icons("write-icons", "Write the program's icons as PNG files into <dir> and quit.",
                                 "dir");
  const QCommandLineOption screenshots(
      "screenshots",
      "Open <file>, make its separations and write pictures of the window into <dir>; then quit.", "dir");
  const QCommandLineOption textures("textures", "The folder of the texture maps (Color and Monocrome).",
                                    "dir");
  // For timing the start: the program quits once its window has painted.
  QCommandLineOption quitWhenShown("quit-when-shown", "Quit as soon as the main window has been painted.");
  quitWhenShown.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOptions({icons, screenshots, textures, quitWhenShown});
  parser.process(application);
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    QTextStream(stderr) << "usage: quorlin-separator [file]" << Qt::endl;
    return 2;
  }

  if (parser.isSet(icons)) {
    QString failed;
    if (Write_App_Icons(parser.value(icons), failed)) return 0;
    QTextStream(stderr) << "could not write " << failed << Qt::endl;
    return 1;
  }

  DesktopApp desktop(parser.value(textures).toStdString());
  if (parser.isSet(quitWhenShown)) Quit_After_First_Paint(desktop.Frame());
  desktop.Frame().show();

  if (parser.isSet(screenshots)) {
    if (files.isEmpty()) {
      QTextStream(stderr) << "usage: quorlin-separator --screenshots DIR PHOTO" << Qt::endl;
      return 2;
    }
    ScreenshotTour tour(desktop, files.front(), parser.value(screenshots));
    tour.Start();
    return application.exec();
  }
  if (!files.isEmpty()) {
    // Opened once the window is up, so that its messages have a parent.
    const QString path = files.front();
    QTimer::singleShot(0, &desktop.Frame(), [&desktop, path] { desktop.Frame().Open_File(path); });
  }
  return application.exec();
}
