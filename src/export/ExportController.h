#pragma once
// ExportController: the export of the layered image without a widget, as
// the desktop program's File > Export dialog and the command line's
// --print/--psd/--svg/--layers options use it.
//
// The user picks what to write (a flat picture, a layered PSD, a vector SVG
// or one transparent PNG per separation) and at which size: the working size
// (the program's own picture, pixel for pixel) or a print size up to the
// photo's own resolution (up to 8 x the working size when there is no
// photo).  The width and height keep the canvas's aspect while the user
// types; Set_Print_Size takes both as they are.

#include <cstdint>
#include <string>

#include "export/ExportSource.h"

enum class ExportKind { Picture, Psd, Svg, Layers };

class ExportController {
 public:
  explicit ExportController(const ExportSource& source);

  ExportKind Kind() const { return m_kind; }
  void Set_Kind(ExportKind kind) { m_kind = kind; }
  // The canvas (working size) and the largest print size.
  int32_t Canvas_Width() const { return m_canvasWidth; }
  int32_t Canvas_Height() const { return m_canvasHeight; }
  int32_t Max_Width() const { return m_maxWidth; }
  int32_t Max_Height() const { return m_maxHeight; }
  bool Has_Photo_Size() const { return m_photoSize; }

  // False: the working size; true: Width() x Height().
  bool Print() const { return m_print; }
  void Set_Print(bool print) { m_print = print; }
  int32_t Width() const { return m_print ? m_width : m_canvasWidth; }
  int32_t Height() const { return m_print ? m_height : m_canvasHeight; }
  void Width_Typed(int32_t width);
  void Height_Typed(int32_t height);
  void Set_Print_Size(int32_t width, int32_t height);
  // The largest print size with the canvas's aspect.
  void Set_Full_Size();
  bool Svg_Textures() const { return m_svgTextures; }
  void Set_Svg_Textures(bool textures) { m_svgTextures = textures; }

  // Whether the size can be written; false with the reason.
  bool Check_Size(std::string& problem) const;
  // The save dialog's filter and default extension for the kind (the layers
  // are written into a folder: empty filter).
  const char* Dialog_Filter() const;
  const char* Default_Extension() const;
  // Writes the export to `path` (a folder for the layers).  `written` gets
  // a line for the user ("wrote X (...)").  False with the reason.
  bool Write(const std::string& path, std::string& written, std::string& err) const;

 private:
  const ExportSource& m_source;
  ExportKind m_kind = ExportKind::Picture;
  int32_t m_canvasWidth = 0, m_canvasHeight = 0;
  int32_t m_maxWidth = 0, m_maxHeight = 0;
  bool m_photoSize = false;
  bool m_print = false;
  int32_t m_width = 0, m_height = 0;
  bool m_svgTextures = false;
};
