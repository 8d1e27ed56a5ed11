#include "gui/MainFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <algorithm>

#include "app/RegionEditorApp.h"
#include "app/ShellCommands.h"
#include "app/WindowLayout.h"
#include "gui/AboutBox.h"
#include "gui/AppIcon.h"
#include "gui/EditUndoStack.h"
#include "gui/GrafixWindowQvSep.h"
#include "gui/HelpWindow.h"
#include "platform/PathNames.h"
#include "regions/EditFlows.h"
#include "views/Editorj.h"
#include "views/ListComponentView.h"

namespace {

const char* const kRecentFilesKey = "RecentFiles";
const char* const kGeometryKey = "MainFrame/geometry";
const char* const kStateKey = "MainFrame/state";
const char* const kIndicatorTexts[3] = {"CAP", "NUM", "SCRL"};
const char* const kIndicatorNames[3] = {"indicatorCaps", "indicatorNum", "indicatorScrl"};

// The lock states in the modifier state of an X key event: Lock is Caps
// Lock, Mod2 is Num Lock on every common keyboard map.
constexpr quint32 kXLockMask = 0x02;
constexpr quint32 kXNumLockMask = 0x10;

}  // namespace

MainFrame::MainFrame(RegionEditorApp& app, WindowRegistry& registry, ShellCommands& commands)
    : m_app(app), m_registry(registry), m_commands(commands) {
  setObjectName("mainFrame");
  setWindowIcon(App_Icon());
  m_mdiArea = new QMdiArea(this);
  m_mdiArea->setObjectName("mdiArea");
  m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(m_mdiArea);
  connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &MainFrame::Sub_Window_Activated);
  setAcceptDrops(true);

  m_undo = new EditUndoStack(app.Get_Platform(), app.Get_Document(), this);
  m_undo->m_changesShown = [this] { Refresh_Title(); };
  m_flows = std::make_unique<EditFlows>(app.Edit_Context(*m_undo));
  m_app.Set_Shell_History(m_undo);

  Build_Menus();
  Build_Tool_Bar();
  Build_Status_Bar();
  Switch_Menu(kFrameMenu);
  Refresh_Title();
  Restore_Geometry();
  qApp->installEventFilter(this);

  m_commands.m_status = [this](const std::string& text) { Show_Status(QString::fromStdString(text)); };
  m_commands.m_fileUsed = [this](const std::string& path) { Add_Recent_File(QString::fromStdString(path)); };
}

MainFrame::~MainFrame() {
  qApp->removeEventFilter(this);
  m_commands.m_status = nullptr;
  m_commands.m_fileUsed = nullptr;
  // The map windows go first, while the registry can still take their
  // records out.
  for (GrafixWindowQvSep* window : Map_Windows()) delete window;
  // The steps point back at the flows.
  m_app.Set_Shell_History(nullptr);
  m_undo->Forget_Steps();
  m_flows.reset();
}

Platform& MainFrame::Get_Platform() {
  return m_app.Get_Platform();
}

// ---------------------------------------------------------------------------
// Menus

QAction* MainFrame::Add_Command(MenuSet& set, int menu, QMenu* popup, int id, const QString& text,
                                const std::function<void()>& handler, const QKeySequence& shortcut) {
  auto* action = new QAction(text, this);
  action->setData(id);
  action->setObjectName(QString("menu%1_%2").arg(menu).arg(id));
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  connect(action, &QAction::triggered, this, [this, handler] {
    handler();
    Place_New_Windows();
    m_undo->Sync_Changes();
    Refresh_Title();
  });
  popup->addAction(action);
  // The frame holds every action too, so that the shortcuts of the menu
  // shown work wherever the focus is.
  addAction(action);
  set.actions[id] = action;
  return action;
}

