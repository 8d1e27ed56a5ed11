#include "render/ImageFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>

#include "platform/ByteOrder.h"
#include "platform/PathNames.h"
#include "platform/SafeFile.h"
#include "platform/Text.h"
#include "render/RenderMan.h"

const char* const kPhotoOpenFilter =
    "All Formats (*.bmp; *.tif; *.png; *.jpg; *.gif)|*.bmp;*.tif;*.png;*.jpg;*.gif|BMP (*.bmp)|*.bmp|"
    "TIFF (*.tif)|*.tif|PNG (*.png)|*.png|JPEG (*.jpg)|*.jpg|GIF (*.gif)|*.gif||";
const char* const kBitmapFilter = "Bitmap Files (*.bmp)|*.bmp||";
const char* const kPictureSaveFilter =
    "BMP (*.bmp)|*.bmp|TIFF (*.tif)|*.tif|PNG (*.png)|*.png|JPEG (*.jpg)|*.jpg|GIF (*.gif)|*.gif|"
    "All Formats (*.bmp;*.tif;*.png;*.jpg;*.gif)|*.bmp;*.tif;*.png;*.jpg;*.gif||";

namespace {

constexpr int32_t kBmpHeadersSize = 54;       // file header (14) + information header (40)
constexpr int32_t kBmpPixelsPerMetre = 7872;  // about 200 dots per inch

// The text shown when the codec could not decode a picture that is larger
// than the program takes.
std::string Too_Large_Text(const std::string& path, const PlatformImage& image) {
  return Text_Format("%s could not be loaded:  %s.", Path_File_Name(path).c_str(),
                     image.Last_Error().c_str());
}

// ---- reading -----------------------------------------------------------------

// A file opened for reading by the BMP reader; closes itself.
class ReadFile {
 public:
  ~ReadFile() {
    if (m_fd >= 0) ::close(m_fd);
  }
  // Opens a regular file; false with the system's description otherwise.
  bool Open(const std::string& path, std::string& reason) {
    // Non-blocking, so that a named pipe cannot hold the program up.
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0) {
      reason = Text_Format("%s:  %s", path.c_str(), std::strerror(errno));
      return false;
    }
    if (!S_ISREG(st.st_mode)) {
      reason = Text_Format("%s:  %s", path.c_str(),
                           S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a plain file");
      return false;
    }
    m_size = st.st_size;
    return true;
  }
  int64_t Size() const { return m_size; }
  // Reads up to `size` bytes at `offset`; returns the count read, or -1 with
  // the system's description of the error.
  int64_t Read_At(int64_t offset, void* data, size_t size, std::string& reason) {
    uint8_t* p = static_cast<uint8_t*>(data);
    size_t done = 0;
    while (done < size) {
      const ssize_t n = ::pread(m_fd, p + done, size - done, static_cast<off_t>(offset + done));
      if (n < 0) {
        if (errno == EINTR) continue;
        reason = std::strerror(errno);
        return -1;
      }
      if (n == 0) break;
      done += static_cast<size_t>(n);
    }
    return static_cast<int64_t>(done);
  }

 private:
  int m_fd = -1;
  int64_t m_size = 0;
};

}  // namespace

// ---------------------------------------------------------------------------
// The source photo

WorkingSize Working_Size_of_Photo(int32_t photoW, int32_t photoH, int32_t width, int32_t height,
                                  int32_t maxSide) {
  WorkingSize size;
  const double W = photoW;
  const double H = photoH;
  if (width > 0 && height > 0) {
    // An explicit size is taken as it is; the scale follows the side that
    // agrees with the photo's aspect, else the height.
    size.width = width;
    size.height = height;
    const double ratio = width / W;
    size.scale = static_cast<int64_t>(ratio * H) == height ? W / width : H / height;
    return size;
  }
  if (photoH <= photoW) {
    size.width = maxSide;
  } else {
    size.width = static_cast<int32_t>(W / H * maxSide) + 1;
  }
  size.scale = W / size.width;
  // A very wide, thin photo would otherwise get no rows at all.
  const int64_t newH = static_cast<int64_t>(size.width / W * H);
  size.height = newH < 1 ? 1 : static_cast<int32_t>(newH);
  return size;
}

