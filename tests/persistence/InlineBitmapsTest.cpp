#include <gtest/gtest.h>

#include "ListFileBytes.h"
#include "persistence/External.h"
#include "persistence/InlineBitmaps.h"
#include "persistence/ListFile.h"
#include "raster/OffMap.h"
#include "raster/RasterTestMaps.h"

namespace {

const std::string kEof1 = "OffMap::Read_Files_Next_yRow_wRunLength_Encoding_1bit FAILED,  EOF";
const std::string kEof8 = "OffMap::Read_Files_Next_yRow_wRunLength_Encoding_8bit_forOutline FAILED,  EOF";
const std::string kNoHeader =
    "OffMap::Load_Bitmap_from_Inside_ListFile  FAILED,  could not read RegionListsInlineBitmapFileHeader.";
const std::string kBadDepth =
    "OffMap::Load_Bitmap_from_Inside_ListFile FAILED, Header has an invalid bitmap DEPTH. \n File may be "
    "corrupt or out-dated.";
const std::string kBadSize =
    "OffMap::Load_Bitmap_from_Inside_ListFile FAILED, Header has an invalid WIDTH or HEIGHT. \n File may be "
    "corrupt or out-dated.";
const std::string kReadBits = "Load_Bitmap_from_Inside_ListFile FAILED,  File.Read bits.";

using RowCoder = bool (*)(const OffMap&, ListFile&, int32_t, std::string&);
using RowReader = bool (*)(OffMap&, ListFile&, int32_t, std::string&);
constexpr RowCoder kWrite1 = &Write_Files_Next_yRow_wRunLength_Encoding_1bit;
constexpr RowCoder kWrite8 = &Write_Files_Next_yRow_wRunLength_Encoding_8bit_forOutline;
constexpr RowReader kRead1 = &Read_Files_Next_yRow_wRunLength_Encoding_1bit;
constexpr RowReader kRead8 = &Read_Files_Next_yRow_wRunLength_Encoding_8bit_forOutline;

// The bytes one row writer writes for row y.
std::string Row_Bytes(const OffMap& map, RowCoder writer, int32_t y = 0) {
  return Written([&](ListFile& f) {
    std::string err = "stale";
    EXPECT_TRUE(writer(map, f, y, err));
    EXPECT_EQ(err, "");
  });
}

// Reads rows 0, 1, ... from `codes` into `map` until a reader fails or the
// codes are used up; returns the last error text.
std::string Read_Rows(OffMap& map, RowReader reader, const std::string& codes, int64_t* consumed = nullptr) {
  ListFile file;
  file.Open_Bytes_For_Reading(codes);
  std::string err;
  for (int32_t y = 0; file.Get_Bytes_Left() > 0; ++y)
    if (!reader(map, file, y, err)) break;
  if (consumed) *consumed = file.Get_Position();
  return err;
}

std::string Saved(const OffMap& map, int16_t code, int16_t kind, std::string* error = nullptr) {
  return Written([&](ListFile& f) {
    std::string err;
    const bool ok = Save_OffMap_to_Inside_ListFile(map, f, code, kind, err);
    EXPECT_EQ(ok, err.empty());
    if (error) *error = err;
  });
}

struct Loaded {
  std::unique_ptr<OffMap> map;
  std::string err;
  int64_t end = 0;
};

Loaded Load(const std::string& bytes) {
  ListFile file;
  file.Open_Bytes_For_Reading(bytes);
  Loaded l;
  l.err = "stale";
  l.map = Load_Bitmap_from_Inside_ListFile(file, l.err);
  EXPECT_EQ(l.map == nullptr, !l.err.empty());
  l.end = file.Get_Position();
  return l;
}

std::string Dib_Bytes(const OffMap& map) {
  return std::string(reinterpret_cast<const char*>(map.Get_DIB()),
                     static_cast<size_t>(map.Get_Alloc_Bytes()));
}

TEST(MaskRowCoding, WritesRunsOfAtMost126AndReadsThemBack) {
  EXPECT_EQ(Row_Bytes(*Solid_Map(300, 1, 1, {255, 255, 255}), kWrite1), Codes({126, 126, 48, 0}));
  EXPECT_EQ(Row_Bytes(*Solid_Map(10, 1, 1, {0, 0, 0}), kWrite1), Codes({-10, 0}));
  EXPECT_EQ(Row_Bytes(*Solid_Map(127, 1, 1, {0, 0, 0}), kWrite1), Codes({-126, -1, 0}));
  EXPECT_EQ(Row_Bytes(*Solid_Map(0, 1, 1, {0, 0, 0}), kWrite1), Codes({0}));
  // Row 1 of a two-row map: white, black, white, black, black.
  auto mixed = Grey_Map({{0, 0, 0, 0, 0}, {255, 0, 255, 0, 0}}, 1);
  EXPECT_EQ(Row_Bytes(*mixed, kWrite1, 1), Codes({1, -1, 1, -2, 0}));

  auto white = std::make_unique<OffMap>(300, 1, 1);
  EXPECT_EQ(Read_Rows(*white, kRead1, Codes({126, 126, 48, 0})), "");
  EXPECT_EQ(Reds(*white, 0), std::vector<int16_t>(300, 255));
  // Longest codes, and pixels beyond the right edge are counted: row 0
  // spends 4 + 1 + 3 pixels, row 1 starts afresh.
  auto map = Solid_Map(4, 3, 1, {0, 0, 0});
  int64_t consumed = 0;
  EXPECT_EQ(Read_Rows(*map, kRead1, Codes({5, -3, 0, -2, 1, 0, 127, -128, 0}), &consumed), "");
  EXPECT_EQ(consumed, 9);
  EXPECT_EQ(Reds(*map, 0), (std::vector<int16_t>{255, 255, 255, 255}));
  EXPECT_EQ(Reds(*map, 1), (std::vector<int16_t>{0, 0, 255, 0}));
  EXPECT_EQ(Reds(*map, 2), (std::vector<int16_t>{255, 255, 255, 255}));
  // A row without its zero byte: what was read stays, the rest keeps 0.
  auto cut = std::make_unique<OffMap>(6, 1, 1);
  EXPECT_EQ(Read_Rows(*cut, kRead1, Codes({3})), kEof1);
  EXPECT_EQ(Reds(*cut, 0), (std::vector<int16_t>{255, 255, 255, 0, 0, 0}));
}

TEST(OutlineRowCoding, StoresWhiteRunsAndHalvedGreys) {
  auto row = Grey_Map({{255, 240, 100, 0, 255}});
  EXPECT_EQ(Row_Bytes(*row, kWrite8), Codes({2, -50, -1, 1, 0}));
  auto back = std::make_unique<OffMap>(5, 1, 8);
  EXPECT_EQ(Read_Rows(*back, kRead8, Codes({2, -50, -1, 1, 0})), "");
  EXPECT_EQ(Reds(*back, 0), (std::vector<int16_t>{255, 255, 100, 2, 255}));

  // 235 is the lightest grey kept; 1 is stored as the darkest code.
  EXPECT_EQ(Row_Bytes(*Grey_Map({{1, 235, 236, 3}}), kWrite8), Codes({-1, -117, 1, -1, 0}));
  EXPECT_EQ(Row_Bytes(*Solid_Map(300, 1, 8, {250, 250, 250}), kWrite8), Codes({126, 126, 48, 0}));
  EXPECT_EQ(Row_Bytes(*Solid_Map(126, 1, 8, {255, 255, 255}), kWrite8), Codes({126, 0}));
  EXPECT_EQ(Row_Bytes(*Solid_Map(0, 1, 8, {0, 0, 0}), kWrite8), Codes({0}));

  // -128 is grey 256, stored as 255; pixels beyond the edge are dropped.
  auto map = std::make_unique<OffMap>(3, 2, 8);
  int64_t consumed = 0;
  EXPECT_EQ(Read_Rows(*map, kRead8, Codes({-128, -127, 5, -4, 0, -10, 0}), &consumed), "");
  EXPECT_EQ(consumed, 7);
  EXPECT_EQ(Reds(*map, 0), (std::vector<int16_t>{255, 254, 255}));
  EXPECT_EQ(Reds(*map, 1), (std::vector<int16_t>{20, 0, 0}));
  EXPECT_EQ(Read_Rows(*map, kRead8, Codes({1, -3})), kEof8);
}

TEST(InlineBitmap, RunLengthCodedMapsRoundTripByteExactly) {
  auto mask = Grey_Map({{255, 0, 0, 255, 255}, {0, 0, 0, 0, 0}, {255, 255, 255, 255, 255}}, 1);
  const std::string maskBytes = Saved(*mask, kInlineRunLength, kInlineRegionMask);
  EXPECT_EQ(maskBytes, Inline_Header(5, 3, 1, 4, 12, 60, 1, 0) + Codes({1, -2, 2, 0, -5, 0, 5, 0}));
  Loaded l = Load(maskBytes + "next");
  ASSERT_TRUE(l.map) << l.err;
  EXPECT_EQ(l.err, "");
  EXPECT_EQ(l.end, static_cast<int64_t>(maskBytes.size()));
  EXPECT_EQ(Dib_Bytes(*l.map), Dib_Bytes(*mask));

  auto outline = Grey_Map({{255, 255, 17, 0}, {240, 100, 255, 255}});
  const std::string outlineBytes = Saved(*outline, kInlineRunLength, kInlineOutline);
  EXPECT_EQ(outlineBytes, Inline_Header(4, 2, 8, 4, 8, 1072, 1, 3) + Codes({2, -8, -1, 0, 1, -50, 2, 0}));
  l = Load(outlineBytes);
  ASSERT_TRUE(l.map) << l.err;
  EXPECT_EQ(l.map->Get_Depth(), 8);
  EXPECT_EQ(Reds(*l.map, 0), (std::vector<int16_t>{255, 255, 16, 2}));
  EXPECT_EQ(Reds(*l.map, 1), (std::vector<int16_t>{255, 100, 255, 255}));

  // A colour map has no row coding: the header alone, read back black.
  auto colour = Solid_Map(3, 2, 24, {10, 200, 30});
  const std::string colourBytes = Saved(*colour, kInlineRunLength, kInlineRegionColor);
  EXPECT_EQ(colourBytes, Inline_Header(3, 2, 24, 12, 24, 64, 1, 2));
  l = Load(colourBytes);
  ASSERT_TRUE(l.map) << l.err;
  EXPECT_EQ(l.map->Get_Width(), 3);
  EXPECT_EQ(l.map->Get_Height(), 2);
  EXPECT_EQ(Px(*l.map, 2, 1), (Rgb3{0, 0, 0}));
}

TEST(InlineBitmap, RawBlocksAreTheMapsBitmapBlock) {
  struct Case {
    int32_t depth;
    int32_t rowBytes;
    int32_t headerBytes;
    int32_t colours;
  };
  for (const Case c : {Case{1, 4, 48, 2}, Case{8, 8, 1064, 256}, Case{24, 16, 40, 0}}) {
    SCOPED_TRACE(c.depth);
    auto map = std::make_unique<OffMap>(5, 3, c.depth);
    for (int32_t y = 0; y < 3; ++y)
      for (int32_t x = 0; x < 5; ++x)
        Put(*map, x, y, {static_cast<int16_t>((x + y) % 2 ? 255 : 40 * x), static_cast<int16_t>(50 * y), 7});
    const std::string bytes = Saved(*map, kInlineRawBlock, kInlineRegionColor);
    const int32_t bits = 3 * c.rowBytes;
    ASSERT_EQ(bytes.size(), 88u + bits + c.headerBytes);
    EXPECT_EQ(bytes.substr(0, 88),
              Inline_Header(5, 3, c.depth, c.rowBytes, bits, bits + c.headerBytes, 0, 2));
    // The information header: size 40, 5 x 3, one plane, the depth,
    // uncompressed, and the colours used.
    EXPECT_EQ(bytes.substr(88, 40), Le32(40) + Le32(5) + Le32(3) + Le16(1) + Le16(c.depth) + Le32(0) +
                                        Le32(0) + Le32(0) + Le32(0) + Le32(c.colours) + Le32(0));
    if (c.depth == 8) {
      EXPECT_EQ(bytes.substr(128 + 4 * 77, 4), std::string("\x4D\x4D\x4D\0", 4));
    }
    if (c.depth == 1) {
      EXPECT_EQ(bytes.substr(128, 8), std::string("\0\0\0\0\1\1\1\0", 8));
    }
    EXPECT_EQ(bytes.substr(88), Dib_Bytes(*map));

    const Loaded l = Load(bytes);
    ASSERT_TRUE(l.map) << l.err;
    EXPECT_EQ(l.map->Get_Depth(), c.depth);
    EXPECT_EQ(Dib_Bytes(*l.map), Dib_Bytes(*map));
    EXPECT_EQ(l.end, static_cast<int64_t>(bytes.size()));
  }
}

TEST(InlineBitmap, RawBlocksKeepTheFilesTableAndTrustOnlyTheirOwnSize) {
  auto map = Grey_Map({{1, 2, 3}, {4, 5, 6}});
  std::string bytes = Saved(*map, kInlineRawBlock, kInlineRegionTonal);
  // The sizes in the header are only checked for sign; the block read is
  // the map's own.
  bytes.replace(8, 12, Le32(0) + Le32(1) + Le32(99999));
  bytes[88 + 40 + 4 * 9] = '\x7F';  // a colour table entry of another writer
  Loaded l = Load(bytes);
  ASSERT_TRUE(l.map) << l.err;
  EXPECT_EQ(static_cast<uint8_t>(l.map->Get_DIB()[40 + 4 * 9]), 0x7F);
  EXPECT_EQ(Reds(*l.map, 1), (std::vector<int16_t>{4, 5, 6}));
  // Empty maps are accepted.
  l = Load(Inline_Header(0, 7, 8, 0, 0, 1064, 0, 1) + Dib_Bytes(OffMap(0, 7, 8)));
  ASSERT_TRUE(l.map) << l.err;
  EXPECT_EQ(l.map->Get_Height(), 7);
  l = Load(Inline_Header(9, 0, 1, 4, 0, 48, 1, 0));
  ASSERT_TRUE(l.map) << l.err;
  EXPECT_EQ(l.map->Get_Width(), 9);
}

TEST(InlineBitmap, RefusesHeadersOutsideItsRanges) {
  const std::string rows = Codes({0, 0});
  const std::pair<std::string, std::string> cases[] = {
      {Inline_Header(2, 2, 1, 4, 8, 56, 1, 0).substr(0, 87), kNoHeader},
      {"", kNoHeader},
      {Inline_Header(2, 2, 4, 4, 8, 56, 1, 0) + rows, kBadDepth},
      {Inline_Header(2, 2, 0, 4, 8, 56, 1, 0) + rows, kBadDepth},
      {Inline_Header(2, 2, 32, 4, 8, 56, 1, 0) + rows, kBadDepth},
      {Inline_Header(3501, 2, 1, 440, 880, 928, 1, 0) + rows, kBadSize},
      {Inline_Header(2, 3501, 1, 4, 8, 56, 1, 0) + rows, kBadSize},
      {Inline_Header(-1, 2, 1, 4, 8, 56, 1, 0) + rows, kBadSize},
      {Inline_Header(2, -1, 1, 4, 8, 56, 1, 0) + rows, kBadSize},
      {Inline_Header(2, 2, 1, -1, 8, 56, 1, 0) + rows, kBadSize},
      {Inline_Header(2, 2, 1, 4, -1, 56, 1, 0) + rows, kBadSize},
      {Inline_Header(2, 2, 1, 4, 8, -1, 1, 0) + rows, kBadSize},
      {Inline_Header(2, 2, 1, 4, 8, 56, 2, 0) + rows,
       "OffMap::Load_Bitmap_from_Inside_ListFile FAILED,  unknown CompressionCode."},
      {Inline_Header(2, 2, 1, 4, 8, 56, -1, 0) + rows,
       "OffMap::Load_Bitmap_from_Inside_ListFile FAILED,  unknown CompressionCode."},
      // Data that runs out.
      {Inline_Header(2, 2, 8, 4, 8, 1072, 0, 1) + std::string(1071, '\0'), kReadBits},
      {Inline_Header(3500, 3500, 24, 10500, 36750000, 36750040, 0, 2), kReadBits},
      {Inline_Header(2, 3, 1, 4, 12, 60, 1, 0) + rows, kEof1},
      {Inline_Header(2, 3, 8, 4, 12, 1076, 1, 3) + Codes({0, 2, 0, 1}), kEof8},
      {Inline_Header(3500, 3500, 8, 3500, 12250000, 12251064, 1, 3) + rows, kEof8},
  };
  for (const auto& [bytes, text] : cases) {
    SCOPED_TRACE(testing::PrintToString(bytes.substr(0, 24)));
    const Loaded l = Load(bytes);
    EXPECT_FALSE(l.map);
    EXPECT_EQ(l.err, text);
  }
  // The largest side accepted.
  const Loaded l = Load(Inline_Header(3500, 1, 1, 440, 440, 488, 1, 0) + Codes({126, 0}));
  ASSERT_TRUE(l.map) << l.err;
  EXPECT_EQ(Px(*l.map, 125, 0), (Rgb3{255, 255, 255}));
  EXPECT_EQ(Px(*l.map, 126, 0), (Rgb3{0, 0, 0}));
}

TEST(InlineBitmap, SavingRefusesBeforeWritingAnything) {
  std::string err;
  EXPECT_EQ(Saved(OffMap(2, 2, 4), kInlineRawBlock, 0, &err), "");
  EXPECT_EQ(err, "RegionExternal::Save_OffMap_to_Inside_ListFile  FAILED,  unknown bitmap depth.");
  auto map = Solid_Map(2, 2, 8, {9, 9, 9});
  for (int16_t code : {2, -1}) {
    EXPECT_EQ(Saved(*map, code, 0, &err), "");
    EXPECT_EQ(err, "OffMap::Save_OffMap_to_Inside_ListFile  FAILED,  unknown CompressionCode.");
  }
  EXPECT_EQ(Saved(OffMap(-3, 2, 8), kInlineRawBlock, 0, &err), "");
  EXPECT_EQ(err, "OffMap::Save_OffMap_to_Inside_ListFile  FAILED,  the bitmap is not in memory.");
  // Maps the reader would refuse are not written at all.
  EXPECT_EQ(Saved(OffMap(3501, 2, 8), kInlineRunLength, kInlineOutline, &err), "");
  EXPECT_EQ(
      err,
      "OffMap::Save_OffMap_to_Inside_ListFile  FAILED,  a 3501 x 2 bitmap is larger than the 3500 x 3500 a "
      "list file can hold.");
  EXPECT_EQ(Saved(OffMap(1, 3501, 1), kInlineRawBlock, kInlineRegionMask, &err), "");
  EXPECT_EQ(
      err,
      "OffMap::Save_OffMap_to_Inside_ListFile  FAILED,  a 1 x 3501 bitmap is larger than the 3500 x 3500 a "
      "list file can hold.");
}

// A small list file as the writers make it: a header chunk, then an
// outline chunk holding an inline bitmap.
std::string Small_List_File(const OffMap& outline, int16_t code) {
  return Written([&](ListFile& f) {
    std::string err;
    int64_t field = 0;
    External::Write_File_Signature(f, 3);
    ASSERT_TRUE(External::Write_Chunks_Header(f, External::kRegionListHeaderChunk, 3, field, err));
    f.Write("header", 6);
    ASSERT_TRUE(External::Patch_Chunks_Length(f, field, err));
    ASSERT_TRUE(External::Write_Chunks_Header(f, External::kOutlineBitmapChunk, 3, field, err));
    ASSERT_TRUE(Save_OffMap_to_Inside_ListFile(outline, f, code, kInlineOutline, err)) << err;
    ASSERT_TRUE(External::Patch_Chunks_Length(f, field, err));
  });
}

// Reads the outline back the way a list file reader does: the walk, then
// the search, then the bitmap.  Returns the map or the error text.
Loaded Read_Outline(const std::string& bytes, int64_t& walkedTo) {
  ListFile file;
  file.Open_Bytes_For_Reading(bytes);
  Loaded l;
  uint8_t version = 0;
  int32_t length = 0;
  if (External::Walk_To_Chunk(file, "BITmapOL", walkedTo, l.err) &&
      External::Goto_Chunks_Header(file, External::kOutlineBitmapChunk, version, length, l.err))
    l.map = Load_Bitmap_from_Inside_ListFile(file, l.err);
  return l;
}

TEST(InlineBitmap, EveryTruncationOfASmallListFileEndsInAnErrorText) {
  auto outline =
      Grey_Map({{255, 255, 17, 0, 255, 255}, {240, 100, 255, 255, 3, 3}, {255, 255, 255, 255, 255, 255}});
  for (int16_t code : {kInlineRunLength, kInlineRawBlock}) {
    SCOPED_TRACE(code);
    const std::string full = Small_List_File(*outline, code);
    const int64_t tagAt = 9 + 13 + 6;
    const int64_t bitmapAt = tagAt + 13;
    ASSERT_EQ(full.substr(static_cast<size_t>(tagAt), 8), "BITmapOL");
    EXPECT_EQ(full.substr(static_cast<size_t>(tagAt) + 9, 4),
              Le32(static_cast<int64_t>(full.size()) - bitmapAt));
    for (int64_t n = 0; n <= static_cast<int64_t>(full.size()); ++n) {
      SCOPED_TRACE(n);
      int64_t walkedTo = -2;
      const Loaded l = Read_Outline(full.substr(0, static_cast<size_t>(n)), walkedTo);
      std::string expected;
      if (n < 9)
        expected = "This is not a Kestrane Labs file format. Load a file of the correct type.";
      else if (n <= tagAt + 8)
        expected =
            "External::Goto_Chunks_Header FAILED,  could not find tag's string [ BITmapOL ] in the file( hit "
            "eof ).";
      else if (n < bitmapAt + 88)
        expected = kNoHeader;
      else if (n < static_cast<int64_t>(full.size()))
        expected = code == kInlineRunLength ? kEof8 : kReadBits;
      EXPECT_EQ(l.err, expected);
      if (n >= 9) {
        EXPECT_EQ(walkedTo, n >= tagAt + 8 ? tagAt + 8 : -1);
      }
      if (n == static_cast<int64_t>(full.size())) {
        ASSERT_TRUE(l.map);
        EXPECT_EQ(Reds(*l.map, 1), code == kInlineRunLength ? (std::vector<int16_t>{255, 100, 255, 255, 2, 2})
                                                            : Reds(*outline, 1));
      }
    }
  }
}

}  // namespace
