#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "raster/OffMap.h"
#include "support/TestSupport.h"

namespace {

using Rgb = std::array<int16_t, 3>;

const char* const kSmallerText =
    "OffMap::Copy_TextureMap_to_OffMap failed,  the file TEXTUREMAP is smaller than the RegionSubject.";
const char* const kDirectionText =
    "OffMap::Copy_TextureMap_to_OffMap failed,  directionCode is out of bounds.";
const Rgb kMarker{1, 2, 3};
const Rgb kWhite{255, 255, 255};

Rgb Px(const OffMap& map, int32_t x, int32_t y) {
  Rgb c{-1, -1, -1};
  map.Get_Pixel(x, y, c[0], c[1], c[2]);
  return c;
}

std::unique_ptr<OffMap> Solid(int32_t w, int32_t h, int32_t depth, Rgb c) {
  auto map = std::make_unique<OffMap>(w, h, depth);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) map->Set_Pixel(x, y, c[0], c[1], c[2]);
  return map;
}

// A 24-bit texture whose every pixel tells where it is: red 10 * x,
// green 10 * y, blue 7.
std::unique_ptr<OffMap> Labelled_Texture(int32_t w, int32_t h) {
  auto map = std::make_unique<OffMap>(w, h, 24);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      map->Set_Pixel(x, y, static_cast<int16_t>(10 * x), static_cast<int16_t>(10 * y), 7);
  return map;
}

Rgb From(int32_t x, int32_t y) {
  return {static_cast<int16_t>(10 * x), static_cast<int16_t>(10 * y), 7};
}

class TextureCopyTest : public ::testing::Test {
 protected:
  // Copies into a fresh 3 x 2 target of marker pixels through `region`.
  std::unique_ptr<OffMap> Copy(const OffMap& texture, const OffMap& region, int16_t scale, int16_t direction,
                               bool expectOk = true) {
    auto target = Solid(region.Get_Width(), region.Get_Height(), 24, kMarker);
    EXPECT_EQ(OffMap::Copy_TextureMap_to_OffMap(err, texture, region, *target, scale, direction), expectOk);
    return target;
  }

  std::string err = "old text";
};

TEST_F(TextureCopyTest, MirroredOrFlippedThroughTheRegionShape) {
  auto texture = Labelled_Texture(4, 3);
  // A 3 x 2 region whose pixel (2, 0) is white: it stays as the target had it.
  auto region = Solid(3, 2, 24, {40, 40, 40});
  region->Set_Pixel(2, 0, 255, 255, 255);
  region->Set_Pixel(1, 1, 255, 254, 255);  // not pure white: painted

  auto mirrored = Copy(*texture, *region, 1, 0);
  EXPECT_EQ(err, "");
  EXPECT_EQ(Px(*mirrored, 0, 0), From(2, 0));
  EXPECT_EQ(Px(*mirrored, 1, 0), From(1, 0));
  EXPECT_EQ(Px(*mirrored, 2, 0), kMarker);
  EXPECT_EQ(Px(*mirrored, 0, 1), From(2, 1));
  EXPECT_EQ(Px(*mirrored, 1, 1), From(1, 1));
  EXPECT_EQ(Px(*mirrored, 2, 1), From(0, 1));

  auto flipped = Copy(*texture, *region, 1, 1);
  EXPECT_EQ(Px(*flipped, 0, 0), From(0, 1));
  EXPECT_EQ(Px(*flipped, 1, 0), From(1, 1));
  EXPECT_EQ(Px(*flipped, 2, 0), kMarker);
  EXPECT_EQ(Px(*flipped, 0, 1), From(0, 0));
  EXPECT_EQ(Px(*flipped, 2, 1), From(2, 0));

  // Codes 2 and 3 repeat 0 and 1.
  EXPECT_TRUE(Same_Bits(*Copy(*texture, *region, 1, 2), *mirrored));
  EXPECT_TRUE(Same_Bits(*Copy(*texture, *region, 1, 3), *flipped));
}

