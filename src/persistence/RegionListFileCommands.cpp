#include "persistence/RegionListFileCommands.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <new>

#include "framework/AppWindows.h"
#include "persistence/External.h"
#include "persistence/ListFile.h"
#include "persistence/RegionListExternal.h"
#include "platform/FolderListing.h"
#include "platform/PathNames.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "raster/OffMap.h"
#include "regions/DocumentState.h"
#include "regions/LayeredComposer.h"
#include "regions/RegionListSubject.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"
#include "separation/Settings.h"
#include "views/ListComponentSubject.h"

namespace {

// A stored path names a folder when a separator follows its first
// character; a separator in front only counts for a path rooted at "/".
bool Has_Folder_Part(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash != std::string::npos && (slash > 0 || path[0] == '/');
}

std::string List_Filter(const External& external) {
  const std::string cls = external.Get_Class_Name();
  const std::string ext = external.Get_File_Extension();
  return Text_Format("%s List Files (*.%s)|*.%s||", cls.c_str(), ext.c_str(), ext.c_str());
}

// The list-file dialogs hide the read-only box and ask before a file is
// overwritten.
FileDialogSpec List_File_Dialog(const std::string& filter, const std::string& defaultExt,
                                const std::string& initialPath = std::string()) {
  FileDialogSpec dialogRequest;
  dialogRequest.filter = filter;
  dialogRequest.defaultExt = defaultExt;
  dialogRequest.initialPath = initialPath;
  dialogRequest.hideReadOnly = true;
  dialogRequest.overwritePrompt = true;
  return dialogRequest;
}

// The filter of a single-record file of class `cls`.
std::string Record_Filter(const std::string& cls, const std::string& ext) {
  return Text_Format("%s Files (*.%s)|*.%s||", cls.c_str(), ext.c_str(), ext.c_str());
}

std::string Later_Version_Question(const char* format, const External& external, const std::string& path,
                                   uint8_t version) {
  return Text_Format(format, external.Get_Class_Name().c_str(), Path_File_Name(path).c_str(), version / 10.0,
                     kRegionListFileVersion / 10.0);
}

bool Is_Empty_List(const External& external) {
  auto* list = dynamic_cast<ListComponentSubject*>(external.Get_Subject());
  return list == nullptr || list->Get_Children_List().Is_Empty();
}

// The list keeps the photo the document has loaded, as a full path, so
// that a later load finds it from any working folder.
void Record_Source_Photo(const ListFileContext& context) {
  const DocumentState& document = context.document;
  if (!document.Has_Source_Photo()) return;
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(document.sourcePhotoPath, ec);
  context.regionList.Set_Source_Photo_Path(ec ? document.sourcePhotoPath : full.lexically_normal().string());
}

}  // namespace

std::string RegionListFileCommands::List_File_Name() const {
  return Path_File_Name(m_context.document.listFilePath);
}

std::unique_ptr<RegionListExternal> RegionListFileCommands::Alloc_RegionApp_ListFiles_External(
    std::string& err) {
  err.clear();
  std::unique_ptr<RegionListExternal> external(new (std::nothrow) RegionListExternal(m_context));
  if (external == nullptr)
    err = "RegionEditorApp::Alloc_RegionApp_ListFiles_External FAILED,  could not allocate.";
  return external;
}

// ---------------------------------------------------------------------------
// Loading

