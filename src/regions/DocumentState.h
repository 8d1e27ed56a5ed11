#pragma once
// DocumentState: what the program knows about the illustration it has open,
// apart from its maps and regions: where it came from, where it was saved,
// whether it changed since, and the numbers handed to new separations and
// regions.  The application object owns the one record; the controllers and
// the list-file commands are given it.

#include <cstdint>
#include <string>

struct DocumentState {
  // The source photo; a photo counts as loaded while this is not empty.
  std::string sourcePhotoPath;
  // Where the list file was last saved or loaded: its folder and full path.
  std::string listFolder;
  std::string listFilePath;
  // The illustration changed since it was last saved or loaded.
  bool hasChanges = false;
  // The separation id handed to the separation engine.
  int16_t currentSeparationID = -1;
  // New regions are numbered from here; loading a list sets it to the
  // highest number read.
  int16_t regionCounter = 0;

  bool Has_Source_Photo() const { return !sourcePhotoPath.empty(); }
};
