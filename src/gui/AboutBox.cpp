#include "gui/AboutBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/AppIcon.h"

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName("aboutBox");
  setWindowTitle("About Quorlin Separator");
  auto* icon = new QLabel(this);
  icon->setPixmap(QPixmap::fromImage(App_Icon_Image(64)));
  auto* name = new QLabel("Quorlin Separator", this);
  name->setObjectName("productName");
  QFont bold = name->font();
  bold.setBold(true);
  name->setFont(bold);
  auto* version = new QLabel(kVersion, this);
  version->setObjectName("version");
  auto* what = new QLabel("Turns a photo into a layered, painted colour illustration.", this);

  auto* texts = new QVBoxLayout;
  texts->addWidget(name);
  texts->addWidget(version);
  texts->addWidget(what);
  auto* top = new QHBoxLayout;
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addSpacing(12);
  top->addLayout(texts);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(buttons);
  setFixedSize(sizeHint());
}
