#pragma once
// How far one picture is from another in colour.

#include <string>

class OffMap;

// The mean CIE 1976 colour difference (Delta_E_CIE76 in ColorSpace.h) of
// the pixels of `a` and `b`, pixel by pixel over the whole maps, their
// components read as sRGB.  The maps must have the same size and a depth of
// 8 or 24 bits (either may be grey); false with `err` otherwise.  Maps
// without pixels have a mean of 0.
bool Mean_Delta_E_CIE76(const OffMap& a, const OffMap& b, double& mean, std::string& err);
