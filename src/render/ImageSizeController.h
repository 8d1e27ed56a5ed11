#pragma once
// The logic of the "Image Size" dialog without its widgets: a width and a
// height edit that keep the source map's aspect ratio while the user types,
// and the OK button that checks the size, asks before the regions go, and
// resamples the photo to the new working size.  The desktop dialog binds its
// edits to this class; the command line and the tests drive it directly.

#include <cstdint>
#include <functional>
#include <string>

class RenderMan;

enum class ImageSizeOutcome { KeepOpen, Close };

class ImageSizeController {
 public:
  // Working sides the dialog accepts.
  static constexpr int32_t kMinSide = 100;
  static constexpr int32_t kMaxSide = 500;

  // Both edits start at the source map's size (-1 without one).
  explicit ImageSizeController(RenderMan& renderMan);

  int32_t Width() const { return m_width; }
  int32_t Height() const { return m_height; }

  // The user typed into one edit: a positive value sets the other edit so
  // that the source map's aspect is kept.  The value set that way does not
  // set the first edit in turn.
  void Width_Typed(int32_t width);
  void Height_Typed(int32_t height);
  // Both edits at once, aspect not kept.
  void Set_Size(int32_t width, int32_t height);

  // OK was pressed.  `regionsExist` says whether the region list holds
  // regions; they must go before the image changes size.  Every refusal and
  // failure is shown in a message box and keeps the dialog open.
  ImageSizeOutcome On_OK(bool regionsExist);

  // Called after the user agreed to lose the regions: clear the selection and
  // delete every region.  False with `err` keeps the dialog open.
  std::function<bool(std::string& err)> m_deleteRegions;
  // Called after the image changed size: the canvas size, the windows' panes
  // and sizes follow.  False with `err` keeps the dialog open.
  std::function<bool(std::string& err)> m_afterResize;

  static bool Side_In_Range(int32_t side) { return side >= kMinSide && side <= kMaxSide; }
  // "Only enter DIMENSIONS that are between 100 and 500 pixels."
  static std::string Range_Text();

 private:
  RenderMan& m_renderMan;
  int32_t m_originalWidth = -1;
  int32_t m_originalHeight = -1;
  int32_t m_width = -1;
  int32_t m_height = -1;
};
