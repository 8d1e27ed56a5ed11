// Scrambling the colours of the illustration: one hue shift per separation
// from the seeded generator, restoring the separation colours, and the
// Modify Colors dialog's flows (refusal without regions, the range, Scramble
// Colors, Save and Cancel).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RegionTestMaps.h"
#include "app/RegionEditorApp.h"
#include "raster/ColorSpace.h"
#include "regions/ModifyColorsController.h"
#include "regions/RegionListFixtures.h"
#include "support/TestSupport.h"

using namespace regionlist_test;

namespace {

class ScrambleTest : public ::testing::Test {
 protected:
  ScrambleTest() {
    EXPECT_TRUE(app.Get_RenderMan().Create_Layered_Map(20, 40));
    // Separation 0 is pure red (hue 0) with two regions, separation 1 pure
    // green (hue 120) with one.
    red1 = Add_Block(List(), Block_At(0, 0, 255, 0, 0));
    red2 = Add_Block(List(), Block_At(0, 10, 255, 0, 0));
    green = Add_Block(List(), Block_At(1, 20, 0, 255, 0));
  }

  static BlockSpec Block_At(int16_t separationID, int32_t x, int16_t r, int16_t g, int16_t b) {
    BlockSpec block;
    block.separationID = separationID;
    block.x = x;
    block.width = 6;
    block.height = 6;
    block.r = r;
    block.g = g;
    block.b = b;
    return block;
  }

  RegionListSubject& List() { return app.Get_RegionList(); }

  // The hue the display map shows.
  static int16_t Shown_Hue(const RegionSubject& region) {
    const Rgb c = Pixel_At(*region.Get_Display_Map(), 2, 2);
    int16_t h = 0, s = 0, v = 0;
    RGB_to_HSV(c.r, c.g, c.b, &h, &s, &v);
    return h;
  }

  std::vector<int16_t> Hue_Offsets() {
    return {red1->Get_Auto_Descriptor().hueOffset, red2->Get_Auto_Descriptor().hueOffset,
            green->Get_Auto_Descriptor().hueOffset};
  }

  TestPlatform platform;
  RegionEditorApp app{platform.Get()};
  RegionSubject* red1 = nullptr;
  RegionSubject* red2 = nullptr;
  RegionSubject* green = nullptr;
};

}  // namespace

TEST_F(ScrambleTest, EachSeparationTurnsByItsOwnSeededShift) {
  // The generator's first two numbers with seed 1 are 48271 and 182605794:
  // 48271 % 161 - 80 = 52 for red, 182605794 % 161 - 80 = -3 for green.
  RegionRandom random(1);
  std::string err;
  ASSERT_TRUE(List().Randomize_All_Colors_for_Regions(80, random, err)) << err;
  EXPECT_EQ(Hue_Offsets(), (std::vector<int16_t>{52, 52, -3}));
  EXPECT_NEAR(Shown_Hue(*red1), 52, 1);
  EXPECT_NEAR(Shown_Hue(*red2), 52, 1);
  EXPECT_NEAR(Shown_Hue(*green), 117, 1);

  // Range 1 shifts by -1 or +1 only: 48271 % 3 = 1 gives 0, which becomes
  // +1; 182605794 % 3 = 0 gives -1.  A red turned below 0 wraps to 359.
  random.seed(1);
  ASSERT_TRUE(List().Randomize_All_Colors_for_Regions(1, random, err)) << err;
  EXPECT_EQ(Hue_Offsets(), (std::vector<int16_t>{1, 1, -1}));

  // Hidden regions and remainder regions keep their colours.
  red2->Show_Region(false);
  green->Set_Render_Style(2);
  ASSERT_TRUE(List().Restore_Separation_Colors(err)) << err;
  EXPECT_EQ(Hue_Offsets(), (std::vector<int16_t>{0, 1, -1}));
  EXPECT_NEAR(Shown_Hue(*red1), 0, 1);
}

TEST_F(ScrambleTest, ARedShiftedDownKeepsItsOffsetWithinOneTurn) {
  // Seed 3 starts with 144813: 144813 % 161 - 80 = -6, so red (hue 0)
  // lands at hue 354, and 354 is its offset (within one turn, not -6).
  RegionRandom random(3);
  std::string err;
  ASSERT_TRUE(List().Randomize_All_Colors_for_Regions(80, random, err)) << err;
  EXPECT_EQ(red1->Get_Auto_Descriptor().hueOffset, 354);
  EXPECT_NEAR(Shown_Hue(*red1), 354, 1);
}

