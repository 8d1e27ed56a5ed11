#pragma once
// The desktop shell under test: the real main frame and map windows on the
// offscreen display, with headless platform services, so that every
// message box is recorded and every question answers from a script.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <functional>
#include <memory>

#include "gui/DesktopApp.h"
#include "gui/MainFrame.h"
#include "support/TestSupport.h"

// One QApplication for the test program, with settings of its own.
inline void Start_Shell_Test_Application() {
  if (QApplication::instance() == nullptr) {
    static int argc = 1;
    static char name[] = "test_gui";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
  }
  QCoreApplication::setOrganizationName("Quorlin Separator Tests");
  QCoreApplication::setApplicationName("test_gui");
  QSettings().clear();
}

class ShellTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Start_Shell_Test_Application(); }

  void SetUp() override {
    QSettings().clear();
    m_desktop = std::make_unique<DesktopApp>(m_platform.Get(), QUORLIN_TEXTURE_DIR);
    Frame().show();
  }
  void TearDown() override {
    // No question on the way out.
    m_desktop->App().Get_Document().hasChanges = false;
    m_desktop.reset();
  }

  MainFrame& Frame() { return m_desktop->Frame(); }
  RegionEditorApp& App() { return m_desktop->App(); }
  WindowRegistry& Registry() { return m_desktop->Registry(); }
  std::vector<std::string> Messages() { return m_platform.Messages().Texts(); }
  HeadlessMessages& Scripted_Messages() { return m_platform.Messages(); }

  // Runs a menu item as a click would.
  void Trigger(int menu, int id) {
    QAction* action = Frame().Action(menu, id);
    ASSERT_NE(action, nullptr) << menu << " " << id;
    action->trigger();
  }
  // Opens the bundled chelsea.png (451 x 300, worked at 400 x 266).
  void Open_Chelsea() { Frame().Open_File(QString::fromStdString(Sample_Path("chelsea.png"))); }
  // Makes the separations of the proposed palette, as the separation
  // dialog's "Preview All Seps" and "Close" do.
  bool Make_Separations();
  // Runs `work` on the modal dialog the next command opens.
  static void On_Next_Dialog(std::function<void(QWidget*)> work);
  std::vector<QString> Window_Titles();

  TestPlatform m_platform;
  std::unique_ptr<DesktopApp> m_desktop;
};
