// `quorlin separate` with several photos: every result in the folder is the
// file a run of its photo alone writes, failures are reported per photo
// without stopping the others, and what cannot work is refused before any
// photo is read.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/Cli.h"
#include "support/TestSupport.h"

namespace {

// The usage line every usage error ends with.
const std::string kUsage = "usage: " + std::string(Cli_Command("separate").usage) + "\n";

// The bytes `quorlin separate PHOTO -o DIR/single.EXT` writes for one photo.
std::string Single_Result(const TempDir& dir, const std::string& photo, const std::string& ext) {
  const std::string out = dir.File("single." + ext);
  const CliRun run = Run_Quorlin({"separate", photo, "-o", out});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  return Read_File_Bytes(out);
}

TEST(CliBatch, BadPhotosFailAloneAndGoodResultsEqualSingleRuns) {
  TempDir dir;
  const std::string coffee = Sample_Path("coffee.png"), chelsea = Sample_Path("chelsea.png");
  const std::string missing = dir.File("missing.png"), text = dir.File("notes.png"),
                    cut = dir.File("cut.jpg");
  Write_File_Bytes(text, "not a picture at all");
  ASSERT_EQ(Run_Quorlin({"resample", coffee, "-o", cut}).exitCode, 0);
  const std::string jpeg = Read_File_Bytes(cut);
  Write_File_Bytes(cut, jpeg.substr(0, jpeg.size() / 2));
  const std::string folder = dir.File("out") + "/";

  const CliRun run =
      Run_Quorlin({"separate", coffee, missing, text, chelsea, cut, "-o", folder, "--jobs", "1"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "wrote " + folder + "coffee.png (400 x 266, 18 regions)\n" +       //
                         "wrote " + folder + "chelsea.png (400 x 266, 32 regions)\n" +  //
                         "wrote 2 of 5 pictures into " + folder + "\n");
  EXPECT_EQ(run.err,
            missing + ": CImage::Load failed ( Load_Bitmap_File_as_SRC )\n" +  //
                missing + ": quorlin: " + missing + ": no such file\n" +       //
                text + ": CImage::Load failed ( Load_Bitmap_File_as_SRC )\n" + text + ": quorlin: " + text +
                ": not a BMP, TIFF, JPEG, GIF or PNG picture, or a damaged one\n" + cut +
                ": CImage::Load failed ( Load_Bitmap_File_as_SRC )\n" +  //
                cut + ": quorlin: " + cut +
                ": is a truncated or damaged picture (the JPEG data ends before its end-of-image marker)\n");
  // Nothing but the two results (no temporary file left by the failures).
  EXPECT_EQ(Folder_Entries(folder), (std::vector<std::string>{"chelsea.png", "coffee.png"}));
  const std::string coffeeAlone = Single_Result(dir, coffee, "png");
  EXPECT_FALSE(coffeeAlone.empty());
  EXPECT_EQ(Read_File_Bytes(folder + "coffee.png"), coffeeAlone);
  EXPECT_EQ(Read_File_Bytes(folder + "chelsea.png"), Single_Result(dir, chelsea, "png"));

  // Two jobs at a time make the same files; all good photos exit with 0.
  const std::string second = dir.File("two") + "/";
  const CliRun both = Run_Quorlin({"separate", chelsea, coffee, "-o", second, "--jobs", "2"});
  EXPECT_EQ(both.exitCode, 0) << both.err;
  EXPECT_EQ(both.err, "");
  EXPECT_NE(both.out.find("wrote 2 of 2 pictures into " + second + "\n"), std::string::npos);
  EXPECT_EQ(Read_File_Bytes(second + "coffee.png"), coffeeAlone);
  EXPECT_EQ(Read_File_Bytes(second + "chelsea.png"), Read_File_Bytes(folder + "chelsea.png"));
}

TEST(CliBatch, ExistingFolderFormatAndJsonLines) {
  TempDir dir;
  const std::string coffee = Sample_Path("coffee.png");
  // An existing folder without the slash is a folder, also for one photo.
  const CliRun run = Run_Quorlin({"separate", coffee, "-o", dir.Path(), "--format", "bmp", "--json"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out.rfind("{\"photo\":\"" + coffee + "\",\"width\":400,\"height\":266,", 0), 0u) << run.out;
  EXPECT_EQ(run.out.find('\n'), run.out.size() - 1);  // one line
  EXPECT_EQ(run.err, "wrote 1 of 1 pictures into " + dir.Path() + "\n");
  EXPECT_EQ(Read_File_Bytes(dir.File("coffee.bmp")), Single_Result(dir, coffee, "bmp"));
}

TEST(CliBatch, WhatCannotWorkIsAUsageError) {
  TempDir dir;
  const std::string coffee = Sample_Path("coffee.png"), chelsea = Sample_Path("chelsea.png");
  const std::string folder = dir.File("out") + "/";
  const std::string twin = dir.File("coffee.jpg");
  Write_File_Bytes(twin, "");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{coffee, chelsea, "-o", dir.File("x.png")}, "with several photos -o names a folder: end it with /"},
      {{coffee, twin, "-o", folder},
       coffee + " and " + twin + " would both be written to " + folder + "coffee.png"},
      {{twin, "-o", dir.Path(), "--format", "jpg"},
       twin + " would be written over by its own result; choose another -o folder"},
      {{coffee, "-o", dir.File("x.png"), "--format", "png"},
       "--format is for -o FOLDER/; -o FILE takes its format from its extension"},
      {{coffee, "-o", folder, "--format", "webp"}, "--format takes png, jpg, bmp, tif or gif"},
      {{coffee, "-o", folder, "--jobs", "0"}, "--jobs takes a whole number from 1 to 64"},
      {{coffee, "-o", folder, "--jobs", "65"}, "--jobs takes a whole number from 1 to 64"},
      {{coffee, chelsea, "-o", folder, "--rgl", dir.File("a.rgl")},
       "--rgl names one file and takes one photo, not several"},
      {{coffee, chelsea, "-o", folder, "--save-steps", dir.File("s")},
       "--save-steps names one file and takes one photo, not several"},
      {{coffee, chelsea, "-o", folder, "--psd", dir.File("a.psd")},
       "--psd names one file and takes one photo, not several"},
  };
  for (const auto& [words, problem] : cases) {
    std::vector<std::string> args = {"separate"};
    args.insert(args.end(), words.begin(), words.end());
    const CliRun run = Run_Quorlin(args);
    EXPECT_EQ(run.exitCode, 2) << problem;
    EXPECT_EQ(run.err, "quorlin separate: " + problem + "\n" + kUsage);
  }
  EXPECT_FALSE(File_Exists(folder));
  EXPECT_EQ(Read_File_Bytes(twin), "");
}

}  // namespace
