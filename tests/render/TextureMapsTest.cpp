#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "render/RenderMan.h"
#include "render/TextureMaps.h"
#include "support/TestSupport.h"

namespace {

const char* const kAnyText =
    "RenderMan::Pick_A_TextureMap  FAILED,  could not find ANY TextureMaps that were big enough.";

// A texture folder whose sub-folders hold empty files of the given names
// (the lists look at names only).
class TextureFolder {
 public:
  TextureFolder& Add(const std::string& sub, const std::string& name) {
    std::filesystem::create_directories(m_dir.Path() + "/" + sub);
    Write_File_Bytes(m_dir.Path() + "/" + sub + "/" + name, "");
    return *this;
  }
  TextureFolder& Mono(const std::string& name) { return Add("Monocrome", name); }
  TextureFolder& Color(const std::string& name) { return Add("Color", name); }
  const std::string& Path() const { return m_dir.Path(); }

 private:
  TempDir m_dir;
};

// The list of `code` as "name:size" entries, read through Get_TextureMapSpec.
std::vector<std::string> Entries(const RenderMan& rm, int16_t code) {
  std::vector<std::string> out;
  TextureMapSpec textureEntry;
  for (int32_t i = 0; rm.Get_TextureMapSpec(i, code, textureEntry); ++i)
    out.push_back(textureEntry.fileName + ":" + std::to_string(textureEntry.size));
  return out;
}

using Names = std::vector<std::string>;

TEST(TextureMapList, ListsOnlyNamesWithASizeSortedBySize) {
  TextureFolder folder;
  folder.Mono("A_106.bmp").Mono("B_57.bmp").Mono("C.bmp").Mono("D_x.bmp");
  TestPlatform platform;
  RenderMan rm(platform.Get(), folder.Path());
  EXPECT_EQ(Entries(rm, 0), (Names{"B_57.bmp:57", "A_106.bmp:106"}));
  // Code 2 reads the monochrome list as well; there is no colour folder.
  EXPECT_EQ(Entries(rm, 2), Entries(rm, 0));
  EXPECT_TRUE(Entries(rm, 1).empty());
  EXPECT_EQ(rm.Get_TextureMap_List(0)->Get_Count(), 2);
  EXPECT_EQ(rm.Get_TextureMap_List(1)->Get_Count(), 0);
}

TEST(TextureMapList, SizeRulesOfTheName) {
  TextureFolder folder;
  folder
      .Mono("Paper_227.bmp")    // the example
      .Mono("Two_Bars_12.bmp")  // the last "_" counts
      .Mono("NoExtension_30")   // a name without extension is its own title
      .Mono(".Dotted_40")       // a leading dot does not start an extension
      .Mono("Trailing_.bmp")    // nothing after "_"
      .Mono("Mixed_57b.bmp")    // not a whole number
      .Mono("Zero_0.bmp")       // no side
      .Mono("Huge_40000.bmp")   // does not fit the 16-bit size
      .Mono("Max_32767.bmp")
      .Mono("Minus_-5.bmp")
      .Mono("Under_12_x.bmp");  // "x" after the last "_"
  std::filesystem::create_directories(folder.Path() + "/Monocrome/Folder_20");
  TestPlatform platform;
  RenderMan rm(platform.Get(), folder.Path());
  EXPECT_EQ(Entries(rm, 0), (Names{"Two_Bars_12.bmp:12", "NoExtension_30:30", ".Dotted_40:40",
                                   "Paper_227.bmp:227", "Max_32767.bmp:32767"}));
}

TEST(TextureMapList, EqualSizesKeepNameOrderAndRebuildingAppends) {
  TextureFolder folder;
  folder.Color("b_57.bmp").Color("Z_57.bmp").Color("c_20.bmp").Color("a_57.bmp").Color("a_106.bmp");
  TestPlatform platform;
  RenderMan rm(platform.Get(), folder.Path());
  // Files are taken in byte order of their names ("Z" before "a").
  const Names once{"c_20.bmp:20", "Z_57.bmp:57", "a_57.bmp:57", "b_57.bmp:57", "a_106.bmp:106"};
  EXPECT_EQ(Entries(rm, 1), once);

  // A second scan appends every file again and sorts the whole list: each
  // earlier entry stays ahead of its copy.
  EXPECT_EQ(rm.Build_TextureMap_List(1), 5);
  EXPECT_EQ(Entries(rm, 1),
            (Names{"c_20.bmp:20", "c_20.bmp:20", "Z_57.bmp:57", "a_57.bmp:57", "b_57.bmp:57", "Z_57.bmp:57",
                   "a_57.bmp:57", "b_57.bmp:57", "a_106.bmp:106", "a_106.bmp:106"}));
  EXPECT_EQ(rm.Build_TextureMap_List(0), 0);  // no monochrome folder
  EXPECT_EQ(rm.Build_TextureMap_List(3), 0);  // no such list
}

TEST(TextureMapList, MissingFolderGivesEmptyListsAndPickFails) {
  TestPlatform platform;
  for (const std::string& folder : {std::string(), std::string("/nonexistent/quorlin/textures")}) {
    RenderMan rm(platform.Get(), folder);
    EXPECT_EQ(rm.Get_TextureMap_List(0)->Get_Count(), 0);
    EXPECT_EQ(rm.Get_TextureMap_List(1)->Get_Count(), 0);
    std::string err;
    int16_t scale = 5;
    EXPECT_EQ(RenderMan::Pick_A_TextureMap(err, 0, rm, 10, 10, 0, scale), -2);
    EXPECT_EQ(err, kAnyText);
    EXPECT_EQ(scale, 1);
  }
}

TEST(TextureMapList, FoldersAndRebuildingFromAnotherFolder) {
  TextureFolder first, second;
  first.Mono("A_57.bmp").Color("B_106.bmp");
  second.Mono("C_227.bmp").Mono("D_57.bmp");
  TestPlatform platform;
  RenderMan rm(platform.Get(), first.Path());
  EXPECT_EQ(rm.Get_Texture_Folder(), first.Path());
  EXPECT_EQ(rm.Get_TextureMap_Folder(0), first.Path() + "/Monocrome/");
  EXPECT_EQ(rm.Get_TextureMap_Folder(2), first.Path() + "/Monocrome/");
  EXPECT_EQ(rm.Get_TextureMap_Folder(1), first.Path() + "/Color/");
  EXPECT_EQ(rm.Get_TextureMap_Folder(3), "");
  EXPECT_EQ(rm.Get_TextureMap_Folder(-1), "");
  // Folder + file name is the texture's path.
  TextureMapSpec textureEntry;
  ASSERT_TRUE(rm.Get_TextureMapSpec(0, 1, textureEntry));
  EXPECT_TRUE(File_Exists(rm.Get_TextureMap_Folder(1) + textureEntry.fileName));

  rm.Set_Texture_Folder(second.Path());
  EXPECT_EQ(Entries(rm, 0), (Names{"D_57.bmp:57", "C_227.bmp:227"}));
  EXPECT_TRUE(Entries(rm, 1).empty());
  rm.Set_Texture_Folder("");
  EXPECT_EQ(rm.Get_TextureMap_Folder(0), "");
  EXPECT_TRUE(Entries(rm, 0).empty());
}

TEST(TextureMapList, GetSpecOnlyForRealEntries) {
  TextureFolder folder;
  folder.Mono("A_57.bmp").Mono("B_106.bmp");
  TestPlatform platform;
  RenderMan rm(platform.Get(), folder.Path());
  TextureMapSpec textureEntry{"untouched", 7};
  EXPECT_TRUE(rm.Get_TextureMapSpec(1, 0, textureEntry));
  EXPECT_EQ(textureEntry.fileName, "B_106.bmp");
  EXPECT_EQ(textureEntry.size, 106);
  textureEntry = {"untouched", 7};
  EXPECT_FALSE(rm.Get_TextureMapSpec(2, 0, textureEntry));
  EXPECT_FALSE(rm.Get_TextureMapSpec(-1, 0, textureEntry));
  EXPECT_FALSE(rm.Get_TextureMapSpec(0, 1, textureEntry));
  EXPECT_FALSE(rm.Get_TextureMapSpec(0, 4, textureEntry));
  EXPECT_EQ(textureEntry.fileName, "untouched");
  EXPECT_EQ(textureEntry.size, 7);
}

// ---- choosing a texture ----------------------------------------------------------

class PickTest : public ::testing::Test {
 protected:
  PickTest() {
    folder.Mono("M_57.bmp").Mono("M_106.bmp").Mono("M_227.bmp");
    folder.Color("Second_106.bmp").Color("First_106.bmp");
    rm.Set_Texture_Folder(folder.Path());
  }
  int32_t Pick(int16_t mode, int32_t w, int32_t h, int16_t code = 0) {
    scale = -7;
    return RenderMan::Pick_A_TextureMap(err, mode, rm, w, h, code, scale);
  }

