#include "gui/ShellTestSupport.h"

#include <QTimer>

#include "gui/GrafixWindowQvSep.h"
#include "separation/SeparationDialogController.h"

bool ShellTest::Make_Separations() {
  SeparationSession session(App().Separation_Context());
  SeparationDialogController& dialog = session.Controller();
  return dialog.OnInitDialog() && dialog.On_Preview_All_Seps() && dialog.On_Close();
}

void ShellTest::On_Next_Dialog(std::function<void(QWidget*)> work) {
  // The dialog is shown by exec() after this returns; look for it then.
  // Only the timers hold the attempt, so it goes once the work has run.
  auto attempt = std::make_shared<std::function<void()>>();
  std::weak_ptr<std::function<void()>> self = attempt;
  *attempt = [work, self] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
      if (auto again = self.lock()) QTimer::singleShot(10, [again] { (*again)(); });
      return;
    }
    work(modal);
  };
  QTimer::singleShot(0, [attempt] { (*attempt)(); });
}

std::vector<QString> ShellTest::Window_Titles() {
  std::vector<QString> titles;
  for (GrafixWindowQvSep* window : Frame().Map_Windows()) titles.push_back(window->windowTitle());
  return titles;
}
