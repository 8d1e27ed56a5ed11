#pragma once
// The platform of the fuzz targets and the seed writer: headless services
// with a picture codec that decodes nothing (the list-file readers never
// need one), so that the targets link with the Qt-free engine only.

#include <memory>

#include "platform/headless/Headless.h"

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
