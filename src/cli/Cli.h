#pragma once
// The `quorlin` command: batch work on photos without a display.  Every
// command parses its own options with CliArgs and returns the process exit
// code: 0 success, 1 failure (the program's message on stderr), 2 usage.

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/Headless.h"
#include "platform/qt/QtPictureCodec.h"

enum CliExit { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

struct CliStreams {
  std::ostream& out;
  std::ostream& err;
  // Where the notes of a command go (the "wrote ..." lines and warnings):
  // stdout when null.  -q points it at a stream that drops them; when stdout
  // carries a picture (-o -) it points at stderr.
  std::ostream* notes = nullptr;
  bool quiet = false;
};

// The stream for a command's notes ("wrote ..." lines).
std::ostream& Cli_Notes(CliStreams& io);
// The stream for warnings: stderr, or nothing with -q.
std::ostream& Cli_Warnings(CliStreams& io);

// Options of one command: "--name value", "--flag", and positional words.
// Parse() rejects options the command did not declare.
class CliArgs {
 public:
  CliArgs& Value_Option(const std::string& name) {
    m_valueNames.push_back(name);
    return *this;
  }
  CliArgs& Flag_Option(const std::string& name) {
    m_flagNames.push_back(name);
    return *this;
  }

  // Returns false and sets `problem` on an unknown option, a missing value
  // or an option given twice.
  bool Parse(const std::vector<std::string>& words, std::string& problem);

  bool Has(const std::string& name) const;
  std::optional<std::string> Value(const std::string& name) const;
  const std::vector<std::string>& Positional() const { return m_positional; }
  bool Wants_Help() const { return m_help; }

 private:
  std::vector<std::string> m_valueNames;
  std::vector<std::string> m_flagNames;
  std::map<std::string, std::string> m_values;
  std::vector<std::string> m_flags;
  std::vector<std::string> m_positional;
  bool m_help = false;
};

// Whole-number option values in a closed range; false with a message that
// names the option otherwise.
bool Parse_Int_Option(const std::string& option, const std::string& text, long lo, long hi, long& value,
                      std::string& problem);
bool Parse_Real_Option(const std::string& option, const std::string& text, double lo, double hi,
                       double& value, std::string& problem);
// "WxH" with each side in lo..hi.
bool Parse_Size_Option(const std::string& text, int& width, int& height);

// One command of the program.
struct CliCommand {
  const char* name;
  const char* usage;    // e.g. "quorlin info PHOTO"
  const char* summary;  // one line for the command list
  int (*run)(const std::vector<std::string>& words, CliStreams& io);
};

// Prints "usage: <usage>" and returns kExitUsage.
int Cli_Usage_Error(CliStreams& io, const CliCommand& command, const std::string& problem);
// Prints the program's message text on stderr and returns kExitFailure.
int Cli_Failure(CliStreams& io, const std::string& text);
// Prints a command's --help text and returns kExitOk.
int Cli_Help(CliStreams& io, const CliCommand& command, const char* details);

// `text` as a JSON string: in quotes, with quotes and backslashes escaped
// and control characters written as \u00XX.  The result is always valid
// UTF-8: every byte of `text` that is not part of a well-formed UTF-8
// sequence becomes U+FFFD (written \ufffd).
std::string Cli_Json_Text(const std::string& text);

const std::vector<CliCommand>& Cli_Commands();
// The entry of the command table with this name (it must exist).
const CliCommand& Cli_Command(const std::string& name);
// The program's version, as the About box shows it.
constexpr const char* kQuorlinVersion = "1.0";
// Runs the command line; `in` is what "-" reads.
int Quorlin_Main(int argc, char** argv, CliStreams& io, std::istream& in);
// Runs `command` with "-" and "-o -" standing for stdin and stdout.
int Cli_Run_With_Pipes(const CliCommand& command, std::vector<std::string> words, CliStreams& io,
                       std::istream& in);

// Folder of the bundled sample photos.
std::string Cli_Samples_Folder();

// The platform the commands run on: headless services (no display) with
// the Qt picture codec.  Every message the engine shows goes to stderr.
class CliPlatform {
 public:
  explicit CliPlatform(CliStreams& io) : m_headless(m_codec) { m_headless.Messages().Set_Echo(&io.err); }
  Platform& Get() { return m_headless.Get(); }

 private:
  QtPictureCodec m_codec;
  HeadlessPlatform m_headless;
};
