#pragma once
// ListComponentSubject: a subject that owns an ordered list of child
// subjects.  The region list derives from it.  Children are destroyed when
// they are removed from the list (Remove_Object, Delete_All) and with the
// list subject itself.

#include <memory>
#include <string>

#include "views/ComponentSubject.h"

class ListComponentSubject : public ComponentSubject {
 public:
  ListComponentSubject();
  ~ListComponentSubject() override;

  // Always an iterator, also over an empty list.
  std::unique_ptr<Iterator<ComponentSubject>> Get_ChildrenSubjects_Iterator() override;
  // Appends the child (not null) and becomes its parent; the list owns it
  // from now on.
  bool Add_ChildSubject(ComponentSubject* child, std::string& err) override;
  bool Change_My_Property(Commandj* command, std::string& err) override;
  // Prepares the list for being written to a list file; nothing to do here.
  virtual bool Initialize_ComponentExternal_for_FileSave(External* external, std::string& err);

  ListMemry<ComponentSubject>& Get_Children_List() { return m_children; }

  // Destroys every child view of every list view in `views`, then every child.
  virtual void Delete_All_Children(ListMemry<ComponentView>& views);
  // Destroys the child's view in every list view of `views`, then, when at
  // least one list view was met, the child itself.  The first failure
  // returns false at once.
  virtual bool Delete_ChildSubject(ComponentSubject* child, ListMemry<ComponentView>& views,
                                   std::string& err);
  // Appends a clone of every subject of `list` that can be cloned, in order.
  // `list` may be the children list itself; each child is cloned once.
  virtual void Append_Clones(List<ComponentSubject>& list);

 private:
  ListMemry<ComponentSubject> m_children;  // owning
};
