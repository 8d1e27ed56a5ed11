#pragma once
// ComponentView: shows one subject in one pane.  It has its own rectangle
// in pane coordinates, its own state variables and, while it is selected, a
// selection frame (HandleFrame) that it owns.
//
// Notification runs in two phases (see Statevar.h): Process_Notification
// only marks state variables pending; Update runs the handlers, size
// changes (id 1, Update_Size) before redraws (id 0, Update_Appearance).
//
// A view is created by its subject's Create_ComponentView, attached with the
// subject's Attach_ComponentView and owned by the list view that holds it
// among its child views.  Destroying a view detaches it from its subject.
//
// Drawing goes through DrawSurface.  Selection frames are drawn on the
// window surface handed in by the caller (null when the window cannot be
// drawn on); pane contents are drawn into a pane's memory surface.
// Operations that report failures in message boxes take the MessageService
// as a parameter, as subjects do.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Graphic.h"
#include "framework/Iterator.h"
#include "framework/ListMemry.h"
#include "framework/Statevar.h"
#include "views/Eventj.h"

class Commandj;
class ComponentSubject;
class DrawSurface;
class Editorj;
class FrameArtist;
class HandleFrame;
class ListComponentView;
class Manipulatorj;
class MessageService;
class Pane;
class SelectBoard;

class ComponentView {
 public:
  ComponentView();
  virtual ~ComponentView();
  ComponentView(const ComponentView&) = delete;
  ComponentView& operator=(const ComponentView&) = delete;

  // The selection range of a view that shows a time span; no view of this
  // system has one: fails with "Undefined dummy function[  ComponentView::Get_TimeZone_Selection_Values ].".
  virtual bool Get_TimeZone_Selection_Values(int32_t& start, int32_t& end, std::string& err);
  // Handler of state variable 0: redraw.
  virtual void Update_Appearance(Pane* pane) = 0;
  // Draws the view onto `surface` (a pane's memory surface); nothing here.
  virtual void Draw_ComponentView(DrawSurface& surface, Pane* pane);
  // Renders the whole pane onto its window; nothing for a plain view.
  virtual void Render_Animation_Frame(DrawSurface* window, MessageService& messages);
  // The artist that chooses the pane's map; null for a plain view.
  virtual FrameArtist* Get_FrameArtist() const;
  // Handler of state variable 1: size or geometry changed; nothing here.
  virtual void Update_Size(Pane* pane);

  // Selects the view: replaces any frame by a new one bound to the event's
  // window, with a move handle at the view's centre and a resize handle at
  // its bottom-right corner, and draws it on the event's surface.  A failure
  // to place the handles is shown in a message box; the frame is made
  // anyway.  `manipulator` is set to null: making a frame starts no drag.
  virtual bool Create_HandleFrame(const Eventj& event, Manipulatorj*& manipulator, MessageService& messages,
                                  std::string& err);
  virtual void Erase_HandleFrame(DrawSurface* window);
  HandleFrame* Get_HandleFrame() const { return m_handleFrame.get(); }
  // Erases and destroys the frame: the view is no longer selected.
  virtual void Delete_HandleFrame(DrawSurface* window);

  ComponentSubject* Get_Subject() const { return m_subject; }
  // Only records the subject; attaching and detaching go through the
  // subject, which keeps its view list in step.
  virtual void Set_Subject(ComponentSubject* subject) { m_subject = subject; }

  // Runs the handlers of the pending state variables: first every pending
  // id 1 (Update_Size), then every pending id 0 (Update_Appearance); each
  // becomes up to date.  A pending variable of another id stops the first
  // pass with "ComponentView::Update() failed,  Unknown Statevar ID."; what
  // was handled before it stays handled.
  virtual bool Update(Pane* pane, std::string& err);
  // Marks the state variables of the notice's id pending (copies the
  // notice's state and sender into them).  Ids outside 0 .. 19 are refused
  // and change nothing.
  virtual bool Process_Notification(const Statevar& notice, std::string& err);

  // The list view that holds this view among its children.  A plain view
  // does not record it.
  virtual void Set_ListParentView(ComponentView* listView);
  virtual ComponentView* Get_ListParentView() const;
  // This view as a list view, or null: the type test of the framework.
  virtual ListComponentView* Get_ListComponentView();

  // Child views; a plain view has none.
  virtual ListMemry<ComponentView>* Get_Child_ComponentViews_List();
  virtual bool Create_Child_ComponentViews(Pane* pane, std::string& err);
  virtual bool Has_Children_In_Subjects_List(std::string& err);
  // New iterators over the child views (the caller owns them); null when
  // there are none.
  virtual std::unique_ptr<Iterator<ComponentView>> Get_Child_ComponentViews_Iterator();
  virtual std::unique_ptr<Iterator<ComponentView>> Get_Child_ComponentViews_ReverseIterator();
  // Deselects every child view and detaches it from its subject; the child
  // views stay in the list.  Their frames are dropped without erasing: the
  // pane is repainted after its children change, which clears them.
  virtual void Detach_All_Child_ComponentViews();
  virtual void Delete_Child_ComponentViews(MessageService& messages);
  // Hands the notice to every child view; failures are shown and the walk goes on.
  virtual void Notify_Child_ComponentViews(const Statevar& notice, MessageService& messages);

  Graphic& Get_Graphic() { return m_graphic; }
  const Graphic& Get_Graphic() const { return m_graphic; }
  void Reset_Graphic() { m_graphic.Reset(); }

  // Mouse work (tools and manipulators, views/Tools.h): the manipulator a
  // press on the selection's handles starts, and the command a finished
  // manipulator gives.  A plain view starts no drag and turns no drag into
  // a command.
  virtual std::unique_ptr<Manipulatorj> Create_Manipulator(const Eventj& event, Editorj& editor);
  virtual std::unique_ptr<Commandj> Interpret_Manipulator(Manipulatorj& manipulator, Editorj& editor);
  // Applies an edit command to the subject; false without a subject.
  virtual bool Change_Subject_Property(Commandj* command, MessageService& messages);

  // The first child view whose rectangle contains the event's point, in
  // child order; else this view when its own rectangle contains it; else null.
  virtual ComponentView* Find_ComponentView_at_Point(const Eventj& event);
  // Places the handles of `frame` on this view's rectangle: handle 0 at the
  // centre, handle 1 at the bottom-right corner.  Any further handle fails
  // with "ComponentView::Update_HandleFrame_Coords()  failed,  unknown handle."
  // (the remaining ones are still visited).  A null frame succeeds.
  virtual bool Update_HandleFrame_Coords(HandleFrame* frame, std::string& err);

  Statevar& Get_Statevar(int32_t id) { return m_statevars[static_cast<size_t>(id)]; }

  // The selection that holds this view, told when the view is destroyed;
  // set and cleared by the selection itself.
  void Set_Selection_Board(SelectBoard* board) { m_selectionBoard = board; }
  SelectBoard* Get_Selection_Board() const { return m_selectionBoard; }

 private:
  ComponentSubject* m_subject = nullptr;    // not owned
  SelectBoard* m_selectionBoard = nullptr;  // not owned
  Graphic m_graphic;
  StatevarTable m_statevars;
  std::unique_ptr<HandleFrame> m_handleFrame;
};
