#pragma once
// Statevar: one state variable of a subject or a view, and the notice that
// changes it.
//
// Changes reach views in two phases.  A sender builds a notice (a Statevar
// with the id of what changed, up to date = false, value = the sender) and
// hands it to the views; each view copies it into its state variables of
// that id, which makes them pending.  Only the view's later Update runs the
// handlers, so several notices before a repaint cost one redraw.

#include <array>
#include <cstdint>

// Every subject and view has this many state variables; entry i has id i.
constexpr int32_t kStatevarCount = 20;
// The ids this system assigns.  Any other id that becomes pending is an error.
constexpr int32_t kStatevarAppearance = 0;  // contents changed: redraw
constexpr int32_t kStatevarSize = 1;        // size or geometry changed

class Statevar {
 public:
  // A lone state variable: id -1, up to date, no value.
  Statevar() = default;
  Statevar(int32_t id, bool upToDate, const void* value) : m_id(id), m_upToDate(upToDate), m_value(value) {}

  // A notice of a change of `id` sent by `sender` (may be null).
  static Statevar Make_Notice(int32_t id, const void* sender) { return Statevar(id, false, sender); }

  int32_t Get_ID() const { return m_id; }
  bool Is_Up_To_Date() const { return m_upToDate; }
  bool Is_Pending() const { return !m_upToDate; }
  // The sender of the last notice taken; it is only ever compared, never
  // dereferenced by the framework.
  const void* Get_Value() const { return m_value; }

  void Set_Up_To_Date(bool upToDate) { m_upToDate = upToDate; }
  // Takes over a notice's state (not its id).
  void Take_Notice(const Statevar& notice) {
    m_upToDate = notice.m_upToDate;
    m_value = notice.m_value;
  }

 private:
  int32_t m_id = -1;
  bool m_upToDate = true;
  const void* m_value = nullptr;
};

// The state variables of one subject or view, entry i with id i, all up to date.
using StatevarTable = std::array<Statevar, kStatevarCount>;

inline StatevarTable Make_Statevar_Table() {
  StatevarTable table;
  for (int32_t i = 0; i < kStatevarCount; ++i) table[static_cast<size_t>(i)] = Statevar(i, true, nullptr);
  return table;
}
