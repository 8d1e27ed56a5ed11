#pragma once
// Editorj: the application's editor of object lists.  It holds the
// selection with a private copy board (SelectBoard), the tools, and the
// last reversible command, and implements selecting, copying, cutting,
// pasting, deleting and the one-step Undo of that command.
//
// The selection is a list of selected views (each has its selection frame
// while selected) and the pane they belong to.  A selected view that is
// destroyed leaves the selection on its own, so the selection never points
// at a view that is gone.  Frames are erased on the window surface given
// (none: they are only marked hidden, and the window's next paint shows the
// change).
//
// The copy board owns clones of what was copied or cut; a paste inserts
// clones of those clones, so one copy can be pasted again and again.  The
// pasted list remembers what the last paste inserted.
//
// The destination list is the list subject objects are cut from and pasted
// into (the region list).  Texts of failures are returned in `err`; the
// editor shows none itself except where an operation says so.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "framework/ListMemry.h"
#include "views/Commands.h"
#include "views/Eventj.h"
#include "views/Manipulators.h"
#include "views/Tools.h"

class ComponentSubject;
class ComponentView;
class DrawSurface;
class HandleFrame;
class Handlej;
class ListComponentSubject;
class MessageService;

class SelectBoard {
 public:
  SelectBoard();
  ~SelectBoard();
  SelectBoard(const SelectBoard&) = delete;
  SelectBoard& operator=(const SelectBoard&) = delete;

  // Erases the frame of every selected view.
  void Erase_Selection_Frames(DrawSurface* window = nullptr);
  // Deletes every selected view's frame, empties the selection and forgets
  // the pane.
  void Deselect_All(DrawSurface* window = nullptr);
  // Appends a view (once) and watches it; the first sets the pane.
  void Add_To_Selection(ComponentView* view, ComponentView* pane);
  // Takes a view out of the selection (its frame stays); an empty selection
  // forgets the pane.
  void Remove_From_Selection(ComponentView* view);

  bool Is_Empty() const { return m_selection.Is_Empty(); }
  int32_t Get_Count() const { return m_selection.Get_Count(); }
  ComponentView* Get_First_Selected() const { return m_selection.Get_First(); }
  bool Is_Selected(const ComponentView* view) const;
  // The subject of `view` when the view is selected, else null.
  ComponentSubject* Find_Selected_Subject(const ComponentView* view) const;
  // Places the handles of every selected view that has a frame anew; the
  // first failure stops with its text.
  bool Update_Selection_Frames(std::string& err);
  // The handle under the point in the frames of the selected views, and the
  // frame it belongs to; null when none is hit or a selected view met first
  // has no frame.
  Handlej* Find_Handle_at_Point(const PointShrt& point, HandleFrame** frame = nullptr) const;

  // The selected views in selection order (not owning).
  ListMemry<ComponentView>& Get_Selection() { return m_selection; }
  // The list view the selection belongs to; null when nothing is selected.
  ComponentView* Get_Pane() const { return m_pane; }
  int32_t Get_Tag() const { return m_tag; }
  void Set_Tag(int32_t tag) { m_tag = tag; }
  // Clones made by copy and cut (owning).
  ListMemry<ComponentSubject>& Get_Copy_Board() { return m_copyBoard; }
  // The subjects the last paste added (not owning).
  ListMemry<ComponentSubject>& Get_Pasted() { return m_pasted; }

  // Called by a selected view that is being destroyed.
  void Forget_View(ComponentView* view);

 private:
  ComponentView* m_pane = nullptr;
  int32_t m_tag = 0;
  ListMemry<ComponentView> m_selection;     // not owning
  ListMemry<ComponentSubject> m_copyBoard;  // owning
  ListMemry<ComponentSubject> m_pasted;     // not owning
};

class Editorj {
 public:
  // `messages` is where the tools show their failures.
  explicit Editorj(MessageService& messages, ListComponentSubject* destination = nullptr);
  virtual ~Editorj();
  Editorj(const Editorj&) = delete;
  Editorj& operator=(const Editorj&) = delete;

  SelectBoard& Get_SelectBoard() { return m_board; }
  MessageService& Get_Messages() { return m_messages; }
  ListComponentSubject* Get_Destination_List() const { return m_destination; }
  void Set_Destination_List(ListComponentSubject* list) { m_destination = list; }

