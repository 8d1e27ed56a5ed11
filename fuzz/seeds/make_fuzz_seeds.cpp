// Writes the seed corpora of the fuzz targets with the program's own
// writers: valid inline bitmaps of every depth and coding, small list files
// with and without an outline chunk, and region list files of regions of
// every kind written by the list writer, and BMP files of both depths the
// BMP reader takes.
//   make_fuzz_seeds FOLDER   ->  FOLDER/fuzz_inline_bitmap/*, FOLDER/fuzz_chunk_file/*,
//                                FOLDER/fuzz_region_list/*, FOLDER/fuzz_bmp_file/*

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "../FuzzPlatform.h"
#include "persistence/External.h"
#include "persistence/InlineBitmaps.h"
#include "persistence/ListFile.h"
#include "persistence/RegionListExternal.h"
#include "platform/ByteOrder.h"
#include "raster/OffMap.h"
#include "app/RegionEditorApp.h"
#include "render/ImageFiles.h"

namespace {

// A small map with runs, greys and an odd width.
std::unique_ptr<OffMap> Sample_Map(int32_t depth) {
  auto map = std::make_unique<OffMap>(13, 5, depth);
  for (int32_t y = 0; y < 5; ++y)
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
  Require(map.Save_OffMap_to_Inside_ListFile(file, code, kind, err), err);
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
    region->generationCode = RegionSubject::kSubRegion;
    region->substitutionMode = modes[(i + firstMode) % 3];
    region->m_serialNumber = static_cast<int16_t>(i);
    region->m_SRCoffMap = Sample_Map(24);
    region->m_refreshOffMap = Sample_Map(24);
    RegionDescriptor& d = region->Get_Current_Descriptor();
    d.frame.Set_Position(i == 0 && firstLeft ? *firstLeft : i, i / 2);
    d.frame.Set_Size(13, 5);
    Require(list.Add_ChildSubject(region, err), err);
  }
  if (withOutline) app.Get_RenderMan().m_outlineMapOversize = Sample_Map(8);
  RegionListExternal external(app);
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
  try {
    std::filesystem::create_directories(inlineDir);
    std::filesystem::create_directories(listDir);
    std::filesystem::create_directories(regionListDir);
    std::filesystem::create_directories(bmpDir);
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
    Write_Colour_Bmp(bmpDir + "/colour.bmp");
    Write_Grey_Bmp(bmpDir + "/grey.bmp");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_fuzz_seeds: %s\n", e.what());
    return 1;
  }
  return 0;
}