TEST_F(TextureCopyTest, ScaleSamplesSparselyAndReadsBeyondTheEdgeLikeGetPixel) {
  auto region = Solid(3, 3, 24, {0, 0, 0});
  // Scale 2 on a 5 x 5 texture: the region's 3 x 3 pixels read every
  // second texture pixel, all inside.
  auto fits = Copy(*Labelled_Texture(5, 5), *region, 2, 1);
  EXPECT_EQ(Px(*fits, 0, 0), From(0, 4));
  EXPECT_EQ(Px(*fits, 2, 0), From(4, 4));
  EXPECT_EQ(Px(*fits, 1, 2), From(2, 0));

  // On a 3 x 3 texture the far reads fall outside: white around a colour
  // texture, black around a tonal one.
  auto colour = Copy(*Labelled_Texture(3, 3), *region, 2, 1);
  EXPECT_EQ(Px(*colour, 1, 1), From(2, 2));
  EXPECT_EQ(Px(*colour, 2, 1), kWhite);  // (4, 2)
  EXPECT_EQ(Px(*colour, 0, 0), kWhite);  // (0, 4)
  auto tonal = Solid(3, 3, 8, {90, 90, 90});
  auto fromTonal = Copy(*tonal, *region, 2, 0);
  EXPECT_EQ(Px(*fromTonal, 2, 0), (Rgb{90, 90, 90}));  // (0, 0)
  EXPECT_EQ(Px(*fromTonal, 0, 0), (Rgb{0, 0, 0}));     // (4, 0)
}

TEST_F(TextureCopyTest, TonalAndMaskRegionsAndATonalTarget) {
  auto texture = Labelled_Texture(2, 2);
  // An 8-bit region: only grey 255 is white.
  auto tonal = Solid(2, 1, 8, {255, 255, 255});
  tonal->Set_Pixel(1, 0, 254, 254, 254);
  auto fromTonal = Copy(*texture, *tonal, 1, 1);
  EXPECT_EQ(Px(*fromTonal, 0, 0), kMarker);
  EXPECT_EQ(Px(*fromTonal, 1, 0), From(1, 0));

  // A mask region: set bits are white, clear bits are painted.
  auto mask = Solid(2, 1, 1, {255, 255, 255});
  mask->Set_Pixel(0, 0, 0, 0, 0);
  auto fromMask = Copy(*texture, *mask, 1, 0);
  EXPECT_EQ(Px(*fromMask, 0, 0), From(1, 0));
  EXPECT_EQ(Px(*fromMask, 1, 0), kMarker);

  // An 8-bit target keeps the red component.
  auto target = Solid(2, 1, 8, {5, 5, 5});
  ASSERT_TRUE(OffMap::Copy_TextureMap_to_OffMap(err, *texture, *mask, *target, 1, 0));
  EXPECT_EQ(Px(*target, 0, 0), (Rgb{10, 10, 10}));
  EXPECT_EQ(Px(*target, 1, 0), (Rgb{5, 5, 5}));
}

TEST_F(TextureCopyTest, TextureSmallerThanTheRegionOrBadDirection) {
  auto region = Solid(3, 2, 24, {0, 0, 0});
  auto narrow = Copy(*Labelled_Texture(2, 5), *region, 1, 0, false);
  EXPECT_EQ(err, kSmallerText);
  EXPECT_EQ(Px(*narrow, 0, 0), kMarker);
  Copy(*Labelled_Texture(5, 1), *region, 1, 0, false);
  EXPECT_EQ(err, kSmallerText);
  // Exactly as large is enough.
  auto exact = Copy(*Labelled_Texture(3, 2), *region, 1, 0);
  EXPECT_EQ(err, "");
  EXPECT_EQ(Px(*exact, 0, 1), From(2, 1));

  for (const int16_t direction : {-1, 4, 300}) {
    err = "old text";
    auto untouched = Copy(*Labelled_Texture(3, 2), *region, 1, direction, false);
    EXPECT_EQ(err, kDirectionText);
    EXPECT_EQ(Px(*untouched, 1, 1), kMarker);
  }
  // The size is checked before the direction.
  Copy(*Labelled_Texture(2, 2), *region, 1, 9, false);
  EXPECT_EQ(err, kSmallerText);
}

TEST_F(TextureCopyTest, TargetSmallerThanTheRegionTakesWhatFits) {
  auto region = Solid(3, 3, 24, {0, 0, 0});
  auto target = Solid(2, 1, 24, kMarker);
  ASSERT_TRUE(OffMap::Copy_TextureMap_to_OffMap(err, *Labelled_Texture(3, 3), *region, *target, 1, 1));
  EXPECT_EQ(Px(*target, 0, 0), From(0, 2));
  EXPECT_EQ(Px(*target, 1, 0), From(1, 2));
}

}  // namespace