bool RegionListFileCommands::Load_RegionList(bool& sameSourcePhoto, bool& photoLoaded, bool& cancelled,
                                             std::string& err, const std::string& path) {
  err.clear();
  sameSourcePhoto = photoLoaded = cancelled = false;
  std::unique_ptr<RegionListExternal> external = Alloc_RegionApp_ListFiles_External(err);
  if (external == nullptr) return false;
  Platform& platform = m_context.platform;
  RegionListSubject& list = m_context.regionList;
  RenderMan& renderMan = m_context.renderMan;
  WaitCursor busy(platform.Cursor());

  std::string oldPhoto;
  list.Get_Source_Photo_Path(oldPhoto);
  m_context.windows.Clear_Selection();
  if (!Load_With_Dialog(*external, cancelled, err, path)) return false;
  if (cancelled) return true;

  std::string newPhoto;
  list.Get_Source_Photo_Path(newPhoto);
  // New regions are numbered on from the highest number in the file, so no
  // two regions of the list share one.
  m_context.document.regionCounter = static_cast<int16_t>(external->Get_Highest_Serial_Number() + 1);
  std::unique_ptr<OffMap> outline = external->Take_Outline_Map();
  external.reset();
  sameSourcePhoto =
      !oldPhoto.empty() && !newPhoto.empty() && Equal_NoCase(newPhoto, m_context.document.sourcePhotoPath);

  int32_t width = -1, height = -1;
  if (!list.Get_Original_Canvas_Size(width, height, err)) return false;
  list.Replace_Canvas_Size(width, height);

  if (!newPhoto.empty()) {
    bool declined = false;
    std::string browsedPath, photoErr;
    const bool loaded =
        Load_RegionLists_Source_Photo(newPhoto, width, height, declined, browsedPath, photoErr);
    if (!loaded) platform.Message(photoErr);
    if (loaded && !declined) {
      photoLoaded = true;
      m_context.document.sourcePhotoPath = browsedPath.empty() ? newPhoto : browsedPath;
    }
  }
  if (!photoLoaded) {
    // The maps of whatever photo was loaded before do not belong to this
    // list: blank working maps of the list's size take their place.
    m_context.document.sourcePhotoPath.clear();
    std::string discardErr;
    if (!renderMan.Alloc_Source_Bitmaps_for_Virtual_Project(width, height, discardErr))
      platform.Message(discardErr);
  }

  if (!m_context.composer.Maybe_Alloc_Layers_Bitmap_for_RegionList(err)) return false;
  if (!list.Alloc_Support_Bitmaps_for_Canvas(err)) return false;
  if (outline != nullptr) renderMan.Set_Outline_Map(std::move(outline));

  if (!Adjust_Detection_Settings_for_Upcoming_DetectionDialog(m_context.settings, m_context.regionList, 1,
                                                              err))
    return false;
  if (!m_context.windows.ReCreate_Child_ComponentViews_AllViewjs(err)) return false;
  list.Notify_ComponentViews(Statevar::Make_Notice(kStatevarAppearance, &list), platform.Messages());
  return true;
}

bool RegionListFileCommands::Load_With_Dialog(External& external, bool& cancelled, std::string& err,
                                              const std::string& givenPath) {
  err.clear();
  cancelled = false;
  Platform& platform = m_context.platform;
  std::string path = givenPath;
  if (path.empty()) {
    const FileDialogSpec dialogRequest =
        List_File_Dialog(List_Filter(external), external.Get_File_Extension());
    if (!platform.Dialogs().Open_File_Dialog(dialogRequest, path)) {
      cancelled = true;
      return true;
    }
  }

  m_context.windows.Clear_Selection();
  if (m_context.document.hasChanges && !Is_Empty_List(external)) {
    const MessageAnswer answer = platform.Messages().Message_Box(
        Text_Format("You have unsaved changes.  Do you wish to SAVE the current %sList File?",
                    external.Get_Class_Name().c_str()),
        MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::Yes) {
      bool saveCancelled = false;
      if (!Save_List_As(external, saveCancelled, err)) return false;
      err.clear();
      if (!saveCancelled) m_context.document.hasChanges = false;
    } else if (answer == MessageAnswer::No) {
      m_context.document.hasChanges = false;
    } else {
      cancelled = true;
      return true;
    }
  }

  std::string projectPath;
  uint8_t version = 0;
  if (!Peek_At_ListFiles_ProjectPath(external, path, projectPath, version, err)) return false;
  if (kRegionListFileVersion < version) {
    const std::string question = Later_Version_Question(
        "The %sList File ( %s ) that you are trying to load is of a LATER VERSION[ %.1f ] that that of the "
        "Application[  %.1f  ]. It may or may not load properly.\n Do you want to try and load it anyway?",
        external, path, version);
    if (platform.Messages().Message_Box(question, MessageButtons::YesNo) != MessageAnswer::Yes) {
      cancelled = true;
      return true;
    }
  }

  const bool hadChanges = m_context.document.hasChanges;
  {
    WaitCursor busy(platform.Cursor());
    if (!Load_DSTlist(external, path, err)) {
      m_context.windows.Redraw_All_Viewjs();
      return false;
    }
  }
  if (hadChanges) m_context.document.hasChanges = true;
  m_context.windows.Redraw_All_Viewjs();
  return true;
}

