#pragma once
// Helpers for painting many regions in one go.
//
// Painting a region reads a texture file; regions of one size class get the
// same texture, so a painting pass over the whole list reads each texture
// once through a TextureCache it owns for the duration of the pass, and
// hands the cached map to RegionSubject::Create_PseudoPainted_Bitmap.

#include <map>
#include <memory>
#include <string>

#include "raster/OffMap.h"

class Platform;

class TextureCache {
 public:
  TextureCache() = default;
  TextureCache(const TextureCache&) = delete;
  TextureCache& operator=(const TextureCache&) = delete;

  // The BMP file at `path`, read on first use.  Null (with the reader's
  // text) when it cannot be read; a later call tries again.
  const OffMap* Get_Texture(const std::string& path, Platform& platform, std::string& err);
  int32_t Get_Count() const { return static_cast<int32_t>(m_maps.size()); }

 private:
  std::map<std::string, std::unique_ptr<OffMap>> m_maps;
};
