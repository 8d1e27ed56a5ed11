#pragma once
// RegionSubject: one paintable area of the illustration.
//
// Two kinds exist, told apart by `generationCode`:
//  * a separation region (0) holds a whole separation map; sub-regions are
//    cut out of it, and it is normally not kept in the region list;
//  * a sub-region (1) is one 4-connected blob of a separation map, cut out
//    by seed fill.  The region list holds these, and they are what is
//    painted into the layered image.
//
// A region carries two descriptors: the auto descriptor (the bitmap the
// program generated) and the scanned descriptor (a bitmap attached from a
// file, or the painted bitmap once the region has been painted).
// `substitutionMode` 1 puts the auto descriptor in force, any other value
// the scanned one.  Everything that belongs to one bitmap (paths, colour and
// colour offsets, centroid, pixel count, seed point, visibility and the
// frame on the canvas) lives in the descriptors, and the accessors always
// answer from the descriptor in force.  The one exception is the hunt
// colour of the separation (Get_Original_HuntColor_from_SeparationCreation),
// which is always read from the auto descriptor, so that painting and colour
// fitting keep working from the separation's colour.
//
// Maps: `m_SRCoffMap` is the region's bitmap at full resolution (for a
// sub-region the source colours of the blob's pixels on white, the size of
// the blob's box); `m_refreshOffMap` is the display copy, the same map seen
// through the colour offsets of the descriptor in force.  Views draw the
// display map; painting and composition read the region map.
//
// Conventions: operations that can fail return false (or null) and leave a
// text in `err`, which they clear first.  Operations that read or write
// bitmap files take the Platform; those that show message boxes take it or
// a MessageService.  Painting takes the caller's pseudo-random generator,
// which chooses the direction a texture is laid in.

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "framework/Graphic.h"
#include "framework/Rects.h"
#include "raster/OffMap.h"
#include "views/ComponentSubject.h"

class Commandj;
class ListComponentSubject;
class MessageService;
class Platform;
struct RegionDescriptorFields;
struct RegionRecordOld;
struct RegionRecordSmall;

// The generator that lays textures in a random direction.
using RegionRandom = std::minstd_rand;

// A region's painted pixels on a canvas (RegionSubject::Paint_Layer_Pixels):
// its box and, in the box, rows top to bottom of red, green, blue and
// coverage.
struct RegionLayerPixels {
  int32_t left = 0, top = 0, width = 0, height = 0;
  std::vector<uint8_t> rgba;
};

struct RegionDescriptor {
  // The BMP file of this bitmap; for a region kept only in memory the bare
  // file name.
  std::string bitmapPath;
  // The bitmap file of the parent separation region (sub-regions only).
  std::string parentPath;
  // The blob's centroid relative to the frame's left and top; -1 when not
  // computed.
  int16_t centroidX = -1;
  int16_t centroidY = -1;
  // Pixels of the region; -1 for separation regions.
  int32_t pixelCount = -1;
  // The separation-map pixel a sub-region was seed-filled from; negative
  // when the region was not made by seed fill.
  PointShrt seedPoint = Unset_Seed_Point();
  // 0x00BBGGRR: the hunt colour for a separation region, the seed colour
  // (or the blob's average colour) for a sub-region.
  uint32_t color = 0;
  // Colour offsets applied when the region is shown and painted: hue in
  // degrees, saturation and value in 0..255 units.
  int16_t hueOffset = 0;
  int16_t satOffset = 0;
  int16_t valOffset = 0;
  // 1 hidden, 0 shown.
  int32_t hidden = 0;
  // The region's rectangle on the canvas; x is Graphic::kUnsetX until placed.
  Graphic frame;

  static PointShrt Unset_Seed_Point() {
    PointShrt p;
    p.x = -1;
    p.y = -1;
    return p;
  }
};

class RegionSubject : public ComponentSubject {
 public:
  // Codes of `generationCode`.
  static constexpr int16_t kSeparationRegion = 0;
  static constexpr int16_t kSubRegion = 1;
  // The `m_headerWord` of a region made by separation or seed fill.
  static constexpr int16_t kCreatedHeaderWord = 64;

