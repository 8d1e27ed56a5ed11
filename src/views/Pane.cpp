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
