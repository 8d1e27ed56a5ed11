#pragma once
// ThinningMapFilter: peels line pixels until every line is one pixel wide.
//
// Each pass applies the 8 structure elements in turn; an element whitens
// every line pixel whose neighbourhood it matches, and the next element sees
// the pixels already removed.  Passes stop when one removes nothing, at the
// latest after m_Parm1 (150) passes.  The target is rewritten at the end.

#include <cstdint>
#include <string>

#include "filters/OnTheFlyMapFilter.h"

class ThinningMapFilter : public OnTheFlyMapFilter {
 public:
  static constexpr int16_t kElementCount = 8;
  static constexpr int16_t kMaxPasses = 150;
  static constexpr int16_t kCellsPerElement = 8;
  static const int16_t kElements[kElementCount][kCellsPerElement];

  ThinningMapFilter(OffMap* targetMap, MessageService& messages);

  void Filter() override;

  // One element over the whole map: every pixel of the undo map with red
  // below `threshold` that matches the element is whitened in `workMap`;
  // `changed` counts them.  False with the reason in `err` when the filter
  // has no undo map, a bad pass limit or an element index out of range.
  bool Process_Bitmap_with_One_StructureElement(int16_t elementIndex, OffMap& workMap,
                                                int16_t threshold, int32_t& changed,
                                                std::string& err);

  // Pixels removed by each element over the last Filter() call.
  int32_t Get_Removed_Count(int16_t elementIndex) const;
  // Passes made by the last Filter() call.
  int32_t Get_Pass_Count() const { return m_passCount; }

 private:
  int32_t m_removed[kElementCount] = {};
  int32_t m_passCount = 0;
};
