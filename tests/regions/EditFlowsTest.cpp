// Editing the region list of the sample photo with the mouse and the Edit
// menu: selecting by clicks, dragging the move and resize handles, nudges,
// cut, paste, delete, the editor's one-step Undo, and the edit history's
// undo and redo, which must give back the very same layered picture.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/RegionEditorApp.h"
#include "colors/StandardColors.h"
#include "raster/OffMap.h"
#include "regions/EditFlows.h"
#include "regions/RegionListFixtures.h"
#include "regions/RegionView.h"
#include "regions/RegionsListView.h"
#include "render/ImageFiles.h"
#include "support/TestSupport.h"
#include "views/Editorj.h"
#include "views/HandleFrame.h"
#include "views/Manipulators.h"

using namespace regionlist_test;

namespace {

constexpr int32_t kPaneX = 10;
constexpr int32_t kPaneY = 10;

// The window's container: its child views are the window's panes.
class Container : public ListComponentView {
 public:
  void Update_Appearance(Pane* /*pane*/) override {}
};

struct Frame {
  int32_t x, y, width, height;
  bool operator==(const Frame&) const = default;
};

Frame Frame_Of(RegionSubject& region) {
  const Graphic& g = region.Get_Graphic();
  return {g.Get_Position().x, g.Get_Position().y, g.Get_Width(), g.Get_Height()};
}

std::vector<int16_t> Serials_Of(RegionListSubject& list) {
  std::vector<int16_t> serials;
  for (RegionSubject* region : Regions_Of(list)) serials.push_back(region->Get_Serial_Number());
  return serials;
}

std::vector<uint8_t> Bytes_Of(const OffMap& map) {
  const uint8_t* bits = map.Get_Bits();
  return std::vector<uint8_t>(bits, bits + static_cast<size_t>(map.Get_Bytes_Per_Row()) * map.Get_Height());
}

Eventj At(int32_t x, int32_t y, int16_t modifiers = 0) {
  Eventj event;
  event.point.x = static_cast<int16_t>(x);
  event.point.y = static_cast<int16_t>(y);
  event.modifiers = modifiers;
  return event;
}

PointShrt Centre_Of(const ComponentView& view) {
  RectLong r;
  view.Get_Graphic().Get_Rect(r);
  PointShrt p;
  p.x = static_cast<int16_t>(r.left + (r.right - r.left) / 2);
  p.y = static_cast<int16_t>(r.top + (r.bottom - r.top) / 2);
  return p;
}

class EditFlowsTest : public ::testing::Test {
 protected:
  EditFlowsTest() : app(platform.Get()), flows(app.Edit_Context()) {}

  void SetUp() override {
    RenderMan& rm = app.Get_RenderMan();
    std::string err;
    bool fileProblem = false;
    ASSERT_TRUE(
        Load_Bitmap_File_as_SRC(err, rm, Sample_Path("coffee.png"), 400, 300, kWorkingMaxSide, fileProblem))
        << err;
    ASSERT_TRUE(rm.WatercolorFilter_For_Separations(app.Get_Settings().watercolorParms, err)) << err;
    Add_Separation(*rm.Get_Filtered_Map(), 17, 0);  // Burnt Umber
    ASSERT_GE(List().Get_Region_Count(), 5);
    ASSERT_TRUE(app.Get_Composer().Maybe_Alloc_Layers_Bitmap_for_RegionList(err)) << err;

    auto regionPane = std::make_unique<RegionsListView>(platform.Messages());
    pane = regionPane.get();
    pane->Get_Graphic().Set_Position(kPaneX, kPaneY);
    pane->Get_Graphic().Set_Size(400, 300);
    List().Attach_ComponentView(pane);
    container.Add_Child_ComponentView(regionPane.release());
    Make_Views();

    // Two regions large enough for their handles to lie apart, whose centres
    // hit them first: a press there selects them.
    for (ListLink<ComponentView>* link = pane->Get_Child_ComponentViews_List()->Get_Head_Link();
         link != nullptr && clickable.size() < 2; link = link->Get_Next()) {
      const Graphic& g = link->Get_Object()->Get_Graphic();
      const PointShrt c = Centre_Of(*link->Get_Object());
      if (g.Get_Width() >= 24 && g.Get_Height() >= 24 &&
          pane->Find_ComponentView_at_Point(At(c.x, c.y)) == link->Get_Object() &&
          Away_Point(link->Get_Object()).x != 0)
        clickable.push_back(static_cast<RegionView*>(link->Get_Object()));
    }
    ASSERT_EQ(clickable.size(), 2u);
    // A point of the pane on no region.
    for (int32_t y = kPaneY; y < kPaneY + 300 && empty.x == 0; y += 3)
      for (int32_t x = kPaneX; x < kPaneX + 400 && empty.x == 0; x += 3)
        if (pane->Find_ComponentView_at_Point(At(x, y)) == nullptr) {
          empty.x = static_cast<int16_t>(x);
          empty.y = static_cast<int16_t>(y);
        }
    ASSERT_NE(empty.x, 0);
    Compose();
    platform.Messages().Clear();
  }

