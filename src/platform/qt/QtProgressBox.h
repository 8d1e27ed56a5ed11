#pragma once
// The progress box: a modeless dialog titled "Progress..." with one line
// of text over a bar from 0 to 100.  It shows what platform/Progress tells
// it; the rules of the box live there.

#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/PlatformServices.h"

class QDialog;
class QLabel;
class QProgressBar;

// The box's text line: the first 100 characters of `text`.
QString Progress_Line(const std::string& text);

class QtProgressBox : public ProgressBox {
 public:
  QtProgressBox() = default;
  ~QtProgressBox() override;
  QtProgressBox(const QtProgressBox&) = delete;
  QtProgressBox& operator=(const QtProgressBox&) = delete;

  // Boxes opened from now on are children of `window` (the main window),
  // centred on it.
  void Set_Parent(QWidget* window) { m_parent = window; }

  void Show_Box(const std::string& text) override;
  void Show_Text(const std::string& text) override;
  void Show_Position(int percent) override;
  void Destroy_Box() override;
  // Paints the windows and handles their input while the work goes on.
  void Dispatch_Pending_Events() override;

 private:
  QPointer<QWidget> m_parent;
  // Guarded: the box goes with its parent window if that closes first.
  QPointer<QDialog> m_box;
  QPointer<QLabel> m_text;
  QPointer<QProgressBar> m_bar;
};
