#pragma once
// Manipulators: what follows the mouse between button down and button up.
//
// The current tool makes a manipulator at button down (Toolj::
// Create_Manipulator); the window then hands it every move of the mouse
// while the button is held (Manipulate, only while Is_Active), and the
// release point at button up (Effect), after which the tool turns it into a
// command (Toolj::Interpret_Manipulator).
//
// A drag manipulator moves the selection frame it was started on (its drag
// target) along with the mouse; the selected objects themselves only move
// when the finished drag's command is executed.  The drag kind says what
// the drag does: the handle grasped decides it (the move handle moves, the
// resize handle resizes); 0 leaves it to the tool.  A click manipulator
// only remembers the view and the point clicked.

#include <cstdint>

#include "framework/Rects.h"
#include "views/Eventj.h"

class ComponentView;
class HandleFrame;
class Viewj;

class Manipulatorj {
 public:
  // Drag kinds.
  static constexpr int16_t kDragNone = 0;
  static constexpr int16_t kDragMove = 2;
  static constexpr int16_t kDragSize = 3;

  // Starts at `start`: the start and the current point are both there.
  Manipulatorj(Viewj* window, int16_t modifiers, HandleFrame* dragTarget, const PointShrt& start);
  virtual ~Manipulatorj();
  Manipulatorj(const Manipulatorj&) = delete;
  Manipulatorj& operator=(const Manipulatorj&) = delete;

  virtual void Grasp(const Eventj& event);
  virtual void Manipulate(const Eventj& event);
  virtual void Effect(const Eventj& event);
  virtual bool Is_Active() const;
  // The current point minus the start point; true.
  virtual bool Get_Delta(PointShrt& delta) const;

  Viewj* Get_Window() const { return m_window; }
  int16_t Get_Modifiers() const { return m_modifiers; }
  // The selection frame the drag moves (not owned); null for a click.
  HandleFrame* Get_Drag_Target() const { return m_dragTarget; }
  const PointShrt& Get_Start_Point() const { return m_start; }
  const PointShrt& Get_Current_Point() const { return m_current; }
  int16_t Get_Drag_Kind() const { return m_dragKind; }
  void Set_Drag_Kind(int16_t kind) { m_dragKind = kind; }

 protected:
  void Set_Current_Point(const PointShrt& point) { m_current = point; }

 private:
  Viewj* m_window;  // not owned
  int16_t m_modifiers;
  HandleFrame* m_dragTarget;  // not owned
  PointShrt m_start;
  PointShrt m_current;
  int16_t m_dragKind = kDragNone;
};

class DragManipulator : public Manipulatorj {
 public:
  DragManipulator(Viewj* window, int16_t modifiers, HandleFrame* dragTarget, const PointShrt& start)
      : Manipulatorj(window, modifiers, dragTarget, start) {}

  // Moves the drag target by (event point - current point), drawing it on
  // the event's surface, and makes the event point the current point.
  void Manipulate(const Eventj& event) override;
  // The event point becomes the current point.
  void Effect(const Eventj& event) override;
  bool Is_Active() const override { return true; }
};

class ClickManipulator : public Manipulatorj {
 public:
  ClickManipulator(Viewj* window, int16_t modifiers, ComponentView* clicked, const PointShrt& point)
      : Manipulatorj(window, modifiers, nullptr, point), m_clicked(clicked), m_clickPoint(point) {}

  bool Is_Active() const override { return false; }
  ComponentView* Get_Clicked_View() const { return m_clicked; }
  const PointShrt& Get_Click_Point() const { return m_clickPoint; }

 private:
  ComponentView* m_clicked;  // not owned
  PointShrt m_clickPoint;
};
