#pragma once
// The "Modify Colors" dialog over a ModifyColorsController: a Range edit
// (1 to 178, 80 at the start), "Scramble Colors", which turns each
// separation's colour by a random shift within the range and may be pressed
// again and again, "Save", which keeps what is shown, and "Cancel" (also
// Escape and the close button), which brings back the colours the regions
// had when the dialog opened.
//
// Widgets carry object names for tests: range, scramble, save, cancel.

#include <QDialog>
#include <functional>

class ModifyColorsController;
class QLineEdit;
class QPushButton;

class ModifyColorsDialog : public QDialog {
  Q_OBJECT

 public:
  // The controller must have been opened (ModifyColorsController::Open).
  explicit ModifyColorsDialog(ModifyColorsController& controller, QWidget* parent = nullptr);

  QLineEdit* Range_Edit() const { return m_range; }
  // Told after every scramble, so that windows showing the regions' own
  // colours (the "Region OBJECTS" windows) follow; the controller redraws
  // the layered picture itself.
  std::function<void()> m_afterScramble;

 public slots:
  void accept() override;
  void reject() override;

 private:
  // The range typed into the controller; false after its message.
  bool Read_Range();
  void Scramble();

  ModifyColorsController& m_controller;
  QLineEdit* m_range;
};
