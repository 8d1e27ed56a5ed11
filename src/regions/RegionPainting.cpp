// Region painting and colour fitting: the display map through the colour
// offsets, texture painting, the three colour fits and the transparent
// painting of a region into the layered image.

#include "regions/RegionPainting.h"

#include <array>
#include <vector>

#include "platform/Platform.h"
#include "raster/Blends.h"
#include "raster/ColorFit.h"
#include "raster/ColorSpace.h"
#include "regions/RegionMaps.h"
#include "regions/RegionSubject.h"

namespace {

inline int16_t Clamp_255(int v) {
  return static_cast<int16_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

// A hue shifted by offsets may come out negative; the conversion to RGB
// wants it in 0..359 (-1 stays the mark of a grey).
int16_t Hue_For_Conversion(int16_t hue) {
  return hue == -1 ? hue : Hue_In_Turn(hue);
}

void HSV_Target_to_RGB(int16_t hue, int16_t sat, int16_t val, int16_t& r, int16_t& g, int16_t& b) {
  HSV_to_RGB(Hue_For_Conversion(hue), sat, val, &r, &g, &b);
}

// The colour shifts of the display map depend on the pixel's colour only,
// and region maps hold few distinct colours (flat separations, grey
// textures), so each shift is computed once per colour.  A direct-mapped
// table keeps the last result per slot; a miss asks the map for the shifted
// pixel itself, so the results are exactly the map's own.
class ShiftMemo {
 public:
  ShiftMemo() { m_from.fill(kEmpty); }

  template <class Compute>
  uint32_t Get(uint32_t color, Compute compute) {
    const uint32_t slot = (color ^ (color >> 10) ^ (color >> 19)) & (kSize - 1);
    if (m_from[slot] != color) {
      m_from[slot] = color;
      m_to[slot] = compute();
    }
    return m_to[slot];
  }

 private:
  static constexpr uint32_t kSize = 4096;
  static constexpr uint32_t kEmpty = 0xFFFFFFFFu;  // no colour packs to this
  std::array<uint32_t, kSize> m_from;
  std::array<uint32_t, kSize> m_to;
};

bool Same_Size(const OffMap& a, const OffMap& b) {
  return a.Get_Width() == b.Get_Width() && a.Get_Height() == b.Get_Height() && !a.Is_Not_In_Memory() &&
         !b.Is_Not_In_Memory();
}

// Rewrites `target` from `source`: target (x, y) becomes what
// `shift(x, y, r, g, b)` makes of source (x, y).  Colour maps of one size
// run on their rows with the memo; anything else pixel by pixel.
template <class Shift>
void Rewrite_From(const OffMap& source, OffMap& target, Shift shift) {
  const int32_t w = target.Get_Width();
  const int32_t h = target.Get_Height();
  if (Same_Size(source, target) && source.Get_Depth() == 24 && target.Get_Depth() == 24) {
    ShiftMemo memo;
    for (int32_t y = 0; y < h; ++y) {
      const uint8_t* src = source.Row(y);
      uint8_t* dst = target.Row(y);
      for (int32_t x = 0; x < w; ++x, src += 3, dst += 3) {
        const uint32_t color = Pack_RGB(src[2], src[1], src[0]);
        const uint32_t out = memo.Get(color, [&] {
          int16_t r = 0, g = 0, b = 0;
          shift(x, y, r, g, b);
          return Pack_RGB(r, g, b);
        });
        dst[0] = static_cast<uint8_t>(Packed_Blue(out));
        dst[1] = static_cast<uint8_t>(Packed_Green(out));
        dst[2] = static_cast<uint8_t>(Packed_Red(out));
      }
    }
    return;
  }
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      int16_t r = 0, g = 0, b = 0;
      shift(x, y, r, g, b);
      target.Set_Pixel(x, y, r, g, b);
    }
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// Texture cache

const OffMap* TextureCache::Get_Texture(const std::string& path, Platform& platform, std::string& err) {
  err.clear();
  if (auto found = m_maps.find(path); found != m_maps.end()) return found->second.get();
  std::unique_ptr<OffMap> map = Read_Bitmap_File(platform, path, err);
  if (map == nullptr) return nullptr;
  const OffMap* kept = map.get();
  m_maps.emplace(path, std::move(map));
  return kept;
}

// ---------------------------------------------------------------------------
// The display map

bool RegionSubject::Update_SmallBitmap_Bits_wColorModify(std::string& err) {
  err.clear();
  if (m_SRCoffMap == nullptr || m_refreshOffMap == nullptr) {
    err = "RegionSubject::Update_SmallBitmap_Bits_wColorModify failed,  one of the OffMaps is NULL.";
    return false;
  }
  const RegionDescriptor& d = Get_Current_Descriptor();
  const int16_t dh = d.hueOffset, ds = d.satOffset, dv = d.valOffset;
  const OffMap& source = *m_SRCoffMap;
  if (!Same_Size(source, *m_refreshOffMap) || (dh == 0 && ds == 0 && dv == 0)) {
    source.Copy_Subsampled_ColorModified(1, *m_refreshOffMap, dh, ds, dv);
    return true;
  }
  Rewrite_From(source, *m_refreshOffMap, [&](int32_t x, int32_t y, int16_t& r, int16_t& g, int16_t& b) {
    source.Get_Pixel_ColorModified(x, y, dh, ds, dv, r, g, b);
  });
  return true;
}

bool RegionSubject::Calc_HuntColor_Plus_ColorOffsets(int16_t& hue, int16_t& sat, int16_t& val,
                                                     std::string& err) const {
  err.clear();
  hue = sat = val = -1;
  int16_t r = 0, g = 0, b = 0;
  if (!Get_Original_HuntColor_from_SeparationCreation(r, g, b)) {
    err =
        "RegionSubject::Calc_HuntColor_Plus_ColorOffsets FAILED,  "
        "Get_Original_HuntColor_from_SeparationCreation";
    return false;
  }
  int16_t h = 0, s = 0, v = 0;
  RGB_to_HSV(r, g, b, &h, &s, &v);
  const RegionDescriptor& a = m_autoDescriptor;
  if (a.hueOffset == 0 && a.satOffset == 0 && a.valOffset == 0) {
    hue = h;
    sat = s;
    val = v;
    return true;
  }
  const int shifted = Wrap_Hue_Offset(h + a.hueOffset);
  if (shifted > 359 || shifted < -359) {
    err = "RegionSubject::Calc_HuntColor_Plus_ColorOffsets FAILED,  can not UNWRAP Hue.";
    return false;
  }
  hue = static_cast<int16_t>(shifted);
  sat = Clamp_255(s + a.satOffset);
  val = Clamp_255(v + a.valOffset);
  return true;
}

// ---------------------------------------------------------------------------
// Texture painting

bool RegionSubject::Create_PseudoPainted_Bitmap(const std::string& texturePath, const OffMap* textureMap,
                                                int32_t textureWidth, int32_t textureHeight,
                                                int16_t textureType, int16_t style, Platform& platform,
                                                RegionRandom& random, std::string& err) {
  err.clear();
  if (m_SRCoffMap == nullptr) {
    err = "RegionSubject::Create_PseudoPainted_Bitmap  failed,  regionsOffMap is NULL.";
    return false;
  }
  std::unique_ptr<OffMap> readTexture;
  if (textureMap != nullptr) {
    textureWidth = textureMap->Get_Width();
    textureHeight = textureMap->Get_Height();
  } else {
    readTexture = Read_Bitmap_File(platform, texturePath, err);
    if (readTexture == nullptr) {
      if (err.empty())
        err = "RegionSubject::Create_PseudoPainted_Bitmap  failed,  could not load the TEXTUREMAP.";
      return false;
    }
    textureMap = readTexture.get();
  }
  const OffMap& region = *m_SRCoffMap;
  const int32_t w = region.Get_Width();
  const int32_t h = region.Get_Height();
  if (textureWidth < w || textureHeight < h) {
    err =
        "RegionSubject::Create_PseudoPainted_Bitmap  failed,  the file TEXTUREMAP is smaller than the "
        "RegionSubject.";
    return false;
  }
  std::unique_ptr<OffMap> painted = OffMap::Make(w, h, region.Get_Depth());
  if (painted == nullptr) {
    err = "RegionSubject::Create_PseudoPainted_Bitmap  failed,  could not  alloc Offmap.";
    return false;
  }
  painted->Fill(255);
  int16_t scale = 1;
  if (style == 1 && w > 0 && h > 0) {
    const int32_t quotient = std::min(textureWidth / w, textureHeight / h);
    scale = static_cast<int16_t>(quotient < 1 ? 1 : (quotient > 8 ? 8 : quotient));
  }
  const int16_t direction = static_cast<int16_t>(random() % 4);
  if (!OffMap::Copy_TextureMap_to_OffMap(err, *textureMap, region, *painted, scale, direction)) return false;
  if (!Replace_Maps_With(std::move(painted), nullptr, err)) return false;

  // The region is switched to its scanned descriptor only now, so that a
  // failure above leaves it as it was.
  if (textureType == 0 || textureType == 1) substitutionMode = 0;
  if (textureType == 2) substitutionMode = 2;
  renderStyle = 0;
  m_scannedDescriptor = m_autoDescriptor;
  m_scannedDescriptor.parentPath = m_autoDescriptor.bitmapPath;
  m_scannedDescriptor.pixelCount = m_autoDescriptor.pixelCount;
  const PointLong& at = m_autoDescriptor.frame.Get_Position();
  m_scannedDescriptor.frame.Set_Position(at.x, at.y);
  m_scannedDescriptor.frame.Set_Size(m_SRCoffMap->Get_Width(), m_SRCoffMap->Get_Height());
  m_graphic.Set_Position(at.x, at.y);
  m_graphic.Set_Size(m_SRCoffMap->Get_Width(), m_SRCoffMap->Get_Height());
  return Match_PseudoPainted_Bitmap_to_Original_ColorSpec(err);
}

bool RegionSubject::Modify_Existing_PseudoPainted_Bitmap(const std::string& texturePath,
                                                         int16_t /*textureType*/, int16_t scale,
                                                         Platform& platform, RegionRandom& random,
                                                         std::string& err) {
  err.clear();
  if (m_SRCoffMap == nullptr) {
    err = "RegionSubject::Modify_Existing_PseudoPainted_Bitmap  failed,  regionsOffMap is NULL.";
    return false;
  }
  std::unique_ptr<OffMap> texture = Read_Bitmap_File(platform, texturePath, err);
  if (texture == nullptr) {
    if (err.empty())
      err = "RegionSubject::Modify_Existing_PseudoPainted_Bitmap  failed,  could not load the TEXTUREMAP.";
    return false;
  }
  // A scale below 1 would divide by zero; it samples pixel for pixel.
  if (scale < 1) scale = 1;
  const OffMap& region = *m_SRCoffMap;
  if (texture->Get_Width() / scale < region.Get_Width() ||
      texture->Get_Height() / scale < region.Get_Height()) {
    err =
        "RegionSubject::Modify_Existing_PseudoPainted_Bitmap  failed,  the file TEXTUREMAP is smaller than "
        "the RegionSubject.";
    return false;
  }
  std::unique_ptr<OffMap> painted = OffMap::Make(region.Get_Width(), region.Get_Height(), region.Get_Depth());
  if (painted == nullptr) {
    err = "RegionSubject::Modify_Existing_PseudoPainted_Bitmap  failed,  could not  alloc Offmap.";
    return false;
  }
  painted->Fill(255);
  const int16_t direction = static_cast<int16_t>(random() % 4);
  if (!OffMap::Copy_TextureMap_to_OffMap(err, *texture, region, *painted, scale, direction)) return false;
  if (!Replace_Maps_With(std::move(painted), nullptr, err)) return false;
  return Match_PseudoPainted_Bitmap_to_Original_ColorSpec(err);
}

bool RegionSubject::Match_PseudoPainted_Bitmap_to_Original_ColorSpec(std::string& err) {
  err.clear();
  int16_t hue = 0, sat = 0, val = 0;
  const RegionDescriptor& a = m_autoDescriptor;
  if (a.hueOffset != 0 || a.satOffset != 0 || a.valOffset != 0) {
    if (!Calc_HuntColor_Plus_ColorOffsets(hue, sat, val, err)) return false;
  } else {
    int16_t r = 0, g = 0, b = 0;
    if (!Get_Original_HuntColor_from_SeparationCreation(r, g, b)) {
      err =
          "RegionSubject::Match_PseudoPainted_Bitmap_to_Original_ColorSpec FAILED,  "
          "Get_Original_HuntColor_from_SeparationCreation";
      return false;
    }
    RGB_to_HSV(r, g, b, &hue, &sat, &val);
  }
  bool nearWhite = false;
  return Fit_Color_YIQ(hue, sat, val, nearWhite, err);
}

// ---------------------------------------------------------------------------
// Colour fitting

bool RegionSubject::Fit_Color_YIQ(int16_t targetHue, int16_t targetSat, int16_t targetVal, bool& nearWhite,
                                  std::string& err) {
  err.clear();
  nearWhite = false;
  if (m_SRCoffMap == nullptr || m_refreshOffMap == nullptr) {
    err = "RegionSubject::Fit_Color_YIQ failed,  one of the OffMaps is NULL.";
    return false;
  }
  const OffMap& source = *m_SRCoffMap;
  int16_t avgR = 0, avgG = 0, avgB = 0;
  source.Average_NonWhite_RGB(avgR, avgG, avgB);
  int16_t tr = 0, tg = 0, tb = 0, ty = 0, ti = 0, tq = 0;
  HSV_Target_to_RGB(targetHue, targetSat, targetVal, tr, tg, tb);
  RGB_to_YIQ(tr, tg, tb, &ty, &ti, &tq);

  // The net offsets are taken from the region map, so the fit starts from
  // the region map's own mean.
  int16_t avgY = 0, avgI = 0, avgQ = 0;
  RGB_to_YIQ(avgR, avgG, avgB, &avgY, &avgI, &avgQ);
  int16_t y = avgY, i = avgI, q = avgQ;
  int netY = 0, netI = 0, netQ = 0;
  for (int round = 0; round < kColorFitRounds; ++round) {
    const int dy = ty - y, di = ti - i, dq = tq - q;
    if (Within_4(dy, di, dq)) break;
    netY = Saturate16(netY + dy);
    netI = Saturate16(netI + di);
    netQ = Saturate16(netQ + dq);
    const int16_t oy = static_cast<int16_t>(netY), oi = static_cast<int16_t>(netI),
                  oq = static_cast<int16_t>(netQ);
    Rewrite_From(source, *m_refreshOffMap, [&](int32_t x, int32_t py, int16_t& r, int16_t& g, int16_t& b) {
      source.Get_Pixel_YIQ_Modified(x, py, oy, oi, oq, r, g, b);
    });
    m_refreshOffMap->Average_NonWhite_YIQ(y, i, q);
  }

  // The net YIQ shift of the mean colour, expressed in HSV.
  int16_t sr = 0, sg = 0, sb = 0, h0 = 0, s0 = 0, v0 = 0, h1 = 0, s1 = 0, v1 = 0;
  YIQ_to_RGB(Saturate16(avgY + netY), Saturate16(avgI + netI), Saturate16(avgQ + netQ), &sr, &sg, &sb);
  RGB_to_HSV(sr, sg, sb, &h1, &s1, &v1);
  RGB_to_HSV(avgR, avgG, avgB, &h0, &s0, &v0);
  RegionDescriptor& d = Get_Current_Descriptor();
  d.hueOffset = static_cast<int16_t>(h1 - h0);
  d.satOffset = static_cast<int16_t>(s1 - s0);
  d.valOffset = static_cast<int16_t>(v1 - v0);
  return true;
}

bool RegionSubject::Fit_Color_to_Target(int16_t targetHue, int16_t targetSat, int16_t targetVal,
                                        bool& nearWhite, std::string& err) {
  err.clear();
  nearWhite = false;
  if (m_SRCoffMap == nullptr || m_refreshOffMap == nullptr) {
    err = "RegionSubject::Update_SmallBitmap_Bits_wColorModify failed,  one of the OffMaps is NULL.";
    return false;
  }
  RegionDescriptor& d = Get_Current_Descriptor();
  int16_t h = 0, s = 0, v = 0;
  m_refreshOffMap->Average_NonWhite_HSV(h, s, v);
  for (int round = 0; round < kColorFitRounds; ++round) {
    const int dh = Hue_Difference(targetHue, h);
    const int ds = targetSat - s;
    const int dv = targetVal - v;
    if (Within_4(dh, ds, dv)) return true;
    d.hueOffset = static_cast<int16_t>(Wrap_Hue_Offset(d.hueOffset + dh));
    d.satOffset = Saturate16(d.satOffset + ds);
    d.valOffset = Saturate16(d.valOffset + dv);
    if (!Update_SmallBitmap_Bits_wColorModify(err)) return false;
    m_refreshOffMap->Average_NonWhite_HSV(h, s, v);
  }
  nearWhite = Is_Near_White_HSV(h, s, v);
  return Update_SmallBitmap_Bits_wColorModify(err);
}

bool RegionSubject::Fit_Color_HSV_YIQ(int16_t targetHue, int16_t targetSat, int16_t targetVal,
                                      bool& nearWhite, std::string& err) {
  err.clear();
  nearWhite = false;
  if (m_SRCoffMap == nullptr || m_refreshOffMap == nullptr) {
    err = "RegionSubject::Fit_Color_HSV_YIQ failed,  one of the OffMaps is NULL.";
    return false;
  }
  const OffMap& source = *m_SRCoffMap;
  int16_t tr = 0, tg = 0, tb = 0, ty = 0, ti = 0, tq = 0;
  HSV_Target_to_RGB(targetHue, targetSat, targetVal, tr, tg, tb);
  RGB_to_YIQ(tr, tg, tb, &ty, &ti, &tq);

  // Hue and saturation follow the per-pixel HSV mean through HSV offsets,
  // brightness the luminance mean through a Y offset; all from the region map.
  int16_t value = 0;
  HueFitPoint at = PerPixel_Fit_Point(source, value);
  const int16_t startVal = value;
  const HueFit fit = Run_Hue_Fit(
      HueFitPoint{targetHue, targetSat, ty}, at,
      [&](const HueFit& offsets) {
        const int16_t oh = static_cast<int16_t>(offsets.hueOffset),
                      os = static_cast<int16_t>(offsets.satOffset),
                      oy = static_cast<int16_t>(offsets.thirdOffset);
        Rewrite_From(source, *m_refreshOffMap,
                     [&](int32_t x, int32_t py, int16_t& r, int16_t& g, int16_t& b) {
                       source.Get_Pixel_HSV_YIQ_Modified(x, py, oh, os, 0, oy, 0, 0, r, g, b);
                     });
      },
      [&] { return PerPixel_Fit_Point(*m_refreshOffMap, value); });
  RegionDescriptor& d = Get_Current_Descriptor();
  d.hueOffset = static_cast<int16_t>(fit.hueOffset);
  d.satOffset = static_cast<int16_t>(fit.satOffset);
  d.valOffset = static_cast<int16_t>(value - startVal);
  if (!fit.converged) nearWhite = Is_Near_White_HSV(at.hue, at.sat, value);
  return true;
}

bool RegionSubject::On_Fit_Color_To_RemainderMap(const OffMap& remainderMap, bool& nearWhite,
                                                 Platform& platform, std::string& err) {
  err.clear();
  nearWhite = false;
  RectShrt maskRect;
  std::unique_ptr<OffMap> mask = Make_Maskmap_From_SUBregion(maskRect, platform, err);
  if (mask == nullptr) return false;
  if (maskRect.left < 0 || maskRect.top < 0 || maskRect.right < 0 || maskRect.bottom < 0) {
    err =
        "RegionModifyDialog::On_Fit_Color_To_RemainderMap  failed,  retBoundBoxMask does not have good "
        "values. ";
    return false;
  }
  // The mask covers the region's frame pixel for pixel.
  const Graphic& frame = Get_Current_Descriptor().frame;
  const RectShrt area = Make_RectShrt(static_cast<int16_t>(frame.Get_Position().x),
                                      static_cast<int16_t>(frame.Get_Position().y),
                                      static_cast<int16_t>(frame.Get_Position().x + frame.Get_Width() - 1),
                                      static_cast<int16_t>(frame.Get_Position().y + frame.Get_Height() - 1));
  int16_t r = 0, g = 0, b = 0;
  int32_t percent = 0;
  const int32_t counted =
      remainderMap.Calc_Average_RGB_Components(r, g, b, maskRect, area, *mask, percent, platform.Messages());
  mask.reset();
  if (counted < 1) {
    err = "RegionSubject::On_Fit_Color_To_RemainderMap  failed,  no remainder pixels under the mask.";
    return false;
  }
  int16_t h = 0, s = 0, v = 0;
  RGB_to_HSV(r, g, b, &h, &s, &v);
  return Fit_Color_YIQ(h, s, v, nearWhite, err);
}

// ---------------------------------------------------------------------------
// Painting into the layered image

namespace {

// The colour a region paints with at one pixel of its region map: the
// map's colour through the descriptor's colour offsets, or for monochrome
// textures (substitution modes 3 and 4) the region's colour with the grey
// level in place of its saturation or value.  kNone where the region leaves
// the canvas as it is (paper white in the map, or a paint that comes out
// white).
class RegionPaintRule {
 public:
  static constexpr uint32_t kNone = 0x00FFFFFFu;  // Pack_RGB(255, 255, 255)

  bool Init(const RegionSubject& region, std::string& err) {
    const RegionDescriptor& d = region.Get_Current_Descriptor();
    m_tonal = region.Get_Substitution_Mode() == 3 || region.Get_Substitution_Mode() == 4;
    if (m_tonal) {
      int16_t hh = 0, ss = 0, vv = 0;
      if (!region.Calc_HuntColor_Plus_ColorOffsets(hh, ss, vv, err)) return false;
      for (int grey = 0; grey < 255; ++grey) {
        int16_t r = 0, g = 0, b = 0;
        if (region.Get_Substitution_Mode() == 3)
          HSV_Target_to_RGB(hh, static_cast<int16_t>(grey), vv, r, g, b);
        else
          HSV_Target_to_RGB(hh, ss, static_cast<int16_t>(grey), r, g, b);
        m_toneColor[grey] = Pack_RGB(r, g, b);
      }
    }
    m_dh = d.hueOffset;
    m_ds = d.satOffset;
    m_dv = d.valOffset;
    m_plain = m_dh == 0 && m_ds == 0 && m_dv == 0;
    return true;
  }

  // The paint for the map pixel (sx, sy) of `source`, whose colour is r, g, b.
  uint32_t Paint(const OffMap& source, int32_t sx, int32_t sy, int16_t r, int16_t g, int16_t b) {
    if (m_tonal) return r >= 255 ? kNone : m_toneColor[r];
    const uint32_t paint = Pack_RGB(r, g, b);
    if (m_plain || paint == kNone) return paint;
    return m_memo.Get(paint, [&] {
      int16_t mr = 0, mg = 0, mb = 0;
      source.Get_Pixel_ColorModified(sx, sy, m_dh, m_ds, m_dv, mr, mg, mb);
      return Pack_RGB(mr, mg, mb);
    });
  }

 private:
  bool m_tonal = false;
  bool m_plain = true;
  int16_t m_dh = 0, m_ds = 0, m_dv = 0;
  uint32_t m_toneColor[256] = {};
  ShiftMemo m_memo;
};

}  // namespace

bool RegionSubject::Paint_Colors(std::vector<uint32_t>& paint, std::string& err) const {
  err.clear();
  paint.clear();
  if (m_SRCoffMap == nullptr) {
    err = "RegionSubject::Paint_Colors FAILED,  regionsOffMap is NULL.";
    return false;
  }
  const OffMap& source = *m_SRCoffMap;
  if (source.Is_Not_In_Memory()) return true;
  RegionPaintRule rule;
  if (!rule.Init(*this, err)) return false;
  const int32_t w = source.Get_Width();
  const int32_t h = source.Get_Height();
  paint.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      int16_t r = 0, g = 0, b = 0;
      source.Get_Pixel(x, y, r, g, b);
      paint[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] =
          rule.Paint(source, x, y, r, g, b);
    }
  }
  return true;
}

