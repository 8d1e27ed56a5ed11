// The list-file commands: Load RegionList with its dialog, the unsaved-
// changes and later-version questions, the photo found, moved, browsed for
// or declined; the save operations with their messages, and saves that fail
// without touching the file they would replace; single-record files.

#include <gtest/gtest.h>

#include <filesystem>

#include "RegionListBytes.h"
#include "persistence/RegionListFileCommands.h"
#include "platform/Text.h"
#include "regions/RegionListFixtures.h"

using namespace rglbytes;
using regionlist_test::Add_Block;
using regionlist_test::BlockSpec;
using regionlist_test::Pixel_At;
using regionlist_test::Regions_Of;
using regionlist_test::Rgb;

namespace {

const char kMovedQuestion[] =
    "The Source Photo for this RegionList is NOT in its previous folder. \nDid you want to BROWSE for  "
    "cat.png  in "
    "another folder?";

struct CommandsTest : ::testing::Test {
  TempDir dir;
  TestPlatform platform;
  RegionEditorApp app{platform.Get()};
  RegionListSubject& list = app.Get_RegionList();
  RegionListFileCommands commands{app.List_File_Context()};
  std::string photo;

  void SetUp() override { photo = Write_Photo(dir.File("cat.png"), 60, 40); }

  // A 60 x 40 picture with a red left half.
  std::string Write_Photo(const std::string& path, int width, int height) {
    std::unique_ptr<PlatformImage> image = platform.Get().Codec().Create_Image();
    image->Create(width, height, 24);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) image->Set_Pixel_RGB(x, y, x < width / 2 ? 250 : 10, 20, 30);
    EXPECT_EQ(image->Save(path), 0);
    return path;
  }

  // A list file of two regions (serial numbers 5 and 9), an outline, the
  // photo `photoPath` and a canvas of width x height, written by another
  // application.
  std::string Write_List(const std::string& name, const std::string& photoPath, int32_t width = 60,
                         int32_t height = 40, bool outline = true) {
    TestPlatform otherPlatform;
    RegionEditorApp other(otherPlatform.Get());
    RegionListSubject& l = other.Get_RegionList();
    std::string err;
    l.Replace_Canvas_Size(width, height);
    l.Set_Source_Photo_Path(photoPath);
    BlockSpec a;
    a.huntColorIndex = 11;
    Add_Block(l, a)->Set_Serial_Number(5);
    BlockSpec b;
    b.x = 10;
    b.separationID = 1;
    b.huntColorIndex = 7;
    Add_Block(l, b)->Set_Serial_Number(9);
    other.Get_Settings().watercolorParms.satExponent = 140;
    if (outline) {
      other.Get_RenderMan().Create_Outline_Map(height, width);
      other.Get_RenderMan().Get_Outline_Map()->Set_Pixel(3, 3, 80, 80, 80);
    }
    const std::string path = dir.File(name);
    EXPECT_TRUE(RegionListFileCommands(other.List_File_Context()).Save_RegionList_To(path, err)) << err;
    return path;
  }

  bool Load(bool& same, bool& photoLoaded, bool& cancelled, std::string& err) {
    return commands.Load_RegionList(same, photoLoaded, cancelled, err);
  }
};

// ---------------------------------------------------------------------------
// Loading

