#include "views/Editorj.h"

#include "platform/PlatformServices.h"
#include "views/ComponentSubject.h"
#include "views/ComponentView.h"
#include "views/HandleFrame.h"
#include "views/ListComponentSubject.h"

// ---------------------------------------------------------------------------
// SelectBoard

SelectBoard::SelectBoard() {
  m_selection.Set_Owns_Objects(false);
  m_pasted.Set_Owns_Objects(false);
}

SelectBoard::~SelectBoard() {
  // The views outlive the board: they must not report to it any more.
  while (ComponentView* view = m_selection.Pop()) view->Set_Selection_Board(nullptr);
}

void SelectBoard::Erase_Selection_Frames(DrawSurface* window) {
  for (ListLink<ComponentView>* link = m_selection.Get_Head_Link(); link != nullptr; link = link->Get_Next())
    link->Get_Object()->Erase_HandleFrame(window);
}

void SelectBoard::Deselect_All(DrawSurface* window) {
  while (ComponentView* view = m_selection.Pop()) {
    view->Set_Selection_Board(nullptr);
    view->Delete_HandleFrame(window);
  }
  m_pane = nullptr;
}

void SelectBoard::Add_To_Selection(ComponentView* view, ComponentView* pane) {
  if (view == nullptr || Is_Selected(view)) return;
  if (m_selection.Is_Empty()) m_pane = pane;
  m_selection.Add_To_Tail(view);
  view->Set_Selection_Board(this);
}

void SelectBoard::Remove_From_Selection(ComponentView* view) {
  if (!Is_Selected(view)) return;
  m_selection.Remove_Object(view);
  view->Set_Selection_Board(nullptr);
  if (m_selection.Is_Empty()) m_pane = nullptr;
}

void SelectBoard::Forget_View(ComponentView* view) {
  m_selection.Remove_Object(view);
  if (m_selection.Is_Empty()) m_pane = nullptr;
}

bool SelectBoard::Is_Selected(const ComponentView* view) const {
  for (const ListLink<ComponentView>* link = m_selection.Get_Head_Link(); link != nullptr;
       link = link->Get_Next())
    if (link->Get_Object() == view) return true;
  return false;
}

ComponentSubject* SelectBoard::Find_Selected_Subject(const ComponentView* view) const {
  return Is_Selected(view) ? view->Get_Subject() : nullptr;
}

bool SelectBoard::Update_Selection_Frames(std::string& err) {
  err.clear();
  for (ListLink<ComponentView>* link = m_selection.Get_Head_Link(); link != nullptr;
       link = link->Get_Next()) {
    ComponentView* view = link->Get_Object();
    if (view->Get_HandleFrame() != nullptr && !view->Update_HandleFrame_Coords(view->Get_HandleFrame(), err))
      return false;
  }
  return true;
}

Handlej* SelectBoard::Find_Handle_at_Point(const PointShrt& point, HandleFrame** frame) const {
  if (frame != nullptr) *frame = nullptr;
  for (const ListLink<ComponentView>* link = m_selection.Get_Head_Link(); link != nullptr;
       link = link->Get_Next()) {
    HandleFrame* viewFrame = link->Get_Object()->Get_HandleFrame();
    if (viewFrame == nullptr) return nullptr;
    if (Handlej* handle = viewFrame->Find_Handle_at_Point(point); handle != nullptr) {
      if (frame != nullptr) *frame = viewFrame;
      return handle;
    }
  }
  return nullptr;
}

// ---------------------------------------------------------------------------
// Editorj

Editorj::Editorj(MessageService& messages, ListComponentSubject* destination)
    : m_messages(messages), m_destination(destination) {
  m_tools[0] = std::make_unique<SelectTool>();
  m_tools[1] = std::make_unique<MoverTool>();
  m_tools[2] = std::make_unique<ColorTool>();
  m_tools[3] = std::make_unique<SizeTool>();
  m_currentTool = m_tools[0].get();
}

Editorj::~Editorj() {
  m_board.Deselect_All();
}

