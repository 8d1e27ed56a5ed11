#pragma once
// WindowsUpdater: how long-running engines ask the program to redraw
// particular windows without knowing them.  The composer of the layered
// image (regions/LayeredComposer) is one; the separation engine is handed
// it and calls it after it has changed the layered or the subtract map.
//
// RecordingWindowsUpdater is the implementation for the command line and
// tests: it redraws nothing and records every request in order.

#include <vector>

class WindowsUpdater {
 public:
  virtual ~WindowsUpdater() = default;
  // Recompose the layered image and redraw the "Layered" window.
  virtual void Redraw_Summed_Final_Window() = 0;
  // Redraw the "SUBTRACTED Result" windows.
  virtual void Redraw_Subtracted_Window() = 0;
};

class RecordingWindowsUpdater : public WindowsUpdater {
 public:
  enum class Request { SummedFinal, Subtracted };

  void Redraw_Summed_Final_Window() override { m_requests.push_back(Request::SummedFinal); }
  void Redraw_Subtracted_Window() override { m_requests.push_back(Request::Subtracted); }

  const std::vector<Request>& Requests() const { return m_requests; }
  int Count(Request request) const {
    int n = 0;
    for (Request r : m_requests) n += r == request ? 1 : 0;
    return n;
  }
  void Clear() { m_requests.clear(); }

 private:
  std::vector<Request> m_requests;
};
