// Inline bitmaps: the header record and the operations that write and read
// a map inside a list file.

#include "persistence/InlineBitmaps.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "persistence/ListFile.h"
#include "platform/ByteOrder.h"
#include "platform/Text.h"
#include "raster/OffMap.h"

namespace {

constexpr char kEof1bit[] = "OffMap::Read_Files_Next_yRow_wRunLength_Encoding_1bit FAILED,  EOF";
constexpr char kEof8bit[] = "OffMap::Read_Files_Next_yRow_wRunLength_Encoding_8bit_forOutline FAILED,  EOF";
constexpr char kReadBits[] = "Load_Bitmap_from_Inside_ListFile FAILED,  File.Read bits.";

// Longest run (and largest grey code) the writers emit.
constexpr int kLongestRun = 126;

bool Is_Known_Depth(int32_t depth) {
  return depth == 1 || depth == 8 || depth == 24;
}

void Put_Code(std::vector<uint8_t>& codes, int code) {
  codes.push_back(static_cast<uint8_t>(static_cast<int8_t>(code)));
}

// Reads one code byte; false at the end of the file.
bool Next_Code(ListFile& file, int& code) {
  uint8_t byte = 0;
  if (file.Read(&byte, 1) < 1) return false;
  code = static_cast<int8_t>(byte);
  return true;
}

}  // namespace

void RegionListsInlineBitmapFileHeader::Pack(uint8_t* out) const {
  std::memset(out, 0, kSize);
  Put_LE16(out + 0, width);
  Put_LE16(out + 2, height);
  Put_LE16(out + 4, depth);
  Put_LE32(out + 8, rowBytes);
  Put_LE32(out + 12, bitsSize);
  Put_LE32(out + 16, blockSize);
  Put_LE16(out + 20, compressionCode);
  Put_LE16(out + 22, bitmapKind);
}

RegionListsInlineBitmapFileHeader RegionListsInlineBitmapFileHeader::Unpack(const uint8_t* in) {
  RegionListsInlineBitmapFileHeader h;
  h.width = Get_LE16(in + 0);
  h.height = Get_LE16(in + 2);
  h.depth = Get_LE16(in + 4);
  h.rowBytes = Get_LE32(in + 8);
  h.bitsSize = Get_LE32(in + 12);
  h.blockSize = Get_LE32(in + 16);
  h.compressionCode = Get_LE16(in + 20);
  h.bitmapKind = Get_LE16(in + 22);
  return h;
}

bool Save_OffMap_to_Inside_ListFile(const OffMap& map, ListFile& file, int16_t compressionCode,
                                    int16_t bitmapKind, std::string& err) {
  err.clear();
  if (!Is_Known_Depth(map.Get_Depth())) {
    err = "RegionExternal::Save_OffMap_to_Inside_ListFile  FAILED,  unknown bitmap depth.";
    return false;
  }
  if (compressionCode != kInlineRawBlock && compressionCode != kInlineRunLength) {
    err = "OffMap::Save_OffMap_to_Inside_ListFile  FAILED,  unknown CompressionCode.";
    return false;
  }
  if (map.Is_Not_In_Memory()) {
    err = "OffMap::Save_OffMap_to_Inside_ListFile  FAILED,  the bitmap is not in memory.";
    return false;
  }
  // The reader refuses larger maps; writing one would lose it silently.
  if (map.Get_Width() > kInlineBitmapMaxSide || map.Get_Height() > kInlineBitmapMaxSide) {
    err = Text_Format(
        "OffMap::Save_OffMap_to_Inside_ListFile  FAILED,  a %d x %d bitmap is larger than the "
        "%d x %d a list file can hold.",
        map.Get_Width(), map.Get_Height(), kInlineBitmapMaxSide, kInlineBitmapMaxSide);
    return false;
  }

  RegionListsInlineBitmapFileHeader header;
  header.width = static_cast<int16_t>(map.Get_Width());
  header.height = static_cast<int16_t>(map.Get_Height());
  header.depth = static_cast<int16_t>(map.Get_Depth());
  header.rowBytes = map.Get_Bytes_Per_Row();
  header.bitsSize = map.Get_Image_Bytes();
  header.blockSize = map.Get_Alloc_Bytes();
  header.compressionCode = compressionCode;
  header.bitmapKind = bitmapKind;
  uint8_t packed[RegionListsInlineBitmapFileHeader::kSize];
  header.Pack(packed);
  file.Write(packed, sizeof packed);

  if (compressionCode == kInlineRawBlock) {
    file.Write(map.Get_DIB(), static_cast<size_t>(map.Get_Alloc_Bytes()));
    return true;
  }
  for (int32_t y = 0; y < map.Get_Height(); ++y) {
    if (map.Get_Depth() == 1 && !Write_Files_Next_yRow_wRunLength_Encoding_1bit(map, file, y, err))
      return false;
    if (map.Get_Depth() == 8 && !Write_Files_Next_yRow_wRunLength_Encoding_8bit_forOutline(map, file, y, err))
      return false;
  }
  return true;
}

