#include <filesystem>
#include <ostream>

#include "cli/CliCommands.h"
#include "platform/PathNames.h"

int Cli_Demo(const std::vector<std::string>& words, CliStreams& io) {
  const CliCommand& self = Cli_Command("demo");
  CliArgs args;
  std::string problem;
  if (!args.Parse(words, problem)) return Cli_Usage_Error(io, self, problem);
  if (args.Wants_Help()) {
    return Cli_Help(io, self,
                    "Runs 'quorlin separate' on the bundled sample photo coffee.png, with colour\n"
                    "texture maps and a Pencil Medium outline, and writes into DIR (default\n"
                    "quorlin-demo, created if missing):\n"
                    "  layered.png       the layered, painted illustration\n"
                    "  preprocessed.png  the watercolour pre-processing the separations came from\n"
                    "  subtracted.png    what the five separations left over\n");
  }
  if (args.Positional().size() > 1) return Cli_Usage_Error(io, self, "at most one DIR");
  const std::string dir = args.Positional().empty() ? "quorlin-demo" : args.Positional()[0];
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec || !std::filesystem::is_directory(dir)) {
    return Cli_Failure(
        io, "quorlin demo: could not create the folder " + dir + (ec ? ":  " + ec.message() : std::string()));
  }
  // The layered image is written once, as the result; the steps beside it.
  const std::string photo = Path_Join(Cli_Samples_Folder(), "coffee.png");
  const int code = Cli_Separate({photo, "-o", Path_Join(dir, "layered.png"), "--textures", "color",
                                 "--outline", "Pencil Medium", "--save-steps", dir},
                                io);
  if (code == kExitOk) Cli_Notes(io) << "the demo's results are in " << dir << "\n";
  return code;
}
