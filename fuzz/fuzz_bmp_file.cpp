// Fuzz target: arbitrary bytes read as a BMP file by the program's own BMP
// reader (the one that loads saved bitmaps, e.g. region maps next to a list
// file).  The reader must end in a map or an error text, never a crash or an
// allocation larger than the file's own pixel bytes justify.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "FuzzPlatform.h"
#include "raster/OffMap.h"
#include "render/ImageFiles.h"

namespace {

// The reader takes a path: every input goes through one scratch file.
const std::string& Scratch_Path() {
  static const std::string path = "/tmp/quorlin-fuzz-bmp-" + std::to_string(getpid()) + ".bmp";
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = Scratch_Path();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
  if (std::fclose(file) != 0 || !written) return 0;

  FuzzPlatform platform;
  std::string chosen = path, err;
  bool fileProblem = false;
  const std::unique_ptr<OffMap> map =
      Load_Bitmap_File_Dialog_STATIC(platform.Get(), chosen, fileProblem, err);
  // Exactly one of a map and an error text; the file itself was readable.
  if (!map == err.empty() || fileProblem) __builtin_trap();
  if (map) {
    const int32_t w = map->Get_Width(), h = map->Get_Height();
    if (w <= 0 || h <= 0 || map->Is_Not_In_Memory() || (map->Get_Depth() != 8 && map->Get_Depth() != 24))
      __builtin_trap();
    // The map holds no more pixel bytes than the file did.
    if (map->Get_Image_Bytes() > static_cast<int64_t>(size)) __builtin_trap();
    Read_Map_Pixels(*map);
  }
  return 0;
}
