#pragma once
// RegionsListView: the pane that shows the region list (the "Region
// OBJECTS" window).  It holds one RegionView per region and renders itself
// into its memory bitmap: white, then (with draw code 3) the map its frame
// artist gives for the pane kind, then every region view in list order.
//
// The draw code is the configuration code of the window the pane sits in;
// the region views draw by it (RegionView.h).  With draw code 4 the pane
// shows sub-regions only, and a pane parameter of 1 or more narrows the
// drawing to the regions of separation (parameter - 1).

#include <cstdint>

#include "framework/WindowCodes.h"
#include "views/ListComponentView.h"

class MessageService;
class RegionView;

class RegionsListView : public ListComponentView {
 public:
  // The draw code that blits the artist's map under the regions.
  static constexpr int32_t kDrawCodeWithMap = 3;

  explicit RegionsListView(MessageService& messages);
  ~RegionsListView() override;

  int32_t Get_Draw_Code() const { return m_drawCode; }
  void Set_Draw_Code(int32_t code) { m_drawCode = code; }
  int32_t Get_Pane_Parameter() const { return m_paneParameter; }
  void Set_Pane_Parameter(int32_t parameter) { m_paneParameter = parameter; }

  // Renders the memory bitmap afresh (the window copy follows at its repaint).
  void Update_Appearance(Pane* pane) override;
  // The first region view, in list order, whose rectangle holds the point,
  // among those the pane draws (with a pane parameter of 1 or more only
  // that separation's); null when the point is on none.  Unlike a plain
  // list view, the pane itself is never the answer: a press on the picture
  // between the regions hits nothing.
  ComponentView* Find_ComponentView_at_Point(const Eventj& event) override;

 protected:
  const char* View_Class_Name() const override { return "RegionsListView"; }
  // A region view for every region of the list (sub-regions only with draw
  // code 4).
  bool Wants_Child_View(ComponentSubject& child) override;
  // The artist's map with draw code 3 only, then the region views in list
  // order by the draw code.
  void Draw_Frame(FrameArtist& artist, DrawSurface& memory, MessageService& messages) override;

 private:
  // Whether the pane draws the view's region.
  bool Draws(const RegionView& view) const;

  MessageService& m_messages;
  int32_t m_drawCode = kWindowRegionObjects;
  int32_t m_paneParameter = 0;
};
