// Writes the seed corpora of the fuzz targets with the program's own
// writers: valid inline bitmaps of every depth and coding, small list files
// with and without an outline chunk, and region list files of regions of
// every kind written by the list writer, and BMP files of both depths the
// BMP reader takes.  The picture checks get those BMP files and small JPEG,
// GIF and run-length BMP pictures laid out here byte by byte (the engine
// has no JPEG or GIF writer of its own).
//   make_fuzz_seeds FOLDER   ->  FOLDER/fuzz_inline_bitmap/*, FOLDER/fuzz_chunk_file/*,
//                                FOLDER/fuzz_region_list/*, FOLDER/fuzz_bmp_file/*,
//                                FOLDER/fuzz_picture_data/*

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "../FuzzPlatform.h"
#include "app/RegionEditorApp.h"
#include "persistence/External.h"
#include "persistence/InlineBitmaps.h"
#include "persistence/ListFile.h"
#include "persistence/RegionListExternal.h"
#include "platform/ByteOrder.h"
#include "raster/OffMap.h"
#include "render/ImageFiles.h"

namespace {

// A small map with runs, greys and an odd width.
std::unique_ptr<OffMap> Sample_Map(int32_t depth, int32_t height = 5) {
  auto map = std::make_unique<OffMap>(13, height, depth);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < 13; ++x) {
      const auto v = static_cast<int16_t>((x * 37 + y * 91) % 3 == 0 ? 255 : (x * 19 + y * 7) % 256);
      map->Set_Pixel(x, y, v, static_cast<int16_t>(255 - v), static_cast<int16_t>(v / 2));
    }
  return map;
}

void Write(const std::string& path, const std::function<void(ListFile&)>& body) {
  ListFile file;
  file.Open_For_Writing(path);
  body(file);
  file.Close();
}

void Require(bool ok, const std::string& err) {
  if (!ok) throw ListFileException(err);
}

void Write_Bitmap(ListFile& file, const OffMap& map, int16_t code, int16_t kind) {
  std::string err;
  Require(Save_OffMap_to_Inside_ListFile(map, file, code, kind, err), err);
}

void Write_List_File(ListFile& file, uint8_t version, bool withOutline) {
  std::string err;
  int64_t field = 0;
  External::Write_File_Signature(file, version);
  Require(External::Write_Chunks_Header(file, External::kRegionListHeaderChunk, version, field, err), err);
  const std::string header(540, '\0');
  file.Write(header.data(), header.size());
  Require(External::Patch_Chunks_Length(file, field, err), err);
  Require(External::Write_Chunks_Header(file, External::kRegionRecordsChunk, version, field, err), err);
  const uint8_t noRegions[4] = {};
  file.Write(noRegions, sizeof noRegions);
  Require(External::Patch_Chunks_Length(file, field, err), err);
  if (!withOutline) return;
  Require(External::Write_Chunks_Header(file, External::kOutlineBitmapChunk, version, field, err), err);
  Write_Bitmap(file, *Sample_Map(8), kInlineRunLength, kInlineOutline);
  Require(External::Patch_Chunks_Length(file, field, err), err);
}

// A region list of `count` small regions, their substitution modes taking
// turns (colour, mask, tonal) from `firstMode`, optionally with an outline,
// written by the list writer.  `firstLeft`, when given, is the left of the
// first region's frame (a reader must refuse what no canvas holds).
void Write_Region_List(const std::string& path, int32_t count, bool withOutline, int32_t firstMode = 0,
                       std::optional<int32_t> firstLeft = std::nullopt) {
  FuzzPlatform platform;
  RegionEditorApp app(platform.Get());
  RegionListSubject& list = app.Get_RegionList();
  std::string err;
  Require(list.Set_Canvas_Size(24, 16, err), err);
  list.Set_Source_Photo_Path("/photos/seed.png");
  const int16_t modes[] = {0, 1, 2};
  for (int32_t i = 0; i < count; ++i) {
    auto* region = new RegionSubject();
    region->Set_Generation_Code(RegionSubject::kSubRegion);
    region->Set_Substitution_Mode(modes[(i + firstMode) % 3]);
    region->Set_Serial_Number(static_cast<int16_t>(i));
    // Taller than 6 rows, so that texture painting takes the regions.
    region->Set_Maps(Sample_Map(24, 9), Sample_Map(24, 9));
    RegionDescriptor& d = region->Get_Current_Descriptor();
    d.frame.Set_Position(i == 0 && firstLeft ? *firstLeft : i, i / 2);
    d.frame.Set_Size(13, 9);
    Require(list.Add_ChildSubject(region, err), err);
  }
  if (withOutline) app.Get_RenderMan().Set_Outline_Map(Sample_Map(8));
  RegionListExternal external(app.List_File_Context());
  Write(path, [&](ListFile& f) { Require(external.Emit(f, 0, err), err); });
}

