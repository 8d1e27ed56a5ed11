#include "views/Manipulators.h"

#include "views/HandleFrame.h"

Manipulatorj::Manipulatorj(Viewj* window, int16_t modifiers, HandleFrame* dragTarget, const PointShrt& start)
    : m_window(window), m_modifiers(modifiers), m_dragTarget(dragTarget), m_start(start), m_current(start) {}

Manipulatorj::~Manipulatorj() = default;

void Manipulatorj::Grasp(const Eventj& /*event*/) {}

void Manipulatorj::Manipulate(const Eventj& /*event*/) {}

void Manipulatorj::Effect(const Eventj& /*event*/) {}

bool Manipulatorj::Is_Active() const {
  return false;
}

bool Manipulatorj::Get_Delta(PointShrt& delta) const {
  delta.x = static_cast<int16_t>(m_current.x - m_start.x);
  delta.y = static_cast<int16_t>(m_current.y - m_start.y);
  return true;
}

void DragManipulator::Manipulate(const Eventj& event) {
  if (HandleFrame* target = Get_Drag_Target(); target != nullptr)
    target->Move_Frame(static_cast<int16_t>(event.point.x - Get_Current_Point().x),
                       static_cast<int16_t>(event.point.y - Get_Current_Point().y), event.surface);
  Set_Current_Point(event.point);
}

void DragManipulator::Effect(const Eventj& event) {
  Set_Current_Point(event.point);
}
