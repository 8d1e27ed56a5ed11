#pragma once
// AppWindows: how the engine reaches the program's open map windows.
//
// The desktop shell keeps the registry of open windows (one record per
// window, each showing one of the window configurations of
// framework/WindowCodes.h) and implements this interface over it; the
// engine only asks for redraws, counts and rebuilds by configuration code.
// RecordingAppWindows is the implementation for the command line and the
// tests: it has no windows of its own, records every request in order and
// answers counts from what a test told it.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "framework/WindowCodes.h"

class AppWindows {
 public:
  virtual ~AppWindows() = default;

  // Asks every window of one configuration to redraw.
  virtual void Redraw_Viewjs_of_Code(int16_t code) = 0;
  // Asks every open window to redraw.
  virtual void Redraw_All_Viewjs() = 0;
  // The number of open windows of one configuration.
  virtual int32_t Count_Viewjs_of_Code(int16_t code) const = 0;
  // Every window that shows the region list drops its region views and
  // makes fresh ones for the regions the list holds now.
  virtual bool ReCreate_Child_ComponentViews_AllViewjs(std::string& err) = 0;
  // Resizes every window, or every window of one configuration, to show a
  // map of width x height; the first failure stops and is the result.
  virtual bool ReSize_All_Viewjs(int32_t width, int32_t height, std::string& err) = 0;
  virtual bool ReSize_Viewjs_of_Code(int32_t width, int32_t height, int16_t code, std::string& err) = 0;
  // Empties the editor's selection of regions.  Without an editor there is
  // no selection to empty, so the default does nothing and is not recorded.
  virtual void Clear_Selection() {}
};

class RecordingAppWindows : public AppWindows {
 public:
  // Requests are recorded as "redraw <code>", "redraw all", "recreate views",
  // "resize <w> <h>" and "resize <w> <h> code <code>".
  void Redraw_Viewjs_of_Code(int16_t code) override;
  void Redraw_All_Viewjs() override;
  int32_t Count_Viewjs_of_Code(int16_t code) const override;
  bool ReCreate_Child_ComponentViews_AllViewjs(std::string& err) override;
  bool ReSize_All_Viewjs(int32_t width, int32_t height, std::string& err) override;
  bool ReSize_Viewjs_of_Code(int32_t width, int32_t height, int16_t code, std::string& err) override;

  // Makes Count_Viewjs_of_Code(code) answer `count`.
  void Set_Open_Count(int16_t code, int32_t count) { m_open[code] = count; }
  // Makes the next view rebuilds fail with `text` (empty: they succeed).
  void Set_ReCreate_Failure(std::string text) { m_recreateFailure = std::move(text); }

  const std::vector<std::string>& Requests() const { return m_requests; }
  // How often one exact request was made.
  int32_t Count(const std::string& request) const;
  void Clear() { m_requests.clear(); }

 private:
  std::vector<std::string> m_requests;
  std::map<int16_t, int32_t> m_open;
  std::string m_recreateFailure;
};
