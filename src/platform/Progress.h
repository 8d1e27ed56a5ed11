#pragma once
// The program's progress box as long computations see it.

#include <string>

#include "platform/PlatformServices.h"

class Progress {
 public:
  explicit Progress(ProgressBox& box) : m_box(box) {}

  // Closes a box that is still open, then opens a new one showing `text`
  // with its bar at 0.
  void Open_Progress(const std::string& text);
  void Set_Progress_Text(const std::string& text);
  // Dispatches pending window messages first, then clamps to 1..100 and
  // moves the bar only when the value differs from the one shown.
  void Set_Progress_Position(int percent);
  void Close_Progress();

  bool Is_Open() const { return m_open; }

 private:
  ProgressBox& m_box;
  bool m_open = false;
  int m_shown = 0;
};
