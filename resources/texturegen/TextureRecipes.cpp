#include "TextureRecipes.h"

#include <algorithm>
#include <cmath>

#include "Noise.h"

namespace texgen {

namespace {

// A square field of floats, rows top to bottom.
struct Plane {
  explicit Plane(int side) : size(side), v(static_cast<size_t>(side) * static_cast<size_t>(side), 0.0f) {}
  float& At(int x, int y) {
    return v[static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x)];
  }
  float At(int x, int y) const {
    return v[static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x)];
  }
  float Clamped(int x, int y) const { return At(std::clamp(x, 0, size - 1), std::clamp(y, 0, size - 1)); }
  // Adds `amount` spread over the four pixels around (x, y).
  void Splat(float x, float y, float amount) {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const float dx = x - fx, dy = y - fy;
    Add(ix, iy, amount * (1 - dx) * (1 - dy));
    Add(ix + 1, iy, amount * dx * (1 - dy));
    Add(ix, iy + 1, amount * (1 - dx) * dy);
    Add(ix + 1, iy + 1, amount * dx * dy);
  }
  void Add(int x, int y, float amount) {
    if (x >= 0 && y >= 0 && x < size && y < size) At(x, y) += amount;
  }

  int size;
  std::vector<float> v;
};

// How large marks (washes, strokes) are drawn at this side length, 1 at
// 1000 pixels: they shrink with the texture, but more slowly, so that a
// small texture shows part of a mark rather than a crowd of tiny ones.
float Mark_Scale(int size) {
  return std::pow(static_cast<float>(size) / 1000.0f, 0.55f);
}

// Each size of a texture is its own sample of the recipe, not a crop of
// the largest one.
uint64_t Seed_For(const TextureRecipe& recipe, int size, uint64_t layer) {
  return Mix64(recipe.seed ^ Mix64(static_cast<uint64_t>(size) * 0x100000001B3ull + layer));
}

// A slowly varying field evaluated every `step` pixels and interpolated
// bilinearly in between: the same look as evaluating it everywhere, at a
// fraction of the cost.
template <class Field>
Plane Smooth_Field(int size, int step, Field field) {
  const int cells = size / step + 2;
  std::vector<float> grid(static_cast<size_t>(cells) * static_cast<size_t>(cells));
  for (int j = 0; j < cells; ++j)
    for (int i = 0; i < cells; ++i)
      grid[static_cast<size_t>(j) * static_cast<size_t>(cells) + static_cast<size_t>(i)] =
          field(static_cast<float>(i * step), static_cast<float>(j * step));
  Plane plane(size);
  const float inv = 1.0f / static_cast<float>(step);
  for (int y = 0; y < size; ++y) {
    const int j = y / step;
    const float fy = static_cast<float>(y - j * step) * inv;
    const float* top = &grid[static_cast<size_t>(j) * static_cast<size_t>(cells)];
    const float* bottom = top + cells;
    for (int x = 0; x < size; ++x) {
      const int i = x / step;
      const float fx = static_cast<float>(x - i * step) * inv;
      const float a = top[i] + fx * (top[i + 1] - top[i]);
      const float b = bottom[i] + fx * (bottom[i + 1] - bottom[i]);
      plane.At(x, y) = a + fy * (b - a);
    }
  }
  return plane;
}

// ---- paper ------------------------------------------------------------------

struct Paper {
  Plane lightness;  // about 0.85 .. 1
  Plane tooth;      // height of the surface, about -1 .. 1
  explicit Paper(int size) : lightness(size), tooth(size) {}
};

