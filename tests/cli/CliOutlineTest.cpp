// End-to-end runs of `quorlin outline` and of `quorlin separate --outline`:
// the written pictures are the ones the outline dialog paints in this
// process, every option takes effect, the JSON summaries tell the chains and
// the outline's time, and bad options are usage errors.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/RegionEditorApp.h"
#include "cli/CliOutlineOptions.h"
#include "render/ImageFiles.h"
#include "render/ImageSizeController.h"
#include "separation/SeparationDialogController.h"
#include "support/TestSupport.h"

namespace {

const char* const kOutlineUsage =
    "usage: quorlin outline PHOTO -o OUT [--size N|WxH] [--style STYLE] [--detail N] [--lines N] [--scale F] "
    "[--min-length N] [--smooth N] [--nudge N] [--no-connect] [--seed S] [--json]\n";
const char* const kStyles =
    "Pencil Lite, Pencil Medium, Pencil Heavy, Charcoal Lite, Charcoal Medium, Charcoal Heavy, Ink Fine, Ink "
    "Medium";

// The application after loading `photo` (at `width` x `height` when given)
// and running the outline dialog with `options`.
std::unique_ptr<RegionEditorApp> Outline_In_Process(TestPlatform& platform, const std::string& photo,
                                                    const CliOutlineOptions& options, uint32_t seed,
                                                    CliOutlineReport& report, int width = -1,
                                                    int height = -1) {
  auto app = std::make_unique<RegionEditorApp>(platform.Get());
  Load_Photo_At_Working_Size(app->Get_RenderMan(), photo, width, height);
  app->Get_Document().sourcePhotoPath = photo;
  EXPECT_TRUE(Run_Outline_Dialog(*app, options, seed, report));
  return app;
}

CliRun Run_Outline(std::vector<std::string> args) {
  args.insert(args.begin(), "outline");
  return Run_Quorlin(args);
}

TEST(CliOutline, WritesTheOutlineTheDialogPaints) {
  TempDir dir;
  TestPlatform platform;
  const std::string photo = Sample_Path("coffee.png");
  CliRun run = Run_Outline({photo, "-o", dir.File("outline.png"), "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.err;

  CliOutlineOptions options;
  options.wanted = true;
  CliOutlineReport report;
  std::unique_ptr<RegionEditorApp> app = Outline_In_Process(platform, photo, options, 1, report);
  const OffMap& outline = *app->Get_RenderMan().Get_Outline_Map();
  EXPECT_EQ(Differing_Pixels(platform, dir.File("outline.png"), outline), 0);
  ASSERT_GT(report.chains, 0);
  const std::string prefix = "{\"width\":400,\"height\":266,\"style\":\"Pencil Medium\",\"chains\":" +
                             std::to_string(report.chains) + ",\"ms\":{\"outline\":";
  EXPECT_EQ(run.out.rfind(prefix, 0), 0u) << run.out;
  EXPECT_EQ(run.out.substr(run.out.size() - 3), "}}\n");
  EXPECT_EQ(run.err, "");

  run = Run_Outline({photo, "-o", dir.File("outline.bmp")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "wrote " + dir.File("outline.bmp") + " (400 x 266, " + std::to_string(report.chains) +
                         " lines in Pencil Medium)\n");
  EXPECT_EQ(Differing_Pixels(platform, dir.File("outline.bmp"), outline), 0);
}

TEST(CliOutline, EveryOptionTakesEffect) {
  TempDir dir;
  TestPlatform platform;
  const std::string photo = Sample_Path("chelsea.png");
  const CliRun plain = Run_Outline({photo, "-o", dir.File("plain.png")});
  ASSERT_EQ(plain.exitCode, 0) << plain.err;
  const CliRun run = Run_Outline({photo,
                                  "-o",
                                  dir.File("all.png"),
                                  "--size",
                                  "300x200",
                                  "--style",
                                  "ink FINE",
                                  "--detail",
                                  "20",
                                  "--lines",
                                  "100",
                                  "--scale",
                                  "0.5",
                                  "--min-length",
                                  "30",
                                  "--smooth",
                                  "5",
                                  "--nudge",
                                  "4",
                                  "--seed",
                                  "7",
                                  "--no-connect"});
  ASSERT_EQ(run.exitCode, 0) << run.err;

  CliOutlineOptions options;
  options.wanted = true;
  options.style = "Ink Fine";
  options.detail = 20;
  options.lines = 100;
  options.scale = 0.5;
  options.minLength = 30;
  options.smooth = 5;
  options.nudge = 4;
  options.noConnect = true;
  CliOutlineReport report;
  std::unique_ptr<RegionEditorApp> app = Outline_In_Process(platform, photo, options, 7, report, 300, 200);
  const RenderMan& rm = app->Get_RenderMan();
  EXPECT_EQ(Differing_Pixels(platform, dir.File("all.png"), *rm.Get_Outline_Map()), 0);
  EXPECT_EQ(rm.Get_Outline_Style(), 2);
  const OutlineDetectParms& parms = app->Get_Settings().outlineDetectParms;
  EXPECT_EQ(parms.detail, 20);
  EXPECT_EQ(parms.lineCount, 100);
  EXPECT_DOUBLE_EQ(parms.scale, 0.5);
  EXPECT_EQ(parms.minLineLength, 30);
  EXPECT_EQ(parms.smoothWindow, 5);
  EXPECT_EQ(parms.randomNudge, 4);
  EXPECT_FALSE(parms.connectShortLines);
  EXPECT_EQ(parms.lineStyle, 6);
  EXPECT_EQ(run.out, "wrote " + dir.File("all.png") + " (300 x 200, " + std::to_string(report.chains) +
                         " lines in Ink Fine)\n");

  // Each option alone changes the picture.
  std::string defaults = Read_File_Bytes(dir.File("plain.png"));
  const std::vector<std::vector<std::string>> single = {
      {"--style", "Charcoal Heavy"}, {"--detail", "30"}, {"--lines", "60"}, {"--scale", "0.7"},
      {"--min-length", "40"},        {"--smooth", "8"},  {"--nudge", "6"},  {"--no-connect"}};
  for (const std::vector<std::string>& option : single) {
    std::vector<std::string> args = {photo, "-o", dir.File("one.png")};
    args.insert(args.end(), option.begin(), option.end());
    const CliRun one = Run_Outline(args);
    ASSERT_EQ(one.exitCode, 0) << one.err;
    EXPECT_NE(Read_File_Bytes(dir.File("one.png")), defaults) << option.front();
  }
}

TEST(CliOutline, BadOptionsAreUsageErrors) {
  const std::string photo = Sample_Path("coffee.png");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, "one PHOTO is needed"},
      {{photo}, "-o OUT is needed"},
      {{photo, "-o", "x.png", "--style", "Crayon"},
       std::string("--style: \"Crayon\" is not a line style; the styles are ") + kStyles},
      {{photo, "-o", "x.png", "--style"}, "option --style needs a value"},
      {{photo, "-o", "x.png", "--detail", "101"}, "--detail takes a whole number from 0 to 100"},
      {{photo, "-o", "x.png", "--lines", "255"}, "--lines takes a whole number from 0 to 254"},
      {{photo, "-o", "x.png", "--lines", "many"}, "--lines takes a whole number from 0 to 254"},
      {{photo, "-o", "x.png", "--scale", "0.05"}, "--scale takes a number from 0.1 to 2"},
      {{photo, "-o", "x.png", "--scale", "2.5"}, "--scale takes a number from 0.1 to 2"},
      {{photo, "-o", "x.png", "--min-length", "3"}, "--min-length takes a whole number from 4 to 100"},
      {{photo, "-o", "x.png", "--smooth", "17"}, "--smooth takes a whole number from 0 to 16"},
      {{photo, "-o", "x.png", "--nudge", "51"}, "--nudge takes a whole number from 0 to 50"},
      {{photo, "-o", "x.png", "--seed", "-1"}, "--seed takes a whole number from 0 to 4294967295"},
      {{photo, "-o", "x.png", "--size", "99x300"},
       "Only enter DIMENSIONS that are between 100 and 500 pixels.\n"
       "quorlin: the working size is 100 to 500 pixels a side; use --size"},
      {{photo, "-o", "x.png", "--no-connect=yes"}, "option --no-connect takes no value"},
      {{photo, "-o", "x.png", "--outline-detail", "5"}, "unknown option --outline-detail"},
  };
  for (const auto& [args, problem] : cases) {
    const CliRun run = Run_Outline(args);
    EXPECT_EQ(run.exitCode, 2) << problem;
    EXPECT_EQ(run.err, "quorlin outline: " + problem + "\n" + kOutlineUsage);
    EXPECT_EQ(run.out, "");
  }
  const CliRun help = Run_Outline({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out.rfind(std::string(kOutlineUsage).substr(0, 30), 0), 0u);
  EXPECT_NE(help.out.find(kStyles), std::string::npos);
}

TEST(CliOutline, FailuresExitWithOneAndTheProgramsText) {
  TempDir dir;
  TestPlatform platform;
  CliRun run = Run_Outline({Sample_Path("coffee.png"), "-o", dir.File("outline.xyz")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err.substr(0, run.err.find("quorlin: ")),
            "Only use following FILE EXTENSIONS for the Image's NAME: \n  .bmp  .tif  .jpg  .gif  .png\n");

  // A photo without a single line.
  std::unique_ptr<PlatformImage> white = platform.Get().Codec().Create_Image();
  ASSERT_TRUE(white->Create(200, 150, 24));
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < 200; ++x) white->Set_Pixel_RGB(x, y, 255, 255, 255);
  ASSERT_EQ(white->Save(dir.File("white.png")), 0);
  run = Run_Outline({dir.File("white.png"), "-o", dir.File("outline.png")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err,
            "OutlineDetector::Detect_PixelChains_from_OffMap FAILED,  could not detect one PixelChain.\n");
  EXPECT_FALSE(File_Exists(dir.File("outline.png")));
}

// ---- separate --outline ------------------------------------------------------------------------

TEST(CliSeparateOutline, TheOutlineIsMergedIntoTheLayeredImageAndCounted) {
  TempDir dir;
  TestPlatform platform;
  const std::string photo = Sample_Path("coffee.png");
  const CliRun plain = Run_Quorlin({"separate", photo, "-o", dir.File("plain.png"), "--json"});
  ASSERT_EQ(plain.exitCode, 0) << plain.err;
  const CliRun run = Run_Quorlin({"separate", photo, "-o", dir.File("outlined.png"), "--outline",
                                  "charcoal lite", "--outline-min-length", "20", "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(Read_File_Bytes(dir.File("plain.png")), Read_File_Bytes(dir.File("outlined.png")));

  // The same in this process: the outline dialog, then the separations.
  CliOutlineOptions options;
  options.wanted = true;
  options.style = "Charcoal Lite";
  options.minLength = 20;
  CliOutlineReport report;
  std::unique_ptr<RegionEditorApp> app = Outline_In_Process(platform, photo, options, 1, report);
  std::string err;
  ASSERT_TRUE(Adjust_Detection_Settings_for_Upcoming_DetectionDialog(app->Get_Settings(),
                                                                     app->Get_RegionList(), 0, err))
      << err;
  {
    SeparationSession session(app->Separation_Context());
    ASSERT_TRUE(session.Controller().OnInitDialog());
    ASSERT_TRUE(session.Controller().On_Preview_All_Seps());
    ASSERT_TRUE(session.Controller().On_Close());
  }
  EXPECT_EQ(Differing_Pixels(platform, dir.File("outlined.png"), *app->Get_RenderMan().Get_Layered_Map()), 0);
  EXPECT_EQ(app->Get_RenderMan().Get_Outline_Style(), 0);

  const std::string chains = ",\"chains\":" + std::to_string(report.chains) + ",\"ms\":{";
  EXPECT_NE(run.out.find(chains), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"outline\":"), std::string::npos) << run.out;
  EXPECT_NE(plain.out.find(",\"chains\":0,\"ms\":{"), std::string::npos) << plain.out;
  EXPECT_EQ(plain.out.find("\"outline\":"), std::string::npos) << plain.out;
}

TEST(CliSeparateOutline, OutlineOptionsNeedALineStyle) {
  const std::string photo = Sample_Path("coffee.png");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--outline-detail", "20"}, "--outline-detail needs --outline STYLE"},
      {{"--no-connect"}, "--no-connect needs --outline STYLE"},
      {{"--outline-scale", "0.5"}, "--outline-scale needs --outline STYLE"},
      {{"--outline", "Felt Tip"},
       std::string("--outline: \"Felt Tip\" is not a line style; the styles are ") + kStyles},
      {{"--outline", "Ink Medium", "--outline-nudge", "60"},
       "--outline-nudge takes a whole number from 0 to 50"},
      {{"--outline", "Ink Medium", "--outline-scale", "3"}, "--outline-scale takes a number from 0.1 to 2"},
  };
  for (const auto& [options, problem] : cases) {
    std::vector<std::string> words = {"separate", photo, "-o", "x.png"};
    words.insert(words.end(), options.begin(), options.end());
    const CliRun run = Run_Quorlin(words);
    EXPECT_EQ(run.exitCode, 2) << problem;
    EXPECT_EQ(run.err.rfind("quorlin separate: " + problem + "\nusage: quorlin separate PHOTO", 0), 0u)
        << run.err;
  }
}

}  // namespace
