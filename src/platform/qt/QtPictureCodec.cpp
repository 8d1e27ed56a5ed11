#include "platform/qt/QtPictureCodec.h"

#include <gif_lib.h>
#include <sys/mman.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QString>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/PathNames.h"
#include "platform/PictureData.h"
#include "platform/SafeFile.h"
#include "platform/Text.h"

namespace {

// Failure status of a save, as the platform's encoder reports it.
constexpr int32_t kSaveFailed = static_cast<int32_t>(0x80004005u);

class QtImage : public PlatformImage {
 public:
  int32_t Load(const std::string& path) override;
  bool Is_Null() const override { return m_image.isNull(); }
  int Get_Width() const override { return m_image.width(); }
  int Get_Height() const override { return m_image.height(); }
  void Get_Pixel_RGB(int x, int y, int& r, int& g, int& b) const override {
    const QRgb px = reinterpret_cast<const QRgb*>(m_image.constScanLine(y))[x];
    r = qRed(px);
    g = qGreen(px);
    b = qBlue(px);
  }
  bool Create(int width, int height, int bitsPerPixel) override;
  void Set_Pixel_RGB(int x, int y, int r, int g, int b) override {
    reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = qRgb(r, g, b);
  }
  void Set_Pixel_RGBA(int x, int y, int r, int g, int b, int a) override {
    reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = qRgba(r, g, b, a);
  }
  int32_t Save(const std::string& path) override;
  std::string Last_Error() const override { return m_error; }

