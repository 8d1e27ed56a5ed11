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
int Cli_Resample_Photo(CliStreams& io, const std::string& photo, const std::string& out, int width,
                       int height);
