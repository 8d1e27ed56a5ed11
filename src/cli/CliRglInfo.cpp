// `quorlin rgl-info`: what a region list file holds, as stored: the file
// and header versions, every field of the list header, the region count
// and whether an outline chunk is there; then what the regions tell: the
// paint colour of each separation row and the stock colour sets that hold
// them all.  The whole file is read as "Load RegionList" reads it (without
// the photo), so a file the program could not load is reported with the
// reason instead.

#include <memory>
#include <ostream>
#include <string>

#include "app/RegionEditorApp.h"
#include "cli/CliCommands.h"
#include "colors/StandardColors.h"
#include "colors/StockColorSets.h"
#include "persistence/ListFile.h"
#include "persistence/RegionListExternal.h"
#include "platform/Text.h"
#include "regions/RegionListSubject.h"
#include "regions/RegionSubject.h"
#include "separation/SeparationDialogController.h"

namespace {

const char* const kDetails =
    "Prints the file version, every field of the list header as stored (a load replaces\n"
    "values outside their ranges), the number of regions and whether the file holds an\n"
    "outline.  --json prints the same as one JSON object; the stored paths are texts of\n"
    "the file's own bytes, and any byte of them that is not UTF-8 is written as U+FFFD,\n"
    "the replacement character, so that the output is always valid JSON.\n"
    "\n"
    "The project path is a constant of the file format (internal; nothing reads it).  The\n"
    "watercolour values are the filter's own (dark 5..75, lite 0..100, sat 0..200); the\n"
    "slider positions of `quorlin separate` map to them as dark = 5 + (100 - P) x 0.7,\n"
    "lite = 100 - P, sat = 200 - (100 - P) x 2.  A damaged or cut-off file is reported\n"
    "with what is wrong (exit 1).\n";

constexpr int32_t kRows = SeparationDialogController::kRowCount;

// What the regions tell: each row's paint colour (-1 for a row without
// regions) and the stock sets that hold every one of them.
struct RowColors {
  int16_t colorIndex[kRows] = {-1, -1, -1, -1, -1};
  std::vector<int16_t> sets;
};

RowColors Row_Colors_of(RegionListSubject& list) {
  RowColors rows;
  for (const ComponentSubject* child : list.Get_Children_List()) {
    const auto* region = dynamic_cast<const RegionSubject*>(child);
    if (region == nullptr || region->Get_Separation_ID() < 0 || region->Get_Separation_ID() >= kRows)
      continue;
    int16_t& index = rows.colorIndex[region->Get_Separation_ID()];
    if (index < 0) index = region->Get_Hunt_Color_Index();
  }
  for (int16_t set = 0; set < kStockColorSetCount; ++set) {
    bool holdsAll = true;
    for (const int16_t index : rows.colorIndex) {
      if (index > 0 && SeparationDialogController::Find_Color_in_Set(index, set) < 1) holdsAll = false;
    }
    if (holdsAll) rows.sets.push_back(set);
  }
  return rows;
}

std::string Color_Name(int16_t index) {
  std::string name;
  if (index < 0 || !Get_StandardColors_Nickname(index, name)) return "-";
  return name;
}

std::string Set_Name(int16_t set) {
  std::string name, err;
  Get_Nickname_of_Stock_ColorSet(set, err, name);
  return name;
}

const char* Bitmap_Mode_Name(int16_t mode) {
  switch (mode) {
    case 0:
      return "each region's bitmap in a BMP file of its own";
    case 1:
      return "the bitmaps inside the list file";
    default:
      return "unknown";
  }
}

// The merge styles of the outline, by what draws them.
const char* Outline_Style_Name(int16_t style) {
  switch (style) {
    case 0:
      return "pencil or charcoal lines";
    case 1:
      return "an outline picture";
    case 2:
      return "ink lines";
    default:
      return "unknown";
  }
}

void Print_Text(std::ostream& out, const RegionListFileInfo& info, const RowColors& rows) {
  const RegionListFileHeader& h = info.header;
  out << "file version:       " << static_cast<int>(info.fileVersion) << '\n'
      << "header version:     " << static_cast<int>(info.headerVersion) << '\n'
      << "project path:       " << h.projectPath << " (a constant of the format)\n"
      << "files bitmap mode:  " << h.filesBitmapMode << " (" << Bitmap_Mode_Name(h.filesBitmapMode) << ")\n"
      << "source photo:       " << h.sourcePhotoPath << '\n'
      << "canvas:             " << h.canvasWidth << " x " << h.canvasHeight << '\n'
      << "outline liteness:   " << h.outlineLiteness << '\n'
      << "outline style:      " << h.outlineStyle << " (" << Outline_Style_Name(h.outlineStyle) << ")\n"
      << "outline contrast:   " << h.outlineContrast << '\n'
      << "brush size:         " << h.brushSize << '\n'
      << "watercolour dark:   " << h.watercolorDark << '\n'
      << "watercolour lite:   " << h.watercolorLite << '\n'
      << "watercolour sat:    " << h.watercolorSat << '\n'
      << "regions:            " << info.regionCount << '\n'
      << "outline:            " << (info.hasOutline ? "yes" : "no") << '\n';
  for (int32_t row = 0; row < kRows; ++row)
    out << "row " << row + 1 << " paint:        " << Color_Name(rows.colorIndex[row]) << '\n';
  out << "colour sets:        ";
  if (rows.sets.empty()) out << "none of the stock sets holds every row's paint";
  for (size_t i = 0; i < rows.sets.size(); ++i)
    out << (i ? ", " : "") << rows.sets[i] << " (" << Set_Name(rows.sets[i]) << ")";
  out << '\n';
}

void Print_Json(std::ostream& out, const RegionListFileInfo& info, const RowColors& rows) {
  const RegionListFileHeader& h = info.header;
  out << "{\"fileVersion\":" << static_cast<int>(info.fileVersion)
      << ",\"headerVersion\":" << static_cast<int>(info.headerVersion)
      << ",\"projectPath\":" << Cli_Json_Text(h.projectPath) << ",\"filesBitmapMode\":" << h.filesBitmapMode
      << ",\"sourcePhotoPath\":" << Cli_Json_Text(h.sourcePhotoPath) << ",\"canvasWidth\":" << h.canvasWidth
      << ",\"canvasHeight\":" << h.canvasHeight << ",\"outlineLiteness\":" << h.outlineLiteness
      << ",\"outlineStyle\":" << h.outlineStyle
      << ",\"outlineStyleName\":" << Cli_Json_Text(Outline_Style_Name(h.outlineStyle))
      << ",\"outlineContrast\":" << h.outlineContrast << ",\"brushSize\":" << h.brushSize
      << ",\"watercolorDark\":" << h.watercolorDark << ",\"watercolorLite\":" << h.watercolorLite
      << ",\"watercolorSat\":" << h.watercolorSat << ",\"regions\":" << info.regionCount
      << ",\"outline\":" << (info.hasOutline ? "true" : "false") << ",\"rows\":[";
  for (int32_t row = 0; row < kRows; ++row)
    out << (row ? "," : "")
        << (rows.colorIndex[row] < 0 ? "null" : Cli_Json_Text(Color_Name(rows.colorIndex[row])));
  out << "],\"colorSets\":[";
  for (size_t i = 0; i < rows.sets.size(); ++i)
    out << (i ? "," : "") << "{\"index\":" << rows.sets[i]
        << ",\"name\":" << Cli_Json_Text(Set_Name(rows.sets[i])) << "}";
  out << "]}\n";
}

}  // namespace

