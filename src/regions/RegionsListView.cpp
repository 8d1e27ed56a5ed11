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

void RegionsListView::Draw_Frame(FrameArtist& artist, DrawSurface& memory, MessageService& messages) {
  if (m_drawCode == kDrawCodeWithMap) Blit_Artist_Map(artist, memory);
  const bool oneSeparation = m_drawCode == kWindowRegionObjects && m_paneParameter >= 1;
  for (ComponentView* child : *Get_Child_ComponentViews_List()) {
    auto* view = dynamic_cast<RegionView*>(child);
    if (view == nullptr || view->Get_Subject() == nullptr) continue;
    const RegionSubject* region = view->Get_Region();
    if (oneSeparation && (region == nullptr || region->Get_Separation_ID() + 1 != m_paneParameter)) continue;
    view->Draw_MemBitmap(memory, m_drawCode, m_paneParameter, messages);
  }
}

void RegionsListView::Update_Appearance(Pane* /*pane*/) {
  Render_Animation_Frame(nullptr, m_messages);
}
