#pragma once
// ScreenshotTour: the program shows itself.  Given a photo and a folder, it
// opens the photo as "Load Source Photo" does, runs "Create Separations"
// and presses the dialog's "Preview All Seps" and "Close", scrambles the
// colours once as "Modify Colors" does, and after each step writes a
// picture of the main window into the folder:
//   1-empty.png      the frame as it starts
//   2-photo.png      the Photo, Layered and PreProcessing windows of the photo
//   3-preview.png    the separation dialog after "Preview All Seps"
//   4-separated.png  the layered picture made of the separations, with the
//                    SUBTRACTED Result and Region OBJECTS windows (the
//                    largest region selected)
//   5-colors.png     the same with its colours scrambled
// then quits.  scripts/screenshots.sh runs it on a real X server.

#include <QObject>
#include <QString>

class DesktopApp;

class ScreenshotTour : public QObject {
  Q_OBJECT

 public:
  ScreenshotTour(DesktopApp& desktop, const QString& photo, const QString& folder);

  // Runs the tour once the event loop runs; the program quits with 0 when
  // every picture was written, 1 otherwise.
  void Start();

 private:
  void Run();
  // Lets the windows paint for `ms` milliseconds.
  void Settle(int ms);
  bool Snap(const QString& name);
  void Select_Largest_Region();

  DesktopApp& m_desktop;
  QString m_photo;
  QString m_folder;
};
