#include "gui/DesktopApp.h"

#include <algorithm>
#include <thread>

#include "gui/MainFrame.h"

DesktopApp::DesktopApp(const std::string& textureFolder) : DesktopApp(nullptr, textureFolder) {}

DesktopApp::DesktopApp(Platform& services, const std::string& textureFolder)
    : DesktopApp(&services, textureFolder) {}

DesktopApp::DesktopApp(Platform* services, const std::string& textureFolder)
    : m_services(services != nullptr ? *services : m_qt.Get()),
      m_app(m_services, textureFolder),
      m_registry(m_app.Get_RenderMan(), m_app.Get_RegionList(), m_services.Messages()),
      m_dialogs(m_app),
      m_commands(m_app, m_registry, m_dialogs) {
  m_app.Set_Windows(m_registry);
  // The filters of the pre-processing and the separations spread their
  // rows over the cores; their results do not depend on it.
  m_app.Get_RenderMan().Set_Work_Threads(
      static_cast<int32_t>(std::max(1u, std::thread::hardware_concurrency())));
  m_dialogs.m_openWorkWindows = [this] { return m_commands.Open_Missing_Work_Windows(); };
  m_frame = std::make_unique<MainFrame>(m_app, m_registry, m_commands);
  m_registry.Set_Factory(m_frame.get());
  m_qt.Set_Main_Window(m_frame.get());
  m_dialogs.Set_Parent(m_frame.get());
}

DesktopApp::~DesktopApp() {
  m_registry.Set_Factory(nullptr);
  m_frame.reset();
  // Nothing is left to redraw; what the application still asks for is
  // only recorded.
  m_app.Set_Windows(m_app.Recorded_Windows());
}
