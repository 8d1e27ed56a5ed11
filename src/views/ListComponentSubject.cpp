#include "views/ListComponentSubject.h"

#include "views/ComponentView.h"
#include "views/ListComponentView.h"

ListComponentSubject::ListComponentSubject() = default;

ListComponentSubject::~ListComponentSubject() = default;

std::unique_ptr<Iterator<ComponentSubject>> ListComponentSubject::Get_ChildrenSubjects_Iterator() {
  return std::make_unique<ListIterator<ComponentSubject>>(m_children);
}

bool ListComponentSubject::Add_ChildSubject(ComponentSubject* child, std::string& err) {
  err.clear();
  m_children.Add_To_Tail(child);
  child->Set_Parent(this);
  return true;
}

bool ListComponentSubject::Change_My_Property(Commandj* /*command*/, std::string& err) {
  err.clear();
  return false;
}

bool ListComponentSubject::Initialize_ComponentExternal_for_FileSave(External* /*external*/,
                                                                     std::string& err) {
  err.clear();
  return true;
}

void ListComponentSubject::Delete_All_Children(ListMemry<ComponentView>& views) {
  for (ComponentView* view : views) {
    ListComponentView* listView = view->Get_ListComponentView();
    if (listView == nullptr) continue;
    listView->Detach_All_Child_ComponentViews();
    listView->Get_Child_ComponentViews_List()->Delete_All();
  }
  m_children.Delete_All();
}

bool ListComponentSubject::Delete_ChildSubject(ComponentSubject* child, ListMemry<ComponentView>& views,
                                               std::string& err) {
  err.clear();
  bool metListView = false;
  for (ComponentView* view : views) {
    ListComponentView* listView = view->Get_ListComponentView();
    if (listView == nullptr) continue;
    metListView = true;
    if (!listView->Delete_Child_ComponentView_wFullDetach(child, err)) return false;
  }
  if (metListView) m_children.Remove_Object(child);
  return true;
}

void ListComponentSubject::Append_Clones(List<ComponentSubject>& list) {
  // The number of subjects is taken first: when `list` is this subject's
  // own children, the clones appended to it are not cloned again.
  const int32_t count = list.Get_Count();
  ListIterator<ComponentSubject> it(list);
  it.First();
  for (int32_t i = 0; i < count; ++i, it.Next()) {
    std::unique_ptr<ComponentSubject> clone = it.Current_Item()->Clone();
    if (clone == nullptr) continue;
    clone->Set_Parent(this);
    m_children.Add_To_Tail(clone.release());
  }
}
