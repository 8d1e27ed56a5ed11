#include "gui/OutlineDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>
#include <initializer_list>
#include <iterator>
#include <string>

#include "gui/DialogWidgets.h"

namespace {

QToolButton* Arrow_Button(Qt::ArrowType arrow, const char* objectName, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setObjectName(QString::fromLatin1(objectName));
  button->setAutoRepeat(true);
  button->setFocusPolicy(Qt::TabFocus);
  return button;
}

}  // namespace

OutlineDialog::OutlineDialog(OutlineDialogController& controller, QWidget* parent)
    : QDialog(parent), m_controller(controller) {
  Build();
  m_busy = true;
  m_controller.OnInitDialog();
  m_busy = false;
  Refresh();
}

bool OutlineDialog::Run(const OutlineContext& context, uint32_t seed, QWidget* parent) {
  OutlineSession session(context, seed);
  OutlineDialog dialog(session.Controller(), parent);
  return dialog.exec() == QDialog::Accepted;
}

// ---------------------------------------------------------------------------
// Layout

void OutlineDialog::Build() {
  setWindowTitle(QStringLiteral("Outline Creation"));
  const QString takesEffect = QStringLiteral("\nTakes effect at the next Preview or Detect.");

  // "Detect Lines": what the detection looks for, and the two ways to run it.
  auto* detectGroup = new QGroupBox(QStringLiteral("Detect Lines"), this);
  auto* detectLayout = new QGridLayout(detectGroup);
  m_connectShortLines = new QCheckBox(QStringLiteral("Connect Short Lines"), detectGroup);
  m_connectShortLines->setObjectName(QStringLiteral("connectShortLines"));
  m_connectShortLines->setToolTip(QStringLiteral("Join lines that meet at a junction into longer lines.") +
                                  takesEffect);
  detectLayout->addWidget(m_connectShortLines, 0, 0, 1, 3);
  const struct {
    Slider slider;
    const char* caption;
    const char* name;
    const char* tip;
  } detectSliders[] = {
      {kDetail, "Detail", "detail",
       "Detail: further right finds finer lines (the photo is smoothed less before its edges are "
       "found)."},
      {kLineCount, "Line Count", "lineCount", "Line Count: further right finds more, fainter lines."},
  };
  int gridRow = 1;
  for (const auto& s : detectSliders) {
    auto* caption = new QLabel(QString::fromLatin1(s.caption), detectGroup);
    m_sliders[s.slider] = Dialog_Slider(Qt::Horizontal, detectGroup);
    m_sliders[s.slider]->setObjectName(QString::fromLatin1(s.name) + QStringLiteral("Slider"));
    m_sliders[s.slider]->setToolTip(QString::fromLatin1(s.tip) + takesEffect);
    m_sliderLabels[s.slider] = Dialog_Value_Label(detectGroup);
    m_sliderLabels[s.slider]->setObjectName(QString::fromLatin1(s.name) + QStringLiteral("Label"));
    caption->setBuddy(m_sliders[s.slider]);
    detectLayout->addWidget(caption, gridRow, 0);
    detectLayout->addWidget(m_sliders[s.slider], gridRow, 1);
    detectLayout->addWidget(m_sliderLabels[s.slider], gridRow, 2);
    ++gridRow;
  }
  auto* scaleCaption = new QLabel(QStringLiteral("Scale Bitmap:"), detectGroup);
  m_scale = new QLabel(detectGroup);
  m_scale->setObjectName(QStringLiteral("scaleLabel"));
  m_scale->setMinimumWidth(m_scale->fontMetrics().horizontalAdvance(QStringLiteral(" 0000")));
  m_scale->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* scaleUp = Arrow_Button(Qt::UpArrow, "scaleUp", detectGroup);
  auto* scaleDown = Arrow_Button(Qt::DownArrow, "scaleDown", detectGroup);
  const QString scaleTip = QStringLiteral(
      "Size, in percent of the photo, of the map the lines are found on (10 to 200).\n"
      "Smaller sizes find fewer, coarser lines.");
  for (QWidget* widget : std::initializer_list<QWidget*>{scaleCaption, m_scale, scaleUp, scaleDown})
    widget->setToolTip(scaleTip + takesEffect);
  auto* arrows = new QVBoxLayout;
  arrows->setSpacing(0);
  arrows->addWidget(scaleUp);
  arrows->addWidget(scaleDown);
  auto* scaleLayout = new QHBoxLayout;
  scaleLayout->addWidget(m_scale);
  scaleLayout->addWidget(new QLabel(QStringLiteral("%"), detectGroup));
  scaleLayout->addLayout(arrows);
  scaleLayout->addStretch(1);
  detectLayout->addWidget(scaleCaption, gridRow, 0);
  detectLayout->addLayout(scaleLayout, gridRow, 1, 1, 2);
  ++gridRow;
  auto* preview = new QPushButton(QStringLiteral("Preview"), detectGroup);
  preview->setObjectName(QStringLiteral("preview"));
  preview->setToolTip(
      QStringLiteral("Show in the PreProcessing window the edges the lines would be made from."));
  auto* detect = new QPushButton(QStringLiteral("Detect"), detectGroup);
  detect->setObjectName(QStringLiteral("detect"));
  detect->setToolTip(QStringLiteral("Find the lines with these settings and draw them in the line style."));
  auto* detectButtons = new QHBoxLayout;
  detectButtons->addStretch(1);
  detectButtons->addWidget(preview);
  detectButtons->addWidget(detect);
  detectLayout->addLayout(detectButtons, gridRow, 0, 1, 3);

  // "Modify Lines": the stroke, and three changes to the lines found.
  auto* modifyGroup = new QGroupBox(QStringLiteral("Modify Lines"), this);
  auto* modifyLayout = new QGridLayout(modifyGroup);
  auto* stylesCaption = new QLabel(QStringLiteral("Line Styles"), modifyGroup);
  m_lineStyles = new QComboBox(modifyGroup);
  m_lineStyles->setObjectName(QStringLiteral("lineStyles"));
  m_lineStyles->setToolTip(QStringLiteral("The pencil, charcoal or ink stroke the lines are drawn with."));
  stylesCaption->setBuddy(m_lineStyles);
  auto* stylesLayout = new QHBoxLayout;
  stylesLayout->addWidget(stylesCaption);
  stylesLayout->addWidget(m_lineStyles, 1);
  modifyLayout->addLayout(stylesLayout, 0, 0, 1, 3);
  const struct {
    Slider slider;
    const char* caption;
    const char* name;
    const char* tip;
  } modifySliders[] = {
      {kLineLengths, "   Line Lengths", "lineLengths", "Leave out the lines shorter than this many pixels."},
      {kSmooth, "Smooth   Lines", "smooth", "Smooth the lines: higher gives smoother, rounder lines."},
      {kNudge, "Random   Nudge", "nudge",
       "Shift every line by a small random amount, for a hand-drawn look: higher shifts further."},
  };
  int column = 0;
  for (const auto& s : modifySliders) {
    m_sliders[s.slider] = Dialog_Slider(Qt::Vertical, modifyGroup);
    m_sliders[s.slider]->setObjectName(QString::fromLatin1(s.name) + QStringLiteral("Slider"));
    // These repaint the outline: they act when the thumb is let go.
    m_sliders[s.slider]->setTracking(false);
    m_sliderLabels[s.slider] = Dialog_Value_Label(modifyGroup);
    m_sliderLabels[s.slider]->setObjectName(QString::fromLatin1(s.name) + QStringLiteral("Label"));
    auto* caption = new QLabel(QString::fromLatin1(s.caption), modifyGroup);
    caption->setAlignment(Qt::AlignCenter);
    caption->setWordWrap(true);
    caption->setMaximumWidth(caption->fontMetrics().horizontalAdvance(QStringLiteral("Lengths__")));
    for (QWidget* widget :
         std::initializer_list<QWidget*>{m_sliders[s.slider], m_sliderLabels[s.slider], caption})
      widget->setToolTip(QString::fromLatin1(s.tip));
    modifyLayout->addWidget(m_sliders[s.slider], 1, column, Qt::AlignHCenter);
    modifyLayout->addWidget(m_sliderLabels[s.slider], 2, column);
    modifyLayout->addWidget(caption, 3, column);
    ++column;
  }

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* save = buttons->addButton(QStringLiteral("Save"), QDialogButtonBox::AcceptRole);
  save->setObjectName(QStringLiteral("save"));
  save->setDefault(true);
  save->setToolTip(QStringLiteral("Keep the new outline and close."));
  QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("cancel"));
  cancel->setToolTip(QStringLiteral("Bring back the outline as it was when the dialog opened, and close."));

  auto* groups = new QHBoxLayout;
  groups->addWidget(detectGroup, 1);
  groups->addWidget(modifyGroup);
  auto* page = new QVBoxLayout(this);
  page->addLayout(groups);
  page->addWidget(buttons);
  page->setSizeConstraint(QLayout::SetMinimumSize);

  QWidget* order[] = {m_connectShortLines,
                      m_sliders[kDetail],
                      m_sliders[kLineCount],
                      scaleUp,
                      scaleDown,
                      preview,
                      detect,
                      m_lineStyles,
                      m_sliders[kLineLengths],
                      m_sliders[kSmooth],
                      m_sliders[kNudge],
                      save,
                      cancel};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  connect(m_connectShortLines, &QCheckBox::clicked, this,
          [this](bool checked) { Act([this, checked] { m_controller.Set_Connect_Short_Lines(checked); }); });
  for (int i = 0; i < kSliderCount; ++i) {
    const auto slider = static_cast<Slider>(i);
    connect(m_sliders[i], &QSlider::valueChanged, this,
            [this, slider](int value) { Slider_Changed(slider, Slider_Position(m_sliders[slider], value)); });
  }
  // The arrows as an up-down control reports them: a change below 1 for
  // "up" (a tenth more), anything else for "down".
  connect(scaleUp, &QToolButton::clicked, this,
          [this] { Act([this] { m_controller.On_Scale_Arrows(-1); }); });
  connect(scaleDown, &QToolButton::clicked, this,
          [this] { Act([this] { m_controller.On_Scale_Arrows(1); }); });
  connect(preview, &QPushButton::clicked, this, [this] { Act([this] { m_controller.On_Preview(); }); });
  connect(detect, &QPushButton::clicked, this, [this] { Act([this] { m_controller.On_Detect(); }); });
  connect(m_lineStyles, &QComboBox::activated, this, [this](int index) {
    if (index == m_controller.Controls().lineStyleSelection) return;
    Act([this, index] { m_controller.On_Line_Style_Selected(index); });
  });
  connect(buttons, &QDialogButtonBox::accepted, this, &OutlineDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &OutlineDialog::reject);
}

