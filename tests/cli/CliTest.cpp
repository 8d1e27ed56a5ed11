#include <gtest/gtest.h>

#include "cli/Cli.h"
#include "regions/RegionMaps.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"
#include "support/TestSupport.h"

namespace {

const char* const kRangeText =
    "Only enter DIMENSIONS that are between 100 and 500 pixels.\n"
    "quorlin: the working size is 100 to 500 pixels a side; use --size\n";

TEST(CliInfo, DescribesBothSamples) {
  CliRun run = Run_Quorlin({"info", Sample_Path("coffee.png")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "photo 600 x 400\nworking 400 x 266\ngreyscale no\n");
  run = Run_Quorlin({"info", Sample_Path("chelsea.png")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "photo 451 x 300\nworking 400 x 266\ngreyscale no\n");
  EXPECT_EQ(run.err, "");
}

TEST(CliInfo, ReportsGreyPhotosAndMissingFiles) {
  TempDir dir;
  TestPlatform platform;
  std::unique_ptr<PlatformImage> grey = platform.Get().Codec().Create_Image();
  ASSERT_TRUE(grey->Create(300, 500, 24));
  for (int y = 0; y < 500; ++y)
    for (int x = 0; x < 300; ++x) grey->Set_Pixel_RGB(x, y, y / 2, y / 2, y / 2);
  ASSERT_EQ(grey->Save(dir.File("grey.tif")), 0);
  CliRun run = Run_Quorlin({"info", dir.File("grey.tif")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "photo 300 x 500\nworking 241 x 401\ngreyscale yes\n");

  // A refused photo: the program's text, then what is wrong with the file.
  const std::string refused = "CImage::Load failed ( Load_Bitmap_File_as_SRC )\nquorlin: ";
  run = Run_Quorlin({"info", dir.File("absent.png")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, refused + dir.File("absent.png") + ": no such file\n");
  EXPECT_EQ(run.out, "");
  run = Run_Quorlin({"info", dir.Path()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, refused + dir.Path() + ": is a folder, not a picture\n");
  Write_File_Bytes(dir.File("text.png"), "not a picture");
  run = Run_Quorlin({"info", dir.File("text.png")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, refused + dir.File("text.png") +
                         ": not a BMP, TIFF, JPEG, GIF or PNG picture, or a damaged one\n");
}

// The source map the engine makes of a sample, in this process.
std::unique_ptr<OffMap> Expected_Source(TestPlatform& platform, const std::string& sample, int w, int h) {
  RenderMan rm(platform.Get());
  Load_Photo_At_Working_Size(rm, Sample_Path(sample), w, h);
  return Copy_Of_Map(*rm.Get_Source_Map());
}

TEST(CliResample, WritesTheSourceMapInAllFiveFormats) {
  TempDir dir;
  TestPlatform platform;
  const std::unique_ptr<OffMap> expected = Expected_Source(platform, "coffee.png", -1, -1);
  for (const char* ext : {"bmp", "png", "tif", "JPG", "gif"}) {
    const std::string out = dir.File(std::string("coffee.") + ext);
    const CliRun run = Run_Quorlin({"resample", Sample_Path("coffee.png"), "-o", out});
    ASSERT_EQ(run.exitCode, 0) << ext << ": " << run.err;
    EXPECT_EQ(run.out, "wrote " + out + " (400 x 266)\n");
    const int worst = Worst_Difference(platform, out, *expected);
    if (ext[0] == 'J') {
      EXPECT_LT(worst, 80) << ext;
    } else if (ext[0] == 'g') {
      EXPECT_LT(worst, 120) << ext;
    } else {
      EXPECT_EQ(worst, 0) << ext;
    }
  }
}

TEST(CliResample, TakesAnExplicitSizeWithinTheRange) {
  TempDir dir;
  TestPlatform platform;
  const std::string out = dir.File("c.png");
  CliRun run = Run_Quorlin({"resample", Sample_Path("chelsea.png"), "--size", "500x100", "-o", out});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Worst_Difference(platform, out, *Expected_Source(platform, "chelsea.png", 500, 100)), 0);

  for (const char* size : {"99x100", "100x501", "0x0", "600x400"}) {
    run = Run_Quorlin({"resample", Sample_Path("chelsea.png"), "--size", size, "-o", dir.File("d.png")});
    EXPECT_EQ(run.exitCode, 2) << size;
    EXPECT_EQ(run.err, std::string("quorlin resample: ") + kRangeText +
                           "usage: quorlin resample PHOTO -o OUT [--size N|WxH] [--json]\n")
        << size;
    EXPECT_FALSE(File_Exists(dir.File("d.png")));
  }
  run = Run_Quorlin({"resample", Sample_Path("chelsea.png"), "--size", "wide", "-o", dir.File("d.png")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err,
            "quorlin resample: --size takes N (the longer side) or WIDTHxHEIGHT, e.g. 400 or 400x300\n"
            "usage: quorlin resample PHOTO -o OUT [--size N|WxH] [--json]\n");
}

TEST(CliResample, RefusesBadNamesAndMissingPhotos) {
  TempDir dir;
  const auto plainLine = [&](const char* name) {
    return "quorlin: " + dir.File(name) +
           ": a picture's name ends in .bmp, .tif, .jpg, .gif or .png (or .jpeg, .tiff), which names its "
           "format\n";
  };
  CliRun run = Run_Quorlin({"resample", Sample_Path("coffee.png"), "-o", dir.File("x.webp")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err,
            "Only use following FILE EXTENSIONS for the Image's NAME: \n  .bmp  .tif  .jpg  .gif  .png\n" +
                plainLine("x.webp"));
  run = Run_Quorlin({"resample", Sample_Path("coffee.png"), "-o", dir.File("noext")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err,
            "RenderMan::Save_Bitmap_File failed, Put an extension on the File Name.\n" + plainLine("noext"));
  run = Run_Quorlin({"resample", dir.File("gone.png"), "-o", dir.File("x.png")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "CImage::Load failed ( Load_Bitmap_File_as_SRC )\nquorlin: " + dir.File("gone.png") +
                         ": no such file\n");
  run = Run_Quorlin({"resample", Sample_Path("coffee.png"), "-o", dir.File("no/folder/x.png")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err,
            "RenderMan::Save_Bitmap_File_CImage FAILED [ HRESULT error code was:  -2147467259 ].\nquorlin: " +
                dir.File("no/folder/x.png") + ": No such file or directory\n");
}

TEST(CliResample, FailedSaveLeavesTheExistingFileIntact) {
  TempDir dir;
  const std::string out = dir.File("keep.bmp");
  Write_File_Bytes(out, "the picture that was there");
  CliRun run;
  {
    // The child inherits a file size limit far below the picture's size.
    FileSizeLimit limit(4096);
    run = Run_Quorlin({"resample", Sample_Path("coffee.png"), "-o", out});
  }
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err,
            "RenderMan::Save_Bitmap_File_CImage FAILED [ HRESULT error code was:  -2147467259 ].\nquorlin: " +
                out + ": File too large\n");
  EXPECT_EQ(Read_File_Bytes(out), "the picture that was there");
}

TEST(CliJson, QuotesEscapesAndControlCharacters) {
  EXPECT_EQ(Cli_Json_Text(""), "\"\"");
  EXPECT_EQ(Cli_Json_Text("C:\\a \"b\"/\xc3\xa9"), "\"C:\\\\a \\\"b\\\"/\xc3\xa9\"");
  EXPECT_EQ(Cli_Json_Text(std::string("\n\t\x1f\0", 4)), "\"\\u000a\\u0009\\u001f\\u0000\"");
  // Bytes that are not UTF-8 become U+FFFD, one for each: a lone
  // continuation byte, a cut-off sequence, an overlong form, a surrogate,
  // a code point above U+10FFFF.  Well-formed sequences of 2 to 4 bytes stay.
  EXPECT_EQ(Cli_Json_Text("a\x80"
                          "b"),
            "\"a\\ufffdb\"");
  EXPECT_EQ(Cli_Json_Text("\xc3"), "\"\\ufffd\"");
  EXPECT_EQ(Cli_Json_Text("\xc0\xaf"), "\"\\ufffd\\ufffd\"");
  EXPECT_EQ(Cli_Json_Text("\xed\xa0\x80"), "\"\\ufffd\\ufffd\\ufffd\"");
  EXPECT_EQ(Cli_Json_Text("\xf4\x90\x80\x80"), "\"\\ufffd\\ufffd\\ufffd\\ufffd\"");
  EXPECT_EQ(Cli_Json_Text("\xe2\x82\xac\xf0\x9f\x8e\xa8\xff"), "\"\xe2\x82\xac\xf0\x9f\x8e\xa8\\ufffd\"");
}

TEST(CliUsage, WrongCommandLinesExitWithTwo) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, "usage: quorlin COMMAND [options]\n"},
      {{"frobnicate"}, "quorlin: unknown command 'frobnicate'\n"},
      {{"info"}, "quorlin info: one PHOTO is needed\nusage: quorlin info PHOTO\n"},
      {{"info", "a.png", "b.png"}, "quorlin info: one PHOTO is needed\nusage: quorlin info PHOTO\n"},
      {{"resample", "a.png"},
       "quorlin resample: -o OUT is needed\nusage: quorlin resample PHOTO -o OUT [--size N|WxH] [--json]\n"},
      {{"resample", "a.png", "-o"}, "quorlin resample: option -o needs a value\n"},
      {{"resample", "a.png", "-o", "b.png", "--bogus"}, "quorlin resample: unknown option --bogus\n"},
      {{"demo", "x", "y"}, "quorlin demo: at most one DIR\nusage: quorlin demo [DIR]\n"},
  };
  for (const auto& [args, errStart] : cases) {
    const CliRun run = Run_Quorlin(args);
    EXPECT_EQ(run.exitCode, 2) << errStart;
    EXPECT_EQ(run.err.substr(0, errStart.size()), errStart);
  }
}

TEST(CliUsage, EveryCommandAnswersHelp) {
  for (const char* command : {"info", "resample", "demo"}) {
    const CliRun run = Run_Quorlin({command, "--help"});
    EXPECT_EQ(run.exitCode, 0) << command;
    EXPECT_EQ(run.out.rfind(std::string("usage: quorlin ") + command, 0), 0u) << run.out;
  }
  const CliRun run = Run_Quorlin({"--help"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.out.find("  resample"), std::string::npos);
}

}  // namespace
