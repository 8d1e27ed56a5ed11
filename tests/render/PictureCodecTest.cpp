#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <cstdlib>
#include <set>

#include "support/TestSupport.h"

namespace {

class PictureCodecTest : public ::testing::Test {
 protected:
  // A smooth colour gradient with a few hard edges: thousands of colours.
  std::unique_ptr<PlatformImage> Pattern(int w, int h) {
    std::unique_ptr<PlatformImage> image = codec.Create_Image();
    EXPECT_TRUE(image->Create(w, h, 24));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) image->Set_Pixel_RGB(x, y, x * 4, y * 5, x < w / 2 ? 40 : 220);
    return image;
  }
  std::unique_ptr<PlatformImage> Reload(const std::string& path) {
    std::unique_ptr<PlatformImage> image = codec.Create_Image();
    EXPECT_EQ(image->Load(path), 0) << path << ": " << image->Last_Error();
    return image;
  }

  QtPictureCodec codec;
  TempDir dir;
};

TEST_F(PictureCodecTest, RoundTripsInAllFiveFormats) {
  std::unique_ptr<PlatformImage> original = Pattern(64, 48);
  for (const char* ext : {"bmp", "png", "tif", "jpg", "gif"}) {
    const std::string path = dir.File(std::string("pattern.") + ext);
    ASSERT_EQ(original->Save(path), 0) << ext << ": " << original->Last_Error();
    std::unique_ptr<PlatformImage> back = Reload(path);
    ASSERT_EQ(back->Get_Width(), 64);
    ASSERT_EQ(back->Get_Height(), 48);
    const bool lossless = ext[0] == 'b' || ext[0] == 'p' || ext[0] == 't';
    std::set<int> colours;
    long totalError = 0;
    int worst = 0;
    for (int y = 0; y < 48; ++y) {
      for (int x = 0; x < 64; ++x) {
        int r0, g0, b0, r1, g1, b1;
        original->Get_Pixel_RGB(x, y, r0, g0, b0);
        back->Get_Pixel_RGB(x, y, r1, g1, b1);
        const int error = std::abs(r0 - r1) + std::abs(g0 - g1) + std::abs(b0 - b1);
        totalError += error;
        worst = std::max(worst, error);
        colours.insert((r1 << 16) | (g1 << 8) | b1);
      }
    }
    const double meanError = totalError / (64.0 * 48);
    if (lossless) {
      EXPECT_EQ(worst, 0) << ext;
    } else if (ext[0] == 'j') {
      EXPECT_LT(meanError, 6.0);  // close
    } else {
      // A reduced palette of at most 256 colours, about 6 levels per channel off.
      EXPECT_LE(colours.size(), 256u);
      EXPECT_LT(meanError, 20.0);
    }
  }
}

TEST_F(PictureCodecTest, GifKeepsPicturesOfFewColoursExactly) {
  std::unique_ptr<PlatformImage> image = codec.Create_Image();
  ASSERT_TRUE(image->Create(40, 30, 24));
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) image->Set_Pixel_RGB(x, y, (x % 8) * 30, (y % 4) * 60, (x + y) % 3 * 100);
  const std::string path = dir.File("few.gif");
  ASSERT_EQ(image->Save(path), 0);
  std::unique_ptr<PlatformImage> back = Reload(path);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      int r0, g0, b0, r1, g1, b1;
      image->Get_Pixel_RGB(x, y, r0, g0, b0);
      back->Get_Pixel_RGB(x, y, r1, g1, b1);
      ASSERT_EQ(std::make_tuple(r0, g0, b0), std::make_tuple(r1, g1, b1)) << x << "," << y;
    }
  }
}

TEST_F(PictureCodecTest, TransparencyIsWhitePaper) {
  QImage argb(2, 1, QImage::Format_ARGB32);
  argb.setPixel(0, 0, qRgba(10, 20, 30, 0));
  argb.setPixel(1, 0, qRgba(0, 0, 0, 128));
  const std::string path = dir.File("alpha.png");
  ASSERT_TRUE(argb.save(QString::fromStdString(path)));
  std::unique_ptr<PlatformImage> back = Reload(path);
  int r, g, b;
  back->Get_Pixel_RGB(0, 0, r, g, b);
  EXPECT_EQ(std::make_tuple(r, g, b), std::make_tuple(255, 255, 255));
  back->Get_Pixel_RGB(1, 0, r, g, b);
  EXPECT_EQ(std::make_tuple(r, g, b), std::make_tuple(127, 127, 127));
}

