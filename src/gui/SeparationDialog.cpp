#include "gui/SeparationDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <iterator>
#include <string>
#include <vector>

#include "colors/StandardColors.h"
#include "gui/DialogWidgets.h"
#include "gui/OutlineDialog.h"

namespace {

constexpr int kSwatchSize = 14;

// A small square of a paint colour for the row lists; none for "-NONE-" or
// a name the table does not know.
QIcon Color_Swatch(const std::string& nickname) {
  const int16_t index = Get_StandardColors_Index_by_Nickname(nickname);
  int16_t red = 0, green = 0, blue = 0;
  std::string err;
  if (index <= 0 || !Get_StandardColors_RGB_from_Table(index, red, green, blue, err)) return QIcon();
  QPixmap pixmap(kSwatchSize, kSwatchSize);
  pixmap.fill(QColor(red, green, blue));
  QPainter painter(&pixmap);
  painter.setPen(QColor(96, 96, 96));
  painter.drawRect(0, 0, kSwatchSize - 1, kSwatchSize - 1);
  return QIcon(pixmap);
}

// Fills a list with `items` when it holds other texts, and selects `selection`
// (-1: nothing).
void Show_Items(QComboBox* combo, const std::vector<std::string>& items, int32_t selection, bool swatches) {
  bool same = combo->count() == static_cast<int>(items.size());
  for (int i = 0; same && i < combo->count(); ++i) same = combo->itemText(i) == Dialog_Text(items[i]);
  if (!same) {
    combo->clear();
    for (const std::string& item : items) {
      if (swatches)
        combo->addItem(Color_Swatch(item), Dialog_Text(item));
      else
        combo->addItem(Dialog_Text(item));
    }
  }
  combo->setCurrentIndex(selection >= 0 && selection < combo->count() ? selection : -1);
}

}  // namespace

SeparationDialog::SeparationDialog(SeparationDialogController& controller, const OutlineContext& outline,
                                   QWidget* parent)
    : QDialog(parent),
      m_controller(controller),
      m_outline(outline),
      m_outlineSeed(static_cast<uint32_t>(QDateTime::currentMSecsSinceEpoch())) {
  Build();
  m_controller.m_statusChanged = [this](const std::string&) { Status_Changed(); };
  m_controller.m_runOutlineEditor = [this] { return Run_Outline_Editor(); };
  m_busy = true;
  m_initialised = m_controller.OnInitDialog();
  m_busy = false;
  Refresh();
}

SeparationDialog::~SeparationDialog() {
  // The controller may outlive the dialog; its hooks must not call into it.
  m_controller.m_statusChanged = nullptr;
  m_controller.m_runOutlineEditor = nullptr;
}

bool SeparationDialog::Run(const SeparationContext& separation, const OutlineContext& outline,
                           std::function<bool()> openOutlineWindows, QWidget* parent) {
  SeparationSession session(separation);
  SeparationDialog dialog(session.Controller(), outline, parent);
  dialog.m_openOutlineWindows = std::move(openOutlineWindows);
  return dialog.exec() == QDialog::Accepted;
}

// ---------------------------------------------------------------------------
// Layout

