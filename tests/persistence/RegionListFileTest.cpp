// The region list file: bytes written against the layout, files built byte
// by byte and read, the header's and the records' read rules, both record
// versions, the chunk searches as the reader uses them, the outline's lossy
// coding, refused lists, and damaged files.

#include <gtest/gtest.h>

#include "RegionListBytes.h"
#include "persistence/ComponentExternal.h"
#include "persistence/InlineBitmaps.h"
#include "persistence/RegionExternal.h"
#include "regions/RegionFileRecords.h"
#include "regions/RegionListFixtures.h"
#include "render/ImageFiles.h"
#include "views/ListComponentSubject.h"

using namespace rglbytes;
using regionlist_test::Add_Block;
using regionlist_test::BlockSpec;
using regionlist_test::Pixel_At;
using regionlist_test::Regions_Of;
using regionlist_test::Rgb;

namespace {

const std::string kBogus =
    "RegionSubject::AssignMe_from_FileObject_%s FAILED, %s has a bogus value. \n File may be corrupt or "
    "out-dated.";

std::string Bogus(const char* record, const char* field) {
  std::string text = kBogus;
  text.replace(text.find("%s"), 2, record);
  text.replace(text.find("%s"), 2, field);
  return text;
}

struct ListFileTest : ::testing::Test {
  TestPlatform platform;
  RegionEditorApp app{platform.Get()};
  RegionListSubject& list = app.Get_RegionList();

