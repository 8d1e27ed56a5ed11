// Pictures in and out of the command line: the photo a command works on and
// the pictures it writes.  The program's own texts for both failures name no
// file and no reason, so a second line says what went wrong.

#include <filesystem>
#include <ostream>
#include <system_error>

#include "cli/CliCommands.h"
#include "render/ImageFiles.h"
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

bool Cli_Load_Photo(CliStreams& io, RenderMan& renderMan, const std::string& path) {
  std::string err;
  bool fileProblem = false;
  CodecFailure codec;
  if (Load_Bitmap_File_as_SRC(err, renderMan, path, -1, -1, kWorkingMaxSide, fileProblem, &codec))
    return true;
  io.err << err << '\n';
  // The decoder's refusal names no file and no reason: say what is wrong
  // with it.  (A picture refused for its size names both already.)
  if (fileProblem && err == kPhotoDecodeFailedText)
    io.err << "quorlin: " << Photo_File_Problem(path, codec) << '\n';
  return false;
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