void SeparationDialog::Build() {
  setWindowTitle(QStringLiteral("Color Separation Creation"));

  // Pre-processing: the three watercolour sliders, each under its name and
  // over its value.
  auto* preGroup = new QGroupBox(QStringLiteral("Pre-Processing"), this);
  auto* preLayout = new QGridLayout(preGroup);
  const char* const names[] = {"Dark", "Lite", "Sat"};
  const char* const objectNames[] = {"dark", "lite", "sat", "liteness"};
  const char* const tips[] = {
      "Dark: how much of the photo's shadow the pre-processed image keeps.\n"
      "Higher keeps the dark tones deep; lower brightens the whole image.",
      "Lite: lightness added to the photo before it is pre-processed.\nHigher gives a paler image.",
      "Sat: colour strength of the pre-processed image.\n"
      "Higher gives stronger colours, 50 keeps them as in the photo, lower greys them.",
      "Liteness: how light the outline is drawn over the layered image.\nHigher gives a paler outline."};
  for (int i = kDark; i <= kSat; ++i) {
    auto* caption = new QLabel(QString::fromLatin1(names[i]), preGroup);
    caption->setAlignment(Qt::AlignCenter);
    m_sliders[i] = Dialog_Slider(Qt::Vertical, preGroup);
    m_sliderValues[i] = Dialog_Value_Label(preGroup);
    preLayout->addWidget(caption, 0, i);
    preLayout->addWidget(m_sliders[i], 1, i, Qt::AlignHCenter);
    preLayout->addWidget(m_sliderValues[i], 2, i);
  }
  preGroup->setToolTip(
      QStringLiteral("The photo is simplified into a watercolour image, shown in the "
                     "PreProcessing window, before its colours are separated."));

  // Colours and rows.
  auto* rowsGroup = new QGroupBox(QStringLiteral("Separations"), this);
  auto* rowsLayout = new QVBoxLayout(rowsGroup);
  auto* setsLabel = new QLabel(QStringLiteral("Color Sets:"), rowsGroup);
  m_colorSets = new QComboBox(rowsGroup);
  m_colorSets->setObjectName(QStringLiteral("colorSets"));
  m_colorSets->setToolTip(
      QStringLiteral("The stock set of paint colours the rows choose from.\n"
                     "Choosing a set calculates a palette for the photo and puts it in the rows."));
  setsLabel->setBuddy(m_colorSets);
  auto* setsLayout = new QHBoxLayout;
  setsLayout->addWidget(setsLabel);
  setsLayout->addWidget(m_colorSets, 1);
  rowsLayout->addLayout(setsLayout);
  auto* rowGrid = new QGridLayout;
  rowGrid->setColumnStretch(1, 1);
  rowsLayout->addLayout(rowGrid);
  for (int row = 0; row < SeparationDialogController::kRowCount; ++row) {
    m_radios[row] = new QRadioButton(QString::number(row + 1), rowsGroup);
    m_radios[row]->setObjectName(QStringLiteral("radio%1").arg(row));
    // The radio buttons show the row being worked on; the rows are made by
    // the buttons below, so a click changes nothing.
    m_radios[row]->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_radios[row]->setFocusPolicy(Qt::NoFocus);
    m_radios[row]->setToolTip(QStringLiteral("Marks the row being worked on."));
    m_rows[row] = new QComboBox(rowsGroup);
    m_rows[row]->setObjectName(QStringLiteral("row%1").arg(row));
    m_rows[row]->setMinimumContentsLength(16);
    m_rows[row]->setToolTip(
        QStringLiteral("The paint colour of separation %1 (\"-NONE-\" leaves the row out).\n"
                       "Changing it makes this row again, and every later row that "
                       "has regions.")
            .arg(row + 1));
    rowGrid->addWidget(m_radios[row], row, 0);
    rowGrid->addWidget(m_rows[row], row, 1);
  }
  auto* brushLabel = new QLabel(QStringLiteral("Brush Size:"), rowsGroup);
  m_brushSize = new QLineEdit(rowsGroup);
  m_brushSize->setObjectName(QStringLiteral("brushSize"));
  m_brushSize->setMaxLength(6);
  m_brushSize->setMaximumWidth(m_brushSize->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16);
  m_brushSize->setToolTip(
      QStringLiteral("Size of the clean-up of each separation, a whole number from 2 to 32.\n"
                     "Larger sizes smooth away more small detail: fewer, simpler regions."));
  brushLabel->setBuddy(m_brushSize);
  auto* brushLayout = new QHBoxLayout;
  brushLayout->addWidget(brushLabel);
  brushLayout->addWidget(m_brushSize);
  brushLayout->addStretch(1);
  rowsLayout->addLayout(brushLayout);
  m_alwaysCalculate = new QCheckBox(QStringLiteral("Always Calculate New Palette"), rowsGroup);
  m_alwaysCalculate->setObjectName(QStringLiteral("alwaysCalculatePalette"));
  m_alwaysCalculate->setToolTip(
      QStringLiteral("Calculate a new palette from the colour set before separations are made,\n"
                     "replacing the rows' colours.  Choosing a row's colour by hand turns this off."));
  rowsLayout->addWidget(m_alwaysCalculate);

  auto* previewAll = new QPushButton(QStringLiteral("Preview All Seps"), rowsGroup);
  previewAll->setObjectName(QStringLiteral("previewAllSeps"));
  previewAll->setToolTip(
      QStringLiteral("Make the separations of all rows at once, replacing the existing regions."));
  auto* start = new QPushButton(QStringLiteral("Start Sequence"), rowsGroup);
  start->setObjectName(QStringLiteral("startSequence"));
  start->setToolTip(
      QStringLiteral("Make the separations one row at a time: deletes the existing regions\n"
                     "(after asking) and makes the first row's separation."));
  auto* next = new QPushButton(QStringLiteral("Next Separation"), rowsGroup);
  next->setObjectName(QStringLiteral("nextSeparation"));
  next->setToolTip(QStringLiteral("Make the separation of the next row that has a colour."));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(previewAll);
  buttons->addWidget(start);
  buttons->addWidget(next);
  rowsLayout->addStretch(1);
  rowsLayout->addLayout(buttons);

  // How the outline is merged into the layered image.
  auto* outlineGroup = new QGroupBox(QStringLiteral("Outline"), this);
  auto* outlineLayout = new QVBoxLayout(outlineGroup);
  m_hideOutline = new QCheckBox(QStringLiteral("Hide Outline"), outlineGroup);
  m_hideOutline->setObjectName(QStringLiteral("hideOutline"));
  m_hideOutline->setToolTip(QStringLiteral("Leave the outline out of the layered image."));
  m_sliders[kLiteness] = Dialog_Slider(Qt::Vertical, outlineGroup);
  m_sliderValues[kLiteness] = Dialog_Value_Label(outlineGroup);
  auto* litenessCaption = new QLabel(QStringLiteral("Liteness"), outlineGroup);
  litenessCaption->setAlignment(Qt::AlignCenter);
  m_contrast = new QCheckBox(QStringLiteral("Contrast"), outlineGroup);
  m_contrast->setObjectName(QStringLiteral("contrast"));
  m_contrast->setToolTip(QStringLiteral("Draw the outline darker, for more contrast."));
  auto* outlineEditor = new QPushButton(QStringLiteral("Outline Editor"), outlineGroup);
  outlineEditor->setObjectName(QStringLiteral("outlineEditor"));
  outlineEditor->setToolTip(QStringLiteral("Open the outline dialog to find and draw the photo's outline."));
  outlineLayout->addWidget(m_hideOutline);
  outlineLayout->addWidget(m_sliders[kLiteness], 1, Qt::AlignHCenter);
  outlineLayout->addWidget(litenessCaption);
  outlineLayout->addWidget(m_sliderValues[kLiteness]);
  outlineLayout->addWidget(m_contrast);
  outlineLayout->addWidget(outlineEditor);

  for (int i = 0; i < kSliderCount; ++i) {
    m_sliders[i]->setObjectName(QString::fromLatin1(objectNames[i]) + QStringLiteral("Slider"));
    m_sliderValues[i]->setObjectName(QString::fromLatin1(objectNames[i]) + QStringLiteral("Value"));
    m_sliders[i]->setToolTip(QString::fromLatin1(tips[i]));
    m_sliderValues[i]->setToolTip(QString::fromLatin1(tips[i]));
  }

  // The status line and Close.
  m_status = new QLabel(QStringLiteral("Status Message"), this);
  m_status->setObjectName(QStringLiteral("status"));
  m_status->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  m_status->setTextFormat(Qt::PlainText);
  m_status->setMinimumWidth(m_status->fontMetrics().averageCharWidth() * 48);
  m_status->setMinimumHeight(m_status->fontMetrics().height() + 6);
  m_status->setToolTip(QStringLiteral("What the dialog is doing."));
  m_close = new QPushButton(QStringLiteral("Close"), this);
  m_close->setObjectName(QStringLiteral("close"));
  m_close->setDefault(true);
  m_close->setToolTip(QStringLiteral("Keep these settings and close."));

  auto* groups = new QHBoxLayout;
  groups->addWidget(preGroup);
  groups->addWidget(rowsGroup, 1);
  groups->addWidget(outlineGroup);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(m_status, 1);
  bottom->addWidget(m_close);
  auto* page = new QVBoxLayout(this);
  page->addLayout(groups);
  page->addLayout(bottom);
  page->setSizeConstraint(QLayout::SetMinimumSize);

  // Tab order: top to bottom, left to right.
  QWidget* order[] = {m_sliders[kDark],
                      m_sliders[kLite],
                      m_sliders[kSat],
                      m_colorSets,
                      m_rows[0],
                      m_rows[1],
                      m_rows[2],
                      m_rows[3],
                      m_rows[4],
                      m_brushSize,
                      m_alwaysCalculate,
                      previewAll,
                      start,
                      next,
                      m_hideOutline,
                      m_sliders[kLiteness],
                      m_contrast,
                      outlineEditor,
                      m_close};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  // Slider moves are applied once the events that are waiting have been
  // handled: a drag over a slow render costs one render per pass, always at
  // the latest position.
  m_sliderTimer = new QTimer(this);
  m_sliderTimer->setSingleShot(true);
  m_sliderTimer->setInterval(0);
  connect(m_sliderTimer, &QTimer::timeout, this, [this] { Apply_Pending_Sliders(); });
  for (int i = 0; i < kSliderCount; ++i) {
    const auto slider = static_cast<Slider>(i);
    connect(m_sliders[i], &QSlider::valueChanged, this, [this, slider] { Slider_Moved(slider); });
  }

  connect(m_colorSets, &QComboBox::activated, this, [this](int index) {
    if (index == m_controller.Controls().colorSetSelection) return;
    Act([this, index] { m_controller.On_Color_Set_Selected(index); });
  });
  for (int row = 0; row < SeparationDialogController::kRowCount; ++row) {
    connect(m_rows[row], &QComboBox::activated, this, [this, row](int index) {
      if (index == m_controller.Controls().rows[row].selection) return;
      Act([this, row, index] { m_controller.On_Row_Color_Selected(row, index); });
    });
  }
  connect(m_brushSize, &QLineEdit::textEdited, this, [this](const QString& text) {
    Act([this, text] { m_controller.Set_Brush_Size_Text(text.toStdString()); });
  });
  connect(m_alwaysCalculate, &QCheckBox::clicked, this, [this](bool checked) {
    Act([this, checked] { m_controller.Set_Always_Calculate_Palette(checked); });
  });
  connect(m_hideOutline, &QCheckBox::clicked, this,
          [this](bool checked) { Act([this, checked] { m_controller.On_Hide_Outline_Clicked(checked); }); });
  connect(m_contrast, &QCheckBox::clicked, this,
          [this](bool checked) { Act([this, checked] { m_controller.On_Contrast_Clicked(checked); }); });
  connect(previewAll, &QPushButton::clicked, this,
          [this] { Act([this] { m_controller.On_Preview_All_Seps(); }); });
  connect(start, &QPushButton::clicked, this, [this] { Act([this] { m_controller.On_Start_Sequence(); }); });
  connect(next, &QPushButton::clicked, this, [this] { Act([this] { m_controller.On_Next_Separation(); }); });
  connect(outlineEditor, &QPushButton::clicked, this,
          [this] { Act([this] { m_controller.On_Outline_Editor(); }); });
  connect(m_close, &QPushButton::clicked, this, [this] { accept(); });
}

