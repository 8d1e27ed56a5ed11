#include "filters/ThinningMapFilter.h"

#include <memory>
#include <string>

#include "platform/PlatformServices.h"
#include "raster/OffMap.h"

// Cells in the order (-1, -1), (0, -1), (1, -1), (-1, 0), (1, 0), (-1, 1),
// (0, 1), (1, 1); 0 background, 1 line, 2 either.  Elements 0 to 3 peel
// from the top, the top right, the right and the bottom right of a line;
// 4 to 7 are their opposites.
const int16_t ThinningMapFilter::kElements[kElementCount][kCellsPerElement] = {
    {0, 0, 0, 2, 2, 1, 1, 1}, {2, 0, 0, 1, 0, 1, 1, 2}, {1, 2, 0, 1, 0, 1, 2, 0}, {1, 1, 2, 1, 0, 2, 0, 0},
    {1, 1, 1, 2, 2, 0, 0, 0}, {2, 1, 1, 0, 1, 0, 0, 2}, {0, 2, 1, 0, 1, 0, 2, 1}, {0, 0, 2, 0, 1, 2, 1, 1}};

ThinningMapFilter::ThinningMapFilter(OffMap* targetMap, MessageService& messages)
    : OnTheFlyMapFilter(kMaxPasses, targetMap, messages) {}

int32_t ThinningMapFilter::Get_Removed_Count(int16_t elementIndex) const {
  return elementIndex >= 0 && elementIndex < kElementCount ? m_removed[elementIndex] : 0;
}

void ThinningMapFilter::Filter() {
  for (int32_t& n : m_removed) n = 0;
  m_passCount = 0;
  if (m_targetMap == nullptr) return;
  std::unique_ptr<OffMap> work = Make_Work_Map();
  if (!work) {
    m_messages.Message_Box("ThinningMapFilter::Filter failed,  could not create tempMap.",
                           MessageButtons::Ok);
    return;
  }
  std::string err;
  for (int32_t pass = 0; pass < m_Parm1; ++pass) {
    ++m_passCount;
    int32_t removedThisPass = 0;
    for (int16_t e = 0; e < kElementCount; ++e) {
      int32_t changed = 0;
      if (!Process_Bitmap_with_One_StructureElement(e, *work, kLineThreshold, changed, err)) {
        m_messages.Message_Box(err, MessageButtons::Ok);
        return;
      }
      m_removed[e] += changed;
      removedThisPass += changed;
      // The next element sees what this one removed.
      m_UndoMap->Copy_Bits(*work, err);
    }
    if (removedThisPass == 0) break;
  }
  m_targetMap->Copy_Bits(*m_UndoMap, err);
}
