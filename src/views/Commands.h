#pragma once
// Edit commands, their properties and the clipboard they are prepared on.
//
// A command is built from the current selection: Prepare_Properties takes a
// clipboard over the selection (and, for a paste, over the subjects just
// pasted) and records one property per object the command affects.  A
// property holds what is needed to apply the change to its object and, for
// the reversible commands (cut and paste), what is needed to take it back.
// A subject recognises a command by its property code and applies it in
// Change_My_Property.
//
// Ownership: a command owns its clipboard, the clipboard owns its
// properties, and a cut property owns the clone of the object it cut until
// Undo gives the clone back to the list.  Target views and pasted subjects
// are only pointed at: they belong to their panes and lists.
//
// The codes:
//   2  OffsetGlyphCmnd              move by the offset
//   4  SizeCmnd                     grow by the offset
//   6  OffsetRFrameLeftHandleCmnd   frame handles of a pane (no subject here
//   7  OffsetRFrameRightHandleCmnd  accepts them)
//  11  CutObjListCmnd               reversible: the cut objects come back
//  12  PasteObjListCmnd             reversible: the pasted objects go again
//  13  MultiSelectCmnd              needs a multi-selection; no properties

#include <cstdint>
#include <memory>
#include <string>

#include "framework/ListMemry.h"
#include "framework/Rects.h"

class ComponentSubject;
class ComponentView;
class ListComponentSubject;
class MessageService;
class Viewj;

// ---------------------------------------------------------------------------
// Properties

class Propertyj {
 public:
  explicit Propertyj(ComponentView* target = nullptr, ListComponentSubject* parent = nullptr)
      : m_target(target), m_parent(parent) {}
  virtual ~Propertyj() = default;
  Propertyj(const Propertyj&) = delete;
  Propertyj& operator=(const Propertyj&) = delete;

  // Takes the change back.  Only the list properties can:
  // "Propertyj::RollBack_Value failed, not defined for subclass." here.
  virtual bool RollBack_Value(std::string& err);

  // The view whose subject the change applies to (not owned; null once the
  // view is gone).
  ComponentView* Get_Target() const { return m_target; }
  void Set_Target(ComponentView* target) { m_target = target; }
  int32_t Get_Amount() const { return m_amount; }
  int32_t Get_Second_Amount() const { return m_secondAmount; }
  void Set_Amounts(int32_t amount, int32_t secondAmount) {
    m_amount = amount;
    m_secondAmount = secondAmount;
  }
  // The list the object belongs to (not owned).
  ListComponentSubject* Get_Parent() const { return m_parent; }

 private:
  ComponentView* m_target;
  int32_t m_amount = 0;
  int32_t m_secondAmount = 0;
  ListComponentSubject* m_parent;
};

class OffsetProperty : public Propertyj {
 public:
  // Sides of the frame-handle commands.
  static constexpr int16_t kLeftSide = 0;
  static constexpr int16_t kRightSide = 1;

  explicit OffsetProperty(ComponentView* target, int16_t side = kLeftSide)
      : Propertyj(target), m_side(side) {}
  int16_t Get_Side() const { return m_side; }

 private:
  int16_t m_reserved = -1;  // kept in the record, read by nobody
  int16_t m_side;
};

class SizeProperty : public Propertyj {
 public:
  SizeProperty(ComponentView* target, const PointShrt& sizeDelta)
      : Propertyj(target), m_sizeDelta(sizeDelta) {}
  const PointShrt& Get_Size_Delta() const { return m_sizeDelta; }

 private:
  PointShrt m_sizeDelta;
};

// One object a cut took out of its list: the property owns a clone of it
// until RollBack_Value gives the clone back to the list.
class CutObjListProperty : public Propertyj {
 public:
  CutObjListProperty(ComponentView* target, ListComponentSubject* parent,
                     std::unique_ptr<ComponentSubject> clone);
  ~CutObjListProperty() override;

  // Appends the clone to the list with its Add_ChildSubject; the list owns
  // it from then on.  Fails with "CutObjListProperty::RollBack_Value  failed,  parentListSubject is null."
  // without a list and "CutObjListProperty::RollBack_Value  failed,  cutScalePitch is null."
  // without a clone, which is also what a second roll-back meets.
  bool RollBack_Value(std::string& err) override;
  const ComponentSubject* Get_Clone() const { return m_clone.get(); }

 private:
  std::unique_ptr<ComponentSubject> m_clone;
};

