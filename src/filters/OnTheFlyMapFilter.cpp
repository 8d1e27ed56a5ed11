#include "filters/OnTheFlyMapFilter.h"

#include <string>

#include "platform/PlatformServices.h"
#include "raster/OffMap.h"

OnTheFlyMapFilter::OnTheFlyMapFilter(int16_t parm1, OffMap* targetMap, MessageService& messages)
    : MapFilter(targetMap), m_messages(messages), m_Parm1(parm1) {
  if (targetMap == nullptr) return;
  std::unique_ptr<OffMap> copy;
  if (!targetMap->Is_Not_In_Memory()) {
    copy = std::make_unique<OffMap>(targetMap->Get_Width(), targetMap->Get_Height(),
                                    targetMap->Get_Depth());
    if (!copy->Is_Not_In_Memory()) copy->Assign_Copy(*targetMap);
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
  auto work = std::make_unique<OffMap>(m_targetMap->Get_Width(), m_targetMap->Get_Height(),
                                       m_targetMap->Get_Depth());
  std::string err;
  if (work->Is_Not_In_Memory() || !work->Copy_Bits(*m_UndoMap, err)) return nullptr;
  return work;
}
