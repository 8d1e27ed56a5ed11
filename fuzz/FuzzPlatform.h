#pragma once
// The platform of the fuzz targets and the seed writer: headless services
// with a picture codec that decodes nothing (the list-file readers never
// need one), so that the targets link with the Qt-free engine only.
// Also the pixel check the bitmap targets share.

#include <memory>

#include "platform/headless/Headless.h"
#include "raster/OffMap.h"

class NoPictureCodec : public PictureCodec {
 public:
  std::unique_ptr<PlatformImage> Create_Image() override { return nullptr; }
};

class FuzzPlatform {
 public:
  FuzzPlatform() : m_headless(m_codec) {}
  Platform& Get() { return m_headless.Get(); }

 private:
  NoPictureCodec m_codec;
  HeadlessPlatform m_headless;
};

// Reads every seventh pixel of every seventh row of a map a reader made, so
// that a map whose block is smaller than its size claims is caught.
inline void Read_Map_Pixels(const OffMap& map) {
  int32_t sum = 0;
  for (int32_t y = 0; y < map.Get_Height(); y += 7)
    for (int32_t x = 0; x < map.Get_Width(); x += 7) {
      int16_t r = 0, g = 0, b = 0;
      map.Get_Pixel(x, y, r, g, b);
      sum += r + g + b;
    }
  if (sum < 0) __builtin_trap();
}
