#pragma once
// Message boxes and questions on QMessageBox.

#include <QPointer>
#include <QWidget>

#include "platform/PlatformServices.h"

// The title of every box the program shows.
inline constexpr const char* kProductName = "Quorlin Separator";

class QtMessages : public MessageService {
 public:
  // Boxes are centred on `window` (the main window); null centres them on
  // the screen.
  void Set_Parent(QWidget* window) { m_parent = window; }

  // Shows exactly the buttons asked for, the first one (Ok or Yes) as the
  // default.  The text is plain text, shown as given.
  MessageAnswer Message_Box(const std::string& text, MessageButtons buttons) override;

 private:
  QPointer<QWidget> m_parent;
};
