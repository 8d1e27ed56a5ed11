#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "colors/ColorList.h"
#include "colors/StandardColors.h"
#include "framework/Iterator.h"

namespace {

// The table indices of a list's colours, in list order.
std::vector<int> Indices(const ColorList& list) {
  std::vector<int> out;
  ListIterator<ColorHSV> it(list);
  for (it.First(); !it.Is_Done(); it.Next()) {
    const ColorHSV* c = it.Current_Item();
    out.push_back(Get_StandardColors_Index_to_Main_Colors_Array(c->hue, c->sat, c->val));
  }
  return out;
}

TEST(StandardColors, NicknamesCoverRowsZeroToThirtyThree) {
  std::string name = "old";
  EXPECT_TRUE(Get_StandardColors_Nickname(0, name));
  EXPECT_EQ(name, "-NONE-");
  EXPECT_TRUE(Get_StandardColors_Nickname(17, name));
  EXPECT_EQ(name, "Burnt Umber");
  EXPECT_TRUE(Get_StandardColors_Nickname(30, name));
  EXPECT_EQ(name, "Magenta-Pink (syn)");
  EXPECT_TRUE(Get_StandardColors_Nickname(33, name));
  EXPECT_EQ(name, "Green Lite (syn)");
  for (int16_t bad : {int16_t{34}, int16_t{-1}, int16_t{-32768}, int16_t{32767}}) {
    name = "old";
    EXPECT_FALSE(Get_StandardColors_Nickname(bad, name)) << bad;
    EXPECT_EQ(name, "");
  }
}

TEST(StandardColors, EveryNicknameLeadsBackToItsOwnRow) {
  for (int16_t i = 0; i < 34; ++i) {
    std::string name;
    ASSERT_TRUE(Get_StandardColors_Nickname(i, name));
    EXPECT_EQ(Get_StandardColors_Index_by_Nickname(name), i) << name;
    int16_t h = 0, s = 0, v = 0;
    ASSERT_TRUE(Get_StandardColors_HSV_Values(i, h, s, v));
    EXPECT_EQ(Get_StandardColors_Index_to_Main_Colors_Array(h, s, v), i) << name;
  }
}

TEST(StandardColors, HsvValuesOfSampleRowsAndFailuresLeaveOutputsAlone) {
  struct Row {
    int16_t index, hue, sat, val;
  };
  for (const Row& r :
       {Row{0, -118, 0, 0}, Row{4, 55, 55, 255}, Row{15, 350, 45, 255}, Row{19, 45, 45, 220},
        Row{20, -1, 0, 243}, Row{29, -1, 0, 132}, Row{31, 240, 35, 255}, Row{33, 120, 35, 255}}) {
    int16_t h = 7, s = 7, v = 7;
    EXPECT_TRUE(Get_StandardColors_HSV_Values(r.index, h, s, v));
    EXPECT_EQ(h, r.hue) << r.index;
    EXPECT_EQ(s, r.sat) << r.index;
    EXPECT_EQ(v, r.val) << r.index;
  }
  for (int16_t bad : {int16_t{34}, int16_t{-1}}) {
    int16_t h = 7, s = 8, v = 9;
    EXPECT_FALSE(Get_StandardColors_HSV_Values(bad, h, s, v));
    EXPECT_EQ(h, 7);
    EXPECT_EQ(s, 8);
    EXPECT_EQ(v, 9);
  }
}

TEST(StandardColors, RgbFromTable) {
  struct Rgb {
    int16_t index, r, g, b;
  };
  for (const Rgb& c : {Rgb{0, 0, 0, 0}, Rgb{26, 199, 199, 199}, Rgb{29, 132, 132, 132},
                       Rgb{16, 220, 190, 181}, Rgb{18, 220, 205, 181}, Rgb{19, 220, 210, 181}}) {
    int16_t r = -1, g = -1, b = -1;
    std::string err = "old";
    EXPECT_TRUE(Get_StandardColors_RGB_from_Table(c.index, r, g, b, err));
    EXPECT_EQ(err, "");
    EXPECT_EQ(r, c.r) << c.index;
    EXPECT_EQ(g, c.g) << c.index;
    EXPECT_EQ(b, c.b) << c.index;
  }
  // Green Lite is a pale green: full green, equal red and blue well above 200.
  int16_t r = 0, g = 0, b = 0;
  std::string err;
  ASSERT_TRUE(Get_StandardColors_RGB_from_Table(33, r, g, b, err));
  EXPECT_EQ(g, 255);
  EXPECT_EQ(r, b);
  EXPECT_GE(r, 219);
  EXPECT_LE(r, 220);

  for (int16_t bad : {int16_t{34}, int16_t{-1}}) {
    r = g = b = 5;
    EXPECT_FALSE(Get_StandardColors_RGB_from_Table(bad, r, g, b, err));
    EXPECT_EQ(err,
              "ColorSeparator::Get_StandardColors_RGB_from_Table  FAILED,  huntColorIndex is out of bounds "
              "for the array.");
    EXPECT_EQ(r, 5);
  }
}

TEST(StandardColors, NicknameLookupIgnoresCaseOnly) {
  EXPECT_EQ(Get_StandardColors_Index_by_Nickname("gray 10"), 29);
  EXPECT_EQ(Get_StandardColors_Index_by_Nickname("GRAY 1"), 20);
  EXPECT_EQ(Get_StandardColors_Index_by_Nickname("-none-"), 0);
  EXPECT_EQ(Get_StandardColors_Index_by_Nickname("cobalt BLUE"), 10);
  EXPECT_EQ(Get_StandardColors_Index_by_Nickname("Gray 11"), -1);
  EXPECT_EQ(Get_StandardColors_Index_by_Nickname("Gray"), -1);
  EXPECT_EQ(Get_StandardColors_Index_by_Nickname("Cobalt Blue "), -1);
  EXPECT_EQ(Get_StandardColors_Index_by_Nickname(""), -1);
}

TEST(StandardColors, HsvLookupIsExact) {
  EXPECT_EQ(Get_StandardColors_Index_to_Main_Colors_Array(-1, 0, 199), 26);
  EXPECT_EQ(Get_StandardColors_Index_to_Main_Colors_Array(0, 45, 220), -1);
  EXPECT_EQ(Get_StandardColors_Index_to_Main_Colors_Array(-118, 0, 0), 0);
  EXPECT_EQ(Get_StandardColors_Index_to_Main_Colors_Array(-1, 0, 0), -1);
  EXPECT_EQ(Get_StandardColors_Index_to_Main_Colors_Array(15, 45, 255), 2);
  EXPECT_EQ(Get_StandardColors_Index_to_Main_Colors_Array(15, 45, 220), 16);
  EXPECT_EQ(Get_StandardColors_Index_to_Main_Colors_Array(120, 35, 255), 33);
}

TEST(StockColorSets, Nicknames) {
  const char* expected[] = {"Popular 15",        "Pop 15 w/Browns", "Orange Alternates", "Yellow Alternates",
                            "Penta Cobalt Blue", "Penta Purple",    "Penta Cerulean",    "Quad Vermillion",
                            "Quad Orange",       "10 Grays",        "3 Grays Dark",      "3 Grays Lite",
                            "2 Grays",           "6 Synthetics",    "New Palette 1",     "New Palette 2"};
  for (int16_t i = 0; i < 16; ++i) {
    std::string err = "old", name = "old";
    EXPECT_TRUE(Get_Nickname_of_Stock_ColorSet(i, err, name));
    EXPECT_EQ(err, "");
    EXPECT_EQ(name, expected[i]);
  }
  for (int16_t bad : {int16_t{16}, int16_t{-1}}) {
    std::string err, name = "old";
    EXPECT_FALSE(Get_Nickname_of_Stock_ColorSet(bad, err, name));
    EXPECT_EQ(err, " ColorSeparator::Get_Nickname_of_Stock_ColorSet  FAILED,  unknown case.");
    EXPECT_EQ(name, "");
  }
}

TEST(StockColorSets, MembersInOrderWithTheirRepeatFlag) {
  struct Set {
    int16_t index;
    std::vector<int> members;
    bool repeat;
  };
  const std::vector<Set> sets = {
      {0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, false},
      {1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}, false},
      {2, {1, 3, 5, 7, 9, 11, 13, 15}, false},
      {3, {2, 4, 6, 8, 10, 12, 15}, false},
      {4, {1, 4, 7, 10, 13}, false},
      {5, {2, 5, 8, 11, 14}, false},
      {6, {3, 6, 9, 12, 15}, false},
      {7, {1, 5, 9, 13}, false},
      {8, {3, 7, 11, 14}, false},
      {9, {20, 21, 22, 23, 24, 25, 26, 27, 28, 29}, true},
      {10, {24, 26, 29}, true},
      {11, {20, 22, 25}, true},
      {12, {23, 27}, true},
      {13, {30, 31, 32, 33, 4, 1}, true},
      {14, {16, 1, 4, 7, 12}, false},
      {15, {17, 2, 4, 8, 12, 14}, false},
  };
  for (const Set& s : sets) {
    ColorList list;
    bool repeat = !s.repeat;
    std::string err = "old";
    EXPECT_TRUE(Make_ColorSets_List_of_Colors(list, s.index, repeat, err));
    EXPECT_EQ(err, "");
    EXPECT_EQ(repeat, s.repeat) << s.index;
    EXPECT_EQ(list.Get_Count(), static_cast<int32_t>(s.members.size())) << s.index;
    EXPECT_EQ(Indices(list), s.members) << s.index;
  }
}

