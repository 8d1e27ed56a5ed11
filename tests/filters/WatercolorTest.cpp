#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "filters/ConvolutionMapFilter.h"
#include "filters/WatercolorParms.h"
#include "raster/RasterTestMaps.h"
#include "render/RenderMan.h"
#include "support/TestSupport.h"

namespace {

const char* const kMissingCase = "ConvolutionMapFilter::Filter  FAILED,  missing case for m_filterCode.";

// ---- settings and sliders ----------------------------------------------------------

TEST(WatercolorParms, StartValues) {
  const WatercolorParms p;
  EXPECT_EQ(p.liteAmount, 0);
  EXPECT_EQ(p.darkExponent, 20);
  EXPECT_EQ(p.skipSaturation, 0);
  EXPECT_EQ(p.satExponent, 70);
  EXPECT_EQ(p.skipSpeckRemoval, 0);
  EXPECT_EQ(p.speckRadius, 2);
  EXPECT_EQ(p.skipPosterize, 1);
  EXPECT_EQ(p.posterizeLevel, 4);
  EXPECT_EQ(p.posterizeRadius, 3);
  EXPECT_EQ(p.skipFinalLighten, 1);
  EXPECT_EQ(p.finalLighten, 30);
}

TEST(WatercolorParms, SlidersSetTheirFieldOnly) {
  struct Case {
    WatercolorSlider slider;
    int32_t position;
    int16_t value;  // what the dialog shows
    int16_t lite, dark, sat;
  };
  const Case cases[] = {
      {WatercolorSlider::Dark, 0, 100, 0, 75, 70},   {WatercolorSlider::Dark, 50, 50, 0, 40, 70},
      {WatercolorSlider::Dark, 78, 22, 0, 20, 70},   {WatercolorSlider::Dark, 100, 0, 0, 5, 70},
      {WatercolorSlider::Dark, -7, 100, 0, 75, 70},  {WatercolorSlider::Dark, 140, 0, 0, 5, 70},
      {WatercolorSlider::Lite, 0, 100, 100, 20, 70}, {WatercolorSlider::Lite, 30, 70, 70, 20, 70},
      {WatercolorSlider::Lite, 100, 0, 0, 20, 70},   {WatercolorSlider::Sat, 0, 100, 0, 20, 0},
      {WatercolorSlider::Sat, 35, 65, 0, 20, 70},    {WatercolorSlider::Sat, 100, 0, 0, 20, 200},
  };
  for (const Case& c : cases) {
    WatercolorParms p;
    EXPECT_EQ(Apply_Watercolor_Slider(c.slider, c.position, p), c.value) << c.position;
    EXPECT_EQ(p.liteAmount, c.lite) << c.position;
    EXPECT_EQ(p.darkExponent, c.dark) << c.position;
    EXPECT_EQ(p.satExponent, c.sat) << c.position;
    EXPECT_EQ(p.skipSaturation, 0);
  }
}

TEST(WatercolorParms, SliderPositionsForStoredSettings) {
  WatercolorParms p;
  EXPECT_EQ(Watercolor_Slider_Position(WatercolorSlider::Dark, p), 78);  // 100 - 15 / 0.7
  EXPECT_EQ(Watercolor_Slider_Position(WatercolorSlider::Lite, p), 100);
  EXPECT_EQ(Watercolor_Slider_Position(WatercolorSlider::Sat, p), 35);
  // Releasing a slider where it was put gives the stored value back.
  for (WatercolorSlider s : {WatercolorSlider::Dark, WatercolorSlider::Lite, WatercolorSlider::Sat}) {
    WatercolorParms again = p;
    Apply_Watercolor_Slider(s, Watercolor_Slider_Position(s, p), again);
    EXPECT_EQ(again.darkExponent, p.darkExponent);
    EXPECT_EQ(again.liteAmount, p.liteAmount);
    EXPECT_EQ(again.satExponent, p.satExponent);
  }
  // Out of the sliders' ranges.
  p.darkExponent = 100;  // the largest a list file keeps: below the slider's end
  EXPECT_EQ(Watercolor_Slider_Position(WatercolorSlider::Dark, p), 0);
  p.darkExponent = 0;
  EXPECT_EQ(Watercolor_Slider_Position(WatercolorSlider::Dark, p), 100);
  p.liteAmount = -1;
  EXPECT_EQ(Watercolor_Slider_Position(WatercolorSlider::Lite, p), 0);
  p.liteAmount = 101;
  EXPECT_EQ(Watercolor_Slider_Position(WatercolorSlider::Lite, p), 0);
  p.liteAmount = 30;
  EXPECT_EQ(Watercolor_Slider_Position(WatercolorSlider::Lite, p), 70);
  p.satExponent = 200;
  EXPECT_EQ(Watercolor_Slider_Position(WatercolorSlider::Sat, p), 100);
  p.satExponent = 201;
  EXPECT_EQ(Watercolor_Slider_Position(WatercolorSlider::Sat, p), 0);
  p.satExponent = 70;
  p.skipSaturation = 1;
  EXPECT_EQ(Watercolor_Slider_Position(WatercolorSlider::Sat, p), 0);
}

// ---- rendering ---------------------------------------------------------------------

class WatercolorRender : public ::testing::Test {
 protected:
  WatercolorRender() : m_renderMan(m_platform.Get()) {}

