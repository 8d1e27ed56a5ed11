#pragma once
// Print-size rendering: the layered image of a region list drawn again at
// a size larger (or smaller) than the working size, from the same regions,
// colours and outline.  The separation is not recomputed; the working-size
// pipeline is untouched.
//
// How every operation here behaves:
//  * The canvas of width x height print pixels covers the working canvas
//    exactly; print pixel (X, Y) has its centre at working position
//    ((X + 0.5) / sx, (Y + 0.5) / sy) with sx = width / workingWidth.
//  * Region masks are enlarged with smooth edges: the bilinear value of the
//    region's mask, passed through a ramp one print pixel wide around 0.5,
//    is the region's coverage.  Two regions that meet share their edge
//    (their coverages add up to full), and a region one working pixel wide
//    keeps its width.  The colours are the bilinear mean of the painted
//    pixels under the mask only, so no paper white bleeds into an edge.
//  * The outline is redrawn from the pixel chains with the brush strip of
//    the line style the outline dialog painted them with, scaled (when
//    ExportSource names the chains and the render manager the style), else
//    the outline picture is enlarged bilinearly; it darkens the
//    regions' picture exactly as the working merge does (Linear Burn).
//  * Work is split into bands of rows over std::thread; every pixel is
//    computed from the same inputs in the same order whatever the number of
//    threads, so the result does not depend on it.
//  * Sizes are bounded: a print of more than kMaxPicturePixels pixels, or
//    region layers over kMaxPrintLayerBytes, is refused with a text in `err`.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "export/LayerStack.h"

class OffMap;
struct ExportSource;

// Without a photo a print may be at most this many times the working size
// on each side.
constexpr int32_t kPrintMaxScale = 8;
// The most memory the region layers of one stack may take (4 GiB).
constexpr int64_t kMaxPrintLayerBytes = int64_t{4} << 30;

// Fills `stack` with the layered image of `source` at width x height:
// always `composite`; with `wantLayers` also one region layer per painted
// region (drawing order, box clipped to the canvas), `outlineGrey` and
// `photo` (the photo file resampled: area mean when reducing, bilinear when
// enlarging; without a photo file the working-size source map enlarged).
// Compose_Region_Layers then Burn_Outline gives `composite` exactly.
// `threads` 0 takes the machine's cores.
bool Build_Print_Layer_Stack(const ExportSource& source, int32_t width, int32_t height, bool wantLayers,
                             LayerStack& stack, std::string& err);
bool Build_Print_Layer_Stack(const ExportSource& source, int32_t width, int32_t height, bool wantLayers,
                             LayerStack& stack, std::string& err, int threads);

// The stack's composite as a 24-bit map; null when it cannot be allocated.
std::unique_ptr<OffMap> Composite_Map(const LayerStack& stack);

// The largest print of `source`: the photo's own size when there is a photo
// file (`fromPhoto` true), else kPrintMaxScale x the working size.
struct PrintSizeLimit {
  int32_t width = 0;
  int32_t height = 0;
  bool fromPhoto = false;
};
bool Print_Size_Limit(const ExportSource& source, PrintSizeLimit& limit, std::string& err);

// Checks width x height against `limit` and the pixel budget; the refusal
// text names the limit.
bool Check_Print_Size(int32_t width, int32_t height, const PrintSizeLimit& limit, std::string& err);
// Checks width x height against the pixel budget alone.
bool Check_Print_Pixels(int64_t width, int64_t height, std::string& err);

// `rgb` (w x h x 3, rows top to bottom) resampled to outW x outH: on each
// axis the area mean when reducing, bilinear when enlarging (pixel centres
// matched), the identity at the same size.
std::vector<uint8_t> Resample_RGB(const std::vector<uint8_t>& rgb, int32_t w, int32_t h, int32_t outW,
                                  int32_t outH);
