#include <gtest/gtest.h>

#include <cstring>

#include "platform/Text.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"
#include "support/TestSupport.h"

namespace {

void Put16(std::string& s, size_t at, uint32_t v) {
  s[at] = static_cast<char>(v & 0xFF);
  s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& s, size_t at, uint32_t v) {
  Put16(s, at, v);
  Put16(s, at + 2, v >> 16);
}

// A BMP file with a 40-byte information header, laid out the way the reader
// expects (colour table and rows straight after the header); `withRows`
// false gives the headers alone.
std::string Bmp(int32_t width, int32_t height, int bitCount, uint32_t clrUsed = 0, uint32_t compression = 0,
                bool withRows = true) {
  const int64_t stride = ((bitCount * static_cast<int64_t>(width) + 31) / 32) * 4;
  const int64_t table = bitCount == 8 ? 1024 : 0;
  const int64_t rows = withRows && width > 0 && height > 0 ? stride * height : 0;
  std::string s(static_cast<size_t>(54 + table + rows), '\0');
  s[0] = 'B';
  s[1] = 'M';
  Put32(s, 2, static_cast<uint32_t>(s.size()));
  Put32(s, 10, static_cast<uint32_t>(54 + table));
  Put32(s, 14, 40);
  Put32(s, 18, static_cast<uint32_t>(width));
  Put32(s, 22, static_cast<uint32_t>(height));
  Put16(s, 26, 1);
  Put16(s, 28, static_cast<uint32_t>(bitCount));
  Put32(s, 30, compression);
  Put32(s, 46, clrUsed);
  for (int i = 0; i < table / 4; ++i) s[54 + 4 * i] = s[55 + 4 * i] = s[56 + 4 * i] = static_cast<char>(i);
  return s;
}

class ImageFilesTest : public ::testing::Test {
 protected:
  // A photo file of w x h whose pixel (x, y) is (x, y, x + y) mod 256 (grey
  // when `grey`), written through the codec.
  std::string Photo(const std::string& name, int w, int h, bool grey = false) {
    std::unique_ptr<PlatformImage> image = platform.Get().Codec().Create_Image();
    EXPECT_TRUE(image->Create(w, h, 24));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        grey ? image->Set_Pixel_RGB(x, y, x & 255, x & 255, x & 255)
             : image->Set_Pixel_RGB(x, y, x & 255, y & 255, (x + y) & 255);
    const std::string path = dir.File(name);
    EXPECT_EQ(image->Save(path), 0) << image->Last_Error();
    return path;
  }

