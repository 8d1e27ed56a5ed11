#pragma once
// The modal dialogs of the menu commands on Qt: Image Size, Modify Colors
// and the texture choice here, the separation and outline dialogs through
// gui/WorkDialogs.h.  Each dialog is a child of the main window.

#include <QPointer>
#include <QWidget>
#include <functional>

#include "app/ShellCommands.h"

class RegionEditorApp;

class QtShellDialogs : public ShellDialogs {
 public:
  explicit QtShellDialogs(RegionEditorApp& app) : m_app(app) {}

  // The window the dialogs are centred on (the main window).
  void Set_Parent(QWidget* parent) { m_parent = parent; }
  // What opens the windows the outline dialog needs when the separation
  // dialog's "Outline Editor" runs it.
  std::function<bool()> m_openWorkWindows;
  // The seed of the outline's random line shifts; the time when unset.
  std::function<uint32_t()> m_seed;

  bool Run_Separation_Dialog(SeparationSession& session) override;
  bool Run_Outline_Dialog(OutlineSession& session) override;
  bool Run_Image_Size_Dialog(ImageSizeController& controller) override;
  bool Run_Export_Dialog(ExportController& controller) override;
  bool Run_Modify_Colors_Dialog(ModifyColorsController& controller) override;
  bool Ask_Texture_Choice(int16_t& textureType, int16_t& style) override;

 private:
  RegionEditorApp& m_app;
  QPointer<QWidget> m_parent;
};
