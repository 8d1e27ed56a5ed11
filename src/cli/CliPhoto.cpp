// Pictures in and out of the command line: the photo a command works on and
// the pictures it writes.  The program's own texts for both failures name no
// file and no reason, so a second line says what went wrong.

#include <filesystem>
#include <ostream>
#include <system_error>

#include "cli/CliCommands.h"
#include "platform/PlatformServices.h"
#include "render/ImageFiles.h"
#include "render/ImageSizeController.h"
#include "render/RenderMan.h"

namespace {

// What is wrong with a photo file the decoder refused, in the user's words.
std::string Photo_File_Problem(const std::string& path, const CodecFailure& codec) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found) return path + ": no such file";
  if (ec) return path + ": cannot be read (" + ec.message() + ")";
  if (status.type() == fs::file_type::directory) return path + ": is a folder, not a picture";
  if (status.type() != fs::file_type::regular) return path + ": is not a plain file";
  if (codec.status == kImageLoadDamaged)
    return path + ": is a truncated or damaged picture (" + codec.reason + ")";
  return path + ": not a BMP, TIFF, JPEG, GIF or PNG picture, or a damaged one";
}

}  // namespace

namespace {

bool Load_Photo(CliStreams& io, RenderMan& renderMan, const std::string& path, int32_t maxSide) {
  std::string err;
  bool fileProblem = false;
  CodecFailure codec;
  if (Load_Bitmap_File_as_SRC(err, renderMan, path, -1, -1, maxSide, fileProblem, &codec)) return true;
  io.err << err << '\n';
  // The decoder's refusal names no file and no reason: say what is wrong
  // with it.  (A picture refused for its size names both already.)
  if (fileProblem && err == kPhotoDecodeFailedText)
    io.err << "quorlin: " << Photo_File_Problem(path, codec) << '\n';
  return false;
}

// Below this a side is a strip rather than a picture: the filters and the
// separations have next to nothing to work on.
constexpr int32_t kThinSide = 16;

}  // namespace

bool Cli_Load_Photo(CliStreams& io, RenderMan& renderMan, const std::string& path) {
  return Load_Photo(io, renderMan, path, kWorkingMaxSide);
}

const char* const kWorkingSizeHelp =
    "  --size N | WxH      working size: N the longer side (the photo keeps its aspect), or\n"
    "                      WIDTHxHEIGHT (stretches a photo of another aspect); sides 100 to 500,\n"
    "                      default: the longer side 400\n";

bool Parse_Working_Size(const CliArgs& args, CliWorkingSize& size, std::string& problem) {
  const std::optional<std::string> text = args.Value("--size");
  if (!text) return true;
  long side = 0;
  std::string ignored;
  if (text->find_first_of("xX") == std::string::npos) {
    if (!Parse_Int_Option("--size", *text, 0, 999999, side, ignored)) {
      problem = "--size takes N (the longer side) or WIDTHxHEIGHT, e.g. 400 or 400x300";
      return false;
    }
    size.longSide = static_cast<int>(side);
  } else if (!Parse_Size_Option(*text, size.width, size.height)) {
    problem = "--size takes N (the longer side) or WIDTHxHEIGHT, e.g. 400 or 400x300";
    return false;
  }
  const bool inRange = size.longSide > 0 ? ImageSizeController::Side_In_Range(size.longSide)
                                         : ImageSizeController::Side_In_Range(size.width) &&
                                               ImageSizeController::Side_In_Range(size.height);
  if (!inRange) {
    problem = ImageSizeController::Range_Text() +
              "\nquorlin: the working size is 100 to 500 pixels a side; use --size";
    return false;
  }
  return true;
}

bool Cli_Load_Photo_At(CliStreams& io, RenderMan& renderMan, const std::string& path,
                       const CliWorkingSize& size, const char* command) {
  if (!Load_Photo(io, renderMan, path, size.longSide > 0 ? size.longSide : kWorkingMaxSide)) return false;
  const PlatformImage* photo = renderMan.Get_Photo_Original();
  if (size.width > 0 && size.height > 0) {
    // The aspect kept would give this height for the width asked; a pixel
    // off is rounding, more is a stretch.
    if (photo != nullptr && photo->Get_Width() > 0) {
      const double keptHeight = static_cast<double>(size.width) * photo->Get_Height() / photo->Get_Width();
      if (keptHeight < size.height - 1.0 || keptHeight > size.height + 1.0) {
        Cli_Warnings(io) << "quorlin " << command << ": note: " << size.width << "x" << size.height
                         << " stretches the photo (" << photo->Get_Width() << " x " << photo->Get_Height()
                         << "); --size N keeps its aspect\n";
      }
    }
    // The Image Size dialog's OK: it shows its own refusals and failures
    // (which the platform prints).
    ImageSizeController dialog(renderMan);
    dialog.Set_Size(size.width, size.height);
    if (dialog.On_OK(false) != ImageSizeOutcome::Close) return false;
  }
  int32_t width = 0, height = 0;
  renderMan.Get_Source_Size(width, height);
  if (width < kThinSide || height < kThinSide) {
    Cli_Warnings(io) << "quorlin " << command << ": warning: the working size is " << width << " x " << height
                     << "; a side under " << kThinSide
                     << " pixels leaves the filters next to nothing to work on\n";
  }
  return true;
}

bool Cli_Save_Picture(CliStreams& io, Platform& platform, const OffMap* map, const std::string& path,
                      const std::string& shownAs) {
  bool cancelled = false;
  std::string target = path, err;
  CodecFailure codec;
  if (Save_Bitmap_File_CImage(platform, cancelled, map, target, err, &codec)) return true;
  io.err << err << '\n';
  if (!codec.reason.empty())
    io.err << "quorlin: " << (shownAs.empty() ? path : shownAs) << ": " << codec.reason << '\n';
  return false;
}

int Cli_Picture_Name_Failure(CliStreams& io, const std::string& path, const std::string& err) {
  io.err << err << '\n';
  return Cli_Failure(io, "quorlin: " + path +
                             ": a picture's name ends in .bmp, .tif, .jpg, .gif or .png (or .jpeg, .tiff), "
                             "which names its format");
}
