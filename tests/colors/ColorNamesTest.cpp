// Finding paint colours by a mistyped name, and the stock sets that hold a
// colour (checked against the separation dialog's own lookup).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "colors/StandardColorTable.h"
#include "colors/StandardColors.h"
#include "colors/StockColorSets.h"
#include "separation/SeparationDialogController.h"

namespace {

std::vector<std::string> Names(const std::vector<int16_t>& indices) {
  std::vector<std::string> names;
  for (int16_t index : indices) {
    std::string name;
    Get_StandardColors_Nickname(index, name);
    names.push_back(name);
  }
  return names;
}

TEST(ColorNames, ClosestNicknames) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Names(Closest_StandardColors_by_Nickname("vermilion", 3)), V{"Vermillion"});
  EXPECT_EQ(Names(Closest_StandardColors_by_Nickname("UMBER", 3)), V{"Burnt Umber"});
  EXPECT_EQ(Names(Closest_StandardColors_by_Nickname("cobalt", 3)), V{"Cobalt Blue"});
  EXPECT_EQ(Names(Closest_StandardColors_by_Nickname("Umbr", 3)), V{"Burnt Umber"});
  EXPECT_EQ(Names(Closest_StandardColors_by_Nickname("sienna", 3)), (V{"Burnt Sienna", "Raw Sienna"}));
  EXPECT_EQ(Names(Closest_StandardColors_by_Nickname("none", 3)), V{"Rose"});
  // Contained in all ten greys: the first three in table order.
  EXPECT_EQ(Names(Closest_StandardColors_by_Nickname("gray", 3)), (V{"Gray 1", "Gray 2", "Gray 3"}));
  EXPECT_EQ(Names(Closest_StandardColors_by_Nickname("Grey 7", 3)), (V{"Gray 7", "Gray 1", "Gray 2"}));
  EXPECT_EQ(Names(Closest_StandardColors_by_Nickname("Gray 7", 1)), V{"Gray 7"});
  EXPECT_TRUE(Closest_StandardColors_by_Nickname("xyzzy", 3).empty());
  EXPECT_TRUE(Closest_StandardColors_by_Nickname("", 3).empty());
}

TEST(ColorNames, SetsHoldingAColorAgreeWithTheDialog) {
  EXPECT_EQ(Stock_ColorSets_Holding_Color(Get_StandardColors_Index_by_Nickname("Cobalt Blue")),
            (std::vector<int16_t>{0, 1, 3, 4}));
  EXPECT_EQ(Stock_ColorSets_Holding_Color(Get_StandardColors_Index_by_Nickname("Gray 2")),
            (std::vector<int16_t>{9}));
  EXPECT_TRUE(Stock_ColorSets_Holding_Color(0).empty());
  EXPECT_TRUE(Stock_ColorSets_Holding_Color(kStandardColorCount).empty());
  for (int16_t index = 1; index < kStandardColorCount; ++index) {
    std::vector<int16_t> expected;
    for (int16_t set = 0; set < kStockColorSetCount; ++set)
      if (SeparationDialogController::Find_Color_in_Set(index, set) >= 1) expected.push_back(set);
    EXPECT_EQ(Stock_ColorSets_Holding_Color(index), expected) << index;
    EXPECT_FALSE(expected.empty()) << index;  // every paint colour is offered by some set
  }
}

}  // namespace