  // ---- selecting ------------------------------------------------------------------
  // Selects `view` of `pane`: false at once when the current tool has its
  // no-selection flag.  An existing selection is dropped first when it
  // belongs to another pane, holds the pane itself, or `view` is the pane.
  // The view's frame is made (Create_HandleFrame, whose manipulator is
  // handed back) and the view appended to the selection.
  virtual bool Select_ComponentView(ComponentView* view, const Eventj& event,
                                    std::unique_ptr<Manipulatorj>& manipulator, ComponentView* pane,
                                    std::string& err);
  // Selects every child view of the pane that takes a frame.  True.
  virtual bool Select_All(const Eventj& event, ComponentView* pane, std::string& err);
  // Selects the child views whose subjects lie within the pane's selection
  // range (Get_TimeZone_Selection_Values); no pane here has one, so this
  // fails with that operation's text.  A child view without subject fails
  // with "Editorj::Select_Multi_in_Segment failed,  childSubject is NULL.".
  virtual bool Select_Multi_in_Segment(const Eventj& event, ComponentView* pane, std::string& err);
  // Moves a single selection to the next (or previous) child view of its
  // pane.  Fails with "Select a single note." unless exactly one view is
  // selected, "Bump_Selection_Next failed,  paneCView is NULL " without a
  // pane and "Bump_Selection_Next failed,  could not find next componentView. "
  // at either end.
  virtual bool Bump_Selection_Next(bool forward, const Eventj& event, std::string& err);

  // ---- the copy board -------------------------------------------------------------
  // Inserts a clone of every copy-board subject into the destination list
  // (Add_ChildSubject) and remembers those the list kept as the pasted
  // list.  Fails with "Copy from a selection before attempting Paste." on an
  // empty board and "Editorj::Paste_SelectBoard_to_DESTINATIONlist failed,  Clone."
  // when a clone cannot be made.
  virtual bool Paste_SelectBoard_to_DESTINATIONlist(std::string& err);
  // Replaces the copy board by clones of the selected subjects.  Fails with
  // "Make a selection." when nothing is selected and
  // "Editorj::Copy_Selected_to_SelectBoard  failed,  Clone." when a clone
  // cannot be made.
  virtual bool Copy_Selected_to_SelectBoard(std::string& err);
  // Deselects every selected view and removes its subject from its list
  // (Remove_From_Parent_List: the subject and all its views are destroyed).
  // Fails with "Make a selection." when nothing is selected and
  // "Editorj::Delete_Selected_from_DSTlist  failed,  subject is null." for a
  // view without subject; a failure stops the walk.
  virtual bool Delete_Selected_from_DSTlist(std::string& err);
  // Copies (passing over subjects that cannot be cloned), then deletes.
  virtual bool Cut_Selected_to_SelectBoard(std::string& err);

  // ---- tools and commands -------------------------------------------------------------
  // The first tool of that kind becomes current; "Editorj::Change_Tool_New  failed, could not find tool
  // SUBclass." when there is none.
  virtual bool Change_Tool_New(int16_t code, std::string& err);
  virtual Toolj* Get_Current_Tool() const { return m_currentTool; }
  int32_t Get_Tool_Count() const { return static_cast<int32_t>(m_tools.size()); }
  // The last reversible command (owned); null when there is none.
  virtual Commandj* Get_Command() const { return m_command.get(); }
  virtual void Set_Command(std::unique_ptr<Commandj> command);
  virtual void Delete_Command();
  // Whether a reversible command a tool made may go ahead; always here.
  virtual bool Accept_Command(Commandj& command);
  // Takes the last reversible command back: "First execute a Command before trying Undo."
  // without one, "Execute a REVERSIBLE Command before trying Undo." when it
  // is not reversible.  A command that asks for it has the selection
  // dropped first.  The result of its UnExecute.
  virtual bool Undo(std::string& err);

  void Set_Selection_Tag(int32_t tag) { m_board.Set_Tag(tag); }
  int32_t Get_Selection_Tag() const { return m_board.Get_Tag(); }
  // A flag the application keeps in the editor; 1.
  int32_t Get_Flag() const { return m_flag; }

 private:
  // Empties the copy board and the pasted list, then puts a clone of every
  // selected subject on the board.  A subject that cannot be cloned fails
  // with the copy's text when `mustClone`, else it is left out.
  bool Fill_Copy_Board(bool mustClone, std::string& err);

  MessageService& m_messages;
  ListComponentSubject* m_destination;  // not owned
  std::unique_ptr<Commandj> m_command;
  int32_t m_flag = 1;
  SelectBoard m_board;
  std::array<std::unique_ptr<Toolj>, 4> m_tools;
  Toolj* m_currentTool = nullptr;
};
