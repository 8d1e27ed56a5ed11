#pragma once
// GrafixWindowQvSep: a map window of the main frame (one of the six
// configurations of app/WindowRegistry.h).  It is a multiple-document child
// window whose client area, a MapCanvas, paints what the window's Viewj
// record draws: the panes with their maps and the selection frames.
//
// The mouse goes through the main frame's edit flows (regions/EditFlows.h)
// and so through the editor's current tool: a click selects, a drag of the
// selection's handles moves or resizes the selected regions.  The arrow
// keys nudge the selection (Shift: farther).
//
// Window pixels.  The record measures and resizes the window in the
// engine's window pixels: one pixel of a map is one window pixel.  At the
// actual size (zoom 1) a window pixel is one device pixel of the screen,
// whatever the screen's scale factor, so a picture is never blurred by
// scaling; zoomed, each map pixel becomes zoom x zoom device pixels (nearest
// neighbour, for inspecting pixels).  The frame and title are measured in
// the toolkit's own units and kept as they are.

#include <QMdiSubWindow>
#include <QPoint>
#include <QWidget>

#include "app/WindowRegistry.h"

class MainFrame;
class Viewj;

class MapCanvas : public QWidget {
  Q_OBJECT

 public:
  MapCanvas(MainFrame& frame, QWidget* parent);

  // The window's record; null once the window has left the registry.
  Viewj* Record() const;
  // Toolkit units per window pixel.
  double Scale() const;
  // The client area in window pixels.
  QSize Window_Pixels() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // The mouse position in window pixels, and the modifier code.
  Eventj Make_Event(const QPointF& position, Qt::KeyboardModifiers modifiers);

  MainFrame& m_frame;
  bool m_buttonDown = false;
  QPoint m_pressPoint;
  QPoint m_lastPoint;
};

class GrafixWindowQvSep : public QMdiSubWindow, public ViewjWindow {
  Q_OBJECT

 public:
  // Zoom steps of View > Zoom In and Zoom Out.
  static constexpr double kZoomSteps[] = {0.25, 0.5, 1, 2, 3, 4, 6, 8};

  GrafixWindowQvSep(MainFrame& frame, int16_t code, const QString& title, MapWindowStyle style);
  ~GrafixWindowQvSep() override;

  int16_t Get_Configuration_Code() const { return m_code; }
  MapCanvas* Canvas() const { return m_canvas; }
  double Zoom() const { return m_zoom; }
  // Shows the picture `zoom` times enlarged and fits the window to it.
  void Set_Zoom(double zoom);
  // The next step up or down from the current zoom (the same at the ends).
  double Next_Zoom(bool in) const;
  // The frame has given the window its place (WindowLayout); until then it
  // stands at its configuration's first corner.
  bool Is_Placed() const { return m_placed; }
  void Set_Placed() { m_placed = true; }

  // ---- ViewjWindow ----------------------------------------------------------------------
  bool Has_Handle() const override { return !m_destroyed; }
  void Get_Client_Size(int32_t& width, int32_t& height) const override;
  void Get_Window_Size(int32_t& width, int32_t& height) const override;
  void Set_Window_Size(int32_t width, int32_t height) override;
  void Invalidate() override;
  bool Destroy() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The frame and title around the canvas, in toolkit units.
  QSize Border() const;
  // The window leaves the registry (once).
  void Leave_Registry();

  MainFrame& m_frame;
  int16_t m_code;
  MapCanvas* m_canvas;
  double m_zoom = 1;
  bool m_destroyed = false;
  bool m_placed = false;
};
