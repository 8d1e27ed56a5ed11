#include "app/WindowRegistry.h"

#include <vector>

#include "platform/PlatformServices.h"
#include "regions/RegionListSubject.h"
#include "regions/RegionView.h"
#include "regions/RegionsListView.h"
#include "render/GrafixObjFrameArtist.h"
#include "render/RenderMan.h"
#include "views/OffmapPane.h"

namespace {

constexpr WindowConfiguration kConfigurations[] = {
    {3, "Photo", 1, {{}, 30, 310, 390, 790}},
    {4, "Region OBJECTS", 2, {{}, 970, 500, 1330, 980}},
    {5, "Layered", 3, {{}, 10, 10, 370, 490}},
    {6, "SUBTRACTED Result", 4, {{}, 490, 500, 850, 980}},
    {7, "Cur Select REGION", 5, {{}, 970, 10, 1330, 490}},
    {8, "PreProcessing", 6, {{}, 490, 10, 850, 490}},
};

// The framework's own configurations, of its other programs.
bool Is_Framework_Code(int16_t code) {
  return code >= 0 && code <= 2;
}

MapWindowStyle Style_of_Selector(int32_t selector) {
  if (selector == 0) return MapWindowStyle::Plain;
  if (selector == 1) return MapWindowStyle::Scrolling;
  return MapWindowStyle::PlatformDefault;
}

}  // namespace

const WindowConfiguration* Find_Window_Configuration(int16_t code) {
  for (const WindowConfiguration& c : kConfigurations)
    if (c.code == code) return &c;
  return nullptr;
}

WindowRegistry::WindowRegistry(RenderMan& renderMan, RegionListSubject& regionList, MessageService& messages)
    : m_renderMan(renderMan), m_regionList(regionList), m_messages(messages) {}

WindowRegistry::~WindowRegistry() {
  // Records outliving their windows (the platform tore them down without
  // telling) must not leave panes attached to the region list.
  for (ListLink<Viewj>* link = m_viewjs.Get_Head_Link(); link != nullptr; link = link->Get_Next())
    link->Get_Object()->Delete_Panes();
}

// ---------------------------------------------------------------------------
// Opening

bool WindowRegistry::Open_Editors_Window(int16_t code, int32_t styleSelector, std::string& err) {
  err.clear();
  const MapWindowStyle style = Style_of_Selector(styleSelector);
  const WindowConfiguration* configuration = Find_Window_Configuration(code);
  RectLong rect;
  if (configuration != nullptr) {
    rect = configuration->rect;
  } else if (Is_Framework_Code(code)) {
    rect = kConfigurations[2].rect;
  } else {
    err = "UniEditorApp::Open_Editors_Window  failed,  unknown configurationCode.";
    return false;
  }
  Viewj* record = nullptr;
  if (!Open_UniWindow(code, style, rect, record, err)) return false;
  return ReBuild_Viewjs_Panes(record, err);
}

bool WindowRegistry::Open_UniWindow(int16_t code, MapWindowStyle style, const RectLong& rect, Viewj*& record,
                                    std::string& err) {
  err.clear();
  record = nullptr;
  const WindowConfiguration* configuration = Find_Window_Configuration(code);
  if (configuration == nullptr) {
    err = "Open_SPitchList_Window_GLB() is not implemented yet.";
    return false;
  }
  if (m_factory == nullptr) {
    err = "Open_Grafix_Window_QvSep_GLB  FAILED :  Create_Mod.";
    return false;
  }
  ViewjWindow* window = m_factory->Create_Map_Window(code, configuration->title, style, rect, err);
  if (window == nullptr) return false;
  // Every map window makes sure the outline's brushes are there for the
  // dialogs that draw with them; the window opens either way.
  std::string brushErr;
  if (!m_renderMan.Load_Pencil_Brushes(brushErr)) m_messages.Message_Box(brushErr);
  auto* made = new Viewj(0);
  if (!Register_Viewj_Simple(window, made, err)) {
    delete made;
    window->Destroy();
    return false;
  }
  made->Set_Title(configuration->title);
  made->Set_Configuration_Code(code);
  made->Set_View_Kind(Viewj::kMapViewKind);
  made->Set_Map_Window(true);
  record = made;
  return true;
}

bool WindowRegistry::Register_Viewj_Simple(ViewjWindow* window, Viewj* record, std::string& err) {
  err.clear();
  if (window == nullptr) {
    err = "UniEditorApp::Register_Viewj_Simple() failed,  NULL  windAddress.";
    return false;
  }
  if (record == nullptr) {
    err = "UniEditorApp::Register_Viewj_Simple() failed,  NULL  Viewj.";
    return false;
  }
  record->Set_Window(window);
  int32_t width = 0, height = 0;
  if (!record->Get_Drawing_Area_Size(width, height, err)) return false;
  record->Set_Drawing_Size(width, height);
  m_viewjs.Add_To_Head(record);
  Activate_Viewj(record);
  return true;
}

