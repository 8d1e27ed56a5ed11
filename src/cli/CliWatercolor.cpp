#include <optional>
#include <ostream>

#include "cli/CliCommands.h"
#include "filters/WatercolorParms.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"

int Cli_Watercolor(const std::vector<std::string>& words, CliStreams& io) {
  const CliCommand& self = Cli_Command("watercolor");
  CliArgs args;
  args.Value_Option("-o").Value_Option("--dark").Value_Option("--lite").Value_Option("--sat").Flag_Option(
      "--json");
  std::string problem;
  if (!args.Parse(words, problem)) return Cli_Usage_Error(io, self, problem);
  if (args.Wants_Help()) {
    return Cli_Help(io, self,
                    "Loads PHOTO at the working size (longer side 400), renders the watercolour\n"
                    "pre-processing the separations are made from, and writes it to OUT in the format\n"
                    "named by OUT's extension: .bmp .tif .jpg .gif .png\n"
                    "--dark, --lite and --sat are the positions (0 top .. 100 bottom) of the separation\n"
                    "dialog's Dark, Lite and Sat sliders; without them the program's start values are\n"
                    "used (78, 100 and 35).  Greyscale photos take the greyscale variant of the filter.\n"
                    "--json prints a summary as one JSON object on stdout.\n");
  }
  if (args.Positional().size() != 1) return Cli_Usage_Error(io, self, "one PHOTO is needed");
  const std::optional<std::string> out = args.Value("-o");
  if (!out || out->empty()) return Cli_Usage_Error(io, self, "-o OUT is needed");

  WatercolorParms parms;
  const struct {
    const char* option;
    WatercolorSlider slider;
  } sliders[] = {{"--dark", WatercolorSlider::Dark},
                 {"--lite", WatercolorSlider::Lite},
                 {"--sat", WatercolorSlider::Sat}};
  for (const auto& s : sliders) {
    const std::optional<std::string> text = args.Value(s.option);
    if (!text) continue;
    long position = 0;
    if (!Parse_Int_Option(s.option, *text, 0, 100, position, problem))
      return Cli_Usage_Error(io, self, problem);
    Apply_Watercolor_Slider(s.slider, static_cast<int32_t>(position), parms);
  }

  std::string err;
  // A bad output name is refused before the photo is decoded.
  if (!Check_Picture_Extension(*out, err)) return Cli_Picture_Name_Failure(io, *out, err);
  CliPlatform platform(io);
  RenderMan renderMan(platform.Get());
  if (!Cli_Load_Photo(io, renderMan, args.Positional()[0])) return kExitFailure;
  const bool rendered = renderMan.Is_Greyscale_Photo()
                            ? renderMan.WatercolorFilter_For_Separations_Grey_24bit(parms, err)
                            : renderMan.WatercolorFilter_For_Separations(parms, err);
  if (!rendered) return Cli_Failure(io, err);
  if (!Cli_Save_Picture(io, platform.Get(), renderMan.Get_Filtered_Map(), *out)) return kExitFailure;
  const OffMap* filtered = renderMan.Get_Filtered_Map();
  if (args.Has("--json")) {
    io.out << "{\"width\":" << filtered->Get_Width() << ",\"height\":" << filtered->Get_Height()
           << ",\"grey\":" << (renderMan.Is_Greyscale_Photo() ? "true" : "false")
           << ",\"out\":" << Cli_Json_Text(*out) << "}\n";
  } else {
    Cli_Notes(io) << "wrote " << *out << " (" << filtered->Get_Width() << " x " << filtered->Get_Height()
                  << ")\n";
  }
  return kExitOk;
}
