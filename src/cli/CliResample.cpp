#include <ostream>

#include "cli/CliCommands.h"
#include "render/ImageFiles.h"
#include "render/ImageSizeController.h"
#include "render/RenderMan.h"

int Cli_Resample_Photo(CliStreams& io, const std::string& photo, const std::string& out,
                       const CliWorkingSize& size, bool json) {
  std::string err;
  // A bad output name is refused before the photo is decoded.
  if (!Check_Picture_Extension(out, err)) return Cli_Picture_Name_Failure(io, out, err);

  CliPlatform platform(io);
  RenderMan renderMan(platform.Get());
  if (!Cli_Load_Photo_At(io, renderMan, photo, size, "resample")) return kExitFailure;
  if (!Cli_Save_Picture(io, platform.Get(), renderMan.Get_Source_Map(), out)) return kExitFailure;
  int32_t w = 0, h = 0;
  renderMan.Get_Source_Size(w, h);
  if (json)
    io.out << "{\"width\":" << w << ",\"height\":" << h << ",\"out\":" << Cli_Json_Text(out) << "}\n";
  else
    Cli_Notes(io) << "wrote " << out << " (" << w << " x " << h << ")\n";
  return kExitOk;
}

int Cli_Resample(const std::vector<std::string>& words, CliStreams& io) {
  const CliCommand& self = Cli_Command("resample");
  CliArgs args;
  args.Value_Option("-o").Value_Option("--size").Flag_Option("--json");
  std::string problem;
  if (!args.Parse(words, problem)) return Cli_Usage_Error(io, self, problem);
  if (args.Wants_Help()) {
    const std::string details =
        "Loads PHOTO (bmp, tif, png, jpg, gif) as the source image at its working size and\n"
        "writes it to OUT in the format named by OUT's extension: .bmp .tif .jpg .gif .png\n"
        "(.jpeg, .tiff)\n\n" +
        std::string(kWorkingSizeHelp) +
        "  --json              print a summary as one JSON object on stdout\n";
    return Cli_Help(io, self, details.c_str());
  }
  if (args.Positional().size() != 1) return Cli_Usage_Error(io, self, "one PHOTO is needed");
  const std::optional<std::string> out = args.Value("-o");
  if (!out || out->empty()) return Cli_Usage_Error(io, self, "-o OUT is needed");
  CliWorkingSize size;
  if (!Parse_Working_Size(args, size, problem)) return Cli_Usage_Error(io, self, problem);
  return Cli_Resample_Photo(io, args.Positional()[0], *out, size, args.Has("--json"));
}
