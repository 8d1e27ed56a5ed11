#include "cli/Cli.h"

#include <unistd.h>

#include <iomanip>
#include <ostream>

#include "cli/CliCommands.h"
#include "platform/Text.h"

const std::vector<CliCommand>& Cli_Commands() {
  static const std::vector<CliCommand> commands = {
      {"info", "quorlin info PHOTO", "print the size of a photo, its working size and whether it is grey",
       Cli_Info},
      {"resample", "quorlin resample PHOTO -o OUT [--size N|WxH] [--json]",
       "load a photo at its working size and write it as a picture", Cli_Resample},
      {"demo", "quorlin demo [DIR]", "run the main job on the bundled sample photo", Cli_Demo},
      {"watercolor", "quorlin watercolor PHOTO -o OUT [--dark P] [--lite P] [--sat P] [--json]",
       "write the watercolour pre-processing of a photo as a picture", Cli_Watercolor},
      {"separate",
       "quorlin separate PHOTO... -o OUT|DIR/ [--jobs N] [--format png|jpg|bmp|tif|gif] [--size N|WxH] "
       "[--dark P] [--lite P] [--sat P] [--set N|auto] "
       "[--rows C1,C2,C3,C4,C5] [--brush N] [--hide-outline] [--contrast] [--liteness N] [--scramble R] "
       "[--seed S] [--textures mono|color] [--texture-style 0|1] [--textures-dir DIR] [--save-steps DIR] "
       "[--rgl LIST.rgl] [--json] [--print WxH|full] [--psd FILE] [--svg FILE] [--layers DIR] "
       "[--outline STYLE [--outline-detail N] [--outline-lines N] [--outline-scale F] [--outline-min-length "
       "N] "
       "[--outline-smooth N] [--outline-nudge N] [--no-connect]]",
       "cut photos into colour separations and write their layered images", Cli_Separate},
      {"render",
       "quorlin render LIST.rgl -o OUT [--photo PATH] [--no-photo] [--no-later-version] [--print WxH|full] "
       "[--psd FILE] [--svg FILE] [--layers DIR] [--json]",
       "load a region list file and write its layered image", Cli_Render},
      {"rgl-info", "quorlin rgl-info LIST.rgl [--json]", "print what a region list file holds", Cli_Rgl_Info},
      {"outline",
       "quorlin outline PHOTO -o OUT [--size N|WxH] [--style STYLE] [--detail N] [--lines N] [--scale F] "
       "[--min-length N] [--smooth N] [--nudge N] [--no-connect] [--seed S] [--json]",
       "detect the lines of a photo and write them as a pencil, charcoal or ink outline", Cli_Outline},
      {"sets", "quorlin sets [--json]", "list the stock colour sets and their paint colours", Cli_Sets},
      {"colors", "quorlin colors [--set N] [--json]",
       "list the paint colours with their RGB and the sets that hold them", Cli_Colors},
  };
  return commands;
}

const CliCommand& Cli_Command(const std::string& name) {
  for (const CliCommand& c : Cli_Commands()) {
    if (name == c.name) return c;
  }
  return Cli_Commands().front();
}

namespace {

// The length of the well-formed UTF-8 sequence at `p` (at most `left`
// bytes), or 0 when the byte there does not start one: no overlong forms,
// no surrogates, nothing above U+10FFFF.
size_t Utf8_Sequence_Length(const unsigned char* p, size_t left) {
  const unsigned char c = p[0];
  size_t n = 0;
  unsigned char lo = 0x80, hi = 0xBF;  // the allowed range of the second byte
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF)
    n = 2;
  else if (c >= 0xE0 && c <= 0xEF)
    n = 3, lo = c == 0xE0 ? 0xA0 : 0x80, hi = c == 0xED ? 0x9F : 0xBF;
  else if (c >= 0xF0 && c <= 0xF4)
    n = 4, lo = c == 0xF0 ? 0x90 : 0x80, hi = c == 0xF4 ? 0x8F : 0xBF;
  if (n == 0 || left < n || p[1] < lo || p[1] > hi) return 0;
  for (size_t i = 2; i < n; ++i) {
    if (p[i] < 0x80 || p[i] > 0xBF) return 0;
  }
  return n;
}

}  // namespace

std::string Cli_Json_Text(const std::string& text) {
  std::string quoted = "\"";
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = bytes[i];
    const size_t n = Utf8_Sequence_Length(bytes + i, text.size() - i);
    if (n == 0) {
      quoted += "\\ufffd";  // a byte that is not UTF-8
      ++i;
      continue;
    }
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += static_cast<char>(c);
    } else if (c < 0x20) {
      quoted += Text_Format("\\u%04x", c);
    } else {
      quoted.append(text, i, n);
    }
    i += n;
  }
  return quoted + '"';
}

namespace {

void Print_Overview(std::ostream& out) {
  out << "usage: quorlin COMMAND [options]\n\ncommands:\n";
  for (const CliCommand& c : Cli_Commands()) {
    out << "  " << std::left << std::setw(14) << c.name << c.summary << '\n';
  }
  out << "\n'quorlin COMMAND --help' describes a command.  Everywhere: -q (--quiet) leaves out the\n"
         "notes, \"-\" as the input file reads stdin, \"-o -\" writes the picture to stdout (PNG, or\n"
         "--format jpg|bmp|tif|gif), \"--\" ends the options; quorlin --version.\n";
}

}  // namespace

int Quorlin_Main(int argc, char** argv, CliStreams& io, std::istream& in) {
  std::vector<std::string> words(argv + 1, argv + argc);
  // -q/--quiet may stand anywhere before "--", also before the command.
  for (auto it = words.begin(); it != words.end() && *it != "--";) {
    if (*it == "-q" || *it == "--quiet") {
      io.quiet = true;
      it = words.erase(it);
    } else {
      ++it;
    }
  }
  if (words.empty()) {
    Print_Overview(io.err);
    return kExitUsage;
  }
  const std::string name = words.front();
  if (name == "--help" || name == "-h" || name == "help") {
    Print_Overview(io.out);
    return kExitOk;
  }
  if (name == "--version") {
    io.out << "quorlin " << kQuorlinVersion << " (Quorlin Separator)\n";
    return kExitOk;
  }
  for (const CliCommand& c : Cli_Commands()) {
    if (name == c.name)
      return Cli_Run_With_Pipes(c, std::vector<std::string>(words.begin() + 1, words.end()), io, in);
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