  // Cuts the separation of standard colour `colorIndex` out of `source`.
  void Add_Separation(const OffMap& source, int16_t colorIndex, int16_t separationID) {
    int16_t r = 0, g = 0, b = 0;
    std::string err;
    ASSERT_TRUE(Get_StandardColors_RGB_from_Table(colorIndex, r, g, b, err)) << err;
    auto map = std::make_unique<OffMap>(source.Get_Width(), source.Get_Height(), 24);
    for (int32_t y = 0; y < source.Get_Height(); ++y) {
      for (int32_t x = 0; x < source.Get_Width(); ++x) {
        Rgb c = Pixel_At(source, x, y);
        if (c.r > r || c.g > g || c.b > b) c = Rgb{255, 255, 255};
        map->Set_Pixel(x, y, c.r, c.g, c.b);
      }
    }
    std::unique_ptr<RegionSubject> separation = RegionSubject::Create_Region_from_Separation_Map(
        err, "list.rgl", std::move(map), 0, true, r, g, b, "sep.bmp", app.Get_Platform());
    ASSERT_NE(separation, nullptr) << err;
    separation->Set_Hunt_Color_Index(colorIndex);
    ASSERT_TRUE(separation->Generate_SubRegions(*separation->Get_Region_Map(), List(), 30, false,
                                                separationID, 0, true, app.Get_Document().regionCounter,
                                                app.Get_Platform(), err))
        << err;
  }

  // What the windows do when asked to make their views anew.
  void Make_Views() {
    pane->Detach_All_Child_ComponentViews();
    pane->Get_Child_ComponentViews_List()->Delete_All();
    std::string err;
    ASSERT_TRUE(pane->Create_Child_ComponentViews(pane, err)) << err;
    for (ListLink<ComponentView>* link = pane->Get_Child_ComponentViews_List()->Get_Head_Link();
         link != nullptr; link = link->Get_Next())
      link->Get_Object()->Update_Size(pane);
  }

  // A point of the view off both its handles where a press hits the view;
  // (0, 0) when there is none.
  PointShrt Away_Point(ComponentView* view) {
    RectLong r;
    view->Get_Graphic().Get_Rect(r);
    const PointShrt c = Centre_Of(*view);
    for (int32_t y = r.top; y <= r.bottom; ++y)
      for (int32_t x = r.left; x <= r.right; ++x)
        if ((std::abs(x - c.x) > 5 || std::abs(y - c.y) > 5) && (r.right - x > 5 || r.bottom - y > 5) &&
            pane->Find_ComponentView_at_Point(At(x, y)) == view)
          return Pt(x, y);
    return Pt(0, 0);
  }

  void Select_Only(ComponentView* view) {
    Board().Deselect_All();
    std::unique_ptr<Manipulatorj> manipulator;
    std::string err;
    ASSERT_TRUE(app.Get_Editor().Select_ComponentView(view, Eventj(), manipulator, pane, err)) << err;
  }