bool Editorj::Select_ComponentView(ComponentView* view, const Eventj& event,
                                   std::unique_ptr<Manipulatorj>& manipulator, ComponentView* pane,
                                   std::string& err) {
  err.clear();
  manipulator.reset();
  if (view == nullptr) return false;
  if (m_currentTool != nullptr && m_currentTool->Get_No_Selection_Flag() != 0) return false;
  if (!m_board.Is_Empty() && (pane != m_board.Get_Pane() || m_board.Is_Selected(pane) || view == pane))
    m_board.Deselect_All(event.surface);
  Manipulatorj* made = nullptr;
  if (!view->Create_HandleFrame(event, made, m_messages, err)) return false;
  manipulator.reset(made);
  m_board.Add_To_Selection(view, pane);
  return true;
}

bool Editorj::Select_All(const Eventj& event, ComponentView* pane, std::string& err) {
  err.clear();
  if (!m_board.Is_Empty()) m_board.Deselect_All(event.surface);
  if (pane == nullptr) return true;
  std::unique_ptr<Iterator<ComponentView>> it = pane->Get_Child_ComponentViews_Iterator();
  if (it == nullptr) return true;
  for (it->First(); !it->Is_Done(); it->Next()) {
    ComponentView* child = it->Current_Item();
    Manipulatorj* made = nullptr;
    std::string frameErr;
    if (child->Create_HandleFrame(event, made, m_messages, frameErr)) m_board.Add_To_Selection(child, pane);
  }
  return true;
}

bool Editorj::Select_Multi_in_Segment(const Eventj& event, ComponentView* pane, std::string& err) {
  err.clear();
  if (pane == nullptr) {
    err = "Editorj::Select_Multi_in_Segment failed,  paneCView is NULL.";
    return false;
  }
  int32_t start = 0, end = 0;
  if (!pane->Get_TimeZone_Selection_Values(start, end, err)) return false;
  m_board.Deselect_All(event.surface);
  std::unique_ptr<Iterator<ComponentView>> it = pane->Get_Child_ComponentViews_Iterator();
  if (it == nullptr) return true;
  for (it->First(); !it->Is_Done(); it->Next()) {
    ComponentView* child = it->Current_Item();
    ComponentSubject* subject = child->Get_Subject();
    if (subject == nullptr) {
      err = "Editorj::Select_Multi_in_Segment failed,  childSubject is NULL.";
      return false;
    }
    RectLong r;
    subject->Get_Graphic().Get_Rect(r);
    if (r.left < start || r.right > end) continue;
    Manipulatorj* made = nullptr;
    std::string frameErr;
    if (child->Create_HandleFrame(event, made, m_messages, frameErr)) m_board.Add_To_Selection(child, pane);
  }
  return true;
}

bool Editorj::Bump_Selection_Next(bool forward, const Eventj& event, std::string& err) {
  err.clear();
  if (m_board.Get_Count() != 1) {
    err = "Select a single note.";
    return false;
  }
  ComponentView* pane = m_board.Get_Pane();
  if (pane == nullptr) {
    err = "Bump_Selection_Next failed,  paneCView is NULL ";
    return false;
  }
  ComponentView* current = m_board.Get_First_Selected();
  if (current == nullptr) {
    err = "Bump_Selection_Next failed,  curSelectCView is NULL ";
    return false;
  }
  ComponentView* previous = nullptr;
  ComponentView* next = nullptr;
  bool passed = false;
  if (std::unique_ptr<Iterator<ComponentView>> it = pane->Get_Child_ComponentViews_Iterator();
      it != nullptr) {
    for (it->First(); !it->Is_Done(); it->Next()) {
      ComponentView* child = it->Current_Item();
      if (passed) {
        next = child;
        break;
      }
      if (child == current) {
        passed = true;
        if (!forward) break;
        continue;
      }
      previous = child;
    }
  }
  ComponentView* target = forward ? next : (passed ? previous : nullptr);
  if (target == nullptr) {
    err = "Bump_Selection_Next failed,  could not find next componentView. ";
    return false;
  }
  m_board.Deselect_All(event.surface);
  Manipulatorj* made = nullptr;
  if (!target->Create_HandleFrame(event, made, m_messages, err)) return false;
  m_board.Add_To_Selection(target, pane);
  return true;
}