  RegionSubject();
  ~RegionSubject() override;

  // ---- the region ---------------------------------------------------------------
  // The region map and the display map, always set together.
  OffMap* Get_Region_Map() { return m_SRCoffMap.get(); }
  const OffMap* Get_Region_Map() const { return m_SRCoffMap.get(); }
  OffMap* Get_Display_Map() { return m_refreshOffMap.get(); }
  const OffMap* Get_Display_Map() const { return m_refreshOffMap.get(); }
  void Set_Maps(std::unique_ptr<OffMap> regionMap, std::unique_ptr<OffMap> displayMap) {
    m_SRCoffMap = std::move(regionMap);
    m_refreshOffMap = std::move(displayMap);
  }
  // 1: the auto descriptor is in force; else the scanned one.
  int16_t Get_Substitution_Mode() const { return substitutionMode; }
  void Set_Substitution_Mode(int16_t mode) { substitutionMode = mode; }
  // 0..3; 2 marks a remainder separation.
  int16_t Get_Render_Style() const { return renderStyle; }
  void Set_Render_Style(int16_t style) { renderStyle = style; }
  // kSeparationRegion or kSubRegion.
  int16_t Get_Generation_Code() const { return generationCode; }
  void Set_Generation_Code(int16_t code) { generationCode = code; }
  RegionDescriptor& Get_Auto_Descriptor() { return m_autoDescriptor; }
  const RegionDescriptor& Get_Auto_Descriptor() const { return m_autoDescriptor; }
  RegionDescriptor& Get_Scanned_Descriptor() { return m_scannedDescriptor; }
  const RegionDescriptor& Get_Scanned_Descriptor() const { return m_scannedDescriptor; }
  // The separation row that produced the region and that separation's
  // standard colour.
  int16_t Get_Separation_ID() const { return m_separationID; }
  void Set_Separation_ID(int16_t id) { m_separationID = id; }
  int16_t Get_Hunt_Color_Index() const { return m_huntColorIndex; }
  void Set_Hunt_Color_Index(int16_t index) { m_huntColorIndex = index; }
  // The running number of the region.
  int16_t Get_Serial_Number() const { return m_serialNumber; }
  void Set_Serial_Number(int16_t serial) { m_serialNumber = serial; }
  // Carried by the Old file record only.
  const std::string& Get_Extra_Text() const { return m_extraText; }
  void Set_Extra_Text(const std::string& text) { m_extraText = text; }
  // Kept and stored, read by nobody.
  int16_t Get_Header_Word() const { return m_headerWord; }
  void Set_Header_Word(int16_t word) { m_headerWord = word; }

  // ---- creation ---------------------------------------------------------------
  // The separation region of a separation map.  The map is handed over;
  // unless `inMemory`, it is saved as folder of `targetPath` +
  // `separationFileName` first.  The colour components are taken as bytes
  // (-1 and -2 become 255 and 254).  Null when the map cannot be saved or
  // copied.
  static std::unique_ptr<RegionSubject> Create_Region_from_Separation_Map(
      std::string& err, const std::string& targetPath, std::unique_ptr<OffMap> separationMap,
      int16_t algoCode, bool inMemory, int16_t red, int16_t green, int16_t blue,
      const std::string& separationFileName, Platform& platform);

  // Cuts the blob of non-white pixels at (seedX, seedY) out of
  // `separationMap` into a new sub-region.  Taken pixels are marked in
  // `visitedMap` (an 8-bit map of the separation's size, 255 = free).  A
  // blob that is too small (fewer than `minPixelCount` pixels, or less than
  // 2 pixels wide or high; 3 in full-size mode) gives null with no text.
  // `parent`, when given, passes on its colour offsets.  `autoFlag` makes
  // the auto descriptor the one in force and takes the seed colour as the
  // region's colour; otherwise the scanned descriptor gets the blob's
  // average colour.  Unless `inMemory`, the region map is saved in the
  // "Subs" folder beside the parent bitmap.
  static std::unique_ptr<RegionSubject> SeedFill_Create_New_Region(
      OffMap& separationMap, int32_t seedX, int32_t seedY, const RegionSubject* parent, int16_t seedRed,
      int16_t seedGreen, int16_t seedBlue, int32_t minPixelCount, OffMap& visitedMap,
      const std::string& parentPath, bool autoFlag, bool fullSize, bool inMemory, Platform& platform,
      std::string& err);

