#include "platform/qt/QtProgressBox.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {

constexpr int kLineCharacters = 100;

// The box stays up until the work closes it: it has no close button and
// Escape does not hide it.
class ProgressDialog : public QDialog {
 public:
  explicit ProgressDialog(QWidget* parent)
      : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {}
  void reject() override {}
};

}  // namespace

QString Progress_Line(const std::string& text) {
  const QString line = QString::fromStdString(text);
  // Count characters, not UTF-16 units: a character outside the basic plane
  // is never split.
  qsizetype units = 0;
  for (int characters = 0; units < line.size() && characters < kLineCharacters; ++characters) {
    units += line.at(units).isHighSurrogate() && units + 1 < line.size() ? 2 : 1;
  }
  return line.left(units);
}

// Widgets may not be deleted once the application object is gone; by then
// the program is ending anyway.
QtProgressBox::~QtProgressBox() {
  if (QCoreApplication::instance() != nullptr) Destroy_Box();
}

void QtProgressBox::Show_Box(const std::string& text) {
  Destroy_Box();
  auto* box = new ProgressDialog(m_parent);
  box->setWindowTitle(QStringLiteral("Progress..."));
  box->setModal(false);
  auto* layout = new QVBoxLayout(box);
  m_text = new QLabel(Progress_Line(text), box);
  m_text->setTextFormat(Qt::PlainText);
  m_text->setMinimumWidth(m_text->fontMetrics().averageCharWidth() * 60);
  m_bar = new QProgressBar(box);
  m_bar->setRange(0, 100);
  m_bar->setValue(0);
  layout->addWidget(m_text);
  layout->addWidget(m_bar);
  m_box = box;
  box->show();
}

void QtProgressBox::Show_Text(const std::string& text) {
  if (m_text) m_text->setText(Progress_Line(text));
}

void QtProgressBox::Show_Position(int percent) {
  if (m_bar) m_bar->setValue(percent);
}

void QtProgressBox::Destroy_Box() {
  delete m_box.data();
  m_box = nullptr;
}

void QtProgressBox::Dispatch_Pending_Events() {
  QCoreApplication::processEvents();
}
