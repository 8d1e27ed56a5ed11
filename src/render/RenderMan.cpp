#include "render/RenderMan.h"

RenderMan::RenderMan(Platform& platform, const std::string& textureFolder) : m_platform(platform) {
  Set_Texture_Folder(textureFolder);
}

RenderMan::~RenderMan() = default;

// ---------------------------------------------------------------------------
// Allocation

bool RenderMan::Alloc_PhotoMap(std::string& err) {
  err.clear();
  m_photoOriginal.reset();
  m_photoOriginal = m_platform.Codec().Create_Image();
  if (!m_photoOriginal) {
    err = "RenderMan::Alloc_PhotoMap failed,  could not allocate m_photoOriginal.";
    return false;
  }
  return true;
}

namespace {

// A new map of this size and depth, or null when it has no pixels or
// OffMap::Make refuses it: every map of this class shows a picture.
std::unique_ptr<OffMap> New_Map(int32_t width, int32_t height, int32_t depth) {
  if (width <= 0 || height <= 0) return nullptr;
  return OffMap::Make(width, height, depth);
}

}  // namespace

bool RenderMan::Alloc_Source_Bitmaps_for_Virtual_Project(int32_t width, int32_t height, std::string& err) {
  err.clear();
  m_sourceMap.reset();
  m_sourceMapBackup.reset();
  m_filteredMap.reset();
  m_filteredMapWithOutline.reset();
  m_filteredMapHasImage = 0;
  m_outlineMapOversize.reset();
  m_outlineMapBackup.reset();
  m_layeredMapOversize.reset();

  m_sourceMap = New_Map(width, height, 24);
  if (!m_sourceMap) {
    err = "RenderMan::Alloc_Source_Bitmaps_for_Virtual_Project failed,  could not allocate m_sourceMap.";
    return false;
  }
  m_sourceMapBackup = New_Map(width, height, 24);
  if (!m_sourceMapBackup) {
    err =
        "RenderMan::Alloc_Source_Bitmaps_for_Virtual_Project failed,  could not allocate m_sourceMapBackup.";
    return false;
  }
  return true;
}

bool RenderMan::Alloc_Support_Bitmaps_for_Image_Creation(int32_t height, int32_t width, std::string& err) {
  err.clear();
  if (!Create_FilterMap_Pair(24, width, height)) {
    err = "RenderMan::Alloc_Support_Bitmaps_for_Image_Creation failed,  could not create Destination Map.";
    return false;
  }
  if (!Create_Layered_Map(height, width) || !Create_Subtract_Map(height, width)) {
    err = "RenderMan::Alloc_Support_Bitmaps_for_Image_Creation failed,  could not create Layered Map.";
    return false;
  }
  return true;
}

bool RenderMan::Create_White_Map(std::unique_ptr<OffMap>& map, int32_t width, int32_t height, int32_t depth) {
  if (map && !map->Is_Not_In_Memory() && map->Get_Width() == width && map->Get_Height() == height &&
      map->Get_Depth() == depth) {
    map->Fill(255);
    return true;
  }
  map.reset();
  map = New_Map(width, height, depth);
  if (!map) return false;
  map->Fill(255);
  return true;
}

bool RenderMan::Create_FilterMap_Pair(int32_t depth, int32_t width, int32_t height) {
  // The two maps go together: the displayed one is always a copy of the
  // hidden one, so the hidden map decides whether both are kept.
  m_filteredMapHasImage = 0;
  const bool keep = m_filteredMap && !m_filteredMap->Is_Not_In_Memory() &&
                    m_filteredMap->Get_Width() == width && m_filteredMap->Get_Height() == height &&
                    m_filteredMap->Get_Depth() == depth;
  if (!keep) {
    m_filteredMap.reset();
    m_filteredMapWithOutline.reset();
  }
  if (!Create_White_Map(m_filteredMap, width, height, depth) ||
      !Create_White_Map(m_filteredMapWithOutline, width, height, depth)) {
    m_filteredMap.reset();
    m_filteredMapWithOutline.reset();
    return false;
  }
  return true;
}

bool RenderMan::Create_Layered_Map(int32_t height, int32_t width) {
  return Create_White_Map(m_layeredMapOversize, width, height, 24);
}

bool RenderMan::Create_Subtract_Map(int32_t height, int32_t width) {
  return Create_White_Map(m_subtractMap, width, height, 24);
}

bool RenderMan::Create_Outline_Map(int32_t height, int32_t width) {
  return Create_White_Map(m_outlineMapOversize, width, height, 24);
}

