#pragma once
// Coordinate indexes over the pixels of a chain, for the whole-chain
// algorithms of PixelChain: they answer "is (x, y) stored" and "which stored
// pixel at (x, y) comes first" without walking the list.  Internal to the
// outline code.

#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "outline/Pixel.h"

class PixelChain;

inline uint32_t Pixel_Key(int16_t x, int16_t y) {
  return (static_cast<uint32_t>(static_cast<uint16_t>(x)) << 16) | static_cast<uint16_t>(y);
}

// The pixels of a chain, in stored order.
std::vector<Pixel> Pixels_Of(const PixelChain& chain);
// Replaces the chain's pixels by copies of `pixels`.
void Replace_Pixels(PixelChain& chain, const std::vector<Pixel>& pixels);

// A sequence of distinct pixels built up in order: a pixel that is already
// in it is not added again.
class DistinctPixels {
 public:
  DistinctPixels() = default;
  explicit DistinctPixels(const std::vector<Pixel>& start);
  // True when the pixel was added.
  bool Add(const Pixel& pixel);
  const std::vector<Pixel>& Pixels() const { return m_pixels; }

 private:
  std::vector<Pixel> m_pixels;
  std::unordered_set<uint32_t> m_keys;
};

// The positions of a list of pixels (duplicates allowed) grouped by
// coordinates, from which pixels can be taken away again.  Taking a pixel
// away removes the last remaining one with its coordinates, so the first
// remaining one with given coordinates stays the same until none is left.
class PixelPositions {
 public:
  explicit PixelPositions(const std::vector<Pixel>& pixels);

  // Remaining pixels at (x, y).
  int32_t Count(int16_t x, int16_t y) const;
  // Position of the first remaining pixel at (x, y); -1 when none remains.
  int32_t First(int16_t x, int16_t y) const;
  // Takes away the last remaining pixel at (x, y), if any.
  void Remove_Last(int16_t x, int16_t y);
  // Positions of all remaining pixels, ascending.
  std::vector<int32_t> Remaining() const;

 private:
  struct Group {
    int32_t offset = 0;  // into m_members
    int32_t left = 0;    // remaining members; they are the first `left`
  };
  const Group* Find(int16_t x, int16_t y) const;

  std::vector<int32_t> m_members;  // positions grouped by coordinates, ascending per group
  std::unordered_map<uint32_t, Group> m_groups;
};
