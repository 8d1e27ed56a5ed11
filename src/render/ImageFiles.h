#pragma once
// Pictures in and out: the source photo (any of BMP, TIFF, PNG, JPEG, GIF)
// resampled to the working size, an outline picture, uncompressed BMP files
// read straight into maps, 24-bit maps written as BMP or in any of the five
// formats, and a window's 32-bit picture written as a BMP.
//
// Every operation clears its error text on entry and leaves one there on
// failure.  Compressed formats go through the platform's picture codec; the
// BMP reader and writer are our own.  Every file written goes through
// SafeFileWriter, so a failed save leaves an existing file as it was.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "raster/OffMap.h"

class RenderMan;

// ---- the source photo ---------------------------------------------------------

// The working size of a photo of photoW x photoH pixels and the one scale
// used on both axes to sample it.  With width and height both positive that
// size is taken as it is; otherwise the longer side becomes maxSide (a
// portrait photo's width gets one pixel more and its height follows from
// the width).
struct WorkingSize {
  int32_t width = 0;
  int32_t height = 0;
  double scale = 1.0;
};
WorkingSize Working_Size_of_Photo(int32_t photoW, int32_t photoH, int32_t width, int32_t height,
                                  int32_t maxSide);

// The message of a photo the decoder refused.
inline constexpr const char* kPhotoDecodeFailedText = "CImage::Load failed ( Load_Bitmap_File_as_SRC )";

// What the picture codec said when it refused to decode or encode a
// picture: the status of PlatformImage::Load or Save (kImageLoadDamaged for
// a cut-off file, ...) and its Last_Error().  The program's own texts name
// neither, so a caller that can show a second line takes them from here.
struct CodecFailure {
  int32_t status = 0;
  std::string reason;
};

// Decodes `path` and makes it the render manager's photo, then resamples it
// into fresh working maps (explicit size when width and height are both
// positive, else the longer side maxSide).  `fileProblem` is set when the
// file itself could not be decoded; `codecFailure`, when given, then
// receives what the codec said.  The previous photo is kept when the decode
// fails.
bool Load_Bitmap_File_as_SRC(std::string& err, RenderMan& renderMan, const std::string& path, int32_t width,
                             int32_t height, int32_t maxSide, bool& fileProblem,
                             CodecFailure* codecFailure = nullptr);

// Asks for a photo with the open dialog and loads it at the standard working
// size (longer side 400).  On success `retPath` and the render manager's
// source photo path (Get_Source_Photo_Path) receive the path.
bool Load_Bitmap_File_as_SRC_viaDialog(bool& cancelled, std::string& err, std::string& retPath,
                                       RenderMan& renderMan);

// The working side the photo dialog loads at.
constexpr int32_t kWorkingMaxSide = 400;

// ---- the outline picture --------------------------------------------------------

// Replaces the outline (and drops its backup) by an 8-bit map of the
// picture's full size holding each pixel's red component; the outline is
// then merged in the style of a loaded picture (outline style 1).
bool Load_Outline_File(const std::string& path, bool& fileProblem, RenderMan& renderMan, std::string& err);

// ---- BMP files -------------------------------------------------------------------

// Reads an uncompressed 8-bit (256 colours) or 24-bit BMP file into a new
// map.  With an empty `path` an open dialog asks for one (cancelling returns
// null with no error text); `path` receives the path used.  The rows must
// follow the header and colour table directly, as in the files this program
// writes.  `fileProblem` is set when the system could not open or read the
// file.
std::unique_ptr<OffMap> Load_Bitmap_File_Dialog_STATIC(Platform& platform, std::string& path,
                                                       bool& fileProblem, std::string& err);

// Writes a 24-bit map as a BMP file: the 54-byte headers, then the map's
// rows exactly as held in memory.  With an empty `path` a save dialog asks
// for one; cancelling it sets `cancelled` and counts as success.
bool Save_Bitmap_File(Platform& platform, bool& cancelled, const OffMap* map, std::string& path,
                      std::string& err);

// Writes a map in the format named by the path's extension (bmp, tif, jpg,
// gif, png, any case) through the picture codec.  Dialog and cancel as for
// Save_Bitmap_File.  When the codec's save fails, `codecFailure` (if given)
// receives its status and reason (the system's, for a file that could not
// be written).
bool Save_Bitmap_File_CImage(Platform& platform, bool& cancelled, const OffMap* map, std::string& path,
                             std::string& err, CodecFailure* codecFailure = nullptr);

// The extension test of Save_Bitmap_File_CImage on its own, for callers that
// want to refuse a bad output name before doing the work.
bool Check_Picture_Extension(const std::string& path, std::string& err);

// A window's off-screen picture as the platform hands it over: height rows
// of width x 4 bytes (blue, green, red, unused), top row first.
struct WindowPicture32 {
  int32_t width = 0;
  int32_t height = 0;
  const uint8_t* bits = nullptr;
  size_t byteCount = 0;
};

// Writes a window picture as a 24-bit BMP; with `mono` only pure white stays
// white and every other pixel becomes black.  Dialog and cancel as for
// Save_Bitmap_File.
bool Save_Bitmap_File(Platform& platform, bool mono, std::string& path, const WindowPicture32& picture,
                      bool& cancelled, std::string& err);

// 32-bit top-down rows to 24-bit bottom-up rows padded to 4 bytes (the
// in-memory layout of a BMP file).  Empty with `err` set when `bits32` is null.
std::vector<uint8_t> Convert_Bitmap_Bits_from32_to24(std::string& err, const uint8_t* bits32, bool mono,
                                                     int32_t width, int32_t height);

// The file dialogs' filters.
extern const char* const kPhotoOpenFilter;
extern const char* const kBitmapFilter;
extern const char* const kPictureSaveFilter;