  void Compose() { ASSERT_TRUE(app.Get_Composer().Redraw_Summed_Final_Window()); }
  const OffMap& Layered() { return *app.Get_RenderMan().Get_Layered_Map(); }
  RegionListSubject& List() { return app.Get_RegionList(); }
  SelectBoard& Board() { return app.Get_Editor().Get_SelectBoard(); }
  RegionSubject& Region(RegionView* view) { return *view->Get_Region(); }

  void Press(int32_t x, int32_t y, int16_t modifiers = 0) {
    flows.Mouse_Down(At(x, y, modifiers), container);
  }
  bool Click(int32_t x, int32_t y, int16_t modifiers = 0) {
    Press(x, y, modifiers);
    return flows.Mouse_Up(At(x, y, modifiers));
  }
  bool Click(RegionView* view, int16_t modifiers = 0) {
    const PointShrt c = Centre_Of(*view);
    return Click(c.x, c.y, modifiers);
  }
  // A drag from `from` through `steps` (each a point moved to), released
  // at the last one.
  bool Drag(PointShrt from, const std::vector<PointShrt>& steps) {
    Press(from.x, from.y);
    for (const PointShrt& p : steps) flows.Mouse_Move(At(p.x, p.y));
    const PointShrt end = steps.empty() ? from : steps.back();
    return flows.Mouse_Up(At(end.x, end.y));
  }
  static PointShrt Pt(int32_t x, int32_t y) {
    PointShrt p;
    p.x = static_cast<int16_t>(x);
    p.y = static_cast<int16_t>(y);
    return p;
  }

  TestPlatform platform;
  RegionEditorApp app;
  Container container;
  EditFlows flows;
  RegionsListView* pane = nullptr;
  std::vector<RegionView*> clickable;
  PointShrt empty;
};

}  // namespace

TEST_F(EditFlowsTest, ClicksSelectKeepWithCtrlAndClearOnEmptySpace) {
  RegionView* a = clickable[0];
  RegionView* b = clickable[1];
  EXPECT_FALSE(Click(a));
  ASSERT_EQ(Board().Get_Count(), 1);
  EXPECT_EQ(Board().Get_First_Selected(), a);
  EXPECT_EQ(Board().Get_Pane(), pane);
  ASSERT_NE(a->Get_HandleFrame(), nullptr);
  EXPECT_EQ(flows.Get_Manipulator(), nullptr);  // selecting starts no drag

  // Ctrl-click keeps the first; a plain click on another replaces it.
  Click(b, Toolj::kKeepSelectionModifier);
  ASSERT_EQ(Board().Get_Count(), 2);
  EXPECT_EQ(Board().Get_Selection().Get_Nth(0), a);
  EXPECT_EQ(Board().Get_Selection().Get_Nth(1), b);
  Click(a);  // on a's move handle: a drag of nothing, the selection stays
  EXPECT_EQ(Board().Get_Count(), 2);

  Click(empty.x, empty.y);
  EXPECT_TRUE(Board().Is_Empty());
  EXPECT_EQ(Board().Get_Pane(), nullptr);
  EXPECT_EQ(a->Get_HandleFrame(), nullptr);
  EXPECT_EQ(b->Get_HandleFrame(), nullptr);
  EXPECT_EQ(flows.Get_Manipulator(), nullptr);

  // Shift is no Ctrl: the first selection goes.
  Click(a);
  Click(b, 4);
  ASSERT_EQ(Board().Get_Count(), 1);
  EXPECT_EQ(Board().Get_First_Selected(), b);

  // A plain click on the selected region away from its handles selects it
  // afresh; with Ctrl held it clears the selection.
  const PointShrt away = Away_Point(b);
  ASSERT_NE(away.x, 0);
  Click(away.x, away.y);
  ASSERT_EQ(Board().Get_Count(), 1);
  EXPECT_EQ(Board().Get_First_Selected(), b);
  Click(a, Toolj::kKeepSelectionModifier);
  EXPECT_EQ(Board().Get_Count(), 2);
  Click(away.x, away.y, Toolj::kKeepSelectionModifier);
  EXPECT_TRUE(Board().Is_Empty());
  EXPECT_EQ(flows.Get_Manipulator(), nullptr);
  EXPECT_TRUE(platform.Messages().Texts().empty());
}

