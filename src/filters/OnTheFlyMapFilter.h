#pragma once
// OnTheFlyMapFilter: the base of the line-cleaning filters (thinning,
// pruning, fork detection).  They work on maps whose dark pixels are lines
// and look at the 8 neighbours of each line pixel.  The filter keeps its own
// undo copy of the target, made by the constructor.

#include <cstdint>
#include <memory>

#include "filters/MapFilter.h"

class MessageService;
class OffMap;

class OnTheFlyMapFilter : public MapFilter {
 public:
  ~OnTheFlyMapFilter() override;

  void Delete_UndoMap();
  int16_t Get_Parm1() const { return m_Parm1; }

  // A pixel belongs to a line when its red component is below this.
  static constexpr int16_t kLineThreshold = 90;

 protected:
  // Copies the target into the undo map; when that fails a message is shown
  // and the filter has no undo map.  A null target leaves the filter inert.
  OnTheFlyMapFilter(int16_t parm1, OffMap* targetMap, MessageService& messages);

  // A new map of the target's size and depth holding a copy of the undo
  // map, or null (also without an undo map).
  std::unique_ptr<OffMap> Make_Work_Map() const;
  // True when the target and the undo map are usable together.
  bool Maps_Ready() const;

  MessageService& m_messages;
  std::unique_ptr<OffMap> m_ownedUndoMap;
  int16_t m_Parm1 = -1;  // thinning and pruning: the largest number of passes
};
