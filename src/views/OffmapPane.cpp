#include "views/OffmapPane.h"

#include "platform/PlatformServices.h"
#include "views/FrameArtist.h"

OffmapPane::OffmapPane() = default;

OffmapPane::~OffmapPane() = default;

void OffmapPane::Render_Animation_Frame(DrawSurface* window, MessageService& messages) {
  FrameArtist* artist = Get_FrameArtist();
  if (artist == nullptr) {
    messages.Message_Box("OffmapPane::Render_Animation_Frame  failed,  frameArtist is NULL.");
    return;
  }
  artist->Erase_Background(255);
  std::string err;
  const OffMap* map = artist->Get_OffMap(Get_Pane_Kind(), err);
  if (map != nullptr && err.empty()) {
    RectLong pane;
    Get_Graphic().Get_Rect(pane);
    const RectShrt src = Make_RectShrt(0, 0, static_cast<int16_t>(artist->Get_Width() - 1),
                                       static_cast<int16_t>(artist->Get_Height() - 1));
    const RectShrt dst = Make_RectShrt(0, 0, static_cast<int16_t>(pane.right - pane.left),
                                       static_cast<int16_t>(pane.bottom - pane.top));
    artist->Render_Frame(src, dst, map);
  }
  if (window != nullptr) Blit_To_Window(*window);
}

void OffmapPane::Update_Appearance(Pane* /*pane*/) {}
