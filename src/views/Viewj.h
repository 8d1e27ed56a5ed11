#pragma once
// Viewj: the record of one open map window, kept in the application's
// window registry (app/WindowRegistry.h).  The record knows the window's
// configuration (code, title, view kind), owns the container pane that holds
// the window's panes, and measures, resizes and redraws the window through
// the ViewjWindow it is given.
//
// ViewjWindow: what a record asks of the platform window it describes.  The
// desktop shell implements it over its child windows; tests implement it
// over plain numbers.  Sizes are window pixels: the client area is the
// drawing area, the window size includes its frame and title.
//
// PaneViewj: the container pane of a record; its owning child list holds
// the window's panes.
//
// Painting: the window hands its record a drawing surface while it paints
// (Paint); every pane then renders its frame (memory panes fill their
// bitmaps from their artists and copy them to the window), and the selection
// frames of selected views are drawn over them.  Redraw only asks the
// window to paint.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/ListMemry.h"
#include "framework/Rects.h"
#include "views/Eventj.h"
#include "views/Pane.h"

class DrawSurface;
class MessageService;

class ViewjWindow {
 public:
  virtual ~ViewjWindow() = default;

  // The window exists on the platform (it has a handle).
  virtual bool Has_Handle() const = 0;
  // The client area, and the whole window with its frame.
  virtual void Get_Client_Size(int32_t& width, int32_t& height) const = 0;
  virtual void Get_Window_Size(int32_t& width, int32_t& height) const = 0;
  // Resizes the whole window; it neither moves nor becomes active.
  virtual void Set_Window_Size(int32_t width, int32_t height) = 0;
  // Asks the platform to paint the window soon.
  virtual void Invalidate() = 0;
  // Destroys the window; false when the platform refuses.  The window's
  // destruction takes its record out of the registry.
  virtual bool Destroy() = 0;
};

class PaneViewj : public Pane {
 public:
  PaneViewj();
  ~PaneViewj() override;

  void Update_Appearance(Pane* pane) override;
  ListMemry<ComponentView>* Get_Child_ComponentViews_List() override { return &m_panes; }
  std::unique_ptr<Iterator<ComponentView>> Get_Child_ComponentViews_Iterator() override;

  // The window's panes (owned).
  ListMemry<ComponentView>& Get_Panes() { return m_panes; }

 private:
  ListMemry<ComponentView> m_panes;  // owning
};

class Viewj {
 public:
  // The view kind of every map window.
  static constexpr int16_t kMapViewKind = 4;
  // The redraw mode of a layered window while the layered image is rebuilt.
  static constexpr int32_t kRedrawModeLayered = 118;
  // Borders assumed when the platform gives a negative measurement.
  static constexpr int32_t kDefaultBorderWidth = 12;
  static constexpr int32_t kDefaultBorderHeight = 32;
  // The margin around the picture on every side of the client area.
  static constexpr int32_t kMargin = 10;

  explicit Viewj(int32_t stereoChannel = 0);
  ~Viewj();
  Viewj(const Viewj&) = delete;
  Viewj& operator=(const Viewj&) = delete;

  // ---- the record ------------------------------------------------------------------
  ViewjWindow* Get_Window() const { return m_window; }
  void Set_Window(ViewjWindow* window) { m_window = window; }
  int32_t Get_Stereo_Channel() const { return m_stereoChannel; }
  int16_t Get_Configuration_Code() const { return m_configurationCode; }
  void Set_Configuration_Code(int16_t code) { m_configurationCode = code; }
  int16_t Get_View_Kind() const { return m_viewKind; }
  void Set_View_Kind(int16_t kind) { m_viewKind = kind; }
  bool Is_Map_Window() const { return m_mapWindow; }
  void Set_Map_Window(bool mapWindow) { m_mapWindow = mapWindow; }
  const std::string& Get_Title() const { return m_title; }
  void Set_Title(const std::string& title) { m_title = title; }
  int32_t Get_Redraw_Mode() const { return m_redrawMode; }
  void Set_Redraw_Mode(int32_t mode) { m_redrawMode = mode; }

  bool Is_Active() const { return m_active; }
  void Activate() { m_active = true; }
  void Deactivate() { m_active = false; }

  // The drawing area stored at registration and at every size change.
  int16_t Get_Drawing_Width() const { return m_drawingWidth; }
  int16_t Get_Drawing_Height() const { return m_drawingHeight; }
  void Set_Drawing_Size(int32_t width, int32_t height);

  // ---- measuring and resizing --------------------------------------------------------
  // The window's client width and height; fails with
  // " Viewj::Get_Drawing_Area_Size  failed,  m_pWindow is null." without a window.
  bool Get_Drawing_Area_Size(int32_t& width, int32_t& height, std::string& err) const;
  // The window's outer size minus its client size (12 and 32 for a measured
  // value below 0); fails with " Viewj::Get_Control_Borders_Size  failed,  m_pWindow is null."
  // without a window.
  bool Get_Control_Borders_Size(int32_t& borderWidth, int32_t& borderHeight, std::string& err) const;
  // Resizes the window so that its client area is width x height plus the
  // 10-pixel margin on every side: width + border width + 20 by height +
  // border height + 20.  Fails with "Viewj::ReSize_and_Redraw  FAILED,  m_pWindow is NULL."
  // without a window and "Viewj::ReSize_and_Redraw  FAILED,   m_hWnd is 0." for a window
  // the platform does not have.
  bool ReSize_and_Redraw(int32_t width, int32_t height, std::string& err);
  // The window changed size: the drawing area is stored and every pane
  // follows it; failures are shown.
  void Size_Changed(int32_t width, int32_t height, MessageService& messages);

  // ---- panes and drawing -----------------------------------------------------------------
  PaneViewj& Get_Container() { return m_container; }
  // The first pane of the window (null without one).
  Pane* Get_First_Pane();
  // Takes the pane into the container; the record owns it from now on.
  void Add_Pane(std::unique_ptr<Pane> pane);
  // Discards every pane.
  void Delete_Panes();
  // Asks the window to paint; without a window nothing happens.
  void Redraw();
  // The window paints on `window`: every pane renders, then the selection
  // frames of the panes' selected child views are drawn over them.
  void Paint(DrawSurface& window, MessageService& messages);
  // The surface handed in by Paint, null at all other times.
  DrawSurface* Get_Paint_Device() const { return m_paintDevice; }

  // ---- the mouse -----------------------------------------------------------------------------
  // The press remembers the point as the last and current point; a move
  // updates the current point when it differs from the last one; the
  // release ends the drag.  The editor's tools and manipulators act on these
  // events once the program has them; the record only keeps the points.
  void Mouse_Down(const Eventj& event);
  void Mouse_Move(const Eventj& event);
  void Mouse_Up(const Eventj& event);
  const PointShrt& Get_Last_Point() const { return m_lastPoint; }
  const PointShrt& Get_Current_Point() const { return m_currentPoint; }

 private:
  int32_t m_stereoChannel;
  bool m_active = true;
  int16_t m_configurationCode = -1;
  int16_t m_viewKind = kMapViewKind;
  bool m_mapWindow = false;
  ViewjWindow* m_window = nullptr;       // not owned
  DrawSurface* m_paintDevice = nullptr;  // not owned, only while painting
  std::string m_title;
  int32_t m_redrawMode = 0;
  PaneViewj m_container;
  PointShrt m_lastPoint;
  PointShrt m_currentPoint;
  int16_t m_drawingWidth = 0;
  int16_t m_drawingHeight = 0;
};
