#include "outline/PixelIndex.h"

#include <algorithm>

#include "outline/PixelChain.h"

std::vector<Pixel> Pixels_Of(const PixelChain& chain) {
  std::vector<Pixel> pixels;
  pixels.reserve(static_cast<size_t>(std::max(chain.Get_Count(), 0)));
  for (const Pixel* pixel : chain) pixels.push_back(*pixel);
  return pixels;
}

void Replace_Pixels(PixelChain& chain, const std::vector<Pixel>& pixels) {
  chain.Delete_All();
  for (const Pixel& p : pixels) chain.Add_To_Tail(new Pixel(p));
}

DistinctPixels::DistinctPixels(const std::vector<Pixel>& start) {
  m_pixels.reserve(start.size());
  m_keys.reserve(start.size());
  for (const Pixel& p : start) Add(p);
}

bool DistinctPixels::Add(const Pixel& pixel) {
  if (!m_keys.insert(Pixel_Key(pixel.x, pixel.y)).second) return false;
  m_pixels.push_back(pixel);
  return true;
}

PixelPositions::PixelPositions(const std::vector<Pixel>& pixels) {
  // Count per coordinates, lay the groups out one after the other, then
  // fill each group in ascending position order.
  m_groups.reserve(pixels.size());
  for (const Pixel& p : pixels) ++m_groups[Pixel_Key(p.x, p.y)].left;
  int32_t offset = 0;
  for (auto& [key, group] : m_groups) {
    group.offset = offset;
    offset += group.left;
    group.left = 0;
  }
  m_members.resize(pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) {
    Group& group = m_groups[Pixel_Key(pixels[i].x, pixels[i].y)];
    m_members[static_cast<size_t>(group.offset + group.left)] = static_cast<int32_t>(i);
    ++group.left;
  }
}

const PixelPositions::Group* PixelPositions::Find(int16_t x, int16_t y) const {
  const auto it = m_groups.find(Pixel_Key(x, y));
  return it == m_groups.end() ? nullptr : &it->second;
}

int32_t PixelPositions::Count(int16_t x, int16_t y) const {
  const Group* group = Find(x, y);
  return group == nullptr ? 0 : group->left;
}

int32_t PixelPositions::First(int16_t x, int16_t y) const {
  const Group* group = Find(x, y);
  if (group == nullptr || group->left == 0) return -1;
  return m_members[static_cast<size_t>(group->offset)];
}

void PixelPositions::Remove_Last(int16_t x, int16_t y) {
  const auto it = m_groups.find(Pixel_Key(x, y));
  if (it != m_groups.end() && it->second.left > 0) --it->second.left;
}

std::vector<int32_t> PixelPositions::Remaining() const {
  std::vector<int32_t> positions;
  for (const auto& [key, group] : m_groups)
    for (int32_t i = 0; i < group.left; ++i)
      positions.push_back(m_members[static_cast<size_t>(group.offset + i)]);
  std::sort(positions.begin(), positions.end());
  return positions;
}
