#include "filters/ForkFilter.h"

#include "raster/OffMap.h"

ForkFilter::ForkFilter(OffMap* targetMap, MessageService& messages, ListMemry<ForkKernal>* forks)
    : OnTheFlyMapFilter(-1, targetMap, messages), m_forks(forks) {}

void ForkFilter::Filter() {
  m_forkCount = 0;
  if (!Maps_Ready()) return;
  const OffMap& undo = *m_UndoMap;
  OffMap& target = *m_targetMap;
  const int32_t w = undo.Get_Width(), h = undo.Get_Height();
  // Outside the map counts as white, whatever the depth.
  const auto dark = [&undo](int32_t x, int32_t y) {
    if (!undo.Is_Inside(x, y)) return false;
    int16_t r = 255, g = 255, b = 255;
    undo.Get_Pixel(x, y, r, g, b);
    return r < kDarkThreshold;
  };
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      int16_t r = 255, g = 255, b = 255;
      undo.Get_Pixel(x, y, r, g, b);
      const bool left = dark(x - 1, y), right = dark(x + 1, y);
      const bool up = dark(x, y - 1), down = dark(x, y + 1);
      bool fork = false;
      if (r < kDarkThreshold) {
        if (!left || !right)
          fork = up && down && (left || right);
        else
          fork = up || down;
      }
      if (!fork) {
        target.Set_Pixel(x, y, r, r, r);
        continue;
      }
      target.Set_Pixel(x, y, 255, 255, 255);
      ++m_forkCount;
      if (m_forks != nullptr) {
        auto* record = new ForkKernal;
        record->x = static_cast<int16_t>(x);
        record->y = static_cast<int16_t>(y);
        record->arms[ForkKernal::kUp] = up ? ForkKernal::kArmMark : 0;
        record->arms[ForkKernal::kLeft] = left ? ForkKernal::kArmMark : 0;
        record->arms[ForkKernal::kRight] = right ? ForkKernal::kArmMark : 0;
        record->arms[ForkKernal::kDown] = down ? ForkKernal::kArmMark : 0;
        m_forks->Add_To_Tail(record);
      }
    }
  }
}
