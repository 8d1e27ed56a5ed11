#include "export/ExportController.h"

#include <memory>
#include <vector>

#include "export/PrintRender.h"
#include "export/PsdWriter.h"
#include "export/SeparationPngs.h"
#include "export/SvgWriter.h"
#include "export/WorkingLayerStack.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "raster/OffMap.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"

ExportController::ExportController(const ExportSource& source) : m_source(source) {
  if (const OffMap* layered = source.renderMan.Get_Layered_Map()) {
    m_canvasWidth = layered->Get_Width();
    m_canvasHeight = layered->Get_Height();
  }
  PrintSizeLimit limit;
  std::string err;
  if (m_canvasWidth > 0 && Print_Size_Limit(source, limit, err)) {
    m_maxWidth = limit.width;
    m_maxHeight = limit.height;
    m_photoSize = limit.fromPhoto;
  }
  m_width = m_canvasWidth;
  m_height = m_canvasHeight;
}

void ExportController::Width_Typed(int32_t width) {
  m_width = width;
  if (width > 0 && m_canvasWidth > 0)
    m_height = static_cast<int32_t>((static_cast<int64_t>(width) * m_canvasHeight + m_canvasWidth / 2) /
                                    m_canvasWidth);
}

void ExportController::Height_Typed(int32_t height) {
  m_height = height;
  if (height > 0 && m_canvasHeight > 0)
    m_width = static_cast<int32_t>((static_cast<int64_t>(height) * m_canvasWidth + m_canvasHeight / 2) /
                                   m_canvasHeight);
}

void ExportController::Set_Print_Size(int32_t width, int32_t height) {
  m_width = width;
  m_height = height;
}

void ExportController::Set_Full_Size() {
  // The widest size of the canvas's aspect that fits the limits.
  Width_Typed(m_maxWidth);
  if (m_height > m_maxHeight) Height_Typed(m_maxHeight);
}

bool ExportController::Check_Size(std::string& problem) const {
  problem.clear();
  if (m_canvasWidth <= 0 || m_canvasHeight <= 0) {
    problem = "there is no layered image to export";
    return false;
  }
  if (!m_print) return true;
  PrintSizeLimit limit;
  limit.width = m_maxWidth;
  limit.height = m_maxHeight;
  limit.fromPhoto = m_photoSize;
  return Check_Print_Size(m_width, m_height, limit, problem);
}

const char* ExportController::Dialog_Filter() const {
  switch (m_kind) {
    case ExportKind::Picture:
      return "PNG Files (*.png)|*.png|TIFF Files (*.tif)|*.tif|JPEG Files (*.jpg)|*.jpg|Bitmap Files "
             "(*.bmp)|*.bmp||";
    case ExportKind::Psd:
      return "Photoshop Files (*.psd)|*.psd||";
    case ExportKind::Svg:
      return "SVG Files (*.svg)|*.svg||";
    case ExportKind::Layers:
      return "";
  }
  return "";
}

const char* ExportController::Default_Extension() const {
  switch (m_kind) {
    case ExportKind::Picture:
      return "png";
    case ExportKind::Psd:
      return "psd";
    case ExportKind::Svg:
      return "svg";
    case ExportKind::Layers:
      return "";
  }
  return "";
}

bool ExportController::Write(const std::string& path, std::string& written, std::string& err) const {
  err.clear();
  written.clear();
  if (!Check_Size(err)) return false;
  const int32_t width = Width(), height = Height();
  const std::string sizeText = Text_Format("%d x %d", width, height);
  if (m_kind == ExportKind::Svg) {
    SvgOptions options;
    options.textures = m_svgTextures;
    if (m_print) {
      options.printWidth = width;
      options.printHeight = height;
    }
    SvgCounts counts;
    if (!Write_Vector_Svg(m_source, options, path, err, &counts)) return false;
    written = Text_Format("Wrote %s (%d paths in %d layers, %s).", path.c_str(),
                          counts.regionPaths + counts.outlinePaths, counts.layers, sizeText.c_str());
    return true;
  }
  if (m_kind == ExportKind::Picture) {
    std::unique_ptr<OffMap> print;
    const OffMap* map = m_source.renderMan.Get_Layered_Map();
    if (m_print) {
      LayerStack stack;
      if (!Build_Print_Layer_Stack(m_source, width, height, false, stack, err)) return false;
      print = Composite_Map(stack);
      if (print == nullptr) {
        err = "The print of " + sizeText + " pixels could not be allocated.";
        return false;
      }
      map = print.get();
    }
    bool cancelled = false;
    std::string target = path;
    if (!Save_Bitmap_File_CImage(m_source.platform, cancelled, map, target, err)) return false;
    written = Text_Format("Wrote %s (%s).", target.c_str(), sizeText.c_str());
    return true;
  }
  LayerStack stack;
  const bool built = m_print ? Build_Print_Layer_Stack(m_source, width, height, true, stack, err)
                             : Build_Working_Layer_Stack(m_source, stack, err);
  if (!built) return false;
  if (m_kind == ExportKind::Psd) {
    if (!Write_Layered_Psd(stack, path, err)) return false;
    written =
        Text_Format("Wrote %s (%d layers, %s).", path.c_str(), Psd_Layer_Count(stack), sizeText.c_str());
    return true;
  }
  std::vector<std::string> files;
  if (!Write_Separation_Pngs(stack, path, m_source.platform.Codec(), files, err)) return false;
  written = Text_Format("Wrote %d separation pictures into %s (%s).", static_cast<int>(files.size()),
                        path.c_str(), sizeText.c_str());
  return true;
}
