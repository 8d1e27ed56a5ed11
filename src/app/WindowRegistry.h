#pragma once
// WindowRegistry: the program's open map windows.  One Viewj record per
// window, newest first; the registry opens windows of the six
// configurations, builds their panes, resizes, redraws and closes them, and
// is the AppWindows the application object and its controllers redraw
// through.
//
// The registry knows no toolkit: windows are made by a MapWindowFactory
// (the desktop shell's main frame, or a test's) and reached through the
// ViewjWindow interface of their records.  A window's destruction must be
// reported with Window_Destroyed, which takes its record out.
//
// Configurations (code: title, pane kind, first rectangle in the frame's
// client area as left, top, right, bottom):
//   3 "Photo"              1   30, 310,  390, 790
//   4 "Region OBJECTS"     2  970, 500, 1330, 980
//   5 "Layered"            3   10,  10,  370, 490
//   6 "SUBTRACTED Result"  4  490, 500,  850, 980
//   7 "Cur Select REGION"  5  970,  10, 1330, 490
//   8 "PreProcessing"      6  490,  10,  850, 490
// Codes 0 to 2 are the configurations of the framework's other programs:
// known, but no window of theirs can be made here.

#include <cstdint>
#include <string>

#include "framework/AppWindows.h"
#include "framework/ListMemry.h"
#include "framework/Rects.h"
#include "views/Viewj.h"

class MessageService;
class RegionListSubject;
class RenderMan;

struct WindowConfiguration {
  int16_t code;
  const char* title;
  int32_t paneKind;
  RectLong rect;  // left, top, right, bottom; the window is right - left wide
};

// The configuration of a code of this program (3 to 8); null otherwise.
const WindowConfiguration* Find_Window_Configuration(int16_t code);

// Window styles of Open_Editors_Window's style selector.
enum class MapWindowStyle {
  Plain,            // 0: caption, system menu, sizing border, minimise box
  Scrolling,        // 1: the same with scroll bars and a maximise box
  PlatformDefault,  // any other selector
};

class MapWindowFactory {
 public:
  virtual ~MapWindowFactory() = default;
  // A new child window of the main frame for configuration `code`, with
  // the title, the style and the rectangle given; null with `err` set when
  // it cannot be made.  The window belongs to the platform; the registry
  // only keeps its address until Window_Destroyed.
  virtual ViewjWindow* Create_Map_Window(int16_t code, const std::string& title, MapWindowStyle style,
                                         const RectLong& rect, std::string& err) = 0;
};

class WindowRegistry : public AppWindows {
 public:
  // The drawing size of a pane when there is no source map.
  static constexpr int32_t kEmptyPaneSide = 50;
  // The pane zoom and sub-pixel count of the map panes.
  static constexpr int32_t kPaneZoom = 4;
  static constexpr int32_t kPaneSubPixels = 256 / 10;

  WindowRegistry(RenderMan& renderMan, RegionListSubject& regionList, MessageService& messages);
  ~WindowRegistry() override;
  WindowRegistry(const WindowRegistry&) = delete;
  WindowRegistry& operator=(const WindowRegistry&) = delete;

  // Who makes the windows (not owned); without one no window can open.
  void Set_Factory(MapWindowFactory* factory) { m_factory = factory; }

  // ---- opening ------------------------------------------------------------------------
  // Opens one new window of `code`: makes it (Open_UniWindow), then builds its
  // pane (ReBuild_Viewjs_Panes).  A window whose pane fails stays open.
  // "UniEditorApp::Open_Editors_Window  failed,  unknown configurationCode."
  // for a code the program does not know.
  bool Open_Editors_Window(int16_t code, int32_t styleSelector, std::string& err);
  // Makes the window and its record and registers it.
  bool Open_UniWindow(int16_t code, MapWindowStyle style, const RectLong& rect, Viewj*& record,
                      std::string& err);
  // Adds the record of `window` at the head of the registry and makes it
  // the only active record; the drawing area is measured from the window.
  bool Register_Viewj_Simple(ViewjWindow* window, Viewj* record, std::string& err);
  // A new window of `code`; a failure is shown.
  bool Open_New_Window_of_Code(int16_t code);
  // A new window when `force` is set or none of `code` is open; then, when
  // there is a source map, the windows of `code` take its size.  Failures
  // are shown.
  bool Open_Window_of_Code(int16_t code, bool force);