  void SetUp() override {
    std::string err;
    ASSERT_TRUE(list.Set_Canvas_Size(40, 30, err)) << err;
  }
};

// A region with every field set to a value of its own.
RegionSubject* Add_Full_Region(RegionListSubject& list, int16_t mode, int16_t serial) {
  BlockSpec block;
  block.x = 5;
  block.y = 6;
  block.width = 4;
  block.height = 3;
  RegionSubject* region = Add_Block(list, block);
  region->Set_Substitution_Mode(mode);
  region->Set_Render_Style(2);
  region->Set_Header_Word(64);
  region->Set_Separation_ID(2);
  region->Set_Hunt_Color_Index(5);
  region->Set_Serial_Number(serial);
  RegionDescriptor& a = region->Get_Auto_Descriptor();
  a.hueOffset = -7;
  a.satOffset = 9;
  a.valOffset = -11;
  a.seedPoint.x = 1;
  a.seedPoint.y = 2;
  RegionDescriptor& s = region->Get_Scanned_Descriptor();
  s.hueOffset = 13;
  s.satOffset = -15;
  s.valOffset = 17;
  s.pixelCount = 99;
  s.seedPoint.x = 21;
  s.seedPoint.y = 22;
  s.centroidX = 23;
  s.centroidY = 24;
  s.color = 0x00102030;
  s.hidden = 1;
  s.frame.Set_Position(-3, 7000);
  s.frame.Set_Size(8, 9);
  return region;
}

Record Full_Record(int16_t mode, int16_t serial) {
  Record r;
  r.renderStyle = 2;
  r.substitutionMode = mode;
  r.autoD.hue = -7;
  r.autoD.sat = 9;
  r.autoD.val = -11;
  r.autoD.centroidX = 2;
  r.autoD.centroidY = 1;
  r.scannedD = {13, -15, 17, 99, 21, 22, 23, 24, 0x00102030, 1, -3, 7000, 8, 9};
  r.separationID = 2;
  r.huntColorIndex = 5;
  r.serialNumber = serial;
  return r;
}

void Expect_Descriptor(const RegionDescriptor& d, const Descriptor& e) {
  EXPECT_EQ(d.hueOffset, e.hue);
  EXPECT_EQ(d.satOffset, e.sat);
  EXPECT_EQ(d.valOffset, e.val);
  EXPECT_EQ(d.pixelCount, e.pixelCount);
  EXPECT_EQ(d.seedPoint.x, e.seedX);
  EXPECT_EQ(d.seedPoint.y, e.seedY);
  EXPECT_EQ(d.centroidX, e.centroidX);
  EXPECT_EQ(d.centroidY, e.centroidY);
  EXPECT_EQ(d.color, e.color);
  EXPECT_EQ(d.hidden, e.hidden);
  EXPECT_EQ(d.frame.Get_Position().x, e.frameX);
  EXPECT_EQ(d.frame.Get_Position().y, e.frameY);
  EXPECT_EQ(d.frame.Get_Width(), e.frameWidth);
  EXPECT_EQ(d.frame.Get_Height(), e.frameHeight);
}

// ---------------------------------------------------------------------------
// Writing

TEST_F(ListFileTest, WrittenBytesFollowTheLayoutExactly) {
  list.Set_Source_Photo_Path("/photos/cat.png");
  app.Get_Settings().sepsDialogSettings.outlineLiteness = 12;
  app.Get_Settings().sepsDialogSettings.outlineDarkness = 150;
  app.Get_Settings().sepsDialogSettings.brushSize = 9;
  app.Get_RenderMan().Set_Outline_Style(2);
  app.Get_Settings().watercolorParms.darkExponent = 33;
  app.Get_Settings().watercolorParms.liteAmount = 7;
  app.Get_Settings().watercolorParms.satExponent = 90;
  Add_Full_Region(list, 1, 17);

  std::string err;
  const std::string bytes = Save_Bytes(app, err);
  ASSERT_TRUE(err.empty()) << err;

  HeaderFields h;
  h.project = "NOprojectFILEnecessary2017";
  h.liteness = 12;
  h.style = 2;
  h.contrast = 150;
  h.brush = 9;
  h.dark = 33;
  h.lite = 7;
  h.sat = 90;
  const std::string expected = List_File(h, 1, Small_Record(Full_Record(1, 17)) + Black_Mask(4, 3));
  ASSERT_EQ(bytes.size(), expected.size());
  for (size_t i = 0; i < bytes.size(); ++i) ASSERT_EQ(bytes[i], expected[i]) << "byte " << i;
  EXPECT_EQ(list.m_fileFormatVersion, 3);
}

TEST_F(ListFileTest, EachSubstitutionModeWritesItsKindOfBitmap) {
  // Mode 0: the colour map as it is; modes 2 to 4: an 8-bit map of the greys.
  RegionSubject* colour = Add_Full_Region(list, 0, 1);
  colour->Get_Region_Map()->Set_Pixel(0, 0, 255, 255, 255);
  RegionSubject* tonal = Add_Full_Region(list, 3, 2);
  tonal->Get_Region_Map()->Set_Pixel(1, 1, 77, 77, 77);
  std::string err;
  const std::string bytes = Save_Bytes(app, err);
  ASSERT_TRUE(err.empty()) << err;

  std::string err2;
  std::unique_ptr<OffMap> grey =
      OffMap::Alloc_A_8bit_TonalMap_from_24Bit_Greyscale_Bitmap(err2, *tonal->Get_Region_Map());
  ASSERT_NE(grey, nullptr);
  const std::string entries = Small_Record(Full_Record(0, 1)) + Raw_Bitmap(*colour->Get_Region_Map(), 2) +
                              Small_Record(Full_Record(3, 2)) + Raw_Bitmap(*grey, 1);
  HeaderFields h;
  h.project = "NOprojectFILEnecessary2017";
  h.photo = "";
  EXPECT_TRUE(bytes == List_File(h, 2, entries));
  // The tonal map keeps greys and turns colours to 0.
  int16_t v = 0, g = 0, b = 0;
  grey->Get_Pixel(1, 1, v, g, b);
  EXPECT_EQ(v, 77);
  grey->Get_Pixel(0, 0, v, g, b);
  EXPECT_EQ(v, 0);
}

TEST_F(ListFileTest, ListsTheFileCannotHoldAreRefused) {
  std::string err;
  // A separation region among the sub-regions of an inline list.
  BlockSpec block;
  block.subRegion = false;
  Add_Block(list, block);
  EXPECT_EQ(Save_Bytes(app, err), "");
  EXPECT_EQ(
      err,
      "RegionExternal::Emit FAILED,  there are ASeps in this SUBregion list. New RegionList file would CRASH "
      "app on re-load.");

  RegionEditorApp wide(platform.Get());
  wide.Get_RegionList().Replace_Canvas_Size(7001, 300);
  Add_Block(wide.Get_RegionList(), BlockSpec());
  EXPECT_EQ(Save_Bytes(wide, err), "");
  EXPECT_EQ(err, "RegionListExternal::Emit failed,  OLD File-FORMAT not being handled correctly.");

  wide.Get_RegionList().Replace_Canvas_Size(7000, 300);
  wide.Get_RegionList().filesBitmapMode = 8;
  EXPECT_EQ(Save_Bytes(wide, err), "");
  EXPECT_EQ(err, "RegionListExternal::Emit failed,  OLD File-FORMAT not being handled correctly.");

  wide.Get_RegionList().filesBitmapMode = 1;
  EXPECT_NE(Save_Bytes(wide, err), "") << err;

  // The list prepares region externals only.
  RegionListExternal other(app.List_File_Context());
  EXPECT_FALSE(list.Initialize_ComponentExternal_for_FileSave(&other, err));
  EXPECT_EQ(
      err,
      "RegionListSubject::Initialize_ComponentExternal_for_FileSave  FAILED,  RegionExternal had bad dynamic "
      "cast.");
  RegionExternal regionExternal(nullptr, platform.Get());
  list.filesBitmapMode = 0;
  list.m_fileFormatVersion = 2;
  ASSERT_TRUE(list.Initialize_ComponentExternal_for_FileSave(&regionExternal, err));
  EXPECT_EQ(regionExternal.Get_Files_Bitmap_Mode(), 0);
  EXPECT_TRUE(regionExternal.Is_Old_Format());
  list.m_fileFormatVersion = 3;
  list.filesBitmapMode = 1;
  ASSERT_TRUE(list.Initialize_ComponentExternal_for_FileSave(&regionExternal, err));
  EXPECT_EQ(regionExternal.Get_Files_Bitmap_Mode(), 1);
  EXPECT_FALSE(regionExternal.Is_Old_Format());
}

TEST_F(ListFileTest, TheRegionChunkNeedsAListSubject) {
  RegionListExternal external(app.List_File_Context());
  RegionSubject single;
  std::string err;
  const std::string bytes = Written([&](ListFile& file) {
    EXPECT_FALSE(external.Save_Lists_Elements(9, 3, &single, file, 0, err));
    EXPECT_EQ(
        err,
        "ComponentExternal::Save_Lists_Elements FAILED,   single ComponectSubject  case not yet implemented");
    EXPECT_FALSE(external.Save_Lists_Elements(9, 3, nullptr, file, 0, err));
    EXPECT_EQ(err,
              "ComponentExternal::Save_Lists_Elements  failed,  bad dynamic cast for ListComponentSubject.");
  });
  EXPECT_EQ(bytes, "");

  ListFile file;
  file.Open_Bytes_For_Reading(List_File(HeaderFields(), 0, ""));
  RegionExternal regions(nullptr, platform.Get());
  EXPECT_FALSE(external.Load_Lists_Elements(9, 3, &single, regions, file, err));
  EXPECT_EQ(
      err,
      "ComponentExternal::Load_Lists_Elements FAILED,   single ComponectSubject  case not yet implemented");
  EXPECT_FALSE(external.Load_Lists_Elements(9, 3, nullptr, regions, file, err));
  EXPECT_EQ(err, "ComponentExternal::Load_Lists_Elements  failed,  bad dynamic cast for OvalSubject.");
  EXPECT_FALSE(regions.Goto_My_Files_Header(file, *std::make_unique<uint8_t>().get(),
                                            *std::make_unique<int32_t>().get(), err));
  EXPECT_EQ(err, "RegionExternal does NOT have a File Type.");
}

TEST_F(ListFileTest, SavingTurnsAColourOutlineIntoGreysInTheRenderManager) {
  Add_Block(list, BlockSpec());
  RenderMan& rm = app.Get_RenderMan();
  ASSERT_TRUE(rm.Create_Outline_Map(30, 40));
  rm.Get_Outline_Map()->Set_Pixel(3, 4, 10, 200, 30);
  std::string err;
  ASSERT_NE(Save_Bytes(app, err), "") << err;
  ASSERT_EQ(rm.Get_Outline_Map()->Get_Depth(), 8);
  int16_t v = 0, g = 0, b = 0;
  rm.Get_Outline_Map()->Get_Pixel(3, 4, v, g, b);
  EXPECT_EQ(v, 200);  // the largest component
}

TEST_F(ListFileTest, AnOutlineTooLargeForTheFileFailsTheWrite) {
  Add_Block(list, BlockSpec());
  app.Get_RenderMan().Set_Outline_Map(std::make_unique<OffMap>(3501, 20, 8));
  std::string err;
  EXPECT_EQ(Save_Bytes(app, err), "");
  EXPECT_EQ(
      err,
      "OffMap::Save_OffMap_to_Inside_ListFile  FAILED,  a 3501 x 20 bitmap is larger than the 3500 x 3500 a "
      "list file can hold.");
}

// ---------------------------------------------------------------------------
// Reading the header

TEST_F(ListFileTest, HeaderValuesOutsideTheirRangesTakeTheirDefaults) {
  struct Case {
    const char* what;
    HeaderFields fields;
    int16_t mode, liteness, style, contrast, brush, dark, lite, sat;
    int32_t width, height;
    const char* photo;
  };
  const auto with = [](auto change) {
    HeaderFields f;
    change(f);
    return f;
  };
  const Case cases[] = {
      {"in range", with([](HeaderFields& f) {
         f.filesBitmapMode = 1, f.liteness = -5, f.style = 2, f.contrast = 51, f.brush = 2, f.dark = 100;
         f.lite = 100, f.sat = 200, f.width = 1, f.height = 7000;
       }),
       1, -5, 2, 51, 2, 100, 100, 200, 1, 7000, "/photos/cat.png"},
      {"upper edges", with([](HeaderFields& f) {
         f.contrast = 299, f.brush = 69, f.dark = 0, f.lite = 0, f.sat = 0, f.width = 7000, f.height = 1;
         f.filesBitmapMode = 7;
       }),
       7, 0, 0, 299, 69, 0, 0, 0, 7000, 1, "/photos/cat.png"},
      {"just outside", with([](HeaderFields& f) {
         f.filesBitmapMode = 8, f.contrast = 50, f.brush = 70, f.dark = 101, f.lite = 101, f.sat = 201;
         f.width = 7001, f.height = 0;
       }),
       0, 0, 0, 100, 6, 20, 0, 70, -1, -1, "/photos/cat.png"},
      {"negative", with([](HeaderFields& f) {
         f.filesBitmapMode = -1, f.contrast = 300, f.brush = 1, f.dark = -1, f.lite = -1, f.sat = -1;
         f.width = -5, f.height = 7001;
       }),
       0, 0, 0, 100, 6, 20, 0, 70, -1, -1, "/photos/cat.png"},
      {"bare photo name", with([](HeaderFields& f) { f.photo = "cat.png"; }), 1, 0, 0, 100, 6, 20, 0, 70, 40,
       30, ""},
      {"separator first", with([](HeaderFields& f) { f.photo = "\\cat.png"; }), 1, 0, 0, 100, 6, 20, 0, 70,
       40, 30, ""},
      {"backslashes", with([](HeaderFields& f) { f.photo = "C:\\photos\\cat.png"; }), 1, 0, 0, 100, 6, 20, 0,
       70, 40, 30, "C:\\photos\\cat.png"},
  };
  for (const Case& c : cases) {
    RegionEditorApp fresh(platform.Get());
    const Loaded loaded = Load_Bytes(fresh, List_File(c.fields, 0, ""));
    ASSERT_TRUE(loaded.ok) << c.what << ": " << loaded.err;
    RegionListSubject& l = fresh.Get_RegionList();
    RenderMan& rm = fresh.Get_RenderMan();
    EXPECT_EQ(l.filesBitmapMode, c.mode) << c.what;
    EXPECT_EQ(fresh.Get_Settings().sepsDialogSettings.outlineLiteness, c.liteness) << c.what;
    EXPECT_EQ(rm.Get_Outline_Liteness(), c.liteness) << c.what;
    EXPECT_EQ(rm.Get_Outline_Style(), c.style) << c.what;
    EXPECT_EQ(fresh.Get_Settings().sepsDialogSettings.outlineDarkness, c.contrast) << c.what;
    EXPECT_EQ(rm.Get_Outline_Darkness(), c.contrast) << c.what;
    EXPECT_EQ(fresh.Get_Settings().sepsDialogSettings.brushSize, c.brush) << c.what;
    EXPECT_EQ(fresh.Get_Settings().watercolorParms.darkExponent, c.dark) << c.what;
    EXPECT_EQ(fresh.Get_Settings().watercolorParms.liteAmount, c.lite) << c.what;
    EXPECT_EQ(fresh.Get_Settings().watercolorParms.satExponent, c.sat) << c.what;
    int32_t w = 0, h = 0;
    l.Get_Canvas_Size(w, h);
    EXPECT_EQ(w, c.width) << c.what;
    EXPECT_EQ(h, c.height) << c.what;
    std::string photo;
    l.Get_Source_Photo_Path(photo);
    EXPECT_EQ(photo, c.photo) << c.what;
    EXPECT_EQ(l.m_projectPath, "project") << c.what;
    EXPECT_EQ(l.m_fileFormatVersion, 3) << c.what;
    EXPECT_EQ(loaded.highest, -1) << c.what;
    EXPECT_EQ(loaded.outline, nullptr) << c.what;
  }
}

TEST_F(ListFileTest, TextFieldsStopAtTheirZeroOrTheirEnd) {
  HeaderFields f;
  f.project = std::string(300, 'p');
  f.photo = "/" + std::string(300, 'q');
  const Loaded loaded = Load_Bytes(app, List_File(f, 0, ""));
  ASSERT_TRUE(loaded.ok) << loaded.err;
  EXPECT_EQ(list.m_projectPath, std::string(255, 'p'));
  std::string photo;
  list.Get_Source_Photo_Path(photo);
  EXPECT_EQ(photo, "/" + std::string(254, 'q'));
}

// ---------------------------------------------------------------------------
// Reading regions

TEST_F(ListFileTest, SmallRecordsAreReadFieldByField) {
  Record r = Full_Record(1, 4321);
  r.headerWord = 77;
  r.autoD = {1, 2, 3, 400000, -6, 7, 8, 9, 0x00FF8040, 0, 11, 12, 4, 3};
  const Loaded loaded = Load_Bytes(app, List_File(HeaderFields(), 1, Small_Record(r) + Black_Mask(4, 3)));
  ASSERT_TRUE(loaded.ok) << loaded.err;
  ASSERT_EQ(list.Get_Region_Count(), 1);
  RegionSubject& region = *Regions_Of(list)[0];
  EXPECT_EQ(region.Get_Header_Word(), 77);
  EXPECT_EQ(region.Get_Render_Style(), 2);
  EXPECT_EQ(region.Get_Substitution_Mode(), 1);
  EXPECT_EQ(region.Get_Generation_Code(), 1);
  Expect_Descriptor(region.Get_Auto_Descriptor(), r.autoD);
  Expect_Descriptor(region.Get_Scanned_Descriptor(), r.scannedD);
  EXPECT_EQ(region.Get_Separation_ID(), 2);
  EXPECT_EQ(region.Get_Hunt_Color_Index(), 5);
  EXPECT_EQ(region.Get_Serial_Number(), 4321);
  EXPECT_EQ(loaded.highest, 4321);
  EXPECT_EQ(region.Get_Auto_Descriptor().bitmapPath, "");
  // The mask comes back in the hunt colour (the auto descriptor's colour).
  ASSERT_EQ(region.Get_Region_Map()->Get_Depth(), 24);
  EXPECT_EQ(Pixel_At(*region.Get_Region_Map(), 3, 2), (Rgb{0x40, 0x80, 0xFF}));
  // The display map is the map seen through the offsets in force (auto).
  std::string err;
  std::unique_ptr<OffMap> display = region.Get_Region_Map()->Make_ScaledDown_ColorModified_Copy(1, 2, 3, err);
  EXPECT_EQ(Pixel_At(*region.Get_Display_Map(), 3, 2), Pixel_At(*display, 3, 2));
}

TEST_F(ListFileTest, RecordCodesAreMappedOrRefused) {
  struct Case {
    int16_t subst, gen, style, serial;
    int16_t wantSubst, wantGen, wantStyle, wantSerial;
  };
  const Case cases[] = {
      {7, 1, 0, 9000, 1, 1, 0, 0}, {5, 2, 9, 8999, 1, 1, 0, 8999}, {15, 15, 4, -1, 1, 1, 0, 0},
      {4, 0, 3, 0, 4, 0, 3, 0},    {0, 1, 15, 100, 0, 1, 0, 100},  {2, 3, 1, 32767, 2, 1, 1, 0},
  };
  for (const Case& c : cases) {
    RegionEditorApp fresh(platform.Get());
    fresh.Get_RegionList().filesBitmapMode = 1;
    Record r;
    r.substitutionMode = c.subst;
    r.generationCode = c.gen;
    r.renderStyle = c.style;
    r.serialNumber = c.serial;
    // Mode 0 keeps the colour map raw; the other modes here get a mask or a
    // tonal map.
    const OffMap colour(4, 3, 24), tonal(4, 3, 8);
    const std::string bitmap = c.wantSubst == 0   ? Raw_Bitmap(colour, 2)
                               : c.wantSubst == 1 ? Black_Mask(4, 3)
                                                  : Raw_Bitmap(tonal, 1);
    const Loaded loaded = Load_Bytes(fresh, List_File(HeaderFields(), 1, Small_Record(r) + bitmap));
    ASSERT_TRUE(loaded.ok) << loaded.err;
    RegionSubject& region = *Regions_Of(fresh.Get_RegionList())[0];
    EXPECT_EQ(region.Get_Substitution_Mode(), c.wantSubst) << c.subst;
    EXPECT_EQ(region.Get_Generation_Code(), c.wantGen) << c.gen;
    EXPECT_EQ(region.Get_Render_Style(), c.wantStyle) << c.style;
    EXPECT_EQ(region.Get_Serial_Number(), c.wantSerial) << c.serial;
  }

  // A refused record ends the load; the regions before it stay.
  const struct {
    int16_t subst, gen, style;
    const char* field;
  } refused[] = {{16, 1, 0, "substitutionMode"}, {-1, 1, 0, "substitutionMode"}, {1, 16, 0, "generationCode"},
                 {1, -2, 0, "generationCode"},   {1, 1, 16, "renderStyle"},      {1, 1, -1, "renderStyle"}};
  for (const auto& c : refused) {
    for (int version : {3, 2}) {
      RegionEditorApp fresh(platform.Get());
      Record good, bad;
      bad.substitutionMode = c.subst;
      bad.generationCode = c.gen;
      bad.renderStyle = c.style;
      const auto record = [&](const Record& x) { return version == 3 ? Small_Record(x) : Old_Record(x); };
      const Loaded loaded = Load_Bytes(
          fresh, List_File(HeaderFields(), 2, record(good) + Black_Mask(4, 3) + record(bad), "", version));
      EXPECT_FALSE(loaded.ok);
      EXPECT_EQ(loaded.err, Bogus(version == 3 ? "Small" : "Old", c.field));
      EXPECT_EQ(fresh.Get_RegionList().Get_Region_Count(), 1);
    }
  }
}

TEST_F(ListFileTest, VersionTwoFilesHaveOldRecordsWithTexts) {
  Record r = Full_Record(0, 31);
  r.autoD = {-1, -2, -3, 123456, 7, 8, 9, 10, 0x00010203, 0, 1, 2, 4, 3};
  r.scannedD = {4, 5, 6, 654321, 11, 12, 13, 14, 0x00040506, 1, -9, -8, 4, 3};
  r.autoBitmap = "C:\\maps\\auto.bmp";
  r.autoParent = "C:\\maps\\parent.bmp";
  r.scannedBitmap = std::string(300, 's');
  r.scannedParent = "scanned-parent";
  r.extraText = "extra words";
  OffMap colour(4, 3, 24);
  colour.Fill(255);
  colour.Set_Pixel(2, 1, 9, 8, 7);
  const std::string bytes = List_File(HeaderFields(), 1, Old_Record(r) + Raw_Bitmap(colour, 2), "", 2);
  const Loaded loaded = Load_Bytes(app, bytes);
  ASSERT_TRUE(loaded.ok) << loaded.err;
  EXPECT_EQ(list.m_fileFormatVersion, 2);
  RegionSubject& region = *Regions_Of(list)[0];
  Expect_Descriptor(region.Get_Auto_Descriptor(), r.autoD);
  Expect_Descriptor(region.Get_Scanned_Descriptor(), r.scannedD);
  EXPECT_EQ(region.Get_Auto_Descriptor().bitmapPath, "C:\\maps\\auto.bmp");
  EXPECT_EQ(region.Get_Auto_Descriptor().parentPath, "C:\\maps\\parent.bmp");
  EXPECT_EQ(region.Get_Scanned_Descriptor().bitmapPath, std::string(254, 's'));
  EXPECT_EQ(region.Get_Scanned_Descriptor().parentPath, "scanned-parent");
  EXPECT_EQ(region.Get_Extra_Text(), "extra words");
  EXPECT_EQ(region.Get_Serial_Number(), 31);
  EXPECT_EQ(Pixel_At(*region.Get_Region_Map(), 2, 1), (Rgb{9, 8, 7}));
  EXPECT_EQ(Pixel_At(*region.Get_Region_Map(), 0, 0), (Rgb{255, 255, 255}));

  // The Old record's own writer lays it out the same way.
  uint8_t packed[RegionRecordOld::kBytes];
  RegionRecordOld record;
  region.Emit_to_FileObject_Old(record);
  RegionExternal::Pack_Old(record, packed);
  r.scannedBitmap = std::string(254, 's');
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(packed), sizeof packed), Old_Record(r));
}

