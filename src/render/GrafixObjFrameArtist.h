#pragma once
// GrafixObjFrameArtist: the frame artist of every map pane.  It holds no
// maps, only the addresses of the render manager's map members, so a map
// the render manager replaces (a new photo, a new image size, a new filter
// result) shows at the next redraw without the artist being told.
//
// Pane kinds and the maps they show:
//   1 "Photo"              the source map
//   2 "Region OBJECTS"     none: the region views draw themselves
//   3 "Layered"            the layered map
//   4 "SUBTRACTED Result"  the subtract map
//   5 "Cur Select REGION"  the current separation map (no member is ever
//                          given for it, so the pane stays white)
//   6 "PreProcessing"      the displayed pre-processed map (with the outline)
// A map that does not exist yet is an ordinary state: Get_OffMap explains it
// in its error text, which panes drop.

#include <cstdint>
#include <memory>
#include <string>

#include "views/FrameArtist.h"

class OffMap;
class RenderMan;

class GrafixObjFrameArtist : public FrameArtist {
 public:
  // A render manager member that holds a map (or none).
  using MapSlot = std::unique_ptr<OffMap>;

  // Pane kinds.
  static constexpr int32_t kKindSource = 1;
  static constexpr int32_t kKindRegionList = 2;
  static constexpr int32_t kKindLayered = 3;
  static constexpr int32_t kKindSubtract = 4;
  static constexpr int32_t kKindCurrentSeparation = 5;
  static constexpr int32_t kKindFiltered = 6;

  // Any address may be null ("was not assigned").
  GrafixObjFrameArtist(const MapSlot* source, const MapSlot* subtract, const MapSlot* layered,
                       const MapSlot* filters, const MapSlot* currentSeparation = nullptr);
  // An artist over the render manager's source, subtract, layered and
  // displayed filter maps, with no current separation map.
  static std::unique_ptr<GrafixObjFrameArtist> For_RenderMan(RenderMan& renderMan);

  // The map of the kind, or null with the reason in `err` (empty for kind 2).
  OffMap* Get_OffMap(int32_t kind, std::string& err) override;
  // Copies the source rectangle of the map into the destination rectangle
  // of the drawing target, scaled when they differ.  A map without pixels
  // or of a depth other than 1, 8 and 24 is skipped silently.
  void Render_Frame(const RectShrt& src, const RectShrt& dst, const OffMap* map) override;

 private:
  const MapSlot* m_sourceMapAddr;
  const MapSlot* m_subtractMapAddr;
  const MapSlot* m_layeredMapAddr;
  const MapSlot* m_filtersMapAddr;
  const MapSlot* m_currentSepartionMapAddr;
};
