#pragma once
// The outline options of the command line, shared by `quorlin outline` and
// `quorlin separate --outline STYLE`, and the run of the outline dialog they
// drive: "Detect" with the detection settings, the line style chosen, the
// "Modify Lines" sliders moved, "Save".

#include <cstdint>
#include <optional>
#include <string>

#include "cli/Cli.h"

class RegionEditorApp;
class SeparationDialogController;

// How a command spells the options: the option naming the line style, and
// the prefix of the others ("--" gives --detail, --lines, ...; "--outline-"
// gives --outline-detail, --outline-lines, ...).  --no-connect is spelled
// the same everywhere.
struct CliOutlineOptionNames {
  const char* style;
  const char* prefix;
};

struct CliOutlineOptions {
  // The line style was asked for (the other options need it).
  bool wanted = false;
  std::string style = "Pencil Medium";
  std::optional<int16_t> detail;     // 0..100
  std::optional<int16_t> lines;      // 0..254
  std::optional<double> scale;       // 0.1..2.0
  std::optional<int16_t> minLength;  // 4..100
  std::optional<int16_t> smooth;     // 0..16
  std::optional<int16_t> nudge;      // 0..50
  bool noConnect = false;
};

// What a run did.
struct CliOutlineReport {
  bool saved = false;  // the dialog ended with "Save"
  int32_t chains = 0;
  double milliseconds = 0;
};

// Declares the options on `args`.
void Declare_Outline_Options(CliArgs& args, const CliOutlineOptionNames& names);
// The lines that describe the options in a command's --help.
// With `optional` the style option draws an outline only when given.
std::string Outline_Options_Help(const CliOutlineOptionNames& names, bool optional = false);
// Reads the options.  With `styleRequired` false, no style option means no
// outline, and then the other outline options are refused.  False with
// `problem` for a usage error (an unknown line style included).
bool Parse_Outline_Options(const CliArgs& args, const CliOutlineOptionNames& names, bool styleRequired,
                           CliOutlineOptions& options, std::string& problem);

// Runs the outline dialog on the application's photo (the brushes are
// loaded first) and keeps the outline it paints, merged into the layered
// image.  The random shifts of --nudge start from `seed`.  False when a
// step failed; its message has been shown through the platform.
bool Run_Outline_Dialog(RegionEditorApp& app, const CliOutlineOptions& options, uint32_t seed,
                        CliOutlineReport& report);

// Makes the separation dialog's "Outline Editor" run the outline dialog as
// Run_Outline_Dialog does; `report` (which must outlive the dialog's use of
// the button) receives what the run did.
void Connect_Outline_Editor(SeparationDialogController& dialog, RegionEditorApp& app,
                            const CliOutlineOptions& options, uint32_t seed, CliOutlineReport& report);
