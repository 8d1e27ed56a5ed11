#include "outline/PixelChain.h"

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
