#pragma once
// LayeredComposer: the composition of the layered image.  It paints the
// regions of the region list over white, merges the outline over (or under)
// them, and keeps the "Layered" and "PreProcessing" windows up to date.
// It also answers the separation engine's redraw requests, as the engine's
// WindowsUpdater.
//
// The composer works on the render manager's maps and the region list; it
// owns none of them.  Every redraw goes through the windows it is given.

#include <cstdint>
#include <string>

#include "framework/AppWindows.h"
#include "framework/WindowCodes.h"
#include "framework/WindowsUpdater.h"

class OffMap;
class Platform;
class RegionListSubject;
class RenderMan;

class LayeredComposer {
 public:
  LayeredComposer(RenderMan& renderMan, RegionListSubject& regionList, AppWindows& windows,
                  Platform& platform);
  LayeredComposer(const LayeredComposer&) = delete;
  LayeredComposer& operator=(const LayeredComposer&) = delete;

  // What the separation engine is given to ask for redraws.
  WindowsUpdater& Get_WindowsUpdater() { return m_windowsUpdater; }

  // Recomposes `dest`: white, then every region of `list` painted over it
  // in list order at `percent` of its size, with the outline merged over
  // everything (or, when animating with a delay or when there are no
  // regions, under everything).  With a delay the windows of `windowCode`
  // are redrawn after each region and the composition waits `delayMs`
  // milliseconds.  A region that cannot be painted is left out.
  bool ReDraw_FinalImage_Incrementally(int16_t windowCode, int32_t delayMs, RegionListSubject& list,
                                       OffMap& dest, int16_t percent, std::string& err);
  // Recompose the layered map at full size and redraw the "Layered"
  // windows; a failure is shown in a message box.  The two differ only in
  // the texts they show.
  bool Redraw_Summed_Final_Window();
  bool ReDraw_SummedFinalViews_OffMap();
  // Whether there is a layered map to compose.
  bool Has_Layered_Map() const;
  // A map white and its windows redrawn.
  bool Erase_Summed_Final_Window();
  bool Erase_Filtered_Window();
  // After separation creation added regions: fresh region views in every
  // window, then the layered image recomposed.
  bool Refresh_Views_After_Separations(std::string& err);
  // A new layered map in the size of the region list's canvas.
  bool Maybe_Alloc_Layers_Bitmap_for_RegionList(std::string& err);
  // Asks for an outline picture and makes it the outline.
  bool Load_Outline_Bitmap(std::string& err);

 private:
  // The composer's side of WindowsUpdater.
  class Updater : public WindowsUpdater {
   public:
    explicit Updater(LayeredComposer& composer) : m_composer(composer) {}
    void Redraw_Summed_Final_Window() override { m_composer.Redraw_Summed_Final_Window(); }
    void Redraw_Subtracted_Window() override {
      m_composer.m_windows.Redraw_Viewjs_of_Code(kWindowSubtracted);
    }

   private:
    LayeredComposer& m_composer;
  };

  // The layered map recomposed at full size; `nullText` when there is none.
  bool Recompose_Layered(const char* nullText);
  // The outline merged into `dest` over the rectangle of `percent`.
  bool Merge_Outline(OffMap& dest, int16_t percent, std::string& err);

  RenderMan& m_renderMan;
  RegionListSubject& m_regionList;
  AppWindows& m_windows;
  Platform& m_platform;
  Updater m_windowsUpdater;
};
