#pragma once
// MainFrame: the program's main window, a multiple-document frame.  Its
// client area is a QMdiArea holding the map windows (GrafixWindowQvSep);
// its menu bar shows menu 128 while no map window is current and menu 313
// while one is; its status bar has the message pane and the CAP, NUM and
// SCRL indicators.
//
// The frame only binds: every menu item calls a ShellCommands operation,
// which does the work and shows the program's messages through the
// platform.  The frame is also the registry's MapWindowFactory, keeps the
// list of recent files and its own geometry in the settings, takes photos
// and lists dropped on it, and asks before unsaved work is lost when it
// closes.
//
// Command ids.  The items of the two menus carry the program's command ids
// (QAction::data()); items with the same text in both menus are two actions
// with the same handler.  Actions are named "menu<resource>_<id>" for tests.

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>

#include "app/WindowRegistry.h"

class ComponentView;
class EditFlows;
class EditUndoStack;
class GrafixWindowQvSep;
class HelpWindow;
class Platform;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class RegionEditorApp;
class ShellCommands;

// The command ids of the menus.
enum CommandId : int {
  // Menu 128, the frame's.
  kCmdFrameLoadSourcePhoto = 32776,
  kCmdFrameLoadRegionList = 32785,
  kCmdFrameOpenPhotoWindow = 32771,
  kCmdFrameOpenLayersWindow = 32807,
  // Menu 313, the map windows'.
  kCmdLoadSourcePhoto = 32792,
  kCmdLoadRegionList = 32793,
  kCmdSaveLayeredBitmap = 32801,
  kCmdOpenPhotoWindow = 32796,
  kCmdOpenPreProcessingWindow = 32791,
  kCmdOpenLayersWindow = 32794,
  kCmdFitWindowToImage = 32803,
  kCmdImageSize = 32787,
  kCmdCreateOutline = 32800,
  kCmdCreateSeparations = 32789,
  kCmdModifyColors = 32802,
  // The frame's standard commands, in both menus.
  kCmdSaveRegionList = 57603,
  kCmdSaveRegionListAs = 57604,
  kCmdAbout = 57664,
  kCmdExit = 57665,
  kCmdHelpTopics = 57667,
  // The map windows' view and layer commands beyond those above.
  kCmdZoomIn = 33001,
  kCmdZoomOut = 33002,
  kCmdActualSize = 33003,
  kCmdPaintWithTextures = 33004,
  kCmdOpenRegionObjectsWindow = 33005,
  kCmdOpenSubtractedWindow = 33006,
  kCmdExport = 33007,
  // The map windows' Edit menu.
  kCmdUndo = 33010,
  kCmdRedo = 33011,
  kCmdCut = 33012,
  kCmdCopy = 33013,
  kCmdPaste = 33014,
  kCmdDelete = 33015,
  kCmdSelectAll = 33016,
  // The tool bar's tools: the first is the select tool's, then mover,
  // colour and size in the editor's order.
  kCmdToolFirst = 33020,
};

class MainFrame : public QMainWindow, public MapWindowFactory {
  Q_OBJECT

 public:
  static constexpr int kFrameMenu = 128;
  static constexpr int kChildMenu = 313;
  static constexpr int kMaxRecentFiles = 8;

  MainFrame(RegionEditorApp& app, WindowRegistry& registry, ShellCommands& commands);
  ~MainFrame() override;

  RegionEditorApp& App() { return m_app; }
  WindowRegistry& Registry() { return m_registry; }
  ShellCommands& Commands() { return m_commands; }
  Platform& Get_Platform();

  // The action of command `id` in menu `menu` (128 or 313); null when that
  // menu has no such item.
  QAction* Action(int menu, int id) const;
  // The menu the menu bar shows now.
  int Current_Menu() const { return m_currentMenu; }
  QMdiArea* Mdi_Area() const { return m_mdiArea; }
  // The current map window (the active one, or the last active while the
  // frame itself is not active); null when there is none.
  GrafixWindowQvSep* Current_Map_Window() const;
  // Every map window, in the order they were opened.
  QList<GrafixWindowQvSep*> Map_Windows() const;

  // ---- editing ---------------------------------------------------------------------------
  // The edit flows over the region list, recording into the undo stack.
  EditFlows& Flows() { return *m_flows; }
  EditUndoStack& Undo_Stack() { return *m_undo; }
  QToolBar* Tool_Bar() const { return m_toolBar; }
  // The list pane of the current map window; null when it has none.
  ComponentView* Current_List_Pane() const;
  // Runs an edit of the flows; its failure text goes to a message box.
  // After it, the map windows repaint (the selection frames) and the title
  // shows the changes flag.
  void Run_Edit(const std::function<bool(std::string&)>& edit);
  // Moves the selection by (dx, dy); false, with nothing shown, when
  // nothing is selected.
  bool Nudge_Selection(int dx, int dy);
  // Every map window paints anew (the selection frames follow).
  void Repaint_Map_Windows();

  // The message pane, and the CAP, NUM and SCRL indicators (0, 1, 2).
  QLabel* Message_Pane() const { return m_messagePane; }
  QLabel* Indicator(int index) const { return m_indicators[index]; }
  void Show_Status(const QString& text);

  QStringList Recent_Files() const;
  void Add_Recent_File(const QString& path);

  // Opens a photo or a region list (by its extension), as a drop or the
  // command line does.
  void Open_File(const QString& path);
  // Gives the map windows opened since the last call their places
  // (app/WindowLayout.h); every command does this when it ends.
  void Place_New_Windows();
  // The About box and the help window.
  void Show_About();
  void Show_Help();

  // ---- MapWindowFactory ---------------------------------------------------------------------
  ViewjWindow* Create_Map_Window(int16_t code, const std::string& title, MapWindowStyle style,
                                 const RectLong& rect, std::string& err) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct MenuSet {
    std::vector<QMenu*> menus;
    std::map<int, QAction*> actions;
  };

  void Build_Menus();
  void Build_Status_Bar();
  // An item of `set` that runs `handler`; the window title follows after it.
  QAction* Add_Command(MenuSet& set, int menu, QMenu* popup, int id, const QString& text,
                       const std::function<void()>& handler, const QKeySequence& shortcut = QKeySequence());
  void Add_File_Saving(MenuSet& set, int menu, QMenu* file);
  void Add_Help_Menu(MenuSet& set, int menu);
  QMenu* Add_Edit_Menu(MenuSet& set, int menu);
  void Build_Tool_Bar();
  void Fill_Recent_Menu(QMenu* menu);
  void Switch_Menu(int menu);
  void Sub_Window_Activated(QMdiSubWindow* window);
  void Zoom_Current(int direction);
  void Refresh_Title();
  void Restore_Geometry();
  void Update_Lock_Indicators(quint32 nativeModifiers, int key, bool press);

  RegionEditorApp& m_app;
  WindowRegistry& m_registry;
  ShellCommands& m_commands;
  QMdiArea* m_mdiArea = nullptr;
  MenuSet m_frameMenu;
  MenuSet m_childMenu;
  int m_currentMenu = 0;
  QLabel* m_messagePane = nullptr;
  QLabel* m_indicators[3] = {};
  bool m_scrollLock = false;
  QPointer<HelpWindow> m_help;
  EditUndoStack* m_undo = nullptr;  // a child of the frame
  std::unique_ptr<EditFlows> m_flows;
  QToolBar* m_toolBar = nullptr;
};
