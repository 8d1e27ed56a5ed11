// The commands of the menus without a toolkit: their refusals, the windows
// they open, the files they read and write, and the question before
// unsaved regions are lost.  Dialogs are scripted; message boxes and file
// dialogs answer through the headless platform.

#include <gtest/gtest.h>

#include <functional>

#include "FakeWindows.h"
#include "app/RegionEditorApp.h"
#include "app/ShellCommands.h"
#include "export/ExportController.h"
#include "render/ImageSizeController.h"
#include "support/TestSupport.h"
#include "views/ListComponentView.h"

namespace {

// Dialogs that do what the test says, in place of the user.
class ScriptedDialogs : public ShellDialogs {
 public:
  std::function<bool(SeparationSession&)> separation = [](SeparationSession& session) {
    SeparationDialogController& dialog = session.Controller();
    return dialog.OnInitDialog() && dialog.On_Preview_All_Seps() && dialog.On_Close();
  };
  std::function<bool(ImageSizeController&)> imageSize;
  std::function<bool(ModifyColorsController&)> modifyColors;
  std::function<bool(ExportController&)> exportChoice;
  int16_t textureType = 0;
  int16_t textureStyle = 0;
  std::vector<std::string> shown;

  bool Run_Separation_Dialog(SeparationSession& session) override {
    shown.push_back("separation");
    return separation(session);
  }
  bool Run_Outline_Dialog(OutlineSession&) override {
    shown.push_back("outline");
    return false;
  }
  bool Run_Image_Size_Dialog(ImageSizeController& controller) override {
    shown.push_back("image size");
    return imageSize ? imageSize(controller) : false;
  }
  bool Run_Modify_Colors_Dialog(ModifyColorsController& controller) override {
    shown.push_back("modify colors");
    return modifyColors ? modifyColors(controller) : false;
  }
  bool Run_Export_Dialog(ExportController& controller) override {
    shown.push_back("export");
    return exportChoice ? exportChoice(controller) : false;
  }
  bool Ask_Texture_Choice(int16_t& type, int16_t& style) override {
    shown.push_back("textures");
    type = textureType;
    style = textureStyle;
    return true;
  }
};

class ShellCommandsTest : public ::testing::Test {
 protected:
  ShellCommandsTest() {
    registry.Set_Factory(&factory);
    app.Set_Windows(registry);
    commands.m_seed = [] { return 7u; };
    commands.m_status = [this](const std::string& text) { statuses.push_back(text); };
  }

  std::vector<std::string> Messages() { return platform.Messages().Texts(); }
  void Load_Coffee() {
    commands.Load_Source_Photo_From(Sample_Path("coffee.png"));
    ASSERT_TRUE(app.Has_Source_Photo()) << testing::PrintToString(Messages());
  }
  void Separate() {
    commands.Create_Separations();
    ASSERT_TRUE(app.Has_Regions()) << testing::PrintToString(Messages());
  }
  // Codes of the open windows, newest first.
  std::vector<int16_t> Open_Codes() {
    std::vector<int16_t> codes;
    for (ListLink<Viewj>* link = registry.Get_Viewjs().Get_Head_Link(); link != nullptr;
         link = link->Get_Next())
      codes.push_back(link->Get_Object()->Get_Configuration_Code());
    return codes;
  }