  // A colourful source with dark specks, so that every step and its place in
  // the sequence shows in the result.
  void Make_Source(int32_t w = 24, int32_t h = 18, int32_t depth = 24) {
    m_renderMan.Set_Source_Map(std::make_unique<OffMap>(w, h, depth));
    uint32_t seed = 99;
    for (int32_t y = 0; y < h; ++y) {
      for (int32_t x = 0; x < w; ++x) {
        seed = seed * 1664525u + 1013904223u;
        const int16_t r = static_cast<int16_t>(40 + 8 * x), g = static_cast<int16_t>(30 + 10 * y);
        const int16_t b = static_cast<int16_t>((seed >> 24) & 0xFF);
        Put(*m_renderMan.Get_Source_Map(), x, y, (x % 7 == 3 && y % 5 == 2) ? Rgb3{5, 5, 5} : Rgb3{r, g, b});
      }
    }
  }

  // The source run through the listed filters by hand.
  struct Step {
    int16_t code;
    int16_t value;
    int16_t level = 4;
    int16_t offset = 1;
  };
  std::unique_ptr<OffMap> By_Hand(const std::vector<Step>& steps) {
    const OffMap& source = *m_renderMan.Get_Source_Map();
    auto map = std::make_unique<OffMap>(source.Get_Width(), source.Get_Height(), source.Get_Depth());
    map->Assign_Copy(source);
    HeadlessMessages quiet;
    for (const Step& s : steps) {
      ConvolutionMapFilter filter(nullptr, s.value, map.get(), s.code, quiet);
      filter.Set_Posterize_Level(s.level, s.offset);
      filter.Filter();
    }
    return map;
  }

  static bool Same(const OffMap& a, const OffMap& b) {
    return a.Get_Width() == b.Get_Width() && a.Get_Height() == b.Get_Height() &&
           a.Get_Depth() == b.Get_Depth() && a.Get_Image_Bytes() == b.Get_Image_Bytes() &&
           std::equal(a.Get_Bits(), a.Get_Bits() + a.Get_Image_Bytes(), b.Get_Bits());
  }

  void Expect_Rendered(const OffMap& expected) {
    ASSERT_TRUE(m_renderMan.Get_Filtered_Map() && m_renderMan.Get_Displayed_Filtered_Map());
    EXPECT_TRUE(Same(*m_renderMan.Get_Filtered_Map(), expected));
    EXPECT_TRUE(Same(*m_renderMan.Get_Displayed_Filtered_Map(), expected));
    EXPECT_TRUE(m_renderMan.Has_Filtered_Image());
  }

