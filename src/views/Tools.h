#pragma once
// Tools: how a mouse gesture in a window becomes an edit.
//
// At button down the editor's current tool turns the event into a
// manipulator (Create_Manipulator), at button up it turns the finished
// manipulator into a command (Interpret_Manipulator).  The selected view
// decides both: it starts a drag when the press hits the selection's
// handles, and knows which command a drag of its handles gives.  Presses
// elsewhere select or deselect.
//
// The editor owns one tool of each kind; the select tool is current from
// the start.  Tools keep no state of their own.

#include <cstdint>
#include <memory>

#include "views/Eventj.h"

class Commandj;
class ComponentView;
class Editorj;
class Manipulatorj;

class Toolj {
 public:
  // Tool kinds (the codes Editorj::Change_Tool_New takes).
  static constexpr int16_t kSelectTool = 1;
  static constexpr int16_t kMoverTool = 2;
  static constexpr int16_t kColorTool = 3;
  static constexpr int16_t kSizeTool = 4;
  // The modifier code that keeps the selection while another view is
  // clicked: Ctrl alone.
  static constexpr int16_t kKeepSelectionModifier = 8;

  Toolj() = default;
  virtual ~Toolj() = default;
  Toolj(const Toolj&) = delete;
  Toolj& operator=(const Toolj&) = delete;

  // Button down at the event's point in a window whose panes are the child
  // views of `container`:
  //  1. when the point hits a handle of the selection, the first selected
  //     view makes the manipulator, which is returned (null when it makes
  //     none);
  //  2. otherwise, unless the modifier code is 8 (Ctrl alone), the
  //     selection is cleared;
  //  3. the panes are asked in order for the view at the point; a view not
  //     yet selected is selected with the event (the editor's refusal is
  //     shown in a message box when it has a text) and nothing is returned;
  //  4. when no view is found, or it is already selected, the selection is
  //     cleared.
  virtual std::unique_ptr<Manipulatorj> Create_Manipulator(Editorj& editor, const Eventj& event,
                                                           ComponentView& container);
  // Button up: the first selected view turns the manipulator into a command
  // (none: the selection is cleared).  The command is bound to the
  // manipulator's window and prepared over the current selection (a command
  // that needs a multi-selection only once the editor's
  // Select_Multi_in_Segment has made one).  Null with an empty selection.
  // The caller executes the command.
  virtual std::unique_ptr<Commandj> Interpret_Manipulator(Editorj& editor, Manipulatorj& manipulator);

  virtual int16_t Get_Tool_Kind() const = 0;
  // 0 select, 1 mover, 2 colour, 3 size.
  virtual int16_t Get_Drag_Kind() const = 0;
  // Events of a tool with this flag do not select; no tool here has it.
  virtual int32_t Get_No_Selection_Flag() const { return 0; }
};

class SelectTool : public Toolj {
 public:
  int16_t Get_Tool_Kind() const override { return kSelectTool; }
  int16_t Get_Drag_Kind() const override { return 0; }
};

class MoverTool : public Toolj {
 public:
  int16_t Get_Tool_Kind() const override { return kMoverTool; }
  int16_t Get_Drag_Kind() const override { return 1; }
};

class ColorTool : public Toolj {
 public:
  int16_t Get_Tool_Kind() const override { return kColorTool; }
  int16_t Get_Drag_Kind() const override { return 2; }
};

class SizeTool : public Toolj {
 public:
  int16_t Get_Tool_Kind() const override { return kSizeTool; }
  int16_t Get_Drag_Kind() const override { return 3; }
};
