#include "filters/OnTheFlyMapFilter.h"

#include <string>

#include "platform/PlatformServices.h"
#include "raster/OffMap.h"

OnTheFlyMapFilter::OnTheFlyMapFilter(int16_t parm1, OffMap* targetMap, MessageService& messages)
    : MapFilter(targetMap), m_messages(messages), m_Parm1(parm1) {
  if (targetMap == nullptr) return;
  std::unique_ptr<OffMap> copy;
  if (!targetMap->Is_Not_In_Memory()) {
    copy = OffMap::Make(targetMap->Get_Width(), targetMap->Get_Height(), targetMap->Get_Depth());
    if (copy) copy->Assign_Copy(*targetMap);
  }
  if (!copy || copy->Is_Not_In_Memory()) {
    m_messages.Message_Box("OnTheFlyMapFilter::OnTheFlyMapFilter  failed,  could not create m_UndoMap.",
                           MessageButtons::Ok);
    return;
  }
  m_ownedUndoMap = std::move(copy);
  m_UndoMap = m_ownedUndoMap.get();
}

OnTheFlyMapFilter::~OnTheFlyMapFilter() = default;

void OnTheFlyMapFilter::Delete_UndoMap() {
  m_ownedUndoMap.reset();
  m_UndoMap = nullptr;
}

bool OnTheFlyMapFilter::Maps_Ready() const {
  return m_targetMap != nullptr && m_UndoMap != nullptr && !m_targetMap->Is_Not_In_Memory() &&
         m_UndoMap->Get_Width() == m_targetMap->Get_Width() &&
         m_UndoMap->Get_Height() == m_targetMap->Get_Height() &&
         m_UndoMap->Get_Depth() == m_targetMap->Get_Depth();
}

std::unique_ptr<OffMap> OnTheFlyMapFilter::Make_Work_Map() const {
  if (!Maps_Ready()) return nullptr;
  std::unique_ptr<OffMap> work =
      OffMap::Make(m_targetMap->Get_Width(), m_targetMap->Get_Height(), m_targetMap->Get_Depth());
  std::string err;
  if (work == nullptr || !work->Copy_Bits(*m_UndoMap, err)) return nullptr;
  return work;
}

bool OnTheFlyMapFilter::Process_Bitmap_with_One_StructureElement(int16_t elementIndex, OffMap& workMap,
                                                                 int16_t threshold, int32_t& changed,
                                                                 std::string& err) {
  changed = 0;
  err.clear();
  if (m_UndoMap == nullptr) {
    err = "PruneMapFilter::Process_Bitmap_with_One_StructureElement  failed,   m_UndoMap is  NULL.";
    return false;
  }
  if (m_Parm1 <= 0) {
    err = "PruneMapFilter::Process_Bitmap_with_One_StructureElement  failed,   m_Parm1 is bad ( maxIters ).";
    return false;
  }
  if (elementIndex < 0 || elementIndex >= Structure_Element_Count()) {
    err =
        "PruneMapFilter::Process_Bitmap_with_One_StructureElement  failed,   'structElementIndex' is out of "
        "range.";
    return false;
  }
  const int16_t* element = Structure_Element(elementIndex);
  const OffMap& undo = *m_UndoMap;
  for (int32_t y = 0; y < workMap.Get_Height(); ++y) {
    for (int32_t x = 0; x < workMap.Get_Width(); ++x) {
      if (!undo.Is_Inside(x, y)) continue;
      int16_t r = 255, g = 255, b = 255;
      undo.Get_Pixel(x, y, r, g, b);
      if (r >= threshold) continue;
      if (!undo.Matches_Structure_Element(x, y, OffMap::kStructureCells, element, threshold)) continue;
      workMap.Set_Pixel(x, y, 255, 255, 255);
      ++changed;
    }
  }
  return true;
}