  // Cuts every blob of `separationMap` (seeds from row 1 on) into sub-regions
  // and adds them to `regionList` with Add_ChildSubject.  Each gets the
  // separation id, this region's colour index, the next serial number of
  // `serialCounter` and the saturation offset.  Failures of single blobs
  // are shown in message boxes and the scan goes on.
  bool Generate_SubRegions(OffMap& separationMap, ListComponentSubject& regionList, int32_t minPixelCount,
                           bool fullSize, int16_t separationID, int16_t satOffset, bool inMemory,
                           int16_t& serialCounter, Platform& platform, std::string& err);

  // ---- copies -----------------------------------------------------------------------
  // Makes this region a deep copy of `other` (both maps, both descriptors,
  // the codes, the framework frame and the three identity numbers) after
  // dropping this region's views.  Nothing is changed when `other` lacks a
  // map or a map cannot be allocated.
  bool Assign_From(const RegionSubject& other, std::string& err);
  // A region assigned from this one; null when that fails.
  std::unique_ptr<ComponentSubject> Clone() const override;

  // ---- framework -------------------------------------------------------------------
  // The frame of the descriptor in force.
  Graphic& Get_Graphic() override;
  std::unique_ptr<ComponentView> Create_ComponentView() override;
  // No file writer is bound to regions here: null.
  External* Create_ComponentExternal() override;
  // Code 2 (OffsetGlyphCmnd) moves the frame of the descriptor in force by
  // the offset; code 4 (SizeCmnd) grows it, each side at least 5.
  bool Change_My_Property(Commandj* command, std::string& err) override;

  // ---- state ---------------------------------------------------------------------------
  bool Is_Region_Hidden() const;
  void Show_Region(bool show);
  bool Is_Auto_Descriptor_Active() const { return substitutionMode == 1; }
  bool Is_SubRegion() const { return generationCode == kSubRegion; }
  RegionDescriptor& Get_Current_Descriptor();
  const RegionDescriptor& Get_Current_Descriptor() const;

  // True when a region of `list` comes from the same separation and has the
  // same auto frame; `pixelDifference` is its pixel count minus this one's.
  bool Find_Same_Region_in_List(const ListMemry<ComponentSubject>& list, int32_t& pixelDifference) const;

  // ---- colour and place ----------------------------------------------------------------
  // The three bytes of the auto descriptor's colour.
  bool Get_Original_HuntColor_from_SeparationCreation(int16_t& red, int16_t& green, int16_t& blue) const;
  // The hue of that colour; -1 for a grey.
  int16_t Get_Original_HuntColor_Hue() const;
  // The bitmap path of the descriptor in force.  An empty path is shown in a
  // message box and gives false.
  bool Get_Current_Bitmaps_Path(std::string& path, MessageService& messages) const;
  // The file name of that path (after the last "/" or "\"); empty when the
  // path is empty.
  std::string Get_Current_Bitmaps_FileName() const;
  // The frame as left, top, right + 1, bottom + 1.
  void Get_Bounding_Rect(RectLong& rect) const;
  // The centroid on the canvas.
  void Get_Centroid_Point(int32_t& x, int32_t& y) const;
  // Between region-map pixels and canvas pixels of the frame (the region map
  // is stretched over the frame).
  void Map_Bitmap_Point_to_Frame(PointLong& point) const;
  void Map_Frame_Point_to_Bitmap(PointLong& point) const;

