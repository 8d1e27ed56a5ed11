#pragma once
// ShellCommands: every command of the main window and the map windows'
// menus, without a widget.  Each command checks its preconditions (showing
// the program's message when one fails), opens the windows it needs through
// the window registry, runs its dialog through ShellDialogs and redraws.
// The desktop shell binds its menu items to these operations; the tests
// drive them with headless platforms.
//
// Besides the commands of the description the shell offers what a desktop
// program is expected to: a photo or list named on the command line or
// dropped on the window, saving the region list, painting the regions with
// texture maps, and the question before unsaved work is lost.
//
// Unsaved work.  The document state's changes flag is set by every command
// that changes the regions or the outline (separations, outline, colours,
// textures) and cleared when the list is saved or another one is loaded.
// Before a new photo replaces the work, and before the program ends, the
// user is asked whether to save it; list loads ask through the list-file
// commands.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class ExportController;
class ImageSizeController;
class ModifyColorsController;
class OutlineSession;
class RegionEditorApp;
class SeparationSession;
class Viewj;
class WindowRegistry;

// The modal dialogs the commands open.  Each runs its dialog over the
// controller it is handed and tells whether the dialog ended with OK.
class ShellDialogs {
 public:
  virtual ~ShellDialogs() = default;
  virtual bool Run_Separation_Dialog(SeparationSession& session) = 0;
  virtual bool Run_Outline_Dialog(OutlineSession& session) = 0;
  virtual bool Run_Image_Size_Dialog(ImageSizeController& controller) = 0;
  virtual bool Run_Modify_Colors_Dialog(ModifyColorsController& controller) = 0;
  // The texture kind (0 monochrome, 1 colour) and style (0 the smallest
  // texture that covers a region, 1 the largest, sampled coarser); false
  // when the user cancels.
  virtual bool Ask_Texture_Choice(int16_t& textureType, int16_t& style) = 0;
  // What to export and at which size.
  virtual bool Run_Export_Dialog(ExportController& controller) = 0;
};

class ShellCommands {
 public:
  // The refusals every command shares.
  static const char* const kLoadPhotoFirst;       // "Load a SOURCE PHOTO from the File Menu."
  static const char* const kCreateSeparations;    // "Create some color SEPARATIONS from the Layers Menu."
  static const char* const kLoadRegionListFirst;  // "Load a REGIONLIST from the File Menu."
  // The question before unsaved regions are lost.
  static const char* const kUnsavedQuestion;

  ShellCommands(RegionEditorApp& app, WindowRegistry& windows, ShellDialogs& dialogs);
  ShellCommands(const ShellCommands&) = delete;
  ShellCommands& operator=(const ShellCommands&) = delete;

  // Told the text of every status-bar message (a photo's sizes, a list
  // saved); unset, the texts are dropped.
  std::function<void(const std::string&)> m_status;
  // Told every photo or list file that was opened or saved, for the list of
  // recent files.
  std::function<void(const std::string&)> m_fileUsed;
  // The seed of the random numbers of Modify Colors, the outline's nudges
  // and the textures; the desktop program takes the time.
  std::function<uint32_t()> m_seed;

  // ---- File -------------------------------------------------------------------------------
  // The open dialog, then Load_Source_Photo_From.
  void Load_Source_Photo();
  // Loads `path` as the source photo, after the unsaved-work question.  A
  // photo starts a new illustration: its regions, outline and list file are
  // those of no list.  Opens a "Photo", a "Layered" and a "PreProcessing"
  // window at the photo's working size.
  void Load_Source_Photo_From(const std::string& path);
  // "Load RegionList" through the open dialog, or of `path` when given.
  void Load_RegionList(const std::string& path = std::string());
  // A photo, or a list for a name ending in ".rgl" (case ignored).
  void Open_File(const std::string& path);
  // "Save Layered Bitmap" from the window of `record`.
  void Save_Layered_Bitmap(const Viewj* record);
  // Saves the list to its file, or asks for one (Save_RegionList_As) when it
  // has none yet.
  void Save_RegionList();
  void Save_RegionList_As();
  // Unsaved regions: asks whether to save them first.  True when the work
  // may go (saved, or the user chose not to save); false when the user
  // cancelled or the save failed.
  bool Maybe_Save_Changes();

  // ---- View ---------------------------------------------------------------------------------
  // The main frame's "Open Photo Window" and "Open Layers Window", with
  // their checks.
  void Open_Photo_Window();
  void Open_Layers_Window();
  // The map windows' variants: a new window of `code`, without checks.
  void Open_Window_Forced(int16_t code);
  void Fit_Window_to_Image();

  // ---- Image and Layers ----------------------------------------------------------------------
  void Image_Size();
  void Create_Outline();
  void Create_Separations();
  void Modify_Colors();
  void Paint_with_Textures();
  // File > Export: the export dialog, then the save dialog (for the
  // separation PNGs, the name of their folder), then the files written at
  // the size chosen.  The status bar tells what was written.
  void Export();
  // Opens the "PreProcessing" and "Layered" windows that are missing, at
  // the canvas size; false after a failure was shown.  The separation
  // dialog's "Outline Editor" does this too.
  bool Open_Missing_Work_Windows();

  // ---- mouse -------------------------------------------------------------------------------------
  // After a left-button release in a map window: when the window is a
  // "Region OBJECTS" window whose tool holds a selection and the button
  // went up elsewhere than it went down, the layered image is recomposed
  // and the "Layered" windows redrawn.  True when that happened.
  bool After_Mouse_Release(const Viewj& record, bool toolHasSelection, int16_t pressX, int16_t pressY,
                           int16_t releaseX, int16_t releaseY);

  // The modal dialog running now ("" when none): "Color Separation
  // Creation", "Outline Creation", "Image Size" or "Modify Colors".
  const std::string& Open_Dialog() const { return m_openDialog; }
  // The canvas the windows are sized to: the region list's.
  void Canvas_Size(int32_t& width, int32_t& height) const;

 private:
  // Shows a message box with an OK button.
  void Message(const std::string& text);
  void Status(const std::string& text);
  uint32_t Seed();
  // A new photo's illustration: no regions, no chains, no list file.
  void Start_New_Illustration(const std::string& photoPath);
  // What identifies the regions and their colours now, to tell whether a
  // command changed them.
  std::vector<intptr_t> Regions_Signature();

  RegionEditorApp& m_app;
  WindowRegistry& m_windows;
  ShellDialogs& m_dialogs;
  std::string m_openDialog;
};
