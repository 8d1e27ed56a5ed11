#pragma once
// ColorSeparator: the separation engine.  It makes the separations of the
// pre-processed image, one row at a time, cuts each into sub-regions for
// the region list, keeps the subtract map (the pre-processed image without
// the regions made so far) up to date, and calculates palettes.
//
// The engine lives as long as the separation dialog.  It keeps the
// addresses of the render manager's map members, not the maps, so a map the
// render manager re-creates is seen at once.  New regions are numbered from
// the application's region counter, which receives the next free number back
// when the engine goes away.

#include <cstdint>
#include <memory>
#include <string>

#include "separation/SeparationParms.h"

class ColorList;
class OffMap;
class RegionListSubject;
class RenderMan;
class WindowsUpdater;

class ColorSeparator {
 public:
  // The number of the first separation made by an engine; it only shapes
  // separation file names.
  static constexpr uint16_t kFirstSeparationCounter = 9999;
  // The palette calculation fills 1 to this many positions.
  static constexpr int16_t kMaxPaletteColors = 11;

  // `nextSerialStore` is the application's region counter (may be null:
  // numbering then starts at 0 and is not handed back).  Separations are
  // kept in memory only until Set_In_Memory_Only(0).
  ColorSeparator(RenderMan& renderMan, WindowsUpdater& windowsUpdater, int16_t* nextSerialStore);
  virtual ~ColorSeparator();
  ColorSeparator(const ColorSeparator&) = delete;
  ColorSeparator& operator=(const ColorSeparator&) = delete;

  // --- Engine operations ------------------------------------------------------

  // Calls `callback` with `argument` when both are set.
  virtual void Invoke_Callback(void* argument, void (*callback)(void*));
  // Sub-regions get maps of the whole image size instead of their box.
  virtual void Set_FullSize_SubRegions(bool fullSize);
  // Deletes every region (Delete_All_Regions_and_Bitmap_Files) and rebuilds
  // the subtract map; nothing to do for an empty list.
  virtual bool Delete_All_Regions_and_Redraw(RegionListSubject& list, std::string& err);
  // Deletes the sub-regions of one separation row and rebuilds the
  // subtract map without the rest.
  virtual bool Delete_Separation_Regions(int16_t separationID, RegionListSubject& list, std::string& err);
  // Starts a new series: the subtract map becomes the pre-processed image,
  // the layered map turns white.  On an empty region list the list's canvas
  // becomes the working size of the pre-processed image.
  virtual bool Generate_All_Separations_and_SubRegions_from_Bitmap(RegionListSubject& list, std::string& err);
  // Makes the separation of `row` from the subtract map (as it stands
  // without the regions of this row and later ones), adds its sub-regions
  // to the list and rebuilds the subtract map for the next row.
  // `separationFileName` receives the separation's bitmap name (or path).
  // A hunt colour of pure white makes nothing and succeeds.
  virtual bool Make_Next_Separation(const SeparationParms& parms, std::string& separationFileName,
                                    int16_t row, RegionListSubject& list, const std::string& photoPath,
                                    std::string& err);
  // The separation of `sourceMap`, cleaned up and cut into sub-regions of
  // separation `separationID`, which are appended to the list; with
  // `keepSeparationRegion` the separation region itself is appended too.
  virtual bool Create_Separation_and_Generate_SubRegions(const SeparationParms& parms,
                                                         const OffMap& sourceMap, std::string& filePath,
                                                         bool keepSeparationRegion, int16_t separationID,
                                                         RegionListSubject& list,
                                                         const std::string& photoPath, std::string& err);
  // The subtract map becomes the pre-processed image less the regions of
  // the list in list order (sub-regions with mode 1, separation regions
  // with mode 0), stopping at the first region of separation `row` or later
  // (no stop when `row` is negative).
  virtual bool ReDraw_Subtracted_BitMap(int16_t mode, int16_t row, RegionListSubject& list, std::string& err);

  // --- Palette calculation ----------------------------------------------------

