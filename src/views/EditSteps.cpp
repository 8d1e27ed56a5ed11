#include "views/EditSteps.h"

#include <algorithm>

#include "views/ComponentSubject.h"
#include "views/ListComponentSubject.h"

namespace {

constexpr const char* kObjectGone = "EditStep failed,  the list no longer holds the object edited.";

bool Same_Frame(const Graphic& a, const Graphic& b) {
  return a.Get_Position().x == b.Get_Position().x && a.Get_Position().y == b.Get_Position().y &&
         a.Get_Width() == b.Get_Width() && a.Get_Height() == b.Get_Height();
}

void Copy_Frame(const Graphic& from, Graphic& to) {
  to.Set_Position(from.Get_Position().x, from.Get_Position().y);
  to.Set_Size(from.Get_Width(), from.Get_Height());
}

}  // namespace

// ---------------------------------------------------------------------------
// EditStep

EditStep::EditStep(Kind kind, ListComponentSubject& list) : m_kind(kind), m_list(list) {}

EditStep::~EditStep() = default;

const char* EditStep::Get_Text() const {
  switch (m_kind) {
    case Kind::kMove:
      return "Move";
    case Kind::kResize:
      return "Resize";
    case Kind::kCut:
      return "Cut";
    case Kind::kPaste:
      return "Paste";
    case Kind::kDelete:
      return "Delete";
  }
  return "";
}

bool EditStep::Undo(std::string& err) {
  err.clear();
  if (!m_done) return true;
  if (m_listener != nullptr) m_listener->Before_Step(*this, true);
  const bool ok = Take_Back(err);
  if (ok) m_done = false;
  if (m_listener != nullptr) m_listener->After_Step(*this, true, ok);
  return ok;
}

bool EditStep::Redo(std::string& err) {
  err.clear();
  if (m_done) return true;
  if (m_listener != nullptr) m_listener->Before_Step(*this, false);
  const bool ok = Do_Again(err);
  if (ok) m_done = true;
  if (m_listener != nullptr) m_listener->After_Step(*this, false, ok);
  return ok;
}

bool EditStep::Merge_With(const EditStep& /*later*/) {
  return false;
}

// ---------------------------------------------------------------------------
// FrameEditStep

FrameEditStep::FrameEditStep(Kind kind, ListComponentSubject& list, bool nudge)
    : EditStep(kind, list), m_nudge(nudge) {}

void FrameEditStep::Note_Before(int32_t index, const Graphic& frame) {
  Frames entry{index, Graphic(), Graphic()};
  Copy_Frame(frame, entry.before);
  Copy_Frame(frame, entry.after);
  m_frames.push_back(std::move(entry));
}

bool FrameEditStep::Note_After(std::string& err) {
  err.clear();
  for (Frames& entry : m_frames) {
    ComponentSubject* subject = List().Child_At(entry.index);
    if (subject == nullptr) {
      err = kObjectGone;
      return false;
    }
    Copy_Frame(subject->Get_Graphic(), entry.after);
  }
  return true;
}

bool FrameEditStep::Changes_Nothing() const {
  return std::all_of(m_frames.begin(), m_frames.end(),
                     [](const Frames& entry) { return Same_Frame(entry.before, entry.after); });
}

bool FrameEditStep::Merge_With(const EditStep& later) {
  const auto* other = dynamic_cast<const FrameEditStep*>(&later);
  if (other == nullptr || !m_nudge || !other->m_nudge || other->Get_Kind() != Get_Kind() ||
      &other->List() != &List() || other->m_frames.size() != m_frames.size() || !Is_Done() ||
      !other->Is_Done())
    return false;
  for (size_t i = 0; i < m_frames.size(); ++i)
    if (m_frames[i].index != other->m_frames[i].index ||
        !Same_Frame(m_frames[i].after, other->m_frames[i].before))
      return false;
  for (size_t i = 0; i < m_frames.size(); ++i) Copy_Frame(other->m_frames[i].after, m_frames[i].after);
  return true;
}

bool FrameEditStep::Apply(bool before, std::string& err) {
  // Every place is checked before any frame changes.
  for (const Frames& entry : m_frames) {
    if (List().Child_At(entry.index) == nullptr) {
      err = kObjectGone;
      return false;
    }
  }
  for (const Frames& entry : m_frames)
    Copy_Frame(before ? entry.before : entry.after, List().Child_At(entry.index)->Get_Graphic());
  return true;
}

bool FrameEditStep::Take_Back(std::string& err) {
  return Apply(true, err);
}