void MainFrame::Add_File_Saving(MenuSet& set, int menu, QMenu* file) {
  ShellCommands& c = m_commands;
  Add_Command(
      set, menu, file, kCmdSaveRegionList, "Save RegionList", [&c] { c.Save_RegionList(); },
      QKeySequence::Save);
  Add_Command(
      set, menu, file, kCmdSaveRegionListAs, "Save RegionList As...", [&c] { c.Save_RegionList_As(); },
      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  file->addSeparator();
  QMenu* recent = file->addMenu("Recent Files");
  recent->setObjectName(QString("menu%1_recent").arg(menu));
  connect(recent, &QMenu::aboutToShow, this, [this, recent] { Fill_Recent_Menu(recent); });
  Fill_Recent_Menu(recent);
}

void MainFrame::Add_Help_Menu(MenuSet& set, int menu) {
  QMenu* help = new QMenu("&Help", this);
  Add_Command(
      set, menu, help, kCmdHelpTopics, "&Help Topics", [this] { Show_Help(); }, QKeySequence(Qt::Key_F1));
  help->addSeparator();
  Add_Command(set, menu, help, kCmdAbout, "&About Quorlin Separator...", [this] { Show_About(); });
  set.menus.push_back(help);
}

void MainFrame::Build_Menus() {
  ShellCommands& c = m_commands;
  const QKeySequence openPhoto(Qt::CTRL | Qt::Key_O);
  const QKeySequence openList(Qt::CTRL | Qt::SHIFT | Qt::Key_O);
  const QKeySequence exitKey(Qt::CTRL | Qt::Key_Q);

  // 128: no map window is current.
  MenuSet& f = m_frameMenu;
  QMenu* file = new QMenu("&File", this);
  Add_Command(
      f, kFrameMenu, file, kCmdFrameLoadSourcePhoto, "Load Source Photo", [&c] { c.Load_Source_Photo(); },
      openPhoto);
  Add_Command(
      f, kFrameMenu, file, kCmdFrameLoadRegionList, "Load RegionList", [&c] { c.Load_RegionList(); },
      openList);
  file->addSeparator();
  Add_File_Saving(f, kFrameMenu, file);
  file->addSeparator();
  Add_Command(
      f, kFrameMenu, file, kCmdExit, "E&xit", [this] { close(); }, exitKey);
  QMenu* view = new QMenu("&View", this);
  Add_Command(f, kFrameMenu, view, kCmdFrameOpenPhotoWindow, "Open Photo Window",
              [&c] { c.Open_Photo_Window(); });
  Add_Command(f, kFrameMenu, view, kCmdFrameOpenLayersWindow, "Open Layers Window",
              [&c] { c.Open_Layers_Window(); });
  f.menus = {file, view};
  Add_Help_Menu(f, kFrameMenu);

  // 313: a map window is current.
  MenuSet& m = m_childMenu;
  file = new QMenu("File", this);
  Add_Command(
      m, kChildMenu, file, kCmdLoadSourcePhoto, "Load Source Photo", [&c] { c.Load_Source_Photo(); },
      openPhoto);
  Add_Command(
      m, kChildMenu, file, kCmdLoadRegionList, "Load RegionList", [&c] { c.Load_RegionList(); }, openList);
  file->addSeparator();
  Add_Command(m, kChildMenu, file, kCmdSaveLayeredBitmap, "Save Layered Bitmap", [this] {
    GrafixWindowQvSep* window = Current_Map_Window();
    m_commands.Save_Layered_Bitmap(window != nullptr ? m_registry.Find_Viewj(window) : nullptr);
  });
  Add_Command(
      m, kChildMenu, file, kCmdExport, "Export...", [&c] { c.Export(); }, QKeySequence("Ctrl+E"));
  Add_File_Saving(m, kChildMenu, file);
  file->addSeparator();
  Add_Command(
      m, kChildMenu, file, kCmdExit, "Exit", [this] { close(); }, exitKey);
  view = new QMenu("View", this);
  Add_Command(m, kChildMenu, view, kCmdOpenPhotoWindow, "Open Photo Window",
              [&c] { c.Open_Window_Forced(kWindowPhoto); });
  Add_Command(m, kChildMenu, view, kCmdOpenPreProcessingWindow, "Open PreProcessing Window",
              [&c] { c.Open_Window_Forced(kWindowPreProcessing); });
  Add_Command(m, kChildMenu, view, kCmdOpenLayersWindow, "Open Layers Window",
              [&c] { c.Open_Window_Forced(kWindowLayered); });
  // The regions one by one (a click selects one) and what the separations
  // leave of the picture.
  Add_Command(m, kChildMenu, view, kCmdOpenRegionObjectsWindow, "Open Region OBJECTS Window",
              [&c] { c.Open_Window_Forced(kWindowRegionObjects); });
  Add_Command(m, kChildMenu, view, kCmdOpenSubtractedWindow, "Open SUBTRACTED Result Window",
              [&c] { c.Open_Window_Forced(kWindowSubtracted); });
  view->addSeparator();
  Add_Command(m, kChildMenu, view, kCmdFitWindowToImage, "Fit Window to Image",
              [&c] { c.Fit_Window_to_Image(); });
  view->addSeparator();
  Add_Command(
      m, kChildMenu, view, kCmdZoomIn, "Zoom In", [this] { Zoom_Current(1); },
      QKeySequence(Qt::CTRL | Qt::Key_Equal));
  Add_Command(
      m, kChildMenu, view, kCmdZoomOut, "Zoom Out", [this] { Zoom_Current(-1); },
      QKeySequence(Qt::CTRL | Qt::Key_Minus));
  Add_Command(
      m, kChildMenu, view, kCmdActualSize, "Actual Size", [this] { Zoom_Current(0); },
      QKeySequence(Qt::CTRL | Qt::Key_0));
  QMenu* edit = Add_Edit_Menu(m, kChildMenu);
  QMenu* image = new QMenu("Image", this);
  Add_Command(m, kChildMenu, image, kCmdImageSize, "Image Size", [&c] { c.Image_Size(); });
  Add_Command(m, kChildMenu, image, kCmdCreateOutline, "Create Outline", [&c] { c.Create_Outline(); });
  QMenu* layers = new QMenu("Layers", this);
  Add_Command(m, kChildMenu, layers, kCmdCreateSeparations, "Create Separations",
              [&c] { c.Create_Separations(); });
  Add_Command(m, kChildMenu, layers, kCmdModifyColors, "Modify Colors", [&c] { c.Modify_Colors(); });
  layers->addSeparator();
  Add_Command(m, kChildMenu, layers, kCmdPaintWithTextures, "Paint with Textures...",
              [&c] { c.Paint_with_Textures(); });
  m.menus = {file, edit, view, image, layers};
  Add_Help_Menu(m, kChildMenu);
}

QMenu* MainFrame::Add_Edit_Menu(MenuSet& set, int menu) {
  QMenu* edit = new QMenu("Edit", this);
  // Undo and Redo are the stack's own items: their texts name the step.
  QUndoStack& stack = m_undo->Stack();
  const auto addStackAction = [&](QAction* action, int id, const QKeySequence& shortcut) {
    action->setData(id);
    action->setObjectName(QString("menu%1_%2").arg(menu).arg(id));
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this] { Repaint_Map_Windows(); });
    edit->addAction(action);
    addAction(action);
    set.actions[id] = action;
  };
  addStackAction(stack.createUndoAction(this, "Undo"), kCmdUndo, QKeySequence(Qt::CTRL | Qt::Key_Z));
  addStackAction(stack.createRedoAction(this, "Redo"), kCmdRedo,
                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  edit->addSeparator();
  EditFlows& flows = *m_flows;
  Add_Command(
      set, menu, edit, kCmdCut, "Cut",
      [this, &flows] { Run_Edit([&flows](std::string& err) { return flows.Cut(err); }); },
      QKeySequence(Qt::CTRL | Qt::Key_X));
  Add_Command(
      set, menu, edit, kCmdCopy, "Copy",
      [this, &flows] { Run_Edit([&flows](std::string& err) { return flows.Copy(err); }); },
      QKeySequence(Qt::CTRL | Qt::Key_C));
  Add_Command(
      set, menu, edit, kCmdPaste, "Paste",
      [this, &flows] {
        ComponentView* pane = Current_List_Pane();
        Run_Edit([&flows, pane](std::string& err) { return flows.Paste(pane, err); });
      },
      QKeySequence(Qt::CTRL | Qt::Key_V));
  Add_Command(
      set, menu, edit, kCmdDelete, "Delete",
      [this, &flows] { Run_Edit([&flows](std::string& err) { return flows.Delete(err); }); },
      QKeySequence(Qt::Key_Delete));
  edit->addSeparator();
  Add_Command(
      set, menu, edit, kCmdSelectAll, "Select All",
      [this, &flows] {
        GrafixWindowQvSep* window = Current_Map_Window();
        Eventj event;
        event.view = window != nullptr ? m_registry.Find_Viewj(window) : nullptr;
        ComponentView* pane = Current_List_Pane();
        Run_Edit([&flows, pane, event](std::string& err) {
          if (pane == nullptr) {
            err = "Open a window with an object list.";
            return false;
          }
          return flows.Select_All(pane, event, err);
        });
      },
      QKeySequence(Qt::CTRL | Qt::Key_A));
  return edit;
}

