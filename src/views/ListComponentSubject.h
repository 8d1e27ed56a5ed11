#pragma once
// ListComponentSubject: a subject that owns an ordered list of child
// subjects.  The region list derives from it.  Children are destroyed when
// they are removed from the list (Remove_Object, Delete_All) and with the
// list subject itself.

#include <memory>
#include <string>
#include <utility>
#include <vector>

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

  // Where a child stands in the children list (0 first); -1 when the list
  // does not hold this very subject.
  int32_t Index_Of_Child(const ComponentSubject* child) const;
  // The child at `index`; null outside the list.
  ComponentSubject* Child_At(int32_t index) const;
  // Takes the children at the given places (ascending, each within the
  // list) out of the list without destroying them and hands them over,
  // parentless, in that order; their views are left alone.  Nothing is
  // taken, and the result is empty, when a place is out of order or outside
  // the list.
  std::vector<std::unique_ptr<ComponentSubject>> Take_Children_At(const std::vector<int32_t>& indexes);
  // Puts subjects back at the places they are to have in the finished list
  // (ascending; each at most the list's size at that point) and becomes
  // their parent.  False, with nothing inserted, when a place is out of
  // order or out of reach.
  bool Insert_Children_At(std::vector<std::pair<int32_t, std::unique_ptr<ComponentSubject>>> children);

 private:
  ListMemry<ComponentSubject> m_children;  // owning
};
