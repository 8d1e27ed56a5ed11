#include <gtest/gtest.h>

#include "ViewFixtures.h"
#include "framework/WindowsUpdater.h"
#include "platform/headless/Headless.h"
#include "raster/OffMap.h"
#include "support/TestSupport.h"
#include "views/OffMapDrawSurface.h"

namespace {

struct Rgb {
  int16_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

Rgb At(const OffMap& map, int32_t x, int32_t y) {
  Rgb c{};
  map.Get_Pixel(x, y, c.r, c.g, c.b);
  return c;
}

constexpr Rgb kWhite{255, 255, 255};

// A 24-bit map whose pixel (x, y) is (x, y, 7): every source pixel tells
// where it came from.
std::unique_ptr<OffMap> Make_Coordinate_Map(int32_t width, int32_t height) {
  auto map = std::make_unique<OffMap>(width, height, 24);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x)
      map->Set_Pixel(x, y, static_cast<int16_t>(x), static_cast<int16_t>(y), 7);
  return map;
}

std::unique_ptr<OffMap> Make_White(int32_t width, int32_t height) {
  auto map = std::make_unique<OffMap>(width, height, 24);
  map->Fill(255);
  return map;
}

// ---------------------------------------------------------------------------
// OffMapDrawSurface

TEST(OffMapDrawSurfaceTest, FillsAreClippedAndInclusive) {
  auto map = Make_White(10, 8);
  OffMapDrawSurface surface(*map);
  EXPECT_EQ(surface.Get_Width(), 10);
  EXPECT_EQ(surface.Get_Height(), 8);
  surface.Fill_Rect(Make_RectLong(-5, 6, 2, 20), 10, 20, 30);
  EXPECT_EQ(At(*map, 0, 6), (Rgb{10, 20, 30}));
  EXPECT_EQ(At(*map, 2, 7), (Rgb{10, 20, 30}));
  EXPECT_EQ(At(*map, 3, 7), kWhite);
  EXPECT_EQ(At(*map, 2, 5), kWhite);
  surface.Fill_Rect_Grey(Make_RectLong(5, 0, 5, 0), 128);
  EXPECT_EQ(At(*map, 5, 0), (Rgb{128, 128, 128}));
  auto before = Make_White(10, 8);
  before->Assign_Copy(*map);
  surface.Fill_Rect(Make_RectLong(4, 4, 3, 5), 0, 0, 0);  // inverted: nothing
  EXPECT_TRUE(Same_Bits(*map, *before));
}

TEST(OffMapDrawSurfaceTest, EllipseIsInscribed) {
  auto map = Make_White(12, 12);
  OffMapDrawSurface surface(*map);
  surface.Fill_Ellipse(Make_RectLong(1, 1, 10, 10), 255, 0, 0);
  const Rgb red{255, 0, 0};
  EXPECT_EQ(At(*map, 5, 5), red);
  EXPECT_EQ(At(*map, 1, 5), red);   // middle of the left edge
  EXPECT_EQ(At(*map, 10, 6), red);  // middle of the right edge
  EXPECT_EQ(At(*map, 5, 1), red);
  EXPECT_EQ(At(*map, 1, 1), kWhite);  // corners stay out
  EXPECT_EQ(At(*map, 10, 10), kWhite);
  EXPECT_EQ(At(*map, 0, 5), kWhite);  // outside the bounds
  // Symmetric about both axes.
  for (int32_t y = 1; y <= 10; ++y)
    for (int32_t x = 1; x <= 10; ++x) {
      EXPECT_EQ(At(*map, x, y), At(*map, 11 - x, y)) << x << "," << y;
      EXPECT_EQ(At(*map, x, y), At(*map, x, 11 - y)) << x << "," << y;
    }
}

TEST(OffMapDrawSurfaceTest, InversionTwiceRestoresEveryDepth) {
  for (int32_t depth : {24, 8, 1}) {
    auto map = std::make_unique<OffMap>(13, 9, depth);
    for (int32_t y = 0; y < 9; ++y)
      for (int32_t x = 0; x < 13; ++x) {
        const auto v = static_cast<int16_t>((x * 37 + y * 11) % 256);
        map->Set_Pixel(x, y, v, static_cast<int16_t>(255 - v), static_cast<int16_t>(v / 2));
      }
    auto original = std::make_unique<OffMap>(13, 9, depth);
    original->Assign_Copy(*map);
    OffMapDrawSurface surface(*map);

    surface.Invert_Rect(Make_RectLong(2, 2, 6, 5));
    EXPECT_FALSE(Same_Bits(*map, *original)) << depth;
    int16_t r0, g0, b0, r1, g1, b1;
    original->Get_Pixel(3, 3, r0, g0, b0);
    map->Get_Pixel(3, 3, r1, g1, b1);
    EXPECT_EQ(r1, 255 - r0) << depth;
    surface.Invert_Rect(Make_RectLong(2, 2, 6, 5));
    EXPECT_TRUE(Same_Bits(*map, *original)) << depth;

    // Outlines: partly outside the map, one pixel thin, a single pixel.
    for (const RectLong& r : {Make_RectLong(-2, -1, 7, 4), Make_RectLong(3, 1, 3, 7),
                              Make_RectLong(4, 4, 4, 4), Make_RectLong(1, 1, 11, 7)}) {
      surface.Invert_Rect_Outline(r);
      EXPECT_FALSE(Same_Bits(*map, *original)) << depth;
      surface.Invert_Rect_Outline(r);
      EXPECT_TRUE(Same_Bits(*map, *original)) << depth;
    }
  }
}

TEST(OffMapDrawSurfaceTest, OutlineTouchesOnlyTheBorderOnce) {
  auto map = std::make_unique<OffMap>(8, 8, 8);  // black
  OffMapDrawSurface surface(*map);
  surface.Invert_Rect_Outline(Make_RectLong(1, 2, 5, 6));
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 8; ++x) {
      const bool inside = x >= 1 && x <= 5 && y >= 2 && y <= 6;
      const bool border = inside && (x == 1 || x == 5 || y == 2 || y == 6);
      EXPECT_EQ(At(*map, x, y).r, border ? 255 : 0) << x << "," << y;
    }
}

