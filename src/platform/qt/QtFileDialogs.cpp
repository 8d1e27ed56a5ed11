#include "platform/qt/QtFileDialogs.h"

#include <QByteArray>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "*.bmp;*.tif" -> "*.bmp *.tif".
std::string Qt_Patterns(const std::string& patterns) {
  std::string joined;
  for (const std::string& part : Split(patterns, ';')) {
    std::string pattern = Trimmed(part);
    if (pattern.empty()) continue;
    // Cut to its first character rather than assigned a literal: GCC 12
    // wrongly warns (-Wrestrict) about that assignment in sanitizer builds.
    if (pattern == "*.*") pattern.erase(1);
    if (!joined.empty()) joined += ' ';
    joined += pattern;
  }
  return joined;
}

// The description with `patterns` in its closing parentheses.  Whatever
// comes before them, blanks included, is kept as it is.
std::string Named_Filter(const std::string& description, const std::string& patterns) {
  std::string name = description;
  const size_t open = name.rfind('(');
  if (!name.empty() && name.back() == ')' && open != std::string::npos) {
    name.erase(open);
  } else if (!name.empty() && name.back() != ' ') {
    name += ' ';
  }
  return name + '(' + patterns + ')';
}

QString Path_To_Qt(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string Path_From_Qt(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace

std::string Qt_Name_Filters(const std::string& filter) {
  const std::vector<std::string> fields = Split(filter, '|');
  std::string result;
  for (size_t i = 0; i < fields.size() && !fields[i].empty(); i += 2) {
    const std::string patterns = i + 1 < fields.size() ? Qt_Patterns(fields[i + 1]) : std::string();
    if (patterns.empty()) continue;
    if (!result.empty()) result += ";;";
    result += Named_Filter(fields[i], patterns);
  }
  return result;
}

std::string Qt_Default_Suffix(const std::string& defaultExt) {
  if (defaultExt == "*") return std::string();
  return defaultExt.starts_with('.') ? defaultExt.substr(1) : defaultExt;
}

std::string Apply_Default_Extension(const std::string& path, const std::string& defaultExt) {
  const std::string suffix = Qt_Default_Suffix(defaultExt);
  const size_t slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (suffix.empty() || name.empty() || name.find('.') != std::string::npos) return path;
  return path + '.' + suffix;
}

bool QtFileDialogs::Open_File_Dialog(const FileDialogSpec& dialogRequest, std::string& path) {
  return Run(false, dialogRequest, path);
}

bool QtFileDialogs::Save_File_Dialog(const FileDialogSpec& dialogRequest, std::string& path) {
  return Run(true, dialogRequest, path);
}

// A suggested folder opens the dialog there; a suggested file name is
// selected, in its own folder when it has one and otherwise in the last
// folder used.
void QtFileDialogs::Start_In(QFileDialog& dialog, const std::string& initialPath) const {
  const QString initial = Path_To_Qt(initialPath);
  if (!initial.isEmpty() && QFileInfo(initial).isDir()) {
    dialog.setDirectory(initial);
    return;
  }
  if (!m_lastFolder.isEmpty()) dialog.setDirectory(m_lastFolder);
  if (!initial.isEmpty()) dialog.selectFile(initial);
}

bool QtFileDialogs::Run(bool save, const FileDialogSpec& dialogRequest, std::string& path) {
  QFileDialog dialog(m_parent);
  if (!dialogRequest.title.empty()) dialog.setWindowTitle(QString::fromStdString(dialogRequest.title));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !dialogRequest.overwritePrompt);
  const QString filters = QString::fromStdString(Qt_Name_Filters(dialogRequest.filter));
  if (!filters.isEmpty()) dialog.setNameFilters(filters.split(QStringLiteral(";;")));
  // Set on the dialog too, so that the overwrite question asks about the
  // name with its extension.
  dialog.setDefaultSuffix(QString::fromStdString(Qt_Default_Suffix(dialogRequest.defaultExt)));
  Start_In(dialog, dialogRequest.initialPath);

  if (dialog.exec() != QDialog::Accepted) return false;
  const QStringList chosen = dialog.selectedFiles();
  path = chosen.isEmpty() ? std::string() : Path_From_Qt(chosen.first());
  // A desktop's own save dialog may leave the extension to the program.  An
  // opened file is taken as chosen: it exists under that name.
  if (save) path = Apply_Default_Extension(path, dialogRequest.defaultExt);
  if (!path.empty()) m_lastFolder = QFileInfo(Path_To_Qt(path)).absolutePath();
  return true;
}
