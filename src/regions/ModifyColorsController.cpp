#include "regions/ModifyColorsController.h"

#include "framework/AppWindows.h"
#include "platform/Platform.h"
#include "regions/LayeredComposer.h"
#include "regions/RegionListSubject.h"

const char* const ModifyColorsController::kRangeMessage = "Enter a RANGE between 1 and 178.";

ModifyColorsController::ModifyColorsController(const ModifyColorsContext& context, uint32_t seed)
    : m_context(context), m_random(seed) {}

bool ModifyColorsController::Open() {
  m_range = kInitialRange;
  m_keptHues.clear();
  RegionListSubject& list = m_context.regionList;
  if (!list.Has_Regions()) {
    m_context.platform.Message("Create some color SEPARATIONS from the Layers Menu.");
    return false;
  }
  // Scrambling changes only the auto descriptors' hue offsets; they are
  // what Cancel gives back.
  for (ComponentSubject* child : list.Get_Children_List()) {
    auto* region = dynamic_cast<RegionSubject*>(child);
    if (region != nullptr) m_keptHues.push_back({region, region->Get_Auto_Descriptor().hueOffset});
  }
  return true;
}

bool ModifyColorsController::Set_Range(int32_t range) {
  if (range < kMinRange || range > kMaxRange) {
    m_context.platform.Message(kRangeMessage);
    return false;
  }
  m_range = range;
  return true;
}

bool ModifyColorsController::On_Scramble_Colors() {
  std::string err;
  const bool ok =
      m_context.regionList.Randomize_All_Colors_for_Regions(static_cast<int16_t>(m_range), m_random, err);
  if (!ok) m_context.platform.Message(err);
  m_context.composer.ReDraw_SummedFinalViews_OffMap();
  return ok;
}

void ModifyColorsController::On_Save() {
  m_keptHues.clear();
}

bool ModifyColorsController::On_Cancel() {
  bool ok = true;
  for (const KeptHue& kept : m_keptHues) {
    if (kept.region->Get_Auto_Descriptor().hueOffset == kept.hueOffset) continue;
    kept.region->Get_Auto_Descriptor().hueOffset = kept.hueOffset;
    std::string err;
    if (!kept.region->Update_SmallBitmap_Bits_wColorModify(err)) {
      m_context.platform.Message(err);
      ok = false;
      break;
    }
  }
  m_keptHues.clear();
  m_context.composer.ReDraw_SummedFinalViews_OffMap();
  m_context.windows.Redraw_All_Viewjs();
  return ok;
}
