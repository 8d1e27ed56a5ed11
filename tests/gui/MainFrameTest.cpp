// The main frame: its menus as map windows come and go, the windows a photo
// opens with their sizes and places, the refusals of the commands, the
// About box and the question before unsaved work is lost.

#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "app/ShellCommands.h"
#include "app/WindowLayout.h"
#include "gui/AboutBox.h"
#include "gui/GrafixWindowQvSep.h"
#include "gui/ShellTestSupport.h"
#include "views/ListComponentView.h"

namespace {

QStringList Menu_Titles(MainFrame& frame) {
  QStringList titles;
  for (QAction* action : frame.menuBar()->actions()) titles << action->text();
  return titles;
}

GrafixWindowQvSep* Window_of_Code(MainFrame& frame, int16_t code) {
  for (GrafixWindowQvSep* window : frame.Map_Windows())
    if (window->Get_Configuration_Code() == code) return window;
  return nullptr;
}

}  // namespace

TEST_F(ShellTest, StartsWithTheFrameMenuNoWindowsAndFourStatusPanes) {
  EXPECT_EQ(Frame().Current_Menu(), MainFrame::kFrameMenu);
  EXPECT_EQ(Menu_Titles(Frame()), QStringList({"&File", "&View", "&Help"}));
  EXPECT_EQ(Frame().Action(128, kCmdFrameLoadSourcePhoto)->text(), "Load Source Photo");
  EXPECT_EQ(Frame().Action(128, kCmdFrameLoadRegionList)->text(), "Load RegionList");
  EXPECT_EQ(Frame().Action(128, kCmdFrameOpenPhotoWindow)->text(), "Open Photo Window");
  EXPECT_EQ(Frame().Action(128, kCmdFrameOpenLayersWindow)->text(), "Open Layers Window");
  EXPECT_EQ(Frame().Action(128, kCmdExit)->text(), "E&xit");
  EXPECT_EQ(Frame().Action(128, kCmdFrameLoadSourcePhoto)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
  EXPECT_EQ(Frame().Action(128, kCmdExit)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
  // The map windows' items are not in the frame's menu.
  EXPECT_EQ(Frame().Action(128, kCmdCreateSeparations), nullptr);
  EXPECT_EQ(Registry().Count_Viewjs(), 0);
  EXPECT_TRUE(Frame().Map_Windows().isEmpty());
  EXPECT_EQ(Frame().Message_Pane()->text(), "Ready");
  for (int i = 0; i < 3; ++i) EXPECT_NE(Frame().Indicator(i), nullptr);
  EXPECT_EQ(Frame().windowTitle(), "Quorlin Separator");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ShellTest, CommandsRefuseWithTheProgramsTexts) {
  Trigger(128, kCmdFrameOpenPhotoWindow);
  Trigger(128, kCmdFrameOpenLayersWindow);
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Load a SOURCE PHOTO from the File Menu.",
                                                  "Load a REGIONLIST from the File Menu."}));
  EXPECT_EQ(Registry().Count_Viewjs(), 0);

  Open_Chelsea();
  Scripted_Messages().Clear();
  Trigger(313, kCmdModifyColors);
  Trigger(313, kCmdSaveLayeredBitmap);
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Create some color SEPARATIONS from the Layers Menu.",
                                                  "Create some color SEPARATIONS from the Layers Menu."}));
}

TEST_F(ShellTest, APhotoOpensThreeWindowsAtItsSizeAndTheChildMenu) {
  Open_Chelsea();
  EXPECT_TRUE(Messages().empty()) << Messages().front();
  EXPECT_EQ(Window_Titles(), (std::vector<QString>{"Photo", "Layered", "PreProcessing"}));
  EXPECT_EQ(Registry().Count_Viewjs_of_Code(3), 1);
  EXPECT_EQ(Registry().Count_Viewjs_of_Code(5), 1);
  EXPECT_EQ(Registry().Count_Viewjs_of_Code(8), 1);
  EXPECT_EQ(Frame().Current_Menu(), MainFrame::kChildMenu);
  EXPECT_EQ(Menu_Titles(Frame()), QStringList({"File", "Edit", "View", "Image", "Layers", "&Help"}));
  // Only the menu shown answers its shortcuts.
  EXPECT_TRUE(Frame().Action(313, kCmdLoadSourcePhoto)->isEnabled());
  EXPECT_FALSE(Frame().Action(128, kCmdFrameLoadSourcePhoto)->isEnabled());
  EXPECT_EQ(Frame().windowTitle(), "Quorlin Separator - chelsea.png[*]");

  // 400 x 266 with a 10-pixel margin all round.
  for (GrafixWindowQvSep* window : Frame().Map_Windows()) {
    int32_t width = 0, height = 0;
    window->Get_Client_Size(width, height);
    EXPECT_EQ(width, 420) << window->windowTitle().toStdString();
    EXPECT_EQ(height, 286) << window->windowTitle().toStdString();
  }
  // Top row at the configurations' corners; Photo below Layered.
  GrafixWindowQvSep* layered = Window_of_Code(Frame(), 5);
  GrafixWindowQvSep* pre = Window_of_Code(Frame(), 8);
  GrafixWindowQvSep* photo = Window_of_Code(Frame(), 3);
  ASSERT_TRUE(layered && pre && photo);
  EXPECT_EQ(layered->pos(), QPoint(10, 10));
  EXPECT_EQ(pre->pos(), QPoint(490, 10));
  EXPECT_EQ(photo->pos(), QPoint(30, std::max(310, layered->geometry().bottom() + 1 + WindowLayout::kGap)));
  EXPECT_FALSE(photo->geometry().intersects(layered->geometry()));

  // Every window closed: the frame's menu again.
  Frame().Mdi_Area()->closeAllSubWindows();
  EXPECT_EQ(Registry().Count_Viewjs(), 0);
  EXPECT_EQ(Frame().Current_Menu(), MainFrame::kFrameMenu);
}