  TestPlatform platform;
  RegionEditorApp app{platform.Get(), QUORLIN_TEXTURE_DIR};
  WindowRegistry registry{app.Get_RenderMan(), app.Get_RegionList(), platform.Messages()};
  FakeFactory factory{registry};
  ScriptedDialogs dialogs;
  ShellCommands commands{app, registry, dialogs};
  std::vector<std::string> statuses;
  TempDir temp;
};

TEST_F(ShellCommandsTest, EveryCommandRefusesBeforeAPhotoOrList) {
  const std::string photo = ShellCommands::kLoadPhotoFirst;
  const std::string seps = ShellCommands::kCreateSeparations;
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"Open Photo Window", [&] { commands.Open_Photo_Window(); }},
      {"Fit Window to Image", [&] { commands.Fit_Window_to_Image(); }},
      {"Image Size", [&] { commands.Image_Size(); }},
      {"Create Outline", [&] { commands.Create_Outline(); }},
      {"Create Separations", [&] { commands.Create_Separations(); }},
  };
  for (const auto& [name, run] : cases) {
    SCOPED_TRACE(name);
    platform.Messages().Clear();
    run();
    EXPECT_EQ(Messages(), std::vector<std::string>{photo});
  }
  const std::pair<const char*, std::function<void()>> needRegions[] = {
      {"Modify Colors", [&] { commands.Modify_Colors(); }},
      {"Save Layered Bitmap", [&] { commands.Save_Layered_Bitmap(nullptr); }},
      {"Save RegionList", [&] { commands.Save_RegionList(); }},
      {"Save RegionList As", [&] { commands.Save_RegionList_As(); }},
      {"Paint with Textures", [&] { commands.Paint_with_Textures(); }},
      {"Export", [&] { commands.Export(); }},
  };
  for (const auto& [name, run] : needRegions) {
    SCOPED_TRACE(name);
    platform.Messages().Clear();
    run();
    EXPECT_EQ(Messages(), std::vector<std::string>{seps});
  }
  platform.Messages().Clear();
  commands.Open_Layers_Window();
  EXPECT_EQ(Messages(), std::vector<std::string>{"Load a REGIONLIST from the File Menu."});
  EXPECT_EQ(registry.Count_Viewjs(), 0);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_TRUE(platform.Dialogs().Asked_Dialogs().empty());
}

TEST_F(ShellCommandsTest, LoadSourcePhotoOpensPhotoLayeredAndPreProcessingAtTheWorkingSize) {
  platform.Dialogs().Queue_Path(Sample_Path("coffee.png"));
  commands.Load_Source_Photo();
  EXPECT_TRUE(Messages().empty()) << testing::PrintToString(Messages());
  ASSERT_EQ(platform.Dialogs().Asked_Dialogs().size(), 1u);
  EXPECT_EQ(
      platform.Dialogs().Asked_Dialogs()[0].dialogRequest.filter,
      "All Formats (*.bmp; *.tif; *.png; *.jpg; *.gif)|*.bmp;*.tif;*.png;*.jpg;*.gif|BMP (*.bmp)|*.bmp|TIFF "
      "(*.tif)|*.tif|PNG (*.png)|*.png|JPEG (*.jpg)|*.jpg|GIF (*.gif)|*.gif||");
  EXPECT_EQ(Open_Codes(), (std::vector<int16_t>{8, 5, 3}));
  for (const auto& window : factory.windows) {
    int32_t w = 0, h = 0;
    window->Get_Client_Size(w, h);
    EXPECT_EQ(w, 420);  // 600 x 400 works at 400 x 266, with the margins
    EXPECT_EQ(h, 286);
  }
  int32_t cw = 0, ch = 0;
  commands.Canvas_Size(cw, ch);
  EXPECT_EQ(cw, 400);
  EXPECT_EQ(ch, 266);
  EXPECT_EQ(app.Get_Document().sourcePhotoPath, Sample_Path("coffee.png"));
  EXPECT_EQ(statuses, std::vector<std::string>{"coffee.png:  600 x 400 pixels, worked at 400 x 266"});
  // Every pane of the photo's size.
  for (ListLink<Viewj>* link = registry.Get_Viewjs().Get_Head_Link(); link != nullptr;
       link = link->Get_Next())
    EXPECT_EQ(link->Get_Object()->Get_First_Pane()->Get_Graphic().Get_Height(), 266);
}

TEST_F(ShellCommandsTest, ACancelledOrFailedPhotoChangesNothing) {
  commands.Load_Source_Photo();  // nothing queued: cancelled
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(registry.Count_Viewjs(), 0);

  const std::string text = temp.File("not-a-photo.png");
  Write_File_Bytes(text, "this is text");
  commands.Load_Source_Photo_From(text);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].rfind("File could NOT be loaded because: \n CImage::Load failed", 0), 0u)
      << Messages()[0];
  EXPECT_FALSE(app.Has_Source_Photo());
  EXPECT_EQ(registry.Count_Viewjs(), 0);
}

