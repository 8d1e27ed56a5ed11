#include "gui/ExportDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "export/ExportController.h"
#include "gui/ImageSizeDialog.h"

namespace {

QLineEdit* Side_Edit(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,5}"), edit));
  edit->setMaxLength(5);
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("0000000") + 16);
  return edit;
}

}  // namespace

ExportDialog::ExportDialog(ExportController& controller, QWidget* parent)
    : QDialog(parent),
      m_controller(controller),
      m_kind(new QComboBox(this)),
      m_working(new QRadioButton(this)),
      m_print(new QRadioButton("Print size:", this)),
      m_width(Side_Edit("width", this)),
      m_height(Side_Edit("height", this)),
      m_fullSize(new QPushButton("Photo Size", this)),
      m_limit(new QLabel(this)),
      m_svgTextures(new QCheckBox("Embed the texture maps", this)) {
  setObjectName("exportDialog");
  setWindowTitle("Export");
  m_kind->setObjectName("kind");
  m_kind->addItem("Picture (PNG, TIFF, JPEG, BMP)", static_cast<int>(ExportKind::Picture));
  m_kind->addItem("Layered PSD (one layer per region)", static_cast<int>(ExportKind::Psd));
  m_kind->addItem("Vector SVG (one layer per separation)", static_cast<int>(ExportKind::Svg));
  m_kind->addItem("Separations as transparent PNGs (a folder)", static_cast<int>(ExportKind::Layers));
  m_kind->setCurrentIndex(m_kind->findData(static_cast<int>(controller.Kind())));
  m_working->setObjectName("working");
  m_working->setText(
      QString("Working size (%1 x %2)").arg(controller.Canvas_Width()).arg(controller.Canvas_Height()));
  m_print->setObjectName("print");
  (controller.Print() ? m_print : m_working)->setChecked(true);
  m_fullSize->setObjectName("fullSize");
  m_fullSize->setText(controller.Has_Photo_Size() ? "Photo Size" : "Largest");
  m_limit->setObjectName("limit");
  m_limit->setText(QString("up to %1 x %2 (%3)")
                       .arg(controller.Max_Width())
                       .arg(controller.Max_Height())
                       .arg(controller.Has_Photo_Size() ? "the photo's own size" : "8 x the working size"));
  m_svgTextures->setObjectName("svgTextures");
  m_svgTextures->setChecked(controller.Svg_Textures());

  auto* what = new QFormLayout;
  what->addRow("Export:", m_kind);
  what->addRow(QString(), m_svgTextures);
  auto* size = new QGroupBox("Size", this);
  auto* sizeLayout = new QVBoxLayout(size);
  sizeLayout->addWidget(m_working);
  auto* printRow = new QHBoxLayout;
  printRow->addWidget(m_print);
  printRow->addWidget(m_width);
  printRow->addWidget(new QLabel("x", this));
  printRow->addWidget(m_height);
  printRow->addWidget(m_fullSize);
  printRow->addStretch(1);
  sizeLayout->addLayout(printRow);
  sizeLayout->addWidget(m_limit);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
  buttons->button(QDialogButtonBox::Ok)->setText("Export...");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &ExportDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(what);
  layout->addWidget(size);
  layout->addWidget(buttons);

  connect(m_kind, &QComboBox::currentIndexChanged, this, [this] {
    m_controller.Set_Kind(static_cast<ExportKind>(m_kind->currentData().toInt()));
    Show_State();
  });
  connect(m_print, &QRadioButton::toggled, this, [this](bool on) {
    m_controller.Set_Print(on);
    Show_State();
  });
  connect(m_width, &QLineEdit::textEdited, this, [this] {
    m_controller.Width_Typed(ImageSizeDialog::Edit_Value(m_width));
    if (ImageSizeDialog::Edit_Value(m_width) > 0) m_height->setText(QString::number(m_controller.Height()));
  });
  connect(m_height, &QLineEdit::textEdited, this, [this] {
    m_controller.Height_Typed(ImageSizeDialog::Edit_Value(m_height));
    if (ImageSizeDialog::Edit_Value(m_height) > 0) m_width->setText(QString::number(m_controller.Width()));
  });
  connect(m_fullSize, &QPushButton::clicked, this, [this] {
    m_print->setChecked(true);
    m_controller.Set_Full_Size();
    Show_State();
  });
  Show_State();
  setFixedSize(sizeHint());
}

void ExportDialog::Show_State() {
  const bool print = m_controller.Print();
  m_width->setEnabled(print);
  m_height->setEnabled(print);
  const ExportController& c = m_controller;
  m_width->setText(QString::number(print ? c.Width() : c.Canvas_Width()));
  m_height->setText(QString::number(print ? c.Height() : c.Canvas_Height()));
  m_svgTextures->setEnabled(c.Kind() == ExportKind::Svg);
}

void ExportDialog::accept() {
  if (m_controller.Print())
    m_controller.Set_Print_Size(ImageSizeDialog::Edit_Value(m_width), ImageSizeDialog::Edit_Value(m_height));
  m_controller.Set_Svg_Textures(m_svgTextures->isChecked());
  std::string problem;
  if (!m_controller.Check_Size(problem)) {
    QMessageBox::warning(this, "Export",
                         QString::fromStdString("The export cannot be written: " + problem + "."));
    return;
  }
  QDialog::accept();
}