// Fibres: thin, gently curving threads pressed into the sheet; most sit a
// little darker than the paper, some catch the light.
void Draw_Fibres(Plane& fibres, Rng& rng, float density) {
  const int size = fibres.size;
  const int count = static_cast<int>(density * static_cast<float>(size) * static_cast<float>(size) / 400.0f);
  for (int i = 0; i < count; ++i) {
    const double length = rng.Range(5.0, 34.0);
    double x = rng.Range(-length, size + length);
    double y = rng.Range(-length, size + length);
    double angle = rng.Range(0.0, 6.283185307179586);
    const double bend = rng.Normal() * 0.03;
    const float strength = rng.Uniform() < 0.25 ? -static_cast<float>(rng.Range(0.008, 0.02))
                                                : static_cast<float>(rng.Range(0.012, 0.05));
    for (double walked = 0.0; walked < length; walked += 0.5) {
      // Fade in and out at the ends so fibres do not end in blunt dots.
      const double t = walked / length;
      const float fade = static_cast<float>(std::sin(3.141592653589793 * t));
      fibres.Splat(static_cast<float>(x), static_cast<float>(y), 0.5f * strength * fade);
      x += 0.5 * std::cos(angle);
      y += 0.5 * std::sin(angle);
      angle += bend + rng.Normal() * 0.02;
    }
  }
}

Paper Make_Paper(const TextureRecipe& recipe, int size) {
  Paper paper(size);
  const GradientNoise toothNoise(Seed_For(recipe, size, 1));
  const GradientNoise cockleNoise(Seed_For(recipe, size, 2));
  const float inv = 1.0f / recipe.toothScale;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const float fx = static_cast<float>(x), fy = static_cast<float>(y);
      paper.tooth.At(x, y) = 0.8f * toothNoise.Fractal(fx * inv, fy * inv, 3, 0.55f) +
                             0.2f * toothNoise.At(fx * 0.55f + 91.7f, fy * 0.55f - 33.1f);
    }
  }
  Plane fibres(size);
  Rng rng(Seed_For(recipe, size, 3));
  Draw_Fibres(fibres, rng, recipe.fibreDensity);
  const Plane cockle =
      Smooth_Field(size, 8, [&](float x, float y) { return cockleNoise.Fractal(x / 170.0f, y / 170.0f, 2); });

  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const float h = paper.tooth.At(x, y);
      // Light from the top left: slopes facing it are brighter.
      const float shade = paper.tooth.Clamped(x - 1, y - 1) - paper.tooth.Clamped(x + 1, y + 1);
      paper.lightness.At(x, y) = 0.955f + recipe.toothDepth * (0.55f * h + 0.9f * shade) +
                                 0.012f * cockle.At(x, y) - fibres.At(x, y);
    }
  }
  return paper;
}

// ---- washes ------------------------------------------------------------------

