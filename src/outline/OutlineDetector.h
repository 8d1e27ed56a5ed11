#pragma once
// OutlineDetector: turns the photo into pixel chains, the centre lines of
// the strokes of a hand-drawn outline, and paints them as pencil, charcoal
// or ink strokes into the render manager's outline map.
//
// Detection runs in two halves.  Make_Working_Bitmap_from_Canny_Detection
// builds a grey working map from the source (optionally rescaled), runs the
// Canny detector on it and cleans the edges with a fixed sequence of filters
// until one-pixel-wide black lines on white remain, then finds the lines'
// junctions.  Detect_PixelChains_from_OffMap cuts the line map into
// connected groups of black pixels and orders each group into a chain.
// Detect_Outline then joins chains at junctions, maps them back to source
// coordinates and thins them out; a copy of them (the drawn chains) is what
// the dialog modifies and what is painted.  Every intermediate map is copied
// into the subtract map and shown in the "SUBTRACTED Result" windows while
// detection runs.
//
// Painting (OutlineDetectorPencil.cpp) stamps a disc-shaped kernel along
// every chain.  Its darkness comes from the current brush strip: each stamp
// takes the strip's next column, so the grain of the medium runs along the
// line, and the kernel lies across the direction of travel, estimated from
// the last few chain pixels.
//
// The detector keeps the addresses of the render manager's map members
// (never the maps), so a map its owner re-creates is seen at once.  The
// detected chains belong to the application; the detector empties and
// refills them.  One detector exists while the outline dialog is open.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "filters/ForkKernal.h"
#include "framework/ListMemry.h"
#include "outline/OutlineDetectParms.h"
#include "outline/Pixel.h"
#include "outline/PixelChain.h"

class OffMap;
class Platform;
struct ResourceBitmapUtility;

// How the detector shows its work (all optional).
struct OutlineDetectorViews {
  // Redraws the "SUBTRACTED Result" windows after each stage.
  std::function<void()> redrawSubtracted;
  // The displayed pre-processed map, into which the sorted lines are drawn
  // while the chains are ordered, and the redraw of its windows.
  std::unique_ptr<OffMap>* displayedFilterMapAddr = nullptr;
  std::function<void()> redrawPreProcessing;
};

class OutlineDetector {
 public:
  static constexpr int16_t kBrushCount = 40;
  static constexpr int16_t kHistorySlots = 50;
  static constexpr int16_t kHistorySize = 5;
  static constexpr int16_t kStartBrushColumn = 10;
  static constexpr int16_t kDecimationStep = 5;
  // Layers of a stamp behind the painted point, the first included.
  static constexpr int16_t kStampLayers = 8;
  // A cross-section side holds at most this many pixels.
  static constexpr int16_t kMaxSidePixels = 8;

  // `chains` is the application's list of detected chains; `sourceMap` the
  // photo's 24-bit working source; the two addresses are the render
  // manager's outline-map and subtract-map members; `brushTable` its 40
  // brush entries.  Any of them may be null: the operations that need one
  // then fail with their texts.
  OutlineDetector(ListMemry<PixelChain>* chains, const OffMap* sourceMap,
                  std::unique_ptr<OffMap>* outlineMapAddr, std::unique_ptr<OffMap>* subtractMapAddr,
                  ResourceBitmapUtility* brushTable, Platform& platform, OutlineDetectorViews views = {});
  ~OutlineDetector();
  OutlineDetector(const OutlineDetector&) = delete;
  OutlineDetector& operator=(const OutlineDetector&) = delete;

  // ---- detection ------------------------------------------------------------------
  // The whole detection: working map, chains, joins at junctions, source
  // coordinates, thinning; the drawn chains become copies of the result.
  bool Detect_Outline(std::string& err, const OutlineDetectParms& parms);
  // The first half: the cleaned one-pixel line map (owned by the detector),
  // or null with `err` set.
  OffMap* Make_Working_Bitmap_from_Canny_Detection(std::string& err, const OutlineDetectParms& parms);
  // The second half: every group of more than 3 black pixels of the working
  // map becomes a chain, ordered along its line.
  bool Detect_PixelChains_from_OffMap(ListMemry<PixelChain>& chains, OffMap& workingMap, std::string& err);

  // The outline map white at this size, 24-bit (re-created unless it has
  // that size and depth); failures are shown in a message box.
  bool Alloc_Outline_Map_in_RenderMan(int32_t height, int32_t width);
  // Always a new white 8-bit subtract map.
  bool Alloc_a_New_Subtract_Map(std::string& err, int32_t width, int32_t height);
  // The working map white at this size, reused when it already has it.
  bool Alloc_Working_Map(int32_t height, int32_t width);

