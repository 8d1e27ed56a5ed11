#pragma once
// The layered PSD file: the layer stack as an RGB, 8-bit Photoshop
// document that image editors open with its layers.
//
// Layers, bottom to top:
//  * "Photo": the photo, hidden, Normal (only when the stack has a photo);
//  * one layer per region, named as in the stack, blended with Linear Burn
//    ('lbrn'), with a transparency channel holding the coverage;
//  * "Outline": the outline grey, Linear Burn (only when the stack has one).
// The file's flattened picture (its image data section) is the stack's
// composite, so programs that read only that see the program's picture.
// Every channel is PackBits-compressed.

#include <cstdint>
#include <string>
#include <vector>

#include "export/LayerStack.h"

// The largest side a PSD file holds.
inline constexpr int32_t kPsdMaxSide = 30000;

// The file's bytes.  False with the reason when the stack cannot be written
// as a PSD (a side over 30000 pixels, an empty canvas, sizes not matching
// the canvas, or more than a PSD's 4 GB).
bool Encode_Layered_Psd(const LayerStack& stack, std::vector<uint8_t>& bytes, std::string& err);
// Encodes and writes the file through a temporary sibling renamed over
// `path` only when complete; an existing file stays as it was on failure.
bool Write_Layered_Psd(const LayerStack& stack, const std::string& path, std::string& err);
// The number of layers Write_Layered_Psd writes for `stack`.
int32_t Psd_Layer_Count(const LayerStack& stack);

// One row PackBits-compressed (as PSD channels are), appended to `out`.
void PackBits_Row(const uint8_t* row, size_t n, std::vector<uint8_t>& out);
