// The editor on logging subjects: the command table, the properties each
// command prepares and its roll-back, the selection (also when a selected
// view is destroyed), copy, cut, paste, delete and their failure texts, the
// manipulators, and the edit history's steps by place.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ViewFixtures.h"
#include "platform/headless/Headless.h"
#include "views/Commands.h"
#include "views/EditSteps.h"
#include "views/Editorj.h"
#include "views/HandleFrame.h"
#include "views/Manipulators.h"
#include "views/Tools.h"

namespace {

std::vector<std::string> Subject_Names(const ListMemry<ComponentSubject>& list) {
  std::vector<std::string> names;
  for (const ListLink<ComponentSubject>* link = list.Get_Head_Link(); link != nullptr;
       link = link->Get_Next())
    names.push_back(static_cast<LoggingSubject*>(link->Get_Object())->Name());
  return names;
}

using Names = std::vector<std::string>;

PointShrt Make_Point(int16_t x, int16_t y) {
  PointShrt p;
  p.x = x;
  p.y = y;
  return p;
}

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"a", "b", "c"}) {
      auto* child = new LoggingSubject(name, &log);
      children.push_back(child);
      ASSERT_TRUE(list.Add_ChildSubject(child, err));
    }
    list.Attach_ComponentView(&pane);
    ASSERT_TRUE(pane.Create_Child_ComponentViews(&pane, err)) << err;
  }

  ComponentView* View(int32_t i) { return pane.Get_Child_ComponentViews_List()->Get_Nth(i); }
  SelectBoard& Board() { return editor.Get_SelectBoard(); }
  void Select(int32_t i) {
    std::unique_ptr<Manipulatorj> manipulator;
    ASSERT_TRUE(editor.Select_ComponentView(View(i), Eventj(), manipulator, &pane, err)) << err;
    EXPECT_EQ(manipulator, nullptr);
  }
  Names Children() { return Subject_Names(list.Get_Children_List()); }

  EventLog log;
  HeadlessMessages messages;
  std::string err;
  LoggingListSubject list{&log};
  LoggingListView pane{"pane", &log};
  std::vector<LoggingSubject*> children;
  Editorj editor{messages, &list};
};

struct CommandRow {
  std::unique_ptr<Commandj> (*make)(MessageService&);
  int16_t code;
  bool reversible, changesList, graphicEdit, deselectBeforeUndo, multi;
};

}  // namespace

TEST(CommandTable, CodesAndFlags) {
  HeadlessMessages messages;
  const CommandRow rows[] = {
      {[](MessageService&) -> std::unique_ptr<Commandj> { return std::make_unique<OffsetGlyphCmnd>(); }, 2,
       false, false, true, false, false},
      {[](MessageService&) -> std::unique_ptr<Commandj> { return std::make_unique<SizeCmnd>(); }, 4, false,
       false, true, false, false},
      {[](MessageService&) -> std::unique_ptr<Commandj> {
         return std::make_unique<OffsetRFrameLeftHandleCmnd>();
       },
       6, false, false, true, false, false},
      {[](MessageService&) -> std::unique_ptr<Commandj> {
         return std::make_unique<OffsetRFrameRightHandleCmnd>();
       },
       7, false, false, true, false, false},
      {[](MessageService&) -> std::unique_ptr<Commandj> { return std::make_unique<CutObjListCmnd>(); }, 11,
       true, true, false, false, false},
      {[](MessageService& m) -> std::unique_ptr<Commandj> { return std::make_unique<PasteObjListCmnd>(m); },
       12, true, true, false, true, false},
      {[](MessageService&) -> std::unique_ptr<Commandj> { return std::make_unique<MultiSelectCmnd>(); }, 13,
       false, false, true, false, true},
  };
  for (const CommandRow& row : rows) {
    std::unique_ptr<Commandj> command = row.make(messages);
    SCOPED_TRACE(row.code);
    EXPECT_EQ(command->Get_Property_Code(), row.code);
    EXPECT_EQ(command->Is_Reversible(), row.reversible);
    EXPECT_EQ(command->Changes_List(), row.changesList);
    EXPECT_EQ(command->Is_Graphic_Edit(), row.graphicEdit);
    EXPECT_EQ(command->Deselect_Before_Undo(), row.deselectBeforeUndo);
    EXPECT_EQ(command->Needs_Multi_Selection(), row.multi);
    EXPECT_EQ(command->Get_Property_List(), nullptr);
    EXPECT_EQ(command->Get_First_Target(), nullptr);
    std::string err;
    EXPECT_FALSE(command->UnExecute(err));
    EXPECT_EQ(err, row.reversible ? "Commandj::UnExecute failed,   Property List is empty."
                                  : "UnExecute can only work on Reversible commands.");
  }
  Propertyj plain;
  std::string err;
  EXPECT_FALSE(plain.RollBack_Value(err));
  EXPECT_EQ(err, "Propertyj::RollBack_Value failed, not defined for subclass.");
}

