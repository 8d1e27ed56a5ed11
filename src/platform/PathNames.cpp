#include "platform/PathNames.h"

namespace {

size_t Last_Separator(std::string_view path) {
  return path.find_last_of("/\\");
}

}  // namespace

std::string Path_File_Name(std::string_view path) {
  const size_t sep = Last_Separator(path);
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

bool Path_Has_Folder(std::string_view path) {
  return Last_Separator(path) != std::string_view::npos;
}

std::string Path_Folder(std::string_view path) {
  const size_t sep = Last_Separator(path);
  return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep + 1));
}

std::string Path_Extension(std::string_view path) {
  const size_t sep = Last_Separator(path);
  const std::string_view name = sep == std::string_view::npos ? path : path.substr(sep + 1);
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return std::string();
  return std::string(name.substr(dot + 1));
}

std::string File_Title(std::string_view name) {
  const size_t dot = name.rfind('.');
  return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::string Path_Join(std::string_view folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  std::string out(folder);
  if (out.back() != '/' && out.back() != '\\') out += '/';
  out += name;
  return out;
}