TEST_F(PictureCodecTest, RefusesWhatItCannotDecodeOrEncode) {
  std::unique_ptr<PlatformImage> image = codec.Create_Image();
  EXPECT_EQ(image->Load(dir.File("missing.png")), -1);
  EXPECT_EQ(image->Last_Error(), "No such file or directory");
  EXPECT_TRUE(image->Is_Null());
  EXPECT_EQ(image->Load(dir.Path()), -1);
  EXPECT_EQ(image->Last_Error(), "Is a directory");
  // A named pipe is refused at once, not waited on.
  FifoWatch fifo(dir.File("pipe.png"));
  EXPECT_EQ(image->Load(fifo.Path()), -1);
  EXPECT_EQ(image->Last_Error(), "not a plain file");
  EXPECT_FALSE(fifo.Finish());
  Write_File_Bytes(dir.File("junk.jpg"), std::string(300, 'x'));
  EXPECT_EQ(image->Load(dir.File("junk.jpg")), -1);

  // A GIF whose screen claims 20000 x 10000 pixels: refused from the header.
  std::string gif = "GIF89a";
  gif += std::string{static_cast<char>(20000 & 0xFF),
                     static_cast<char>(20000 >> 8),
                     static_cast<char>(10000 & 0xFF),
                     static_cast<char>(10000 >> 8),
                     0,
                     0,
                     0};
  gif += std::string{0x2C,
                     0,
                     0,
                     0,
                     0,
                     static_cast<char>(20000 & 0xFF),
                     static_cast<char>(20000 >> 8),
                     static_cast<char>(10000 & 0xFF),
                     static_cast<char>(10000 >> 8),
                     0,
                     0x3B};
  Write_File_Bytes(dir.File("huge.gif"), gif);
  EXPECT_EQ(image->Load(dir.File("huge.gif")), kImageLoadTooLarge);
  EXPECT_EQ(image->Last_Error(),
            "the picture is 20000 x 10000 pixels; pictures above 100 megapixels are not loaded");

  EXPECT_FALSE(image->Create(0, 10, 24));
  EXPECT_FALSE(image->Create(10, 10, 8));
  EXPECT_FALSE(image->Create(20000, 10000, 24));
  EXPECT_NE(image->Save(dir.File("empty.png")), 0);
  EXPECT_EQ(image->Last_Error(), "the picture is empty");
  ASSERT_TRUE(image->Create(3, 3, 24));
  EXPECT_NE(image->Save(dir.File("pic.webp")), 0);
  EXPECT_EQ(image->Last_Error(), "no encoder for the extension \"webp\"");
  EXPECT_FALSE(File_Exists(dir.File("pic.webp")));
}

// Two pictures of one size with the same pixels.
bool Same_Pixels(const PlatformImage& a, const PlatformImage& b) {
  if (a.Get_Width() != b.Get_Width() || a.Get_Height() != b.Get_Height()) return false;
  for (int y = 0; y < a.Get_Height(); ++y)
    for (int x = 0; x < a.Get_Width(); ++x) {
      int r0, g0, b0, r1, g1, b1;
      a.Get_Pixel_RGB(x, y, r0, g0, b0);
      b.Get_Pixel_RGB(x, y, r1, g1, b1);
      if (r0 != r1 || g0 != g1 || b0 != b1) return false;
    }
  return true;
}

TEST_F(PictureCodecTest, CameraQuirksDecodeAsTheCleanFile) {
  const std::string clean = dir.File("clean.jpg");
  ASSERT_EQ(Pattern(64, 48)->Save(clean), 0);
  const std::string bytes = Read_File_Bytes(clean);
  const size_t table = bytes.find("\xFF\xDB");
  ASSERT_NE(table, std::string::npos);
  // Stray bytes and fill bytes before a marker, data after the end.
  Write_File_Bytes(dir.File("quirks.jpg"), bytes.substr(0, table) + std::string("\x00\x13\x37\xFF\xFF", 5) +
                                               bytes.substr(table) + "thumbnail trailer");
  // An Exif block that says the camera was turned: stored rows are turned a
  // quarter to the right when shown.
  const std::string exif =
      std::string("Exif\0\0MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0", 32);
  Write_File_Bytes(dir.File("turned.jpg"), bytes.substr(0, 2) + "\xFF\xE1" + std::string(1, '\0') +
                                               static_cast<char>(exif.size() + 2) + exif + bytes.substr(2));
  std::unique_ptr<PlatformImage> expected = Reload(clean);
  EXPECT_TRUE(Same_Pixels(*Reload(dir.File("quirks.jpg")), *expected));
  std::unique_ptr<PlatformImage> turned = Reload(dir.File("turned.jpg"));
  ASSERT_EQ(std::make_pair(turned->Get_Width(), turned->Get_Height()), std::make_pair(48, 64));
  int mismatches = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 48; ++x) {
      int r0, g0, b0, r1, g1, b1;
      turned->Get_Pixel_RGB(x, y, r0, g0, b0);
      expected->Get_Pixel_RGB(y, 47 - x, r1, g1, b1);
      mismatches += r0 != r1 || g0 != g1 || b0 != b1;
    }
  EXPECT_EQ(mismatches, 0);
}

TEST_F(PictureCodecTest, DecodesAsQtReadsTheFileItself) {
  std::vector<std::string> paths = {Sample_Path("coffee.png"), Sample_Path("chelsea.png")};
  std::unique_ptr<PlatformImage> original = Pattern(61, 37);
  for (const char* ext : {"bmp", "png", "tif", "jpg", "gif"}) {
    paths.push_back(dir.File(std::string("p.") + ext));
    ASSERT_EQ(original->Save(paths.back()), 0);
  }
  for (const std::string& path : paths) {
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(true);
    const QImage qt = reader.read().convertToFormat(QImage::Format_RGB32);
    std::unique_ptr<PlatformImage> ours = Reload(path);
    ASSERT_EQ(std::make_pair(ours->Get_Width(), ours->Get_Height()), std::make_pair(qt.width(), qt.height()));
    int mismatches = 0;
    for (int y = 0; y < qt.height(); ++y)
      for (int x = 0; x < qt.width(); ++x) {
        int r, g, b;
        ours->Get_Pixel_RGB(x, y, r, g, b);
        mismatches += qt.pixel(x, y) != qRgb(r, g, b);
      }
    EXPECT_EQ(mismatches, 0) << path;
  }
}

}  // namespace
