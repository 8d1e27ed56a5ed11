// Editing regions in the desktop program: a drag in the "Region OBJECTS"
// window moves a region by the distance dragged, Ctrl+Z gives back its frame
// and the very same layered picture, Ctrl+Shift+Z moves it again; the Edit
// menu names the step; Shift+arrow nudges merge into one step; the undo
// stack's clean state is the window's modified mark.

#include <QMdiArea>
#include <QTest>
#include <QToolBar>
#include <QUndoStack>

#include "gui/EditUndoStack.h"
#include "gui/GrafixWindowQvSep.h"
#include "gui/ShellTestSupport.h"
#include "regions/RegionView.h"
#include "support/TestSupport.h"
#include "views/HandleFrame.h"
#include "views/ListComponentView.h"

namespace {

struct Box {
  int32_t x, y, width, height;
  bool operator==(const Box&) const = default;
};

Box Frame_Of(ComponentSubject& region) {
  const Graphic& g = region.Get_Graphic();
  return {g.Get_Position().x, g.Get_Position().y, g.Get_Width(), g.Get_Height()};
}

QPoint Centre_Of(const ComponentView& view) {
  RectLong r;
  view.Get_Graphic().Get_Rect(r);
  return QPoint(r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2);
}

class EditMenuTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Open_Chelsea();
    ASSERT_TRUE(Make_Separations());
    Trigger(313, kCmdOpenRegionObjectsWindow);
    Frame().Place_New_Windows();
    for (GrafixWindowQvSep* window : Frame().Map_Windows()) {
      if (window->Get_Configuration_Code() == kWindowRegionObjects) objects = window;
      if (window->Get_Configuration_Code() == kWindowLayered) layered = window;
    }
    ASSERT_TRUE(objects != nullptr && layered != nullptr);
    Frame().Mdi_Area()->setActiveSubWindow(objects);
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    objects->Canvas()->setFocus();
    // A region whose centre a press hits first, large enough for its two
    // handles to lie apart.
    ListComponentView* list = Registry().Find_Viewj(objects)->Get_First_Pane()->Get_ListComponentView();
    ASSERT_NE(list, nullptr);
    for (ListLink<ComponentView>* link = list->Get_Child_ComponentViews_List()->Get_Head_Link();
         link != nullptr && view == nullptr; link = link->Get_Next()) {
      const Graphic& g = link->Get_Object()->Get_Graphic();
      Eventj at;
      at.point.x = static_cast<int16_t>(Centre_Of(*link->Get_Object()).x());
      at.point.y = static_cast<int16_t>(Centre_Of(*link->Get_Object()).y());
      if (g.Get_Width() >= 30 && g.Get_Height() >= 30 &&
          list->Find_ComponentView_at_Point(at) == link->Get_Object())
        view = link->Get_Object();
    }
    ASSERT_NE(view, nullptr);
    region = view->Get_Subject();
    Scripted_Messages().Clear();
  }

  QWidget* Canvas() { return objects->Canvas(); }
  QImage Layered_Pixels() { return layered->Canvas()->grab().toImage(); }
  QUndoStack& Stack() { return Frame().Undo_Stack().Stack(); }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Canvas(), static_cast<Qt::Key>(key), modifiers);
  }

  GrafixWindowQvSep* objects = nullptr;
  GrafixWindowQvSep* layered = nullptr;
  ComponentView* view = nullptr;
  ComponentSubject* region = nullptr;
};

}  // namespace

TEST_F(EditMenuTest, ADragMovesTheRegionAndUndoGivesBackTheSamePicture) {
  const QPoint centre = Centre_Of(*view);
  QTest::mouseClick(Canvas(), Qt::LeftButton, Qt::NoModifier, centre);
  ASSERT_NE(view->Get_HandleFrame(), nullptr);
  const Box before = Frame_Of(*region);
  const QImage original = Layered_Pixels();
  EXPECT_FALSE(Frame().Action(313, kCmdUndo)->isEnabled());

  // Press on the move handle, two moves, release: the frame follows the
  // mouse, the region moves once, on the release.
  QTest::mousePress(Canvas(), Qt::LeftButton, Qt::NoModifier, centre);
  QTest::mouseMove(Canvas(), centre + QPoint(9, 4));
  EXPECT_EQ(view->Get_HandleFrame()->Get_Handles().Get_First()->Get_Center().x, centre.x() + 9);
  EXPECT_EQ(Frame_Of(*region), before);
  QTest::mouseMove(Canvas(), centre + QPoint(23, -7));
  QTest::mouseRelease(Canvas(), Qt::LeftButton, Qt::NoModifier, centre + QPoint(23, -7));
  const Box moved{before.x + 23, before.y - 7, before.width, before.height};
  EXPECT_EQ(Frame_Of(*region), moved);
  const QImage afterMove = Layered_Pixels();
  EXPECT_NE(afterMove, original);
  EXPECT_EQ(Frame().Action(313, kCmdUndo)->text(), "Undo Move");
  EXPECT_TRUE(Frame().isWindowModified());

  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Frame_Of(*region), before);
  EXPECT_EQ(Layered_Pixels(), original);
  EXPECT_EQ(Frame().Action(313, kCmdRedo)->text(), "Redo Move");
  // Back where the list was made: nothing to save.
  EXPECT_FALSE(App().Get_Document().hasChanges);
  EXPECT_FALSE(Frame().isWindowModified());

  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Frame_Of(*region), moved);
  EXPECT_EQ(Layered_Pixels(), afterMove);
  EXPECT_EQ(Stack().count(), 1);
  EXPECT_TRUE(Messages().empty()) << Messages().front();
}