TEST_F(EditFlowsTest, DragOfTheMoveHandleIsOneMoveByTheWholeDistance) {
  RegionView* a = clickable[0];
  Click(a);
  const Frame before = Frame_Of(Region(a));
  const PointShrt c = Centre_Of(*a);

  // The tool's own view of the drag: one command by the total distance.
  Press(c.x, c.y);
  Manipulatorj* drag = flows.Get_Manipulator();
  ASSERT_NE(dynamic_cast<DragManipulator*>(drag), nullptr);
  EXPECT_TRUE(drag->Is_Active());
  EXPECT_EQ(drag->Get_Drag_Kind(), Manipulatorj::kDragMove);
  EXPECT_EQ(drag->Get_Drag_Target(), a->Get_HandleFrame());
  flows.Mouse_Move(At(c.x + 5, c.y + 3));
  flows.Mouse_Move(At(c.x + 12, c.y - 4));
  // The frame follows the mouse; the region waits for the release.
  EXPECT_EQ(a->Get_HandleFrame()->Get_Handles().Get_First()->Get_Center().x, c.x + 12);
  EXPECT_EQ(a->Get_HandleFrame()->Get_Handles().Get_First()->Get_Center().y, c.y - 4);
  EXPECT_EQ(Frame_Of(Region(a)), before);
  drag->Effect(At(c.x + 12, c.y - 4));
  std::unique_ptr<Commandj> command =
      app.Get_Editor().Get_Current_Tool()->Interpret_Manipulator(app.Get_Editor(), *drag);
  ASSERT_NE(dynamic_cast<OffsetGlyphCmnd*>(command.get()), nullptr);
  EXPECT_EQ(command->Get_Offset().x, 12);
  EXPECT_EQ(command->Get_Offset().y, -4);
  ASSERT_NE(command->Get_Property_List(), nullptr);
  EXPECT_EQ(command->Get_Property_List()->Get_Count(), 1);
  EXPECT_EQ(command->Get_First_Target(), a);
  EXPECT_FALSE(command->Is_Reversible());
  command.reset();
  flows.Mouse_Up(At(c.x + 12, c.y - 4));

  // Through the flows the region moves once, by the whole distance.
  EXPECT_EQ(Frame_Of(Region(a)), (Frame{before.x + 12, before.y - 4, before.width, before.height}));
  EXPECT_EQ(Centre_Of(*a).x, c.x + 12);
  EXPECT_EQ(a->Get_HandleFrame()->Get_Handles().Get_First()->Get_Center().x, c.x + 12);
  EXPECT_TRUE(app.Get_Document().hasChanges);
  ASSERT_EQ(app.Get_History().Get_Count(), 1);
  EXPECT_EQ(app.Get_History().Get_Undo_Text(), "Move");
  EXPECT_EQ(app.Get_Editor().Get_Command(), nullptr);  // moves are not the editor's Undo's
}