TEST_F(CommandsTest, LoadingReplacesTheListAndReloadsThePhotoAtTheCanvasSize) {
  Add_Block(list, BlockSpec());
  const std::string path = Write_List("cat.rgl", photo);
  platform.Dialogs().Queue_Path(path);
  bool same = true, photoLoaded = false, cancelled = true;
  std::string err;
  ASSERT_TRUE(Load(same, photoLoaded, cancelled, err)) << err;
  EXPECT_FALSE(cancelled);
  EXPECT_TRUE(photoLoaded);
  EXPECT_FALSE(same);

  const HeadlessFileDialogs::Asked& asked = platform.Dialogs().Asked_Dialogs().at(0);
  EXPECT_FALSE(asked.save);
  EXPECT_EQ(asked.dialogRequest.filter, "Region List Files (*.rgl)|*.rgl||");
  EXPECT_EQ(asked.dialogRequest.defaultExt, "rgl");
  EXPECT_TRUE(platform.Messages().Texts().empty());

  EXPECT_EQ(list.Get_Region_Count(), 2);
  EXPECT_EQ(app.Get_Document().regionCounter, 10);  // one past the highest number read
  EXPECT_EQ(app.Get_Document().sourcePhotoPath, photo);
  EXPECT_EQ(app.Get_Document().listFilePath, path);
  EXPECT_EQ(app.Get_Document().listFolder, dir.Path() + "/");
  EXPECT_EQ(app.Get_Settings().watercolorParms.satExponent, 140);
  RenderMan& rm = app.Get_RenderMan();
  ASSERT_NE(rm.Get_Source_Map(), nullptr);
  EXPECT_EQ(rm.Get_Source_Map()->Get_Width(), 60);
  EXPECT_EQ(rm.Get_Source_Map()->Get_Height(), 40);
  EXPECT_EQ(Pixel_At(*rm.Get_Source_Map(), 5, 5), (Rgb{250, 20, 30}));
  ASSERT_NE(rm.Get_Layered_Map(), nullptr);
  EXPECT_EQ(rm.Get_Layered_Map()->Get_Width(), 60);
  ASSERT_NE(rm.Get_Subtract_Map(), nullptr);
  ASSERT_NE(rm.Get_Outline_Map(), nullptr);
  EXPECT_EQ(Pixel_At(*rm.Get_Outline_Map(), 3, 3).r, 80);
  // The separation rows take the colours of the regions of each row.
  EXPECT_EQ(app.Get_Settings().lastSepRowsControlSettings[0].colorsStdIndex, 11);
  EXPECT_EQ(app.Get_Settings().lastSepRowsControlSettings[1].colorsStdIndex, 7);
  EXPECT_EQ(app.Get_Settings().lastSepRowsControlSettings[2].colorsStdIndex, 0);
  EXPECT_GE(app.Recorded_Windows().Count("recreate views"), 1);
  EXPECT_GE(app.Recorded_Windows().Count("redraw all"), 1);
  EXPECT_EQ(platform.Headless().Cursor().Depth(), 0);

  // Loading the same list again: the same photo, whatever its letter case.
  app.Get_Document().sourcePhotoPath = dir.Path() + "/CAT.PNG";
  platform.Dialogs().Queue_Path(path);
  ASSERT_TRUE(Load(same, photoLoaded, cancelled, err)) << err;
  EXPECT_TRUE(same);
  EXPECT_EQ(app.Get_Document().sourcePhotoPath, photo);
}

TEST_F(CommandsTest, CancellingTheOpenDialogChangesNothing) {
  Add_Block(list, BlockSpec());
  app.Get_Document().listFilePath = "/lists/old.rgl";
  bool same = false, photoLoaded = false, cancelled = false;
  std::string err = "stale";
  ASSERT_TRUE(Load(same, photoLoaded, cancelled, err));
  EXPECT_TRUE(cancelled);
  EXPECT_EQ(err, "");
  EXPECT_EQ(list.Get_Region_Count(), 1);
  EXPECT_EQ(app.Get_Document().listFilePath, "/lists/old.rgl");
}

TEST_F(CommandsTest, ALaterVersionIsLoadedOnlyWhenTheUserSaysSo) {
  std::string bytes = Read_File_Bytes(Write_List("later.rgl", photo));
  bytes[8] = 8;
  const std::string path = dir.File("later.rgl");
  Write_File_Bytes(path, bytes);
  Add_Block(list, BlockSpec());
  const std::string question =
      "The RegionList File ( later.rgl ) that you are trying to load is of a LATER VERSION[ 0.8 ] that that "
      "of the "
      "Application[  0.7  ]. It may or may not load properly.\n Do you want to try and load it anyway?";

  platform.Dialogs().Queue_Path(path);
  platform.Messages().Queue_Answer(MessageAnswer::No);
  bool same = false, photoLoaded = false, cancelled = false;
  std::string err;
  ASSERT_TRUE(Load(same, photoLoaded, cancelled, err)) << err;
  EXPECT_TRUE(cancelled);
  EXPECT_EQ(platform.Messages().Texts(), std::vector<std::string>{question});
  EXPECT_EQ(list.Get_Region_Count(), 1);
  EXPECT_EQ(app.Get_Document().listFilePath, "");

  platform.Messages().Clear();
  platform.Dialogs().Queue_Path(path);
  platform.Messages().Queue_Answer(MessageAnswer::Yes);
  ASSERT_TRUE(Load(same, photoLoaded, cancelled, err)) << err;
  EXPECT_FALSE(cancelled);
  EXPECT_EQ(platform.Messages().Texts(), std::vector<std::string>{question});
  EXPECT_EQ(list.Get_Region_Count(), 2);
}