  // Paints the chains into a white map of the source size (times the output
  // scale) and publishes it as the outline map.
  bool Render_PixelChains_to_OutlineMap(const ListMemry<PixelChain>& drawnChains, std::string& err);
  // Copies `map` into the outline map (re-made at the map's size when the
  // sizes differ).
  bool Copy_OffMap_to_Rendermans_OutlineMap(const OffMap& map, std::string& err);

  // ---- pencil lines (OutlineDetectorPencil.cpp) ---------------------------------------
  // Makes the last brush entry whose name matches (case ignored) the current
  // brush; its index, or a negative value with `err` set.
  int16_t Set_PencilPen_Line_Style(const std::string& name, std::string& err);
  // Makes entry `index` the current brush: its index, or 0 with `err` set.
  int16_t Set_Current_ResourceBitmapUtility(int16_t index, std::string& err);
  // The current brush entry; null (after a message) when there is none.
  ResourceBitmapUtility* Get_Current_ResourceBitmapUtility();
  // Paints every chain in list order into `map` (8-bit); stops with false at
  // the first chain that fails.
  bool Paint_PixelChains(const ListMemry<PixelChain>& chains, OffMap& map, std::string& err);
  bool Paint_PixelChain(OffMap& map, const PixelChain& chain, std::string& err);
  // Stamps every point of the line after `from` up to `to`; `stampCount`
  // receives their number.
  bool Paint_Pencil_Line_wKernal(Pixel from, Pixel to, int16_t direction, OffMap& map, int32_t& stampCount,
                                 std::string& err);
  // One stamp of the current brush at (x, y) across `direction` (0 right,
  // counter-clockwise on the screen to 7 down-right).
  bool Paint_Pencil_Kernal_8_Directions(int16_t x, int16_t y, int16_t direction, OffMap& map,
                                        std::string& err);

  // The direction history the stroke direction is estimated from.
  void Reset_Direction_History();
  void Push_Direction_History(const Pixel& pixel);
  // The direction from the oldest to the newest pixel of the history; 6
  // (down) with fewer than two pixels.
  int16_t Direction_from_History() const;

  // One cross-section of a stamp: the run of pixels across the stroke at
  // `layer` steps behind the painted point.  side[0] runs along the unit
  // step across the stroke, side[1] against it; the layer centre is
  // reported separately when it is not part of a side.
  struct CrossSection {
    Pixel side[2][kMaxSidePixels];
    int16_t count[2] = {0, 0};
    bool hasCenter = false;
    Pixel center;
  };
  // Number of pixels of the whole cross-section of a strip of height `h`
  // at `layer` (0 when there is none).
  static int16_t Cross_Section_Length(int16_t direction, int16_t height, int16_t layer);
  static void Cross_Section(int16_t x, int16_t y, int16_t direction, int16_t height, int16_t layer,
                            CrossSection& out);
  // The grey a brush value leaves: 255 - (255 - value) x 1.8, at least 0.
  static int16_t Blend_Value(int16_t brushValue);

  // ---- state ------------------------------------------------------------------------------
  ListMemry<PixelChain>& Get_Drawn_Chains() { return m_drawnChains; }
  ListMemry<PixelChain>* Get_Chains() { return m_chains; }
  const ListMemry<ForkKernal>& Get_Forks() const { return m_forks; }
  OffMap* Get_Working_Map() { return m_workingMap.get(); }
  const OffMap* Get_Source_Map() const { return m_sourceMap; }
  int32_t Get_Chain_Count() const { return m_chainCount; }
  int16_t Get_Current_Brush() const { return m_currentBrush; }
  int16_t Get_Brush_Column() const { return m_brushColumn; }
  double Get_Output_Scale() const { return m_outputScale; }
  void Set_Output_Scale(double scale) { m_outputScale = scale; }

 private:
  // The working map copied into the subtract map and its windows redrawn.
  void Show_Stage();
  // The working map (width x height) from the source: the largest of r, g,
  // b at scale 1, otherwise the bilinear luminance at (x / scale, y / scale).
  void Make_Grey_Working_Map(double scale);
  // Fails the first half: the progress box closes, null is returned.
  OffMap* Stop_Detection();

  ListMemry<PixelChain>* m_chains;
  ListMemry<PixelChain> m_drawnChains;  // owning
  ListMemry<ForkKernal> m_forks;        // owning
  int16_t m_decimationStep = kDecimationStep;
  double m_outputScale = 1.0;
  const OffMap* m_sourceMap;
  std::unique_ptr<OffMap>* m_outlineMapAddr;
  std::unique_ptr<OffMap>* m_subtractBitmapAddr;
  std::unique_ptr<OffMap> m_workingMap;
  int32_t m_chainCount = 0;
  int16_t m_brushColumn = kStartBrushColumn;
  ResourceBitmapUtility* m_brushTable;
  int16_t m_currentBrush = 0;
  Pixel m_history[kHistorySlots];
  int16_t m_historySize = kHistorySize;
  int16_t m_historyIndex = 0;

  Platform& m_platform;
  OutlineDetectorViews m_views;
};