TEST(StockColorSets, BuildingEmptiesTheListFirst) {
  ColorList list;
  bool repeat = false;
  std::string err;
  list.Add_Color(ColorHSV{1, 2, 3});
  ASSERT_TRUE(Make_ColorSets_List_of_Colors(list, 12, repeat, err));
  ASSERT_TRUE(Make_ColorSets_List_of_Colors(list, 12, repeat, err));
  EXPECT_EQ(Indices(list), (std::vector<int>{23, 27}));
  EXPECT_TRUE(repeat);

  EXPECT_FALSE(Make_ColorSets_List_of_Colors(list, 16, repeat, err));
  EXPECT_EQ(err,
            "ColorSeparator::Make_ColorSets_List_of_Colors  FAILED,  palettePrimaryIdx is out of range.");
  EXPECT_TRUE(list.Is_Empty());
  EXPECT_FALSE(repeat);

  repeat = true;
  EXPECT_FALSE(Make_ColorSets_List_of_Colors(list, -1, repeat, err));
  EXPECT_EQ(err,
            "ColorSeparator::Make_ColorSets_List_of_Colors  FAILED,  palettePrimaryIdx is out of range.");
  EXPECT_FALSE(repeat);
}

TEST(ColorList, AddsByNicknameAndValue) {
  ColorList list;
  EXPECT_FALSE(list.Add_Color_by_Nickname(nullptr));
  EXPECT_TRUE(list.Add_Color_by_Nickname("No Such Paint"));
  EXPECT_TRUE(list.Is_Empty());
  EXPECT_TRUE(list.Add_Color_by_Nickname("prussian blue"));
  list.Add_Color(ColorHSV{-1, 0, 17});
  EXPECT_TRUE(list.Add_Color_by_Nickname("Prussian Blue"));  // duplicates are kept
  ASSERT_EQ(list.Get_Count(), 3);
  EXPECT_EQ(list.Get_Nth(0)->hue, 190);
  EXPECT_EQ(list.Get_Nth(0)->sat, 45);
  EXPECT_EQ(list.Get_Nth(0)->val, 255);
  EXPECT_EQ(list.Get_Nth(1)->val, 17);
  EXPECT_EQ(Indices(list), (std::vector<int>{8, -1, 8}));
  EXPECT_NE(list.Get_Nth(0), list.Get_Nth(2));  // each element is its own copy
}