TEST_F(CommandsTest, FilesThatCannotBeLoadedSayWhy) {
  const std::string good = Write_List("good.rgl", photo);
  const struct {
    std::string name, bytes, err;
  } cases[] = {
      {"missing.rgl", "", "Can not open list-file because:  No such file or directory"},
      {"picture.rgl", "not a list file",
       "This is not a Kestrane Labs file format. Load a file of the correct type."},
      {"noproject.rgl",
       List_File(
           [] {
             HeaderFields h;
             h.project = "";
             return h;
           }(),
           0, ""),
       "UniEditorApp::Peek_At_ListFiles_ProjectPath  failed,  projectFilesPath is empty."},
      {"noheader.rgl", Signature() + Chunk("RegnLIST", Le32(0)),
       "External::Goto_Chunks_Header FAILED,  could not find tag's string [ RegLstFl ] in the file( hit eof "
       ")."},
      {"badregion.rgl", List_File(HeaderFields(), 1, Small_Record([] {
                                    Record r;
                                    r.renderStyle = 16;
                                    return r;
                                  }())),
       "RegionSubject::AssignMe_from_FileObject_Small FAILED, renderStyle has a bogus value. \n File may be "
       "corrupt "
       "or out-dated."},
      {"backwards.rgl",
       Signature() + Chunk("RegLstFl", Header(HeaderFields()), 3, -1000) + Chunk("RegnLIST", Le32(0)),
       "Could not load RegionList file because:  Invalid argument"},
  };
  for (const auto& c : cases) {
    const std::string path = dir.File(c.name);
    if (!c.bytes.empty()) Write_File_Bytes(path, c.bytes);
    app.Get_Document().listFilePath = good;
    platform.Dialogs().Queue_Path(path);
    bool same = false, photoLoaded = false, cancelled = false;
    std::string err;
    EXPECT_FALSE(Load(same, photoLoaded, cancelled, err)) << c.name;
    EXPECT_EQ(err, c.err) << c.name;
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(platform.Headless().Cursor().Depth(), 0);
    const bool read = c.name == "badregion.rgl" || c.name == "backwards.rgl";
    EXPECT_EQ(app.Get_Document().listFilePath, read ? "" : good) << c.name;
  }
}

TEST_F(CommandsTest, AMovedPhotoCanBeLeftOut) {
  const std::string path = Write_List("moved.rgl", dir.File("gone/cat.png"));
  ASSERT_TRUE(commands.Load_RegionLists_Source_Photo(photo, 60, 40, *std::make_unique<bool>(),
                                                     *std::make_unique<std::string>(),
                                                     *std::make_unique<std::string>()));
  ASSERT_NE(app.Get_RenderMan().Get_Source_Map(), nullptr);
  app.Get_Document().sourcePhotoPath = photo;
  platform.Dialogs().Queue_Path(path);
  platform.Messages().Queue_Answer(MessageAnswer::No);
  bool same = true, photoLoaded = true, cancelled = true;
  std::string err;
  ASSERT_TRUE(Load(same, photoLoaded, cancelled, err)) << err;
  EXPECT_FALSE(photoLoaded);
  EXPECT_FALSE(cancelled);
  EXPECT_EQ(platform.Messages().Texts(), std::vector<std::string>{kMovedQuestion});
  EXPECT_EQ(list.Get_Region_Count(), 2);
  // The old photo's maps are gone: blank working maps of the list's canvas.
  EXPECT_EQ(app.Get_Document().sourcePhotoPath, "");
  const OffMap& source = *app.Get_RenderMan().Get_Source_Map();
  EXPECT_EQ(source.Get_Width(), 60);
  EXPECT_EQ(Pixel_At(source, 5, 5), (Rgb{0, 0, 0}));
  ASSERT_NE(app.Get_RenderMan().Get_Outline_Map(), nullptr);
}