  TestPlatform platform;
  RenderMan rm{platform.Get()};
  TempDir dir;
  std::string err;
  bool fileProblem = false;
  bool cancelled = false;
};

TEST(WorkingSize, LongerSideBecomes400) {
  const auto check = [](WorkingSize s, int w, int h, double scale) {
    EXPECT_EQ(s.width, w);
    EXPECT_EQ(s.height, h);
    EXPECT_DOUBLE_EQ(s.scale, scale);
  };
  check(Working_Size_of_Photo(4000, 3000, -1, -1, 400), 400, 300, 10.0);
  check(Working_Size_of_Photo(3000, 4000, -1, -1, 400), 301, 401, 3000.0 / 301);
  check(Working_Size_of_Photo(400, 400, -1, -1, 400), 400, 400, 1.0);
  check(Working_Size_of_Photo(600, 400, -1, -1, 400), 400, 266, 1.5);
  check(Working_Size_of_Photo(4000, 5, -1, -1, 400), 400, 1, 10.0);  // no row would be left
  // An explicit size is kept; the scale follows the width only when the
  // aspect agrees, else the height.
  check(Working_Size_of_Photo(4000, 3000, 200, 150, -1), 200, 150, 20.0);
  check(Working_Size_of_Photo(4000, 3000, 200, 100, -1), 200, 100, 30.0);
}

TEST_F(ImageFilesTest, PhotoLoadsAtItsWorkingSize) {
  const std::string landscape = Photo("wide.png", 800, 600);
  ASSERT_TRUE(Load_Bitmap_File_as_SRC(err, rm, landscape, -1, -1, 400, fileProblem)) << err;
  int32_t w = 0, h = 0;
  rm.Get_Source_Size(w, h);
  EXPECT_EQ(std::make_pair(w, h), std::make_pair(400, 300));
  // Scale 2: source (x, y) is photo (2x, 2y) exactly.
  int16_t r = 0, g = 0, b = 0;
  rm.Get_Source_Map()->Get_Pixel(399, 299, r, g, b);
  EXPECT_EQ(std::vector<int16_t>({r, g, b}), (std::vector<int16_t>{798 & 255, 598 & 255, (798 + 598) & 255}));
  EXPECT_EQ(0, std::memcmp(rm.Get_Source_Map()->Get_Bits(), rm.Get_Source_Map_Backup()->Get_Bits(),
                           rm.Get_Source_Map()->Get_Image_Bytes()));
  EXPECT_EQ(rm.Get_Layered_Map()->Get_Width(), 400);
  EXPECT_FALSE(rm.Is_Greyscale_Photo());
  EXPECT_EQ(platform.Headless().Cursor().Depth(), 0);
  EXPECT_GT(platform.Headless().Cursor().Times_Shown(), 0);

  ASSERT_TRUE(Load_Bitmap_File_as_SRC(err, rm, Photo("tall.png", 600, 800, true), -1, -1, 400, fileProblem));
  rm.Get_Source_Size(w, h);
  EXPECT_EQ(std::make_pair(w, h), std::make_pair(301, 401));
  EXPECT_TRUE(rm.Is_Greyscale_Photo());
  // An explicit size is taken even when its aspect differs from the photo's.
  ASSERT_TRUE(Load_Bitmap_File_as_SRC(err, rm, landscape, 123, 456, -1, fileProblem));
  rm.Get_Source_Size(w, h);
  EXPECT_EQ(std::make_pair(w, h), std::make_pair(123, 456));
}

TEST_F(ImageFilesTest, FailedPhotoLoadKeepsThePreviousPhoto) {
  EXPECT_FALSE(Load_Bitmap_File_as_SRC(err, rm, "", -1, -1, 400, fileProblem));
  EXPECT_EQ(err, "RenderMan::Load_Bitmap_File_as_SRC FAILED,  filesPath is empty.");
  EXPECT_FALSE(fileProblem);
  ASSERT_TRUE(Load_Bitmap_File_as_SRC(err, rm, Photo("a.png", 200, 100), -1, -1, 400, fileProblem));
  const PlatformImage* before = rm.Get_Photo_Original();
  EXPECT_FALSE(Load_Bitmap_File_as_SRC(err, rm, dir.File("missing.png"), -1, -1, 400, fileProblem));
  EXPECT_EQ(err, "CImage::Load failed ( Load_Bitmap_File_as_SRC )");
  EXPECT_TRUE(fileProblem);
  EXPECT_EQ(rm.Get_Photo_Original(), before);
  EXPECT_TRUE(rm.Change_Image_Size(100, 100, err)) << err;

  // A picture above 100 megapixels is refused from its header alone (before
  // its missing rows are noticed).
  Write_File_Bytes(dir.File("huge.bmp"), Bmp(20000, 10000, 24, 0, 0, false));
  CodecFailure codec{1, "stale"};
  EXPECT_FALSE(Load_Bitmap_File_as_SRC(err, rm, dir.File("huge.bmp"), -1, -1, 400, fileProblem, &codec));
  EXPECT_EQ(err,
            "huge.bmp could not be loaded:  the picture is 20000 x 10000 pixels; pictures above 100 "
            "megapixels are not loaded.");
  EXPECT_TRUE(fileProblem);
  EXPECT_EQ(codec.status, kImageLoadTooLarge);

  // A cut-off picture: the program's text, the codec's reason beside it.
  Write_File_Bytes(dir.File("cut.bmp"), Bmp(300, 200, 24).substr(0, 1000));
  EXPECT_FALSE(Load_Bitmap_File_as_SRC(err, rm, dir.File("cut.bmp"), -1, -1, 400, fileProblem, &codec));
  EXPECT_EQ(err, "CImage::Load failed ( Load_Bitmap_File_as_SRC )");
  EXPECT_TRUE(fileProblem);
  EXPECT_EQ(std::make_pair(codec.status, codec.reason),
            std::make_pair(kImageLoadDamaged,
                           std::string("the BMP file has 1000 bytes; its header calls for 180054")));
  EXPECT_EQ(rm.Get_Photo_Original(), before);
  ASSERT_TRUE(Load_Bitmap_File_as_SRC(err, rm, Photo("b.png", 20, 10), -1, -1, 400, fileProblem, &codec));
  EXPECT_EQ(std::make_pair(codec.status, codec.reason), std::make_pair(0, std::string()));
}

TEST_F(ImageFilesTest, PhotoDialogAsksAndReportsItsOutcome) {
  EXPECT_FALSE(Load_Bitmap_File_as_SRC_viaDialog(cancelled, err, err, rm));
  EXPECT_TRUE(cancelled);
  EXPECT_EQ(err, "RenderMan::Load_Bitmap_File_as_SRC_viaDialog,  User cancedled?");
  const HeadlessFileDialogs::Asked& asked = platform.Dialogs().Asked_Dialogs().back();
  EXPECT_FALSE(asked.save);
  EXPECT_EQ(asked.dialogRequest.defaultExt, "*");
  EXPECT_EQ(
      asked.dialogRequest.filter,
      "All Formats (*.bmp; *.tif; *.png; *.jpg; *.gif)|*.bmp;*.tif;*.png;*.jpg;*.gif|BMP (*.bmp)|*.bmp|TIFF "
      "(*.tif)|*.tif|PNG (*.png)|*.png|JPEG (*.jpg)|*.jpg|GIF (*.gif)|*.gif||");

  std::string chosen;
  platform.Dialogs().Queue_Path("");
  EXPECT_FALSE(Load_Bitmap_File_as_SRC_viaDialog(cancelled, err, chosen, rm));
  EXPECT_EQ(err, "RenderMan::Load_Bitmap_File_as_SRC_viaDialog FAILED,  retSrcFilesPath is empty.");
  platform.Dialogs().Queue_Path(dir.File("nothing.jpg"));
  EXPECT_FALSE(Load_Bitmap_File_as_SRC_viaDialog(cancelled, err, chosen, rm));
  EXPECT_EQ(err, "File could NOT be loaded because: \n CImage::Load failed ( Load_Bitmap_File_as_SRC )");
  EXPECT_TRUE(chosen.empty() && rm.Get_Source_Photo_Path().empty());

  const std::string photo = Photo("ok.jpg", 500, 250);
  platform.Dialogs().Queue_Path(photo);
  ASSERT_TRUE(Load_Bitmap_File_as_SRC_viaDialog(cancelled, err, chosen, rm)) << err;
  EXPECT_FALSE(cancelled);
  EXPECT_EQ(chosen, photo);
  EXPECT_EQ(rm.Get_Source_Photo_Path(), photo);
  EXPECT_EQ(rm.Get_Source_Map()->Get_Height(), 200);
}

TEST_F(ImageFilesTest, OutlinePictureBecomesAn8BitOutlineOfFullSize) {
  EXPECT_FALSE(Load_Outline_File("", fileProblem, rm, err));
  EXPECT_EQ(err, "RenderMan::Load_Outline_File  FAILED,  filesPath is empty.");
  EXPECT_FALSE(Load_Outline_File(dir.File("none.png"), fileProblem, rm, err));
  EXPECT_EQ(err, "RenderMan::Load_Outline_File failed,  could not LOAD to the CImage.");

  rm.Set_Outline_Map_Backup(std::make_unique<OffMap>(2, 2, 24));
  ASSERT_TRUE(Load_Outline_File(Photo("outline.png", 700, 300), fileProblem, rm, err)) << err;
  ASSERT_TRUE(rm.Get_Outline_Map());
  EXPECT_EQ(rm.Get_Outline_Map()->Get_Depth(), 8);
  EXPECT_EQ(rm.Get_Outline_Map()->Get_Width(), 700);
  int16_t r = 0, g = 0, b = 0;
  rm.Get_Outline_Map()->Get_Pixel(600, 10, r, g, b);
  EXPECT_EQ(r, 600 & 255);  // the red component
  EXPECT_EQ(rm.Get_Outline_Style(), 1);
  EXPECT_FALSE(rm.Get_Outline_Map_Backup());
}

TEST_F(ImageFilesTest, BmpWriterLayoutIsByteExact) {
  OffMap map(3, 2, 24);
  map.Set_Pixel(0, 0, 1, 2, 3);  // top row, stored last
  map.Set_Pixel(2, 1, 250, 251, 252);
  std::string path = dir.File("three.bmp");
  ASSERT_TRUE(Save_Bitmap_File(platform.Get(), cancelled, &map, path, err)) << err;
  std::string expected = Bmp(3, 2, 24);
  Put32(expected, 38, 7872);
  Put32(expected, 42, 7872);
  expected[54 + 6] = static_cast<char>(252);  // bottom row first: (2, 1) as blue, green, red
  expected[54 + 7] = static_cast<char>(251);
  expected[54 + 8] = static_cast<char>(250);
  expected[54 + 12] = 3;
  expected[54 + 13] = 2;
  expected[54 + 14] = 1;
  const std::string written = Read_File_Bytes(path);
  EXPECT_EQ(written.size(), 78u);
  EXPECT_EQ(written, expected);

  // Round trip through the reader.
  bool problem = true;
  std::unique_ptr<OffMap> back = Load_Bitmap_File_Dialog_STATIC(platform.Get(), path, problem, err);
  ASSERT_TRUE(back) << err;
  EXPECT_FALSE(problem);
  EXPECT_EQ(0, std::memcmp(back->Get_Bits(), map.Get_Bits(), map.Get_Image_Bytes()));
}

TEST_F(ImageFilesTest, BmpWriterRefusalsDialogAndFailedSave) {
  OffMap grey(4, 4, 8);
  std::string path = dir.File("x.bmp");
  EXPECT_FALSE(Save_Bitmap_File(platform.Get(), cancelled, &grey, path, err));
  EXPECT_EQ(err, "Can not save bitmaps that are not 24 bit color.");
  EXPECT_FALSE(Save_Bitmap_File(platform.Get(), cancelled, nullptr, path, err));
  EXPECT_EQ(err, "RenderMan::Save_Bitmap_File failed, this offmap has no pixel bytes.");

  OffMap map(10, 10, 24);
  std::string empty;
  EXPECT_TRUE(Save_Bitmap_File(platform.Get(), cancelled, &map, empty, err));
  EXPECT_TRUE(cancelled);
  const FileDialogSpec& dialogRequest = platform.Dialogs().Asked_Dialogs().back().dialogRequest;
  EXPECT_EQ(dialogRequest.filter, "Bitmap Files (*.bmp)|*.bmp||");
  EXPECT_EQ(dialogRequest.defaultExt, "bmp");
  EXPECT_TRUE(dialogRequest.overwritePrompt);
  platform.Dialogs().Queue_Path(path);
  ASSERT_TRUE(Save_Bitmap_File(platform.Get(), cancelled, &map, empty, err));
  EXPECT_EQ(empty, path);
  EXPECT_EQ(Read_File_Bytes(path).size(), 54u + 10 * 32);

  Write_File_Bytes(path, "old contents");
  {
    FileSizeLimit limit(100);
    EXPECT_FALSE(Save_Bitmap_File(platform.Get(), cancelled, &map, path, err));
  }
  EXPECT_EQ(err, "RenderMan::Save_Bitmap_File failed,  could not save bitmap file because File too large.");
  EXPECT_EQ(Read_File_Bytes(path), "old contents");
  EXPECT_EQ(Folder_Entries(dir.Path()).size(), 1u);
  path = dir.File("no/such/folder/x.bmp");
  EXPECT_FALSE(Save_Bitmap_File(platform.Get(), cancelled, &map, path, err));
  EXPECT_EQ(
      err,
      "RenderMan::Save_Bitmap_File failed,  could not save bitmap file because No such file or directory.");
}

TEST_F(ImageFilesTest, BmpReaderTakes8And24BitFilesInBothHeaderKinds) {
  std::string eight = Bmp(5, 3, 8);
  eight[54 + 1024 + 2 * 8 + 4] = 77;  // pixel (4, 0): top row is stored last, stride 8
  Write_File_Bytes(dir.File("eight.bmp"), eight);
  std::string path = dir.File("eight.bmp");
  std::unique_ptr<OffMap> map = Load_Bitmap_File_Dialog_STATIC(platform.Get(), path, fileProblem, err);
  ASSERT_TRUE(map) << err;
  EXPECT_EQ(map->Get_Depth(), 8);
  int16_t r = 0, g = 0, b = 0;
  map->Get_Pixel(4, 0, r, g, b);
  EXPECT_EQ(r, 77);

  // A 12-byte core header: the rows follow it directly.
  std::string core(14 + 12 + 8, '\0');
  core[0] = 'B';
  core[1] = 'M';
  Put32(core, 14, 12);
  Put16(core, 18, 2);
  Put16(core, 20, 1);
  Put16(core, 22, 1);
  Put16(core, 24, 24);
  core[26 + 3] = 9;   // pixel (1, 0) blue
  core[26 + 5] = 99;  // pixel (1, 0) red
  path = dir.File("core.bmp");
  Write_File_Bytes(path, core);
  map = Load_Bitmap_File_Dialog_STATIC(platform.Get(), path, fileProblem, err);
  ASSERT_TRUE(map) << err;
  map->Get_Pixel(1, 0, r, g, b);
  EXPECT_EQ(std::vector<int16_t>({r, g, b}), (std::vector<int16_t>{99, 0, 9}));
  EXPECT_EQ(map->Get_DIB()[0], 40);  // the map keeps its own header

  std::string none;
  EXPECT_FALSE(Load_Bitmap_File_Dialog_STATIC(platform.Get(), none, fileProblem, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(platform.Dialogs().Asked_Dialogs().back().dialogRequest.filter, "Bitmap Files (*.bmp)|*.bmp||");
  EXPECT_EQ(platform.Dialogs().Asked_Dialogs().back().dialogRequest.defaultExt, "bmp");
}

TEST_F(ImageFilesTest, BmpReaderRefusesHostileFilesBeforeAllocating) {
  const std::string header = "Load_Bitmap_File_Dialog_STATIC failed,  could not read header.";
  const std::string type = "Load_Bitmap_File_Dialog_STATIC failed,  wrong header type.";
  const std::string format = "Load_Bitmap_File_Dialog_STATIC failed,  wrong bitmap FORMAT.";
  const std::string size = "Load_Bitmap_File_Dialog_STATIC  failed,  wrong size for copy.";
  std::string truncatedInfo = Bmp(4, 4, 24);
  truncatedInfo.resize(40);
  std::string shortRows = Bmp(100, 100, 24);
  shortRows.resize(shortRows.size() - 1);
  std::string core108 = Bmp(4, 4, 24);
  Put32(core108, 14, 108);
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"BM", header},
      {std::string("BX") + std::string(60, '\0'), type},
      {Bmp(4, 4, 24).substr(0, 14), format},  // nothing after the file header
      {truncatedInfo, format},                // information header cut off
      {Bmp(8, 8, 1), format},                 // 1-bit
      {Bmp(8, 8, 32), format},                // 32-bit
      {Bmp(8, 8, 8, 16), format},             // 16 colours used
      {Bmp(8, 8, 24, 256), format},           // a palette before 24-bit rows
      {Bmp(8, 8, 8, 0, 1), format},           // run-length packed
      {Bmp(0, 8, 24), format},
      {Bmp(8, -8, 24), format},  // top-down rows
      {core108, format},
      {Bmp(0x7FFFFFFF, 0x7FFFFFFF, 24, 0, 0, false), size},  // absurd claim, no bytes
      {shortRows, size},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    std::string path = dir.File("bad" + std::to_string(i) + ".bmp");
    Write_File_Bytes(path, cases[i].first);
    EXPECT_FALSE(Load_Bitmap_File_Dialog_STATIC(platform.Get(), path, fileProblem, err)) << i;
    EXPECT_EQ(err, cases[i].second) << i;
    EXPECT_FALSE(fileProblem) << i;
  }
  std::string path = dir.File("missing.bmp");
  EXPECT_FALSE(Load_Bitmap_File_Dialog_STATIC(platform.Get(), path, fileProblem, err));
  EXPECT_TRUE(fileProblem);
  EXPECT_EQ(err, path + ":  No such file or directory");
  path = dir.Path();
  EXPECT_FALSE(Load_Bitmap_File_Dialog_STATIC(platform.Get(), path, fileProblem, err));
  EXPECT_TRUE(fileProblem);
  EXPECT_EQ(err, path + ":  Is a directory");
}

TEST_F(ImageFilesTest, PictureSaveChoosesTheFormatByExtension) {
  OffMap map(7, 5, 8);
  map.Fill(255);
  map.Set_Pixel(6, 4, 33, 0, 0);
  // .jpeg and .tiff are other programs' names of the same formats.
  for (const char* name : {"a.JPG", "b.png", "c.Tif", "d.gif", "e.bmp", "a2.jpeg", "c2.TIFF"}) {
    std::string path = dir.File(name);
    ASSERT_TRUE(Save_Bitmap_File_CImage(platform.Get(), cancelled, &map, path, err)) << name << err;
    std::unique_ptr<PlatformImage> back = platform.Get().Codec().Create_Image();
    ASSERT_EQ(back->Load(path), 0) << name;
    EXPECT_EQ(back->Get_Width(), 7);
    int r = 0, g = 0, b = 0;
    back->Get_Pixel_RGB(6, 4, r, g, b);
    EXPECT_NEAR(r, 33, name[0] == 'a' ? 24 : 0) << name;  // 8-bit maps are saved as greys
    EXPECT_EQ(r, g) << name;
  }
  const std::string extensions =
      "Only use following FILE EXTENSIONS for the Image's NAME: \n  .bmp  .tif  .jpg  .gif  .png";
  const std::string none = "RenderMan::Save_Bitmap_File failed, Put an extension on the File Name.";
  for (const auto& [name, text] : std::vector<std::pair<std::string, std::string>>{
           {"f.webp", extensions}, {".png", none}, {"plain", none}, {"g.tga", extensions}}) {
    std::string path = dir.File(name);
    EXPECT_FALSE(Save_Bitmap_File_CImage(platform.Get(), cancelled, &map, path, err)) << name;
    EXPECT_EQ(err, text) << name;
  }
  OffMap empty(0, 0, 24);
  std::string path = dir.File("h.png");
  EXPECT_FALSE(Save_Bitmap_File_CImage(platform.Get(), cancelled, &empty, path, err));
  EXPECT_EQ(err, "RenderMan::Save_Bitmap_File failed, this offmap has no pixel bytes.");

  std::string unnamed;
  EXPECT_TRUE(Save_Bitmap_File_CImage(platform.Get(), cancelled, &map, unnamed, err));
  EXPECT_TRUE(cancelled);
  const FileDialogSpec& dialogRequest = platform.Dialogs().Asked_Dialogs().back().dialogRequest;
  EXPECT_EQ(dialogRequest.defaultExt, "BMP");
  EXPECT_EQ(dialogRequest.filter,
            "BMP (*.bmp)|*.bmp|TIFF (*.tif)|*.tif|PNG (*.png)|*.png|JPEG (*.jpg)|*.jpg|GIF (*.gif)|*.gif|All "
            "Formats (*.bmp;*.tif;*.png;*.jpg;*.gif)|*.bmp;*.tif;*.png;*.jpg;*.gif||");

  // A failed write keeps the program's text; the codec's status and the
  // system's reason come separately (the command line shows them for a
  // missing folder and a folder target).
  const int32_t saveFailed = static_cast<int32_t>(0x80004005u);
  const std::string failedText =
      Text_Format("RenderMan::Save_Bitmap_File_CImage FAILED [ HRESULT error code was:  %d ].", saveFailed);
  path = dir.File("b.png");
  const std::string before = Read_File_Bytes(path);
  CodecFailure codec{1, "stale"};
  {
    FileSizeLimit limit(40);
    EXPECT_FALSE(Save_Bitmap_File_CImage(platform.Get(), cancelled, &map, path, err, &codec));
  }
  EXPECT_EQ(err, failedText);
  EXPECT_EQ(std::make_pair(codec.status, codec.reason),
            std::make_pair(saveFailed, std::string("File too large")));
  EXPECT_EQ(Read_File_Bytes(path), before);
  // Failures before the codec, and successes, leave nothing from the codec.
  path = dir.File("h.png");
  EXPECT_FALSE(Save_Bitmap_File_CImage(platform.Get(), cancelled, &empty, path, err, &codec));
  EXPECT_EQ(std::make_pair(codec.status, codec.reason), std::make_pair(0, std::string()));
  codec = {1, "stale"};
  EXPECT_TRUE(Save_Bitmap_File_CImage(platform.Get(), cancelled, &map, path, err, &codec));
  EXPECT_EQ(std::make_pair(codec.status, codec.reason), std::make_pair(0, std::string()));
}

TEST_F(ImageFilesTest, WindowPictureIsConvertedBottomUpAndSaved) {
  // 2 x 2, top row first: (254, 255, 255) and white, then blue and red.
  const uint8_t bits[16] = {255, 255, 254, 0, 255, 255, 255, 0, 255, 0, 0, 0, 0, 0, 255, 0};
  std::vector<uint8_t> rows = Convert_Bitmap_Bits_from32_to24(err, bits, false, 2, 2);
  EXPECT_EQ(rows, (std::vector<uint8_t>{255, 0, 0, 0, 0, 255, 0, 0, 255, 255, 254, 255, 255, 255, 0, 0}));
  rows = Convert_Bitmap_Bits_from32_to24(err, bits, true, 2, 2);
  EXPECT_EQ(rows, (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 0, 0}));
  EXPECT_TRUE(Convert_Bitmap_Bits_from32_to24(err, nullptr, false, 2, 2).empty());
  EXPECT_EQ(err, "Convert_Bitmap_Bits_from32_to24 failed,  pBits is NULL.");

  std::string path = dir.File("window.bmp");
  WindowPicture32 picture{2, 2, bits, sizeof bits};
  ASSERT_TRUE(Save_Bitmap_File(platform.Get(), true, path, picture, cancelled, err)) << err;
  const std::string file = Read_File_Bytes(path);
  ASSERT_EQ(file.size(), 54u + 16);
  EXPECT_EQ(file.substr(54), std::string(reinterpret_cast<const char*>(rows.data()), rows.size()));
  EXPECT_EQ(static_cast<uint8_t>(file[18]), 2);

  picture.byteCount = 15;
  EXPECT_FALSE(Save_Bitmap_File(platform.Get(), false, path, picture, cancelled, err));
  EXPECT_EQ(err, "RenderMan::Save_Bitmap_File failed,  GetBitmap.");
  picture = WindowPicture32{2, 2, nullptr, 0};
  EXPECT_FALSE(Save_Bitmap_File(platform.Get(), false, path, picture, cancelled, err));
  EXPECT_EQ(err, "Convert_Bitmap_Bits_from32_to24 failed,  pBits is NULL.");
}

}  // namespace
