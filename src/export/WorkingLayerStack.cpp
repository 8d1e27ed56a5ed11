#include "export/WorkingLayerStack.h"

#include "colors/StandardColors.h"
#include "export/ExportSource.h"
#include "framework/Rects.h"
#include "raster/OffMap.h"
#include "regions/RegionListSubject.h"
#include "regions/RegionSubject.h"
#include "render/RenderMan.h"

namespace {

// width x height x 3 bytes, red, green, blue, of a 24-bit map.
std::vector<uint8_t> Map_RGB(const OffMap& map) {
  const int32_t width = map.Get_Width(), height = map.Get_Height();
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
  uint8_t* q = rgb.data();
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x, q += 3) {
      int16_t r = 0, g = 0, b = 0;
      map.Get_Pixel(x, y, r, g, b);
      q[0] = static_cast<uint8_t>(r);
      q[1] = static_cast<uint8_t>(g);
      q[2] = static_cast<uint8_t>(b);
    }
  }
  return rgb;
}

// The outline grey of the stack: 255 - e, e being what the program's merge
// takes off each component of the regions' picture.  The merge stores
// component - e clamped at 0, which is Linear Burn with that grey.
bool Outline_Grey(const ExportSource& source, LayerStack& stack, std::string& err) {
  stack.outlineGrey.clear();
  const RenderMan& renderMan = source.renderMan;
  if (renderMan.Get_Outline_Map() == nullptr || renderMan.Get_Hide_Outline()) return true;
  std::unique_ptr<OffMap> regionsPicture = OffMap::Make(stack.width, stack.height, 24);
  if (regionsPicture == nullptr) {
    err = "the regions' picture could not be made for the outline layer (not enough memory)";
    return false;
  }
  const std::vector<uint8_t> rgb = Compose_Region_Layers(stack);
  for (int32_t y = 0; y < stack.height; ++y) {
    uint8_t* row = regionsPicture->Row(y);
    const uint8_t* p = rgb.data() + static_cast<size_t>(y) * static_cast<size_t>(stack.width) * 3;
    for (int32_t x = 0; x < stack.width; ++x, p += 3, row += 3) {
      row[0] = p[2];
      row[1] = p[1];
      row[2] = p[0];
    }
  }
  // The rectangle the composer gives the merge at 100 %.
  const RectShrt rect =
      Make_RectShrt(0, 0, static_cast<int16_t>(stack.width), static_cast<int16_t>(stack.height));
  std::vector<uint8_t> darkening;
  if (!RenderMan::Outline_Darkening(renderMan, renderMan.Get_Outline_Style(), renderMan.Get_Outline_Map(),
                                    *regionsPicture, rect, darkening, err))
    return false;
  if (darkening.empty()) return true;
  stack.outlineGrey.resize(darkening.size());
  for (size_t i = 0; i < darkening.size(); ++i)
    stack.outlineGrey[i] = static_cast<uint8_t>(255 - darkening[i]);
  return true;
}

}  // namespace

std::string Paint_Colour_Name(int16_t colourIndex) {
  std::string name;
  if (!Get_StandardColors_Nickname(colourIndex, name)) name = "Colour " + std::to_string(colourIndex);
  return name;
}

std::string Region_Layer_Name(int16_t separationId, const std::string& paintName, int16_t serial) {
  return std::to_string(separationId + 1) + " " + paintName + " " + std::to_string(serial);
}

bool Build_Working_Layer_Stack(const ExportSource& source, LayerStack& stack, std::string& err) {
  err.clear();
  stack = LayerStack();
  const OffMap* layered = source.renderMan.Get_Layered_Map();
  if (layered == nullptr || layered->Is_Not_In_Memory() || layered->Get_Width() <= 0 ||
      layered->Get_Height() <= 0) {
    err = "there is no layered image to export";
    return false;
  }
  stack.width = layered->Get_Width();
  stack.height = layered->Get_Height();

  for (const ComponentSubject* child : source.regions.Get_Children_List()) {
    const auto* region = dynamic_cast<const RegionSubject*>(child);
    if (region == nullptr) {
      err = "the region list holds an object that is not a region";
      return false;
    }
    ExportLayer layer;
    layer.separationId = region->Get_Separation_ID();
    layer.paintName = Paint_Colour_Name(region->Get_Hunt_Color_Index());
    layer.name = Region_Layer_Name(layer.separationId, layer.paintName, region->Get_Serial_Number());
    int16_t r = 0, g = 0, b = 0;
    std::string colourErr;
    if (Get_StandardColors_RGB_from_Table(region->Get_Hunt_Color_Index(), r, g, b, colourErr))
      layer.paintColor =
          (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
    // A region that cannot be painted is missing from the program's
    // picture too: its layer stays empty.
    RegionLayerPixels pixels;
    std::string paintErr;
    if (region->Paint_Layer_Pixels(stack.width, stack.height, pixels, paintErr) && pixels.width > 0) {
      layer.left = pixels.left;
      layer.top = pixels.top;
      layer.width = pixels.width;
      layer.height = pixels.height;
      layer.rgba = std::move(pixels.rgba);
    }
    stack.regions.push_back(std::move(layer));
  }

  if (!Outline_Grey(source, stack, err)) return false;
  const OffMap* photo = source.renderMan.Get_Source_Map();
  if (photo != nullptr && !photo->Is_Not_In_Memory() && photo->Get_Width() == stack.width &&
      photo->Get_Height() == stack.height)
    stack.photo = Map_RGB(*photo);
  stack.composite = Map_RGB(*layered);
  return true;
}
