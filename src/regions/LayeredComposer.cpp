#include "regions/LayeredComposer.h"

#include "platform/Platform.h"
#include "platform/Text.h"
#include "raster/OffMap.h"
#include "regions/RegionListSubject.h"
#include "regions/RegionSubject.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"

LayeredComposer::LayeredComposer(RenderMan& renderMan, RegionListSubject& regionList, AppWindows& windows,
                                 Platform& platform)
    : m_renderMan(renderMan),
      m_regionList(regionList),
      m_windows(windows),
      m_platform(platform),
      m_windowsUpdater(*this) {}

bool LayeredComposer::Merge_Outline(OffMap& dest, int16_t percent, std::string& err) {
  // The rectangle is the scaled canvas with its right and bottom taken as
  // inclusive edges, as the merge has always been given it.
  const RectShrt rect = Make_RectShrt(0, 0, static_cast<int16_t>(percent * dest.Get_Width() / 100),
                                      static_cast<int16_t>(percent * dest.Get_Height() / 100));
  return RenderMan::Merge_OutlineMap_with_Source(m_renderMan, false, m_renderMan.Get_Outline_Style(),
                                                 m_renderMan.Get_Outline_Map(), &dest, &dest, err, rect);
}

bool LayeredComposer::ReDraw_FinalImage_Incrementally(int16_t windowCode, int32_t delayMs,
                                                      RegionListSubject& list, OffMap& dest, int16_t percent,
                                                      std::string& err) {
  err.clear();
  ListMemry<ComponentSubject>& regions = list.Get_Children_List();
  // Animated, the regions are laid over the outline so that each one shows
  // as it arrives; at once, the outline lies over the finished painting.
  const bool outlineFirst = delayMs > 0 || regions.Is_Empty();

  dest.Fill(255);
  if (outlineFirst && m_renderMan.Get_Outline_Map() != nullptr) {
    if (!Merge_Outline(dest, percent, err)) return false;
  }
  m_windows.Redraw_Viewjs_of_Code(windowCode);
  if (regions.Is_Empty()) return true;

  ClockService& clock = m_platform.Clock();
  for (ComponentSubject* child : regions) {
    auto* region = dynamic_cast<RegionSubject*>(child);
    if (region == nullptr) {
      err =
          "RegionDetectorApp::ReDraw_FinalImage_Incrementally FAILED,  can not dynamic_cast to "
          "RegionSubject.";
      return false;
    }
    // A region that cannot be painted is simply missing from the picture.
    std::string paintErr;
    region->Paint_Transparent_To_DestMap(dest, percent, paintErr);
    if (delayMs > 0) {
      m_windows.Redraw_Viewjs_of_Code(windowCode);
      const int64_t start = clock.Milliseconds();
      while (clock.Milliseconds() - start < delayMs) {
      }
    }
  }

  if (!outlineFirst && m_renderMan.Get_Outline_Map() != nullptr) return Merge_Outline(dest, percent, err);
  return true;
}

bool LayeredComposer::Recompose_Layered(const char* nullText) {
  std::string err;
  OffMap* dest = m_renderMan.Get_Layered_Map();
  if (dest == nullptr) {
    err = nullText;
  } else if (ReDraw_FinalImage_Incrementally(kWindowLayered, 0, m_regionList, *dest, 100, err)) {
    m_windows.Redraw_Viewjs_of_Code(kWindowLayered);
    return true;
  }
  m_platform.Message(err);
  return false;
}

bool LayeredComposer::Redraw_Summed_Final_Window() {
  return Recompose_Layered("RegionEditorApp::Redraw_Summed_Final_Window FAILED,  destOffMap is NULL.");
}

bool LayeredComposer::ReDraw_SummedFinalViews_OffMap() {
  return Recompose_Layered("RegionDetectorApp::ReDraw_SummedFinalViews_OffMap FAILED,  destOffMap is NULL.");
}

bool LayeredComposer::Has_Layered_Map() const {
  return m_renderMan.Get_Layered_Map() != nullptr;
}

bool LayeredComposer::Erase_Summed_Final_Window() {
  if (m_renderMan.Get_Layered_Map() == nullptr) {
    m_platform.Message("RegionEditorApp::Erase_Summed_Final_Window FAILED,  destOffMap is NULL.");
    return false;
  }
  m_renderMan.Get_Layered_Map()->Fill(255);
  m_windows.Redraw_Viewjs_of_Code(kWindowLayered);
  return true;
}

bool LayeredComposer::Erase_Filtered_Window() {
  if (m_renderMan.Get_Displayed_Filtered_Map() == nullptr) {
    m_platform.Message("RegionEditorApp::Erase_Filtered_Window FAILED,  destOffMap is NULL.");
    return false;
  }
  m_renderMan.Get_Displayed_Filtered_Map()->Fill(255);
  m_windows.Redraw_Viewjs_of_Code(kWindowPreProcessing);
  return true;
}

bool LayeredComposer::Refresh_Views_After_Separations(std::string& err) {
  err.clear();
  if (!m_windows.ReCreate_Child_ComponentViews_AllViewjs(err)) {
    m_windows.Redraw_All_Viewjs();
    return false;
  }
  m_regionList.Notify_ComponentViews(Statevar::Make_Notice(kStatevarAppearance, &m_regionList),
                                     m_platform.Messages());
  ReDraw_SummedFinalViews_OffMap();
  m_windows.Redraw_Viewjs_of_Code(kWindowRegionObjects);
  return true;
}

bool LayeredComposer::Maybe_Alloc_Layers_Bitmap_for_RegionList(std::string& err) {
  err.clear();
  int32_t width = -1, height = -1;
  std::string sizeErr;
  if (!m_regionList.Get_Original_Canvas_Size(width, height, sizeErr)) {
    err = Text_Format("RegionEditorApp::Maybe_Alloc_Layers_Bitmap_for_RegionList FAILED :   %s",
                      sizeErr.c_str());
    return false;
  }
  m_renderMan.Drop_Layered_Map();
  if (!m_renderMan.Create_Layered_Map(height, width)) {
    err = "RegionEditorApp::Maybe_Alloc_Layers_Bitmap_for_RegionList FAILED, could not create Layered Map.";
    return false;
  }
  return true;
}

bool LayeredComposer::Load_Outline_Bitmap(std::string& err) {
  err.clear();
  FileDialogSpec dialogRequest;
  dialogRequest.filter = "Bitmap Files (*.*)|*.*||";
  dialogRequest.defaultExt = "*";
  std::string path;
  if (!m_platform.Dialogs().Open_File_Dialog(dialogRequest, path)) return true;
  if (path.empty()) {
    err = "RegionEditorApp::Load_Outline_Bitmap FAILED,  retSrcFilesPath is empty.";
    return false;
  }
  bool fileProblem = false;
  std::string loadErr;
  if (!Load_Outline_File(path, fileProblem, m_renderMan, loadErr)) {
    err = fileProblem
              ? Text_Format(
                    "RegionEditorApp::Load_Outline_Bitmap,  Bitmap file could not be loaded because:  %s.",
                    loadErr.c_str())
              : loadErr;
    return false;
  }
  ReDraw_SummedFinalViews_OffMap();
  m_windows.Redraw_All_Viewjs();
  return true;
}
