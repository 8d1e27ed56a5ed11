#pragma once
// RegionEditorApp: the application object, the one owner of the open
// illustration.  It holds the render manager with every named map, the
// region list, the settings records, the document state (source photo,
// list file, changes flag, region counter), the drawn pixel chains and the
// composer of the layered image, and hands each controller the pieces it
// works on.
//
// This is the engine part of the application object: it has no Qt in it
// so that the command line and the tests can build it; the desktop shell
// keeps one beside its main window and gives it the window registry through
// AppWindows.  There is no global instance: each owner builds its own.
//
// Windows.  Redraws go through the AppWindows the application is given;
// until the shell gives it one, the application records its requests in its
// own RecordingAppWindows (Recorded_Windows), which is what the command line
// and the tests see.  The pieces handed out keep the application's windows,
// which pass every request on to the windows set last.

#include <cstdint>
#include <string>

#include "framework/AppWindows.h"
#include "framework/ListMemry.h"
#include "framework/WindowsUpdater.h"
#include "outline/OutlineDialogController.h"
#include "outline/PixelChain.h"
#include "persistence/ListFileContext.h"
#include "platform/Platform.h"
#include "regions/DocumentState.h"
#include "regions/EditFlows.h"
#include "regions/LayeredComposer.h"
#include "regions/ModifyColorsController.h"
#include "regions/RegionListSubject.h"
#include "render/RenderMan.h"
#include "separation/SeparationDialogController.h"
#include "separation/Settings.h"
#include "views/EditSteps.h"
#include "views/Editorj.h"

class RegionEditorApp {
 public:
  // The application's version; list files carry it less 8 (7, shown as "0.7").
  static constexpr int16_t kAppVersion = 15;
  static constexpr int16_t kListFileVersion = kAppVersion - 8;
  static_assert(kListFileVersion == kRegionListFileVersion);

  // `textureFolder` is handed to the render manager (Default_Texture_Folder()
  // finds the program's own).
  explicit RegionEditorApp(Platform& platform, const std::string& textureFolder = std::string());
  ~RegionEditorApp();
  RegionEditorApp(const RegionEditorApp&) = delete;
  RegionEditorApp& operator=(const RegionEditorApp&) = delete;

  Platform& Get_Platform() { return m_platform; }
  RenderMan& Get_RenderMan() { return m_renderMan; }
  RegionListSubject& Get_RegionList() { return m_regionList; }
  ListMemry<PixelChain>& Get_PixelChain_List() { return m_pixelChainList; }
  LayeredComposer& Get_Composer() { return m_composer; }
  // What the separation engine is given to ask for redraws.
  WindowsUpdater& Get_WindowsUpdater() { return m_composer.Get_WindowsUpdater(); }

  // The shell's windows (not owned; they must outlive their use here).
  void Set_Windows(AppWindows& windows) { m_windows.Set_Target(windows); }
  // The windows every request goes to: those set last.
  AppWindows& Get_Windows() { return m_windows; }
  // The requests made while no shell windows were set.
  RecordingAppWindows& Recorded_Windows() { return m_recordedWindows; }

  // The settings records and the document state.
  Settings& Get_Settings() { return m_settings; }
  const Settings& Get_Settings() const { return m_settings; }
  DocumentState& Get_Document() { return m_document; }
  const DocumentState& Get_Document() const { return m_document; }

  bool Has_Source_Photo() const { return m_document.Has_Source_Photo(); }
  bool Has_Regions() const { return m_regionList.Has_Regions(); }
  int32_t Count_Viewjs_of_Code(int16_t code) const { return m_windows.Count_Viewjs_of_Code(code); }

  // ---- the pieces each controller works on ------------------------------------
  SeparationContext Separation_Context();
  OutlineContext Outline_Context();
  ListFileContext List_File_Context();
  ModifyColorsContext Modify_Colors_Context();
  // The editing flows' pieces, recording into the application's own edit
  // history or into `history` (a desktop shell's undo stack).
  EditContext Edit_Context();
  EditContext Edit_Context(EditStepSink& history);

  // The editor of the region list (selection, copy board, tools, the last
  // reversible command) and the edit history.  The changes of the region
  // list made outside the edit flows (loading a list file, separations) ask
  // the windows to clear the selection first; that also drops the editor's
  // command and forgets the history's steps, and those of the shell's own
  // undo stack when it has given one (Set_Shell_History; null: none).
  Editorj& Get_Editor() { return m_editor; }
  EditHistory& Get_History() { return m_history; }
  void Set_Shell_History(EditStepSink* history) { m_windows.Set_Shell_History(history); }

 private:
  // Passes every request on to the windows set last.
  class Windows : public AppWindows {
   public:
    explicit Windows(AppWindows& target) : m_target(&target) {}
    void Redraw_Viewjs_of_Code(int16_t code) override { m_target->Redraw_Viewjs_of_Code(code); }
    void Redraw_All_Viewjs() override { m_target->Redraw_All_Viewjs(); }
    int32_t Count_Viewjs_of_Code(int16_t code) const override { return m_target->Count_Viewjs_of_Code(code); }
    bool ReCreate_Child_ComponentViews_AllViewjs(std::string& err) override {
      return m_target->ReCreate_Child_ComponentViews_AllViewjs(err);
    }
    bool ReSize_All_Viewjs(int32_t width, int32_t height, std::string& err) override {
      return m_target->ReSize_All_Viewjs(width, height, err);
    }
    bool ReSize_Viewjs_of_Code(int32_t width, int32_t height, int16_t code, std::string& err) override {
      return m_target->ReSize_Viewjs_of_Code(width, height, code, err);
    }
    // Asked for before every change of the region list made outside the
    // edit flows (loading a list file, separations): the editor's selection
    // and last command and the edit history no longer fit the list.
    void Clear_Selection() override {
      if (m_editor != nullptr) {
        m_editor->Get_SelectBoard().Deselect_All();
        m_editor->Delete_Command();
      }
      if (m_history != nullptr) m_history->Forget_Steps();
      if (m_shellHistory != nullptr) m_shellHistory->Forget_Steps();
      m_target->Clear_Selection();
    }
    void Set_Target(AppWindows& target) { m_target = &target; }
    void Set_Editing(Editorj& editor, EditHistory& history) {
      m_editor = &editor;
      m_history = &history;
    }
    void Set_Shell_History(EditStepSink* history) { m_shellHistory = history; }

   private:
    AppWindows* m_target;
    Editorj* m_editor = nullptr;
    EditHistory* m_history = nullptr;
    EditStepSink* m_shellHistory = nullptr;
  };

  Platform& m_platform;
  Settings m_settings;
  DocumentState m_document;
  RenderMan m_renderMan;
  RegionListSubject m_regionList;
  ListMemry<PixelChain> m_pixelChainList;  // owning
  RecordingAppWindows m_recordedWindows;
  Windows m_windows;
  LayeredComposer m_composer;
  Editorj m_editor;
  EditHistory m_history;
};