// Pigment density 0..1 of a watercolour wash: a mottled body where the
// pigment flowed, darker lines where puddles dried at their edges, blooms
// (paler patches with a dark frilled rim where water ran back into drying
// paint) and granulation, pigment settling into the paper's hollows.
Plane Wash_Density(const TextureRecipe& recipe, int size, const Plane& tooth) {
  Plane density(size);
  const GradientNoise warpNoiseX(Seed_For(recipe, size, 10));
  const GradientNoise warpNoiseY(Seed_For(recipe, size, 11));
  const GradientNoise flow(Seed_For(recipe, size, 12));
  const GradientNoise bloom(Seed_For(recipe, size, 13));
  const GradientNoise grain(Seed_For(recipe, size, 14));
  const float period = 360.0f * Mark_Scale(size);
  const float inv = 1.0f / period;
  const int step = std::max(1, static_cast<int>(period / 40.0f));
  // The pigment drifts along a slow, swirling flow: the fields are sampled
  // at warped positions.
  const Plane warpX = Smooth_Field(
      size, step, [&](float x, float y) { return warpNoiseX.Fractal(x * inv + 3.1f, y * inv + 7.7f, 3); });
  const Plane warpY = Smooth_Field(
      size, step, [&](float x, float y) { return warpNoiseY.Fractal(x * inv - 5.3f, y * inv + 1.9f, 3); });
  const auto warped = [&](float x, float y, float& fx, float& fy) {
    const int ix = std::min(static_cast<int>(x), size - 1), iy = std::min(static_cast<int>(y), size - 1);
    fx = x * inv + 0.85f * warpX.At(ix, iy);
    fy = y * inv + 0.85f * warpY.At(ix, iy);
  };
  // The slow layers of the flow and bloom fields are smooth enough for the
  // coarse grid; only their fine layers are evaluated per pixel.
  const Plane flowSlow = Smooth_Field(size, step, [&](float x, float y) {
    float fx, fy;
    warped(x, y, fx, fy);
    return flow.Fractal_Part(fx, fy, 6, 0.55f, 0, 3);
  });
  const auto bloomAt = [&](float x, float y, int first, int last) {
    const int ix = std::min(static_cast<int>(x), size - 1), iy = std::min(static_cast<int>(y), size - 1);
    const float wx = warpX.At(ix, iy), wy = warpY.At(ix, iy);
    return bloom.Fractal_Part(2.3f * x * inv + 0.6f * wy, 2.3f * y * inv - 0.6f * wx, 6, 0.6f, first, last);
  };
  const Plane bloomSlow = Smooth_Field(size, step, [&](float x, float y) { return bloomAt(x, y, 0, 2); });
  const float bloomLevel = 0.4f - 0.2f * recipe.blooms;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      float fx, fy;
      warped(static_cast<float>(x), static_cast<float>(y), fx, fy);
      const float d = flowSlow.At(x, y) + flow.Fractal_Part(fx, fy, 6, 0.55f, 3, 6);

      float pigment = 0.22f + 0.45f * Smooth_Step(-0.4f, 0.3f, d);
      // A puddle that dried: pigment gathered at its hard edge, the inside a
      // little darker than the wash around it.
      const float edge = (d - 0.07f) / 0.02f;
      pigment += 0.34f * std::exp(-edge * edge) + 0.07f * Smooth_Step(0.05f, 0.08f, d);

      if (recipe.blooms > 0.0f) {
        // A bloom: water ran back into drying paint and pushed the pigment
        // out to a dark, frilled rim, leaving the inside pale.
        const float b = bloomSlow.At(x, y) + bloomAt(static_cast<float>(x), static_cast<float>(y), 2, 6);
        const float inside = Smooth_Step(bloomLevel - 0.005f, bloomLevel + 0.03f, b);
        pigment *= 1.0f - 0.38f * recipe.blooms * inside;
        const float rim = (b - bloomLevel + 0.012f) / 0.022f;
        pigment += 0.42f * recipe.blooms * std::exp(-rim * rim);
      }

      // Granulation: pigment clumps and settles into the hollows of the paper.
      const float g = grain.Fractal(static_cast<float>(x) / 3.2f, static_cast<float>(y) / 3.2f, 2);
      pigment *= 1.0f + 0.25f * g - 0.3f * tooth.At(x, y);
      density.At(x, y) = Clamp01(pigment);
    }
  }
  return density;
}

// ---- brush strokes -----------------------------------------------------------

