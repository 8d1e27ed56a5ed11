#pragma once
// DesktopApp: the running desktop program, built and torn down in the order
// the program depends on.  Start-up makes the platform services, then the
// application object (with its region list and render manager), the window
// registry and the commands, and last the main frame, which shows no map
// window yet.  Shut-down runs the other way: the main frame (and with it
// every map window) goes first, the application object last.
//
// The program's main() and the GUI tests build one each.

#include <memory>

#include "app/RegionEditorApp.h"
#include "app/ShellCommands.h"
#include "app/WindowRegistry.h"
#include "gui/QtShellDialogs.h"
#include "platform/qt/QtPlatform.h"

class MainFrame;

class DesktopApp {
 public:
  // With the Qt platform services.  `textureFolder` empty: the texture
  // maps next to the program.
  explicit DesktopApp(const std::string& textureFolder = std::string());
  // With other platform services (the tests' headless ones, whose message
  // boxes are recorded and whose questions answer from a script).
  DesktopApp(Platform& services, const std::string& textureFolder);
  ~DesktopApp();
  DesktopApp(const DesktopApp&) = delete;
  DesktopApp& operator=(const DesktopApp&) = delete;

  Platform& Services() { return m_services; }
  RegionEditorApp& App() { return m_app; }
  WindowRegistry& Registry() { return m_registry; }
  ShellCommands& Commands() { return m_commands; }
  QtShellDialogs& Dialogs() { return m_dialogs; }
  MainFrame& Frame() { return *m_frame; }

 private:
  // Null: the program's own Qt services.
  DesktopApp(Platform* services, const std::string& textureFolder);

  QtPlatform m_qt;
  Platform& m_services;
  RegionEditorApp m_app;
  WindowRegistry m_registry;
  QtShellDialogs m_dialogs;
  ShellCommands m_commands;
  std::unique_ptr<MainFrame> m_frame;
};
