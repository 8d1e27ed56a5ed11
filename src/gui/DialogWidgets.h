#pragma once
// Widgets the separation and outline dialogs build alike: their 0 to 100
// sliders with the value texts beside them.
//
// The controllers count a slider's position from the top (or the left),
// 0 to 100, and most show 100 minus it as the slider's value.  A vertical
// Qt slider counts from the bottom instead, so its own value is 100 minus
// the controller's position: the thumb rises and the groove fills as the
// value grows, and Up raises it.

#include <QLabel>
#include <QSlider>
#include <QString>
#include <string>

inline QString Dialog_Text(const std::string& text) {
  return QString::fromStdString(text);
}

inline QSlider* Dialog_Slider(Qt::Orientation orientation, QWidget* parent) {
  auto* slider = new QSlider(orientation, parent);
  slider->setRange(0, 100);
  slider->setSingleStep(1);
  slider->setPageStep(10);
  slider->setTickInterval(10);
  if (orientation == Qt::Vertical) {
    slider->setTickPosition(QSlider::TicksRight);
    slider->setMinimumHeight(120);
  } else {
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setMinimumWidth(160);
  }
  return slider;
}

// The controller's position of a slider's value, and the value of a
// position: one and the same turn.
inline int Slider_Position(const QSlider* slider, int valueOrPosition) {
  return slider->orientation() == Qt::Vertical ? 100 - valueOrPosition : valueOrPosition;
}

inline QLabel* Dialog_Value_Label(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setAlignment(Qt::AlignCenter);
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
  return label;
}
