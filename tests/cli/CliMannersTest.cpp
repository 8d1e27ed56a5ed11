// The manners every command shares: stdin and stdout as files, "--",
// --version, -q, --size N, .jpeg/.tiff names, the warnings of a separation
// that will disappoint, and a plain line after the program's own texts.

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

TEST(CliPipes, StdinToStdoutGivesTheSamePictureAsFiles) {
  TempDir dir;
  const CliRun files = Run_Quorlin({"separate", Sample_Path("coffee.png"), "-o", dir.File("art.png")});
  ASSERT_EQ(files.exitCode, 0) << files.err;
  const CliRun piped = Run_Quorlin({"separate", "-", "-o", "-"}, Sample_Path("coffee.png"));
  ASSERT_EQ(piped.exitCode, 0) << piped.err;
  // stdout carries the picture alone; the note goes to stderr, naming "-".
  EXPECT_EQ(piped.out, Read_File_Bytes(dir.File("art.png")));
  EXPECT_EQ(piped.err, "wrote - (400 x 266, 18 regions)\n");

  const CliRun bmp = Run_Quorlin({"resample", "-", "-o", "-", "--format", "BMP"}, Sample_Path("coffee.png"));
  ASSERT_EQ(bmp.exitCode, 0) << bmp.err;
  EXPECT_EQ(bmp.out.substr(0, 2), "BM");
  EXPECT_EQ(Run_Quorlin({"resample", "-", "-o", "-", "--format", "webp"}).exitCode, 2);

  // A failure writes nothing to stdout and names the input "-".
  Write_File_Bytes(dir.File("text"), "not a picture");
  const CliRun bad = Run_Quorlin({"resample", "-", "-o", "-"}, dir.File("text"));
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_EQ(bad.out, "");
  EXPECT_EQ(bad.err,
            "CImage::Load failed ( Load_Bitmap_File_as_SRC )\n"
            "quorlin: -: not a BMP, TIFF, JPEG, GIF or PNG picture, or a damaged one\n");
  const CliRun twice = Run_Quorlin({"separate", "-", "-", "-o", "x.png"});
  EXPECT_EQ(twice.exitCode, 2);
  EXPECT_EQ(twice.err.substr(0, twice.err.find('\n')), "quorlin separate: stdin (-) can be read only once");
}

