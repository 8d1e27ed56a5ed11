#pragma once
// LayerStack: the layered image taken apart, for the files that keep its
// layers (the layered PSD, the separation PNGs) and for rendering it at
// print size.
//
// The stack is a canvas of `width` x `height` pixels with, bottom to top:
//  * the photo (hidden in editors; not part of the composition),
//  * white paper,
//  * one layer per region in drawing order, each glazed over what lies
//    under it (Glaze_Component below: paint + under - 256, with white paper
//    counted as 256, which editors call Linear Burn),
//  * the outline, a grey layer laid over everything with Linear Burn
//    (under + grey - 255; 255 leaves the picture untouched).
// `composite` is the whole picture flattened: exactly what the program's
// layered image shows at this size.

#include <cstdint>
#include <string>
#include <vector>

struct ExportLayer {
  std::string name;           // e.g. "2 Burnt Sienna 14": row, paint colour, serial number
  int16_t separationId = -1;  // the separation row (0..4) the region came from
  std::string paintName;      // the row's paint colour
  uint32_t paintColor = 0;    // that colour as 0x00RRGGBB
  // The layer's box on the canvas; it lies inside the canvas.
  int32_t left = 0, top = 0, width = 0, height = 0;
  // width * height pixels, rows top to bottom, four bytes a pixel: red,
  // green, blue and coverage (0 none .. 255 full; straight, not
  // premultiplied).  The colour is the paint as the region shows it.
  std::vector<uint8_t> rgba;
};

struct LayerStack {
  int32_t width = 0, height = 0;
  std::vector<ExportLayer> regions;  // drawing order, lowest first
  // width * height greys; empty when there is no outline (or it is hidden).
  std::vector<uint8_t> outlineGrey;
  // width * height * 3 bytes, red, green, blue; empty without a photo.
  std::vector<uint8_t> photo;
  // width * height * 3 bytes, red, green, blue: the flattened picture.
  std::vector<uint8_t> composite;
};

// One colour component of paint glazed over `under` at full coverage: the
// program's transparent blend, paint + under - 256 with white counted as 256.
inline uint8_t Glaze_Component(uint8_t paint, uint8_t under) {
  const int p = paint == 255 ? 256 : paint;
  const int u = under == 255 ? 256 : under;
  const int v = p + u - 256;
  return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

// The same at `coverage` (0..255): the glazed colour mixed with `under`,
// rounded to the nearest.  At 255 it is Glaze_Component exactly.
inline uint8_t Glaze_Component(uint8_t paint, uint8_t under, uint8_t coverage) {
  if (coverage == 255) return Glaze_Component(paint, under);
  if (coverage == 0) return under;
  const int glazed = Glaze_Component(paint, under);
  return static_cast<uint8_t>(under + ((glazed - under) * coverage + (glazed >= under ? 127 : -127)) / 255);
}

// White paper with every region layer of `stack` glazed over it in order:
// width * height * 3 bytes (the picture before the outline).
std::vector<uint8_t> Compose_Region_Layers(const LayerStack& stack);
// The outline grey laid over `rgb` (width * height * 3) with Linear Burn.
void Burn_Outline(const LayerStack& stack, std::vector<uint8_t>& rgb);