TEST_F(ShellCommandsTest, WithAPhotoButNoRegions) {
  Load_Coffee();
  registry.Close_All_Windows();
  // Open Layers Window opens a Photo window only when there is none.
  commands.Open_Layers_Window();
  commands.Open_Layers_Window();
  EXPECT_EQ(Open_Codes(), std::vector<int16_t>{3});
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{ShellCommands::kCreateSeparations, ShellCommands::kCreateSeparations}));
  // Open Photo Window always adds one; the new one takes the photo's size.
  commands.Open_Photo_Window();
  EXPECT_EQ(Open_Codes(), (std::vector<int16_t>{3, 3}));
  EXPECT_EQ(factory.Window_of(registry.Get_Viewjs().Get_First())->outerW, 400 + 8 + 20);
  // The map windows' own items open without checks.
  commands.Open_Window_Forced(kWindowPreProcessing);
  commands.Open_Window_Forced(kWindowPreProcessing);
  EXPECT_EQ(registry.Count_Viewjs_of_Code(kWindowPreProcessing), 2);
}

TEST_F(ShellCommandsTest, CreateSeparationsOpensTheMissingWindowsAndMarksTheWorkUnsaved) {
  Load_Coffee();
  registry.Close_All_Windows();
  EXPECT_FALSE(app.Get_Document().hasChanges);
  Separate();
  EXPECT_EQ(Open_Codes(), (std::vector<int16_t>{5, 8}));
  EXPECT_EQ(commands.Open_Dialog(), "");
  EXPECT_TRUE(app.Get_Document().hasChanges);
  // A dialog that changes nothing leaves the flag alone.
  app.Get_Document().hasChanges = false;
  dialogs.separation = [](SeparationSession&) { return false; };
  commands.Create_Separations();
  EXPECT_FALSE(app.Get_Document().hasChanges);
  EXPECT_EQ(Open_Codes(), (std::vector<int16_t>{5, 8}));
}

TEST_F(ShellCommandsTest, RegionObjectsWindowHoldsAViewPerRegion) {
  Load_Coffee();
  Separate();
  commands.Open_Window_Forced(kWindowRegionObjects);
  Viewj* record = registry.Get_Viewjs().Get_First();
  auto* pane = dynamic_cast<ListComponentView*>(record->Get_First_Pane());
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(pane->Get_Child_ComponentViews_List()->Get_Count(), app.Get_RegionList().Get_Region_Count());
  // The views sit at the regions' frames, moved by the pane's margin.
  auto* view = pane->Get_Child_ComponentViews_List()->Get_First();
  auto* region = dynamic_cast<RegionSubject*>(view->Get_Subject());
  ASSERT_NE(region, nullptr);
  RectLong frame, shown;
  region->Get_Current_Descriptor().frame.Get_Rect(frame);
  view->Get_Graphic().Get_Rect(shown);
  EXPECT_EQ(shown.left, frame.left + 10);
  EXPECT_EQ(shown.bottom, frame.bottom + 10);
}

