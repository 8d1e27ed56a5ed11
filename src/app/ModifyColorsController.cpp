#include "app/ModifyColorsController.h"

#include "app/RegionEditorApp.h"

const char* const ModifyColorsController::kRangeMessage = "Enter a RANGE between 1 and 178.";

ModifyColorsController::ModifyColorsController(RegionEditorApp& app, uint32_t seed)
    : m_app(app), m_random(seed) {}

bool ModifyColorsController::Open() {
  m_range = kInitialRange;
  m_keptHues.clear();
  RegionListSubject& list = m_app.Get_RegionList();
  if (!list.Has_Regions()) {
    m_app.Get_Platform().Message("Create some color SEPARATIONS from the Layers Menu.");
    return false;
  }
  // Scrambling changes only the auto descriptors' hue offsets; they are
  // what Cancel gives back.
  for (ListLink<ComponentSubject>* link = list.Get_Children_List().Get_Head_Link(); link != nullptr;
       link = link->Get_Next()) {
    auto* region = dynamic_cast<RegionSubject*>(link->Get_Object());
    if (region != nullptr) m_keptHues.push_back({region, region->m_autoDescriptor.hueOffset});
  }
  return true;
}

bool ModifyColorsController::Set_Range(int32_t range) {
  if (range < kMinRange || range > kMaxRange) {
    m_app.Get_Platform().Message(kRangeMessage);
    return false;
  }
  m_range = range;
  return true;
}

bool ModifyColorsController::On_Scramble_Colors() {
  std::string err;
  const bool ok =
      m_app.Get_RegionList().Randomize_All_Colors_for_Regions(static_cast<int16_t>(m_range), m_random, err);
  if (!ok) m_app.Get_Platform().Message(err);
  m_app.ReDraw_SummedFinalViews_OffMap();
  return ok;
}

void ModifyColorsController::On_Save() {
  m_keptHues.clear();
}

bool ModifyColorsController::On_Cancel() {
  bool ok = true;
  for (const KeptHue& kept : m_keptHues) {
    if (kept.region->m_autoDescriptor.hueOffset == kept.hueOffset) continue;
    kept.region->m_autoDescriptor.hueOffset = kept.hueOffset;
    std::string err;
    if (!kept.region->Update_SmallBitmap_Bits_wColorModify(err)) {
      m_app.Get_Platform().Message(err);
      ok = false;
      break;
    }
  }
  m_keptHues.clear();
  m_app.ReDraw_SummedFinalViews_OffMap();
  m_app.Get_Windows().Redraw_All_Viewjs();
  return ok;
}