void MainFrame::Build_Tool_Bar() {
  m_toolBar = addToolBar("Tools");
  m_toolBar->setObjectName("toolBar");
  auto* group = new QActionGroup(this);
  group->setExclusive(true);
  struct ToolItem {
    int16_t code;
    const char* text;
    const char* tip;
  };
  const ToolItem tools[] = {
      {Toolj::kSelectTool, "Select", "Select regions; drag the centre handle to move, the corner to resize"},
      {Toolj::kMoverTool, "Mover", "Move regions by their handles"},
      {Toolj::kColorTool, "Colour", "The colour tool"},
      {Toolj::kSizeTool, "Size", "Resize regions by their handles"},
  };
  for (const ToolItem& tool : tools) {
    QAction* action = m_toolBar->addAction(tool.text);
    action->setObjectName(QString("tool%1").arg(tool.code));
    action->setData(kCmdToolFirst + tool.code - Toolj::kSelectTool);
    action->setToolTip(tool.tip);
    action->setCheckable(true);
    action->setChecked(tool.code == Toolj::kSelectTool);
    group->addAction(action);
    const int16_t code = tool.code;
    connect(action, &QAction::triggered, this, [this, code] {
      std::string err;
      if (!m_app.Get_Editor().Change_Tool_New(code, err)) Get_Platform().Message(err);
    });
  }
}