TEST_F(CommandsTest, AMovedPhotoIsFoundByItsNameOnly) {
  std::filesystem::create_directory(dir.File("new"));
  const std::string moved = Write_Photo(dir.File("new/Cat.PNG"), 60, 40);
  const std::string other = Write_Photo(dir.File("new/dog.png"), 60, 40);
  const std::string path = Write_List("moved.rgl", dir.File("gone/cat.png"));

  platform.Dialogs().Queue_Path(path);
  platform.Dialogs().Queue_Path(other);
  platform.Dialogs().Queue_Path(moved);
  platform.Messages().Queue_Answer(MessageAnswer::Yes);
  bool same = false, photoLoaded = false, cancelled = false;
  std::string err;
  ASSERT_TRUE(Load(same, photoLoaded, cancelled, err)) << err;
  EXPECT_TRUE(photoLoaded);
  EXPECT_EQ(app.Get_Document().sourcePhotoPath, moved);
  EXPECT_EQ(platform.Messages().Texts(),
            (std::vector<std::string>{
                kMovedQuestion,
                "dog.png  does not have the same name as the original file,  cat.png.  \nPick a "
                "file with the same name, or hit the Cancel button on the 'Open' dialog box."}));
  const std::vector<HeadlessFileDialogs::Asked>& asked = platform.Dialogs().Asked_Dialogs();
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[1].dialogRequest.filter, "Files:  (*.png)|*.png||");
  EXPECT_EQ(asked[1].dialogRequest.defaultExt, "png");
  EXPECT_EQ(asked[1].dialogRequest.initialPath, "cat.png");

  // Cancelling the browse goes on without the photo.
  platform.Messages().Clear();
  platform.Dialogs().Queue_Path(path);
  platform.Messages().Queue_Answer(MessageAnswer::Yes);
  ASSERT_TRUE(Load(same, photoLoaded, cancelled, err)) << err;
  EXPECT_FALSE(photoLoaded);
  EXPECT_FALSE(cancelled);
  EXPECT_EQ(list.Get_Region_Count(), 2);
}

TEST_F(CommandsTest, TheBrowseFilterTakesTheLastThreeCharacters) {
  const struct {
    std::string stored, filter, name;
  } cases[] = {{"/photos/dog.jpeg", "Files:  (*.peg)|*.peg||", "dog.jpeg"},
               {"C:\\photos\\dog.tif", "Files:  (*.tif)|*.tif||", "dog.tif"},
               {"", "Files:  (*.ppj)|*.ppj||", ""}};
  for (const auto& c : cases) {
    platform.Dialogs().Queue_Path("/anywhere/any.ppj");
    bool cancelled = true;
    std::string chosen, err;
    ASSERT_TRUE(commands.Browse_For_Same_Named_File(c.stored, cancelled, chosen, err));
    const HeadlessFileDialogs::Asked& asked = platform.Dialogs().Asked_Dialogs().back();
    EXPECT_EQ(asked.dialogRequest.filter, c.filter);
    EXPECT_EQ(asked.dialogRequest.initialPath, c.name);
    // Any name will do when no name is stored; otherwise the dialog comes
    // again and, with nothing chosen, counts as cancelled.
    EXPECT_EQ(cancelled, !c.stored.empty()) << c.stored;
    EXPECT_EQ(chosen, c.stored.empty() ? "/anywhere/any.ppj" : "") << c.stored;
  }
}

