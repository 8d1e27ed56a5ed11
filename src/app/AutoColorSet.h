#pragma once
// Choosing a stock colour set for a photo: every stock set is tried on the
// photo at a small working size, each with the palette calculated from it
// (the separation dialog with "Always Calculate New Palette" on, "Preview
// All Seps"), and the set whose layered image is closest to the photo wins.
//
// Closeness is the mean CIE 1976 colour difference (Delta E in CIELAB)
// between the layered image and the source map, pixel by pixel over the
// whole picture at the trial size.  The trials never touch the application
// they are taken from: each runs in an application of its own, fed from the
// photo the given render manager decoded, so the separations made afterwards
// at the working size are exactly those of choosing the set by hand.

#include <cstdint>
#include <string>
#include <vector>

#include "separation/Settings.h"

class RenderMan;

struct ColorSetScore {
  int16_t colorSet = 0;
  double meanDeltaE = 0;  // CIE76, over the trial picture
};

struct AutoColorSetResult {
  int16_t chosen = 0;      // the set with the smallest score (the lower index among equals)
  int32_t trialWidth = 0;  // the size the trials ran at
  int32_t trialHeight = 0;
  std::vector<ColorSetScore> scores;  // every stock set, by index
};

// The longest side of the trials' working size.
inline constexpr int32_t kAutoColorSetTrialSide = 200;

// The trials' size for a working size of width x height: the working size
// itself when its longer side is at most kAutoColorSetTrialSide, else the
// working size scaled to that longer side, each side at least the smallest
// working side (100) and at most the working side.
void Auto_ColorSet_Trial_Size(int32_t width, int32_t height, int32_t& trialWidth, int32_t& trialHeight);

// Tries every stock set on the photo `renderMan` holds (its decoded photo,
// its working size and its greyscale flag), with `settings` as the
// separation settings of every trial (the colour set and "Always Calculate
// New Palette" are set per trial), on `threads` threads (at least one; the
// result does not depend on the number).  `photoPath` is the document's
// photo path the trials carry.  False with `err` when the render manager
// holds no photo or a trial fails (then `err` says which and why).
bool Choose_Stock_ColorSet(RenderMan& renderMan, const Settings& settings, const std::string& photoPath,
                           int32_t threads, AutoColorSetResult& result, std::string& err);