// Coverage 0..1 of overlapping brush strokes, glazed over each other.  A
// stroke is a slightly bent band along the main direction: the brush sets
// down softly, its bristles leave streaks along the stroke, and as the paint
// runs out the band breaks up on the paper's tooth (dry brush).
Plane Stroke_Coverage(const TextureRecipe& recipe, int size, const Plane& tooth) {
  Plane cover(size);
  const GradientNoise bristles(Seed_For(recipe, size, 20));
  const GradientNoise wobble(Seed_For(recipe, size, 21));
  Rng rng(Seed_For(recipe, size, 22));
  const float scale = Mark_Scale(size);
  const float baseLength = 430.0f * scale, baseWidth = 30.0f * scale;
  const int count = static_cast<int>(1.7f * static_cast<float>(size) * static_cast<float>(size) /
                                     (baseLength * baseWidth)) +
                    3;
  for (int s = 0; s < count; ++s) {
    const float angle = recipe.strokeAngle + static_cast<float>(rng.Normal() * 0.12);
    const float length = baseLength * static_cast<float>(rng.Range(0.5, 1.3));
    const float halfWidth = 0.5f * baseWidth * static_cast<float>(rng.Range(0.6, 1.4));
    const float bend = static_cast<float>(rng.Normal()) * 0.06f * length;
    const float load = static_cast<float>(rng.Range(0.55, 1.0));  // paint on the brush
    const float strength = static_cast<float>(rng.Range(0.35, 0.85));
    const float offset = static_cast<float>(rng.Range(0.0, 200.0));
    const float cx = static_cast<float>(rng.Range(-0.3 * length, size + 0.3 * length));
    const float cy = static_cast<float>(rng.Range(-0.3 * length, size + 0.3 * length));
    const float ux = std::cos(angle), uy = std::sin(angle);                  // along the stroke
    const float sx = cx - 0.5f * length * ux, sy = cy - 0.5f * length * uy;  // start

    // Only the pixels of each row that can lie on the band are visited: the
    // row's stretch where 0 <= u <= length and |v| <= reach.
    const float reach = halfWidth * 1.3f + std::fabs(bend) + 2.0f;
    const int y0 = std::max(0, static_cast<int>(std::min(sy, sy + length * uy) - reach) - 1);
    const int y1 = std::min(size - 1, static_cast<int>(std::max(sy, sy + length * uy) + reach) + 1);
    for (int y = y0; y <= y1; ++y) {
      const float ry = static_cast<float>(y) - sy;
      float lo = -1e9f, hi = 1e9f;
      // u = rx * ux + ry * uy in [0, length]; v = -rx * uy + ry * ux in [-reach, reach].
      const auto limit = [&](float slope, float base, float from, float to) {
        if (std::fabs(slope) < 1e-6f) {
          if (base < from || base > to) hi = lo - 1.0f;
          return;
        }
        const float a = (from - base) / slope, b = (to - base) / slope;
        lo = std::max(lo, std::min(a, b));
        hi = std::min(hi, std::max(a, b));
      };
      limit(ux, ry * uy, 0.0f, length);
      limit(-uy, ry * ux, -reach, reach);
      if (hi < lo) continue;
      const int x0 = std::max(0, static_cast<int>(std::floor(sx + lo)));
      const int x1 = std::min(size - 1, static_cast<int>(std::ceil(sx + hi)));
      for (int x = x0; x <= x1; ++x) {
        const float rx = static_cast<float>(x) - sx;
        const float u = rx * ux + ry * uy;
        if (u < 0.0f || u > length) continue;
        const float t = u / length;
        const float v = -rx * uy + ry * ux - bend * 4.0f * t * (1.0f - t);
        // The brush sets down with a rounded tip and lifts a little narrower.
        const float tip = u < halfWidth ? 1.0f - u / halfWidth : 0.0f;
        const float width = halfWidth * (1.0f + 0.18f * wobble.At(u / 25.0f + offset, offset)) *
                            std::sqrt(1.0f - tip * tip) * (1.0f - 0.2f * t);
        const float fromEdge = width - std::fabs(v);
        if (fromEdge <= 0.0f) continue;
        const float streak = bristles.Fractal(u / (70.0f * scale) + offset, v / 2.2f + offset, 2);
        const float fine = bristles.At(static_cast<float>(x) / 2.1f - offset, static_cast<float>(y) / 2.1f);
        // Paint left on the brush falls along the stroke; the tooth's peaks
        // keep taking paint longest.
        const float paint = load * (1.0f - 0.75f * t * std::sqrt(t));
        const float take =
            Smooth_Step(-0.15f, 0.2f, paint - 0.45f + 0.35f * streak + 0.15f * fine + 0.25f * tooth.At(x, y));
        const float soft = Smooth_Step(0.0f, 1.4f, fromEdge);
        // Paint gathers a little along the stroke's edges.
        const float rim = 1.0f + 0.35f * std::exp(-fromEdge / 1.5f);
        const float a = Clamp01(strength * take * soft * rim * (0.65f + 0.45f * streak));
        float& c = cover.At(x, y);
        c = 1.0f - (1.0f - c) * (1.0f - a);
      }
    }
  }
  return cover;
}

uint8_t To_Byte(float value) {
  return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0f, 255.0f)));
}

}  // namespace