TEST_F(CommandsTest, APhotoIsReloadedOnlyAtAWorkingSize) {
  bool declined = false;
  std::string newPath, err;
  EXPECT_FALSE(commands.Load_RegionLists_Source_Photo("cat.png", 60, 40, declined, newPath, err));
  EXPECT_EQ(err, "RegionEditorApp::Load_RegionLists_Source_Photo FAILED,  improper file path.");
  for (const auto& [w, h] : {std::pair{501, 40}, {60, 7000}, {0, 40}, {-1, -1}}) {
    EXPECT_FALSE(commands.Load_RegionLists_Source_Photo(photo, w, h, declined, newPath, err));
    EXPECT_EQ(err, Text_Format(
                       "RegionEditorApp::Load_RegionLists_Source_Photo FAILED,  the list's canvas of %d x %d "
                       "pixels is not a working size (each side 1 to 500); the photo is not loaded.",
                       w, h));
  }
  EXPECT_EQ(app.Get_RenderMan().Get_Source_Map(), nullptr);
  ASSERT_TRUE(commands.Load_RegionLists_Source_Photo(photo, 500, 1, declined, newPath, err)) << err;
  EXPECT_EQ(app.Get_RenderMan().Get_Source_Map()->Get_Width(), 500);

  // In a load, the refusal is shown and the regions come without the photo.
  const std::string path = Write_List("huge.rgl", photo, 600, 40);
  platform.Dialogs().Queue_Path(path);
  bool same = false, photoLoaded = true, cancelled = false;
  ASSERT_TRUE(Load(same, photoLoaded, cancelled, err)) << err;
  EXPECT_FALSE(photoLoaded);
  EXPECT_EQ(
      platform.Messages().Texts(),
      std::vector<std::string>{"RegionEditorApp::Load_RegionLists_Source_Photo FAILED,  the list's canvas of "
                               "600 x 40 pixels is not a working size (each side 1 to 500); the photo is not "
                               "loaded."});
  EXPECT_EQ(list.Get_Region_Count(), 2);
  EXPECT_EQ(app.Get_RenderMan().Get_Layered_Map()->Get_Width(), 600);
}

TEST_F(CommandsTest, APhotoThatCannotBeDecodedIsShownAndLeftOut) {
  Write_File_Bytes(dir.File("broken.png"), "not a picture");
  const std::string path = Write_List("broken.rgl", dir.File("broken.png"));
  platform.Dialogs().Queue_Path(path);
  bool same = false, photoLoaded = true, cancelled = false;
  std::string err;
  ASSERT_TRUE(Load(same, photoLoaded, cancelled, err)) << err;
  EXPECT_FALSE(photoLoaded);
  EXPECT_EQ(platform.Messages().Texts(),
            std::vector<std::string>{"CImage::Load failed ( Load_Bitmap_File_as_SRC )"});
  EXPECT_EQ(list.Get_Region_Count(), 2);
}

TEST_F(CommandsTest, UnsavedChangesAreOfferedForSavingFirst) {
  const std::string path = Write_List("next.rgl", photo);
  const std::string question = "You have unsaved changes.  Do you wish to SAVE the current RegionList File?";
  bool same = false, photoLoaded = false, cancelled = false;
  std::string err;

  Add_Block(list, BlockSpec());
  app.Get_Document().hasChanges = true;
  platform.Dialogs().Queue_Path(path);
  platform.Messages().Queue_Answer(MessageAnswer::Cancel);
  ASSERT_TRUE(Load(same, photoLoaded, cancelled, err)) << err;
  EXPECT_TRUE(cancelled);
  EXPECT_EQ(platform.Messages().Texts(), std::vector<std::string>{question});
  EXPECT_EQ(list.Get_Region_Count(), 1);
  EXPECT_TRUE(app.Get_Document().hasChanges);

  // Yes saves the current list through the save dialog, then loads.
  const std::string saved = dir.File("saved.rgl");
  platform.Dialogs().Queue_Path(path);
  platform.Dialogs().Queue_Path(saved);
  platform.Messages().Queue_Answer(MessageAnswer::Yes);
  ASSERT_TRUE(Load(same, photoLoaded, cancelled, err)) << err;
  EXPECT_FALSE(cancelled);
  EXPECT_FALSE(app.Get_Document().hasChanges);
  EXPECT_EQ(list.Get_Region_Count(), 2);
  ASSERT_TRUE(File_Exists(saved));
  RegionEditorApp check(platform.Get());
  ASSERT_TRUE(Load_Bytes(check, Read_File_Bytes(saved)).ok);
  EXPECT_EQ(check.Get_RegionList().Get_Region_Count(), 1);

  // No drops the changes.
  app.Get_Document().hasChanges = true;
  platform.Dialogs().Queue_Path(path);
  platform.Messages().Queue_Answer(MessageAnswer::No);
  ASSERT_TRUE(Load(same, photoLoaded, cancelled, err)) << err;
  EXPECT_FALSE(cancelled);
  EXPECT_FALSE(app.Get_Document().hasChanges);
}