bool Load_Bitmap_File_as_SRC(std::string& err, RenderMan& renderMan, const std::string& path, int32_t width,
                             int32_t height, int32_t maxSide, bool& fileProblem, CodecFailure* codecFailure) {
  err.clear();
  fileProblem = false;
  if (codecFailure) *codecFailure = CodecFailure();
  if (path.empty()) {
    err = "RenderMan::Load_Bitmap_File_as_SRC FAILED,  filesPath is empty.";
    return false;
  }
  Platform& platform = renderMan.Get_Platform();
  std::unique_ptr<PlatformImage> photo = platform.Codec().Create_Image();
  if (!photo) {
    err = "RenderMan::Alloc_PhotoMap failed,  could not allocate m_photoOriginal.";
    return false;
  }
  WaitCursor busy(platform.Cursor());
  const int32_t status = photo->Load(path);
  if (status < 0 || photo->Is_Null()) {
    fileProblem = true;
    if (codecFailure) *codecFailure = CodecFailure{status, photo->Last_Error()};
    err = status == kImageLoadTooLarge ? Too_Large_Text(path, *photo) : kPhotoDecodeFailedText;
    return false;
  }
  renderMan.Set_Photo_Original(std::move(photo));

  const WorkingSize size =
      Working_Size_of_Photo(renderMan.Get_Photo_Original()->Get_Width(),
                            renderMan.Get_Photo_Original()->Get_Height(), width, height, maxSide);
  if (!renderMan.Alloc_Source_Bitmaps_for_Virtual_Project(size.width, size.height, err)) return false;
  renderMan.Sample_Photo_into_Source(size.scale, size.scale);
  if (!renderMan.Alloc_Support_Bitmaps_for_Image_Creation(size.height, size.width, err)) return false;
  renderMan.Set_Greyscale_Photo(renderMan.Get_Source_Map()->Is_Greyscale_Sampled(20));
  return true;
}

bool Load_Bitmap_File_as_SRC_viaDialog(bool& cancelled, std::string& err, std::string& retPath,
                                       RenderMan& renderMan) {
  err.clear();
  cancelled = false;
  FileDialogSpec dialogRequest;
  dialogRequest.filter = kPhotoOpenFilter;
  dialogRequest.defaultExt = "*";
  dialogRequest.hideReadOnly = true;
  std::string path;
  if (!renderMan.Get_Platform().Dialogs().Open_File_Dialog(dialogRequest, path)) {
    cancelled = true;
    err = "RenderMan::Load_Bitmap_File_as_SRC_viaDialog,  User cancedled?";
    return false;
  }
  if (path.empty()) {
    err = "RenderMan::Load_Bitmap_File_as_SRC_viaDialog FAILED,  retSrcFilesPath is empty.";
    return false;
  }
  bool fileProblem = false;
  std::string loadErr;
  if (!Load_Bitmap_File_as_SRC(loadErr, renderMan, path, -1, -1, kWorkingMaxSide, fileProblem)) {
    // A failure that is not the file's (the maps could not be made) is
    // reported as it is; the photo path is only taken for a complete load.
    err = fileProblem ? Text_Format("File could NOT be loaded because: \n %s", loadErr.c_str()) : loadErr;
    return false;
  }
  retPath = path;
  renderMan.Set_Source_Photo_Path(path);
  return true;
}

// ---------------------------------------------------------------------------
// The outline picture

bool Load_Outline_File(const std::string& path, bool& fileProblem, RenderMan& renderMan, std::string& err) {
  err.clear();
  fileProblem = false;
  if (path.empty()) {
    err = "RenderMan::Load_Outline_File  FAILED,  filesPath is empty.";
    return false;
  }
  std::unique_ptr<PlatformImage> picture = renderMan.Get_Platform().Codec().Create_Image();
  const int32_t status = picture ? picture->Load(path) : -1;
  if (status < 0 || picture->Is_Null()) {
    if (status == kImageLoadTooLarge) {
      fileProblem = true;
      err = Too_Large_Text(path, *picture);
    } else {
      err = "RenderMan::Load_Outline_File failed,  could not LOAD to the CImage.";
    }
    return false;
  }
  renderMan.Drop_Outline_Map();
  const int32_t width = picture->Get_Width();
  const int32_t height = picture->Get_Height();
  std::unique_ptr<OffMap> outline = OffMap::Make(width, height, 8);
  if (outline == nullptr) {
    err = "RenderMan::Load_Outline_File failed,  could not allocate m_outlineMapOversize.";
    return false;
  }
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = outline->Row(y);
    for (int32_t x = 0; x < width; ++x) {
      int r = 0, g = 0, b = 0;
      picture->Get_Pixel_RGB(x, y, r, g, b);
      row[x] = static_cast<uint8_t>(r);
    }
  }
  renderMan.Set_Outline_Map(std::move(outline));
  renderMan.Set_Outline_Style(1);
  return true;
}

