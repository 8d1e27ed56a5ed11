// Where new map windows go: their configuration's corner where it is free,
// below the top row, right of other windows, cascaded from their twins.

#include <gtest/gtest.h>

#include "app/WindowLayout.h"

namespace {

PlacedWindow At(int16_t code, int32_t x, int32_t y, int32_t width, int32_t height) {
  return {code, RectLong{{}, x, y, x + width - 1, y + height - 1}};
}

}  // namespace

TEST(WindowLayout, RowsAndOrderOfPlacing) {
  EXPECT_TRUE(WindowLayout::Is_Top_Row(5));
  EXPECT_TRUE(WindowLayout::Is_Top_Row(8));
  EXPECT_TRUE(WindowLayout::Is_Top_Row(7));
  EXPECT_FALSE(WindowLayout::Is_Top_Row(3));
  EXPECT_FALSE(WindowLayout::Is_Top_Row(4));
  EXPECT_FALSE(WindowLayout::Is_Top_Row(6));
  EXPECT_FALSE(WindowLayout::Is_Top_Row(9));
  // Opened together as a photo opens them (3, 5, 8), they are placed 5, 8, 3.
  EXPECT_TRUE(WindowLayout::Places_Before(5, 3));
  EXPECT_TRUE(WindowLayout::Places_Before(5, 8));
  EXPECT_TRUE(WindowLayout::Places_Before(8, 3));
  EXPECT_FALSE(WindowLayout::Places_Before(3, 5));
  EXPECT_TRUE(WindowLayout::Places_Before(3, 6));
  EXPECT_TRUE(WindowLayout::Places_Before(6, 4));
}

TEST(WindowLayout, FreeCornersAreTheConfigurations) {
  const std::vector<PlacedWindow> none;
  const PointLong layered = WindowLayout::Place(5, 360, 480, none);
  EXPECT_EQ(layered.x, 10);
  EXPECT_EQ(layered.y, 10);
  const PointLong photo = WindowLayout::Place(3, 360, 480, none);
  EXPECT_EQ(photo.x, 30);
  EXPECT_EQ(photo.y, 310);
  const PointLong objects = WindowLayout::Place(4, 360, 480, none);
  EXPECT_EQ(objects.x, 970);
  EXPECT_EQ(objects.y, 500);
  const PointLong unknown = WindowLayout::Place(9, 100, 100, none);
  EXPECT_EQ(unknown.x, 0);
  EXPECT_EQ(unknown.y, 0);
}

TEST(WindowLayout, SecondRowGoesBelowTheTopRowAndRightOfOthers) {
  // A 400 x 266 picture: Layered is 422 x 310 with its frame.
  std::vector<PlacedWindow> placed = {At(5, 10, 10, 422, 310)};
  const PointLong pre = WindowLayout::Place(8, 422, 310, placed);
  EXPECT_EQ(pre.x, 490);  // free: 10 + 422 - 1 = 431 < 490
  EXPECT_EQ(pre.y, 10);
  placed.push_back(At(8, pre.x, pre.y, 422, 310));
  const PointLong photo = WindowLayout::Place(3, 422, 310, placed);
  EXPECT_EQ(photo.x, 30);
  EXPECT_EQ(photo.y, 10 + 310 + WindowLayout::kGap);  // 326, not 310 over Layered's bottom
  // A wide Layered window pushes PreProcessing right.
  const std::vector<PlacedWindow> wide = {At(5, 10, 10, 522, 400)};
  const PointLong pushed = WindowLayout::Place(8, 522, 400, wide);
  EXPECT_EQ(pushed.x, 10 + 522 + WindowLayout::kGap);
  EXPECT_EQ(pushed.y, 10);
  // A second-row window already where Photo would go sends it right.
  const std::vector<PlacedWindow> taken = {At(6, 20, 310, 200, 200)};
  const PointLong right = WindowLayout::Place(3, 100, 100, taken);
  EXPECT_EQ(right.x, 20 + 200 + WindowLayout::kGap);
  EXPECT_EQ(right.y, 310);
}

TEST(WindowLayout, TwinsCascade) {
  std::vector<PlacedWindow> placed = {At(3, 30, 310, 360, 480)};
  const PointLong second = WindowLayout::Place(3, 360, 480, placed);
  EXPECT_EQ(second.x, 30 + WindowLayout::kCascade);
  EXPECT_EQ(second.y, 310 + WindowLayout::kCascade);
  placed.push_back(At(3, second.x, second.y, 360, 480));
  const PointLong third = WindowLayout::Place(3, 360, 480, placed);
  EXPECT_EQ(third.x, 30 + 2 * WindowLayout::kCascade);
  EXPECT_EQ(third.y, 310 + 2 * WindowLayout::kCascade);
}
