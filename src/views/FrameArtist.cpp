#include "views/FrameArtist.h"

#include "views/DrawSurface.h"

void FrameArtist::Fill_Rect_Grey(uint8_t grey, const RectLong& rect) {
  Fill_Rect_Color(grey, grey, grey, rect);
}

void FrameArtist::Fill_Rect_Color(uint8_t red, uint8_t green, uint8_t blue, const RectLong& rect) {
  if (m_target == nullptr) return;
  m_target->Fill_Rect(rect, red, green, blue);
}

void FrameArtist::Erase_Background(int16_t level) {
  RectLong whole;
  whole.right = m_width - 1;
  whole.bottom = m_height - 1;
  if (level == 0)
    Fill_Rect_Grey(0, whole);
  else if (level >= 255)
    Fill_Rect_Grey(255, whole);
  else
    Fill_Rect_Grey(static_cast<uint8_t>(level & 0xFF), whole);
}

void FrameArtist::Render_Frame(const RectShrt& /*src*/, const RectShrt& /*dst*/, const OffMap* /*map*/) {}

OffMap* FrameArtist::Get_OffMap(int32_t /*kind*/, std::string& err) {
  err = "FrameArtist::Get_OffMap is NOT defined.";
  return nullptr;
}
