// End-to-end runs of the region list commands: `separate --rgl` followed by
// `render` gives back the layered image pixel for pixel; an outline comes
// back with the greys its coding keeps; a moved photo is browsed for,
// declined or reported; rgl-info prints the header as stored; bad input
// ends in the program's texts.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/RegionEditorApp.h"
#include "persistence/RegionListBytes.h"
#include "persistence/RegionListFileCommands.h"
#include "raster/OffMap.h"
#include "regions/RegionListFixtures.h"
#include "render/ImageFiles.h"
#include "support/TestSupport.h"

namespace {

const char* const kRenderUsage =
    "usage: quorlin render LIST.rgl -o OUT [--photo PATH] [--no-photo] [--no-later-version] [--print "
    "WxH|full] "
    "[--psd FILE] [--svg FILE] [--layers DIR] [--json]\n";

using regionlist_test::Add_Block;
using regionlist_test::BlockSpec;

// The pixels of a picture file as a 24-bit map; null when it cannot be read.
std::unique_ptr<OffMap> Read_Picture(TestPlatform& platform, const std::string& path) {
  std::unique_ptr<PlatformImage> image = platform.Get().Codec().Create_Image();
  if (image->Load(path) < 0 || image->Is_Null()) return nullptr;
  auto map = std::make_unique<OffMap>(image->Get_Width(), image->Get_Height(), 24);
  for (int y = 0; y < image->Get_Height(); ++y)
    for (int x = 0; x < image->Get_Width(); ++x) {
      int r = 0, g = 0, b = 0;
      image->Get_Pixel_RGB(x, y, r, g, b);
      map->Set_Pixel(x, y, static_cast<int16_t>(r), static_cast<int16_t>(g), static_cast<int16_t>(b));
    }
  return map;
}

struct CliRegionListTest : ::testing::Test {
  TempDir dir;
  TestPlatform platform;

  // Writes a photo of width x height at `path`.
  void Write_Photo(const std::string& path, int width, int height) {
    std::unique_ptr<PlatformImage> image = platform.Get().Codec().Create_Image();
    image->Create(width, height, 24);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) image->Set_Pixel_RGB(x, y, 3 * x % 256, 2 * y, 90);
    ASSERT_EQ(image->Save(path), 0);
  }

  // A list of three blocks on a 60 x 40 canvas made from `photo`, saved as
  // `name`; the application stays for comparisons.
  std::string Save_Blocks(RegionEditorApp& app, const std::string& name, const std::string& photo) {
    std::string err;
    app.Get_RegionList().Replace_Canvas_Size(60, 40);
    app.Get_Document().sourcePhotoPath = photo;
    BlockSpec a;
    a.x = 2, a.y = 3, a.width = 20, a.height = 10;
    Add_Block(app.Get_RegionList(), a);
    BlockSpec b;
    b.x = 15, b.y = 8, b.width = 30, b.height = 25, b.r = 40, b.g = 160, b.b = 220;
    Add_Block(app.Get_RegionList(), b);
    BlockSpec c;
    c.x = 50, c.y = 30, c.width = 20, c.height = 20, c.r = 250, c.g = 240, c.b = 10;
    Add_Block(app.Get_RegionList(), c);
    const std::string path = dir.File(name);
    EXPECT_TRUE(RegionListFileCommands(app.List_File_Context()).Save_RegionList_To(path, err)) << err;
    return path;
  }
};

TEST_F(CliRegionListTest, SeparateThenRenderGivesTheSameLayeredImage) {
  const struct {
    const char* name;
    std::vector<std::string> extra;
  } runs[] = {
      {"plain", {}},
      {"textured",
       {"--textures", "mono", "--textures-dir", QUORLIN_TEXTURE_DIR, "--scramble", "40", "--seed", "3"}},
  };
  for (const auto& run : runs) {
    const std::string layered = dir.File(std::string(run.name) + ".png");
    const std::string list = dir.File(std::string(run.name) + ".rgl");
    std::vector<std::string> args = {"separate", Sample_Path("chelsea.png"), "-o", layered, "--rgl", list};
    args.insert(args.end(), run.extra.begin(), run.extra.end());
    const CliRun separate = Run_Quorlin(args);
    ASSERT_EQ(separate.exitCode, 0) << separate.err;

    const std::string rendered = dir.File(std::string(run.name) + "-rendered.png");
    const CliRun render = Run_Quorlin({"render", list, "-o", rendered});
    ASSERT_EQ(render.exitCode, 0) << render.err;
    EXPECT_EQ(render.err, "");
    EXPECT_NE(render.out.find("photo " + Sample_Path("chelsea.png")), std::string::npos) << render.out;
    const std::unique_ptr<OffMap> before = Read_Picture(platform, layered);
    const std::unique_ptr<OffMap> after = Read_Picture(platform, rendered);
    ASSERT_NE(before, nullptr);
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(Differing_Pixels(*before, *after), 0) << run.name;
  }
}

