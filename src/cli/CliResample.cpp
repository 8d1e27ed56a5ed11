#include <ostream>

#include "cli/CliCommands.h"
#include "render/ImageFiles.h"
#include "render/ImageSizeController.h"
#include "render/RenderMan.h"

int Cli_Resample_Photo(CliStreams& io, const std::string& photo, const std::string& out, int width,
                       int height) {
  std::string err;
  // A bad output name is refused before the photo is decoded.
  if (!Check_Picture_Extension(out, err)) return Cli_Failure(io, err);

  CliPlatform platform(io);
  RenderMan renderMan(platform.Get());
  if (!Cli_Load_Photo(io, renderMan, photo)) return kExitFailure;
  if (width > 0 && height > 0) {
    // The Image Size dialog's OK: it shows its own refusals and failures
    // (which the platform prints).
    ImageSizeController size(renderMan);
    size.Set_Size(width, height);
    if (size.On_OK(false) != ImageSizeOutcome::Close) return kExitFailure;
  }
  if (!Cli_Save_Picture(io, platform.Get(), renderMan.Get_Source_Map(), out)) return kExitFailure;
  int32_t w = 0, h = 0;
  renderMan.Get_Source_Size(w, h);
  io.out << "wrote " << out << " (" << w << " x " << h << ")\n";
  return kExitOk;
}

int Cli_Resample(const std::vector<std::string>& words, CliStreams& io) {
  const CliCommand& self = Cli_Command("resample");
  CliArgs args;
  args.Value_Option("-o").Value_Option("--size");
  std::string problem;
  if (!args.Parse(words, problem)) return Cli_Usage_Error(io, self, problem);
  if (args.Wants_Help()) {
    return Cli_Help(io, self,
                    "Loads PHOTO (bmp, tif, png, jpg, gif) as the source image, at the working size\n"
                    "(longer side 400) or at --size WIDTHxHEIGHT (each side 100 to 500), and writes it\n"
                    "to OUT in the format named by OUT's extension: .bmp .tif .jpg .gif .png\n");
  }
  if (args.Positional().size() != 1) return Cli_Usage_Error(io, self, "one PHOTO is needed");
  const std::optional<std::string> out = args.Value("-o");
  if (!out || out->empty()) return Cli_Usage_Error(io, self, "-o OUT is needed");
  int width = -1, height = -1;
  if (const std::optional<std::string> size = args.Value("--size")) {
    if (!Parse_Size_Option(*size, width, height)) {
      return Cli_Usage_Error(io, self, "--size takes WIDTHxHEIGHT, e.g. 400x300");
    }
    if (!ImageSizeController::Side_In_Range(width) || !ImageSizeController::Side_In_Range(height)) {
      return Cli_Usage_Error(io, self, ImageSizeController::Range_Text());
    }
  }
  return Cli_Resample_Photo(io, args.Positional()[0], *out, width, height);
}
