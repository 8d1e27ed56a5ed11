#pragma once
// The help window of "Help Topics": the help page shipped inside the
// program (the workflow, each window, each dialog), shown in a browser that
// follows only the page's own anchors; nothing is fetched from anywhere.

#include <QDialog>

class QTextBrowser;

class HelpWindow : public QDialog {
  Q_OBJECT

 public:
  // The page as the program carries it (HTML).
  static const char* const kHelpPage;

  explicit HelpWindow(QWidget* parent = nullptr);

  QTextBrowser* Browser() const { return m_browser; }

 private:
  QTextBrowser* m_browser;
};
