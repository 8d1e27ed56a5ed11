#pragma once
// The pixel-chain search: the dark areas of a working map become the chains
// the outline is drawn from.

#include <cstdint>
#include <string>

#include "framework/ListMemry.h"
#include "framework/Rects.h"
#include "outline/PixelChain.h"
#include "raster/OffMap.h"

// Every area of dark pixels of `map` of more than minPixels pixels (seeds
// from row 1 on) becomes a PixelChain of its pixels in scan order, numbered
// 0, 1, 2, ... in the order found, with the area's box; `chainList` is
// emptied first and `count` receives the number of chains.  The map is left
// as it was.
bool Find_PixelChains_MultiAlgo_wSeedFill(OffMap& map, int32_t minPixels, ListMemry<PixelChain>& chainList,
                                          int32_t& count, std::string& err);
// Empties `pixelList`, then appends the black (red 0) pixels of `rect` of
// the mask (the whole mask when rect is null), row by row from the top,
// left to right; each is set black in `clearMap` when one is given.  The
// list is numbered chainId.  Returns the number of pixels.
int32_t Collect_Black_Pixels(const OffMap& maskMap, OffMap* clearMap, const RectShrt* rect, int16_t chainId,
                             PixelChain& pixelList);
