#include "cli/CliOutlineOptions.h"

#include <chrono>
#include <vector>

#include "app/RegionEditorApp.h"
#include "outline/OutlineDialogController.h"
#include "platform/Text.h"
#include "render/RenderMan.h"
#include "separation/SeparationDialogController.h"

namespace {

// The names of the line styles the program carries, in the order of the
// dialog's "Line Styles" list.
std::vector<std::string> Line_Style_Names() {
  QtPictureCodec codec;
  HeadlessPlatform platform(codec);
  RenderMan renderMan(platform.Get());
  std::string err;
  renderMan.Load_Pencil_Brushes(err);
  std::vector<std::string> names;
  for (int16_t i = 0; i <= renderMan.Get_Last_Bitmap_Utility_Index(); ++i)
    names.push_back(renderMan.Get_Bitmap_Utilities()[i].name);
  return names;
}

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

std::string Option(const CliOutlineOptionNames& names, const char* name) {
  return std::string(names.prefix) + name;
}

struct WholeOption {
  const char* name;
  long lo;
  long hi;
  std::optional<int16_t> CliOutlineOptions::*target;
};

constexpr WholeOption kWholeOptions[] = {
    {"detail", 0, 100, &CliOutlineOptions::detail},        {"lines", 0, 254, &CliOutlineOptions::lines},
    {"min-length", 4, 100, &CliOutlineOptions::minLength}, {"smooth", 0, 16, &CliOutlineOptions::smooth},
    {"nudge", 0, 50, &CliOutlineOptions::nudge},
};

constexpr double kMinScale = 0.1;
constexpr double kMaxScale = 2.0;

}  // namespace

void Declare_Outline_Options(CliArgs& args, const CliOutlineOptionNames& names) {
  args.Value_Option(names.style).Value_Option(Option(names, "scale")).Flag_Option("--no-connect");
  for (const WholeOption& option : kWholeOptions) args.Value_Option(Option(names, option.name));
}

std::string Outline_Options_Help(const CliOutlineOptionNames& names, bool optional) {
  const std::string p = names.prefix;
  const auto line = [](const std::string& option, const std::string& text) {
    std::string padded = "  " + option;
    padded += std::string(padded.size() < 24 ? 24 - padded.size() : 1, ' ');
    return padded + text + "\n";
  };
  const std::string styleText = optional
                                    ? "draw an outline in this line style (no outline unless given), case "
                                      "ignored: "
                                    : "the line style, case ignored (default Pencil Medium): ";
  return line(std::string(names.style) + " STYLE", styleText + Joined(Line_Style_Names())) +
         line(p + "detail N", "0 to 100 (default 50): the edge smoothing; the lower, the finer the lines") +
         line(p + "lines N", "0 to 254 (default 150): the edge threshold; the lower, the more lines") +
         line(p + "scale F", "0.1 to 2.0 (default 1): size of the map the lines are found on") +
         line(p + "min-length N", "4 to 100: leave out lines shorter than N pixels") +
         line(p + "smooth N", "0 to 16: smooth the lines over N pixels (below 4: not at all)") +
         line(p + "nudge N", "0 to 50: shift every line at random by up to N / 2 pixels (see --seed)") +
         line("--no-connect", "do not join lines that meet at a junction");
}

bool Parse_Outline_Options(const CliArgs& args, const CliOutlineOptionNames& names, bool styleRequired,
                           CliOutlineOptions& options, std::string& problem) {
  const std::optional<std::string> style = args.Value(names.style);
  options.wanted = styleRequired || style.has_value();
  if (!options.wanted) {
    // The other outline options mean nothing without a line style.
    std::vector<std::string> given;
    for (const WholeOption& option : kWholeOptions)
      if (args.Has(Option(names, option.name))) given.push_back(Option(names, option.name));
    if (args.Has(Option(names, "scale"))) given.push_back(Option(names, "scale"));
    if (args.Has("--no-connect")) given.push_back("--no-connect");
    if (!given.empty()) {
      problem = given.front() + " needs " + names.style + " STYLE";
      return false;
    }
    return true;
  }
  if (style) {
    const std::vector<std::string> known = Line_Style_Names();
    options.style.clear();
    for (const std::string& name : known)
      if (Equal_NoCase(*style, name)) options.style = name;
    if (options.style.empty()) {
      problem = std::string(names.style) + ": \"" + *style + "\" is not a line style; the styles are " +
                Joined(known);
      return false;
    }
  }
  for (const WholeOption& option : kWholeOptions) {
    const std::string name = Option(names, option.name);
    const std::optional<std::string> text = args.Value(name);
    if (!text) continue;
    long value = 0;
    if (!Parse_Int_Option(name, *text, option.lo, option.hi, value, problem)) return false;
    options.*option.target = static_cast<int16_t>(value);
  }
  if (const std::optional<std::string> text = args.Value(Option(names, "scale"))) {
    double value = 0;
    if (!Parse_Real_Option(Option(names, "scale"), *text, kMinScale, kMaxScale, value, problem)) return false;
    options.scale = value;
  }
  options.noConnect = args.Has("--no-connect");
  return true;
}

bool Run_Outline_Dialog(RegionEditorApp& app, const CliOutlineOptions& options, uint32_t seed,
                        CliOutlineReport& report) {
  const auto start = std::chrono::steady_clock::now();
  std::string err;
  if (!app.Get_RenderMan().Load_Pencil_Brushes(err)) {
    app.Get_Platform().Message(err);
    return false;
  }
  // The settings the dialog opens with.
  OutlineDetectParms& parms = app.Get_Settings().outlineDetectParms;
  if (options.detail) parms.detail = *options.detail;
  if (options.lines) parms.lineCount = *options.lines;
  if (options.scale) parms.scale = *options.scale;

  OutlineSession session(app.Outline_Context(), seed);
  OutlineDialogController& dialog = session.Controller();
  dialog.OnInitDialog();
  dialog.Set_Connect_Short_Lines(!options.noConnect);
  bool done = dialog.On_Detect();

  int32_t styleIndex = -1;
  const std::vector<std::string>& styles = dialog.Controls().lineStyles;
  for (size_t i = 0; i < styles.size(); ++i)
    if (Equal_NoCase(styles[i], options.style)) styleIndex = static_cast<int32_t>(i);
  if (done && styleIndex < 0) {
    app.Get_Platform().Message("quorlin: the line style " + options.style +
                               " is not among the loaded styles");
    done = false;
  }
  // Each slider is moved to the position that stands for the value asked for.
  done = done && dialog.On_Line_Style_Selected(styleIndex);
  if (options.minLength) done = done && dialog.On_Line_Lengths_Slider(100 - *options.minLength);
  if (options.smooth) done = done && dialog.On_Smooth_Lines_Slider(100 - 6 * *options.smooth);
  if (options.nudge) done = done && dialog.On_Random_Nudge_Slider(100 - 2 * *options.nudge);
  if (!done) {
    dialog.On_Cancel();
    return false;
  }
  if (!dialog.On_Save()) return false;
  report.saved = true;
  report.chains = app.Get_PixelChain_List().Get_Count();
  report.milliseconds =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  return true;
}

void Connect_Outline_Editor(SeparationDialogController& dialog, RegionEditorApp& app,
                            const CliOutlineOptions& options, uint32_t seed, CliOutlineReport& report) {
  dialog.m_runOutlineEditor = [&app, options, seed, &report] {
    report = CliOutlineReport();
    return Run_Outline_Dialog(app, options, seed, report);
  };
}