// ---------------------------------------------------------------------------
// Saving

TEST_F(CommandsTest, SavingAsksForAFileAndSaysWhatHappened) {
  std::string savedPath, err;
  // An empty list is not written.
  ASSERT_TRUE(commands.Save_RegionList(savedPath, err)) << err;
  EXPECT_EQ(savedPath, "");
  EXPECT_TRUE(platform.Dialogs().Asked_Dialogs().empty());

  Add_Block(list, BlockSpec());
  list.filesBitmapMode = 0;
  app.Get_Document().sourcePhotoPath = photo;
  app.Get_Document().hasChanges = true;
  ASSERT_TRUE(commands.Save_RegionList(savedPath, err)) << err;  // cancelled: nothing queued
  EXPECT_EQ(savedPath, "");
  EXPECT_TRUE(Folder_Entries(dir.Path()) == std::vector<std::string>{"cat.png"});

  const std::string target = dir.File("saved.rgl");
  platform.Dialogs().Queue_Path(target);
  ASSERT_TRUE(commands.Save_RegionList(savedPath, err)) << err;
  EXPECT_EQ(savedPath, target);
  EXPECT_EQ(app.Get_Document().listFilePath, target);
  EXPECT_FALSE(app.Get_Document().hasChanges);
  EXPECT_EQ(list.filesBitmapMode, 1);
  const HeadlessFileDialogs::Asked& asked = platform.Dialogs().Asked_Dialogs().back();
  EXPECT_TRUE(asked.save);
  EXPECT_EQ(asked.dialogRequest.filter, "Region List Files (*.rgl)|*.rgl||");
  EXPECT_EQ(asked.dialogRequest.defaultExt, "rgl");
  EXPECT_EQ(asked.dialogRequest.initialPath, "");
  EXPECT_TRUE(asked.dialogRequest.overwritePrompt);
  // The photo in use is what the list keeps.
  RegionEditorApp back(platform.Get());
  ASSERT_TRUE(Load_Bytes(back, Read_File_Bytes(target)).ok);
  std::string stored;
  back.Get_RegionList().Get_Source_Photo_Path(stored);
  EXPECT_EQ(stored, photo);

  RegionListExternal external(app.List_File_Context());
  bool cancelled = true;
  std::string text;
  platform.Dialogs().Queue_Path(target);
  ASSERT_TRUE(commands.Save_List_As(external, cancelled, text));
  EXPECT_FALSE(cancelled);
  EXPECT_EQ(text, "Region List was SAVED.");
  EXPECT_EQ(platform.Dialogs().Asked_Dialogs().back().dialogRequest.initialPath, "saved.rgl");
  std::string message;
  ASSERT_TRUE(commands.Save_List(external, message));
  EXPECT_EQ(message, "RegionList was SAVED to  " + target);
}

TEST_F(CommandsTest, SaveListNeedsAFileFirst) {
  RegionListExternal external(app.List_File_Context());
  std::string message;
  ASSERT_TRUE(commands.Save_List(external, message));
  EXPECT_EQ(message, "First create a RegionList.");
  Add_Block(list, BlockSpec());
  ASSERT_TRUE(commands.Save_List(external, message));
  EXPECT_EQ(
      message,
      "First create a NEW FILE for the current Region list with the  'Save RegionList As...'  menu command.");
  EXPECT_TRUE(platform.Dialogs().Asked_Dialogs().empty());

  list.Get_Children_List().Delete_All();
  bool cancelled = false;
  std::string path = dir.File("empty.rgl"), text;
  ASSERT_TRUE(commands.Save_DSTlist(external, cancelled, path, text));
  EXPECT_EQ(text, "RegionList is empty.");
  EXPECT_FALSE(File_Exists(path));
  ASSERT_TRUE(commands.Save_List_As(external, cancelled, text));
  EXPECT_EQ(text, "RegionList is empty.");
}

