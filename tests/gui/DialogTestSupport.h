#pragma once
// What the dialog tests share: the application object of Qt, made once for
// the whole program (whichever test needs it first), and event processing
// until the slider timers and posted events have run.

#include <QApplication>
#include <QCoreApplication>

inline void Ensure_QApplication() {
  if (QApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "test_gui";
  static char* argv[] = {name, nullptr};
  // Lives until the program ends: widgets may not outlive it.
  new QApplication(argc, argv);
}

// Runs what is waiting: posted events, then the zero-interval timers they
// started.
inline void Process_Events() {
  for (int pass = 0; pass < 3; ++pass) QCoreApplication::processEvents();
}