ComponentView* MainFrame::Current_List_Pane() const {
  GrafixWindowQvSep* window = Current_Map_Window();
  Viewj* record = window != nullptr ? m_registry.Find_Viewj(window) : nullptr;
  if (record == nullptr) return nullptr;
  for (ListLink<ComponentView>* link = record->Get_Container().Get_Panes().Get_Head_Link(); link != nullptr;
       link = link->Get_Next())
    if (ListComponentView* list = link->Get_Object()->Get_ListComponentView(); list != nullptr) return list;
  return nullptr;
}

void MainFrame::Run_Edit(const std::function<bool(std::string&)>& edit) {
  std::string err;
  if (!edit(err) && !err.empty()) Get_Platform().Message(err);
  Repaint_Map_Windows();
  Refresh_Title();
}

bool MainFrame::Nudge_Selection(int dx, int dy) {
  if (m_app.Get_Editor().Get_SelectBoard().Is_Empty()) return false;
  Run_Edit([this, dx, dy](std::string& err) {
    return m_flows->Nudge_Selection(static_cast<int16_t>(dx), static_cast<int16_t>(dy), err);
  });
  return true;
}

void MainFrame::Repaint_Map_Windows() {
  for (GrafixWindowQvSep* window : Map_Windows()) window->Canvas()->update();
}

QAction* MainFrame::Action(int menu, int id) const {
  const MenuSet& set = menu == kFrameMenu ? m_frameMenu : m_childMenu;
  if (menu != kFrameMenu && menu != kChildMenu) return nullptr;
  const auto it = set.actions.find(id);
  return it != set.actions.end() ? it->second : nullptr;
}

void MainFrame::Switch_Menu(int menu) {
  if (menu == m_currentMenu) return;
  m_currentMenu = menu;
  menuBar()->clear();
  const MenuSet& shown = menu == kFrameMenu ? m_frameMenu : m_childMenu;
  const MenuSet& hidden = menu == kFrameMenu ? m_childMenu : m_frameMenu;
  for (QMenu* popup : shown.menus) menuBar()->addMenu(popup);
  // Only the shown menu's shortcuts may fire.
  for (const auto& [id, action] : hidden.actions) action->setEnabled(false);
  for (const auto& [id, action] : shown.actions) action->setEnabled(true);
  // Undo and Redo only while the stack has a step for them.
  if (menu == kChildMenu) {
    m_childMenu.actions.at(kCmdUndo)->setEnabled(m_undo->Stack().canUndo());
    m_childMenu.actions.at(kCmdRedo)->setEnabled(m_undo->Stack().canRedo());
  }
}