// The one pixel walk of painting.  `visitor.Box(left, top, width, height)`
// is told the canvas box the region covers (clipped to the canvas) and may
// stop the walk by giving false; then, row by row from the top,
// `visitor.Begin_Row(dy)` and `visitor.Paint(dx, r, g, b)` for every pixel
// the region paints (white paper is not painted).
template <class Visitor>
bool RegionSubject::Walk_Painted_Pixels(int32_t destWidth, int32_t destHeight, int16_t percent,
                                        Visitor& visitor, const char* operation, std::string& err) const {
  err.clear();
  if (m_SRCoffMap == nullptr) {
    err = std::string("RegionSubject::") + operation + " FAILED,  regionsOffMap is NULL.";
    return false;
  }
  const OffMap& source = *m_SRCoffMap;
  const RegionDescriptor& d = Get_Current_Descriptor();
  const Graphic& frame = d.frame;
  // The frame is scaled in 64 bits: any 32-bit frame times any percentage
  // fits, so nothing below can overflow, whatever a region holds.
  const double f = percent / 100.0;
  const int64_t x0 = static_cast<int64_t>(frame.Get_Position().x * f);
  const int64_t y0 = static_cast<int64_t>(frame.Get_Position().y * f);
  const int64_t w = static_cast<int64_t>(frame.Get_Width() * f);
  const int64_t h = static_cast<int64_t>(frame.Get_Height() * f);
  const int32_t mapW = source.Get_Width();
  const int32_t mapH = source.Get_Height();
  if (w <= 0 || h <= 0 || mapW <= 0 || mapH <= 0 || source.Is_Not_In_Memory()) return true;

  RegionPaintRule rule;
  if (!rule.Init(*this, err)) return false;

  // Destination columns and rows inside the canvas, with their source
  // columns and rows.
  const int64_t jFirst = std::max<int64_t>(0, -x0);
  const int64_t jLast = std::min<int64_t>(w, destWidth - x0);
  const int64_t iFirst = std::max<int64_t>(0, -y0);
  const int64_t iLast = std::min<int64_t>(h, destHeight - y0);
  if (jFirst >= jLast || iFirst >= iLast) return true;
  if (!visitor.Box(static_cast<int32_t>(x0 + jFirst), static_cast<int32_t>(y0 + iFirst),
                   static_cast<int32_t>(jLast - jFirst), static_cast<int32_t>(iLast - iFirst)))
    return true;
  const double stepX = static_cast<double>(mapW) / static_cast<double>(w);
  const double stepY = static_cast<double>(mapH) / static_cast<double>(h);
  std::vector<int32_t> sourceColumn(static_cast<size_t>(jLast - jFirst));
  for (int64_t j = jFirst; j < jLast; ++j)
    sourceColumn[static_cast<size_t>(j - jFirst)] =
        mapW == w ? static_cast<int32_t>(j) : static_cast<int32_t>(static_cast<double>(j) * stepX);

  const bool fastSource = source.Get_Depth() == 24;
  for (int64_t i = iFirst; i < iLast; ++i) {
    const int32_t sy =
        mapH == h ? static_cast<int32_t>(i) : static_cast<int32_t>(static_cast<double>(i) * stepY);
    visitor.Begin_Row(static_cast<int32_t>(y0 + i));
    const uint8_t* srcRow = fastSource ? source.Row(sy) : nullptr;
    for (int64_t j = jFirst; j < jLast; ++j) {
      const int32_t sx = sourceColumn[static_cast<size_t>(j - jFirst)];
      int16_t r = 0, g = 0, b = 0;
      if (srcRow != nullptr) {
        const uint8_t* p = srcRow + 3 * static_cast<int64_t>(sx);
        b = p[0];
        g = p[1];
        r = p[2];
      } else {
        source.Get_Pixel(sx, sy, r, g, b);
      }
      const uint32_t paint = rule.Paint(source, sx, sy, r, g, b);
      if (paint == RegionPaintRule::kNone) continue;
      visitor.Paint(static_cast<int32_t>(x0 + j), static_cast<int16_t>(Packed_Red(paint)),
                    static_cast<int16_t>(Packed_Green(paint)), static_cast<int16_t>(Packed_Blue(paint)));
    }
  }
  return true;
}

