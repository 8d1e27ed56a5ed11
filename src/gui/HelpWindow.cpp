#include "gui/HelpWindow.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

const char* const HelpWindow::kHelpPage = R"(
<h2>Quorlin Separator</h2>
<p>Quorlin Separator turns a photo into a layered, painted colour illustration.</p>
<ul>
<li><a href="#start">Start with a photo</a></li>
<li><a href="#windows">The windows</a></li>
<li><a href="#separations">Colour separations</a></li>
<li><a href="#outline">Outline</a></li>
<li><a href="#size">Image size and colours</a></li>
<li><a href="#files">Saving and loading</a></li>
</ul>
<h3><a name="start"></a>Start with a photo</h3>
<p><b>File &gt; Load Source Photo</b> (Ctrl+O) opens a BMP, TIFF, PNG, JPEG or GIF picture. The photo is
worked at 400 pixels wide (portrait photos at 400 pixels high). A photo or a region list can also be
named on the command line or dropped on the window.</p>
<h3><a name="windows"></a>The windows</h3>
<p><b>Photo</b> shows the photo at its working size, <b>PreProcessing</b> the watercolour pre-processed
picture the separations are taken from, <b>Layered</b> the illustration painted from the regions.
Every picture is shown one to one; <b>View &gt; Fit Window to Image</b> sizes the windows to it again,
and <b>Zoom In</b> and <b>Zoom Out</b> enlarge the pixels.</p>
<p><b>View &gt; Open Region OBJECTS Window</b> shows the regions one by one. A click selects a region
(Ctrl+click adds one); drag its centre handle to move it, its corner handle to resize it, or nudge it with
the arrow keys (Shift: 10 pixels). The tool bar chooses the tool: Select, Mover, Colour or Size. The
<b>Edit</b> menu takes every move, resize, cut, paste and delete back (Undo, Ctrl+Z) and makes it
again (Redo, Ctrl+Shift+Z), and has Cut, Copy, Paste, Delete and Select All.</p>
<h3><a name="separations"></a>Colour separations</h3>
<p><b>Layers &gt; Create Separations</b> opens the separation dialog: choose a colour set, let the palette
be proposed, preview all separations or make them row by row. Each separation becomes regions painted
into the Layered window.</p>
<h3><a name="outline"></a>Outline</h3>
<p><b>Image &gt; Create Outline</b> detects the outline of the photo and draws it as pencil, charcoal or
ink strokes over the illustration.</p>
<h3><a name="size"></a>Image size and colours</h3>
<p><b>Image &gt; Image Size</b> resamples the photo to a new working size between 100 and 500 pixels;
width and height keep the photo's proportions. Changing the size deletes the regions and the outline.
<b>Layers &gt; Modify Colors</b> turns the colour of each separation by a random hue shift within the
range; <b>Scramble Colors</b> tries again, <b>Save</b> keeps the colours, <b>Cancel</b> brings back
those you started with.</p>
<h3><a name="files"></a>Saving and loading</h3>
<p><b>File &gt; Save Layered Bitmap</b> writes the illustration as BMP, TIFF, PNG, JPEG or GIF, chosen by
the file name's extension. <b>Save RegionList</b> (Ctrl+S) writes the regions, their bitmaps and the
outline into a region list file (.rgl); <b>Load RegionList</b> (Ctrl+Shift+O) brings it back, with its
photo. Before unsaved regions would be lost the program asks whether to save them.</p>
)";

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), m_browser(new QTextBrowser(this)) {
  setObjectName("helpWindow");
  setWindowTitle("Quorlin Separator Help");
  setModal(false);
  m_browser->setObjectName("helpBrowser");
  m_browser->setOpenExternalLinks(false);
  m_browser->setOpenLinks(true);
  m_browser->setHtml(kHelpPage);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_browser);
  layout->addWidget(buttons);
  resize(640, 720);
}
