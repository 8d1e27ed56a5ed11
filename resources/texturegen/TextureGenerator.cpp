// Writes the program's texture maps: every recipe in every size class as a
// square 24-bit BMP, FOLDER/Monocrome/<Name>_<size>.bmp for the grey ones
// and FOLDER/Color/<Name>_<size>.bmp for the tinted ones.  The build runs
// it into the folder "textures" next to the executables.
//
//   quorlin_texturegen FOLDER [SIZE...]
//
// With sizes given only those are written (each must be one of the five
// size classes).  The output depends on nothing but the recipes.

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "TextureRecipes.h"
#include "platform/headless/Headless.h"
#include "raster/OffMap.h"
#include "render/ImageFiles.h"
#include "render/TextureMaps.h"

namespace {

// Only BMP files are written, and those by the program's own writer; no
// picture codec is needed.
class NoPictureCodec : public PictureCodec {
 public:
  std::unique_ptr<PlatformImage> Create_Image() override { return nullptr; }
};

bool Write_Texture(Platform& platform, const texgen::TextureRecipe& recipe, int size,
                   const std::string& folder, std::string& err) {
  const std::vector<uint8_t> rgb = texgen::Render_Texture(recipe, size);
  OffMap map(size, size, 24);
  if (map.Is_Not_In_Memory()) {
    err = "out of memory";
    return false;
  }
  const uint8_t* in = rgb.data();
  for (int y = 0; y < size; ++y) {
    uint8_t* row = map.Row(y);
    for (int x = 0; x < size; ++x, in += 3) {
      row[3 * x + 0] = in[2];  // the map stores blue, green, red
      row[3 * x + 1] = in[1];
      row[3 * x + 2] = in[0];
    }
  }
  const char* sub = recipe.color ? kColorTextureFolder : kMonochromeTextureFolder;
  std::string path = folder + "/" + sub + "/" + recipe.name + "_" + std::to_string(size) + ".bmp";
  bool cancelled = false;
  return Save_Bitmap_File(platform, cancelled, &map, path, err);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: quorlin_texturegen FOLDER [SIZE...]\n";
    return 2;
  }
  const std::string folder = argv[1];
  std::vector<int> sizes;
  for (int i = 2; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    bool known = false;
    for (const int s : texgen::Texture_Sizes()) known = known || s == size;
    if (!known) {
      std::cerr << "quorlin_texturegen: " << argv[i] << " is not a texture size\n";
      return 2;
    }
    sizes.push_back(size);
  }
  if (sizes.empty()) sizes = texgen::Texture_Sizes();

  for (const char* sub : {kMonochromeTextureFolder, kColorTextureFolder}) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(folder) / sub, ec);
    if (ec) {
      std::cerr << "quorlin_texturegen: cannot create " << folder << "/" << sub << ": " << ec.message()
                << "\n";
      return 1;
    }
  }

  NoPictureCodec codec;
  HeadlessPlatform platform(codec);
  for (const texgen::TextureRecipe& recipe : texgen::Texture_Recipes()) {
    for (const int size : sizes) {
      std::string err;
      if (!Write_Texture(platform.Get(), recipe, size, folder, err)) {
        std::cerr << "quorlin_texturegen: " << recipe.name << "_" << size << ": " << err << "\n";
        return 1;
      }
    }
  }
  return 0;
}
