#pragma once
// RegionListSubject: the one list of regions of the open illustration, and
// every operation that works on the whole list.
//
// The children list (owning) holds the regions in insertion order: mostly
// sub-regions, rarely separation regions.  Several operations rely on the
// list being sorted by separation id first (Sort_Regions_by_SeparationID),
// which is the order separation creation leaves it in and the order the
// layered image is painted in.
//
// Besides the regions the list owns an undo list of region clones, the
// canvas size of the illustration, the names of the separations, the way
// region bitmaps travel in list files and the format version of the list
// file last read.  It reaches the render manager (and, through it, the
// platform) for the support maps, message boxes and the progress box.
//
// Rectangles.  A region's bounding rectangle (RegionSubject::
// Get_Bounding_Rect) has its right and bottom one past the last pixel;
// every rectangle these operations compare with one has that form too, and
// two rectangles overlap when they share at least one pixel.

#include <array>
#include <cstdint>
#include <string>

#include "framework/ListMemry.h"
#include "framework/Rects.h"
#include "raster/ColorSpace.h"
#include "regions/RegionSubject.h"
#include "views/ListComponentSubject.h"

class OffMap;
class RenderMan;

class RegionListSubject : public ListComponentSubject {
 public:
  static constexpr int32_t kSeparationNameCount = 17;
  // The separation names Clear_Texts empties.
  static constexpr int32_t kClearedSeparationNames = 8;
  static constexpr int32_t kMaxCanvasSide = 7000;
  static constexpr int32_t kPaletteSize = 8;

  explicit RegionListSubject(RenderMan& renderMan);
  ~RegionListSubject() override;

  // ---- fields -------------------------------------------------------------------
  // 1: region bitmaps travel inline in the list file; 0: they are BMP files
  // of their own, deleted with the regions.
  int16_t filesBitmapMode = 1;
  // Format version of the list file last read (-1: none).  Writing a list
  // file sets it to the version written; a version below 3 would ask for the
  // old region record.
  int16_t m_fileFormatVersion = -1;
  // The project path the list file last read carried.
  std::string m_projectPath;

  // ---- children ---------------------------------------------------------------
  // Takes a RegionSubject ("RegionListSubject::Add_ChildSubject failed, bad cast."
  // for anything else, which the caller keeps).  A region with a render
  // style of 0 to 3 is appended; any other region is not kept and is
  // destroyed at once.  Either way the list has taken it over and the result
  // is true.
  bool Add_ChildSubject(ComponentSubject* subject, std::string& err) override;
  bool Has_Regions() const;
  // True when a region of the list came from this separation.
  bool Has_Separation_Regions(int16_t separationID);
  // Number of regions.
  int32_t Get_Region_Count() { return Get_Children_List().Get_Count(); }
  // Hands the list's way of storing bitmaps and its record format to a
  // RegionExternal about to write one region ("RegionListSubject::
  // Initialize_ComponentExternal_for_FileSave  FAILED,  RegionExternal had
  // bad dynamic cast." for any other external).  Defined with the list file
  // (persistence/RegionExternal.cpp), which knows the externals.
  bool Initialize_ComponentExternal_for_FileSave(External* external, std::string& err) override;

  // Drops every region with its views (and, with filesBitmapMode 0, its
  // bitmap files), empties the first eight separation names and whitens the
  // subtract and layered maps.
  bool Delete_All_Regions_and_Bitmap_Files(std::string& err);

  // ---- undo copies ---------------------------------------------------------------
  // The undo list becomes a clone of every region, in list order.
  bool Create_UndoList(std::string& err);
  // The regions (and their views) are replaced by clones of the undo
  // clones; the undo list keeps its clones, so a restore can be repeated.
  bool Restore_from_UndoList(std::string& err);
  const ListMemry<RegionSubject>& Get_UndoList() const { return m_UndoList; }

  // ---- texts, canvas, support maps ------------------------------------------------
  // The separation dialog keeps each row's separation file name here.
  const std::string& Get_Separation_Name(int32_t index) const;
  void Set_Separation_Name(int32_t index, const std::string& name);
  void Clear_Texts();

  // Only while the list is empty, each side 1 .. 7000.
  bool Set_Canvas_Size(int32_t width, int32_t height, std::string& err);
  // The canvas as given, whether or not the list holds regions: the list
  // file's reader (which turns a side outside 1 .. 7000 into -1, "not
  // known") and the loading of a list file, which settles the canvas once
  // the regions are in.
  void Replace_Canvas_Size(int32_t width, int32_t height) {
    m_canvasWidth = width;
    m_canvasHeight = height;
  }
  void Get_Canvas_Size(int32_t& width, int32_t& height) const;
  // The canvas when both sides are set, otherwise the size of the first
  // region's bitmap; -1, -1 on failure.
  bool Get_Original_Canvas_Size(int32_t& width, int32_t& height, std::string& err);

  // The source photo the list was made from, as read from a list file.
  // Get_Source_Photo_Path hands it out only when it names a folder; a bare
  // file name is dropped (it cannot be found again).
  void Set_Source_Photo_Path(const std::string& path) { m_sourcePhotoPath = path; }
  void Get_Source_Photo_Path(std::string& path);

  bool Erase_Support_Bitmaps(std::string& err);
  bool Alloc_Support_Bitmaps_for_Canvas(std::string& err);