TEST_F(CommandsTest, AFailedSaveLeavesTheOldFileAsItWas) {
  Add_Block(list, BlockSpec());
  const std::string path = dir.File("kept.rgl");
  std::string err;
  ASSERT_TRUE(commands.Save_RegionList_To(path, err)) << err;
  const std::string before = Read_File_Bytes(path);
  ASSERT_FALSE(before.empty());

  // A list the file cannot hold: a separation region, then an outline too
  // large for an inline bitmap.
  BlockSpec separation;
  separation.subRegion = false;
  RegionSubject* bad = Add_Block(list, separation);
  app.Get_Document().hasChanges = true;
  EXPECT_FALSE(commands.Save_RegionList_To(path, err));
  EXPECT_EQ(
      err,
      "RegionExternal::Emit FAILED,  there are ASeps in this SUBregion list. New RegionList file would CRASH "
      "app on re-load.");
  EXPECT_EQ(Read_File_Bytes(path), before);
  EXPECT_TRUE(app.Get_Document().hasChanges);

  bad->Set_Generation_Code(RegionSubject::kSubRegion);
  app.Get_RenderMan().Set_Outline_Map(std::make_unique<OffMap>(4000, 3000, 8));
  RegionListExternal external(app.List_File_Context());
  bool cancelled = false;
  std::string target = path, text;
  EXPECT_FALSE(commands.Save_DSTlist(external, cancelled, target, text));
  EXPECT_EQ(text,
            "OffMap::Save_OffMap_to_Inside_ListFile  FAILED,  a 4000 x 3000 bitmap is larger than the 3500 x "
            "3500 a "
            "list file can hold.");
  EXPECT_EQ(Read_File_Bytes(path), before);
  EXPECT_TRUE(Folder_Entries(dir.Path()) == (std::vector<std::string>{"cat.png", "kept.rgl"}));

  // A file that cannot be created.
  app.Get_RenderMan().Drop_Outline_Map();
  EXPECT_FALSE(commands.Save_RegionList_To(dir.File("no/such/folder/list.rgl"), err));
  EXPECT_EQ(
      err,
      "UniBasic::Save_DSTlist  failed,   could not save RegionList file because No such file or directory.");
  EXPECT_FALSE(commands.Save_RegionList_To(dir.Path(), err));
  EXPECT_EQ(err, "UniBasic::Save_DSTlist  failed,   could not save RegionList file because Is a directory.");
}

// ---------------------------------------------------------------------------
// Single-record files

// A record of five letters in a chunk of its own.
class NoteExternal : public External {
 public:
  explicit NoteExternal(int16_t code) : m_code(code) {}
  std::string Get_File_Extension() const override { return "note"; }
  std::string Get_Class_Name() const override { return "Note"; }
  int16_t Get_ChunkCode() const override { return m_code; }
  bool Emit(ListFile& file, int32_t, std::string& err) override {
    if (m_refuse) {
      err = "no words";
      return false;
    }
    file.Write(m_text.data(), m_text.size());
    return true;
  }
  bool Receive(ListFile& file, ComponentSubject*&, std::string&) override {
    char text[5] = {};
    m_text.assign(text, file.Read(text, sizeof text));
    return true;
  }
  bool Goto_My_Files_Header(ListFile& file, uint8_t& version, int32_t& length, std::string& err) override {
    return Goto_Chunks_Header(file, m_code, version, length, err);
  }

  std::string m_text = "hello";
  bool m_refuse = false;

 private:
  int16_t m_code;
};

