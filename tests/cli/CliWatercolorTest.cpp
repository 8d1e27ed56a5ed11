#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "filters/WatercolorParms.h"
#include "regions/RegionMaps.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"
#include "support/TestSupport.h"

namespace {

const char* const kUsage =
    "usage: quorlin watercolor PHOTO -o OUT [--dark P] [--lite P] [--sat P] [--json]\n";

// The pre-processed map the engine makes of a photo in this process, with
// the variant the photo calls for.
std::unique_ptr<OffMap> Expected_Watercolor(TestPlatform& platform, const std::string& photo,
                                            const WatercolorParms& parms) {
  RenderMan renderMan(platform.Get());
  Load_Photo_At_Working_Size(renderMan, photo);
  std::string err;
  const bool ok = renderMan.Is_Greyscale_Photo()
                      ? renderMan.WatercolorFilter_For_Separations_Grey_24bit(parms, err)
                      : renderMan.WatercolorFilter_For_Separations(parms, err);
  EXPECT_TRUE(ok) << err;
  return Copy_Of_Map(*renderMan.Get_Filtered_Map());
}

TEST(CliWatercolor, StartValuesAndSliderPositions) {
  TempDir dir;
  TestPlatform platform;
  const std::string photo = Sample_Path("coffee.png");

  CliRun run = Run_Quorlin({"watercolor", photo, "-o", dir.File("start.png")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "wrote " + dir.File("start.png") + " (400 x 266)\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(Differing_Pixels(platform, dir.File("start.png"),
                             *Expected_Watercolor(platform, photo, WatercolorParms())),
            0);

  // Dark at the top, Lite at the top, Sat at the bottom: the brightest and
  // most saturated rendering the dialog can make.
  run = Run_Quorlin(
      {"watercolor", photo, "--dark", "0", "--lite", "0", "--sat", "100", "-o", dir.File("slid.bmp")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  WatercolorParms slid;
  slid.darkExponent = 75;
  slid.liteAmount = 100;
  slid.satExponent = 200;
  const std::unique_ptr<OffMap> expected = Expected_Watercolor(platform, photo, slid);
  EXPECT_EQ(Differing_Pixels(platform, dir.File("slid.bmp"), *expected), 0);
  EXPECT_GT(Differing_Pixels(platform, dir.File("start.png"), *expected), 0);

  // One slider alone leaves the others at their start values.
  run = Run_Quorlin({"watercolor", photo, "--sat", "35", "-o", dir.File("sat.png")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Differing_Pixels(platform, dir.File("sat.png"),
                             *Expected_Watercolor(platform, photo, WatercolorParms())),
            0);
}

TEST(CliWatercolor, GreyPhotosTakeTheGreyscaleVariant) {
  TempDir dir;
  TestPlatform platform;
  std::unique_ptr<PlatformImage> grey = platform.Get().Codec().Create_Image();
  ASSERT_TRUE(grey->Create(200, 150, 24));
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < 200; ++x) {
      const int v = (x * 7 + y * 3) % 256;
      grey->Set_Pixel_RGB(x, y, v, v, v);
    }
  ASSERT_EQ(grey->Save(dir.File("grey.png")), 0);

  const CliRun run =
      Run_Quorlin({"watercolor", dir.File("grey.png"), "--lite", "80", "-o", dir.File("out.png")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  WatercolorParms parms;
  parms.liteAmount = 20;
  const std::unique_ptr<OffMap> expected = Expected_Watercolor(platform, dir.File("grey.png"), parms);
  EXPECT_EQ(Differing_Pixels(platform, dir.File("out.png"), *expected), 0);
  // The colour variant would have brightened the greys instead.
  RenderMan renderMan(platform.Get());
  std::string err;
  bool fileProblem = false;
  ASSERT_TRUE(
      Load_Bitmap_File_as_SRC(err, renderMan, dir.File("grey.png"), -1, -1, kWorkingMaxSide, fileProblem));
  ASSERT_TRUE(renderMan.WatercolorFilter_For_Separations(parms, err)) << err;
  EXPECT_GT(Differing_Pixels(platform, dir.File("out.png"), *renderMan.Get_Filtered_Map()), 0);
}

TEST(CliWatercolor, UsageAndFailures) {
  TempDir dir;
  const std::string photo = Sample_Path("coffee.png");
  CliRun run = Run_Quorlin({"watercolor", photo});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err, std::string("quorlin watercolor: -o OUT is needed\n") + kUsage);

  run = Run_Quorlin({"watercolor", "-o", dir.File("x.png")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err, std::string("quorlin watercolor: one PHOTO is needed\n") + kUsage);

  for (const char* bad : {"101", "-1", "50%", ""}) {
    run = Run_Quorlin({"watercolor", photo, "--dark", bad, "-o", dir.File("x.png")});
    EXPECT_EQ(run.exitCode, 2) << bad;
    EXPECT_EQ(run.err,
              std::string("quorlin watercolor: --dark takes a whole number from 0 to 100\n") + kUsage);
  }
  run = Run_Quorlin({"watercolor", photo, "--sat", "200", "-o", dir.File("x.png")});
  EXPECT_EQ(run.err, std::string("quorlin watercolor: --sat takes a whole number from 0 to 100\n") + kUsage);

  // A name the encoder cannot take is refused before the photo is read.
  run = Run_Quorlin({"watercolor", dir.File("absent.png"), "-o", dir.File("x.webp")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err.substr(0, run.err.find("quorlin: ")),
            "Only use following FILE EXTENSIONS for the Image's NAME: \n  .bmp  .tif  .jpg  .gif  .png\n");
  run = Run_Quorlin({"watercolor", dir.File("absent.png"), "-o", dir.File("x.png")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "CImage::Load failed ( Load_Bitmap_File_as_SRC )\nquorlin: " + dir.File("absent.png") +
                         ": no such file\n");
  EXPECT_FALSE(File_Exists(dir.File("x.png")));

  run = Run_Quorlin({"watercolor", "--help"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out.rfind(kUsage, 0), 0u);
  EXPECT_EQ(run.err, "");
}

}  // namespace
