#pragma once
// Codes of the program's map-window configurations.  Every map window shows
// one of these; the code picks its title, the map its pane shows and its
// first place in the frame.

#include <cstdint>

// The window configurations of the program, by configuration code.
enum WindowCode : int16_t {
  kWindowPhoto = 3,            // "Photo"
  kWindowRegionObjects = 4,    // "Region OBJECTS" (the region list view)
  kWindowLayered = 5,          // "Layered"
  kWindowSubtracted = 6,       // "SUBTRACTED Result"
  kWindowCurSelectRegion = 7,  // "Cur Select REGION"
  kWindowPreProcessing = 8,    // "PreProcessing"
};