bool Editorj::Paste_SelectBoard_to_DESTINATIONlist(std::string& err) {
  err.clear();
  ListMemry<ComponentSubject>& board = m_board.Get_Copy_Board();
  if (board.Is_Empty()) {
    err = "Copy from a selection before attempting Paste.";
    return false;
  }
  if (m_destination == nullptr) {
    err = "Editorj::Paste_SelectBoard_to_DESTINATIONlist failed,  destination list is NULL.";
    return false;
  }
  m_board.Get_Pasted().Remove_All();
  for (ListLink<ComponentSubject>* link = board.Get_Head_Link(); link != nullptr; link = link->Get_Next()) {
    std::unique_ptr<ComponentSubject> clone = link->Get_Object()->Clone();
    if (clone == nullptr) {
      err = "Editorj::Paste_SelectBoard_to_DESTINATIONlist failed,  Clone.";
      return false;
    }
    ComponentSubject* raw = clone.get();
    if (!m_destination->Add_ChildSubject(raw, err)) return false;
    clone.release();  // the list has taken it over
    // A list may take a subject over without keeping it; only kept ones
    // count as pasted.
    if (m_destination->Get_Children_List().Get_Last() == raw) m_board.Get_Pasted().Add_To_Tail(raw);
  }
  return true;
}

bool Editorj::Fill_Copy_Board(bool mustClone, std::string& err) {
  if (m_board.Is_Empty()) {
    err = "Make a selection.";
    return false;
  }
  m_board.Get_Copy_Board().Delete_All();
  m_board.Get_Pasted().Remove_All();
  for (ComponentView* view : m_board.Get_Selection()) {
    ComponentSubject* subject = view->Get_Subject();
    std::unique_ptr<ComponentSubject> clone = subject != nullptr ? subject->Clone() : nullptr;
    if (clone != nullptr) {
      m_board.Get_Copy_Board().Add_To_Tail(clone.release());
    } else if (mustClone) {
      err = "Editorj::Copy_Selected_to_SelectBoard  failed,  Clone.";
      return false;
    }
  }
  return true;
}

bool Editorj::Copy_Selected_to_SelectBoard(std::string& err) {
  err.clear();
  return Fill_Copy_Board(true, err);
}

bool Editorj::Delete_Selected_from_DSTlist(std::string& err) {
  err.clear();
  if (m_board.Is_Empty()) {
    err = "Make a selection.";
    return false;
  }
  m_board.Get_Pasted().Remove_All();
  while (ComponentView* view = m_board.Get_First_Selected()) {
    ComponentSubject* subject = view->Get_Subject();
    if (subject == nullptr) {
      err = "Editorj::Delete_Selected_from_DSTlist  failed,  subject is null.";
      return false;
    }
    view->Delete_HandleFrame(nullptr);
    m_board.Remove_From_Selection(view);
    // Destroys the subject and every view of it, this one included.
    if (!subject->Remove_From_Parent_List(m_messages, err)) return false;
  }
  return true;
}

bool Editorj::Cut_Selected_to_SelectBoard(std::string& err) {
  err.clear();
  return Fill_Copy_Board(false, err) && Delete_Selected_from_DSTlist(err);
}

bool Editorj::Change_Tool_New(int16_t code, std::string& err) {
  err.clear();
  for (const std::unique_ptr<Toolj>& tool : m_tools) {
    if (tool->Get_Tool_Kind() == code) {
      m_currentTool = tool.get();
      return true;
    }
  }
  err = "Editorj::Change_Tool_New  failed, could not find tool SUBclass.";
  return false;
}

void Editorj::Set_Command(std::unique_ptr<Commandj> command) {
  m_command = std::move(command);
}

void Editorj::Delete_Command() {
  m_command.reset();
}

bool Editorj::Accept_Command(Commandj& /*command*/) {
  return true;
}

bool Editorj::Undo(std::string& err) {
  err.clear();
  if (m_command == nullptr) {
    err = "First execute a Command before trying Undo.";
    return false;
  }
  if (!m_command->Is_Reversible()) {
    err = "Execute a REVERSIBLE Command before trying Undo.";
    return false;
  }
  if (m_command->Deselect_Before_Undo()) {
    m_board.Erase_Selection_Frames();
    m_board.Deselect_All();
  }
  return m_command->UnExecute(err);
}
