#pragma once
// SeparationDialog: the modal "Color Separation Creation" dialog, where the
// photo is pre-processed and cut into colour separations.  Its logic is a
// SeparationDialogController; this class only binds widgets to it: every
// user action calls the controller's handler, then every widget is set
// again from the controller's control state.
//
// How to run it (the "Create Separations" command, after its own checks and
// after opening the missing "PreProcessing" and "Layered" windows), with a
// session the command keeps for the dialog's lifetime:
//
//   SeparationSession session(app.Separation_Context());
//   SeparationDialog dialog(session.Controller(), app.Outline_Context(), mainWindow);
//   dialog.m_openOutlineWindows = [&] { return ...open the missing windows...; };
//   dialog.Set_Outline_Seed(seed);                          // optional
//   dialog.m_outlineEditorClosed = [&](bool saved) { ... };  // optional
//   bool ok = dialog.exec() == QDialog::Accepted;
//   if (!ok) app.Get_Windows().Redraw_All_Viewjs();
//
// or in one call, which builds the session itself (the next region number
// goes back to the document when it ends):
//
//   bool ok = SeparationDialog::Run(app.Separation_Context(), app.Outline_Context(),
//                                   openOutlineWindows, mainWindow);
//
// exec() is Accepted when the dialog ended with "Close" (its OK), Rejected
// otherwise.
// "Outline Editor" (once the controller's checks pass) calls
// m_openOutlineWindows first: it opens the missing "PreProcessing" and
// "Layered" windows and is false (after its own message) when that fails;
// it may be empty.  Then it runs the outline dialog (OutlineDialog::Run over
// the outline context, with the outline seed, the time of day unless set),
// tells m_outlineEditorClosed whether the outline was saved, and, when it
// was not, the controller asks every window to redraw.
//
// The constructor opens the controller (OnInitDialog: settings into the
// controls, the pre-processed image rendered when there is none).  When a
// settings record is missing the controller has shown why, Initialised() is
// false and exec() returns Rejected at once without showing the dialog.
//
// Keys: Enter is "Close" (settings stored, dialog ends Accepted); Escape and
// the window's close button end it Rejected without storing.  While a
// handler works (message boxes and the progress box keep events flowing)
// further clicks are ignored.
//
// The Dark, Lite, Sat and Liteness sliders act while they are dragged: moves
// are coalesced, so each render takes the latest position and a slow render
// never leaves a backlog of older ones.  The "1" to "5" radio buttons only
// show the row being worked on.
//
// Widgets carry object names for tests: darkSlider, liteSlider, satSlider,
// litenessSlider and darkValue, liteValue, satValue, litenessValue;
// colorSets; row0 .. row4 (colour combos) and radio0 .. radio4; brushSize;
// alwaysCalculatePalette, hideOutline, contrast; status; previewAllSeps,
// startSequence, nextSeparation, outlineEditor, close.

#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>

#include "outline/OutlineDialogController.h"
#include "separation/SeparationDialogController.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimer;

class SeparationDialog : public QDialog {
  Q_OBJECT

 public:
  SeparationDialog(SeparationDialogController& controller, const OutlineContext& outline,
                   QWidget* parent = nullptr);
  ~SeparationDialog() override;

  // Builds the session and runs the dialog; true when it ended with "Close".
  static bool Run(const SeparationContext& separation, const OutlineContext& outline,
                  std::function<bool()> openOutlineWindows, QWidget* parent = nullptr);

  bool Initialised() const { return m_initialised; }
  int exec() override;
  void accept() override;
  void reject() override;

  // Called by "Outline Editor" before the outline dialog opens; false stops it.
  std::function<bool()> m_openOutlineWindows;
  // Told, after the outline dialog of "Outline Editor", whether it saved.
  std::function<void(bool saved)> m_outlineEditorClosed;
  // The seed of the outline dialog's random line shifts; the time of day
  // unless set.
  void Set_Outline_Seed(uint32_t seed) { m_outlineSeed = seed; }

 private:
  enum Slider { kDark, kLite, kSat, kLiteness, kSliderCount };

  void Build();
  // Every widget from the controller's control state.
  void Refresh();
  // Runs one user action unless another is still running, then refreshes.
  void Act(const std::function<void()>& action);
  void Slider_Moved(Slider slider);
  void Apply_Pending_Sliders();
  bool Run_Outline_Editor();
  void Status_Changed();

  SeparationDialogController& m_controller;
  OutlineContext m_outline;
  bool m_initialised = false;
  bool m_busy = false;
  uint32_t m_outlineSeed;

  std::array<QSlider*, kSliderCount> m_sliders{};
  std::array<QLabel*, kSliderCount> m_sliderValues{};
  std::array<bool, kSliderCount> m_sliderPending{};
  QTimer* m_sliderTimer = nullptr;
  QComboBox* m_colorSets = nullptr;
  std::array<QComboBox*, SeparationDialogController::kRowCount> m_rows{};
  std::array<QRadioButton*, SeparationDialogController::kRowCount> m_radios{};
  QLineEdit* m_brushSize = nullptr;
  QCheckBox* m_alwaysCalculate = nullptr;
  QCheckBox* m_hideOutline = nullptr;
  QCheckBox* m_contrast = nullptr;
  QLabel* m_status = nullptr;
  QPushButton* m_close = nullptr;
};
