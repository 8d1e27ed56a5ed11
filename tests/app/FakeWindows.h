#pragma once
// Map windows without a toolkit: each is a client rectangle inside a frame
// of fixed borders.  The factory makes them for the window registry and
// tells the registry when one is destroyed, as the desktop shell does.

#include <memory>
#include <string>
#include <vector>

#include "app/WindowRegistry.h"

class FakeWindow : public ViewjWindow {
 public:
  FakeWindow(WindowRegistry& registry, int16_t windowCode, const RectLong& firstRect, int32_t borderWidth,
             int32_t borderHeight)
      : m_registry(registry), code(windowCode), rect(firstRect), borderW(borderWidth), borderH(borderHeight) {
    outerW = rect.right - rect.left;
    outerH = rect.bottom - rect.top;
  }

  bool Has_Handle() const override { return hasHandle; }
  void Get_Client_Size(int32_t& width, int32_t& height) const override {
    width = outerW - borderW;
    height = outerH - borderH;
  }
  void Get_Window_Size(int32_t& width, int32_t& height) const override {
    width = outerW;
    height = outerH;
  }
  void Set_Window_Size(int32_t width, int32_t height) override {
    outerW = width;
    outerH = height;
  }
  void Invalidate() override {
    ++invalidations;
    if (const Viewj* record = m_registry.Find_Viewj(this)) redrawModes.push_back(record->Get_Redraw_Mode());
  }
  bool Destroy() override {
    if (refuseDestroy) return false;
    destroyed = true;
    m_registry.Window_Destroyed(this);
    return true;
  }

  WindowRegistry& m_registry;
  int16_t code;
  RectLong rect;
  int32_t borderW;
  int32_t borderH;
  int32_t outerW = 0;
  int32_t outerH = 0;
  bool hasHandle = true;
  bool refuseDestroy = false;
  bool destroyed = false;
  int32_t invalidations = 0;
  std::vector<int32_t> redrawModes;  // the record's redraw mode at each invalidation
};

class FakeFactory : public MapWindowFactory {
 public:
  explicit FakeFactory(WindowRegistry& registry, int32_t borderW = 8, int32_t borderH = 30)
      : m_registry(registry), m_borderW(borderW), m_borderH(borderH) {}

  ViewjWindow* Create_Map_Window(int16_t code, const std::string& title, MapWindowStyle style,
                                 const RectLong& rect, std::string& err) override {
    titles.push_back(title);
    styles.push_back(style);
    if (!failure.empty()) {
      err = failure;
      return nullptr;
    }
    windows.push_back(std::make_unique<FakeWindow>(m_registry, code, rect, m_borderW, m_borderH));
    return windows.back().get();
  }

  FakeWindow* Window_of(const Viewj* record) const {
    return record != nullptr ? static_cast<FakeWindow*>(record->Get_Window()) : nullptr;
  }

  std::vector<std::unique_ptr<FakeWindow>> windows;  // every window made, destroyed ones too
  std::vector<std::string> titles;
  std::vector<MapWindowStyle> styles;
  std::string failure;  // when set, no window can be made

 private:
  WindowRegistry& m_registry;
  int32_t m_borderW;
  int32_t m_borderH;
};
