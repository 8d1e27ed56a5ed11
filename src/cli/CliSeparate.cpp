// `quorlin separate`: the program's main job without a display.  The photo
// is loaded at its working size, pre-processed with the watercolour filter
// and cut into colour separations by the separation dialog's "Preview All
// Seps", exactly as the desktop dialog does it; the regions may then have
// their colours scrambled and be painted with texture maps, and the layered
// image is written in the format named by the output's extension.  Given
// several photos (or a folder as the output), every photo is run as its own
// job, several at a time, and each result is written into the folder.

#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <optional>
#include <ostream>
#include <sstream>
#include <system_error>
#include <thread>
#include <utility>

#include "app/RegionEditorApp.h"
#include "cli/CliBatch.h"
#include "cli/CliColorSets.h"
#include "cli/CliCommands.h"
#include "cli/CliExport.h"
#include "cli/CliOutlineOptions.h"
#include "cli/CliOutputs.h"
#include "cli/CliPrint.h"
#include "colors/StandardColors.h"
#include "colors/StockColorSets.h"
#include "export/ExportSource.h"
#include "platform/PathNames.h"
#include "platform/Text.h"
#include "regions/ModifyColorsController.h"
#include "render/ImageFiles.h"
#include "render/ImageSizeController.h"
#include "render/TextureMaps.h"
#include "separation/ColorSeparator.h"
#include "separation/SeparationDialogController.h"

