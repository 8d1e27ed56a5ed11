#include "gui/GrafixWindowQvSep.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "app/RegionEditorApp.h"
#include "app/ShellCommands.h"
#include "gui/AppIcon.h"
#include "gui/MainFrame.h"
#include "gui/QtDrawSurface.h"
#include "regions/EditFlows.h"
#include "views/Viewj.h"

// ---------------------------------------------------------------------------
// MapCanvas

MapCanvas::MapCanvas(MainFrame& frame, QWidget* parent) : QWidget(parent), m_frame(frame) {
  setObjectName("mapCanvas");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(1, 1);
  // The arrow keys nudge the selection.
  setFocusPolicy(Qt::StrongFocus);
}

Viewj* MapCanvas::Record() const {
  return m_frame.Registry().Find_Viewj(dynamic_cast<GrafixWindowQvSep*>(parentWidget()));
}

double MapCanvas::Scale() const {
  const auto* window = dynamic_cast<const GrafixWindowQvSep*>(parentWidget());
  const double zoom = window != nullptr ? window->Zoom() : 1.0;
  return zoom / devicePixelRatioF();
}

QSize MapCanvas::Window_Pixels() const {
  const double scale = Scale();
  return QSize(static_cast<int>(std::lround(width() / scale)),
               static_cast<int>(std::lround(height() / scale)));
}

void MapCanvas::paintEvent(QPaintEvent* /*event*/) {
  const QSize pixels = Window_Pixels();
  if (pixels.isEmpty()) return;
  QImage image(pixels, QImage::Format_RGB32);
  image.fill(palette().color(QPalette::Window));
  if (Viewj* record = Record()) {
    QtDrawSurface surface(image);
    record->Paint(surface, m_frame.Get_Platform().Messages());
  }
  // One image pixel on 1 / scale toolkit units: exactly one device pixel at
  // zoom 1.  Without smoothing, enlarging repeats pixels.
  image.setDevicePixelRatio(1.0 / Scale());
  QPainter painter(this);
  painter.drawImage(QPointF(0, 0), image);
}

void MapCanvas::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (Viewj* record = Record()) {
    const QSize pixels = Window_Pixels();
    record->Size_Changed(pixels.width(), pixels.height(), m_frame.Get_Platform().Messages());
  }
}

Eventj MapCanvas::Make_Event(const QPointF& position, Qt::KeyboardModifiers modifiers) {
  const double scale = Scale();
  Eventj event;
  event.point.x = static_cast<int16_t>(std::floor(position.x() / scale));
  event.point.y = static_cast<int16_t>(std::floor(position.y() / scale));
  event.view = Record();
  event.modifiers = Modifier_Code(modifiers.testFlag(Qt::ControlModifier),
                                  modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::AltModifier));
  return event;
}

void MapCanvas::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const Eventj e = Make_Event(event->position(), event->modifiers());
  m_pressPoint = m_lastPoint = QPoint(e.point.x, e.point.y);
  m_buttonDown = true;
  if (e.view == nullptr) return;
  e.view->Mouse_Down(e);
  // The current tool selects, or starts a drag of the selection's handles.
  // The window keeps the mouse until the release (Qt grabs it for the
  // pressed widget), so every move of the drag arrives here.
  m_frame.Flows().Mouse_Down(e, e.view->Get_Container());
  update();
}

void MapCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (!m_buttonDown) return;
  const Eventj e = Make_Event(event->position(), event->modifiers());
  m_lastPoint = QPoint(e.point.x, e.point.y);
  if (e.view == nullptr) return;
  e.view->Mouse_Move(e);
  // The dragged frame follows; the paint draws it where it is now.
  m_frame.Flows().Mouse_Move(e);
  update();
}

void MapCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !m_buttonDown) return;
  m_buttonDown = false;
  const Eventj e = Make_Event(event->position(), event->modifiers());
  if (e.view == nullptr) {
    m_frame.Get_Platform().Message("GrafixListWindow::OnLButtonUp failed, could not get Viewj.");
    return;
  }
  e.view->Mouse_Up(e);
  // The drag ends at the release point.  A move or resize it made has
  // recomposed the layered image and redrawn the windows that show it.
  EditFlows& flows = m_frame.Flows();
  flows.Mouse_Move(e);
  flows.Mouse_Up(e);
  m_frame.Repaint_Map_Windows();
}