TEST(OffMapDrawSurfaceTest, ScaledBlitTakesTheSourcePixelUnderEachTarget) {
  auto source = Make_Coordinate_Map(20, 10);
  auto target = Make_White(16, 16);
  OffMapDrawSurface surface(*target);

  // One to one, placed at (2, 3).
  ASSERT_TRUE(surface.Blit_Map(*source, Make_RectShrt(5, 4, 8, 6), Make_RectShrt(2, 3, 5, 5)));
  EXPECT_EQ(At(*target, 2, 3), (Rgb{5, 4, 7}));
  EXPECT_EQ(At(*target, 5, 5), (Rgb{8, 6, 7}));
  EXPECT_EQ(At(*target, 6, 5), kWhite);

  // Doubled: each source pixel covers 2 x 2.
  ASSERT_TRUE(surface.Blit_Map(*source, Make_RectShrt(0, 0, 2, 1), Make_RectShrt(10, 10, 15, 13)));
  EXPECT_EQ(At(*target, 10, 10), (Rgb{0, 0, 7}));
  EXPECT_EQ(At(*target, 11, 11), (Rgb{0, 0, 7}));
  EXPECT_EQ(At(*target, 12, 10), (Rgb{1, 0, 7}));
  EXPECT_EQ(At(*target, 15, 13), (Rgb{2, 1, 7}));

  // Halved: every second source pixel.
  auto small = Make_White(5, 5);
  OffMapDrawSurface smallSurface(*small);
  ASSERT_TRUE(smallSurface.Blit_Map(*source, Make_RectShrt(0, 0, 9, 9), Make_RectShrt(0, 0, 4, 4)));
  EXPECT_EQ(At(*small, 1, 1), (Rgb{2, 2, 7}));
  EXPECT_EQ(At(*small, 4, 3), (Rgb{8, 6, 7}));
}

