#include "export/LayerStack.h"

std::vector<uint8_t> Compose_Region_Layers(const LayerStack& stack) {
  std::vector<uint8_t> rgb(static_cast<size_t>(stack.width) * static_cast<size_t>(stack.height) * 3, 255);
  for (const ExportLayer& layer : stack.regions) {
    for (int32_t y = 0; y < layer.height; ++y) {
      const uint8_t* p = layer.rgba.data() + static_cast<size_t>(y) * static_cast<size_t>(layer.width) * 4;
      uint8_t* q = rgb.data() + (static_cast<size_t>(layer.top + y) * static_cast<size_t>(stack.width) +
                                 static_cast<size_t>(layer.left)) *
                                    3;
      for (int32_t x = 0; x < layer.width; ++x, p += 4, q += 3) {
        if (p[3] == 0) continue;
        for (int c = 0; c < 3; ++c) q[c] = Glaze_Component(p[c], q[c], p[3]);
      }
    }
  }
  return rgb;
}

void Burn_Outline(const LayerStack& stack, std::vector<uint8_t>& rgb) {
  if (stack.outlineGrey.empty()) return;
  for (size_t i = 0; i < stack.outlineGrey.size(); ++i) {
    const int grey = stack.outlineGrey[i];
    if (grey == 255) continue;
    for (int c = 0; c < 3; ++c) {
      const int v = rgb[i * 3 + c] + grey - 255;
      rgb[i * 3 + c] = static_cast<uint8_t>(v < 0 ? 0 : v);
    }
  }
}
