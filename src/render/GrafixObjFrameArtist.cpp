#include "render/GrafixObjFrameArtist.h"

#include "raster/OffMap.h"
#include "render/RenderMan.h"
#include "views/DrawSurface.h"

GrafixObjFrameArtist::GrafixObjFrameArtist(const MapSlot* source, const MapSlot* subtract,
                                           const MapSlot* layered, const MapSlot* filters,
                                           const MapSlot* currentSeparation)
    : m_sourceMapAddr(source),
      m_subtractMapAddr(subtract),
      m_layeredMapAddr(layered),
      m_filtersMapAddr(filters),
      m_currentSepartionMapAddr(currentSeparation) {}

std::unique_ptr<GrafixObjFrameArtist> GrafixObjFrameArtist::For_RenderMan(RenderMan& renderMan) {
  return std::make_unique<GrafixObjFrameArtist>(renderMan.Source_Map_Slot(), renderMan.Subtract_Map_Slot(),
                                                renderMan.Layered_Map_Slot(),
                                                renderMan.Displayed_Filtered_Map_Slot());
}

OffMap* GrafixObjFrameArtist::Get_OffMap(int32_t kind, std::string& err) {
  err.clear();
  struct KindSlot {
    const MapSlot* slot;
    const char* notAssigned;
    const char* noMap;
  };
  KindSlot k{};
  switch (kind) {
    case kKindRegionList:
      return nullptr;
    case kKindSource:
      k = {m_sourceMapAddr, "GrafixObjFrameArtist::Get_OffMap failed,   m_sourceMapAddr was not assigned.",
           "GrafixObjFrameArtist::Get_OffMap failed,   m_sourceMapAddr is NULL."};
      break;
    case kKindLayered:
      k = {m_layeredMapAddr, "GrafixObjFrameArtist::Get_OffMap failed,   m_layeredMapAddr was not assigned.",
           "GrafixObjFrameArtist::Get_OffMap failed,   m_layeredMapAddr is NULL."};
      break;
    case kKindSubtract:
      k = {m_subtractMapAddr,
           "GrafixObjFrameArtist::Get_OffMap failed,   m_subtractMapAddr was not assigned.",
           "GrafixObjFrameArtist::Get_OffMap failed,   m_subtractMapAddr is NULL."};
      break;
    case kKindCurrentSeparation:
      k = {m_currentSepartionMapAddr,
           "GrafixObjFrameArtist::Get_OffMap failed,   m_currentSepartionMapAddr was not assigned.",
           "RegionDetectorApp::m_currentSepsOffmap has NOT been assigned yet. Nothing to show in the "
           "CurSeparationWindow. No real error."};
      break;
    case kKindFiltered:
      k = {m_filtersMapAddr, "GrafixObjFrameArtist::Get_OffMap failed,   m_filtersMapAddr was not assigned.",
           "GrafixObjFrameArtist::Get_OffMap failed,   m_filtersMapAddr is NULL."};
      break;
    default:
      err = "GrafixObjFrameArtist::Get_OffMap failed,   case was not assigned.";
      return nullptr;
  }
  if (k.slot == nullptr) {
    err = k.notAssigned;
    return nullptr;
  }
  if (*k.slot == nullptr) {
    err = k.noMap;
    return nullptr;
  }
  return k.slot->get();
}

void GrafixObjFrameArtist::Render_Frame(const RectShrt& src, const RectShrt& dst, const OffMap* map) {
  if (map == nullptr || Get_Drawing_Target() == nullptr) return;
  if (map->Get_Width() <= 0 || map->Get_Height() <= 0 || map->Get_Alloc_Bytes() <= 0) return;
  const int32_t depth = map->Get_Depth();
  if (depth != 1 && depth != 8 && depth != 24) return;
  // A refused copy is no error the user could act on: the pane stays white.
  Get_Drawing_Target()->Blit_Map(*map, src, dst);
}