  // ---- field accessors (descriptor in force) -------------------------------------------
  uint32_t& Get_Color() { return Get_Current_Descriptor().color; }
  std::string& Get_Bitmap_Path() { return Get_Current_Descriptor().bitmapPath; }
  std::string& Get_Parent_Path() { return Get_Current_Descriptor().parentPath; }
  int16_t& Get_Hue_Offset() { return Get_Current_Descriptor().hueOffset; }
  int16_t& Get_Sat_Offset() { return Get_Current_Descriptor().satOffset; }
  int16_t& Get_Val_Offset() { return Get_Current_Descriptor().valOffset; }
  int32_t& Get_Hidden() { return Get_Current_Descriptor().hidden; }
  int16_t& Get_CentroidX() { return Get_Current_Descriptor().centroidX; }
  int16_t& Get_CentroidY() { return Get_Current_Descriptor().centroidY; }
  PointShrt& Get_Seed_Point() { return Get_Current_Descriptor().seedPoint; }
  int32_t& Get_Pixel_Count() { return Get_Current_Descriptor().pixelCount; }

  // ---- bitmaps from files ---------------------------------------------------------------
  // Rebuilds a sub-region's 1-bit mask from its parent bitmap file by seed
  // fill from its seed point.  `rect` receives the mask's box in the parent
  // (all -1 on the early failures).  The caller owns the mask.
  std::unique_ptr<OffMap> Make_Maskmap_From_SUBregion(RectShrt& rect, Platform& platform,
                                                      std::string& err) const;
  // The other sub-region bitmap of the same parent in the parent's "Subs"
  // folder whose coordinates lie nearest to this region's centroid.
  // `fileName` gets its name without folder; `found` says whether there is one.
  bool Find_A_Kindred_BitmapFile_in_Folder(std::string& fileName, bool& found, std::string& err) const;
  // Reloads the bitmap of the descriptor in force, then switches to `newMode`.
  bool Toggle_RegionDescriptors_ScannedOrAuto(int16_t newMode, Platform& platform, std::string& err);
  // Loads `fileName` from the folder of the current bitmap as the region's
  // maps; `values`, when given, become the scanned descriptor.
  bool Attach_Different_File_Bitmap(const std::string& fileName, const RegionDescriptor* values,
                                    Platform& platform, std::string& err);
  // Whitens the pixels of `maskMap` (a mask whose box on the canvas is
  // `maskRect`) that are black in `otherMask` (box `otherRect`).  Returns
  // the number of pixels whitened.
  int32_t Knock_Out_Covered_Pixels(OffMap& maskMap, const RectShrt& maskRect, const OffMap& otherMask,
                                   const RectShrt& otherRect) const;

  // ---- painting and colour fitting --------------------------------------------------------
  // Rewrites the display map from the region map through the offsets of the
  // descriptor in force.
  bool Update_SmallBitmap_Bits_wColorModify(std::string& err);
  // The auto hunt colour in HSV shifted by the auto descriptor's offsets; the
  // hue is kept within -359..359 and may stay negative.
  bool Calc_HuntColor_Plus_ColorOffsets(int16_t& hue, int16_t& sat, int16_t& val, std::string& err) const;
  // Paints the region with a texture: `textureMap` when given, else the BMP
  // at `texturePath`.  Types 0 and 1 switch to the scanned descriptor (mode
  // 0), type 2 to mode 2.  Style 1 samples a large texture coarser.  The
  // result is colour-fitted to the hunt colour.  A failure leaves the region
  // as it was.
  bool Create_PseudoPainted_Bitmap(const std::string& texturePath, const OffMap* textureMap,
                                   int32_t textureWidth, int32_t textureHeight, int16_t textureType,
                                   int16_t style, Platform& platform, RegionRandom& random, std::string& err);
  // Repaints with the texture at `texturePath`, sampled every `scale`
  // pixels; the descriptors stay as they are.
  bool Modify_Existing_PseudoPainted_Bitmap(const std::string& texturePath, int16_t textureType,
                                            int16_t scale, Platform& platform, RegionRandom& random,
                                            std::string& err);
  // Fits the display map to the hunt colour shifted by the auto offsets.
  bool Match_PseudoPainted_Bitmap_to_Original_ColorSpec(std::string& err);
  // The three fits of the display map's average colour to a target HSV; the
  // region map is the source of every round and the final HSV offsets are
  // stored in the descriptor in force.
  bool Fit_Color_YIQ(int16_t targetHue, int16_t targetSat, int16_t targetVal, bool& nearWhite,
                     std::string& err);
  bool Fit_Color_to_Target(int16_t targetHue, int16_t targetSat, int16_t targetVal, bool& nearWhite,
                           std::string& err);
  bool Fit_Color_HSV_YIQ(int16_t targetHue, int16_t targetSat, int16_t targetVal, bool& nearWhite,
                         std::string& err);
  // Fits to the average colour of `remainderMap` under the region's mask.
  bool On_Fit_Color_To_RemainderMap(const OffMap& remainderMap, bool& nearWhite, Platform& platform,
                                    std::string& err);
  // Glazes the region into `destMap`, a canvas scaled by `percent`.
  bool Paint_Transparent_To_DestMap(OffMap& destMap, int16_t percent, std::string& err) const;
  // The same pixels as painted at 100 % into a white canvas of
  // canvasWidth x canvasHeight, taken apart: the region's box on the canvas
  // (clipped to it) and, in it, the paint colour with coverage 255 where
  // the region paints and 0 elsewhere.  An empty box (width 0) when the
  // region paints nothing on the canvas.
  bool Paint_Layer_Pixels(int32_t canvasWidth, int32_t canvasHeight, RegionLayerPixels& layer,
                          std::string& err) const;
  // The paint of every pixel of the region map, rows top to bottom, as
  // Pack_RGB colours: what Paint_Transparent_To_DestMap glazes there, or
  // Pack_RGB(255, 255, 255) where it leaves the canvas alone.  Empty when the
  // map is not in memory.
  bool Paint_Colors(std::vector<uint32_t>& paint, std::string& err) const;

