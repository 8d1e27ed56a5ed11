// Fuzz target: arbitrary bytes read as one inline bitmap (the 88-byte
// header, then a raw block or run-length coded rows).  The reader must end
// in a map or an error text, never a crash, a hang or an allocation the
// bytes do not justify.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzPlatform.h"
#include "persistence/InlineBitmaps.h"
#include "persistence/ListFile.h"
#include "raster/OffMap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ListFile file;
  file.Open_Bytes_For_Reading(std::string(reinterpret_cast<const char*>(data), size));
  std::string err;
  const std::unique_ptr<OffMap> map = Load_Bitmap_from_Inside_ListFile(file, err);
  // Exactly one of a map and an error text.
  if (!map == err.empty()) __builtin_trap();
  if (map) {
    const int32_t w = map->Get_Width(), h = map->Get_Height();
    if (w < 0 || h < 0 || w > kInlineBitmapMaxSide || h > kInlineBitmapMaxSide || map->Is_Not_In_Memory())
      __builtin_trap();
    Read_Map_Pixels(*map);
  }
  return 0;
}
