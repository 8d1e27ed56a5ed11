#pragma once
// The "Export" dialog: what to write (a picture, a layered PSD, a vector SVG
// or the separations as transparent PNGs) and at which size, over an
// ExportController.  The print size's width and height keep the canvas's
// aspect while the user types; "Photo Size" fills in the largest size.  OK
// checks the size with the controller and stays open when it is refused.
//
// Widgets carry object names for tests: kind, working, print, width, height,
// fullSize, limit, svgTextures, ok, cancel.

#include <QDialog>

class ExportController;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class ExportDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ExportDialog(ExportController& controller, QWidget* parent = nullptr);

 public slots:
  void accept() override;

 private:
  void Show_State();

  ExportController& m_controller;
  QComboBox* m_kind;
  QRadioButton* m_working;
  QRadioButton* m_print;
  QLineEdit* m_width;
  QLineEdit* m_height;
  QPushButton* m_fullSize;
  QLabel* m_limit;
  QCheckBox* m_svgTextures;
};
