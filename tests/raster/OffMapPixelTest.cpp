#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "RasterTestMaps.h"
#include "platform/headless/Headless.h"

namespace {

uint32_t U32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

TEST(OffMapLayout, StridesAndBlockSizes) {
  for (int depth : {1, 8, 24}) {
    OffMap one(1, 1, depth);
    EXPECT_EQ(one.Get_Bytes_Per_Row(), 4) << depth;
  }
  OffMap colour(5, 3, 24);
  EXPECT_EQ(colour.Get_Bytes_Per_Row(), 16);
  EXPECT_EQ(colour.Get_Image_Bytes(), 48);
  EXPECT_EQ(colour.Get_Alloc_Bytes(), 88);
  OffMap tonal(5, 2, 8);
  EXPECT_EQ(tonal.Get_Bytes_Per_Row(), 8);
  EXPECT_EQ(tonal.Get_Alloc_Bytes(), 16 + 1064);
  OffMap mask(33, 3, 1);  // 5 bytes of bits, padded to 8
  EXPECT_EQ(mask.Get_Bytes_Per_Row(), 8);
  EXPECT_EQ(mask.Get_Alloc_Bytes(), 24 + 48);
  EXPECT_EQ(OffMap(32, 1, 1).Get_Bytes_Per_Row(), 4);
  EXPECT_EQ(mask.Get_Bits() - mask.Get_DIB(), 48);
  EXPECT_EQ(tonal.Get_Bits() - tonal.Get_DIB(), 1064);
  EXPECT_EQ(colour.Get_Bits() - colour.Get_DIB(), 40);
}

TEST(OffMapLayout, HeaderAndColourTables) {
  OffMap tonal(7, 3, 8);
  const uint8_t* h = tonal.Get_DIB();
  EXPECT_EQ(U32(h), 40u);
  EXPECT_EQ(U32(h + 4), 7u);
  EXPECT_EQ(U32(h + 8), 3u);
  EXPECT_EQ(h[12] | (h[13] << 8), 1);
  EXPECT_EQ(h[14] | (h[15] << 8), 8);
  EXPECT_EQ(U32(h + 16), 0u);
  EXPECT_EQ(U32(h + 32), 256u);
  EXPECT_EQ(U32(h + 40 + 4 * 200), 0x00C8C8C8u);

  OffMap mask(9, 2, 1);
  const uint8_t entries[8] = {0, 0, 0, 0, 1, 1, 1, 0};
  EXPECT_EQ(std::memcmp(mask.Get_DIB() + 40, entries, 8), 0);
  EXPECT_EQ(U32(mask.Get_DIB() + 32), 2u);
  EXPECT_EQ(U32(OffMap(2, 2, 24).Get_DIB() + 32), 0u);
}

TEST(OffMapLayout, NewMapsAreZeroedAndBadDepthsHoldNothing) {
  OffMap colour(3, 2, 24);
  EXPECT_FALSE(colour.Is_Not_In_Memory());
  EXPECT_EQ(Px(colour, 2, 1), (Rgb3{0, 0, 0}));
  OffMap mask(3, 2, 1);
  EXPECT_EQ(Px(mask, 0, 0), (Rgb3{0, 0, 0}));
  OffMap odd(3, 2, 16);
  EXPECT_TRUE(odd.Is_Not_In_Memory());
  EXPECT_EQ(odd.Get_Alloc_Bytes(), 0);
  odd.Set_Pixel(0, 0, 1, 2, 3);                     // ignored, no crash
  EXPECT_EQ(Px(odd, 0, 0), (Rgb3{-99, -99, -99}));  // outputs left untouched
  // A map too large to describe in 32-bit sizes is never allocated.
  OffMap huge(100000, 100000, 24);
  EXPECT_TRUE(huge.Is_Not_In_Memory());
  // Nor is a single row whose stride would not fit in 32 bits.
  OffMap longRow(716000000, 1, 24);
  EXPECT_TRUE(longRow.Is_Not_In_Memory());
  EXPECT_EQ(longRow.Get_Alloc_Bytes(), 0);
  longRow.Set_Pixel(715999999, 0, 1, 1, 1);  // ignored
}

TEST(OffMapLayout, MakeGivesZeroedMapsOrNullWithoutThrowing) {
  std::unique_ptr<OffMap> colour = OffMap::Make(3, 2, 24);
  ASSERT_NE(colour, nullptr);
  EXPECT_EQ(colour->Get_Width(), 3);
  EXPECT_EQ(colour->Get_Image_Bytes(), 24);
  EXPECT_EQ(Px(*colour, 2, 1), (Rgb3{0, 0, 0}));
  std::unique_ptr<OffMap> empty = OffMap::Make(0, 5, 8);
  ASSERT_NE(empty, nullptr);
  EXPECT_FALSE(empty->Is_Not_In_Memory());
  EXPECT_EQ(empty->Get_Image_Bytes(), 0);
  // At the budget a map is made; one pixel more, a negative side, a depth the
  // map cannot hold or a size beyond 32-bit sizes give null, never a throw.
  EXPECT_EQ(OffMap::kMaxPixels, kMaxPicturePixels);
  std::unique_ptr<OffMap> atBudget;
  EXPECT_NO_THROW(atBudget = OffMap::Make(static_cast<int32_t>(OffMap::kMaxPixels), 1, 1));
  ASSERT_NE(atBudget, nullptr);
  EXPECT_EQ(atBudget->Get_Bytes_Per_Row(), 12500000);
  atBudget.reset();
  const int32_t side = 10000;  // side * side == kMaxPixels
  std::unique_ptr<OffMap> refused;
  EXPECT_NO_THROW(refused = OffMap::Make(side, side + 1, 1));
  EXPECT_EQ(refused, nullptr);
  EXPECT_NO_THROW(refused = OffMap::Make(2147483647, 2147483647, 24));
  EXPECT_EQ(refused, nullptr);
  EXPECT_EQ(OffMap::Make(-1, 4, 8), nullptr);
  EXPECT_EQ(OffMap::Make(4, -1, 8), nullptr);
  EXPECT_EQ(OffMap::Make(3, 2, 16), nullptr);
  EXPECT_EQ(OffMap::Make(716000000, 1, 24), nullptr);
}

TEST(OffMapPixels, ColourPixelsAreStoredBottomUpBlueGreenRed) {
  OffMap map(5, 3, 24);
  map.Set_Pixel(4, 0, 10, 20, 30);
  // Row 0 is the last stored row: offset 2 * 16, pixel 4 at bytes 12..14.
  const uint8_t* bits = map.Get_Bits();
  EXPECT_EQ(bits[32 + 12], 30);
  EXPECT_EQ(bits[32 + 13], 20);
  EXPECT_EQ(bits[32 + 14], 10);
  EXPECT_EQ(bits[32 + 15], 0);  // padding untouched
  EXPECT_EQ(Px(map, 4, 0), (Rgb3{10, 20, 30}));
  EXPECT_EQ(map.Row(0), bits + 32);
  EXPECT_EQ(map.Row(2), bits);
}

TEST(OffMapPixels, StoresClampEachComponent) {
  OffMap colour(2, 2, 24);
  colour.Set_Pixel(1, 1, 300, -5, 128);
  EXPECT_EQ(Px(colour, 1, 1), (Rgb3{255, 0, 128}));
  OffMap tonal(2, 2, 8);
  tonal.Set_Pixel(0, 1, 300, 0, 0);
  EXPECT_EQ(Px(tonal, 0, 1), (Rgb3{255, 255, 255}));
  tonal.Set_Pixel(1, 1, 77, 200, 9);  // only red is kept
  EXPECT_EQ(Px(tonal, 1, 1), (Rgb3{77, 77, 77}));
  tonal.Set_Pixel(1, 0, -20, 0, 0);
  EXPECT_EQ(Px(tonal, 1, 0), (Rgb3{0, 0, 0}));
}

TEST(OffMapPixels, MaskBitsSetForAnythingButBlack) {
  OffMap mask(12, 2, 1);
  mask.Set_Pixel(9, 0, 0, 0, 1);
  // Pixel 9 is bit 0x40 of byte 1 of the top row (the last stored row).
  EXPECT_EQ(mask.Row(0)[1], 0x40);
  EXPECT_EQ(Px(mask, 9, 0), (Rgb3{255, 255, 255}));
  mask.Set_Pixel(9, 0, 0, 1, 0);
  EXPECT_EQ(Px(mask, 9, 0), (Rgb3{255, 255, 255}));
  mask.Set_Pixel(9, 0, 0, 0, 0);
  EXPECT_EQ(Px(mask, 9, 0), (Rgb3{0, 0, 0}));
  EXPECT_EQ(mask.Row(0)[1], 0);
  mask.Set_Pixel(0, 1, 255, 255, 255);
  EXPECT_EQ(mask.Row(1)[0], 0x80);
}

TEST(OffMapPixels, OutsideReadsWhiteOnColourBlackElsewhere) {
  OffMap colour(3, 3, 24), tonal(3, 3, 8), mask(3, 3, 1);
  colour.Fill(0);
  tonal.Fill(255);
  mask.Fill(255);
  for (auto [x, y] : {std::pair{-1, 0}, std::pair{0, -1}, std::pair{3, 0}, std::pair{0, 3}}) {
    EXPECT_EQ(Px(colour, x, y), (Rgb3{255, 255, 255}));
    EXPECT_EQ(Px(tonal, x, y), (Rgb3{0, 0, 0}));
    EXPECT_EQ(Px(mask, x, y), (Rgb3{0, 0, 0}));
  }
  colour.Set_Pixel(3, 0, 1, 1, 1);  // ignored
  colour.Set_Pixel(-1, 0, 1, 1, 1);
  EXPECT_EQ(colour.Max_Red_Value(), 0);
  EXPECT_TRUE(colour.Is_Inside(2, 2));
  EXPECT_FALSE(colour.Is_Inside(3, 2));
  EXPECT_FALSE(colour.Is_Inside(0, -1));
}

TEST(OffMapPixels, FillRulesPerDepth) {
  OffMap colour(2, 2, 24);
  colour.Fill(128);
  EXPECT_EQ(Px(colour, 1, 1), (Rgb3{0, 0, 0}));
  colour.Fill(255);
  EXPECT_EQ(Px(colour, 1, 1), (Rgb3{255, 255, 255}));
  EXPECT_EQ(colour.Get_Bits()[7], 0xFF);  // padding too
  OffMap tonal(2, 2, 8);
  tonal.Fill(128);
  EXPECT_EQ(Px(tonal, 0, 0), (Rgb3{128, 128, 128}));
  EXPECT_EQ(tonal.Get_Bits()[3], 128);
  OffMap mask(3, 1, 1);
  mask.Fill(7);
  EXPECT_EQ(mask.Get_Bits()[0], 0xFF);
  EXPECT_EQ(mask.Get_Bits()[3], 0xFF);
  mask.Fill(0);
  EXPECT_EQ(mask.Get_Bits()[0], 0x00);
}

TEST(OffMapPixels, AssignCopyTakesOverSizeDepthAndBytes) {
  auto src = Grey_Map({{1, 2, 3}, {4, 5, 6}});
  OffMap dst(5, 5, 24);
  dst.Assign_Copy(*src);
  EXPECT_EQ(dst.Get_Width(), 3);
  EXPECT_EQ(dst.Get_Height(), 2);
  EXPECT_EQ(dst.Get_Depth(), 8);
  EXPECT_EQ(dst.Get_Bytes_Per_Row(), 4);
  ASSERT_EQ(dst.Get_Alloc_Bytes(), src->Get_Alloc_Bytes());
  EXPECT_EQ(std::memcmp(dst.Get_DIB(), src->Get_DIB(), static_cast<size_t>(src->Get_Alloc_Bytes())), 0);
  EXPECT_EQ(Px(dst, 2, 1), (Rgb3{6, 6, 6}));
  // A map without bytes changes nothing.
  OffMap empty(4, 4, 16);
  dst.Assign_Copy(empty);
  EXPECT_EQ(dst.Get_Width(), 3);
  EXPECT_EQ(Px(dst, 0, 0), (Rgb3{1, 1, 1}));
}

TEST(OffMapPixels, AssignCopyOfTheSameBlockSizeTakesOverTheOtherLayout) {
  // 4 x 88 colour and 32 x 1 tonal both need 1096 bytes.
  OffMap colour(4, 88, 24);
  colour.Fill(255);
  auto tonal = Grey_Map({std::vector<int16_t>(32, 0)});
  tonal->Set_Pixel(31, 0, 9, 9, 9);
  ASSERT_EQ(colour.Get_Alloc_Bytes(), tonal->Get_Alloc_Bytes());
  colour.Assign_Copy(*tonal);
  EXPECT_EQ(colour.Get_Width(), 32);
  EXPECT_EQ(colour.Get_Height(), 1);
  EXPECT_EQ(colour.Get_Depth(), 8);
  EXPECT_EQ(colour.Get_Bytes_Per_Row(), 32);
  EXPECT_EQ(std::memcmp(colour.Get_DIB(), tonal->Get_DIB(), 1096), 0);
  EXPECT_EQ(Px(colour, 31, 0), (Rgb3{9, 9, 9}));
  EXPECT_EQ(Px(colour, 0, 0), (Rgb3{0, 0, 0}));
  // Copying a map onto itself leaves it as it is.
  colour.Assign_Copy(colour);
  EXPECT_EQ(colour.Get_Width(), 32);
  EXPECT_EQ(Px(colour, 31, 0), (Rgb3{9, 9, 9}));
}

TEST(OffMapPixels, LightColourAndRedTests) {
  OffMap map(3, 1, 24);
  map.Set_Pixel(0, 0, 250, 250, 250);
  map.Set_Pixel(1, 0, 250, 249, 255);
  map.Set_Pixel(2, 0, 0, 40, 80);
  EXPECT_TRUE(map.Is_Pixel_Light(0, 0, 250, true));
  EXPECT_FALSE(map.Is_Pixel_Light(0, 0, 250, false));
  EXPECT_FALSE(map.Is_Pixel_Light(1, 0, 250, true));
  EXPECT_TRUE(map.Is_Pixel_Light(1, 0, 250, false));
  EXPECT_TRUE(map.Is_Pixel_Light(1, 0, 249, true));
  EXPECT_TRUE(map.Is_Pixel_Light(-1, 0, 250, true));  // outside a colour map is white
  EXPECT_TRUE(map.Is_Pixel_Color(2, 0, 0, 40, 80));
  EXPECT_FALSE(map.Is_Pixel_Color(2, 0, 0, 40, 81));
  EXPECT_TRUE(map.Is_Pixel_Red_Value(2, 0, 0));
  EXPECT_TRUE(map.Is_Pixel_Red_Value(1, 0, 250));
  OffMap mask(2, 1, 1);
  mask.Set_Pixel(1, 0, 1, 1, 1);
  EXPECT_TRUE(mask.Is_Pixel_Red_Value(0, 0, 0));
  EXPECT_FALSE(mask.Is_Pixel_Red_Value(1, 0, 0));
  EXPECT_TRUE(mask.Is_Pixel_Red_Value(1, 0, 255));
}

TEST(OffMapPixels, FilteredReadsCombineRowNeighboursInOrder) {
  auto map = Grey_Map({{10, 50, 20, 90, 30, 70, 40}});
  // count 5 at x = 3 samples 90, +1 30, -1 20, +2 70, -2 50.
  EXPECT_EQ(Px(*map, 3, 0)[0], 90);
  Rgb3 c{};
  map->Get_Pixel_Filtered(3, 0, OffMap::kFilterMean, 5, c[0], c[1], c[2]);
  EXPECT_EQ(c, (Rgb3{52, 52, 52}));
  map->Get_Pixel_Filtered(3, 0, OffMap::kFilterMedian, 5, c[0], c[1], c[2]);
  EXPECT_EQ(c[0], 50);
  map->Get_Pixel_Filtered(3, 0, OffMap::kFilterMax, 5, c[0], c[1], c[2]);
  EXPECT_EQ(c[0], 90);
  map->Get_Pixel_Filtered(3, 0, OffMap::kFilterMin, 5, c[0], c[1], c[2]);
  EXPECT_EQ(c[0], 20);
  // Four samples (90, 30, 20, 70): mean 52.5 truncated; median is the upper
  // middle of the sorted samples.
  map->Get_Pixel_Filtered(3, 0, OffMap::kFilterMean, 4, c[0], c[1], c[2]);
  EXPECT_EQ(c[0], 52);
  map->Get_Pixel_Filtered(3, 0, OffMap::kFilterMedian, 4, c[0], c[1], c[2]);
  EXPECT_EQ(c[0], 70);
  // Outside a tonal map reads 0.
  map->Get_Pixel_Filtered(0, 0, OffMap::kFilterMean, 3, c[0], c[1], c[2]);
  EXPECT_EQ(c[0], 20);
  map->Get_Pixel_Filtered(0, 0, OffMap::kFilterMin, 3, c[0], c[1], c[2]);
  EXPECT_EQ(c[0], 0);
  // Plain and unknown modes read the pixel as it is.
  map->Get_Pixel_Filtered(3, 0, OffMap::kFilterPlain, 5, c[0], c[1], c[2]);
  EXPECT_EQ(c[0], 90);
  map->Get_Pixel_Filtered(3, 0, 5, 5, c[0], c[1], c[2]);
  EXPECT_EQ(c[0], 90);
}

TEST(OffMapPixels, FilteredReadsStopAtSixteenEachSide) {
  // On a colour map the neighbours outside read white (255).  33 samples
  // are the most: the 7 pixels (sum 310) and 26 outside, 6940 / 33 = 210;
  // a 34th sample would give 211.
  OffMap map(7, 1, 24);
  const int16_t reds[7] = {10, 50, 20, 90, 30, 70, 40};
  for (int x = 0; x < 7; ++x) map.Set_Pixel(x, 0, reds[x], reds[x], reds[x]);
  Rgb3 c{};
  map.Get_Pixel_Filtered(3, 0, OffMap::kFilterMean, 100, c[0], c[1], c[2]);
  EXPECT_EQ(c, (Rgb3{210, 210, 210}));
  map.Get_Pixel_Filtered(3, 0, OffMap::kFilterMean, 7, c[0], c[1], c[2]);
  EXPECT_EQ(c[0], 44);  // 310 / 7
}

TEST(OffMapRows, FillAndCopyRowsAndColumns) {
  auto map = Grey_Map({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
  map->Fill_Row(1, 200);
  EXPECT_EQ(Reds(*map, 1), (std::vector<int16_t>{200, 200, 200}));
  map->Fill_Column(2, 300);  // clamped
  EXPECT_EQ(Px(*map, 2, 0)[0], 255);
  EXPECT_EQ(Px(*map, 2, 2)[0], 255);
  map->Fill_Row(3, 0);
  map->Fill_Column(-1, 0);
  EXPECT_EQ(Reds(*map, 0), (std::vector<int16_t>{1, 2, 255}));

  EXPECT_EQ(map->Copy_Row(0, 2), 255);
  EXPECT_EQ(Reds(*map, 2), (std::vector<int16_t>{1, 2, 255}));
  EXPECT_EQ(map->Copy_Column(0, 1), 200);
  EXPECT_EQ(Px(*map, 1, 0)[0], 1);
  EXPECT_EQ(Px(*map, 1, 1)[0], 200);
  EXPECT_EQ(map->Copy_Row(1, 1), -1);
  EXPECT_EQ(map->Copy_Row(0, 3), -1);
  EXPECT_EQ(map->Copy_Column(-1, 0), -1);
  EXPECT_EQ(map->Copy_Column(2, 2), -1);

  OffMap colour(2, 1, 24);
  colour.Set_Pixel(0, 0, 10, 20, 30);
  EXPECT_EQ(colour.Copy_Column(0, 1), 10);
  EXPECT_EQ(Px(colour, 1, 0), (Rgb3{10, 20, 30}));
  OffMap mask(10, 2, 1);
  mask.Set_Pixel(9, 0, 1, 1, 1);
  EXPECT_EQ(mask.Copy_Column(9, 3), 255);
  EXPECT_EQ(Px(mask, 3, 0)[0], 255);
  EXPECT_EQ(Px(mask, 3, 1)[0], 0);
}

TEST(OffMapRows, ScrollingCopiesWithoutOverwritingAndKeepsVacatedPixels) {
  HeadlessMessages messages;
  auto row = Grey_Map({{10, 20, 30, 40, 50}});
  EXPECT_TRUE(row->Scroll_Horizontally(true, 2, messages));
  EXPECT_EQ(Reds(*row, 0), (std::vector<int16_t>{30, 40, 50, 40, 50}));
  row = Grey_Map({{10, 20, 30, 40, 50}});
  EXPECT_TRUE(row->Scroll_Horizontally(false, 2, messages));
  EXPECT_EQ(Reds(*row, 0), (std::vector<int16_t>{10, 20, 10, 20, 30}));
  EXPECT_TRUE(row->Scroll_Horizontally(false, 5, messages));  // nothing to copy
  EXPECT_EQ(Reds(*row, 0), (std::vector<int16_t>{10, 20, 10, 20, 30}));

  auto column = Grey_Map({{10}, {20}, {30}, {40}});
  EXPECT_TRUE(column->Scroll_Vertically(true, 1, messages));
  EXPECT_EQ(Px(*column, 0, 0)[0], 20);
  EXPECT_EQ(Px(*column, 0, 2)[0], 40);
  EXPECT_EQ(Px(*column, 0, 3)[0], 40);
  column = Grey_Map({{10}, {20}, {30}, {40}});
  EXPECT_TRUE(column->Scroll_Vertically(false, 3, messages));
  EXPECT_EQ(Px(*column, 0, 0)[0], 10);
  EXPECT_EQ(Px(*column, 0, 2)[0], 30);
  EXPECT_EQ(Px(*column, 0, 3)[0], 10);
  EXPECT_TRUE(messages.Texts().empty());
}

TEST(OffMapRows, ScrollingByNothingShowsTheMessage) {
  HeadlessMessages messages;
  auto row = Grey_Map({{10, 20, 30}});
  EXPECT_FALSE(row->Scroll_Horizontally(true, 0, messages));
  EXPECT_FALSE(row->Scroll_Vertically(false, -3, messages));
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{"OffMap::Scroll_Horizontally FAILED,  pixelsToScroll is too small.",
                                      "OffMap::Scroll_Vertically FAILED,  pixelsToScroll is too small."}));
  EXPECT_EQ(messages.Shown_Messages()[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(Reds(*row, 0), (std::vector<int16_t>{10, 20, 30}));
}

TEST(OffMapRows, TestPatternIsBlackWithRowOneWhite) {
  OffMap map(3, 3, 24);
  map.Fill(255);
  map.Draw_Test_Pattern();
  EXPECT_EQ(Px(map, 2, 0), (Rgb3{0, 0, 0}));
  EXPECT_EQ(Px(map, 0, 1), (Rgb3{255, 255, 255}));
  EXPECT_EQ(Px(map, 2, 1), (Rgb3{255, 255, 255}));
  EXPECT_EQ(Px(map, 1, 2), (Rgb3{0, 0, 0}));
}