TEST_F(ListFileTest, TonalAndColourMapsComeBackAsTheyWereStored) {
  OffMap tonal(3, 2, 8);
  tonal.Set_Pixel(0, 0, 0, 0, 0);
  tonal.Set_Pixel(1, 0, 128, 0, 0);
  tonal.Set_Pixel(2, 1, 255, 0, 0);
  Record r;
  r.substitutionMode = 2;
  const Loaded loaded = Load_Bytes(app, List_File(HeaderFields(), 1, Small_Record(r) + Raw_Bitmap(tonal, 1)));
  ASSERT_TRUE(loaded.ok) << loaded.err;
  const OffMap& map = *Regions_Of(list)[0]->Get_Region_Map();
  ASSERT_EQ(map.Get_Depth(), 24);
  EXPECT_EQ(Pixel_At(map, 0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(Pixel_At(map, 1, 0), (Rgb{128, 128, 128}));
  EXPECT_EQ(Pixel_At(map, 2, 1), (Rgb{255, 255, 255}));
}

TEST_F(ListFileTest, RegionsWithBitmapFilesOfTheirOwn) {
  TempDir dir;
  OffMap colour(4, 3, 24);
  colour.Fill(255);
  colour.Set_Pixel(1, 2, 10, 20, 30);
  std::string path = dir.File("region.bmp");
  bool cancelled = false;
  std::string err;
  ASSERT_TRUE(Save_Bitmap_File(platform.Get(), cancelled, &colour, path, err)) << err;

  HeaderFields h;
  h.filesBitmapMode = 0;
  Record r;
  r.substitutionMode = 0;
  r.scannedBitmap = path;
  Loaded loaded = Load_Bytes(app, List_File(h, 1, Old_Record(r), "", 2));
  ASSERT_TRUE(loaded.ok) << loaded.err;
  EXPECT_EQ(Pixel_At(*Regions_Of(list)[0]->Get_Region_Map(), 1, 2), (Rgb{10, 20, 30}));

  // A missing file, a folder and a path that is not there at all.
  for (const std::string& missing : {dir.File("gone.bmp"), dir.Path()}) {
    r.scannedBitmap = missing;
    loaded = Load_Bytes(app, List_File(h, 1, Old_Record(r), "", 2));
    EXPECT_FALSE(loaded.ok);
    EXPECT_EQ(loaded.err, "RegionExternal::Receive FAILED, all bitmaps may be missing from folder [  " +
                              missing + "  ] ");
  }
  r.scannedBitmap.clear();
  platform.Messages().Clear();
  loaded = Load_Bytes(app, List_File(h, 1, Old_Record(r), "", 2));
  EXPECT_FALSE(loaded.ok);
  EXPECT_EQ(loaded.err, "RegionExternal::Receive FAILED, Get_Current_Bitmaps_Path  was empty.");
  EXPECT_EQ(
      platform.Messages().Texts(),
      std::vector<std::string>{"RegionSubject::Get_Current_Bitmaps_Path  failed,  file path is empty."});

  // Modes 2 to 7 pass the header but no region can be read with them.
  h.filesBitmapMode = 5;
  loaded = Load_Bytes(app, List_File(h, 1, Small_Record(Record())));
  EXPECT_FALSE(loaded.ok);
  EXPECT_EQ(loaded.err, "RegionExternal::Receive FAILED,  filesBitmapMode had a bad value.");
}

TEST_F(ListFileTest, RegionMapsOfOneLoadShareABudget) {
  RegionExternal external(nullptr, platform.Get());
  external.Set_Old_Format(false);
  external.Set_Files_Bitmap_Mode(1);
  external.Set_Pixel_Budget(100);
  ListFile file;
  file.Open_Bytes_For_Reading(Small_Record(Record()) + Black_Mask(8, 8) + Small_Record(Record()) +
                              Black_Mask(6, 7) + Small_Record(Record()) + Black_Mask(6, 1));
  ComponentSubject* made = nullptr;
  std::string err;
  ASSERT_TRUE(external.Receive(file, made, err)) << err;
  delete made;
  EXPECT_FALSE(external.Receive(file, made, err));
  EXPECT_EQ(made, nullptr);
  EXPECT_EQ(err,
            "RegionExternal::Receive FAILED,  the region bitmaps of this file are larger than a region list "
            "can hold. "
            "\n File may be corrupt.");
  // What was refused does not count against the budget.
  ASSERT_TRUE(external.Receive(file, made, err)) << err;
  delete made;
}

// ---------------------------------------------------------------------------
// Round trips

TEST_F(ListFileTest, WhatTheWriterWritesTheReaderReadsBack) {
  RegionSubject* colour = Add_Full_Region(list, 0, 3);
  colour->Get_Region_Map()->Set_Pixel(0, 0, 1, 2, 3);
  colour->Get_Region_Map()->Set_Pixel(3, 2, 255, 255, 255);
  RegionSubject* mask = Add_Full_Region(list, 1, 8000);
  mask->Get_Region_Map()->Set_Pixel(2, 1, 255, 255, 255);
  RegionSubject* tonal = Add_Full_Region(list, 4, 12);
  tonal->Get_Region_Map()->Set_Pixel(1, 1, 90, 90, 90);
  tonal->Get_Region_Map()->Set_Pixel(2, 2, 255, 255, 255);
  list.Set_Source_Photo_Path("/photos/dog.jpeg");
  app.Get_Settings().watercolorParms.satExponent = 150;
  std::string err;
  const std::string bytes = Save_Bytes(app, err);
  ASSERT_FALSE(bytes.empty()) << err;

  RegionEditorApp back(platform.Get());
  const Loaded loaded = Load_Bytes(back, bytes);
  ASSERT_TRUE(loaded.ok) << loaded.err;
  EXPECT_EQ(loaded.highest, 8000);
  EXPECT_EQ(back.Get_Settings().watercolorParms.satExponent, 150);
  EXPECT_EQ(back.Get_RegionList().m_projectPath, "NOprojectFILEnecessary2017");
  std::string photo;
  back.Get_RegionList().Get_Source_Photo_Path(photo);
  EXPECT_EQ(photo, "/photos/dog.jpeg");
  const std::vector<RegionSubject*> before = Regions_Of(list), after = Regions_Of(back.Get_RegionList());
  ASSERT_EQ(after.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    const RegionSubject& a = *before[i];
    const RegionSubject& b = *after[i];
    EXPECT_EQ(b.Get_Substitution_Mode(), a.Get_Substitution_Mode());
    EXPECT_EQ(b.Get_Render_Style(), a.Get_Render_Style());
    EXPECT_EQ(b.Get_Serial_Number(), a.Get_Serial_Number());
    EXPECT_EQ(b.Get_Scanned_Descriptor().frame.Get_Position().y, 7000);
    EXPECT_EQ(b.Get_Auto_Descriptor().color, a.Get_Auto_Descriptor().color);
    EXPECT_EQ(b.Get_Scanned_Descriptor().hidden, 1);
  }
  // Colour maps exactly; masks in the hunt colour; tonal maps as greys with
  // every coloured pixel black.
  EXPECT_TRUE(regionlist_test::Pixel_At(*after[0]->Get_Region_Map(), 0, 0) == (Rgb{1, 2, 3}));
  EXPECT_EQ(Pixel_At(*after[0]->Get_Region_Map(), 3, 2), (Rgb{255, 255, 255}));
  EXPECT_EQ(Pixel_At(*after[0]->Get_Region_Map(), 1, 1), (Rgb{200, 100, 50}));
  EXPECT_EQ(Pixel_At(*after[1]->Get_Region_Map(), 2, 1), (Rgb{255, 255, 255}));
  EXPECT_EQ(Pixel_At(*after[1]->Get_Region_Map(), 0, 0), (Rgb{200, 100, 50}));
  EXPECT_EQ(Pixel_At(*after[2]->Get_Region_Map(), 1, 1), (Rgb{90, 90, 90}));
  EXPECT_EQ(Pixel_At(*after[2]->Get_Region_Map(), 2, 2), (Rgb{255, 255, 255}));
  EXPECT_EQ(Pixel_At(*after[2]->Get_Region_Map(), 0, 0), (Rgb{0, 0, 0}));
}

TEST_F(ListFileTest, TheOutlineIsKeptAsGreysAtHalfPrecision) {
  Add_Block(list, BlockSpec());
  RenderMan& rm = app.Get_RenderMan();
  ASSERT_TRUE(rm.Create_Outline_Map(30, 40));
  const int16_t stored[] = {0, 1, 2, 3, 100, 101, 234, 235, 236, 254, 255};
  const int16_t read[] = {2, 2, 2, 2, 100, 100, 234, 234, 255, 255, 255};
  for (int i = 0; i < 11; ++i) rm.Get_Outline_Map()->Set_Pixel(i, 7, stored[i], stored[i], stored[i]);
  std::string err;
  const std::string bytes = Save_Bytes(app, err);
  ASSERT_FALSE(bytes.empty()) << err;
  const Loaded loaded = Load_Bytes(app, bytes);
  ASSERT_TRUE(loaded.ok) << loaded.err;
  ASSERT_NE(loaded.outline, nullptr);
  EXPECT_EQ(loaded.outline->Get_Depth(), 8);
  EXPECT_EQ(loaded.outline->Get_Width(), 40);
  EXPECT_EQ(loaded.outline->Get_Height(), 30);
  for (int i = 0; i < 11; ++i) EXPECT_EQ(Pixel_At(*loaded.outline, i, 7).r, read[i]) << stored[i];
  EXPECT_EQ(Pixel_At(*loaded.outline, 20, 20).r, 255);
}

// ---------------------------------------------------------------------------
// The searches the reader makes

TEST_F(ListFileTest, APhotoPathHoldingTheTagsLoadsBack) {
  Add_Full_Region(list, 1, 5);
  RenderMan& rm = app.Get_RenderMan();
  ASSERT_TRUE(rm.Create_Outline_Map(3, 4));
  for (const char* path : {"/photos/regnlist/a.jpg", "/RegLstFl/BITMAPOL/RegnLIST.png", "/x/bitmapol"}) {
    list.Set_Source_Photo_Path(path);
    std::string err;
    const std::string bytes = Save_Bytes(app, err);
    ASSERT_FALSE(bytes.empty()) << err;
    RegionEditorApp back(platform.Get());
    const Loaded loaded = Load_Bytes(back, bytes);
    ASSERT_TRUE(loaded.ok) << path << ": " << loaded.err;
    EXPECT_EQ(back.Get_RegionList().Get_Region_Count(), 1) << path;
    EXPECT_NE(loaded.outline, nullptr) << path;
    std::string photo;
    back.Get_RegionList().Get_Source_Photo_Path(photo);
    EXPECT_EQ(photo, path);
  }
}

TEST_F(ListFileTest, APhotoPathLongerThanItsFieldIsRefused) {
  Add_Full_Region(list, 1, 5);
  list.Set_Source_Photo_Path("/" + std::string(254, 'p'));
  std::string err;
  EXPECT_FALSE(Save_Bytes(app, err).empty()) << err;
  list.Set_Source_Photo_Path("/" + std::string(255, 'p'));
  EXPECT_TRUE(Save_Bytes(app, err).empty());
  EXPECT_EQ(
      err,
      "RegionListExternal::Emit failed,  the source photo's path is 256 bytes long; a list file keeps at "
      "most 255.  Move the photo to a shorter path.");
}

TEST_F(ListFileTest, ChunksAreFoundByTheirLengthsElseByTheFirstTagAnywhere) {
  // "RegnLIST" inside the project path: the chunk lengths lead past it to
  // the real chunk and its region.
  HeaderFields h;
  h.project = "my RegnLIST";
  const std::string region = Small_Record(Record()) + Black_Mask(4, 3);
  Loaded loaded = Load_Bytes(app, List_File(h, 1, region));
  ASSERT_TRUE(loaded.ok) << loaded.err;
  EXPECT_EQ(list.Get_Region_Count(), 1);
  // A file whose lengths were never patched is searched byte by byte: the
  // path's zero bytes read as a region count of 0.
  loaded = Load_Bytes(
      app, Signature() + Chunk("RegLstFl", Header(h), 3, 0) + Chunk("RegnLIST", Le32(1) + region, 3, 0));
  ASSERT_TRUE(loaded.ok) << loaded.err;
  EXPECT_EQ(list.Get_Region_Count(), 0);

  // Without the region chunk the search hits the end of the file.
  loaded = Load_Bytes(app, Signature() + Chunk("RegLstFl", Header(HeaderFields())));
  EXPECT_FALSE(loaded.ok);
  EXPECT_EQ(loaded.err,
            "External::Goto_Chunks_Header FAILED,  could not find tag's string [ RegnLIST ] in the file( hit "
            "eof ).");

  loaded = Load_Bytes(app, List_File(HeaderFields(), -1, ""));
  EXPECT_FALSE(loaded.ok);
  EXPECT_EQ(loaded.err, "ComponentExternal::Load_Lists_Elements FAILED, has a negative count for list.");
}

TEST_F(ListFileTest, TheOutlineIsReadOnlyWhenTheChunkWalkFindsIt) {
  OffMap outline(5, 2, 8);
  outline.Fill(255);
  outline.Set_Pixel(1, 1, 40, 40, 40);
  const std::string coded = Written([&](ListFile& f) {
    std::string err;
    ASSERT_TRUE(Save_OffMap_to_Inside_ListFile(outline, f, 1, 3, err)) << err;
  });
  const std::string entries = Small_Record(Record()) + Black_Mask(4, 3);

  Loaded loaded = Load_Bytes(app, List_File(HeaderFields(), 1, entries, coded));
  ASSERT_TRUE(loaded.ok) << loaded.err;
  ASSERT_NE(loaded.outline, nullptr);
  EXPECT_EQ(Pixel_At(*loaded.outline, 1, 1).r, 40);
  EXPECT_EQ(list.Get_Region_Count(), 1);

  loaded = Load_Bytes(app, List_File(HeaderFields(), 1, entries));
  ASSERT_TRUE(loaded.ok) << loaded.err;
  EXPECT_EQ(loaded.outline, nullptr);

  // A region chunk whose length points past its end: the walk misses the
  // outline chunk behind it, which is then not read.
  std::string lost = Signature() + Chunk("RegLstFl", Header(HeaderFields())) +
                     Chunk("RegnLIST", Le32(1) + entries, 3, 5) + Chunk("BITmapOL", coded);
  loaded = Load_Bytes(app, lost);
  ASSERT_TRUE(loaded.ok) << loaded.err;
  EXPECT_EQ(loaded.outline, nullptr);
  EXPECT_EQ(list.Get_Region_Count(), 1);

  // An outline that cannot be read leaves the load standing.
  std::string bad = coded;
  bad[4] = 7;  // depth 7
  loaded = Load_Bytes(app, List_File(HeaderFields(), 1, entries, bad));
  ASSERT_TRUE(loaded.ok) << loaded.err;
  EXPECT_EQ(loaded.outline, nullptr);
  EXPECT_EQ(list.Get_Region_Count(), 1);
}

TEST_F(ListFileTest, AFileOfAnotherKindLeavesTheListAlone) {
  Add_Block(list, BlockSpec());
  app.Get_Settings().watercolorParms.satExponent = 33;
  for (const std::string& bytes : {std::string("VODIDIZ"), std::string("PNG not a list file at all")}) {
    const Loaded loaded = Load_Bytes(app, bytes);
    EXPECT_FALSE(loaded.ok);
    EXPECT_EQ(loaded.err, "This is not a Kestrane Labs file format. Load a file of the correct type.");
  }
  // The header cut short: refused before any setting is replaced.
  const Loaded loaded =
      Load_Bytes(app, Signature() + Chunk("RegLstFl", Header(HeaderFields())).substr(0, 300));
  EXPECT_FALSE(loaded.ok);
  EXPECT_EQ(
      loaded.err,
      "RegionListExternal::Receive FAILED,  the file ends inside the list header. \n File may be corrupt.");
  EXPECT_EQ(list.Get_Region_Count(), 1);
  EXPECT_EQ(app.Get_Settings().watercolorParms.satExponent, 33);
}

// ---------------------------------------------------------------------------
// Damaged files

// A written list of three regions of every kind of bitmap, with an outline.
std::string Sample_File(TestPlatform& platform) {
  RegionEditorApp app(platform.Get());
  std::string err;
  app.Get_RegionList().Set_Canvas_Size(40, 30, err);
  Add_Full_Region(app.Get_RegionList(), 0, 1);
  Add_Full_Region(app.Get_RegionList(), 1, 2)->Get_Region_Map()->Set_Pixel(1, 1, 255, 255, 255);
  Add_Full_Region(app.Get_RegionList(), 2, 3);
  RenderMan& rm = app.Get_RenderMan();
  rm.Create_Outline_Map(30, 40);
  for (int32_t x = 0; x < 40; ++x) rm.Get_Outline_Map()->Set_Pixel(x, x % 30, 60, 60, 60);
  return Save_Bytes(app, err);
}

TEST_F(ListFileTest, AFileCutShortAnywhereEndsInAnErrorText) {
  const std::string whole = Sample_File(platform);
  ASSERT_FALSE(whole.empty());
  const size_t outlineChunk = whole.find("BITmapOL");
  ASSERT_NE(outlineChunk, std::string::npos);
  const size_t firstRecord = whole.find("RegnLIST") + 13 + 4;
  for (size_t cut = 0; cut < whole.size(); ++cut) {
    RegionEditorApp fresh(platform.Get());
    const Loaded loaded = Load_Bytes(fresh, whole.substr(0, cut));
    if (loaded.ok) {
      // Only the outline may be lost: every region is there.
      EXPECT_GE(cut, outlineChunk) << cut;
      EXPECT_EQ(fresh.Get_RegionList().Get_Region_Count(), 3) << cut;
      EXPECT_EQ(loaded.outline, nullptr) << cut;
    } else {
      EXPECT_FALSE(loaded.err.empty()) << cut;
      EXPECT_LT(fresh.Get_RegionList().Get_Region_Count(), 3) << cut;
    }
  }
  // Some of the texts, by where the file ends.
  const auto err_at = [&](size_t cut) {
    RegionEditorApp fresh(platform.Get());
    return Load_Bytes(fresh, whole.substr(0, cut)).err;
  };
  EXPECT_EQ(err_at(firstRecord + 100),
            "RegionExternal::Receive FAILED,  the file ends inside a region record. \n File may be corrupt.");
  EXPECT_EQ(
      err_at(firstRecord + 188 + 40),
      "OffMap::Load_Bitmap_from_Inside_ListFile  FAILED,  could not read RegionListsInlineBitmapFileHeader.");
  EXPECT_EQ(err_at(firstRecord + 188 + 88 + 10), "Load_Bitmap_from_Inside_ListFile FAILED,  File.Read bits.");
  const size_t maskRows = firstRecord + 188 + 88 + 76 + 188 + 88;
  EXPECT_EQ(err_at(maskRows + 1), "OffMap::Read_Files_Next_yRow_wRunLength_Encoding_1bit FAILED,  EOF");
  EXPECT_EQ(err_at(outlineChunk - 1), "Load_Bitmap_from_Inside_ListFile FAILED,  File.Read bits.");
  EXPECT_EQ(
      err_at(firstRecord - 2),
      "ComponentExternal::Load_Lists_Elements FAILED,  the file ends inside the list's count. \n File may be "
      "corrupt.");
}

TEST_F(ListFileTest, ACorruptedFileEndsInALoadOrAnErrorText) {
  const std::string whole = Sample_File(platform);
  ASSERT_FALSE(whole.empty());
  int failed = 0;
  for (size_t at = 0; at < whole.size(); ++at) {
    for (const char value : {'\x00', '\x7F', '\x80', '\xFF'}) {
      std::string damaged = whole;
      if (damaged[at] == value) continue;
      damaged[at] = value;
      RegionEditorApp fresh(platform.Get());
      const Loaded loaded = Load_Bytes(fresh, damaged);
      if (!loaded.ok) {
        EXPECT_FALSE(loaded.err.empty()) << at;
        ++failed;
      }
      for (RegionSubject* region : Regions_Of(fresh.Get_RegionList())) {
        ASSERT_NE(region->Get_Region_Map(), nullptr);
        ASSERT_NE(region->Get_Display_Map(), nullptr);
        EXPECT_EQ(region->Get_Region_Map()->Get_Depth(), 24);
      }
    }
  }
  EXPECT_GT(failed, 0);
}

}  // namespace
