#include "views/ListComponentView.h"

#include "platform/PlatformServices.h"
#include "raster/OffMap.h"
#include "views/ComponentSubject.h"
#include "views/DrawSurface.h"
#include "views/FrameArtist.h"
#include "views/ListComponentSubject.h"

ListComponentView::ListComponentView() = default;

ListComponentView::~ListComponentView() = default;

void ListComponentView::Render_Animation_Frame(DrawSurface* window, MessageService& messages) {
  FrameArtist* artist = Get_FrameArtist();
  if (artist == nullptr) {
    messages.Message_Box(std::string(View_Class_Name()) +
                         "::Render_Animation_Frame  failed,  frameArtist is NULL.");
    return;
  }
  DrawSurface* memory = Get_Memory_Surface();
  if (memory == nullptr) return;
  artist->Erase_Background(255);
  Draw_Frame(*artist, *memory, messages);
  if (window != nullptr) Blit_To_Window(*window);
}

void ListComponentView::Draw_Frame(FrameArtist& artist, DrawSurface& memory, MessageService& /*messages*/) {
  Blit_Artist_Map(artist, memory);
  Draw_Child_ComponentViews(kDrawToMemory, this);
}

void ListComponentView::Blit_Artist_Map(FrameArtist& artist, DrawSurface& memory) {
  std::string err;
  const OffMap* map = artist.Get_OffMap(Get_Pane_Kind(), err);
  if (map == nullptr || !err.empty()) return;
  RectLong pane;
  Get_Graphic().Get_Rect(pane);
  const RectShrt src = Make_RectShrt(0, 0, static_cast<int16_t>(artist.Get_Width() - 1),
                                     static_cast<int16_t>(artist.Get_Height() - 1));
  const RectShrt dst = Make_RectShrt(0, 0, static_cast<int16_t>(pane.right - pane.left),
                                     static_cast<int16_t>(pane.bottom - pane.top));
  memory.Blit_Map(*map, src, dst);
}

bool ListComponentView::Wants_Child_View(ComponentSubject& /*child*/) {
  return true;
}

bool ListComponentView::Create_Child_ComponentViews(Pane* /*pane*/, std::string& err) {
  err.clear();
  ComponentSubject* subject = Get_Subject();
  if (subject == nullptr) {
    err = std::string(View_Class_Name()) + "::Create_Child_ComponentViews(),   no Subject.";
    return false;
  }
  std::unique_ptr<Iterator<ComponentSubject>> it = subject->Get_ChildrenSubjects_Iterator();
  if (it == nullptr) {
    err = std::string(View_Class_Name()) +
          "::Create_Child_ComponentViews(),   this is NOT a Composite(multi ) view.";
    return false;
  }
  for (it->First(); !it->Is_Done(); it->Next()) {
    ComponentSubject* child = it->Current_Item();
    if (!Wants_Child_View(*child)) continue;
    std::unique_ptr<ComponentView> view = child->Create_ComponentView();
    if (view == nullptr) continue;
    view->Set_ListParentView(this);
    child->Attach_ComponentView(view.get());
    m_childViews.Add_To_Tail(view.release());
  }
  return true;
}

bool ListComponentView::Has_Children_In_Subjects_List(std::string& err) {
  ListComponentSubject* list = Get_List_Subject(err);
  if (list == nullptr) {
    err = "ListComponentView::Has_Children_In_Subjects_List failed,  subject is null";
    return false;
  }
  return !list->Get_Children_List().Is_Empty();
}

std::unique_ptr<Iterator<ComponentView>> ListComponentView::Get_Child_ComponentViews_Iterator() {
  if (m_childViews.Is_Empty()) return nullptr;
  return std::make_unique<SpeedIndexIterator<ComponentView>>(m_childViews);
}

std::unique_ptr<Iterator<ComponentView>> ListComponentView::Get_Child_ComponentViews_ReverseIterator() {
  if (m_childViews.Is_Empty()) return nullptr;
  return std::make_unique<ReverseIterator<ComponentView>>(m_childViews);
}

void ListComponentView::Delete_Child_ComponentViews(MessageService& messages) {
  std::string err;
  ListComponentSubject* list = Get_List_Subject(err);
  if (list == nullptr) return;
  for (ComponentSubject* subject : list->Get_Children_List())
    subject->Delete_All_ComponentViews_ThisPane(this, messages);
}

void ListComponentView::Add_Child_ComponentView(ComponentView* view) {
  m_childViews.Add_To_Tail(view);
}

bool ListComponentView::Delete_Child_ComponentView_wFullDetach(ComponentSubject* subject, std::string& err) {
  err.clear();
  if (Get_ListComponentView() == nullptr) {
    err = "Delete_Child_ComponentView_wFullDetach failed,  ListComponentView bad cast.";
    return false;
  }
  for (ComponentView* view : m_childViews) {
    if (view->Get_Subject() != subject) continue;
    subject->Detach_ComponentView(view);
    m_childViews.Remove_Object(view);
    break;
  }
  return true;
}

ListComponentSubject* ListComponentView::Get_List_Subject(std::string& err) const {
  err.clear();
  ComponentSubject* subject = Get_Subject();
  if (subject == nullptr) {
    err = "ListComponentView::Get_List_Subject failed,  subject is null.";
    return nullptr;
  }
  auto* list = dynamic_cast<ListComponentSubject*>(subject);
  if (list == nullptr) err = "ListComponentView::Get_List_Subject,  can not dynamic cast.";
  return list;
}

void ListComponentView::Draw_Child_ComponentViews(int32_t kind, Pane* pane) {
  Draw_Children(kind, pane, nullptr);
}

void ListComponentView::Draw_Child_ComponentView_of_Subject(int32_t kind, Pane* pane,
                                                            const ComponentSubject* subject) {
  if (subject == nullptr) return;
  Draw_Children(kind, pane, subject);
}

void ListComponentView::Draw_Children(int32_t kind, Pane* pane, const ComponentSubject* onlySubject) {
  DrawSurface* memory = Get_Memory_Surface();
  m_currentDrawKind = kind;
  for (ComponentView* view : m_childViews) {
    if (view->Get_Subject() == nullptr) continue;
    if (onlySubject != nullptr && view->Get_Subject() != onlySubject) continue;
    if (kind == kDrawUpdateAppearance)
      view->Update_Appearance(pane);
    else if ((kind == kDrawToMemory || kind == kDrawToMemoryAlt) && memory != nullptr)
      view->Draw_ComponentView(*memory, pane);
  }
  m_currentDrawKind = 0;
}
