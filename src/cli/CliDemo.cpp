#include <ostream>

#include "cli/CliCommands.h"

int Cli_Demo(const std::vector<std::string>& words, CliStreams& io) {
  const CliCommand& self = Cli_Commands().front();
  CliArgs args;
  std::string problem;
  if (!args.Parse(words, problem)) return Cli_Usage_Error(io, self, problem);
  if (args.Wants_Help()) {
    io.out << "usage: " << self.usage << "\n\n" << self.summary << "\n";
    return kExitOk;
  }
  io.err << "quorlin demo: not available yet\n";
  return kExitFailure;
}
