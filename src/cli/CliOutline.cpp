// `quorlin outline`: the outline dialog without a display.  The photo is
// loaded at its working size, its lines are detected and painted in the
// chosen line style exactly as the dialog's "Detect" and "Modify Lines" do,
// and the outline map alone is written in the format named by the output's
// extension.

#include <optional>
#include <ostream>

#include "app/RegionEditorApp.h"
#include "cli/CliCommands.h"
#include "cli/CliOutlineOptions.h"
#include "platform/Text.h"
#include "render/ImageFiles.h"
#include "render/ImageSizeController.h"

namespace {

const CliOutlineOptionNames kNames = {"--style", "--"};

}  // namespace

int Cli_Outline(const std::vector<std::string>& words, CliStreams& io) {
  const CliCommand& self = Cli_Command("outline");
  CliArgs args;
  args.Value_Option("-o").Value_Option("--size").Value_Option("--seed").Flag_Option("--json");
  Declare_Outline_Options(args, kNames);
  std::string problem;
  if (!args.Parse(words, problem)) return Cli_Usage_Error(io, self, problem);
  if (args.Wants_Help()) {
    const std::string details =
        std::string(
            "Loads PHOTO at its working size (longer side 400, or as --size says), detects its\n"
            "lines (Canny edges, cleaned to one-pixel lines, ordered into chains), paints them as\n"
            "pencil, charcoal or ink strokes and writes the outline alone to OUT in the format\n"
            "named by OUT's extension: .bmp .tif .jpg .gif .png\n"
            "\n") +
        kWorkingSizeHelp + Outline_Options_Help(kNames) +
        "  --seed S              start of the random numbers for --nudge (default 1)\n"
        "  --json                print a summary as one JSON object on stdout\n";
    return Cli_Help(io, self, details.c_str());
  }
  if (args.Positional().size() != 1) return Cli_Usage_Error(io, self, "one PHOTO is needed");
  const std::string photo = args.Positional()[0];
  const std::optional<std::string> out = args.Value("-o");
  if (!out || out->empty()) return Cli_Usage_Error(io, self, "-o OUT is needed");
  CliWorkingSize size;
  if (!Parse_Working_Size(args, size, problem)) return Cli_Usage_Error(io, self, problem);
  long seed = 1;
  if (const std::optional<std::string> text = args.Value("--seed")) {
    if (!Parse_Int_Option("--seed", *text, 0, 4294967295L, seed, problem))
      return Cli_Usage_Error(io, self, problem);
  }
  CliOutlineOptions options;
  if (!Parse_Outline_Options(args, kNames, true, options, problem)) return Cli_Usage_Error(io, self, problem);

  std::string err;
  // A bad output name is refused before the photo is decoded.
  if (!Check_Picture_Extension(*out, err)) return Cli_Picture_Name_Failure(io, *out, err);
  CliPlatform platform(io);
  RegionEditorApp app(platform.Get());
  RenderMan& renderMan = app.Get_RenderMan();
  if (!Cli_Load_Photo_At(io, renderMan, photo, size, "outline")) return kExitFailure;
  app.Get_Document().sourcePhotoPath = photo;

  CliOutlineReport report;
  if (!Run_Outline_Dialog(app, options, static_cast<uint32_t>(seed), report)) return kExitFailure;
  const OffMap* outline = renderMan.Get_Outline_Map();
  if (!Cli_Save_Picture(io, platform.Get(), outline, *out)) return kExitFailure;

  if (args.Has("--json")) {
    io.out << "{\"width\":" << outline->Get_Width() << ",\"height\":" << outline->Get_Height()
           << ",\"style\":" << Cli_Json_Text(options.style) << ",\"chains\":" << report.chains
           << ",\"ms\":{\"outline\":" << Text_Format("%.1f", report.milliseconds) << "}}\n";
  } else {
    Cli_Notes(io) << "wrote " << *out << " (" << outline->Get_Width() << " x " << outline->Get_Height()
                  << ", " << report.chains << " lines in " << options.style << ")\n";
  }
  return kExitOk;
}