  TestPlatform m_platform;
  RenderMan m_renderMan;
  std::string m_err;
};

TEST_F(WatercolorRender, StartValuesRunValueSaturationThenSpeckRemoval) {
  Make_Source();
  const WatercolorParms parms;
  ASSERT_TRUE(m_renderMan.WatercolorFilter_For_Separations(parms, m_err)) << m_err;
  EXPECT_EQ(m_err, "");
  Expect_Rendered(*By_Hand({{37, 20}, {38, 70}, {36, 2}, {35, 2}}));
  // The same steps in another order give another picture.
  EXPECT_FALSE(Same(*m_renderMan.Get_Filtered_Map(), *By_Hand({{38, 70}, {37, 20}, {36, 2}, {35, 2}})));
  EXPECT_FALSE(Same(*m_renderMan.Get_Filtered_Map(), *By_Hand({{37, 20}, {38, 70}, {35, 2}, {36, 2}})));

  // One colour all over: (200, 50, 50) -> value gamma (242, 60, 60) ->
  // saturation gamma (242, 44, 44); the disc steps change nothing.
  m_renderMan.Set_Source_Map(Solid_Map(6, 5, 24, {200, 50, 50}));
  ASSERT_TRUE(m_renderMan.WatercolorFilter_For_Separations(parms, m_err)) << m_err;
  EXPECT_EQ(Px(*m_renderMan.Get_Filtered_Map(), 3, 2), (Rgb3{242, 44, 44}));
  EXPECT_TRUE(m_platform.Messages().Texts().empty());
}

TEST_F(WatercolorRender, LiteAtTheTopRaisesEveryComponentFirst) {
  Make_Source();
  WatercolorParms parms;
  Apply_Watercolor_Slider(WatercolorSlider::Lite, 0, parms);
  ASSERT_EQ(parms.liteAmount, 100);
  ASSERT_TRUE(m_renderMan.WatercolorFilter_For_Separations(parms, m_err)) << m_err;
  Expect_Rendered(*By_Hand({{24, 100}, {37, 20}, {38, 70}, {36, 2}, {35, 2}}));

  // (100, 50, 20) + 100 = (200, 150, 120), then the two gammas.
  m_renderMan.Set_Source_Map(Solid_Map(4, 4, 24, {100, 50, 20}));
  ASSERT_TRUE(m_renderMan.WatercolorFilter_For_Separations(parms, m_err)) << m_err;
  EXPECT_EQ(Px(*m_renderMan.Get_Filtered_Map(), 1, 1), (Rgb3{242, 159, 114}));
}

TEST_F(WatercolorRender, OptionalStepsFollowTheirSwitches) {
  Make_Source();
  WatercolorParms parms;
  parms.skipSaturation = 1;
  parms.speckRadius = 1;  // a radius of 1 removes no specks
  ASSERT_TRUE(m_renderMan.WatercolorFilter_For_Separations(parms, m_err)) << m_err;
  Expect_Rendered(*By_Hand({{37, 20}}));

  parms = WatercolorParms();
  parms.liteAmount = -40;
  parms.skipSpeckRemoval = 1;
  parms.skipPosterize = 0;
  parms.skipFinalLighten = 0;
  ASSERT_TRUE(m_renderMan.WatercolorFilter_For_Separations(parms, m_err)) << m_err;
  Expect_Rendered(*By_Hand({{24, -40}, {37, 20}, {38, 70}, {20, 3, 4, 0}, {24, 30}}));

  parms.speckRadius = 3;
  parms.skipSpeckRemoval = 0;
  parms.posterizeLevel = 3;
  parms.posterizeRadius = 2;
  parms.finalLighten = 0;  // nothing to lighten
  ASSERT_TRUE(m_renderMan.WatercolorFilter_For_Separations(parms, m_err)) << m_err;
  Expect_Rendered(*By_Hand({{24, -40}, {37, 20}, {38, 70}, {36, 3}, {35, 3}, {20, 2, 3, 0}}));
  EXPECT_TRUE(m_platform.Messages().Texts().empty());
}

TEST_F(WatercolorRender, GreyPhotosAreSmoothedInTheColourVariant) {
  Make_Source();
  m_renderMan.Set_Greyscale_Photo(true);
  ASSERT_TRUE(m_renderMan.WatercolorFilter_For_Separations(WatercolorParms(), m_err)) << m_err;
  Expect_Rendered(*By_Hand({{37, 20}, {38, 70}, {17, 2}, {18, 2}, {18, 2}, {18, 2}, {36, 2}, {35, 2}}));
}

TEST_F(WatercolorRender, TonalSourcesMakeATonalPair) {
  // Only the grey-level codes work on a tonal map; the others say so.
  Make_Source(10, 8, 8);
  WatercolorParms parms;
  parms.liteAmount = 10;
  ASSERT_TRUE(m_renderMan.WatercolorFilter_For_Separations(parms, m_err)) << m_err;
  EXPECT_EQ(m_renderMan.Get_Filtered_Map()->Get_Depth(), 8);
  Expect_Rendered(*By_Hand({{37, 20}, {36, 2}, {35, 2}}));
  EXPECT_EQ(m_platform.Messages().Texts(), std::vector<std::string>(5, kMissingCase));
}

TEST_F(WatercolorRender, GreyscaleVariantSequence) {
  Make_Source();
  WatercolorParms parms;
  Apply_Watercolor_Slider(WatercolorSlider::Lite, 90, parms);  // liteAmount 10
  ASSERT_TRUE(m_renderMan.WatercolorFilter_For_Separations_Grey_24bit(parms, m_err)) << m_err;
  Expect_Rendered(*By_Hand({{36, 2}, {35, 2}, {25, 20}, {46, 70}, {24, 30}}));

  // (200, 200, 200): darkened by 20 to 180, scaled by 70 / 80 to 157, lit
  // by 3 x 10.
  m_renderMan.Set_Source_Map(Solid_Map(5, 5, 24, {200, 200, 200}));
  ASSERT_TRUE(m_renderMan.WatercolorFilter_For_Separations_Grey_24bit(parms, m_err)) << m_err;
  EXPECT_EQ(Px(*m_renderMan.Get_Filtered_Map(), 2, 2), (Rgb3{187, 187, 187}));
  parms = WatercolorParms();
  ASSERT_TRUE(m_renderMan.WatercolorFilter_For_Separations_Grey_24bit(parms, m_err)) << m_err;
  EXPECT_EQ(Px(*m_renderMan.Get_Filtered_Map(), 2, 2), (Rgb3{157, 157, 157}));
  EXPECT_TRUE(m_platform.Messages().Texts().empty());
}

TEST_F(WatercolorRender, EachRenderingStartsFromTheSource) {
  Make_Source();
  WatercolorParms bright;
  bright.liteAmount = 100;
  ASSERT_TRUE(m_renderMan.WatercolorFilter_For_Separations(bright, m_err)) << m_err;
  const OffMap* kept = m_renderMan.Get_Filtered_Map();
  ASSERT_TRUE(m_renderMan.WatercolorFilter_For_Separations(WatercolorParms(), m_err)) << m_err;
  EXPECT_EQ(m_renderMan.Get_Filtered_Map(), kept);  // same size: the pair is reused
  Expect_Rendered(*By_Hand({{37, 20}, {38, 70}, {36, 2}, {35, 2}}));
}

TEST_F(WatercolorRender, FailuresNameTheVariant) {
  EXPECT_FALSE(m_renderMan.WatercolorFilter_For_Separations(WatercolorParms(), m_err));
  EXPECT_EQ(m_err, "WatercolorFilter_For_Separations failed,  m_sourceMap is NULL.");
  EXPECT_FALSE(m_renderMan.WatercolorFilter_For_Separations_Grey_24bit(WatercolorParms(), m_err));
  EXPECT_EQ(m_err, "WatercolorFilter_For_Separations_Grey_24bit failed,  m_sourceMap is NULL.");
  EXPECT_FALSE(m_renderMan.Has_Filtered_Image());

  // A source of a depth no map can have: the pair cannot be made.
  m_renderMan.Set_Source_Map(std::make_unique<OffMap>(10, 10, 7));
  EXPECT_FALSE(m_renderMan.WatercolorFilter_For_Separations(WatercolorParms(), m_err));
  EXPECT_EQ(m_err, "WatercolorFilter_For_Separations failed,  Create_FilterMap_Pair could not allocate.");
  EXPECT_FALSE(m_renderMan.WatercolorFilter_For_Separations_Grey_24bit(WatercolorParms(), m_err));
  EXPECT_EQ(m_err,
            "WatercolorFilter_For_Separations_Grey_24bit failed,  Create_FilterMap_Pair could not allocate.");
  EXPECT_FALSE(m_renderMan.Has_Filtered_Image());
}

}  // namespace
