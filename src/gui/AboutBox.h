#pragma once
// The About box: the product's name and version with an OK button.

#include <QDialog>

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kVersion = "Version 1.0";

  explicit AboutBox(QWidget* parent = nullptr);
};
