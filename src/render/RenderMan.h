#pragma once
// RenderMan: the one owner of the program's named raster maps.
//
// The photo as decoded, the working source map and its backup, the hidden and
// the displayed pre-processed maps, the subtract map, the layered result and
// the outline with its backup all live here.  Other components keep the
// address of a map member (not the map), so that a map this class (or they
// themselves) re-create is seen at once; a RenderMan therefore never moves or
// copies, and its owner (the application object, the command line, a test)
// keeps it in one place for its whole life.
//
// Every working map (source, backup, filtered pair, layered, subtract) has
// the same "working size", chosen when a photo is loaded (ImageFiles.h) or by
// the Image Size dialog (ImageSizeController.h).

#include <cstdint>
#include <memory>
#include <string>

#include "filters/WatercolorParms.h"
#include "framework/ListMemry.h"
#include "framework/Rects.h"
#include "platform/Platform.h"
#include "raster/OffMap.h"
#include "render/ResourceBitmapUtility.h"
#include "render/TextureMaps.h"

class RenderMan {
 public:
  // `textureFolder` is the folder holding the "Monocrome" and "Color"
  // texture sub-folders (Default_Texture_Folder() in TextureMaps.h finds the
  // program's own); empty for none.
  explicit RenderMan(Platform& platform, const std::string& textureFolder = std::string());
  ~RenderMan();
  RenderMan(const RenderMan&) = delete;
  RenderMan& operator=(const RenderMan&) = delete;

  Platform& Get_Platform() { return m_platform; }

  // ---- settings and state -----------------------------------------------------
  // Full path of the photo last loaded through the file dialog.
  std::string m_sourcePhotoPath;
  // Set after each photo load: the source map looked grey at 20 samples.
  uint8_t m_isGreyscalePhoto = 0;
  // A pre-processing result has been rendered into m_filteredMap since the
  // filter maps were last created or erased.
  uint8_t m_filteredMapHasImage = 0;
  // How the outline is merged into the layered image (Merge_OutlineMap_with_Source):
  // liteness lightens the strokes, darkness scales them in percent, the style
  // picks the formula (0 pencil or charcoal, 1 outline picture, 2 ink).
  int16_t m_outlineLiteness = 0;
  int16_t m_outlineDarkness = 100;
  int16_t m_outlineStyle = 0;
  uint8_t m_hideOutline = 0;
  uint8_t m_outlineOption = 0;

  // ---- the maps (owned; null until created) -----------------------------------
  // The photo at its file resolution, kept for later resizing.
  std::unique_ptr<PlatformImage> m_photoOriginal;
  std::unique_ptr<OffMap> m_sourceMap;           // 24-bit, working size
  std::unique_ptr<OffMap> m_sourceMapBackup;     // 24-bit copy made with the source
  std::unique_ptr<OffMap> m_layeredMapOversize;  // 24-bit layered result, working size
  // The outline: 8-bit when loaded from a picture, 24-bit when drawn.  It may
  // be larger than the working size; the merge scales it.
  std::unique_ptr<OffMap> m_outlineMapOversize;
  std::unique_ptr<OffMap> m_outlineMapBackup;        // taken before the user edits the outline
  std::unique_ptr<OffMap> m_filteredMap;             // hidden pre-processed image
  std::unique_ptr<OffMap> m_filteredMapWithOutline;  // displayed copy, outline drawn on it
  std::unique_ptr<OffMap> m_subtractMap;             // what the next separation is taken from

  // ---- texture maps and pencil brushes -----------------------------------------
  // The pencil-brush table (RenderManBrushes.cpp).  Rows 0..7 are the line
  // styles "Pencil Lite", "Pencil Medium", "Pencil Heavy", "Charcoal Lite",
  // "Charcoal Medium", "Charcoal Heavy", "Ink Fine" and "Ink Medium" once
  // Load_Pencil_Brushes has run; the other rows stay empty.
  static constexpr int16_t kBitmapUtilityCount = 40;
  ResourceBitmapUtility m_bitmapUtilityArray[kBitmapUtilityCount];
  // The row Load_Pencil_Brushes reached last: 7 after a complete load, the
  // failing row after a failed one, -1 before any.
  int16_t m_lastBitmapUtilitiyArrayIndex = -1;

  // Fills rows 0..7 with their names, resource ids and sizes and loads every
  // one of them that has no map yet; stops with false at the first row that
  // fails to load.
  bool Load_Pencil_Brushes(std::string& err);
  // Loads the brush map of row `utilityIndex` from the row's bitmap resource
  // (through the platform's resources): a white 8-bit map of the row's size
  // receives the resource's pixels (the red component of colour ones) where
  // they overlap.  Fails for an index outside the table, a row already
  // loaded, and a resource the program does not carry.
  static bool Alloc_Load_ResourceBitmapUtility_for_PencilLine_Algo(int32_t utilityIndex, RenderMan& renderMan,
                                                                   std::string& err);
  // A new 8-bit map of width x height filled white, or null with `err` set.
  static std::unique_ptr<OffMap> Alloc_a_ResourceBitmapUtility_OffMap(std::string& err, int32_t width,
                                                                      int32_t height);

  // The texture-map lists (TextureMaps.h): monochrome (code 0, also 2) and
  // colour (code 1), each sorted by size, smallest first.  Both are built
  // by the constructor from the texture folder it is given; without a
  // folder, or when the folder does not exist, they stay empty.
  ListMemry<TextureMapSpec> m_textureMapListMono;
  ListMemry<TextureMapSpec> m_textureMapListColor;