TEST(OffMapDrawSurfaceTest, BlitLeavesOutSourceOutsideTheMapAndRefusesEmptyRects) {
  auto source = Make_Coordinate_Map(4, 3);
  auto target = Make_White(8, 8);
  OffMapDrawSurface surface(*target);
  ASSERT_TRUE(surface.Blit_Map(*source, Make_RectShrt(0, 0, 7, 7), Make_RectShrt(0, 0, 7, 7)));
  EXPECT_EQ(At(*target, 3, 2), (Rgb{3, 2, 7}));
  EXPECT_EQ(At(*target, 4, 2), kWhite);
  EXPECT_EQ(At(*target, 3, 3), kWhite);

  EXPECT_FALSE(surface.Blit_Map(*source, Make_RectShrt(2, 0, 1, 2), Make_RectShrt(0, 0, 3, 3)));
  EXPECT_FALSE(surface.Blit_Map(*source, Make_RectShrt(0, 0, 1, 1), Make_RectShrt(0, 3, 3, 2)));
  OffMap none(0, 0, 24);
  EXPECT_FALSE(surface.Blit_Map(none, Make_RectShrt(0, 0, 1, 1), Make_RectShrt(0, 0, 1, 1)));
  // Entirely off the surface: nothing to draw, not a failure.
  EXPECT_TRUE(surface.Blit_Map(*source, Make_RectShrt(0, 0, 1, 1), Make_RectShrt(20, 20, 21, 21)));
}

TEST(OffMapDrawSurfaceTest, TransparentBlitSkipsPureWhiteOnly) {
  auto source = std::make_unique<OffMap>(3, 1, 24);
  source->Set_Pixel(0, 0, 255, 255, 255);
  source->Set_Pixel(1, 0, 255, 255, 254);
  source->Set_Pixel(2, 0, 0, 0, 0);
  auto target = std::make_unique<OffMap>(3, 1, 24);
  target->Fill(0);
  target->Set_Pixel(0, 0, 1, 2, 3);
  OffMapDrawSurface surface(*target);
  ASSERT_TRUE(surface.Blit_Map_Transparent(*source, Make_RectShrt(0, 0, 2, 0), Make_RectShrt(0, 0, 2, 0)));
  EXPECT_EQ(At(*target, 0, 0), (Rgb{1, 2, 3}));
  EXPECT_EQ(At(*target, 1, 0), (Rgb{255, 255, 254}));
  EXPECT_EQ(At(*target, 2, 0), (Rgb{0, 0, 0}));
}

// ---------------------------------------------------------------------------
// FrameArtist

TEST(FrameArtistTest, EraseBackgroundLevels) {
  auto map = Make_White(4, 3);
  OffMapDrawSurface surface(*map);
  FrameArtist artist;
  artist.Erase_Background(0);  // no target yet: nothing happens
  EXPECT_EQ(At(*map, 0, 0), kWhite);

  artist.Set_Drawing_Target(&surface, 4, 3);
  const std::pair<int16_t, int16_t> cases[] = {{0, 0},     {255, 255}, {300, 255},
                                               {128, 128}, {-1, 255},  {-2, 254}};
  for (const auto& [level, grey] : cases) {
    artist.Erase_Background(level);
    EXPECT_EQ(At(*map, 0, 0), (Rgb{grey, grey, grey})) << level;
    EXPECT_EQ(At(*map, 3, 2), (Rgb{grey, grey, grey})) << level;
  }
  artist.Fill_Rect_Color(1, 2, 3, Make_RectLong(1, 1, 2, 1));
  EXPECT_EQ(At(*map, 1, 1), (Rgb{1, 2, 3}));
  EXPECT_EQ(At(*map, 3, 1), (Rgb{254, 254, 254}));

  std::string err;
  EXPECT_EQ(artist.Get_OffMap(1, err), nullptr);
  EXPECT_EQ(err, "FrameArtist::Get_OffMap is NOT defined.");
}