TEST(CliManners, DashDashVersionQuietAndNames) {
  TempDir dir;
  // After "--" a name that starts with a dash is a file.
  const std::string dashed = dir.File("-coffee.png");
  Write_File_Bytes(dashed, Read_File_Bytes(Sample_Path("coffee.png")));
  CliRun run = Run_Quorlin({"resample", "-o", dir.File("a.jpeg"), "--", dashed});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "wrote " + dir.File("a.jpeg") + " (400 x 266)\n");
  EXPECT_EQ(Read_File_Bytes(dir.File("a.jpeg")).substr(0, 2), "\xff\xd8");

  run = Run_Quorlin({"--version"});
  EXPECT_EQ(run.out, "quorlin 1.0 (Quorlin Separator)\n");
  // -q drops the notes, not what was asked for.
  run = Run_Quorlin({"-q", "resample", Sample_Path("coffee.png"), "-o", dir.File("b.TIFF")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(Read_File_Bytes(dir.File("b.TIFF")).substr(0, 2), "II");
  run = Run_Quorlin({"resample", Sample_Path("coffee.png"), "-o", dir.File("c.png"), "--quiet", "--json"});
  EXPECT_EQ(run.out, "{\"width\":400,\"height\":266,\"out\":\"" + dir.File("c.png") + "\"}\n");

  // A name the program cannot write: its text, then which names it takes.
  run = Run_Quorlin({"resample", Sample_Path("coffee.png"), "-o", dir.File("d.webp")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err,
            "Only use following FILE EXTENSIONS for the Image's NAME: \n  .bmp  .tif  .jpg  .gif  .png\n"
            "quorlin: " +
                dir.File("d.webp") +
                ": a picture's name ends in .bmp, .tif, .jpg, .gif or .png (or .jpeg, .tiff), which names "
                "its format\n");
}

TEST(CliSizes, TheLongerSideKeepsTheAspectAndStretchingIsSaid) {
  TempDir dir;
  CliRun run = Run_Quorlin({"resample", Sample_Path("coffee.png"), "-o", dir.File("a.png"), "--size", "200"});
  EXPECT_EQ(run.out, "wrote " + dir.File("a.png") + " (200 x 133)\n");
  EXPECT_EQ(run.err, "");
  run = Run_Quorlin({"resample", Sample_Path("chelsea.png"), "-o", dir.File("b.png"), "--size", "500"});
  EXPECT_EQ(run.out, "wrote " + dir.File("b.png") + " (500 x 332)\n");
  // 400x267 is the photo's aspect to a pixel; 300x300 stretches it.
  run = Run_Quorlin({"resample", Sample_Path("coffee.png"), "-o", dir.File("c.png"), "--size", "400x267"});
  EXPECT_EQ(run.err, "");
  run = Run_Quorlin({"resample", Sample_Path("coffee.png"), "-o", dir.File("c.png"), "--size", "300x300"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err,
            "quorlin resample: note: 300x300 stretches the photo (600 x 400); --size N keeps its aspect\n");
  for (const char* size : {"99", "501", "600x100"}) {
    run = Run_Quorlin({"resample", Sample_Path("coffee.png"), "-o", dir.File("d.png"), "--size", size});
    EXPECT_EQ(run.exitCode, 2) << size;
    EXPECT_EQ(run.err.substr(0, run.err.find("usage:")),
              "quorlin resample: Only enter DIMENSIONS that are between 100 and 500 pixels.\n"
              "quorlin: the working size is 100 to 500 pixels a side; use --size\n")
        << size;
  }

  // A strip: the working size keeps the aspect, and a side under 16 pixels is warned about.
  TestPlatform platform;
  std::unique_ptr<PlatformImage> strip = platform.Get().Codec().Create_Image();
  ASSERT_TRUE(strip->Create(800, 20, 24));
  ASSERT_EQ(strip->Save(dir.File("strip.png")), 0);
  run = Run_Quorlin({"resample", dir.File("strip.png"), "-o", dir.File("e.png")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(
      run.err,
      "quorlin resample: warning: the working size is 400 x 10; a side under 16 pixels leaves the filters "
      "next to nothing to work on\n");
}

TEST(CliSeparateWarnings, ResultsThatWillDisappointAreNamed) {
  TempDir dir;
  const std::string photo = Sample_Path("coffee.png"), out = dir.File("a.png");
  CliRun run = Run_Quorlin({"separate", photo, "-o", out, "--rows", "-none-,-none-,-none-,-none-,-none-"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "quorlin separate: warning: every row is -NONE-, so the picture is white\n");
  // A red picture has nothing for a green row.
  TestPlatform platform;
  std::unique_ptr<PlatformImage> red = platform.Get().Codec().Create_Image();
  ASSERT_TRUE(red->Create(200, 150, 24));
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < 200; ++x) red->Set_Pixel_RGB(x, y, 220, 40 + x / 4, 30);
  ASSERT_EQ(red->Save(dir.File("red.png")), 0);
  run = Run_Quorlin(
      {"separate", dir.File("red.png"), "-o", out, "--rows", "Vermillion,Pthalo Green,-none-,-none-,-none-"});
  EXPECT_EQ(run.err,
            "quorlin separate: warning: row 2 (Pthalo Green) got no regions; the photo has too little of "
            "that colour\n");
  run = Run_Quorlin({"separate", photo, "-o", out, "--textures", "mono", "-q"});
  EXPECT_EQ(run.err, "");
  run = Run_Quorlin({"separate", photo, "-o", out, "--textures", "mono"});
  EXPECT_EQ(
      run.err,
      "quorlin separate: warning: monochrome textures paint in grey; --textures color keeps the colours "
      "of a colour photo\n");
  run = Run_Quorlin({"separate", photo, "-o", out, "--texture-style", "1"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err.substr(0, run.err.find('\n')),
            "quorlin separate: --texture-style needs --textures mono|color");
}

}  // namespace