TEST_F(ShellCommandsTest, ANewPhotoAsksBeforeUnsavedRegionsGo) {
  Load_Coffee();
  Separate();
  const int32_t regions = app.Get_RegionList().Get_Region_Count();
  platform.Messages().Queue_Answer(MessageAnswer::Cancel);
  commands.Load_Source_Photo_From(Sample_Path("chelsea.png"));
  ASSERT_EQ(platform.Messages().Shown_Messages().size(), 1u);
  EXPECT_EQ(platform.Messages().Shown_Messages()[0].text,
            "You have unsaved changes.  Do you wish to SAVE the current RegionList File?");
  EXPECT_EQ(platform.Messages().Shown_Messages()[0].buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(app.Get_Document().sourcePhotoPath, Sample_Path("coffee.png"));
  EXPECT_EQ(app.Get_RegionList().Get_Region_Count(), regions);

  // Yes, then a cancelled save dialog: still nothing lost.
  platform.Messages().Queue_Answer(MessageAnswer::Yes);
  commands.Load_Source_Photo_From(Sample_Path("chelsea.png"));
  EXPECT_EQ(app.Get_RegionList().Get_Region_Count(), regions);

  // No: the new photo starts a new illustration.
  platform.Messages().Queue_Answer(MessageAnswer::No);
  commands.Load_Source_Photo_From(Sample_Path("chelsea.png"));
  EXPECT_EQ(app.Get_Document().sourcePhotoPath, Sample_Path("chelsea.png"));
  EXPECT_FALSE(app.Has_Regions());
  EXPECT_FALSE(app.Get_Document().hasChanges);
  EXPECT_EQ(app.Get_Document().listFilePath, "");
  EXPECT_TRUE(commands.Maybe_Save_Changes());
}

TEST_F(ShellCommandsTest, SaveAsThenSaveThenLoadBack) {
  Load_Coffee();
  Separate();
  const int32_t regions = app.Get_RegionList().Get_Region_Count();
  const std::string list = temp.File("coffee.rgl");
  platform.Dialogs().Queue_Path(list);
  commands.Save_RegionList();  // no list file yet: asks where
  EXPECT_TRUE(Messages().empty()) << testing::PrintToString(Messages());
  EXPECT_TRUE(File_Exists(list));
  EXPECT_FALSE(app.Get_Document().hasChanges);
  EXPECT_EQ(statuses.back(), "RegionList was SAVED to  " + list);
  // The question is not asked once the work is saved.
  EXPECT_TRUE(commands.Maybe_Save_Changes());
  EXPECT_TRUE(Messages().empty());

  // Saving again writes the same file without a dialog.
  const size_t dialogsBefore = platform.Dialogs().Asked_Dialogs().size();
  app.Get_Document().hasChanges = true;
  commands.Save_RegionList();
  EXPECT_EQ(platform.Dialogs().Asked_Dialogs().size(), dialogsBefore);
  EXPECT_FALSE(app.Get_Document().hasChanges);

  // A cancelled Save As writes nothing and says nothing.
  statuses.clear();
  commands.Save_RegionList_As();
  EXPECT_TRUE(statuses.empty());

  // A second program loads the list: the photo comes back with it.
  TestPlatform platform2;
  RegionEditorApp app2(platform2.Get(), QUORLIN_TEXTURE_DIR);
  WindowRegistry registry2(app2.Get_RenderMan(), app2.Get_RegionList(), platform2.Messages());
  FakeFactory factory2(registry2);
  registry2.Set_Factory(&factory2);
  app2.Set_Windows(registry2);
  ScriptedDialogs dialogs2;
  ShellCommands commands2(app2, registry2, dialogs2);
  commands2.Open_File(list);
  EXPECT_TRUE(platform2.Messages().Texts().empty()) << testing::PrintToString(platform2.Messages().Texts());
  EXPECT_EQ(app2.Get_RegionList().Get_Region_Count(), regions);
  EXPECT_EQ(app2.Get_Document().sourcePhotoPath, Sample_Path("coffee.png"));
  std::vector<int16_t> codes;
  for (ListLink<Viewj>* link = registry2.Get_Viewjs().Get_Head_Link(); link != nullptr;
       link = link->Get_Next())
    codes.push_back(link->Get_Object()->Get_Configuration_Code());
  EXPECT_EQ(codes, (std::vector<int16_t>{5, 3}));
  // The layered image was recomposed from the loaded regions.
  EXPECT_EQ(Differing_Pixels(*app.Get_RenderMan().Get_Layered_Map(), *app2.Get_RenderMan().Get_Layered_Map()),
            0);
}

TEST_F(ShellCommandsTest, SaveLayeredBitmap) {
  Load_Coffee();
  Separate();
  Viewj* record = registry.Get_Viewjs().Get_First();
  commands.Save_Layered_Bitmap(nullptr);
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"GrafixWindowQvSep::On_Save_Windows_Bitmap failed,  vw is null. "});
  platform.Messages().Clear();

  const std::string out = temp.File("layered.png");
  platform.Dialogs().Queue_Path(out);
  commands.Save_Layered_Bitmap(record);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Image was saved to: \n  " + out});
  EXPECT_EQ(Differing_Pixels(platform, out, *app.Get_RenderMan().Get_Layered_Map()), 0);

  platform.Messages().Clear();
  commands.Save_Layered_Bitmap(record);  // cancelled: nothing said
  EXPECT_TRUE(Messages().empty());

  platform.Dialogs().Queue_Path(temp.File("layered.webp"));
  commands.Save_Layered_Bitmap(record);
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"Only use following FILE EXTENSIONS for the Image's NAME: \n  "
                                     ".bmp  .tif  .jpg  .gif  .png"});
}

