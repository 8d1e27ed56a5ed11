// The whole job pinned: what `quorlin separate` makes of both sample photos,
// with and without a "Pencil Medium" outline, compared pixel for pixel with
// the pictures kept in this folder, and the region counts with results.txt.
//
// With QUORLIN_UPDATE_GOLDEN=1 the table test writes the pictures and counts
// it gets into this folder instead, and says what changed
// (scripts/update-golden.sh runs it so).  A failing comparison writes the
// picture it got into golden-actual/ in the build folder.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/RegionEditorApp.h"
#include "cli/CliOutlineOptions.h"
#include "render/ImageFiles.h"
#include "separation/SeparationDialogController.h"
#include "support/TestSupport.h"

namespace {

struct GoldenCase {
  const char* name;  // the start of its file names and its line in results.txt
  const char* photo;
  bool outline;
};
constexpr GoldenCase kCases[] = {{"coffee", "coffee.png", false},
                                 {"coffee-pencil", "coffee.png", true},
                                 {"chelsea", "chelsea.png", false},
                                 {"chelsea-pencil", "chelsea.png", true}};

const std::string kGoldenDir = QUORLIN_SOURCE_DIR "/tests/golden/";
const std::string kActualDir = QUORLIN_BINARY_DIR "/golden-actual/";
const std::string kCountsFile = kGoldenDir + "results.txt";

// A picture's red, green and blue bytes, top row first.
struct Pixels {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
};

std::optional<Pixels> Read_Pixels(TestPlatform& platform, const std::string& path) {
  std::unique_ptr<PlatformImage> image = platform.Get().Codec().Create_Image();
  if (image->Load(path) < 0 || image->Is_Null()) return std::nullopt;
  Pixels p{image->Get_Width(), image->Get_Height(), {}};
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      int r = 0, g = 0, b = 0;
      image->Get_Pixel_RGB(x, y, r, g, b);
      p.rgb.insert(p.rgb.end(), {uint8_t(r), uint8_t(g), uint8_t(b)});
    }
  return p;
}

Pixels Map_Pixels(const OffMap& map) {
  Pixels p{map.Get_Width(), map.Get_Height(), {}};
  for (int32_t y = 0; y < p.height; ++y)
    for (int32_t x = 0; x < p.width; ++x) {
      int16_t r = 0, g = 0, b = 0;
      map.Get_Pixel(x, y, r, g, b);
      p.rgb.insert(p.rgb.end(), {uint8_t(r), uint8_t(g), uint8_t(b)});
    }
  return p;
}

// How `got` differs from `golden`, said for a person; empty when not at all.
std::string Difference(const std::optional<Pixels>& golden, const Pixels& got) {
  if (!golden) return "there is no golden picture";
  if (golden->width != got.width || golden->height != got.height) {
    return "the size is " + std::to_string(got.width) + " x " + std::to_string(got.height) + ", not " +
           std::to_string(golden->width) + " x " + std::to_string(golden->height);
  }
  int64_t differing = 0;
  int worst = 0;
  for (size_t i = 0; i < got.rgb.size(); i += 3) {
    const int d =
        std::max({std::abs(got.rgb[i] - golden->rgb[i]), std::abs(got.rgb[i + 1] - golden->rgb[i + 1]),
                  std::abs(got.rgb[i + 2] - golden->rgb[i + 2])});
    differing += d > 0;
    worst = std::max(worst, d);
  }
  if (differing == 0) return std::string();
  return std::to_string(differing) + " of " + std::to_string(got.rgb.size() / 3) +
         " pixels differ, the largest channel difference is " + std::to_string(worst);
}

// results.txt: one "name regions" line per case.
std::map<std::string, int> Read_Counts() {
  std::map<std::string, int> counts;
  std::ifstream in(kCountsFile);
  std::string name;
  int regions = 0;
  while (in >> name >> regions) counts[name] = regions;
  return counts;
}

// The case's line of results.txt; "(none)" when it has none.
std::string Count_Line(const std::map<std::string, int>& counts, const std::string& name) {
  const auto found = counts.find(name);
  return found == counts.end() ? "(none)" : name + " " + std::to_string(found->second);
}

void Save_Picture(TestPlatform& platform, const OffMap& map, std::string path) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::string err;
  bool cancelled = false;
  EXPECT_TRUE(Save_Bitmap_File_CImage(platform.Get(), cancelled, &map, path, err)) << path << ": " << err;
}