// One object a paste put into its list.
class PasteObjListProperty : public Propertyj {
 public:
  PasteObjListProperty(ListComponentSubject* parent, ComponentSubject* pasted, MessageService& messages)
      : Propertyj(nullptr, parent), m_pasted(pasted), m_messages(messages) {}

  // Deletes the pasted object with the list's Delete_ChildSubject (its views
  // in every list view of the list, then the object).  When no list view
  // shows the list, Delete_ChildSubject leaves the object in place; it is
  // then taken out through Remove_From_Parent_List.  An object the list no
  // longer holds is not touched.  The property forgets the object, so a
  // second roll-back fails.  Fails with "PasteObjListProperty::RollBack_Value  failed,  parentListSubject is
  // null." without a list and "PasteObjListProperty::RollBack_Value  failed,  cutScalePitch is null." without
  // an object.
  bool RollBack_Value(std::string& err) override;
  ComponentSubject* Get_Pasted() const { return m_pasted; }

 private:
  ComponentSubject* m_pasted;  // owned by the list
  MessageService& m_messages;
};

// ---------------------------------------------------------------------------
// Clipboard

class ClipBoardj {
 public:
  // `selection` is the editor's selection, `pasteList` the subjects of the
  // last paste (both not owned; either may be null).
  ClipBoardj(ComponentView* pane, ListMemry<ComponentView>* selection,
             ListMemry<ComponentSubject>* pasteList = nullptr);
  virtual ~ClipBoardj();
  ClipBoardj(const ClipBoardj&) = delete;
  ClipBoardj& operator=(const ClipBoardj&) = delete;

  ComponentView* Get_Pane() const { return m_pane; }
  virtual ListMemry<ComponentView>* Get_Selection_List() const { return m_selection; }
  virtual ListMemry<ComponentSubject>* Get_Paste_List() const { return m_pasteList; }
  // Owning.
  virtual ListMemry<Propertyj>& Get_Property_List() { return m_properties; }

 private:
  ComponentView* m_pane;
  ListMemry<Propertyj> m_properties;
  ListMemry<ComponentView>* m_selection;
  ListMemry<ComponentSubject>* m_pasteList;
};

// ---------------------------------------------------------------------------
// Commands

class Commandj {
 public:
  // Property codes of the commands.
  static constexpr int16_t kOffsetCode = 2;
  static constexpr int16_t kSizeCode = 4;
  static constexpr int16_t kLeftHandleCode = 6;
  static constexpr int16_t kRightHandleCode = 7;
  static constexpr int16_t kCutCode = 11;
  static constexpr int16_t kPasteCode = 12;
  static constexpr int16_t kMultiSelectCode = 13;

  Commandj();
  virtual ~Commandj();
  Commandj(const Commandj&) = delete;
  Commandj& operator=(const Commandj&) = delete;

  // Applies the command to the subject of every property's target view
  // (Change_Subject_Property; a subject's refusal is shown in a message
  // box).  Properties without a target are passed over.  The number of
  // properties.
  virtual int32_t Execute(MessageService& messages);
  // Rolls back every property in order.  Fails with "UnExecute can only work on Reversible commands."
  // for a command that is not reversible and "Commandj::UnExecute failed,   Property List is empty."
  // without properties; the first failing property stops the roll-back
  // with its text (those before it stay rolled back).
  virtual bool UnExecute(std::string& err);
  virtual bool Is_Reversible() const = 0;
  virtual bool Changes_List() const { return false; }
  virtual bool Is_Graphic_Edit() const = 0;
  virtual bool Deselect_Before_Undo() const { return false; }
  // The code a subject recognises the command by.
  virtual int16_t Get_Property_Code() const = 0;
  // Takes the clipboard over and fills its property list afresh.
  virtual void Prepare_Properties(std::unique_ptr<ClipBoardj> clipboard) = 0;
  virtual bool Needs_Multi_Selection() const { return false; }

  // The clipboard's property list; null before Prepare_Properties.
  ListMemry<Propertyj>* Get_Property_List() const;
  // The first property's target view; null without properties.
  ComponentView* Get_First_Target() const;
  ClipBoardj* Get_ClipBoard() const { return m_clipboard.get(); }
  // Every property loses its target view: called once the views are gone
  // (a cut destroys the views it was prepared over).
  void Forget_Targets();

  // The list subject the objects are cut from and pasted to (not owned).
  ListComponentSubject* Get_Destination_List() const { return m_destination; }
  void Set_Destination_List(ListComponentSubject* list) { m_destination = list; }
  // The window the gesture happened in (not owned; null for menu commands).
  Viewj* Get_Source_Window() const { return m_sourceWindow; }
  void Set_Source_Window(Viewj* window) { m_sourceWindow = window; }