TEST_F(EditMenuTest, TheEditMenuNudgesAndTheSavedPlace) {
  // Nothing selected: the flows' texts in a message box.
  Trigger(313, kCmdCut);
  Trigger(313, kCmdDelete);
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Make a selection.", "Make a selection."}));
  Scripted_Messages().Clear();

  QTest::mouseClick(Canvas(), Qt::LeftButton, Qt::NoModifier, Centre_Of(*view));
  const Box before = Frame_Of(*region);
  Key(Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(Frame_Of(*region), (Box{before.x + 10, before.y, before.width, before.height}));
  Key(Qt::Key_Down);
  Key(Qt::Key_Left);
  EXPECT_EQ(Frame_Of(*region), (Box{before.x + 9, before.y + 1, before.width, before.height}));
  ASSERT_EQ(Stack().count(), 1);  // one step for the run
  EXPECT_EQ(Frame().Action(313, kCmdUndo)->text(), "Undo Move");

  // Saved: the stack is clean there, and an undo is a change again.
  TempDir folder;
  m_platform.Dialogs().Queue_Path(folder.Path() + "/moved.rgl");
  Trigger(313, kCmdSaveRegionListAs);
  EXPECT_TRUE(Messages().empty()) << Messages().front();
  EXPECT_TRUE(Stack().isClean());
  EXPECT_FALSE(Frame().isWindowModified());
  Trigger(313, kCmdUndo);
  EXPECT_EQ(Frame_Of(*region), before);
  EXPECT_TRUE(Frame().isWindowModified());

  // Delete, undone: the region is back at its place; Select All selects
  // every region of the window.
  const int32_t count = App().Get_RegionList().Get_Region_Count();
  QTest::mouseClick(Canvas(), Qt::LeftButton, Qt::NoModifier, Centre_Of(*view));
  Trigger(313, kCmdDelete);
  EXPECT_EQ(App().Get_RegionList().Get_Region_Count(), count - 1);
  EXPECT_EQ(Frame().Action(313, kCmdUndo)->text(), "Undo Delete");
  Trigger(313, kCmdUndo);
  EXPECT_EQ(App().Get_RegionList().Get_Region_Count(), count);
  Trigger(313, kCmdSelectAll);
  EXPECT_EQ(App().Get_Editor().Get_SelectBoard().Get_Count(), count);
  EXPECT_TRUE(Messages().empty()) << Messages().front();
}

TEST_F(EditMenuTest, TheSizeToolResizesByTheCornerAndNewWorkForgetsTheSteps) {
  QList<QAction*> tools = Frame().Tool_Bar()->actions();
  ASSERT_EQ(tools.size(), 4);
  EXPECT_TRUE(tools[0]->isChecked());
  tools[3]->trigger();
  EXPECT_EQ(App().Get_Editor().Get_Current_Tool()->Get_Tool_Kind(), Toolj::kSizeTool);

  QTest::mouseClick(Canvas(), Qt::LeftButton, Qt::NoModifier, Centre_Of(*view));
  const Box before = Frame_Of(*region);
  RectLong r;
  view->Get_Graphic().Get_Rect(r);
  const QPoint corner(r.right, r.bottom);
  QTest::mousePress(Canvas(), Qt::LeftButton, Qt::NoModifier, corner);
  QTest::mouseMove(Canvas(), corner + QPoint(6, 5));
  QTest::mouseRelease(Canvas(), Qt::LeftButton, Qt::NoModifier, corner + QPoint(6, 5));
  EXPECT_EQ(Frame_Of(*region), (Box{before.x, before.y, before.width + 6, before.height + 5}));
  EXPECT_EQ(Frame().Action(313, kCmdUndo)->text(), "Undo Resize");

  // A step whose region is gone (the list was emptied behind the stack's
  // back) shows why and leaves the stack.
  std::string err;
  ASSERT_TRUE(App().Get_RegionList().Delete_All_Regions_and_Bitmap_Files(err)) << err;
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"EditStep failed,  the list no longer holds the object edited."});
  EXPECT_EQ(Stack().count(), 0);

  // New separations change the list outside the stack: no step is left
  // to take back, and the work is unsaved.
  ASSERT_TRUE(Make_Separations());
  EXPECT_EQ(Stack().count(), 0);
  EXPECT_FALSE(Frame().Action(313, kCmdUndo)->isEnabled());
  EXPECT_TRUE(App().Get_Editor().Get_SelectBoard().Is_Empty());

  // So does a new photo: nothing of the old work can be taken back.
  QTest::mouseClick(Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
  ListComponentView* list = Registry().Find_Viewj(objects)->Get_First_Pane()->Get_ListComponentView();
  QTest::mouseClick(Canvas(), Qt::LeftButton, Qt::NoModifier,
                    Centre_Of(*list->Get_Child_ComponentViews_List()->Get_First()));
  Key(Qt::Key_Up);
  ASSERT_EQ(Stack().count(), 1);
  Scripted_Messages().Queue_Answer(MessageAnswer::No);
  Open_Chelsea();
  EXPECT_EQ(Stack().count(), 0);
  EXPECT_EQ(App().Get_Editor().Get_Command(), nullptr);
}
