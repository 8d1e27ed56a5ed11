#pragma once
// The commands of `quorlin`, one function each.

#include <string>
#include <vector>

#include "cli/Cli.h"

int Cli_Info(const std::vector<std::string>& words, CliStreams& io);
int Cli_Resample(const std::vector<std::string>& words, CliStreams& io);
int Cli_Demo(const std::vector<std::string>& words, CliStreams& io);
int Cli_Watercolor(const std::vector<std::string>& words, CliStreams& io);
int Cli_Separate(const std::vector<std::string>& words, CliStreams& io);
int Cli_Render(const std::vector<std::string>& words, CliStreams& io);
int Cli_Rgl_Info(const std::vector<std::string>& words, CliStreams& io);
int Cli_Sets(const std::vector<std::string>& words, CliStreams& io);
int Cli_Colors(const std::vector<std::string>& words, CliStreams& io);

class RegionEditorApp;
// Saves the application's region list to `path` with its bitmaps inline
// and the outline when there is one, without a dialog.
bool Cli_Save_Region_List(RegionEditorApp& app, const std::string& path, std::string& err);
int Cli_Outline(const std::vector<std::string>& words, CliStreams& io);

class RenderMan;
// "Load Source Photo" at the standard working size.  A failure prints the
// program's text, then what is wrong with the file, and returns false.
bool Cli_Load_Photo(CliStreams& io, RenderMan& renderMan, const std::string& path);

// --size: N (the longer side; the photo keeps its aspect) or WIDTHxHEIGHT.
struct CliWorkingSize {
  int longSide = -1;
  int width = -1;
  int height = -1;
};
// Reads --size; false with `problem` for a usage error (the program's range
// text, then a plain line, when a side is outside 100..500).
bool Parse_Working_Size(const CliArgs& args, CliWorkingSize& size, std::string& problem);
// The --size help line.
extern const char* const kWorkingSizeHelp;
// Cli_Load_Photo at `size`: the longer side given, or the standard working
// size changed by "Image Size" to width x height (with a note when that
// stretches the photo).  A working size with a side under 16 pixels is
// warned about.  `command` names the command in the notes.
bool Cli_Load_Photo_At(CliStreams& io, RenderMan& renderMan, const std::string& path,
                       const CliWorkingSize& size, const char* command);

class OffMap;
class Platform;
// Writes `map` to `path` in the format named by its extension, without a
// dialog.  A failure prints the program's text, then the reason the codec
// gave (for a file that could not be written, the system's) for the file
// `shownAs` (the target a temporary `path` stands for; `path` itself when
// empty), and returns false.
bool Cli_Save_Picture(CliStreams& io, Platform& platform, const OffMap* map, const std::string& path,
                      const std::string& shownAs = std::string());

// Loads `photo` as the source (the standard working size, or width x height
// when both are positive) and writes the source map to `out` in the format
// named by its extension.  Failures are printed; returns the exit code.
int Cli_Resample_Photo(CliStreams& io, const std::string& photo, const std::string& out,
                       const CliWorkingSize& size, bool json);
// The program's refusal of a picture's name (`err`), then a plain line
// saying which names it takes.  Returns the exit code.
int Cli_Picture_Name_Failure(CliStreams& io, const std::string& path, const std::string& err);
