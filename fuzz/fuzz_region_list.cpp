// Fuzz target: arbitrary bytes read as a whole region list file by the
// list reader (RegionListExternal::Receive, with its region records, inline
// bitmaps and outline), then, as "Load RegionList" and the separation
// dialog do next, the regions painted with texture maps and the layered
// image composed from them with the outline merged.  Every run must end in
// success or an error text (the file's own exception is what the list-file
// commands report), never a crash, a hang or an allocation the bytes do not
// justify.
//
// The last byte of the input chooses how the regions are painted: bit 0
// the texture kind (grey or colour), bit 1 the texture style, bit 2 whether
// they are painted at all.  The texture folder is written once, at start,
// with the program's own BMP writer.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "FuzzPlatform.h"
#include "app/RegionEditorApp.h"
#include "persistence/ListFile.h"
#include "persistence/RegionListExternal.h"
#include "raster/OffMap.h"
#include "render/ImageFiles.h"
#include "render/TextureMaps.h"

namespace {

std::string g_textureFolder;

// Two textures of each kind: one small enough for the smallest regions, one
// larger, in a fresh folder under the system's temporary folder.
void Write_Texture_Folder() {
  char pattern[] = "/tmp/quorlin-fuzz-textures-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) std::abort();
  g_textureFolder = std::string(pattern) + "/";
  FuzzPlatform platform;
  for (const char* sub : {kMonochromeTextureFolder, kColorTextureFolder}) {
    std::filesystem::create_directories(g_textureFolder + sub);
    for (const int32_t size : {9, 40}) {
      OffMap texture(size, size, 24);
      for (int32_t y = 0; y < size; ++y)
        for (int32_t x = 0; x < size; ++x) {
          const auto v = static_cast<int16_t>(120 + (x * 31 + y * 17) % 136);
          texture.Set_Pixel(x, y, v, static_cast<int16_t>(sub == kColorTextureFolder ? 255 - v / 2 : v), v);
        }
      std::string path = g_textureFolder + sub + "/Paper_" + std::to_string(size) + ".bmp", err;
      bool cancelled = false;
      if (!Save_Bitmap_File(platform.Get(), cancelled, &texture, path, err)) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Write_Texture_Folder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzPlatform platform;
  RegionEditorApp app(platform.Get(), g_textureFolder);
  RegionListExternal external(app.List_File_Context());
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
  for (const ComponentSubject* child : list.Get_Children_List()) {
    const auto* region = dynamic_cast<const RegionSubject*>(child);
    if (region == nullptr || region->Get_Region_Map() == nullptr || region->Get_Display_Map() == nullptr ||
        region->Get_Region_Map()->Get_Depth() != 24)
      __builtin_trap();
  }
  if (!read) return 0;

  const uint8_t choice = size > 0 ? data[size - 1] : 0;
  if (choice & 4) {
    RegionRandom random(choice);
    list.Paint_All_Regions_with_TextureMaps(static_cast<int16_t>(choice & 1),
                                            static_cast<int16_t>((choice >> 1) & 1), random, err);
  }
  // Compose on the list's canvas when it is a working size (the frames are
  // meant for it), else on a small one: hostile frames and outlines meet
  // the painter and the outline merge either way.
  int32_t width = 48, height = 32;
  int32_t canvasW = -1, canvasH = -1;
  list.Get_Canvas_Size(canvasW, canvasH);
  if (canvasW >= 1 && canvasW <= 500 && canvasH >= 1 && canvasH <= 500) {
    width = canvasW;
    height = canvasH;
  }
  app.Get_RenderMan().Set_Outline_Map(external.Take_Outline_Map());
  OffMap layered(width, height, 24);
  app.Get_Composer().ReDraw_FinalImage_Incrementally(kWindowLayered, 0, list, layered, 100, err);
  Read_Map_Pixels(layered);
  return 0;
}
