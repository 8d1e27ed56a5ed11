#include <gtest/gtest.h>

#include <limits>

#include "RasterTestMaps.h"

TEST(OffMapCopy, CopyBitsNeedsMemoryAndTheSameSizeAndDepth) {
  std::string err = "old";
  OffMap a(3, 2, 24), b(3, 2, 8), none(3, 2, 16);
  EXPECT_FALSE(a.Copy_Bits(none, err));
  EXPECT_EQ(err, "OffMap::Copy_Bits() failed,  Bitmaps are NOT in MEMORY. ");
  EXPECT_FALSE(none.Copy_Bits(a, err));
  EXPECT_EQ(err, "OffMap::Copy_Bits() failed,  Bitmaps are NOT in MEMORY. ");
  EXPECT_FALSE(a.Copy_Bits(b, err));
  EXPECT_EQ(err, "OffMap::Copy_Bits() failed,  Bitmaps are NOT same SIZE. ");
  OffMap wider(4, 2, 24);
  EXPECT_FALSE(a.Copy_Bits(wider, err));
  EXPECT_EQ(err, "OffMap::Copy_Bits() failed,  Bitmaps are NOT same SIZE. ");

  OffMap src(3, 2, 24);
  src.Set_Pixel(2, 1, 9, 8, 7);
  src.Get_Bits()[9] = 0x55;  // padding is copied as well
  EXPECT_TRUE(a.Copy_Bits(src, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(Px(a, 2, 1), (Rgb3{9, 8, 7}));
  EXPECT_EQ(a.Get_Bits()[9], 0x55);
}

TEST(OffMapCopy, CopyPixelsConvertsBetweenDepths) {
  std::string err;
  OffMap colour(2, 1, 24);
  auto tonal = Grey_Map({{77, 0}});
  EXPECT_TRUE(colour.Copy_Pixels(*tonal, err));
  EXPECT_EQ(Px(colour, 0, 0), (Rgb3{77, 77, 77}));

  colour.Set_Pixel(1, 0, 10, 20, 30);
  EXPECT_TRUE(tonal->Copy_Pixels(colour, err));
  EXPECT_EQ(Reds(*tonal, 0), (std::vector<int16_t>{77, 10}));

  OffMap mask(2, 1, 1);
  colour.Set_Pixel(0, 0, 0, 0, 1);
  colour.Set_Pixel(1, 0, 0, 0, 0);
  EXPECT_TRUE(mask.Copy_Pixels(colour, err));
  EXPECT_EQ(Reds(mask, 0), (std::vector<int16_t>{255, 0}));
  EXPECT_TRUE(colour.Copy_Pixels(mask, err));
  EXPECT_EQ(Px(colour, 0, 0), (Rgb3{255, 255, 255}));
  EXPECT_EQ(Px(colour, 1, 0), (Rgb3{0, 0, 0}));

  OffMap other(2, 2, 24);
  err = "old";
  EXPECT_FALSE(other.Copy_Pixels(colour, err));
  EXPECT_EQ(err, "OffMap::Copy_Pixels FAILED,  bitmaps are NOT the same size.");
}

TEST(OffMapCopy, CopyPixelsLeavesPaddingAndSpareBitsAlone) {
  std::string err;
  OffMap mask(3, 1, 1), cleared(3, 1, 1);
  mask.Fill(255);
  EXPECT_TRUE(mask.Copy_Pixels(cleared, err));
  EXPECT_EQ(mask.Get_Bits()[0], 0x1F);  // three pixels off, spare bits as they were
  EXPECT_EQ(mask.Get_Bits()[3], 0xFF);
  OffMap colour(1, 1, 24), black(1, 1, 24);
  colour.Fill(255);
  EXPECT_TRUE(colour.Copy_Pixels(black, err));
  EXPECT_EQ(Px(colour, 0, 0), (Rgb3{0, 0, 0}));
  EXPECT_EQ(colour.Get_Bits()[3], 0xFF);
}

TEST(OffMapCopy, CopyXSegmentCopiesColumnsOfEveryRow) {
  std::string err = "old";
  auto src = Grey_Map({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}});
  auto dst = Grey_Map({{0, 0, 0, 0}, {0, 0, 0, 0}});
  EXPECT_TRUE(dst->Copy_xSegment(1, 2, 3, *src, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(Reds(*dst, 0), (std::vector<int16_t>{0, 0, 2, 3}));
  EXPECT_EQ(Reds(*dst, 1), (std::vector<int16_t>{0, 0, 7, 8}));
  // Source columns beyond the map read the border colour (black here).
  auto grey = Grey_Map({{99, 99}, {99, 99}});
  EXPECT_TRUE(grey->Copy_xSegment(4, 0, 2, *src, err));
  EXPECT_EQ(Reds(*grey, 0), (std::vector<int16_t>{5, 0}));
  EXPECT_EQ(Reds(*grey, 1), (std::vector<int16_t>{10, 0}));
  // Target columns before the map are skipped; a huge count ends at the edge.
  EXPECT_TRUE(grey->Copy_xSegment(0, -1, 3, *src, err));
  EXPECT_EQ(Reds(*grey, 0), (std::vector<int16_t>{2, 3}));
  EXPECT_TRUE(grey->Copy_xSegment(3, 1, 2147483647, *src, err));
  EXPECT_EQ(Reds(*grey, 0), (std::vector<int16_t>{2, 4}));
  EXPECT_TRUE(grey->Copy_xSegment(2147483647, 2147483647, 2147483647, *src, err));
  EXPECT_TRUE(grey->Copy_xSegment(-2147483647 - 1, 0, 1, *src, err));
  EXPECT_EQ(Reds(*grey, 0), (std::vector<int16_t>{0, 4}));

  OffMap none(4, 2, 16), colour(5, 2, 24), shorter(5, 1, 8);
  EXPECT_FALSE(dst->Copy_xSegment(0, 0, 1, none, err));
  EXPECT_EQ(err, "OffMap::Copy_xSegment failed,  Bitmaps are NOT in MEMORY. ");
  EXPECT_FALSE(dst->Copy_xSegment(0, 0, 1, colour, err));
  EXPECT_EQ(err, "OffMap::Copy_xSegment failed,  Bitmaps are NOT same SIZE. ");
  EXPECT_FALSE(dst->Copy_xSegment(0, 0, 1, shorter, err));
  EXPECT_EQ(err, "OffMap::Copy_xSegment failed,  Bitmaps are NOT same SIZE. ");
}

TEST(OffMapCopy, MaskBitsReplacesBytesByThreshold) {
  std::string err = "old";
  auto src = Grey_Map({{10, 100, 200}});
  auto dst = Grey_Map({{1, 2, 3}});
  EXPECT_TRUE(dst->Mask_Bits(*src, 100, 9, false, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(Reds(*dst, 0), (std::vector<int16_t>{9, 9, 3}));
  EXPECT_EQ(dst->Get_Bits()[3], 9);  // a byte operation: the padding byte 0 <= 100
  dst = Grey_Map({{1, 2, 3}});
  EXPECT_TRUE(dst->Mask_Bits(*src, 100, 300, true, err));  // stored value clamped
  EXPECT_EQ(Reds(*dst, 0), (std::vector<int16_t>{1, 255, 255}));

  OffMap none(3, 1, 16), wide(4, 1, 8), colour(3, 1, 24), colour2(3, 1, 24);
  EXPECT_FALSE(dst->Mask_Bits(none, 0, 0, false, err));
  EXPECT_EQ(err, "OffMap::Mask_Bits() failed,  Bitmaps are NOT in MEMORY. ");
  EXPECT_FALSE(dst->Mask_Bits(wide, 0, 0, false, err));
  EXPECT_EQ(err, "OffMap::Mask_Bits() failed,  Bitmaps are NOT same SIZE. ");
  EXPECT_FALSE(dst->Mask_Bits(colour, 0, 0, false, err));
  EXPECT_EQ(err, "OffMap::Mask_Bits() failed,  Bitmaps are NOT same SIZE. ");
  EXPECT_FALSE(colour2.Mask_Bits(colour, 0, 0, false, err));
  EXPECT_EQ(err, "OffMap::Mask_Bits() failed,  Bitmaps are NOT 8 deep. ");
}

TEST(OffMapCopy, MergeBitsHalvesEachSideBeforeAdding) {
  std::string err = "old";
  auto a = Grey_Map({{255, 3, 0}});
  auto b = Grey_Map({{1, 3, 201}});
  EXPECT_TRUE(a->Merge_Bits(*b, err));
  EXPECT_EQ(err, "");
  EXPECT_EQ(Reds(*a, 0), (std::vector<int16_t>{127, 2, 100}));

  OffMap none(3, 1, 16), colour(3, 1, 24);
  EXPECT_FALSE(a->Merge_Bits(none, err));
  EXPECT_EQ(err, "OffMap::Merge_Bits() failed,  Bitmaps are NOT in MEMORY. ");
  EXPECT_FALSE(a->Merge_Bits(colour, err));
  EXPECT_EQ(err, "OffMap::Merge_Bits() failed,  Bitmaps are NOT same SIZE. ");
}

TEST(OffMapResample, SubsampledCopiesReadEveryStepPixel) {
  auto src = Grey_Map({{0, 1, 2, 3}, {10, 11, 12, 13}, {20, 21, 22, 23}, {30, 31, 32, 33}});
  OffMap half(2, 2, 8);
  src->Copy_Subsampled(2, half);
  EXPECT_EQ(Reds(half, 0), (std::vector<int16_t>{0, 2}));
  EXPECT_EQ(Reds(half, 1), (std::vector<int16_t>{20, 22}));
  // The target's size decides; reads beyond the source give its border.
  OffMap wide(3, 1, 8);
  wide.Fill(99);
  src->Copy_Subsampled(2, wide);
  EXPECT_EQ(Reds(wide, 0), (std::vector<int16_t>{0, 2, 0}));
  OffMap big(5, 5, 8);
  big.Fill(99);
  src->Copy_Subsampled(1, big);
  EXPECT_EQ(Reds(big, 3), (std::vector<int16_t>{30, 31, 32, 33, 0}));
  EXPECT_EQ(Reds(big, 4), (std::vector<int16_t>{0, 0, 0, 0, 0}));
  OffMap corner(2, 2, 24);
  src->Copy_Subsampled(1, corner);
  EXPECT_EQ(Px(corner, 1, 1), (Rgb3{11, 11, 11}));
}

TEST(OffMapResample, ColourModifiedSubsampledCopy) {
  OffMap src(2, 1, 24), dst(2, 1, 24);
  src.Set_Pixel(0, 0, 255, 0, 0);
  src.Set_Pixel(1, 0, 255, 255, 255);
  src.Copy_Subsampled_ColorModified(1, dst, 120, 0, 0);
  EXPECT_EQ(Px(dst, 0, 0), (Rgb3{0, 255, 0}));
  EXPECT_EQ(Px(dst, 1, 0), (Rgb3{255, 255, 255}));
  src.Copy_Subsampled_ColorModified(1, dst, 0, 0, 0);
  EXPECT_EQ(Px(dst, 0, 0), (Rgb3{255, 0, 0}));
}

TEST(OffMapResample, ScaledCopyLetsThinDarkLinesSurviveShrinking) {
  OffMap src(4, 4, 24);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) src.Set_Pixel(x, y, 100, 100, 100);
  src.Set_Pixel(3, 3, 5, 6, 7);
  OffMap half(2, 2, 24);
  src.Set_Pixel(2, 2, 211, 0, 0);
  src.Copy_Scaled_by_Factor(2.0, half);
  EXPECT_EQ(Px(half, 1, 1), (Rgb3{5, 6, 7}));  // (2, 2) is light: (3, 3) instead
  EXPECT_EQ(Px(half, 0, 0), (Rgb3{100, 100, 100}));
  src.Set_Pixel(2, 2, 210, 0, 0);
  src.Copy_Scaled_by_Factor(2.0, half);
  EXPECT_EQ(Px(half, 1, 1), (Rgb3{210, 0, 0}));
  // Enlarging never swaps.
  src.Set_Pixel(2, 2, 211, 0, 0);
  OffMap twice(8, 8, 24);
  src.Copy_Scaled_by_Factor(0.5, twice);
  EXPECT_EQ(Px(twice, 4, 4), (Rgb3{211, 0, 0}));
  EXPECT_EQ(Px(twice, 5, 5), (Rgb3{211, 0, 0}));
  EXPECT_EQ(Px(twice, 7, 6), (Rgb3{5, 6, 7}));
  // Factor 1.5: target (1, 1) reads (1, 1); target (2, 2) reads (3, 3).
  OffMap mid(3, 3, 24);
  src.Copy_Scaled_by_Factor(1.5, mid);
  EXPECT_EQ(Px(mid, 2, 2), (Rgb3{5, 6, 7}));
  // Swapping at the edge reads the white border.
  src.Set_Pixel(3, 3, 220, 220, 220);
  src.Copy_Scaled_by_Factor(1.5, mid);
  EXPECT_EQ(Px(mid, 2, 2), (Rgb3{255, 255, 255}));
}

TEST(OffMapResample, ScaledCopyWithAbsurdFactorsReadsTheBorder) {
  OffMap src(2, 2, 24), dst(2, 2, 24);
  src.Fill(0);
  src.Copy_Scaled_by_Factor(1e300, dst);
  EXPECT_EQ(Px(dst, 1, 1), (Rgb3{255, 255, 255}));
  EXPECT_EQ(Px(dst, 0, 0), (Rgb3{0, 0, 0}));  // 0 * factor is still 0
  src.Copy_Scaled_by_Factor(std::numeric_limits<double>::quiet_NaN(), dst);
  EXPECT_EQ(Px(dst, 0, 0), (Rgb3{255, 255, 255}));
}

TEST(OffMapNewMaps, ScaledDownCopyIsAFullCopy) {
  std::string err = "old";
  auto src = Grey_Map({{1, 2, 3}, {4, 5, 6}});
  std::unique_ptr<OffMap> copy = src->Make_ScaledDown_Copy(err);
  ASSERT_TRUE(copy);
  EXPECT_EQ(err, "");
  EXPECT_EQ(copy->Get_Width(), 3);
  EXPECT_EQ(copy->Get_Height(), 2);
  EXPECT_EQ(copy->Get_Depth(), 8);
  EXPECT_EQ(Reds(*copy, 1), (std::vector<int16_t>{4, 5, 6}));
  OffMap mask(10, 1, 1);
  mask.Set_Pixel(9, 0, 1, 1, 1);
  std::unique_ptr<OffMap> maskCopy = mask.Make_ScaledDown_Copy(err);
  ASSERT_TRUE(maskCopy);
  EXPECT_EQ(Px(*maskCopy, 9, 0)[0], 255);
  EXPECT_EQ(Px(*maskCopy, 8, 0)[0], 0);

  OffMap none(3, 3, 16);
  EXPECT_FALSE(none.Make_ScaledDown_Copy(err));
  EXPECT_EQ(err, "OffMap::Make_ScaledDown_Copy  failed, source map has no bytes.");
}

TEST(OffMapNewMaps, ColourModifiedCopy) {
  std::string err = "old";
  OffMap src(2, 1, 24);
  src.Set_Pixel(0, 0, 255, 0, 0);
  src.Set_Pixel(1, 0, 255, 255, 255);
  std::unique_ptr<OffMap> copy = src.Make_ScaledDown_ColorModified_Copy(120, 0, 0, err);
  ASSERT_TRUE(copy);
  EXPECT_EQ(err, "");
  EXPECT_EQ(Px(*copy, 0, 0), (Rgb3{0, 255, 0}));
  EXPECT_EQ(Px(*copy, 1, 0), (Rgb3{255, 255, 255}));
  auto tonal = Grey_Map({{100}});
  copy = tonal->Make_ScaledDown_ColorModified_Copy(0, 0, 10, err);
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->Get_Depth(), 8);
  EXPECT_EQ(Px(*copy, 0, 0)[0], 110);
  // A zero side becomes 1; the pixels read outside the source are white.
  OffMap thin(0, 3, 24);
  copy = thin.Make_ScaledDown_ColorModified_Copy(0, 0, -50, err);
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->Get_Width(), 1);
  EXPECT_EQ(copy->Get_Height(), 3);
  EXPECT_EQ(Px(*copy, 0, 2), (Rgb3{255, 255, 255}));

  OffMap none(3, 3, 16);
  EXPECT_FALSE(none.Make_ScaledDown_ColorModified_Copy(1, 1, 1, err));
  EXPECT_EQ(err, "OffMap::Make_ScaledDown_ColorModified_Copy  failed, source map has no bytes.");
}

TEST(OffMapDepths, MaskToColour) {
  std::string err = "old";
  OffMap mask(3, 1, 1);
  mask.Set_Pixel(1, 0, 1, 1, 1);
  std::unique_ptr<OffMap> colour = OffMap::Alloc_A_24bit_OffMap_from_1bit_MaskMap(err, mask, 10, 20, 30);
  ASSERT_TRUE(colour);
  EXPECT_EQ(err, "");
  EXPECT_EQ(colour->Get_Depth(), 24);
  EXPECT_EQ(Px(*colour, 0, 0), (Rgb3{10, 20, 30}));
  EXPECT_EQ(Px(*colour, 1, 0), (Rgb3{255, 255, 255}));
  EXPECT_EQ(Px(*colour, 2, 0), (Rgb3{10, 20, 30}));

  OffMap tonal(3, 1, 8);
  EXPECT_FALSE(OffMap::Alloc_A_24bit_OffMap_from_1bit_MaskMap(err, tonal, 0, 0, 0));
  EXPECT_EQ(err, "OffMap::Alloc_A_24bit_OffMap_from_1bit_MaskMap   failed,  maskMap is not 1 bits deep.");
}

TEST(OffMapDepths, MaskTooLargeToBecomeAColourMap) {
  // 716,000,000 mask pixels fit in 89.5 MB; as a colour map they would need
  // more bytes than a map can describe.
  std::string err;
  OffMap mask(716000000, 1, 1);
  ASSERT_FALSE(mask.Is_Not_In_Memory());
  EXPECT_FALSE(OffMap::Alloc_A_24bit_OffMap_from_1bit_MaskMap(err, mask, 0, 0, 0));
  EXPECT_EQ(err, "OffMap::Alloc_A_24bit_OffMap_from_1bit_MaskMap  failed,  could not create destMap.");
}

TEST(OffMapDepths, TonalToColourAndBack) {
  std::string err = "old";
  auto tonal = Grey_Map({{0, 128, 255}});
  std::unique_ptr<OffMap> colour = OffMap::Alloc_A_24bit_OffMap_from_8bit_TonalMap(*tonal, err);
  ASSERT_TRUE(colour);
  EXPECT_EQ(err, "");
  EXPECT_EQ(Px(*colour, 1, 0), (Rgb3{128, 128, 128}));
  EXPECT_EQ(Px(*colour, 2, 0), (Rgb3{255, 255, 255}));
  EXPECT_FALSE(OffMap::Alloc_A_24bit_OffMap_from_8bit_TonalMap(*colour, err));
  EXPECT_EQ(err,
            "RegionExternal::Alloc_A_24bit_OffMap_from_8bit_TonalMap   failed,  maskMap is not 8 bits "
            "deep.");

  colour->Set_Pixel(0, 0, 10, 10, 11);
  err = "old";
  std::unique_ptr<OffMap> back = OffMap::Alloc_A_8bit_TonalMap_from_24Bit_Greyscale_Bitmap(err, *colour);
  ASSERT_TRUE(back);
  EXPECT_EQ(err, "");
  EXPECT_EQ(back->Get_Depth(), 8);
  EXPECT_EQ(Reds(*back, 0), (std::vector<int16_t>{0, 128, 255}));
  EXPECT_FALSE(OffMap::Alloc_A_8bit_TonalMap_from_24Bit_Greyscale_Bitmap(err, *tonal));
  EXPECT_EQ(err,
            "OffMap::Alloc_A_8bit_TonalMap_from_24Bit_Greyscale_Bitmap   failed,  srcMap is not 24 bits "
            "deep.");
}

TEST(OffMapDepths, ColourToMaskKeepsOnlyPureWhite) {
  std::string err = "old";
  OffMap colour(3, 1, 24);
  colour.Set_Pixel(0, 0, 255, 255, 255);
  colour.Set_Pixel(1, 0, 255, 255, 254);
  colour.Set_Pixel(2, 0, 0, 0, 0);
  std::unique_ptr<OffMap> mask = OffMap::Alloc_A_1bit_MaskMap_from_24Bit_ColorMap(err, colour);
  ASSERT_TRUE(mask);
  EXPECT_EQ(err, "");
  EXPECT_EQ(mask->Get_Depth(), 1);
  EXPECT_EQ(Reds(*mask, 0), (std::vector<int16_t>{255, 0, 0}));
  OffMap tonal(3, 1, 8);
  EXPECT_FALSE(OffMap::Alloc_A_1bit_MaskMap_from_24Bit_ColorMap(err, tonal));
  EXPECT_EQ(err, "OffMap::Alloc_A_1bit_MaskMap_from_24Bit_ColorMap   failed,  srcMap is not 24 bits deep.");
}

TEST(OffMapDepths, GreyScaleCopyTakesTheLargestComponent) {
  std::string err = "old";
  OffMap colour(3, 1, 24);
  colour.Set_Pixel(0, 0, 10, 200, 30);
  colour.Set_Pixel(1, 0, 40, 5, 41);
  std::unique_ptr<OffMap> grey = OffMap::Alloc_An_8bit_GreyScale_Copy(colour, err);
  ASSERT_TRUE(grey);
  EXPECT_EQ(err, "");
  EXPECT_EQ(grey->Get_Depth(), 8);
  EXPECT_EQ(Reds(*grey, 0), (std::vector<int16_t>{200, 41, 0}));
  EXPECT_FALSE(OffMap::Alloc_An_8bit_GreyScale_Copy(*grey, err));
  EXPECT_EQ(err, "OffMap::Alloc_An_8bit_GreyScale_Copy   failed,  srcMap is not 24 deep.");
}
