#pragma once
// ListFileContext: what the region list file and its commands work on.  A
// list file stores the region list, the outline map and part of the
// settings; loading one also replaces the source photo, the layered map and
// the document state, redraws the windows and recomposes the layered image.
// None of the pieces is owned here.

#include <cstdint>

class AppWindows;
class LayeredComposer;
class Platform;
class RegionListSubject;
class RenderMan;
struct DocumentState;
struct Settings;

// The version of the list files this program writes (the application's
// version less 8, shown as "0.7"); a file of a later version asks before it
// is loaded.
inline constexpr int16_t kRegionListFileVersion = 7;

struct ListFileContext {
  Platform& platform;
  RenderMan& renderMan;
  RegionListSubject& regionList;
  LayeredComposer& composer;
  AppWindows& windows;
  DocumentState& document;
  Settings& settings;
};