void MainFrame::Fill_Recent_Menu(QMenu* menu) {
  menu->clear();
  const QStringList files = Recent_Files();
  if (files.isEmpty()) {
    menu->addAction("(none)")->setEnabled(false);
    return;
  }
  int number = 1;
  for (const QString& path : files) {
    QAction* action = menu->addAction(QString("&%1 %2").arg(number++).arg(QFileInfo(path).fileName()));
    action->setStatusTip(path);
    connect(action, &QAction::triggered, this, [this, path] { Open_File(path); });
  }
}

// ---------------------------------------------------------------------------
// Status bar

void MainFrame::Build_Status_Bar() {
  QStatusBar* bar = statusBar();
  m_messagePane = new QLabel("Ready", this);
  m_messagePane->setObjectName("statusMessage");
  bar->addWidget(m_messagePane, 1);
  for (int i = 0; i < 3; ++i) {
    auto* indicator = new QLabel(this);
    indicator->setObjectName(kIndicatorNames[i]);
    indicator->setAlignment(Qt::AlignCenter);
    indicator->setMinimumWidth(indicator->fontMetrics().horizontalAdvance("SCRL") + 12);
    indicator->setFrameShape(QFrame::Panel);
    indicator->setFrameShadow(QFrame::Sunken);
    bar->addPermanentWidget(indicator);
    m_indicators[i] = indicator;
  }
}

void MainFrame::Show_Status(const QString& text) {
  statusBar()->showMessage(text, 15000);
}

void MainFrame::Update_Lock_Indicators(quint32 nativeModifiers, int key, bool press) {
  // The X server reports the lock states with every key; other platforms
  // tell nothing, and the indicators then only follow the lock keys.
  if (QGuiApplication::platformName() == "xcb") {
    m_indicators[0]->setText((nativeModifiers & kXLockMask) != 0 ? kIndicatorTexts[0] : "");
    m_indicators[1]->setText((nativeModifiers & kXNumLockMask) != 0 ? kIndicatorTexts[1] : "");
  }
  if (press && key == Qt::Key_ScrollLock) {
    m_scrollLock = !m_scrollLock;
    m_indicators[2]->setText(m_scrollLock ? kIndicatorTexts[2] : "");
  }
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!key->isAutoRepeat())
      Update_Lock_Indicators(key->nativeModifiers(), key->key(), event->type() == QEvent::KeyPress);
  }
  return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Map windows

ViewjWindow* MainFrame::Create_Map_Window(int16_t code, const std::string& title, MapWindowStyle style,
                                          const RectLong& rect, std::string& err) {
  err.clear();
  if (Find_Window_Configuration(code) == nullptr) {
    err = "Open_Grafix_Window_QvSep_GLB  FAILED,  unknown configurationCode.";
    return nullptr;
  }
  auto* window = new GrafixWindowQvSep(*this, code, QString::fromStdString(title), style);
  m_mdiArea->addSubWindow(window);
  window->setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  window->show();
  return window;
}

GrafixWindowQvSep* MainFrame::Current_Map_Window() const {
  return qobject_cast<GrafixWindowQvSep*>(m_mdiArea->currentSubWindow());
}

QList<GrafixWindowQvSep*> MainFrame::Map_Windows() const {
  QList<GrafixWindowQvSep*> windows;
  for (QMdiSubWindow* window : m_mdiArea->subWindowList(QMdiArea::CreationOrder))
    if (auto* map = qobject_cast<GrafixWindowQvSep*>(window)) windows.push_back(map);
  return windows;
}

void MainFrame::Place_New_Windows() {
  std::vector<PlacedWindow> placed;
  std::vector<GrafixWindowQvSep*> fresh;
  for (GrafixWindowQvSep* window : Map_Windows()) {
    if (!window->Is_Placed()) {
      fresh.push_back(window);
      continue;
    }
    const QRect g = window->geometry();
    placed.push_back(
        {window->Get_Configuration_Code(), RectLong{{}, g.left(), g.top(), g.right(), g.bottom()}});
  }
  std::stable_sort(fresh.begin(), fresh.end(), [](const GrafixWindowQvSep* a, const GrafixWindowQvSep* b) {
    return WindowLayout::Places_Before(a->Get_Configuration_Code(), b->Get_Configuration_Code());
  });
  for (GrafixWindowQvSep* window : fresh) {
    const PointLong corner =
        WindowLayout::Place(window->Get_Configuration_Code(), window->width(), window->height(), placed);
    window->move(corner.x, corner.y);
    window->Set_Placed();
    const QRect g = window->geometry();
    placed.push_back(
        {window->Get_Configuration_Code(), RectLong{{}, g.left(), g.top(), g.right(), g.bottom()}});
  }
}

