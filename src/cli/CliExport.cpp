#include "cli/CliExport.h"

#include "export/ExportSource.h"
#include "export/PrintRender.h"
#include "export/PsdWriter.h"
#include "export/SeparationPngs.h"
#include "export/SvgWriter.h"
#include "export/WorkingLayerStack.h"
#include "platform/PathNames.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "render/RenderMan.h"

namespace {

// Whether `path` names a file whose name ends in `ext`, case ignored.
bool Has_Extension(const std::string& path, std::string_view ext) {
  return path.size() > ext.size() && path.back() != '/' &&
         Equal_NoCase(std::string_view(path).substr(path.size() - ext.size()), ext);
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
  if (o.report)
    Cli_Notes(io) << "wrote " << *o.svg << " (" << paths << (paths == 1 ? " path" : " paths") << " in "
                  << counts.layers << (counts.layers == 1 ? " layer" : " layers") << ")\n";
  return true;
}

// The layer stack every layered export (--psd, --layers) reads, built once.
bool Export_Layer_Stack(const ExportSource& source, const ExportOptions& o, LayerStack& stack,
                        std::string& err) {
  if (o.print) return Build_Print_Layer_Stack(source, o.printWidth, o.printHeight, true, stack, err);
  return Build_Working_Layer_Stack(source, stack, err);
}

// Writes the layered PSD (to its staged path) and the separation pictures.
bool Write_Layer_Exports(CliStreams& io, const ExportSource& source, const ExportOptions& o,
                         CliOutputs& outputs) {
  if (!o.psd && !o.layersDir) return true;
  LayerStack stack;
  std::string err;
  if (!Export_Layer_Stack(source, o, stack, err)) {
    Cli_Failure(io, "quorlin: the layers could not be exported: " + err);
    return false;
  }
  if (o.psd) {
    if (!Write_Layered_Psd(stack, outputs.Path_For(*o.psd), err)) {
      Cli_Failure(io, "quorlin: " + *o.psd + ": " + err);
      return false;
    }
    if (o.report) Cli_Notes(io) << "wrote " << *o.psd << " (" << Psd_Layer_Count(stack) << " layers)\n";
  }
  if (o.layersDir) {
    // A separation's file named like another output would be replaced by it.
    for (const SeparationPicture& picture : Separation_Pictures(stack)) {
      const std::string path = Path_Join(*o.layersDir, picture.fileName);
      if (outputs.Names_Same_File(path)) {
        Cli_Failure(io, "quorlin: " + path + ": --layers would write a file that another output writes");
        return false;
      }
    }
    std::vector<std::string> written;
    if (!Write_Separation_Pngs(stack, *o.layersDir, source.platform.Codec(), written, err)) {
      Cli_Failure(io, "quorlin: " + err);
      return false;
    }
    if (o.report)
      for (const std::string& path : written) Cli_Notes(io) << "wrote " << path << "\n";
  }
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
  if (o.psd && !Has_Extension(*o.psd, ".psd")) {
    problem = "--psd writes a Photoshop document: its file name must end in .psd (\"" + *o.psd + "\")";
    return false;
  }
  if (o.svg && !Has_Extension(*o.svg, ".svg")) {
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
  return Write_Svg_Export(io, source, o, outputs) && Write_Layer_Exports(io, source, o, outputs);
}
