// Fuzz target: arbitrary bytes read as a list file's chunk container, in
// the order a region list is read: the chunk walk for the outline chunk,
// the signature, the searches for the header and region chunks, then the
// outline chunk found from there and its inline bitmap.  Each step ends in
// success or an error text; the file's own exception (a length pointing
// before the start of the file) is what the list-file commands report.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "persistence/External.h"
#include "persistence/InlineBitmaps.h"
#include "persistence/ListFile.h"
#include "raster/OffMap.h"

namespace {

// A failed step must say why.
void Check(bool ok, const std::string& err) {
  if (ok == !err.empty()) __builtin_trap();
}

void Read_As_List_File(ListFile& file) {
  std::string err;
  int64_t outlineAt = -1;
  const bool walked = External::Walk_To_Chunk(file, "BITmapOL", outlineAt, err);
  Check(walked, err);
  if (file.Get_Position() != 0) __builtin_trap();
  uint8_t version = 0;
  int32_t length = 0;
  Check(External::Check_File_Signature(file, version, err), err);
  for (int16_t code :
       {External::kRegionListHeaderChunk, External::kBitmapHeaderChunk, External::kRegionRecordsChunk}) {
    const bool found = External::Goto_Chunks_Header(file, code, version, length, err);
    Check(found, err);
  }
  if (!walked || outlineAt <= 0) return;
  const bool found = External::Find_Chunks_Header_From(file, file.Get_Position(), version, length, err);
  Check(found, err);
  if (!found) return;
  const std::unique_ptr<OffMap> map = Load_Bitmap_from_Inside_ListFile(file, err);
  Check(map != nullptr, err);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ListFile file;
  file.Open_Bytes_For_Reading(std::string(reinterpret_cast<const char*>(data), size));
  try {
    Read_As_List_File(file);
  } catch (const ListFileException&) {
  }
  return 0;
}