TEST_F(CliRegionListTest, AnOutlineComesBackWithTheGreysItsCodingKeeps) {
  const std::string photo = dir.File("photo.png");
  Write_Photo(photo, 60, 40);
  RegionEditorApp app(platform.Get());
  RenderMan& rm = app.Get_RenderMan();
  ASSERT_TRUE(rm.Create_Outline_Map(40, 60));
  // Every grey on a diagonal band: odd greys lose their lowest bit, greys
  // above 235 become white, black is kept as the darkest grey, 2.
  for (int32_t y = 0; y < 40; ++y)
    for (int32_t x = 0; x < 60; ++x) {
      const auto v = static_cast<int16_t>((x * 4 + y * 7) % 256);
      if ((x + y) % 3 == 0) rm.Get_Outline_Map()->Set_Pixel(x, y, v, v, v);
    }
  OffMap original(60, 40, 24);
  original.Assign_Copy(*rm.Get_Outline_Map());
  const std::string list = Save_Blocks(app, "outlined.rgl", photo);

  const std::string rendered = dir.File("rendered.png");
  const CliRun render = Run_Quorlin({"render", list, "-o", rendered});
  ASSERT_EQ(render.exitCode, 0) << render.err;
  const std::unique_ptr<OffMap> after = Read_Picture(platform, rendered);
  ASSERT_NE(after, nullptr);

  // The image with the outline as drawn, and with the outline as coded.
  const auto compose = [&](const std::function<int16_t(int16_t)>& grey) {
    rm.Set_Outline_Map(std::make_unique<OffMap>(60, 40, 8));
    for (int32_t y = 0; y < 40; ++y)
      for (int32_t x = 0; x < 60; ++x) {
        int16_t v = 0, g = 0, b = 0;
        original.Get_Pixel(x, y, v, g, b);
        rm.Get_Outline_Map()->Set_Pixel(x, y, grey(v), 0, 0);
      }
    EXPECT_TRUE(
        app.Get_Composer().Maybe_Alloc_Layers_Bitmap_for_RegionList(*std::make_unique<std::string>()));
    EXPECT_TRUE(app.Get_Composer().Redraw_Summed_Final_Window());
    auto layered = std::make_unique<OffMap>(60, 40, 24);
    layered->Assign_Copy(*rm.Get_Layered_Map());
    return layered;
  };
  const std::unique_ptr<OffMap> drawn = compose([](int16_t v) { return v; });
  const std::unique_ptr<OffMap> coded =
      compose([](int16_t v) { return static_cast<int16_t>(v > 235 ? 255 : 2 * std::max(1, v / 2)); });
  EXPECT_EQ(Differing_Pixels(*after, *coded), 0);
  EXPECT_GT(Differing_Pixels(*after, *drawn), 0);
  // Where the two differ, the coding moved the outline's grey.
  for (int32_t y = 0; y < 40; ++y)
    for (int32_t x = 0; x < 60; ++x) {
      int16_t r0 = 0, g0 = 0, b0 = 0, r1 = 0, g1 = 0, b1 = 0, v = 0;
      drawn->Get_Pixel(x, y, r0, g0, b0);
      after->Get_Pixel(x, y, r1, g1, b1);
      original.Get_Pixel(x * 60 / 61, y * 40 / 41, v, g0, b0);  // as the merge samples it
      if (r0 != r1) {
        EXPECT_TRUE(v % 2 == 1 || v == 0 || v > 235) << x << "," << y << " grey " << v;
      }
    }
}

