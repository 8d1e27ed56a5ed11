#pragma once
// Deterministic randomness for the resource generators: a seeded number
// stream and seeded coherent (gradient) noise.  Nothing here reads the
// clock or the environment, so a seed always gives the same picture.

#include <cmath>
#include <cstdint>

namespace texgen {

// A 64-bit mixing step (splitmix): good enough to seed and to hash.
inline uint64_t Mix64(uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

class Rng {
 public:
  explicit Rng(uint64_t seed) : m_state(Mix64(seed)) {}
  uint64_t Next() {
    m_state += 0x9E3779B97F4A7C15ull;
    return Mix64(m_state);
  }
  // Uniform in [0, 1).
  double Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
  // Roughly normal (sum of four uniforms), mean 0, standard deviation 1.
  double Normal() { return (Uniform() + Uniform() + Uniform() + Uniform() - 2.0) * 1.7320508; }

 private:
  uint64_t m_state;
};

// Two-dimensional gradient noise on the integer lattice: smooth, about
// -1..1, zero at every lattice point.
class GradientNoise {
 public:
  explicit GradientNoise(uint64_t seed) {
    Rng rng(seed);
    for (int i = 0; i < 256; ++i) {
      m_perm[i] = static_cast<uint8_t>(i);
      const double angle = rng.Uniform() * 6.283185307179586;
      m_gx[i] = static_cast<float>(std::cos(angle));
      m_gy[i] = static_cast<float>(std::sin(angle));
    }
    for (int i = 255; i > 0; --i) {
      const int j = static_cast<int>(rng.Next() % static_cast<uint64_t>(i + 1));
      const uint8_t t = m_perm[i];
      m_perm[i] = m_perm[j];
      m_perm[j] = t;
    }
    for (int i = 0; i < 256; ++i) m_perm[256 + i] = m_perm[i];
  }

  float At(float x, float y) const {
    const int x0 = Floor(x), y0 = Floor(y);
    const int ix = x0 & 255, iy = y0 & 255;
    const float dx = x - static_cast<float>(x0), dy = y - static_cast<float>(y0);
    const float u = Fade(dx), v = Fade(dy);
    const int a = m_perm[ix], b = m_perm[ix + 1];
    const float n00 = Dot(m_perm[a + iy], dx, dy);
    const float n10 = Dot(m_perm[b + iy], dx - 1.0f, dy);
    const float n01 = Dot(m_perm[a + iy + 1], dx, dy - 1.0f);
    const float n11 = Dot(m_perm[b + iy + 1], dx - 1.0f, dy - 1.0f);
    const float nx0 = n00 + u * (n10 - n00);
    const float nx1 = n01 + u * (n11 - n01);
    return 1.41421356f * (nx0 + v * (nx1 - nx0));
  }

  // Fractal sum of `octaves` layers, each of twice the frequency and
  // `gain` times the weight of the one before, normalised to about -1..1.
  // Every layer is shifted and turned a little so that the lattices of the
  // layers never line up (which would show as a grid).
  float Fractal(float x, float y, int octaves, float gain = 0.5f) const {
    return Fractal_Part(x, y, octaves, gain, 0, octaves);
  }

  // Only the layers first..last-1 of that sum, with the same weights and
  // normalisation, so that the slow layers of a fractal can be evaluated on
  // a coarse grid and the fast ones per pixel.
  float Fractal_Part(float x, float y, int octaves, float gain, int first, int last) const {
    float sum = 0.0f, weight = 1.0f, total = 0.0f;
    for (int o = 0; o < octaves; ++o) {
      if (o >= first && o < last)
        sum += weight * At(x + 17.31f * static_cast<float>(o), y - 9.73f * static_cast<float>(o));
      total += weight;
      weight *= gain;
      const float rx = 1.6f * x + 1.2f * y, ry = -1.2f * x + 1.6f * y;  // x2, turned ~37 degrees
      x = rx;
      y = ry;
    }
    return sum / total;
  }

 private:
  // Rounds down; quicker than std::floor, which may be a library call.
  static int Floor(float v) {
    const int i = static_cast<int>(v);
    return v < static_cast<float>(i) ? i - 1 : i;
  }
  static float Fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }
  float Dot(int hash, float dx, float dy) const { return m_gx[hash] * dx + m_gy[hash] * dy; }

  uint8_t m_perm[512];
  float m_gx[256];
  float m_gy[256];
};

inline float Smooth_Step(float edge0, float edge1, float x) {
  float t = (x - edge0) / (edge1 - edge0);
  t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
  return t * t * (3.0f - 2.0f * t);
}

inline float Clamp01(float x) {
  return x < 0.0f ? 0.0f : (x > 1.0f ? 1.0f : x);
}

}  // namespace texgen