TEST_F(EditFlowsTest, ZeroDragMovesByNothingAndPressesOffTheHandlesStartNoDrag) {
  RegionView* a = clickable[0];
  Click(a);
  const Frame before = Frame_Of(Region(a));
  const PointShrt c = Centre_Of(*a);
  Press(c.x, c.y);
  Manipulatorj* drag = flows.Get_Manipulator();
  ASSERT_NE(drag, nullptr);
  PointShrt delta;
  ASSERT_TRUE(drag->Get_Delta(delta));
  EXPECT_EQ(delta.x, 0);
  EXPECT_EQ(delta.y, 0);
  std::unique_ptr<Commandj> command =
      app.Get_Editor().Get_Current_Tool()->Interpret_Manipulator(app.Get_Editor(), *drag);
  ASSERT_NE(dynamic_cast<OffsetGlyphCmnd*>(command.get()), nullptr);
  EXPECT_EQ(command->Get_Offset().x, 0);
  EXPECT_EQ(command->Get_Offset().y, 0);
  EXPECT_TRUE(flows.Mouse_Up(At(c.x, c.y)));
  EXPECT_EQ(Frame_Of(Region(a)), before);
  EXPECT_EQ(app.Get_History().Get_Count(), 0);  // nothing to take back
  EXPECT_FALSE(app.Get_Document().hasChanges);

  // The view itself starts no drag off its handles.
  EXPECT_EQ(a->Create_Manipulator(At(empty.x, empty.y), app.Get_Editor()), nullptr);
  // A press off every handle selects what is there instead of dragging.
  Press(empty.x, empty.y);
  EXPECT_EQ(flows.Get_Manipulator(), nullptr);
  EXPECT_FALSE(flows.Mouse_Up(At(empty.x + 30, empty.y)));
  EXPECT_TRUE(Board().Is_Empty());
  EXPECT_EQ(Frame_Of(Region(a)), before);
  // Moving without the button does nothing.
  flows.Mouse_Move(At(c.x + 9, c.y));
  EXPECT_FALSE(flows.Mouse_Up(At(c.x + 9, c.y)));
}

TEST_F(EditFlowsTest, MoveUndoneGivesTheSamePictureAndRedoneTheMovedOne) {
  RegionView* a = clickable[0];
  const std::vector<uint8_t> original = Bytes_Of(Layered());
  Click(a);
  const Frame before = Frame_Of(Region(a));
  const PointShrt c = Centre_Of(*a);
  ASSERT_TRUE(Drag(c, {Pt(c.x + 20, c.y + 2), Pt(c.x + 31, c.y + 17)}));
  const Frame moved{before.x + 31, before.y + 17, before.width, before.height};
  ASSERT_EQ(Frame_Of(Region(a)), moved);
  const std::vector<uint8_t> afterMove = Bytes_Of(Layered());
  EXPECT_NE(afterMove, original);  // the release recomposed the picture

  std::string err;
  ASSERT_TRUE(app.Get_History().Undo(err)) << err;
  EXPECT_EQ(Frame_Of(Region(a)), before);
  EXPECT_EQ(Bytes_Of(Layered()), original);
  EXPECT_EQ(Centre_Of(*a).x, c.x);  // the view follows
  EXPECT_EQ(app.Get_History().Get_Redo_Text(), "Move");
  EXPECT_FALSE(app.Get_History().Can_Undo());

  ASSERT_TRUE(app.Get_History().Redo(err)) << err;
  EXPECT_EQ(Frame_Of(Region(a)), moved);
  EXPECT_EQ(Bytes_Of(Layered()), afterMove);
  EXPECT_FALSE(app.Get_History().Redo(err));
  EXPECT_EQ(err, "There is nothing to redo.");
  EXPECT_TRUE(platform.Messages().Texts().empty());
}

