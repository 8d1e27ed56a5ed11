#pragma once
// The abstract list of object pointers and the link record it is made of.
//
// A list holds pointers, never copies: the same object may sit in several
// lists, and at most one of them may own it (see ListMemry).

#include <cstddef>
#include <cstdint>
#include <iterator>

template <class T>
class ListMemry;

// One link of a list: the element pointer and the following link.  Only the
// list creates, relinks and frees links, so that its count, tail and cursor
// stay true.  Walkers may read links and may exchange the elements two links
// point to (sorts move elements, never links); replacing an element of an
// owning list leaves the old element to the caller.
template <class T>
class ListLink {
 public:
  ListLink(const ListLink&) = delete;
  ListLink& operator=(const ListLink&) = delete;

  ListLink<T>* Get_Next() const { return m_next; }
  T* Get_Object() const { return m_object; }
  void Set_Object(T* object) { m_object = object; }

 private:
  friend class ListMemry<T>;
  ListLink(T* object, ListLink<T>* next) : m_next(next), m_object(object) {}

  ListLink<T>* m_next;
  T* m_object;
};

// The element walk of a range-for over a ListMemry: head to tail, one step
// per link, handing out the element pointers as `Element*` (`const T*` on a
// const list).  The next link is read when the walk steps, so the body may
// change elements, and may take the current element out of the list only
// when it leaves the loop at once; walks that unlink and go on, or insert,
// keep to the links or to SpeedIndexIterator.
template <class T, class Element>
class ListElementIterator {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = Element*;
  using difference_type = std::ptrdiff_t;
  using pointer = Element* const*;
  using reference = Element*;

  ListElementIterator() = default;
  explicit ListElementIterator(const ListLink<T>* link) : m_link(link) {}

  Element* operator*() const { return m_link->Get_Object(); }
  ListElementIterator& operator++() {
    m_link = m_link->Get_Next();
    return *this;
  }
  ListElementIterator operator++(int) {
    ListElementIterator before = *this;
    m_link = m_link->Get_Next();
    return before;
  }
  bool operator==(const ListElementIterator& other) const { return m_link == other.m_link; }

 private:
  const ListLink<T>* m_link = nullptr;
};

// The list interface every collection of the program is read and built through.
template <class T>
class List {
 public:
  virtual ~List() = default;
  List(const List&) = delete;
  List& operator=(const List&) = delete;

  virtual int32_t Get_Count() const = 0;
  // The element of link number `index` when 0 < index < count; any other
  // index (0, negative, count or more) gives the first element.
  virtual T* Get_Nth(int32_t index) const = 0;
  virtual T* Get_First() const = 0;
  virtual T* Get_Last() const = 0;
  virtual ListLink<T>* Add_To_Head(T* object) = 0;
  virtual void Delete_Head() = 0;
  virtual bool Is_Empty() const = 0;
  virtual void Remove_All() = 0;
  virtual void Add_To_Tail(T* object) = 0;
  virtual void Delete_All() = 0;
  virtual ListLink<T>* Push(T* object) = 0;
  virtual T* Pop() = 0;
  virtual T* Top() const = 0;

 protected:
  List() = default;
};