TEST_F(ShellCommandsTest, ImageSizeRebuildsThePanesAtTheNewSize) {
  Load_Coffee();
  dialogs.imageSize = [](ImageSizeController& controller) {
    controller.Width_Typed(300);
    return controller.On_OK(false) == ImageSizeOutcome::Close;
  };
  commands.Image_Size();
  EXPECT_TRUE(Messages().empty()) << testing::PrintToString(Messages());
  int32_t cw = 0, ch = 0;
  commands.Canvas_Size(cw, ch);
  EXPECT_EQ(cw, 300);
  EXPECT_EQ(ch, 199);  // 300 / 400 x 266, truncated
  for (ListLink<Viewj>* link = registry.Get_Viewjs().Get_Head_Link(); link != nullptr;
       link = link->Get_Next()) {
    const Graphic& pane = link->Get_Object()->Get_First_Pane()->Get_Graphic();
    EXPECT_EQ(pane.Get_Width(), 300);
    EXPECT_EQ(pane.Get_Height(), 199);
    int32_t w = 0, h = 0;
    link->Get_Object()->Get_Window()->Get_Client_Size(w, h);
    EXPECT_EQ(w, 320);
  }
}

TEST_F(ShellCommandsTest, ModifyColorsKeptColoursAreUnsavedWork) {
  Load_Coffee();
  Separate();
  app.Get_Document().hasChanges = false;
  dialogs.modifyColors = [](ModifyColorsController& controller) {
    controller.On_Scramble_Colors();
    controller.On_Save();
    return true;
  };
  commands.Modify_Colors();
  EXPECT_EQ(dialogs.shown.back(), "modify colors");
  EXPECT_TRUE(app.Get_Document().hasChanges);
  app.Get_Document().hasChanges = false;
  dialogs.modifyColors = [](ModifyColorsController& controller) {
    controller.On_Scramble_Colors();
    controller.On_Scramble_Colors();
    return !controller.On_Cancel();
  };
  commands.Modify_Colors();
  EXPECT_FALSE(app.Get_Document().hasChanges);
}

TEST_F(ShellCommandsTest, PaintWithTexturesRecomposes) {
  Load_Coffee();
  Separate();
  OffMap before(400, 266, 24);
  before.Assign_Copy(*app.Get_RenderMan().Get_Layered_Map());
  app.Get_Document().hasChanges = false;
  dialogs.textureType = 1;
  commands.Paint_with_Textures();
  EXPECT_TRUE(Messages().empty()) << testing::PrintToString(Messages());
  EXPECT_TRUE(app.Get_Document().hasChanges);
  EXPECT_GT(Differing_Pixels(before, *app.Get_RenderMan().Get_Layered_Map()), 1000);

  // Without texture maps the command says where it looked.
  app.Get_RenderMan().Set_Texture_Folder(temp.Path());
  commands.Paint_with_Textures();
  EXPECT_EQ(Messages(), std::vector<std::string>{"There are no texture maps in  " + temp.Path() + "/Color/"});
}

