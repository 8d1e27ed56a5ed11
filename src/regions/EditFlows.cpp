#include "regions/EditFlows.h"

#include <algorithm>

#include "framework/AppWindows.h"
#include "framework/Statevar.h"
#include "framework/WindowCodes.h"
#include "platform/Platform.h"
#include "regions/DocumentState.h"
#include "regions/LayeredComposer.h"
#include "regions/RegionListSubject.h"
#include "views/Commands.h"
#include "views/ComponentSubject.h"
#include "views/ComponentView.h"
#include "views/Editorj.h"
#include "views/Manipulators.h"
#include "views/Pane.h"
#include "views/Tools.h"

EditFlows::EditFlows(const EditContext& context) : m_context(context) {}

EditFlows::~EditFlows() = default;

// ---------------------------------------------------------------------------
// The Edit menu

std::unique_ptr<ListEditStep> EditFlows::Note_Selection_Removal(EditStep::Kind kind) {
  auto step = std::make_unique<ListEditStep>(kind, m_context.regionList, m_context.platform.Messages());
  std::vector<int32_t> noted;
  for (ListLink<ComponentView>* link = m_context.editor.Get_SelectBoard().Get_Selection().Get_Head_Link();
       link != nullptr; link = link->Get_Next()) {
    ComponentSubject* subject = link->Get_Object()->Get_Subject();
    if (subject == nullptr) continue;
    const int32_t index = m_context.regionList.Index_Of_Child(subject);
    if (index < 0) return nullptr;
    // A region selected in two windows goes once.
    if (std::find(noted.begin(), noted.end(), index) != noted.end()) continue;
    std::unique_ptr<ComponentSubject> copy = subject->Clone();
    if (copy == nullptr) return nullptr;
    noted.push_back(index);
    step->Note_Removed(index, std::move(copy));
  }
  return step;
}

void EditFlows::After_Removal(std::unique_ptr<ListEditStep> step, bool succeeded, int32_t countBefore) {
  if (m_context.regionList.Get_Region_Count() == countBefore) return;  // nothing went
  m_context.document.hasChanges = true;
  // A removal that stopped part way, or of regions the step could not
  // note, leaves a list the history does not know.
  if (succeeded && step != nullptr)
    Record(std::move(step));
  else
    m_context.history.Forget_Steps();
  Recompose_and_Redraw(true);
}

void EditFlows::Record(std::unique_ptr<EditStep> step) {
  step->Set_Listener(this);
  m_context.history.Record_Step(std::move(step));
}

bool EditFlows::Cut(std::string& err) {
  err.clear();
  Editorj& editor = m_context.editor;
  SelectBoard& board = editor.Get_SelectBoard();
  if (board.Is_Empty()) {
    err = "Make a selection.";
    return false;
  }
  ComponentSubject* first = board.Get_First_Selected()->Get_Subject();
  if (first == nullptr || !first->Is_Leaf_Subject()) {
    err = "Only select objects.";
    return false;
  }
  auto command = std::make_unique<CutObjListCmnd>();
  command->Set_Destination_List(&m_context.regionList);
  command->Prepare_Properties(std::make_unique<ClipBoardj>(board.Get_Pane(), &board.Get_Selection()));
  Commandj* cut = command.get();
  editor.Set_Command(std::move(command));

  std::unique_ptr<ListEditStep> step = Note_Selection_Removal(EditStep::Kind::kCut);
  const int32_t before = m_context.regionList.Get_Region_Count();
  const bool ok = editor.Cut_Selected_to_SelectBoard(err);
  // The views the command was prepared over are gone with their regions.
  cut->Forget_Targets();
  After_Removal(std::move(step), ok, before);
  return ok;
}

bool EditFlows::Copy(std::string& err) {
  return m_context.editor.Copy_Selected_to_SelectBoard(err);
}

