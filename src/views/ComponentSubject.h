#pragma once
// ComponentSubject: a model object of the editor framework.  It has a
// bounding rectangle (its Graphic), a table of state variables, the list
// subject it is a child of, and the views that show it.  Regions derive
// from it; ListComponentSubject adds an owned list of children.
//
// Ownership.  A subject is created detached; once a list subject's
// Add_ChildSubject has taken it, that list subject owns it.  Views are never
// owned by their subject (their list view owns them); the subject's view
// list only points at them.  When a subject is destroyed while views still
// show it, those views lose their subject (Get_Subject becomes null), and a
// view destroyed while it shows a subject leaves that subject's view list,
// so neither side is ever left pointing at a destroyed object.
//
// Messages.  Walks over several objects report each failure in a message
// box and go on; they take the MessageService to report to as a parameter,
// handed down by the caller that started the user's action.  Operations with
// an error text clear it first and return false (or null) on failure.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Graphic.h"
#include "framework/Iterator.h"
#include "framework/ListMemry.h"
#include "framework/Statevar.h"

class Commandj;
class ComponentView;
class External;
class ListComponentSubject;
class MessageService;

class ComponentSubject {
 public:
  ComponentSubject();
  virtual ~ComponentSubject();
  ComponentSubject(const ComponentSubject&) = delete;
  ComponentSubject& operator=(const ComponentSubject&) = delete;

  // The list subject whose children hold this subject; null with
  // "ComponentSubject::Get_Parent_ScalepitchList() failed,  parentListSubject  is null."
  // for a top-level subject.
  virtual ListComponentSubject* Get_Parent_ScalepitchList(std::string& err) const;
  // True when the subject gives no children iterator.
  virtual bool Is_Leaf_Subject();
  virtual Graphic& Get_Graphic();
  // A new iterator over the children (the caller owns it); null for a leaf.
  virtual std::unique_ptr<Iterator<ComponentSubject>> Get_ChildrenSubjects_Iterator();
  // Takes ownership of `child` on success only.  A plain subject has no
  // children and refuses.
  virtual bool Add_ChildSubject(ComponentSubject* child, std::string& err);
  virtual bool Add_ChildSubject_To_Lists_Head(ComponentSubject* child, std::string& err);

  // Destroys this subject's views in one pane (the list view `pane`), or in
  // every pane when `pane` is null, through each view's list parent view.
  // A view without a list parent view, without a subject or whose list
  // parent is not a list view is reported and left alone.
  virtual void Delete_All_ComponentViews_ThisPane(const ComponentView* pane, MessageService& messages);
  // Destroys every view of this subject in every pane, then this subject
  // itself (through its parent's children list).  False, with the parent
  // text of Get_Parent_ScalepitchList, for a top-level subject.  After a
  // true result the subject no longer exists.
  virtual bool Remove_From_Parent_List(MessageService& messages, std::string& err);

  // A full copy of the subject (not attached anywhere); null when the kind
  // of subject cannot be copied.
  virtual std::unique_ptr<ComponentSubject> Clone() const;
  // Applies an edit command through Change_My_Property; its failure text is
  // shown in a message box.
  virtual bool Change_Property(Commandj* command, MessageService& messages);
  // Checks the subject's own state variables: a pending one with an id
  // other than 0 and 1 fails with "ComponentSubject::Update() failed,  Unknown Statevar ID.".
  // Nothing is changed either way.
  virtual bool Update(const void* value, std::string& err);
  // Hands the notice to every view of this subject, in view-list order.
  virtual void Notify_ComponentViews(const Statevar& notice, MessageService& messages);

  ListMemry<ComponentView>& Get_ComponentViews_List() { return m_views; }
  // Puts the view at the head of the view list and makes this its subject.
  // A view still attached elsewhere is detached from there first, so a view
  // is only ever in the list of the subject it shows.
  virtual void Attach_ComponentView(ComponentView* view);
  // Takes the view out of the view list (it survives) and clears its subject.
  virtual void Detach_ComponentView(ComponentView* view);
  // A new view of this subject with its subject set (not attached); null
  // when the kind of subject has no view.
  virtual std::unique_ptr<ComponentView> Create_ComponentView();
  // A new writer/reader of this subject in list files (the caller owns
  // it); null when it has none.
  virtual External* Create_ComponentExternal();
  // Applies an edit command to the subject itself.
  virtual bool Change_My_Property(Commandj* command, std::string& err) = 0;

  // State variable `id` (0 .. 19).
  Statevar& Get_Statevar(int32_t id) { return m_statevars[static_cast<size_t>(id)]; }
  // Set by the list subject that takes this subject as a child.
  void Set_Parent(ListComponentSubject* parent) { m_parent = parent; }

 protected:
  Graphic m_graphic;

 private:
  bool Has_View(const ComponentView* view) const;
  // One step of Delete_All_ComponentViews_ThisPane.
  void Delete_View_In_Pane(ComponentView* view, const ComponentView* pane, MessageService& messages);

  StatevarTable m_statevars;
  ListComponentSubject* m_parent = nullptr;
  ListMemry<ComponentView> m_views;  // not owning
};
