#pragma once
// RegionEditorApp: the application object, the one owner of the open
// illustration.  It holds the render manager with every named map, the
// region list, the settings records, the drawn pixel chains, the windows
// updater the separation engine redraws through, the source photo path and
// the counter that numbers new regions, and it composes the layered image.
//
// This is the engine part of the application object: it has no Qt in it
// and lives beside the region list so that the command line and the tests
// can build it; the desktop shell (src/app) keeps one beside its main
// window and gives it the window registry through AppWindows.  There is no
// global instance: each owner builds its own.
//
// Windows.  Redraws go through the AppWindows the application is given;
// until the shell gives it one, the application records its requests in its
// own RecordingAppWindows (Recorded_Windows), which is what the command line
// and the tests see.

#include <cstdint>
#include <string>

#include "app/AppWindows.h"
#include "filters/WatercolorParms.h"
#include "framework/ListMemry.h"
#include "framework/WindowsUpdater.h"
#include "outline/OutlineDetectParms.h"
#include "outline/PixelChain.h"
#include "platform/Platform.h"
#include "regions/RegionListSubject.h"
#include "render/RenderMan.h"
#include "separation/SeparationSettings.h"

class OffMap;

class RegionEditorApp {
 public:
  // The application's version; list files carry it less 8 (7, shown as "0.7").
  static constexpr int16_t kAppVersion = 15;
  static constexpr int16_t kListFileVersion = kAppVersion - 8;

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
  // What the separation engine is given to ask for redraws.
  WindowsUpdater& Get_WindowsUpdater() { return m_windowsUpdater; }

  // The shell's windows (not owned; they must outlive their use here).
  void Set_Windows(AppWindows& windows) { m_windows = &windows; }
  AppWindows& Get_Windows() { return *m_windows; }
  // The requests made while no shell windows were set.
  RecordingAppWindows& Recorded_Windows() { return m_recordedWindows; }

  // ---- settings records --------------------------------------------------------
  // The watercolour pre-processing settings of the separation dialog.
  WatercolorParms m_watercolorParms;
  // The separation dialog's rows and its other controls, kept between
  // openings of the dialog.
  SepRowsControlSettings m_lastSepRowsControlSettings = Default_SepRows_Control_Settings();
  SepsDialogSettings m_sepsDialogSettings;
  // The outline dialog's detection and line settings.
  OutlineDetectParms m_outlineDetectParms;

  // ---- document state ---------------------------------------------------------------
  // The source photo; a photo counts as loaded while this is not empty.
  std::string m_sourcePhotoPath;
  // Where the list file was last saved or loaded: its folder and full path.
  std::string m_listFolder;
  std::string m_listFilePath;
  // The illustration changed since it was last saved or loaded.
  bool m_hasChanges = false;
  // The separation id handed to the separation engine.
  int16_t m_currentSeparationID = -1;
  // New regions are numbered from here; loading a list sets it to the
  // highest number read.
  int16_t m_regionCounter = 0;

  bool Has_Source_Photo() const { return !m_sourcePhotoPath.empty(); }
  bool Has_Regions() const { return m_regionList.Has_Regions(); }
  // Empties the editor's selection.  There is no editor yet, so there is no
  // selection to empty: the list-file commands may call it all the same.
  void Clear_Selection() {}
  int32_t Count_Viewjs_of_Code(int16_t code) const { return m_windows->Count_Viewjs_of_Code(code); }

  // Prepares the separation dialog's settings for what was just loaded.
  // Mode 0, a new photo: the pre-processing settings, the brush size and
  // the rows go back to their defaults (the colour set and the check boxes
  // stay as the user left them).  Mode 1, a region list: each row takes the
  // colour of the regions that row made ("-NONE-" for a row without
  // regions; the adjustments stay); when the colours make no palette the
  // rows are left alone.  Any other mode fails.
  bool Adjust_Detection_Settings_for_Upcoming_DetectionDialog(int16_t filesLoadMode, std::string& err);

  // ---- the layered image ------------------------------------------------------------
  // Recomposes `dest`: white, then every region of `list` painted over it
  // in list order at `percent` of its size, with the outline merged over
  // everything (or, when animating with a delay or when there are no
  // regions, under everything).  With a delay the windows of `windowCode`
  // are redrawn after each region and the composition waits `delayMs`
  // milliseconds.  A region that cannot be painted is left out.
  bool ReDraw_FinalImage_Incrementally(int16_t windowCode, int32_t delayMs, RegionListSubject& list,
                                       OffMap& dest, int16_t percent, std::string& err);
  // Recompose the layered map at full size and redraw the "Layered"
  // windows; a failure is shown in a message box.  The two differ only in
  // the texts they show.
  bool Redraw_Summed_Final_Window();
  bool ReDraw_SummedFinalViews_OffMap();
  // A map white and its windows redrawn.
  bool Erase_Summed_Final_Window();
  bool Erase_Filtered_Window();
  // After separation creation added regions: fresh region views in every
  // window, then the layered image recomposed.
  bool Refresh_Views_After_Separations(std::string& err);
  // A new layered map in the size of the region list's canvas.
  bool Maybe_Alloc_Layers_Bitmap_for_RegionList(std::string& err);
  // Asks for an outline picture and makes it the outline.
  bool Load_Outline_Bitmap(std::string& err);

 private:
  // The application's side of WindowsUpdater.
  class Updater : public WindowsUpdater {
   public:
    explicit Updater(RegionEditorApp& app) : m_app(app) {}
    void Redraw_Summed_Final_Window() override { m_app.Redraw_Summed_Final_Window(); }
    void Redraw_Subtracted_Window() override { m_app.m_windows->Redraw_Viewjs_of_Code(kWindowSubtracted); }

   private:
    RegionEditorApp& m_app;
  };

  // The layered map recomposed at full size; `nullText` when there is none.
  bool Recompose_Layered(const char* nullText);
  // The outline merged into `dest` over the rectangle of `percent`.
  bool Merge_Outline(OffMap& dest, int16_t percent, std::string& err);

  Platform& m_platform;
  RenderMan m_renderMan;
  RegionListSubject m_regionList;
  ListMemry<PixelChain> m_pixelChainList;  // owning
  Updater m_windowsUpdater;
  RecordingAppWindows m_recordedWindows;
  AppWindows* m_windows;
};
