#pragma once
// Inline bitmaps: raster maps stored inside the chunks of a list file.  An
// inline bitmap is the 88-byte header below, followed either by the map's
// whole bitmap block as it lies in memory (information header, colour table,
// bottom-up rows) or by run-length coded rows, one per map row from the top
// row down, each ended by a zero byte:
//
//   1-bit masks:   +n  n white pixels        -n  n black pixels
//   8-bit outline: +n  n white pixels (255)  -m  one pixel of grey 2 m (256 is 255)
//
// The 8-bit coding is lossy on purpose: values above 235 are stored as
// white and greys at half precision.  A 24-bit map written run-length coded
// stores its header only.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class ListFile;
class OffMap;

// Values of the header's compression code.
enum InlineBitmapCompression : int16_t {
  kInlineRawBlock = 0,
  kInlineRunLength = 1,
};

// Values of the header's bitmap kind (kept for the writer; readers ignore it).
enum InlineBitmapKind : int16_t {
  kInlineRegionMask = 0,   // 1-bit region mask
  kInlineRegionTonal = 1,  // 8-bit tonal region map
  kInlineRegionColor = 2,  // 24-bit colour region map
  kInlineOutline = 3,      // 8-bit outline map
};

// Readers refuse a width or height above this; writers refuse to store a
// map that could not be read back.
constexpr int32_t kInlineBitmapMaxSide = 3500;

struct RegionListsInlineBitmapFileHeader {
  static constexpr size_t kSize = 88;

  int16_t width = 0;
  int16_t height = 0;
  int16_t depth = 0;
  int32_t rowBytes = 0;   // the map's row stride
  int32_t bitsSize = 0;   // rowBytes x height
  int32_t blockSize = 0;  // information header, colour table and rows
  int16_t compressionCode = 0;
  int16_t bitmapKind = 0;

  // The 88 bytes, little-endian, reserved bytes zero.
  void Pack(uint8_t* out) const;
  static RegionListsInlineBitmapFileHeader Unpack(const uint8_t* in);
};

// The map as an inline bitmap of a list file at the file's position.
// Failures of the file itself arrive as its exception.
// Writes the header, then the raw block (code 0) or the coded rows of a
// 1- or 8-bit map (code 1).  Refuses an unknown depth or code, a map not
// in memory and a map too large to be read back, before writing anything.
bool Save_OffMap_to_Inside_ListFile(const OffMap& map, ListFile& file, int16_t compressionCode,
                                    int16_t bitmapKind, std::string& err);
// Reads an inline bitmap into a new map; null and `err` when the header
// is refused or the data runs out.
std::unique_ptr<OffMap> Load_Bitmap_from_Inside_ListFile(ListFile& file, std::string& err);
// One coded row y of the map (pixels read and stored as Get_Pixel and
// Set_Pixel do).  The writers always succeed; a reader fails when the file
// ends before the row's zero byte.
bool Write_Files_Next_yRow_wRunLength_Encoding_1bit(const OffMap& map, ListFile& file, int32_t y,
                                                    std::string& err);
bool Read_Files_Next_yRow_wRunLength_Encoding_1bit(OffMap& map, ListFile& file, int32_t y, std::string& err);
bool Write_Files_Next_yRow_wRunLength_Encoding_8bit_forOutline(const OffMap& map, ListFile& file, int32_t y,
                                                               std::string& err);
bool Read_Files_Next_yRow_wRunLength_Encoding_8bit_forOutline(OffMap& map, ListFile& file, int32_t y,
                                                              std::string& err);
