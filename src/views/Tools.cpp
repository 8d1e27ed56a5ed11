#include "views/Tools.h"

#include <string>

#include "platform/PlatformServices.h"
#include "views/Commands.h"
#include "views/ComponentView.h"
#include "views/Editorj.h"
#include "views/HandleFrame.h"
#include "views/Manipulators.h"

std::unique_ptr<Manipulatorj> Toolj::Create_Manipulator(Editorj& editor, const Eventj& event,
                                                        ComponentView& container) {
  SelectBoard& board = editor.Get_SelectBoard();
  if (!board.Is_Empty() && board.Find_Handle_at_Point(event.point) != nullptr)
    return board.Get_First_Selected()->Create_Manipulator(event, editor);
  if (event.modifiers != kKeepSelectionModifier) board.Deselect_All(event.surface);

  ComponentView* found = nullptr;
  ComponentView* foundPane = nullptr;
  if (std::unique_ptr<Iterator<ComponentView>> panes = container.Get_Child_ComponentViews_Iterator();
      panes != nullptr) {
    for (panes->First(); !panes->Is_Done() && found == nullptr; panes->Next()) {
      foundPane = panes->Current_Item();
      found = foundPane->Find_ComponentView_at_Point(event);
    }
  }
  if (found != nullptr && !board.Is_Selected(found)) {
    std::unique_ptr<Manipulatorj> manipulator;
    std::string err;
    if (!editor.Select_ComponentView(found, event, manipulator, foundPane, err)) {
      if (!err.empty()) editor.Get_Messages().Message_Box(err);
      return nullptr;
    }
    return manipulator;
  }
  board.Deselect_All(event.surface);
  return nullptr;
}

std::unique_ptr<Commandj> Toolj::Interpret_Manipulator(Editorj& editor, Manipulatorj& manipulator) {
  SelectBoard& board = editor.Get_SelectBoard();
  if (board.Is_Empty()) return nullptr;
  std::unique_ptr<Commandj> command = board.Get_First_Selected()->Interpret_Manipulator(manipulator, editor);
  if (command == nullptr) {
    board.Deselect_All();
    return nullptr;
  }
  command->Set_Source_Window(manipulator.Get_Window());
  command->Set_Destination_List(editor.Get_Destination_List());
  if (command->Is_Reversible() && !editor.Accept_Command(*command)) return nullptr;
  if (command->Needs_Multi_Selection()) {
    Eventj event;
    event.point = manipulator.Get_Current_Point();
    event.view = manipulator.Get_Window();
    event.modifiers = manipulator.Get_Modifiers();
    std::string err;
    if (!editor.Select_Multi_in_Segment(event, board.Get_Pane(), err)) return nullptr;
  }
  command->Prepare_Properties(std::make_unique<ClipBoardj>(board.Get_Pane(), &board.Get_Selection()));
  return command;
}