bool RegionListFileCommands::Peek_At_ListFiles_ProjectPath(External& external, const std::string& path,
                                                           std::string& projectPath, uint8_t& version,
                                                           std::string& err) {
  err.clear();
  projectPath.clear();
  try {
    ListFile file;
    file.Open_For_Reading(path);
    if (!External::Check_File_Signature(file, version, err)) return false;
    uint8_t chunkVersion = 0;
    int32_t length = 0;
    if (!external.Goto_My_Files_Header(file, chunkVersion, length, err)) return false;
    char text[255] = {};
    file.Read(text, sizeof text);
    projectPath.assign(text, strnlen(text, sizeof text));
  } catch (const ListFileException& e) {
    err = Text_Format("Can not open list-file because:  %s", e.Get_Reason().c_str());
    return false;
  }
  if (projectPath.empty()) {
    err = "UniEditorApp::Peek_At_ListFiles_ProjectPath  failed,  projectFilesPath is empty.";
    return false;
  }
  return true;
}

bool RegionListFileCommands::Load_DSTlist(External& external, const std::string& path, std::string& err) {
  err.clear();
  try {
    ListFile file;
    file.Open_For_Reading(path);
    ComponentSubject* made = nullptr;
    const bool received = external.Receive(file, made, err);
    // A list external fills its subject in place; anything made is not kept.
    std::unique_ptr<ComponentSubject> dropped(made);
    if (!received) {
      m_context.document.listFilePath.clear();
      return false;
    }
  } catch (const ListFileException& e) {
    err = Text_Format("Could not load %sList file because:  %s", external.Get_Class_Name().c_str(),
                      e.Get_Reason().c_str());
    m_context.document.listFilePath.clear();
    return false;
  }
  m_context.document.listFilePath = path;
  m_context.document.listFolder = Path_Folder(path);
  return m_context.windows.ReCreate_Child_ComponentViews_AllViewjs(err);
}

bool RegionListFileCommands::Load_RegionLists_Source_Photo(const std::string& path, int32_t width,
                                                           int32_t height, bool& declined,
                                                           std::string& newPath, std::string& err) {
  err.clear();
  declined = false;
  newPath.clear();
  if (!Has_Folder_Part(path)) {
    err = "RegionEditorApp::Load_RegionLists_Source_Photo FAILED,  improper file path.";
    return false;
  }
  // The photo is resampled to the list's canvas; a canvas no photo was ever
  // worked at (a damaged file may say 7000 x 7000) is not made.
  if (width < 1 || height < 1 || width > kMaxPhotoReloadSide || height > kMaxPhotoReloadSide) {
    err = Text_Format(
        "RegionEditorApp::Load_RegionLists_Source_Photo FAILED,  the list's canvas of %d x %d pixels is not "
        "a "
        "working size (each side 1 to %d); the photo is not loaded.",
        width, height, kMaxPhotoReloadSide);
    return false;
  }
  Platform& platform = m_context.platform;
  RenderMan& renderMan = m_context.renderMan;
  bool fileProblem = false;
  // A named pipe or a device in the photo's place is no photo: it is never
  // opened (which could block), and the user may browse for the photo.
  if (Is_Readable_Plain_File(path)) {
    if (!Load_Bitmap_File_as_SRC(err, renderMan, path, width, height, kWorkingMaxSide, fileProblem))
      return false;
    m_context.document.sourcePhotoPath = path;
    return true;
  }

  const std::string question = Text_Format(
      "The Source Photo for this RegionList is NOT in its previous folder. \nDid you want to BROWSE for  %s  "
      "in "
      "another folder?",
      Path_File_Name(path).c_str());
  if (platform.Messages().Message_Box(question, MessageButtons::YesNo) != MessageAnswer::Yes) {
    declined = true;
    return true;
  }
  bool cancelled = false;
  std::string chosen;
  if (!Browse_For_Same_Named_File(path, cancelled, chosen, err)) return false;
  if (cancelled) {
    declined = true;
    return true;
  }
  std::string loadErr;
  if (Load_Bitmap_File_as_SRC(loadErr, renderMan, chosen, width, height, kWorkingMaxSide, fileProblem)) {
    newPath = chosen;
  } else {
    platform.Message(loadErr);
    declined = true;
  }
  return true;
}