TEST(ColorList, ContainsAndRemoveMatchAllThreeValues) {
  ColorList list;
  EXPECT_EQ(list.Remove_Color(0, 45, 255), 0);
  list.Add_Color(ColorHSV{0, 45, 255});
  list.Add_Color(ColorHSV{-1, 0, 199});
  list.Add_Color(ColorHSV{0, 45, 255});
  list.Add_Color(ColorHSV{15, 45, 255});
  EXPECT_TRUE(list.Contains_Color(-1, 0, 199));
  EXPECT_FALSE(list.Contains_Color(-1, 0, 198));
  EXPECT_FALSE(list.Contains_Color(0, 46, 255));
  EXPECT_FALSE(list.Contains_Color(1, 45, 255));

  ColorHSV* first = list.Get_First();
  EXPECT_EQ(list.Remove_Color(0, 45, 255), 1);  // the later of the two goes
  EXPECT_EQ(list.Get_Count(), 3);
  EXPECT_EQ(list.Get_First(), first);
  EXPECT_EQ(Indices(list), (std::vector<int>{1, 26, 2}));
  EXPECT_EQ(list.Remove_Color(0, 45, 255), 1);
  EXPECT_EQ(Indices(list), (std::vector<int>{26, 2}));
  EXPECT_EQ(list.Remove_Color(0, 45, 255), 0);
  EXPECT_FALSE(list.Contains_Color(0, 45, 255));
  EXPECT_EQ(list.Remove_Color(15, 45, 255), 1);
  list.Add_Color(ColorHSV{-1, 0, 243});  // appends after the removed tail
  EXPECT_EQ(Indices(list), (std::vector<int>{26, 20}));
}

}  // namespace
