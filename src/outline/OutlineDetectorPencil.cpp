// The painting half of OutlineDetector: pencil, charcoal and ink strokes
// stamped along the drawn chains with the current brush strip.
//
// A stamp is a disc across the stroke.  Its first cross-section, through
// the painted point, darkens the map with the brush column's values; the
// cross-sections behind it (against the direction of travel) only paint
// pixels that are still white, so that a stroke gets its width without the
// trailing half of the disc darkening what the stroke has already drawn.

#include <cmath>
#include <numbers>

#include "outline/OutlineDetector.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "raster/OffMap.h"
#include "render/ResourceBitmapUtility.h"

namespace {

// The unit step across the stroke, by direction (side 0 runs along it).
constexpr int16_t kAcrossDx[8] = {0, -1, -1, -1, 0, 1, 1, 1};
constexpr int16_t kAcrossDy[8] = {-1, -1, 0, 1, 1, 1, 0, -1};

// Cross-section lengths of the diagonal directions, by strip height (3 and
// 4, 5 and 6, ... 11 and 12 share a row) and layer.
constexpr int16_t kDiagonalLengths[5][OutlineDetector::kStampLayers] = {{3, 2, 0, 0, 0, 0, 0, 0},
                                                                        {3, 4, 3, 2, 0, 0, 0, 0},
                                                                        {5, 4, 5, 4, 3, 0, 0, 0},
                                                                        {7, 6, 7, 6, 5, 4, 3, 0},
                                                                        {7, 8, 7, 8, 7, 6, 5, 4}};

// The half-width of a midpoint circle of `radius` at `row` (its largest
// |x| among the points the algorithm lays down there); -1 when the circle
// does not reach the row.
int16_t Circle_Half_Width(int16_t radius, int16_t row) {
  int16_t best = -1;
  auto consider = [&best, row](int16_t px, int16_t py) {
    if (py == row && px > best) best = px;
  };
  int16_t x = 0, y = radius;
  int16_t d = static_cast<int16_t>(3 - 2 * radius);
  while (x <= y) {
    consider(x, y);
    consider(y, x);
    if (d < 0) {
      d = static_cast<int16_t>(d + 4 * x + 6);
    } else {
      d = static_cast<int16_t>(d + 4 * (x - y) + 10);
      --y;
    }
    ++x;
  }
  return best;
}

bool Is_Diagonal(int16_t direction) {
  return (direction & 1) != 0;
}

// The grey (first component) of the map at (x, y); outside an 8-bit map
// this is black, as Get_Pixel reads it.
int16_t Grey_At(const OffMap& map, int32_t x, int32_t y) {
  if (map.Get_Depth() == 8) return map.Is_Inside(x, y) ? map.Row(y)[x] : 0;
  int16_t r = 0, g = 0, b = 0;
  map.Get_Pixel(x, y, r, g, b);
  return r;
}

// Darken mode: the blended grey is written only where it is darker.
void Blend_Darken(OffMap& map, int32_t x, int32_t y, int16_t brushValue) {
  if (!map.Is_Inside(x, y)) return;
  const int16_t e = OutlineDetector::Blend_Value(brushValue);
  if (e < Grey_At(map, x, y)) map.Set_Pixel(x, y, e, e, e);
}

// White-only mode: the blended grey is written only over white.
void Blend_White_Only(OffMap& map, int32_t x, int32_t y, int16_t brushValue) {
  if (!map.Is_Inside(x, y)) return;
  if (Grey_At(map, x, y) > 249) {
    const int16_t e = OutlineDetector::Blend_Value(brushValue);
    map.Set_Pixel(x, y, e, e, e);
  }
}

}  // namespace

// ---- brushes --------------------------------------------------------------------------------

int16_t OutlineDetector::Set_PencilPen_Line_Style(const std::string& name, std::string& err) {
  err.clear();
  int16_t found = -1;
  if (m_brushTable != nullptr) {
    for (int16_t i = 0; i < kBrushCount; ++i)
      if (Equal_NoCase(name, m_brushTable[i].name)) found = i;
  }
  if (found < 0) {
    err = Text_Format(
        "OutlineDetector::Set_PencilPen_Line_Style FAILED,  no ResourceBitmapUtility has the name:   %s  ",
        name.c_str());
    return -1;
  }
  Set_Current_ResourceBitmapUtility(found, err);
  return err.empty() ? found : -1;
}

