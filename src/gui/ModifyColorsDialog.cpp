#include "gui/ModifyColorsDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "regions/ModifyColorsController.h"

ModifyColorsDialog::ModifyColorsDialog(ModifyColorsController& controller, QWidget* parent)
    : QDialog(parent), m_controller(controller), m_range(new QLineEdit(this)) {
  setObjectName("modifyColorsDialog");
  setWindowTitle("Modify Colors");
  m_range->setObjectName("range");
  m_range->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}"), m_range));
  m_range->setFixedWidth(m_range->fontMetrics().horizontalAdvance("00000") + 16);
  m_range->setText(QString::number(controller.Get_Range()));

  auto* scramble = new QPushButton("Scramble Colors", this);
  scramble->setObjectName("scramble");
  auto* save = new QPushButton("Save", this);
  save->setObjectName("save");
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("cancel");
  // Enter scrambles again: the button pressed most while trying colours.
  scramble->setDefault(true);
  connect(scramble, &QPushButton::clicked, this, &ModifyColorsDialog::Scramble);
  connect(save, &QPushButton::clicked, this, &ModifyColorsDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &ModifyColorsDialog::reject);

  auto* rangeRow = new QHBoxLayout;
  rangeRow->addWidget(new QLabel("Range:", this));
  rangeRow->addWidget(m_range);
  rangeRow->addWidget(new QLabel(QString("(%1 to %2 degrees of hue)")
                                     .arg(ModifyColorsController::kMinRange)
                                     .arg(ModifyColorsController::kMaxRange),
                                 this));
  rangeRow->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(scramble);
  buttons->addStretch();
  buttons->addWidget(save);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(rangeRow);
  layout->addLayout(buttons);
  setFixedSize(sizeHint());
}

bool ModifyColorsDialog::Read_Range() {
  bool ok = false;
  const int range = m_range->text().trimmed().toInt(&ok);
  return m_controller.Set_Range(ok ? range : -1);
}

void ModifyColorsDialog::Scramble() {
  if (!Read_Range()) return;
  m_controller.On_Scramble_Colors();
  if (m_afterScramble) m_afterScramble();
}

void ModifyColorsDialog::accept() {
  m_controller.On_Save();
  QDialog::accept();
}

void ModifyColorsDialog::reject() {
  m_controller.On_Cancel();
  QDialog::reject();
}
