// `quorlin render`: "Load RegionList" without a display, then the layered
// image recomposed from the list's regions and outline and written as a
// picture.  The open dialog is answered with the list file; when the list's
// photo has moved, --photo answers the browse question with a path and
// --no-photo declines it.  The photo only matters to the program's other
// windows: the layered image is made from the regions' own maps.
//
// Also here: the saving of a region list for `quorlin separate --rgl`.

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "app/RegionEditorApp.h"
#include "cli/CliCommands.h"
#include "cli/CliExport.h"
#include "cli/CliPrint.h"
#include "export/ExportSource.h"
#include "persistence/RegionListFileCommands.h"
#include "platform/EmbeddedResources.h"
#include "platform/Text.h"
#include "render/ImageFiles.h"

namespace {

const char* const kDetails =
    "Loads LIST.rgl as \"Load RegionList\" does: the regions with their painted maps, the\n"
    "outline, the settings, and the source photo at the list's canvas size.  The layered\n"
    "image is recomposed and written to OUT in the format named by OUT's extension:\n"
    ".bmp .tif .jpg .gif .png\n"
    "\n"
    "When the source photo is no longer where the list says:\n"
    "  --photo PATH   use PATH instead (its file name must be the photo's)\n"
    "  --no-photo     go on without the photo\n"
    "Without either the program says the photo is missing and goes on without it.\n"
    "\n"
    "A list written by a later version of the program is loaded as well as it can be;\n"
    "  --no-later-version  refuses such a list instead.\n"
    "\n"
    "The program's questions are printed on stderr, each followed by the answer the\n"
    "command line gave it and the option that gives the other answer.\n"
    "\n"
    "  --json              print a summary as one JSON object on stdout\n";

// The program's questions are answered as the command line asks: the
// moved-photo question by --photo / --no-photo, the later-version question
// by --no-later-version.  Every text shown goes to stderr, a question with
// the answer given and the option that changes it.
class RenderMessages : public MessageService {
 public:
  RenderMessages(std::ostream& err, bool browse, bool refuseLaterVersion)
      : m_err(err), m_browse(browse), m_refuseLaterVersion(refuseLaterVersion) {}

  MessageAnswer Message_Box(const std::string& text, MessageButtons buttons) override {
    m_err << text << '\n';
    if (buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel) return MessageAnswer::Ok;
    if (text.rfind(kMovedPhotoQuestion, 0) == 0) {
      m_photoMissing = true;
      return Answer(m_browse, m_browse ? "--no-photo answers No" : "--photo PATH answers Yes, with PATH");
    }
    if (text.find(kLaterVersionQuestion) != std::string::npos) {
      return Answer(!m_refuseLaterVersion, m_refuseLaterVersion ? "leave out --no-later-version to answer Yes"
                                                                : "--no-later-version answers No");
    }
    return Answer(true, "no option answers No");
  }
  bool Photo_Was_Missing() const { return m_photoMissing; }

 private:
  static constexpr const char* kMovedPhotoQuestion =
      "The Source Photo for this RegionList is NOT in its previous";
  static constexpr const char* kLaterVersionQuestion = "is of a LATER VERSION[";

  MessageAnswer Answer(bool yes, const char* otherAnswer) {
    m_err << "quorlin render: answered " << (yes ? "Yes" : "No") << " (" << otherAnswer << ")\n";
    return yes ? MessageAnswer::Yes : MessageAnswer::No;
  }

  std::ostream& m_err;
  bool m_browse;
  bool m_refuseLaterVersion;
  bool m_photoMissing = false;
};

// What keeps `path` from loading as a region list, in the user's words.
std::string List_File_Problem(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found) return path + ": no such file";
  if (status.type() == fs::file_type::directory) return path + ": is a folder, not a region list";
  if (ec || status.type() != fs::file_type::regular) return path + ": is not a plain file";
  return path + ": not a region list, or a damaged or cut-off one (quorlin rgl-info tells more)";
}

