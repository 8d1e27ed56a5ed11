// Fuzz target: arbitrary bytes read as a whole region list file by the
// list reader (RegionListExternal::Receive, with its region records, inline
// bitmaps and outline), then the layered image composed from whatever was
// read, as "Load RegionList" does next.  Every run must end in success or
// an error text (the file's own exception is what the list-file commands
// report), never a crash, a hang or an allocation the bytes do not justify.

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzPlatform.h"
#include "persistence/ListFile.h"
#include "persistence/RegionListExternal.h"
#include "raster/OffMap.h"
#include "app/RegionEditorApp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzPlatform platform;
  RegionEditorApp app(platform.Get());
  RegionListExternal external(app);
  ListFile file;
  file.Open_Bytes_For_Reading(std::string(reinterpret_cast<const char*>(data), size));
  std::string err;
  bool read = false;
  try {
    ComponentSubject* made = nullptr;
    read = external.Receive(file, made, err);
    if (made != nullptr) __builtin_trap();
    if (read == !err.empty()) __builtin_trap();
  } catch (const ListFileException&) {
  }

  // Whatever regions were read are whole: both maps, 24 bits deep.
  RegionListSubject& list = app.Get_RegionList();
  for (ListLink<ComponentSubject>* link = list.Get_Children_List().Get_Head_Link(); link != nullptr;
       link = link->Get_Next()) {
    const auto* region = dynamic_cast<const RegionSubject*>(link->Get_Object());
    if (region == nullptr || region->m_SRCoffMap == nullptr || region->m_refreshOffMap == nullptr ||
        region->m_SRCoffMap->Get_Depth() != 24)
      __builtin_trap();
  }
  if (!read) return 0;
  // Compose on a small canvas: hostile frames and outlines meet the painter.
  app.Get_RenderMan().m_outlineMapOversize = external.Take_Outline_Map();
  OffMap layered(48, 32, 24);
  app.ReDraw_FinalImage_Incrementally(kWindowLayered, 0, list, layered, 100, err);
  return 0;
}