void MapCanvas::keyPressEvent(QKeyEvent* event) {
  const int step =
      event->modifiers().testFlag(Qt::ShiftModifier) ? EditFlows::kNudgeStepShift : EditFlows::kNudgeStep;
  int dx = 0, dy = 0;
  switch (event->key()) {
    case Qt::Key_Left:
      dx = -step;
      break;
    case Qt::Key_Right:
      dx = step;
      break;
    case Qt::Key_Up:
      dy = -step;
      break;
    case Qt::Key_Down:
      dy = step;
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  // Without a selection the arrows are the window's.
  if (!m_frame.Nudge_Selection(dx, dy)) QWidget::keyPressEvent(event);
}

// ---------------------------------------------------------------------------
// GrafixWindowQvSep

GrafixWindowQvSep::GrafixWindowQvSep(MainFrame& frame, int16_t code, const QString& title,
                                     MapWindowStyle style)
    : m_frame(frame), m_code(code) {
  setObjectName(QString("mapWindow%1").arg(code));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(title);
  setWindowIcon(App_Icon());
  Qt::WindowFlags flags = Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
  if (style == MapWindowStyle::Scrolling) flags |= Qt::WindowMaximizeButtonHint;
  if (style != MapWindowStyle::PlatformDefault) setWindowFlags(flags);
  m_canvas = new MapCanvas(frame, this);
  setWidget(m_canvas);
}

GrafixWindowQvSep::~GrafixWindowQvSep() {
  Leave_Registry();
}

void GrafixWindowQvSep::Leave_Registry() {
  if (m_destroyed) return;
  m_destroyed = true;
  m_frame.Registry().Window_Destroyed(this);
}

QSize GrafixWindowQvSep::Border() const {
  const QSize outer = size();
  const QSize inner = m_canvas->size();
  return outer - inner;
}

void GrafixWindowQvSep::Get_Client_Size(int32_t& width, int32_t& height) const {
  const QSize pixels = m_canvas->Window_Pixels();
  width = pixels.width();
  height = pixels.height();
}

void GrafixWindowQvSep::Get_Window_Size(int32_t& width, int32_t& height) const {
  // The client in window pixels with the frame around it as it is.
  Get_Client_Size(width, height);
  width += Border().width();
  height += Border().height();
}

void GrafixWindowQvSep::Set_Window_Size(int32_t width, int32_t height) {
  const QSize border = Border();
  const double scale = m_canvas->Scale();
  const int clientW = static_cast<int>(std::lround((width - border.width()) * scale));
  const int clientH = static_cast<int>(std::lround((height - border.height()) * scale));
  resize(clientW + border.width(), clientH + border.height());
}

void GrafixWindowQvSep::Invalidate() {
  m_canvas->update();
}

bool GrafixWindowQvSep::Destroy() {
  if (m_destroyed) return false;
  close();
  return true;
}

void GrafixWindowQvSep::closeEvent(QCloseEvent* event) {
  QMdiSubWindow::closeEvent(event);
  if (event->isAccepted()) Leave_Registry();
}

double GrafixWindowQvSep::Next_Zoom(bool in) const {
  if (in) {
    for (const double step : kZoomSteps)
      if (step > m_zoom + 1e-9) return step;
    return kZoomSteps[std::size(kZoomSteps) - 1];
  }
  for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it)
    if (*it < m_zoom - 1e-9) return *it;
  return kZoomSteps[0];
}

void GrafixWindowQvSep::Set_Zoom(double zoom) {
  m_zoom = zoom;
  Viewj* record = m_frame.Registry().Find_Viewj(this);
  if (record == nullptr) return;
  // The same window now holds other window pixels; then the window fits
  // the picture at the new zoom.
  const QSize pixels = m_canvas->Window_Pixels();
  record->Size_Changed(pixels.width(), pixels.height(), m_frame.Get_Platform().Messages());
  if (const Pane* pane = record->Get_First_Pane()) {
    std::string err;
    if (!record->ReSize_and_Redraw(pane->Get_Graphic().Get_Width(), pane->Get_Graphic().Get_Height(), err))
      m_frame.Get_Platform().Message(err);
  }
  m_canvas->update();
}