TEST_F(EditorTest, CommandsPrepareOnePropertyPerSelectedView) {
  Select(2);
  Select(0);
  children[1]->Detach_ComponentView(View(1));  // a view without subject gets no move or size property
  Select(1);
  ASSERT_EQ(Board().Get_Count(), 3);

  SizeCmnd size(6, -2);
  size.Prepare_Properties(std::make_unique<ClipBoardj>(&pane, &Board().Get_Selection()));
  ASSERT_EQ(size.Get_Property_List()->Get_Count(), 2);
  EXPECT_EQ(size.Get_First_Target(), View(2));
  auto* sizeProperty = dynamic_cast<SizeProperty*>(size.Get_Property_List()->Get_Nth(1));
  ASSERT_NE(sizeProperty, nullptr);
  EXPECT_EQ(sizeProperty->Get_Target(), View(0));
  EXPECT_EQ(sizeProperty->Get_Size_Delta().x, 6);
  EXPECT_EQ(sizeProperty->Get_Size_Delta().y, -2);
  // Preparing again starts afresh; executing applies to each target's subject.
  size.Prepare_Properties(std::make_unique<ClipBoardj>(&pane, &Board().Get_Selection()));
  EXPECT_EQ(size.Get_Property_List()->Get_Count(), 2);
  children[0]->Set_Change_Error("refused");
  EXPECT_EQ(size.Execute(messages), 2);
  EXPECT_EQ(messages.Texts(), (Names{"refused"}));
  size.Forget_Targets();
  EXPECT_EQ(size.Get_First_Target(), nullptr);
  EXPECT_EQ(size.Execute(messages), 2);  // nothing applied, nothing shown
  EXPECT_EQ(messages.Texts().size(), 1u);

  children[2]->Set_Cloneable(false);
  CutObjListCmnd cut;
  cut.Set_Destination_List(&list);
  cut.Prepare_Properties(std::make_unique<ClipBoardj>(&pane, &Board().Get_Selection()));
  ASSERT_EQ(cut.Get_Property_List()->Get_Count(), 1);  // c cannot be cloned, b's view has no subject
  auto* cutProperty = dynamic_cast<CutObjListProperty*>(cut.Get_Property_List()->Get_First());
  ASSERT_NE(cutProperty, nullptr);
  EXPECT_EQ(static_cast<const LoggingSubject*>(cutProperty->Get_Clone())->Name(), "a+");
  EXPECT_EQ(cutProperty->Get_Parent(), &list);

  MultiSelectCmnd multi;
  multi.Prepare_Properties(std::make_unique<ClipBoardj>(&pane, &Board().Get_Selection()));
  EXPECT_TRUE(multi.Get_Property_List()->Is_Empty());

  // Frame handles: only panes with a pane kind other than 0.
  LoggingListView other("other", &log);
  other.Set_Pane_Kind(5);
  ListMemry<ComponentView> panes;
  panes.Set_Owns_Objects(false);
  panes.Add_To_Tail(&pane);
  panes.Add_To_Tail(View(0));
  panes.Add_To_Tail(&other);
  pane.Set_Pane_Kind(0);
  OffsetRFrameRightHandleCmnd right;
  right.Prepare_Properties(std::make_unique<ClipBoardj>(&pane, &panes));
  ASSERT_EQ(right.Get_Property_List()->Get_Count(), 1);
  auto* side = dynamic_cast<OffsetProperty*>(right.Get_Property_List()->Get_First());
  ASSERT_NE(side, nullptr);
  EXPECT_EQ(side->Get_Target(), &other);
  EXPECT_EQ(side->Get_Side(), OffsetProperty::kRightSide);
  EXPECT_EQ(side->Get_Amount(), 5);
  EXPECT_EQ(side->Get_Second_Amount(), 5);
}