// ---------------------------------------------------------------------------
// Binding

void SeparationDialog::Refresh() {
  const SeparationDialogControls& c = m_controller.Controls();
  Show_Items(m_colorSets, c.colorSets, c.colorSetSelection, false);
  for (int row = 0; row < SeparationDialogController::kRowCount; ++row) {
    Show_Items(m_rows[row], c.rows[row].items, c.rows[row].selection, true);
    m_radios[row]->setChecked(row == c.checkedRadio);
  }
  if (m_brushSize->text() != Dialog_Text(c.brushSizeText)) m_brushSize->setText(Dialog_Text(c.brushSizeText));
  m_alwaysCalculate->setChecked(c.alwaysCalculatePalette);
  m_hideOutline->setChecked(c.hideOutline);
  m_contrast->setChecked(c.contrast);

  const int32_t positions[] = {c.darkPosition, c.litePosition, c.satPosition, c.litenessPosition};
  const std::string* values[] = {&c.darkValue, &c.liteValue, &c.satValue, &c.litenessValue};
  for (int i = 0; i < kSliderCount; ++i) {
    // A slider the user holds, or whose move is still to be applied, keeps
    // its thumb where the user put it.
    if (!m_sliderPending[i] && !m_sliders[i]->isSliderDown()) {
      const QSignalBlocker blocker(m_sliders[i]);
      m_sliders[i]->setValue(Slider_Position(m_sliders[i], positions[i]));
    }
    m_sliderValues[i]->setText(Dialog_Text(*values[i]));
  }
  m_status->setText(Dialog_Text(c.status));
}