namespace {

constexpr int32_t kRows = SeparationDialogController::kRowCount;
const CliOutlineOptionNames kOutlineNames = {"--outline", "--outline-"};

// What the command line asked for, checked.
struct SeparateOptions {
  std::string photo;  // of this run
  std::string out;    // of this run
  std::vector<std::string> photos;
  bool folder = false;      // -o names a folder
  std::string format;       // of the results in the folder
  std::optional<int> jobs;  // photos run at once
  int workThreads = 1;      // threads of one photo's filters
  CliWorkingSize size;
  std::optional<int32_t> dark, lite, sat;  // slider positions
  int16_t colorSet = 0;
  bool autoSet = false;  // --set auto
  std::optional<std::array<int16_t, kRows>> rows;
  std::string brushSize;
  bool hideOutline = false;
  bool contrast = false;
  std::optional<int16_t> liteness;
  std::optional<int16_t> scrambleRange;
  uint32_t seed = 1;
  std::optional<int16_t> textureType;
  int16_t textureStyle = 0;
  std::optional<std::string> texturesDir;
  std::optional<std::string> stepsDir;
  std::optional<std::string> rglPath;
  bool json = false;
  CliOutlineOptions outline;
  ExportOptions exports;
};

const char* const kDetailsHead =
    "Loads PHOTO at its working size (longer side 400, or as --size says), renders the\n"
    "watercolour pre-processing, calculates a palette of\n"
    "five paint colours from a stock colour set, makes one colour separation per row\n"
    "(the separation dialog's \"Preview All Seps\"), and writes the layered image to OUT\n"
    "in the format named by OUT's extension: .bmp .tif .jpg .gif .png\n"
    "\n";
const char* const kDetailsOptions =
    "  --dark P, --lite P, --sat P\n"
    "                      positions (0 top .. 100 bottom) of the Dark, Lite and Sat sliders\n"
    "                      (defaults 78, 100 and 35); rgl-info shows the filter's values:\n"
    "                      dark 5 + (100 - P) x 0.7, lite 100 - P, sat 200 - (100 - P) x 2\n"
    "  --set N             stock colour set 0 to 15 (default 0, \"Popular 15\"); `quorlin sets`\n"
    "                      lists them\n"
    "  --set auto          the stock set whose layered image is closest to the photo: every\n"
    "                      set is tried (separations only) at a small size (longer side 200)\n"
    "                      and scored by the mean colour difference (CIE76 delta E) to the\n"
    "                      photo; then the separations are made with the winner\n"
    "  --rows C1,C2,C3,C4,C5\n"
    "                      the five rows' paint colours by name (case ignored; \"-NONE-\"\n"
    "                      leaves a row out); every colour must belong to the set, as in\n"
    "                      the dialog's row lists.  Given rows are used as they are: no\n"
    "                      palette is calculated.\n"
    "  --brush N           brush size 2 to 32 (default 6): the clean-up filters' size\n"
    "  --hide-outline, --contrast, --liteness N (0 to 100)\n"
    "                      how an outline (--outline) is merged into the layered image\n"
    "  --scramble R        turn each separation's hue by a random shift within +-R (1 to 178)\n"
    "  --seed S            start of the random numbers for --scramble, --textures and\n"
    "                      --outline-nudge (default 1)\n"
    "  --textures mono|color\n"
    "                      paint every region with a texture map of that kind\n"
    "  --texture-style 0|1 0: the smallest texture that covers a region; 1: the largest, sampled coarser\n"
    "  --textures-dir DIR  the folder with the Monocrome and Color texture folders\n"
    "                      (default: QUORLIN_TEXTURES, else the textures next to the program)\n"
    "  --save-steps DIR    also write DIR/preprocessed.png, DIR/subtracted.png, DIR/layered.png\n"
    "  --rgl LIST.rgl      also save the region list (bitmaps inline, with the outline if any)\n"
    "  --json              print a summary as one JSON object on stdout\n"
    "\n"
    "Several photos (quorlin separate A.jpg B.jpg ... -o DIR/) are run at once, one job\n"
    "per core, and each result is written into DIR (made when missing) as\n"
    "DIR/<photo's name without extension>.png; -o names a folder when it ends in /\n"
    "or is one, also for one photo.  A photo that fails is reported with its path and\n"
    "the others go on; the exit status is 1 when any failed.  --rgl, --save-steps,\n"
    "--psd, --svg and --layers name one file and take one photo.  With --json every\n"
    "photo prints its own line.\n"
    "\n"
    "  --jobs N            photos run at once, 1 to 64 (default: one per core)\n"
    "  --format png|jpg|bmp|tif|gif\n"
    "                      the format of the results in the folder (default png)\n";

bool Parse_Rows(const std::string& text, int16_t colorSet, std::array<int16_t, kRows>& rows,
                std::string& problem) {
  std::vector<std::string> names;
  std::stringstream in(text);
  std::string name;
  while (std::getline(in, name, ',')) {
    const size_t first = name.find_first_not_of(' ');
    const size_t last = name.find_last_not_of(' ');
    names.push_back(first == std::string::npos ? std::string() : name.substr(first, last - first + 1));
  }
  if (!text.empty() && text.back() == ',') names.emplace_back();
  if (names.size() != kRows) {
    problem = "--rows takes five colour names separated by commas";
    return false;
  }
  for (int32_t row = 0; row < kRows; ++row) {
    const int16_t index = Get_StandardColors_Index_by_Nickname(names[row]);
    if (index < 0) {
      problem = Unknown_Paint_Problem(names[row], colorSet);
      return false;
    }
    if (index > 0 && SeparationDialogController::Find_Color_in_Set(index, colorSet) < 1) {
      problem = Paint_Not_In_Set_Problem(index, colorSet);
      return false;
    }
    rows[row] = index;
  }
  return true;
}

// Reads every option; false with `problem` for a usage error.
bool Parse_Separate_Options(const CliArgs& args, SeparateOptions& o, std::string& problem) {
  if (args.Positional().empty()) {
    problem = "one PHOTO is needed";
    return false;
  }
  o.photos = args.Positional();
  o.photo = o.photos[0];
  const std::optional<std::string> out = args.Value("-o");
  if (!out || out->empty()) {
    problem = "-o OUT is needed";
    return false;
  }
  o.out = *out;
  std::error_code ec;
  o.folder = o.out.back() == '/' || std::filesystem::is_directory(o.out, ec);
  if (o.photos.size() > 1 && !o.folder) {
    problem = "with several photos -o names a folder: end it with /";
    return false;
  }
  if (const std::optional<std::string> format = args.Value("--format")) {
    if (!o.folder) {
      problem = "--format is for -o FOLDER/; -o FILE takes its format from its extension";
      return false;
    }
    if (*format != "png" && *format != "jpg" && *format != "bmp" && *format != "tif" && *format != "gif") {
      problem = "--format takes png, jpg, bmp, tif or gif";
      return false;
    }
    o.format = *format;
  } else {
    o.format = "png";
  }
  long jobs = 0;
  if (const std::optional<std::string> text = args.Value("--jobs")) {
    if (!Parse_Int_Option("--jobs", *text, 1, kMaxBatchJobs, jobs, problem)) return false;
    o.jobs = static_cast<int>(jobs);
  }
  if (!Parse_Working_Size(args, o.size, problem)) return false;
  long value = 0;
  const auto whole = [&](const char* option, long lo, long hi) -> std::optional<bool> {
    const std::optional<std::string> text = args.Value(option);
    if (!text) return std::nullopt;
    return Parse_Int_Option(option, *text, lo, hi, value, problem);
  };
  std::pair<const char*, std::optional<int32_t>*> sliders[] = {
      {"--dark", &o.dark}, {"--lite", &o.lite}, {"--sat", &o.sat}};
  for (auto& [option, target] : sliders) {
    if (const std::optional<bool> ok = whole(option, 0, 100)) {
      if (!*ok) return false;
      *target = static_cast<int32_t>(value);
    }
  }
  if (args.Value("--set") == "auto") {
    o.autoSet = true;
  } else if (const std::optional<bool> ok = whole("--set", 0, kStockColorSetCount - 1)) {
    if (!*ok) {
      problem += " or auto";
      return false;
    }
    o.colorSet = static_cast<int16_t>(value);
  }
  if (const std::optional<std::string> rows = args.Value("--rows")) {
    if (o.autoSet) {
      problem = "--set auto calculates the palette of each set; it cannot be given --rows";
      return false;
    }
    std::array<int16_t, kRows> parsed{};
    if (!Parse_Rows(*rows, o.colorSet, parsed, problem)) return false;
    o.rows = parsed;
  }
  if (const std::optional<bool> ok = whole("--brush", SeparationDialogController::kMinBrushSize,
                                           SeparationDialogController::kMaxBrushSize)) {
    if (!*ok) return false;
    o.brushSize = std::to_string(value);
  }
  o.hideOutline = args.Has("--hide-outline");
  o.contrast = args.Has("--contrast");
  if (const std::optional<bool> ok = whole("--liteness", 0, 100)) {
    if (!*ok) return false;
    o.liteness = static_cast<int16_t>(value);
  }
  if (const std::optional<bool> ok =
          whole("--scramble", ModifyColorsController::kMinRange, ModifyColorsController::kMaxRange)) {
    if (!*ok) return false;
    o.scrambleRange = static_cast<int16_t>(value);
  }
  if (const std::optional<bool> ok = whole("--seed", 0, 4294967295L)) {
    if (!*ok) return false;
    o.seed = static_cast<uint32_t>(value);
  }
  if (const std::optional<std::string> kind = args.Value("--textures")) {
    if (*kind == "mono") {
      o.textureType = 0;
    } else if (*kind == "color") {
      o.textureType = 1;
    } else {
      problem = "--textures takes mono or color";
      return false;
    }
  }
  if (const std::optional<bool> ok = whole("--texture-style", 0, 1)) {
    if (!*ok) return false;
    o.textureStyle = static_cast<int16_t>(value);
  }
  o.texturesDir = args.Value("--textures-dir");
  if (o.texturesDir && o.texturesDir->empty()) {
    problem = "--textures-dir needs a folder";
    return false;
  }
  o.stepsDir = args.Value("--save-steps");
  if (o.stepsDir && o.stepsDir->empty()) {
    problem = "--save-steps needs a folder";
    return false;
  }
  o.rglPath = args.Value("--rgl");
  if (o.rglPath && o.rglPath->empty()) {
    problem = "--rgl needs a file name";
    return false;
  }
  o.json = args.Has("--json");
  // Options that change how textures are painted mean nothing without them.
  for (const char* textureOption : {"--texture-style", "--textures-dir"}) {
    if (args.Has(textureOption) && !o.textureType) {
      problem = std::string(textureOption) + " needs --textures mono|color";
      return false;
    }
  }
  // How an outline is merged means nothing without an outline.
  for (const char* merge : {"--hide-outline", "--contrast", "--liteness"}) {
    if (args.Has(merge) && !args.Has(kOutlineNames.style)) {
      problem = std::string(merge) + " needs " + kOutlineNames.style + " STYLE";
      return false;
    }
  }
  if (!Parse_Export_Options(args, o.exports, problem)) return false;
  o.exports.report = !o.json;
  if (o.photos.size() > 1) {
    // Each of these names one file (or one folder of fixed names): several
    // photos would write over each other's.
    for (const char* single : {"--rgl", "--save-steps", "--psd", "--svg", "--layers"}) {
      if (args.Has(single)) {
        problem = std::string(single) + " names one file and takes one photo, not several";
        return false;
      }
    }
  }
  return Parse_Outline_Options(args, kOutlineNames, false, o.outline, problem);
}

// Milliseconds spent in each stage, in the order the stages ran.
class StageClock {
 public:
  void Lap(const char* stage) {
    const auto now = std::chrono::steady_clock::now();
    m_stages.emplace_back(stage, std::chrono::duration<double, std::milli>(now - m_start).count());
    m_start = now;
  }
  const std::vector<std::pair<const char*, double>>& Stages() const { return m_stages; }

