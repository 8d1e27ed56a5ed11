#include "views/Viewj.h"

#include <limits>

#include "platform/PlatformServices.h"
#include "views/DrawSurface.h"
#include "views/HandleFrame.h"

// ---------------------------------------------------------------------------
// PaneViewj

PaneViewj::PaneViewj() {
  // The container takes the whole drawing area in proportion (its edges
  // are computed from the fractions), at the framework's zoom of 5.
  Set_Zoom(5, 5);
}

PaneViewj::~PaneViewj() = default;

void PaneViewj::Update_Appearance(Pane* /*pane*/) {}

std::unique_ptr<Iterator<ComponentView>> PaneViewj::Get_Child_ComponentViews_Iterator() {
  if (m_panes.Is_Empty()) return nullptr;
  return std::make_unique<SpeedIndexIterator<ComponentView>>(m_panes);
}

// ---------------------------------------------------------------------------
// Viewj

namespace {

int16_t Clamp_Short(int32_t value) {
  if (value < std::numeric_limits<int16_t>::min()) return std::numeric_limits<int16_t>::min();
  if (value > std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
  return static_cast<int16_t>(value);
}

// Draws the selection frames of the child views of `pane` afresh on a
// window surface that has just been painted over.
void Draw_Selection_Frames(ComponentView& pane, DrawSurface& window) {
  std::unique_ptr<Iterator<ComponentView>> it = pane.Get_Child_ComponentViews_Iterator();
  if (it == nullptr) return;
  for (it->First(); !it->Is_Done(); it->Next()) {
    HandleFrame* frame = it->Current_Item()->Get_HandleFrame();
    if (frame == nullptr) continue;
    // The paint covered what was drawn before: forget it, then draw anew.
    frame->Erase(nullptr);
    frame->Draw(&window);
  }
}

}  // namespace

Viewj::Viewj(int32_t stereoChannel) : m_stereoChannel(stereoChannel) {}

Viewj::~Viewj() = default;

void Viewj::Set_Drawing_Size(int32_t width, int32_t height) {
  m_drawingWidth = Clamp_Short(width);
  m_drawingHeight = Clamp_Short(height);
}

bool Viewj::Get_Drawing_Area_Size(int32_t& width, int32_t& height, std::string& err) const {
  err.clear();
  if (m_window == nullptr) {
    err = " Viewj::Get_Drawing_Area_Size  failed,  m_pWindow is null.";
    return false;
  }
  m_window->Get_Client_Size(width, height);
  return true;
}

bool Viewj::Get_Control_Borders_Size(int32_t& borderWidth, int32_t& borderHeight, std::string& err) const {
  err.clear();
  if (m_window == nullptr) {
    err = " Viewj::Get_Control_Borders_Size  failed,  m_pWindow is null.";
    return false;
  }
  int32_t outerW = 0, outerH = 0, clientW = 0, clientH = 0;
  m_window->Get_Window_Size(outerW, outerH);
  m_window->Get_Client_Size(clientW, clientH);
  borderWidth = outerW - clientW;
  borderHeight = outerH - clientH;
  if (borderWidth < 0) borderWidth = kDefaultBorderWidth;
  if (borderHeight < 0) borderHeight = kDefaultBorderHeight;
  return true;
}

bool Viewj::ReSize_and_Redraw(int32_t width, int32_t height, std::string& err) {
  err.clear();
  if (m_window == nullptr) {
    err = "Viewj::ReSize_and_Redraw  FAILED,  m_pWindow is NULL.";
    return false;
  }
  if (!m_window->Has_Handle()) {
    err = "Viewj::ReSize_and_Redraw  FAILED,   m_hWnd is 0.";
    return false;
  }
  int32_t borderWidth = 0, borderHeight = 0;
  if (!Get_Control_Borders_Size(borderWidth, borderHeight, err)) return false;
  m_window->Set_Window_Size(width + borderWidth + 2 * kMargin, height + borderHeight + 2 * kMargin);
  m_window->Invalidate();
  return true;
}

void Viewj::Size_Changed(int32_t width, int32_t height, MessageService& messages) {
  Set_Drawing_Size(width, height);
  std::string err;
  if (!m_container.Update_Size_to_Window(width, height, err)) messages.Message_Box(err);
  for (ListLink<ComponentView>* link = m_container.Get_Panes().Get_Head_Link(); link != nullptr;
       link = link->Get_Next()) {
    auto* pane = dynamic_cast<Pane*>(link->Get_Object());
    if (pane != nullptr && !pane->Update_Size_to_Window(width, height, err)) messages.Message_Box(err);
  }
}

Pane* Viewj::Get_First_Pane() {
  return dynamic_cast<Pane*>(m_container.Get_Panes().Get_First());
}

void Viewj::Add_Pane(std::unique_ptr<Pane> pane) {
  if (pane != nullptr) m_container.Get_Panes().Add_To_Tail(pane.release());
}

void Viewj::Delete_Panes() {
  m_container.Get_Panes().Delete_All();
}

void Viewj::Redraw() {
  if (m_window != nullptr) m_window->Invalidate();
}

void Viewj::Paint(DrawSurface& window, MessageService& messages) {
  m_paintDevice = &window;
  for (ListLink<ComponentView>* link = m_container.Get_Panes().Get_Head_Link(); link != nullptr;
       link = link->Get_Next()) {
    link->Get_Object()->Render_Animation_Frame(&window, messages);
    Draw_Selection_Frames(*link->Get_Object(), window);
  }
  m_paintDevice = nullptr;
}

void Viewj::Mouse_Down(const Eventj& event) {
  m_lastPoint = event.point;
  m_currentPoint = event.point;
}

void Viewj::Mouse_Move(const Eventj& event) {
  if (event.point.x == m_lastPoint.x && event.point.y == m_lastPoint.y) return;
  m_currentPoint = event.point;
  m_lastPoint = event.point;
}

void Viewj::Mouse_Up(const Eventj& event) {
  m_currentPoint = event.point;
}
