#include "regions/RegionsListView.h"

#include "framework/DrawSurface.h"
#include "framework/FrameArtist.h"
#include "platform/PlatformServices.h"
#include "raster/OffMap.h"
#include "regions/RegionSubject.h"
#include "regions/RegionView.h"

RegionsListView::RegionsListView(MessageService& messages) : m_messages(messages) {}

RegionsListView::~RegionsListView() = default;

bool RegionsListView::Create_Child_ComponentViews(Pane* /*pane*/, std::string& err) {
  err.clear();
  ComponentSubject* subject = Get_Subject();
  if (subject == nullptr) {
    err = "RegionsListView::Create_Child_ComponentViews(),   no Subject.";
    return false;
  }
  std::unique_ptr<Iterator<ComponentSubject>> it = subject->Get_ChildrenSubjects_Iterator();
  if (it == nullptr) {
    err = "RegionsListView::Create_Child_ComponentViews(),   this is NOT a Composite(multi ) view.";
    return false;
  }
  for (it->First(); !it->Is_Done(); it->Next()) {
    auto* region = dynamic_cast<RegionSubject*>(it->Current_Item());
    if (region == nullptr) continue;
    if (m_drawCode == kWindowRegionObjects && !region->Is_SubRegion()) continue;
    std::unique_ptr<ComponentView> view = region->Create_ComponentView();
    if (view == nullptr) continue;
    view->Set_ListParentView(this);
    region->Attach_ComponentView(view.get());
    Add_Child_ComponentView(view.release());
  }
  return true;
}

void RegionsListView::Render_Animation_Frame(DrawSurface* window, MessageService& messages) {
  FrameArtist* artist = Get_FrameArtist();
  if (artist == nullptr) {
    messages.Message_Box("RegionsListView::Render_Animation_Frame  failed,  frameArtist is NULL.");
    return;
  }
  DrawSurface* memory = Get_Memory_Surface();
  if (memory == nullptr) return;
  artist->Erase_Background(255);
  if (m_drawCode == kDrawCodeWithMap) {
    std::string err;
    const OffMap* map = artist->Get_OffMap(Get_Pane_Kind(), err);
    if (map != nullptr && err.empty()) {
      RectLong pane;
      Get_Graphic().Get_Rect(pane);
      const RectShrt src = Make_RectShrt(0, 0, static_cast<int16_t>(artist->Get_Width() - 1),
                                         static_cast<int16_t>(artist->Get_Height() - 1));
      const RectShrt dst = Make_RectShrt(0, 0, static_cast<int16_t>(pane.right - pane.left),
                                         static_cast<int16_t>(pane.bottom - pane.top));
      memory->Blit_Map(*map, src, dst);
    }
  }
  const bool oneSeparation = m_drawCode == kWindowRegionObjects && m_paneParameter >= 1;
  for (ListLink<ComponentView>* link = Get_Child_ComponentViews_List()->Get_Head_Link(); link != nullptr;
       link = link->Get_Next()) {
    auto* view = dynamic_cast<RegionView*>(link->Get_Object());
    if (view == nullptr || view->Get_Subject() == nullptr) continue;
    const RegionSubject* region = view->Get_Region();
    if (oneSeparation && (region == nullptr || region->m_separationID + 1 != m_paneParameter)) continue;
    view->Draw_MemBitmap(*memory, m_drawCode, m_paneParameter, messages);
  }
  if (window != nullptr) Blit_To_Window(*window);
}

void RegionsListView::Update_Appearance(Pane* /*pane*/) { Render_Animation_Frame(nullptr, m_messages); }