TEST_F(CommandsTest, SingleRecordFilesHoldOneChunk) {
  NoteExternal note(3);
  std::string path, err;
  bool cancelled = false;
  ASSERT_TRUE(commands.Save_Simple_Struct(note, path, cancelled, err));
  EXPECT_TRUE(cancelled);
  for (const bool save : {true, false}) {
    if (!save) {
      NoteExternal reader(3);
      ComponentSubject* none = nullptr;
      std::string noPath;
      ASSERT_TRUE(commands.Load_Simple_Struct(reader, noPath, none, cancelled, err));
      EXPECT_TRUE(cancelled);
    }
    const HeadlessFileDialogs::Asked& asked = platform.Dialogs().Asked_Dialogs().back();
    EXPECT_EQ(asked.save, save);
    EXPECT_EQ(asked.dialogRequest.filter, "Note Files (*.note)|*.note||");
    EXPECT_EQ(asked.dialogRequest.defaultExt, "note");
    EXPECT_EQ(asked.dialogRequest.initialPath, "");
    EXPECT_TRUE(asked.dialogRequest.hideReadOnly);
    EXPECT_TRUE(asked.dialogRequest.overwritePrompt);
  }

  platform.Dialogs().Queue_Path(dir.File("a.note"));
  ASSERT_TRUE(commands.Save_Simple_Struct(note, path, cancelled, err)) << err;
  EXPECT_FALSE(cancelled);
  EXPECT_EQ(path, dir.File("a.note"));
  EXPECT_EQ(Read_File_Bytes(path), Signature(2) + "Chunk003" + '\x02' + Le32(0) + "hello");

  NoteExternal back(3);
  back.m_text.clear();
  ComponentSubject* made = nullptr;
  ASSERT_TRUE(commands.Load_Simple_Struct(back, path, made, cancelled, err)) << err;
  EXPECT_EQ(back.m_text, "hello");

  // A failed record keeps the old file.
  note.m_refuse = true;
  EXPECT_FALSE(commands.Save_Simple_Struct(note, path, cancelled, err));
  EXPECT_EQ(err, "UniEditorApp::Save_Simple_Struct  FAILED,   could not save Note file because no words.");
  EXPECT_EQ(Read_File_Bytes(path), Signature(2) + "Chunk003" + '\x02' + Le32(0) + "hello");
  std::string folder = dir.Path();
  EXPECT_FALSE(commands.Save_Simple_Struct(back, folder, cancelled, err));
  EXPECT_EQ(err,
            "UniEditorApp::Save_Simple_Struct  FAILED,   could not save Note File because Is a directory.");

  // A later version asks first; No loads nothing.
  Write_File_Bytes(dir.File("b.note"), Signature(2) + "Chunk003" + '\x08' + Le32(0) + "later");
  std::string later = dir.File("b.note");
  platform.Messages().Queue_Answer(MessageAnswer::No);
  ASSERT_TRUE(commands.Load_Simple_Struct(back, later, made, cancelled, err));
  EXPECT_TRUE(cancelled);
  EXPECT_EQ(back.m_text, "hello");
  EXPECT_EQ(
      platform.Messages().Texts().back(),
      "The Note File ( b.note ) that you are trying to load is of a LATER VERSION[ 0.8 ] that that of the "
      "Application[  0.7  ]. It may or may not load properly.\n Do you want to try and load it anyway?");
  ASSERT_TRUE(commands.Load_Simple_Struct(back, later, made, cancelled, err));
  EXPECT_EQ(back.m_text, "later");

  std::string missing = dir.File("missing.note");
  EXPECT_FALSE(commands.Load_Simple_Struct(back, missing, made, cancelled, err));
  EXPECT_EQ(err, "Could not load Note file because:  No such file or directory");

  NoteExternal listKind(-1);
  EXPECT_FALSE(commands.Save_Simple_Struct(listKind, path, cancelled, err));
  EXPECT_EQ(err, "UniEditorApp::Save_Simple_Struct FAILED. Fix External.Get_ChunkCode() for the Note class.");
  EXPECT_FALSE(commands.Load_Simple_Struct(listKind, path, made, cancelled, err));
  EXPECT_EQ(err, "UniEditorApp::Load_Simple_Struct FAILED. Fix External.Get_ChunkCode() for the Note class.");
}

}  // namespace
