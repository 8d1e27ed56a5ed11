#pragma once
// ListMemry: the program's one concrete list, a singly linked list of object
// pointers with a count and an owns-objects flag.
//
// Ownership: while the list owns its objects (the default), every operation
// that deletes a link also destroys the element, and so do Delete_All and the
// destructor.  Remove_Head, Remove_All, Pop and Remove_Object on a
// non-owning list only free links.  Switching ownership affects later
// deletions only.
//
// Reading or taking from an empty list (Get_First, Get_Last, Top, Pop, Get_Nth)
// gives null and changes nothing; Delete_Head and Remove_Head do nothing.

#include <cstdint>

#include "framework/List.h"

template <class T>
class ListMemry : public List<T> {
 public:
  ListMemry() = default;
  ~ListMemry() override { Unlink_All(m_ownsObjects); }

  int32_t Get_Count() const override { return m_count; }

  T* Get_Nth(int32_t index) const override {
    if (m_head == nullptr) return nullptr;
    if (index <= 0 || index >= m_count) return m_head->m_object;
    if (index == m_count - 1) return m_tail->m_object;
    // Walk from the head, or from the link the previous call stopped at when
    // that lies before the wanted one: a forward walk by index (ListIterator,
    // a queue's position) then costs one step per call instead of index steps.
    const ListLink<T>* link = m_head;
    int32_t at = 0;
    if (m_cursor != nullptr && m_cursorIndex <= index) {
      link = m_cursor;
      at = m_cursorIndex;
    }
    while (at < index && link->m_next != nullptr) {
      link = link->m_next;
      ++at;
    }
    m_cursor = link;
    m_cursorIndex = at;
    return link->m_object;
  }

  T* Get_First() const override { return m_head != nullptr ? m_head->m_object : nullptr; }
  T* Get_Last() const override { return m_tail != nullptr ? m_tail->m_object : nullptr; }

  ListLink<T>* Add_To_Head(T* object) override { return Link_At_Head(object); }

  void Delete_Head() override {
    if (m_head == nullptr) return;
    Destroy(Unlink_Head());
  }

  bool Is_Empty() const override { return m_count <= 0; }

  void Remove_All() override { Unlink_All(false); }

  void Add_To_Tail(T* object) override {
    if (m_head == nullptr) {
      Link_At_Head(object);
      return;
    }
    auto* link = new ListLink<T>(object, nullptr);
    m_tail->m_next = link;
    m_tail = link;
    ++m_count;
    m_lastAdded = link;
  }

  void Delete_All() override { Unlink_All(m_ownsObjects); }

  ListLink<T>* Push(T* object) override { return Link_At_Head(object); }

  T* Pop() override { return m_head != nullptr ? Unlink_Head() : nullptr; }

  T* Top() const override { return Get_First(); }

  virtual void Set_Owns_Objects(bool owns) { m_ownsObjects = owns; }

  virtual void Remove_Head() {
    if (m_head != nullptr) Unlink_Head();
  }

  // The link made by the latest Add_To_Head, Add_To_Tail or Push; null when
  // that link has been taken out of the list since.
  virtual ListLink<T>* Get_Last_Added_Link() const { return m_lastAdded; }

  virtual ListLink<T>* Get_Head_Link() const { return m_head; }

  // Range-for over the elements, head to tail: `for (T* item : list)`, and
  // `for (const T* item : list)` on a const list (ListElementIterator in
  // List.h says what the body may change).
  using iterator = ListElementIterator<T, T>;
  using const_iterator = ListElementIterator<T, const T>;
  iterator begin() { return iterator(m_head); }
  iterator end() { return iterator(); }
  const_iterator begin() const { return const_iterator(m_head); }
  const_iterator end() const { return const_iterator(); }

  bool Get_Owns_Objects() const { return m_ownsObjects; }

  // Takes out the first link that holds this very pointer (identity, not
  // equality), destroying the element when the list owns it.  Does nothing
  // when no link holds it.
  void Remove_Object(T* object) {
    if (m_head == nullptr) return;
    if (m_head->m_object == object) {
      Delete_Head();
      return;
    }
    ListLink<T>* before = m_head;
    while (before->m_next != nullptr && before->m_next->m_object != object) before = before->m_next;
    ListLink<T>* link = before->m_next;
    if (link == nullptr) return;
    before->m_next = link->m_next;
    if (m_tail == link) m_tail = before;
    Forget(link);
    --m_count;
    delete link;
    Destroy(object);
  }

 private:
  ListLink<T>* Link_At_Head(T* object) {
    auto* link = new ListLink<T>(object, m_head);
    if (m_head == nullptr) m_tail = link;
    m_head = link;
    ++m_count;
    m_lastAdded = link;
    m_cursor = nullptr;  // every index has moved by one
    return link;
  }

  // Unlinks and frees the head link and hands back its element.
  T* Unlink_Head() {
    ListLink<T>* link = m_head;
    m_head = link->m_next;
    if (m_head == nullptr) m_tail = nullptr;
    Forget(link);
    if (m_count > 0) --m_count;
    T* object = link->m_object;
    delete link;
    return object;
  }

  // Empties the list from the head.  Each link is taken out before its
  // element is destroyed, so an element's destructor always sees a sound list.
  void Unlink_All(bool destroy) {
    while (m_head != nullptr) {
      T* object = Unlink_Head();
      if (destroy) delete object;
    }
  }

  void Destroy(T* object) {
    if (m_ownsObjects) delete object;
  }

  void Forget(const ListLink<T>* link) {
    if (m_lastAdded == link) m_lastAdded = nullptr;
    m_cursor = nullptr;
  }

  ListLink<T>* m_head = nullptr;
  int32_t m_count = 0;
  bool m_ownsObjects = true;
  ListLink<T>* m_lastAdded = nullptr;
  ListLink<T>* m_tail = nullptr;
  // Where the latest Get_Nth walk stopped; dropped whenever links before it
  // may have changed.
  mutable const ListLink<T>* m_cursor = nullptr;
  mutable int32_t m_cursorIndex = 0;
};