TEST_F(EditorTest, CutOfTwoUndoneAppendsClonesInSelectionOrder) {
  Select(2);
  Select(0);
  auto cut = std::make_unique<CutObjListCmnd>();
  cut->Set_Destination_List(&list);
  cut->Prepare_Properties(std::make_unique<ClipBoardj>(Board().Get_Pane(), &Board().Get_Selection()));
  editor.Set_Command(std::move(cut));
  ASSERT_TRUE(editor.Cut_Selected_to_SelectBoard(err)) << err;
  EXPECT_EQ(Children(), (Names{"b"}));
  EXPECT_EQ(Subject_Names(Board().Get_Copy_Board()), (Names{"c+", "a+"}));
  EXPECT_TRUE(Board().Is_Empty());
  EXPECT_EQ(Board().Get_Pane(), nullptr);
  ASSERT_TRUE(editor.Undo(err)) << err;
  EXPECT_EQ(Children(), (Names{"b", "c+", "a+"}));
  EXPECT_FALSE(editor.Undo(err));
  EXPECT_EQ(err, "CutObjListProperty::RollBack_Value  failed,  cutScalePitch is null.");

  CutObjListProperty orphan(nullptr, nullptr, nullptr);
  EXPECT_FALSE(orphan.RollBack_Value(err));
  EXPECT_EQ(err, "CutObjListProperty::RollBack_Value  failed,  parentListSubject is null.");
}

TEST_F(EditorTest, SecondPasteUndoneLeavesTheFirstAlsoWithoutAnyListView) {
  std::string err2;
  EXPECT_FALSE(editor.Paste_SelectBoard_to_DESTINATIONlist(err));
  EXPECT_EQ(err, "Copy from a selection before attempting Paste.");
  EXPECT_FALSE(editor.Copy_Selected_to_SelectBoard(err));
  EXPECT_EQ(err, "Make a selection.");
  Select(1);
  ASSERT_TRUE(editor.Copy_Selected_to_SelectBoard(err)) << err;
  // With no window on the list: the paste is still taken back.
  list.Detach_ComponentView(&pane);

  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(editor.Paste_SelectBoard_to_DESTINATIONlist(err)) << err;
    auto paste = std::make_unique<PasteObjListCmnd>(messages);
    paste->Set_Destination_List(&list);
    paste->Prepare_Properties(
        std::make_unique<ClipBoardj>(&pane, &Board().Get_Selection(), &Board().Get_Pasted()));
    ASSERT_EQ(paste->Get_Property_List()->Get_Count(), 1);
    editor.Set_Command(std::move(paste));
  }
  EXPECT_EQ(Children(), (Names{"a", "b", "c", "b++", "b++"}));
  ComponentSubject* first = list.Child_At(3);
  ASSERT_TRUE(editor.Undo(err)) << err;
  EXPECT_EQ(Children(), (Names{"a", "b", "c", "b++"}));
  EXPECT_EQ(list.Child_At(3), first);
  EXPECT_FALSE(editor.Undo(err));
  EXPECT_EQ(err, "PasteObjListProperty::RollBack_Value  failed,  cutScalePitch is null.");

  // A paste whose region went since is not followed.
  ASSERT_TRUE(editor.Paste_SelectBoard_to_DESTINATIONlist(err)) << err;
  PasteObjListProperty gone(&list, list.Child_At(4), messages);
  list.Get_Children_List().Remove_Object(list.Child_At(4));
  EXPECT_TRUE(gone.RollBack_Value(err)) << err;
  EXPECT_EQ(Children(), (Names{"a", "b", "c", "b++"}));
  PasteObjListProperty noList(nullptr, first, messages);
  EXPECT_FALSE(noList.RollBack_Value(err2));
  EXPECT_EQ(err2, "PasteObjListProperty::RollBack_Value  failed,  parentListSubject is null.");
  list.Attach_ComponentView(&pane);
}

