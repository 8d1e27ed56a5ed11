#include "brushes/BrushRecipes.h"

#include <algorithm>
#include <cmath>

#include "texturegen/Noise.h"

namespace brushgen {

using texgen::Clamp01;
using texgen::GradientNoise;
using texgen::Mix64;
using texgen::Rng;
using texgen::Smooth_Step;

const std::vector<BrushRecipe>& Brush_Recipes() {
  static const std::vector<BrushRecipe> recipes = {
      {329, "Pencil Lite", 1352, 4, Medium::Pencil, 0.48f, 0x5E4C11A7Eull},
      {330, "Pencil Medium", 1137, 5, Medium::Pencil, 0.58f, 0x5E4C11ED1ull},
      {331, "Pencil Heavy", 1591, 7, Medium::Pencil, 0.76f, 0x5E4C11EA7ull},
      {332, "Charcoal Lite", 2086, 7, Medium::Charcoal, 0.62f, 0xC4A2C0A11ull},
      {334, "Charcoal Medium", 2608, 9, Medium::Charcoal, 0.78f, 0xC4A2C0A12ull},
      {333, "Charcoal Heavy", 3390, 12, Medium::Charcoal, 0.92f, 0xC4A2C0A13ull},
      {335, "Ink Fine", 600, 4, Medium::Ink, 1.0f, 0x1A4F1E5ull},
      {336, "Ink Medium", 977, 5, Medium::Ink, 1.0f, 0x1A4FED1ull},
  };
  return recipes;
}

namespace {

constexpr float kTwoPi = 6.283185307f;

// The painter cycles through the columns height .. width-height-1 and then
// starts over, so everything that varies slowly along the strip repeats
// with that period: the restart leaves no visible step in the line.
class AlongStrip {
 public:
  AlongStrip(const BrushRecipe& recipe, uint64_t seed)
      : m_noise(seed), m_first(recipe.height), m_period(recipe.width - 2 * recipe.height) {}

  // Smooth noise of about -1..1 whose features are `wavelength` columns
  // long: the noise is read along a circle whose circumference is one
  // period.
  float At(int x, float wavelength, int octaves) const {
    const float turn = kTwoPi * static_cast<float>(x - m_first) / static_cast<float>(m_period);
    const float radius = static_cast<float>(m_period) / (kTwoPi * wavelength);
    return m_noise.Fractal(radius * std::cos(turn) + 31.7f, radius * std::sin(turn) - 12.3f, octaves);
  }

