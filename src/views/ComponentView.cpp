#include "views/ComponentView.h"

#include "platform/PlatformServices.h"
#include "views/Commands.h"
#include "views/ComponentSubject.h"
#include "views/Editorj.h"
#include "views/HandleFrame.h"
#include "views/Manipulators.h"

ComponentView::ComponentView() : m_statevars(Make_Statevar_Table()) {}

ComponentView::~ComponentView() {
  // A view destroyed while it still shows a subject leaves the subject's
  // view list, which would otherwise keep a dangling pointer.
  if (m_subject != nullptr) m_subject->Get_ComponentViews_List().Remove_Object(this);
  // Likewise the selection, which would otherwise keep a destroyed view.
  if (m_selectionBoard != nullptr) m_selectionBoard->Forget_View(this);
}

bool ComponentView::Get_TimeZone_Selection_Values(int32_t& /*start*/, int32_t& /*end*/, std::string& err) {
  err = "Undefined dummy function[  ComponentView::Get_TimeZone_Selection_Values ].";
  return false;
}

void ComponentView::Draw_ComponentView(DrawSurface& /*surface*/, Pane* /*pane*/) {}

void ComponentView::Render_Animation_Frame(DrawSurface* /*window*/, MessageService& /*messages*/) {}

FrameArtist* ComponentView::Get_FrameArtist() const {
  return nullptr;
}

void ComponentView::Update_Size(Pane* /*pane*/) {}

bool ComponentView::Create_HandleFrame(const Eventj& event, Manipulatorj*& manipulator,
                                       MessageService& messages, std::string& err) {
  err.clear();
  manipulator = nullptr;
  Delete_HandleFrame(event.surface);
  auto frame = std::make_unique<HandleFrame>(event.view);
  // Added at the head: the move handle ends up first, the resize handle second.
  frame->Get_Handles().Add_To_Head(new Handlej(event.view, kHandleResize));
  frame->Get_Handles().Add_To_Head(new Handlej(event.view, kHandleMove));
  m_handleFrame = std::move(frame);
  std::string coordsErr;
  if (!Update_HandleFrame_Coords(m_handleFrame.get(), coordsErr)) messages.Message_Box(coordsErr);
  m_handleFrame->Draw(event.surface);
  return true;
}

void ComponentView::Erase_HandleFrame(DrawSurface* window) {
  if (m_handleFrame != nullptr) m_handleFrame->Erase(window);
}

void ComponentView::Delete_HandleFrame(DrawSurface* window) {
  if (m_handleFrame == nullptr) return;
  m_handleFrame->Erase(window);
  m_handleFrame.reset();
}

bool ComponentView::Update(Pane* pane, std::string& err) {
  err.clear();
  // Sizes first: a redraw must see the geometry it is caused by.
  for (Statevar& var : m_statevars) {
    if (var.Is_Up_To_Date()) continue;
    if (var.Get_ID() == kStatevarSize) {
      Update_Size(pane);
      var.Set_Up_To_Date(true);
    } else if (var.Get_ID() != kStatevarAppearance) {
      err = "ComponentView::Update() failed,  Unknown Statevar ID.";
      return false;
    }
  }
  for (Statevar& var : m_statevars) {
    if (var.Is_Up_To_Date() || var.Get_ID() != kStatevarAppearance) continue;
    Update_Appearance(pane);
    var.Set_Up_To_Date(true);
  }
  return true;
}

bool ComponentView::Process_Notification(const Statevar& notice, std::string& err) {
  err.clear();
  if (notice.Get_ID() < 0) {
    err = "ComponentView::Process_Notification() failed,  Statevar ID not assigned.";
    return false;
  }
  if (notice.Get_ID() >= kStatevarCount) {
    err = "ComponentView::Process_Notification() failed,  Statevar ID has eroneous value.";
    return false;
  }
  for (Statevar& var : m_statevars)
    if (var.Get_ID() == notice.Get_ID()) var.Take_Notice(notice);
  return true;
}

