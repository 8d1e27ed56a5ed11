#include "platform/qt/QtMessages.h"

#include <QMessageBox>
#include <QString>

namespace {

QMessageBox::StandardButtons Standard_Buttons(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
      return QMessageBox::Ok;
    case MessageButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

// The answer of a box closed without one of its buttons (the window closed
// by other means): the box's way out, as Escape would give it.
MessageAnswer Way_Out(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
      return MessageAnswer::Ok;
    case MessageButtons::YesNo:
      return MessageAnswer::No;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel:
      break;
  }
  return MessageAnswer::Cancel;
}

}  // namespace

MessageAnswer QtMessages::Message_Box(const std::string& text, MessageButtons buttons) {
  QMessageBox box(m_parent);
  box.setWindowTitle(QString::fromUtf8(kProductName));
  box.setTextFormat(Qt::PlainText);
  box.setText(QString::fromStdString(text));
  box.setStandardButtons(Standard_Buttons(buttons));
  const bool yesNo = buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel;
  box.setDefaultButton(yesNo ? QMessageBox::Yes : QMessageBox::Ok);

  switch (box.exec()) {
    case QMessageBox::Ok:
      return MessageAnswer::Ok;
    case QMessageBox::Cancel:
      return MessageAnswer::Cancel;
    case QMessageBox::Yes:
      return MessageAnswer::Yes;
    case QMessageBox::No:
      return MessageAnswer::No;
    default:
      return Way_Out(buttons);
  }
}