// A 24-bit BMP file from the program's own writer.
void Write_Colour_Bmp(const std::string& path) {
  FuzzPlatform platform;
  bool cancelled = false;
  std::string chosen = path, err;
  Require(Save_Bitmap_File(platform.Get(), cancelled, Sample_Map(24).get(), chosen, err), err);
}

// An 8-bit BMP file: the file header, then the map's own block (information
// header, 256-entry colour table, rows), which has the file's layout.
void Write_Grey_Bmp(const std::string& path) {
  const std::unique_ptr<OffMap> map = Sample_Map(8);
  const uint32_t block = static_cast<uint32_t>(map->Get_Alloc_Bytes());
  const uint32_t offset = 14 + block - static_cast<uint32_t>(map->Get_Image_Bytes());
  uint8_t fileHeader[14] = {'B', 'M'};
  Put_LE32(fileHeader + 2, 14 + block);
  Put_LE32(fileHeader + 10, offset);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(fileHeader), sizeof fileHeader);
  out.write(reinterpret_cast<const char*>(map->Get_DIB()), block);
  if (!out) throw ListFileException("could not write " + path);
}

void Write_Bytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw ListFileException("could not write " + path);
}

// A baseline JPEG's structure: JFIF block, a quantisation table, the frame,
// a Huffman table, one scan whose data holds a stuffed byte, fill bytes and
// a restart marker, and the end marker.
std::string Jpeg_Seed() {
  const std::string table(64, '\x10');
  return std::string("\xFF\xD8", 2) + std::string("\xFF\xE0\x00\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 18) +
         std::string("\xFF\xDB\x00\x43\x00", 5) + table +
         std::string("\xFF\xC0\x00\x0B\x08\x00\x08\x00\x08\x01\x01\x11\x00", 13) +
         std::string("\xFF\xC4\x00\x14\x00\x01", 6) + std::string(15, '\0') + std::string("\x00", 1) +
         std::string("\xFF\xDD\x00\x04\x00\x01", 6) +
         std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10) +
         std::string("\x12\xFF\x00\x34\xFF\xD0\x56\xFF\xFF\xFF\xD1\x78", 12) + std::string("\xFF\xD9", 2);
}

// A GIF of 4 x 2 pixels with a global colour table, a graphic control
// extension, one image and the trailer.
std::string Gif_Seed() {
  return std::string("GIF89a\x04\x00\x02\x00\x81\x00\x00", 13) +
         std::string("\0\0\0\xFF\0\0\0\xFF\0\0\0\xFF", 12) +
         std::string("\x21\xF9\x04\x01\x00\x00\x00\x00", 8) +
         std::string("\x2C\x00\x00\x00\x00\x04\x00\x02\x00\x00\x02\x04\x84\x1D\x81\x7A\x00\x3B", 18);
}