// ---------------------------------------------------------------------------
// Panes: memory bitmap, rendering of a list view, drawing children by kind

class ListViewRenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"a", "b"})
      ASSERT_TRUE(list.Add_ChildSubject(new LoggingSubject(name, &log), err));
    list.Attach_ComponentView(&pane);
    ASSERT_TRUE(pane.Create_Child_ComponentViews(&pane, err));
    pane.Get_Graphic().Set_Rect(Make_RectLong(10, 10, 17, 15));  // 8 x 6 at a 10-pixel margin
    ASSERT_TRUE(pane.Make_Bitmap(8, 6, err));
    Child(0)->Get_Graphic().Set_Rect(Make_RectLong(0, 0, 1, 1));
    Child(0)->Set_Red(100);
    Child(1)->Get_Graphic().Set_Rect(Make_RectLong(6, 4, 7, 5));
    Child(1)->Set_Red(200);
  }
  LoggingView* Child(int32_t i) {
    return static_cast<LoggingView*>(pane.Get_Child_ComponentViews_List()->Get_Nth(i));
  }

  EventLog log;
  HeadlessMessages messages;
  std::string err;
  LoggingListSubject list{&log};
  LoggingListView pane{"pane", &log};
};

TEST_F(ListViewRenderTest, MemoryBitmapIsKeptForTheSameSizeAndToldToTheArtist) {
  const OffMap* first = pane.Get_Memory_Map();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(At(*first, 3, 3), kWhite);
  ASSERT_TRUE(pane.Make_Bitmap(8, 6, err));
  EXPECT_EQ(pane.Get_Memory_Map(), first);

  auto artist = std::make_unique<MapArtist>(nullptr);
  MapArtist* a = artist.get();
  pane.Set_FrameArtist(std::move(artist));
  EXPECT_EQ(a->Get_Drawing_Target(), pane.Get_Memory_Surface());
  EXPECT_EQ(a->Get_Width(), 8);
  EXPECT_EQ(a->Get_Height(), 6);
  ASSERT_TRUE(pane.Make_Bitmap(5, 4, err));
  EXPECT_EQ(a->Get_Width(), 5);
  EXPECT_EQ(a->Get_Drawing_Target(), pane.Get_Memory_Surface());

  EXPECT_FALSE(pane.Make_Bitmap(0, 4, err));
  EXPECT_EQ(err, "PaneMemory::Make_Bitmap failed,  bad size.");
  EXPECT_EQ(pane.Get_Memory_Map(), nullptr);
  EXPECT_EQ(a->Get_Drawing_Target(), nullptr);
  EXPECT_EQ(pane.Get_Pane_Kind(), 16);
}

TEST_F(ListViewRenderTest, RenderNeedsAnArtist) {
  auto window = Make_White(30, 30);
  OffMapDrawSurface surface(*window);
  pane.Render_Animation_Frame(&surface, messages);
  EXPECT_EQ(
      messages.Texts(),
      (std::vector<std::string>{"ListComponentView::Render_Animation_Frame  failed,  frameArtist is NULL."}));
  EXPECT_TRUE(log.empty());
}

