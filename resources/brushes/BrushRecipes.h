#pragma once
// The pencil, charcoal and ink brush strips the program carries, as
// recipes.  A strip is a long, low band of grey values, one stroke of the
// medium laid down from left to right: the line painter stamps one column
// of it per step along a line, its rows spread across the line.
//
// The grey values are what the painter darkens the paper with: 255 leaves
// the paper white, and a value v paints 255 - 1.8 * (255 - v), so values
// from about 113 down already paint black.  The recipes therefore think in
// "darkness on paper" (0 white .. 1 black) and convert at the end.

#include <cstdint>
#include <vector>

namespace brushgen {

enum class Medium { Pencil, Charcoal, Ink };

struct BrushRecipe {
  int32_t resourceId;
  const char* name;  // the line style the strip belongs to
  int32_t width;     // along the stroke
  int32_t height;    // across the stroke
  Medium medium;
  float darkness;  // darkness on paper of the densest part of the stroke, 0..1
  uint64_t seed;
};

// The eight strips, in the order of their line styles.
const std::vector<BrushRecipe>& Brush_Recipes();

// Renders the strip: width x height grey values, rows top to bottom.
std::vector<uint8_t> Render_Brush_Strip(const BrushRecipe& recipe);

}  // namespace brushgen
