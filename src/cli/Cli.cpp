#include "cli/Cli.h"

#include <iomanip>
#include <ostream>
#include <unistd.h>

#include "cli/CliCommands.h"
#include "platform/Text.h"

const std::vector<CliCommand>& Cli_Commands() {
  static const std::vector<CliCommand> commands = {
      {"info", "quorlin info PHOTO", "print the size of a photo, its working size and whether it is grey",
       Cli_Info},
      {"resample", "quorlin resample PHOTO -o OUT [--size WxH]",
       "load a photo at its working size and write it as a picture", Cli_Resample},
      {"demo", "quorlin demo [DIR]", "run the main job on the bundled sample photo", Cli_Demo},
      {"watercolor", "quorlin watercolor PHOTO -o OUT [--dark P] [--lite P] [--sat P]",
       "write the watercolour pre-processing of a photo as a picture", Cli_Watercolor},
      {"separate",
       "quorlin separate PHOTO -o OUT [--size WxH] [--dark P] [--lite P] [--sat P] [--set N] "
       "[--rows C1,C2,C3,C4,C5] [--brush N] [--hide-outline] [--contrast] [--liteness N] [--scramble R] "
       "[--seed S] [--textures mono|color] [--texture-style 0|1] [--textures-dir DIR] [--save-steps DIR] [--rgl LIST.rgl] [--json]",
       "cut a photo into colour separations and write the layered image", Cli_Separate},
      {"render", "quorlin render LIST.rgl -o OUT [--photo PATH] [--no-photo]",
       "load a region list file and write its layered image", Cli_Render},
      {"rgl-info", "quorlin rgl-info LIST.rgl [--json]", "print what a region list file holds", Cli_Rgl_Info},
      {"outline",
       "quorlin outline PHOTO -o OUT [--size WxH] [--style STYLE] [--detail N] [--lines N] [--scale F] "
       "[--min-length N] [--smooth N] [--nudge N] [--no-connect] [--seed S] [--json]",
       "detect the lines of a photo and write them as a pencil, charcoal or ink outline", Cli_Outline},
  };
  return commands;
}

const CliCommand& Cli_Command(const std::string& name) {
  for (const CliCommand& c : Cli_Commands()) {
    if (name == c.name) return c;
  }
  return Cli_Commands().front();
}

std::string Cli_Json_Text(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      quoted += Text_Format("\\u%04x", c);
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

namespace {

void Print_Overview(std::ostream& out) {
  out << "usage: quorlin COMMAND [options]\n\ncommands:\n";
  for (const CliCommand& c : Cli_Commands()) {
    out << "  " << std::left << std::setw(14) << c.name << c.summary << '\n';
  }
  out << "\n'quorlin COMMAND --help' describes a command.\n";
}

}  // namespace

int Quorlin_Main(int argc, char** argv, CliStreams& io) {
  if (argc < 2) {
    Print_Overview(io.err);
    return kExitUsage;
  }
  const std::string name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    Print_Overview(io.out);
    return kExitOk;
  }
  for (const CliCommand& c : Cli_Commands()) {
    if (name == c.name) return c.run(std::vector<std::string>(argv + 2, argv + argc), io);
  }
  io.err << "quorlin: unknown command '" << name << "'\n";
  Print_Overview(io.err);
  return kExitUsage;
}

std::string Cli_Samples_Folder() {
  // Next to the executable first (an installed program), then the source tree.
  char self[4096];
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (n > 0) {
    self[n] = '\0';
    std::string dir(self);
    dir = dir.substr(0, dir.find_last_of('/'));
    const std::string local = dir + "/samples";
    if (::access((local + "/coffee.png").c_str(), R_OK) == 0) return local;
  }
  return QUORLIN_SAMPLES_DIR;
}