  // Scans the sub-folder of `code` and appends an entry for every file whose
  // name carries a size, then sorts the whole list by size; entries of equal
  // size keep the order in which they were appended, and files are taken in
  // the byte order of their names.  Returns the number of entries appended.
  int32_t Build_TextureMap_List(int16_t code);
  // Copies entry `index` of the list of `code`; false when there is no such
  // entry.
  bool Get_TextureMapSpec(int32_t index, int16_t code, TextureMapSpec& textureEntry) const;
  // Chooses a texture for a region of width x height pixels and returns its
  // index in the list of `code`, or -2 with `err` set.  Mode 0: the smallest
  // texture covering the region, scale 1.  Mode 1: the largest texture
  // covering the region, with scale = the smaller of size / width and
  // size / height, limited to 1..8 (Copy_TextureMap_to_OffMap samples every
  // scale-th texture pixel).
  static int32_t Pick_A_TextureMap(std::string& err, int16_t mode, const RenderMan& renderMan, int32_t width,
                                   int32_t height, int16_t code, int16_t& scale);
  // The texture folder the lists were built from ("" for none).
  const std::string& Get_Texture_Folder() const { return m_textureFolder; }
  // The folder of the textures of `code`, ending with "/", so that folder +
  // file name is a texture's path; "" without a texture folder or for a code
  // that names no list.
  std::string Get_TextureMap_Folder(int16_t code) const;
  // Drops both lists and builds them again from `folder`.
  void Set_Texture_Folder(const std::string& folder);

  // ---- allocation -----------------------------------------------------------------
  // Replaces the photo object by a new, empty one.
  bool Alloc_PhotoMap(std::string& err);
  // Drops every working map and the outline, then creates the source map
  // and its backup (24-bit, black) at width x height.
  bool Alloc_Source_Bitmaps_for_Virtual_Project(int32_t width, int32_t height, std::string& err);
  // The filter pair, the layered and the subtract map at the working size,
  // all white.  Note the order: height first.
  bool Alloc_Support_Bitmaps_for_Image_Creation(int32_t height, int32_t width, std::string& err);
  // Both filter maps white at this size and depth, re-created only when the
  // size or depth differs; clears m_filteredMapHasImage.
  bool Create_FilterMap_Pair(int32_t depth, int32_t width, int32_t height);
  // The map white at this size (24-bit), re-created only when it differs.
  bool Create_Layered_Map(int32_t height, int32_t width);
  bool Create_Subtract_Map(int32_t height, int32_t width);
  bool Create_Outline_Map(int32_t height, int32_t width);
  // Whitens the outline, layered, filter and subtract maps that exist.
  bool Erase_Support_Bitmaps(std::string& err);

  // ---- copies between the maps ----------------------------------------------------
  // The subtract map becomes a copy of the pre-processed image, ready for a
  // new series of separations.
  bool Initialize_SubtractMap_with_Source_Image_for_SeparationCreation(std::string& err);
  bool Copy_FilterMapHidden_to_Displayed_FilterMap(std::string& err);
  // The source map into the hidden filter map (converting the depth if needed).
  bool Copy_SRCmap_to_DSTmap(std::string& err);

  // ---- watercolour pre-processing (RenderManWatercolor.cpp) -----------------------
  // Renders m_filteredMap from m_sourceMap with the watercolour filters,
  // copies it to the displayed filter map and sets m_filteredMapHasImage.
  // The first is for colour photos, the second for greyscale photos
  // (m_isGreyscalePhoto).
  bool WatercolorFilter_For_Separations(const WatercolorParms& parms, std::string& err);
  bool WatercolorFilter_For_Separations_Grey_24bit(const WatercolorParms& parms, std::string& err);

  // ---- working size ---------------------------------------------------------------
  // Resamples the kept photo to a new working size and re-creates every
  // working map.
  bool Change_Image_Size(int32_t width, int32_t height, std::string& err);
  // The source map's size, or (-1, -1) without one.
  void Get_Source_Size(int32_t& width, int32_t& height) const;

  // Bilinear sample of the photo at (sx, sy); neighbours outside the photo
  // count as white.  Components are truncated.
  static void Sample_Photo_Bilinear(const PlatformImage& photo, double sx, double sy, int16_t& r, int16_t& g,
                                    int16_t& b);
  // Fills m_sourceMap and m_sourceMapBackup with the photo sampled at
  // (x * scaleX, y * scaleY) for every pixel of the maps.
  void Sample_Photo_into_Source(double scaleX, double scaleY);

  // ---- outline ----------------------------------------------------------------------
  // Copies the outline into a fresh backup.  False without an outline or when
  // the copy fails (then a message box says so).
  bool Backup_Outline_Map();
  bool Restore_Outline_Map_from_Backup(std::string& err);

  // Darkens `destinationMap` where the outline is dark.  The area produced is
  // the extent of `ratioRct`, starting at the map origin; the outline is
  // scaled onto it.  The caller usually passes the layered map as both source
  // and destination and m_outlineStyle as the style.  With `whiteOut` every
  // outline pixel becomes white instead.
  static bool Merge_OutlineMap_with_Source(const RenderMan& renderMan, bool whiteOut, int16_t style,
                                           const OffMap* outlineMap, const OffMap* sourceMap,
                                           OffMap* destinationMap, std::string& err,
                                           const RectShrt& ratioRct);

 private:
  // Whitens the map when it has this size and depth, else re-creates it white.
  static bool Create_White_Map(std::unique_ptr<OffMap>& map, int32_t width, int32_t height, int32_t depth);

  Platform& m_platform;
  std::string m_textureFolder;
};