void ComponentView::Set_ListParentView(ComponentView* /*listView*/) {}

ComponentView* ComponentView::Get_ListParentView() const {
  return nullptr;
}

ListComponentView* ComponentView::Get_ListComponentView() {
  return nullptr;
}

ListMemry<ComponentView>* ComponentView::Get_Child_ComponentViews_List() {
  return nullptr;
}

bool ComponentView::Create_Child_ComponentViews(Pane* /*pane*/, std::string& err) {
  err.clear();
  return true;
}

bool ComponentView::Has_Children_In_Subjects_List(std::string& err) {
  err.clear();
  return false;
}

std::unique_ptr<Iterator<ComponentView>> ComponentView::Get_Child_ComponentViews_Iterator() {
  return nullptr;
}

std::unique_ptr<Iterator<ComponentView>> ComponentView::Get_Child_ComponentViews_ReverseIterator() {
  return nullptr;
}

void ComponentView::Detach_All_Child_ComponentViews() {
  std::unique_ptr<Iterator<ComponentView>> it = Get_Child_ComponentViews_Iterator();
  if (it == nullptr) return;
  for (it->First(); !it->Is_Done(); it->Next()) {
    ComponentView* child = it->Current_Item();
    child->Delete_HandleFrame(nullptr);
    if (ComponentSubject* subject = child->Get_Subject(); subject != nullptr)
      subject->Detach_ComponentView(child);
  }
}

void ComponentView::Delete_Child_ComponentViews(MessageService& /*messages*/) {}

void ComponentView::Notify_Child_ComponentViews(const Statevar& notice, MessageService& messages) {
  std::unique_ptr<Iterator<ComponentView>> it = Get_Child_ComponentViews_Iterator();
  if (it == nullptr) return;
  for (it->First(); !it->Is_Done(); it->Next()) {
    std::string err;
    if (!it->Current_Item()->Process_Notification(notice, err)) messages.Message_Box(err);
  }
}

std::unique_ptr<Manipulatorj> ComponentView::Create_Manipulator(const Eventj& /*event*/,
                                                                Editorj& /*editor*/) {
  return nullptr;
}

std::unique_ptr<Commandj> ComponentView::Interpret_Manipulator(Manipulatorj& /*manipulator*/,
                                                               Editorj& /*editor*/) {
  return nullptr;
}

bool ComponentView::Change_Subject_Property(Commandj* command, MessageService& messages) {
  if (m_subject == nullptr) return false;
  return m_subject->Change_Property(command, messages);
}

ComponentView* ComponentView::Find_ComponentView_at_Point(const Eventj& event) {
  PointLong point;
  point.x = event.point.x;
  point.y = event.point.y;
  if (std::unique_ptr<Iterator<ComponentView>> it = Get_Child_ComponentViews_Iterator(); it != nullptr) {
    for (it->First(); !it->Is_Done(); it->Next())
      if (it->Current_Item()->Get_Graphic().Contains_Point(point)) return it->Current_Item();
  }
  return m_graphic.Contains_Point(point) ? this : nullptr;
}

bool ComponentView::Update_HandleFrame_Coords(HandleFrame* frame, std::string& err) {
  err.clear();
  if (frame == nullptr) return true;
  RectLong r;
  m_graphic.Get_Rect(r);
  bool ok = true;
  int32_t next = 0;
  for (Handlej* handle : frame->Get_Handles()) {
    const int32_t index = next++;
    if (index == 0) {
      handle->Set_Center(static_cast<int16_t>(r.left + (static_cast<int64_t>(r.right) - r.left) / 2),
                         static_cast<int16_t>(r.top + (static_cast<int64_t>(r.bottom) - r.top) / 2));
    } else if (index == 1) {
      handle->Set_Center(static_cast<int16_t>(r.right), static_cast<int16_t>(r.bottom));
    } else {
      err = "ComponentView::Update_HandleFrame_Coords()  failed,  unknown handle.";
      ok = false;
    }
  }
  return ok;
}
