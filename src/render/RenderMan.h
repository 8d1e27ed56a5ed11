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
#include <span>
#include <string>
#include <vector>

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
  // Threads an operation on the maps may spread its rows over (1 unless
  // set): a result never depends on it.
  int32_t Get_Work_Threads() const { return m_workThreads; }
  void Set_Work_Threads(int32_t threads) { m_workThreads = threads < 1 ? 1 : threads; }

  // ---- settings and state -----------------------------------------------------
  // Full path of the photo last loaded through the file dialog.
  const std::string& Get_Source_Photo_Path() const { return m_sourcePhotoPath; }
  void Set_Source_Photo_Path(const std::string& path) { m_sourcePhotoPath = path; }
  // Set after each photo load: the source map looked grey at 20 samples.
  bool Is_Greyscale_Photo() const { return m_isGreyscalePhoto != 0; }
  void Set_Greyscale_Photo(bool grey) { m_isGreyscalePhoto = grey ? 1 : 0; }
  // How the outline is merged into the layered image (Merge_OutlineMap_with_Source):
  // liteness lightens the strokes, darkness scales them in percent, the style
  // picks the formula (0 pencil or charcoal, 1 outline picture, 2 ink).
  int16_t Get_Outline_Liteness() const { return m_outlineLiteness; }
  void Set_Outline_Liteness(int16_t liteness) { m_outlineLiteness = liteness; }
  int16_t Get_Outline_Darkness() const { return m_outlineDarkness; }
  void Set_Outline_Darkness(int16_t darkness) { m_outlineDarkness = darkness; }
  int16_t Get_Outline_Style() const { return m_outlineStyle; }
  void Set_Outline_Style(int16_t style) { m_outlineStyle = style; }
  // The line style (a brush table name) the outline dialog last painted the
  // outline map's chains with; empty for an outline set any other way.
  const std::string& Get_Outline_Line_Style() const { return m_outlineLineStyle; }
  void Set_Outline_Line_Style(const std::string& name) { m_outlineLineStyle = name; }
  uint8_t Get_Hide_Outline() const { return m_hideOutline; }
  void Set_Hide_Outline(uint8_t hide) { m_hideOutline = hide; }
  uint8_t Get_Outline_Option() const { return m_outlineOption; }
  void Set_Outline_Option(uint8_t option) { m_outlineOption = option; }

  // ---- the maps (owned; null until created) -----------------------------------
  // The photo at its file resolution, kept for later resizing.
  const PlatformImage* Get_Photo_Original() const { return m_photoOriginal.get(); }
  void Set_Photo_Original(std::unique_ptr<PlatformImage> photo) { m_photoOriginal = std::move(photo); }
  // 24-bit, working size, and its copy made with it.
  OffMap* Get_Source_Map() { return m_sourceMap.get(); }
  const OffMap* Get_Source_Map() const { return m_sourceMap.get(); }
  void Set_Source_Map(std::unique_ptr<OffMap> map) { m_sourceMap = std::move(map); }
  OffMap* Get_Source_Map_Backup() { return m_sourceMapBackup.get(); }
  const OffMap* Get_Source_Map_Backup() const { return m_sourceMapBackup.get(); }
  // 24-bit layered result, working size.
  OffMap* Get_Layered_Map() { return m_layeredMapOversize.get(); }
  const OffMap* Get_Layered_Map() const { return m_layeredMapOversize.get(); }
  void Drop_Layered_Map() { m_layeredMapOversize.reset(); }
  // The outline: 8-bit when loaded from a picture, 24-bit when drawn.  It may
  // be larger than the working size; the merge scales it.  Its backup is
  // taken before the user edits it.
  OffMap* Get_Outline_Map() { return m_outlineMapOversize.get(); }
  const OffMap* Get_Outline_Map() const { return m_outlineMapOversize.get(); }
  OffMap* Get_Outline_Map_Backup() { return m_outlineMapBackup.get(); }
  const OffMap* Get_Outline_Map_Backup() const { return m_outlineMapBackup.get(); }
  void Set_Outline_Map(std::unique_ptr<OffMap> outline) {
    m_outlineMapOversize = std::move(outline);
    m_outlineLineStyle.clear();
  }
  void Set_Outline_Map_Backup(std::unique_ptr<OffMap> backup) { m_outlineMapBackup = std::move(backup); }
  void Drop_Outline_Map_Backup() { m_outlineMapBackup.reset(); }
  // No outline any more, nor a backup of one.
  void Drop_Outline_Map() {
    m_outlineLineStyle.clear();
    m_outlineMapOversize.reset();
    m_outlineMapBackup.reset();
  }
  // The hidden pre-processed image and its displayed copy, the outline drawn
  // on it.
  OffMap* Get_Filtered_Map() { return m_filteredMap.get(); }
  const OffMap* Get_Filtered_Map() const { return m_filteredMap.get(); }
  OffMap* Get_Displayed_Filtered_Map() { return m_filteredMapWithOutline.get(); }
  const OffMap* Get_Displayed_Filtered_Map() const { return m_filteredMapWithOutline.get(); }
  void Drop_Displayed_Filtered_Map() { m_filteredMapWithOutline.reset(); }
  // A pre-processing result is in the hidden map: one has been rendered into
  // it since the filter maps were last created, replaced or erased.
  bool Has_Filtered_Image() const { return m_filteredMap != nullptr && m_filteredMapHasImage != 0; }
  // Says that the hidden map now holds a pre-processing result (nothing
  // without a hidden map), or that it no longer does.
  void Mark_Filtered_Image_Rendered() { m_filteredMapHasImage = m_filteredMap != nullptr ? 1 : 0; }
  void Forget_Filtered_Image() { m_filteredMapHasImage = 0; }
  // A new hidden map (or none), holding no pre-processing result yet.
  void Set_Filtered_Map(std::unique_ptr<OffMap> map) {
    m_filteredMap = std::move(map);
    m_filteredMapHasImage = 0;
  }
  // What the next separation is taken from.
  OffMap* Get_Subtract_Map() { return m_subtractMap.get(); }
  const OffMap* Get_Subtract_Map() const { return m_subtractMap.get(); }
  void Drop_Subtract_Map() { m_subtractMap.reset(); }

  // The members holding the photo, the layered image, the outline, the
  // hidden and displayed filter maps and the subtract map, for the components
  // that keep their address so as to see a map re-created here at once.
  std::unique_ptr<OffMap>* Source_Map_Slot() { return &m_sourceMap; }
  std::unique_ptr<OffMap>* Layered_Map_Slot() { return &m_layeredMapOversize; }
  std::unique_ptr<OffMap>* Outline_Map_Slot() { return &m_outlineMapOversize; }
  std::unique_ptr<OffMap>* Filtered_Map_Slot() { return &m_filteredMap; }
  std::unique_ptr<OffMap>* Displayed_Filtered_Map_Slot() { return &m_filteredMapWithOutline; }
  std::unique_ptr<OffMap>* Subtract_Map_Slot() { return &m_subtractMap; }

  // ---- texture maps and pencil brushes -----------------------------------------
  // The pencil-brush table (RenderManBrushes.cpp).  Rows 0..7 are the line
  // styles "Pencil Lite", "Pencil Medium", "Pencil Heavy", "Charcoal Lite",
  // "Charcoal Medium", "Charcoal Heavy", "Ink Fine" and "Ink Medium" once
  // Load_Pencil_Brushes has run; the other rows stay empty.
  static constexpr int16_t kBitmapUtilityCount = 40;
  std::span<ResourceBitmapUtility, kBitmapUtilityCount> Get_Bitmap_Utilities() {
    return m_bitmapUtilityArray;
  }
  std::span<const ResourceBitmapUtility, kBitmapUtilityCount> Get_Bitmap_Utilities() const {
    return m_bitmapUtilityArray;
  }
  // The row Load_Pencil_Brushes reached last: 7 after a complete load, the
  // failing row after a failed one, -1 before any.
  int16_t Get_Last_Bitmap_Utility_Index() const { return m_lastBitmapUtilitiyArrayIndex; }

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
  // The list of `code`, or null for a code that names none.
  const ListMemry<TextureMapSpec>* Get_TextureMap_List(int16_t code) const;

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
  // size or depth differs; forgets the filtered image (Has_Filtered_Image).
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
  // Renders the hidden filter map from the source map with the watercolour filters,
  // copies it to the displayed filter map and marks the filtered image rendered.
  // The first is for colour photos, the second for greyscale photos
  // (Is_Greyscale_Photo).
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
  // and destination and Get_Outline_Style() as the style.  With `whiteOut` every
  // outline pixel becomes white instead.
  static bool Merge_OutlineMap_with_Source(const RenderMan& renderMan, bool whiteOut, int16_t style,
                                           const OffMap* outlineMap, const OffMap* sourceMap,
                                           OffMap* destinationMap, std::string& err,
                                           const RectShrt& ratioRct);
  // What that merge (not whiting out) takes off each colour component of
  // `sourceMap` at each of its pixels: sourceMap's width x height values,
  // rows top to bottom, 0..230 (the merge stores component - e, clamped at
  // 0).  Empty when the merge would change nothing (no outline, or it is
  // hidden).
  // What an outline pixel of value m (< 230 draws) takes off each component
  // of the pixel r, g, b under it, for merge style 0..2, at the dialog's
  // darkness and liteness; 0 where it draws nothing.
  static int32_t Outline_Stroke_Darkening(int16_t m, int16_t r, int16_t g, int16_t b, int16_t style,
                                          double darkness, double liteness);
  static bool Outline_Darkening(const RenderMan& renderMan, int16_t style, const OffMap* outlineMap,
                                const OffMap& sourceMap, const RectShrt& ratioRct,
                                std::vector<uint8_t>& darkening, std::string& err);

 private:
  // Whitens the map when it has this size and depth, else re-creates it white.
  static bool Create_White_Map(std::unique_ptr<OffMap>& map, int32_t width, int32_t height, int32_t depth);
  ListMemry<TextureMapSpec>* Writable_TextureMap_List(int16_t code);

  Platform& m_platform;
  int32_t m_workThreads = 1;
  std::string m_textureFolder;

  std::string m_sourcePhotoPath;
  uint8_t m_isGreyscalePhoto = 0;
  // A pre-processing result has been rendered into m_filteredMap since the
  // filter maps were last created or erased.
  uint8_t m_filteredMapHasImage = 0;
  int16_t m_outlineLiteness = 0;
  int16_t m_outlineDarkness = 100;
  int16_t m_outlineStyle = 0;
  std::string m_outlineLineStyle;
  uint8_t m_hideOutline = 0;
  uint8_t m_outlineOption = 0;

  std::unique_ptr<PlatformImage> m_photoOriginal;
  std::unique_ptr<OffMap> m_sourceMap;
  std::unique_ptr<OffMap> m_sourceMapBackup;
  std::unique_ptr<OffMap> m_layeredMapOversize;
  std::unique_ptr<OffMap> m_outlineMapOversize;
  std::unique_ptr<OffMap> m_outlineMapBackup;
  std::unique_ptr<OffMap> m_filteredMap;
  std::unique_ptr<OffMap> m_filteredMapWithOutline;
  std::unique_ptr<OffMap> m_subtractMap;

  ResourceBitmapUtility m_bitmapUtilityArray[kBitmapUtilityCount];
  int16_t m_lastBitmapUtilitiyArrayIndex = -1;

  ListMemry<TextureMapSpec> m_textureMapListMono;
  ListMemry<TextureMapSpec> m_textureMapListColor;
};
