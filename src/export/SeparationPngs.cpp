#include "export/SeparationPngs.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>

#include "platform/PathNames.h"
#include "platform/PlatformServices.h"

std::string Separation_File_Name(int16_t separationId, const std::string& paintName) {
  std::string name = std::to_string(separationId + 1) + "-";
  for (const char c : paintName) {
    const bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    name += keep ? c : '-';
  }
  return name + ".png";
}

std::vector<SeparationPicture> Separation_Pictures(const LayerStack& stack) {
  const size_t pixels = static_cast<size_t>(stack.width) * static_cast<size_t>(stack.height);
  std::map<std::pair<int16_t, std::string>, SeparationPicture> byRow;
  for (const ExportLayer& layer : stack.regions) {
    SeparationPicture& picture = byRow[{layer.separationId, layer.paintName}];
    if (picture.rgba.empty()) {
      picture.separationId = layer.separationId;
      picture.paintName = layer.paintName;
      picture.fileName = Separation_File_Name(layer.separationId, layer.paintName);
      picture.rgba.assign(pixels * 4, 0);
      for (size_t i = 0; i < pixels; ++i)
        picture.rgba[i * 4] = picture.rgba[i * 4 + 1] = picture.rgba[i * 4 + 2] = 255;
    }
    for (int32_t y = 0; y < layer.height; ++y) {
      const uint8_t* p = layer.rgba.data() + static_cast<size_t>(y) * static_cast<size_t>(layer.width) * 4;
      uint8_t* q =
          picture.rgba.data() + (static_cast<size_t>(layer.top + y) * static_cast<size_t>(stack.width) +
                                 static_cast<size_t>(layer.left)) *
                                    4;
      for (int32_t x = 0; x < layer.width; ++x, p += 4, q += 4) {
        if (p[3] == 0) continue;
        if (q[3] == 0) {
          std::copy(p, p + 4, q);
          continue;
        }
        for (int c = 0; c < 3; ++c) q[c] = Glaze_Component(p[c], q[c]);
        q[3] = std::max(q[3], p[3]);
      }
    }
  }
  std::vector<SeparationPicture> pictures;
  for (auto& entry : byRow) pictures.push_back(std::move(entry.second));
  return pictures;
}

bool Write_Separation_Pngs(const LayerStack& stack, const std::string& folder, PictureCodec& codec,
                           std::vector<std::string>& written, std::string& err) {
  err.clear();
  written.clear();
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec || !std::filesystem::is_directory(folder, ec)) {
    err = folder + ": the folder could not be made" +
          (ec ? " (" + ec.message() + ")" : std::string(" (a file has its name)"));
    return false;
  }
  for (const SeparationPicture& picture : Separation_Pictures(stack)) {
    std::unique_ptr<PlatformImage> image = codec.Create_Image();
    if (!image || !image->Create(stack.width, stack.height, 32)) {
      err = "a " + std::to_string(stack.width) + " x " + std::to_string(stack.height) +
            " picture with transparency could not be made";
      return false;
    }
    const uint8_t* p = picture.rgba.data();
    for (int32_t y = 0; y < stack.height; ++y)
      for (int32_t x = 0; x < stack.width; ++x, p += 4)
        if (p[3] != 0) image->Set_Pixel_RGBA(x, y, p[0], p[1], p[2], p[3]);
    const std::string path = Path_Join(folder, picture.fileName);
    if (image->Save(path) != 0) {
      err = path + ": " + image->Last_Error();
      return false;
    }
    written.push_back(path);
  }
  return true;
}