int16_t OutlineDetector::Set_Current_ResourceBitmapUtility(int16_t index, std::string& err) {
  err.clear();
  // A negative index would address memory before the table.
  if (index < 0 || index > kBrushCount - 1) {
    err = "OutlineDetector::Set_Current_ResourceBitmapUtility  FAILED,  newUtilityIndex is out of bounds.";
    return 0;
  }
  if (m_brushTable == nullptr || !m_brushTable[index].m_pencilMapFromResource) {
    err =
        "OutlineDetector::Set_Current_ResourceBitmapUtility  FAILED,  that ResourceBitmapUtility has NOT "
        "been "
        "initialized.";
    return 0;
  }
  m_currentBrush = index;
  return index;
}

ResourceBitmapUtility* OutlineDetector::Get_Current_ResourceBitmapUtility() {
  if (m_brushTable == nullptr || m_currentBrush < 0 || m_currentBrush > kBrushCount - 1) {
    m_platform.Message("OutlineDetector::Get_Current_ResourceBitmapUtility  FAILED.");
    return nullptr;
  }
  return &m_brushTable[m_currentBrush];
}

// ---- direction history ---------------------------------------------------------------------

void OutlineDetector::Reset_Direction_History() {
  for (Pixel& slot : m_history) slot = Pixel{Pixel::kUnset, Pixel::kUnset};
  m_historyIndex = 0;
  m_historySize = kHistorySize;
}

void OutlineDetector::Push_Direction_History(const Pixel& pixel) {
  m_history[m_historyIndex] = pixel;
  if (++m_historyIndex >= m_historySize) m_historyIndex = 0;
}

int16_t OutlineDetector::Direction_from_History() const {
  int16_t set = 0;
  for (int16_t i = 0; i < m_historySize; ++i)
    if (m_history[i].x != Pixel::kUnset || m_history[i].y != Pixel::kUnset) ++set;
  if (set < 2) return 6;
  const Pixel& newest = m_history[m_historyIndex == 0 ? m_historySize - 1 : m_historyIndex - 1];
  const Pixel& oldest = m_history[set < m_historySize ? 0 : m_historyIndex];
  double theta =
      std::atan2(static_cast<double>(newest.y - oldest.y), static_cast<double>(newest.x - oldest.x));
  if (theta < 0) theta += 2 * std::numbers::pi;
  const double eighth = std::numbers::pi / 8;
  // y grows downwards: a positive angle turns towards the bottom of the
  // screen, so the directions run backwards from 0 (right).
  if (theta <= eighth) return 0;
  if (theta <= 3 * eighth) return 7;
  if (theta <= 5 * eighth) return 6;
  if (theta <= 7 * eighth) return 5;
  if (theta <= 9 * eighth) return 4;
  if (theta <= 11 * eighth) return 3;
  if (theta <= 13 * eighth) return 2;
  if (theta <= 15 * eighth) return 1;
  return 0;
}

// ---- cross-sections --------------------------------------------------------------------------

int16_t OutlineDetector::Blend_Value(int16_t brushValue) {
  const int32_t e = 255 - static_cast<int32_t>((255 - brushValue) * 1.8);
  return static_cast<int16_t>(e < 0 ? 0 : e);
}

int16_t OutlineDetector::Cross_Section_Length(int16_t direction, int16_t height, int16_t layer) {
  if (layer < 0 || layer >= kStampLayers || direction < 0 || direction > 7) return 0;
  if (Is_Diagonal(direction)) {
    if (height < 3 || height > 12) return 0;
    return kDiagonalLengths[(height - 3) / 2][layer];
  }
  const int16_t radius = static_cast<int16_t>((height - 1) / 2);
  if (radius < 0) return 0;
  const int16_t q = Circle_Half_Width(radius, layer);
  return q <= 0 ? 0 : static_cast<int16_t>(2 * q + 1);
}

