// The window's drawing surface: maps copied one to one and scaled, white
// left out by the transparent copy, reversible inversion, clipping, and
// ellipses with the same pixels as the map surface's.

#include <gtest/gtest.h>

#include <QImage>

#include "gui/QtDrawSurface.h"
#include "raster/OffMap.h"
#include "views/OffMapDrawSurface.h"

namespace {

RectLong Rect(int32_t l, int32_t t, int32_t r, int32_t b) {
  return RectLong{{}, l, t, r, b};
}

RectShrt Shrt(int16_t l, int16_t t, int16_t r, int16_t b) {
  return RectShrt{{}, l, t, r, b};
}

// A 4 x 3 map whose pixel (x, y) is (10x, 20y, 7); (1, 1) is white.
std::unique_ptr<OffMap> Small_Map() {
  auto map = std::make_unique<OffMap>(4, 3, 24);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x)
      map->Set_Pixel(x, y, static_cast<int16_t>(10 * x), static_cast<int16_t>(20 * y), 7);
  map->Set_Pixel(1, 1, 255, 255, 255);
  return map;
}

QImage Grey_Image(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(qRgb(100, 100, 100));
  return image;
}

}  // namespace

TEST(QtDrawSurface, CopiesAMapOneToOneAndScaled) {
  QImage image = Grey_Image(10, 8);
  QtDrawSurface surface(image);
  const auto map = Small_Map();
  EXPECT_TRUE(surface.Blit_Map(*map, Shrt(0, 0, 3, 2), Shrt(2, 1, 5, 3)));
  EXPECT_EQ(image.pixel(2, 1), qRgb(0, 0, 7));
  EXPECT_EQ(image.pixel(5, 3), qRgb(30, 40, 7));
  EXPECT_EQ(image.pixel(3, 2), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(1, 1), qRgb(100, 100, 100));
  EXPECT_EQ(image.pixel(6, 1), qRgb(100, 100, 100));
  // Twice the size: every map pixel becomes 2 x 2.
  QImage big = Grey_Image(8, 6);
  QtDrawSurface bigSurface(big);
  EXPECT_TRUE(bigSurface.Blit_Map(*map, Shrt(0, 0, 3, 2), Shrt(0, 0, 7, 5)));
  EXPECT_EQ(big.pixel(6, 4), qRgb(30, 40, 7));
  EXPECT_EQ(big.pixel(7, 5), qRgb(30, 40, 7));
  EXPECT_EQ(big.pixel(2, 2), qRgb(255, 255, 255));
  EXPECT_EQ(big.pixel(1, 1), qRgb(0, 0, 7));
  // Nothing for an empty rectangle; clipped at the surface's edges.
  EXPECT_FALSE(surface.Blit_Map(*map, Shrt(2, 0, 1, 2), Shrt(0, 0, 3, 2)));
  QImage edge = Grey_Image(3, 3);
  QtDrawSurface edgeSurface(edge);
  EXPECT_TRUE(edgeSurface.Blit_Map(*map, Shrt(0, 0, 3, 2), Shrt(-1, -1, 2, 1)));
  EXPECT_EQ(edge.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(edge.pixel(2, 1), qRgb(30, 40, 7));
  EXPECT_EQ(edge.pixel(2, 2), qRgb(100, 100, 100));
}

TEST(QtDrawSurface, TransparentCopyLeavesWhiteOut) {
  QImage image = Grey_Image(4, 3);
  QtDrawSurface surface(image);
  const auto map = Small_Map();
  EXPECT_TRUE(surface.Blit_Map_Transparent(*map, Shrt(0, 0, 3, 2), Shrt(0, 0, 3, 2)));
  EXPECT_EQ(image.pixel(1, 1), qRgb(100, 100, 100));
  EXPECT_EQ(image.pixel(2, 1), qRgb(20, 20, 7));
}

TEST(QtDrawSurface, InversionIsReversibleAndOutlinesEachPixelOnce) {
  QImage image = Grey_Image(6, 6);
  image.setPixel(2, 2, qRgb(10, 200, 30));
  const QImage original = image.copy();
  QtDrawSurface surface(image);
  surface.Invert_Rect(Rect(1, 1, 3, 3));
  EXPECT_EQ(image.pixel(2, 2), qRgb(245, 55, 225));
  EXPECT_EQ(image.pixel(0, 0), qRgb(100, 100, 100));
  surface.Invert_Rect(Rect(1, 1, 3, 3));
  EXPECT_EQ(image, original);
  surface.Invert_Rect_Outline(Rect(0, 0, 4, 4));
  EXPECT_EQ(image.pixel(0, 0), qRgb(155, 155, 155));
  EXPECT_EQ(image.pixel(4, 2), qRgb(155, 155, 155));
  EXPECT_EQ(image.pixel(2, 2), qRgb(10, 200, 30));
  surface.Invert_Rect_Outline(Rect(0, 0, 4, 4));
  EXPECT_EQ(image, original);
  // Partly outside the surface: the inside part only, and still reversible.
  surface.Invert_Rect(Rect(-3, 4, 8, 9));
  EXPECT_EQ(image.pixel(5, 5), qRgb(155, 155, 155));
  surface.Invert_Rect(Rect(-3, 4, 8, 9));
  EXPECT_EQ(image, original);
}

TEST(QtDrawSurface, EllipsesMatchTheMapSurface) {
  QImage image = Grey_Image(12, 9);
  QtDrawSurface surface(image);
  OffMap map(12, 9, 24);
  OffMapDrawSurface mapSurface(map);
  for (const RectLong& r : {Rect(1, 1, 10, 7), Rect(0, 0, 4, 4), Rect(3, 2, 3, 2), Rect(-2, -2, 5, 6)}) {
    image.fill(qRgb(255, 255, 255));
    mapSurface.Fill_Rect(Rect(0, 0, 11, 8), 255, 255, 255);
    surface.Fill_Ellipse(r, 0, 0, 0);
    mapSurface.Fill_Ellipse(r, 0, 0, 0);
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 12; ++x) {
        int16_t red = 0, green = 0, blue = 0;
        map.Get_Pixel(x, y, red, green, blue);
        EXPECT_EQ(image.pixel(x, y), qRgb(red, green, blue)) << x << "," << y;
      }
  }
}
