#include "views/Commands.h"

#include "views/ComponentSubject.h"
#include "views/ComponentView.h"
#include "views/ListComponentSubject.h"
#include "views/Pane.h"

namespace {

bool Holds_Child(ListComponentSubject& list, const ComponentSubject* child) {
  for (const ListLink<ComponentSubject>* link = list.Get_Children_List().Get_Head_Link(); link != nullptr;
       link = link->Get_Next())
    if (link->Get_Object() == child) return true;
  return false;
}

}  // namespace

// ---------------------------------------------------------------------------
// Properties

bool Propertyj::RollBack_Value(std::string& err) {
  err = "Propertyj::RollBack_Value failed, not defined for subclass.";
  return false;
}

CutObjListProperty::CutObjListProperty(ComponentView* target, ListComponentSubject* parent,
                                       std::unique_ptr<ComponentSubject> clone)
    : Propertyj(target, parent), m_clone(std::move(clone)) {}

CutObjListProperty::~CutObjListProperty() = default;

bool CutObjListProperty::RollBack_Value(std::string& err) {
  err.clear();
  if (Get_Parent() == nullptr) {
    err = "CutObjListProperty::RollBack_Value  failed,  parentListSubject is null.";
    return false;
  }
  if (m_clone == nullptr) {
    err = "CutObjListProperty::RollBack_Value  failed,  cutScalePitch is null.";
    return false;
  }
  if (!Get_Parent()->Add_ChildSubject(m_clone.get(), err)) return false;
  m_clone.release();  // the list owns it now
  return true;
}

bool PasteObjListProperty::RollBack_Value(std::string& err) {
  err.clear();
  ListComponentSubject* parent = Get_Parent();
  if (parent == nullptr) {
    err = "PasteObjListProperty::RollBack_Value  failed,  parentListSubject is null.";
    return false;
  }
  if (m_pasted == nullptr) {
    err = "PasteObjListProperty::RollBack_Value  failed,  cutScalePitch is null.";
    return false;
  }
  // The pasted object may have gone since (deleted or cut); then there is
  // nothing to take back, and the pointer must not be followed.
  ComponentSubject* pasted = m_pasted;
  m_pasted = nullptr;
  if (!Holds_Child(*parent, pasted)) return true;
  if (!parent->Delete_ChildSubject(pasted, parent->Get_ComponentViews_List(), err)) return false;
  // With no list view showing the list the object is still there.
  if (Holds_Child(*parent, pasted)) return pasted->Remove_From_Parent_List(m_messages, err);
  return true;
}

// ---------------------------------------------------------------------------
// Clipboard

ClipBoardj::ClipBoardj(ComponentView* pane, ListMemry<ComponentView>* selection,
                       ListMemry<ComponentSubject>* pasteList)
    : m_pane(pane), m_selection(selection), m_pasteList(pasteList) {}

ClipBoardj::~ClipBoardj() = default;

// ---------------------------------------------------------------------------
// Commands

Commandj::Commandj() = default;

Commandj::~Commandj() = default;

int32_t Commandj::Execute(MessageService& messages) {
  ListMemry<Propertyj>* properties = Get_Property_List();
  if (properties == nullptr) return 0;
  for (ListLink<Propertyj>* link = properties->Get_Head_Link(); link != nullptr; link = link->Get_Next())
    if (ComponentView* target = link->Get_Object()->Get_Target(); target != nullptr)
      target->Change_Subject_Property(this, messages);
  return properties->Get_Count();
}

bool Commandj::UnExecute(std::string& err) {
  err.clear();
  if (!Is_Reversible()) {
    err = "UnExecute can only work on Reversible commands.";
    return false;
  }
  ListMemry<Propertyj>* properties = Get_Property_List();
  if (properties == nullptr || properties->Is_Empty()) {
    err = "Commandj::UnExecute failed,   Property List is empty.";
    return false;
  }
  for (ListLink<Propertyj>* link = properties->Get_Head_Link(); link != nullptr; link = link->Get_Next())
    if (!link->Get_Object()->RollBack_Value(err)) return false;
  return true;
}

ListMemry<Propertyj>* Commandj::Get_Property_List() const {
  return m_clipboard != nullptr ? &m_clipboard->Get_Property_List() : nullptr;
}