void SeparationDialog::Act(const std::function<void()>& action) {
  // Message boxes and the progress box let events through while a handler
  // works; a click then must not start a second handler inside the first.
  if (m_busy) return;
  m_busy = true;
  action();
  m_busy = false;
  Refresh();
  for (bool pending : m_sliderPending) {
    if (pending) m_sliderTimer->start();
  }
}

void SeparationDialog::Slider_Moved(Slider slider) {
  m_sliderPending[slider] = true;
  if (!m_busy && !m_sliderTimer->isActive()) m_sliderTimer->start();
}

void SeparationDialog::Apply_Pending_Sliders() {
  Act([this] {
    for (int i = 0; i < kSliderCount; ++i) {
      if (!m_sliderPending[i]) continue;
      m_sliderPending[i] = false;
      const int position = Slider_Position(m_sliders[i], m_sliders[i]->value());
      switch (i) {
        case kDark:
          m_controller.On_Dark_Slider(position);
          break;
        case kLite:
          m_controller.On_Lite_Slider(position);
          break;
        case kSat:
          m_controller.On_Sat_Slider(position);
          break;
        default:
          m_controller.On_Liteness_Slider(position);
          break;
      }
    }
  });
}

void SeparationDialog::Status_Changed() {
  // The work goes on without returning to the event loop: paint the status
  // line (and the row it names) now.
  Refresh();
  m_status->repaint();
  for (QRadioButton* radio : m_radios) radio->repaint();
}

bool SeparationDialog::Run_Outline_Editor() {
  if (m_openOutlineWindows && !m_openOutlineWindows()) return false;
  const bool saved = OutlineDialog::Run(m_outline, m_outlineSeed, this);
  if (m_outlineEditorClosed) m_outlineEditorClosed(saved);
  return saved;
}

// ---------------------------------------------------------------------------
// The dialog's ends

int SeparationDialog::exec() {
  if (!m_initialised) return QDialog::Rejected;
  return QDialog::exec();
}

void SeparationDialog::accept() {
  Act([this] {
    if (m_controller.On_Close()) QDialog::accept();
  });
}

void SeparationDialog::reject() {
  if (m_busy) return;
  QDialog::reject();
}
