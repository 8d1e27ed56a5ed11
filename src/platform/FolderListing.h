#pragma once
// Listing the files of a folder.

#include <string>
#include <vector>

// The names of the plain files of `folder`, sorted by their bytes, so that
// the answer never depends on the order the file system lists them in.
// Folders, the "." and ".." entries and anything else that is not a file
// (a pipe or a device would block or fail when read) are left out.  A
// missing or unreadable folder has none.
std::vector<std::string> Plain_Files_In_Folder(const std::string& folder);