bool RenderMan::Erase_Support_Bitmaps(std::string& err) {
  err.clear();
  for (std::unique_ptr<OffMap>* map : {&m_outlineMapOversize, &m_layeredMapOversize, &m_filteredMap,
                                       &m_filteredMapWithOutline, &m_subtractMap}) {
    if (*map) (*map)->Fill(255);
  }
  m_filteredMapHasImage = 0;
  return true;
}

// ---------------------------------------------------------------------------
// Copies between the maps

bool RenderMan::Initialize_SubtractMap_with_Source_Image_for_SeparationCreation(std::string& err) {
  err.clear();
  if (!m_sourceMap) {
    err = "Load a SOURCE bitmap.";
    return false;
  }
  if (!m_filteredMap) {
    err =
        "RenderMan::Initialize_SubtractMap_with_Source_Image_for_SeparationCreation FAILED,  m_filteredMap "
        "is NULL.";
    return false;
  }
  if (!m_filteredMapHasImage) {
    err =
        "RenderMan::Initialize_SubtractMap_with_Source_Image_for_SeparationCreation FAILED,  m_filteredMap "
        "does NOT have an Image.";
    return false;
  }
  Create_Subtract_Map(m_filteredMap->Get_Height(), m_filteredMap->Get_Width());
  if (!m_subtractMap) {
    err =
        "RenderMan::Initialize_SubtractMap_with_Source_Image_for_SeparationCreation FAILED,  Subtraction "
        "bitmaps are NULL.";
    return false;
  }
  m_subtractMap->Assign_Copy(*m_filteredMap);
  return true;
}

bool RenderMan::Copy_FilterMapHidden_to_Displayed_FilterMap(std::string& err) {
  err.clear();
  if (!m_filteredMapWithOutline || !m_filteredMap) {
    err =
        "RenderMan::Copy_FilterMapHidden_to_Displayed_FilterMap failed,  m_filteredMapWithOutline or "
        "m_filteredMap is NULL.";
    return false;
  }
  m_filteredMapWithOutline->Assign_Copy(*m_filteredMap);
  return true;
}

bool RenderMan::Copy_SRCmap_to_DSTmap(std::string& err) {
  err.clear();
  if (!m_sourceMap || !m_filteredMap) {
    err = "Copy_SRCmap_to_DSTmap failed,  NULL maps.";
    return false;
  }
  if (m_sourceMap->Get_Depth() == m_filteredMap->Get_Depth()) {
    m_filteredMap->Assign_Copy(*m_sourceMap);
    return true;
  }
  return m_filteredMap->Copy_Pixels(*m_sourceMap, err);
}

// ---------------------------------------------------------------------------
// Working size

void RenderMan::Sample_Photo_Bilinear(const PlatformImage& photo, double sx, double sy, int16_t& r,
                                      int16_t& g, int16_t& b) {
  const int32_t photoW = photo.Get_Width();
  const int32_t photoH = photo.Get_Height();
  const int32_t x0 = static_cast<int32_t>(sx);
  const int32_t y0 = static_cast<int32_t>(sy);
  const int32_t x1 = x0 + 1;
  const int32_t y1 = y0 + 1;
  const double fx = sx - x0;
  const double fy = sy - y0;

  // The four neighbours; a neighbour beyond the photo's edge is white paper.
  int p[4][3];
  const int32_t xs[4] = {x0, x1, x0, x1};
  const int32_t ys[4] = {y0, y0, y1, y1};
  for (int i = 0; i < 4; ++i) {
    if (xs[i] >= 0 && ys[i] >= 0 && xs[i] < photoW && ys[i] < photoH) {
      photo.Get_Pixel_RGB(xs[i], ys[i], p[i][0], p[i][1], p[i][2]);
    } else {
      p[i][0] = p[i][1] = p[i][2] = 255;
    }
  }
  int16_t out[3];
  for (int c = 0; c < 3; ++c) {
    const double v =
        (1.0 - fy) * ((1.0 - fx) * p[0][c] + fx * p[1][c]) + fy * ((1.0 - fx) * p[2][c] + fx * p[3][c]);
    out[c] = static_cast<int16_t>(v);
  }
  r = out[0];
  g = out[1];
  b = out[2];
}

