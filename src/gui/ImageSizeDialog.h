#pragma once
// The "Image Size" dialog: a Width and a Height edit over an
// ImageSizeController.  Typing into one edit sets the other so that the
// photo keeps its aspect; OK hands the size to the controller, which checks
// it (100 to 500 pixels), asks before the regions go and resamples the
// photo; the dialog stays open whenever the controller says so.
//
// Widgets carry object names for tests: width, height, ok, cancel.

#include <QDialog>
#include <functional>

class ImageSizeController;
class QLineEdit;

class ImageSizeDialog : public QDialog {
  Q_OBJECT

 public:
  // `regionsExist` tells OK whether the regions must go first; it is asked
  // when OK is pressed.
  ImageSizeDialog(ImageSizeController& controller, std::function<bool()> regionsExist,
                  QWidget* parent = nullptr);

  QLineEdit* Width_Edit() const { return m_width; }
  QLineEdit* Height_Edit() const { return m_height; }

  // The number in an edit; -1 when it holds none.
  static int32_t Edit_Value(const QLineEdit* edit);

 public slots:
  void accept() override;

 private:
  void Show_Size();

  ImageSizeController& m_controller;
  std::function<bool()> m_regionsExist;
  QLineEdit* m_width;
  QLineEdit* m_height;
};
