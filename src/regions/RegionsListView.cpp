#include "regions/RegionsListView.h"

#include "platform/PlatformServices.h"
#include "regions/RegionSubject.h"
#include "regions/RegionView.h"

RegionsListView::RegionsListView(MessageService& messages) : m_messages(messages) {}

RegionsListView::~RegionsListView() = default;

bool RegionsListView::Wants_Child_View(ComponentSubject& child) {
  auto* region = dynamic_cast<RegionSubject*>(&child);
  return region != nullptr && !(m_drawCode == kWindowRegionObjects && !region->Is_SubRegion());
}

bool RegionsListView::Draws(const RegionView& view) const {
  if (view.Get_Subject() == nullptr) return false;
  const bool oneSeparation = m_drawCode == kWindowRegionObjects && m_paneParameter >= 1;
  const RegionSubject* region = view.Get_Region();
  return !oneSeparation || (region != nullptr && region->Get_Separation_ID() + 1 == m_paneParameter);
}

void RegionsListView::Draw_Frame(FrameArtist& artist, DrawSurface& memory, MessageService& messages) {
  if (m_drawCode == kDrawCodeWithMap) Blit_Artist_Map(artist, memory);
  for (ComponentView* child : *Get_Child_ComponentViews_List()) {
    auto* view = dynamic_cast<RegionView*>(child);
    if (view != nullptr && Draws(*view)) view->Draw_MemBitmap(memory, m_drawCode, m_paneParameter, messages);
  }
}

ComponentView* RegionsListView::Find_ComponentView_at_Point(const Eventj& event) {
  PointLong point;
  point.x = event.point.x;
  point.y = event.point.y;
  for (ComponentView* child : *Get_Child_ComponentViews_List()) {
    auto* view = dynamic_cast<RegionView*>(child);
    if (view != nullptr && Draws(*view) && view->Get_Graphic().Contains_Point(point)) return view;
  }
  return nullptr;
}

void RegionsListView::Update_Appearance(Pane* /*pane*/) {
  Render_Animation_Frame(nullptr, m_messages);
}
