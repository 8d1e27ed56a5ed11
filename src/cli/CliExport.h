#pragma once
// The export options `separate` and `render` share: the layered image at
// print size (--print), as a layered PSD (--psd), as vector paths (--svg)
// and as one transparent PNG per separation (--layers).

#include <optional>
#include <string>

#include "cli/Cli.h"
#include "cli/CliOutputs.h"

struct ExportSource;

struct ExportOptions {
  // --print: the size of -o, --psd and --layers; unset: the working size.
  // Once Resolve_Print_Size (cli/CliPrint.h) has run, printWidth x
  // printHeight is the print size, for "full" too: what Write_Exports hands
  // Build_Print_Layer_Stack (export/PrintRender.h).
  bool print = false;
  bool printFull = false;  // "full": the photo's own size
  int printWidth = 0;      // else WIDTHxHEIGHT
  int printHeight = 0;
  std::optional<std::string> psd;
  std::optional<std::string> svg;
  bool svgTextures = false;  // --svg-textures: textured regions as embedded pictures
  std::optional<std::string> layersDir;
  // Print a "wrote ..." line for each file written (off when the command
  // prints JSON instead).
  bool report = true;
};

void Declare_Export_Options(CliArgs& args);
bool Parse_Export_Options(const CliArgs& args, ExportOptions& o, std::string& problem);
// The lines the commands' --help shows for these options.
const char* Export_Options_Help();
// The files the options write, added to the command's outputs.
bool Add_Export_Outputs(const ExportOptions& o, CliOutputs& outputs, std::string& problem);
// Writes the --psd, --svg and --layers files of `source` (after the
// outputs were staged: each file goes to its staged path).  A failure is
// printed and gives false.
bool Write_Exports(CliStreams& io, const ExportSource& source, const ExportOptions& o, CliOutputs& outputs);