// ---------------------------------------------------------------------------
// BMP files

std::unique_ptr<OffMap> Load_Bitmap_File_Dialog_STATIC(Platform& platform, std::string& path,
                                                       bool& fileProblem, std::string& err) {
  err.clear();
  fileProblem = false;
  std::string chosen = path;
  if (chosen.empty()) {
    FileDialogSpec dialogRequest;
    dialogRequest.filter = kBitmapFilter;
    dialogRequest.defaultExt = "bmp";
    if (!platform.Dialogs().Open_File_Dialog(dialogRequest, chosen)) return nullptr;
  }

  ReadFile file;
  std::string reason;
  if (!file.Open(chosen, reason)) {
    fileProblem = true;
    err = reason;
    return nullptr;
  }
  uint8_t fileHeader[14];
  const int64_t got = file.Read_At(0, fileHeader, sizeof fileHeader, reason);
  if (got < 0) {
    fileProblem = true;
    err = reason;
    return nullptr;
  }
  if (got < static_cast<int64_t>(sizeof fileHeader)) {
    err = "Load_Bitmap_File_Dialog_STATIC failed,  could not read header.";
    return nullptr;
  }
  if (fileHeader[0] != 'B' || fileHeader[1] != 'M') {
    err = "Load_Bitmap_File_Dialog_STATIC failed,  wrong header type.";
    return nullptr;
  }

  // Everything after the file header: information header, colour table, rows.
  const int64_t rest = file.Size() - 14;
  const char* const wrongFormat = "Load_Bitmap_File_Dialog_STATIC failed,  wrong bitmap FORMAT.";
  uint8_t info[40] = {};
  const int64_t infoGot = rest > 0 ? file.Read_At(14, info, sizeof info, reason) : 0;
  if (infoGot < 0) {
    fileProblem = true;
    err = reason;
    return nullptr;
  }
  // Only the 40-byte information header and the 12-byte core header are
  // understood; the header must be present in full.
  const uint32_t headerSize = infoGot >= 4 ? Get_LE_U32(info) : 0;
  int64_t width = 0, height = 0, numColours = 0;
  uint32_t bitCount = 0, compression = 0;
  int64_t tableBytes = 0;
  if (headerSize == 40 && infoGot >= 40) {
    width = static_cast<int32_t>(Get_LE_U32(info + 4));
    height = static_cast<int32_t>(Get_LE_U32(info + 8));
    bitCount = Get_LE_U16(info + 14);
    compression = Get_LE_U32(info + 16);
    numColours = Get_LE_U32(info + 32);
    tableBytes = bitCount == 8 ? 256 * 4 : 0;
  } else if (headerSize == 12 && infoGot >= 12) {
    width = Get_LE_U16(info + 4);
    height = Get_LE_U16(info + 6);
    bitCount = Get_LE_U16(info + 10);
    tableBytes = bitCount == 8 ? 256 * 3 : 0;
  } else {
    err = wrongFormat;
    return nullptr;
  }
  if (numColours == 0) {
    switch (bitCount) {
      case 1:
        numColours = 2;
        break;
      case 2:
        numColours = 4;
        break;
      case 4:
        numColours = 16;
        break;
      case 8:
        numColours = 256;
        break;
      case 24:
        numColours = 16777216;
        break;
      default:
        numColours = 0;
        break;
    }
  }
  // 256 colours must mean 8 bits a pixel and 16777216 colours 24; packed
  // (compressed) rows and sizes without pixels are refused rather than read
  // as garbage.
  const bool depthMatches =
      (numColours == 256 && bitCount == 8) || (numColours == 16777216 && bitCount == 24);
  if (!depthMatches || rest <= 0 || compression != 0 || width <= 0 || height <= 0) {
    err = wrongFormat;
    return nullptr;
  }
  // Nothing is allocated for a size the file does not really hold.
  const int64_t imageBytes =
      static_cast<int64_t>(OffMap::Row_Stride(static_cast<int32_t>(width), static_cast<int32_t>(bitCount))) *
      height;
  const int64_t needed = headerSize + tableBytes + imageBytes;
  if (imageBytes <= 0 || needed > rest) {
    err = "Load_Bitmap_File_Dialog_STATIC  failed,  wrong size for copy.";
    return nullptr;
  }
  std::unique_ptr<OffMap> map =
      OffMap::Make(static_cast<int32_t>(width), static_cast<int32_t>(height), static_cast<int32_t>(bitCount));
  if (map == nullptr || map->Get_Image_Bytes() != imageBytes) {
    err = "Load_Bitmap_File_Dialog_STATIC failed,  could not allocate OffMap.";
    return nullptr;
  }
  // A 40-byte header file is laid out exactly like the map's block (header,
  // colour table, rows) and is copied over it whole.  A core header's
  // shorter header and 3-byte colour entries would shift the rows, so only
  // its rows are taken and the map keeps its own header.
  uint8_t* target = headerSize == 40 ? map->Get_DIB() : map->Get_Bits();
  const int64_t offset = headerSize == 40 ? 14 : 14 + headerSize + tableBytes;
  const int64_t count = headerSize == 40 ? map->Get_Alloc_Bytes() : imageBytes;
  const int64_t copied = file.Read_At(offset, target, static_cast<size_t>(count), reason);
  if (copied < 0) {
    fileProblem = true;
    err = reason;
    return nullptr;
  }
  if (copied < count) {
    err = "Load_Bitmap_File_Dialog_STATIC failed,  could not read bits.";
    return nullptr;
  }
  path = chosen;
  return map;
}

