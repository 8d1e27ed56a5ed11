// `--psd` and `--layers` of `quorlin separate` and `quorlin render`, and the
// codec's pictures with transparency.

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "export/ExportTestSupport.h"
#include "export/SeparationPngs.h"
#include "raster/OffMap.h"

namespace {

std::vector<uint8_t> File_Bytes(const std::string& path) {
  const std::string s = Read_File_Bytes(path);
  return std::vector<uint8_t>(s.begin(), s.end());
}

// The picture's red, green, blue bytes.
std::vector<uint8_t> Picture_RGB(const std::string& path) {
  const QImage image = QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB888);
  std::vector<uint8_t> rgb;
  for (int y = 0; y < image.height(); ++y)
    rgb.insert(rgb.end(), image.constScanLine(y), image.constScanLine(y) + image.width() * 3);
  return rgb;
}

TEST(CliLayers, SeparateWritesThePsdAndOnePngPerSeparation) {
  TempDir dir;
  const std::string out = dir.File("out.png"), psdPath = dir.File("out.psd"), layers = dir.File("seps");
  const CliRun run = Run_Quorlin({"separate", Sample_Path("chelsea.png"), "-o", out, "--psd", psdPath,
                                  "--layers", layers, "--rgl", dir.File("list.rgl")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  PsdFile psd;
  std::string err;
  ASSERT_TRUE(Read_Psd(File_Bytes(psdPath), psd, err)) << err;
  const std::vector<uint8_t> layered = Picture_RGB(out);
  EXPECT_TRUE(psd.composite == layered);
  EXPECT_TRUE(Compose_As_Editor(psd) == layered);

  // One PNG per separation, named by row and paint; laid over white in
  // row order they give the layered image (there is no outline).
  const std::vector<std::string> files = Folder_Entries(layers);
  std::string expected = "wrote " + out + " (400 x 266, " + std::to_string(psd.layers.size() - 1) +
                         " regions)\nwrote " + psdPath + " (" + std::to_string(psd.layers.size()) +
                         " layers)\n";
  for (const std::string& name : files) expected += "wrote " + layers + "/" + name + "\n";
  ASSERT_GE(files.size(), 2u);
  EXPECT_EQ(run.out, expected.substr(expected.find('\n') + 1) + expected.substr(0, expected.find('\n') + 1));
  std::vector<uint8_t> composed(layered.size(), 255);
  for (const std::string& name : files) {
    // "<row 1..5>-<paint, blanks as dashes>.png"
    const std::string paintName = name.size() > 6 ? name.substr(2, name.size() - 6) : std::string();
    EXPECT_TRUE(name.size() > 6 && name[0] >= '1' && name[0] <= '5' && name[1] == '-' &&
                name.substr(name.size() - 4) == ".png" && !paintName.empty() &&
                paintName.find_first_not_of(
                    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-") == std::string::npos)
        << name;
    const QImage image(QString::fromStdString(layers + "/" + name));
    ASSERT_EQ(image.size(), QSize(400, 266)) << name;
    ASSERT_TRUE(image.hasAlphaChannel()) << name;
    int64_t painted = 0;
    for (int y = 0; y < 266; ++y)
      for (int x = 0; x < 400; ++x) {
        const QRgb px = image.pixel(x, y);
        ASSERT_TRUE(qAlpha(px) == 0 || qAlpha(px) == 255) << name;
        if (qAlpha(px) == 0) continue;
        ++painted;
        uint8_t* q = composed.data() + (static_cast<size_t>(y) * 400 + static_cast<size_t>(x)) * 3;
        const int paint[3] = {qRed(px), qGreen(px), qBlue(px)};
        for (int c = 0; c < 3; ++c) q[c] = Glaze_Component(static_cast<uint8_t>(paint[c]), q[c]);
      }
    EXPECT_GT(painted, 0) << name;
  }
  EXPECT_TRUE(composed == layered);

  // render of the stored list writes the same PSD.
  const CliRun render = Run_Quorlin(
      {"render", dir.File("list.rgl"), "-o", dir.File("again.png"), "--psd", dir.File("again.psd")});
  ASSERT_EQ(render.exitCode, 0) << render.err;
  EXPECT_EQ(render.out.substr(0, render.out.find('\n')),
            "wrote " + dir.File("again.psd") + " (" + std::to_string(psd.layers.size()) + " layers)");
  PsdFile again;
  ASSERT_TRUE(Read_Psd(File_Bytes(dir.File("again.psd")), again, err)) << err;
  EXPECT_TRUE(again.composite == layered);
  EXPECT_EQ(again.layers.size(), psd.layers.size());
}

TEST(CliLayers, RefusedRequestsWriteNothing) {
  TempDir dir;
  const std::string photo = Sample_Path("coffee.png");
  CliRun run = Run_Quorlin({"separate", photo, "-o", dir.File("a.png"), "--psd", dir.File("a.png.tif")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("--psd writes a Photoshop document: its file name must end in .psd (\"" +
                         dir.File("a.png.tif") + "\")"),
            std::string::npos)
      << run.err;
  run = Run_Quorlin(
      {"separate", photo, "-o", dir.File("a.png"), "--print", "800x600", "--psd", dir.File("a.psd")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(
      run.err,
      "quorlin separate: --print: the print size 800 x 600 is larger than the photo's own size, 600 x 400\n");
  EXPECT_FALSE(File_Exists(dir.File("a.psd")));
  // At a print size the photo allows, the PSD has that size (rows, then columns, big-endian).
  run = Run_Quorlin(
      {"separate", photo, "-o", dir.File("p.png"), "--print", "600x400", "--psd", dir.File("p.psd")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Read_File_Bytes(dir.File("p.psd")).substr(14, 8), std::string("\0\0\x01\x90\0\0\x02\x58", 8));
  Write_File_Bytes(dir.File("file"), "x");
  run = Run_Quorlin({"separate", photo, "-o", dir.File("a.png"), "--layers", dir.File("file")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err.rfind("quorlin: " + dir.File("file") + ": the folder could not be made", 0), 0u)
      << run.err;
  std::filesystem::create_directory(dir.File("seps"));
  run =
      Run_Quorlin({"separate", photo, "-o", dir.File("seps/1-Vermillion.png"), "--layers", dir.File("seps")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "quorlin: " + dir.File("seps/1-Vermillion.png") +
                         ": --layers would write a file that another output writes\n")
      << run.err;
  EXPECT_EQ(Folder_Entries(dir.Path()), std::vector<std::string>({"file", "p.png", "p.psd", "seps"}));
  EXPECT_TRUE(Folder_Entries(dir.File("seps")).empty());
}

TEST(CliLayers, CodecWritesTransparencyAsPngOnly) {
  TestPlatform platform;
  TempDir dir;
  std::unique_ptr<PlatformImage> image = platform.Get().Codec().Create_Image();
  ASSERT_TRUE(image->Create(3, 1, 32));
  image->Set_Pixel_RGBA(0, 0, 10, 20, 30, 255);
  image->Set_Pixel_RGBA(1, 0, 200, 100, 50, 77);
  EXPECT_NE(image->Save(dir.File("t.bmp")), 0);
  EXPECT_EQ(image->Last_Error(), "a picture with transparency is written as PNG only, not \"bmp\"");
  ASSERT_EQ(image->Save(dir.File("t.png")), 0) << image->Last_Error();
  const QImage back(QString::fromStdString(dir.File("t.png")));
  EXPECT_EQ(back.pixel(0, 0), qRgba(10, 20, 30, 255));
  EXPECT_EQ(back.pixel(1, 0), qRgba(200, 100, 50, 77));
  EXPECT_EQ(qAlpha(back.pixel(2, 0)), 0);
  EXPECT_FALSE(image->Create(3, 1, 16));
  EXPECT_EQ(Separation_File_Name(0, "Burnt Sienna"), "1-Burnt-Sienna.png");
  EXPECT_EQ(Separation_File_Name(4, "Gray 1/x"), "5-Gray-1-x.png");
}

}  // namespace
