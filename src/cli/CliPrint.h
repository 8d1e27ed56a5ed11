#pragma once
// `--print WxH|full` of `separate` and `render`: OUT written at print size,
// the layered image drawn again from the regions (export/PrintRender.h).

#include <string>

#include "cli/Cli.h"
#include "cli/CliExport.h"
#include "framework/ListMemry.h"
#include "outline/PixelChain.h"

struct ExportSource;
class RegionEditorApp;

// The chains as the outline dialog last painted them: copies of the
// application's chains (which carry the nudges "Save" kept) smoothed and
// shown by length with the dialog's settings, as the dialog's own drawn
// copies were.  False with the reason.
bool Copy_Drawn_Chains(RegionEditorApp& app, ListMemry<PixelChain>& drawn, std::string& err);

// Checks the asked print size against what `source` allows (the photo's own
// size, or 8 x the working size without a photo) and stores the size in
// o.printWidth x o.printHeight ("full" becomes the limit itself).  False
// with the reason, which names the limit.
bool Resolve_Print_Size(const ExportSource& source, ExportOptions& o, std::string& err);

// Draws the layered image of `source` at o.printWidth x o.printHeight and
// writes it to `path` (shown as `shownAs`).  A failure is printed and gives
// false.
bool Write_Print_Picture(CliStreams& io, const ExportSource& source, const ExportOptions& o,
                         const std::string& path, const std::string& shownAs);

// "4000 x 2660 print size" for the command's closing line.
std::string Print_Size_Text(const ExportOptions& o);