TEST_F(ShellCommandsTest, AMoveInRegionObjectsRecomposesTheLayeredImage) {
  Load_Coffee();
  Separate();
  commands.Open_Window_Forced(kWindowRegionObjects);
  Viewj* objects = registry.Get_Viewjs().Get_First();
  Viewj* photo = registry.Get_Viewjs().Get_Last();
  EXPECT_FALSE(commands.After_Mouse_Release(*objects, true, 5, 5, 5, 5));   // not moved
  EXPECT_FALSE(commands.After_Mouse_Release(*objects, false, 5, 5, 9, 5));  // nothing selected
  EXPECT_FALSE(commands.After_Mouse_Release(*photo, true, 5, 5, 9, 5));     // not a region window
  app.Get_Document().hasChanges = false;
  FakeWindow* layered = nullptr;
  for (const auto& window : factory.windows)
    if (window->code == kWindowLayered) layered = window.get();
  const int32_t before = layered->invalidations;
  EXPECT_TRUE(commands.After_Mouse_Release(*objects, true, 5, 5, 9, 5));
  EXPECT_GT(layered->invalidations, before);
  EXPECT_TRUE(app.Get_Document().hasChanges);
}

}  // namespace

namespace {

// The size fields of a PSD header: rows, then columns, big-endian.
std::pair<int, int> Psd_Size(const std::string& bytes) {
  const auto be32 = [&](size_t at) {
    return (static_cast<uint8_t>(bytes[at]) << 24) | (static_cast<uint8_t>(bytes[at + 1]) << 16) |
           (static_cast<uint8_t>(bytes[at + 2]) << 8) | static_cast<uint8_t>(bytes[at + 3]);
  };
  return bytes.size() < 22 ? std::pair<int, int>{-1, -1} : std::pair<int, int>{be32(18), be32(14)};
}

}  // namespace

TEST_F(ShellCommandsTest, ExportWritesWhatTheDialogChoseAtItsSize) {
  Load_Coffee();
  Separate();
  // The print size keeps the canvas's aspect while typed, up to the photo's own size.
  dialogs.exportChoice = [](ExportController& c) {
    EXPECT_EQ(c.Max_Width(), 600);
    EXPECT_EQ(c.Max_Height(), 400);
    c.Set_Kind(ExportKind::Psd);
    c.Set_Print(true);
    c.Width_Typed(600);
    EXPECT_EQ(c.Height(), 399);
    return true;
  };
  platform.Dialogs().Queue_Path(temp.File("art.psd"));
  commands.Export();
  EXPECT_EQ(Messages(), std::vector<std::string>{});
  EXPECT_EQ(Psd_Size(Read_File_Bytes(temp.File("art.psd"))), (std::pair<int, int>{600, 399}));
  EXPECT_EQ(statuses.back().rfind("Wrote " + temp.File("art.psd") + " (", 0), 0u) << statuses.back();

  // Beyond the photo's size the export is refused with the limit named, and nothing is written.
  dialogs.exportChoice = [](ExportController& c) {
    c.Set_Print(true);
    c.Set_Print_Size(601, 400);
    std::string problem;
    EXPECT_FALSE(c.Check_Size(problem));
    EXPECT_NE(problem.find("600 x 400"), std::string::npos) << problem;
    c.Set_Kind(ExportKind::Layers);
    return true;
  };
  platform.Dialogs().Queue_Path(temp.File("seps"));
  commands.Export();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_FALSE(File_Exists(temp.File("seps")));

  // The separations as pictures at the working size: one per row that has regions.
  dialogs.exportChoice = [](ExportController& c) {
    c.Set_Kind(ExportKind::Layers);
    return true;
  };
  platform.Dialogs().Queue_Path(temp.File("seps"));
  commands.Export();
  EXPECT_EQ(Folder_Entries(temp.File("seps")).size(), 5u);
  EXPECT_EQ(statuses.back(), "Wrote 5 separation pictures into " + temp.File("seps") + " (400 x 266).");
}