namespace {

// Glazes each painted pixel into a map (the layered image).
class GlazeIntoMap {
 public:
  explicit GlazeIntoMap(OffMap& dest) : m_dest(dest), m_fast(dest.Get_Depth() == 24) {}
  bool Box(int32_t, int32_t, int32_t, int32_t) const { return !m_dest.Is_Not_In_Memory(); }
  void Begin_Row(int32_t dy) {
    m_y = dy;
    m_row = m_fast ? m_dest.Row(dy) : nullptr;
  }
  void Paint(int32_t dx, int16_t pr, int16_t pg, int16_t pb) {
    if (m_row != nullptr) {
      uint8_t* q = m_row + 3 * static_cast<int64_t>(dx);
      q[0] = static_cast<uint8_t>(Transparent_Blend(pb, q[0]));
      q[1] = static_cast<uint8_t>(Transparent_Blend(pg, q[1]));
      q[2] = static_cast<uint8_t>(Transparent_Blend(pr, q[2]));
    } else {
      int16_t ur = 0, ug = 0, ub = 0;
      m_dest.Get_Pixel(dx, m_y, ur, ug, ub);
      m_dest.Set_Pixel(dx, m_y, Transparent_Blend(pr, ur), Transparent_Blend(pg, ug),
                       Transparent_Blend(pb, ub));
    }
  }