TEST_F(EditFlowsTest, ResizeHandleResizesAndNudgesMergeIntoOneMove) {
  RegionView* a = clickable[0];
  Click(a);
  const Frame before = Frame_Of(Region(a));
  RectLong r;
  a->Get_Graphic().Get_Rect(r);
  ASSERT_TRUE(Drag(Pt(r.right, r.bottom), {Pt(r.right + 7, r.bottom - 3)}));
  EXPECT_EQ(flows.Get_Manipulator()->Get_Drag_Kind(), Manipulatorj::kDragSize);
  const Frame sized{before.x, before.y, before.width + 7, before.height - 3};
  EXPECT_EQ(Frame_Of(Region(a)), sized);
  EXPECT_EQ(app.Get_History().Get_Undo_Text(), "Resize");
  // Shrinking stops at 5 pixels; undo gives the exact frame back.
  a->Get_Graphic().Get_Rect(r);
  ASSERT_TRUE(Drag(Pt(r.right, r.bottom), {Pt(r.right - 300, r.bottom - 300)}));
  EXPECT_EQ(Frame_Of(Region(a)), (Frame{before.x, before.y, 5, 5}));
  std::string err;
  ASSERT_TRUE(app.Get_History().Undo(err)) << err;
  EXPECT_EQ(Frame_Of(Region(a)), sized);

  // Arrow keys: 1 pixel, Shift 10; a run of them is one step.
  ASSERT_TRUE(flows.Nudge_Selection(EditFlows::kNudgeStep, 0, err)) << err;
  ASSERT_TRUE(flows.Nudge_Selection(0, EditFlows::kNudgeStep, err)) << err;
  ASSERT_TRUE(flows.Nudge_Selection(-EditFlows::kNudgeStepShift, 0, err)) << err;
  EXPECT_EQ(Frame_Of(Region(a)), (Frame{sized.x - 9, sized.y + 1, sized.width, sized.height}));
  ASSERT_EQ(app.Get_History().Get_Count(), 2);  // the resize and the nudges
  EXPECT_EQ(app.Get_History().Get_Undo_Text(), "Move");
  ASSERT_TRUE(app.Get_History().Undo(err)) << err;
  EXPECT_EQ(Frame_Of(Region(a)), sized);
  ASSERT_TRUE(app.Get_History().Undo(err)) << err;
  EXPECT_EQ(Frame_Of(Region(a)), before);

  Click(empty.x, empty.y);
  EXPECT_FALSE(flows.Nudge_Selection(1, 0, err));
  EXPECT_EQ(err, "Make a selection.");
}

TEST_F(EditFlowsTest, CutOfTwoThenUndoAppendsBothInSelectionOrder) {
  RegionView* a = clickable[0];
  RegionView* b = clickable[1];
  const int32_t count = List().Get_Region_Count();
  // Selected b first, then a: the order Undo gives them back in.
  Click(b);
  Click(a, Toolj::kKeepSelectionModifier);
  const int16_t serialB = Region(b).Get_Serial_Number();
  const int16_t serialA = Region(a).Get_Serial_Number();
  const Frame frameA = Frame_Of(Region(a));
  std::string err;
  ASSERT_TRUE(flows.Cut(err)) << err;
  EXPECT_EQ(List().Get_Region_Count(), count - 2);
  EXPECT_TRUE(Board().Is_Empty());
  EXPECT_EQ(Board().Get_Copy_Board().Get_Count(), 2);
  EXPECT_EQ(app.Get_Editor().Get_Command()->Get_First_Target(), nullptr);  // its views are gone
  EXPECT_TRUE(app.Get_Document().hasChanges);
  EXPECT_EQ(app.Get_History().Get_Undo_Text(), "Cut");

  ASSERT_TRUE(flows.Undo(err)) << err;
  ASSERT_EQ(List().Get_Region_Count(), count);
  std::vector<RegionSubject*> regions = Regions_Of(List());
  EXPECT_EQ(regions[static_cast<size_t>(count - 2)]->Get_Serial_Number(), serialB);
  EXPECT_EQ(regions[static_cast<size_t>(count - 1)]->Get_Serial_Number(), serialA);
  EXPECT_EQ(Frame_Of(*regions[static_cast<size_t>(count - 1)]), frameA);
  EXPECT_EQ(app.Get_History().Get_Count(), 0);  // the history no longer fits the list
  EXPECT_EQ(app.Recorded_Windows().Count("recreate views"), 1);

  // A second Undo finds the clones given away.
  EXPECT_FALSE(flows.Undo(err));
  EXPECT_EQ(err, "CutObjListProperty::RollBack_Value  failed,  cutScalePitch is null.");
}