// ---------------------------------------------------------------------------
// Binding

void OutlineDialog::Refresh() {
  const OutlineDialogControls& c = m_controller.Controls();
  m_connectShortLines->setChecked(c.connectShortLines);
  const int32_t positions[] = {c.detailPosition, c.lineCountPosition, c.lineLengthsPosition, c.smoothPosition,
                               c.nudgePosition};
  const std::string* labels[] = {&c.detailLabel, &c.lineCountLabel, &c.lineLengthsLabel, &c.smoothLabel,
                                 &c.nudgeLabel};
  for (int i = 0; i < kSliderCount; ++i) {
    if (!m_sliders[i]->isSliderDown()) {
      const QSignalBlocker blocker(m_sliders[i]);
      m_sliders[i]->setValue(Slider_Position(m_sliders[i], positions[i]));
    }
    m_sliderLabels[i]->setText(Dialog_Text(*labels[i]));
  }
  m_scale->setText(Dialog_Text(c.scaleLabel));

  bool same = m_lineStyles->count() == static_cast<int>(c.lineStyles.size());
  for (int i = 0; same && i < m_lineStyles->count(); ++i)
    same = m_lineStyles->itemText(i) == Dialog_Text(c.lineStyles[i]);
  if (!same) {
    m_lineStyles->clear();
    for (const std::string& style : c.lineStyles) m_lineStyles->addItem(Dialog_Text(style));
  }
  m_lineStyles->setCurrentIndex(c.lineStyleSelection < m_lineStyles->count() ? c.lineStyleSelection : -1);
}

void OutlineDialog::Act(const std::function<void()>& action) {
  // Message boxes and the progress box let events through while a handler
  // works; a click then must not start a second handler inside the first.
  if (m_busy) return;
  m_busy = true;
  action();
  m_busy = false;
  Refresh();
}

void OutlineDialog::Slider_Changed(Slider slider, int position) {
  Act([this, slider, position] {
    switch (slider) {
      case kDetail:
        m_controller.On_Detail_Slider(position);
        break;
      case kLineCount:
        m_controller.On_Line_Count_Slider(position);
        break;
      case kLineLengths:
        m_controller.On_Line_Lengths_Slider(position);
        break;
      case kSmooth:
        m_controller.On_Smooth_Lines_Slider(position);
        break;
      default:
        m_controller.On_Random_Nudge_Slider(position);
        break;
    }
  });
}

// ---------------------------------------------------------------------------
// The dialog's ends

void OutlineDialog::accept() {
  Act([this] {
    if (m_controller.On_Save()) QDialog::accept();
  });
}

void OutlineDialog::reject() {
  Act([this] {
    if (m_controller.On_Cancel()) QDialog::reject();
  });
}
