#pragma once
// Open and save dialogs on QFileDialog.

#include <QPointer>
#include <QString>
#include <QWidget>
#include <string>

#include "platform/PlatformServices.h"

class QFileDialog;

// The program's bar-separated filter ("BMP (*.bmp)|*.bmp|PNG (*.png)|*.png||":
// pairs of description and ';'-separated patterns, ended by an empty
// description) in Qt's form ("BMP (*.bmp);;PNG (*.png)").  Qt takes a
// filter's patterns from the parentheses at the end of its text, separated
// by blanks, so the patterns of the second field replace whatever the
// description has in its closing parentheses ("All Formats (*.bmp; *.tif)"
// would give Qt the pattern "*.bmp;"), or are added in parentheses when it
// has none.  "*.*" means every file and becomes "*", which also lists files
// without a dot.
std::string Qt_Name_Filters(const std::string& filter);

// The suffix Qt adds to a typed name without one: `defaultExt` without a
// leading dot; none for "*" or "".
std::string Qt_Default_Suffix(const std::string& defaultExt);

// `path` with ".defaultExt" added when its file name has no dot (the user
// typed a name without an extension).  A defaultExt of "*" or "" adds none.
std::string Apply_Default_Extension(const std::string& path, const std::string& defaultExt);

class QtFileDialogs : public FileDialogService {
 public:
  // Dialogs are centred on `window` (the main window).
  void Set_Parent(QWidget* window) { m_parent = window; }

  bool Open_File_Dialog(const FileDialogSpec& dialogRequest, std::string& path) override;
  bool Save_File_Dialog(const FileDialogSpec& dialogRequest, std::string& path) override;

  // The folder of the last file chosen in this run; dialogs that are given
  // no folder start there.  Empty before the first choice.
  const QString& Last_Folder() const { return m_lastFolder; }

 private:
  bool Run(bool save, const FileDialogSpec& dialogRequest, std::string& path);
  void Start_In(QFileDialog& dialog, const std::string& initialPath) const;

  QPointer<QWidget> m_parent;
  QString m_lastFolder;
};
