#pragma once
// The texture maps the program ships, as recipes: paper (tooth and fibres),
// watercolour washes (mottled pigment, dark drying edges, blooms and
// granulation over paper) and brush marks (directional strokes with bristle
// streaks and dry-brush breaks over paper).  Each recipe renders at any side
// length; grain keeps its size in pixels, while washes and strokes grow with
// the texture so that a small texture still shows a whole mark.

#include <cstdint>
#include <vector>

namespace texgen {

enum class TextureKind { Paper, Wash, Strokes };

struct TextureRecipe {
  const char* name;  // file title before "_<size>"
  bool color;        // false: written in greys to "Monocrome", true: to "Color"
  TextureKind kind;
  uint64_t seed;
  float toothScale;    // size of the paper's bumps in pixels
  float toothDepth;    // how much the bumps darken and shade the paper
  float fibreDensity;  // fibres per 400 pixels
  float pigment;       // darkening of the densest pigment, 0..1
  float blooms;        // 0 none .. 1 strong cauliflower blooms (washes)
  float strokeAngle;   // main stroke direction in radians (strokes)
  float paperTint[3];  // red, green, blue factors of the bare paper
  float absorb[3];     // how strongly the pigment darkens red, green, blue
};

// Every texture the build generates, monochrome ones first.
const std::vector<TextureRecipe>& Texture_Recipes();

// The five side lengths every texture is made in.
const std::vector<int>& Texture_Sizes();

// Renders `recipe` as a size x size picture: rows top to bottom, three
// bytes a pixel in the order red, green, blue.  A monochrome recipe gives
// equal components.
std::vector<uint8_t> Render_Texture(const TextureRecipe& recipe, int size);

}  // namespace texgen