bool EditFlows::Paste(ComponentView* pane, std::string& err) {
  err.clear();
  Editorj& editor = m_context.editor;
  SelectBoard& board = editor.Get_SelectBoard();
  if (board.Get_Copy_Board().Is_Empty()) {
    err = "First copy something to the clipboard.";
    return false;
  }
  if (pane == nullptr || pane->Get_Child_ComponentViews_List() == nullptr) {
    err = "Open a window with an object list.";
    return false;
  }
  board.Deselect_All();
  auto command = std::make_unique<PasteObjListCmnd>(m_context.platform.Messages());
  command->Set_Destination_List(&m_context.regionList);
  const bool ok = editor.Paste_SelectBoard_to_DESTINATIONlist(err);
  command->Prepare_Properties(
      std::make_unique<ClipBoardj>(pane, &board.Get_Selection(), &board.Get_Pasted()));
  editor.Set_Command(std::move(command));

  // What the paste added (all of it, also when it stopped part way).
  auto step = std::make_unique<ListEditStep>(EditStep::Kind::kPaste, m_context.regionList,
                                             m_context.platform.Messages());
  for (ListLink<ComponentSubject>* link = board.Get_Pasted().Get_Head_Link(); link != nullptr;
       link = link->Get_Next())
    step->Note_Added(m_context.regionList.Index_Of_Child(link->Get_Object()));
  if (step->Get_Object_Count() > 0) {
    m_context.document.hasChanges = true;
    Record(std::move(step));
  }
  Rebuild_Views();
  Recompose_and_Redraw(true);
  return ok;
}

bool EditFlows::Delete(std::string& err) {
  err.clear();
  Editorj& editor = m_context.editor;
  if (editor.Get_SelectBoard().Is_Empty()) {
    err = "Make a selection.";
    return false;
  }
  std::unique_ptr<ListEditStep> step = Note_Selection_Removal(EditStep::Kind::kDelete);
  const int32_t before = m_context.regionList.Get_Region_Count();
  const bool ok = editor.Delete_Selected_from_DSTlist(err);
  After_Removal(std::move(step), ok, before);
  return ok;
}

bool EditFlows::Undo(std::string& err) {
  err.clear();
  const Commandj* command = m_context.editor.Get_Command();
  const bool reversible = command != nullptr && command->Is_Reversible();
  const bool ok = m_context.editor.Undo(err);
  if (!reversible) return ok;
  // Whatever was rolled back, also part way, changed the list behind the
  // history's back.
  m_context.history.Forget_Steps();
  m_context.document.hasChanges = true;
  Rebuild_Views();
  Recompose_and_Redraw(true);
  return ok;
}

bool EditFlows::Select_All(ComponentView* pane, const Eventj& event, std::string& err) {
  return m_context.editor.Select_All(event, pane, err);
}

bool EditFlows::Bump_Selection(bool forward, const Eventj& event, std::string& err) {
  return m_context.editor.Bump_Selection_Next(forward, event, err);
}

bool EditFlows::Nudge_Selection(int16_t dx, int16_t dy, std::string& err) {
  err.clear();
  SelectBoard& board = m_context.editor.Get_SelectBoard();
  if (board.Is_Empty()) {
    err = "Make a selection.";
    return false;
  }
  OffsetGlyphCmnd command(dx, dy);
  command.Set_Destination_List(&m_context.regionList);
  command.Prepare_Properties(std::make_unique<ClipBoardj>(board.Get_Pane(), &board.Get_Selection()));
  Execute_Frame_Command(command, true);
  return true;
}

// ---------------------------------------------------------------------------
// Moves and resizes

int32_t EditFlows::Execute_Frame_Command(Commandj& command, bool nudge) {
  const EditStep::Kind kind =
      command.Get_Property_Code() == Commandj::kSizeCode ? EditStep::Kind::kResize : EditStep::Kind::kMove;
  auto step = std::make_unique<FrameEditStep>(kind, m_context.regionList, nudge);
  std::vector<ComponentSubject*> subjects;
  bool allListed = true;
  if (ListMemry<Propertyj>* properties = command.Get_Property_List(); properties != nullptr) {
    for (ListLink<Propertyj>* link = properties->Get_Head_Link(); link != nullptr; link = link->Get_Next()) {
      ComponentView* target = link->Get_Object()->Get_Target();
      ComponentSubject* subject = target != nullptr ? target->Get_Subject() : nullptr;
      if (subject == nullptr || std::find(subjects.begin(), subjects.end(), subject) != subjects.end())
        continue;
      const int32_t index = m_context.regionList.Index_Of_Child(subject);
      if (index < 0) {
        allListed = false;
        continue;
      }
      subjects.push_back(subject);
      step->Note_Before(index, subject->Get_Graphic());
    }
  }
  const int32_t applied = command.Execute(m_context.platform.Messages());
  std::string err;
  const bool noted = step->Note_After(err);
  Refresh_Frames(subjects);
  if (noted && step->Changes_Nothing() && allListed) return applied;
  m_context.document.hasChanges = true;
  if (noted && allListed)
    Record(std::move(step));
  else
    m_context.history.Forget_Steps();
  Recompose_and_Redraw(false);
  return applied;
}

