#pragma once
// The services the engine asks of the desktop platform.  The engine never
// talks to a windowing system directly: every message box, question, file
// dialog, wait cursor, progress box, picture decode/encode, program resource
// and clock reading goes through one of these interfaces.  Two sets of
// implementations exist: platform/headless (tests and the command line) and
// platform/qt (the desktop program and the picture codec).

#include <cstdint>
#include <memory>
#include <string>

// ---------------------------------------------------------------------------
// Message boxes and questions.

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class MessageService {
 public:
  virtual ~MessageService() = default;
  // Shows `text` (a "\n" is a line break) with the given buttons and waits
  // for the user's answer.
  virtual MessageAnswer Message_Box(const std::string& text, MessageButtons buttons = MessageButtons::Ok) = 0;
};

// ---------------------------------------------------------------------------
// Open and save file dialogs.  Filters are the program's own bar-separated
// strings, e.g. "BMP (*.bmp)|*.bmp|PNG (*.png)|*.png||"; each implementation
// converts them to its own syntax.

struct FileDialogSpec {
  std::string filter;
  std::string defaultExt;   // "bmp", "*", ... (appended when the user types none)
  std::string initialPath;  // suggested file name or folder; may be empty
  std::string title;        // may be empty
  bool hideReadOnly = true;
  bool overwritePrompt = false;
};

class FileDialogService {
 public:
  virtual ~FileDialogService() = default;
  // Both return false when the user cancels; otherwise `path` receives the
  // chosen full path (which may be empty if the user confirmed nothing).
  virtual bool Open_File_Dialog(const FileDialogSpec& dialogRequest, std::string& path) = 0;
  virtual bool Save_File_Dialog(const FileDialogSpec& dialogRequest, std::string& path) = 0;
};

// ---------------------------------------------------------------------------
// The busy cursor.  Use the WaitCursor guard rather than the raw calls.

class CursorService {
 public:
  virtual ~CursorService() = default;
  virtual void Begin_Wait_Cursor() = 0;
  virtual void End_Wait_Cursor() = 0;
};

class WaitCursor {
 public:
  explicit WaitCursor(CursorService& cursor) : m_cursor(cursor) { m_cursor.Begin_Wait_Cursor(); }
  ~WaitCursor() { m_cursor.End_Wait_Cursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  CursorService& m_cursor;
};

// ---------------------------------------------------------------------------
// The progress box.  A ProgressBox is what platforms implement: it only
// shows what it is told.  The rules of the box (close the old box on open,
// clamp to 1..100, repaint only on change, dispatch pending window messages
// first) live once, in Progress (Progress.h).

class ProgressBox {
 public:
  virtual ~ProgressBox() = default;
  virtual void Show_Box(const std::string& text) = 0;  // new box, range 0..100, position 0
  virtual void Show_Text(const std::string& text) = 0;
  virtual void Show_Position(int percent) = 0;
  virtual void Destroy_Box() = 0;
  // Lets the windowing system paint and handle input during long work.
  virtual void Dispatch_Pending_Events() {}
};

// ---------------------------------------------------------------------------
// A millisecond process clock.

class ClockService {
 public:
  virtual ~ClockService() = default;
  virtual int64_t Milliseconds() = 0;
};

// ---------------------------------------------------------------------------
// Program resources: bitmaps compiled into the program, found by numeric id.

struct ResourceBitmap {
  int id = 0;
  int width = 0;
  int height = 0;
  int depth = 0;                    // bits per pixel: 8 (grey) or 24 (blue, green, red)
  const uint8_t* pixels = nullptr;  // rows top-down, `stride` bytes each
  int stride = 0;
};

class ResourceService {
 public:
  virtual ~ResourceService() = default;
  // False when the program carries no bitmap with this id.
  virtual bool Find_Bitmap_Resource(int id, ResourceBitmap& out) const = 0;
};

// ---------------------------------------------------------------------------
// The picture codec: decodes BMP, TIFF, PNG, JPEG and GIF pictures and
// encodes 24-bit pictures in the format named by a file's extension, and
// 32-bit pictures (colour with transparency) as PNG.

class PlatformImage {
 public:
  virtual ~PlatformImage() = default;
  // Decodes the file.  A negative status is a failure; Last_Error() says why.
  virtual int32_t Load(const std::string& path) = 0;
  virtual bool Is_Null() const = 0;
  virtual int Get_Width() const = 0;
  virtual int Get_Height() const = 0;
  // Colour of pixel (x, y), x from the left and y from the top; the caller
  // stays inside the picture.
  virtual void Get_Pixel_RGB(int x, int y, int& r, int& g, int& b) const = 0;
  // A new picture of width x height pixels at `bitsPerPixel`: 24, black,
  // or 32, colour with transparency, fully transparent.
  virtual bool Create(int width, int height, int bitsPerPixel) = 0;
  // Sets a pixel opaque.
  virtual void Set_Pixel_RGB(int x, int y, int r, int g, int b) = 0;
  // Sets a pixel of a 32-bit picture: colour and alpha (0 transparent .. 255
  // opaque, not premultiplied).
  virtual void Set_Pixel_RGBA(int x, int y, int r, int g, int b, int a) = 0;
  // Encodes with the encoder named by the path's extension (a 32-bit
  // picture only as PNG).  0 is success, anything else a failure code;
  // Last_Error() says why.  An existing file is replaced only when the new
  // one was written completely.
  virtual int32_t Save(const std::string& path) = 0;
  virtual std::string Last_Error() const = 0;
};

class PictureCodec {
 public:
  virtual ~PictureCodec() = default;
  virtual std::unique_ptr<PlatformImage> Create_Image() = 0;
};

// Status of PlatformImage::Load for a picture larger than the program takes
// (decoding it could exhaust memory); Last_Error() gives its size.
constexpr int32_t kImageLoadTooLarge = -2;
// Status of PlatformImage::Load for a picture whose data ends before what its
// own header and structure announce (a cut-off or damaged file); Last_Error()
// says what is missing.
constexpr int32_t kImageLoadDamaged = -3;
// The largest picture the codec decodes, in pixels (100 megapixels).
constexpr int64_t kMaxPicturePixels = 100'000'000;
