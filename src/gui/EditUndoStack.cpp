#include "gui/EditUndoStack.h"

#include <QUndoCommand>

#include "platform/Platform.h"
#include "regions/DocumentState.h"

namespace {

class StepCommand : public QUndoCommand {
 public:
  StepCommand(std::unique_ptr<EditStep> step, Platform& platform)
      : QUndoCommand(QString::fromUtf8(step->Get_Text())), m_step(std::move(step)), m_platform(platform) {}

  void undo() override { Run(true); }
  void redo() override { Run(false); }
  int id() const override { return m_step->Get_Merge_Id(); }
  bool mergeWith(const QUndoCommand* other) override {
    const auto* later = dynamic_cast<const StepCommand*>(other);
    return later != nullptr && m_step->Merge_With(*later->m_step);
  }

 private:
  void Run(bool undo) {
    std::string err;
    if (undo ? m_step->Undo(err) : m_step->Redo(err)) return;
    // A step that cannot be taken back or made again is of no more use.
    setObsolete(true);
    m_platform.Message(err);
  }

  std::unique_ptr<EditStep> m_step;
  Platform& m_platform;
};

}  // namespace

EditUndoStack::EditUndoStack(Platform& platform, DocumentState& document, QObject* parent)
    : QObject(parent), m_platform(platform), m_document(document) {
  m_stack.setObjectName("editUndoStack");
  connect(&m_stack, &QUndoStack::indexChanged, this, &EditUndoStack::Index_Changed);
}

EditUndoStack::~EditUndoStack() {
  Forget_Steps();
}

void EditUndoStack::Record_Step(std::unique_ptr<EditStep> step) {
  if (step == nullptr) return;
  m_stack.push(new StepCommand(std::move(step), m_platform));
}

void EditUndoStack::Forget_Steps() {
  // Whatever changed the list outside the stack decides the flag itself.
  m_forgetting = true;
  m_stack.clear();
  m_forgetting = false;
  if (m_document.hasChanges) m_stack.resetClean();
}

void EditUndoStack::Sync_Changes() {
  if (!m_document.hasChanges) {
    m_stack.setClean();
  } else if (m_stack.isClean()) {
    m_stack.resetClean();
  }
}

void EditUndoStack::Index_Changed() {
  if (m_forgetting) return;
  m_document.hasChanges = !m_stack.isClean();
  if (m_changesShown) m_changesShown();
}
