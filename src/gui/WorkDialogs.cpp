#include "gui/WorkDialogs.h"

#include <QMessageBox>

// The separation and outline dialogs are built on a branch of their own;
// until they join the program these two tell the user so and change
// nothing.  Replace each body with the dialog's construction and exec().

namespace {

bool Not_Yet_Built(const char* title, QWidget* parent) {
  QMessageBox::information(
      parent, title, QString("The \"%1\" dialog is not part of this build of Quorlin Separator.").arg(title));
  return false;
}

}  // namespace

bool Run_Separation_Dialog(SeparationSession& /*session*/, const OutlineContext& /*outline*/,
                           const std::function<bool()>& /*openOutlineWindows*/, uint32_t /*outlineSeed*/,
                           QWidget* parent) {
  return Not_Yet_Built("Color Separation Creation", parent);
}

bool Run_Outline_Dialog(OutlineSession& /*session*/, QWidget* parent) {
  return Not_Yet_Built("Outline Creation", parent);
}
