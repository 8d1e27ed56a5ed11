#include "app/WindowLayout.h"

#include <algorithm>

#include "app/WindowRegistry.h"

namespace {

bool Intersects(const RectLong& a, const RectLong& b) {
  return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

RectLong Rect_At(int32_t x, int32_t y, int32_t width, int32_t height) {
  RectLong rect;
  rect.left = x;
  rect.top = y;
  rect.right = x + width - 1;
  rect.bottom = y + height - 1;
  return rect;
}

}  // namespace

bool WindowLayout::Is_Top_Row(int16_t code) {
  const WindowConfiguration* configuration = Find_Window_Configuration(code);
  return configuration != nullptr && configuration->rect.top < 100;
}

bool WindowLayout::Places_Before(int16_t a, int16_t b) {
  const bool topA = Is_Top_Row(a), topB = Is_Top_Row(b);
  if (topA != topB) return topA;
  const WindowConfiguration* ca = Find_Window_Configuration(a);
  const WindowConfiguration* cb = Find_Window_Configuration(b);
  const int32_t leftA = ca != nullptr ? ca->rect.left : 0;
  const int32_t leftB = cb != nullptr ? cb->rect.left : 0;
  return leftA < leftB;
}

PointLong WindowLayout::Place(int16_t code, int32_t width, int32_t height,
                              const std::vector<PlacedWindow>& placed) {
  const WindowConfiguration* configuration = Find_Window_Configuration(code);
  PointLong corner;
  corner.x = configuration != nullptr ? configuration->rect.left : 0;
  corner.y = configuration != nullptr ? configuration->rect.top : 0;

  // A second-row window starts below every top-row window it would meet.
  if (configuration != nullptr && !Is_Top_Row(code)) {
    for (const PlacedWindow& other : placed) {
      if (!Is_Top_Row(other.code) || other.code == code) continue;
      const RectLong mine = Rect_At(corner.x, corner.y, width, height);
      if (Intersects(mine, other.rect)) corner.y = std::max(corner.y, other.rect.bottom + 1 + kGap);
    }
  }
  // Then right of any other configuration's window still in the way; each
  // step moves right, so this ends.
  bool moved = true;
  while (moved) {
    moved = false;
    for (const PlacedWindow& other : placed) {
      if (other.code == code) continue;
      if (Intersects(Rect_At(corner.x, corner.y, width, height), other.rect)) {
        corner.x = other.rect.right + 1 + kGap;
        moved = true;
      }
    }
  }
  // A window of the same configuration at this very corner: cascade.
  moved = true;
  while (moved) {
    moved = false;
    for (const PlacedWindow& other : placed) {
      if (other.code == code && other.rect.left == corner.x && other.rect.top == corner.y) {
        corner.x += kCascade;
        corner.y += kCascade;
        moved = true;
      }
    }
  }
  return corner;
}
