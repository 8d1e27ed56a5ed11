#include "gui/QtShellDialogs.h"

#include <QButtonGroup>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/RegionEditorApp.h"
#include "framework/WindowCodes.h"
#include "gui/ExportDialog.h"
#include "gui/ImageSizeDialog.h"
#include "gui/ModifyColorsDialog.h"
#include "gui/WorkDialogs.h"

bool QtShellDialogs::Run_Separation_Dialog(SeparationSession& session) {
  const uint32_t seed =
      m_seed ? m_seed() : static_cast<uint32_t>(QDateTime::currentDateTime().toMSecsSinceEpoch());
  // An outline saved from within the dialog is work to keep.
  const auto outlineClosed = [this](bool saved) {
    if (saved) m_app.Get_Document().hasChanges = true;
  };
  return ::Run_Separation_Dialog(session, m_app.Outline_Context(), m_openWorkWindows, seed, outlineClosed,
                                 m_parent);
}

bool QtShellDialogs::Run_Outline_Dialog(OutlineSession& session) {
  return ::Run_Outline_Dialog(session, m_parent);
}

bool QtShellDialogs::Run_Image_Size_Dialog(ImageSizeController& controller) {
  ImageSizeDialog dialog(
      controller, [this] { return m_app.Has_Regions(); }, m_parent);
  return dialog.exec() == QDialog::Accepted;
}

bool QtShellDialogs::Run_Export_Dialog(ExportController& controller) {
  ExportDialog dialog(controller, m_parent);
  return dialog.exec() == QDialog::Accepted;
}

bool QtShellDialogs::Run_Modify_Colors_Dialog(ModifyColorsController& controller) {
  ModifyColorsDialog dialog(controller, m_parent);
  dialog.m_afterScramble = [this] { m_app.Get_Windows().Redraw_Viewjs_of_Code(kWindowRegionObjects); };
  return dialog.exec() == QDialog::Accepted;
}

bool QtShellDialogs::Ask_Texture_Choice(int16_t& textureType, int16_t& style) {
  QDialog dialog(m_parent);
  dialog.setObjectName("textureChoiceDialog");
  dialog.setWindowTitle("Paint with Textures");
  auto* kind = new QGroupBox("Texture maps", &dialog);
  auto* mono = new QRadioButton("Monochrome", kind);
  mono->setObjectName("monochrome");
  auto* color = new QRadioButton("Color", kind);
  color->setObjectName("color");
  (textureType == 1 ? color : mono)->setChecked(true);
  auto* kindLayout = new QVBoxLayout(kind);
  kindLayout->addWidget(mono);
  kindLayout->addWidget(color);
  auto* size = new QGroupBox("Texture size", &dialog);
  auto* smallest = new QRadioButton("The smallest map that covers each region", size);
  smallest->setObjectName("smallest");
  auto* largest = new QRadioButton("The largest map, sampled coarser", size);
  largest->setObjectName("largest");
  (style == 1 ? largest : smallest)->setChecked(true);
  auto* sizeLayout = new QVBoxLayout(size);
  sizeLayout->addWidget(smallest);
  sizeLayout->addWidget(largest);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(kind);
  layout->addWidget(size);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return false;
  textureType = color->isChecked() ? 1 : 0;
  style = largest->isChecked() ? 1 : 0;
  return true;
}