bool FrameEditStep::Do_Again(std::string& err) {
  return Apply(false, err);
}

// ---------------------------------------------------------------------------
// ListEditStep

ListEditStep::ListEditStep(Kind kind, ListComponentSubject& list, MessageService& messages)
    : EditStep(kind, list), m_messages(messages) {}

ListEditStep::~ListEditStep() = default;

void ListEditStep::Note_Removed(int32_t index, std::unique_ptr<ComponentSubject> copy) {
  m_entries.push_back(Entry{index, std::move(copy)});
  Sort_Entries();
}

void ListEditStep::Note_Added(int32_t index) {
  m_entries.push_back(Entry{index, nullptr});
  Sort_Entries();
}

void ListEditStep::Sort_Entries() {
  std::stable_sort(m_entries.begin(), m_entries.end(),
                   [](const Entry& a, const Entry& b) { return a.index < b.index; });
}

bool ListEditStep::Take_Back(std::string& err) {
  return Get_Kind() == Kind::kPaste ? Take_Out(err) : Put_Back(err);
}

bool ListEditStep::Do_Again(std::string& err) {
  return Get_Kind() == Kind::kPaste ? Put_Back(err) : Take_Out(err);
}

bool ListEditStep::Put_Back(std::string& err) {
  // Checked first: a refused insertion must not lose the held objects.
  const int32_t finalCount = List().Get_Children_List().Get_Count() + static_cast<int32_t>(m_entries.size());
  int32_t previous = -1;
  for (const Entry& entry : m_entries) {
    if (entry.held == nullptr || entry.index <= previous || entry.index >= finalCount) {
      err = kObjectGone;
      return false;
    }
    previous = entry.index;
  }
  std::vector<std::pair<int32_t, std::unique_ptr<ComponentSubject>>> children;
  children.reserve(m_entries.size());
  for (Entry& entry : m_entries) children.emplace_back(entry.index, std::move(entry.held));
  return List().Insert_Children_At(std::move(children));
}

bool ListEditStep::Take_Out(std::string& err) {
  std::vector<int32_t> indexes;
  for (const Entry& entry : m_entries) {
    if (List().Child_At(entry.index) == nullptr) {
      err = kObjectGone;
      return false;
    }
    indexes.push_back(entry.index);
  }
  for (int32_t index : indexes)
    List().Child_At(index)->Delete_All_ComponentViews_ThisPane(nullptr, m_messages);
  std::vector<std::unique_ptr<ComponentSubject>> taken = List().Take_Children_At(indexes);
  if (taken.size() != m_entries.size()) {
    err = kObjectGone;
    return false;
  }
  for (size_t i = 0; i < taken.size(); ++i) m_entries[i].held = std::move(taken[i]);
  return true;
}

// ---------------------------------------------------------------------------
// EditHistory

EditHistory::EditHistory() = default;

EditHistory::~EditHistory() = default;

void EditHistory::Record_Step(std::unique_ptr<EditStep> step) {
  if (step == nullptr) return;
  m_steps.resize(static_cast<size_t>(m_index));
  if (!m_steps.empty() && step->Get_Merge_Id() >= 0 &&
      m_steps.back()->Get_Merge_Id() == step->Get_Merge_Id() && m_steps.back()->Merge_With(*step))
    return;
  m_steps.push_back(std::move(step));
  m_index = static_cast<int32_t>(m_steps.size());
}

void EditHistory::Forget_Steps() {
  m_steps.clear();
  m_index = 0;
}

std::string EditHistory::Get_Undo_Text() const {
  return Can_Undo() ? m_steps[static_cast<size_t>(m_index - 1)]->Get_Text() : std::string();
}

std::string EditHistory::Get_Redo_Text() const {
  return Can_Redo() ? m_steps[static_cast<size_t>(m_index)]->Get_Text() : std::string();
}

bool EditHistory::Undo(std::string& err) {
  err.clear();
  if (!Can_Undo()) {
    err = "There is nothing to undo.";
    return false;
  }
  if (!m_steps[static_cast<size_t>(m_index - 1)]->Undo(err)) return false;
  --m_index;
  return true;
}

bool EditHistory::Redo(std::string& err) {
  err.clear();
  if (!Can_Redo()) {
    err = "There is nothing to redo.";
    return false;
  }
  if (!m_steps[static_cast<size_t>(m_index)]->Redo(err)) return false;
  ++m_index;
  return true;
}

const EditStep* EditHistory::Get_Step(int32_t i) const {
  if (i < 0 || i >= Get_Count()) return nullptr;
  return m_steps[static_cast<size_t>(i)].get();
}