TEST_F(ShellTest, PanesShowTheirMapsOneToOne) {
  Open_Chelsea();
  GrafixWindowQvSep* photo = Window_of_Code(Frame(), 3);
  ASSERT_NE(photo, nullptr);
  const QImage shown = photo->Canvas()->grab().toImage();
  ASSERT_EQ(shown.size(), QSize(420, 286));
  const OffMap& source = *App().Get_RenderMan().Get_Source_Map();
  for (const QPoint p : {QPoint(0, 0), QPoint(399, 0), QPoint(0, 265), QPoint(399, 265), QPoint(200, 133)}) {
    int16_t r = 0, g = 0, b = 0;
    source.Get_Pixel(p.x(), p.y(), r, g, b);
    EXPECT_EQ(shown.pixel(p.x() + 10, p.y() + 10), qRgb(r, g, b)) << p.x() << "," << p.y();
  }
  // The margin is the window's ground, not the picture.
  const QRgb ground = photo->Canvas()->palette().color(QPalette::Window).rgb();
  EXPECT_EQ(shown.pixel(5, 5), ground);
  EXPECT_EQ(shown.pixel(410, 140), ground);
  // The layered map is white before any separation.
  const QImage layered = Window_of_Code(Frame(), 5)->Canvas()->grab().toImage();
  EXPECT_EQ(layered.pixel(10, 10), qRgb(255, 255, 255));
  EXPECT_EQ(layered.pixel(409, 275), qRgb(255, 255, 255));
}

TEST_F(ShellTest, ForcedOpensAddWindowsCascadedAtThePhotosSize) {
  Open_Chelsea();
  GrafixWindowQvSep* first = Window_of_Code(Frame(), 3);
  ASSERT_NE(first, nullptr);
  Trigger(313, kCmdOpenPhotoWindow);
  Trigger(313, kCmdOpenPreProcessingWindow);
  EXPECT_EQ(Registry().Count_Viewjs_of_Code(3), 2);
  EXPECT_EQ(Registry().Count_Viewjs_of_Code(8), 2);
  const QList<GrafixWindowQvSep*> windows = Frame().Map_Windows();
  ASSERT_EQ(windows.size(), 5);
  GrafixWindowQvSep* second = windows[3];
  EXPECT_EQ(second->windowTitle(), "Photo");
  EXPECT_EQ(second->pos(), first->pos() + QPoint(WindowLayout::kCascade, WindowLayout::kCascade));
  int32_t width = 0, height = 0;
  second->Get_Client_Size(width, height);
  EXPECT_EQ(width, 420);
  EXPECT_EQ(height, 286);
  // The newest window is the active record.
  EXPECT_EQ(Registry().Get_Active_Viewj(), Registry().Find_Viewj(windows[4]));
}

TEST_F(ShellTest, AboutBoxNamesTheProductAndVersion) {
  EXPECT_EQ(Frame().Action(128, kCmdAbout)->text(), "&About Quorlin Separator...");
  AboutBox box(&Frame());
  EXPECT_EQ(box.windowTitle(), "About Quorlin Separator");
  EXPECT_EQ(box.findChild<QLabel*>("productName")->text(), "Quorlin Separator");
  EXPECT_EQ(box.findChild<QLabel*>("version")->text(), "Version 1.0");
  QPushButton* ok = box.findChild<QPushButton*>("ok");
  ASSERT_NE(ok, nullptr);
  box.show();
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_EQ(box.result(), QDialog::Accepted);
}