void EditFlows::Refresh_Frames(const std::vector<ComponentSubject*>& subjects) {
  MessageService& messages = m_context.platform.Messages();
  for (ComponentSubject* subject : subjects) {
    subject->Notify_ComponentViews(Statevar::Make_Notice(kStatevarSize, subject), messages);
    subject->Notify_ComponentViews(Statevar::Make_Notice(kStatevarAppearance, subject), messages);
    for (ListLink<ComponentView>* link = subject->Get_ComponentViews_List().Get_Head_Link(); link != nullptr;
         link = link->Get_Next()) {
      ComponentView* view = link->Get_Object();
      std::string err;
      if (!view->Update(dynamic_cast<Pane*>(view->Get_ListParentView()), err)) messages.Message_Box(err);
    }
  }
  std::string err;
  if (!m_context.editor.Get_SelectBoard().Update_Selection_Frames(err)) messages.Message_Box(err);
}

void EditFlows::Recompose_and_Redraw(bool allWindows) {
  if (m_context.composer.Has_Layered_Map()) m_context.composer.Redraw_Summed_Final_Window();
  if (allWindows) {
    m_context.windows.Redraw_All_Viewjs();
  } else {
    m_context.windows.Redraw_Viewjs_of_Code(kWindowRegionObjects);
    m_context.windows.Redraw_Viewjs_of_Code(kWindowCurSelectRegion);
  }
}

void EditFlows::Rebuild_Views() {
  std::string err;
  if (!m_context.windows.ReCreate_Child_ComponentViews_AllViewjs(err)) m_context.platform.Message(err);
}

// ---------------------------------------------------------------------------
// The mouse

void EditFlows::Mouse_Down(const Eventj& event, ComponentView& container) {
  m_manipulator.reset();
  m_buttonDown = true;
  m_pressPoint = event.point;
  m_lastPoint = event.point;
  Toolj* tool = m_context.editor.Get_Current_Tool();
  if (tool == nullptr) return;
  m_manipulator = tool->Create_Manipulator(m_context.editor, event, container);
  if (m_manipulator != nullptr) m_manipulator->Grasp(event);
}

void EditFlows::Mouse_Move(const Eventj& event) {
  if (!m_buttonDown) return;
  const bool moved = event.point.x != m_lastPoint.x || event.point.y != m_lastPoint.y;
  if (moved && m_manipulator != nullptr && m_manipulator->Is_Active()) m_manipulator->Manipulate(event);
  m_lastPoint = event.point;
}

bool EditFlows::Mouse_Up(const Eventj& event) {
  if (!m_buttonDown) return false;
  m_buttonDown = false;
  if (m_manipulator == nullptr) return false;
  // The drag ends where the mouse was last moved to.
  Eventj release = event;
  release.point = m_lastPoint;
  m_manipulator->Effect(release);
  Toolj* tool = m_context.editor.Get_Current_Tool();
  std::unique_ptr<Commandj> command =
      tool != nullptr ? tool->Interpret_Manipulator(m_context.editor, *m_manipulator) : nullptr;
  if (command == nullptr) return false;
  Execute_Frame_Command(*command, false);
  return true;
}

// ---------------------------------------------------------------------------
// The history's listener

void EditFlows::Before_Step(const EditStep& step, bool /*undo*/) {
  Editorj& editor = m_context.editor;
  // The editor's one-step Undo would now work on a list it does not know.
  editor.Delete_Command();
  editor.Get_SelectBoard().Get_Pasted().Remove_All();
  if (step.Changes_List()) editor.Get_SelectBoard().Deselect_All();
}

void EditFlows::After_Step(const EditStep& step, bool /*undo*/, bool succeeded) {
  if (!succeeded) return;
  m_context.document.hasChanges = true;
  if (step.Changes_List()) {
    Rebuild_Views();
    Recompose_and_Redraw(true);
    return;
  }
  std::vector<ComponentSubject*> subjects;
  if (const auto* frames = dynamic_cast<const FrameEditStep*>(&step); frames != nullptr)
    for (int32_t i = 0; i < frames->Get_Object_Count(); ++i)
      if (ComponentSubject* subject = m_context.regionList.Child_At(frames->Get_Index(i)); subject != nullptr)
        subjects.push_back(subject);
  Refresh_Frames(subjects);
  Recompose_and_Redraw(false);
}
