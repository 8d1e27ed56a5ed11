// Fuzz target: arbitrary bytes through the checks the picture codec makes
// before it decodes a file (JPEG markers and segments, GIF blocks and
// sub-blocks, the bytes a BMP header calls for).  A check must end in an
// answer, never a crash or a read past the data; a refusal says why, and
// only data of the three checked formats is refused.  Every check decides
// from what comes before the point where the data is complete, so data
// found complete stays complete with more bytes after it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/PictureData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string reason;
  const bool complete = Check_Picture_Complete(data, size, reason);
  if (complete != reason.empty()) __builtin_trap();
  const PictureKind kind = Picture_Kind(data, size);
  if (!complete && kind != PictureKind::Jpeg && kind != PictureKind::Gif && kind != PictureKind::Bmp)
    __builtin_trap();
  if (complete) {
    std::vector<uint8_t> longer(data, data + size);
    longer.insert(longer.end(), data, data + size);
    longer.push_back(0xFF);
    if (Picture_Kind(longer.data(), longer.size()) == kind &&
        !Check_Picture_Complete(longer.data(), longer.size(), reason))
      __builtin_trap();
  }
  return 0;
}
