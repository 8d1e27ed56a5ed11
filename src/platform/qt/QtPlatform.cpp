#include "platform/qt/QtPlatform.h"

#include <QApplication>

// A wait still open when the program ends is ended with it; after the
// application object is gone there is no cursor left to restore.
QtCursor::~QtCursor() {
  if (QCoreApplication::instance() == nullptr) return;
  while (m_depth > 0) End_Wait_Cursor();
}

void QtCursor::Begin_Wait_Cursor() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ++m_depth;
}

void QtCursor::End_Wait_Cursor() {
  if (m_depth == 0) return;
  QApplication::restoreOverrideCursor();
  --m_depth;
}

QtPlatform::QtPlatform()
    : m_platform(m_messages, m_dialogs, m_cursor, m_progressBox, m_clock, m_resources, m_codec) {}

void QtPlatform::Set_Main_Window(QWidget* window) {
  m_messages.Set_Parent(window);
  m_dialogs.Set_Parent(window);
  m_progressBox.Set_Parent(window);
}