TEST_F(CliRegionListTest, SeparateWithAnOutlineThenRenderDiffersOnlyUnderTheOutlinesStrokes) {
  const std::string layered = dir.File("outlined.png"), list = dir.File("outlined.rgl");
  const CliRun separate = Run_Quorlin(
      {"separate", Sample_Path("coffee.png"), "-o", layered, "--outline", "Pencil Medium", "--rgl", list});
  ASSERT_EQ(separate.exitCode, 0) << separate.err;
  const std::string rendered = dir.File("rendered.png");
  const CliRun render = Run_Quorlin({"render", list, "-o", rendered});
  ASSERT_EQ(render.exitCode, 0) << render.err;
  const std::unique_ptr<OffMap> before = Read_Picture(platform, layered);
  const std::unique_ptr<OffMap> after = Read_Picture(platform, rendered);
  ASSERT_NE(before, nullptr);
  ASSERT_NE(after, nullptr);

  // The outline as the file keeps it.  Where its grey is 230 or lighter the
  // merge leaves the picture alone, and so does every grey the coding can
  // have moved there (231 .. 235 and everything above 235): the two images
  // may differ only under darker strokes, where an odd grey lost its lowest
  // bit.
  RegionEditorApp app(platform.Get());
  const rglbytes::Loaded loaded = rglbytes::Load_Bytes(app, Read_File_Bytes(list));
  ASSERT_TRUE(loaded.ok) << loaded.err;
  ASSERT_NE(loaded.outline, nullptr);
  const OffMap& outline = *loaded.outline;
  const int32_t w = before->Get_Width(), h = before->Get_Height();
  int64_t differing = 0, stroked = 0;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      int16_t m = 0, g = 0, b = 0, r0 = 0, g0 = 0, b0 = 0, r1 = 0, g1 = 0, b1 = 0;
      // The merge spreads the outline over one column and one row more
      // than the canvas (its rectangle's right and bottom are inclusive).
      outline.Get_Pixel(x * outline.Get_Width() / (w + 1), y * outline.Get_Height() / (h + 1), m, g, b);
      before->Get_Pixel(x, y, r0, g0, b0);
      after->Get_Pixel(x, y, r1, g1, b1);
      if (m < 230) ++stroked;
      if (r0 == r1 && g0 == g1 && b0 == b1) continue;
      ++differing;
      EXPECT_LT(m, 230) << x << "," << y;
    }
  EXPECT_GT(stroked, 0);
  EXPECT_LT(differing, stroked);
}