std::unique_ptr<OffMap> Load_Bitmap_from_Inside_ListFile(ListFile& file, std::string& err) {
  err.clear();
  uint8_t packed[RegionListsInlineBitmapFileHeader::kSize];
  if (file.Read(packed, sizeof packed) < sizeof packed) {
    err =
        "OffMap::Load_Bitmap_from_Inside_ListFile  FAILED,  could not read "
        "RegionListsInlineBitmapFileHeader.";
    return nullptr;
  }
  const RegionListsInlineBitmapFileHeader header = RegionListsInlineBitmapFileHeader::Unpack(packed);
  if (!Is_Known_Depth(header.depth)) {
    err =
        "OffMap::Load_Bitmap_from_Inside_ListFile FAILED, Header has an invalid bitmap DEPTH. \n File may be "
        "corrupt or out-dated.";
    return nullptr;
  }
  if (header.width < 0 || header.width > kInlineBitmapMaxSide || header.height < 0 ||
      header.height > kInlineBitmapMaxSide || header.rowBytes < 0 || header.bitsSize < 0 ||
      header.blockSize < 0) {
    err =
        "OffMap::Load_Bitmap_from_Inside_ListFile FAILED, Header has an invalid WIDTH or HEIGHT. \n File may "
        "be corrupt or out-dated.";
    return nullptr;
  }
  if (header.compressionCode != kInlineRawBlock && header.compressionCode != kInlineRunLength) {
    err = "OffMap::Load_Bitmap_from_Inside_ListFile FAILED,  unknown CompressionCode.";
    return nullptr;
  }

  // Nothing is allocated for data the file cannot hold: a raw block needs
  // all its bytes, coded rows at least their zero bytes.  The texts are the
  // ones the reads would end in.
  const int64_t bytesLeft = file.Get_Bytes_Left();
  if (header.compressionCode == kInlineRawBlock) {
    const int64_t blockBytes =
        static_cast<int64_t>(OffMap::Row_Stride(header.width, header.depth)) * header.height +
        OffMap::Header_Bytes(header.depth);
    if (bytesLeft < blockBytes) {
      err = kReadBits;
      return nullptr;
    }
  } else if (header.depth != 24 && bytesLeft < header.height) {
    err = header.depth == 1 ? kEof1bit : kEof8bit;
    return nullptr;
  }

  std::unique_ptr<OffMap> map = OffMap::Make(header.width, header.height, header.depth);
  if (!map) {
    err = "OffMap::Load_Bitmap_from_Inside_ListFile FAILED,  could not allocate OffMap.";
    return nullptr;
  }

  if (header.compressionCode == kInlineRawBlock) {
    // The file's information header and colour table replace the new
    // map's own; the map's fields stay those of the checked header.
    const size_t blockBytes = static_cast<size_t>(map->Get_Alloc_Bytes());
    if (file.Read(map->Get_DIB(), blockBytes) < blockBytes) {
      err = kReadBits;
      return nullptr;
    }
    return map;
  }
  for (int32_t y = 0; y < map->Get_Height(); ++y) {
    if (map->Get_Depth() == 1 && !Read_Files_Next_yRow_wRunLength_Encoding_1bit(*map, file, y, err))
      return nullptr;
    if (map->Get_Depth() == 8 &&
        !Read_Files_Next_yRow_wRunLength_Encoding_8bit_forOutline(*map, file, y, err))
      return nullptr;
  }
  return map;
}

