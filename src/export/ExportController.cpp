#include "export/ExportController.h"

#include <algorithm>

#include "platform/PlatformServices.h"
#include "platform/Text.h"
#include "raster/OffMap.h"
#include "render/RenderMan.h"

ExportController::ExportController(const ExportSource& source) : m_source(source) {
  if (const OffMap* layered = source.renderMan.Get_Layered_Map()) {
    m_canvasWidth = layered->Get_Width();
    m_canvasHeight = layered->Get_Height();
  }
  if (const PlatformImage* photo = source.renderMan.Get_Photo_Original();
      photo != nullptr && !photo->Is_Null() && !source.photoPath.empty()) {
    m_photoSize = true;
    m_maxWidth = std::max(photo->Get_Width(), m_canvasWidth);
    m_maxHeight = std::max(photo->Get_Height(), m_canvasHeight);
  } else {
    m_maxWidth = m_canvasWidth * kNoPhotoFactor;
    m_maxHeight = m_canvasHeight * kNoPhotoFactor;
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
  if (m_width < 1 || m_height < 1 || m_width > m_maxWidth || m_height > m_maxHeight) {
    problem =
        Text_Format("the print size is 1 x 1 to %d x %d pixels (%s)", m_maxWidth, m_maxHeight,
                    m_photoSize ? "the photo's own size" : "8 times the working size; there is no photo");
    return false;
  }
  return true;
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