  // ---- panes ----------------------------------------------------------------------------
  // The record's panes are discarded and the one pane of its code is built.
  bool ReBuild_Viewjs_Panes(Viewj* record, std::string& err);
  // ReBuild_Viewjs_Panes of every record; the first failure stops.
  bool ReBuild_All_Viewjs_Panes(std::string& err);
  // Builds one pane of `kind` (1 to 6) for the record: the size of the
  // source map (50 x 50 without one; the region list's canvas when it holds
  // regions) at a 10-pixel margin, with a frame artist over the render
  // manager's maps and a white bitmap of that size.
  bool Add_Pane_ObjectDraw(Viewj* record, int32_t kind, std::string& err);

  // ---- records ----------------------------------------------------------------------------
  ListMemry<Viewj>& Get_Viewjs() { return m_viewjs; }
  int32_t Count_Viewjs() const { return m_viewjs.Get_Count(); }
  // The record of a window; null when it has none.
  Viewj* Find_Viewj(const ViewjWindow* window) const;
  Viewj* Get_Active_Viewj() const;
  // The window became active: its record is the only active one (null:
  // none is).
  void Activate_Viewj(Viewj* record);
  // The platform destroyed `window`: its record discards its panes and
  // leaves the registry.
  void Window_Destroyed(ViewjWindow* window);

  // ---- closing ------------------------------------------------------------------------------
  // "UniEditorApp::Close_Window  failed,  window was null." and
  // "UniEditorApp::Close_Window  failed,  DestroyWindow()." on failure.
  bool Close_Window(ViewjWindow* window, std::string& err);
  // Every window of `code`; "UniEditorApp::Close_Special_Viewjs  failed,  Viewj had null pWindow."
  // for a record without a window.
  bool Close_Special_Viewjs(int16_t code, std::string& err);
  // Closes the first window until none is left; each failure is shown and
  // its record dropped, so that a window that refuses cannot stop the rest.
  void Close_All_Windows();

  // ---- selection ----------------------------------------------------------------------------
  // A click at window point (x, y) of a "Region OBJECTS" window: the region
  // view under it (the first in list order) becomes the only selected view,
  // with its move and resize handles; a click beside every region selects
  // none.  The window is redrawn.  The selected view, or null (always null
  // for a window of another configuration).
  ComponentView* Select_At_Point(Viewj* record, int16_t x, int16_t y);
  // The selected region views of every window.
  int32_t Count_Selected() const;

  // ---- AppWindows ---------------------------------------------------------------------------
  // No view of any window stays selected.
  void Clear_Selection() override;
  // Code 5 records carry redraw mode 118 while they are asked.
  void Redraw_Viewjs_of_Code(int16_t code) override;
  void Redraw_All_Viewjs() override;
  int32_t Count_Viewjs_of_Code(int16_t code) const override;
  bool ReCreate_Child_ComponentViews_AllViewjs(std::string& err) override;
  bool ReSize_All_Viewjs(int32_t width, int32_t height, std::string& err) override;
  bool ReSize_Viewjs_of_Code(int32_t width, int32_t height, int16_t code, std::string& err) override;

 private:
  // The drawing size of a new pane.
  void Pane_Drawing_Size(int32_t& width, int32_t& height);
  // Fresh region views for every list pane of the record.
  bool ReCreate_Child_Views(Viewj& record, std::string& err);

  RenderMan& m_renderMan;
  RegionListSubject& m_regionList;
  MessageService& m_messages;
  MapWindowFactory* m_factory = nullptr;
  ListMemry<Viewj> m_viewjs;  // owning, newest first
};