 private:
  OffMap& m_dest;
  const bool m_fast;
  int32_t m_y = 0;
  uint8_t* m_row = nullptr;
};

// Writes each painted pixel, with full coverage, into a layer of the box.
class PaintIntoLayer {
 public:
  explicit PaintIntoLayer(RegionLayerPixels& layer) : m_layer(layer) {}
  bool Box(int32_t left, int32_t top, int32_t width, int32_t height) {
    m_layer.left = left;
    m_layer.top = top;
    m_layer.width = width;
    m_layer.height = height;
    m_layer.rgba.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
    return true;
  }
  void Begin_Row(int32_t dy) {
    m_row =
        m_layer.rgba.data() + static_cast<size_t>(dy - m_layer.top) * static_cast<size_t>(m_layer.width) * 4;
  }
  void Paint(int32_t dx, int16_t pr, int16_t pg, int16_t pb) {
    uint8_t* q = m_row + static_cast<size_t>(dx - m_layer.left) * 4;
    q[0] = static_cast<uint8_t>(pr);
    q[1] = static_cast<uint8_t>(pg);
    q[2] = static_cast<uint8_t>(pb);
    q[3] = 255;
  }

 private:
  RegionLayerPixels& m_layer;
  uint8_t* m_row = nullptr;
};

}  // namespace

bool RegionSubject::Paint_Transparent_To_DestMap(OffMap& destMap, int16_t percent, std::string& err) const {
  GlazeIntoMap glaze(destMap);
  return Walk_Painted_Pixels(destMap.Get_Width(), destMap.Get_Height(), percent, glaze,
                             "Paint_Transparent_To_DestMap", err);
}

bool RegionSubject::Paint_Layer_Pixels(int32_t canvasWidth, int32_t canvasHeight, RegionLayerPixels& layer,
                                       std::string& err) const {
  layer = RegionLayerPixels();
  PaintIntoLayer paint(layer);
  return Walk_Painted_Pixels(canvasWidth, canvasHeight, 100, paint, "Paint_Layer_Pixels", err);
}
