#include "gui/ImageSizeDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "render/ImageSizeController.h"

namespace {

QLineEdit* Number_Edit(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  // Digits only; the range is checked when OK is pressed.
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,5}"), edit));
  edit->setMaxLength(5);
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("000000") + 16);
  return edit;
}

}  // namespace

ImageSizeDialog::ImageSizeDialog(ImageSizeController& controller, std::function<bool()> regionsExist,
                                 QWidget* parent)
    : QDialog(parent),
      m_controller(controller),
      m_regionsExist(std::move(regionsExist)),
      m_width(Number_Edit("width", this)),
      m_height(Number_Edit("height", this)) {
  setObjectName("imageSizeDialog");
  setWindowTitle("Image Size");
  auto* form = new QFormLayout;
  form->addRow("Width:", m_width);
  form->addRow("Height:", m_height);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &ImageSizeDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);

  // textEdited comes from the user only, so the edit set in answer does not
  // answer back.
  connect(m_width, &QLineEdit::textEdited, this, [this] {
    m_controller.Width_Typed(Edit_Value(m_width));
    if (Edit_Value(m_width) > 0) m_height->setText(QString::number(m_controller.Height()));
  });
  connect(m_height, &QLineEdit::textEdited, this, [this] {
    m_controller.Height_Typed(Edit_Value(m_height));
    if (Edit_Value(m_height) > 0) m_width->setText(QString::number(m_controller.Width()));
  });
  Show_Size();
  setFixedSize(sizeHint());
}

int32_t ImageSizeDialog::Edit_Value(const QLineEdit* edit) {
  bool ok = false;
  const int value = edit->text().trimmed().toInt(&ok);
  return ok ? value : -1;
}

void ImageSizeDialog::Show_Size() {
  m_width->setText(QString::number(m_controller.Width()));
  m_height->setText(QString::number(m_controller.Height()));
}

void ImageSizeDialog::accept() {
  m_controller.Set_Size(Edit_Value(m_width), Edit_Value(m_height));
  const bool regions = m_regionsExist ? m_regionsExist() : false;
  if (m_controller.On_OK(regions) == ImageSizeOutcome::Close) QDialog::accept();
}
