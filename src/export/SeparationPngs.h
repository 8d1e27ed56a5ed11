#pragma once
// The separations as transparent pictures: one PNG of the whole canvas per
// separation, for screen printers and plotters.  Pictures of one folder lie
// on each other exactly.

#include <cstdint>
#include <string>
#include <vector>

#include "export/LayerStack.h"

class PictureCodec;

// One separation's picture: the canvas, four bytes a pixel (red, green,
// blue, alpha), its region layers laid in with their coverage as alpha.
struct SeparationPicture {
  std::string fileName;  // e.g. "1-Burnt-Sienna.png": row, paint colour
  int16_t separationId = -1;
  std::string paintName;
  std::vector<uint8_t> rgba;
};

// The file name of a separation's picture: its row (1-based), a "-", and
// its paint colour's name with every character other than a letter or a
// digit made "-", then ".png".
std::string Separation_File_Name(int16_t separationId, const std::string& paintName);
// The pictures of the stack's separations, by row.  A separation is the
// regions of one row and paint colour; where two of its regions overlap
// (an edited list), the later one is glazed over the earlier and the
// coverage is the larger.
std::vector<SeparationPicture> Separation_Pictures(const LayerStack& stack);
// Creates `folder` when missing and writes every picture into it (each
// file through a temporary sibling); `written` gets the paths in order.
// False with the reason at the first failure.
bool Write_Separation_Pngs(const LayerStack& stack, const std::string& folder, PictureCodec& codec,
                           std::vector<std::string>& written, std::string& err);
