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

// True when `path` is a plain file the program may read.  Nothing is
// opened, so a named pipe cannot hold the program up.
bool Is_Readable_Plain_File(const std::string& path);
