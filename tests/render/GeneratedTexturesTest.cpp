// The texture folder the build generates: complete, loadable, light, and
// reproducible byte for byte.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "raster/OffMap.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"
#include "render/TextureMaps.h"
#include "support/TestSupport.h"

namespace {

const std::set<int> kSizes{57, 106, 227, 571, 1000};

// Texture title (the name before "_<size>") -> the sizes present.
std::map<std::string, std::set<int>> Textures_In(const std::string& folder) {
  std::map<std::string, std::set<int>> found;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    const size_t bar = name.rfind('_');
    EXPECT_NE(bar, std::string::npos) << name;
    if (bar == std::string::npos) continue;
    EXPECT_EQ(entry.path().extension(), ".bmp") << name;
    found[name.substr(0, bar)].insert(TextureMap_Size_From_Name(name));
  }
  return found;
}

std::string Generated(const std::string& sub) {
  return std::string(QUORLIN_TEXTURE_DIR) + "/" + sub;
}

TEST(GeneratedTextures, EveryTextureInAllFiveSizes) {
  for (const char* sub : {"Monocrome", "Color"}) {
    const auto textures = Textures_In(Generated(sub));
    EXPECT_GE(textures.size(), 3u) << sub;
    for (const auto& [title, sizes] : textures) EXPECT_EQ(sizes, kSizes) << sub << "/" << title;
  }
}

// Every file loads with the program's own BMP reader as a square 24-bit
// map of its size; grey textures are pure greys, tinted ones are not, and
// all are light enough to glaze over a region (mean grey at least 200,
// with texture in them).
TEST(GeneratedTextures, SquareLightBitmapsGreyOrTinted) {
  TestPlatform platform;
  for (const char* sub : {"Monocrome", "Color"}) {
    const bool mono = std::string(sub) == "Monocrome";
    for (const auto& entry : std::filesystem::directory_iterator(Generated(sub))) {
      std::string path = entry.path().string();
      const int size = TextureMap_Size_From_Name(entry.path().filename().string());
      bool fileProblem = false;
      std::string err;
      const auto map = Load_Bitmap_File_Dialog_STATIC(platform.Get(), path, fileProblem, err);
      ASSERT_NE(map, nullptr) << path << ": " << err;
      EXPECT_EQ(map->Get_Depth(), 24) << path;
      EXPECT_EQ(map->Get_Width(), size) << path;
      EXPECT_EQ(map->Get_Height(), size) << path;
      EXPECT_EQ(std::filesystem::file_size(path), 54u + static_cast<uint64_t>(map->Get_Image_Bytes()))
          << path;

      int64_t sum = 0, notGrey = 0;
      int16_t darkest = 255, lightest = 0;
      for (int32_t y = 0; y < size; ++y) {
        for (int32_t x = 0; x < size; ++x) {
          int16_t r, g, b;
          map->Get_Pixel(x, y, r, g, b);
          if (r != g || g != b) ++notGrey;
          const int16_t grey = static_cast<int16_t>((r + g + b) / 3);
          sum += grey;
          darkest = std::min(darkest, grey);
          lightest = std::max(lightest, grey);
        }
      }
      if (mono)
        EXPECT_EQ(notGrey, 0) << path;
      else
        EXPECT_GT(notGrey, static_cast<int64_t>(size) * size / 2) << path;
      EXPECT_GE(sum / (static_cast<int64_t>(size) * size), 200) << path;
      EXPECT_GE(lightest - darkest, 10) << path;
    }
  }
}

TEST(GeneratedTextures, RenderManListsThemAndPicksOne) {
  TestPlatform platform;
  RenderMan rm(platform.Get(), Default_Texture_Folder());
  for (const int16_t code : {0, 1}) {
    const ListMemry<TextureMapSpec>& list = *rm.Get_TextureMap_List(code);
    ASSERT_EQ(list.Get_Count() % 5, 0);
    ASSERT_GT(list.Get_Count(), 0);
    const int32_t perSize = list.Get_Count() / 5;
    TextureMapSpec textureEntry;
    for (int32_t i = 0; rm.Get_TextureMapSpec(i, code, textureEntry); ++i)
      EXPECT_EQ(textureEntry.size, *std::next(kSizes.begin(), i / perSize)) << textureEntry.fileName;

    std::string err;
    int16_t scale = 0;
    const int32_t small = RenderMan::Pick_A_TextureMap(err, 0, rm, 100, 80, code, scale);
    ASSERT_TRUE(rm.Get_TextureMapSpec(small, code, textureEntry)) << err;
    EXPECT_EQ(textureEntry.size, 106);
    const int32_t large = RenderMan::Pick_A_TextureMap(err, 1, rm, 100, 80, code, scale);
    ASSERT_TRUE(rm.Get_TextureMapSpec(large, code, textureEntry)) << err;
    EXPECT_EQ(textureEntry.size, 1000);
    EXPECT_EQ(scale, 8);

    // The chosen file paints a region.
    std::string path = rm.Get_TextureMap_Folder(code) + textureEntry.fileName;
    bool fileProblem = false;
    const auto texture = Load_Bitmap_File_Dialog_STATIC(platform.Get(), path, fileProblem, err);
    ASSERT_NE(texture, nullptr) << err;
    OffMap region(100, 80, 24), target(100, 80, 24);
    region.Fill(0);
    target.Fill(255);
    ASSERT_TRUE(OffMap::Copy_TextureMap_to_OffMap(err, *texture, region, target, scale, 3)) << err;
    int16_t r, g, b;
    texture->Get_Pixel(8 * 99, 8 * 79, r, g, b);
    int16_t tr, tg, tb;
    target.Get_Pixel(99, 0, tr, tg, tb);
    EXPECT_EQ((std::vector<int16_t>{tr, tg, tb}), (std::vector<int16_t>{r, g, b}));
  }
}

// Runs the generator; returns its exit status.
int Run_Generator(const std::vector<std::string>& args) {
  std::string command = std::string("'") + QUORLIN_TEXTURE_GENERATOR + "'";
  for (const std::string& a : args) command += " '" + a + "'";
  command += " 2>/dev/null";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(GeneratedTextures, GenerationIsReproducible) {
  TempDir again;
  ASSERT_EQ(Run_Generator({again.Path(), "57", "106"}), 0);
  int compared = 0;
  for (const char* sub : {"Monocrome", "Color"}) {
    for (const auto& entry : std::filesystem::directory_iterator(again.Path() + "/" + sub)) {
      const std::string name = entry.path().filename().string();
      const std::string fresh = Read_File_Bytes(entry.path().string());
      ASSERT_FALSE(fresh.empty()) << name;
      EXPECT_TRUE(fresh == Read_File_Bytes(Generated(sub) + "/" + name)) << sub << "/" << name;
      ++compared;
    }
  }
  const size_t built = Textures_In(Generated("Monocrome")).size() + Textures_In(Generated("Color")).size();
  EXPECT_EQ(compared, static_cast<int>(2 * built));
}

TEST(GeneratedTextures, GeneratorRefusesSizesItDoesNotMake) {
  TempDir out;
  EXPECT_EQ(Run_Generator({out.Path(), "58"}), 2);
  EXPECT_EQ(Run_Generator({}), 2);
  EXPECT_FALSE(std::filesystem::exists(out.Path() + "/Monocrome"));
}

}  // namespace