bool WindowRegistry::Open_New_Window_of_Code(int16_t code) {
  std::string err;
  if (Open_Editors_Window(code, 0, err)) return true;
  m_messages.Message_Box(err);
  return false;
}

bool WindowRegistry::Open_Window_of_Code(int16_t code, bool force) {
  bool ok = true;
  if (force || Count_Viewjs_of_Code(code) == 0) ok = Open_New_Window_of_Code(code);
  if (m_renderMan.Get_Source_Map() != nullptr) {
    std::string err;
    if (!ReSize_Viewjs_of_Code(m_renderMan.Get_Source_Map()->Get_Width(),
                               m_renderMan.Get_Source_Map()->Get_Height(), code, err)) {
      m_messages.Message_Box(err);
      return false;
    }
  }
  return ok;
}

// ---------------------------------------------------------------------------
// Panes

bool WindowRegistry::ReBuild_Viewjs_Panes(Viewj* record, std::string& err) {
  err.clear();
  if (record == nullptr) {
    err = "GrafixWindowQvSep::ReBuild_Viewjs_Panes  failed,  Viewj is null.";
    return false;
  }
  if (record->Get_View_Kind() != Viewj::kMapViewKind) {
    err = "GrafixWindowQvSep::ReBuild_Viewjs_Panes  failed,  unknown Viewj type.";
    return false;
  }
  record->Delete_Panes();
  const WindowConfiguration* configuration = Find_Window_Configuration(record->Get_Configuration_Code());
  const int32_t kind = configuration != nullptr ? configuration->paneKind : -1;
  return Add_Pane_ObjectDraw(record, kind, err);
}

bool WindowRegistry::ReBuild_All_Viewjs_Panes(std::string& err) {
  err.clear();
  for (ListLink<Viewj>* link = m_viewjs.Get_Head_Link(); link != nullptr; link = link->Get_Next()) {
    if (!ReBuild_Viewjs_Panes(link->Get_Object(), err)) return false;
    link->Get_Object()->Redraw();
  }
  return true;
}

void WindowRegistry::Pane_Drawing_Size(int32_t& width, int32_t& height) {
  width = height = kEmptyPaneSide;
  if (m_renderMan.Get_Source_Map() != nullptr) {
    width = m_renderMan.Get_Source_Map()->Get_Width();
    height = m_renderMan.Get_Source_Map()->Get_Height();
  }
  if (!m_regionList.Has_Regions()) return;
  int32_t canvasW = -1, canvasH = -1;
  std::string err;
  if (m_regionList.Get_Original_Canvas_Size(canvasW, canvasH, err)) {
    width = canvasW;
    height = canvasH;
  } else {
    m_messages.Message_Box(err);
  }
}

bool WindowRegistry::Add_Pane_ObjectDraw(Viewj* record, int32_t kind, std::string& err) {
  err.clear();
  if (record == nullptr) {
    err = "GrafixWindowQvSep::Add_Pane_ObjectDraw  failed,  Viewj is null.";
    return false;
  }
  int32_t width = 0, height = 0;
  Pane_Drawing_Size(width, height);

  std::unique_ptr<PaneMemory> pane;
  RegionsListView* listView = nullptr;
  switch (kind) {
    case GrafixObjFrameArtist::kKindSource:
    case GrafixObjFrameArtist::kKindLayered:
    case GrafixObjFrameArtist::kKindSubtract:
    case GrafixObjFrameArtist::kKindCurrentSeparation:
    case GrafixObjFrameArtist::kKindFiltered:
      pane = std::make_unique<OffmapPane>();
      break;
    case GrafixObjFrameArtist::kKindRegionList: {
      auto view = std::make_unique<RegionsListView>(m_messages);
      // The regions are shown as they are painted: each region's picture in
      // its frame, white left out, on the pane's white ground.
      view->Set_Draw_Code(RegionView::kDrawMaps);
      listView = view.get();
      pane = std::move(view);
      break;
    }
    default:
      err = "GrafixWindowQvSep::Add_Pane_ObjectDraw  failed,   attachment to Subject.";
      return false;
  }
  pane->Set_Pane_Kind(kind);
  PaneLayout layout;
  layout.leftEdge = Viewj::kMargin;
  layout.topEdge = Viewj::kMargin;
  layout.rightEdge = static_cast<int16_t>(width + Viewj::kMargin - 1);
  layout.bottomEdge = static_cast<int16_t>(height + Viewj::kMargin - 1);
  pane->Set_Layout(layout);
  pane->Set_Zoom(kPaneZoom, kPaneZoom);
  pane->Set_SubPixels(kPaneSubPixels);
  if (!pane->Pane::Update_Size_to_Window(record->Get_Drawing_Width(), record->Get_Drawing_Height(), err))
    return false;

  pane->Set_FrameArtist(GrafixObjFrameArtist::For_RenderMan(m_renderMan));
  if (!pane->Make_Bitmap(width, height, err)) {
    err = "GrafixWindowQvSep::Add_Pane_ObjectDraw  failed,  could NOT  Initialize_Bitmap.";
    return false;
  }
  pane->Get_FrameArtist()->Erase_Background(255);

  if (listView != nullptr) {
    m_regionList.Attach_ComponentView(listView);
    if (!listView->Create_Child_ComponentViews(listView, err)) return false;
    for (ListLink<ComponentView>* link = listView->Get_Child_ComponentViews_List()->Get_Head_Link();
         link != nullptr; link = link->Get_Next())
      link->Get_Object()->Update_Size(listView);
  }
  record->Add_Pane(std::move(pane));
  return true;
}