namespace {

// Both BMP writers: headers for rows of `imageBytes` bytes, then the rows.
bool Write_Bmp(const std::string& path, int32_t width, int32_t height, const uint8_t* rows,
               int32_t imageBytes, std::string& err) {
  uint8_t header[kBmpHeadersSize] = {};
  header[0] = 'B';
  header[1] = 'M';
  Put_LE32(header + 2, static_cast<uint32_t>(imageBytes) + kBmpHeadersSize);
  Put_LE32(header + 10, kBmpHeadersSize);
  Put_LE32(header + 14, 40);
  Put_LE32(header + 18, static_cast<uint32_t>(width));
  Put_LE32(header + 22, static_cast<uint32_t>(height));
  Put_LE16(header + 26, 1);
  Put_LE16(header + 28, 24);
  Put_LE32(header + 38, kBmpPixelsPerMetre);
  Put_LE32(header + 42, kBmpPixelsPerMetre);
  SafeFileWriter writer;
  std::string reason;
  if (!writer.Open(path, reason) || !writer.Write(header, sizeof header, reason) ||
      !writer.Write(rows, static_cast<size_t>(imageBytes), reason) || !writer.Commit(reason)) {
    err = Text_Format("RenderMan::Save_Bitmap_File failed,  could not save bitmap file because %s.",
                      reason.c_str());
    return false;
  }
  return true;
}

// Asks for a save path when none is given.  False when the user cancelled.
bool Ask_Save_Path(Platform& platform, const char* filter, const char* defaultExt, std::string& path) {
  if (!path.empty()) return true;
  FileDialogSpec dialogRequest;
  dialogRequest.filter = filter;
  dialogRequest.defaultExt = defaultExt;
  dialogRequest.hideReadOnly = true;
  dialogRequest.overwritePrompt = true;
  return platform.Dialogs().Save_File_Dialog(dialogRequest, path);
}

bool Has_Pixel_Bytes(const OffMap* map) {
  return map && !map->Is_Not_In_Memory() && map->Get_Bits() && map->Get_Image_Bytes() > 0;
}

}  // namespace

bool Save_Bitmap_File(Platform& platform, bool& cancelled, const OffMap* map, std::string& path,
                      std::string& err) {
  err.clear();
  cancelled = false;
  if (map && map->Get_Depth() != 24) {
    err = "Can not save bitmaps that are not 24 bit color.";
    return false;
  }
  if (!Has_Pixel_Bytes(map)) {
    err = "RenderMan::Save_Bitmap_File failed, this offmap has no pixel bytes.";
    return false;
  }
  if (!Ask_Save_Path(platform, kBitmapFilter, "bmp", path)) {
    cancelled = true;
    return true;
  }
  return Write_Bmp(path, map->Get_Width(), map->Get_Height(), map->Get_Bits(), map->Get_Image_Bytes(), err);
}