  TextureFolder folder;
  TestPlatform platform;
  RenderMan rm{platform.Get()};
  std::string err = "old text";
  int16_t scale = -7;
};

TEST_F(PickTest, SmallestCoveringTextureAtScaleOne) {
  EXPECT_EQ(Pick(0, 100, 50), 1);
  EXPECT_EQ(scale, 1);
  EXPECT_EQ(err, "");
  EXPECT_EQ(Pick(0, 57, 57), 0);
  EXPECT_EQ(Pick(0, 57, 58), 1);
  EXPECT_EQ(Pick(0, 227, 10), 2);
  EXPECT_EQ(Pick(0, 228, 1), -2);
  EXPECT_EQ(err, kAnyText);
  EXPECT_EQ(scale, 1);
}

TEST_F(PickTest, LargestTextureShrunkAsFarAsItAllows) {
  EXPECT_EQ(Pick(1, 100, 50), 2);
  EXPECT_EQ(scale, 2);  // min(227 / 100, 227 / 50)
  EXPECT_EQ(err, "");
  EXPECT_EQ(Pick(1, 227, 227), 2);
  EXPECT_EQ(scale, 1);
  EXPECT_EQ(Pick(1, 20, 75), 2);
  EXPECT_EQ(scale, 3);
  EXPECT_EQ(Pick(1, 10, 10), 2);
  EXPECT_EQ(scale, 8);  // 22, limited to 8
  // An empty region picks a texture without dividing by zero.
  EXPECT_EQ(Pick(1, 0, 30), 2);
  EXPECT_EQ(scale, 7);
  EXPECT_EQ(Pick(1, 0, 0), 2);
  EXPECT_EQ(scale, 8);
}

TEST_F(PickTest, NothingLargeEnoughOrAnUnknownModeOrCode) {
  EXPECT_EQ(Pick(1, 300, 300), -2);
  EXPECT_EQ(err, kAnyText);
  EXPECT_EQ(scale, 1);
  EXPECT_EQ(Pick(1, 10, 228), -2);
  EXPECT_EQ(Pick(2, 10, 10), -2);
  EXPECT_EQ(err, kAnyText);
  EXPECT_EQ(Pick(-1, 10, 10), -2);
  EXPECT_EQ(Pick(0, 10, 10, 3), -2);
  EXPECT_EQ(err, kAnyText);
}

TEST_F(PickTest, EqualSizesSmallestFirstLargestLast) {
  // "First_106" is listed before "Second_106": mode 0 takes the first of
  // them, mode 1 (largest down) the last.
  EXPECT_EQ(Pick(0, 50, 50, 1), 0);
  EXPECT_EQ(Pick(1, 50, 50, 1), 1);
  EXPECT_EQ(scale, 2);
  TextureMapSpec textureEntry;
  ASSERT_TRUE(rm.Get_TextureMapSpec(1, 1, textureEntry));
  EXPECT_EQ(textureEntry.fileName, "Second_106.bmp");
  // Code 2 picks from the monochrome list.
  EXPECT_EQ(Pick(0, 100, 50, 2), 1);
}

// ---- where the texture folder is ---------------------------------------------------

// Sets or removes QUORLIN_TEXTURES for one test and puts the old value back.
class TextureEnvironment {
 public:
  explicit TextureEnvironment(const char* value) {
    if (const char* old = std::getenv("QUORLIN_TEXTURES")) m_old = old;
    if (value != nullptr)
      ::setenv("QUORLIN_TEXTURES", value, 1);
    else
      ::unsetenv("QUORLIN_TEXTURES");
  }
  ~TextureEnvironment() {
    if (m_old)
      ::setenv("QUORLIN_TEXTURES", m_old->c_str(), 1);
    else
      ::unsetenv("QUORLIN_TEXTURES");
  }

 private:
  std::optional<std::string> m_old;
};

TEST(TextureFolderLookup, EnvironmentFirstThenNextToTheProgram) {
  const std::string generated = std::filesystem::weakly_canonical(QUORLIN_TEXTURE_DIR).string();
  {
    TextureEnvironment env("/somewhere/else");
    EXPECT_EQ(Default_Texture_Folder(), "/somewhere/else");
  }
  for (const char* value : {static_cast<const char*>(nullptr), ""}) {
    TextureEnvironment env(value);
    // The test programs are built next to the generated folder.
    EXPECT_EQ(std::filesystem::weakly_canonical(Default_Texture_Folder()).string(), generated);
  }
}

}  // namespace