void MainFrame::Sub_Window_Activated(QMdiSubWindow* window) {
  if (auto* map = qobject_cast<GrafixWindowQvSep*>(window))
    m_registry.Activate_Viewj(m_registry.Find_Viewj(map));
  // The frame losing the focus to a dialog makes no window active; the
  // current window stays, and so does its menu.
  Switch_Menu(m_mdiArea->currentSubWindow() != nullptr ? kChildMenu : kFrameMenu);
}

void MainFrame::Zoom_Current(int direction) {
  GrafixWindowQvSep* window = Current_Map_Window();
  if (window == nullptr) return;
  const double zoom = direction == 0 ? 1.0 : window->Next_Zoom(direction > 0);
  window->Set_Zoom(zoom);
  Show_Status(QString("%1: %2 %").arg(window->windowTitle()).arg(qRound(zoom * 100)));
}

// ---------------------------------------------------------------------------
// Files

QStringList MainFrame::Recent_Files() const {
  return QSettings().value(kRecentFilesKey).toStringList();
}

void MainFrame::Add_Recent_File(const QString& path) {
  if (path.isEmpty()) return;
  const QString full = QFileInfo(path).absoluteFilePath();
  QStringList files = Recent_Files();
  files.removeAll(full);
  files.prepend(full);
  while (files.size() > kMaxRecentFiles) files.removeLast();
  QSettings().setValue(kRecentFilesKey, files);
}

void MainFrame::Open_File(const QString& path) {
  m_commands.Open_File(path.toStdString());
  Place_New_Windows();
  Refresh_Title();
}

void MainFrame::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() == 1 && urls.front().isLocalFile()) event->acceptProposedAction();
}

void MainFrame::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) return;
  event->acceptProposedAction();
  // Opened once the drop is over: the questions and messages of the load
  // must not hold up the program the file came from.
  const QString path = urls.front().toLocalFile();
  QTimer::singleShot(0, this, [this, path] { Open_File(path); });
}

// ---------------------------------------------------------------------------
// Help

void MainFrame::Show_About() {
  AboutBox box(this);
  box.exec();
}

void MainFrame::Show_Help() {
  if (m_help == nullptr) m_help = new HelpWindow(this);
  m_help->show();
  m_help->raise();
  m_help->activateWindow();
}

// ---------------------------------------------------------------------------
// The frame

void MainFrame::Refresh_Title() {
  const DocumentState& document = m_app.Get_Document();
  const std::string& named =
      !document.listFilePath.empty() ? document.listFilePath : document.sourcePhotoPath;
  QString title = "Quorlin Separator";
  if (!named.empty()) title += " - " + QString::fromStdString(Path_File_Name(named)) + "[*]";
  setWindowTitle(title);
  setWindowModified(document.hasChanges && m_app.Has_Regions());
}

void MainFrame::Restore_Geometry() {
  QSettings settings;
  if (restoreGeometry(settings.value(kGeometryKey).toByteArray())) {
    restoreState(settings.value(kStateKey).toByteArray());
    return;
  }
  // Room for the two rows of map windows where the screen allows it.
  const QRect screen = QGuiApplication::primaryScreen() != nullptr
                           ? QGuiApplication::primaryScreen()->availableGeometry()
                           : QRect(0, 0, 1400, 1050);
  resize(std::min(screen.width(), 1400), std::min(screen.height(), 1050));
  move(screen.topLeft());
}

void MainFrame::closeEvent(QCloseEvent* event) {
  if (!m_commands.Maybe_Save_Changes()) {
    event->ignore();
    Refresh_Title();
    return;
  }
  QSettings settings;
  settings.setValue(kGeometryKey, saveGeometry());
  settings.setValue(kStateKey, saveState());
  if (m_help != nullptr) m_help->close();
  event->accept();
}
