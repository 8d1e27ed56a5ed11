// Painting every region of the list with texture maps.

#include <gtest/gtest.h>

#include <string>

#include "app/RegionEditorApp.h"
#include "regions/RegionListFixtures.h"
#include "support/TestSupport.h"

using namespace regionlist_test;

namespace {

BlockSpec Sized(int32_t w, int32_t h) {
  BlockSpec shape;
  shape.width = w;
  shape.height = h;
  return shape;
}

}  // namespace

TEST(PaintAllRegions, PaintsEverySubRegionLargerThan6x6WithATextureOfItsSize) {
  TestPlatform platform;
  RegionEditorApp app(platform.Get(), QUORLIN_TEXTURE_DIR);
  RegionListSubject& list = app.Get_RegionList();
  RegionRandom random(5);
  std::string err;
  EXPECT_FALSE(list.Paint_All_Regions_with_TextureMaps(0, 0, random, err));
  EXPECT_EQ(err, "Detect some painted regions.");

  RegionSubject* painted = Add_Block(list, Sized(40, 30));
  RegionSubject* narrow = Add_Block(list, Sized(6, 50));
  BlockSpec separationSpec = Sized(20, 20);
  separationSpec.subRegion = false;
  RegionSubject* separation = Add_Block(list, separationSpec);
  // The same region painted on its own from the texture file, with the
  // generator in the same state, is what the list's painting must give.
  std::unique_ptr<RegionSubject> alone = Make_Block_Region(Sized(40, 30));

  ASSERT_TRUE(list.Paint_All_Regions_with_TextureMaps(0, 1, random, err)) << err;
  EXPECT_EQ(painted->Get_Substitution_Mode(), 0);
  EXPECT_EQ(narrow->Get_Substitution_Mode(), 1);
  EXPECT_EQ(separation->Get_Substitution_Mode(), 1);
  EXPECT_EQ(Pixel_At(*narrow->Get_Region_Map(), 3, 3), (Rgb{200, 100, 50}));

  int16_t scale = 0;
  const int32_t index = RenderMan::Pick_A_TextureMap(err, 1, app.Get_RenderMan(), 40, 30, 0, scale);
  ASSERT_GE(index, 0) << err;
  TextureMapSpec textureEntry;
  ASSERT_TRUE(app.Get_RenderMan().Get_TextureMapSpec(index, 0, textureEntry));
  RegionRandom again(5);
  ASSERT_TRUE(alone->Create_PseudoPainted_Bitmap(
      app.Get_RenderMan().Get_TextureMap_Folder(0) + textureEntry.fileName, nullptr, textureEntry.size,
      textureEntry.size, 0, 1, platform.Get(), again, err))
      << err;
  EXPECT_TRUE(Same_Pixels(*painted->Get_Region_Map(), *alone->Get_Region_Map()));
  EXPECT_TRUE(Same_Pixels(*painted->Get_Display_Map(), *alone->Get_Display_Map()));
  EXPECT_EQ(painted->Get_Hue_Offset(), alone->Get_Hue_Offset());

  // Without textures nothing fits, and nothing is painted.
  RegionEditorApp bare(platform.Get());
  RegionSubject* unpainted = Add_Block(bare.Get_RegionList(), Sized(40, 30));
  ASSERT_TRUE(bare.Get_RegionList().Paint_All_Regions_with_TextureMaps(1, 0, random, err)) << err;
  EXPECT_EQ(unpainted->Get_Substitution_Mode(), 1);
}
