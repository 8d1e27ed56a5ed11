#include "cli/CliExport.h"

#include "export/ExportSource.h"
#include "export/PrintRender.h"
#include "export/SvgWriter.h"
#include "platform/Text.h"
#include "render/RenderMan.h"

namespace {

bool Has_Svg_Extension(const std::string& path) {
  return path.size() > 4 && Equal_NoCase(std::string_view(path).substr(path.size() - 4), ".svg");
}

// --svg: the drawing, written to its staged path.
bool Write_Svg_Export(CliStreams& io, const ExportSource& source, const ExportOptions& o,
                      CliOutputs& outputs) {
  if (!o.svg) return true;
  SvgOptions options;
  options.textures = o.svgTextures;
  if (o.print && !o.printFull) {
    options.printWidth = o.printWidth;
    options.printHeight = o.printHeight;
  } else if (o.print) {
    // The photo's own size.
    if (const PlatformImage* photo = source.renderMan.Get_Photo_Original();
        photo != nullptr && !photo->Is_Null()) {
      options.printWidth = photo->Get_Width();
      options.printHeight = photo->Get_Height();
    }
  }
  SvgCounts counts;
  std::string err;
  if (!Write_Vector_Svg(source, options, outputs.Path_For(*o.svg), err, &counts)) {
    io.err << err << "\n";
    return false;
  }
  const int32_t paths = counts.regionPaths + counts.outlinePaths;
  io.out << "wrote " << *o.svg << " (" << paths << (paths == 1 ? " path" : " paths") << " in "
         << counts.layers << (counts.layers == 1 ? " layer" : " layers") << ")\n";
  return true;
}

}  // namespace

void Declare_Export_Options(CliArgs& args) {
  args.Value_Option("--print").Value_Option("--psd").Value_Option("--svg").Value_Option("--layers");
  args.Flag_Option("--svg-textures");
}

bool Parse_Export_Options(const CliArgs& args, ExportOptions& o, std::string& problem) {
  if (const std::optional<std::string> print = args.Value("--print")) {
    o.print = true;
    if (*print == "full") {
      o.printFull = true;
    } else if (!Parse_Size_Option(*print, o.printWidth, o.printHeight) || o.printWidth < 1 ||
               o.printHeight < 1) {
      problem = "--print takes WIDTHxHEIGHT (e.g. 4000x2660) or full";
      return false;
    } else if (std::string tooLarge; !Check_Print_Pixels(o.printWidth, o.printHeight, tooLarge)) {
      problem = "--print: " + tooLarge;
      return false;
    }
  }
  const std::pair<const char*, std::optional<std::string>*> files[] = {
      {"--psd", &o.psd}, {"--svg", &o.svg}, {"--layers", &o.layersDir}};
  for (const auto& [option, target] : files) {
    *target = args.Value(option);
    if (*target && (*target)->empty()) {
      problem = std::string(option) + (target == &o.layersDir ? " needs a folder" : " needs a file name");
      return false;
    }
  }
  o.svgTextures = args.Has("--svg-textures");
  if (o.svg && !Has_Svg_Extension(*o.svg)) {
    problem = "--svg writes an SVG file: its name must end in .svg (not " + *o.svg + ")";
    return false;
  }
  if (o.svgTextures && !o.svg) {
    problem = "--svg-textures needs --svg FILE.svg";
    return false;
  }
  return true;
}

const char* Export_Options_Help() {
  return "  --print WxH|full    write OUT, --psd and --layers at print size: WIDTHxHEIGHT, or full\n"
         "                      (the photo's own size); at most the photo's own size on each\n"
         "                      side (8 x the working size without a photo); the regions and\n"
         "                      the outline are drawn again at that size, not enlarged\n"
         "  --psd FILE.psd      also write a layered PSD: one layer per region (Linear Burn),\n"
         "                      the outline, the photo (hidden), and the flattened picture\n"
         "  --svg FILE.svg      also write the regions as vector paths, one layer per separation\n"
         "  --svg-textures      in --svg, embed textured regions as pictures clipped by their paths\n"
         "  --layers DIR        also write every separation as a transparent PNG of the canvas\n";
}

bool Add_Export_Outputs(const ExportOptions& o, CliOutputs& outputs, std::string& problem) {
  if (o.psd && !outputs.Add(*o.psd, "--psd", problem)) return false;
  if (o.svg && !outputs.Add(*o.svg, "--svg", problem)) return false;
  return true;
}

bool Write_Exports(CliStreams& io, const ExportSource& source, const ExportOptions& o, CliOutputs& outputs) {
  if (!Write_Svg_Export(io, source, o, outputs)) return false;
  return true;
}