bool RegionListFileCommands::Browse_For_Same_Named_File(const std::string& storedPath, bool& cancelled,
                                                        std::string& chosenPath, std::string& err) {
  err.clear();
  cancelled = false;
  chosenPath.clear();
  // The filter takes the stored path's last three characters as its
  // extension, so a ".jpeg" photo is listed under "*.peg".
  const std::string extension =
      storedPath.empty() ? std::string("ppj")
                         : storedPath.substr(storedPath.size() - std::min<size_t>(3, storedPath.size()));
  const std::string requiredName = storedPath.empty() ? std::string() : Path_File_Name(storedPath);
  Platform& platform = m_context.platform;
  const FileDialogSpec dialogRequest = List_File_Dialog(
      Text_Format("Files:  (*.%s)|*.%s||", extension.c_str(), extension.c_str()), extension, requiredName);
  for (;;) {
    std::string path;
    if (!platform.Dialogs().Open_File_Dialog(dialogRequest, path)) {
      cancelled = true;
      return true;
    }
    const std::string name = Path_File_Name(path);
    if (requiredName.empty() || Equal_NoCase(name, requiredName)) {
      chosenPath = path;
      return true;
    }
    platform.Message(
        Text_Format("%s  does not have the same name as the original file,  %s.  \nPick a file with the same "
                    "name, or hit the "
                    "Cancel button on the 'Open' dialog box.",
                    name.c_str(), requiredName.c_str()));
  }
}

// ---------------------------------------------------------------------------
// Saving

bool RegionListFileCommands::Save_RegionList(std::string& savedPath, std::string& err, bool* cancelledOut) {
  err.clear();
  savedPath.clear();
  if (cancelledOut != nullptr) *cancelledOut = false;
  std::unique_ptr<RegionListExternal> external = Alloc_RegionApp_ListFiles_External(err);
  if (external == nullptr) return false;
  m_context.regionList.filesBitmapMode = 1;
  Record_Source_Photo(m_context);
  bool cancelled = false;
  std::string text;
  if (!Save_List_As(*external, cancelled, text)) {
    err = text;
    return false;
  }
  if (cancelledOut != nullptr) *cancelledOut = cancelled;
  savedPath = m_context.document.listFilePath;
  return true;
}

bool RegionListFileCommands::Save_RegionList_To(const std::string& path, std::string& err) {
  err.clear();
  std::unique_ptr<RegionListExternal> external = Alloc_RegionApp_ListFiles_External(err);
  if (external == nullptr) return false;
  m_context.regionList.filesBitmapMode = 1;
  Record_Source_Photo(m_context);
  return Write_DSTlist(*external, path, err);
}

bool RegionListFileCommands::Save_List_As(External& external, bool& cancelled, std::string& text) {
  text.clear();
  cancelled = false;
  WaitCursor busy(m_context.platform.Cursor());
  std::string path;
  if (!Save_DSTlist(external, cancelled, path, text)) return false;
  // A list that was not written keeps Save_DSTlist's message.
  if (!cancelled && text.empty()) text = Text_Format("%s List was SAVED.", external.Get_Class_Name().c_str());
  return true;
}

bool RegionListFileCommands::Save_List(External& external, std::string& message) {
  message.clear();
  const std::string cls = external.Get_Class_Name();
  const std::string name = List_File_Name();
  if (!Is_Empty_List(external) && (name.empty() || m_context.document.listFilePath.empty())) {
    message = Text_Format(
        "First create a NEW FILE for the current %s list with the  'Save %sList As...'  menu command.",
        cls.c_str(), cls.c_str());
    return true;
  }
  if (name.empty() || m_context.document.listFilePath.empty()) {
    message = Text_Format("First create a %sList.", cls.c_str());
    return true;
  }
  bool cancelled = false;
  std::string path = m_context.document.listFilePath;
  if (!Save_DSTlist(external, cancelled, path, message)) return false;
  if (!cancelled && message.empty())
    message = Text_Format("%sList was SAVED to  %s", cls.c_str(), path.c_str());
  return true;
}

bool RegionListFileCommands::Save_DSTlist(External& external, bool& cancelled, std::string& path,
                                          std::string& text) {
  text.clear();
  cancelled = false;
  const std::string cls = external.Get_Class_Name();
  const std::string ext = external.Get_File_Extension();
  if (Is_Empty_List(external)) {
    text = Text_Format("%sList is empty.", cls.c_str());
    return true;
  }
  if (ext.empty()) {
    text = "UniBasic::Save_DSTlist  failed,  no file extension.";
    return false;
  }
  if (path.empty() || List_File_Name().empty()) {
    const FileDialogSpec dialogRequest = List_File_Dialog(List_Filter(external), ext, List_File_Name());
    if (!m_context.platform.Dialogs().Save_File_Dialog(dialogRequest, path)) {
      cancelled = true;
      return true;
    }
  }
  return Write_DSTlist(external, path, text);
}