void RenderMan::Sample_Photo_into_Source(double scaleX, double scaleY) {
  if (!m_photoOriginal || !m_sourceMap || !m_sourceMapBackup) return;
  OffMap& source = *m_sourceMap;
  OffMap& backup = *m_sourceMapBackup;
  if (source.Is_Not_In_Memory() || backup.Is_Not_In_Memory() || source.Get_Depth() != 24 ||
      backup.Get_Depth() != 24 || backup.Get_Width() != source.Get_Width() ||
      backup.Get_Height() != source.Get_Height())
    return;
  const auto clamp = [](int16_t v) { return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); };
  for (int32_t y = 0; y < source.Get_Height(); ++y) {
    uint8_t* row = source.Row(y);
    uint8_t* backupRow = backup.Row(y);
    for (int32_t x = 0; x < source.Get_Width(); ++x) {
      int16_t r = 0, g = 0, b = 0;
      Sample_Photo_Bilinear(*m_photoOriginal, x * scaleX, y * scaleY, r, g, b);
      // What Set_Pixel stores, written straight into both rows.
      backupRow[3 * x] = row[3 * x] = clamp(b);
      backupRow[3 * x + 1] = row[3 * x + 1] = clamp(g);
      backupRow[3 * x + 2] = row[3 * x + 2] = clamp(r);
    }
  }
}

bool RenderMan::Change_Image_Size(int32_t width, int32_t height, std::string& err) {
  err.clear();
  // An empty photo object (a decode that never succeeded) has nothing to
  // resample either.
  if (!m_photoOriginal || m_photoOriginal->Is_Null()) {
    err = " RenderMan::Change_Image_Size  FAILED,  m_photoOriginal is NULL.";
    return false;
  }
  if (!Alloc_Source_Bitmaps_for_Virtual_Project(width, height, err)) return false;
  const double scaleX = static_cast<double>(m_photoOriginal->Get_Width()) / width;
  const double scaleY = static_cast<double>(m_photoOriginal->Get_Height()) / height;
  Sample_Photo_into_Source(scaleX, scaleY);
  return Alloc_Support_Bitmaps_for_Image_Creation(height, width, err);
}

void RenderMan::Get_Source_Size(int32_t& width, int32_t& height) const {
  if (!m_sourceMap) {
    width = height = -1;
    return;
  }
  width = m_sourceMap->Get_Width();
  height = m_sourceMap->Get_Height();
}

// ---------------------------------------------------------------------------
// Outline

bool RenderMan::Backup_Outline_Map() {
  if (!m_outlineMapOversize) return false;
  m_outlineMapBackup.reset();
  m_outlineMapBackup = New_Map(m_outlineMapOversize->Get_Width(), m_outlineMapOversize->Get_Height(),
                               m_outlineMapOversize->Get_Depth());
  std::string err;
  if (!m_outlineMapBackup || !m_outlineMapBackup->Copy_Pixels(*m_outlineMapOversize, err)) {
    m_platform.Message("RenderMan::Backup_Outline_Map  FAILED,  Copy_Pixels");
    return false;
  }
  return true;
}

bool RenderMan::Restore_Outline_Map_from_Backup(std::string& err) {
  err.clear();
  if (!m_outlineMapBackup) {
    err = "RenderMan::Restore_Outline_Map_from_Backup FAILED, m_outlineMapBackup is NULL.";
    return false;
  }
  const int32_t width = m_outlineMapBackup->Get_Width();
  const int32_t height = m_outlineMapBackup->Get_Height();
  const bool keep = m_outlineMapOversize && m_outlineMapOversize->Get_Width() == width &&
                    m_outlineMapOversize->Get_Height() == height;
  if (!keep && !Create_Outline_Map(height, width)) {
    err = "RenderMan::Restore_Outline_Map_from_Backup FAILED, Create_Outline_Map";
    return false;
  }
  return m_outlineMapOversize->Copy_Pixels(*m_outlineMapBackup, err);
}

int32_t RenderMan::Outline_Stroke_Darkening(int16_t m, int16_t r, int16_t g, int16_t b, int16_t style,
                                            double darkness, double liteness) {
  if (m >= 230) return 0;
  double k = (256 - m) * darkness / 100.0;
  if (k > 255.0) k = 255.0;
  // Darkness of the source pixel: strokes darken dark areas less.
  const int32_t d = 256 - (r + g + b) / 3;
  int32_t e = 0;
  switch (style) {
    case 0:
      e = static_cast<int32_t>(k - 0.5 * liteness - 0.3 * d);
      if (e > 200) e = 200;
      break;
    case 1:
      e = static_cast<int32_t>(k - 0.75 * liteness - 0.3 * d);
      if (e > 230) e = 230;
      break;
    case 2:
      e = static_cast<int32_t>((k - 1.5 * liteness - 0.7 * d) * 0.7);
      if (e > 180) e = 180;
      break;
    default:
      break;
  }
  return e < 0 ? 0 : e;
}

