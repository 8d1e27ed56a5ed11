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
                    "Loads the bundled sample photo coffee.png and writes its working-size source\n"
                    "image to DIR/source.png.  DIR defaults to quorlin-demo and is created if missing.\n");
  }
  if (args.Positional().size() > 1) return Cli_Usage_Error(io, self, "at most one DIR");
  const std::string dir = args.Positional().empty() ? "quorlin-demo" : args.Positional()[0];
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec || !std::filesystem::is_directory(dir)) {
    return Cli_Failure(io, "quorlin demo: could not create the folder " + dir +
                               (ec ? ":  " + ec.message() : std::string()));
  }
  const std::string out = Path_Join(dir, "source.png");
  const int code = Cli_Resample_Photo(io, Path_Join(Cli_Samples_Folder(), "coffee.png"), out, -1, -1);
  if (code == kExitOk) io.out << "the demo's results are in " << dir << "\n";
  return code;
}
