#pragma once
// The iterators over the program's lists.
//
// Every walk follows one pattern: First; while not Is_Done: use Current_Item,
// then Next.  Iterators handed out by factory operations live on the heap and
// are deleted by the receiver through the virtual destructor.

#include <cstdint>

#include "framework/List.h"
#include "framework/ListMemry.h"

template <class T>
class Iterator {
 public:
  virtual ~Iterator() = default;
  virtual void First() = 0;
  virtual void Next() = 0;
  virtual bool Is_Done() const = 0;
  virtual T* Current_Item() const = 0;

 protected:
  Iterator() = default;
};

// Walks by index from the first element to the last.  The count is asked on
// every step, so elements added at the tail during the walk are visited.
template <class T>
class ListIterator : public Iterator<T> {
 public:
  explicit ListIterator(const List<T>& list) : m_list(&list) {}

  void First() override { m_index = 0; }
  void Next() override { ++m_index; }
  bool Is_Done() const override { return m_index >= m_list->Get_Count(); }
  // Past the end this is the first element (Get_Nth's rule for a bad index).
  T* Current_Item() const override { return m_list->Get_Nth(m_index); }

 private:
  const List<T>* m_list;
  int32_t m_index = 0;
};

// Walks by index from the last element to the first.
template <class T>
class ReverseIterator : public Iterator<T> {
 public:
  explicit ReverseIterator(const List<T>& list) : m_list(&list), m_index(list.Get_Count() - 1) {}

  void First() override { m_index = m_list->Get_Count() - 1; }
  void Next() override { --m_index; }
  bool Is_Done() const override { return m_index < 0; }
  T* Current_Item() const override { return m_list->Get_Nth(m_index); }

 private:
  const List<T>* m_list;
  int32_t m_index;
};

// A single pass along the links, one step per element.  The following link
// is fetched before the caller sees the current element, so the caller may
// take the current element out of the list (Remove_Object) during the walk.
// First does nothing: the start is fixed when the iterator is made.  Over an
// empty list the iterator is done at once.
template <class T>
class SpeedIndexIterator : public Iterator<T> {
 public:
  explicit SpeedIndexIterator(const ListMemry<T>& list)
      : m_current(list.Get_Head_Link()),
        m_list(&list),
        m_next(m_current != nullptr ? m_current->Get_Next() : nullptr) {}

  void First() override {}
  void Next() override {
    m_previous = m_current;
    m_current = m_next;
    m_next = m_current != nullptr ? m_current->Get_Next() : nullptr;
  }
  bool Is_Done() const override { return m_current == nullptr; }
  T* Current_Item() const override { return m_current != nullptr ? m_current->Get_Object() : nullptr; }

  ListLink<T>* Get_Current_Link() const { return m_current; }
  // The link visited before the current one; it may have been freed when the
  // caller removed its element.
  ListLink<T>* Get_Previous_Link() const { return m_previous; }
  const ListMemry<T>* Get_List() const { return m_list; }

 private:
  ListLink<T>* m_current;
  ListLink<T>* m_previous = nullptr;
  const ListMemry<T>* m_list;
  ListLink<T>* m_next;
};
