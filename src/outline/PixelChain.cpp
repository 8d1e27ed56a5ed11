#include "outline/PixelChain.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "outline/PixelIndex.h"

namespace {

// The four 4-neighbour offsets.
constexpr int16_t kNeighbourDx[4] = {0, -1, 1, 0};
constexpr int16_t kNeighbourDy[4] = {-1, 0, 0, 1};

bool Is_4_Neighbour(const Pixel& a, const Pixel& b) {
  const int32_t dx = a.x - b.x, dy = a.y - b.y;
  return (dx == 0 && (dy == 1 || dy == -1)) || (dy == 0 && (dx == 1 || dx == -1));
}

Pixel Neighbour(const Pixel& p, int i) {
  return Pixel{static_cast<int16_t>(p.x + kNeighbourDx[i]), static_cast<int16_t>(p.y + kNeighbourDy[i])};
}

// Position of the first pixel with exactly one 4-neighbour among the
// pixels (duplicates count as often as they are stored); -1 when none has.
int32_t First_End_Position(const std::vector<Pixel>& pixels, const PixelPositions& positions) {
  for (size_t at = 0; at < pixels.size(); ++at) {
    int32_t neighbours = 0;
    for (int i = 0; i < 4; ++i) {
      const Pixel n = Neighbour(pixels[at], i);
      neighbours += positions.Count(n.x, n.y);
    }
    if (neighbours == 1) return static_cast<int32_t>(at);
  }
  return -1;
}

}  // namespace

PixelChain::PixelChain(const PixelChain& other)
    : ListMemry<Pixel>(),
      m_sorted(other.m_sorted),
      m_creationID(other.m_creationID),
      m_visible(other.m_visible),
      m_spacing(other.m_spacing),
      m_dx(other.m_dx),
      m_dy(other.m_dy),
      m_graphic(other.m_graphic) {
  for (const Pixel* pixel : other) Add_To_Tail(new Pixel(*pixel));
}

// ---- pixels ---------------------------------------------------------------------------

bool PixelChain::Contains_Pixel(int16_t x, int16_t y) const {
  for (const Pixel* p : *this) {
    if (p->x == x && p->y == y) return true;
  }
  return false;
}

bool PixelChain::Add_Pixel_If_Absent(int16_t x, int16_t y) {
  if (Contains_Pixel(x, y)) return false;
  Add_To_Tail(new Pixel{x, y});
  return true;
}

bool PixelChain::Remove_Pixel(int16_t x, int16_t y) {
  Pixel* last = nullptr;
  for (Pixel* p : *this) {
    if (p->x == x && p->y == y) last = p;
  }
  if (last == nullptr) return false;
  Remove_Object(last);
  return true;
}

int32_t PixelChain::Count_4_Neighbours(const Pixel& pixel, ListMemry<Pixel>& out) const {
  out.Delete_All();
  int32_t count = 0;
  for (const Pixel* each : *this) {
    if (!Is_4_Neighbour(*each, pixel)) continue;
    out.Add_To_Tail(new Pixel(*each));
    ++count;
  }
  return count;
}

int32_t PixelChain::Find_End_Pixel(ListMemry<Pixel>& out) const {
  const std::vector<Pixel> pixels = Pixels_Of(*this);
  const int32_t at = First_End_Position(pixels, PixelPositions(pixels));
  if (at < 0) return 0;
  out.Add_To_Tail(new Pixel(pixels[static_cast<size_t>(at)]));
  return 1;
}

int32_t PixelChain::Append_Copies(const PixelChain& source) {
  // Read the source completely first: it may be this chain.
  const std::vector<Pixel> pixels = Pixels_Of(source);
  for (const Pixel& p : pixels) Add_To_Tail(new Pixel(p));
  m_spacing = source.m_spacing;
  return static_cast<int32_t>(pixels.size());
}

// ---- sorting -----------------------------------------------------------------------------

bool PixelChain::Sort_Pixels_return_List_of_Unsorted_Pixels(int32_t& unsortedCount, PixelChain& unsorted,
                                                            std::string& err) {
  err.clear();
  unsorted.Delete_All();
  unsortedCount = 0;
  const std::vector<Pixel> pixels = Pixels_Of(*this);
  const int32_t n = static_cast<int32_t>(pixels.size());
  if (n == 0) {
    m_sorted = true;
    return true;
  }

  // The remaining pixels, as positions in stored order.  A walk step takes
  // the first remaining 4-neighbour in stored order, found among the four
  // coordinate groups; taking a pixel away removes the last remaining one
  // with its coordinates, as removing it from a list copy by coordinates
  // would.
  PixelPositions remaining(pixels);
  // Start at the first end pixel; a closed loop has none and starts at its
  // first stored pixel.
  const int32_t start = First_End_Position(pixels, remaining);
  Pixel current = pixels[static_cast<size_t>(std::max(start, 0))];

  std::vector<Pixel> sorted;
  sorted.reserve(pixels.size());
  sorted.push_back(current);
  remaining.Remove_Last(current.x, current.y);
  for (;;) {
    int32_t next = std::numeric_limits<int32_t>::max();
    for (int i = 0; i < 4; ++i) {
      const Pixel candidate = Neighbour(current, i);
      const int32_t at = remaining.First(candidate.x, candidate.y);
      if (at >= 0) next = std::min(next, at);
    }
    if (next == std::numeric_limits<int32_t>::max()) break;
    current = pixels[static_cast<size_t>(next)];
    sorted.push_back(current);
    remaining.Remove_Last(current.x, current.y);
  }

  if (static_cast<int32_t>(sorted.size()) < n) {
    unsortedCount = n - static_cast<int32_t>(sorted.size());
    for (int32_t at : remaining.Remaining()) unsorted.Add_To_Tail(new Pixel(pixels[static_cast<size_t>(at)]));
  }
  Replace_Pixels(*this, sorted);
  m_sorted = true;
  return true;
}