TEST_F(ListViewRenderTest, RenderCopiesTheMapThenDrawsChildrenThenBlitsToThePane) {
  auto source = Make_Coordinate_Map(20, 20);
  auto artist = std::make_unique<MapArtist>(source.get());
  MapArtist* a = artist.get();
  pane.Set_FrameArtist(std::move(artist));
  pane.Set_Pane_Kind(3);
  auto window = Make_White(30, 30);
  OffMapDrawSurface surface(*window);

  pane.Render_Animation_Frame(&surface, messages);
  EXPECT_TRUE(messages.Texts().empty());
  EXPECT_EQ(a->Kinds(), (std::vector<int32_t>{3}));
  EXPECT_EQ(log, (EventLog{"draw a kind 3", "draw b kind 3"}));
  EXPECT_EQ(pane.Get_Current_Draw_Kind(), 0);
  // The map's top-left 8 x 6 one to one, the children over it, at (10, 10).
  EXPECT_EQ(At(*window, 12, 12), (Rgb{2, 2, 7}));
  EXPECT_EQ(At(*window, 15, 13), (Rgb{5, 3, 7}));
  EXPECT_EQ(At(*window, 10, 10), (Rgb{100, 0, 0}));
  EXPECT_EQ(At(*window, 17, 15), (Rgb{200, 0, 0}));
  EXPECT_EQ(At(*window, 18, 12), kWhite);
  EXPECT_EQ(At(*window, 9, 12), kWhite);
}

TEST_F(ListViewRenderTest, AMapWithATextOrNoMapLeavesTheGroundWhite) {
  auto source = Make_Coordinate_Map(20, 20);
  pane.Set_FrameArtist(std::make_unique<MapArtist>(source.get(), "not now"));
  auto window = Make_White(30, 30);
  OffMapDrawSurface surface(*window);
  // Something left in the bitmap from before is cleared.
  pane.Get_Memory_Surface()->Fill_Rect(Make_RectLong(0, 0, 7, 5), 0, 0, 0);
  pane.Render_Animation_Frame(&surface, messages);
  EXPECT_EQ(At(*window, 13, 13), kWhite);
  EXPECT_EQ(At(*window, 10, 10), (Rgb{100, 0, 0}));

  pane.Set_FrameArtist(std::make_unique<MapArtist>(nullptr));
  pane.Get_Memory_Surface()->Fill_Rect(Make_RectLong(0, 0, 7, 5), 0, 0, 0);
  pane.Render_Animation_Frame(&surface, messages);
  EXPECT_EQ(At(*window, 13, 13), kWhite);
  EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(ListViewRenderTest, DrawKindsChooseWhatChildrenDo) {
  pane.Draw_Child_ComponentViews(ListComponentView::kDrawUpdateAppearance, &pane);
  EXPECT_EQ(log, (EventLog{"appearance a", "appearance b"}));
  log.clear();
  pane.Draw_Child_ComponentViews(5, &pane);
  EXPECT_EQ(log, (EventLog{"draw a kind 5", "draw b kind 5"}));
  log.clear();
  for (int32_t kind : {1, 2, 4, 7}) pane.Draw_Child_ComponentViews(kind, &pane);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(pane.Get_Current_Draw_Kind(), 0);

  ComponentSubject* b = Child(1)->Get_Subject();
  pane.Draw_Child_ComponentView_of_Subject(3, &pane, b);
  EXPECT_EQ(log, (EventLog{"draw b kind 3"}));
  log.clear();

  // Views without a subject are passed over.
  b->Detach_ComponentView(Child(1));
  pane.Draw_Child_ComponentViews(3, &pane);
  EXPECT_EQ(log, (EventLog{"draw a kind 3"}));
}

// ---------------------------------------------------------------------------
// The recording windows updater

TEST(WindowsUpdaterTest, RecordsRequestsInOrder) {
  RecordingWindowsUpdater recorder;
  WindowsUpdater& updater = recorder;
  updater.Redraw_Subtracted_Window();
  updater.Redraw_Summed_Final_Window();
  updater.Redraw_Subtracted_Window();
  using R = RecordingWindowsUpdater::Request;
  EXPECT_EQ(recorder.Requests(), (std::vector<R>{R::Subtracted, R::SummedFinal, R::Subtracted}));
  EXPECT_EQ(recorder.Count(R::Subtracted), 2);
  EXPECT_EQ(recorder.Count(R::SummedFinal), 1);
  recorder.Clear();
  EXPECT_TRUE(recorder.Requests().empty());
}

}  // namespace
