// Print-size rendering: the layer stack's invariant (its layers composed
// give its composite), the print reduced back to the working size against
// the working layered image of both samples, smooth region edges, the
// resampler, the size limits with their texts, and `--print` end to end.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ExportTestSupport.h"
#include "app/RegionEditorApp.h"
#include "cli/CliOutlineOptions.h"
#include "cli/CliPrint.h"
#include "export/ExportSource.h"
#include "export/PrintRender.h"
#include "regions/RegionListFixtures.h"
#include "render/ImageFiles.h"
#include "separation/SeparationDialogController.h"
#include "support/TestSupport.h"

namespace {

// `quorlin separate PHOTO` as the command drives the dialogs, with a
// "Pencil Medium" outline when asked.
struct Job {
  TestPlatform platform;
  std::unique_ptr<RegionEditorApp> app;
  bool outline = false;
  ListMemry<PixelChain> drawn;  // the chains as the outline dialog painted them

  ExportSource Source() {
    return ExportSource{app->Get_RegionList(), app->Get_RenderMan(), outline ? &drawn : nullptr,
                        app->Get_Document().sourcePhotoPath, platform.Get()};
  }
  std::vector<uint8_t> Working() const { return Map_Bytes(*app->Get_RenderMan().Get_Layered_Map()); }
  int32_t Width() const { return app->Get_RenderMan().Get_Layered_Map()->Get_Width(); }
  int32_t Height() const { return app->Get_RenderMan().Get_Layered_Map()->Get_Height(); }
};

// The jobs are made once for the whole program: each takes a separation.
Job& Sample_Job(const std::string& photo, bool outline) {
  static std::map<std::string, std::unique_ptr<Job>> jobs;
  std::unique_ptr<Job>& job = jobs[photo + (outline ? "+outline" : "")];
  if (job) return *job;
  job = std::make_unique<Job>();
  job->outline = outline;
  job->app = std::make_unique<RegionEditorApp>(job->platform.Get(), QUORLIN_TEXTURE_DIR);
  RegionEditorApp& app = *job->app;
  std::string err;
  bool fileProblem = false;
  EXPECT_TRUE(Load_Bitmap_File_as_SRC(err, app.Get_RenderMan(), Sample_Path(photo), -1, -1, kWorkingMaxSide,
                                      fileProblem));
  EXPECT_TRUE(Adjust_Detection_Settings_for_Upcoming_DetectionDialog(app.Get_Settings(), app.Get_RegionList(),
                                                                     0, err));
  app.Get_Document().sourcePhotoPath = Sample_Path(photo);
  SeparationSession session(app.Separation_Context());
  SeparationDialogController& dialog = session.Controller();
  EXPECT_TRUE(dialog.OnInitDialog());
  CliOutlineReport report;
  if (outline) {
    CliOutlineOptions options;
    options.wanted = true;
    Connect_Outline_Editor(dialog, app, options, 1, report);
    EXPECT_TRUE(dialog.On_Outline_Editor() && report.saved);
  }
  EXPECT_TRUE(dialog.On_Preview_All_Seps() && dialog.On_Close());
  EXPECT_TRUE(Copy_Drawn_Chains(app, job->drawn, err)) << err;
  return *job;
}

double Psnr(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  double sum = 0;
  for (size_t i = 0; i < a.size(); ++i) sum += (a[i] - b[i]) * (a[i] - b[i]);
  return sum == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 * static_cast<double>(a.size()) / sum);
}

TEST(PrintRender, LayersComposeToTheCompositeWhateverTheThreads) {
  Job& job = Sample_Job("coffee.png", true);
  const ExportSource source = job.Source();
  LayerStack stack;
  std::string err;
  ASSERT_TRUE(Build_Print_Layer_Stack(source, 1203, 801, true, stack, err, 1)) << err;
  EXPECT_EQ(stack.regions.size(), static_cast<size_t>(job.app->Get_RegionList().Get_Region_Count()));
  ASSERT_EQ(stack.outlineGrey.size(), 1203u * 801u);
  EXPECT_EQ(stack.photo.size(), 1203u * 801u * 3);
  int64_t outlined = 0;
  for (uint8_t grey : stack.outlineGrey) outlined += grey < 255;
  EXPECT_GT(outlined, 1000);
  for (const ExportLayer& layer : stack.regions) {
    EXPECT_TRUE(layer.left >= 0 && layer.top >= 0 && layer.left + layer.width <= 1203 &&
                layer.top + layer.height <= 801)
        << layer.name;
    EXPECT_EQ(layer.rgba.size(), static_cast<size_t>(layer.width) * static_cast<size_t>(layer.height) * 4);
  }
  std::vector<uint8_t> composed = Compose_Region_Layers(stack);
  Burn_Outline(stack, composed);
  EXPECT_TRUE(composed == stack.composite);

  for (int threads : {2, 3, 7}) {
    LayerStack other;
    ASSERT_TRUE(Build_Print_Layer_Stack(source, 1203, 801, false, other, err, threads)) << err;
    EXPECT_TRUE(other.composite == stack.composite) << threads << " threads";
    EXPECT_TRUE(other.regions.empty() && other.outlineGrey.empty() && other.photo.empty());
  }
}