TEST_F(CliRegionListTest, AMovedPhotoIsBrowsedForDeclinedOrReported) {
  std::filesystem::create_directory(dir.File("old"));
  std::filesystem::create_directory(dir.File("new"));
  Write_Photo(dir.File("old/photo.png"), 60, 40);
  Write_Photo(dir.File("new/photo.png"), 60, 40);
  Write_Photo(dir.File("new/other.png"), 60, 40);
  RegionEditorApp app(platform.Get());
  const std::string list = Save_Blocks(app, "moved.rgl", dir.File("old/photo.png"));
  std::filesystem::remove(dir.File("old/photo.png"));
  const std::string question =
      "The Source Photo for this RegionList is NOT in its previous folder. \nDid you want to BROWSE for  "
      "photo.png  "
      "in another folder?\n";
  const std::string yes = question + "quorlin render: answered Yes (--no-photo answers No)\n";
  const std::string no = question + "quorlin render: answered No (--photo PATH answers Yes, with PATH)\n";
  const std::string out = dir.File("out.png");

  CliRun run = Run_Quorlin({"render", list, "-o", out, "--photo", dir.File("new/photo.png")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, yes);
  EXPECT_EQ(run.out, "wrote " + out + " (60 x 40, 3 regions, photo " + dir.File("new/photo.png") + ")\n");

  run = Run_Quorlin({"render", list, "-o", out, "--photo", dir.File("new/other.png")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err,
            yes +
                "other.png  does not have the same name as the original file,  photo.png.  \nPick a file "
                "with the same name, or hit the Cancel button on the 'Open' dialog box.\n");
  EXPECT_EQ(run.out, "wrote " + out + " (60 x 40, 3 regions, no photo)\n");

  run = Run_Quorlin({"render", list, "-o", out, "--no-photo"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, no);
  EXPECT_EQ(run.out, "wrote " + out + " (60 x 40, 3 regions, no photo)\n");

  run = Run_Quorlin({"render", list, "-o", out});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, no + "quorlin render: the source photo is missing; the regions are loaded without it\n");

  // A named pipe where the photo was is no photo: it is never opened (that
  // would block), and the question is the moved photo's.
  ASSERT_EQ(::mkfifo(dir.File("old/photo.png").c_str(), 0644), 0);
  for (const char* photoOption : {"--no-photo", "--photo"}) {
    std::vector<std::string> args = {"render", list, "-o", out, photoOption};
    if (std::string(photoOption) == "--photo") args.push_back(dir.File("new/photo.png"));
    run = Run_Quorlin(args);
    EXPECT_EQ(run.exitCode, 0) << photoOption << run.err;
    EXPECT_EQ(run.err, std::string(photoOption) == "--photo" ? yes : no);
  }
  // The layered image is the same with the photo or without it.
  std::string err;
  ASSERT_TRUE(app.Get_Composer().Maybe_Alloc_Layers_Bitmap_for_RegionList(err)) << err;
  ASSERT_TRUE(app.Get_Composer().Redraw_Summed_Final_Window());
  const std::unique_ptr<OffMap> written = Read_Picture(platform, out);
  ASSERT_NE(written, nullptr);
  EXPECT_EQ(Differing_Pixels(*written, *app.Get_RenderMan().Get_Layered_Map()), 0);
}

TEST_F(CliRegionListTest, RglInfoPrintsTheHeaderAsStored) {
  RegionEditorApp app(platform.Get());
  app.Get_Settings().sepsDialogSettings.brushSize = 12;
  app.Get_Settings().sepsDialogSettings.outlineDarkness = 150;
  app.Get_RenderMan().Set_Outline_Style(2);
  app.Get_RenderMan().Create_Outline_Map(40, 60);
  const std::string list = Save_Blocks(app, "info.rgl", "/photos/a \"b\".png");

  CliRun run = Run_Quorlin({"rgl-info", list});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "file version:       3\n"
            "header version:     3\n"
            "project path:       NOprojectFILEnecessary2017 (a constant of the format)\n"
            "files bitmap mode:  1 (the bitmaps inside the list file)\n"
            "source photo:       /photos/a \"b\".png\n"
            "canvas:             60 x 40\n"
            "outline liteness:   0\n"
            "outline style:      2 (ink lines)\n"
            "outline contrast:   150\n"
            "brush size:         12\n"
            "watercolour dark:   20\n"
            "watercolour lite:   0\n"
            "watercolour sat:    70\n"
            "regions:            3\n"
            "outline:            yes\n"
            "row 1 paint:        Vermillion\n"
            "row 2 paint:        -\n"
            "row 3 paint:        -\n"
            "row 4 paint:        -\n"
            "row 5 paint:        -\n"
            "colour sets:        0 (Popular 15), 1 (Pop 15 w/Browns), 2 (Orange Alternates), 4 (Penta Cobalt "
            "Blue), 7 (Quad Vermillion), 13 (6 Synthetics), 14 (New Palette 1)\n");
  run = Run_Quorlin({"rgl-info", list, "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(
      run.out,
      "{\"fileVersion\":3,\"headerVersion\":3,\"projectPath\":\"NOprojectFILEnecessary2017\","
      "\"filesBitmapMode\":1,\"sourcePhotoPath\":\"/photos/a \\\"b\\\".png\",\"canvasWidth\":60,"
      "\"canvasHeight\":40,\"outlineLiteness\":0,\"outlineStyle\":2,\"outlineStyleName\":\"ink lines\","
      "\"outlineContrast\":150,\"brushSize\":12,\"watercolorDark\":20,\"watercolorLite\":0,\"watercolorSat\":"
      "70,"
      "\"regions\":3,\"outline\":true,\"rows\":[\"Vermillion\",null,null,null,null],\"colorSets\":[{"
      "\"index\":0,"
      "\"name\":\"Popular 15\"},{\"index\":1,\"name\":\"Pop 15 w/Browns\"},{\"index\":2,\"name\":\"Orange "
      "Alternates\"},{\"index\":4,\"name\":\"Penta Cobalt Blue\"},{\"index\":7,\"name\":\"Quad Vermillion\"},"
      "{\"index\":13,\"name\":\"6 Synthetics\"},{\"index\":14,\"name\":\"New Palette 1\"}]}\n");

  // Values a load would replace are shown as the file has them.
  std::string bytes = Read_File_Bytes(list);
  bytes[9 + 13 + 530] = 70;  // brush size
  Write_File_Bytes(list, bytes);
  run = Run_Quorlin({"rgl-info", list});
  EXPECT_NE(run.out.find("brush size:         70\n"), std::string::npos) << run.out;
}

TEST_F(CliRegionListTest, BadInputEndsInTheProgramsTexts) {
  const std::string out = dir.File("out.png");
  Write_File_Bytes(dir.File("text.rgl"), "just some words");
  ASSERT_EQ(::mkfifo(dir.File("pipe.rgl").c_str(), 0644), 0);
  const struct {
    std::vector<std::string> args;
    int exitCode;
    std::string err;
  } cases[] = {
      {{"render", dir.File("none.rgl"), "-o", out},
       1,
       "Can not open list-file because:  No such file or directory\n"},
      {{"render", dir.File("text.rgl"), "-o", out},
       1,
       "This is not a Kestrane Labs file format. Load a file of the correct type.\n"},
      {{"render", dir.File("text.rgl"), "-o", dir.File("out.xyz")},
       1,
       "Only use following FILE EXTENSIONS for the Image's NAME: \n  .bmp  .tif  .jpg  .gif  .png\n"},
      {{"rgl-info", dir.File("none.rgl")},
       1,
       "Could not load RegionList file because:  No such file or directory\n"},
      {{"rgl-info", dir.File("text.rgl")},
       1,
       "This is not a Kestrane Labs file format. Load a file of the correct type.\n"},
      {{"render", dir.File("text.rgl")}, 2, std::string("quorlin render: -o OUT is needed\n") + kRenderUsage},
      {{"render", "a.rgl", "-o", out, "--photo", "p.png", "--no-photo"},
       2,
       std::string("quorlin render: --photo and --no-photo exclude each other\n") + kRenderUsage},
      {{"render", dir.File("pipe.rgl"), "-o", out},
       1,
       "Can not open list-file because:  not a plain file (a pipe, a device or a socket)\n"},
      {{"rgl-info", dir.File("pipe.rgl")},
       1,
       "Could not load RegionList file because:  not a plain file (a pipe, a device or a socket)\n"},
      {{"rgl-info"},
       2,
       "quorlin rgl-info: one LIST.rgl is needed\nusage: quorlin rgl-info LIST.rgl [--json]\n"},
      {{"separate", Sample_Path("coffee.png"), "-o", out, "--rgl", ""},
       2,
       "quorlin separate: --rgl needs a file name\n"},
  };
  for (const auto& c : cases) {
    const CliRun run = Run_Quorlin(c.args);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.args[0] << " " << c.args[1];
    EXPECT_EQ(run.err.substr(0, c.err.size()), c.err) << c.args[0] << " " << c.args[1];
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(File_Exists(out));
}

TEST_F(CliRegionListTest, AFrameNoCanvasHoldsIsRefusedByRenderAndRglInfo) {
  RegionEditorApp app(platform.Get());
  const std::string list = Save_Blocks(app, "frames.rgl", "/photos/a.png");
  const std::string bytes = Read_File_Bytes(list);
  const size_t firstRecord = bytes.find("RegnLIST") + 13 + 4;
  const std::string refused =
      "RegionSubject::AssignMe_from_FileObject_Small FAILED, frame has a bogus value. \n File may be corrupt "
      "or out-dated.\n";
  // The left of the first region's frame, in the auto descriptor (in force
  // for substitution mode 1) and in the scanned one with mode 0.
  for (const int mode : {1, 0}) {
    std::string damaged = bytes;
    damaged[firstRecord + 4] = static_cast<char>(mode);
    const size_t left = firstRecord + (mode == 1 ? 8 : 64) + 40;
    damaged.replace(left, 4, std::string("\x00\x00\x00\x80", 4));
    const std::string path = dir.File("damaged.rgl");
    Write_File_Bytes(path, damaged);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"render", path, "-o", dir.File("out.png"), "--no-photo"},
          std::vector<std::string>{"rgl-info", path}}) {
      const CliRun run = Run_Quorlin(args);
      EXPECT_EQ(run.exitCode, 1) << args[0] << " mode " << mode;
      const std::string plain =
          args[0] == "render"
              ? "quorlin render: " + path +
                    ": not a region list, or a damaged or cut-off one (quorlin rgl-info "
                    "tells more)\n"
              : "quorlin rgl-info: " + path + ": not a region list this program can read to its end\n";
      EXPECT_EQ(run.err, refused + plain) << args[0] << " mode " << mode;
    }
  }
  EXPECT_FALSE(File_Exists(dir.File("out.png")));
}

