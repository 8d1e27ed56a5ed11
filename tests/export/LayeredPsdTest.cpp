// The working-size layer stack and the layered PSD: the stack composes to
// the program's layered image byte for byte, and the PSD, read back by a
// reader of our own, by Pillow and by ImageMagick, composes in an editor's way to it.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <regex>

#include "export/ExportTestSupport.h"
#include "export/PsdWriter.h"
#include "export/WorkingLayerStack.h"
#include "regions/LayeredComposer.h"
#include "regions/RegionListSubject.h"
#include "render/RenderMan.h"

namespace {

std::vector<uint8_t> File_Bytes(const std::string& path) {
  const std::string s = Read_File_Bytes(path);
  return std::vector<uint8_t>(s.begin(), s.end());
}

// Every job: the stack is the layered image taken apart, the PSD composes
// back to it.  The outline's Linear Burn must be exact.
TEST(LayeredPsd, StackAndPsdComposeToTheLayeredImageExactly) {
  const ExportJob jobs[] = {{"coffee.png", false, -1},
                            {"coffee.png", true, 1},
                            {"chelsea.png", true, -1},
                            {"chelsea.png", false, 0},
                            {"coffee.png", true, 0}};
  TestPlatform platform;
  for (const ExportJob& job : jobs) {
    SCOPED_TRACE(std::string(job.photo) + (job.outline ? " pencil" : "") + " textures " +
                 std::to_string(job.textures));
    std::string err;
    std::unique_ptr<RegionEditorApp> app = Run_Export_Job(platform, job, err);
    ASSERT_NE(app, nullptr) << err;
    RenderMan& renderMan = app->Get_RenderMan();
    LayerStack stack;
    ASSERT_TRUE(Build_Working_Layer_Stack(Source_Of(*app, platform), stack, err)) << err;
    const std::vector<uint8_t> layered = Map_Bytes(*renderMan.Get_Layered_Map());
    ASSERT_EQ(stack.regions.size(), static_cast<size_t>(app->Get_RegionList().Get_Region_Count()));
    EXPECT_TRUE(std::regex_match(stack.regions[0].name, std::regex("[1-5] [A-Z][A-Za-z0-9 ]+ [0-9]+")))
        << stack.regions[0].name;
    EXPECT_EQ(stack.composite, layered);
    EXPECT_EQ(stack.photo, Map_Bytes(*renderMan.Get_Source_Map()));
    EXPECT_EQ(stack.outlineGrey.empty(), !job.outline);
    const std::vector<uint8_t> regionsOnly = Compose_Region_Layers(stack);
    std::vector<uint8_t> burnt = regionsOnly;
    Burn_Outline(stack, burnt);
    EXPECT_TRUE(burnt == layered) << "Compose_Region_Layers + Burn_Outline differs from the layered image";

    // The PSD: photo, regions, outline; composed as an editor does.
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(Encode_Layered_Psd(stack, bytes, err)) << err;
    PsdFile psd;
    ASSERT_TRUE(Read_Psd(bytes, psd, err)) << err;
    EXPECT_EQ(std::vector<int32_t>({psd.width, psd.height, psd.channels, psd.depth, psd.mode}),
              std::vector<int32_t>({stack.width, stack.height, 3, 8, 3}));
    ASSERT_EQ(psd.layers.size(), stack.regions.size() + (job.outline ? 2 : 1));
    EXPECT_EQ(static_cast<int32_t>(psd.layers.size()), Psd_Layer_Count(stack));
    EXPECT_EQ(psd.layers[0].name, "Photo");
    EXPECT_TRUE(psd.layers[0].hidden);
    EXPECT_EQ(psd.layers[0].blend, "norm");
    for (size_t i = 0; i < stack.regions.size(); ++i) {
      const PsdReadLayer& layer = psd.layers[i + 1];
      EXPECT_EQ(layer.name, stack.regions[i].name);
      EXPECT_EQ(layer.pascalName, stack.regions[i].name);
      EXPECT_EQ(layer.blend, "lbrn");
      EXPECT_FALSE(layer.hidden);
      EXPECT_EQ(
          std::vector<int32_t>({layer.left, layer.top, layer.right - layer.left, layer.bottom - layer.top}),
          std::vector<int32_t>({stack.regions[i].left, stack.regions[i].top, stack.regions[i].width,
                                stack.regions[i].height}));
      ASSERT_NE(layer.Plane(-1), nullptr);
    }
    if (job.outline) {
      EXPECT_EQ(psd.layers.back().name, "Outline");
      EXPECT_EQ(psd.layers.back().blend, "lbrn");
      EXPECT_EQ(*psd.layers.back().Plane(0), stack.outlineGrey);
    }
    EXPECT_EQ(*psd.layers[0].Plane(1), [&] {
      std::vector<uint8_t> green;
      for (size_t i = 1; i < stack.photo.size(); i += 3) green.push_back(stack.photo[i]);
      return green;
    }());
    EXPECT_TRUE(Compose_As_Editor(psd, static_cast<int>(stack.regions.size()) + 1) == regionsOnly);
    EXPECT_TRUE(Compose_As_Editor(psd) == layered);
    EXPECT_TRUE(psd.composite == layered);

    // Hidden, the outline is neither merged nor a layer: the layered image
    // is then the regions' picture itself.
    if (job.outline) {
      renderMan.Set_Hide_Outline(1);
      ASSERT_TRUE(app->Get_Composer().ReDraw_SummedFinalViews_OffMap());
      LayerStack hidden;
      ASSERT_TRUE(Build_Working_Layer_Stack(Source_Of(*app, platform), hidden, err)) << err;
      EXPECT_TRUE(hidden.outlineGrey.empty());
      EXPECT_TRUE(Map_Bytes(*renderMan.Get_Layered_Map()) == regionsOnly);
    }
  }
}

// Partial coverage (print-size edges): the editor's Linear Burn with the
// one-step-darker paint matches the program's glaze within 1.
TEST(LayeredPsd, PartialCoverageComposesWithinOne) {
  LayerStack stack;
  stack.width = 6;
  stack.height = 1;
  const uint8_t coverages[] = {255, 200, 128, 1, 0, 255};
  for (int k = 0; k < 2; ++k) {
    ExportLayer layer;
    layer.name = "1 Rose " + std::to_string(k);
    layer.width = 6;
    layer.height = 1;
    for (int x = 0; x < 6; ++x)
      layer.rgba.insert(layer.rgba.end(), {uint8_t(k ? 255 : 250), uint8_t(100 + 30 * x), uint8_t(x * 51),
                                           coverages[k ? 5 - x : x]});
    stack.regions.push_back(layer);
  }
  stack.composite = Compose_Region_Layers(stack);
  std::vector<uint8_t> bytes;
  std::string err;
  PsdFile psd;
  ASSERT_TRUE(Encode_Layered_Psd(stack, bytes, err) && Read_Psd(bytes, psd, err)) << err;
  const std::vector<uint8_t> editor = Compose_As_Editor(psd);
  for (size_t i = 0; i < editor.size(); ++i)
    EXPECT_LE(std::abs(editor[i] - stack.composite[i]), 1) << "byte " << i;
}

TEST(LayeredPsd, RefusalsLeaveTheOldFile) {
  TempDir dir;
  const std::string path = dir.File("old.psd");
  Write_File_Bytes(path, "old");
  LayerStack stack;
  stack.width = 30001;
  stack.height = 2;
  stack.composite.assign(30001 * 2 * 3, 255);
  std::string err;
  EXPECT_FALSE(Write_Layered_Psd(stack, path, err));
  EXPECT_EQ(err, "the picture is 30001 x 2 pixels; a PSD file holds at most 30000 pixels a side");
  stack.width = 2;
  EXPECT_FALSE(Write_Layered_Psd(stack, path, err));
  EXPECT_EQ(err, "the layers do not match the picture's size");
  stack.composite.resize(12);
  ExportLayer outside;
  outside.name = "1 Rose 3";
  outside.left = 1;
  outside.width = 2;
  outside.height = 1;
  outside.rgba.assign(8, 0);
  stack.regions.push_back(outside);
  EXPECT_FALSE(Write_Layered_Psd(stack, path, err));
  EXPECT_EQ(err, "the layer \"1 Rose 3\" does not lie inside the picture");
  stack.regions.clear();
  EXPECT_FALSE(Write_Layered_Psd(stack, dir.File("missing/new.psd"), err));
  EXPECT_FALSE(err.empty());
  EXPECT_EQ(Read_File_Bytes(path), "old");
  ASSERT_TRUE(Write_Layered_Psd(stack, path, err)) << err;
  PsdFile psd;
  ASSERT_TRUE(Read_Psd(File_Bytes(path), psd, err)) << err;  // no layers at all
  EXPECT_TRUE(psd.layers.empty());
  EXPECT_EQ(Folder_Entries(dir.Path()), std::vector<std::string>({"old.psd"}));
}

TEST(LayeredPsd, PackBitsRowsDecodeToThemselves) {
  std::mt19937 random(3);
  std::vector<std::vector<uint8_t>> rows = {{7},
                                            {7, 7},
                                            {7, 8},
                                            std::vector<uint8_t>(3, 9),
                                            std::vector<uint8_t>(128, 1),
                                            std::vector<uint8_t>(129, 1),
                                            std::vector<uint8_t>(30000, 255)};
  std::vector<uint8_t> mixed;
  for (int i = 0; i < 2000; ++i) mixed.push_back(static_cast<uint8_t>(random() % 3 == 0 ? 5 : random() % 4));
  rows.push_back(mixed);
  std::vector<uint8_t> noise(1000);
  for (uint8_t& b : noise) b = static_cast<uint8_t>(random());
  rows.push_back(noise);
  for (const std::vector<uint8_t>& row : rows) {
    std::vector<uint8_t> packed, unpacked;
    PackBits_Row(row.data(), row.size(), packed);
    EXPECT_TRUE(Unpack_PackBits(packed, row.size(), unpacked) && unpacked == row) << row.size() << " bytes";
    EXPECT_LE(packed.size(), row.size() + (row.size() + 127) / 128);
  }
}

// Pillow (python3-pil) reads the file on its own: the picture's size, the
// layers' count, names and boxes, and the flattened picture.
TEST(LayeredPsd, PillowAndImageMagickReadTheFileAlike) {
  TestPlatform platform;
  std::string err;
  std::unique_ptr<RegionEditorApp> app = Run_Export_Job(platform, {"chelsea.png", true, 1}, err);
  ASSERT_NE(app, nullptr) << err;
  LayerStack stack;
  ASSERT_TRUE(Build_Working_Layer_Stack(Source_Of(*app, platform), stack, err)) << err;
  TempDir dir;
  ASSERT_TRUE(Write_Layered_Psd(stack, dir.File("chelsea.psd"), err)) << err;
  std::ofstream(dir.File("read.py")) << "import sys\nfrom PIL import Image\n"
                                        "im = Image.open(sys.argv[1])\n"
                                        "print(im.format, im.mode, im.size[0], im.size[1], len(im.layers))\n"
                                        "for layer in im.layers: print(layer[0], *layer[2])\n"
                                        "open(sys.argv[2], 'wb').write(im.convert('RGB').tobytes())\n";
  const std::string command = "/usr/bin/python3 " + dir.File("read.py") + " " + dir.File("chelsea.psd") +
                              " " + dir.File("composite.rgb") + " > " + dir.File("pillow.txt") + " 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0)
      << Read_File_Bytes(dir.File("pillow.txt")) << "(python3-pil is installed by scripts/install-deps.sh)";
  std::string expected = "PSD RGB " + std::to_string(stack.width) + " " + std::to_string(stack.height) + " " +
                         std::to_string(Psd_Layer_Count(stack)) + "\nPhoto 0 0 " +
                         std::to_string(stack.width) + " " + std::to_string(stack.height) + "\n";
  for (const ExportLayer& layer : stack.regions)
    expected += layer.name + " " + std::to_string(layer.left) + " " + std::to_string(layer.top) + " " +
                std::to_string(layer.left + layer.width) + " " + std::to_string(layer.top + layer.height) +
                "\n";
  expected += "Outline 0 0 " + std::to_string(stack.width) + " " + std::to_string(stack.height) + "\n";
  EXPECT_EQ(Read_File_Bytes(dir.File("pillow.txt")), expected);
  EXPECT_TRUE(File_Bytes(dir.File("composite.rgb")) == stack.composite);

  // ImageMagick (imagemagick) lays the visible layers over white with its
  // own Linear Burn: the program's picture, outline included.
  const std::string flatten = "/usr/bin/convert " + dir.File("chelsea.psd") +
                              " -delete 0 -background white -flatten -depth 8 rgb:" + dir.File("flat.rgb") +
                              " > " + dir.File("magick.txt") + " 2>&1";
  ASSERT_EQ(std::system(flatten.c_str()), 0)
      << Read_File_Bytes(dir.File("magick.txt")) << "(imagemagick is installed by scripts/install-deps.sh)";
  EXPECT_TRUE(File_Bytes(dir.File("flat.rgb")) == stack.composite);
}

}  // namespace