bool Check_Picture_Extension(const std::string& path, std::string& err) {
  const std::string ext = Path_Extension(path);
  if (ext.empty()) {
    err = "RenderMan::Save_Bitmap_File failed, Put an extension on the File Name.";
    return false;
  }
  // .jpeg and .tiff are the names other programs give the same formats.
  for (const char* known : {"tif", "bmp", "jpg", "gif", "png", "jpeg", "tiff"}) {
    if (Equal_NoCase(ext, known)) return true;
  }
  err = "Only use following FILE EXTENSIONS for the Image's NAME: \n  .bmp  .tif  .jpg  .gif  .png";
  return false;
}

bool Save_Bitmap_File_CImage(Platform& platform, bool& cancelled, const OffMap* map, std::string& path,
                             std::string& err, CodecFailure* codecFailure) {
  err.clear();
  cancelled = false;
  if (codecFailure) *codecFailure = CodecFailure();
  if (!Has_Pixel_Bytes(map)) {
    err = "RenderMan::Save_Bitmap_File failed, this offmap has no pixel bytes.";
    return false;
  }
  if (!Ask_Save_Path(platform, kPictureSaveFilter, "BMP", path)) {
    cancelled = true;
    return true;
  }
  if (!Check_Picture_Extension(path, err)) return false;
  std::unique_ptr<PlatformImage> image = platform.Codec().Create_Image();
  if (!image || !image->Create(map->Get_Width(), map->Get_Height(), 24)) {
    err = "RenderMan::Save_Bitmap_File_CImage failed,  CImage::Create";
    return false;
  }
  for (int32_t y = 0; y < map->Get_Height(); ++y) {
    for (int32_t x = 0; x < map->Get_Width(); ++x) {
      int16_t r = 0, g = 0, b = 0;
      map->Get_Pixel(x, y, r, g, b);
      image->Set_Pixel_RGB(x, y, r, g, b);
    }
  }
  const int32_t status = image->Save(path);
  if (status != 0) {
    err = Text_Format("RenderMan::Save_Bitmap_File_CImage FAILED [ HRESULT error code was:  %d ].", status);
    if (codecFailure) *codecFailure = CodecFailure{status, image->Last_Error()};
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------
// Window pictures

std::vector<uint8_t> Convert_Bitmap_Bits_from32_to24(std::string& err, const uint8_t* bits32, bool mono,
                                                     int32_t width, int32_t height) {
  err.clear();
  if (!bits32) {
    err = "Convert_Bitmap_Bits_from32_to24 failed,  pBits is NULL.";
    return {};
  }
  if (width <= 0 || height <= 0) return {};
  const int32_t stride = OffMap::Row_Stride(width, 24);
  std::vector<uint8_t> out(static_cast<size_t>(stride) * height, 0);
  for (int32_t r = 0; r < height; ++r) {
    const uint8_t* src = bits32 + static_cast<size_t>(r) * width * 4;
    uint8_t* dst = out.data() + static_cast<size_t>(height - 1 - r) * stride;
    for (int32_t x = 0; x < width; ++x, src += 4, dst += 3) {
      if (mono) {
        const uint8_t v = src[0] == 255 && src[1] == 255 && src[2] == 255 ? 255 : 0;
        dst[0] = dst[1] = dst[2] = v;
      } else {
        dst[0] = src[0];
        dst[1] = src[1];
        dst[2] = src[2];
      }
    }
  }
  return out;
}

bool Save_Bitmap_File(Platform& platform, bool mono, std::string& path, const WindowPicture32& picture,
                      bool& cancelled, std::string& err) {
  err.clear();
  cancelled = false;
  if (!Ask_Save_Path(platform, kBitmapFilter, "bmp", path)) {
    cancelled = true;
    return true;
  }
  // The picture's description must be readable and match its bytes.
  if (picture.width <= 0 || picture.height <= 0 ||
      (picture.bits && picture.byteCount < static_cast<size_t>(picture.width) * picture.height * 4) ||
      OffMap::Row_Stride(picture.width, 24) == 0 ||
      static_cast<int64_t>(OffMap::Row_Stride(picture.width, 24)) * picture.height >
          std::numeric_limits<int32_t>::max() - kBmpHeadersSize) {
    err = "RenderMan::Save_Bitmap_File failed,  GetBitmap.";
    return false;
  }
  const std::vector<uint8_t> rows =
      Convert_Bitmap_Bits_from32_to24(err, picture.bits, mono, picture.width, picture.height);
  if (rows.empty()) return false;
  return Write_Bmp(path, picture.width, picture.height, rows.data(), static_cast<int32_t>(rows.size()), err);
}
