#include "cli/CliPrint.h"

#include <ostream>

#include "app/RegionEditorApp.h"
#include "cli/CliCommands.h"
#include "export/ExportSource.h"
#include "export/PrintRender.h"
#include "raster/OffMap.h"

bool Copy_Drawn_Chains(RegionEditorApp& app, ListMemry<PixelChain>& drawn, std::string& err) {
  err.clear();
  drawn.Delete_All();
  PixelChain::Append_Chain_Copies(app.Get_PixelChain_List(), drawn);
  const OutlineDetectParms& parms = app.Get_Settings().outlineDetectParms;
  if (!drawn.Is_Empty() && parms.smoothWindow != 0) PixelChain::Smooth_PixelChains(drawn, parms.smoothWindow);
  return PixelChain::Set_Visible_by_Length(err, parms.minLineLength, drawn);
}

bool Resolve_Print_Size(const ExportSource& source, ExportOptions& o, std::string& err) {
  err.clear();
  if (!o.print) return true;
  PrintSizeLimit limit;
  if (!Print_Size_Limit(source, limit, err)) return false;
  if (o.printFull) {
    o.printWidth = limit.width;
    o.printHeight = limit.height;
  }
  if (!Check_Print_Size(o.printWidth, o.printHeight, limit, err)) {
    err = "--print: " + err;
    return false;
  }
  return true;
}

bool Write_Print_Picture(CliStreams& io, const ExportSource& source, const ExportOptions& o,
                         const std::string& path, const std::string& shownAs) {
  LayerStack stack;
  std::string err;
  if (!Build_Print_Layer_Stack(source, o.printWidth, o.printHeight, false, stack, err)) {
    io.err << err << '\n';
    return false;
  }
  std::unique_ptr<OffMap> map = Composite_Map(stack);
  if (map == nullptr) {
    io.err << "quorlin: " << shownAs << ": could not allocate the print at " << Print_Size_Text(o) << '\n';
    return false;
  }
  stack = LayerStack{};
  return Cli_Save_Picture(io, source.platform, map.get(), path, shownAs);
}

std::string Print_Size_Text(const ExportOptions& o) {
  return std::to_string(o.printWidth) + " x " + std::to_string(o.printHeight) + " print size";
}
