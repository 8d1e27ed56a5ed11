#pragma once
// The edit history: every edit of an object list that can be taken back and
// done again (a move or resize of the selected objects, a cut, a paste, a
// delete) is recorded as an EditStep.
//
// A step is recorded after its edit has been made, so it starts done.
// Undo takes the edit back and Redo makes it again; each does nothing (and
// succeeds) when the step is already in that state, so a history that calls
// Redo on recording (as Qt's QUndoStack::push does) changes nothing.
//
// Objects are found by their place in the list, not by address: after a
// cut is taken back the list holds the very objects it held before, at the
// places they had, so the steps recorded before the cut still find them.
// A step therefore relies on every change of the list going through the
// history; whoever changes the list otherwise (loading a list file, a new
// separation series) forgets the history (EditStepSink::Forget_Steps).  A
// place the list no longer has makes the step fail with
// "EditStep failed,  the list no longer holds the object edited." and change
// nothing.
//
// Taking objects out of the list destroys their views (in every pane)
// first; objects put back have none until the windows make their views
// again, which the listener of the steps sees to.
//
// EditStepListener: told before and after a step is taken back or done
// again, so that the owner can drop the selection first and bring the
// windows, the picture and the document's changes flag up to date after.
//
// EditStepSink: where new steps go.  EditHistory is the engine's own
// history (the command line and the tests use it); a desktop shell may
// record the steps in its own undo stack instead.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/Graphic.h"

class ComponentSubject;
class ListComponentSubject;
class MessageService;

class EditStep;

class EditStepListener {
 public:
  virtual ~EditStepListener() = default;
  // `undo`: the step is being taken back (else done again).
  virtual void Before_Step(const EditStep& step, bool undo) = 0;
  virtual void After_Step(const EditStep& step, bool undo, bool succeeded) = 0;
};

class EditStep {
 public:
  enum class Kind : int32_t { kMove = 1, kResize = 2, kCut = 3, kPaste = 4, kDelete = 5 };

  EditStep(Kind kind, ListComponentSubject& list);
  virtual ~EditStep();
  EditStep(const EditStep&) = delete;
  EditStep& operator=(const EditStep&) = delete;

  Kind Get_Kind() const { return m_kind; }
  // "Move", "Resize", "Cut", "Paste" or "Delete".
  const char* Get_Text() const;
  bool Is_Done() const { return m_done; }
  // Whether taking back or doing again changes the list of objects (and
  // not only their frames).
  bool Changes_List() const { return m_kind != Kind::kMove && m_kind != Kind::kResize; }

  // Take the edit back / make it again; see above.  On failure the step
  // keeps its state and err says why.
  bool Undo(std::string& err);
  bool Redo(std::string& err);

  // Folds a later step into this one when both are nudges of the same
  // objects: this step then goes from its own start to the later step's
  // end.  False (nothing changed) otherwise.
  virtual bool Merge_With(const EditStep& later);
  // The id under which steps merge; -1 for steps that never do.
  virtual int32_t Get_Merge_Id() const { return -1; }

  void Set_Listener(EditStepListener* listener) { m_listener = listener; }

 protected:
  ListComponentSubject& List() const { return m_list; }
  virtual bool Take_Back(std::string& err) = 0;
  virtual bool Do_Again(std::string& err) = 0;

 private:
  Kind m_kind;
  ListComponentSubject& m_list;
  EditStepListener* m_listener = nullptr;
  bool m_done = true;
};

// A move or resize: the frame of each object before and after.
class FrameEditStep : public EditStep {
 public:
  // The merge id of nudges.
  static constexpr int32_t kNudgeMergeId = 1;

  // `nudge`: made by the arrow keys; consecutive nudges of the same objects
  // merge.
  FrameEditStep(Kind kind, ListComponentSubject& list, bool nudge = false);

