#pragma once
// CircularQue: a fixed number of point records in a list, written round and
// round.  The element type needs int16_t members x and y (the outline code
// uses it over Pixel for its moving averages).  Usable after Init_Queue; the
// queue owns its records.

#include <cstdint>

#include "framework/ListMemry.h"

template <class T>
class CircularQue : public ListMemry<T> {
 public:
  // Both coordinates of a slot that has not been written yet.
  static constexpr int16_t kUnwritten = -9999;

  CircularQue() = default;
  ~CircularQue() override = default;

  // Replaces the contents by `size` unwritten records and starts at slot 0.
  void Init_Queue(int16_t size) {
    this->Delete_All();
    for (int16_t i = 0; i < size; ++i) {
      T* slot = new T;
      slot->x = kUnwritten;
      slot->y = kUnwritten;
      this->Add_To_Tail(slot);
    }
    m_capacity = size;
    m_position = 0;
    m_wrapped = false;
  }

  // The record in the slot written next; callers overwrite its coordinates.
  T* Get_Position_Item() const { return this->Get_Nth(m_position); }

  void Advance_Position() {
    m_position = static_cast<int16_t>(m_position + 1);
    if (m_position >= m_capacity) {
      m_position = 0;
      m_wrapped = true;
    }
  }

  int16_t Get_Capacity() const { return m_capacity; }
  int16_t Get_Position() const { return m_position; }
  bool Is_Wrapped() const { return m_wrapped; }

 private:
  int16_t m_capacity = 0;
  int16_t m_position = 0;
  bool m_wrapped = false;
};
