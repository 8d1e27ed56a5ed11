#include "views/Pane.h"

#include "raster/OffMap.h"
#include "views/FrameArtist.h"
#include "views/OffMapDrawSurface.h"

Pane::Pane() = default;

Pane::~Pane() = default;

void Pane::Set_FrameArtist(std::unique_ptr<FrameArtist> artist) {
  m_frameArtist = std::move(artist);
}

PaneMemory::PaneMemory() = default;

PaneMemory::~PaneMemory() {
  // The artist (destroyed with the Pane part) must not keep the surface.
  Delete_Bitmap();
}

void PaneMemory::Set_FrameArtist(std::unique_ptr<FrameArtist> artist) {
  Pane::Set_FrameArtist(std::move(artist));
  Tell_Artist();
}

void PaneMemory::Tell_Artist() {
  FrameArtist* artist = Get_FrameArtist();
  if (artist == nullptr) return;
  if (m_memoryMap != nullptr)
    artist->Set_Drawing_Target(m_memorySurface.get(), m_memoryMap->Get_Width(), m_memoryMap->Get_Height());
  else
    artist->Set_Drawing_Target(nullptr, 0, 0);
}

bool PaneMemory::Make_Bitmap(int32_t width, int32_t height, std::string& err) {
  err.clear();
  if (m_memoryMap != nullptr && m_memoryMap->Get_Width() == width && m_memoryMap->Get_Height() == height)
    return true;
  Delete_Bitmap();
  if (width < 1 || height < 1) {
    err = "PaneMemory::Make_Bitmap failed,  bad size.";
    return false;
  }
  std::unique_ptr<OffMap> map = OffMap::Make(width, height, 24);
  if (map == nullptr) {
    err = "PaneMemory::Make_Bitmap failed,  could not allocate the bitmap.";
    return false;
  }
  map->Fill(255);
  m_memoryMap = std::move(map);
  m_memorySurface = std::make_unique<OffMapDrawSurface>(*m_memoryMap);
  Tell_Artist();
  return true;
}

void PaneMemory::Delete_Bitmap() {
  m_memorySurface.reset();
  m_memoryMap.reset();
  Tell_Artist();
}

DrawSurface* PaneMemory::Get_Memory_Surface() const {
  return m_memorySurface.get();
}

void PaneMemory::Blit_To_Window(DrawSurface& window) const {
  if (m_memoryMap == nullptr) return;
  // One to one: the pane's width and height from the bitmap's top-left corner.
  RectLong r;
  Get_Graphic().Get_Rect(r);
  const RectShrt src =
      Make_RectShrt(0, 0, static_cast<int16_t>(r.right - r.left), static_cast<int16_t>(r.bottom - r.top));
  const RectShrt dst = Make_RectShrt(static_cast<int16_t>(r.left), static_cast<int16_t>(r.top),
                                     static_cast<int16_t>(r.right), static_cast<int16_t>(r.bottom));
  window.Blit_Map(*m_memoryMap, src, dst);
}

bool Pane::Update_Size_to_Window(int32_t width, int32_t height, std::string& err) {
  err.clear();
  const PaneLayout& l = m_layout;
  const int32_t left = l.leftEdge >= 0 ? l.leftEdge : width * l.leftFraction / PaneLayout::kWhole;
  const int32_t right = l.rightEdge >= 0 ? l.rightEdge : width * l.rightFraction / PaneLayout::kWhole;
  const int32_t top = l.topEdge >= 0            ? l.topEdge
                      : l.bottomEdgeOffset >= 0 ? height - l.bottomEdgeOffset - 1
                                                : height * l.topFraction / PaneLayout::kWhole;
  const int32_t bottom = l.bottomEdge >= 0         ? l.bottomEdge
                         : l.bottomEdgeOffset >= 0 ? height - l.bottomEdgeOffset - 1
                                                   : height * l.bottomFraction / PaneLayout::kWhole;
  Graphic& graphic = Get_Graphic();
  graphic.Set_Position(left, top);
  graphic.Set_Size(right - left + 1, bottom - top + 1);
  return true;
}

int32_t Pane::Get_SubPixel_Count(std::string& err) const {
  err.clear();
  if (m_horzZoom == 0) {
    err = "PaneMemory::Get_SubPixel_Count() failed,  has zero horz zoom value.";
    return -1;
  }
  const int32_t width = Get_Graphic().Get_Width();
  if (m_horzZoom > 0) return width * m_subPixelCount / m_horzZoom;
  return -(m_horzZoom * m_subPixelCount * width);
}

bool PaneMemory::Update_Size_to_Window(int32_t width, int32_t height, std::string& err) {
  if (!Pane::Update_Size_to_Window(width, height, err)) return false;
  const Graphic& graphic = Get_Graphic();
  return Make_Bitmap(graphic.Get_Width(), graphic.Get_Height(), err);
}