TEST_F(EditorTest, DeleteAndDestroyedViewsEmptyTheSelection) {
  EXPECT_FALSE(editor.Delete_Selected_from_DSTlist(err));
  EXPECT_EQ(err, "Make a selection.");
  Select(0);
  Select(2);
  ASSERT_TRUE(editor.Delete_Selected_from_DSTlist(err)) << err;
  EXPECT_TRUE(Board().Is_Empty());
  EXPECT_EQ(Board().Get_Pane(), nullptr);
  EXPECT_EQ(Children(), (Names{"b"}));
  EXPECT_EQ(pane.Get_Child_ComponentViews_List()->Get_Count(), 1);

  // A selected view destroyed by its pane leaves the selection.
  Select(0);
  ASSERT_EQ(Board().Get_Pane(), &pane);
  pane.Get_Child_ComponentViews_List()->Delete_All();
  EXPECT_TRUE(Board().Is_Empty());
  EXPECT_EQ(Board().Get_Pane(), nullptr);
}

TEST_F(EditorTest, SelectingAcrossPanesToolsAndTexts) {
  Select(0);
  LoggingListView other("other", &log);
  LoggingView loose("loose", &log);
  std::unique_ptr<Manipulatorj> manipulator;
  // Another pane's view replaces the selection.
  ASSERT_TRUE(editor.Select_ComponentView(&loose, Eventj(), manipulator, &other, err)) << err;
  EXPECT_EQ(Board().Get_Count(), 1);
  EXPECT_EQ(Board().Get_Pane(), &other);
  EXPECT_EQ(View(0)->Get_HandleFrame(), nullptr);
  EXPECT_EQ(Board().Find_Selected_Subject(&loose), nullptr);  // it has none
  Board().Deselect_All();

  Select(1);
  Select(1);  // once only
  EXPECT_EQ(Board().Get_Count(), 1);
  EXPECT_EQ(Board().Find_Selected_Subject(View(1)), children[1]);

  EXPECT_FALSE(editor.Select_Multi_in_Segment(Eventj(), &pane, err));
  EXPECT_EQ(err, "Undefined dummy function[  ComponentView::Get_TimeZone_Selection_Values ].");
  EXPECT_EQ(Board().Get_Count(), 1);

  EXPECT_EQ(editor.Get_Current_Tool()->Get_Tool_Kind(), Toolj::kSelectTool);
  EXPECT_EQ(editor.Get_Tool_Count(), 4);
  const int16_t dragKinds[] = {0, 1, 2, 3};
  for (int16_t kind = 1; kind <= 4; ++kind) {
    ASSERT_TRUE(editor.Change_Tool_New(kind, err)) << err;
    EXPECT_EQ(editor.Get_Current_Tool()->Get_Tool_Kind(), kind);
    EXPECT_EQ(editor.Get_Current_Tool()->Get_Drag_Kind(), dragKinds[kind - 1]);
  }
  EXPECT_FALSE(editor.Change_Tool_New(5, err));
  EXPECT_EQ(err, "Editorj::Change_Tool_New  failed, could not find tool SUBclass.");
  EXPECT_EQ(editor.Get_Current_Tool()->Get_Tool_Kind(), Toolj::kSizeTool);

  children[1]->Set_Cloneable(false);
  EXPECT_FALSE(editor.Copy_Selected_to_SelectBoard(err));
  EXPECT_EQ(err, "Editorj::Copy_Selected_to_SelectBoard  failed,  Clone.");
  editor.Set_Selection_Tag(7);
  EXPECT_EQ(editor.Get_Selection_Tag(), 7);
  EXPECT_EQ(editor.Get_Flag(), 1);
}