TEST_F(ShellTest, UnsavedRegionsAreAskedForOnClose) {
  Open_Chelsea();
  ASSERT_TRUE(Make_Separations());
  ASSERT_TRUE(App().Has_Regions());
  App().Get_Document().hasChanges = true;
  Scripted_Messages().Clear();
  Scripted_Messages().Queue_Answer(MessageAnswer::Cancel);
  EXPECT_FALSE(Frame().close());
  EXPECT_TRUE(Frame().isVisible());
  EXPECT_EQ(Messages(), std::vector<std::string>{ShellCommands::kUnsavedQuestion});
  Scripted_Messages().Queue_Answer(MessageAnswer::No);
  EXPECT_TRUE(Frame().close());
  EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(ShellTest, AClickInTheRegionObjectsWindowSelectsTheRegionUnderIt) {
  Open_Chelsea();
  ASSERT_TRUE(Make_Separations());
  Trigger(313, kCmdOpenRegionObjectsWindow);
  GrafixWindowQvSep* objects = Window_of_Code(Frame(), 4);
  ASSERT_NE(objects, nullptr);
  EXPECT_EQ(objects->windowTitle(), "Region OBJECTS");
  Viewj* record = Registry().Find_Viewj(objects);
  ASSERT_NE(record, nullptr);
  // The first region's view, in window pixels.
  auto* list = record->Get_First_Pane()->Get_ListComponentView();
  ASSERT_NE(list, nullptr);
  ComponentView* first = list->Get_Child_ComponentViews_List()->Get_First();
  ASSERT_NE(first, nullptr);
  RectLong r;
  first->Get_Graphic().Get_Rect(r);
  const QPoint centre(r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2);
  const QImage before = objects->Canvas()->grab().toImage();

  // A click on a point of the first region's frame that no earlier view
  // holds selects it (the first view in list order wins).
  QTest::mouseClick(objects->Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(r.left, r.top));
  EXPECT_EQ(Registry().Count_Selected(), 1);
  EXPECT_NE(first->Get_HandleFrame(), nullptr);
  // The move handle is drawn inverted at the centre of the frame.
  const QImage selected = objects->Canvas()->grab().toImage();
  EXPECT_EQ(selected.pixel(centre) & 0xFFFFFFu, ~before.pixel(centre) & 0xFFFFFFu);

  // A click in the margin, beside every region, selects none.
  QTest::mouseClick(objects->Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
  EXPECT_EQ(Registry().Count_Selected(), 0);
  const QImage cleared = objects->Canvas()->grab().toImage();
  EXPECT_EQ(cleared.pixel(centre), before.pixel(centre));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ShellTest, TheRegionListIsSavedAndLoadedBackThroughTheFileMenu) {
  Open_Chelsea();
  ASSERT_TRUE(Make_Separations());
  App().Get_Document().hasChanges = true;
  const int32_t regions = App().Get_RegionList().Get_Region_Count();
  TempDir folder;
  const std::string path = folder.Path() + "/chelsea.rgl";
  m_platform.Dialogs().Queue_Path(path);
  Trigger(313, kCmdSaveRegionListAs);
  EXPECT_TRUE(Messages().empty()) << Messages().front();
  ASSERT_TRUE(File_Exists(path));
  EXPECT_FALSE(App().Get_Document().hasChanges);
  EXPECT_EQ(Frame().windowTitle(), "Quorlin Separator - chelsea.rgl[*]");
  EXPECT_FALSE(Frame().isWindowModified());
  EXPECT_EQ(Frame().Recent_Files().front().toStdString(), path);

  // A new photo, then the list again: its regions and its photo come back.
  Open_Chelsea();
  EXPECT_EQ(App().Get_RegionList().Get_Region_Count(), 0);
  m_platform.Dialogs().Queue_Path(path);
  Trigger(313, kCmdLoadRegionList);
  EXPECT_TRUE(Messages().empty()) << Messages().front();
  EXPECT_EQ(App().Get_RegionList().Get_Region_Count(), regions);
  EXPECT_EQ(App().Get_Document().listFilePath, path);
  EXPECT_GE(Registry().Count_Viewjs_of_Code(5), 1);
  EXPECT_EQ(Frame().windowTitle(), "Quorlin Separator - chelsea.rgl[*]");
}

TEST_F(ShellTest, WindowsStartAtTheirConfigurationsRectangleAndFitTheImageAgain) {
  // Without a photo a window keeps its first rectangle: 360 x 480.
  ASSERT_TRUE(Registry().Open_New_Window_of_Code(4));
  ASSERT_TRUE(Registry().Open_New_Window_of_Code(7));
  Frame().Place_New_Windows();
  EXPECT_EQ(Window_of_Code(Frame(), 4)->geometry(), QRect(970, 500, 360, 480));
  EXPECT_EQ(Window_of_Code(Frame(), 7)->geometry(), QRect(970, 10, 360, 480));
  EXPECT_EQ(Registry().Find_Viewj(Window_of_Code(Frame(), 4))->Get_Title(), "Region OBJECTS");
  EXPECT_EQ(Registry().Find_Viewj(Window_of_Code(Frame(), 7))->Get_Title(), "Cur Select REGION");
  Frame().Mdi_Area()->closeAllSubWindows();

  Open_Chelsea();
  GrafixWindowQvSep* photo = Window_of_Code(Frame(), 3);
  ASSERT_NE(photo, nullptr);
  photo->resize(200, 150);
  int32_t width = 0, height = 0;
  photo->Get_Client_Size(width, height);
  EXPECT_LT(width, 420);
  Trigger(313, kCmdFitWindowToImage);
  for (GrafixWindowQvSep* window : Frame().Map_Windows()) {
    window->Get_Client_Size(width, height);
    EXPECT_EQ(width, 420);
    EXPECT_EQ(height, 286);
  }
  EXPECT_TRUE(Messages().empty());
}