  // Chooses the colours of `colorCount` (1..11) palette positions from
  // stock set `palettePrimaryIdx` (see Calc_Ideal_Palette_for_Specific_Photo).
  virtual bool Calc_Ideal_Palette_for_Stock_ColorSet(int16_t palettePrimaryIdx, int16_t colorCount,
                                                     int16_t* retPaletteColorIndexs, std::string& err);
  // Resets the subtract map to the pre-processed image, then for each
  // position takes the standard colour of `colors` with the highest
  // coverage score (the lowest index among equals; without
  // `repeatColorsAllowed` no colour twice) and tints the subtract map with
  // it.  Positions for which no colour covers anything get 0 ("-NONE-");
  // the chosen colours come first.  `retScores` (may be null) receives the
  // scores, `chosenCount` the number of colours chosen.
  virtual bool Calc_Ideal_Palette_for_Specific_Photo(const ColorList& colors, bool repeatColorsAllowed,
                                                     int16_t colorCount, int16_t* retPaletteColorIndexs,
                                                     int32_t* retScores, int16_t& chosenCount,
                                                     std::string& err);
  // (pixels of the subtract map at least as dark as the colour in every
  // channel) / 10 x ((255 - R) + (255 - G) + (255 - B)); 0 with `err` set
  // when there is no subtract map.
  virtual int32_t Calc_StdColors_Coverage_Score(int16_t hue, int16_t sat, int16_t val, std::string& err);

  // --- Separation maps --------------------------------------------------------

  // Writes the separation of `sourceMap` into `separationMap` (same width,
  // height and depth; filled white by the caller) by algorithm 0, 1 or 3 and
  // gives the separation's colour: the hunt colour (1), the mean of the
  // written pixels (0), or (-3, -3, -3) when nothing was written or for 3.
  static bool Make_Color_Separation(const SeparationParms& parms, const OffMap& sourceMap,
                                    OffMap& separationMap, int16_t& red, int16_t& green, int16_t& blue,
                                    std::string& err);
  // A new separation map of `sourceMap` and its file name, e.g.
  // "MEM-ASep_Cobalt Blue_dog_Comps230_235_255_9999.bmp" (prefix "ASep_"
  // when not in memory).  The colour is that of Make_Color_Separation,
  // (-2, -2, -2) for a remainder and (-1, -1, -1) for an opaque separation.
  static std::unique_ptr<OffMap> Create_Separation_OffMap_for_RegionSubject(
      const OffMap& sourceMap, const SeparationParms& parms, const std::string& photoPath,
      uint16_t separationCounter, bool inMemoryOnly, std::string& fileName, int16_t& red, int16_t& green,
      int16_t& blue, std::string& err);
  // True when the pixel is at least as dark as the colour in every channel:
  // the pixels a colour covers in the palette calculation.
  static bool Is_Covered_by_Color(int16_t pixelRed, int16_t pixelGreen, int16_t pixelBlue, int16_t red,
                                  int16_t green, int16_t blue);

  // --- State ------------------------------------------------------------------

  int16_t Get_Next_Serial() const { return m_nextSerial; }
  uint16_t Get_Separation_Counter() const { return m_separationCounter; }
  void Set_In_Memory_Only(int16_t inMemoryOnly) { m_inMemoryOnly = inMemoryOnly; }
  int16_t Get_In_Memory_Only() const { return m_inMemoryOnly; }
  bool Get_FullSize_SubRegions() const { return m_fullSizeSubRegions != 0; }

 private:
  // Takes the sub-regions of separation `row` out of the subtract map, which
  // holds what ReDraw_Subtracted_BitMap(1, row) made; on the list sorted by
  // separation it then holds what ReDraw_Subtracted_BitMap(1, row + 1)
  // would make.
  bool Take_Row_Out_of_Subtracted_BitMap(int16_t row, RegionListSubject& list, std::string& err);

  RenderMan& m_renderMan;
  // The render manager's pre-processed map and subtract map members.
  std::unique_ptr<OffMap>* m_sourceMap;
  std::unique_ptr<OffMap>* m_subtractionBitmapAddr;
  WindowsUpdater& m_windowsUpdater;
  int16_t* m_nextSerialStore;
  int16_t m_nextSerial;
  uint16_t m_separationCounter = kFirstSeparationCounter;
  uint8_t m_fullSizeSubRegions = 0;
  int16_t m_inMemoryOnly = 1;
};
