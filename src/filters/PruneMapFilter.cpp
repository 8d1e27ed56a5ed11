#include "filters/PruneMapFilter.h"

#include <memory>
#include <string>

#include "platform/PlatformServices.h"
#include "raster/OffMap.h"

// A line end: the one line neighbour lies left, above, right, below, above
// left, above right, below right, below left (cells as for thinning).
const int16_t PruneMapFilter::kElements[kElementCount][kCellsPerElement] = {
    {2, 0, 0, 1, 0, 2, 0, 0}, {2, 1, 2, 0, 0, 0, 0, 0}, {0, 0, 2, 0, 1, 0, 0, 2}, {0, 0, 0, 0, 0, 2, 1, 2},
    {1, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 1, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 1}, {0, 0, 0, 0, 0, 1, 0, 0}};

PruneMapFilter::PruneMapFilter(OffMap* targetMap, int16_t maxIters, MessageService& messages)
    : OnTheFlyMapFilter(maxIters, targetMap, messages) {}

void PruneMapFilter::Filter() {
  m_passCount = 0;
  m_removedCount = 0;
  if (m_targetMap == nullptr) return;
  std::unique_ptr<OffMap> work = Make_Work_Map();
  if (!work) {
    m_messages.Message_Box("PruneMapFilter::Filter failed,  could not create tempMap.", MessageButtons::Ok);
    return;
  }
  const OffMap& undo = *m_UndoMap;
  const int32_t w = undo.Get_Width(), h = undo.Get_Height();
  std::string err;
  for (int32_t pass = 0; pass < m_Parm1; ++pass) {
    ++m_passCount;
    int32_t removed = 0;
    for (int32_t y = 0; y < h; ++y) {
      for (int32_t x = 0; x < w; ++x) {
        int16_t r = 255, g = 255, b = 255;
        undo.Get_Pixel(x, y, r, g, b);
        if (r >= kLineThreshold) continue;
        for (const int16_t* element : kElements) {
          if (undo.Matches_Structure_Element(x, y, kCellsPerElement, element, kLineThreshold)) {
            work->Set_Pixel(x, y, 255, 255, 255);
            ++removed;
            break;
          }
        }
      }
    }
    m_removedCount += removed;
    m_UndoMap->Copy_Bits(*work, err);
    if (removed == 0) break;
  }
  m_targetMap->Copy_Bits(*m_UndoMap, err);
}
