#include "outline/PixelChain.h"

void PixelChainGraphic::Set_Rect(const RectLong& rect) {
  position.x = rect.left;
  position.y = rect.top;
  width = rect.right - rect.left + 1;
  height = rect.bottom - rect.top + 1;
}

void PixelChainGraphic::Get_Rect(RectLong& rect) const {
  rect.left = position.x;
  rect.top = position.y;
  rect.right = position.x + width - 1;
  rect.bottom = position.y + height - 1;
}

PixelChain::PixelChain(const PixelChain& other)
    : ListMemry<Pixel>(),
      m_sorted(other.m_sorted),
      m_creationID(other.m_creationID),
      m_visible(other.m_visible),
      m_spacing(other.m_spacing),
      m_dx(other.m_dx),
      m_dy(other.m_dy),
      m_graphic(other.m_graphic) {
  for (const ListLink<Pixel>* link = other.Get_Head_Link(); link != nullptr; link = link->Get_Next())
    Add_To_Tail(new Pixel(*link->Get_Object()));
}