bool Write_Files_Next_yRow_wRunLength_Encoding_1bit(const OffMap& map, ListFile& file, int32_t y,
                                                    std::string& err) {
  err.clear();
  // A run is emitted as its length, negated for a black run.
  std::vector<uint8_t> codes;
  int16_t runValue = 0;
  int runLength = 0;
  for (int32_t x = 0; x < map.Get_Width(); ++x) {
    int16_t v = 0, g = 0, b = 0;
    map.Get_Pixel(x, y, v, g, b);
    if (x == 0) {
      runValue = v;
      runLength = 1;
    } else if (v == runValue && runLength < kLongestRun) {
      ++runLength;
    } else {
      Put_Code(codes, runValue == 0 ? -runLength : runLength);
      runValue = v;
      runLength = 1;
    }
  }
  if (runLength > 0) Put_Code(codes, runValue == 0 ? -runLength : runLength);
  codes.push_back(0);
  file.Write(codes.data(), codes.size());
  return true;
}

bool Read_Files_Next_yRow_wRunLength_Encoding_1bit(OffMap& map, ListFile& file, int32_t y, std::string& err) {
  err.clear();
  int64_t x = 0;
  int code = 0;
  for (;;) {
    if (!Next_Code(file, code)) {
      err = kEof1bit;
      return false;
    }
    if (code == 0) return true;
    const int16_t value = code < 0 ? 0 : 255;
    // Pixels beyond the right edge are counted but not stored.
    const int64_t end = x + (code < 0 ? -code : code);
    for (; x < std::min<int64_t>(end, map.Get_Width()); ++x)
      map.Set_Pixel(static_cast<int32_t>(x), y, value, value, value);
    x = end;
  }
}

bool Write_Files_Next_yRow_wRunLength_Encoding_8bit_forOutline(const OffMap& map, ListFile& file, int32_t y,
                                                               std::string& err) {
  err.clear();
  std::vector<uint8_t> codes;
  int whiteRun = 0;
  for (int32_t x = 0; x < map.Get_Width(); ++x) {
    int16_t v = 0, g = 0, b = 0;
    map.Get_Pixel(x, y, v, g, b);
    if (v > 235) v = 255;
    if (v == 255) {
      if (whiteRun == kLongestRun) {
        Put_Code(codes, whiteRun);
        whiteRun = 1;
      } else {
        ++whiteRun;
      }
      continue;
    }
    if (whiteRun > 0) {
      Put_Code(codes, whiteRun);
      whiteRun = 0;
    }
    // A grey pixel at half precision; black is stored as the darkest grey.
    Put_Code(codes, -std::clamp(v / 2, 1, kLongestRun));
  }
  if (whiteRun > 0) Put_Code(codes, whiteRun);
  codes.push_back(0);
  file.Write(codes.data(), codes.size());
  return true;
}

bool Read_Files_Next_yRow_wRunLength_Encoding_8bit_forOutline(OffMap& map, ListFile& file, int32_t y,
                                                              std::string& err) {
  err.clear();
  int64_t x = 0;
  int code = 0;
  for (;;) {
    if (!Next_Code(file, code)) {
      err = kEof8bit;
      return false;
    }
    if (code == 0) return true;
    if (code < 0) {
      const int16_t grey = static_cast<int16_t>(std::min(-2 * code, 255));
      if (x < map.Get_Width()) map.Set_Pixel(static_cast<int32_t>(x), y, grey, grey, grey);
      ++x;
      continue;
    }
    const int64_t end = x + code;
    for (; x < std::min<int64_t>(end, map.Get_Width()); ++x)
      map.Set_Pixel(static_cast<int32_t>(x), y, 255, 255, 255);
    x = end;
  }
}
