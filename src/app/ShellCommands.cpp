#include "app/ShellCommands.h"

#include <chrono>

#include "app/RegionEditorApp.h"
#include "app/WindowRegistry.h"
#include "export/ExportController.h"
#include "persistence/RegionListFileCommands.h"
#include "platform/PathNames.h"
#include "platform/Text.h"
#include "render/ImageFiles.h"
#include "render/ImageSizeController.h"

const char* const ShellCommands::kLoadPhotoFirst = "Load a SOURCE PHOTO from the File Menu.";
const char* const ShellCommands::kCreateSeparations = "Create some color SEPARATIONS from the Layers Menu.";
const char* const ShellCommands::kLoadRegionListFirst = "Load a REGIONLIST from the File Menu.";
// The list-file commands ask the same before another list replaces the work.
const char* const ShellCommands::kUnsavedQuestion =
    "You have unsaved changes.  Do you wish to SAVE the current RegionList File?";

ShellCommands::ShellCommands(RegionEditorApp& app, WindowRegistry& windows, ShellDialogs& dialogs)
    : m_app(app), m_windows(windows), m_dialogs(dialogs) {}

void ShellCommands::Message(const std::string& text) {
  m_app.Get_Platform().Message(text);
}

void ShellCommands::Status(const std::string& text) {
  if (m_status) m_status(text);
}

