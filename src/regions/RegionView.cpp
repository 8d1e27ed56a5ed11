#include "regions/RegionView.h"

#include "framework/Commands.h"
#include "regions/RegionSubject.h"

RegionSubject* RegionView::Get_Region() const { return dynamic_cast<RegionSubject*>(Get_Subject()); }
void RegionView::Update_Appearance(Pane*) {}
void RegionView::Update_Size(Pane*) {}
void RegionView::Draw_ComponentView(DrawSurface&, Pane*) {}
bool RegionView::Draw_MemBitmap(DrawSurface&, int32_t, int32_t, MessageService&) { return false; }
bool RegionView::Update_HandleFrame_Coords(HandleFrame*, std::string& err) { err = "RegionView is not built yet."; return false; }
std::unique_ptr<Commandj> RegionView::Create_Drag_Command(int32_t, const PointShrt&) { return nullptr; }
