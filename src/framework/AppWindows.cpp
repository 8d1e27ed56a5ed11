#include "framework/AppWindows.h"

void RecordingAppWindows::Redraw_Viewjs_of_Code(int16_t code) {
  m_requests.push_back("redraw " + std::to_string(code));
}

void RecordingAppWindows::Redraw_All_Viewjs() {
  m_requests.push_back("redraw all");
}

int32_t RecordingAppWindows::Count_Viewjs_of_Code(int16_t code) const {
  const auto it = m_open.find(code);
  return it != m_open.end() ? it->second : 0;
}

bool RecordingAppWindows::ReCreate_Child_ComponentViews_AllViewjs(std::string& err) {
  m_requests.push_back("recreate views");
  err = m_recreateFailure;
  return err.empty();
}

bool RecordingAppWindows::ReSize_All_Viewjs(int32_t width, int32_t height, std::string& err) {
  err.clear();
  m_requests.push_back("resize " + std::to_string(width) + " " + std::to_string(height));
  return true;
}

bool RecordingAppWindows::ReSize_Viewjs_of_Code(int32_t width, int32_t height, int16_t code,
                                                std::string& err) {
  err.clear();
  m_requests.push_back("resize " + std::to_string(width) + " " + std::to_string(height) + " code " +
                       std::to_string(code));
  return true;
}

int32_t RecordingAppWindows::Count(const std::string& request) const {
  int32_t n = 0;
  for (const std::string& r : m_requests) n += r == request ? 1 : 0;
  return n;
}
