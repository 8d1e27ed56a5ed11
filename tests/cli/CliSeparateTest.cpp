// End-to-end runs of `quorlin separate` and `quorlin demo`: the written
// layered image is the one the separation dialog makes of the photo in this
// process, the JSON summary agrees with it, every option takes effect, and
// every bad option value is refused with a usage line.

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/RegionEditorApp.h"
#include "cli/CliOutlineOptions.h"
#include "colors/StandardColors.h"
#include "regions/ModifyColorsController.h"
#include "render/ImageFiles.h"
#include "render/ImageSizeController.h"
#include "separation/SeparationDialogController.h"
#include "support/TestSupport.h"

namespace {

const char* const kUsage =
    "usage: quorlin separate PHOTO... -o OUT|DIR/ [--jobs N] [--format png|jpg|bmp|tif|gif] [--size N|WxH] "
    "[--dark P] [--lite P] [--sat P] [--set N|auto] "
    "[--rows C1,C2,C3,C4,C5] [--brush N] [--hide-outline] [--contrast] [--liteness N] [--scramble R] [--seed "
    "S] "
    "[--textures mono|color] [--texture-style 0|1] [--textures-dir DIR] [--save-steps DIR] [--rgl LIST.rgl] "
    "[--json] [--print WxH|full] [--psd FILE] [--svg FILE] [--layers DIR] [--outline STYLE [--outline-detail "
    "N] "
    "[--outline-lines N] [--outline-scale F] [--outline-min-length N] [--outline-smooth N] [--outline-nudge "
    "N] "
    "[--no-connect]]\n";

// What the command does, step by step, in this process: load at the
// working size (or `width` x `height`), settings, the dialog's opening and
// "Preview All Seps", then whatever `after` adds.
struct InProcess {
  std::string photo;
  int width = -1, height = -1;
  std::function<void(RegionEditorApp&)> settings = [](RegionEditorApp&) {};
  std::function<void(SeparationDialogController&)> dialog = [](SeparationDialogController&) {};
  std::function<void(RegionEditorApp&)> after = [](RegionEditorApp&) {};
  std::string textures;
};

std::unique_ptr<RegionEditorApp> Run_In_Process(TestPlatform& platform, const InProcess& run) {
  auto app = std::make_unique<RegionEditorApp>(platform.Get(), run.textures);
  Load_Photo_At_Working_Size(app->Get_RenderMan(), run.photo, run.width, run.height);
  app->Get_Document().sourcePhotoPath = run.photo;
  std::string err;
  EXPECT_TRUE(Adjust_Detection_Settings_for_Upcoming_DetectionDialog(app->Get_Settings(),
                                                                     app->Get_RegionList(), 0, err));
  run.settings(*app);
  {
    SeparationSession session(app->Separation_Context());
    SeparationDialogController& dialog = session.Controller();
    EXPECT_TRUE(dialog.OnInitDialog());
    run.dialog(dialog);
    EXPECT_TRUE(dialog.On_Preview_All_Seps());
    EXPECT_TRUE(dialog.On_Close());
  }
  run.after(*app);
  return app;
}

// The summary's numbers.
struct Summary {
  int width = -1, height = -1, regions = -1;
  struct Row {
    int index = -1;
    std::string nickname;
    int regions = -1;
  };
  std::vector<Row> rows;
  std::vector<std::string> stages;
};

// The whole number right after `key`, searched from `pos`, which moves past
// the number; -1 when there is none.
int Number_After(const std::string& json, const std::string& key, size_t& pos) {
  const size_t at = json.find(key, pos);
  if (at == std::string::npos) return -1;
  size_t end = at + key.size();
  while (end < json.size() && json[end] >= '0' && json[end] <= '9') ++end;
  if (end == at + key.size()) return -1;
  const int value = std::stoi(json.substr(at + key.size(), end - at - key.size()));
  pos = end;
  return value;
}

// The text between the quotes right after `key`.
std::string Text_After(const std::string& json, const std::string& key, size_t& pos) {
  const size_t at = json.find(key + "\"", pos);
  if (at == std::string::npos) return std::string();
  const size_t start = at + key.size() + 1;
  const size_t end = json.find('"', start);
  pos = end + 1;
  return json.substr(start, end - start);
}

Summary Parse_Summary(const std::string& json) {
  Summary s;
  size_t pos = 0;
  if (json.rfind("{\"width\":", 0) != 0 || json.size() < 3 || json.substr(json.size() - 3) != "}}\n")
    return s;
  s.width = Number_After(json, "{\"width\":", pos);
  s.height = Number_After(json, ",\"height\":", pos);
  for (int row = 1; row <= 5; ++row) {
    EXPECT_EQ(Number_After(json, "{\"row\":", pos), row);
    Summary::Row r;
    r.index = Number_After(json, ",\"index\":", pos);
    r.nickname = Text_After(json, ",\"nickname\":", pos);
    r.regions = Number_After(json, ",\"regions\":", pos);
    s.rows.push_back(r);
  }
  s.regions = Number_After(json, "}],\"regions\":", pos);
  pos = json.find(",\"ms\":{", pos);
  if (pos == std::string::npos) return s;
  pos += 7;
  // "stage":milliseconds, separated by commas.
  while (pos < json.size() && json[pos] == '"') {
    const size_t close = json.find('"', pos + 1);
    s.stages.push_back(json.substr(pos + 1, close - pos - 1));
    pos = json.find_first_of(",}", close);
    if (json[pos] == ',') ++pos;
  }
  return s;
}

std::array<int, 5> Regions_per_Row(RegionEditorApp& app) {
  std::array<int, 5> counts{};
  for (ComponentSubject* child : app.Get_RegionList().Get_Children_List()) {
    const auto* region = dynamic_cast<const RegionSubject*>(child);
    if (region != nullptr && region->Get_Separation_ID() >= 0 && region->Get_Separation_ID() < 5)
      ++counts[region->Get_Separation_ID()];
  }
  return counts;
}

TEST(CliSeparate, BothSamplesGiveTheDialogsLayeredImageAndATrueSummary) {
  TempDir dir;
  TestPlatform platform;
  for (const char* sample : {"coffee.png", "chelsea.png"}) {
    const std::string out = dir.File(std::string("layered-") + sample);
    const CliRun run = Run_Quorlin({"separate", Sample_Path(sample), "-o", out, "--json"});
    ASSERT_EQ(run.exitCode, 0) << sample << ": " << run.err;
    EXPECT_EQ(run.err, "");

    InProcess expected;
    expected.photo = Sample_Path(sample);
    const std::unique_ptr<RegionEditorApp> app = Run_In_Process(platform, expected);
    const OffMap& layered = *app->Get_RenderMan().Get_Layered_Map();
    EXPECT_EQ(Differing_Pixels(platform, out, layered), 0) << sample;

    const Summary s = Parse_Summary(run.out);
    EXPECT_EQ(s.width, layered.Get_Width());
    EXPECT_EQ(s.height, layered.Get_Height());
    ASSERT_EQ(s.rows.size(), 5u) << run.out;
    const std::array<int, 5> counts = Regions_per_Row(*app);
    int total = 0;
    for (int row = 0; row < 5; ++row) {
      // The rows are the palette proposed for the photo from "Popular 15".
      EXPECT_EQ(s.rows[row].index, app->Get_Settings().lastSepRowsControlSettings[row].colorsStdIndex)
          << sample << row;
      std::string nickname;
      Get_StandardColors_Nickname(static_cast<int16_t>(s.rows[row].index), nickname);
      EXPECT_EQ(s.rows[row].nickname, nickname);
      EXPECT_EQ(
          SeparationDialogController::Find_Color_in_Set(static_cast<int16_t>(s.rows[row].index), 0) >= 1,
          s.rows[row].index != 0);
      EXPECT_EQ(s.rows[row].regions, counts[row]);
      if (s.rows[row].index != 0) {
        EXPECT_GT(s.rows[row].regions, 0) << sample << row;
      }
      total += s.rows[row].regions;
    }
    EXPECT_EQ(s.regions, total);
    EXPECT_EQ(s.regions, app->Get_RegionList().Get_Region_Count());
    EXPECT_EQ(s.stages, (std::vector<std::string>{"load", "preprocess", "separate", "save"}));
  }
}

TEST(CliSeparate, GivenRowsAreUsedAsTheyAre) {
  TempDir dir;
  TestPlatform platform;
  const std::string out = dir.File("rows.bmp");
  CliRun run = Run_Quorlin({"separate", Sample_Path("coffee.png"), "-o", out, "--rows",
                            "purple, Cobalt Blue,-none-,ROSE,Vermillion"});
  ASSERT_EQ(run.exitCode, 0) << run.err;

  InProcess expected;
  expected.photo = Sample_Path("coffee.png");
  expected.settings = [](RegionEditorApp& app) {
    const int16_t rows[5] = {11, 10, 0, 14, 1};
    for (int row = 0; row < 5; ++row)
      app.Get_Settings().lastSepRowsControlSettings[row].colorsStdIndex = rows[row];
    app.Get_Settings().sepsDialogSettings.alwaysCalcPalette = 0;
  };
  std::unique_ptr<RegionEditorApp> app = Run_In_Process(platform, expected);
  EXPECT_EQ(Differing_Pixels(platform, out, *app->Get_RenderMan().Get_Layered_Map()), 0);
  EXPECT_EQ(run.out, "wrote " + out + " (400 x 266, " +
                         std::to_string(app->Get_RegionList().Get_Region_Count()) + " regions)\n");
  EXPECT_EQ(Regions_per_Row(*app)[2], 0);

  // Rows of another set need that set; the greys make a grey illustration.
  run = Run_Quorlin({"separate", Sample_Path("coffee.png"), "-o", dir.File("grey.png"), "--set", "9",
                     "--rows", "Gray 10,Gray 8,Gray 6,-NONE-,-NONE-", "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const Summary s = Parse_Summary(run.out);
  ASSERT_EQ(s.rows.size(), 5u);
  EXPECT_EQ(s.rows[0].index, 29);
  EXPECT_EQ(s.rows[1].nickname, "Gray 8");
  EXPECT_EQ(s.rows[2].index, 25);
  EXPECT_EQ(s.rows[3].regions, 0);
  EXPECT_GT(s.rows[1].regions, 0);
}

TEST(CliSeparate, EveryOptionTakesEffect) {
  TempDir dir;
  TestPlatform platform;
  const std::string out = dir.File("opts.png");
  const CliRun run = Run_Quorlin({"separate", Sample_Path("chelsea.png"), "-o", out, "--size", "240x180",
                                  "--dark", "10", "--lite", "90", "--sat", "80", "--set", "1", "--brush", "3",
                                  "--save-steps", dir.File("steps/deep")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err,
            "quorlin separate: note: 240x180 stretches the photo (451 x 300); --size N keeps its aspect\n");

  InProcess expected;
  expected.photo = Sample_Path("chelsea.png");
  expected.width = 240;
  expected.height = 180;
  expected.settings = [](RegionEditorApp& app) {
    Apply_Watercolor_Slider(WatercolorSlider::Dark, 10, app.Get_Settings().watercolorParms);
    Apply_Watercolor_Slider(WatercolorSlider::Lite, 90, app.Get_Settings().watercolorParms);
    Apply_Watercolor_Slider(WatercolorSlider::Sat, 80, app.Get_Settings().watercolorParms);
    app.Get_Settings().sepsDialogSettings.palettePrimaryIdx = 1;
  };
  expected.dialog = [](SeparationDialogController& dialog) { dialog.Set_Brush_Size_Text("3"); };
  std::unique_ptr<RegionEditorApp> app = Run_In_Process(platform, expected);
  RenderMan& rm = app->Get_RenderMan();
  EXPECT_EQ(app->Get_Settings().sepsDialogSettings.brushSize, 3);
  EXPECT_EQ(Differing_Pixels(platform, out, *rm.Get_Layered_Map()), 0);
  EXPECT_EQ(Differing_Pixels(platform, dir.File("steps/deep/layered.png"), *rm.Get_Layered_Map()), 0);
  EXPECT_EQ(Differing_Pixels(platform, dir.File("steps/deep/preprocessed.png"), *rm.Get_Filtered_Map()), 0);
  EXPECT_EQ(Differing_Pixels(platform, dir.File("steps/deep/subtracted.png"), *rm.Get_Subtract_Map()), 0);
  EXPECT_EQ(run.out, "wrote " + out + " (240 x 180, " +
                         std::to_string(app->Get_RegionList().Get_Region_Count()) +
                         " regions)\nwrote the steps into " + dir.File("steps/deep") + "\n");

  // The start values give another picture.
  const CliRun plain =
      Run_Quorlin({"separate", Sample_Path("chelsea.png"), "-o", dir.File("plain.png"), "--size", "240x180"});
  ASSERT_EQ(plain.exitCode, 0);
  EXPECT_GT(Differing_Pixels(platform, dir.File("plain.png"), *rm.Get_Layered_Map()), 0);
}

TEST(CliSeparate, ScramblingAndTexturesFollowTheSeed) {
  TempDir dir;
  TestPlatform platform;
  const std::string out = dir.File("scrambled.png");
  CliRun run = Run_Quorlin({"separate", Sample_Path("coffee.png"), "-o", out, "--scramble", "60", "--seed",
                            "7", "--textures", "color", "--texture-style", "1", "--textures-dir",
                            QUORLIN_TEXTURE_DIR, "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Parse_Summary(run.out).stages,
            (std::vector<std::string>{"load", "preprocess", "separate", "scramble", "textures", "compose",
                                      "save"}));

  InProcess expected;
  expected.photo = Sample_Path("coffee.png");
  expected.textures = QUORLIN_TEXTURE_DIR;
  expected.after = [](RegionEditorApp& app) {
    ModifyColorsController modify(app.Modify_Colors_Context(), 7);
    EXPECT_TRUE(modify.Open());
    EXPECT_TRUE(modify.Set_Range(60));
    EXPECT_TRUE(modify.On_Scramble_Colors());
    modify.On_Save();
    RegionRandom random(7);
    std::string err;
    EXPECT_TRUE(app.Get_RegionList().Paint_All_Regions_with_TextureMaps(1, 1, random, err)) << err;
    EXPECT_TRUE(app.Get_Composer().ReDraw_SummedFinalViews_OffMap());
  };
  std::unique_ptr<RegionEditorApp> app = Run_In_Process(platform, expected);
  EXPECT_EQ(Differing_Pixels(platform, out, *app->Get_RenderMan().Get_Layered_Map()), 0);

  // Another seed, another picture; no texture maps, no painting.
  run = Run_Quorlin({"separate", Sample_Path("coffee.png"), "-o", dir.File("other.png"), "--scramble", "60",
                     "--seed", "8", "--textures", "color", "--texture-style", "1", "--textures-dir",
                     QUORLIN_TEXTURE_DIR});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_GT(Differing_Pixels(platform, dir.File("other.png"), *app->Get_RenderMan().Get_Layered_Map()), 0);
  run = Run_Quorlin({"separate", Sample_Path("coffee.png"), "-o", dir.File("bare.png"), "--textures", "mono",
                     "--textures-dir", dir.Path()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "quorlin separate: there are no texture maps in " + dir.Path() + "/Monocrome/\n");
  EXPECT_FALSE(File_Exists(dir.File("bare.png")));
}

TEST(CliSeparate, BadOptionValuesAreUsageErrors) {
  const std::string photo = Sample_Path("coffee.png");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, "one PHOTO is needed"},
      {{photo}, "-o OUT is needed"},
      {{photo, "-o", "x.png", "--size", "400y"},
       "--size takes N (the longer side) or WIDTHxHEIGHT, e.g. 400 or 400x300"},
      {{photo, "-o", "x.png", "--size", "99x300"},
       "Only enter DIMENSIONS that are between 100 and 500 pixels.\n"
       "quorlin: the working size is 100 to 500 pixels a side; use --size"},
      {{photo, "-o", "x.png", "--size", "300x501"},
       "Only enter DIMENSIONS that are between 100 and 500 pixels.\n"
       "quorlin: the working size is 100 to 500 pixels a side; use --size"},
      {{photo, "-o", "x.png", "--dark", "101"}, "--dark takes a whole number from 0 to 100"},
      {{photo, "-o", "x.png", "--lite", "-1"}, "--lite takes a whole number from 0 to 100"},
      {{photo, "-o", "x.png", "--sat", "half"}, "--sat takes a whole number from 0 to 100"},
      {{photo, "-o", "x.png", "--set", "16"}, "--set takes a whole number from 0 to 15 or auto"},
      {{photo, "-o", "x.png", "--set", "Auto"}, "--set takes a whole number from 0 to 15 or auto"},
      {{photo, "-o", "x.png", "--set", "auto", "--rows", "Purple,Rose,Orange,Yellow,Juane"},
       "--set auto calculates the palette of each set; it cannot be given --rows"},
      {{photo, "-o", "x.png", "--rows", "Purple,Rose"}, "--rows takes five colour names separated by commas"},
      {{photo, "-o", "x.png", "--rows", "Purple,Rose,Orange,Yellow,"},
       "--rows: \"\" is not the name of a paint colour. The colours of set 0 (Popular 15): Vermillion, "
       "Juane, "
       "Orange, Yellow, Sap Green, Hookers Green, Pthalo Green, Prussian Blue, Cerulean Blue, Cobalt Blue, "
       "Purple, Violet, Magenta, Rose, Crimson, -NONE-"},
      {{photo, "-o", "x.png", "--rows", "Purple,Rose,Umber,Yellow,Juane"},
       "--rows: \"Umber\" is not the name of a paint colour; did you mean Burnt Umber? The colours of set 0 "
       "(Popular 15): Vermillion, Juane, Orange, Yellow, Sap Green, Hookers Green, Pthalo Green, Prussian "
       "Blue, "
       "Cerulean Blue, Cobalt Blue, Purple, Violet, Magenta, Rose, Crimson, -NONE-"},
      {{photo, "-o", "x.png", "--set", "12", "--rows", "grey 4,gray,-NONE-,-NONE-,-NONE-"},
       "--rows: \"grey 4\" is not the name of a paint colour; did you mean Gray 4, Gray 1 or Gray 2? The "
       "colours of set 12 (2 Grays): Gray 4, Gray 8, -NONE-"},
      {{photo, "-o", "x.png", "--rows", "Purple,Rose,gray 7,Yellow,Juane"},
       "--rows: Gray 7 is not a colour of set 0 (Popular 15); it is in sets 9 (10 Grays), 10 (3 Grays Dark); "
       "choose one with --set"},
      {{photo, "-o", "x.png", "--set", "8", "--rows", "cobalt blue,Rose,Orange,Purple,-NONE-"},
       "--rows: Cobalt Blue is not a colour of set 8 (Quad Orange); it is in sets 0 (Popular 15), 1 (Pop 15 "
       "w/Browns), 3 (Yellow Alternates), 4 (Penta Cobalt Blue); choose one with --set"},
      {{photo, "-o", "x.png", "--rows", "Gray 9,-NONE-,-NONE-,-NONE-,-NONE-"},
       "--rows: Gray 9 is not a colour of set 0 (Popular 15); it is in set 9 (10 Grays); choose one with "
       "--set"},
      {{photo, "-o", "x.png", "--set", "8", "--rows", "Purple,Rose,Orange,Yellow,-NONE-"},
       "--rows: Yellow is not a colour of set 8 (Quad Orange); it is in sets 0 (Popular 15), 1 (Pop 15 "
       "w/Browns), "
       "3 (Yellow Alternates), 4 (Penta Cobalt Blue), 13 (6 Synthetics), 14 (New Palette 1), 15 (New Palette "
       "2); "
       "choose one with --set"},
      {{photo, "-o", "x.png", "--brush", "1"}, "--brush takes a whole number from 2 to 32"},
      {{photo, "-o", "x.png", "--brush", "33"}, "--brush takes a whole number from 2 to 32"},
      {{photo, "-o", "x.png", "--liteness", "101"}, "--liteness takes a whole number from 0 to 100"},
      {{photo, "-o", "x.png", "--scramble", "0"}, "--scramble takes a whole number from 1 to 178"},
      {{photo, "-o", "x.png", "--scramble", "179"}, "--scramble takes a whole number from 1 to 178"},
      {{photo, "-o", "x.png", "--seed", "4294967296"}, "--seed takes a whole number from 0 to 4294967295"},
      {{photo, "-o", "x.png", "--textures", "wood"}, "--textures takes mono or color"},
      {{photo, "-o", "x.png", "--texture-style", "2"}, "--texture-style takes a whole number from 0 to 1"},
      {{photo, "-o", "x.png", "--textures-dir", ""}, "--textures-dir needs a folder"},
      {{photo, "-o", "x.png", "--save-steps", ""}, "--save-steps needs a folder"},
      {{photo, "-o", "x.png", "--hide-outline=yes"}, "option --hide-outline takes no value"},
      {{photo, "-o", "x.png", "--hide-outline"}, "--hide-outline needs --outline STYLE"},
      {{photo, "-o", "x.png", "--liteness", "40"}, "--liteness needs --outline STYLE"},
      {{photo, "-o", "x.png", "--outline", "Ink Fine", "--outline-scale", "0x1p0"},
       "--outline-scale takes a number from 0.1 to 2"},
      {{photo, "-o", "x.png", "--dark", " 5"}, "--dark takes a whole number from 0 to 100"},
      {{photo, "-o", "x.png", "--rgl", "x.png"},
       "--rgl x.png names the same file as -o x.png; give each output a file of its own"},
      {{photo, "-o", "x.png", "--outline"}, "option --outline needs a value"},
  };
  for (const auto& [args, problem] : cases) {
    std::vector<std::string> words = {"separate"};
    words.insert(words.end(), args.begin(), args.end());
    const CliRun run = Run_Quorlin(words);
    EXPECT_EQ(run.exitCode, 2) << problem;
    EXPECT_EQ(run.err, "quorlin separate: " + problem + "\n" + kUsage);
    EXPECT_EQ(run.out, "");
  }
}

TEST(CliSeparate, FailuresExitWithOneAndTheProgramsText) {
  TempDir dir;
  const auto plainLine = [&](const char* name) {
    return "quorlin: " + dir.File(name) +
           ": a picture's name ends in .bmp, .tif, .jpg, .gif or .png (or .jpeg, .tiff), which names its "
           "format\n";
  };
  CliRun run = Run_Quorlin({"separate", Sample_Path("coffee.png"), "-o", dir.File("out.webp")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err,
            "Only use following FILE EXTENSIONS for the Image's NAME: \n  .bmp  .tif  .jpg  .gif  .png\n" +
                plainLine("out.webp"));
  run = Run_Quorlin({"separate", Sample_Path("coffee.png"), "-o", dir.File("out")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err,
            "RenderMan::Save_Bitmap_File failed, Put an extension on the File Name.\n" + plainLine("out"));
  run = Run_Quorlin({"separate", dir.File("absent.png"), "-o", dir.File("out.png")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "CImage::Load failed ( Load_Bitmap_File_as_SRC )\nquorlin: " + dir.File("absent.png") +
                         ": no such file\n");
  Write_File_Bytes(dir.File("file"), "x");
  run = Run_Quorlin(
      {"separate", Sample_Path("coffee.png"), "-o", dir.File("out.png"), "--save-steps", dir.File("file")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err.rfind("quorlin separate: could not create the folder " + dir.File("file"), 0), 0u)
      << run.err;
  EXPECT_FALSE(File_Exists(dir.File("out.png")));
  EXPECT_FALSE(File_Exists(dir.File("out")));

  run = Run_Quorlin({"separate", "--help"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out.rfind(std::string("usage: quorlin separate PHOTO"), 0), 0u);
}

TEST(CliDemo, PaintsTheSampleAndWritesTheStepsIntoANewFolder) {
  TempDir dir;
  TestPlatform platform;
  const std::string folder = dir.File("a/b");
  const CliRun run = Run_Quorlin({"demo", folder});
  ASSERT_EQ(run.exitCode, 0) << run.err;

  InProcess expected;
  expected.photo = Sample_Path("coffee.png");
  expected.textures = QUORLIN_TEXTURE_DIR;
  expected.settings = [](RegionEditorApp& app) {
    // The Pencil Medium outline, drawn before the separations.
    CliOutlineOptions outline;
    outline.wanted = true;
    CliOutlineReport report;
    EXPECT_TRUE(Run_Outline_Dialog(app, outline, 1, report));
  };
  expected.after = [](RegionEditorApp& app) {
    RegionRandom random(1);
    std::string err;
    EXPECT_TRUE(app.Get_RegionList().Paint_All_Regions_with_TextureMaps(1, 0, random, err)) << err;
    EXPECT_TRUE(app.Get_Composer().ReDraw_SummedFinalViews_OffMap());
  };
  std::unique_ptr<RegionEditorApp> app = Run_In_Process(platform, expected);
  RenderMan& rm = app->Get_RenderMan();
  EXPECT_EQ(run.out, "wrote " + folder + "/layered.png (400 x 266, " +
                         std::to_string(app->Get_RegionList().Get_Region_Count()) +
                         " regions)\nwrote the steps into " + folder + "\nthe demo's results are in " +
                         folder + "\n");
  EXPECT_EQ(Differing_Pixels(platform, folder + "/layered.png", *rm.Get_Layered_Map()), 0);
  EXPECT_EQ(Differing_Pixels(platform, folder + "/preprocessed.png", *rm.Get_Filtered_Map()), 0);
  EXPECT_EQ(Differing_Pixels(platform, folder + "/subtracted.png", *rm.Get_Subtract_Map()), 0);

  Write_File_Bytes(dir.File("file"), "x");
  const CliRun blocked = Run_Quorlin({"demo", dir.File("file")});
  EXPECT_EQ(blocked.exitCode, 1);
  EXPECT_EQ(blocked.err.rfind("quorlin demo: could not create the folder " + dir.File("file"), 0), 0u)
      << blocked.err;
}

}  // namespace
