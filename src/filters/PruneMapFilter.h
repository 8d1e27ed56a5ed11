#pragma once
// PruneMapFilter: removes short spurs by peeling line ends.  Each pass
// whitens every line pixel with exactly one line neighbour (in one of the
// 8 places the structure elements describe), so a pass shortens every spur,
// and every free line end, by one pixel.  Passes stop when one removes
// nothing, at the latest after maxIters passes.  The target is rewritten at
// the end.

#include <cstdint>

#include "filters/OnTheFlyMapFilter.h"

class PruneMapFilter : public OnTheFlyMapFilter {
 public:
  static constexpr int16_t kElementCount = 8;
  static constexpr int16_t kCellsPerElement = 8;
  static const int16_t kElements[kElementCount][kCellsPerElement];

  PruneMapFilter(OffMap* targetMap, int16_t maxIters, MessageService& messages);

  void Filter() override;

  // Passes made and pixels removed by the last Filter() call.
  int32_t Get_Pass_Count() const { return m_passCount; }
  int32_t Get_Removed_Count() const { return m_removedCount; }

 protected:
  int16_t Structure_Element_Count() const override { return kElementCount; }
  const int16_t* Structure_Element(int16_t index) const override { return kElements[index]; }

 private:
  int32_t m_passCount = 0;
  int32_t m_removedCount = 0;
};