  // ---- file records ---------------------------------------------------------------------------
  void Emit_to_FileObject_Old(RegionRecordOld& record) const;
  void Emit_to_FileObject_Small(RegionRecordSmall& record) const;
  // Refuse codes outside 0..15; otherwise take the record (substitution
  // codes 5.. become 1, generation codes 2.. become 1, render styles 4..
  // become 0, serial numbers outside 0..8999 become 0).  The Small record
  // leaves the texts alone.
  bool AssignMe_from_FileObject_Old(const RegionRecordOld& record, std::string& err);
  bool AssignMe_from_FileObject_Small(const RegionRecordSmall& record, std::string& err);

  // The largest canvas side a list file holds; frames read from a file lie
  // within it (positions may reach as far off the canvas).
  static constexpr int32_t kMaxFrameReach = 7000;

 private:
  // The checks and code mapping shared by both record readers.  The frames
  // of both descriptors must lie within the canvas limits: a position
  // within +-kMaxFrameReach of the canvas origin (or x at the mark of a
  // frame never placed) and a size of at most kMaxFrameReach, so that no
  // arithmetic on them can overflow.
  template <class Visitor>
  bool Walk_Painted_Pixels(int32_t destWidth, int32_t destHeight, int16_t percent, Visitor& visitor,
                           const char* operation, std::string& err) const;
  bool Take_Record_Codes(int16_t substitution, int16_t generation, int16_t style,
                         const RegionDescriptorFields& autoFields,
                         const RegionDescriptorFields& scannedFields, const char* operation,
                         std::string& err);
  void Take_Record_Identity(int16_t headerWord, int16_t separationID, int16_t huntColorIndex,
                            int16_t serialNumber);
  // Replaces both maps by `map` and a same-size copy of it.  When the copy
  // cannot be made nothing changes and `err` is `copyFailure` (the copy's
  // own text when that is null).
  bool Replace_Maps_With(std::unique_ptr<OffMap> map, const char* copyFailure, std::string& err);

  std::unique_ptr<OffMap> m_SRCoffMap;      // the region map
  std::unique_ptr<OffMap> m_refreshOffMap;  // the display map
  int16_t substitutionMode = 0;
  int16_t renderStyle = 0;
  int16_t generationCode = 0;
  RegionDescriptor m_autoDescriptor;
  RegionDescriptor m_scannedDescriptor;
  int16_t m_separationID = -1;
  int16_t m_huntColorIndex = -1;
  int16_t m_serialNumber = -1;
  std::string m_extraText;
  int16_t m_headerWord = 0;
};