TEST_F(EditorTest, DragAndClickManipulators) {
  ComponentView* view = View(0);
  view->Get_Graphic().Set_Rect(Make_RectLong(10, 20, 31, 41));
  Select(0);
  HandleFrame* frame = view->Get_HandleFrame();
  ASSERT_NE(frame, nullptr);
  HandleFrame* hit = nullptr;
  ASSERT_EQ(Board().Find_Handle_at_Point(Make_Point(31, 41), &hit), frame->Get_Handles().Get_Last());
  EXPECT_EQ(hit, frame);
  EXPECT_EQ(Board().Find_Handle_at_Point(Make_Point(25, 30)), frame->Get_Handles().Get_First());
  EXPECT_EQ(Board().Find_Handle_at_Point(Make_Point(14, 30)), nullptr);

  DragManipulator drag(nullptr, 8, frame, Make_Point(20, 30));
  EXPECT_TRUE(drag.Is_Active());
  EXPECT_EQ(drag.Get_Modifiers(), 8);
  Eventj event;
  event.point = Make_Point(24, 27);
  drag.Manipulate(event);
  event.point = Make_Point(17, 35);
  drag.Manipulate(event);
  EXPECT_EQ(frame->Get_Handles().Get_First()->Get_Center().x, 17);
  EXPECT_EQ(frame->Get_Handles().Get_First()->Get_Center().y, 35);
  EXPECT_EQ(frame->Get_Handles().Get_Last()->Get_Center().x, 28);
  event.point = Make_Point(15, 36);
  drag.Effect(event);  // the frame stays where the last move left it
  EXPECT_EQ(frame->Get_Handles().Get_First()->Get_Center().x, 17);
  PointShrt delta;
  ASSERT_TRUE(drag.Get_Delta(delta));
  EXPECT_EQ(delta.x, -5);
  EXPECT_EQ(delta.y, 6);
  // Placing the handles again puts them back on the view.
  ASSERT_TRUE(Board().Update_Selection_Frames(err)) << err;
  EXPECT_EQ(frame->Get_Handles().Get_First()->Get_Center().x, 20);

  ClickManipulator click(nullptr, 0, view, Make_Point(3, 4));
  EXPECT_FALSE(click.Is_Active());
  EXPECT_EQ(click.Get_Clicked_View(), view);
  EXPECT_EQ(click.Get_Drag_Target(), nullptr);
  // A plain view turns no manipulator into a command: the tool drops the selection.
  EXPECT_EQ(editor.Get_Current_Tool()->Interpret_Manipulator(editor, drag), nullptr);
  EXPECT_TRUE(Board().Is_Empty());
  EXPECT_EQ(editor.Get_Current_Tool()->Interpret_Manipulator(editor, click), nullptr);
}