// ---------------------------------------------------------------------------
// Records

Viewj* WindowRegistry::Find_Viewj(const ViewjWindow* window) const {
  if (window == nullptr) return nullptr;
  for (const ListLink<Viewj>* link = m_viewjs.Get_Head_Link(); link != nullptr; link = link->Get_Next())
    if (link->Get_Object()->Get_Window() == window) return link->Get_Object();
  return nullptr;
}

Viewj* WindowRegistry::Get_Active_Viewj() const {
  for (const ListLink<Viewj>* link = m_viewjs.Get_Head_Link(); link != nullptr; link = link->Get_Next())
    if (link->Get_Object()->Is_Active()) return link->Get_Object();
  return nullptr;
}

void WindowRegistry::Activate_Viewj(Viewj* record) {
  for (ListLink<Viewj>* link = m_viewjs.Get_Head_Link(); link != nullptr; link = link->Get_Next())
    link->Get_Object()->Deactivate();
  if (record != nullptr) record->Activate();
}

void WindowRegistry::Window_Destroyed(ViewjWindow* window) {
  Viewj* record = Find_Viewj(window);
  if (record == nullptr) return;
  record->Delete_Panes();
  record->Set_Window(nullptr);
  m_viewjs.Remove_Object(record);
}

// ---------------------------------------------------------------------------
// Closing

bool WindowRegistry::Close_Window(ViewjWindow* window, std::string& err) {
  err.clear();
  if (window == nullptr) {
    err = "UniEditorApp::Close_Window  failed,  window was null.";
    return false;
  }
  if (!window->Destroy()) {
    err = "UniEditorApp::Close_Window  failed,  DestroyWindow().";
    return false;
  }
  return true;
}

bool WindowRegistry::Close_Special_Viewjs(int16_t code, std::string& err) {
  err.clear();
  std::vector<ViewjWindow*> windows;
  for (ListLink<Viewj>* link = m_viewjs.Get_Head_Link(); link != nullptr; link = link->Get_Next()) {
    Viewj* record = link->Get_Object();
    if (record->Get_Configuration_Code() != code) continue;
    if (record->Get_Window() == nullptr) {
      err = "UniEditorApp::Close_Special_Viewjs  failed,  Viewj had null pWindow.";
      return false;
    }
    windows.push_back(record->Get_Window());
  }
  for (ViewjWindow* window : windows)
    if (!Close_Window(window, err)) return false;
  return true;
}

void WindowRegistry::Close_All_Windows() {
  while (Viewj* first = m_viewjs.Get_First()) {
    std::string err;
    if (Close_Window(first->Get_Window(), err) && m_viewjs.Get_First() != first) continue;
    if (err.empty()) err = "UniEditorApp::Close_Window  failed,  DestroyWindow().";
    m_messages.Message_Box(err);
    first->Delete_Panes();
    m_viewjs.Remove_Object(first);
  }
}

// ---------------------------------------------------------------------------
// Selection

namespace {

// Every region view of the record's list panes.
template <typename Visit>
void For_Each_Child_View(Viewj& record, Visit visit) {
  for (ListLink<ComponentView>* pane = record.Get_Container().Get_Panes().Get_Head_Link(); pane != nullptr;
       pane = pane->Get_Next()) {
    ListComponentView* listView = pane->Get_Object()->Get_ListComponentView();
    if (listView == nullptr) continue;
    for (ListLink<ComponentView>* child = listView->Get_Child_ComponentViews_List()->Get_Head_Link();
         child != nullptr; child = child->Get_Next())
      visit(*listView, *child->Get_Object());
  }
}

}  // namespace