// At the working size regions land on their own pixels at full coverage,
// and an outline picture is sampled where the working merge samples it.
TEST(PrintRender, AtTheWorkingSizeItIsTheWorkingImage) {
  for (const char* photo : {"coffee.png", "chelsea.png"}) {
    for (bool outline : {false, true}) {
      Job& job = Sample_Job(photo, outline);
      ExportSource source = job.Source();
      source.chains = nullptr;
      LayerStack stack;
      std::string err;
      ASSERT_TRUE(Build_Print_Layer_Stack(source, job.Width(), job.Height(), false, stack, err)) << err;
      EXPECT_TRUE(stack.composite == job.Working()) << photo << (outline ? " with outline" : "");
    }
  }
}

// The print reduced back (area mean) to the working size against the
// working image.  The floors are a little under what was measured at 4x
// (coffee 50.9 dB, chelsea 52.7 dB plain; 30.4 and 30.1 dB with the pencil
// outline redrawn from its chains, whose strokes are drawn anew rather than
// copied; 39.8 and 38.8 dB with the outline picture enlarged).
TEST(PrintRender, ThePrintReducedBackMatchesTheWorkingImage) {
  struct Case {
    const char* photo;
    bool outline;
    bool chains;
    double floor;
  };
  for (const Case& c : {Case{"coffee.png", false, false, 49.5}, Case{"chelsea.png", false, false, 51.0},
                        Case{"coffee.png", true, true, 29.5}, Case{"chelsea.png", true, true, 29.0},
                        Case{"coffee.png", true, false, 38.5}, Case{"chelsea.png", true, false, 37.5}}) {
    Job& job = Sample_Job(c.photo, c.outline);
    ExportSource source = job.Source();
    if (!c.chains) source.chains = nullptr;
    LayerStack stack;
    std::string err;
    ASSERT_TRUE(Build_Print_Layer_Stack(source, job.Width() * 4, job.Height() * 4, false, stack, err)) << err;
    const std::vector<uint8_t> back =
        Resample_RGB(stack.composite, stack.width, stack.height, job.Width(), job.Height());
    const double psnr = Psnr(back, job.Working());
    EXPECT_GE(psnr, c.floor) << c.photo
                             << (c.outline ? (c.chains ? " with chains" : " with outline picture") : "");
  }
}

// A triangle below the diagonal of a 16 x 16 region at 8 x: along its
// slanted edge coverage passes through intermediate values, and along any
// print row it rises within about one print pixel, never in an 8-pixel step.
TEST(PrintRender, RegionEdgesAreSmoothAtEightTimes) {
  TestPlatform platform;
  RegionEditorApp app(platform.Get());
  ASSERT_TRUE(app.Get_RenderMan().Create_Layered_Map(32, 32));
  regionlist_test::BlockSpec shape;
  shape.x = 8;
  shape.y = 8;
  shape.width = shape.height = 16;
  RegionSubject* region = regionlist_test::Add_Block(app.Get_RegionList(), shape);
  ASSERT_NE(region, nullptr);
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = y + 1; x < 16; ++x) region->Get_Region_Map()->Set_Pixel(x, y, 255, 255, 255);
  // A one-pixel line does not vanish.
  regionlist_test::BlockSpec line = shape;
  line.x = 2;
  line.y = 0;
  line.width = 1;
  line.height = 32;
  ASSERT_NE(regionlist_test::Add_Block(app.Get_RegionList(), line), nullptr);

  const ExportSource source{app.Get_RegionList(), app.Get_RenderMan(), nullptr, "", platform.Get()};
  LayerStack stack;
  std::string err;
  ASSERT_TRUE(Build_Print_Layer_Stack(source, 256, 256, true, stack, err)) << err;
  ASSERT_EQ(stack.regions.size(), 2u);
  const ExportLayer& triangle = stack.regions[0];
  auto coverage = [&](const ExportLayer& layer, int32_t x, int32_t y) {
    return layer.rgba[(static_cast<size_t>(y - layer.top) * static_cast<size_t>(layer.width) +
                       static_cast<size_t>(x - layer.left)) *
                          4 +
                      3];
  };
  int partial = 0;
  for (int32_t y = 72; y < 184; ++y) {
    int32_t first = -1, full = -1;
    for (int32_t x = 64; x < 192; ++x) {
      const int c = coverage(triangle, x, y);
      partial += c > 0 && c < 255;
      if (c > 0 && first < 0) first = x;
      if (c == 255 && full < 0) full = x;
    }
    ASSERT_GE(first, 0) << "row " << y;
    EXPECT_LE(full - first, 2) << "row " << y;
  }
  EXPECT_GT(partial, 100);
  // The edge's left end moves along the rows by about one pixel a row,
  // not eight at a time.
  for (int32_t y = 80; y < 176; ++y) {
    int32_t a = 0, b = 0;
    while (coverage(triangle, 64 + a, y) == 0) ++a;
    while (coverage(triangle, 64 + b, y + 1) == 0) ++b;
    EXPECT_LE(std::abs(a - b), 2) << "rows " << y << ", " << y + 1;
  }
  const ExportLayer& thin = stack.regions[1];
  int widest = 0;
  for (int32_t x = thin.left; x < thin.left + thin.width; ++x) widest += coverage(thin, x, 128) >= 128;
  EXPECT_EQ(widest, 8);
}