TEST_F(EditorTest, HistoryPutsObjectsBackAtTheirPlaces) {
  EditHistory history;
  std::string err2;
  EXPECT_FALSE(history.Undo(err));
  EXPECT_EQ(err, "There is nothing to undo.");
  EXPECT_EQ(history.Get_Undo_Text(), "");

  // A cut of a and c, noted out of order.
  auto cut = std::make_unique<ListEditStep>(EditStep::Kind::kCut, list, messages);
  cut->Note_Removed(2, children[2]->Clone());
  cut->Note_Removed(0, children[0]->Clone());
  list.Delete_ChildSubject(children[0], list.Get_ComponentViews_List(), err);
  list.Delete_ChildSubject(children[2], list.Get_ComponentViews_List(), err);
  EXPECT_EQ(Children(), (Names{"b"}));
  history.Record_Step(std::move(cut));
  EXPECT_EQ(history.Get_Undo_Text(), "Cut");
  ASSERT_TRUE(history.Get_Step(0)->Is_Done());
  ASSERT_TRUE(history.Undo(err)) << err;
  EXPECT_EQ(Children(), (Names{"a+", "b", "c+"}));
  EXPECT_EQ(list.Child_At(0)->Get_Parent_ScalepitchList(err2), &list);
  ComponentSubject* back = list.Child_At(2);
  ASSERT_TRUE(history.Redo(err)) << err;
  EXPECT_EQ(Children(), (Names{"b"}));
  ASSERT_TRUE(history.Undo(err)) << err;
  EXPECT_EQ(list.Child_At(2), back);  // the very objects come and go

  // Recording after an undo drops what was undone: the cut goes.
  auto paste = std::make_unique<ListEditStep>(EditStep::Kind::kPaste, list, messages);
  list.Add_ChildSubject(new LoggingSubject("p", &log), err);
  paste->Note_Added(3);
  history.Record_Step(std::move(paste));
  EXPECT_EQ(history.Get_Count(), 1);
  EXPECT_EQ(history.Get_Undo_Text(), "Paste");
  auto move = std::make_unique<FrameEditStep>(EditStep::Kind::kMove, list);
  list.Child_At(1)->Get_Graphic().Set_Rect(Make_RectLong(0, 0, 9, 9));
  move->Note_Before(1, list.Child_At(1)->Get_Graphic());
  list.Child_At(1)->Get_Graphic().Set_Position(4, -3);
  ASSERT_TRUE(move->Note_After(err)) << err;
  EXPECT_FALSE(move->Changes_Nothing());
  history.Record_Step(std::move(move));
  EXPECT_EQ(history.Get_Undo_Text(), "Move");
  ASSERT_TRUE(history.Undo(err)) << err;
  EXPECT_EQ(list.Child_At(1)->Get_Graphic().Get_Position().x, 0);
  EXPECT_EQ(history.Get_Redo_Text(), "Move");
  ASSERT_TRUE(history.Undo(err)) << err;
  EXPECT_EQ(Children(), (Names{"a+", "b", "c+"}));
  EXPECT_EQ(history.Get_Undo_Text(), "");
  EXPECT_EQ(history.Get_Redo_Text(), "Paste");
  ASSERT_TRUE(history.Redo(err)) << err;
  ASSERT_TRUE(history.Redo(err)) << err;
  EXPECT_EQ(list.Child_At(1)->Get_Graphic().Get_Position().y, -3);
  EXPECT_EQ(Children(), (Names{"a+", "b", "c+", "p"}));

  // A list changed behind the history's back: the step refuses and keeps
  // its state.
  list.Get_Children_List().Delete_All();
  EXPECT_FALSE(history.Undo(err));
  EXPECT_EQ(err, "EditStep failed,  the list no longer holds the object edited.");
  EXPECT_EQ(history.Get_Index(), 2);
  history.Forget_Steps();
  EXPECT_FALSE(history.Can_Undo());
  EXPECT_FALSE(history.Can_Redo());
}

TEST_F(EditorTest, DoneStepsIgnoreRedoAndNudgesMerge) {
  auto first = std::make_unique<FrameEditStep>(EditStep::Kind::kMove, list, true);
  list.Child_At(0)->Get_Graphic().Set_Rect(Make_RectLong(0, 0, 9, 9));
  first->Note_Before(0, list.Child_At(0)->Get_Graphic());
  list.Child_At(0)->Get_Graphic().Set_Position(1, 0);
  ASSERT_TRUE(first->Note_After(err));
  // Recording after the edit: a Redo right away changes nothing.
  ASSERT_TRUE(first->Redo(err));
  EXPECT_EQ(list.Child_At(0)->Get_Graphic().Get_Position().x, 1);

  auto second = std::make_unique<FrameEditStep>(EditStep::Kind::kMove, list, true);
  second->Note_Before(0, list.Child_At(0)->Get_Graphic());
  list.Child_At(0)->Get_Graphic().Set_Position(11, 0);
  ASSERT_TRUE(second->Note_After(err));
  auto resize = std::make_unique<FrameEditStep>(EditStep::Kind::kResize, list, true);
  resize->Note_Before(0, list.Child_At(0)->Get_Graphic());
  EXPECT_TRUE(resize->Changes_Nothing());
  EXPECT_FALSE(first->Merge_With(*resize));  // another kind

  EditHistory history;
  history.Record_Step(std::move(first));
  history.Record_Step(std::move(second));
  ASSERT_EQ(history.Get_Count(), 1);
  ASSERT_TRUE(history.Undo(err)) << err;
  EXPECT_EQ(list.Child_At(0)->Get_Graphic().Get_Position().x, 0);
  ASSERT_TRUE(history.Redo(err)) << err;
  EXPECT_EQ(list.Child_At(0)->Get_Graphic().Get_Position().x, 11);
}
