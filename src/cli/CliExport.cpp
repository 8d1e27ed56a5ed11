#include "cli/CliExport.h"

#include <cctype>

#include "export/ExportSource.h"
#include "export/PsdWriter.h"
#include "export/SeparationPngs.h"
#include "export/WorkingLayerStack.h"
#include "platform/PathNames.h"
#include "platform/Platform.h"

namespace {

// --psd writes a PSD file, so its name ends in .psd.
bool Check_Psd_Name(const ExportOptions& o, std::string& problem) {
  if (!o.psd) return true;
  std::string ext = o.psd->size() >= 4 ? o.psd->substr(o.psd->size() - 4) : std::string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == ".psd" && o.psd->size() > 4 && o.psd->back() != '/') return true;
  problem = "--psd writes a Photoshop document: its file name must end in .psd (\"" + *o.psd + "\")";
  return false;
}

// The layer stack every layered export (--psd, --layers) reads, built once.
bool Export_Layer_Stack(const ExportSource& source, const ExportOptions& o, LayerStack& stack,
                        std::string& err) {
  if (o.print) {
    // The print-size stack (Build_Print_Layer_Stack) is made here.
    err = "--psd and --layers are written at the working size only: leave out --print";
    return false;
  }
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
    if (o.report) io.out << "wrote " << *o.psd << " (" << Psd_Layer_Count(stack) << " layers)\n";
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
      for (const std::string& path : written) io.out << "wrote " << path << "\n";
  }
  return true;
}

}  // namespace

void Declare_Export_Options(CliArgs& args) {
  args.Value_Option("--print").Value_Option("--psd").Value_Option("--svg").Value_Option("--layers");
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
  return Check_Psd_Name(o, problem);
}

const char* Export_Options_Help() {
  return "  --print WxH|full    write OUT, --psd and --layers at print size: WIDTHxHEIGHT, or full\n"
         "                      (the photo's own size)\n"
         "  --psd FILE.psd      also write a layered PSD: one layer per region (Linear Burn),\n"
         "                      the outline, the photo (hidden), and the flattened picture\n"
         "  --svg FILE.svg      also write the regions as vector paths, one layer per separation\n"
         "  --layers DIR        also write every separation as a transparent PNG of the canvas\n";
}

bool Add_Export_Outputs(const ExportOptions& o, CliOutputs& outputs, std::string& problem) {
  if (o.psd && !outputs.Add(*o.psd, "--psd", problem)) return false;
  if (o.svg && !outputs.Add(*o.svg, "--svg", problem)) return false;
  return true;
}

bool Write_Exports(CliStreams& io, const ExportSource& source, const ExportOptions& o, CliOutputs& outputs) {
  return Write_Layer_Exports(io, source, o, outputs);
}