void OutlineDetector::Cross_Section(int16_t x, int16_t y, int16_t direction, int16_t height, int16_t layer,
                                    CrossSection& out) {
  out.count[0] = out.count[1] = 0;
  out.hasCenter = false;
  if (direction < 0 || direction > 7) return;
  const int16_t length = Cross_Section_Length(direction, height, layer);

  // The layer centre lies `layer` steps behind the painted point.
  const int16_t m = layer;
  const int16_t v = static_cast<int16_t>(m / 2);
  const bool even = m % 2 == 0;
  int16_t cx = 0, cy = 0;
  switch (direction) {
    case 0:
      cx = static_cast<int16_t>(-m);
      break;
    case 2:
      cy = m;
      break;
    case 4:
      cx = m;
      break;
    case 6:
      cy = static_cast<int16_t>(-m);
      break;
    case 1:
      cx = static_cast<int16_t>(even ? -v : -v - 1);
      cy = v;
      break;
    case 3:
      cx = v;
      cy = static_cast<int16_t>(even ? v : v + 1);
      break;
    case 5:
      cx = static_cast<int16_t>(even ? v : v + 1);
      cy = static_cast<int16_t>(-v);
      break;
    case 7:
      cx = static_cast<int16_t>(-v);
      cy = static_cast<int16_t>(even ? -v : -v - 1);
      break;
    default:
      break;
  }
  out.center = Pixel{static_cast<int16_t>(x + cx), static_cast<int16_t>(y + cy)};

  const int16_t ux = kAcrossDx[direction];
  const int16_t uy = kAcrossDy[direction];
  auto step = [&out, ux, uy](int16_t k, int16_t sign) {
    return Pixel{static_cast<int16_t>(out.center.x + sign * k * ux),
                 static_cast<int16_t>(out.center.y + sign * k * uy)};
  };
  if (layer >= 1 && Is_Diagonal(direction) && !even) {
    // Odd diagonal layers have no middle pixel of their own: side 0 starts
    // at the layer centre.
    const int16_t half = static_cast<int16_t>(length / 2);
    if (half < 1) return;
    for (int16_t k = 0; k < half && k < kMaxSidePixels; ++k) out.side[0][out.count[0]++] = step(k, 1);
    for (int16_t k = 1; k <= half && k <= kMaxSidePixels; ++k) out.side[1][out.count[1]++] = step(k, -1);
    return;
  }
  const int16_t half = static_cast<int16_t>((length - 1) / 2);
  out.hasCenter = true;
  if (half < 1) return;
  for (int16_t k = 1; k <= half && k <= kMaxSidePixels; ++k) {
    out.side[0][out.count[0]++] = step(k, 1);
    out.side[1][out.count[1]++] = step(k, -1);
  }
}

// ---- stamping ---------------------------------------------------------------------------------

