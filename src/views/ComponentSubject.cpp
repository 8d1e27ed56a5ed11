#include "views/ComponentSubject.h"

#include <algorithm>
#include <vector>

#include "platform/PlatformServices.h"
#include "views/ComponentView.h"
#include "views/ListComponentSubject.h"
#include "views/ListComponentView.h"

ComponentSubject::ComponentSubject() : m_statevars(Make_Statevar_Table()) {
  m_views.Set_Owns_Objects(false);
}

ComponentSubject::~ComponentSubject() {
  // The views belong to their panes and may outlive the subject; they are
  // left without a subject rather than pointing at a destroyed one.
  while (ComponentView* view = m_views.Pop()) view->Set_Subject(nullptr);
}

ListComponentSubject* ComponentSubject::Get_Parent_ScalepitchList(std::string& err) const {
  err.clear();
  if (m_parent == nullptr)
    err = "ComponentSubject::Get_Parent_ScalepitchList() failed,  parentListSubject  is null.";
  return m_parent;
}

bool ComponentSubject::Is_Leaf_Subject() {
  return Get_ChildrenSubjects_Iterator() == nullptr;
}

Graphic& ComponentSubject::Get_Graphic() {
  return m_graphic;
}

std::unique_ptr<Iterator<ComponentSubject>> ComponentSubject::Get_ChildrenSubjects_Iterator() {
  return nullptr;
}

bool ComponentSubject::Add_ChildSubject(ComponentSubject* /*child*/, std::string& err) {
  err = "Add_ChildSubject  is not installed for ComponentSubject.";
  return false;
}

bool ComponentSubject::Add_ChildSubject_To_Lists_Head(ComponentSubject* /*child*/, std::string& err) {
  err = "Add_ChildSubject_To_Lists_Head  is not installed for ComponentSubject.";
  return false;
}

bool ComponentSubject::Has_View(const ComponentView* view) const {
  for (const ComponentView* each : m_views)
    if (each == view) return true;
  return false;
}

void ComponentSubject::Delete_All_ComponentViews_ThisPane(const ComponentView* pane,
                                                          MessageService& messages) {
  // A list view deletes the first of its child views that shows this
  // subject, which need not be the view at hand, so the view list can lose
  // any of its entries at each step.  The walk therefore starts again from
  // the head each time, skipping the views already dealt with that are still
  // there; a view whose step removed some other view is taken up again.
  std::vector<const ComponentView*> passed;
  for (;;) {
    ComponentView* view = nullptr;
    for (ComponentView* candidate : m_views) {
      if (std::find(passed.begin(), passed.end(), candidate) == passed.end()) {
        view = candidate;
        break;
      }
    }
    if (view == nullptr) return;
    const int32_t before = m_views.Get_Count();
    Delete_View_In_Pane(view, pane, messages);
    if (m_views.Get_Count() >= before) passed.push_back(view);
  }
}

void ComponentSubject::Delete_View_In_Pane(ComponentView* view, const ComponentView* pane,
                                           MessageService& messages) {
  ComponentView* listParent = view->Get_ListParentView();
  if (listParent == nullptr)
    messages.Message_Box(
        "ComponentSubject::Delete_All_ComponentViews_ThisPane  failed,  listParentView is NULL.");
  ComponentSubject* subject = view->Get_Subject();
  if (subject == nullptr) {
    messages.Message_Box("ComponentSubject::Delete_All_ComponentViews_ThisPane  failed,  subject is NULL.");
    return;
  }
  if (pane != nullptr && pane != listParent) return;
  ListComponentView* listView = listParent != nullptr ? listParent->Get_ListComponentView() : nullptr;
  if (listView == nullptr) {
    messages.Message_Box("ComponentSubject::Delete_All_ComponentViews_ThisPane  failed,  listView is NULL.");
    return;
  }
  std::string err;
  if (!listView->Delete_Child_ComponentView_wFullDetach(subject, err)) messages.Message_Box(err);
}

bool ComponentSubject::Remove_From_Parent_List(MessageService& messages, std::string& err) {
  ListComponentSubject* parent = Get_Parent_ScalepitchList(err);
  if (parent == nullptr) return false;
  Delete_All_ComponentViews_ThisPane(nullptr, messages);
  // Destroys this subject: nothing of it may be touched after this line.
  parent->Get_Children_List().Remove_Object(this);
  return true;
}

std::unique_ptr<ComponentSubject> ComponentSubject::Clone() const {
  return nullptr;
}

bool ComponentSubject::Change_Property(Commandj* command, MessageService& messages) {
  std::string err;
  if (Change_My_Property(command, err)) return true;
  messages.Message_Box(err);
  return false;
}

bool ComponentSubject::Update(const void* /*value*/, std::string& err) {
  err.clear();
  for (const Statevar& var : m_statevars) {
    if (var.Is_Pending() && var.Get_ID() != kStatevarAppearance && var.Get_ID() != kStatevarSize) {
      err = "ComponentSubject::Update() failed,  Unknown Statevar ID.";
      return false;
    }
  }
  return true;
}

void ComponentSubject::Notify_ComponentViews(const Statevar& notice, MessageService& messages) {
  for (ComponentView* view : m_views) {
    std::string err;
    if (!view->Process_Notification(notice, err)) messages.Message_Box(err);
  }
}

void ComponentSubject::Attach_ComponentView(ComponentView* view) {
  if (view == nullptr) return;
  if (ComponentSubject* previous = view->Get_Subject(); previous != nullptr && previous->Has_View(view))
    previous->Detach_ComponentView(view);
  m_views.Add_To_Head(view);
  view->Set_Subject(this);
}

void ComponentSubject::Detach_ComponentView(ComponentView* view) {
  if (view == nullptr) return;
  m_views.Remove_Object(view);
  view->Set_Subject(nullptr);
}

std::unique_ptr<ComponentView> ComponentSubject::Create_ComponentView() {
  return nullptr;
}

External* ComponentSubject::Create_ComponentExternal() {
  return nullptr;
}
