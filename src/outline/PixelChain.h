#pragma once
// PixelChain: one line of the outline, an ordered list of pixels from one
// end of the line to the other.
//
// The seed fill delivers each connected group of line pixels as a chain in
// scan order; sorting orders the pixels by walking from an end pixel over
// 4-neighbours.  On top come the whole-list operations of outline drawing:
// joining chains at junctions, rescaling, thinning out and smoothing, the
// visibility and random shift the outline dialog changes, and matching a
// modified (drawn) copy with the detected chain it came from.
//
// A chain owns its pixels.  m_creationID is the number the seed fill gave
// the group (0, 1, 2, ... in the order found); copies carry it, and it is how
// a drawn copy is matched with the detected chain it came from.
//
// The pixel-level operations walk the list as it is stored.  The whole-chain
// algorithms (sorting, rebuilding, joining) index the pixels by coordinates
// while they work, so they take time in proportion to a chain's length.

#include <cstdint>
#include <functional>
#include <random>
#include <string>

#include "filters/ForkKernal.h"
#include "framework/Graphic.h"
#include "framework/ListMemry.h"
#include "outline/Pixel.h"

class MessageService;
class OffMap;
class Progress;

// What the user watches while chains are sorted: every sorted line is drawn
// black into `map` (the displayed filter map; may be null) and `redraw`
// (may be empty) shows it.
struct ChainSortDisplay {
  OffMap* map = nullptr;
  std::function<void()> redraw;
};

class PixelChain : public ListMemry<Pixel> {
 public:
  PixelChain() = default;
  // Copies of all pixels, in order, and of every field.
  PixelChain(const PixelChain& other);
  PixelChain& operator=(const PixelChain&) = delete;

  // ---- pixels ---------------------------------------------------------------------
  // Any stored pixel at (x, y).
  bool Contains_Pixel(int16_t x, int16_t y) const;
  // Appends (x, y) unless it is stored already; true when appended.
  bool Add_Pixel_If_Absent(int16_t x, int16_t y);
  // Removes the last stored pixel at (x, y); false when there is none.
  bool Remove_Pixel(int16_t x, int16_t y);
  // Empties `out`, then appends a copy of every stored pixel that is a
  // 4-neighbour of `pixel`, in stored order; returns their number.
  int32_t Count_4_Neighbours(const Pixel& pixel, ListMemry<Pixel>& out) const;
  // Appends to `out` a copy of the first stored pixel with exactly one
  // 4-neighbour in the chain and returns 1; 0 when there is none.
  int32_t Find_End_Pixel(ListMemry<Pixel>& out) const;
  // Appends copies of the source's pixels, in order, and takes its spacing;
  // returns the number appended.
  int32_t Append_Copies(const PixelChain& source);

  // Orders the pixels by walking from an end pixel (the first stored pixel
  // when the chain is a closed loop) to the first remaining 4-neighbour, step
  // by step; diagonal steps are never taken.  Pixels the walk does not reach
  // are copied into `unsorted` (emptied first) and counted in
  // `unsortedCount`; the chain keeps the walked pixels only.
  bool Sort_Pixels_return_List_of_Unsorted_Pixels(int32_t& unsortedCount, PixelChain& unsorted,
                                                  std::string& err);

  // ---- lists of chains ------------------------------------------------------------------
  // Sorts every chain of the list; copies of the unsorted rests of more than
  // 3 pixels go to `leftovers` (emptied first).  Progress "Sorting pixels...".
  static bool Sort_All_Chains(ListMemry<PixelChain>& chains, ListMemry<PixelChain>& leftovers,
                              std::string& err, Progress& progress, const ChainSortDisplay& display = {});
  // Orders every detected chain: sorts the list, then sorts the rests again
  // and again, appending copies of the sorted rests of more than 3 pixels to
  // `drawn`, until no rest is left; finally detected chains of fewer than 3
  // pixels are removed.
  static bool Order_Detected_Chains(ListMemry<PixelChain>& detected, ListMemry<PixelChain>& drawn,
                                    std::string& err, Progress& progress,
                                    const ChainSortDisplay& display = {});
  // Joins chains that end at the same junction: at every junction the
  // longest touching chain takes over the pixels of the second longest, which
  // is removed.  `joins` counts the joins.  Progress "Assemble forks...".
  static bool Assemble_Forks(std::string& err, ListMemry<PixelChain>& chains,
                             const ListMemry<ForkKernal>& forks, int32_t& joins, Progress& progress);
  // Maps working-map coordinates to source coordinates (divides by scale)
  // and smooths chains of 8 or more pixels with a window of 4.  Returns the
  // number of chains; -1 and a message for a scale that is not positive.
  static int32_t Scale_Coords_of_Pixels(double scale, ListMemry<PixelChain>& chains,
                                        MessageService& messages);
  // Keeps about every step-th pixel of chains of at least 3 x step pixels.
  static void Decimate_PixelChains(ListMemry<PixelChain>& chains, int16_t step);
  // Moving average of `window` pixels along every chain (window < 3: none).
  static void Smooth_PixelChains(ListMemry<PixelChain>& chains, int16_t window);
  // visible = pixel count x spacing >= minLength, the product in 16 bits.
  static bool Set_Visible_by_Length(std::string& err, int16_t minLength, ListMemry<PixelChain>& chains);
  // Gives every chain a random shift in range / 2 - range + 1 .. range / 2
  // on both axes (range 0: no shift), drawn from the caller's generator.
  static void Nudge_PixelChains(ListMemry<PixelChain>& chains, int16_t range, std::mt19937& random);
  // The chain of the list with the same m_creationID; with several, the
  // last one, and the error text says so.
  static PixelChain* Find_Identical_PixelChain_in_List(const PixelChain& chain, ListMemry<PixelChain>& list,
                                                       std::string& err);
  // Every drawn chain takes the pixels (and spacing) of its detected chain.
  static void Restore_from_Chains(const ListMemry<PixelChain>& detected, ListMemry<PixelChain>& drawn,
                                  MessageService& messages);
  // Every detected chain takes the shift of its drawn copy.
  static void Copy_Nudges_to_Chains(const ListMemry<PixelChain>& drawn, ListMemry<PixelChain>& detected,
                                    MessageService& messages);
  // Appends a copy of every source chain to the target; returns the number.
  static int32_t Append_Chain_Copies(const ListMemry<PixelChain>& source, ListMemry<PixelChain>& target);

  // ---- fields -----------------------------------------------------------------------------
  // Set once the pixels have been ordered along the line; never cleared.
  bool m_sorted = false;
  int16_t m_creationID = -1;
  // A chain that is not visible is not painted.
  bool m_visible = true;
  // Source pixels one step between neighbouring stored pixels stands for.
  int16_t m_spacing = 1;
  // Random shift applied when the chain is painted.
  int16_t m_dx = 0;
  int16_t m_dy = 0;
  // The bounding rectangle the seed fill found.
  Graphic m_graphic;
};
