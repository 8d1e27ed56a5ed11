#pragma once
// ForkFilter: cuts one-pixel lines at their junctions.  A dark pixel (red
// below 80) with at least three dark 4-neighbours is a junction: it becomes
// white, is counted and, when the filter has a list, recorded with a flag
// for each dark neighbour (its arms).  Every other pixel is written back as
// the grey of its red component.  The filter reads only its undo copy, so a
// removed junction does not change its neighbours' verdicts.

#include <cstdint>

#include "filters/ForkKernal.h"
#include "filters/OnTheFlyMapFilter.h"
#include "framework/ListMemry.h"

class ForkFilter : public OnTheFlyMapFilter {
 public:
  static constexpr int16_t kDarkThreshold = 80;

  // `forks`, when given, receives a new record for every junction (it is not
  // emptied first).
  ForkFilter(OffMap* targetMap, MessageService& messages, ListMemry<ForkKernal>* forks = nullptr);

  void Filter() override;

  // Junctions found by the last Filter() call.
  int32_t Get_Fork_Count() const { return m_forkCount; }

 private:
  int32_t m_forkCount = 0;
  ListMemry<ForkKernal>* m_forks = nullptr;  // not owned
};
