#pragma once
// OnTheFlyMapFilter: the base of the line-cleaning filters (thinning,
// pruning, fork detection).  They work on maps whose dark pixels are lines
// and look at the 8 neighbours of each line pixel.  The filter keeps its own
// undo copy of the target, made by the constructor.

#include <cstdint>
#include <memory>
#include <string>

#include "filters/MapFilter.h"

class MessageService;
class OffMap;

class OnTheFlyMapFilter : public MapFilter {
 public:
  ~OnTheFlyMapFilter() override;

  void Delete_UndoMap();
  int16_t Get_Parm1() const { return m_Parm1; }

  // One structure element over the whole map: every pixel of the undo map
  // with red below `threshold` whose neighbourhood matches the element is
  // whitened in `workMap`; `changed` counts them.  False with the reason in
  // `err` when the filter has no undo map, no pass limit (m_Parm1 <= 0) or
  // no element of that index.
  bool Process_Bitmap_with_One_StructureElement(int16_t elementIndex, OffMap& workMap, int16_t threshold,
                                                int32_t& changed, std::string& err);

  // A pixel is a line pixel when its red component is below this; a
  // neighbour counts as line when it is not light at this threshold (for
  // the grey maps the filters work on, the same test).
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
  // The filter's structure elements (8 cells each); none here.
  virtual int16_t Structure_Element_Count() const { return 0; }
  virtual const int16_t* Structure_Element(int16_t /*index*/) const { return nullptr; }

  MessageService& m_messages;
  std::unique_ptr<OffMap> m_ownedUndoMap;
  int16_t m_Parm1 = -1;  // thinning and pruning: the largest number of passes
};