 private:
  GradientNoise m_noise;
  int m_first;
  int m_period;
};

// Distance of row y from the stroke's centre: 0 there, 1 half a pixel
// beyond the outermost rows of the stroke.  The centre is row height/2,
// the row the painter lays on the line itself, and the painter reaches
// (height-1)/2 rows to either side; with an even height, row 0 lies
// outside the stroke and stays (nearly) white.
float Across(const BrushRecipe& recipe, int y) {
  const float centre = static_cast<float>(recipe.height / 2);
  const float reach = static_cast<float>((recipe.height - 1) / 2) + 0.5f;
  return std::fabs(static_cast<float>(y) - centre) / reach;
}

// Graphite on paper: a soft band whose edges thin out as the pressure
// drops, with a fine grain drawn out along the stroke and flecks of paper
// tooth the lead skipped over.
float Pencil_Darkness(const BrushRecipe& r, const AlongStrip& pressureNoise, const GradientNoise& streaks,
                      Rng& rng, int x, int y) {
  const float pressure = std::clamp(0.78f + 0.6f * pressureNoise.At(x, 220.0f, 3), 0.45f, 1.0f);
  const float d = Across(r, y);
  const float profile = Clamp01(1.0f - d * d * (0.55f + 0.6f * (1.0f - pressure)));
  const float streak = streaks.At(static_cast<float>(x) * 0.35f, static_cast<float>(y) * 0.8f);
  float grain = Clamp01(0.72f + 0.25f * streak + 0.12f * static_cast<float>(rng.Normal()));
  if (rng.Uniform() < 0.05) grain *= 0.35f;
  return r.darkness * pressure * profile * grain;
}

// Charcoal: coarse clumps of pigment that break apart towards the edges
// and where the pressure drops, with whole stretches where the stick
// skipped across the paper.  A darker stick leaves fewer gaps.
float Charcoal_Darkness(const BrushRecipe& r, const AlongStrip& pressureNoise, const GradientNoise& clumps,
                        const GradientNoise& skips, Rng& rng, int x, int y) {
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  const float pressure = std::clamp(0.72f + 0.45f * pressureNoise.At(x, 340.0f, 3), 0.35f, 1.0f);
  const float d = Across(r, y);
  const float clump =
      0.65f * clumps.At(fx * 0.16f, fy * 0.5f) + 0.35f * clumps.At(fx * 0.4f + 50.0f, fy * 1.0f);
  const float skip = skips.At(fx * 0.018f, 0.5f);
  const float threshold = -0.12f - 0.28f * r.darkness + 0.6f * d * d + 0.35f * (1.0f - pressure) +
                          1.2f * std::max(0.0f, skip - 0.3f);
  // Thin deposits at a clump's rim, dense ones in its middle.
  const float cover = Smooth_Step(threshold - 0.1f, threshold + 0.1f, clump);
  const float density = 0.7f + 0.3f * Smooth_Step(threshold, threshold + 0.45f, clump);
  const float particles = 0.85f + 0.15f * static_cast<float>(rng.Uniform());
  const float body = r.darkness * (0.6f + 0.4f * pressure) * density * particles;
  const float dust = 0.06f * static_cast<float>(rng.Uniform());
  return std::max(dust, body * cover);
}

// Ink: solid black with slightly ragged, softer edge rows that widen a
// little under pressure, and a rare fleck where the pen ran dry.
float Ink_Darkness(const BrushRecipe& r, const AlongStrip& pressureNoise, const GradientNoise& edges,
                   Rng& rng, int x, int y) {
  const float pressure = std::clamp(0.9f + 0.15f * pressureNoise.At(x, 300.0f, 2), 0.8f, 1.0f);
  const float d = Across(r, y);
  const float ragged = 0.08f * edges.At(static_cast<float>(x) * 0.2f, static_cast<float>(y));
  const float edge = 1.0f - Smooth_Step(0.55f, 1.0f, d / (0.9f + 0.15f * pressure) + ragged);
  float core = r.darkness * (0.97f + 0.03f * static_cast<float>(rng.Uniform()));
  if (rng.Uniform() < 0.004) core *= 0.6f;
  return core * edge;
}

}  // namespace

std::vector<uint8_t> Render_Brush_Strip(const BrushRecipe& r) {
  const AlongStrip pressure(r, Mix64(r.seed ^ 1));
  const GradientNoise detail(Mix64(r.seed ^ 2));
  const GradientNoise skips(Mix64(r.seed ^ 3));
  Rng rng(Mix64(r.seed ^ 4));

  std::vector<uint8_t> strip(static_cast<size_t>(r.width) * static_cast<size_t>(r.height));
  for (int y = 0; y < r.height; ++y) {
    for (int x = 0; x < r.width; ++x) {
      float darkness = 0.0f;
      switch (r.medium) {
        case Medium::Pencil:
          darkness = Pencil_Darkness(r, pressure, detail, rng, x, y);
          break;
        case Medium::Charcoal:
          darkness = Charcoal_Darkness(r, pressure, detail, skips, rng, x, y);
          break;
        case Medium::Ink:
          darkness = Ink_Darkness(r, pressure, detail, rng, x, y);
          break;
      }
      // The painter's 255 - 1.8 * (255 - v), turned round.
      const float value = 255.0f - 255.0f * Clamp01(darkness) / 1.8f;
      strip[static_cast<size_t>(y) * static_cast<size_t>(r.width) + static_cast<size_t>(x)] =
          static_cast<uint8_t>(std::lround(value));
    }
  }
  return strip;
}

}  // namespace brushgen
