#pragma once
// The layer stack of the program's layered image at the working size.

#include <string>

#include "export/LayerStack.h"

struct ExportSource;

// Takes the layered image of `source` apart, exactly as the program
// composes it: one layer per region of the region list in drawing order
// (named "ROW COLOUR SERIAL", e.g. "2 Burnt Sienna 14"), each holding the
// region's paint as it glazes it at 100 % with coverage 255 where it paints
// and 0 elsewhere; the outline as the grey whose Linear Burn over the
// regions' picture darkens it as the program's outline merge does (empty
// without an outline or when it is hidden); the source map as the photo
// (empty without one); the layered map as the composite.  False with the
// reason when there is no layered map or the list holds something other
// than regions.
bool Build_Working_Layer_Stack(const ExportSource& source, LayerStack& stack, std::string& err);

// The layer's name for a region: the separation row (1-based), the row's
// paint colour from the standard colour table and the serial number.
std::string Region_Layer_Name(int16_t separationId, const std::string& paintName, int16_t serial);
// The standard colour's name, or "Colour N" for an index outside the table.
std::string Paint_Colour_Name(int16_t colourIndex);
