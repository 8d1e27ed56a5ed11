#pragma once
// ThinningMapFilter: peels line pixels until every line is one pixel wide.
//
// Each pass applies the 8 structure elements in turn; an element whitens
// every line pixel whose neighbourhood it matches, and the next element sees
// the pixels already removed.  Passes stop when one removes nothing, at the
// latest after m_Parm1 (150) passes.  The target is rewritten at the end.

#include <cstdint>

#include "filters/OnTheFlyMapFilter.h"

class ThinningMapFilter : public OnTheFlyMapFilter {
 public:
  static constexpr int16_t kElementCount = 8;
  static constexpr int16_t kMaxPasses = 150;
  static constexpr int16_t kCellsPerElement = 8;
  static const int16_t kElements[kElementCount][kCellsPerElement];

  ThinningMapFilter(OffMap* targetMap, MessageService& messages);

  void Filter() override;

  // Pixels removed by each element over the last Filter() call.
  int32_t Get_Removed_Count(int16_t elementIndex) const;
  // Passes made by the last Filter() call.
  int32_t Get_Pass_Count() const { return m_passCount; }

 protected:
  int16_t Structure_Element_Count() const override { return kElementCount; }
  const int16_t* Structure_Element(int16_t index) const override { return kElements[index]; }

 private:
  int32_t m_removed[kElementCount] = {};
  int32_t m_passCount = 0;
};