namespace {

// The one walk of the outline merge: for every pixel (x, y) of the area,
// `put(x, y, r, g, b, e)` with the source pixel's colour (white where the
// outline whitens it) and the darkening e >= 0 the outline takes off each
// of its components there.
template <class Put>
void Walk_Outline_Merge(const RenderMan& renderMan, bool whiteOut, int16_t style, const OffMap& outlineMap,
                        const OffMap& sourceMap, int16_t areaW, int16_t areaH, Put&& put) {
  const int64_t outlineW = outlineMap.Get_Width();
  const int64_t outlineH = outlineMap.Get_Height();
  const double darkness = renderMan.Get_Outline_Darkness();
  const double liteness = renderMan.Get_Outline_Liteness();

  for (int32_t y = 0; y < areaH; ++y) {
    const int32_t oy = static_cast<int32_t>(y * outlineH / areaH);
    for (int32_t x = 0; x < areaW; ++x) {
      int16_t r = 0, g = 0, b = 0;
      sourceMap.Get_Pixel(x, y, r, g, b);
      int16_t m = 0, unusedG = 0, unusedB = 0;
      outlineMap.Get_Pixel(static_cast<int32_t>(x * outlineW / areaW), oy, m, unusedG, unusedB);
      int32_t e = 0;
      if (m < 230) {
        if (whiteOut) {
          r = g = b = 255;
        } else {
          e = RenderMan::Outline_Stroke_Darkening(m, r, g, b, style, darkness, liteness);
        }
      }
      put(x, y, r, g, b, e);
    }
  }
}

// The merge's area from its rectangle; false with the text when it has none.
bool Merge_Area(const RectShrt& ratioRct, int16_t& areaW, int16_t& areaH, std::string& err) {
  areaW = static_cast<int16_t>(ratioRct.right - ratioRct.left + 1);
  areaH = static_cast<int16_t>(ratioRct.bottom - ratioRct.top + 1);
  if (areaW <= 0 || areaH <= 0) {
    err = "RenderMan::Merge_OutlineMap_with_Source FAILED, ratioRct has no assignment.";
    return false;
  }
  return true;
}

}  // namespace

bool RenderMan::Merge_OutlineMap_with_Source(const RenderMan& renderMan, bool whiteOut, int16_t style,
                                             const OffMap* outlineMap, const OffMap* sourceMap,
                                             OffMap* destinationMap, std::string& err,
                                             const RectShrt& ratioRct) {
  err.clear();
  if (!outlineMap || renderMan.Get_Hide_Outline()) return true;
  if (!sourceMap || !destinationMap) {
    err = "RenderMan::Merge_OutlineMap_with_Source FAILED, destinationMap or sourceMap is NULL";
    return false;
  }
  int16_t areaW = 0, areaH = 0;
  if (!Merge_Area(ratioRct, areaW, areaH, err)) return false;
  Walk_Outline_Merge(renderMan, whiteOut, style, *outlineMap, *sourceMap, areaW, areaH,
                     [destinationMap](int32_t x, int32_t y, int16_t r, int16_t g, int16_t b, int32_t e) {
                       destinationMap->Set_Pixel(x, y, static_cast<int16_t>(r - e),
                                                 static_cast<int16_t>(g - e), static_cast<int16_t>(b - e));
                     });
  return true;
}

bool RenderMan::Outline_Darkening(const RenderMan& renderMan, int16_t style, const OffMap* outlineMap,
                                  const OffMap& sourceMap, const RectShrt& ratioRct,
                                  std::vector<uint8_t>& darkening, std::string& err) {
  err.clear();
  darkening.clear();
  if (!outlineMap || renderMan.Get_Hide_Outline()) return true;
  int16_t areaW = 0, areaH = 0;
  if (!Merge_Area(ratioRct, areaW, areaH, err)) return false;
  const int32_t width = sourceMap.Get_Width();
  const int32_t height = sourceMap.Get_Height();
  darkening.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  Walk_Outline_Merge(
      renderMan, false, style, *outlineMap, sourceMap, areaW, areaH,
      [&](int32_t x, int32_t y, int16_t, int16_t, int16_t, int32_t e) {
        if (x < width && y < height)
          darkening[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
              static_cast<uint8_t>(e);
      });
  return true;
}