 private:
  // Format_RGB32 once loaded or created at 24 bits; Format_ARGB32 created
  // at 32 bits.
  QImage m_image;
  std::string m_error;
};

// The decoder for a format the first bytes name; an empty name (a format
// the program does not name) lets Qt find one from the bytes.
QByteArray Decoder_Format(PictureKind kind) {
  switch (kind) {
    case PictureKind::Bmp:
      return "bmp";
    case PictureKind::Gif:
      return "gif";
    case PictureKind::Jpeg:
      return "jpeg";
    case PictureKind::Png:
      return "png";
    case PictureKind::Tiff:
      return "tiff";
    case PictureKind::Unknown:
      break;
  }
  return QByteArray();
}

void Unmap_Pixels(void* info) {
  const auto* mapping = static_cast<const std::pair<void*, size_t>*>(info);
  ::munmap(mapping->first, mapping->second);
  delete mapping;
}

// An empty picture of the size and format the decoder announced, for it to
// decode into, or a null picture (the decoder then makes its own).  A large
// photo's pixels are tens of megabytes touched once page by page; mapped
// with large pages, the kernel fills them with a few hundred faults instead
// of several thousand, which is most of the time a 12 MP load takes beyond
// the decoding itself.  The decoder writes every pixel, so the picture is
// the same either way.
QImage Decode_Target(const QSize& size, QImage::Format format) {
  constexpr int64_t kLargePageWorth = 8 << 20;
  if (!size.isValid() || format != QImage::Format_RGB32) return QImage();
  const int64_t bytesPerLine = static_cast<int64_t>(size.width()) * 4;
  const int64_t bytes = bytesPerLine * size.height();
  if (bytes < kLargePageWorth || size.width() > 0x7fffffff / 4) return QImage();
  void* pixels =
      ::mmap(nullptr, static_cast<size_t>(bytes), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (pixels == MAP_FAILED) return QImage();
  ::madvise(pixels, static_cast<size_t>(bytes), MADV_HUGEPAGE);
  auto* mapping = new std::pair<void*, size_t>(pixels, static_cast<size_t>(bytes));
  QImage target(static_cast<uchar*>(pixels), size.width(), size.height(),
                static_cast<qsizetype>(bytesPerLine), format, Unmap_Pixels, mapping);
  if (target.isNull()) Unmap_Pixels(mapping);
  return target;
}

int32_t QtImage::Load(const std::string& path) {
  m_image = QImage();
  m_error.clear();
  // The file is read by us (a plain file only, never waited on) and decoded
  // from memory.
  std::vector<uint8_t> bytes;
  const int32_t readStatus = Read_Picture_File(path, bytes, m_error);
  if (readStatus != 0) return readStatus;
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, Decoder_Format(Picture_Kind(bytes.data(), bytes.size())));
  reader.setAutoTransform(true);
  const QSize size = reader.size();
  if (size.isValid() && static_cast<int64_t>(size.width()) * size.height() > kMaxPicturePixels) {
    m_error = Text_Format("the picture is %d x %d pixels; pictures above 100 megapixels are not loaded",
                          size.width(), size.height());
    return kImageLoadTooLarge;
  }
  // A picture whose data ends early would decode into grey or black rows.
  if (!Check_Picture_Complete(bytes.data(), bytes.size(), m_error)) return kImageLoadDamaged;
  // Qt refuses decodes above its default budget; ours is the pixel limit.
  // The budget is one setting for the whole process, so it is set once:
  // pictures may be loaded on several threads at a time.
  static std::once_flag budgetSet;
  std::call_once(budgetSet, [] { QImageReader::setAllocationLimit(1024); });
  QImage decoded = Decode_Target(size, reader.imageFormat());
  if (!reader.read(&decoded) || decoded.isNull()) {
    m_error = reader.errorString().toStdString();
    return -1;
  }
  if (static_cast<int64_t>(decoded.width()) * decoded.height() > kMaxPicturePixels) {
    m_error = Text_Format("the picture is %d x %d pixels; pictures above 100 megapixels are not loaded",
                          decoded.width(), decoded.height());
    return kImageLoadTooLarge;
  }
  // Transparent pixels count as white paper.
  if (decoded.hasAlphaChannel()) {
    const QImage argb = decoded.convertToFormat(QImage::Format_ARGB32);
    QImage flat(decoded.size(), QImage::Format_RGB32);
    for (int y = 0; y < argb.height(); ++y) {
      const QRgb* src = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
      QRgb* dst = reinterpret_cast<QRgb*>(flat.scanLine(y));
      for (int x = 0; x < argb.width(); ++x) {
        const int a = qAlpha(src[x]);
        const auto mix = [a](int c) { return (c * a + 255 * (255 - a) + 127) / 255; };
        dst[x] = qRgb(mix(qRed(src[x])), mix(qGreen(src[x])), mix(qBlue(src[x])));
      }
    }
    m_image = std::move(flat);
  } else {
    m_image = decoded.convertToFormat(QImage::Format_RGB32);
  }
  if (m_image.isNull()) {
    m_error = "not enough memory to hold the picture";
    return -1;
  }
  return 0;
}

bool QtImage::Create(int width, int height, int bitsPerPixel) {
  m_error.clear();
  if ((bitsPerPixel != 24 && bitsPerPixel != 32) || width <= 0 || height <= 0 ||
      static_cast<int64_t>(width) * height > kMaxPicturePixels) {
    m_image = QImage();
    return false;
  }
  m_image = QImage(width, height, bitsPerPixel == 32 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (m_image.isNull()) return false;
  m_image.fill(bitsPerPixel == 32 ? Qt::transparent : Qt::black);
  return true;
}

int32_t QtImage::Save(const std::string& path) {
  m_error.clear();
  if (m_image.isNull()) {
    m_error = "the picture is empty";
    return kSaveFailed;
  }
  std::string ext = Path_Extension(path);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::string bytes;
  const bool alpha = m_image.format() == QImage::Format_ARGB32;
  if (alpha && ext != "png") {
    m_error = "a picture with transparency is written as PNG only, not \"" + ext + "\"";
    return kSaveFailed;
  }
  if (ext == "gif") {
    std::vector<unsigned char> rgb(static_cast<size_t>(m_image.width()) * m_image.height() * 3);
    size_t k = 0;
    for (int y = 0; y < m_image.height(); ++y) {
      const QRgb* line = reinterpret_cast<const QRgb*>(m_image.constScanLine(y));
      for (int x = 0; x < m_image.width(); ++x) {
        rgb[k++] = static_cast<unsigned char>(qRed(line[x]));
        rgb[k++] = static_cast<unsigned char>(qGreen(line[x]));
        rgb[k++] = static_cast<unsigned char>(qBlue(line[x]));
      }
    }
    if (!Encode_Gif(rgb.data(), m_image.width(), m_image.height(), bytes, m_error)) return kSaveFailed;
  } else {
    const char* format = nullptr;
    if (ext == "bmp")
      format = "bmp";
    else if (ext == "png")
      format = "png";
    else if (ext == "jpg" || ext == "jpeg")
      format = "jpg";
    else if (ext == "tif" || ext == "tiff")
      format = "tiff";
    if (!format) {
      m_error = "no encoder for the extension \"" + ext + "\"";
      return kSaveFailed;
    }
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (ext == "jpg") writer.setQuality(90);
    const QImage out = m_image.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    if (!writer.write(out)) {
      m_error = writer.errorString().toStdString();
      return kSaveFailed;
    }
    bytes.assign(encoded.constData(), static_cast<size_t>(encoded.size()));
  }
  if (!Write_File_Safely(path, bytes.data(), bytes.size(), m_error)) return kSaveFailed;
  return 0;
}

int Gif_Append(GifFileType* gif, const GifByteType* data, int length) {
  static_cast<std::string*>(gif->UserData)
      ->append(reinterpret_cast<const char*>(data), static_cast<size_t>(length));
  return length;
}

}  // namespace

std::unique_ptr<PlatformImage> QtPictureCodec::Create_Image() {
  return std::make_unique<QtImage>();
}

namespace {

// Indexes a picture of at most 256 colours with an exact palette; false
// (and nothing promised about the outputs) when it has more.
bool Exact_Palette(const unsigned char* rgb, size_t n, std::vector<GifByteType>& indices,
                   std::vector<GifColorType>& palette) {
  std::unordered_map<uint32_t, GifByteType> known;
  for (size_t i = 0; i < n; ++i) {
    const unsigned char* p = rgb + 3 * i;
    const uint32_t key = (static_cast<uint32_t>(p[0]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[2];
    auto found = known.find(key);
    if (found == known.end()) {
      if (known.size() == palette.size()) return false;
      const auto index = static_cast<GifByteType>(known.size());
      palette[index] = GifColorType{p[0], p[1], p[2]};
      found = known.emplace(key, index).first;
    }
    indices[i] = found->second;
  }
  return true;
}

}  // namespace

bool Encode_Gif(const unsigned char* rgb, int width, int height, std::string& bytes, std::string& reason) {
  const size_t n = static_cast<size_t>(width) * height;
  std::vector<GifByteType> indices(n);
  std::vector<GifColorType> palette(256);
  // A picture of at most 256 colours (a layered image of a few paint
  // colours) keeps them exactly; richer pictures are reduced by median cut.
  if (!Exact_Palette(rgb, n, indices, palette)) {
    std::vector<GifByteType> r(n), g(n), b(n);
    for (size_t i = 0; i < n; ++i) {
      r[i] = rgb[3 * i];
      g[i] = rgb[3 * i + 1];
      b[i] = rgb[3 * i + 2];
    }
    int mapSize = 256;
    if (GifQuantizeBuffer(static_cast<unsigned>(width), static_cast<unsigned>(height), &mapSize, r.data(),
                          g.data(), b.data(), indices.data(), palette.data()) == GIF_ERROR) {
      reason = "the colours could not be reduced to a palette";
      return false;
    }
  }
  ColorMapObject* map = GifMakeMapObject(256, palette.data());
  if (!map) {
    reason = "out of memory";
    return false;
  }
  bytes.clear();
  int error = 0;
  GifFileType* gif = EGifOpen(&bytes, Gif_Append, &error);
  if (!gif) {
    GifFreeMapObject(map);
    reason = GifErrorString(error);
    return false;
  }
  bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, map) != GIF_ERROR &&
            EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) != GIF_ERROR;
  for (int y = 0; ok && y < height; ++y) {
    ok = EGifPutLine(gif, indices.data() + static_cast<size_t>(y) * width, width) != GIF_ERROR;
  }
  if (!ok) reason = GifErrorString(gif->Error);
  if (EGifCloseFile(gif, &error) == GIF_ERROR && ok) {
    ok = false;
    reason = GifErrorString(error);
  }
  GifFreeMapObject(map);
  return ok;
}