TEST_F(ScrambleTest, RefusesAnEmptyListAndRangesOutside1To179) {
  RegionRandom random(1);
  std::string err;
  EXPECT_FALSE(List().Randomize_All_Colors_for_Regions(0, random, err));
  EXPECT_EQ(err, "Pick a RANGE that is between 1 and 179");
  EXPECT_FALSE(List().Randomize_All_Colors_for_Regions(180, random, err));
  EXPECT_EQ(err, "Pick a RANGE that is between 1 and 179");
  EXPECT_TRUE(List().Randomize_All_Colors_for_Regions(179, random, err)) << err;

  RegionListSubject empty(app.Get_RenderMan());
  EXPECT_FALSE(empty.Randomize_All_Colors_for_Regions(10, random, err));
  EXPECT_EQ(err, "Create some regions. List is empty.");
  EXPECT_FALSE(empty.Restore_Separation_Colors(err));
  EXPECT_EQ(err, "Create some regions. List is empty.");
}

TEST_F(ScrambleTest, ModifyColorsCancelGivesBackTheColoursFromBeforeTheDialog) {
  // A scramble kept from an earlier visit to the dialog.
  green->Get_Auto_Descriptor().hueOffset = 30;
  std::string err;
  ASSERT_TRUE(green->Update_SmallBitmap_Bits_wColorModify(err));

  ModifyColorsController dialog(app.Modify_Colors_Context(), 1);
  ASSERT_TRUE(dialog.Open());
  EXPECT_EQ(dialog.Get_Range(), 80);
  ASSERT_TRUE(dialog.On_Scramble_Colors());
  EXPECT_EQ(Hue_Offsets(), (std::vector<int16_t>{52, 52, -3}));
  // The next two numbers give -40 for red (hue 320) and +43 for green.
  ASSERT_TRUE(dialog.On_Scramble_Colors());
  EXPECT_EQ(Hue_Offsets(), (std::vector<int16_t>{320, 320, 43}));
  EXPECT_EQ(app.Recorded_Windows().Requests(),
            (std::vector<std::string>{"redraw 5", "redraw 5", "redraw 5", "redraw 5"}));

  app.Recorded_Windows().Clear();
  ASSERT_TRUE(dialog.On_Cancel());
  EXPECT_EQ(Hue_Offsets(), (std::vector<int16_t>{0, 0, 30}));
  EXPECT_NEAR(Shown_Hue(*red1), 0, 1);
  EXPECT_NEAR(Shown_Hue(*green), 150, 1);
  EXPECT_EQ(app.Recorded_Windows().Requests(),
            (std::vector<std::string>{"redraw 5", "redraw 5", "redraw all"}));
  EXPECT_TRUE(platform.Messages().Texts().empty());
}

TEST_F(ScrambleTest, ModifyColorsSaveKeepsTheScrambledColours) {
  ModifyColorsController dialog(app.Modify_Colors_Context(), 1);
  ASSERT_TRUE(dialog.Open());
  EXPECT_FALSE(dialog.Set_Range(0));
  EXPECT_FALSE(dialog.Set_Range(179));
  EXPECT_EQ(dialog.Get_Range(), 80);
  EXPECT_EQ(platform.Messages().Texts(), (std::vector<std::string>{ModifyColorsController::kRangeMessage,
                                                                   ModifyColorsController::kRangeMessage}));
  ASSERT_TRUE(dialog.Set_Range(1));
  ASSERT_TRUE(dialog.On_Scramble_Colors());
  dialog.On_Save();
  EXPECT_EQ(Hue_Offsets(), (std::vector<int16_t>{1, 1, -1}));

  // A region whose display map is gone cannot take its new colour: the
  // failure is shown, and the layered image is recomposed all the same.
  platform.Messages().Clear();
  app.Recorded_Windows().Clear();
  region_test::Drop_Display_Map(*green);
  ASSERT_TRUE(dialog.Open());
  EXPECT_FALSE(dialog.On_Scramble_Colors());
  EXPECT_EQ(platform.Messages().Texts(),
            (std::vector<std::string>{
                "RegionSubject::Update_SmallBitmap_Bits_wColorModify failed,  one of the OffMaps is NULL."}));
  EXPECT_EQ(app.Recorded_Windows().Requests(), (std::vector<std::string>{"redraw 5", "redraw 5"}));
}

TEST(ModifyColorsControllerTest, RefusesToOpenWithoutRegions) {
  TestPlatform platform;
  RegionEditorApp app(platform.Get());
  ModifyColorsController dialog(app.Modify_Colors_Context(), 7);
  EXPECT_FALSE(dialog.Open());
  EXPECT_EQ(platform.Messages().Texts(),
            (std::vector<std::string>{"Create some color SEPARATIONS from the Layers Menu."}));
}
