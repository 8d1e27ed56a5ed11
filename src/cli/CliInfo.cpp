#include <ostream>

#include "cli/CliCommands.h"
#include "render/RenderMan.h"

int Cli_Info(const std::vector<std::string>& words, CliStreams& io) {
  const CliCommand& self = Cli_Command("info");
  CliArgs args;
  std::string problem;
  if (!args.Parse(words, problem)) return Cli_Usage_Error(io, self, problem);
  if (args.Wants_Help()) {
    return Cli_Help(io, self,
                    "Prints three lines: the photo's size in pixels, the working size it loads at\n"
                    "(longer side 400) and whether it looks grey (\"greyscale yes\" or \"greyscale no\").\n");
  }
  if (args.Positional().size() != 1) return Cli_Usage_Error(io, self, "one PHOTO is needed");

  CliPlatform platform(io);
  RenderMan renderMan(platform.Get());
  if (!Cli_Load_Photo(io, renderMan, args.Positional()[0])) return kExitFailure;
  int32_t width = 0, height = 0;
  renderMan.Get_Source_Size(width, height);
  io.out << "photo " << renderMan.Get_Photo_Original()->Get_Width() << " x "
         << renderMan.Get_Photo_Original()->Get_Height() << "\nworking " << width << " x " << height
         << "\ngreyscale " << (renderMan.Is_Greyscale_Photo() ? "yes" : "no") << '\n';
  return kExitOk;
}