  // Notes the frame of the object at `index` as it is now, before the edit.
  // Call for every object, then make the edit, then Note_After.
  void Note_Before(int32_t index, const Graphic& frame);
  // Notes every object's frame as the edit left it.  False when a noted
  // place no longer holds an object.
  bool Note_After(std::string& err);
  // True when the edit changed no frame (a step that need not be kept).
  bool Changes_Nothing() const;
  int32_t Get_Object_Count() const { return static_cast<int32_t>(m_frames.size()); }
  const Graphic& Get_Before(int32_t i) const { return m_frames[static_cast<size_t>(i)].before; }
  const Graphic& Get_After(int32_t i) const { return m_frames[static_cast<size_t>(i)].after; }
  int32_t Get_Index(int32_t i) const { return m_frames[static_cast<size_t>(i)].index; }

  bool Merge_With(const EditStep& later) override;
  int32_t Get_Merge_Id() const override { return m_nudge ? kNudgeMergeId : -1; }

 protected:
  bool Take_Back(std::string& err) override;
  bool Do_Again(std::string& err) override;

 private:
  struct Frames {
    int32_t index;
    Graphic before;
    Graphic after;
  };
  bool Apply(bool before, std::string& err);

  std::vector<Frames> m_frames;
  bool m_nudge;
};

// A cut, a delete or a paste: objects that left the list or came into it,
// with their places.  While an object is out of the list the step owns it.
class ListEditStep : public EditStep {
 public:
  // Cut and Delete record objects that left the list, Paste objects that
  // came into it.
  ListEditStep(Kind kind, ListComponentSubject& list, MessageService& messages);
  ~ListEditStep() override;

  // Cut and delete: a copy of the object at `index`, taken before it goes;
  // it takes the object's place when the edit is taken back.  Places are
  // those of the list before the edit, noted in any order.
  void Note_Removed(int32_t index, std::unique_ptr<ComponentSubject> copy);
  // Paste: the place of an object the edit added, in the list after it.
  void Note_Added(int32_t index);
  int32_t Get_Object_Count() const { return static_cast<int32_t>(m_entries.size()); }

 protected:
  bool Take_Back(std::string& err) override;
  bool Do_Again(std::string& err) override;

 private:
  struct Entry {
    int32_t index;
    std::unique_ptr<ComponentSubject> held;  // while out of the list
  };
  // Puts the held objects back at their places / takes the objects at the
  // places out and holds them.
  bool Put_Back(std::string& err);
  bool Take_Out(std::string& err);
  void Sort_Entries();

  MessageService& m_messages;
  std::vector<Entry> m_entries;
};

class EditStepSink {
 public:
  virtual ~EditStepSink() = default;
  // Takes a step that has just been done.
  virtual void Record_Step(std::unique_ptr<EditStep> step) = 0;
  // The list was changed outside the history: no step may be used again.
  virtual void Forget_Steps() = 0;
};

// A linear history: recording drops the steps that were taken back, and a
// nudge merges into a nudge of the same objects just before it.
class EditHistory : public EditStepSink {
 public:
  EditHistory();
  ~EditHistory() override;

  void Record_Step(std::unique_ptr<EditStep> step) override;
  void Forget_Steps() override;

  bool Can_Undo() const { return m_index > 0; }
  bool Can_Redo() const { return m_index < static_cast<int32_t>(m_steps.size()); }
  // The text of the step Undo / Redo would work on; empty when none.
  std::string Get_Undo_Text() const;
  std::string Get_Redo_Text() const;
  // Takes back the latest done step / does the earliest undone step again.
  // Fails with "There is nothing to undo." / "There is nothing to redo."
  // or with the step's text; a failed step stays where it was.
  bool Undo(std::string& err);
  bool Redo(std::string& err);
  // Steps recorded, and how many of them are done.
  int32_t Get_Count() const { return static_cast<int32_t>(m_steps.size()); }
  int32_t Get_Index() const { return m_index; }
  const EditStep* Get_Step(int32_t i) const;

 private:
  std::vector<std::unique_ptr<EditStep>> m_steps;
  int32_t m_index = 0;
};
