#pragma once
// OutlineDialog: the modal "Outline Creation" dialog, where the outline of
// the photo is detected and drawn.  Its logic is an OutlineDialogController;
// this class only binds widgets to it: every user action calls the
// controller's handler, then every widget is set again from the
// controller's control state.
//
// How to run it (the "Create Outline" command, after its own checks and
// after opening the missing "PreProcessing" and "Layered" windows; the
// brushes must be loaded, as every map window does when it is made):
//
//   bool saved = OutlineDialog::Run(app.Outline_Context(), seed, mainWindow);
//   if (!saved) app.Get_Windows().Redraw_All_Viewjs();
//
// Run builds the OutlineSession (detector and controller; `seed` starts the
// random line shifts of "Random Nudge"), runs the dialog modally and is true
// when it ended with "Save".  The same in steps:
//
//   OutlineSession session(app.Outline_Context(), seed);
//   OutlineDialog dialog(session.Controller(), mainWindow);
//   bool saved = dialog.exec() == QDialog::Accepted;
//
// The constructor opens the controller (OnInitDialog: the outline is backed
// up and the controls are set from the outline settings).
//
// Keys: Enter is "Save" (dialog ends Accepted); Escape and the window's
// close button are "Cancel" (the outline the dialog found comes back, dialog
// ends Rejected).  When the controller refuses to close (after its message)
// the dialog stays open.  While a handler works, further clicks are
// ignored.
//
// The "Modify Lines" sliders act when the thumb is released (or at once for
// a key); "Detail" and "Line Count" only store their value and follow the
// thumb.
//
// Widgets carry object names for tests: connectShortLines; detailSlider,
// detailLabel, lineCountSlider, lineCountLabel; scaleLabel, scaleUp,
// scaleDown; preview, detect; lineStyles; lineLengthsSlider,
// lineLengthsLabel, smoothSlider, smoothLabel, nudgeSlider, nudgeLabel;
// save, cancel.

#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>

#include "outline/OutlineDialogController.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSlider;

class OutlineDialog : public QDialog {
  Q_OBJECT

 public:
  explicit OutlineDialog(OutlineDialogController& controller, QWidget* parent = nullptr);

  // Builds the session and runs the dialog; true when it ended with "Save".
  static bool Run(const OutlineContext& context, uint32_t seed, QWidget* parent = nullptr);

  void accept() override;
  void reject() override;

 private:
  enum Slider { kDetail, kLineCount, kLineLengths, kSmooth, kNudge, kSliderCount };

  void Build();
  void Refresh();
  void Act(const std::function<void()>& action);
  void Slider_Changed(Slider slider, int position);

  OutlineDialogController& m_controller;
  bool m_busy = false;

  std::array<QSlider*, kSliderCount> m_sliders{};
  std::array<QLabel*, kSliderCount> m_sliderLabels{};
  QCheckBox* m_connectShortLines = nullptr;
  QLabel* m_scale = nullptr;
  QComboBox* m_lineStyles = nullptr;
};
