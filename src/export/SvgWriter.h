#pragma once
// The layered image as a vector drawing (SVG).
//
// Every region is traced (potrace) from the pixels it paints on the canvas
// into one filled, smoothed <path>: its mask is what
// RegionSubject::Paint_Transparent_To_DestMap lays on white paper, so the
// region map stretched over its frame, clipped to the canvas, through its
// colour offsets.  The fill is the mean of those painted pixels, blended
// with mix-blend-mode:multiply: the program glazes paint + under - 256,
// which no standard blend does, and multiply is the nearest (both give the
// paint itself on white and darken where paints cross).  Multiply does not
// depend on the order of the layers, so grouping the regions by separation
// row changes nothing in the picture.
//
// The drawing, bottom to top:
//  * white paper (a rect),
//  * one layer group per separation row, in the order the rows first appear
//    in the region list, labelled with the row (1 = the first) and the
//    row's paint from the standard colour table; inside it the row's
//    regions in list order,
//  * the outline as a layer of its own, unless it is hidden or there is
//    none: the pixel chains as round-capped strokes as wide as the brush
//    that drew them, or, without chains, the outline map's dark pixels
//    (value < 230, as the merge reads them) traced into one filled path.
//    Black at the opacity the merge darkens white paper with.
// A region that paints no pixel on the canvas has nothing to trace and is
// left out (a comment says so).  With `textures`, a region that does not
// show its auto bitmap (a painted or attached one: its texture) becomes an
// embedded PNG of its painted pixels, clipped by its path.
//
// The viewBox is the working size in pixels; width and height are that size
// too, or the print size asked for.  Numbers are written the same in every
// locale; every text is escaped.

#include <cstdint>
#include <string>

struct ExportSource;

struct SvgOptions {
  // Embed textured regions as pictures clipped by their paths.
  bool textures = false;
  // The width and height attributes (the size it prints at); 0: the
  // working size.
  int32_t printWidth = 0;
  int32_t printHeight = 0;
};

// What a drawing holds.
struct SvgCounts {
  int32_t regionPaths = 0;  // one per region that paints anything
  int32_t outlinePaths = 0;
  int32_t layers = 0;   // separation rows, plus the outline's
  int32_t leftOut = 0;  // regions with nothing to trace
};

// The drawing as text; false with `err` when there is no canvas (no layered
// or source map) or tracing fails.
bool Build_Vector_Svg(const ExportSource& source, const SvgOptions& options, std::string& svg,
                      SvgCounts& counts, std::string& err);

// Builds the drawing and writes it to `path` through a temporary sibling;
// on any failure the file that was there stays as it was.
bool Write_Vector_Svg(const ExportSource& source, const SvgOptions& options, const std::string& path,
                      std::string& err, SvgCounts* counts = nullptr);

// `text` made safe as XML character data or an attribute value in double
// or single quotes: & < > " ' escaped, bytes that are not UTF-8 and
// characters XML 1.0 forbids (controls but tab, newline and carriage return)
// replaced by U+FFFD.
std::string Xml_Escape(const std::string& text);
