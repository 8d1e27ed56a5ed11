#pragma once
// Subjects and views for the framework tests.  They write what happens to
// them (handlers run, drawing, destruction) into a shared log, so tests can
// check order and ownership.

#include <memory>
#include <string>
#include <vector>

#include "views/ComponentSubject.h"
#include "views/ComponentView.h"
#include "views/DrawSurface.h"
#include "views/FrameArtist.h"
#include "views/ListComponentSubject.h"
#include "views/ListComponentView.h"

using EventLog = std::vector<std::string>;

// A leaf view that records its handlers and remembers its list parent view
// (the base view does not).
class LoggingView : public ComponentView {
 public:
  LoggingView(std::string name, EventLog* log) : m_name(std::move(name)), m_log(log) {}
  ~LoggingView() override { m_log->push_back("~view " + m_name); }

  void Update_Appearance(Pane*) override { m_log->push_back("appearance " + m_name); }
  void Update_Size(Pane*) override { m_log->push_back("size " + m_name); }
  // Fills its rectangle with its colour and notes the list view's draw kind.
  void Draw_ComponentView(DrawSurface& surface, Pane*) override {
    int32_t kind = -1;
    if (m_listParent != nullptr && m_listParent->Get_ListComponentView() != nullptr)
      kind = m_listParent->Get_ListComponentView()->Get_Current_Draw_Kind();
    m_log->push_back("draw " + m_name + " kind " + std::to_string(kind));
    RectLong r;
    Get_Graphic().Get_Rect(r);
    surface.Fill_Rect(r, m_red, 0, 0);
  }
  void Set_ListParentView(ComponentView* view) override { m_listParent = view; }
  ComponentView* Get_ListParentView() const override { return m_listParent; }

  const std::string& Name() const { return m_name; }
  void Set_Red(uint8_t red) { m_red = red; }

 private:
  std::string m_name;
  EventLog* m_log;
  ComponentView* m_listParent = nullptr;
  uint8_t m_red = 0;
};

// A leaf subject: makes LoggingViews, clones itself, applies commands or
// fails with a set text.
class LoggingSubject : public ComponentSubject {
 public:
  LoggingSubject(std::string name, EventLog* log) : m_name(std::move(name)), m_log(log) {}
  ~LoggingSubject() override { m_log->push_back("~subject " + m_name); }

  bool Change_My_Property(Commandj*, std::string& err) override {
    err = m_changeError;
    return m_changeError.empty();
  }
  std::unique_ptr<ComponentView> Create_ComponentView() override {
    if (!m_makesViews) return nullptr;
    auto view = std::make_unique<LoggingView>(m_name, m_log);
    view->Set_Subject(this);
    return view;
  }
  std::unique_ptr<ComponentSubject> Clone() const override {
    if (!m_cloneable) return nullptr;
    return std::make_unique<LoggingSubject>(m_name + "+", m_log);
  }

  const std::string& Name() const { return m_name; }
  void Set_Change_Error(std::string text) { m_changeError = std::move(text); }
  void Set_Cloneable(bool cloneable) { m_cloneable = cloneable; }
  void Set_Makes_Views(bool makes) { m_makesViews = makes; }

 private:
  std::string m_name;
  EventLog* m_log;
  std::string m_changeError;
  bool m_cloneable = true;
  bool m_makesViews = true;
};

class LoggingListSubject : public ListComponentSubject {
 public:
  explicit LoggingListSubject(EventLog* log) : m_log(log) {}
  ~LoggingListSubject() override { m_log->push_back("~list subject"); }

 private:
  EventLog* m_log;
};

class LoggingListView : public ListComponentView {
 public:
  LoggingListView(std::string name, EventLog* log) : m_name(std::move(name)), m_log(log) {}
  ~LoggingListView() override { m_log->push_back("~list view " + m_name); }
  void Update_Appearance(Pane*) override { m_log->push_back("appearance " + m_name); }

 private:
  std::string m_name;
  EventLog* m_log;
};

// An artist that hands out one map (or none) with a set text and records
// the kinds it was asked for.
class MapArtist : public FrameArtist {
 public:
  explicit MapArtist(OffMap* map, std::string text = "") : m_map(map), m_text(std::move(text)) {}
  OffMap* Get_OffMap(int32_t kind, std::string& err) override {
    m_kinds.push_back(kind);
    err = m_text;
    return m_map;
  }
  const std::vector<int32_t>& Kinds() const { return m_kinds; }

 private:
  OffMap* m_map;
  std::string m_text;
  std::vector<int32_t> m_kinds;
};

inline RectLong Make_RectLong(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  RectLong r;
  r.left = left;
  r.top = top;
  r.right = right;
  r.bottom = bottom;
  return r;
}