  // The move or size delta of the gesture.
  const PointShrt& Get_Offset() const { return m_offset; }
  void Set_Offset(int16_t dx, int16_t dy) {
    m_offset.x = dx;
    m_offset.y = dy;
  }

 protected:
  // Keeps the clipboard and empties its property list; the list to fill.
  ListMemry<Propertyj>& Take_ClipBoard(std::unique_ptr<ClipBoardj> clipboard);

 private:
  std::unique_ptr<ClipBoardj> m_clipboard;
  Viewj* m_sourceWindow = nullptr;
  ListComponentSubject* m_destination = nullptr;
  PointShrt m_offset;
};

// Moves every selected subject by the offset.
class OffsetGlyphCmnd : public Commandj {
 public:
  explicit OffsetGlyphCmnd(int16_t dx = 0, int16_t dy = 0) { Set_Offset(dx, dy); }
  bool Is_Reversible() const override { return false; }
  bool Is_Graphic_Edit() const override { return true; }
  int16_t Get_Property_Code() const override { return kOffsetCode; }
  // One OffsetProperty per selected view that has a subject.
  void Prepare_Properties(std::unique_ptr<ClipBoardj> clipboard) override;
};

// Changes every selected subject's width and height by the offset.
class SizeCmnd : public Commandj {
 public:
  explicit SizeCmnd(int16_t dw = 0, int16_t dh = 0) { Set_Offset(dw, dh); }
  bool Is_Reversible() const override { return false; }
  bool Is_Graphic_Edit() const override { return true; }
  int16_t Get_Property_Code() const override { return kSizeCode; }
  // One SizeProperty, carrying the offset, per selected view that has a subject.
  void Prepare_Properties(std::unique_ptr<ClipBoardj> clipboard) override;
};

// Moves a frame handle of a pane: one OffsetProperty per selected pane whose
// pane kind is not 0, both amounts set to that kind.
class OffsetRFrameLeftHandleCmnd : public Commandj {
 public:
  bool Is_Reversible() const override { return false; }
  bool Is_Graphic_Edit() const override { return true; }
  int16_t Get_Property_Code() const override { return kLeftHandleCode; }
  void Prepare_Properties(std::unique_ptr<ClipBoardj> clipboard) override;

 protected:
  virtual int16_t Side() const { return OffsetProperty::kLeftSide; }
};

class OffsetRFrameRightHandleCmnd : public OffsetRFrameLeftHandleCmnd {
 public:
  int16_t Get_Property_Code() const override { return kRightHandleCode; }

 protected:
  int16_t Side() const override { return OffsetProperty::kRightSide; }
};

// Cuts the selected objects: one CutObjListProperty per selected view, with
// a clone of its subject (a view without subject, or whose subject cannot
// be cloned, gets none).  Undo gives the clones back to the destination
// list, appended in selection order.
class CutObjListCmnd : public Commandj {
 public:
  bool Is_Reversible() const override { return true; }
  bool Changes_List() const override { return true; }
  bool Is_Graphic_Edit() const override { return false; }
  int16_t Get_Property_Code() const override { return kCutCode; }
  void Prepare_Properties(std::unique_ptr<ClipBoardj> clipboard) override;
};

// Pastes: one PasteObjListProperty per subject of the clipboard's paste
// list, when there is one and the clipboard's pane is a list view.  Undo
// deletes them again.
class PasteObjListCmnd : public Commandj {
 public:
  explicit PasteObjListCmnd(MessageService& messages) : m_messages(messages) {}
  bool Is_Reversible() const override { return true; }
  bool Changes_List() const override { return true; }
  bool Is_Graphic_Edit() const override { return false; }
  bool Deselect_Before_Undo() const override { return true; }
  int16_t Get_Property_Code() const override { return kPasteCode; }
  void Prepare_Properties(std::unique_ptr<ClipBoardj> clipboard) override;

 private:
  MessageService& m_messages;
};

class MultiSelectCmnd : public Commandj {
 public:
  bool Is_Reversible() const override { return false; }
  bool Is_Graphic_Edit() const override { return true; }
  int16_t Get_Property_Code() const override { return kMultiSelectCode; }
  bool Needs_Multi_Selection() const override { return true; }
  // No properties.
  void Prepare_Properties(std::unique_ptr<ClipBoardj> clipboard) override;
};
