#pragma once
// RegionView: shows one region in the region list's pane.
//
// Geometry: the pane's memory bitmap holds the canvas pixel for pixel, so
// a region is drawn at its frame.  The view's own rectangle (hit tests and
// selection frames) is the frame placed at the pane's position in the
// window.
//
// Drawing codes (the window configuration's code, handed in by the list
// pane): 7 draws the display map stretched over the frame with white left
// out; 4 with a pane parameter below 1 draws a 40 x 40 dot of the region's
// colour at its centroid (sub-regions only), with a parameter of 1 or more
// it draws as 7; other codes draw nothing.  A region without display map is
// drawn as a red ellipse in its frame.
//
// Selection: a move handle (property code 2) at the centre and a resize
// handle (code 4) at the bottom-right corner.  A press on a handle of the
// selection starts a drag of that handle's frame; the finished drag becomes
// an OffsetGlyphCmnd (drag kind 2, the move handle) or a SizeCmnd (drag
// kind 3, the resize handle) by the distance dragged.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Rects.h"
#include "views/ComponentView.h"

class MessageService;
class RegionSubject;

class RegionView : public ComponentView {
 public:
  // Drawing codes of Draw_MemBitmap.
  static constexpr int32_t kDrawMaps = 7;
  static constexpr int32_t kDrawCentroids = 4;
  // Side of the centroid dot.
  static constexpr int32_t kCentroidDotSide = 40;

  RegionView() = default;

  // The region shown, or null when the subject is none or not a region.
  RegionSubject* Get_Region() const;

  // Nothing to prepare: the pane redraws its children.
  void Update_Appearance(Pane* pane) override;
  // Takes the region's frame as the view's rectangle, moved by the pane's
  // position when a pane is given.
  void Update_Size(Pane* pane) override;
  // Draws as code 7 (a plain list pane has no drawing code); nothing when
  // the subject is not a region.
  void Draw_ComponentView(DrawSurface& surface, Pane* pane) override;
  // Draws the region by the drawing code.  A subject that is not a region is
  // shown as "RegionView::Draw_MemBitmap,  bad dynamic cast for RegionSubject.";
  // a refused blit is reported with its error number.  False on either.
  bool Draw_MemBitmap(DrawSurface& surface, int32_t drawCode, int32_t paneParameter,
                      MessageService& messages);

  void Set_ListParentView(ComponentView* listView) override { m_listParentView = listView; }
  ComponentView* Get_ListParentView() const override { return m_listParentView; }

  // Places each handle by its property code; any other code fails with
  // "RegionView::Update_HandleFrame_Coords()  failed,  unknown handle.".
  bool Update_HandleFrame_Coords(HandleFrame* frame, std::string& err) override;

  // With a selection and a current tool of kind 1 to 4: a press on a handle
  // of the selection starts a drag manipulator on that handle's frame,
  // with the drag kind of the handle (move 2, resize 3).  Else null.
  std::unique_ptr<Manipulatorj> Create_Manipulator(const Eventj& event, Editorj& editor) override;
  // An active manipulator's delta becomes the command of its drag kind (the
  // tool's drag kind when the manipulator has none).  Null for an inactive
  // manipulator or any other kind.
  std::unique_ptr<Commandj> Interpret_Manipulator(Manipulatorj& manipulator, Editorj& editor) override;

  // The command a finished drag of `delta` gives: kind 2 moves, kind 3
  // resizes; any other kind gives null.
  static std::unique_ptr<Commandj> Create_Drag_Command(int32_t dragKind, const PointShrt& delta);

 private:
  ComponentView* m_listParentView = nullptr;  // not owned
};
