#pragma once
// What the export tests share: a whole separation job run in the process,
// and a reader of the layered PSD files written by the program, written
// from the file format's public description (not from the writer).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/RegionEditorApp.h"
#include "export/ExportSource.h"
#include "support/TestSupport.h"

struct ExportJob {
  const char* photo;  // "coffee.png", "chelsea.png"
  bool outline;       // --outline "Pencil Medium"
  int textures;       // -1 none, 0 mono, 1 color
};

// `quorlin separate PHOTO -o OUT` (with the job's outline and textures) as
// the command drives it; null when a step failed (`err` says which).
std::unique_ptr<RegionEditorApp> Run_Export_Job(TestPlatform& platform, const ExportJob& job,
                                                std::string& err);
ExportSource Source_Of(RegionEditorApp& app, TestPlatform& platform);
// The map's red, green, blue bytes, top row first.
std::vector<uint8_t> Map_Bytes(const OffMap& map);

struct PsdReadLayer {
  std::string name;  // from the Unicode block when there is one
  std::string pascalName;
  std::string blend;
  bool hidden = false;
  int32_t top = 0, left = 0, bottom = 0, right = 0;
  // Decoded planes by channel id (-1 transparency, 0 red, 1 green, 2 blue).
  std::vector<std::pair<int16_t, std::vector<uint8_t>>> planes;
  const std::vector<uint8_t>* Plane(int16_t id) const;
};

struct PsdFile {
  int32_t width = 0, height = 0, channels = 0, depth = 0, mode = 0;
  std::vector<PsdReadLayer> layers;  // bottom first
  std::vector<uint8_t> composite;    // width * height * 3, red green blue
};

// Reads the whole file strictly: every length must lead exactly to the
// next section, every PackBits row must decode to its width.  False with
// the place of the first problem.
bool Read_Psd(const std::vector<uint8_t>& bytes, PsdFile& psd, std::string& err);
// One PackBits row decoded: true when `packed` decodes to exactly `width`
// bytes.
bool Unpack_PackBits(const std::vector<uint8_t>& packed, size_t width, std::vector<uint8_t>& out);
// The visible layers laid over white as an editor does: Normal, or Linear
// Burn (under + layer - 255, clamped at 0), mixed with `under` by the
// layer's transparency.  `upTo` layers from the bottom; -1 for all.
std::vector<uint8_t> Compose_As_Editor(const PsdFile& psd, int upTo = -1);