uint32_t ShellCommands::Seed() {
  if (m_seed) return m_seed();
  return static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

void ShellCommands::Canvas_Size(int32_t& width, int32_t& height) const {
  m_app.Get_RegionList().Get_Canvas_Size(width, height);
}

std::vector<intptr_t> ShellCommands::Regions_Signature() {
  std::vector<intptr_t> signature;
  ListMemry<ComponentSubject>& regions = m_app.Get_RegionList().Get_Children_List();
  for (ListLink<ComponentSubject>* link = regions.Get_Head_Link(); link != nullptr; link = link->Get_Next()) {
    signature.push_back(reinterpret_cast<intptr_t>(link->Get_Object()));
    if (auto* region = dynamic_cast<RegionSubject*>(link->Get_Object()); region != nullptr)
      signature.push_back(region->Get_Auto_Descriptor().hueOffset);
  }
  return signature;
}

// ---------------------------------------------------------------------------
// File

bool ShellCommands::Maybe_Save_Changes() {
  if (!m_app.Get_Document().hasChanges || !m_app.Has_Regions()) return true;
  const MessageAnswer answer =
      m_app.Get_Platform().Messages().Message_Box(kUnsavedQuestion, MessageButtons::YesNoCancel);
  if (answer == MessageAnswer::Cancel) return false;
  if (answer == MessageAnswer::No) return true;
  Save_RegionList();
  return !m_app.Get_Document().hasChanges;
}

void ShellCommands::Load_Source_Photo() {
  FileDialogSpec dialogRequest;
  dialogRequest.filter = kPhotoOpenFilter;
  dialogRequest.defaultExt = "*";
  dialogRequest.hideReadOnly = true;
  std::string path;
  if (!m_app.Get_Platform().Dialogs().Open_File_Dialog(dialogRequest, path)) {
    m_windows.Redraw_All_Viewjs();
    return;
  }
  if (path.empty()) {
    Message("RenderMan::Load_Bitmap_File_as_SRC_viaDialog FAILED,  retSrcFilesPath is empty.");
    m_windows.Redraw_All_Viewjs();
    return;
  }
  Load_Source_Photo_From(path);
}

void ShellCommands::Start_New_Illustration(const std::string& photoPath) {
  RegionListSubject& list = m_app.Get_RegionList();
  // Through the application: the editor's selection and last command and
  // the edit histories go with the regions.
  m_app.Get_Windows().Clear_Selection();
  // The regions of the previous work go, but never the files on disk: a list
  // whose region bitmaps are files of their own keeps them for its next load.
  list.filesBitmapMode = 1;
  std::string err;
  if (!list.Delete_All_Regions_and_Bitmap_Files(err)) Message(err);
  list.Clear_Texts();
  list.Set_Source_Photo_Path(std::string());
  m_app.Get_PixelChain_List().Delete_All();

  DocumentState& document = m_app.Get_Document();
  document.sourcePhotoPath = photoPath;
  document.listFilePath.clear();
  document.listFolder.clear();
  document.hasChanges = false;
  document.regionCounter = 0;
  document.currentSeparationID = -1;

  int32_t width = -1, height = -1;
  m_app.Get_RenderMan().Get_Source_Size(width, height);
  if (!list.Set_Canvas_Size(width, height, err)) Message(err);
  if (!Adjust_Detection_Settings_for_Upcoming_DetectionDialog(m_app.Get_Settings(), list, 0, err))
    Message(err);
}

void ShellCommands::Load_Source_Photo_From(const std::string& path) {
  if (!Maybe_Save_Changes()) {
    m_windows.Redraw_All_Viewjs();
    return;
  }
  RenderMan& renderMan = m_app.Get_RenderMan();
  std::string err;
  bool fileProblem = false;
  bool loaded = false;
  {
    WaitCursor busy(m_app.Get_Platform().Cursor());
    loaded = Load_Bitmap_File_as_SRC(err, renderMan, path, -1, -1, kWorkingMaxSide, fileProblem);
  }
  if (!loaded) {
    Message(fileProblem ? Text_Format("File could NOT be loaded because: \n %s", err.c_str()) : err);
    m_windows.Redraw_All_Viewjs();
    return;
  }
  renderMan.Set_Source_Photo_Path(path);
  Start_New_Illustration(path);

  m_windows.Open_New_Window_of_Code(kWindowPhoto);
  m_windows.Open_New_Window_of_Code(kWindowLayered);
  m_windows.Open_New_Window_of_Code(kWindowPreProcessing);
  int32_t width = -1, height = -1;
  Canvas_Size(width, height);
  if (!m_windows.ReSize_All_Viewjs(width, height, err)) Message(err);
  m_windows.Redraw_All_Viewjs();

  if (renderMan.Get_Photo_Original() != nullptr) {
    Status(Text_Format("%s:  %d x %d pixels, worked at %d x %d%s", Path_File_Name(path).c_str(),
                       renderMan.Get_Photo_Original()->Get_Width(),
                       renderMan.Get_Photo_Original()->Get_Height(), width, height,
                       renderMan.Is_Greyscale_Photo() ? ", greyscale" : ""));
  }
  if (m_fileUsed) m_fileUsed(path);
}

void ShellCommands::Load_RegionList(const std::string& path) {
  RegionListFileCommands commands(m_app.List_File_Context());
  bool samePhoto = false, photoLoaded = false, cancelled = false;
  std::string err;
  if (!commands.Load_RegionList(samePhoto, photoLoaded, cancelled, err, path)) {
    Message(err);
    m_windows.Redraw_All_Viewjs();
    return;
  }
  if (cancelled) {
    m_windows.Redraw_All_Viewjs();
    return;
  }
  if (!samePhoto) m_windows.Close_All_Windows();
  if (m_windows.Get_Active_Viewj() == nullptr) {
    if (photoLoaded) m_windows.Open_Window_of_Code(kWindowPhoto, false);
    m_windows.Open_Window_of_Code(kWindowLayered, false);
    int32_t width = -1, height = -1;
    Canvas_Size(width, height);
    if (!m_windows.ReSize_All_Viewjs(width, height, err)) Message(err);
  }
  m_app.Get_Composer().Redraw_Summed_Final_Window();
  Status(Text_Format("%s:  %d regions", Path_File_Name(m_app.Get_Document().listFilePath).c_str(),
                     m_app.Get_RegionList().Get_Region_Count()));
  if (m_fileUsed) m_fileUsed(m_app.Get_Document().listFilePath);
}

void ShellCommands::Open_File(const std::string& path) {
  if (Equal_NoCase(Path_Extension(path), "rgl"))
    Load_RegionList(path);
  else
    Load_Source_Photo_From(path);
}

void ShellCommands::Save_Layered_Bitmap(const Viewj* record) {
  if (!m_app.Has_Regions()) {
    Message(kCreateSeparations);
    return;
  }
  RenderMan& renderMan = m_app.Get_RenderMan();
  if (renderMan.Get_Layered_Map() == nullptr) {
    Message("GrafixWindowQvSep::On_Save_Windows_Bitmap FAILED,  m_layeredMapOversize is NULL");
    return;
  }
  if (record == nullptr) {
    Message("GrafixWindowQvSep::On_Save_Windows_Bitmap failed,  vw is null. ");
    return;
  }
  bool cancelled = false;
  std::string path, err;
  CodecFailure codecFailure;
  if (!Save_Bitmap_File_CImage(m_app.Get_Platform(), cancelled, renderMan.Get_Layered_Map(), path, err,
                               &codecFailure)) {
    // The program's text names no reason; the system's follows it.
    if (!codecFailure.reason.empty()) err += "\n" + codecFailure.reason;
    Message(err);
    return;
  }
  if (!cancelled) Message(Text_Format("Image was saved to: \n  %s", path.c_str()));
}

void ShellCommands::Save_RegionList() {
  if (!m_app.Has_Regions()) {
    Message(kCreateSeparations);
    return;
  }
  const std::string path = m_app.Get_Document().listFilePath;
  if (path.empty()) {
    Save_RegionList_As();
    return;
  }
  RegionListFileCommands commands(m_app.List_File_Context());
  std::string err;
  if (!commands.Save_RegionList_To(path, err)) {
    Message(err);
    return;
  }
  Status(Text_Format("RegionList was SAVED to  %s", path.c_str()));
  if (m_fileUsed) m_fileUsed(path);
}

void ShellCommands::Save_RegionList_As() {
  if (!m_app.Has_Regions()) {
    Message(kCreateSeparations);
    return;
  }
  RegionListFileCommands commands(m_app.List_File_Context());
  std::string savedPath, err;
  bool cancelled = false;
  if (!commands.Save_RegionList(savedPath, err, &cancelled)) {
    Message(err);
    return;
  }
  if (cancelled) return;
  Status(Text_Format("RegionList was SAVED to  %s", savedPath.c_str()));
  if (m_fileUsed) m_fileUsed(savedPath);
}

// ---------------------------------------------------------------------------
// View

void ShellCommands::Open_Photo_Window() {
  if (!m_app.Has_Source_Photo()) {
    Message(kLoadPhotoFirst);
    return;
  }
  m_windows.Open_Window_of_Code(kWindowPhoto, true);
}

void ShellCommands::Open_Layers_Window() {
  if (m_app.Has_Source_Photo()) {
    if (m_app.Has_Regions()) {
      m_windows.Open_Window_of_Code(kWindowLayered, true);
    } else {
      m_windows.Open_Window_of_Code(kWindowPhoto, false);
      Message(kCreateSeparations);
    }
    return;
  }
  if (m_app.Has_Regions())
    m_windows.Open_Window_of_Code(kWindowLayered, true);
  else
    Message(kLoadRegionListFirst);
}

void ShellCommands::Open_Window_Forced(int16_t code) {
  m_windows.Open_Window_of_Code(code, true);
}

void ShellCommands::Fit_Window_to_Image() {
  if (!m_app.Has_Source_Photo()) {
    Message(kLoadPhotoFirst);
    return;
  }
  const OffMap* source = m_app.Get_RenderMan().Get_Source_Map();
  if (source == nullptr) {
    Message("GrafixWindowQvSep::On_Fit_Windows_to_Image_ViewMenu FAILED, renderMan.m_sourceMap is NULL.");
    return;
  }
  std::string err;
  if (!m_windows.ReSize_All_Viewjs(source->Get_Width(), source->Get_Height(), err)) Message(err);
}

// ---------------------------------------------------------------------------
// Image and Layers

bool ShellCommands::Open_Missing_Work_Windows() {
  int32_t width = -1, height = -1;
  Canvas_Size(width, height);
  for (const int16_t code : {kWindowPreProcessing, kWindowLayered}) {
    if (m_windows.Count_Viewjs_of_Code(code) > 0) continue;
    if (!m_windows.Open_New_Window_of_Code(code)) return false;
    std::string err;
    if (!m_windows.ReSize_Viewjs_of_Code(width, height, code, err)) {
      Message(err);
      return false;
    }
  }
  return true;
}

void ShellCommands::Image_Size() {
  if (!m_app.Has_Source_Photo()) {
    Message(kLoadPhotoFirst);
    return;
  }
  RenderMan& renderMan = m_app.Get_RenderMan();
  if (renderMan.Get_Source_Map_Backup() == nullptr) return;

  ImageSizeController controller(renderMan);
  controller.m_deleteRegions = [this](std::string& err) {
    m_app.Get_Windows().Clear_Selection();
    return m_app.Get_RegionList().Delete_All_Regions_and_Bitmap_Files(err);
  };
  controller.m_afterResize = [this](std::string& err) {
    int32_t width = -1, height = -1;
    m_app.Get_RenderMan().Get_Source_Size(width, height);
    RegionListSubject& list = m_app.Get_RegionList();
    if (list.Has_Regions())
      list.Replace_Canvas_Size(width, height);
    else if (!list.Set_Canvas_Size(width, height, err))
      return false;
    return m_windows.ReBuild_All_Viewjs_Panes(err) && m_windows.ReSize_All_Viewjs(width, height, err);
  };
  m_openDialog = "Image Size";
  const bool ok = m_dialogs.Run_Image_Size_Dialog(controller);
  m_openDialog.clear();
  if (!ok) m_windows.Redraw_All_Viewjs();
}

void ShellCommands::Create_Outline() {
  if (!m_app.Has_Source_Photo()) {
    Message(kLoadPhotoFirst);
    return;
  }
  if (m_app.Get_RenderMan().Get_Source_Map_Backup() == nullptr) {
    Message("GrafixWindowQvSep::On_Create_Outline_with_Dialog FAILED,  renderMan.m_sourceMapBackup is NULL.");
    return;
  }
  if (!Open_Missing_Work_Windows()) return;
  OutlineSession session(m_app.Outline_Context(), Seed());
  m_openDialog = "Outline Creation";
  const bool ok = m_dialogs.Run_Outline_Dialog(session);
  m_openDialog.clear();
  if (ok)
    m_app.Get_Document().hasChanges = true;
  else
    m_windows.Redraw_All_Viewjs();
}

void ShellCommands::Create_Separations() {
  if (!m_app.Has_Source_Photo()) {
    Message(kLoadPhotoFirst);
    return;
  }
  if (!Open_Missing_Work_Windows()) return;
  const std::vector<intptr_t> before = Regions_Signature();
  bool ok = false;
  {
    // The session hands the next region number back to the document when
    // it ends.
    SeparationSession session(m_app.Separation_Context());
    m_openDialog = "Color Separation Creation";
    ok = m_dialogs.Run_Separation_Dialog(session);
    m_openDialog.clear();
  }
  if (!ok) m_windows.Redraw_All_Viewjs();
  if (Regions_Signature() != before && m_app.Has_Regions()) m_app.Get_Document().hasChanges = true;
}

void ShellCommands::Modify_Colors() {
  ModifyColorsController controller(m_app.Modify_Colors_Context(), Seed());
  if (!controller.Open()) return;
  const std::vector<intptr_t> before = Regions_Signature();
  m_openDialog = "Modify Colors";
  const bool ok = m_dialogs.Run_Modify_Colors_Dialog(controller);
  m_openDialog.clear();
  if (!ok) m_windows.Redraw_All_Viewjs();
  if (Regions_Signature() != before) m_app.Get_Document().hasChanges = true;
}

void ShellCommands::Paint_with_Textures() {
  if (!m_app.Has_Regions()) {
    Message(kCreateSeparations);
    return;
  }
  int16_t textureType = 0, style = 0;
  if (!m_dialogs.Ask_Texture_Choice(textureType, style)) return;
  RenderMan& renderMan = m_app.Get_RenderMan();
  const ListMemry<TextureMapSpec>* textures = renderMan.Get_TextureMap_List(textureType);
  if (textures == nullptr || textures->Is_Empty()) {
    const std::string folder = renderMan.Get_TextureMap_Folder(textureType);
    Message(folder.empty() ? std::string("No texture folder was found.")
                           : Text_Format("There are no texture maps in  %s", folder.c_str()));
    return;
  }
  RegionRandom random(Seed());
  std::string err;
  bool ok = false;
  {
    WaitCursor busy(m_app.Get_Platform().Cursor());
    ok = m_app.Get_RegionList().Paint_All_Regions_with_TextureMaps(textureType, style, random, err);
  }
  if (!ok) Message(err);
  m_app.Get_Document().hasChanges = true;
  m_app.Get_Composer().ReDraw_SummedFinalViews_OffMap();
  m_windows.Redraw_Viewjs_of_Code(kWindowRegionObjects);
}

void ShellCommands::Export() {
  if (!m_app.Has_Regions()) {
    Message(kCreateSeparations);
    return;
  }
  const ListMemry<PixelChain>& chains = m_app.Get_PixelChain_List();
  const ExportSource source{m_app.Get_RegionList(), m_app.Get_RenderMan(),
                            chains.Is_Empty() ? nullptr : &chains, m_app.Get_Document().sourcePhotoPath,
                            m_app.Get_Platform()};
  ExportController controller(source);
  m_openDialog = "Export";
  const bool ok = m_dialogs.Run_Export_Dialog(controller);
  m_openDialog.clear();
  if (!ok) return;
  FileDialogSpec request;
  const bool folder = controller.Kind() == ExportKind::Layers;
  request.filter = folder ? "Folders (*)|*||" : controller.Dialog_Filter();
  request.defaultExt = folder ? "" : controller.Default_Extension();
  request.title = folder ? "Folder for the separation layers" : "Export";
  request.overwritePrompt = !folder;
  std::string path;
  if (!m_app.Get_Platform().Dialogs().Save_File_Dialog(request, path) || path.empty()) return;
  std::string written, err;
  bool done = false;
  {
    WaitCursor busy(m_app.Get_Platform().Cursor());
    done = controller.Write(path, written, err);
  }
  if (!done) {
    Message(err);
    return;
  }
  if (m_status) m_status(written);
}

// ---------------------------------------------------------------------------
// Mouse

bool ShellCommands::After_Mouse_Release(const Viewj& record, bool toolHasSelection, int16_t pressX,
                                        int16_t pressY, int16_t releaseX, int16_t releaseY) {
  if (!toolHasSelection || record.Get_Configuration_Code() != kWindowRegionObjects) return false;
  if (pressX == releaseX && pressY == releaseY) return false;
  m_app.Get_Document().hasChanges = true;
  m_app.Get_Composer().ReDraw_SummedFinalViews_OffMap();
  m_windows.Redraw_Viewjs_of_Code(kWindowLayered);
  return true;
}
