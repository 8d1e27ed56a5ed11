#pragma once
// Splitting stored paths.  Region lists may come from a system whose folder
// separator is "\", so both "/" and "\" count as separators when a path is
// taken apart; paths the program builds use "/".

#include <string>
#include <string_view>

// The file name after the last separator (the whole path when there is none).
std::string Path_File_Name(std::string_view path);
// True when the path contains a separator.
bool Path_Has_Folder(std::string_view path);
// Everything up to and including the last separator ("" when there is none).
std::string Path_Folder(std::string_view path);
// The text after the last "." of the file name, provided that "." is not the
// file name's first character; "" when there is no such extension.
std::string Path_Extension(std::string_view path);
// A file name (no folder part) without its last extension: the text before
// its last "."; the whole name when it has none.  Unlike Path_Extension, a
// "." at the start counts, so ".bmp" has the empty title.
std::string File_Title(std::string_view name);
// `folder` and `name` joined with "/" (no separator is doubled).
std::string Path_Join(std::string_view folder, std::string_view name);