int Run_Render(CliStreams& io, const std::string& listPath, const std::string& out,
               const std::optional<std::string>& photo, bool noPhoto, bool refuseLaterVersion,
               ExportOptions& exports, CliOutputs& outputs, bool json) {
  std::string err;
  if (!Check_Picture_Extension(out, err)) return Cli_Picture_Name_Failure(io, out, err);

  QtPictureCodec codec;
  HeadlessPlatform headless(codec);
  EmbeddedResources resources;
  RenderMessages messages(io.err, photo.has_value(), refuseLaterVersion);
  Platform platform(messages, headless.Dialogs(), headless.Cursor(), headless.Progress_Events(),
                    headless.Clock(), resources, codec);
  headless.Dialogs().Queue_Path(listPath);
  if (photo) headless.Dialogs().Queue_Path(*photo);

  RegionEditorApp app(platform);
  RegionListFileCommands commands(app.List_File_Context());
  bool samePhoto = false, photoLoaded = false, cancelled = false;
  if (!commands.Load_RegionList(samePhoto, photoLoaded, cancelled, err)) {
    if (!err.empty()) io.err << err << '\n';
    return Cli_Failure(io, "quorlin render: " + List_File_Problem(listPath));
  }
  if (cancelled) return Cli_Failure(io, "quorlin render: the list was not loaded");
  if (messages.Photo_Was_Missing() && !photoLoaded && !noPhoto && !photo) {
    io.err << "quorlin render: the source photo is missing; the regions are loaded without it\n";
  }
  if (!app.Get_Composer().Redraw_Summed_Final_Window()) return kExitFailure;

  const OffMap* layered = app.Get_RenderMan().Get_Layered_Map();
  const ExportSource source{app.Get_RegionList(), app.Get_RenderMan(), nullptr,
                            photoLoaded ? app.Get_Document().sourcePhotoPath : std::string(), platform};
  if (exports.print && !Resolve_Print_Size(source, exports, err))
    return Cli_Failure(io, "quorlin render: " + err);
  outputs.Stage();
  if (exports.print) {
    if (!Write_Print_Picture(io, source, exports, outputs.Path_For(out), out)) return kExitFailure;
  } else if (!Cli_Save_Picture(io, platform, layered, outputs.Path_For(out), out)) {
    return kExitFailure;
  }
  if (!Write_Exports(io, source, exports, outputs)) return kExitFailure;
  if (!outputs.Commit(err)) return Cli_Failure(io, err);
  const int32_t outWidth = exports.print ? exports.printWidth : layered->Get_Width();
  const int32_t outHeight = exports.print ? exports.printHeight : layered->Get_Height();
  if (json) {
    io.out << "{\"width\":" << outWidth << ",\"height\":" << outHeight
           << ",\"print\":" << (exports.print ? "true" : "false")
           << ",\"regions\":" << app.Get_RegionList().Get_Region_Count() << ",\"photo\":"
           << (photoLoaded ? Cli_Json_Text(app.Get_Document().sourcePhotoPath) : std::string("null"))
           << ",\"out\":" << Cli_Json_Text(out) << "}\n";
  } else {
    Cli_Notes(io) << "wrote " << out << " ("
                  << (exports.print ? Print_Size_Text(exports) + " of the " : std::string())
                  << layered->Get_Width() << " x " << layered->Get_Height()
                  << (exports.print ? " working size" : "") << ", " << app.Get_RegionList().Get_Region_Count()
                  << " regions, "
                  << (photoLoaded ? "photo " + app.Get_Document().sourcePhotoPath : std::string("no photo"))
                  << ")\n";
  }
  return kExitOk;
}

}  // namespace

int Cli_Render(const std::vector<std::string>& words, CliStreams& io) {
  const CliCommand& self = Cli_Command("render");
  CliArgs args;
  args.Value_Option("-o").Value_Option("--photo").Flag_Option("--no-photo").Flag_Option("--no-later-version");
  args.Flag_Option("--json");
  Declare_Export_Options(args);
  std::string problem;
  if (!args.Parse(words, problem)) return Cli_Usage_Error(io, self, problem);
  if (args.Wants_Help()) return Cli_Help(io, self, (std::string(kDetails) + Export_Options_Help()).c_str());
  if (args.Positional().size() != 1) return Cli_Usage_Error(io, self, "one LIST.rgl is needed");
  const std::optional<std::string> out = args.Value("-o");
  if (!out || out->empty()) return Cli_Usage_Error(io, self, "-o OUT is needed");
  const std::optional<std::string> photo = args.Value("--photo");
  if (photo && photo->empty()) return Cli_Usage_Error(io, self, "--photo needs a path");
  if (photo && args.Has("--no-photo"))
    return Cli_Usage_Error(io, self, "--photo and --no-photo exclude each other");
  ExportOptions exports;
  if (!Parse_Export_Options(args, exports, problem)) return Cli_Usage_Error(io, self, problem);
  exports.report = !args.Has("--json");
  CliOutputs outputs;
  if (!outputs.Add(*out, "-o", problem) || !Add_Export_Outputs(exports, outputs, problem))
    return Cli_Usage_Error(io, self, problem);
  return Run_Render(io, args.Positional()[0], *out, photo, args.Has("--no-photo"),
                    args.Has("--no-later-version"), exports, outputs, args.Has("--json"));
}

bool Cli_Save_Region_List(RegionEditorApp& app, const std::string& path, std::string& err) {
  return RegionListFileCommands(app.List_File_Context()).Save_RegionList_To(path, err);
}