TEST_F(CliRegionListTest, ALaterVersionIsLoadedUnlessRefused) {
  RegionEditorApp app(platform.Get());
  std::string bytes = Read_File_Bytes(Save_Blocks(app, "v.rgl", "/photos/a.png"));
  bytes[8] = 40;
  Write_File_Bytes(dir.File("later.rgl"), bytes);
  const std::string question =
      "The RegionList File ( later.rgl ) that you are trying to load is of a LATER VERSION[ 4.0 ] that that "
      "of the Application[  0.7  ]. It may or may not load properly.\n Do you want to try and load it "
      "anyway?\n";
  CliRun run = Run_Quorlin({"render", dir.File("later.rgl"), "-o", dir.File("out.png"), "--no-photo"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err.substr(0, run.err.find("The Source")),
            question + "quorlin render: answered Yes (--no-later-version answers No)\n");
  run = Run_Quorlin({"render", dir.File("later.rgl"), "-o", dir.File("out2.png"), "--no-later-version"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, question +
                         "quorlin render: answered No (leave out --no-later-version to answer Yes)\n"
                         "quorlin render: the list was not loaded\n");
  EXPECT_FALSE(File_Exists(dir.File("out2.png")));
}

TEST_F(CliRegionListTest, RglInfoJsonIsValidUtf8WhateverThePathsHold) {
  RegionEditorApp app(platform.Get());
  const std::string list = Save_Blocks(app, "bytes.rgl", "/photos/caf\xe9 \xff.png");
  const CliRun run = Run_Quorlin({"rgl-info", list, "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("\"sourcePhotoPath\":\"/photos/caf\\ufffd \\ufffd.png\""), std::string::npos)
      << run.out;
}

TEST_F(CliRegionListTest, TwoOutputsChangeTogetherOrNotAtAll) {
  // A photo whose path the list cannot keep: the picture is written first,
  // then the list is refused, and neither target changes.
  const std::string deep = dir.File(std::string(120, 'a') + "/" + std::string(120, 'b'));
  std::filesystem::create_directories(deep);
  std::filesystem::copy_file(Sample_Path("coffee.png"), deep + "/coffee.png");
  const std::string out = dir.File("out.png"), list = dir.File("out.rgl");
  Write_File_Bytes(out, "old picture");
  Write_File_Bytes(list, "old list");
  CliRun run = Run_Quorlin({"separate", deep + "/coffee.png", "-o", out, "--rgl", list});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err.rfind("RegionListExternal::Emit failed,  the source photo's path is", 0), 0u) << run.err;
  EXPECT_EQ(Read_File_Bytes(out), "old picture");
  EXPECT_EQ(Read_File_Bytes(list), "old list");
  EXPECT_EQ(Folder_Entries(dir.Path()),
            (std::vector<std::string>{std::string(120, 'a'), "out.png", "out.rgl"}));

  // The same file under two names, also through a link: a usage error.
  std::filesystem::create_symlink(out, dir.File("link.png"));
  run = Run_Quorlin({"separate", Sample_Path("coffee.png"), "-o", out, "--rgl", dir.File("link.png")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err.rfind(
                "quorlin separate: --rgl " + dir.File("link.png") + " names the same file as -o " + out, 0),
            0u)
      << run.err;
  EXPECT_EQ(Read_File_Bytes(out), "old picture");
}

TEST_F(CliRegionListTest, SeparateKeepsTheOldListWhenTheNewOneCannotBeWritten) {
  const std::string list = dir.File("kept.rgl");
  Write_File_Bytes(list, "an older list");
  const CliRun run = Run_Quorlin({"separate", Sample_Path("coffee.png"), "-o", dir.File("out.png"), "--rgl",
                                  dir.File("no/such/folder/list.rgl")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err,
            "UniBasic::Save_DSTlist  failed,   could not save RegionList file because No such file or "
            "directory.\nquorlin separate: " +
                dir.File("no/such/folder/list.rgl") + ": the region list could not be written; its folder " +
                dir.File("no/such/folder") + " does not exist\n");
  EXPECT_EQ(Read_File_Bytes(list), "an older list");
  // The picture, written first, was never put in place.
  EXPECT_EQ(Folder_Entries(dir.Path()), std::vector<std::string>{"kept.rgl"});
}

}  // namespace
