#pragma once
// ModifyColorsController: the logic of the "Modify Colors" dialog, without
// any user interface.  The desktop dialog binds its Range edit and its
// "Scramble Colors", "Save" and "Cancel" buttons to it; the command line
// and the tests drive it directly.
//
// "Scramble Colors" turns the hue of each separation's regions by a random
// shift within the range and recomposes the layered image; it may be pressed
// any number of times.  "Save" keeps the colours shown.  "Cancel" gives
// back the colours the regions had when the dialog opened, including colours
// kept from an earlier scramble.

#include <cstdint>
#include <vector>

#include "regions/RegionSubject.h"

class AppWindows;
class LayeredComposer;
class Platform;
class RegionListSubject;

// What the dialog works on: the regions it scrambles, the composer that
// recomposes the layered image, the windows it redraws and the platform
// its messages go to.
struct ModifyColorsContext {
  Platform& platform;
  RegionListSubject& regionList;
  LayeredComposer& composer;
  AppWindows& windows;
};

class ModifyColorsController {
 public:
  static constexpr int32_t kInitialRange = 80;
  static constexpr int32_t kMinRange = 1;
  static constexpr int32_t kMaxRange = 178;

  // `seed` starts the dialog's random numbers (the desktop program passes
  // the time).
  ModifyColorsController(const ModifyColorsContext& context, uint32_t seed);

  // The menu command's check and the dialog's start: false, after the
  // message "Create some color SEPARATIONS from the Layers Menu.", when
  // there are no regions; otherwise the regions' colours are noted for
  // Cancel and the range is 80.
  bool Open();

  int32_t Get_Range() const { return m_range; }
  // The Range edit; false, with a message naming the allowed range and the
  // range unchanged, for a number outside 1 .. 178.
  bool Set_Range(int32_t range);

  // Scrambles the colours within the range and recomposes the layered
  // image; a failure is shown in a message box.
  bool On_Scramble_Colors();
  // Keeps the colours.
  void On_Save();
  // Restores the colours noted by Open, recomposes the layered image and
  // redraws every window.
  bool On_Cancel();

  // The text shown for a range outside 1 .. 178.
  static const char* const kRangeMessage;

 private:
  struct KeptHue {
    RegionSubject* region;
    int16_t hueOffset;
  };

  ModifyColorsContext m_context;
  RegionRandom m_random;
  int32_t m_range = kInitialRange;
  std::vector<KeptHue> m_keptHues;
};
