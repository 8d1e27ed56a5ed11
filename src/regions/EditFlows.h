#pragma once
// EditFlows: editing the region list from the windows and the Edit menu.
//
// The flows drive the editor (views/Editorj.h) over the region list, in the
// order of calls the program's Edit menu and mouse handling follow, and
// keep everything else in step: the windows' region views and the layered
// picture are brought up to date, the document's changes flag is set by
// every edit, and every edit that can be taken back is recorded as a step
// of the edit history (views/EditSteps.h).
//
// Two ways back.  The editor's own Undo (the Edit menu's "Undo" below)
// takes back the last cut or paste, once, and appends cut regions at the
// end of the list.  The edit history takes back and makes again, step by
// step, every cut, paste, delete, move and resize, putting regions back at
// their places.  The two do not mix: taking a history step back or making
// it again drops the editor's command, and the editor's Undo forgets the
// history.
//
// The mouse, as a window hands it on (the window keeps the mouse captured
// between press and release):
//   Mouse_Down(event, container)  the press; `container` holds the window's
//                                 panes as its child views
//   Mouse_Move(event)             every move while the button is down
//   Mouse_Up(event)               the release: the drag is finished at the
//                                 last point moved to and its command
//                                 (move or resize of the selected regions)
//                                 executed and recorded
// Events carry the window's record and a drawing surface of the window for
// the selection frames (either may be null).
//
// The steps recorded point back at the flows, which must outlive them:
// forget the steps (EditStepSink::Forget_Steps) before the flows go.
//
// Failures are returned in `err` for the caller to show; texts shown by the
// flows themselves (a failed rebuild of the views, the picture) go to the
// platform's message boxes.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "views/EditSteps.h"
#include "views/Eventj.h"

class AppWindows;
class Commandj;
class ComponentSubject;
class ComponentView;
class Editorj;
class LayeredComposer;
class Manipulatorj;
class Platform;
class RegionListSubject;
struct DocumentState;

// The pieces the flows work on.
struct EditContext {
  Platform& platform;
  RegionListSubject& regionList;
  LayeredComposer& composer;
  AppWindows& windows;
  DocumentState& document;
  Editorj& editor;
  EditStepSink& history;
};

class EditFlows : public EditStepListener {
 public:
  // Nudges by the arrow keys, plain and with Shift.
  static constexpr int16_t kNudgeStep = 1;
  static constexpr int16_t kNudgeStepShift = 10;

  explicit EditFlows(const EditContext& context);
  ~EditFlows() override;
  EditFlows(const EditFlows&) = delete;
  EditFlows& operator=(const EditFlows&) = delete;

  // ---- the Edit menu ------------------------------------------------------------------
  // "Make a selection." without a selection, "Only select objects." when the
  // first selected view's subject is not a single object.  The regions go to
  // the copy board and leave the list; the editor keeps the cut for Undo.
  bool Cut(std::string& err);
  // The selected regions' clones replace the copy board.
  bool Copy(std::string& err);
  // "First copy something to the clipboard." with an empty copy board, "Open a window with an object list."
  // without a list pane to paste into.  Clones of the copy board are
  // appended to the list; the editor keeps the paste for Undo.
  bool Paste(ComponentView* pane, std::string& err);
  // The selected regions leave the list ("Make a selection." without a
  // selection).  Recorded in the history only; the editor's Undo does not
  // reach it.
  bool Delete(std::string& err);
  // The editor's Undo of its last cut or paste, with its texts; then the
  // views are made anew and every window redrawn.  The history is forgotten.
  bool Undo(std::string& err);
  // Selects every region view of the pane; frames go to the event's window.
  bool Select_All(ComponentView* pane, const Eventj& event, std::string& err);
  // Moves a single selection to the next or previous region view.
  bool Bump_Selection(bool forward, const Eventj& event, std::string& err);
  // Moves the selected regions by (dx, dy) as a move command; consecutive
  // nudges of the same regions are one step of the history.  "Make a selection."
  // without a selection.
  bool Nudge_Selection(int16_t dx, int16_t dy, std::string& err);

  // ---- the mouse -------------------------------------------------------------------------
  void Mouse_Down(const Eventj& event, ComponentView& container);
  void Mouse_Move(const Eventj& event);
  // True when the release executed a command.
  bool Mouse_Up(const Eventj& event);
  bool Is_Button_Down() const { return m_buttonDown; }
  // The drag in progress, or the last one until the next press; null when
  // the press started none.
  Manipulatorj* Get_Manipulator() const { return m_manipulator.get(); }

  // Executes a move or resize command prepared over the selection: the
  // regions' frames change, their views and selection frames follow, the
  // picture is recomposed, and the change is recorded (unless it changed
  // no frame).  The number of regions the command applied to.
  int32_t Execute_Frame_Command(Commandj& command, bool nudge);

  // ---- the history's listener ----------------------------------------------------------
  void Before_Step(const EditStep& step, bool undo) override;
  void After_Step(const EditStep& step, bool undo, bool succeeded) override;

 private:
  // A removal step (cut or delete) with copies of the selected regions at
  // their places; null when a selected view's subject is not in the list.
  std::unique_ptr<ListEditStep> Note_Selection_Removal(EditStep::Kind kind);
  // After a cut or delete: the changes flag, the history and the windows.
  void After_Removal(std::unique_ptr<ListEditStep> step, bool succeeded, int32_t countBefore);
  void Record(std::unique_ptr<EditStep> step);
  // The views of these subjects take their new frames; the selection's
  // frames follow.
  void Refresh_Frames(const std::vector<ComponentSubject*>& subjects);
  // The picture composed again (when there is one) and the windows redrawn.
  void Recompose_and_Redraw(bool allWindows);
  // Fresh region views in every window.
  void Rebuild_Views();

  EditContext m_context;
  std::unique_ptr<Manipulatorj> m_manipulator;
  bool m_buttonDown = false;
  PointShrt m_pressPoint;
  PointShrt m_lastPoint;
};