TEST_F(EditFlowsTest, CutTakenBackByTheHistoryGivesTheSamePicture) {
  const std::vector<uint8_t> original = Bytes_Of(Layered());
  const std::vector<int16_t> serials = Serials_Of(List());
  Click(clickable[0]);
  Click(clickable[1], Toolj::kKeepSelectionModifier);
  std::string err;
  ASSERT_TRUE(flows.Cut(err)) << err;
  const std::vector<uint8_t> afterCut = Bytes_Of(Layered());
  EXPECT_NE(afterCut, original);

  ASSERT_TRUE(app.Get_History().Undo(err)) << err;
  EXPECT_EQ(Serials_Of(List()), serials);  // the regions are back at their places
  EXPECT_EQ(Bytes_Of(Layered()), original);
  EXPECT_EQ(app.Get_Editor().Get_Command(), nullptr);  // the editor's Undo cannot cut in

  ASSERT_TRUE(app.Get_History().Redo(err)) << err;
  EXPECT_EQ(List().Get_Region_Count(), static_cast<int32_t>(serials.size()) - 2);
  EXPECT_EQ(Bytes_Of(Layered()), afterCut);
  ASSERT_TRUE(app.Get_History().Undo(err)) << err;
  EXPECT_EQ(Bytes_Of(Layered()), original);
  EXPECT_EQ(flows.Undo(err), false);
  EXPECT_EQ(err, "First execute a Command before trying Undo.");
}

TEST_F(EditFlowsTest, TwoPastesThenUndoRemovesOnlyTheSecond) {
  const int32_t count = List().Get_Region_Count();
  std::string err;
  EXPECT_FALSE(flows.Paste(pane, err));
  EXPECT_EQ(err, "First copy something to the clipboard.");
  Click(clickable[0]);
  const int16_t serial = Region(clickable[0]).Get_Serial_Number();
  ASSERT_TRUE(flows.Copy(err)) << err;
  EXPECT_FALSE(flows.Paste(nullptr, err));
  EXPECT_EQ(err, "Open a window with an object list.");
  EXPECT_FALSE(app.Get_Document().hasChanges);

  ASSERT_TRUE(flows.Paste(pane, err)) << err;
  EXPECT_TRUE(Board().Is_Empty());
  Make_Views();
  RegionSubject* first = Regions_Of(List()).back();
  ASSERT_TRUE(flows.Paste(pane, err)) << err;
  Make_Views();
  ASSERT_EQ(List().Get_Region_Count(), count + 2);
  RegionSubject* second = Regions_Of(List()).back();
  EXPECT_NE(first, second);
  EXPECT_EQ(first->Get_Serial_Number(), serial);
  EXPECT_EQ(second->Get_Serial_Number(), serial);

  ASSERT_TRUE(flows.Undo(err)) << err;
  ASSERT_EQ(List().Get_Region_Count(), count + 1);
  EXPECT_EQ(Regions_Of(List()).back(), first);
  EXPECT_FALSE(flows.Undo(err));
  EXPECT_EQ(err, "PasteObjListProperty::RollBack_Value  failed,  cutScalePitch is null.");
}

TEST_F(EditFlowsTest, DeleteEmptiesTheSelectionAndTheHistoryPutsTheRegionBack) {
  std::string err;
  EXPECT_FALSE(flows.Delete(err));
  EXPECT_EQ(err, "Make a selection.");
  EXPECT_FALSE(flows.Cut(err));
  EXPECT_EQ(err, "Make a selection.");
  const std::vector<int16_t> serials = Serials_Of(List());
  const std::vector<uint8_t> original = Bytes_Of(Layered());
  RegionSubject* gone = clickable[1]->Get_Region();
  Click(clickable[1]);
  ASSERT_TRUE(flows.Delete(err)) << err;
  EXPECT_TRUE(Board().Is_Empty());
  EXPECT_EQ(Board().Get_Pane(), nullptr);
  EXPECT_EQ(List().Get_Region_Count(), static_cast<int32_t>(serials.size()) - 1);
  EXPECT_EQ(List().Index_Of_Child(gone), -1);
  EXPECT_EQ(app.Get_History().Get_Undo_Text(), "Delete");

  ASSERT_TRUE(app.Get_History().Undo(err)) << err;
  EXPECT_EQ(Serials_Of(List()), serials);
  EXPECT_EQ(Bytes_Of(Layered()), original);
}