ComponentView* Commandj::Get_First_Target() const {
  ListMemry<Propertyj>* properties = Get_Property_List();
  if (properties == nullptr || properties->Is_Empty()) return nullptr;
  return properties->Get_First()->Get_Target();
}

void Commandj::Forget_Targets() {
  if (ListMemry<Propertyj>* properties = Get_Property_List(); properties != nullptr)
    for (ListLink<Propertyj>* link = properties->Get_Head_Link(); link != nullptr; link = link->Get_Next())
      link->Get_Object()->Set_Target(nullptr);
}

ListMemry<Propertyj>& Commandj::Take_ClipBoard(std::unique_ptr<ClipBoardj> clipboard) {
  m_clipboard = std::move(clipboard);
  if (m_clipboard == nullptr) m_clipboard = std::make_unique<ClipBoardj>(nullptr, nullptr);
  m_clipboard->Get_Property_List().Delete_All();
  return m_clipboard->Get_Property_List();
}

namespace {

// The selected views of the clipboard, head to tail (none without a selection).
template <class Visit>
void For_Each_Selected(ClipBoardj& clipboard, Visit visit) {
  ListMemry<ComponentView>* selection = clipboard.Get_Selection_List();
  if (selection == nullptr) return;
  for (ListLink<ComponentView>* link = selection->Get_Head_Link(); link != nullptr; link = link->Get_Next())
    visit(link->Get_Object());
}

}  // namespace

void OffsetGlyphCmnd::Prepare_Properties(std::unique_ptr<ClipBoardj> clipboard) {
  ListMemry<Propertyj>& properties = Take_ClipBoard(std::move(clipboard));
  For_Each_Selected(*Get_ClipBoard(), [&](ComponentView* view) {
    if (view->Get_Subject() != nullptr) properties.Add_To_Tail(new OffsetProperty(view));
  });
}

void SizeCmnd::Prepare_Properties(std::unique_ptr<ClipBoardj> clipboard) {
  ListMemry<Propertyj>& properties = Take_ClipBoard(std::move(clipboard));
  For_Each_Selected(*Get_ClipBoard(), [&](ComponentView* view) {
    if (view->Get_Subject() != nullptr) properties.Add_To_Tail(new SizeProperty(view, Get_Offset()));
  });
}

void OffsetRFrameLeftHandleCmnd::Prepare_Properties(std::unique_ptr<ClipBoardj> clipboard) {
  ListMemry<Propertyj>& properties = Take_ClipBoard(std::move(clipboard));
  For_Each_Selected(*Get_ClipBoard(), [&](ComponentView* view) {
    const auto* pane = dynamic_cast<const Pane*>(view);
    if (pane == nullptr || pane->Get_Pane_Kind() == 0) return;
    auto property = std::make_unique<OffsetProperty>(view, Side());
    property->Set_Amounts(pane->Get_Pane_Kind(), pane->Get_Pane_Kind());
    properties.Add_To_Tail(property.release());
  });
}

void CutObjListCmnd::Prepare_Properties(std::unique_ptr<ClipBoardj> clipboard) {
  ListMemry<Propertyj>& properties = Take_ClipBoard(std::move(clipboard));
  For_Each_Selected(*Get_ClipBoard(), [&](ComponentView* view) {
    if (view->Get_Subject() == nullptr) return;
    std::unique_ptr<ComponentSubject> clone = view->Get_Subject()->Clone();
    if (clone == nullptr) return;
    properties.Add_To_Tail(new CutObjListProperty(view, Get_Destination_List(), std::move(clone)));
  });
}

void PasteObjListCmnd::Prepare_Properties(std::unique_ptr<ClipBoardj> clipboard) {
  ListMemry<Propertyj>& properties = Take_ClipBoard(std::move(clipboard));
  ListMemry<ComponentSubject>* pasted = Get_ClipBoard()->Get_Paste_List();
  ComponentView* pane = Get_ClipBoard()->Get_Pane();
  if (pasted == nullptr || pane == nullptr || pane->Get_Child_ComponentViews_List() == nullptr) return;
  for (ListLink<ComponentSubject>* link = pasted->Get_Head_Link(); link != nullptr; link = link->Get_Next())
    properties.Add_To_Tail(new PasteObjListProperty(Get_Destination_List(), link->Get_Object(), m_messages));
}

void MultiSelectCmnd::Prepare_Properties(std::unique_ptr<ClipBoardj> clipboard) {
  Take_ClipBoard(std::move(clipboard));
}