// `quorlin separate PHOTO -o OUT [--outline "Pencil Medium"]`, step by step
// as the command drives the dialogs; null when a step failed (`err` says
// which).
std::unique_ptr<RegionEditorApp> Run_Job(TestPlatform& platform, const GoldenCase& job, std::string& err) {
  auto app = std::make_unique<RegionEditorApp>(platform.Get(), QUORLIN_TEXTURE_DIR);
  bool fileProblem = false;
  if (!Load_Bitmap_File_as_SRC(err, app->Get_RenderMan(), Sample_Path(job.photo), -1, -1, kWorkingMaxSide,
                               fileProblem) ||
      !Adjust_Detection_Settings_for_Upcoming_DetectionDialog(app->Get_Settings(), app->Get_RegionList(), 0,
                                                              err))
    return nullptr;
  app->Get_Document().sourcePhotoPath = Sample_Path(job.photo);
  SeparationSession session(app->Separation_Context());
  SeparationDialogController& dialog = session.Controller();
  err = "the separation dialog failed";
  if (!dialog.OnInitDialog()) return nullptr;
  if (job.outline) {
    CliOutlineOptions outline;
    outline.wanted = true;
    CliOutlineReport report;
    Connect_Outline_Editor(dialog, *app, outline, 1, report);
    if (!dialog.On_Outline_Editor() || !report.saved) return nullptr;
  }
  if (!dialog.On_Preview_All_Seps() || !dialog.On_Close()) return nullptr;
  err.clear();
  return app;
}

TEST(Golden, TheWholeJobGivesThePinnedPicturesAndRegionCounts) {
  const char* updateVariable = std::getenv("QUORLIN_UPDATE_GOLDEN");
  const bool update = updateVariable != nullptr && std::string(updateVariable) == "1";
  TestPlatform platform;
  const std::map<std::string, int> golden = Read_Counts();
  std::map<std::string, int> counts;
  for (const GoldenCase& job : kCases) {
    std::string err;
    const std::unique_ptr<RegionEditorApp> app = Run_Job(platform, job, err);
    ASSERT_NE(app, nullptr) << job.name << ": " << err;
    const RenderMan& renderMan = app->Get_RenderMan();
    std::vector<std::pair<std::string, const OffMap*>> pictures = {
        {job.name + std::string("-layered.png"), renderMan.Get_Layered_Map()}};
    if (job.outline)
      pictures.emplace_back(job.name + std::string("-outline.png"), renderMan.Get_Outline_Map());
    for (const auto& [file, map] : pictures) {
      ASSERT_NE(map, nullptr) << file;
      std::filesystem::remove(kActualDir + file);
      const std::string change = Difference(Read_Pixels(platform, kGoldenDir + file), Map_Pixels(*map));
      if (update) {
        std::cout << file << ": " << (change.empty() ? "unchanged" : "changed, " + change) << "\n";
        if (!change.empty()) Save_Picture(platform, *map, kGoldenDir + file);
      } else if (!change.empty()) {
        Save_Picture(platform, *map, kActualDir + file);
        ADD_FAILURE() << file << ": " << change << "; got " << kActualDir + file;
      }
    }
    counts[job.name] = app->Get_RegionList().Get_Region_Count();
    if (!update && Count_Line(golden, job.name) != Count_Line(counts, job.name)) {
      ADD_FAILURE() << job.name << ": " << counts[job.name] << " regions, expected "
                    << (golden.count(job.name) ? std::to_string(golden.at(job.name))
                                               : "a line in " + kCountsFile);
    }
  }
  if (!update) return;
  std::ofstream out(kCountsFile, std::ios::trunc);
  for (const GoldenCase& job : kCases) {
    const std::string before = Count_Line(golden, job.name), after = Count_Line(counts, job.name);
    std::cout << "results.txt: " << (before == after ? after + " unchanged" : before + " -> " + after)
              << "\n";
    out << after << "\n";
  }
  EXPECT_TRUE(out.flush()) << kCountsFile;
}

TEST(Golden, QuorlinSeparateWritesThePinnedLayeredImage) {
  TempDir dir;
  TestPlatform platform;
  const std::string out = dir.File("layered.png");
  const CliRun run =
      Run_Quorlin({"separate", Sample_Path("chelsea.png"), "-o", out, "--outline", "Pencil Medium"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "wrote " + out + " (400 x 266, " + std::to_string(Read_Counts()["chelsea-pencil"]) +
                         " regions)\n");
  const std::optional<Pixels> written = Read_Pixels(platform, out);
  ASSERT_TRUE(written.has_value());
  const std::string actual = kActualDir + "quorlin-chelsea-pencil-layered.png";
  std::filesystem::remove(actual);
  const std::string change =
      Difference(Read_Pixels(platform, kGoldenDir + "chelsea-pencil-layered.png"), *written);
  if (!change.empty()) {
    std::filesystem::create_directories(kActualDir);
    std::filesystem::copy_file(out, actual);
    ADD_FAILURE() << "quorlin separate, against chelsea-pencil-layered.png: " << change << "; got " << actual;
  }
}

}  // namespace