bool RegionListFileCommands::Write_DSTlist(External& external, const std::string& path, std::string& err) {
  err.clear();
  try {
    ListFile file;
    file.Open_For_Writing(path);
    // A refused list leaves nothing behind: the file is given up unwritten.
    if (!external.Emit(file, 0, err)) {
      file.Abort();
      return false;
    }
    file.Close();
  } catch (const ListFileException& e) {
    err = Text_Format("UniBasic::Save_DSTlist  failed,   could not save %sList file because %s.",
                      external.Get_Class_Name().c_str(), e.Get_Reason().c_str());
    return false;
  }
  m_context.document.listFilePath = path;
  m_context.document.listFolder = Path_Folder(path);
  m_context.document.hasChanges = false;
  return true;
}

// ---------------------------------------------------------------------------
// Single-record files

bool RegionListFileCommands::Save_Simple_Struct(External& external, std::string& path, bool& cancelled,
                                                std::string& err) {
  err.clear();
  cancelled = false;
  const std::string cls = external.Get_Class_Name();
  const std::string ext = external.Get_File_Extension();
  const int16_t chunkCode = external.Get_ChunkCode();
  if (chunkCode < 0) {
    err =
        Text_Format("UniEditorApp::Save_Simple_Struct FAILED. Fix External.Get_ChunkCode() for the %s class.",
                    cls.c_str());
    return false;
  }
  if (ext.empty()) {
    err = "UniEditorApp::Save_Simple_Struct  FAILED,  no file extension.";
    return false;
  }
  std::string target = path;
  if (target.empty()) {
    const FileDialogSpec dialogRequest = List_File_Dialog(Record_Filter(cls, ext), ext);
    if (!m_context.platform.Dialogs().Save_File_Dialog(dialogRequest, target)) {
      cancelled = true;
      return true;
    }
  }
  constexpr uint8_t kSimpleVersion = 2;
  try {
    ListFile file;
    file.Open_For_Writing(target);
    External::Write_File_Signature(file, kSimpleVersion);
    // The record's chunk keeps the length 0 it is written with.
    int64_t lengthField = -1;
    std::string emitErr;
    if (!External::Write_Chunks_Header(file, chunkCode, kSimpleVersion, lengthField, emitErr) ||
        !external.Emit(file, 0, emitErr)) {
      file.Abort();
      err = Text_Format("UniEditorApp::Save_Simple_Struct  FAILED,   could not save %s file because %s.",
                        cls.c_str(), emitErr.c_str());
      return false;
    }
    file.Close();
  } catch (const ListFileException& e) {
    err = Text_Format("UniEditorApp::Save_Simple_Struct  FAILED,   could not save %s File because %s.",
                      cls.c_str(), e.Get_Reason().c_str());
    return false;
  }
  path = target;
  return true;
}

bool RegionListFileCommands::Load_Simple_Struct(External& external, std::string& path,
                                                ComponentSubject*& result, bool& cancelled,
                                                std::string& err) {
  err.clear();
  result = nullptr;
  cancelled = false;
  const std::string cls = external.Get_Class_Name();
  const std::string ext = external.Get_File_Extension();
  const int16_t chunkCode = external.Get_ChunkCode();
  if (chunkCode < 0) {
    err =
        Text_Format("UniEditorApp::Load_Simple_Struct FAILED. Fix External.Get_ChunkCode() for the %s class.",
                    cls.c_str());
    return false;
  }
  Platform& platform = m_context.platform;
  if (path.empty()) {
    const FileDialogSpec dialogRequest = List_File_Dialog(Record_Filter(cls, ext), ext);
    if (!platform.Dialogs().Open_File_Dialog(dialogRequest, path)) {
      cancelled = true;
      return true;
    }
  }
  try {
    ListFile file;
    file.Open_For_Reading(path);
    uint8_t fileVersion = 0, chunkVersion = 0;
    int32_t length = 0;
    if (!External::Check_File_Signature(file, fileVersion, err)) return false;
    if (!External::Goto_Chunks_Header(file, chunkCode, chunkVersion, length, err)) return false;
    if (kRegionListFileVersion < chunkVersion) {
      const std::string question = Later_Version_Question(
          "The %s File ( %s ) that you are trying to load is of a LATER VERSION[ %.1f ] that that of the "
          "Application[  %.1f  ]. It may or may not load properly.\n Do you want to try and load it anyway?",
          external, path, chunkVersion);
      if (platform.Messages().Message_Box(question, MessageButtons::YesNo) != MessageAnswer::Yes) {
        cancelled = true;
        return true;
      }
    }
    return external.Receive(file, result, err);
  } catch (const ListFileException& e) {
    err = Text_Format("Could not load %s file because:  %s", cls.c_str(), e.Get_Reason().c_str());
    return false;
  }
}