  // ---- order ------------------------------------------------------------------------
  // The link-chain check of the framework lists.
  bool Check_Lists_Intergity(const ListMemry<ComponentSubject>& list, std::string& err) const;
  // Stable bubble sorts; both return the number of swaps, 0 for lists of
  // fewer than two regions and -1 when the list's chain is broken.  Only
  // pairs of sub-regions with a pixel count of 0 or more are compared by
  // pixel count.
  int32_t Sort_SubRegions_by_PixelCount(bool descending, std::string& err);
  int32_t Sort_Regions_by_SeparationID(std::string& err);

  // ---- finding ------------------------------------------------------------------------
  // Among the sub-regions whose parent file has the file name of
  // `parentPath` (case ignored), the one whose centroid lies nearest to the
  // centroid of `region`; null when there is none.
  RegionSubject* Find_Nearest_SubRegion_of_Parent(RegionSubject& region, const std::string& parentPath,
                                                  std::string& err);
  RegionSubject* Find_Region_by_Bitmap_FileName(const std::string& fileName);
  // False when a later sub-region's rectangle overlaps the region's.
  bool Is_Free_of_Latter_Overlaps(RegionSubject& region);

  // ---- subtraction, masks, colour fitting ------------------------------------------
  // Takes the chosen regions out of `target` (which holds the source
  // image), in list order: sub-regions (subRegions true) or separation
  // regions (false), never those of render style 2, and with `rect` (all
  // sides 0 or more) only those overlapping it.  The walk ends at
  // `stopRegion`, or, with stopSeparationID 0 or more, at the first region
  // of that separation or a later one.  `count` receives the number taken out.
  bool Subtract_Regions_from_Offmap(OffMap& target, bool subRegions, const RegionSubject* stopRegion,
                                    int16_t stopSeparationID, const RectLong& rect, int32_t& count,
                                    std::string& err);
  // Takes the sub-regions of separation `separationID` out of `target`, in
  // list order, and ends at the first region of a later separation.  On a
  // list sorted by separation, a map from which the call above took the
  // sub-regions before that separation then equals one the call above makes
  // up to the next separation.
  bool Subtract_Separation_SubRegions_from_Offmap(OffMap& target, int16_t separationID, int32_t& count,
                                                  std::string& err);
  // The part of `region` that no later region covers, as a mask, and the
  // average colour of `averagingMap` under it.  `noMask` is set (and
  // `failures` counted) when too little of the region is left uncovered to
  // give a colour.
  bool Make_KnockoutMask_of_Latter_Regions(RegionSubject& region, const OffMap& averagingMap,
                                           int32_t& knockedRegions, int16_t& red, int16_t& green,
                                           int16_t& blue, int32_t& pixelCount, bool& noMask,
                                           int32_t& failures, std::string& err);
  // Fits one region's colour to what the source shows of it once every
  // earlier region has been taken out of `workMap` (a copy of the source).
  bool ColorFit_Regions_to_SrcMap_DeepMasking(RegionSubject& region, const OffMap& sourceMap, OffMap& workMap,
                                              bool deepMasking, bool& nearWhite, std::string& err);
  // ColorFit_Regions_to_SrcMap_DeepMasking for every visible sub-region of
  // at most `largestPixelCount` pixels (no limit below 1), with progress.
  bool ColorFit_All_Regions_to_SrcMap(const OffMap& sourceMap, bool deepMasking, int32_t largestPixelCount,
                                      int32_t& fitted, int32_t& failures, std::string& err);

  // ---- the palette behind the regions ------------------------------------------------
  // The standard colour index of each separation row 0..7 (-9 for a row
  // without regions) and whether the rows are greys.
  bool Make_List_of_Colors_In_Images_Palette(int16_t colorCount, int16_t (&colorIndexes)[kPaletteSize],
                                             bool& greyPalette, std::string& err);
  // One record per distinct separation colour, in the order first met:
  // {colour, 0, nickname of the region's colour index}.  Returns the number
  // of records, or -1.
  int32_t Create_List_of_Original_Separations_Colors(ListMemry<kvColorRef>& colors);

  // ---- painting and colours ------------------------------------------------------------
  // Paints every sub-region larger than 6 x 6 pixels with a texture of the
  // type (0 and 2 monochrome, 1 colour) chosen for its size.
  bool Paint_All_Regions_with_TextureMaps(int16_t textureType, int16_t style, RegionRandom& random,
                                          std::string& err);
  // Turns the hue of every separation by its own random shift within
  // +-range (never 0), the same shift for all regions of one separation.
  bool Randomize_All_Colors_for_Regions(int16_t range, RegionRandom& random, std::string& err);
  // Every visible sub-region back to its separation's hue.
  bool Restore_Separation_Colors(std::string& err);
  // Every region's frame a tenth larger, kept centred.
  bool Enlarge_All_Region_Frames(std::string& err);

 private:
  // Takes one region out of `target`: a whole-canvas separation region by
  // Subtract_Separation, any other region scaled into its frame.
  static bool Subtract_Region_from_Offmap(OffMap& target, const RegionSubject& region, std::string& err);
  // The regions in list order; false with `err` (naming `operation`) when
  // a child is not a region.
  template <class Visit>
  bool For_Each_Region(const char* castFailure, std::string& err, Visit visit);

  RenderMan& m_renderMan;
  ListMemry<RegionSubject> m_UndoList;  // owning
  std::array<std::string, kSeparationNameCount> m_separationNames;
  std::string m_sourcePhotoPath;
  int32_t m_canvasWidth = 300;
  int32_t m_canvasHeight = 300;
};
