#include "regions/RegionView.h"

#include "platform/PlatformServices.h"
#include "platform/Text.h"
#include "raster/ColorSpace.h"
#include "regions/RegionSubject.h"
#include "views/Commands.h"
#include "views/DrawSurface.h"
#include "views/Editorj.h"
#include "views/HandleFrame.h"
#include "views/Manipulators.h"
#include "views/Pane.h"

namespace {

// The region's frame as an inclusive rectangle of the pane's bitmap.
RectLong Frame_Rect(const RegionSubject& region) {
  RectLong rect;
  region.Get_Current_Descriptor().frame.Get_Rect(rect);
  return rect;
}

RectShrt To_Shrt(const RectLong& r) {
  return Make_RectShrt(static_cast<int16_t>(r.left), static_cast<int16_t>(r.top),
                       static_cast<int16_t>(r.right), static_cast<int16_t>(r.bottom));
}

// The whole display map stretched over the frame, white left out; a region
// without a display map is a red ellipse.
bool Draw_Region_Map(DrawSurface& surface, const RegionSubject& region, MessageService* messages) {
  const RectLong frame = Frame_Rect(region);
  const OffMap* map = region.Get_Display_Map();
  if (map == nullptr) {
    surface.Fill_Ellipse(frame, 255, 0, 0);
    return true;
  }
  const RectShrt source = Make_RectShrt(0, 0, static_cast<int16_t>(map->Get_Width() - 1),
                                        static_cast<int16_t>(map->Get_Height() - 1));
  if (surface.Blit_Map_Transparent(*map, source, To_Shrt(frame))) return true;
  // Drawing surfaces keep no system error number of their own: it reads 0.
  if (messages != nullptr)
    messages->Message_Box(
        Text_Format(" ***ERR:   Blit_Offmap_2PCwindow_Transparent  FAILED.    [  ErrorNum:  %d  ]  \n", 0));
  return false;
}

}  // namespace

RegionSubject* RegionView::Get_Region() const {
  return dynamic_cast<RegionSubject*>(Get_Subject());
}

void RegionView::Update_Appearance(Pane* /*pane*/) {}

void RegionView::Update_Size(Pane* pane) {
  const RegionSubject* region = Get_Region();
  if (region == nullptr) return;
  RectLong rect = Frame_Rect(*region);
  if (pane != nullptr) {
    const PointLong& at = pane->Get_Graphic().Get_Position();
    rect.left += at.x;
    rect.right += at.x;
    rect.top += at.y;
    rect.bottom += at.y;
  }
  Get_Graphic().Set_Rect(rect);
}

void RegionView::Draw_ComponentView(DrawSurface& surface, Pane* /*pane*/) {
  if (const RegionSubject* region = Get_Region(); region != nullptr)
    Draw_Region_Map(surface, *region, nullptr);
}

bool RegionView::Draw_MemBitmap(DrawSurface& surface, int32_t drawCode, int32_t paneParameter,
                                MessageService& messages) {
  const RegionSubject* region = Get_Region();
  if (region == nullptr) {
    messages.Message_Box("RegionView::Draw_MemBitmap,  bad dynamic cast for RegionSubject.");
    return false;
  }
  if (drawCode == kDrawMaps || (drawCode == kDrawCentroids && paneParameter >= 1))
    return Draw_Region_Map(surface, *region, &messages);
  if (drawCode == kDrawCentroids && region->Is_SubRegion()) {
    int32_t cx = 0, cy = 0;
    region->Get_Centroid_Point(cx, cy);
    const uint32_t color = region->Get_Current_Descriptor().color;
    RectLong dot;
    dot.left = cx - kCentroidDotSide / 2;
    dot.top = cy - kCentroidDotSide / 2;
    dot.right = dot.left + kCentroidDotSide - 1;
    dot.bottom = dot.top + kCentroidDotSide - 1;
    surface.Fill_Ellipse(dot, static_cast<uint8_t>(Packed_Red(color)),
                         static_cast<uint8_t>(Packed_Green(color)), static_cast<uint8_t>(Packed_Blue(color)));
  }
  return true;
}

bool RegionView::Update_HandleFrame_Coords(HandleFrame* frame, std::string& err) {
  err.clear();
  if (frame == nullptr) return true;
  RectLong r;
  Get_Graphic().Get_Rect(r);
  bool ok = true;
  for (Handlej* handle : frame->Get_Handles()) {
    switch (handle->Get_Property_Code()) {
      case kHandleMove:
        handle->Set_Center(static_cast<int16_t>(r.left + (r.right - r.left) / 2),
                           static_cast<int16_t>(r.top + (r.bottom - r.top) / 2));
        break;
      case kHandleResize:
        handle->Set_Center(static_cast<int16_t>(r.right), static_cast<int16_t>(r.bottom));
        break;
      default:
        err = "RegionView::Update_HandleFrame_Coords()  failed,  unknown handle.";
        ok = false;
        break;
    }
  }
  return ok;
}

std::unique_ptr<Manipulatorj> RegionView::Create_Manipulator(const Eventj& event, Editorj& editor) {
  SelectBoard& board = editor.Get_SelectBoard();
  if (board.Is_Empty()) return nullptr;
  const Toolj* tool = editor.Get_Current_Tool();
  if (tool == nullptr || tool->Get_Tool_Kind() < Toolj::kSelectTool ||
      tool->Get_Tool_Kind() > Toolj::kSizeTool)
    return nullptr;
  HandleFrame* frame = nullptr;
  const Handlej* handle = board.Find_Handle_at_Point(event.point, &frame);
  if (handle == nullptr) return nullptr;
  auto drag = std::make_unique<DragManipulator>(event.view, event.modifiers, frame, event.point);
  if (handle->Get_Property_Code() == kHandleMove) drag->Set_Drag_Kind(Manipulatorj::kDragMove);
  if (handle->Get_Property_Code() == kHandleResize) drag->Set_Drag_Kind(Manipulatorj::kDragSize);
  return drag;
}

std::unique_ptr<Commandj> RegionView::Interpret_Manipulator(Manipulatorj& manipulator, Editorj& editor) {
  if (!manipulator.Is_Active()) return nullptr;
  PointShrt delta;
  if (!manipulator.Get_Delta(delta)) return nullptr;
  int16_t kind = manipulator.Get_Drag_Kind();
  if (kind == Manipulatorj::kDragNone && editor.Get_Current_Tool() != nullptr)
    kind = editor.Get_Current_Tool()->Get_Drag_Kind();
  return Create_Drag_Command(kind, delta);
}

std::unique_ptr<Commandj> RegionView::Create_Drag_Command(int32_t dragKind, const PointShrt& delta) {
  switch (dragKind) {
    case 2:
      return std::make_unique<OffsetGlyphCmnd>(delta.x, delta.y);
    case 3:
      return std::make_unique<SizeCmnd>(delta.x, delta.y);
    default:
      return nullptr;
  }
}
