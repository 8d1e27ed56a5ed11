// `quorlin rgl-info`: what a region list file holds, as stored: the file
// and header versions, every field of the list header, the region count
// and whether an outline chunk is there.  The whole file is read as "Load
// RegionList" reads it (without the photo), so a file the program could
// not load is reported with the reason instead.

#include <memory>
#include <ostream>
#include <string>

#include "app/RegionEditorApp.h"
#include "cli/CliCommands.h"
#include "persistence/ListFile.h"
#include "persistence/RegionListExternal.h"
#include "platform/Text.h"

namespace {

const char* const kDetails =
    "Prints the file version, every field of the list header as stored (a load replaces\n"
    "values outside their ranges), the number of regions and whether the file holds an\n"
    "outline.  --json prints the same as one JSON object; the stored paths are texts of\n"
    "the file's own bytes, and any byte of them that is not UTF-8 is written as U+FFFD,\n"
    "the replacement character, so that the output is always valid JSON.\n";

void Print_Text(std::ostream& out, const RegionListFileInfo& info) {
  const RegionListFileHeader& h = info.header;
  out << "file version:       " << static_cast<int>(info.fileVersion) << '\n'
      << "header version:     " << static_cast<int>(info.headerVersion) << '\n'
      << "project path:       " << h.projectPath << '\n'
      << "files bitmap mode:  " << h.filesBitmapMode << '\n'
      << "source photo:       " << h.sourcePhotoPath << '\n'
      << "canvas:             " << h.canvasWidth << " x " << h.canvasHeight << '\n'
      << "outline liteness:   " << h.outlineLiteness << '\n'
      << "outline style:      " << h.outlineStyle << '\n'
      << "outline contrast:   " << h.outlineContrast << '\n'
      << "brush size:         " << h.brushSize << '\n'
      << "watercolour dark:   " << h.watercolorDark << '\n'
      << "watercolour lite:   " << h.watercolorLite << '\n'
      << "watercolour sat:    " << h.watercolorSat << '\n'
      << "regions:            " << info.regionCount << '\n'
      << "outline:            " << (info.hasOutline ? "yes" : "no") << '\n';
}

void Print_Json(std::ostream& out, const RegionListFileInfo& info) {
  const RegionListFileHeader& h = info.header;
  out << "{\"fileVersion\":" << static_cast<int>(info.fileVersion)
      << ",\"headerVersion\":" << static_cast<int>(info.headerVersion)
      << ",\"projectPath\":" << Cli_Json_Text(h.projectPath) << ",\"filesBitmapMode\":" << h.filesBitmapMode
      << ",\"sourcePhotoPath\":" << Cli_Json_Text(h.sourcePhotoPath) << ",\"canvasWidth\":" << h.canvasWidth
      << ",\"canvasHeight\":" << h.canvasHeight << ",\"outlineLiteness\":" << h.outlineLiteness
      << ",\"outlineStyle\":" << h.outlineStyle << ",\"outlineContrast\":" << h.outlineContrast
      << ",\"brushSize\":" << h.brushSize << ",\"watercolorDark\":" << h.watercolorDark
      << ",\"watercolorLite\":" << h.watercolorLite << ",\"watercolorSat\":" << h.watercolorSat
      << ",\"regions\":" << info.regionCount << ",\"outline\":" << (info.hasOutline ? "true" : "false")
      << "}\n";
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

  RegionListFileInfo info;
  std::string err;
  try {
    ListFile file;
    file.Open_For_Reading(args.Positional()[0]);
    if (!Read_RegionList_File_Info(file, info, err)) return Cli_Failure(io, err);
    CliPlatform platform(io);
    RegionEditorApp app(platform.Get());
    RegionListExternal external(app.List_File_Context());
    ComponentSubject* made = nullptr;
    const bool read = external.Receive(file, made, err);
    std::unique_ptr<ComponentSubject> dropped(made);
    if (!read) return Cli_Failure(io, err);
  } catch (const ListFileException& e) {
    return Cli_Failure(io,
                       Text_Format("Could not load RegionList file because:  %s", e.Get_Reason().c_str()));
  }
  if (args.Has("--json")) {
    Print_Json(io.out, info);
  } else {
    Print_Text(io.out, info);
  }
  return kExitOk;
}