ComponentView* WindowRegistry::Select_At_Point(Viewj* record, int16_t x, int16_t y) {
  if (record == nullptr || record->Get_Configuration_Code() != kWindowRegionObjects) return nullptr;
  Clear_Selection();
  Eventj event;
  event.point.x = x;
  event.point.y = y;
  event.view = record;
  ComponentView* hit = nullptr;
  for (ListLink<ComponentView>* pane = record->Get_Container().Get_Panes().Get_Head_Link();
       pane != nullptr && hit == nullptr; pane = pane->Get_Next()) {
    ListComponentView* listView = pane->Get_Object()->Get_ListComponentView();
    if (listView == nullptr) continue;
    ComponentView* found = listView->Find_ComponentView_at_Point(event);
    if (found != nullptr && found != listView) hit = found;
  }
  if (hit != nullptr) {
    Manipulatorj* manipulator = nullptr;
    std::string err;
    // Drawn with the window's next paint.
    hit->Create_HandleFrame(event, manipulator, m_messages, err);
  }
  record->Redraw();
  return hit;
}

int32_t WindowRegistry::Count_Selected() const {
  int32_t count = 0;
  for (ListLink<Viewj>* link = m_viewjs.Get_Head_Link(); link != nullptr; link = link->Get_Next())
    For_Each_Child_View(*link->Get_Object(), [&count](ListComponentView&, ComponentView& view) {
      count += view.Get_HandleFrame() != nullptr ? 1 : 0;
    });
  return count;
}

void WindowRegistry::Clear_Selection() {
  for (ListLink<Viewj>* link = m_viewjs.Get_Head_Link(); link != nullptr; link = link->Get_Next()) {
    bool had = false;
    For_Each_Child_View(*link->Get_Object(), [&had](ListComponentView&, ComponentView& view) {
      if (view.Get_HandleFrame() == nullptr) return;
      view.Delete_HandleFrame(nullptr);
      had = true;
    });
    if (had) link->Get_Object()->Redraw();
  }
}

// ---------------------------------------------------------------------------
// AppWindows

void WindowRegistry::Redraw_Viewjs_of_Code(int16_t code) {
  for (ListLink<Viewj>* link = m_viewjs.Get_Head_Link(); link != nullptr; link = link->Get_Next()) {
    Viewj* record = link->Get_Object();
    if (record->Get_Configuration_Code() != code) continue;
    if (code == kWindowLayered) record->Set_Redraw_Mode(Viewj::kRedrawModeLayered);
    record->Redraw();
    record->Set_Redraw_Mode(0);
  }
}

void WindowRegistry::Redraw_All_Viewjs() {
  for (ListLink<Viewj>* link = m_viewjs.Get_Head_Link(); link != nullptr; link = link->Get_Next())
    link->Get_Object()->Redraw();
}

int32_t WindowRegistry::Count_Viewjs_of_Code(int16_t code) const {
  int32_t count = 0;
  for (const ListLink<Viewj>* link = m_viewjs.Get_Head_Link(); link != nullptr; link = link->Get_Next())
    count += link->Get_Object()->Get_Configuration_Code() == code ? 1 : 0;
  return count;
}

bool WindowRegistry::ReCreate_Child_Views(Viewj& record, std::string& err) {
  for (ListLink<ComponentView>* link = record.Get_Container().Get_Panes().Get_Head_Link(); link != nullptr;
       link = link->Get_Next()) {
    ListComponentView* listView = link->Get_Object()->Get_ListComponentView();
    if (listView == nullptr) continue;
    listView->Detach_All_Child_ComponentViews();
    listView->Get_Child_ComponentViews_List()->Delete_All();
    if (!listView->Create_Child_ComponentViews(listView, err)) return false;
    for (ListLink<ComponentView>* child = listView->Get_Child_ComponentViews_List()->Get_Head_Link();
         child != nullptr; child = child->Get_Next())
      child->Get_Object()->Update_Size(listView);
  }
  record.Redraw();
  return true;
}

bool WindowRegistry::ReCreate_Child_ComponentViews_AllViewjs(std::string& err) {
  err.clear();
  for (ListLink<Viewj>* link = m_viewjs.Get_Head_Link(); link != nullptr; link = link->Get_Next())
    if (!ReCreate_Child_Views(*link->Get_Object(), err)) return false;
  return true;
}

bool WindowRegistry::ReSize_All_Viewjs(int32_t width, int32_t height, std::string& err) {
  err.clear();
  for (ListLink<Viewj>* link = m_viewjs.Get_Head_Link(); link != nullptr; link = link->Get_Next())
    if (!link->Get_Object()->ReSize_and_Redraw(width, height, err)) return false;
  return true;
}

bool WindowRegistry::ReSize_Viewjs_of_Code(int32_t width, int32_t height, int16_t code, std::string& err) {
  err.clear();
  for (ListLink<Viewj>* link = m_viewjs.Get_Head_Link(); link != nullptr; link = link->Get_Next()) {
    Viewj* record = link->Get_Object();
    if (record->Get_Configuration_Code() == code && !record->ReSize_and_Redraw(width, height, err))
      return false;
  }
  return true;
}