// An 8-bit run-length BMP of 4 x 2 pixels: two runs a row and the end codes.
std::string Rle_Bmp_Seed() {
  const std::string rows("\x02\x01\x02\x02\x00\x00\x04\x03\x00\x01", 10);
  uint8_t header[54 + 8] = {'B', 'M'};
  Put_LE32(header + 2, sizeof header + static_cast<uint32_t>(rows.size()));
  Put_LE32(header + 10, sizeof header);
  Put_LE32(header + 14, 40);
  Put_LE32(header + 18, 4);
  Put_LE32(header + 22, 2);
  Put_LE16(header + 26, 1);
  Put_LE16(header + 28, 8);
  Put_LE32(header + 30, 1);
  Put_LE32(header + 34, static_cast<uint32_t>(rows.size()));
  Put_LE32(header + 46, 2);
  Put_LE32(header + 58, 0x00FFFFFF);
  return std::string(reinterpret_cast<const char*>(header), sizeof header) + rows;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
    return 2;
  }
  const std::filesystem::path root = argv[1];
  const std::string inlineDir = (root / "fuzz_inline_bitmap").string();
  const std::string listDir = (root / "fuzz_chunk_file").string();
  const std::string regionListDir = (root / "fuzz_region_list").string();
  const std::string bmpDir = (root / "fuzz_bmp_file").string();
  const std::string pictureDir = (root / "fuzz_picture_data").string();
  try {
    std::filesystem::create_directories(inlineDir);
    std::filesystem::create_directories(listDir);
    std::filesystem::create_directories(regionListDir);
    std::filesystem::create_directories(bmpDir);
    std::filesystem::create_directories(pictureDir);
    const struct {
      const char* name;
      int32_t depth;
      int16_t code;
      int16_t kind;
    } bitmaps[] = {
        {"mask_runs", 1, kInlineRunLength, kInlineRegionMask},
        {"outline_runs", 8, kInlineRunLength, kInlineOutline},
        {"colour_header_only", 24, kInlineRunLength, kInlineRegionColor},
        {"mask_raw", 1, kInlineRawBlock, kInlineRegionMask},
        {"tonal_raw", 8, kInlineRawBlock, kInlineRegionTonal},
        {"colour_raw", 24, kInlineRawBlock, kInlineRegionColor},
    };
    for (const auto& b : bitmaps)
      Write(inlineDir + "/" + b.name,
            [&](ListFile& f) { Write_Bitmap(f, *Sample_Map(b.depth), b.code, b.kind); });
    Write(listDir + "/with_outline_v3.rgl", [](ListFile& f) { Write_List_File(f, 3, true); });
    Write(listDir + "/without_outline_v3.rgl", [](ListFile& f) { Write_List_File(f, 3, false); });
    Write(listDir + "/with_outline_v2.rgl", [](ListFile& f) { Write_List_File(f, 2, true); });
    Write_Region_List(regionListDir + "/three_regions_outline.rgl", 3, true);
    Write_Region_List(regionListDir + "/one_region.rgl", 1, false);
    Write_Region_List(regionListDir + "/empty_outline.rgl", 0, true);
    // A first frame at the far left of the 32-bit range, in the auto
    // descriptor (a mask region) and in the scanned one (a colour region).
    Write_Region_List(regionListDir + "/frame_left_min_auto.rgl", 2, true, 1, INT32_MIN);
    Write_Region_List(regionListDir + "/frame_left_min_scanned.rgl", 2, false, 0, INT32_MIN);
    // The same list with a last byte that has the target paint its regions
    // with textures: colour ones in the smallest size, grey ones sampled
    // coarser.
    for (const char choice : {'\x05', '\x06'}) {
      const std::string textured = regionListDir + "/textured_" + std::to_string(choice) + ".rgl";
      std::filesystem::copy_file(regionListDir + "/three_regions_outline.rgl", textured);
      std::ofstream(textured, std::ios::binary | std::ios::app).put(choice);
    }
    Write_Colour_Bmp(bmpDir + "/colour.bmp");
    Write_Grey_Bmp(bmpDir + "/grey.bmp");
    Write_Colour_Bmp(pictureDir + "/colour.bmp");
    Write_Grey_Bmp(pictureDir + "/grey.bmp");
    Write_Bytes(pictureDir + "/runs.bmp", Rle_Bmp_Seed());
    Write_Bytes(pictureDir + "/baseline.jpg", Jpeg_Seed());
    Write_Bytes(pictureDir + "/four.gif", Gif_Seed());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_fuzz_seeds: %s\n", e.what());
    return 1;
  }
  return 0;
}
