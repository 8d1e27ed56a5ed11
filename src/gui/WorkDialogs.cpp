#include "gui/WorkDialogs.h"

#include "gui/OutlineDialog.h"
#include "gui/SeparationDialog.h"

bool Run_Separation_Dialog(SeparationSession& session, const OutlineContext& outline,
                           const std::function<bool()>& openOutlineWindows, uint32_t outlineSeed,
                           const std::function<void(bool saved)>& outlineEditorClosed, QWidget* parent) {
  SeparationDialog dialog(session.Controller(), outline, parent);
  dialog.m_openOutlineWindows = openOutlineWindows;
  dialog.m_outlineEditorClosed = outlineEditorClosed;
  dialog.Set_Outline_Seed(outlineSeed);
  return dialog.exec() == QDialog::Accepted;
}

bool Run_Outline_Dialog(OutlineSession& session, QWidget* parent) {
  OutlineDialog dialog(session.Controller(), parent);
  return dialog.exec() == QDialog::Accepted;
}
