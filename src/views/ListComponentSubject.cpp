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

int32_t ListComponentSubject::Index_Of_Child(const ComponentSubject* child) const {
  int32_t index = 0;
  for (const ListLink<ComponentSubject>* link = m_children.Get_Head_Link(); link != nullptr;
       link = link->Get_Next(), ++index)
    if (link->Get_Object() == child) return index;
  return -1;
}

ComponentSubject* ListComponentSubject::Child_At(int32_t index) const {
  if (index < 0 || index >= m_children.Get_Count()) return nullptr;
  return m_children.Get_Nth(index);
}

std::vector<std::unique_ptr<ComponentSubject>> ListComponentSubject::Take_Children_At(
    const std::vector<int32_t>& indexes) {
  std::vector<std::unique_ptr<ComponentSubject>> taken;
  int32_t previous = -1;
  for (int32_t index : indexes) {
    if (index <= previous || index >= m_children.Get_Count()) return taken;
    previous = index;
  }
  // The list is rebuilt in one pass: popping never destroys.
  std::vector<ComponentSubject*> kept;
  kept.reserve(static_cast<size_t>(m_children.Get_Count()));
  size_t next = 0;
  for (int32_t at = 0; ComponentSubject* child = m_children.Pop(); ++at) {
    if (next < indexes.size() && indexes[next] == at) {
      child->Set_Parent(nullptr);
      taken.emplace_back(child);
      ++next;
    } else {
      kept.push_back(child);
    }
  }
  for (ComponentSubject* child : kept) m_children.Add_To_Tail(child);
  return taken;
}

bool ListComponentSubject::Insert_Children_At(
    std::vector<std::pair<int32_t, std::unique_ptr<ComponentSubject>>> children) {
  const int32_t finalCount = m_children.Get_Count() + static_cast<int32_t>(children.size());
  int32_t previous = -1;
  for (const auto& [index, child] : children) {
    if (index <= previous || index >= finalCount || child == nullptr) return false;
    previous = index;
  }
  std::vector<ComponentSubject*> old;
  old.reserve(static_cast<size_t>(m_children.Get_Count()));
  while (ComponentSubject* child = m_children.Pop()) old.push_back(child);
  size_t next = 0;
  size_t fromOld = 0;
  for (int32_t at = 0; at < finalCount; ++at) {
    if (next < children.size() && children[next].first == at) {
      ComponentSubject* child = children[next++].second.release();
      child->Set_Parent(this);
      m_children.Add_To_Tail(child);
    } else {
      m_children.Add_To_Tail(old[fromOld++]);
    }
  }
  return true;
}
