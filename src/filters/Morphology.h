#pragma once
// Morphology on whole maps, built on the convolution filter's disc extremes.

#include <cstdint>
#include <string>

#include "raster/OffMap.h"

class MessageService;

// Morphological opening of the dark parts of a colour map: the lightest
// pixel of each disc of firstRadius, then the darkest of each disc of
// secondRadius, so that dark details narrower than the first disc vanish
// and the rest regains its size.  (Grey maps take the opposite extremes.)
// Radii below 1 are refused before the map changes.
bool Do_Open_Morphology(OffMap& map, int16_t firstRadius, int16_t secondRadius, MessageService& messages,
                        std::string& err);
