#pragma once
// EditUndoStack: the desktop program's undo stack over the engine's edit
// steps (views/EditSteps.h).  Every step the edit flows record is pushed as
// a QUndoCommand that wraps it, so the Edit menu's Undo and Redo items, with
// their texts ("Undo Move"), come from QUndoStack.
//
// A step is recorded after its edit was made; the push's redo() asks the
// step to make itself again, which for a step already done changes nothing.
// Steps of one merge id fold into each other (a run of nudges of the same
// regions is one entry).  A step that fails to go back or forth shows its
// text and leaves the stack.
//
// Unsaved work.  The stack's clean state stands for the document's changes
// flag: an edit or its undo sets the flag unless the stack is back where the
// list was last saved or loaded.  Sync_Changes, called after each menu
// command, reconciles the two when a command outside the stack changed the
// flag (a save clears it: that place becomes clean; separations set it: no
// place of the stack is clean any more).

#include <QObject>
#include <QUndoStack>
#include <functional>
#include <memory>

#include "views/EditSteps.h"

struct DocumentState;
class Platform;

class EditUndoStack : public QObject, public EditStepSink {
  Q_OBJECT

 public:
  EditUndoStack(Platform& platform, DocumentState& document, QObject* parent = nullptr);
  ~EditUndoStack() override;

  QUndoStack& Stack() { return m_stack; }
  // Told after every change of the changes flag made here.
  std::function<void()> m_changesShown;

  // ---- EditStepSink --------------------------------------------------------------------
  void Record_Step(std::unique_ptr<EditStep> step) override;
  void Forget_Steps() override;

  // Brings the clean state in line with the changes flag; see above.
  void Sync_Changes();

 private:
  void Index_Changed();

  Platform& m_platform;
  DocumentState& m_document;
  QUndoStack m_stack;
  bool m_forgetting = false;
};