TEST(PrintRender, ResamplesByAreaDownAndBilinearlyUp) {
  const std::vector<uint8_t> block = {0, 0, 0, 255, 255, 255, 100, 100, 100, 1, 1, 1};  // 2 x 2
  EXPECT_EQ(Resample_RGB(block, 2, 2, 1, 1), (std::vector<uint8_t>{89, 89, 89}));
  EXPECT_EQ(Resample_RGB(block, 2, 2, 2, 2), block);
  const std::vector<uint8_t> row = {0, 0, 0, 200, 200, 200};  // 2 x 1
  EXPECT_EQ(Resample_RGB(row, 2, 1, 4, 1),
            (std::vector<uint8_t>{0, 0, 0, 50, 50, 50, 150, 150, 150, 200, 200, 200}));
}

TEST(PrintRender, SizesBeyondTheLimitsAreRefused) {
  std::string err;
  EXPECT_FALSE(Check_Print_Pixels(10001, 10000, err));
  EXPECT_EQ(err,
            "the print size 10001 x 10000 is 100010000 pixels; the picture codec takes at most 100000000");
  EXPECT_TRUE(Check_Print_Pixels(10000, 10000, err));
  EXPECT_FALSE(Check_Print_Size(601, 400, PrintSizeLimit{600, 400, true}, err));
  EXPECT_EQ(err, "the print size 601 x 400 is larger than the photo's own size, 600 x 400");
  EXPECT_FALSE(Check_Print_Size(100, 4001, PrintSizeLimit{4000, 2664, false}, err));
  EXPECT_EQ(err, "the print size 100 x 4001 is larger than 8 x the working size, 4000 x 2664");
  EXPECT_TRUE(Check_Print_Size(600, 400, PrintSizeLimit{600, 400, true}, err));

  Job& job = Sample_Job("coffee.png", false);
  LayerStack stack;
  EXPECT_FALSE(Build_Print_Layer_Stack(job.Source(), 20000, 20000, false, stack, err));
  EXPECT_EQ(err,
            "the print size 20000 x 20000 is 400000000 pixels; the picture codec takes at most 100000000");
  EXPECT_TRUE(stack.composite.empty());
  PrintSizeLimit limit;
  ASSERT_TRUE(Print_Size_Limit(job.Source(), limit, err)) << err;
  EXPECT_EQ(limit.width, 600);
  EXPECT_EQ(limit.height, 400);
  EXPECT_TRUE(limit.fromPhoto);
}

TEST(PrintRender, QuorlinWritesThePrintAndRefusesTooLargeSizes) {
  TempDir dir;
  TestPlatform platform;
  const std::string photo = dir.File("coffee.png"), out = dir.File("print.png"),
                    list = dir.File("coffee.rgl");
  std::filesystem::copy_file(Sample_Path("coffee.png"), photo);
  CliRun run = Run_Quorlin({"separate", photo, "-o", out, "--rgl", list, "--print", "full"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "wrote " + out + " (600 x 400 print size of the 400 x 266 working size, 18 regions)\n");
  std::unique_ptr<PlatformImage> image = platform.Get().Codec().Create_Image();
  ASSERT_GE(image->Load(out), 0);
  EXPECT_EQ(image->Get_Width(), 600);
  EXPECT_EQ(image->Get_Height(), 400);

  run = Run_Quorlin({"separate", photo, "-o", out, "--print", "601x400"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(
      run.err,
      "quorlin separate: --print: the print size 601 x 400 is larger than the photo's own size, 600 x 400\n");
  run = Run_Quorlin({"separate", photo, "-o", out, "--print", "20000x5001"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(
      run.err.substr(0, run.err.find('\n')),
      "quorlin separate: --print: the print size 20000 x 5001 is 100020000 pixels; the picture codec takes "
      "at most 100000000");
  run = Run_Quorlin({"render", list, "-o", out, "--print", "600x401"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(
      run.err,
      "quorlin render: --print: the print size 600 x 401 is larger than the photo's own size, 600 x 400\n");

  // Without its photo a list prints up to 8 x its working size.
  std::filesystem::remove(photo);
  run = Run_Quorlin({"render", list, "-o", out, "--no-photo", "--print", "3200x2128"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "wrote " + out +
                         " (3200 x 2128 print size of the 400 x 266 working size, 18 regions, no photo)\n");
  ASSERT_GE(image->Load(out), 0);
  EXPECT_EQ(image->Get_Width(), 3200);
  run = Run_Quorlin({"render", list, "-o", out, "--no-photo", "--print", "3201x100"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(
      run.err.find("quorlin render: --print: the print size 3201 x 100 is larger than 8 x the working size, "
                   "3200 x 2128\n"),
      std::string::npos)
      << run.err;
}

}  // namespace