int Cli_Rgl_Info(const std::vector<std::string>& words, CliStreams& io) {
  const CliCommand& self = Cli_Command("rgl-info");
  CliArgs args;
  args.Flag_Option("--json");
  std::string problem;
  if (!args.Parse(words, problem)) return Cli_Usage_Error(io, self, problem);
  if (args.Wants_Help()) return Cli_Help(io, self, kDetails);
  if (args.Positional().size() != 1) return Cli_Usage_Error(io, self, "one LIST.rgl is needed");

  const std::string& path = args.Positional()[0];
  RegionListFileInfo info;
  RowColors rows;
  std::string err;
  // The program's text names no file; the line after it does.
  const auto refuse = [&](const std::string& text) {
    io.err << text << '\n';
    return Cli_Failure(io,
                       "quorlin rgl-info: " + path + ": not a region list this program can read to its end");
  };
  try {
    ListFile file;
    file.Open_For_Reading(path);
    if (!Read_RegionList_File_Info(file, info, err)) return refuse(err);
    CliPlatform platform(io);
    RegionEditorApp app(platform.Get());
    RegionListExternal external(app.List_File_Context());
    ComponentSubject* made = nullptr;
    const bool read = external.Receive(file, made, err);
    std::unique_ptr<ComponentSubject> dropped(made);
    if (!read) return refuse(err);
    rows = Row_Colors_of(app.Get_RegionList());
  } catch (const ListFileException& e) {
    return refuse(Text_Format("Could not load RegionList file because:  %s", e.Get_Reason().c_str()));
  }
  if (args.Has("--json")) {
    Print_Json(io.out, info, rows);
  } else {
    Print_Text(io.out, info, rows);
  }
  return kExitOk;
}
