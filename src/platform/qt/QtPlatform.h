#pragma once
// The platform services of the desktop program, all on Qt, in one bundle.

#include <QElapsedTimer>
#include <QWidget>

#include "platform/EmbeddedResources.h"
#include "platform/Platform.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtMessages.h"
#include "platform/qt/QtPictureCodec.h"
#include "platform/qt/QtProgressBox.h"

// The wait cursor as Qt's override cursor.  Nested waits stack; an end
// without a begin changes nothing.
class QtCursor : public CursorService {
 public:
  QtCursor() = default;
  ~QtCursor() override;
  QtCursor(const QtCursor&) = delete;
  QtCursor& operator=(const QtCursor&) = delete;

  void Begin_Wait_Cursor() override;
  void End_Wait_Cursor() override;

 private:
  int m_depth = 0;
};

// Milliseconds since the clock was made.
class QtClock : public ClockService {
 public:
  QtClock() { m_timer.start(); }
  int64_t Milliseconds() override { return m_timer.elapsed(); }

 private:
  QElapsedTimer m_timer;
};

class QtPlatform {
 public:
  QtPlatform();

  Platform& Get() { return m_platform; }
  // Message boxes, file dialogs and the progress box are centred on
  // `window`, the main window, and the progress box is its child.
  void Set_Main_Window(QWidget* window);

  QtMessages& Messages() { return m_messages; }
  QtFileDialogs& Dialogs() { return m_dialogs; }
  QtCursor& Cursor() { return m_cursor; }
  QtProgressBox& Progress_Window() { return m_progressBox; }

 private:
  QtMessages m_messages;
  QtFileDialogs m_dialogs;
  QtCursor m_cursor;
  QtProgressBox m_progressBox;
  QtClock m_clock;
  EmbeddedResources m_resources;
  QtPictureCodec m_codec;
  Platform m_platform;
};
