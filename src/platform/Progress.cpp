#include "platform/Progress.h"

void Progress::Open_Progress(const std::string& text) {
  if (m_open) Close_Progress();
  m_box.Show_Box(text);
  m_open = true;
  m_shown = 0;
}

void Progress::Set_Progress_Text(const std::string& text) {
  if (m_open) m_box.Show_Text(text);
}

void Progress::Set_Progress_Position(int percent) {
  m_box.Dispatch_Pending_Events();
  if (percent < 1) percent = 1;
  if (percent > 100) percent = 100;
  if (!m_open || percent == m_shown) return;
  m_shown = percent;
  m_box.Show_Position(percent);
}

void Progress::Close_Progress() {
  if (!m_open) return;
  m_box.Show_Text("");
  m_box.Destroy_Box();
  m_open = false;
  m_shown = 0;
}