bool OutlineDetector::Paint_Pencil_Kernal_8_Directions(int16_t x, int16_t y, int16_t direction, OffMap& map,
                                                       std::string& err) {
  ResourceBitmapUtility* utility = Get_Current_ResourceBitmapUtility();
  if (utility == nullptr) {
    err = "OutlineDetector::Paint_Pencil_Kernal_8_Directions  FAILED,  Get_Current_ResourceBitmapUtility.";
    return false;
  }
  if (!utility->m_pencilMapFromResource) {
    err = "OutlineDetector::Paint_Pencil_Kernal_8_Directions  FAILED,  bitmapUtility->offMap is NULL.";
    return false;
  }
  const OffMap& brush = *utility->m_pencilMapFromResource;
  const int16_t w = static_cast<int16_t>(brush.Get_Width());
  const int16_t h = static_cast<int16_t>(brush.Get_Height());
  if (++m_brushColumn >= w - h) m_brushColumn = h;
  const int16_t c = m_brushColumn;
  const int16_t half = static_cast<int16_t>(h / 2);
  auto value = [&brush](int32_t bx, int32_t by) { return Grey_At(brush, bx, by); };

  Blend_Darken(map, x, y, value(c, half));
  CrossSection section;
  Cross_Section(x, y, direction, h, 0, section);
  for (int16_t k = 0; k < section.count[0]; ++k)
    Blend_Darken(map, section.side[0][k].x, section.side[0][k].y, value(c, half - 1 - k));
  for (int16_t k = 0; k < section.count[1]; ++k)
    Blend_Darken(map, section.side[1][k].x, section.side[1][k].y, value(c, half + 1 + k));

  for (int16_t m = 1; m < kStampLayers; ++m) {
    Cross_Section(x, y, direction, h, m, section);
    if (section.count[0] == 0) break;
    if (section.hasCenter && map.Is_Pixel_Light(section.center.x, section.center.y, 250, true))
      Blend_White_Only(map, section.center.x, section.center.y, value(c - m, half));
    for (int16_t k = 0; k < section.count[0]; ++k) {
      const Pixel& p = section.side[0][k];
      if (map.Is_Pixel_Light(p.x, p.y, 250, true))
        Blend_White_Only(map, p.x, p.y, value(c - m, half - 1 - k));
    }
    if (section.count[1] == 0) break;
    for (int16_t k = 0; k < section.count[1]; ++k) {
      const Pixel& p = section.side[1][k];
      if (map.Is_Pixel_Light(p.x, p.y, 250, true))
        Blend_White_Only(map, p.x, p.y, value(c - m, half + 1 + k));
    }
  }
  return true;
}

bool OutlineDetector::Paint_Pencil_Line_wKernal(Pixel from, Pixel to, int16_t direction, OffMap& map,
                                                int32_t& stampCount, std::string& err) {
  stampCount = 0;
  if (from.x < -1000 || from.y < -1000 || to.x < -1000 || to.y < -1000) {
    err = "OutlineDetector::Paint_Pencil_Line_wKernal FAILED, input parms are out of bounds.";
    return false;
  }
  int32_t x = from.x, y = from.y;
  const int32_t dx = std::abs(to.x - from.x);
  const int32_t dy = std::abs(to.y - from.y);
  const int32_t sx = from.x < to.x ? 1 : -1;
  const int32_t sy = from.y < to.y ? 1 : -1;
  int32_t error = (dx > dy ? dx : -dy) / 2;
  while (x != to.x || y != to.y) {
    const int32_t e = error;
    if (e > -dx) {
      error -= dy;
      x += sx;
    }
    if (e < dy) {
      error += dx;
      y += sy;
    }
    if (!Paint_Pencil_Kernal_8_Directions(static_cast<int16_t>(x), static_cast<int16_t>(y), direction, map,
                                          err))
      return false;
    ++stampCount;
  }
  return true;
}

bool OutlineDetector::Paint_PixelChain(OffMap& map, const PixelChain& chain, std::string& err) {
  err.clear();
  if (!chain.m_visible || chain.Is_Empty()) return true;
  Reset_Direction_History();
  if (chain.Get_Count() > 2) {
    auto it = chain.begin();
    for (int k = 0; k < 3; ++k, ++it) Push_Direction_History(**it);
  }
  bool first = true;
  Pixel previous;
  int32_t next = 0;
  for (const Pixel* each : chain) {
    const int32_t k = next++;
    const Pixel& pixel = *each;
    const Pixel point{static_cast<int16_t>(pixel.x + chain.m_dx), static_cast<int16_t>(pixel.y + chain.m_dy)};
    if (point.x < 0 || point.y < 0) continue;
    if (k >= 4) Push_Direction_History(pixel);
    const int16_t direction = Direction_from_History();
    if (first) {
      if (!Paint_Pencil_Kernal_8_Directions(point.x, point.y, direction, map, err)) return false;
      first = false;
    } else {
      int32_t stamps = 0;
      if (!Paint_Pencil_Line_wKernal(previous, point, direction, map, stamps, err)) return false;
    }
    previous = point;
  }
  return true;
}

bool OutlineDetector::Paint_PixelChains(const ListMemry<PixelChain>& chains, OffMap& map, std::string& err) {
  err.clear();
  for (const PixelChain* chain : chains)
    if (!Paint_PixelChain(map, *chain, err)) return false;
  return true;
}
