#include "render/ImageSizeController.h"

#include "platform/Text.h"
#include "render/RenderMan.h"

ImageSizeController::ImageSizeController(RenderMan& renderMan) : m_renderMan(renderMan) {
  renderMan.Get_Source_Size(m_originalWidth, m_originalHeight);
  m_width = m_originalWidth;
  m_height = m_originalHeight;
}

void ImageSizeController::Width_Typed(int32_t width) {
  m_width = width;
  if (width > 0 && m_originalWidth > 0) {
    m_height = static_cast<int32_t>(static_cast<double>(width) / m_originalWidth * m_originalHeight);
  }
}

void ImageSizeController::Height_Typed(int32_t height) {
  m_height = height;
  if (height > 0 && m_originalHeight > 0) {
    m_width = static_cast<int32_t>(static_cast<double>(height) / m_originalHeight * m_originalWidth);
  }
}

void ImageSizeController::Set_Size(int32_t width, int32_t height) {
  m_width = width;
  m_height = height;
}

std::string ImageSizeController::Range_Text() {
  return Text_Format("Only enter DIMENSIONS that are between %d and %d pixels.", kMinSide, kMaxSide);
}

ImageSizeOutcome ImageSizeController::On_OK(bool regionsExist) {
  Platform& platform = m_renderMan.Get_Platform();
  if (!m_renderMan.Get_Source_Map_Backup()) {
    platform.Message("First load a bitmap for a SOURCE.");
    return ImageSizeOutcome::KeepOpen;
  }
  // The size is checked before the regions are asked for, so that a refused
  // size never costs the user the regions.
  if (!Side_In_Range(m_width) || !Side_In_Range(m_height)) {
    platform.Message(Range_Text());
    return ImageSizeOutcome::KeepOpen;
  }
  std::string err;
  if (regionsExist) {
    const MessageAnswer answer = platform.Messages().Message_Box(
        "If you continue, you will DELETE all the existing REGIONS and the Outline ?  Want to continue ?",
        MessageButtons::OkCancel);
    if (answer != MessageAnswer::Ok) return ImageSizeOutcome::KeepOpen;
    if (m_deleteRegions && !m_deleteRegions(err)) {
      platform.Message(err);
      return ImageSizeOutcome::KeepOpen;
    }
  }
  int32_t currentW = -1, currentH = -1;
  m_renderMan.Get_Source_Size(currentW, currentH);
  if (m_width == currentW && m_height == currentH) return ImageSizeOutcome::Close;

  WaitCursor busy(platform.Cursor());
  if (!m_renderMan.Change_Image_Size(m_width, m_height, err) || (m_afterResize && !m_afterResize(err))) {
    platform.Message(err);
    return ImageSizeOutcome::KeepOpen;
  }
  return ImageSizeOutcome::Close;
}
