// Writes the seed corpora of the fuzz targets with the program's own
// writers: valid inline bitmaps of every depth and coding, and small list
// files with and without an outline chunk.
//   make_fuzz_seeds FOLDER   ->  FOLDER/fuzz_inline_bitmap/*, FOLDER/fuzz_chunk_file/*

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "persistence/External.h"
#include "persistence/InlineBitmaps.h"
#include "persistence/ListFile.h"
#include "raster/OffMap.h"

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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
    return 2;
  }
  const std::filesystem::path root = argv[1];
  const std::string inlineDir = (root / "fuzz_inline_bitmap").string();
  const std::string listDir = (root / "fuzz_chunk_file").string();
  try {
    std::filesystem::create_directories(inlineDir);
    std::filesystem::create_directories(listDir);
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
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_fuzz_seeds: %s\n", e.what());
    return 1;
  }
  return 0;
}