 private:
  std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
  std::vector<std::pair<const char*, double>> m_stages;
};

// The regions each separation row produced.
std::array<int32_t, kRows> Regions_per_Row(RegionListSubject& list) {
  std::array<int32_t, kRows> counts{};
  for (const ComponentSubject* child : list.Get_Children_List()) {
    const auto* region = dynamic_cast<const RegionSubject*>(child);
    if (region != nullptr && region->Get_Separation_ID() >= 0 && region->Get_Separation_ID() < kRows)
      ++counts[region->Get_Separation_ID()];
  }
  return counts;
}

// A row that found nothing, and a picture left white, are worth a word.
void Warn_About_Rows(CliStreams& io, RegionEditorApp& app) {
  const SepRowsControlSettings& rows = app.Get_Settings().lastSepRowsControlSettings;
  const std::array<int32_t, kRows> counts = Regions_per_Row(app.Get_RegionList());
  bool anyColor = false;
  for (int32_t row = 0; row < kRows; ++row) {
    if (rows[row].colorsStdIndex <= 0) continue;
    anyColor = true;
    if (counts[row] > 0) continue;
    std::string nickname;
    Get_StandardColors_Nickname(rows[row].colorsStdIndex, nickname);
    Cli_Warnings(io) << "quorlin separate: warning: row " << row + 1 << " (" << nickname
                     << ") got no regions; the photo has too little of that colour\n";
  }
  if (!anyColor) {
    Cli_Warnings(io) << "quorlin separate: warning: every row is -NONE-, so the picture is white\n";
  }
}

void Print_Json(std::ostream& out, RegionEditorApp& app, const StageClock& clock,
                const std::optional<AutoColorSetResult>& autoSet, const std::string* photo) {
  const SepRowsControlSettings& rows = app.Get_Settings().lastSepRowsControlSettings;
  int32_t width = 0, height = 0;
  app.Get_RenderMan().Get_Source_Size(width, height);
  const std::array<int32_t, kRows> counts = Regions_per_Row(app.Get_RegionList());
  out << "{";
  if (photo) out << "\"photo\":" << Cli_Json_Text(*photo) << ",";
  out << "\"width\":" << width << ",\"height\":" << height << ",\"rows\":[";
  for (int32_t row = 0; row < kRows; ++row) {
    std::string nickname;
    Get_StandardColors_Nickname(rows[row].colorsStdIndex, nickname);
    out << (row ? "," : "") << "{\"row\":" << row + 1 << ",\"index\":" << rows[row].colorsStdIndex
        << ",\"nickname\":" << Cli_Json_Text(nickname) << ",\"regions\":" << counts[row] << "}";
  }
  out << "],\"regions\":" << app.Get_RegionList().Get_Region_Count()
      << ",\"chains\":" << app.Get_PixelChain_List().Get_Count() << ",\"ms\":{";
  bool first = true;
  for (const auto& [stage, ms] : clock.Stages()) {
    out << (first ? "" : ",") << Cli_Json_Text(stage) << ":" << Text_Format("%.1f", ms);
    first = false;
  }
  out << "}";
  if (autoSet) out << ",\"colorSet\":" << Auto_ColorSet_Json(*autoSet);
  out << "}\n";
}

// The steps --save-steps writes, by file name.
constexpr const char* kStepNames[] = {"preprocessed.png", "subtracted.png", "layered.png"};

// Every file the command writes, each once: OUT, the list, the steps (a
// step that is OUT itself is written once, as OUT).
bool Add_Outputs(const SeparateOptions& o, CliOutputs& outputs, std::string& problem) {
  if (!outputs.Add(o.out, "-o", problem)) return false;
  if (o.rglPath && !outputs.Add(*o.rglPath, "--rgl", problem)) return false;
  if (!Add_Export_Outputs(o.exports, outputs, problem)) return false;
  if (!o.stepsDir) return true;
  for (const char* name : kStepNames) {
    const std::string path = Path_Join(*o.stepsDir, name);
    if (CliOutputs::Same_File(path, o.out)) continue;
    if (!outputs.Add(path, "--save-steps", problem)) return false;
  }
  return true;
}

// --set auto: the stock sets tried on the loaded photo with the settings
// the separations will have (the sliders are set; the brush size is the
// option's).
bool Choose_Auto_Set(CliStreams& io, RegionEditorApp& app, const SeparateOptions& o,
                     std::optional<AutoColorSetResult>& chosen) {
  Settings settings = app.Get_Settings();
  if (!o.brushSize.empty())
    settings.sepsDialogSettings.brushSize = static_cast<int16_t>(std::stoi(o.brushSize));
  AutoColorSetResult result;
  if (!Cli_Choose_Auto_ColorSet(io, app.Get_RenderMan(), settings, o.photo, result)) return false;
  chosen = result;
  return true;
}

int Run_Separate(CliStreams& io, SeparateOptions& o, CliOutputs& outputs) {
  std::string err;
  // A bad output name is refused before the photo is decoded.
  if (!Check_Picture_Extension(o.out, err)) return Cli_Picture_Name_Failure(io, o.out, err);
  if (o.stepsDir) {
    std::error_code ec;
    std::filesystem::create_directories(*o.stepsDir, ec);
    if (ec || !std::filesystem::is_directory(*o.stepsDir)) {
      return Cli_Failure(io, "quorlin separate: could not create the folder " + *o.stepsDir +
                                 (ec ? ":  " + ec.message() : std::string()));
    }
  }

  StageClock clock;
  CliPlatform platform(io);
  RegionEditorApp app(platform.Get(), o.texturesDir ? *o.texturesDir : Default_Texture_Folder());
  RenderMan& renderMan = app.Get_RenderMan();
  renderMan.Set_Work_Threads(o.workThreads);
  if (o.textureType && renderMan.Get_TextureMap_Folder(*o.textureType).empty()) {
    return Cli_Failure(io, "quorlin separate: no texture folder was found; name one with --textures-dir");
  }
  if (o.textureType) {
    const ListMemry<TextureMapSpec>& list = *renderMan.Get_TextureMap_List(*o.textureType == 1 ? 1 : 0);
    if (list.Is_Empty()) {
      return Cli_Failure(io, "quorlin separate: there are no texture maps in " +
                                 renderMan.Get_TextureMap_Folder(*o.textureType));
    }
  }

  // "Load Source Photo", then "Image Size" when a size is asked for.
  if (!Cli_Load_Photo_At(io, renderMan, o.photo, o.size, "separate")) return kExitFailure;
  app.Get_Document().sourcePhotoPath = o.photo;
  // The print size is checked against the photo before the work starts.
  if (o.exports.print) {
    const ExportSource probe{app.Get_RegionList(), renderMan, nullptr, o.photo, platform.Get()};
    if (!Resolve_Print_Size(probe, o.exports, err)) return Cli_Failure(io, "quorlin separate: " + err);
  }
  if (!Adjust_Detection_Settings_for_Upcoming_DetectionDialog(app.Get_Settings(), app.Get_RegionList(), 0,
                                                              err))
    return Cli_Failure(io, err);
  clock.Lap("load");

  // The settings the dialog opens with.
  const std::pair<const std::optional<int32_t>&, WatercolorSlider> sliders[] = {
      {o.dark, WatercolorSlider::Dark}, {o.lite, WatercolorSlider::Lite}, {o.sat, WatercolorSlider::Sat}};
  for (const auto& [position, slider] : sliders) {
    if (position) Apply_Watercolor_Slider(slider, *position, app.Get_Settings().watercolorParms);
  }
  std::optional<AutoColorSetResult> autoSet;
  if (o.autoSet && !Choose_Auto_Set(io, app, o, autoSet)) return kExitFailure;
  if (autoSet) clock.Lap("auto");
  app.Get_Settings().sepsDialogSettings.palettePrimaryIdx = autoSet ? autoSet->chosen : o.colorSet;
  if (o.rows) {
    for (int32_t row = 0; row < kRows; ++row)
      app.Get_Settings().lastSepRowsControlSettings[row].colorsStdIndex = (*o.rows)[row];
    app.Get_Settings().sepsDialogSettings.alwaysCalcPalette = 0;
  }

  SeparationSession session(app.Separation_Context());
  SeparationDialogController& dialog = session.Controller();
  if (!dialog.OnInitDialog()) return kExitFailure;
  clock.Lap("preprocess");
  if (!o.brushSize.empty()) dialog.Set_Brush_Size_Text(o.brushSize);
  if (o.hideOutline && !dialog.On_Hide_Outline_Clicked(true)) return kExitFailure;
  if (o.contrast && !dialog.On_Contrast_Clicked(true)) return kExitFailure;
  if (o.liteness && !dialog.On_Liteness_Slider(100 - *o.liteness)) return kExitFailure;
  CliOutlineReport outline;
  if (o.outline.wanted) {
    // "Outline Editor" before the separations: its detection leaves its line
    // map in the subtract map, which the separations then start afresh.
    Connect_Outline_Editor(dialog, app, o.outline, o.seed, outline);
    if (!dialog.On_Outline_Editor() || !outline.saved) return kExitFailure;
    clock.Lap("outline");
  }
  if (!dialog.On_Preview_All_Seps()) return kExitFailure;
  if (!dialog.On_Close()) return kExitFailure;
  clock.Lap("separate");

  Warn_About_Rows(io, app);
  if (o.textureType && *o.textureType == 0 && !renderMan.Is_Greyscale_Photo()) {
    Cli_Warnings(io)
        << "quorlin separate: warning: monochrome textures paint in grey; --textures color keeps "
           "the colours of a colour photo\n";
  }

  bool recompose = false;
  if (o.scrambleRange) {
    // "Modify Colors": scramble, then keep the colours.
    ModifyColorsController modify(app.Modify_Colors_Context(), o.seed);
    if (!modify.Open() || !modify.Set_Range(*o.scrambleRange) || !modify.On_Scramble_Colors()) {
      return kExitFailure;
    }
    modify.On_Save();
    clock.Lap("scramble");
  }
  if (o.textureType) {
    RegionRandom random(o.seed);
    if (!app.Get_RegionList().Paint_All_Regions_with_TextureMaps(*o.textureType, o.textureStyle, random,
                                                                 err)) {
      return Cli_Failure(io, err);
    }
    recompose = true;
    clock.Lap("textures");
  }
  if (recompose) {
    if (!app.Get_Composer().ReDraw_SummedFinalViews_OffMap()) return kExitFailure;
    clock.Lap("compose");
  }

  // Every output is written beside its target first; the targets change
  // only when all of them were written.
  // The outline at print size is drawn again from the chains the dialog
  // painted, with its line style.
  ListMemry<PixelChain> drawnChains;
  if (o.outline.wanted && !Copy_Drawn_Chains(app, drawnChains, err)) return Cli_Failure(io, err);
  const ExportSource source{app.Get_RegionList(),
                            renderMan,
                            o.outline.wanted ? &drawnChains : nullptr,
                            o.photo,
                            platform.Get(),
                            app.Get_Settings().outlineDetectParms.lineStyle};
  outputs.Stage();
  if (o.exports.print) {
    if (!Write_Print_Picture(io, source, o.exports, outputs.Path_For(o.out), o.out)) return kExitFailure;
    clock.Lap("print");
  } else if (!Cli_Save_Picture(io, platform.Get(), renderMan.Get_Layered_Map(), outputs.Path_For(o.out),
                               o.out)) {
    return kExitFailure;
  }
  if (o.stepsDir) {
    const OffMap* stepMaps[] = {renderMan.Get_Filtered_Map(), renderMan.Get_Subtract_Map(),
                                renderMan.Get_Layered_Map()};
    for (size_t i = 0; i < std::size(kStepNames); ++i) {
      const std::string path = Path_Join(*o.stepsDir, kStepNames[i]);
      if (!outputs.Has(path)) continue;  // OUT itself
      if (!Cli_Save_Picture(io, platform.Get(), stepMaps[i], outputs.Path_For(path), path))
        return kExitFailure;
    }
  }
  if (o.rglPath && !Cli_Save_Region_List(app, outputs.Path_For(*o.rglPath), err)) {
    io.err << err << '\n';
    const std::filesystem::path folder = std::filesystem::path(*o.rglPath).parent_path();
    std::error_code ec;
    const bool folderMissing = !folder.empty() && !std::filesystem::is_directory(folder, ec);
    return Cli_Failure(io, "quorlin separate: " + *o.rglPath + ": the region list could not be written" +
                               (folderMissing ? "; its folder " + folder.string() + " does not exist" : ""));
  }
  if (!Write_Exports(io, source, o.exports, outputs)) return kExitFailure;
  if (!outputs.Commit(err)) return Cli_Failure(io, err);
  clock.Lap("save");

  if (o.json) {
    Print_Json(io.out, app, clock, autoSet, o.folder ? &o.photo : nullptr);
  } else {
    int32_t width = 0, height = 0;
    renderMan.Get_Source_Size(width, height);
    if (autoSet) Print_Auto_ColorSet(Cli_Notes(io), *autoSet);
    Cli_Notes(io) << "wrote " << o.out << " ("
                  << (o.exports.print ? Print_Size_Text(o.exports) + " of the " : std::string()) << width
                  << " x " << height << (o.exports.print ? " working size" : "") << ", "
                  << app.Get_RegionList().Get_Region_Count() << " regions)\n";
    if (o.stepsDir) Cli_Notes(io) << "wrote the steps into " << *o.stepsDir << "\n";
  }
  return kExitOk;
}

int Core_Count() {
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

// Where each photo's result goes in the folder; false with `problem` when
// two photos would have the same result, or a result would be written over
// its own photo.
bool Plan_Folder_Outputs(const SeparateOptions& o, std::vector<std::string>& outs, std::string& problem) {
  outs.clear();
  for (size_t i = 0; i < o.photos.size(); ++i) {
    const std::string out = Path_Join(o.out, File_Title(Path_File_Name(o.photos[i])) + "." + o.format);
    for (size_t k = 0; k < i; ++k) {
      if (outs[k] == out) {
        problem = o.photos[k] + " and " + o.photos[i] + " would both be written to " + out;
        return false;
      }
    }
    if (CliOutputs::Same_File(o.photos[i], out)) {
      problem = o.photos[i] + " would be written over by its own result; choose another -o folder";
      return false;
    }
    outs.push_back(out);
  }
  return true;
}

// Every photo into the folder, several at a time.
int Run_Folder(CliStreams& io, const SeparateOptions& o, const std::vector<std::string>& outs,
               bool progress) {
  std::error_code ec;
  std::filesystem::create_directories(o.out, ec);
  if (ec || !std::filesystem::is_directory(o.out)) {
    return Cli_Failure(io, "quorlin separate: could not create the folder " + o.out +
                               (ec ? ":  " + ec.message() : std::string()));
  }
  const int jobs = o.jobs ? std::min<int>(*o.jobs, static_cast<int>(o.photos.size()))
                          : Default_Batch_Jobs(o.photos.size());
  // The cores the jobs leave free go to each photo's filters.
  const int workThreads = std::max(1, Core_Count() / jobs);
  const CliBatchCount count = Cli_Run_Batch(io, o.photos, jobs, progress, [&](size_t i, CliStreams& streams) {
    SeparateOptions one = o;
    one.workThreads = workThreads;
    one.photo = o.photos[i];
    one.out = outs[i];
    CliOutputs outputs;
    std::string problem;
    if (!Add_Outputs(one, outputs, problem)) return Cli_Failure(streams, problem);
    return Run_Separate(streams, one, outputs);
  });
  (o.json ? Cli_Warnings(io) : Cli_Notes(io))
      << "wrote " << count.succeeded << " of " << o.photos.size() << " pictures into " << o.out << "\n";
  return count.failed > 0 ? kExitFailure : kExitOk;
}

}  // namespace

int Cli_Separate(const std::vector<std::string>& words, CliStreams& io) {
  const CliCommand& self = Cli_Command("separate");
  CliArgs args;
  for (const char* name : {"-o", "--size", "--dark", "--lite", "--sat", "--set", "--rows", "--brush",
                           "--liteness", "--scramble", "--seed", "--textures", "--texture-style",
                           "--textures-dir", "--save-steps", "--rgl", "--jobs", "--format"})
    args.Value_Option(name);
  for (const char* name : {"--hide-outline", "--contrast", "--json"}) args.Flag_Option(name);
  Declare_Outline_Options(args, kOutlineNames);
  Declare_Export_Options(args);
  std::string problem;
  if (!args.Parse(words, problem)) return Cli_Usage_Error(io, self, problem);
  if (args.Wants_Help()) {
    const std::string details =
        std::string(kDetailsHead) + kWorkingSizeHelp + kDetailsOptions + Export_Options_Help() +
        "\nAn outline drawn over the layered image by the outline dialog (the separation\n"
        "dialog's \"Outline Editor\"):\n" +
        Outline_Options_Help(kOutlineNames, true);
    return Cli_Help(io, self, details.c_str());
  }
  SeparateOptions options;
  if (!Parse_Separate_Options(args, options, problem)) return Cli_Usage_Error(io, self, problem);
  if (options.folder) {
    std::vector<std::string> outs;
    if (!Plan_Folder_Outputs(options, outs, problem)) return Cli_Usage_Error(io, self, problem);
    // The progress line only on a terminal, and only on the program's own
    // error stream.
    const bool progress = &io.err == &std::cerr && ::isatty(STDERR_FILENO) == 1;
    return Run_Folder(io, options, outs, progress);
  }
  options.workThreads = Core_Count();
  CliOutputs outputs;
  if (!Add_Outputs(options, outputs, problem)) return Cli_Usage_Error(io, self, problem);
  return Run_Separate(io, options, outputs);
}