TEST_F(EditFlowsTest, UndoTextsAndBumpingAtTheEnds) {
  std::string err;
  EXPECT_FALSE(flows.Undo(err));
  EXPECT_EQ(err, "First execute a Command before trying Undo.");
  app.Get_Editor().Set_Command(std::make_unique<OffsetGlyphCmnd>(3, 4));
  EXPECT_FALSE(flows.Undo(err));
  EXPECT_EQ(err, "Execute a REVERSIBLE Command before trying Undo.");

  ListMemry<ComponentView>& views = *pane->Get_Child_ComponentViews_List();
  EXPECT_FALSE(flows.Bump_Selection(true, Eventj(), err));
  EXPECT_EQ(err, "Select a single note.");
  Select_Only(views.Get_First());
  ASSERT_TRUE(flows.Bump_Selection(true, Eventj(), err)) << err;
  EXPECT_EQ(Board().Get_First_Selected(), views.Get_Nth(1));
  ASSERT_TRUE(flows.Bump_Selection(false, Eventj(), err)) << err;
  EXPECT_EQ(Board().Get_First_Selected(), views.Get_First());
  EXPECT_FALSE(flows.Bump_Selection(false, Eventj(), err));
  EXPECT_EQ(err, "Bump_Selection_Next failed,  could not find next componentView. ");
  EXPECT_EQ(Board().Get_First_Selected(), views.Get_First());  // unchanged

  Select_Only(views.Get_Last());
  EXPECT_FALSE(flows.Bump_Selection(true, Eventj(), err));
  EXPECT_EQ(err, "Bump_Selection_Next failed,  could not find next componentView. ");
  ASSERT_TRUE(flows.Select_All(pane, Eventj(), err)) << err;
  EXPECT_EQ(Board().Get_Count(), views.Get_Count());
  EXPECT_FALSE(flows.Bump_Selection(true, Eventj(), err));
  EXPECT_EQ(err, "Select a single note.");
}

TEST_F(EditFlowsTest, ChangesOfTheListOutsideTheFlowsForgetTheHistory) {
  Click(clickable[0]);
  std::string err;
  ASSERT_TRUE(flows.Nudge_Selection(0, EditFlows::kNudgeStepShift, err)) << err;
  ASSERT_TRUE(flows.Copy(err)) << err;
  ASSERT_TRUE(flows.Paste(pane, err)) << err;
  ASSERT_EQ(app.Get_History().Get_Count(), 2);
  ASSERT_NE(app.Get_Editor().Get_Command(), nullptr);
  // What loading a list file and the separations ask for first.
  app.Get_Windows().Clear_Selection();
  EXPECT_EQ(app.Get_History().Get_Count(), 0);
  EXPECT_EQ(app.Get_Editor().Get_Command(), nullptr);
  EXPECT_TRUE(Board().Is_Empty());
  EXPECT_EQ(Board().Get_Copy_Board().Get_Count(), 1);  // the copy board stays
}

TEST_F(EditFlowsTest, PasteOfRegionsTheListDoesNotKeepRecordsNothing) {
  Click(clickable[0]);
  std::string err;
  ASSERT_TRUE(flows.Copy(err)) << err;
  auto* copy = dynamic_cast<RegionSubject*>(Board().Get_Copy_Board().Get_First());
  ASSERT_NE(copy, nullptr);
  copy->Set_Render_Style(5);  // the region list takes such a region over and drops it
  const int32_t count = List().Get_Region_Count();
  ASSERT_TRUE(flows.Paste(pane, err)) << err;
  EXPECT_EQ(List().Get_Region_Count(), count);
  EXPECT_TRUE(Board().Get_Pasted().Is_Empty());
  EXPECT_EQ(app.Get_History().Get_Count(), 0);
  EXPECT_FALSE(app.Get_Document().hasChanges);
  EXPECT_FALSE(flows.Undo(err));
  EXPECT_EQ(err, "Commandj::UnExecute failed,   Property List is empty.");
  EXPECT_EQ(List().Get_Region_Count(), count);
}