const std::vector<TextureRecipe>& Texture_Recipes() {
  // name, colour, kind, seed, tooth scale, tooth depth, fibres, pigment,
  // blooms, stroke angle, paper tint, pigment absorption
  static const std::vector<TextureRecipe> recipes = {
      {"ColdPress",
       false,
       TextureKind::Paper,
       0x51A7E1u,
       5.5f,
       0.065f,
       1.0f,
       0.0f,
       0.0f,
       0.0f,
       {1, 1, 1},
       {1, 1, 1}},
      {"HotPress",
       false,
       TextureKind::Paper,
       0x3C0FFEEu,
       2.2f,
       0.02f,
       0.6f,
       0.0f,
       0.0f,
       0.0f,
       {1, 1, 1},
       {1, 1, 1}},
      {"GreyWash",
       false,
       TextureKind::Wash,
       0x9A5B1Eu,
       5.0f,
       0.035f,
       0.5f,
       0.19f,
       0.0f,
       0.0f,
       {1, 1, 1},
       {1, 1, 1}},
      {"WetBlooms",
       false,
       TextureKind::Wash,
       0xB100Du,
       4.5f,
       0.03f,
       0.5f,
       0.2f,
       1.0f,
       0.0f,
       {1, 1, 1},
       {1, 1, 1}},
      {"DryBrush",
       false,
       TextureKind::Strokes,
       0xD2B85Eu,
       5.0f,
       0.04f,
       0.5f,
       0.30f,
       0.0f,
       0.42f,
       {1, 1, 1},
       {1, 1, 1}},
      {"CreamPaper",
       true,
       TextureKind::Paper,
       0xC4EA3u,
       5.0f,
       0.06f,
       1.0f,
       0.0f,
       0.0f,
       0.0f,
       {1.0f, 0.985f, 0.94f},
       {1, 1, 1}},
      {"BlueWash",
       true,
       TextureKind::Wash,
       0xB1DE5u,
       5.0f,
       0.035f,
       0.5f,
       0.19f,
       0.35f,
       0.0f,
       {1.0f, 0.99f, 0.965f},
       {1.3f, 0.95f, 0.5f}},
      {"OchreWash",
       true,
       TextureKind::Wash,
       0x0C4E1u,
       4.5f,
       0.03f,
       0.5f,
       0.18f,
       1.0f,
       0.0f,
       {1.0f, 0.985f, 0.95f},
       {0.5f, 0.85f, 1.35f}},
      {"SepiaStrokes",
       true,
       TextureKind::Strokes,
       0x5E91Au,
       5.0f,
       0.04f,
       0.5f,
       0.30f,
       0.0f,
       -0.35f,
       {1.0f, 0.985f, 0.95f},
       {0.8f, 1.0f, 1.25f}},
  };
  return recipes;
}

const std::vector<int>& Texture_Sizes() {
  static const std::vector<int> sizes = {57, 106, 227, 571, 1000};
  return sizes;
}

std::vector<uint8_t> Render_Texture(const TextureRecipe& recipe, int size) {
  const Paper paper = Make_Paper(recipe, size);
  Plane pigment(size);
  if (recipe.kind == TextureKind::Wash) pigment = Wash_Density(recipe, size, paper.tooth);
  if (recipe.kind == TextureKind::Strokes) pigment = Stroke_Coverage(recipe, size, paper.tooth);

  std::vector<uint8_t> rgb(static_cast<size_t>(size) * static_cast<size_t>(size) * 3);
  uint8_t* out = rgb.data();
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const float paperValue = 255.0f * paper.lightness.At(x, y);
      const float p = recipe.pigment * pigment.At(x, y);
      if (!recipe.color) {
        const uint8_t grey = To_Byte(paperValue * (1.0f - p));
        *out++ = grey;
        *out++ = grey;
        *out++ = grey;
        continue;
      }
      for (int c = 0; c < 3; ++c) {
        *out++ = To_Byte(paperValue * recipe.paperTint[c] * (1.0f - std::min(1.0f, p * recipe.absorb[c])));
      }
    }
  }
  return rgb;
}

}  // namespace texgen
